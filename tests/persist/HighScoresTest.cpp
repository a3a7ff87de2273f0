// The high-score table: loading good and broken files, positions, commits
// that insert and save at once, the two screens and name entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <tuple>
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

namespace {

using Lines = std::vector<std::string>;
using Points = std::vector<int32_t>;

const std::string kTenNames = "N1\nN2\nN3\nN4\nN5\nN6\nN7\nN8\nN9\nN10\n";
const std::string kTenPoints = "500\n450\n400\n350\n300\n250\n200\n150\n100\n50\n";

// Puts a global back as it was when the test ends.
template <class T>
struct Keep {
  T& global;
  T saved = global;
  ~Keep() { global = saved; }
};

// The player clouds the table takes need the engine, reached through the
// global `hge` as the game does.
class HighScoresTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(hge = HeadlessEngine(), nullptr); }

  // Writes the files given (null: leaves it as it is) and loads them quietly.
  std::unique_ptr<HighScores> Load(const char* namesText, const char* pointsText) {
    if (namesText) std::ofstream(names, std::ios::binary) << namesText;
    if (pointsText) std::ofstream(points, std::ios::binary) << pointsText;
    ::testing::internal::CaptureStdout();
    auto table = std::make_unique<HighScores>(names, points);
    ::testing::internal::GetCapturedStdout();
    return table;
  }
  void Commit(HighScores& table, int score, const std::string& name) {
    table.SetSubject(new PlayerCloud(1));
    table.subject->score = score;
    table.typedName = name;
    table.CommitName();
  }

  Keep<HGE*> engine{hge};
  std::string dir = TestFolder("highscores");
  std::string names = dir + "/highscore_names.txt", points = dir + "/highscore_points.txt";
};

TEST_F(HighScoresTest, LoadingAlwaysGivesTenNamesAndScores) {
  // The names file, the points file, and the first names and points read; the
  // rest are empty names and zero points.
  // clang-format off
  const std::tuple<std::string, std::string, Lines, Points> rows[] = {
      {"A\nB\nC\nD\nE\nF\nG\nH\nI\nJ\nK\n", "9\n8\n7\n6\n5\n4\n3\n2\n1\n1\n1\n",
       {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"}, {9, 8, 7, 6, 5, 4, 3, 2, 1, 1}},
      {"AAA\nBBB\nCCC\n", "30\n20\n", {"AAA", "BBB", "CCC"}, {30, 20}},
      // Malformed scores read as their leading number, held to 32 bits.
      {"", "12abc\n\n  -7\nabc\n99999999999\n3.9\n+4\n\x01\x02\xff\n", {},
       {12, 0, -7, 0, 2147483647, 3, 4}}};
  // clang-format on
  for (const auto& [namesText, pointsText, firstNames, firstPoints] : rows) {
    const std::unique_ptr<HighScores> table = Load(namesText.c_str(), pointsText.c_str());
    Lines expectedNames(10, "\n");
    Points expectedPoints(10, 0);
    for (size_t i = 0; i < firstNames.size(); ++i) expectedNames[i] = firstNames[i] + "\n";
    std::copy(firstPoints.begin(), firstPoints.end(), expectedPoints.begin());
    EXPECT_EQ(table->names, expectedNames) << pointsText.substr(0, 40);
    EXPECT_EQ(table->points, expectedPoints) << pointsText.substr(0, 40);
  }
  std::filesystem::remove(points);  // no points file at all: ten zeros
  EXPECT_EQ(Load(nullptr, nullptr)->points, Points(10, 0));
}

TEST_F(HighScoresTest, PositionForATableFrom500Down) {
  const std::unique_ptr<HighScores> table = Load(nullptr, kTenPoints.c_str());
  table->names.push_back("X\n");
  table->points.push_back(1000000);  // an eleventh entry is never looked at
  // -1 is above the best (a tie counts as better); 10 is below the tenth: no entry.
  for (auto [score, position] :
       {std::pair{500, -1}, {499, 1}, {450, 1}, {449, 2}, {50, 9}, {49, 10}})
    EXPECT_EQ(table->PositionFor(score), position) << score;
}

TEST_F(HighScoresTest, CommitsInsertInOrderAndSaveAtOnceEveryNameButTenScores) {
  {
    const std::unique_ptr<HighScores> table = Load(kTenNames.c_str(), kTenPoints.c_str());
    table->typedName = "AB";
    const size_t boxes = ShownErrorBoxes().size();
    table->CommitName();  // without a subject: only a box
    EXPECT_EQ(Lines(ShownErrorBoxes().begin() + boxes, ShownErrorBoxes().end()),
              Lines{"No highscore subject"});
    EXPECT_EQ(std::pair(table->names.size(), table->points.size()), std::pair(10ul, 10ul));
    Commit(*table, 500, "TOP");  // ties the best: goes above it
    EXPECT_TRUE(table->subject == nullptr && table->typedName.empty());
    Commit(*table, 450, "MID");  // behind both 500s, above the old 450
    Commit(*table, 20, "LOW");   // below the tenth: eleventh
    EXPECT_EQ(std::tuple(table->names.size(), table->points.size(), table->points[10]),
              std::tuple(13ul, 13ul, 20));
    // An uncommitted subject is deleted with the table (else the leak checker sees it).
    table->SetSubject(new PlayerCloud(1));
  }
  EXPECT_EQ(ReadFile(names), "TOP\nN1\nMID\nN2\nN3\nN4\nN5\nN6\nN7\nN8\nLOW\nN9\nN10\n");
  EXPECT_EQ(ReadFile(points), "500\n500\n450\n450\n400\n350\n300\n250\n200\n150\n");
}

// With a test font whose glyphs are 8 pixels wide.
TEST_F(HighScoresTest, NameEntryIsCentredAndTheTableHasNamesLeftScoresRight) {
  Keep<int> width{screenWidth}, height{screenHeight};
  Keep<TextPrinter*> printer{textPrinter};
  Keep<SpriteSheet*> curtainSheet{blackCurtainSheet};
  screenWidth = 1024;
  screenHeight = 768;
  const std::unique_ptr<TextPrinter> glyphs(textPrinter = MakeGlyphPrinter());
  const auto GlyphAt = [](char c) {  // (-1, -1) when the glyph was not drawn
    float x = -1, y = -1;
    GlyphDrawn(textPrinter, c, &x, &y);
    return std::pair(x, y);
  };
  const std::unique_ptr<HighScores> table = Load(nullptr, nullptr);
  table->typedName = "QX";
  table->RenderNameEntry();
  // "What is your name you brave cloud!" is 34 glyphs centred on 512.
  EXPECT_EQ(GlyphAt('W'), std::pair(512 - 17 * kGlyphWidth, 384.0f - 50));
  EXPECT_EQ(GlyphAt('Q'), std::pair(512 - kGlyphWidth, 384.0f));
  EXPECT_EQ(GlyphAt('X'), std::pair(512.0f, 384.0f));

  // The table: names left, scores right, over a see-through curtain.
  MarkGlyphsUndrawn(textPrinter);
  const std::unique_ptr<SpriteSheet> sheet(
      blackCurtainSheet =
          new SpriteSheet(WriteTestPng(dir, "curtain.png", 64, 48, 0xFF000000), 1, 1));
  for (int i = 0; i < 10; ++i) {
    table->names[i] = std::string(1, static_cast<char>('A' + i)) + "\n";
    table->points[i] = i;  // one digit each: its right edge is the row's right edge
  }
  table->names.push_back("K\n");  // an eleventh entry is not shown
  table->points.push_back(7);
  table->RenderTable();

  const hgeQuad& curtain = blackCurtainSheet->frames[0]->quad;
  EXPECT_EQ((std::array{curtain.v[0].x, curtain.v[0].y, curtain.v[2].x, curtain.v[2].y}),
            (std::array{0.f, 0.f, 64.f, 48.f}));
  for (const hgeVertex& v : curtain.v) EXPECT_EQ(v.col, 0x9BFFFFFFu);
  for (int i = 0; i < 10; ++i) {
    const float rowY = 768 / 5 + 40 * i;
    EXPECT_EQ(GlyphAt('A' + i), std::pair(512.0f - 100, rowY)) << i;
    EXPECT_EQ(GlyphAt('0' + i), std::pair(512 + 150 - kGlyphWidth, rowY)) << i;
  }
  EXPECT_FALSE(GlyphDrawn(textPrinter, 'K'));
  // "Press Space to return" centred at y 900 (fixed, below a 768 screen).
  EXPECT_EQ(GlyphAt('P'), std::pair(512.0f - 84, 900.0f));
}

}  // namespace
