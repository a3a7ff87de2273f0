// The title menu: key sequences through the running game (moves, the players
// sub-menu, connector and sub-menu animation steps, starting a game with a
// held Enter) and what Render draws for each selection and during a move.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
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

// Key sequences run through the game in one simulator run (starting the
// game takes a second or more, so the sequences share it). Each sequence puts
// the menu back to its start values, lets time pass with no key held, then
// runs its frames and keeps the menu's fields after each.
struct Snapshot {
  int item, playersChoice, connector, connectorFrame, connectorStep, subMenuFrame, subMenuStep;
};

struct Sequence {
  const char* name;
  const char* setup;                           // "set" lines after the reset
  std::vector<std::vector<std::string>> keys;  // held keys per frame
  const char* dt;                              // frame length in seconds
};

const std::vector<std::string> kNone;

const Sequence kSequences[] = {
    {"HeldRight", "", std::vector<std::vector<std::string>>(20, {"RIGHT"}), "0.05"},
    {"DownLeftOnLeft", "set titleMenu.item 1\n", {{"DOWN", "LEFT"}}, "0.016"},
    {"Forward", "", {{"RIGHT"}, kNone, kNone, kNone, kNone, kNone}, "0.06"},
    {"Backward", "set titleMenu.item 3\n", {{"UP"}, kNone, kNone, kNone, kNone, kNone}, "0.06"},
    {"Diamond",
     "",
     {{"LEFT"},
      kNone,
      {"DOWN"},
      kNone,
      {"RIGHT"},
      kNone,
      {"UP"},
      kNone,
      {"RIGHT"},
      kNone,
      {"DOWN"},
      kNone,
      {"LEFT"},
      kNone,
      {"UP"},
      kNone},
     "0.016"},
    {"Restart", "", {{"RIGHT"}, {"DOWN"}}, "0.016"},
    {"SubMenu",
     "set titleMenu.playersChoice 0\n",
     {{"RIGHT"}, {"LEFT"}, kNone, {"RIGHT"}, {"UP"}, kNone, kNone, kNone, kNone, kNone},
     "0.06"},
    {"OtherKeysOnTop", "", {{"UP"}, {"DOWN"}, {"UP", "DOWN"}}, "0.016"},
    {"OtherKeysOnLeft", "set titleMenu.item 1\n", {{"LEFT"}, {"RIGHT"}}, "0.016"},
    // Last: it starts a game.
    {"HeldEnter", "", std::vector<std::vector<std::string>>(6, {"ENTER"}), "0.06"},
};

class TitleMenuKeys : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string script;
    for (const Sequence& s : kSequences) {
      script +=
          "release all\nset GameState 0\nset titleMenu.item 0\n"
          "set titleMenu.playersChoice 2\nset titleMenu.connector 0\n"
          "set titleMenu.connectorFrame 30\nset titleMenu.connectorStep 1\n"
          "set titleMenu.subMenuFrame 1\nset titleMenu.subMenuStep 1\nframes 10 0.05\n";
      script += s.setup;
      for (const auto& held : s.keys) {
        script += "release all\n";
        if (!held.empty()) {
          script += "hold";
          for (const std::string& k : held) script += " " + k;
          script += "\n";
        }
        script += std::string("frames 1 ") + s.dt + "\ndump\n";
      }
    }
    SimResult r = RunSimWith(script, SimOptions{});
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    size_t next = 0;
    for (const Sequence& s : kSequences) {
      auto& frames = runs[s.name];
      for (size_t i = 0; i < s.keys.size() && next < r.dumps.size(); ++i, ++next) {
        const json& d = r.dumps[next];
        const json& m = d["titleMenu"];
        frames.push_back({m["item"], m["playersChoice"], m["connector"], m["connectorFrame"],
                          m["connectorStep"], m["subMenuFrame"], m["subMenuStep"]});
        states[s.name].push_back(d["GameState"]);
      }
    }
  }

  static const std::vector<Snapshot>& Frames(const std::string& name) { return runs[name]; }

  template <typename F>
  static std::vector<int> Distinct(const std::vector<Snapshot>& frames, F field) {
    std::vector<int> values;
    for (const Snapshot& s : frames)
      if (values.empty() || values.back() != field(s)) values.push_back(field(s));
    return values;
  }
  static int FrameOf(const Snapshot& s) { return s.connectorFrame; }

  static inline std::map<std::string, std::vector<Snapshot>> runs;
  static inline std::map<std::string, std::vector<int>> states;
};

TEST_F(TitleMenuKeys, HeldEnterOpensTheSubMenuThenStartsOnePlayer) {
  const auto& f = Frames("HeldEnter");
  ASSERT_EQ(f.size(), 6u);
  // 0.06 s frames: the sub-menu steps on every second frame.
  EXPECT_EQ(f[0].playersChoice, 3);
  EXPECT_EQ(f[0].subMenuFrame, 3);
  EXPECT_EQ(f[0].subMenuStep, 1);
  EXPECT_EQ(f[1].subMenuFrame, 3);
  EXPECT_EQ(f[2].subMenuFrame, 4);
  EXPECT_EQ(f[3].playersChoice, 3);
  EXPECT_EQ(f[4].subMenuFrame, 5);
  EXPECT_EQ(f[4].playersChoice, 0);  // open after two steps, one player chosen
  // The next frame's Enter test starts the game with Enter still held.
  EXPECT_EQ(states["HeldEnter"][4], 0);
  EXPECT_EQ(states["HeldEnter"][5], 1);
  EXPECT_EQ(f[5].playersChoice, 0);
}

TEST_F(TitleMenuKeys, RightOnTheTopButtonMovesInOneFrameAndStops) {
  const auto& f = Frames("HeldRight");
  ASSERT_EQ(f.size(), 20u);
  EXPECT_EQ(f[0].item, 3);
  EXPECT_EQ(f[0].connector, 2);
  EXPECT_EQ(f[0].connectorFrame, 31);
  EXPECT_EQ(f[0].connectorStep, 1);
  // The right button answers only Up and Down: the held key does nothing more.
  EXPECT_EQ(Distinct(f, [](const Snapshot& s) { return s.item; }), std::vector<int>{3});
  EXPECT_EQ(f.back().connector, 0);
}

TEST_F(TitleMenuKeys, DownAndLeftOnTheLeftButtonGoThereAndBackInOneFrame) {
  const auto& f = Frames("DownLeftOnLeft");
  ASSERT_EQ(f.size(), 1u);
  // Down moved to the bottom button, then Left (seeing item 2) moved back.
  EXPECT_EQ(f[0].item, 1);
  EXPECT_EQ(f[0].connector, 3);
  EXPECT_EQ(f[0].connectorStep, 1);
  EXPECT_EQ(f[0].connectorFrame, 31);
}

TEST_F(TitleMenuKeys, ForwardConnectorRunsThirtyOneThirtyTwoThenIdle) {
  const auto& f = Frames("Forward");
  ASSERT_EQ(f.size(), 6u);
  EXPECT_EQ(Distinct(f, FrameOf), (std::vector<int>{31, 32, 30}));
  EXPECT_EQ(f[1].connectorFrame, 31);  // a step lasts more than 0.1 s
  EXPECT_EQ(f[2].connectorFrame, 32);
  EXPECT_EQ(f[4].connectorFrame, 30);
  EXPECT_EQ(f[4].connector, 0);
}

TEST_F(TitleMenuKeys, BackwardConnectorRunsThirtyTwoThirtyOneThenIdle) {
  const auto& f = Frames("Backward");
  ASSERT_EQ(f.size(), 6u);
  EXPECT_EQ(f[0].item, 0);
  EXPECT_EQ(f[0].connector, 2);
  EXPECT_EQ(f[0].connectorStep, -1);
  EXPECT_EQ(Distinct(f, FrameOf), (std::vector<int>{32, 31, 30}));
  EXPECT_EQ(f.back().connector, 0);
}

TEST_F(TitleMenuKeys, EveryMoveOfTheDiamond) {
  // top -Left-> left -Down-> bottom -Right-> right -Up-> top -Right-> right
  // -Down-> bottom -Left-> left -Up-> top, each key let go before the next.
  const auto& f = Frames("Diamond");
  ASSERT_EQ(f.size(), 16u);
  const int items[] = {1, 2, 3, 0, 3, 2, 1, 0};
  const int connectors[] = {1, 3, 4, 2, 2, 4, 3, 1};
  const int steps[] = {1, -1, 1, -1, 1, -1, 1, -1};
  for (size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(f[2 * i].item, items[i]) << "move " << i;
    EXPECT_EQ(f[2 * i].connector, connectors[i]) << "move " << i;
    EXPECT_EQ(f[2 * i].connectorStep, steps[i]) << "move " << i;
  }
  EXPECT_EQ(f.back().playersChoice, 2);
}

TEST_F(TitleMenuKeys, NewMoveRestartsTheAnimationOnItsConnector) {
  const auto& f = Frames("Restart");
  ASSERT_EQ(f.size(), 2u);
  EXPECT_EQ(f[0].connector, 2);
  EXPECT_EQ(f[1].item, 2);
  EXPECT_EQ(f[1].connector, 4);
  EXPECT_EQ(f[1].connectorFrame, 32);
  EXPECT_EQ(f[1].connectorStep, -1);
}

TEST_F(TitleMenuKeys, SubMenuChoosesPlayersAndClosesWithUp) {
  const auto& f = Frames("SubMenu");
  ASSERT_EQ(f.size(), 10u);
  EXPECT_EQ(f[0].playersChoice, 1);
  EXPECT_EQ(f[1].playersChoice, 0);
  EXPECT_EQ(f[3].playersChoice, 1);
  EXPECT_EQ(f[3].item, 0) << "arrows in the open sub-menu do not move";
  EXPECT_EQ(f[4].playersChoice, 3);
  EXPECT_EQ(f[4].subMenuFrame, 4);
  EXPECT_EQ(f[4].subMenuStep, -1);
  const std::vector<Snapshot> closing(f.begin() + 4, f.end());
  EXPECT_EQ(Distinct(closing, [](const Snapshot& s) { return s.subMenuFrame; }),
            (std::vector<int>{4, 3, 2}));
  EXPECT_EQ(f.back().playersChoice, 2);
  EXPECT_EQ(f.back().item, 0);
}

TEST_F(TitleMenuKeys, KeysOfOtherButtonsDoNothing) {
  for (const Snapshot& s : Frames("OtherKeysOnTop")) {  // the top answers Left and Right
    EXPECT_EQ(s.item, 0);
    EXPECT_EQ(s.connector, 0);
  }
  for (const Snapshot& s : Frames("OtherKeysOnLeft")) EXPECT_EQ(s.item, 1);  // Up and Down
  EXPECT_EQ(Frames("OtherKeysOnTop").size(), 3u);
  EXPECT_EQ(Frames("OtherKeysOnLeft").size(), 2u);
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
