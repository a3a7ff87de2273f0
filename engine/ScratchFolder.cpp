// A scratch copy of the working folder for a replay: every entry linked in,
// but for the files the replay brings along (written as they were), the files
// it says were missing, the log and replays. The game runs there and whatever
// it writes is thrown away with the folder.
#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "engine/EngineCore.h"

namespace {

std::string scratch;  // the folder, while one exists
std::string home;     // the working folder it stands in for

bool Skipped(const std::string& name, const std::vector<std::string>& names) {
  if (name == "." || name == ".." || name == "hgeLog.txt") return true;
  if (name.size() > 7 && name.compare(name.size() - 7, 7, ".replay") == 0) return true;
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

namespace engine {

std::string EnterScratchFolder(const std::vector<std::pair<std::string, std::string>>& files,
                               const std::vector<std::string>& absent) {
  LeaveScratchFolder();
  char cwd[4096];
  if (!getcwd(cwd, sizeof cwd))
    return std::string("Can't read the working folder: ") + strerror(errno);
  const char* tmp = getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zarvo-replay-XXXXXX";
  if (!mkdtemp(&pattern[0]))
    return "Can't make a folder for the replay: " + std::string(strerror(errno));
  home = cwd;
  scratch = pattern;
  std::vector<std::string> own = absent;
  for (const auto& f : files) own.push_back(f.first);
  std::string why;
  if (DIR* dir = opendir(cwd)) {
    while (dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (Skipped(name, own)) continue;
      if (symlink((home + "/" + name).c_str(), (scratch + "/" + name).c_str()) != 0)
        why = "Can't link " + name + " for the replay: " + strerror(errno);
    }
    closedir(dir);
  }
  for (const auto& f : files) {
    FILE* out = std::fopen((scratch + "/" + f.first).c_str(), "wb");
    if (!out || std::fwrite(f.second.data(), 1, f.second.size(), out) != f.second.size())
      why = "Can't write " + f.first + " for the replay";
    if (out) std::fclose(out);
  }
  if (why.empty() && chdir(scratch.c_str()) != 0)
    why = "Can't enter " + scratch + ": " + strerror(errno);
  if (!why.empty()) LeaveScratchFolder();
  return why;
}

void LeaveScratchFolder() {
  if (scratch.empty()) return;
  if (chdir(home.c_str()) != 0) std::fprintf(stderr, "Can't return to %s\n", home.c_str());
  std::error_code ignored;
  std::filesystem::remove_all(scratch, ignored);  // links are removed, never followed
  scratch.clear();
}

}  // namespace engine
