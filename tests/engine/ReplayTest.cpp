// Replays through the simulator: a recorded run plays back to the same final
// state (autopilots, both particle settings); runs that used set, other
// versions and damaged files are refused with a clear message.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/SimRunner.h"

namespace {

SimResult PlayBack(const std::string& folder, const std::string& file = "last_game.replay") {
  SimOptions options;
  options.prepare = [&](const std::string& dir) {
    std::filesystem::copy_file(folder + "/" + file, dir + "/" + file);
  };
  options.arguments = "--replay " + file;
  return RunSimWith("", options);
}

TEST(Replay, PlaysBackToTheSameState) {
  for (const char* seed : {"2", "7"}) {
    for (const char* effects : {"1", "0"}) {
      SimOptions options;
      options.files["GameValues.txt"] = GameValuesWith({{77, effects}});
      const SimResult run = RunSimWith(std::string("seed ") + seed +
                                           "\nbot 1 on\nbot 2 on\nbot menus on\n"
                                           "frames 40\npress F1\nframes 1500 0.02\ndump\n",
                                       options);
      ASSERT_EQ(run.dumps.size(), 1u) << run.errors;
      const SimResult played = PlayBack(run.dir);
      ASSERT_EQ(played.exitCode, 0) << played.errors;
      ASSERT_EQ(played.dumps.size(), 1u);
      EXPECT_EQ(played.dumps[0], run.dumps[0]) << "seed " << seed << ", effects " << effects;
    }
  }
}

TEST(Replay, RefusesWhatKeysCannotReproduceAndDamagedFiles) {
  const SimResult set = RunSimWith("frames 2\nset player1.energy 5\nframes 2\n", {});
  EXPECT_NE(PlayBack(set.dir).errors.find("changed the game's state with 'set'"),
            std::string::npos);
  const std::pair<const char*, const char*> cases[] = {
      {"", "not a replay of this game"},
      {"zarvo-replay 2\nseed 1\n", "a replay of version 2; this game plays version 1"},
      {"zarvo-replay 1\nf 3c888889\n", "line 2: a frame before the seed"},
      {"zarvo-replay 1\nseed x\n", "line 2: bad seed"},
      {"zarvo-replay 1\nseed 1\nf 3c88\n", "line 3: a frame's delta is not 8 hexadecimal digits"},
      {"zarvo-replay 1\nseed 1\nf 3c888889 +999\n", "line 3: bad key '+999'"},
      {"zarvo-replay 1\nseed 1\nfile GameValues.txt 99999\nabc\n",
       "line 3: the file GameValues.txt is cut short"},
      {"zarvo-replay 1\nseed 1\nfile ../x 1\na\n", "line 3: bad file record"},
      {"zarvo-replay 1\nseed 1\nbogus\n", "line 3: unknown record"},
  };
  for (const auto& c : cases) {
    SimOptions options;
    options.files["bad.replay"] = c.first;
    options.arguments = "--replay bad.replay";
    const SimResult r = RunSimWith("", options);
    EXPECT_EQ(r.exitCode, 1) << c.first;
    EXPECT_NE(r.errors.find(std::string("bad.replay: ") + c.second), std::string::npos) << r.errors;
  }
}

}  // namespace
