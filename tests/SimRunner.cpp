// Runs the simulator binary in a private copy of the data folder.
#include "tests/SimRunner.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/HeadlessEngine.h"
#include "tools/DataFolderCopy.h"

namespace fs = std::filesystem;

namespace {

fs::path MakeRunFolder() {
  static int counter = 0;
  const fs::path dir = fs::temp_directory_path() /
                       ("zarvo-sim-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
  fs::remove_all(dir);
  fs::create_directories(dir);
  LinkDataInto(ZARVO_DATA_DIR, dir);
  return dir;
}

}  // namespace

SimResult RunSimWith(const std::string& script, const SimOptions& options) {
  SimResult result;
  const fs::path dir = MakeRunFolder();
  result.dir = dir.string();
  for (const std::string& name : options.remove) fs::remove(dir / name);
  for (const auto& [name, content] : options.files) {
    const fs::path folder = (dir / name).parent_path();
    if (fs::is_symlink(folder)) {
      // Never write into the shared data: give this run a folder of links.
      const fs::path shared = fs::read_symlink(folder);
      fs::remove(folder);
      fs::create_directory(folder);
      for (const auto& entry : fs::directory_iterator(shared))
        fs::create_symlink(entry.path(), folder / entry.path().filename());
    }
    fs::remove(dir / name);
    std::ofstream(dir / name, std::ios::binary) << content;
  }
  if (options.prepare) options.prepare(dir.string());
  std::ofstream(dir / "script.txt") << script;
  // A run that blocks or never ends fails its test instead of stalling the suite.
  const std::string command =
      "cd '" + dir.string() + "' && SDL_AUDIODRIVER=" + options.audioDriver + " timeout 300 '" +
      ZARVO_SIM + "' " + options.arguments + " < script.txt > out.txt 2> err.txt";
  const int status = std::system(command.c_str());
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  struct rusage usage;
  if (getrusage(RUSAGE_CHILDREN, &usage) == 0) result.peakKb = usage.ru_maxrss;
  result.errors = ReadFile(dir / "err.txt");
  std::istringstream out(ReadFile(dir / "out.txt"));
  for (std::string line; std::getline(out, line);) {
    if (line.empty() || line[0] != '{') continue;
    result.dumps.push_back(nlohmann::json::parse(line));
  }
  return result;
}

std::vector<nlohmann::json> RunSim(const std::string& script) {
  SimResult r = RunSimWith(script, SimOptions{});
  EXPECT_EQ(r.exitCode, 0) << r.errors;
  return r.dumps;
}

std::string GameValuesWith(const std::map<int, std::string>& replaced) {
  std::istringstream in(ReadFile(fs::path(ZARVO_DATA_DIR) / "GameValues.txt"));
  std::string out;
  int number = 0;
  for (std::string line; std::getline(in, line); ++number) {
    auto it = replaced.find(number);
    out += (it != replaced.end() ? it->second : line) + "\n";
  }
  return out;
}
