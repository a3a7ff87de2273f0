// The game states through the simulator: every key of every state, joins,
// deaths and their outcomes, the reset, quitting and the music fade.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "tests/HeadlessEngine.h"
#include "tests/SimRunner.h"

using nlohmann::json;

namespace {

enum { TitleMenu, Playing, Paused, HighScoreTable, NameEntry, Credits, PictureScreen };

// Runs a scenario that ends with a dump, then holds Escape: the game must quit
// at once from the state it reached (the scenarios between them reach every one).
std::vector<json> RunThenEscape(const std::string& script, int state) {
  SimResult r = RunSimWith(script + "hold ESCAPE\nframes 1\ndump\n", SimOptions{});
  EXPECT_EQ(r.exitCode, 0) << r.errors;
  size_t dumps = 0;
  for (size_t p = 0; (p = script.find("dump\n", p)) != std::string::npos; ++p) ++dumps;
  EXPECT_EQ(r.dumps.size(), dumps) << "Escape did not quit";
  r.dumps.resize(dumps);
  EXPECT_EQ(r.dumps.back()["GameState"], state);
  return r.dumps;
}

// Checks rows of "DUMP /json/pointer VALUE", the value written as JSON, or
// of "DUMP /sounds has CALL" for a sound call made since the dump before.
void Expect(const std::vector<json>& dumps, std::initializer_list<const char*> rows) {
  for (const char* row : rows) {
    std::istringstream in(row);
    size_t i = 0;
    std::string path, value;
    std::getline(in >> i >> path >> std::ws, value);
    ASSERT_LT(i, dumps.size()) << row;
    if (value.rfind("has ", 0) == 0) {
      const json& sounds = dumps[i]["sounds"];
      EXPECT_NE(std::find(sounds.begin(), sounds.end(), value.substr(4)), sounds.end()) << row;
      continue;
    }
    const json::json_pointer field(path);
    EXPECT_EQ(dumps[i].contains(field) ? dumps[i][field] : json(), json::parse(value)) << row;
  }
}

const std::string kBothJoin = "set GameState 1\nhold SPACE NUMPAD0\nframes 1\nrelease all\n";

std::vector<int> States(const std::vector<json>& dumps) {
  std::vector<int> states;
  for (const json& d : dumps) states.push_back(d["GameState"]);
  return states;
}

// Deaths: the generated table runs from 5000 down by 500; a score of 0 does not qualify.
TEST(Spine, StartsOnTheTitleThenPlayersJoinAndLeaveWhenDeadWithoutAPlace) {
  auto d = RunThenEscape(
      "dump\nframes 1\ndump\nset GameState 1\nframes 1\ndump\n"
      "hold SPACE\nframes 1\ndump\nrelease all\n"
      "hold NUMPAD0\nframes 1\ndump\nrelease all\n"
      "set player1.state 5\nframes 1\ndump\n"   // the other still plays: player 1 just leaves
      "set player2.state 5\nframes 1\ndump\n",  // the last one: back to the title
      TitleMenu);
  EXPECT_EQ(States(d), (std::vector<int>{TitleMenu, TitleMenu, Playing, Playing, Playing, Playing,
                                         TitleMenu}));
  // A fresh world; the world speed follows the players from their first frame.
  Expect(d, {"0 /player1 null", "0 /player2 null", "0 /messages []", "0 /worldSpeed 35",
             "3 /player1/playerNumber 1", "3 /player2 null", "3 /worldSpeed 70",
             "4 /player2/playerNumber 2", "5 /player1 null", "6 /player2 null"});
  EXPECT_FALSE(d[0]["mountain"].is_null());
  EXPECT_FALSE(d[0]["plane"].is_null());
  EXPECT_FLOAT_EQ(d[1]["frameDelta"].get<float>(), 1.0f / 60);
}

TEST(Spine, PlayKeysAndTheResetThatSilencesTheGame) {
  auto d = RunThenEscape(
      "set GameState 1\nhold SPACE\nframes 1\nrelease all\n"
      "hold Q\nframes 3\ndump\nrelease all\n"  // Q flips every frame: on, off, on
      "set player1.energy 20\nhold X\nframes 1\ndump\nrelease all\n"
      "hold C\nframes 1\ndump\nrelease all\n"
      "set player1.energy 50\nset spawn.planeTimer 29.99\nhold G\nframes 5\ndump\n"
      "release all\nhold F7\nframes 1\ndump\nrelease all\n"
      "set GameState 1\nhold SPACE\nframes 1\nrelease all\nset player1.energy 50\n"
      "hold G\nframes 3\ndump\n",
      Playing);
  Expect(d, {"0 /showFrameStats true", "2 /mountain/position/1 0", "4 /GameState 0",
             "4 /player1 null", "4 /rain/loopPlaying false"});
  EXPECT_GT(d[1]["player1"]["energy"].get<float>(), 99.0f);
  EXPECT_LT(d[2]["mountain"]["position"][0].get<float>(), -1000.0f);
  EXPECT_GT(d[2]["mountain"]["position"][0].get<float>(), -1003.0f);
  // F7: back to the title with every loop stopped; the next game's rain is
  // heard again; the spawn timers carry over.
  Expect(d, {"3 /sounds has Play Rain_Loop_04", "3 /sounds has Play Plane_Warning",
             "4 /sounds has Stop Rain_Loop_04", "4 /sounds has Stop Plane_Warning",
             "4 /sounds has Stop GameMusic", "4 /sounds has Stop GameMusic2",
             "5 /sounds has Play Rain_Loop_04"});
  EXPECT_EQ(d[4]["spawn"]["mountainTimer"], d[3]["spawn"]["mountainTimer"]);
}

TEST(Spine, PauseIsGuardedAgainstFlickerAndStopsTheWorld) {
  auto d = RunThenEscape(
      "set GameState 1\nframes 40\n"  // 0.67 s: more than half a second since start-up
      "hold P\nframes 1\ndump\n"      // -> Paused
      "frames 28\ndump\n"             // still held, less than 0.5 s: stays Paused
      "frames 3\ndump\n"              // past 0.5 s: back to Playing
      "release all\nframes 40\nhold P\nframes 1\ndump\n",
      Paused);
  EXPECT_EQ(States(d), (std::vector<int>{Paused, Paused, Playing, Paused}));
  EXPECT_EQ(d[1]["spawn"]["mountainTimer"], d[0]["spawn"]["mountainTimer"]);
  EXPECT_EQ(d[1]["scenery"]["elapsed"], d[0]["scenery"]["elapsed"]);
}

TEST(Spine, PictureScreenAndGuardedCredits) {
  auto d = RunThenEscape(
      "set GameState 6\nframes 1\ndump\nhold SPACE\nframes 1\ndump\nrelease all\n"
      "set GameState 1\nframes 40\nhold F1\nframes 1\ndump\nrelease all\n"
      "hold SPACE\nframes 1\ndump\n",
      Credits);
  EXPECT_EQ(States(d), (std::vector<int>{PictureScreen, TitleMenu, Credits, Credits}))
      << "Space is guarded in the credits";
}

TEST(Spine, TitleMenuEnterByItem) {
  auto d = RunThenEscape(
      "set titleMenu.item 3\nhold ENTER\nframes 1\ndump\nrelease all\n"
      "hold SPACE\nframes 1\ndump\nrelease all\n"
      "set titleMenu.item 2\nhold ENTER\nframes 1\ndump\nrelease all\n"
      "frames 40\nhold SPACE\nframes 1\ndump\nrelease all\n"
      "set titleMenu.item 0\nset titleMenu.playersChoice 1\nhold ENTER\nframes 1\ndump\n"
      // Back on the title with both clouds, a one-player game replaces only cloud 1.
      "release all\nset player1.score 77\nset player2.score 55\nset GameState 0\n"
      "set titleMenu.playersChoice 0\nhold ENTER\nframes 1\ndump\nrelease all\n"
      "set GameState 0\nset titleMenu.item 1\nhold ENTER\nframes 1\ndump\n",
      PictureScreen);
  // Space in the table resets; after half a second Space leaves the credits.
  EXPECT_EQ(States(d), (std::vector<int>{HighScoreTable, TitleMenu, Credits, TitleMenu, Playing,
                                         Playing, PictureScreen}));
  Expect(d,
         {"4 /player1/playerNumber 1", "4 /player2/playerNumber 2", "4 /sounds has Play GameMusic",
          "4 /sounds has Play GameMusic2", "5 /player1/score 0", "5 /player2/score 55"});
}

TEST(Spine, QualifyingDeathAsksForTheNameThenResumesAndAHeldEnterCommitsNoEmptyName) {
  // Last, player 2 casts with Enter held as player 1 dies again: that must not
  // skip the name, also just after an entry that ended with Enter.
  auto d = RunThenEscape(kBothJoin +
                             "set player2.score 4800\n"
                             "set player1.score 999999\nset player1.state 5\nframes 1\ndump\n"
                             "frames 5\ndump\n"  // the world stands still during the entry
                             "press A\nframes 1\npress B\nframes 1\npress ENTER\nframes 1\ndump\n"
                             "hold SPACE\nframes 1\nrelease all\nhold ENTER\n"
                             "set player1.score 8000\nset player1.state 5\nframes 3\ndump\n",
                         NameEntry);
  EXPECT_EQ(States(d), (std::vector<int>{NameEntry, NameEntry, Playing, NameEntry}));
  EXPECT_EQ(d[1]["player2"]["position"], d[0]["player2"]["position"]);
  // The committed name moves the cloud still playing down a place, and it hears it.
  Expect(d, {"0 /player1 null", "0 /highScores/subject 1", "0 /player2/rank 2",
             "2 /highScores/points/0 999999", "2 /highScores/names/0 \"AB\\n\"",
             "2 /player2/rank 3", "2 /sounds has Play GainRank", "3 /highScores/subject 1"});
}

// Typing a name: rows of the name at first (set, or cleared by Backspace),
// the keys held in each frame, and the name after each frame.
TEST(Spine, NameEntryTypesUpToThreeCharactersOneKeyAFrame) {
  const std::tuple<const char*, std::vector<const char*>, std::vector<std::string>> rows[] = {
      {"", {"A", "B", "C", "D", "BACKSPACE", ""}, {"A", "AB", "ABC", "ABC", "AB", "AB"}},
      {"", {"SPACE", "SPACE", "SPACE", "SPACE"}, {" ", "  ", "   ", "   "}},  // Space repeats
      {"XYZ", {"BACKSPACE", "BACKSPACE", "BACKSPACE", "BACKSPACE"}, {"XY", "X", "", ""}},
      {"XY", {"BACKSPACE A"}, {"X"}},                         // Backspace wins
      {"", {"A", "A", "A"}, {"A", "A", "A"}},                 // a held letter goes once
      {"", {"F1", "LEFT", "SHIFT", "7"}, {"", "", "", "7"}},  // only keys that type
      // The length is checked before the key's name is added.
      {"", {"A", "B", "NUMPAD0", "C"}, {"A", "AB", "ABNumpad 0", "ABNumpad 0"}},
  };
  std::string script = kBothJoin + "set player1.score 999999\nset player1.state 5\nframes 1\n";
  for (const auto& [start, keys, names] : rows) {
    script += *start ? std::string("set highScores.typedName ") + start + "\n"
                     : "hold BACKSPACE\nframes 3\n";
    for (const char* held : keys)
      script +=
          std::string("release all\n") + (*held ? "hold " : "#") + held + "\nframes 1\ndump\n";
    script += "release all\nframes 1\n";
  }
  const auto d = RunSim(script);
  size_t i = 0;
  for (const auto& [start, keys, names] : rows)
    for (const std::string& name : names)
      EXPECT_EQ(d.at(i++)["highScores"]["typedName"], name) << i;
}

TEST(Spine, BothCloudsDyingTogetherEnterTheTableThenItShows) {
  auto d = RunThenEscape(kBothJoin +
                             "set player1.score 7000\nset player2.score 6000\n"
                             "set player1.state 5\nset player2.state 5\nframes 1\ndump\n"
                             "press A\nframes 1\npress ENTER\nframes 1\ndump\n"
                             "press B\nframes 1\npress ENTER\nframes 1\ndump\n",
                         HighScoreTable);
  EXPECT_EQ(States(d), (std::vector<int>{NameEntry, NameEntry, HighScoreTable}));
  Expect(d, {"0 /highScores/subject 1", "1 /highScores/subject 2", "2 /highScores/points/0 7000",
             "2 /highScores/names/0 \"A\\n\"", "2 /highScores/points/1 6000",
             "2 /highScores/names/1 \"B\\n\""});
  // A second cloud that the first one's entry pushes below the last place is
  // not asked for a name.
  d = RunThenEscape(
      kBothJoin +
          "set player1.score 7000\nset player2.score 700\nset player1.state 5\n"
          "set player2.state 5\nframes 1\npress A\nframes 1\npress ENTER\nframes 1\ndump\n",
      HighScoreTable);
  EXPECT_EQ(States(d), std::vector<int>{HighScoreTable});
}

TEST(Spine, MusicFadesWithTheCloudsAndTheSameSeedGivesTheSameRun) {
  const std::string script =
      "seed 7\nframes 50\ndump\nframes 100\ndump\n"
      "set GameState 1\nhold SPACE\nframes 1\nrelease all\nset player1.energy 60\nframes 10\ndump\n"
      "set player1.energy 90\nframes 10\ndump\nframes 200\ndump\n";
  const auto d = RunSim(script);
  EXPECT_EQ(json(RunSim(script)).dump(), json(d).dump());  // byte for byte
  // One step per frame on the title; exactly 60 is not heavy enough.
  Expect(d, {"0 /musicVolume 50", "0 /music2Volume 0", "1 /musicVolume 100", "1 /music2Volume 0",
             "2 /musicVolume 100", "3 /musicVolume 90", "3 /music2Volume 10", "4 /musicVolume 20",
             "4 /music2Volume 100"});
}

// A bad line ends its run, so each needs a run of its own.
TEST(Spine, BadScriptLinesFail) {
  for (const char* script : {"bogus\n", "hold NOSUCHKEY\n", "frames x\n", "set nothing.here 1\n",
                             "frames 1\nseed 3\n", "spawn Unicorn\n"}) {
    SimResult r = RunSimWith(script, SimOptions{});
    EXPECT_NE(r.exitCode, 0) << script;
    EXPECT_NE(r.errors.find("line "), std::string::npos) << script;
  }
}

TEST(Spine, WithoutADisplayTheGameSaysWhyAndFails) {
  const std::string dir = TestFolder("no-display");
  const std::string run = "cd " + dir + " && env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER ";
  EXPECT_EQ(WEXITSTATUS(std::system((run + "timeout 60 " ZARVO_GAME " 2>err.txt").c_str())), 1);
  EXPECT_NE(ReadFile(dir + "/err.txt").find("Error: Can't initialize SDL"), std::string::npos);
}

}  // namespace
