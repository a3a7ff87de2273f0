// The autopilot through the simulator: from the title it starts a two-player
// game by keys alone, flies both clouds for minutes (energy, rain, lightning),
// repeats itself exactly, and a lone pilot whose cloud dies ends in the table.
#include <gtest/gtest.h>

#include <string>

#include "tests/HeadlessEngine.h"
#include "tests/SimRunner.h"

namespace {

using nlohmann::json;

std::string Pilots(const std::string& which, int seconds, int dumpEvery) {
  std::string script = "seed 1\n" + which + "bot menus on\n";
  for (int s = 0; s < seconds; s += dumpEvery)
    script += "frames " + std::to_string(dumpEvery * 60) + "\ndump\n";
  return script;
}

int Count(const json& dump, const char* cls, const char* field, const json& value) {
  int n = 0;
  for (const json& o : dump["objects"]) n += o["class"] == cls && o[field] == value;
  return n;
}

TEST(Autopilot, FliesTwoCloudsForMinutesAndRepeatsExactly) {
  const std::string script = Pilots("bot 1 on\nbot 2 on\n", 240, 10);
  const std::vector<json> dumps = RunSim(script);
  ASSERT_EQ(dumps.size(), 24u);
  EXPECT_EQ(dumps[0]["GameState"], 1);  // the title's two-player game, started by keys
  EXPECT_FALSE(dumps[0]["player2"].is_null());
  float mostEnergy = 0;
  int burning = 0, charges = 0;
  for (const json& d : dumps) {
    for (const char* p : {"player1", "player2"}) {
      if (d[p].is_null()) continue;
      mostEnergy = std::max(mostEnergy, d[p]["energy"].get<float>());
      charges += d[p]["lightning"]["charges"].get<int>();
    }
    burning += Count(d, "House", "state", 1) + Count(d, "Person", "dead", true);
  }
  EXPECT_GT(mostEnergy, 60);  // energy clouds made a large cloud
  EXPECT_GT(charges, 0);      // lightning clouds were caught
  EXPECT_GT(burning, 0);      // and bolts struck houses or people
  // Four minutes in, the pair still plays and has earned a place in the table.
  const json& last = dumps.back();
  EXPECT_EQ(last["GameState"], 1);
  int score = 0;
  for (const char* p : {"player1", "player2"})
    if (!last[p].is_null()) score = std::max(score, last[p]["score"].get<int>());
  EXPECT_GT(score, last["highScores"]["points"][9].get<int>());
  EXPECT_EQ(RunSim(script).back(), last);
}

TEST(Autopilot, ALonePilotTypesItsNameIntoTheTableAndPlaysAgain) {
  // A fast drain ends the cloud within a minute; a table of low scores takes it.
  SimOptions options;
  options.files["GameValues.txt"] = GameValuesWith({{60, "3"}});
  options.files["highscore_points.txt"] = "9\n8\n7\n6\n5\n4\n3\n2\n1\n0\n";
  const SimResult run = RunSimWith(Pilots("bot 1 on\n", 90, 90) + "stats\n", options);
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.dumps[0]["highScores"]["names"][0], "ZAR\n");
  EXPECT_GE(run.dumps[1]["gamesEnded"].get<int>(), 1);
  EXPECT_EQ(ReadFile(run.dir + "/highscore_names.txt").substr(0, 4), "ZAR\n");
}

}  // namespace
