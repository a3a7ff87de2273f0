// The game states through the simulator: every key of every state, joins,
// deaths and their outcomes, the reset, quitting and the music fade.
#include <gtest/gtest.h>

#include "tests/SimRunner.h"

using nlohmann::json;

namespace {

enum { TitleMenu, Playing, Paused, HighScoreTable, NameEntry, Credits, PictureScreen };

bool HasSound(const json& dump, const std::string& call) {
  for (const json& s : dump["sounds"])
    if (s == call) return true;
  return false;
}

TEST(Spine, StartsOnTheTitleWithAFreshWorld) {
  auto d = RunSim("dump\nframes 1\ndump\n");
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[0]["GameState"], TitleMenu);
  EXPECT_TRUE(d[0]["player1"].is_null());
  EXPECT_TRUE(d[0]["player2"].is_null());
  EXPECT_FALSE(d[0]["mountain"].is_null());
  EXPECT_FALSE(d[0]["plane"].is_null());
  EXPECT_EQ(d[0]["messages"].size(), 0u) << d[0]["messages"];
  EXPECT_EQ(d[0]["worldSpeed"], 35);
  EXPECT_FLOAT_EQ(d[1]["frameDelta"].get<float>(), 1.0f / 60);
}

TEST(Spine, EscapeQuitsFromEveryState) {
  for (int state = TitleMenu; state <= PictureScreen; ++state) {
    SimResult r = RunSimWith(
        "set GameState " + std::to_string(state) + "\nhold ESCAPE\nframes 1\ndump\n", SimOptions{});
    EXPECT_EQ(r.exitCode, 0) << "state " << state << ": " << r.errors;
    EXPECT_TRUE(r.dumps.empty()) << "state " << state << " did not quit";
  }
}

TEST(Spine, PlayersJoinWithTheirKeys) {
  auto d = RunSim(
      "set GameState 1\nframes 1\ndump\n"
      "hold SPACE\nframes 1\ndump\nrelease all\n"
      "hold NUMPAD0\nframes 1\ndump\n");
  EXPECT_TRUE(d[0]["player1"].is_null());
  EXPECT_EQ(d[1]["player1"]["playerNumber"], 1);
  EXPECT_TRUE(d[1]["player2"].is_null());
  EXPECT_EQ(d[2]["player2"]["playerNumber"], 2);
  // The world speed follows the players from their first frame.
  EXPECT_EQ(d[1]["worldSpeed"], 70);
}

TEST(Spine, PlayKeys) {
  auto d = RunSim(
      "set GameState 1\nhold SPACE\nframes 1\nrelease all\n"
      "hold Q\nframes 3\ndump\nrelease all\n"  // Q flips every frame: on, off, on
      "set player1.energy 20\nhold X\nframes 1\ndump\nrelease all\n"
      "hold C\nframes 1\ndump\nrelease all\n"
      "hold F7\nframes 1\ndump\n");
  EXPECT_EQ(d[0]["showFrameStats"], true);
  EXPECT_GT(d[1]["player1"]["energy"].get<float>(), 99.0f);
  EXPECT_LT(d[2]["mountain"]["position"][0].get<float>(), -1000.0f);
  EXPECT_GT(d[2]["mountain"]["position"][0].get<float>(), -1003.0f);
  EXPECT_EQ(d[2]["mountain"]["position"][1], 0);
  EXPECT_EQ(d[3]["GameState"], TitleMenu);
  EXPECT_TRUE(d[3]["player1"].is_null());
  EXPECT_TRUE(HasSound(d[3], "Stop GameMusic"));
  EXPECT_TRUE(HasSound(d[3], "Stop GameMusic2"));
}

TEST(Spine, PauseIsGuardedAgainstFlicker) {
  auto d = RunSim(
      "set GameState 1\nframes 40\n"  // 0.67 s: more than half a second since start-up
      "hold P\nframes 1\ndump\n"      // -> Paused
      "frames 28\ndump\n"             // still held, less than 0.5 s: stays Paused
      "frames 3\ndump\n"              // past 0.5 s: back to Playing
      "release all\nframes 40\nhold P\nframes 1\ndump\n");
  EXPECT_EQ(d[0]["GameState"], Paused);
  EXPECT_EQ(d[1]["GameState"], Paused);
  EXPECT_EQ(d[2]["GameState"], Playing);
  EXPECT_EQ(d[3]["GameState"], Paused);
}

TEST(Spine, CreditsAndPictureScreen) {
  auto d = RunSim(
      "set GameState 1\nframes 40\nhold F1\nframes 1\ndump\nrelease all\n"
      "hold SPACE\nframes 1\ndump\nframes 40\ndump\nrelease all\n"
      "set GameState 6\nframes 1\ndump\nhold SPACE\nframes 1\ndump\n");
  EXPECT_EQ(d[0]["GameState"], Credits);
  EXPECT_EQ(d[1]["GameState"], Credits);  // Space is guarded in the credits
  EXPECT_EQ(d[2]["GameState"], TitleMenu);
  EXPECT_EQ(d[3]["GameState"], PictureScreen);
  EXPECT_EQ(d[4]["GameState"], TitleMenu);
}

TEST(Spine, TitleMenuEnterByItem) {
  auto d = RunSim(
      "set titleMenu.item 3\nhold ENTER\nframes 1\ndump\nrelease all\n"
      "hold SPACE\nframes 1\ndump\nrelease all\n"
      "set titleMenu.item 2\nhold ENTER\nframes 1\ndump\nrelease all\n"
      "set GameState 0\nset titleMenu.item 1\nhold ENTER\nframes 1\ndump\nrelease all\n"
      "set GameState 0\nset titleMenu.item 0\nset titleMenu.playersChoice 1\n"
      "hold ENTER\nframes 1\ndump\nrelease all\n");
  EXPECT_EQ(d[0]["GameState"], HighScoreTable);
  EXPECT_EQ(d[1]["GameState"], TitleMenu);  // Space in the table resets
  EXPECT_EQ(d[2]["GameState"], Credits);
  EXPECT_EQ(d[3]["GameState"], PictureScreen);
  EXPECT_EQ(d[4]["GameState"], Playing);
  EXPECT_EQ(d[4]["player1"]["playerNumber"], 1);
  EXPECT_EQ(d[4]["player2"]["playerNumber"], 2);
  EXPECT_TRUE(HasSound(d[4], "Play GameMusic"));
  EXPECT_TRUE(HasSound(d[4], "Play GameMusic2"));
}

TEST(Spine, OnePlayerGameReplacesCloudsLeftFromTheCredits) {
  auto d = RunSim(
      "set GameState 1\nhold SPACE NUMPAD0\nframes 1\nrelease all\nset player1.score 77\n"
      "set GameState 0\nset titleMenu.item 0\nset titleMenu.playersChoice 0\n"
      "hold ENTER\nframes 1\ndump\n");
  EXPECT_EQ(d[0]["GameState"], Playing);
  EXPECT_EQ(d[0]["player1"]["score"], 0);         // a new cloud
  EXPECT_EQ(d[0]["player2"]["playerNumber"], 2);  // slot 2 untouched
}

// Deaths: the generated table runs from 5000 down; a score of 0 does not qualify.
TEST(Spine, DeadCloudWithoutPlaceLeavesOrResets) {
  auto d = RunSim(
      "set GameState 1\nhold SPACE NUMPAD0\nframes 1\nrelease all\n"
      "set player1.state 5\nframes 1\ndump\n"    // the other still plays: player 1 just leaves
      "set player2.state 5\nframes 1\ndump\n");  // the last one: back to the title
  EXPECT_TRUE(d[0]["player1"].is_null());
  EXPECT_EQ(d[0]["GameState"], Playing);
  EXPECT_EQ(d[1]["GameState"], TitleMenu);
  EXPECT_TRUE(d[1]["player2"].is_null());
}

TEST(Spine, QualifyingDeathAsksForTheNameThenResumes) {
  auto d = RunSim(
      "set GameState 1\nhold SPACE NUMPAD0\nframes 1\nrelease all\n"
      "set player1.score 999999\nset player1.state 5\nframes 1\ndump\n"
      "frames 5\ndump\n"  // the world stands still during the entry
      "press A\nframes 1\npress B\nframes 1\npress ENTER\nframes 1\ndump\n");
  EXPECT_EQ(d[0]["GameState"], NameEntry);
  EXPECT_TRUE(d[0]["player1"].is_null());
  EXPECT_EQ(d[0]["highScores"]["subject"], 1);
  EXPECT_EQ(d[1]["player2"]["position"], d[0]["player2"]["position"]);
  EXPECT_EQ(d[2]["GameState"], Playing);
  EXPECT_EQ(d[2]["highScores"]["points"][0], 999999);
  EXPECT_EQ(d[2]["highScores"]["names"][0], "AB\n");
}

TEST(Spine, LastQualifyingDeathEndsAtTheTable) {
  auto d = RunSim(
      "set GameState 1\nhold SPACE\nframes 1\nrelease all\n"
      "set player1.score 6000\nset player1.state 5\nframes 1\n"
      "press Z\nframes 1\npress ENTER\nframes 1\ndump\n"
      "hold SPACE\nframes 1\ndump\n");
  EXPECT_EQ(d[0]["GameState"], HighScoreTable);
  EXPECT_EQ(d[0]["highScores"]["points"][0], 6000);
  EXPECT_EQ(d[1]["GameState"], TitleMenu);
}

TEST(Spine, BothCloudsDyingTogetherBothEnterTheTable) {
  auto d = RunSim(
      "set GameState 1\nhold SPACE NUMPAD0\nframes 1\nrelease all\n"
      "set player1.score 7000\nset player2.score 6000\n"
      "set player1.state 5\nset player2.state 5\nframes 1\ndump\n"
      "press A\nframes 1\npress ENTER\nframes 1\ndump\n"
      "press B\nframes 1\npress ENTER\nframes 1\ndump\n");
  EXPECT_EQ(d[0]["GameState"], NameEntry);
  EXPECT_EQ(d[0]["highScores"]["subject"], 1);
  EXPECT_EQ(d[1]["GameState"], NameEntry);
  EXPECT_EQ(d[1]["highScores"]["subject"], 2);
  EXPECT_EQ(d[2]["GameState"], HighScoreTable);
  EXPECT_EQ(d[2]["highScores"]["points"][0], 7000);
  EXPECT_EQ(d[2]["highScores"]["names"][0], "A\n");
  EXPECT_EQ(d[2]["highScores"]["points"][1], 6000);
  EXPECT_EQ(d[2]["highScores"]["names"][1], "B\n");
}

TEST(Spine, HeldEnterDoesNotCommitAnEmptyName) {
  // Player 2 casting with Enter while player 1 dies must not skip the name.
  auto d = RunSim(
      "set GameState 1\nhold SPACE NUMPAD0\nframes 1\nrelease all\n"
      "hold ENTER\nset player1.score 8000\nset player1.state 5\nframes 3\ndump\n"
      "release all\npress Q\nframes 1\npress ENTER\nframes 1\ndump\n");
  EXPECT_EQ(d[0]["GameState"], NameEntry);
  EXPECT_EQ(d[1]["GameState"], Playing);
  EXPECT_EQ(d[1]["highScores"]["names"][0], "Q\n");
}

TEST(Spine, MusicFadesWithTheClouds) {
  auto d = RunSim(
      "frames 50\ndump\nframes 100\ndump\n"
      "set GameState 1\nhold SPACE\nframes 1\nrelease all\nset player1.energy 60\nframes 10\ndump\n"
      "set player1.energy 90\nframes 10\ndump\nframes 200\ndump\n");
  EXPECT_EQ(d[0]["musicVolume"], 50);  // one step per frame on the title
  EXPECT_EQ(d[0]["music2Volume"], 0);
  EXPECT_EQ(d[1]["musicVolume"], 100);
  EXPECT_EQ(d[2]["musicVolume"], 100);  // exactly 60 is not heavy enough
  EXPECT_EQ(d[3]["musicVolume"], 90);
  EXPECT_EQ(d[3]["music2Volume"], 10);
  EXPECT_EQ(d[4]["musicVolume"], 20);
  EXPECT_EQ(d[4]["music2Volume"], 100);
}

TEST(Spine, SameSeedSameRun) {
  const std::string script =
      "seed 7\nset GameState 1\nhold SPACE\nframes 300\nhold D G\nframes 300\ndump\n";
  auto a = RunSim(script);
  auto b = RunSim(script);
  ASSERT_EQ(a.size(), 1u);
  ASSERT_EQ(b.size(), 1u);
  EXPECT_EQ(a[0].dump(), b[0].dump());
}

TEST(Spine, BadScriptLinesFail) {
  for (const char* script : {"bogus\n", "hold NOSUCHKEY\n", "frames x\n", "set nothing.here 1\n",
                             "frames 1\nseed 3\n", "spawn Unicorn\n"}) {
    SimResult r = RunSimWith(script, SimOptions{});
    EXPECT_NE(r.exitCode, 0) << script;
    EXPECT_NE(r.errors.find("line "), std::string::npos) << script;
  }
}

}  // namespace

namespace {

TEST(Spine, ResetSilencesTheRainAndThePlane) {
  auto d = RunSim(
      "set GameState 1\nhold SPACE\nframes 1\nrelease all\nset player1.energy 50\n"
      "set spawn.planeTimer 29.99\nhold G\nframes 5\ndump\n"
      "release all\nhold F7\nframes 1\ndump\nrelease all\n"
      "set GameState 1\nhold SPACE\nframes 1\nrelease all\nset player1.energy 50\nhold G\nframes 3\ndump\n");
  EXPECT_TRUE(HasSound(d[0], "Play Rain_Loop_04"));
  EXPECT_TRUE(HasSound(d[0], "Play Plane_Warning"));
  EXPECT_TRUE(HasSound(d[1], "Stop Rain_Loop_04"));
  EXPECT_TRUE(HasSound(d[1], "Stop Plane_Warning"));
  EXPECT_TRUE(HasSound(d[2], "Play Rain_Loop_04"));  // the next game's rain is heard again
}

}  // namespace
