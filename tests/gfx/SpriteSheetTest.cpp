// Sprite sheets: frame sizes, the hot-spot and scale arithmetic of both draw
// calls, mirroring, colours, and the error boxes for bad files and frames.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "engine/Platform.h"
#include "engine/hge.h"
#include "gfx/SpriteSheet.h"
#include "tests/HeadlessEngine.h"

namespace {

class SpriteSheetTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(HeadlessEngine(), nullptr); }
  std::string folder = TestFolder("sheets");
  std::string wide = WriteTestPng(folder, "wide.png", 256, 64, 0xFFFF0000);
};

// Left, top, right and bottom of the sprite's last draw.
std::array<float, 4> LastDraw(hgeSprite* s) {
  return {s->quad.v[0].x, s->quad.v[0].y, s->quad.v[2].x, s->quad.v[2].y};
}

const hgeVector kOrigin(0, 0), kOne(1, 1);

TEST_F(SpriteSheetTest, FramesAreTheImageCutIntoTheGridAndShareColourAndBlend) {
  SpriteSheet sheet(folder + "\\wide.png", 3, 2);  // the game's names use backslashes
  EXPECT_EQ(std::pair(sheet.imageWidth, sheet.imageHeight), std::pair(256, 64));
  // The last column of pixels belongs to no frame.
  EXPECT_EQ(std::pair(sheet.frameWidth, sheet.frameHeight), std::pair(85, 32));
  ASSERT_EQ(sheet.frames.size(), 6u);
  hgeSprite* last = sheet.GetSprite(2, 1);
  EXPECT_EQ(std::pair(last->tx, last->ty), std::pair(170.0f, 32.0f));
  EXPECT_FLOAT_EQ(last->quad.v[2].tx, 255.0f / 256.0f);
  // Colour and blend mode reach every frame, and drawing leaves them alone.
  sheet.SetColor(0x9BFFFFFF);
  sheet.SetBlendMode(BLEND_COLORADD | BLEND_ALPHABLEND);
  sheet.DrawFrame(kOrigin, 1, 1, kOrigin, kOne);
  EXPECT_EQ(LastDraw(sheet.GetSprite(1, 1)), (std::array<float, 4>{0, 0, 85, 32}));
  for (hgeSprite* s : sheet.frames) {
    for (int i = 0; i < 4; ++i) EXPECT_EQ(s->GetColor(i), 0x9BFFFFFFu);
    EXPECT_EQ(s->GetBlendMode(), BLEND_COLORADD | BLEND_ALPHABLEND);
  }
}

TEST_F(SpriteSheetTest, HotSpotAndScaleDifferBetweenTheTwoDraws) {
  SpriteSheet sheet(WriteTestPng(folder, "sq.png", 200, 100, 0xFF00FF00), 2, 1);  // 100 x 100
  const hgeVector at(500, 400), centre(0.5f, 0.5f), twice(2, 2);
  sheet.DrawFrameIndex(at, 1, centre, twice);  // the hot spot scales: stays centred
  EXPECT_EQ(LastDraw(sheet.GetSprite(1)), (std::array<float, 4>{400, 300, 600, 500}));
  sheet.DrawFrame(at, 1, 0, centre, twice);  // the hot spot does not scale: off centre
  EXPECT_EQ(LastDraw(sheet.GetSprite(1)), (std::array<float, 4>{450, 350, 650, 550}));
  // A negative scale mirrors: the frame extends to the left of the hot-spot line.
  sheet.DrawFrame(at, 0, 0, kOrigin, hgeVector(-1, 1));
  EXPECT_EQ(LastDraw(sheet.GetSprite(0)), (std::array<float, 4>{500, 400, 400, 500}));
  EXPECT_FLOAT_EQ(sheet.GetSprite(0)->quad.v[0].tx, 0);  // texture corners stay in order
  // Right-aligned with hot spot (1, 0), as the second player's HUD draws.
  sheet.DrawFrame(hgeVector(1024, 0), 0, 0, hgeVector(1, 0), kOne);
  EXPECT_FLOAT_EQ(LastDraw(sheet.GetSprite(0))[0], 924);
}

TEST_F(SpriteSheetTest, MissingImageShowsTheBoxAndDrawsNothing) {
  const size_t before = ShownErrorBoxes().size();
  SpriteSheet sheet(folder + "/nothing.png", 3, 1);
  EXPECT_EQ(std::tuple(sheet.texture, sheet.imageWidth, sheet.imageHeight), std::tuple(0u, 0, 0));
  sheet.DrawFrame(hgeVector(5, 5), 2, 0, kOrigin, kOne);  // in range: no second box
  EXPECT_EQ(std::vector<std::string>(ShownErrorBoxes().begin() + before, ShownErrorBoxes().end()),
            std::vector<std::string>{"Texture unable to load" + folder + "/nothing.png"});
}

TEST_F(SpriteSheetTest, OutOfRangeFramesShowBoxesAndNeverReadOutsideTheTable) {
  SpriteSheet sheet(wide, 2, 2);
  const std::string tooHighX = "Frame Index out of bounds (frameX too high)" + wide;
  const std::string tooHighY = "Frame Index out of bounds (frameY too high)" + wide;
  // Each call with the boxes it shows, in order.
  const std::pair<std::function<void()>, std::vector<std::string>> rows[] = {
      {[&] { sheet.DrawFrame(kOrigin, 2, 0, kOrigin, kOne); }, {tooHighX}},
      {[&] { sheet.DrawFrame(kOrigin, 0, 2, kOrigin, kOne); }, {tooHighY}},
      {[&] { sheet.DrawFrame(kOrigin, 5, 7, kOrigin, kOne); }, {tooHighX, tooHighY}},
      {[&] { sheet.DrawFrameIndex(kOrigin, 3, kOrigin, kOne); }, {}},  // the last frame
      {[&] { sheet.DrawFrameIndex(kOrigin, 4, kOrigin, kOne); }, {tooHighY}},
  };
  for (const auto& [draw, boxes] : rows) {
    const size_t before = ShownErrorBoxes().size();
    draw();
    EXPECT_EQ(std::vector<std::string>(ShownErrorBoxes().begin() + before, ShownErrorBoxes().end()),
              boxes);
  }
  // A column beyond the grid still draws the entry inside the table: entry 2
  // is column 0 of row 1.
  sheet.DrawFrame(hgeVector(7, 9), 2, 0, kOrigin, kOne);
  EXPECT_FLOAT_EQ(LastDraw(sheet.GetSprite(0, 1))[0], 7);
}

}  // namespace
