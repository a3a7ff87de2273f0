// The HUD: the rank kept in step with the high-score table, its badge, the
// charge picture's cap and the texts of each state (places: DrawPlacesTest).
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "config/GameValues.h"
#include "game/Hud.h"
#include "game/Sheets.h"
#include "gfx/TextPrinter.h"
#include "objects/Lightning.h"
#include "objects/PlayerCloud.h"
#include "persist/HighScores.h"
#include "sound/SoundBank.h"
#include "tests/GlyphPrinter.h"
#include "tests/HeadlessEngine.h"
#include "tests/game/GameScenario.h"

namespace {

// A sheet of one of the HUD's grids: a row of 10 px frames.
SpriteSheet* TestSheet(const char* name, int frames) {
  const std::string file = WriteTestPng(TestFolder("hud"), name, 10 * frames, 10, 0xFF00FF00);
  return MarkUndrawn(new SpriteSheet(file, frames, 1));
}

HighScores* TestTable() {
  const std::string dir = TestFolder("hud-table");
  std::ofstream(dir + "/points.txt") << "500\n450\n400\n350\n300\n250\n200\n150\n100\n50\n";
  std::ofstream(dir + "/names.txt");
  return new HighScores(dir + "/names.txt", dir + "/points.txt");
}

class HudTest : public ::testing::Test {
 protected:
  void SetUp() override { soundBank->callLog = &sounds; }
  void TearDown() override {
    delete player1;
    delete player2;
    player1 = player2 = nullptr;
    soundBank->callLog = nullptr;
  }
  Scoped<HGE*> engine{hge, HeadlessEngine()};
  Scoped<int> width{screenWidth, 1024}, height{screenHeight, 768};
  Scoped<float> delta{frameDelta, 0};
  Scoped<bool> stats{showFrameStats, false};
  Scoped<State> state{GameState, State::Playing};
  Owned<SpriteSheet> sheets[5] = {{fluidSheet, TestSheet("fluid.png", 1)},
                                  {interfaceSheet, TestSheet("if1.png", 1)},
                                  {interface2Sheet, TestSheet("if2.png", 1)},
                                  {rankSheet, TestSheet("rank.png", 13)},
                                  {chargesSheet, TestSheet("charges.png", 11)}};
  Owned<TextPrinter> printer{textPrinter, MakeGlyphPrinter()};
  Owned<HighScores> table{highScores, TestTable()};
  std::vector<std::string> sounds;
};

TEST_F(HudTest, RankFollowsTheTableEveryChangeSoundsAndTheBadgeShowsIt) {
  // Rank = table position + 1: 0 for the leader (a score equal to the best),
  // 2..10 in the table, 11 below it, which is also a new cloud's rank. Rows:
  // whether the table is all zeros, the score, the rank, GainRank sounds so
  // far, the badge frame.
  const std::vector<int> table = highScores->points;
  const std::tuple<bool, int, int, int, int> steps[] = {
      {true, 0, 0, 1, 11},  // a new cloud leading an empty table hears it at once
      {true, 0, 0, 1, 11},  // an unchanged rank is not announced again
      {false, 0, 11, 2, 0}, {false, 420, 3, 3, 8}, {false, 500, 0, 4, 11}, {false, 60, 10, 5, 1}};
  player1 = new PlayerCloud(1);
  player1->lightning->charges = 37;
  for (const auto& [emptyTable, score, rank, gainRanks, badge] : steps) {
    highScores->points = emptyTable ? std::vector<int>(10, 0) : table;
    player1->score = score;
    MarkUndrawn(rankSheet);
    RenderHud();
    EXPECT_EQ(player1->rank, rank) << "score " << score;
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "Play GainRank"), gainRanks)
        << "score " << score;
    EXPECT_EQ(DrawnFrames(rankSheet), std::vector<int>{badge}) << "score " << score;
  }
  // The charge picture stops at ten; only the picture is capped.
  EXPECT_EQ(DrawnFrames(chargesSheet), std::vector<int>{10});
  EXPECT_EQ(player1->lightning->charges, 37);
}

TEST_F(HudTest, TextsOfEachStateInTheirPlaces) {
  // Characters of one text each: 'b' of player 1's join prompt at (0, 20); the
  // second '"' of player 2's at 2 * 1024 / 3; 'u' of "Pause", centred; '+' of
  // "Score: 1.23457e+06" (a float's default format) centred on 1024 / 3; '4' of
  // "Score: 456" centred on 682; 'F' of "Fps: " on line 0, 'y' of "Time Played: "
  // on line 1 and 'f' of "inf", the rate of a zero frame delta (the first frame's).
  const hgeVector b(11 * kGlyphWidth, 20), quote(682 + 8 * kGlyphWidth, 20),
      u(512 - 20 + 2 * kGlyphWidth, 384), plus(341 - 72 + 15 * kGlyphWidth, 20),
      four(682 - 40 + 7 * kGlyphWidth, 20), F(0, 0), y(8 * kGlyphWidth, 24), f(7 * kGlyphWidth, 0),
      no(kUndrawn, kUndrawn);
  // Rows: the state, whether clouds play, the frame delta with the statistics
  // on (-1: off), and where the characters above show.
  const std::tuple<State, bool, float, std::vector<hgeVector>> rows[] = {
      {State::TitleMenu, false, -1, {no, no, no, no, no, no, no, no}},
      {State::TitleMenu, false, 0.02f, {no, no, no, no, no, F, y, no}},
      {State::TitleMenu, false, 0, {no, no, no, no, no, F, y, f}},
      {State::Playing, false, -1, {b, quote, no, no, no, no, no, no}},
      {State::Paused, false, -1, {b, quote, u, no, no, no, no, no}},
      {State::Playing, true, -1, {no, no, no, plus, four, no, no, no}},
      {State::Paused, true, -1, {no, no, u, plus, four, no, no, no}}};
  for (const auto& [s, clouds, delta, places] : rows) {
    if (clouds && !player1) {
      player1 = new PlayerCloud(1);
      player2 = new PlayerCloud(2);
      player1->score = 1234567;
      player2->score = 456;
    }
    GameState = s;
    showFrameStats = delta >= 0;
    frameDelta = delta;
    MarkGlyphsUndrawn(textPrinter);
    RenderHudText();
    std::vector<hgeVector> shown;
    for (char c : std::string("b\"u+4Fyf")) {
      float x = kUndrawn, y = kUndrawn;
      GlyphDrawn(textPrinter, c, &x, &y);
      shown.emplace_back(x, y);
    }
    EXPECT_EQ(shown, places) << "state " << int(s) << (clouds ? " with clouds" : "")
                             << ", frame delta " << delta;
  }
}

}  // namespace
