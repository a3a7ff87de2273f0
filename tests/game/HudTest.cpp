// The HUD: where each player's gauge, badge and charges go, the rank kept in
// step with the high-score table (with "GainRank" on every change), the
// charge picture's cap, the number format, and rank changes in a running game.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "config/GameValues.h"
#include "engine/Platform.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "game/Hud.h"
#include "game/Sheets.h"
#include "gfx/SpriteSheet.h"
#include "gfx/TextPrinter.h"
#include "objects/Lightning.h"
#include "objects/PlayerCloud.h"
#include "persist/HighScores.h"
#include "sound/SoundBank.h"
#include "tests/GlyphPrinter.h"
#include "tests/HeadlessEngine.h"
#include "tests/SimRunner.h"

namespace {

constexpr float kUnset = -12345;

bool HasSound(const nlohmann::json& dump, const std::string& call) {
  for (const nlohmann::json& s : dump["sounds"])
    if (s == call) return true;
  return false;
}

// Puts every frame of a sheet far away so that a test can tell which frame a
// draw touched: a draw moves only the corners of the frame it draws.
void MarkUndrawn(SpriteSheet* sheet) {
  for (hgeSprite* s : sheet->frames)
    for (hgeVertex& v : s->quad.v) v.x = v.y = kUnset;
}

std::vector<int> DrawnFrames(SpriteSheet* sheet) {
  std::vector<int> drawn;
  for (size_t i = 0; i < sheet->frames.size(); ++i)
    if (sheet->frames[i]->quad.v[0].x != kUnset) drawn.push_back(static_cast<int>(i));
  return drawn;
}

class HudTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedHge = hge;
    hge = HeadlessEngine();
    ASSERT_NE(hge, nullptr);
    savedWidth = screenWidth;
    savedHeight = screenHeight;
    screenWidth = 1024;
    screenHeight = 768;
    saved = {fluidSheet, interfaceSheet, interface2Sheet, rankSheet, chargesSheet};
    savedPrinter = textPrinter;
    savedTable = highScores;
    savedState = GameState;
    const std::string dir = TestFolder("hud");
    // Sheets of the HUD's grids with small known frame sizes.
    fluidSheet = new SpriteSheet(WriteTestPng(dir, "fluid.png", 20, 500, 0xFF0000FF), 1, 1);
    interfaceSheet = new SpriteSheet(WriteTestPng(dir, "if1.png", 150, 120, 0xFF00FF00), 1, 1);
    interface2Sheet = new SpriteSheet(WriteTestPng(dir, "if2.png", 140, 110, 0xFF00FF00), 1, 1);
    rankSheet = new SpriteSheet(WriteTestPng(dir, "rank.png", 130, 40, 0xFFFF0000), 13, 1);
    chargesSheet = new SpriteSheet(WriteTestPng(dir, "charges.png", 110, 30, 0xFFFFFF00), 11, 1);
    for (SpriteSheet* s : {fluidSheet, interfaceSheet, interface2Sheet, rankSheet, chargesSheet})
      MarkUndrawn(s);

    ::testing::internal::CaptureStdout();  // the table's files do not exist
    highScores = new HighScores(dir + "/none_names.txt", dir + "/none_points.txt");
    ::testing::internal::GetCapturedStdout();
    highScores->points = {500, 450, 400, 350, 300, 250, 200, 150, 100, 50};
    textPrinter = MakeGlyphPrinter();
    ASSERT_NE(textPrinter, nullptr);
    soundBank->callLog = &sounds;
    GameState = State::Playing;
  }

  void TearDown() override {
    delete player1;
    delete player2;
    player1 = player2 = nullptr;
    soundBank->callLog = nullptr;
    delete textPrinter;
    textPrinter = savedPrinter;
    delete highScores;
    highScores = savedTable;
    SpriteSheet** sheets[] = {&fluidSheet, &interfaceSheet, &interface2Sheet, &rankSheet,
                              &chargesSheet};
    for (size_t i = 0; i < saved.size(); ++i) {
      delete *sheets[i];
      *sheets[i] = saved[i];
    }
    GameState = savedState;
    screenWidth = savedWidth;
    screenHeight = savedHeight;
    hge = savedHge;
  }

  int GainRankCount() const {
    int n = 0;
    for (const std::string& s : sounds) n += s == "Play GainRank";
    return n;
  }

  HGE* savedHge = nullptr;
  int savedWidth = 0, savedHeight = 0;
  std::vector<SpriteSheet*> saved;
  TextPrinter* savedPrinter = nullptr;
  HighScores* savedTable = nullptr;
  State savedState = State::TitleMenu;
  std::vector<std::string> sounds;
};

TEST_F(HudTest, RankFollowsTheTableAndEveryChangeSounds) {
  player1 = new PlayerCloud(1);
  player1->score = 0;  // below the tenth entry: position 10, rank 11, the start rank
  RenderHud();
  EXPECT_EQ(player1->rank, 11);
  EXPECT_EQ(GainRankCount(), 0);

  player1->score = 420;  // position 2
  RenderHud();
  EXPECT_EQ(player1->rank, 3);
  EXPECT_EQ(GainRankCount(), 1);
  RenderHud();
  EXPECT_EQ(GainRankCount(), 1) << "an unchanged rank is not announced again";

  player1->score = 500;  // equal to the best: the leader
  RenderHud();
  EXPECT_EQ(player1->rank, 0);
  EXPECT_EQ(GainRankCount(), 2);

  player1->score = 60;  // falling back also sounds
  RenderHud();
  EXPECT_EQ(player1->rank, 10);
  EXPECT_EQ(GainRankCount(), 3);
}

TEST_F(HudTest, NewCloudLeadingAnEmptyTableSoundsOnItsFirstFrame) {
  highScores->points.assign(10, 0);  // a score of 0 ties the best
  player1 = new PlayerCloud(1);
  RenderHud();
  EXPECT_EQ(player1->rank, 0);
  EXPECT_EQ(GainRankCount(), 1);
  RenderHud();
  EXPECT_EQ(GainRankCount(), 1);
}

TEST_F(HudTest, BothPlayersKeepTheirOwnRank) {
  player1 = new PlayerCloud(1);
  player2 = new PlayerCloud(2);
  player1->score = 460;
  player2->score = 10;
  RenderHud();
  EXPECT_EQ(player1->rank, 2);
  EXPECT_EQ(player2->rank, 11);
  EXPECT_EQ(GainRankCount(), 1);
}

TEST_F(HudTest, PlayerOnePicturesInTheTopLeftCorner) {
  player1 = new PlayerCloud(1);
  player1->energy = 100;
  player1->score = 420;  // rank 3: badge frame 8
  player1->lightning->charges = 4;
  RenderHud();

  const hgeVertex* fluid = fluidSheet->frames[0]->quad.v;
  EXPECT_FLOAT_EQ(fluid[0].x, 12);
  EXPECT_FLOAT_EQ(fluid[0].y, 2);  // full energy: the top edge at y 2
  EXPECT_FLOAT_EQ(interfaceSheet->frames[0]->quad.v[0].x, 0);
  EXPECT_FLOAT_EQ(interfaceSheet->frames[0]->quad.v[0].y, 0);

  EXPECT_EQ(DrawnFrames(rankSheet), std::vector<int>{8});
  EXPECT_FLOAT_EQ(rankSheet->frames[8]->quad.v[0].x, 160);
  EXPECT_FLOAT_EQ(rankSheet->frames[8]->quad.v[0].y, 10);

  // Charges sit with their bottom edge on the gauge frame's: 120 - 30.
  EXPECT_EQ(DrawnFrames(chargesSheet), std::vector<int>{4});
  EXPECT_FLOAT_EQ(chargesSheet->frames[4]->quad.v[0].x, 0);
  EXPECT_FLOAT_EQ(chargesSheet->frames[4]->quad.v[0].y, 90);
  EXPECT_FLOAT_EQ(chargesSheet->frames[4]->quad.v[2].y, 120);
}

TEST_F(HudTest, EmptyGaugeLiesAboveTheScreen) {
  player1 = new PlayerCloud(1);
  player1->energy = 0;
  RenderHud();
  EXPECT_FLOAT_EQ(fluidSheet->frames[0]->quad.v[0].y, -498);
}

TEST_F(HudTest, PlayerTwoPicturesAlignedOnTheRightEdge) {
  player2 = new PlayerCloud(2);
  player2->energy = 50;
  player2->score = 1000;  // the leader: badge frame 11
  player2->lightning->charges = 2;
  RenderHud();

  const hgeVertex* fluid = fluidSheet->frames[0]->quad.v;
  EXPECT_FLOAT_EQ(fluid[1].x, 1024 - 13);  // top-right corner
  EXPECT_FLOAT_EQ(fluid[1].y, 50 * 5 - 498);
  EXPECT_FLOAT_EQ(fluid[0].x, 1024 - 13 - 20);
  EXPECT_FLOAT_EQ(interface2Sheet->frames[0]->quad.v[1].x, 1024);
  EXPECT_FLOAT_EQ(interface2Sheet->frames[0]->quad.v[1].y, 0);
  EXPECT_EQ(DrawnFrames(interfaceSheet), std::vector<int>{}) << "player 1's frame is not drawn";

  EXPECT_EQ(DrawnFrames(rankSheet), std::vector<int>{11});
  EXPECT_FLOAT_EQ(rankSheet->frames[11]->quad.v[1].x, 1024 - 160);
  EXPECT_FLOAT_EQ(rankSheet->frames[11]->quad.v[1].y, 10);
  EXPECT_LT(rankSheet->frames[11]->quad.v[0].x, rankSheet->frames[11]->quad.v[1].x)
      << "placed from the right, not mirrored";

  EXPECT_EQ(DrawnFrames(chargesSheet), std::vector<int>{2});
  EXPECT_FLOAT_EQ(chargesSheet->frames[2]->quad.v[1].x, 1024);
  EXPECT_FLOAT_EQ(chargesSheet->frames[2]->quad.v[1].y, 110 - 30);
}

TEST_F(HudTest, ChargePictureStopsAtTen) {
  player1 = new PlayerCloud(1);
  const size_t boxes = ShownErrorBoxes().size();
  player1->lightning->charges = 10;
  RenderHud();
  EXPECT_EQ(DrawnFrames(chargesSheet), std::vector<int>{10});
  MarkUndrawn(chargesSheet);
  player1->lightning->charges = 37;
  RenderHud();
  EXPECT_EQ(DrawnFrames(chargesSheet), std::vector<int>{10});
  EXPECT_EQ(player1->lightning->charges, 37) << "only the picture is capped";
  EXPECT_EQ(ShownErrorBoxes().size(), boxes) << "no frame out of range";
}

TEST_F(HudTest, NoCloudsNoPictures) {
  RenderHud();
  for (SpriteSheet* s : {fluidSheet, interfaceSheet, interface2Sheet, rankSheet, chargesSheet})
    EXPECT_TRUE(DrawnFrames(s).empty()) << s->fileName;
  EXPECT_EQ(GainRankCount(), 0);
}

TEST_F(HudTest, TextLinesSurviveAZeroFrameDelta) {
  player1 = new PlayerCloud(1);
  player2 = new PlayerCloud(2);
  const float savedDelta = frameDelta;
  const bool savedStats = showFrameStats;
  frameDelta = 0;
  showFrameStats = true;
  for (State s : {State::TitleMenu, State::Playing, State::Paused, State::NameEntry}) {
    GameState = s;
    RenderHudText();
  }
  delete player1;
  delete player2;
  player1 = player2 = nullptr;
  for (State s : {State::Playing, State::Paused, State::Credits}) {
    GameState = s;
    RenderHudText();
  }
  frameDelta = savedDelta;
  showFrameStats = savedStats;
}

// The characters below occur in one HUD text each: 'b' only in player 1's
// join prompt, '"' only in player 2's, 'u' only in "Pause", 'F' only in the
// frame-rate line and 'y' only in the time line.
TEST_F(HudTest, JoinPromptsOnlyWhilePlayingOrPaused) {
  for (State s : {State::TitleMenu, State::Playing, State::Paused, State::HighScoreTable,
                  State::NameEntry, State::Credits, State::PictureScreen}) {
    GameState = s;
    MarkGlyphsUndrawn(textPrinter);
    RenderHudText();
    const bool inGame = s == State::Playing || s == State::Paused;
    float x = 0, y = 0;
    EXPECT_EQ(GlyphDrawn(textPrinter, 'b', &x, &y), inGame) << "state " << static_cast<int>(s);
    if (inGame) {
      EXPECT_EQ(x, 11 * kGlyphWidth);  // "Press Spacebar..." left-aligned at (0, 20)
      EXPECT_EQ(y, 20);
    }
    EXPECT_EQ(GlyphDrawn(textPrinter, '"', &x, &y), inGame);
    if (inGame) {
      EXPECT_EQ(x, 682 + 8 * kGlyphWidth);  // the second quote, left-aligned at 2 * 1024 / 3
      EXPECT_EQ(y, 20);
    }
    EXPECT_EQ(GlyphDrawn(textPrinter, 'u', &x, &y), s == State::Paused);
    if (s == State::Paused) {
      EXPECT_EQ(x, 512 - 20 + 2 * kGlyphWidth);  // "Pause" centred on the screen
      EXPECT_EQ(y, 384);
    }
  }
}

TEST_F(HudTest, ScoresInEveryStateInPlaceOfThePrompts) {
  player1 = new PlayerCloud(1);
  player2 = new PlayerCloud(2);
  player1->score = 789;
  player2->score = 456;
  for (State s : {State::TitleMenu, State::Playing, State::Paused, State::Credits}) {
    GameState = s;
    MarkGlyphsUndrawn(textPrinter);
    RenderHudText();
    EXPECT_FALSE(GlyphDrawn(textPrinter, 'b'));
    EXPECT_FALSE(GlyphDrawn(textPrinter, '"'));
    // "Score: 789" (ten glyphs) centred on 1024 / 3 = 341, "Score: 456" on 682.
    float x = 0, y = 0;
    ASSERT_TRUE(GlyphDrawn(textPrinter, '7', &x, &y));
    EXPECT_EQ(x, 341 - 40 + 7 * kGlyphWidth);
    EXPECT_EQ(y, 20);
    ASSERT_TRUE(GlyphDrawn(textPrinter, '4', &x, &y));
    EXPECT_EQ(x, 682 - 40 + 7 * kGlyphWidth);
  }
}

TEST_F(HudTest, FrameStatisticsOnlyWhenSwitchedOn) {
  const float savedDelta = frameDelta;
  const bool savedStats = showFrameStats;
  frameDelta = 0.02f;
  showFrameStats = false;
  RenderHudText();
  EXPECT_FALSE(GlyphDrawn(textPrinter, 'F'));
  EXPECT_FALSE(GlyphDrawn(textPrinter, 'y'));
  showFrameStats = true;
  RenderHudText();
  float x = 0, y = 0;
  ASSERT_TRUE(GlyphDrawn(textPrinter, 'F', &x, &y));
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  ASSERT_TRUE(GlyphDrawn(textPrinter, 'y', &x, &y));
  EXPECT_EQ(x, 8 * kGlyphWidth);  // "Time Played: " on line 1
  EXPECT_EQ(y, 24);
  frameDelta = savedDelta;
  showFrameStats = savedStats;
}

TEST(NumberTextTest, DefaultStreamFormat) {
  EXPECT_EQ(NumberText(0), "0");
  EXPECT_EQ(NumberText(123456), "123456");
  EXPECT_EQ(NumberText(1234567), "1.23457e+06");
  EXPECT_EQ(NumberText(-35), "-35");
  EXPECT_EQ(NumberText(59.9401f), "59.9401");
  EXPECT_EQ(NumberText(std::numeric_limits<float>::infinity()), "inf");
}

// When the other player's name goes into the table, a cloud still playing
// drops a place and hears it.
TEST(HudScenario, CommittedNameMovesTheOtherCloudDown) {
  SimOptions options;
  std::string points;
  for (int i = 0; i < 10; ++i) points += std::to_string(5000 - 500 * i) + "\n";
  options.files["highscore_points.txt"] = points;
  SimResult r = RunSimWith(
      "set GameState 1\nhold SPACE NUMPAD0\nframes 1\nrelease all\n"
      "set player1.score 4800\nset player2.score 4900\nframes 1\ndump\n"
      "set player2.state 5\nframes 1\ndump\n"
      "press ENTER\nframes 1\nframes 1\ndump\n",
      options);
  ASSERT_EQ(r.exitCode, 0) << r.errors;
  ASSERT_EQ(r.dumps.size(), 3u);
  EXPECT_EQ(r.dumps[0]["player1"]["rank"], 2);
  EXPECT_EQ(r.dumps[1]["GameState"], 4);
  EXPECT_EQ(r.dumps[2]["GameState"], 1);
  EXPECT_EQ(r.dumps[2]["highScores"]["points"][1], 4900);
  EXPECT_EQ(r.dumps[2]["player1"]["rank"], 3);
  EXPECT_TRUE(HasSound(r.dumps[2], "Play GainRank")) << r.dumps[2]["sounds"];
}

}  // namespace
