// The HUD: where each player's gauge, badge and charges go, the rank kept in
// step with the high-score table (with "GainRank" on every change), the
// charge picture's cap, the texts of each state and the number format.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "config/GameValues.h"
#include "engine/Platform.h"
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

const hgeVector kNowhere(kUndrawn, kUndrawn);

// A sheet of one of the HUD's grids with small known frame sizes.
SpriteSheet* TestSheet(const char* name, int width, int height, int framesX) {
  const std::string file = WriteTestPng(TestFolder("hud"), name, width, height, 0xFF00FF00);
  return MarkUndrawn(new SpriteSheet(file, framesX, 1));
}

HighScores* TestTable() {
  const std::string dir = TestFolder("hud-table");
  ::testing::internal::CaptureStdout();  // the table's files do not exist
  HighScores* table = new HighScores(dir + "/names.txt", dir + "/points.txt");
  ::testing::internal::GetCapturedStdout();
  table->points = {500, 450, 400, 350, 300, 250, 200, 150, 100, 50};
  return table;
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
  // Where a character was drawn since MarkGlyphsUndrawn, or kNowhere.
  hgeVector Glyph(char c) const {
    float x = 0, y = 0;
    return GlyphDrawn(textPrinter, c, &x, &y) ? hgeVector(x, y) : kNowhere;
  }
  // Rows: a sheet, the frames drawn, which corner of the first (0 top-left, 1
  // top-right) and where it went.
  using Placed = std::tuple<SpriteSheet*, std::vector<int>, int, hgeVector>;
  static void ExpectPlaced(std::initializer_list<Placed> rows) {
    for (const auto& [sheet, frames, corner, at] : rows) {
      EXPECT_EQ(DrawnFrames(sheet), frames) << sheet->fileName;
      const hgeVertex& v = sheet->frames[frames.empty() ? 0 : frames[0]]->quad.v[corner];
      EXPECT_EQ(hgeVector(v.x, v.y), at) << sheet->fileName;
      MarkUndrawn(sheet);
    }
  }

  Scoped<HGE*> engine{hge, HeadlessEngine()};
  Scoped<int> width{screenWidth, 1024}, height{screenHeight, 768};
  Scoped<float> delta{frameDelta, 0};
  Scoped<bool> stats{showFrameStats, false};
  Scoped<State> state{GameState, State::Playing};
  Owned<SpriteSheet> sheets[5] = {{fluidSheet, TestSheet("fluid.png", 20, 500, 1)},
                                  {interfaceSheet, TestSheet("if1.png", 150, 120, 1)},
                                  {interface2Sheet, TestSheet("if2.png", 140, 110, 1)},
                                  {rankSheet, TestSheet("rank.png", 130, 40, 13)},
                                  {chargesSheet, TestSheet("charges.png", 110, 30, 11)}};
  Owned<TextPrinter> printer{textPrinter, MakeGlyphPrinter()};
  Owned<HighScores> table{highScores, TestTable()};
  std::vector<std::string> sounds;
};

TEST_F(HudTest, RankFollowsTheTableAndEveryChangeSounds) {
  // Rank = table position + 1: 0 for the leader (a score equal to the best),
  // 2..10 in the table, 11 below it, which is also a new cloud's rank. Rows:
  // whether the table is all zeros, the score, the rank, GainRank sounds so far.
  const std::vector<int> table = highScores->points;
  const std::tuple<bool, int, int, int> steps[] = {
      {true, 0, 0, 1},  // a new cloud leading an empty table hears it at once
      {true, 0, 0, 1},  // an unchanged rank is not announced again
      {false, 0, 11, 2}, {false, 420, 3, 3}, {false, 500, 0, 4}, {false, 60, 10, 5}};
  player1 = new PlayerCloud(1);
  for (const auto& [emptyTable, score, rank, gainRanks] : steps) {
    highScores->points = emptyTable ? std::vector<int>(10, 0) : table;
    player1->score = score;
    RenderHud();
    EXPECT_EQ(player1->rank, rank) << "score " << score;
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "Play GainRank"), gainRanks)
        << "score " << score;
  }
}

TEST_F(HudTest, PlayerOnePicturesInTheTopLeftCorner) {
  player1 = new PlayerCloud(1);
  player1->energy = 100;  // the gauge's top edge at y 2
  player1->score = 420;   // rank 3: badge frame 8
  player1->lightning->charges = 4;
  RenderHud();
  // Charges sit with their bottom edge on the gauge frame's.
  ExpectPlaced({{fluidSheet, {0}, 0, {12, 2}},
                {interfaceSheet, {0}, 0, {0, 0}},
                {interface2Sheet, {}, 0, kNowhere},
                {rankSheet, {8}, 0, {160, 10}},
                {chargesSheet, {4}, 0, {0, 120 - 30}}});
  player1->energy = 0;
  RenderHud();
  ExpectPlaced({{fluidSheet, {0}, 0, {12, -498}}});  // an empty gauge lies above the screen
}

TEST_F(HudTest, PlayerTwoPicturesAlignedOnTheRightEdge) {
  player2 = new PlayerCloud(2);
  player2->energy = 50;
  player2->score = 1000;  // the leader: badge frame 11
  player2->lightning->charges = 37;
  const size_t boxes = ShownErrorBoxes().size();
  RenderHud();
  // The charge picture stops at ten; only the picture is capped.
  ExpectPlaced({{fluidSheet, {0}, 1, {1024 - 13, 50 * 5 - 498}},
                {interfaceSheet, {}, 0, kNowhere},
                {interface2Sheet, {0}, 1, {1024, 0}},
                {rankSheet, {11}, 1, {1024 - 160, 10}},
                {chargesSheet, {10}, 1, {1024, 110 - 30}}});
  EXPECT_EQ(player2->lightning->charges, 37);
  EXPECT_EQ(ShownErrorBoxes().size(), boxes) << "no frame out of range";
}

TEST_F(HudTest, TextsOfEachStateInTheirPlaces) {
  // Characters found in one text each, where that text puts them: 'b' in
  // player 1's join prompt, left-aligned at (0, 20); the second '"' in player
  // 2's, left-aligned at 2 * 1024 / 3; 'u' in "Pause", centred on the screen;
  // '+' in "Score: 1.23457e+06" (a float's default format), centred on
  // 1024 / 3; '4' in "Score: 456", centred on 682; with the frame statistics
  // on, 'F' in "Fps: " on line 0, 'y' in "Time Played: " on line 1 and 'f' in
  // the rate "inf" of a zero frame delta (the very first frame's).
  const hgeVector b(11 * kGlyphWidth, 20), quote(682 + 8 * kGlyphWidth, 20),
      u(512 - 20 + 2 * kGlyphWidth, 384), plus(341 - 72 + 15 * kGlyphWidth, 20),
      four(682 - 40 + 7 * kGlyphWidth, 20), F(0, 0), y(8 * kGlyphWidth, 24), f(7 * kGlyphWidth, 0),
      no = kNowhere;
  // Rows: the state, whether clouds play, the frame delta with the statistics
  // on (-1: off), and where the characters above show.
  const std::tuple<State, bool, float, std::vector<hgeVector>> rows[] = {
      {State::TitleMenu, false, -1, {no, no, no, no, no, no, no, no}},
      {State::TitleMenu, false, 0.02f, {no, no, no, no, no, F, y, no}},
      {State::TitleMenu, false, 0, {no, no, no, no, no, F, y, f}},
      {State::Playing, false, -1, {b, quote, no, no, no, no, no, no}},
      {State::Paused, false, -1, {b, quote, u, no, no, no, no, no}},
      {State::Credits, false, -1, {no, no, no, no, no, no, no, no}},
      {State::TitleMenu, true, -1, {no, no, no, plus, four, no, no, no}},
      {State::Playing, true, -1, {no, no, no, plus, four, no, no, no}},
      {State::Paused, true, -1, {no, no, u, plus, four, no, no, no}},
      {State::Credits, true, -1, {no, no, no, plus, four, no, no, no}}};
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
    for (char c : std::string("b\"u+4Fyf")) shown.push_back(Glyph(c));
    EXPECT_EQ(shown, places) << "state " << int(s) << (clouds ? " with clouds" : "")
                             << ", frame delta " << delta;
  }
}

}  // namespace
