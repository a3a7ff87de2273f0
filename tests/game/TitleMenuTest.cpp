// The title menu: key sequences through the running game (moves, the players
// sub-menu, animation steps, a held Enter) and what Render draws.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "config/GameValues.h"
#include "game/Sheets.h"
#include "game/TitleMenu.h"
#include "gfx/TextPrinter.h"
#include "tests/GlyphPrinter.h"
#include "tests/HeadlessEngine.h"
#include "tests/SimRunner.h"
#include "tests/game/GameScenario.h"

namespace {

// Key sequences, one string each: "from ITEM CHOICE, DT s" starts from the
// menu's start values after a while with no key held, in frames of DT seconds.
// Each frame then reads "keys held > the game after the frame" as "GameState |
// item playersChoice | connector connectorFrame connectorStep | subMenuFrame
// subMenuStep". An animation step lasts more than 0.1 s: with 0.06 s frames it
// comes every second frame.
const char* const kSequences[] = {
    // Right on the top button moves at once; the right button answers only Up
    // and Down, and the forward connector runs 31, 32, idle.
    "from 0 2, 0.06 s; RIGHT > 0 | 3 2 | 2 31 1 | 1 1; RIGHT > 0 | 3 2 | 2 31 1 | 1 1; "
    "RIGHT > 0 | 3 2 | 2 32 1 | 1 1; RIGHT > 0 | 3 2 | 2 32 1 | 1 1; "
    "RIGHT > 0 | 3 2 | 0 30 1 | 1 1; RIGHT > 0 | 3 2 | 0 30 1 | 1 1",
    // Down moves to the bottom button, then Left (seeing item 2) moves back.
    "from 1 2, 0.016 s; DOWN LEFT > 0 | 1 2 | 3 31 1 | 1 1",
    // The backward connector runs 32, 31, idle.
    "from 3 2, 0.06 s; UP > 0 | 0 2 | 2 32 -1 | 1 1; > 0 | 0 2 | 2 32 -1 | 1 1; "
    "> 0 | 0 2 | 2 31 -1 | 1 1; > 0 | 0 2 | 2 31 -1 | 1 1; > 0 | 0 2 | 0 30 -1 | 1 1",
    // Round the diamond both ways: each move restarts the animation on its own connector.
    "from 0 2, 0.016 s; LEFT > 0 | 1 2 | 1 31 1 | 1 1; DOWN > 0 | 2 2 | 3 32 -1 | 1 1; "
    "RIGHT > 0 | 3 2 | 4 31 1 | 1 1; UP > 0 | 0 2 | 2 32 -1 | 1 1; "
    "RIGHT > 0 | 3 2 | 2 31 1 | 1 1; DOWN > 0 | 2 2 | 4 32 -1 | 1 1; "
    "LEFT > 0 | 1 2 | 3 31 1 | 1 1; UP > 0 | 0 2 | 1 32 -1 | 1 1",
    // In the open sub-menu Left and Right choose the players and do not move;
    // Up closes it through frames 4 and 3.
    "from 0 0, 0.06 s; RIGHT > 0 | 0 1 | 0 30 1 | 1 1; LEFT > 0 | 0 0 | 0 30 1 | 1 1; "
    "> 0 | 0 0 | 0 30 1 | 1 1; RIGHT > 0 | 0 1 | 0 30 1 | 1 1; UP > 0 | 0 3 | 0 30 1 | 4 -1; "
    "> 0 | 0 3 | 0 30 1 | 4 -1; > 0 | 0 3 | 0 30 1 | 3 -1; > 0 | 0 3 | 0 30 1 | 3 -1; "
    "> 0 | 0 2 | 0 30 1 | 2 -1; > 0 | 0 2 | 0 30 1 | 2 -1",
    // Each button answers only the keys that lead away from it.
    "from 0 2, 0.016 s; UP > 0 | 0 2 | 0 30 1 | 1 1; DOWN > 0 | 0 2 | 0 30 1 | 1 1; "
    "UP DOWN > 0 | 0 2 | 0 30 1 | 1 1",
    "from 1 2, 0.016 s; LEFT > 0 | 1 2 | 0 30 1 | 1 1; RIGHT > 0 | 1 2 | 0 30 1 | 1 1",
    // Last, as it starts a game: Enter opens the sub-menu in two steps on one
    // player, and the next frame's Enter, still held, starts the game.
    "from 0 2, 0.06 s; ENTER > 0 | 0 3 | 0 30 1 | 3 1; ENTER > 0 | 0 3 | 0 30 1 | 3 1; "
    "ENTER > 0 | 0 3 | 0 30 1 | 4 1; ENTER > 0 | 0 3 | 0 30 1 | 4 1; "
    "ENTER > 0 | 0 0 | 0 30 1 | 5 1; ENTER > 1 | 0 0 | 0 30 1 | 5 1",
};

std::string After(const nlohmann::json& d) {
  const nlohmann::json& m = d["titleMenu"];
  std::ostringstream s;
  s << d["GameState"] << " | " << m["item"] << " " << m["playersChoice"] << " | " << m["connector"]
    << " " << m["connectorFrame"] << " " << m["connectorStep"] << " | " << m["subMenuFrame"] << " "
    << m["subMenuStep"];
  return s.str();
}

TEST(TitleMenuKeys, SequencesMoveTheSelectionAndAnimate) {
  // One run for all: starting the game takes longer than the sequences.
  std::string script;
  std::vector<std::string> frames;
  for (const char* sequence : kSequences) {
    std::istringstream in(sequence);
    std::string item, choice, dt, frame;
    in.ignore(5) >> item >> choice >> dt;  // "from ITEM CHOICE, DT s; "
    script += "release all\nset GameState 0\nset titleMenu.item " + item +
              "\nset titleMenu.playersChoice " + choice.substr(0, 1) +
              "\nset titleMenu.connector 0\nset titleMenu.connectorFrame 30\n"
              "set titleMenu.connectorStep 1\nset titleMenu.subMenuFrame 1\n"
              "set titleMenu.subMenuStep 1\nframes 10 0.05\n";
    std::getline(in, frame, ';');
    while (std::getline(in >> std::ws, frame, ';')) {
      const std::string keys = frame.substr(0, frame.find('>'));
      script += "release all\n" + (keys.empty() ? "" : "hold " + keys + "\n") + "frames 1 " + dt +
                "\ndump\n";
      frames.push_back(frame);
    }
  }
  auto d = RunSim(script);
  ASSERT_EQ(d.size(), frames.size());
  for (size_t i = 0; i < d.size(); ++i)
    EXPECT_EQ(After(d[i]), frames[i].substr(frames[i].find('>') + 2)) << "frame " << frames[i];
}

// Render: which frame of the menu sheet (9 x 4 frames) each place shows.
TEST(TitleMenuRender, FramesAndPlacesBySelectionSubMenuAndMove) {
  Scoped<HGE*> engine{hge, HeadlessEngine()};
  Scoped<int> width{screenWidth, 1024}, height{screenHeight, 768};
  Owned<SpriteSheet> sheet{
      titleMenuSheet,
      new SpriteSheet(WriteTestPng(TestFolder("titlemenu"), "menu.png", 180, 40, 0xFF808080), 9,
                      4)};
  Owned<TextPrinter> printer{textPrinter, MakeGlyphPrinter()};
  TitleMenu menu;
  const auto renderFresh = [&menu] {
    MarkUndrawn(titleMenuSheet);
    MarkGlyphsUndrawn(textPrinter);
    menu.Render(0);
    return DrawnFrames(titleMenuSheet);
  };
  // Rows: item, playersChoice, connector, connectorFrame; the frames drawn and
  // whether the name shows; one frame's centre and whether it is mirrored
  // across and upside down. During a move the buttons are plain and the name
  // hidden; the sub-menu's own frame shows only while it moves.
  using Row = std::tuple<int, int, int, int, std::vector<int>, bool, int, hgeVector, bool, bool>;
  const Row rows[] = {
      {0, 2, 0, 30, {1, 15, 24, 27, 30}, true, 30, {640, 480}, false, true},  // idle drawn last
      {1, 2, 0, 30, {0, 16, 24, 27, 30}, true, 16, {256, 384}, false, false},
      {2, 2, 0, 30, {0, 15, 25, 27, 30}, true, 25, {512, 576}, false, false},
      {3, 2, 0, 30, {0, 15, 24, 28, 30}, true, 28, {768, 384}, false, false},
      {0, 3, 0, 30, {4, 15, 24, 27, 30}, true, 4, {512, 192}, false, false},
      {0, 0, 0, 30, {5, 15, 24, 27, 30}, true, 5, {512, 192}, false, false},  // one player
      {0, 1, 0, 30, {6, 15, 24, 27, 30}, true, 6, {512, 192}, false, false},  // two players
      {1, 2, 1, 31, {0, 15, 24, 27, 30, 31}, false, 31, {384, 288}, true, false},
      {0, 2, 2, 32, {0, 15, 24, 27, 30, 32}, false, 32, {640, 288}, false, false},
      {0, 2, 3, 32, {0, 15, 24, 27, 30, 32}, false, 32, {384, 480}, true, true},
      {0, 2, 4, 32, {0, 15, 24, 27, 30, 32}, false, 32, {640, 480}, false, true}};
  menu.subMenuFrame = 4;
  for (const auto& [item, choice, connector, frame, drawn, name, at, centre, mirrorX, mirrorY] :
       rows) {
    std::tie(menu.item, menu.playersChoice, menu.connector, menu.connectorFrame) =
        std::tie(item, choice, connector, frame);
    SCOPED_TRACE(testing::Message()
                 << "item " << item << ", choice " << choice << ", connector " << connector);
    EXPECT_EQ(renderFresh(), drawn);
    EXPECT_EQ(GlyphDrawn(textPrinter, 'Z'), name);
    const hgeVertex* v = titleMenuSheet->frames[at]->quad.v;
    EXPECT_EQ(hgeVector((v[0].x + v[2].x) / 2, (v[0].y + v[2].y) / 2), centre);
    EXPECT_EQ(v[0].x - v[1].x, mirrorX ? 20 : -20) << "20 px wide: unscaled";
    EXPECT_EQ(v[0].y > v[2].y, mirrorY);
  }
  // "Zarvo Zov Orava" left-aligned at (15, 10): the second Z is its seventh glyph.
  menu = TitleMenu();
  renderFresh();
  float x = 0, y = 0;
  ASSERT_TRUE(GlyphDrawn(textPrinter, 'Z', &x, &y));
  EXPECT_EQ(hgeVector(x, y), hgeVector(15 + 6 * kGlyphWidth, 10));
}

}  // namespace
