// The high-score table: loading (short, missing, malformed and Windows files),
// table positions, committing names in order, saving twelve names but ten
// scores, the two screens, and name entry typed through the running game.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "config/GameValues.h"
#include "engine/Platform.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "game/Sheets.h"
#include "gfx/SpriteSheet.h"
#include "gfx/TextPrinter.h"
#include "objects/PlayerCloud.h"
#include "persist/HighScores.h"
#include "tests/GlyphPrinter.h"
#include "tests/HeadlessEngine.h"
#include "tests/HeadlessFrames.h"
#include "tests/SimRunner.h"

namespace {

using Lines = std::vector<std::string>;

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string TablePoints() {
  std::string text;
  for (int p = 500; p >= 50; p -= 50) text += std::to_string(p) + "\n";
  return text;
}

class HighScoresTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = TestFolder(std::string("highscores-") +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
    names = dir + "/highscore_names.txt";
    points = dir + "/highscore_points.txt";
  }
  void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  // Loads quietly: a missing file's message is checked where it matters.
  HighScores* Load() {
    ::testing::internal::CaptureStdout();
    HighScores* table = new HighScores(names, points);
    loadOutput = ::testing::internal::GetCapturedStdout();
    return table;
  }

  std::string dir, names, points, loadOutput;
};

TEST_F(HighScoresTest, LoadsTenNamesAndScores) {
  Write(names, "AAA\nBBB\nCCC\nDDD\nEEE\nFFF\nGGG\nHHH\nIII\nJJJ\nKKK\n");
  Write(points, TablePoints() + "40\n");
  std::unique_ptr<HighScores> table(Load());
  EXPECT_EQ(loadOutput, "");
  ASSERT_EQ(table->names.size(), 10u);
  EXPECT_EQ(table->names[0], "AAA\n");
  EXPECT_EQ(table->names[9], "JJJ\n");
  EXPECT_EQ(table->points, (std::vector<int32_t>{500, 450, 400, 350, 300, 250, 200, 150, 100, 50}));
  EXPECT_EQ(table->subject, nullptr);
  EXPECT_EQ(table->typedName, "");
}

TEST_F(HighScoresTest, ShortFilesGiveEmptyPlaces) {
  Write(names, "AAA\nBBB\nCCC\n");
  Write(points, "30\n20\n");
  std::unique_ptr<HighScores> table(Load());
  ASSERT_EQ(table->names.size(), 10u);
  EXPECT_EQ(table->names[2], "CCC\n");
  for (int i = 3; i < 10; ++i) EXPECT_EQ(table->names[i], "\n") << i;
  EXPECT_EQ(table->points, (std::vector<int32_t>{30, 20, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(HighScoresTest, MissingFilesGiveAnEmptyTableOfTen) {
  std::unique_ptr<HighScores> table(Load());
  EXPECT_EQ(loadOutput,
            "couldn't read the file: " + names + "\ncouldn't read the file: " + points + "\n");
  EXPECT_EQ(table->names, Lines(10, "\n"));
  EXPECT_EQ(table->points, std::vector<int32_t>(10, 0));
  EXPECT_EQ(table->PositionFor(0), -1);
  EXPECT_EQ(table->PositionFor(-1), 10);
}

TEST_F(HighScoresTest, MissingNamesWithPointsStillReadsThePoints) {
  Write(points, TablePoints());
  std::unique_ptr<HighScores> table(Load());
  EXPECT_EQ(table->names, Lines(10, "\n"));
  EXPECT_EQ(table->points[0], 500);
}

TEST_F(HighScoresTest, MalformedPointsReadAsTheirLeadingNumber) {
  Write(names, "");
  Write(points, "12abc\n\n  -7\nabc\n99999999999\n3.9\n+4\n\x01\x02\xff\n");
  std::unique_ptr<HighScores> table(Load());
  EXPECT_EQ(table->points, (std::vector<int32_t>{12, 0, -7, 0, 2147483647, 3, 4, 0, 0, 0}));
}

TEST_F(HighScoresTest, WindowsLineEndsAreNotPartOfNamesOrScores) {
  Write(names, "ABC\r\nDE\r\n");
  Write(points, "500\r\n400\r\n");
  std::unique_ptr<HighScores> table(Load());
  EXPECT_EQ(table->names[0], "ABC\n");
  EXPECT_EQ(table->names[1], "DE\n");
  EXPECT_EQ(table->points[1], 400);
}

TEST_F(HighScoresTest, BinaryAndHugeFilesStillGiveTenEntries) {
  std::string garbage(100000, '\0');
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>(i * 7919 % 256);
  Write(names, garbage);
  Write(points, std::string(300000, '7') + "\n5\n");
  std::unique_ptr<HighScores> table(Load());
  EXPECT_EQ(table->names.size(), 10u);
  ASSERT_EQ(table->points.size(), 10u);
  EXPECT_EQ(table->points[0], 2147483647);
  EXPECT_EQ(table->points[1], 5);
}

TEST_F(HighScoresTest, PositionForATableFrom500Down) {
  Write(points, TablePoints());
  std::unique_ptr<HighScores> table(Load());
  EXPECT_EQ(table->PositionFor(500), -1);  // equal to the best counts as better
  EXPECT_EQ(table->PositionFor(9999), -1);
  EXPECT_EQ(table->PositionFor(499), 1);
  EXPECT_EQ(table->PositionFor(450), 1);
  EXPECT_EQ(table->PositionFor(449), 2);
  EXPECT_EQ(table->PositionFor(50), 9);
  EXPECT_EQ(table->PositionFor(49), 10);  // below the tenth: no entry
  EXPECT_EQ(table->PositionFor(-100), 10);
}

TEST_F(HighScoresTest, OnlyTheFirstTenEntriesTakePart) {
  Write(points, TablePoints());
  std::unique_ptr<HighScores> table(Load());
  table->names.push_back("X\n");
  table->points.push_back(1000000);  // an eleventh entry is never looked at
  EXPECT_EQ(table->PositionFor(600), -1);
}

// Tests that make player clouds need the engine.
class HighScoresEngineTest : public HighScoresTest {
 protected:
  void SetUp() override {
    HighScoresTest::SetUp();
    savedHge = hge;
    hge = HeadlessEngine();
    ASSERT_NE(hge, nullptr);
  }
  void TearDown() override { hge = savedHge; }

  PlayerCloud* CloudWithScore(int score) {
    PlayerCloud* cloud = new PlayerCloud(1);
    cloud->score = score;
    return cloud;
  }

  HGE* savedHge = nullptr;
};

TEST_F(HighScoresEngineTest, CommitInsertsAtThePositionAndDeletesTheSubject) {
  Write(names, "N1\nN2\nN3\nN4\nN5\nN6\nN7\nN8\nN9\nN10\n");
  Write(points, TablePoints());
  std::unique_ptr<HighScores> table(Load());

  table->SetSubject(CloudWithScore(500));  // ties the best: goes above it
  table->typedName = "TOP";
  table->CommitName();
  EXPECT_EQ(table->subject, nullptr);
  EXPECT_EQ(table->typedName, "");
  EXPECT_EQ(table->names[0], "TOP\n");
  EXPECT_EQ(table->names[1], "N1\n");
  EXPECT_EQ(table->points[0], 500);
  EXPECT_EQ(table->points[1], 500);

  table->SetSubject(CloudWithScore(450));  // now behind both 500s
  table->typedName = "MID";
  table->CommitName();
  EXPECT_EQ(table->names[2], "MID\n");
  EXPECT_EQ(table->points[2], 450);
  EXPECT_EQ(table->points[3], 450);

  EXPECT_EQ(table->names.size(), 12u);
  EXPECT_EQ(table->points.size(), 12u);
  EXPECT_EQ(table->names[11], "N10\n");
}

TEST_F(HighScoresEngineTest, CommitWithoutSubjectShowsTheBoxAndChangesNothing) {
  Write(points, TablePoints());
  std::unique_ptr<HighScores> table(Load());
  table->typedName = "AB";
  const size_t boxes = ShownErrorBoxes().size();
  table->CommitName();
  ASSERT_EQ(ShownErrorBoxes().size(), boxes + 1);
  EXPECT_EQ(ShownErrorBoxes().back(), "No highscore subject");
  EXPECT_EQ(table->names.size(), 10u);
  EXPECT_EQ(table->points.size(), 10u);
}

TEST_F(HighScoresEngineTest, UncommittedSubjectIsDeletedWithTheTable) {
  std::unique_ptr<HighScores> table(Load());
  table->SetSubject(CloudWithScore(5));  // the leak checker sees it if it is not freed
}

TEST_F(HighScoresEngineTest, SaveWritesEveryNameButTenScores) {
  Write(names, "N1\nN2\nN3\nN4\nN5\nN6\nN7\nN8\nN9\nN10\n");
  Write(points, TablePoints());
  {
    std::unique_ptr<HighScores> table(Load());
    for (int score : {475, 20}) {
      table->SetSubject(CloudWithScore(score));
      table->typedName = score == 475 ? "ONE" : "TWO";
      table->CommitName();
    }
    table->Save();
  }
  EXPECT_EQ(Slurp(names), "N1\nONE\nN2\nN3\nN4\nN5\nN6\nN7\nN8\nN9\nTWO\nN10\n");
  EXPECT_EQ(Slurp(points), "500\n475\n450\n400\n350\n300\n250\n200\n150\n100\n");

  std::unique_ptr<HighScores> again(Load());
  EXPECT_EQ(again->names.size(), 10u);
  EXPECT_EQ(again->names[1], "ONE\n");
  EXPECT_EQ(again->names[9], "N9\n");
  EXPECT_EQ(again->points[1], 475);
  EXPECT_EQ(again->points[9], 100);
}

TEST_F(HighScoresEngineTest, SaveToAnUnwritablePlaceSaysSo) {
  names = dir + "/missing-dir/n.txt";
  points = dir + "/missing-dir/p.txt";
  std::unique_ptr<HighScores> table(Load());
  ::testing::internal::CaptureStdout();
  table->Save();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "couldn't write to file: " + names + "\ncouldn't write to file: " + points + "\n");
}

// The screens, with a test font whose glyphs are 8 pixels wide.
class HighScoresScreenTest : public HighScoresEngineTest {
 protected:
  void SetUp() override {
    HighScoresEngineTest::SetUp();
    savedWidth = screenWidth;
    savedHeight = screenHeight;
    screenWidth = 1024;
    screenHeight = 768;
    savedPrinter = textPrinter;
    savedCurtain = blackCurtainSheet;
    blackCurtainSheet = nullptr;
    textPrinter = MakeGlyphPrinter();
    ASSERT_NE(textPrinter, nullptr);
  }
  void TearDown() override {
    delete textPrinter;
    textPrinter = savedPrinter;
    delete blackCurtainSheet;
    blackCurtainSheet = savedCurtain;
    screenWidth = savedWidth;
    screenHeight = savedHeight;
    HighScoresEngineTest::TearDown();
  }
  int savedWidth = 0, savedHeight = 0;
  TextPrinter* savedPrinter = nullptr;
  SpriteSheet* savedCurtain = nullptr;
};

TEST_F(HighScoresScreenTest, NameEntryPromptAndNameCentred) {
  std::unique_ptr<HighScores> table(Load());
  table->typedName = "QX";
  table->RenderNameEntry();
  float x = 0, y = 0;
  // "What is your name you brave cloud!" is 34 glyphs centred on 512.
  ASSERT_TRUE(GlyphDrawn(textPrinter, 'W', &x, &y));
  EXPECT_EQ(x, 512 - 17 * kGlyphWidth);
  EXPECT_EQ(y, 384 - 50);
  ASSERT_TRUE(GlyphDrawn(textPrinter, 'Q', &x, &y));
  EXPECT_EQ(x, 512 - kGlyphWidth);
  EXPECT_EQ(y, 384);
  ASSERT_TRUE(GlyphDrawn(textPrinter, 'X', &x, &y));
  EXPECT_EQ(x, 512);
}

TEST_F(HighScoresScreenTest, TableRowsNamesLeftScoresRight) {
  const std::string dir2 = TestFolder("curtain");
  blackCurtainSheet = new SpriteSheet(WriteTestPng(dir2, "curtain.png", 64, 48, 0xFF000000), 1, 1);
  std::unique_ptr<HighScores> table(Load());
  for (int i = 0; i < 10; ++i) {
    table->names[i] = std::string(1, static_cast<char>('A' + i)) + "\n";
    table->points[i] = i;  // one digit each: its right edge is the row's right edge
  }
  table->names.push_back("K\n");  // an eleventh entry is not shown
  table->points.push_back(7);
  table->RenderTable();

  const hgeQuad& curtain = blackCurtainSheet->frames[0]->quad;
  EXPECT_EQ(curtain.v[0].x, 0);
  EXPECT_EQ(curtain.v[0].y, 0);
  EXPECT_EQ(curtain.v[2].x, 64);
  for (const hgeVertex& v : curtain.v) EXPECT_EQ(v.col, 0x9BFFFFFFu);

  float x = 0, y = 0;
  for (int i = 0; i < 10; ++i) {
    ASSERT_TRUE(GlyphDrawn(textPrinter, static_cast<char>('A' + i), &x, &y)) << i;
    EXPECT_EQ(x, 512 - 100) << i;
    EXPECT_EQ(y, 768 / 5 + 40 * i) << i;
    ASSERT_TRUE(GlyphDrawn(textPrinter, static_cast<char>('0' + i), &x, &y)) << i;
    EXPECT_EQ(x, 512 + 150 - kGlyphWidth) << i;
    EXPECT_EQ(y, 768 / 5 + 40 * i) << i;
  }
  EXPECT_FALSE(GlyphDrawn(textPrinter, 'K'));
  // "Press Space to return" centred at y 900 (fixed, below a 768 screen).
  ASSERT_TRUE(GlyphDrawn(textPrinter, 'P', &x, &y));
  EXPECT_EQ(x, 512 - 84);
  EXPECT_EQ(y, 900);
}

constexpr int kKeyB = 0x42;  // letter keys have their capital's code

// Typing a name, one UpdateNameEntry per frame with the frame's keys held.
class NameEntryTest : public HighScoresEngineTest {
 protected:
  // The typed name after each frame.
  std::vector<std::string> Type(const std::vector<std::vector<int>>& keys) {
    std::vector<std::string> after;
    RunFrames(keys, [&](int) {
      table->UpdateNameEntry();
      after.push_back(table->typedName);
    });
    return after;
  }
  void SetUp() override {
    HighScoresEngineTest::SetUp();
    table.reset(Load());
  }
  std::unique_ptr<HighScores> table;
};

TEST_F(NameEntryTest, FourthLetterIsIgnoredAndBackspaceRemovesOne) {
  auto t = Type({{HGEK_A}, {kKeyB}, {HGEK_C}, {HGEK_D}, {HGEK_BACKSPACE}, {}});
  EXPECT_EQ(t[2], "ABC");
  EXPECT_EQ(t[3], "ABC");
  EXPECT_EQ(t[4], "AB");
  EXPECT_EQ(t[5], "AB");
}

TEST_F(NameEntryTest, HeldSpaceFillsThreeSpacesInThreeFrames) {
  auto t = Type({{HGEK_SPACE}, {HGEK_SPACE}, {HGEK_SPACE}, {HGEK_SPACE}, {HGEK_SPACE}});
  EXPECT_EQ(t, (std::vector<std::string>{" ", "  ", "   ", "   ", "   "}));
}

TEST_F(NameEntryTest, HeldBackspaceRemovesOneAFrameAndStopsAtEmpty) {
  table->typedName = "XYZ";
  const std::vector<int> held{HGEK_BACKSPACE};
  auto t = Type({held, held, held, held});
  EXPECT_EQ(t, (std::vector<std::string>{"XY", "X", "", ""}));
}

TEST_F(NameEntryTest, BackspaceWinsOverATypedKey) {
  table->typedName = "XY";
  auto t = Type({{HGEK_BACKSPACE, HGEK_A}});
  EXPECT_EQ(t[0], "X");
}

TEST_F(NameEntryTest, HeldLetterGoesDownOnce) {
  const std::vector<int> held{HGEK_A};
  auto t = Type({held, held, held});
  EXPECT_EQ(t, (std::vector<std::string>{"A", "A", "A"}));
}

TEST_F(NameEntryTest, KeysTypingNoCharacterAddNothing) {
  auto t = Type({{HGEK_F1}, {HGEK_LEFT}, {HGEK_SHIFT}, {}, {0x37}});
  EXPECT_EQ(t[3], "");
  EXPECT_EQ(t[4], "7") << "a digit key gives its digit";
}

TEST_F(NameEntryTest, LongKeyNameCanPassThreeCharacters) {
  // The length is checked before the key's name is added.
  auto t = Type({{HGEK_A}, {kKeyB}, {HGEK_NUMPAD0}, {HGEK_C}});
  EXPECT_EQ(t[2], "ABNumpad 0");
  EXPECT_EQ(t[3], "ABNumpad 0");
}

// The whole way through the running game: two clouds die with qualifying
// scores one after the other, their players type names, the table is saved
// at the end of the run and read back by the next one.
TEST(NameEntryScenario, TwoCommitsSaveTwelveNamesAndTenScores) {
  SimResult r = RunSimWith(
      "set GameState 1\nhold SPACE NUMPAD0\nframes 1\nrelease all\n"
      "set player1.score 4700\nset player1.state 5\nframes 1\n"
      "press O\nframes 1\npress N\nframes 1\npress E\nframes 1\npress ENTER\nframes 1\ndump\n"
      "set player2.score 1200\nset player2.state 5\nframes 1\n"
      "press T\nframes 1\npress W\nframes 1\npress O\nframes 1\npress ENTER\nframes 1\ndump\n",
      SimOptions{});
  ASSERT_EQ(r.exitCode, 0) << r.errors;
  ASSERT_EQ(r.dumps.size(), 2u);
  EXPECT_EQ(r.dumps[0]["GameState"], 1) << "player 2 still plays";
  EXPECT_EQ(r.dumps[0]["highScores"]["names"][1], "ONE\n");
  EXPECT_EQ(r.dumps[1]["GameState"], 3) << "nobody left: the table";
  EXPECT_EQ(r.dumps[1]["highScores"]["names"][9], "TWO\n");
  EXPECT_EQ(r.dumps[1]["highScores"]["points"][9], 1200);

  std::istringstream names(Slurp(r.dir + "/highscore_names.txt"));
  std::istringstream points(Slurp(r.dir + "/highscore_points.txt"));
  Lines nameLines, pointLines;
  for (std::string l; std::getline(names, l);) nameLines.push_back(l);
  for (std::string l; std::getline(points, l);) pointLines.push_back(l);
  ASSERT_EQ(nameLines.size(), 12u);
  EXPECT_EQ(nameLines[1], "ONE");
  EXPECT_EQ(nameLines[9], "TWO");
  ASSERT_EQ(pointLines.size(), 10u);
  EXPECT_EQ(pointLines[0], "5000");
  EXPECT_EQ(pointLines[1], "4700");
  EXPECT_EQ(pointLines[9], "1200");

  // The next start reads ten of each.
  SimOptions next;
  next.files["highscore_names.txt"] = Slurp(r.dir + "/highscore_names.txt");
  next.files["highscore_points.txt"] = Slurp(r.dir + "/highscore_points.txt");
  SimResult r2 = RunSimWith("frames 1\ndump\n", next);
  ASSERT_EQ(r2.dumps.size(), 1u);
  EXPECT_EQ(r2.dumps[0]["highScores"]["names"].size(), 10u);
  EXPECT_EQ(r2.dumps[0]["highScores"]["points"].size(), 10u);
  EXPECT_EQ(r2.dumps[0]["highScores"]["names"][1], "ONE\n");
}

}  // namespace
