// The title menu: key sequences through the running game (moves, the players
// sub-menu, connector and sub-menu animation steps, starting a game with a
// held Enter) and what Render draws for each selection and during a move.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "config/GameValues.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "game/Sheets.h"
#include "game/TitleMenu.h"
#include "gfx/SpriteSheet.h"
#include "gfx/TextPrinter.h"
#include "tests/GlyphPrinter.h"
#include "tests/HeadlessEngine.h"
#include "tests/SimRunner.h"

using nlohmann::json;

namespace {

// The menu fields after each of the frames of `script`, one dump per frame.
std::vector<json> MenuEachFrame(const std::string& setup, int frames, const std::string& dt) {
  std::string script = setup;
  for (int i = 0; i < frames; ++i) script += "frames 1 " + dt + "\ndump\n";
  SimResult r = RunSimWith(script, SimOptions{});
  EXPECT_EQ(r.exitCode, 0) << r.errors;
  return r.dumps;
}

std::vector<int> Distinct(const std::vector<json>& dumps, const std::string& field) {
  std::vector<int> values;
  for (const json& d : dumps) {
    const int v = d["titleMenu"][field];
    if (values.empty() || values.back() != v) values.push_back(v);
  }
  return values;
}

TEST(TitleMenuKeys, HeldEnterOpensTheSubMenuThenStartsOnePlayer) {
  // 0.06 s frames: the sub-menu steps on every second frame.
  auto d = MenuEachFrame("hold ENTER\n", 6, "0.06");
  ASSERT_EQ(d.size(), 6u);
  EXPECT_EQ(d[0]["titleMenu"]["playersChoice"], 3);
  EXPECT_EQ(d[0]["titleMenu"]["subMenuFrame"], 3);
  EXPECT_EQ(d[0]["titleMenu"]["subMenuStep"], 1);
  EXPECT_EQ(d[2]["titleMenu"]["subMenuFrame"], 4);
  EXPECT_EQ(d[3]["titleMenu"]["playersChoice"], 3);
  EXPECT_EQ(d[4]["titleMenu"]["subMenuFrame"], 5);
  EXPECT_EQ(d[4]["titleMenu"]["playersChoice"], 0);  // open after two steps, one player
  EXPECT_EQ(d[4]["GameState"], 0);
  // The next frame's Enter test starts the game, Enter still held.
  EXPECT_EQ(d[5]["GameState"], 1);
  EXPECT_FALSE(d[5]["player1"].is_null());
  EXPECT_TRUE(d[5]["player2"].is_null());
}

TEST(TitleMenuKeys, RightOnTheTopButtonMovesInOneFrameAndStops) {
  auto d = MenuEachFrame("hold RIGHT\n", 20, "0.05");
  EXPECT_EQ(d[0]["titleMenu"]["item"], 3);
  EXPECT_EQ(d[0]["titleMenu"]["connector"], 2);
  EXPECT_EQ(d[0]["titleMenu"]["connectorFrame"], 31);
  EXPECT_EQ(d[0]["titleMenu"]["connectorStep"], 1);
  // The right button answers only Up and Down: the held key does nothing more.
  EXPECT_EQ(Distinct(d, "item"), std::vector<int>{3});
  EXPECT_EQ(d.back()["titleMenu"]["connector"], 0);
}

TEST(TitleMenuKeys, DownAndLeftOnTheLeftButtonGoThereAndBackInOneFrame) {
  auto d = RunSim("press LEFT\nframes 20\ndump\nhold DOWN LEFT\nframes 1\ndump\n");
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[0]["titleMenu"]["item"], 1);
  EXPECT_EQ(d[0]["titleMenu"]["connector"], 0);
  // Down moved to the bottom button, then Left (seeing item 2) moved back.
  EXPECT_EQ(d[1]["titleMenu"]["item"], 1);
  EXPECT_EQ(d[1]["titleMenu"]["connector"], 3);
  EXPECT_EQ(d[1]["titleMenu"]["connectorStep"], 1);
  EXPECT_EQ(d[1]["titleMenu"]["connectorFrame"], 31);
}

TEST(TitleMenuKeys, ForwardConnectorRunsThirtyOneThirtyTwoThenIdle) {
  auto d = MenuEachFrame("press RIGHT\n", 6, "0.06");
  EXPECT_EQ(Distinct(d, "connectorFrame"), (std::vector<int>{31, 32, 30}));
  EXPECT_EQ(d[1]["titleMenu"]["connectorFrame"], 31);  // one step lasts more than 0.1 s
  EXPECT_EQ(d[2]["titleMenu"]["connectorFrame"], 32);
  EXPECT_EQ(d[4]["titleMenu"]["connectorFrame"], 30);
  EXPECT_EQ(d[4]["titleMenu"]["connector"], 0);
}

TEST(TitleMenuKeys, BackwardConnectorRunsThirtyTwoThirtyOneThenIdle) {
  auto d = MenuEachFrame("press RIGHT\nframes 30\npress UP\n", 6, "0.06");
  EXPECT_EQ(d[0]["titleMenu"]["item"], 0);
  EXPECT_EQ(d[0]["titleMenu"]["connector"], 2);
  EXPECT_EQ(d[0]["titleMenu"]["connectorStep"], -1);
  EXPECT_EQ(Distinct(d, "connectorFrame"), (std::vector<int>{32, 31, 30}));
  EXPECT_EQ(d.back()["titleMenu"]["connector"], 0);
}

TEST(TitleMenuKeys, EveryMoveOfTheDiamond) {
  // top -Left-> left -Down-> bottom -Right-> right -Up-> top -Right-> right
  // -Down-> bottom -Left-> left -Up-> top
  auto d = RunSim(
      "press LEFT\nframes 20\ndump\npress DOWN\nframes 20\ndump\npress RIGHT\nframes 20\ndump\n"
      "press UP\nframes 20\ndump\npress RIGHT\nframes 20\ndump\npress DOWN\nframes 20\ndump\n"
      "press LEFT\nframes 20\ndump\npress UP\nframes 20\ndump\n");
  std::vector<int> items;
  for (const json& s : d) items.push_back(s["titleMenu"]["item"]);
  EXPECT_EQ(items, (std::vector<int>{1, 2, 3, 0, 3, 2, 1, 0}));
  EXPECT_EQ(d.back()["titleMenu"]["playersChoice"], 2);
}

TEST(TitleMenuKeys, NewMoveRestartsTheAnimationOnItsConnector) {
  auto d = RunSim("press RIGHT\nframes 1\ndump\npress DOWN\nframes 1\ndump\n");
  EXPECT_EQ(d[0]["titleMenu"]["connector"], 2);
  EXPECT_EQ(d[1]["titleMenu"]["item"], 2);
  EXPECT_EQ(d[1]["titleMenu"]["connector"], 4);
  EXPECT_EQ(d[1]["titleMenu"]["connectorFrame"], 32);
  EXPECT_EQ(d[1]["titleMenu"]["connectorStep"], -1);
}

TEST(TitleMenuKeys, SubMenuChoosesPlayersAndClosesWithUp) {
  auto d = MenuEachFrame(
      "set titleMenu.playersChoice 0\npress RIGHT\nframes 1\ndump\npress LEFT\nframes 1\ndump\n"
      "press RIGHT\nframes 1\ndump\npress UP\n",
      6, "0.06");
  ASSERT_EQ(d.size(), 9u);
  EXPECT_EQ(d[0]["titleMenu"]["playersChoice"], 1);
  EXPECT_EQ(d[1]["titleMenu"]["playersChoice"], 0);
  EXPECT_EQ(d[2]["titleMenu"]["playersChoice"], 1);
  EXPECT_EQ(d[2]["titleMenu"]["item"], 0) << "arrows in the open sub-menu do not move";
  EXPECT_EQ(d[3]["titleMenu"]["playersChoice"], 3);
  EXPECT_EQ(d[3]["titleMenu"]["subMenuFrame"], 4);
  EXPECT_EQ(d[3]["titleMenu"]["subMenuStep"], -1);
  const std::vector<json> closing(d.begin() + 3, d.end());
  EXPECT_EQ(Distinct(closing, "subMenuFrame"), (std::vector<int>{4, 3, 2}));
  EXPECT_EQ(d.back()["titleMenu"]["playersChoice"], 2);
  EXPECT_EQ(d.back()["GameState"], 0);
}

// Render: which frame of the menu sheet each place shows. The test sheet has
// 20 x 10 frames; a drawn frame keeps the corners of its last draw.
class TitleMenuRender : public ::testing::Test {
 protected:
  static constexpr float kUnset = -777;

  void SetUp() override {
    savedHge = hge;
    hge = HeadlessEngine();
    ASSERT_NE(hge, nullptr);
    savedWidth = screenWidth;
    savedHeight = screenHeight;
    screenWidth = 1024;
    screenHeight = 768;
    savedSheet = titleMenuSheet;
    savedPrinter = textPrinter;
    const std::string dir = TestFolder("titlemenu");
    titleMenuSheet = new SpriteSheet(WriteTestPng(dir, "menu.png", 180, 40, 0xFF808080), 9, 4);
    textPrinter = MakeGlyphPrinter();
    ASSERT_NE(textPrinter, nullptr);
  }
  void TearDown() override {
    delete titleMenuSheet;
    titleMenuSheet = savedSheet;
    delete textPrinter;
    textPrinter = savedPrinter;
    screenWidth = savedWidth;
    screenHeight = savedHeight;
    hge = savedHge;
  }

  std::vector<int> Drawn() {
    std::vector<int> frames;
    for (size_t i = 0; i < titleMenuSheet->frames.size(); ++i)
      if (titleMenuSheet->frames[i]->quad.v[0].x != kUnset) frames.push_back(static_cast<int>(i));
    return frames;
  }
  void RenderFresh() {
    for (hgeSprite* s : titleMenuSheet->frames)
      for (hgeVertex& v : s->quad.v) v.x = v.y = kUnset;
    MarkGlyphsUndrawn(textPrinter);
    menu.Render(0);
  }
  // Centre of the last draw of a frame.
  hgeVector Centre(int frame) {
    const hgeVertex* v = titleMenuSheet->frames[frame]->quad.v;
    return hgeVector((v[0].x + v[2].x) / 2, (v[0].y + v[2].y) / 2);
  }

  TitleMenu menu;
  SpriteSheet* savedSheet = nullptr;
  TextPrinter* savedPrinter = nullptr;
  HGE* savedHge = nullptr;
  int savedWidth = 0, savedHeight = 0;
};

TEST_F(TitleMenuRender, StartsWithTheTopButtonSelectedAndTheName) {
  RenderFresh();
  EXPECT_EQ(Drawn(), (std::vector<int>{1, 15, 24, 27, 30}));
  EXPECT_EQ(Centre(1), hgeVector(512, 192));
  EXPECT_EQ(Centre(15), hgeVector(256, 384));
  EXPECT_EQ(Centre(24), hgeVector(512, 576));
  EXPECT_EQ(Centre(27), hgeVector(768, 384));
  EXPECT_EQ(titleMenuSheet->frames[1]->quad.v[0].x, 502) << "buttons unscaled";
  // "Zarvo Zov Orava" left-aligned at (15, 10): the second Z is its seventh glyph.
  float x = 0, y = 0;
  ASSERT_TRUE(GlyphDrawn(textPrinter, 'Z', &x, &y));
  EXPECT_EQ(x, 15 + 6 * kGlyphWidth);
  EXPECT_EQ(y, 10);
}

TEST_F(TitleMenuRender, SelectedButtonByItem) {
  const std::vector<std::vector<int>> expected = {
      {1, 15, 24, 27, 30}, {0, 16, 24, 27, 30}, {0, 15, 25, 27, 30}, {0, 15, 24, 28, 30}};
  for (int item = 0; item < 4; ++item) {
    menu.item = item;
    RenderFresh();
    EXPECT_EQ(Drawn(), expected[item]) << "item " << item;
    EXPECT_TRUE(GlyphDrawn(textPrinter, 'Z'));
  }
}

TEST_F(TitleMenuRender, TopButtonFollowsTheSubMenu) {
  const int choices[] = {3, 0, 1, 2};
  const int frames[] = {4, 5, 6, 1};
  menu.subMenuFrame = 4;
  for (int i = 0; i < 4; ++i) {
    menu.playersChoice = choices[i];
    RenderFresh();
    EXPECT_EQ(Drawn().front(), frames[i]) << "playersChoice " << choices[i];
    EXPECT_EQ(Centre(frames[i]), hgeVector(512, 192));
  }
}

TEST_F(TitleMenuRender, DuringAMoveButtonsArePlainAndTheNameIsHidden) {
  menu.item = 1;
  menu.connector = 1;  // top-left, mirrored left to right
  menu.connectorFrame = 31;
  RenderFresh();
  EXPECT_EQ(Drawn(), (std::vector<int>{0, 15, 24, 27, 30, 31}));
  EXPECT_FALSE(GlyphDrawn(textPrinter, 'Z'));
  const hgeVertex* v = titleMenuSheet->frames[31]->quad.v;
  EXPECT_EQ(Centre(31), hgeVector(384, 288));
  EXPECT_GT(v[0].x, v[1].x);
  EXPECT_LT(v[0].y, v[2].y);
}

TEST_F(TitleMenuRender, ConnectorsMirroredByTheirCorner) {
  struct Case {
    int connector;
    hgeVector centre;
    bool mirrorX, mirrorY;
  };
  const Case cases[] = {{1, {384, 288}, true, false},
                        {2, {640, 288}, false, false},
                        {3, {384, 480}, true, true},
                        {4, {640, 480}, false, true}};
  for (const Case& c : cases) {
    menu.connector = c.connector;
    menu.connectorFrame = 32;
    RenderFresh();
    const hgeVertex* v = titleMenuSheet->frames[32]->quad.v;
    EXPECT_EQ(Centre(32), c.centre) << "connector " << c.connector;
    EXPECT_EQ(v[0].x > v[1].x, c.mirrorX) << "connector " << c.connector;
    EXPECT_EQ(v[0].y > v[2].y, c.mirrorY) << "connector " << c.connector;
  }
  // The idle connector frame is drawn last at the bottom-right place.
  menu.connector = 0;
  menu.connectorFrame = 30;
  RenderFresh();
  EXPECT_EQ(Centre(30), hgeVector(640, 480));
}

}  // namespace
