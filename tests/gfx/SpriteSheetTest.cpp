// Sprite sheets: frame sizes, the hot-spot and scale arithmetic of both draw
// calls, mirroring, colours, and the error boxes for bad files and frames.
#include <gtest/gtest.h>

#include "engine/Platform.h"
#include "engine/hge.h"
#include "gfx/SpriteSheet.h"
#include "tests/HeadlessEngine.h"

namespace {

class SpriteSheetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(HeadlessEngine(), nullptr);
    folder = TestFolder("sheets");
    wide = WriteTestPng(folder, "wide.png", 256, 64, 0xFFFF0000);
  }
  std::string folder, wide;
};

// Corner positions of the sprite's last draw, top-left then bottom-right.
struct Box {
  float left, top, right, bottom;
};
Box LastDraw(hgeSprite* s) { return {s->quad.v[0].x, s->quad.v[0].y, s->quad.v[2].x, s->quad.v[2].y}; }

size_t Boxes() { return ShownErrorBoxes().size(); }
std::string LastBox() { return ShownErrorBoxes().back(); }

TEST_F(SpriteSheetTest, FramesAreTheImageCutIntoTheGrid) {
  SpriteSheet sheet(wide, 3, 2);
  EXPECT_EQ(sheet.imageWidth, 256);
  EXPECT_EQ(sheet.imageHeight, 64);
  EXPECT_EQ(sheet.frameWidth, 85);  // the last column of pixels belongs to no frame
  EXPECT_EQ(sheet.frameHeight, 32);
  ASSERT_EQ(sheet.frames.size(), 6u);
  hgeSprite* last = sheet.GetSprite(2, 1);
  EXPECT_EQ(last, sheet.GetSprite(5));
  EXPECT_FLOAT_EQ(last->tx, 170);
  EXPECT_FLOAT_EQ(last->ty, 32);
  EXPECT_FLOAT_EQ(last->quad.v[2].tx, 255.0f / 256.0f);
  EXPECT_EQ(last->GetBlendMode(), BLEND_DEFAULT);
  EXPECT_EQ(last->GetColor(), 0xFFFFFFFFu);
}

TEST_F(SpriteSheetTest, OneFrameSheetDrawsTheWholeImageAtThePosition) {
  SpriteSheet sheet(wide, 1, 1);
  sheet.DrawFrame(hgeVector(10, 20), 0, 0, hgeVector(0, 0), hgeVector(1, 1));
  Box b = LastDraw(sheet.GetSprite(0));
  EXPECT_FLOAT_EQ(b.left, 10);
  EXPECT_FLOAT_EQ(b.top, 20);
  EXPECT_FLOAT_EQ(b.right, 266);
  EXPECT_FLOAT_EQ(b.bottom, 84);
}

TEST_F(SpriteSheetTest, HotSpotAndScaleDifferBetweenTheTwoDraws) {
  SpriteSheet sheet(WriteTestPng(folder, "sq.png", 200, 100, 0xFF00FF00), 2, 1);  // 100 x 100 frames
  sheet.DrawFrameIndex(hgeVector(500, 400), 1, hgeVector(0.5f, 0.5f), hgeVector(2, 2));
  Box centred = LastDraw(sheet.GetSprite(1));
  EXPECT_FLOAT_EQ(centred.left, 400);  // stays centred on the position
  EXPECT_FLOAT_EQ(centred.top, 300);
  EXPECT_FLOAT_EQ(centred.right, 600);
  EXPECT_FLOAT_EQ(centred.bottom, 500);
  sheet.DrawFrame(hgeVector(500, 400), 1, 0, hgeVector(0.5f, 0.5f), hgeVector(2, 2));
  Box off = LastDraw(sheet.GetSprite(1));
  EXPECT_FLOAT_EQ(off.left, 450);  // the hot spot is not scaled: off centre
  EXPECT_FLOAT_EQ(off.top, 350);
  EXPECT_FLOAT_EQ(off.right, 650);
  EXPECT_FLOAT_EQ(off.bottom, 550);
  // A negative scale mirrors: the frame extends to the left of the hot-spot line.
  sheet.DrawFrame(hgeVector(500, 400), 0, 0, hgeVector(0, 0), hgeVector(-1, 1));
  Box mirrored = LastDraw(sheet.GetSprite(0));
  EXPECT_FLOAT_EQ(mirrored.left, 500);
  EXPECT_FLOAT_EQ(mirrored.right, 400);
  EXPECT_FLOAT_EQ(sheet.GetSprite(0)->quad.v[0].tx, 0);  // texture corners stay in order
  // Right-aligned with hot spot (1, 0), as the second player's HUD draws.
  sheet.DrawFrame(hgeVector(1024, 0), 0, 0, hgeVector(1, 0), hgeVector(1, 1));
  EXPECT_FLOAT_EQ(LastDraw(sheet.GetSprite(0)).left, 924);
}

TEST_F(SpriteSheetTest, ColourAndBlendModeReachEveryFrame) {
  SpriteSheet sheet(wide, 4, 2);
  sheet.SetColor(0x9BFFFFFF);
  sheet.SetBlendMode(BLEND_COLORADD | BLEND_ALPHABLEND);
  for (hgeSprite* s : sheet.frames) {
    for (int i = 0; i < 4; ++i) EXPECT_EQ(s->GetColor(i), 0x9BFFFFFFu);
    EXPECT_EQ(s->GetBlendMode(), BLEND_COLORADD | BLEND_ALPHABLEND);
  }
  sheet.DrawFrame(hgeVector(0, 0), 1, 1, hgeVector(0, 0), hgeVector(1, 1));
  EXPECT_EQ(sheet.GetSprite(1, 1)->GetColor(2), 0x9BFFFFFFu);  // draws leave colours alone
}

TEST_F(SpriteSheetTest, MissingImageShowsTheBoxAndDrawsNothing) {
  const size_t before = Boxes();
  SpriteSheet sheet(folder + "/nothing.png", 3, 1);
  ASSERT_EQ(Boxes(), before + 1);
  EXPECT_EQ(LastBox(), "Texture unable to load" + folder + "/nothing.png");
  EXPECT_EQ(sheet.texture, 0u);
  EXPECT_EQ(sheet.frameWidth, 0);
  sheet.DrawFrame(hgeVector(5, 5), 2, 0, hgeVector(0, 0), hgeVector(1, 1));
  EXPECT_EQ(Boxes(), before + 1);
}

TEST_F(SpriteSheetTest, OutOfRangeFramesShowBoxesAndNeverReadOutsideTheTable) {
  SpriteSheet sheet(wide, 2, 2);
  size_t before = Boxes();
  sheet.DrawFrame(hgeVector(0, 0), 2, 0, hgeVector(0, 0), hgeVector(1, 1));
  ASSERT_EQ(Boxes(), before + 1);
  EXPECT_EQ(LastBox(), "Frame Index out of bounds (frameX too high)" + wide);
  sheet.DrawFrame(hgeVector(0, 0), 0, 2, hgeVector(0, 0), hgeVector(1, 1));
  EXPECT_EQ(LastBox(), "Frame Index out of bounds (frameY too high)" + wide);
  before = Boxes();
  sheet.DrawFrame(hgeVector(0, 0), 5, 7, hgeVector(0, 0), hgeVector(1, 1));  // both boxes, X first
  ASSERT_EQ(Boxes(), before + 2);
  EXPECT_EQ(ShownErrorBoxes()[before], "Frame Index out of bounds (frameX too high)" + wide);
  before = Boxes();
  sheet.DrawFrameIndex(hgeVector(0, 0), 3, hgeVector(0, 0), hgeVector(1, 1));  // the last frame
  EXPECT_EQ(Boxes(), before);
  sheet.DrawFrameIndex(hgeVector(0, 0), 4, hgeVector(0, 0), hgeVector(1, 1));
  ASSERT_EQ(Boxes(), before + 1);
  EXPECT_EQ(LastBox(), "Frame Index out of bounds (frameY too high)" + wide);
  sheet.DrawFrameIndex(hgeVector(0, 0), 1000000, hgeVector(0, 0), hgeVector(1, 1));
}

TEST_F(SpriteSheetTest, ColumnBeyondTheGridStillDrawsTheEntryInsideTheTable) {
  SpriteSheet sheet(wide, 2, 2);
  sheet.DrawFrame(hgeVector(7, 9), 2, 0, hgeVector(0, 0), hgeVector(1, 1));
  EXPECT_FLOAT_EQ(LastDraw(sheet.GetSprite(0, 1)).left, 7);  // entry 2: column 0 of row 1
}

TEST_F(SpriteSheetTest, BackslashNamesAreMapped) {
  WriteTestPng(folder, "mapped.png", 8, 8, 0xFF0000FF);
  std::string name = folder + "\\mapped.png";
  SpriteSheet sheet(name, 1, 1);
  EXPECT_NE(sheet.texture, 0u);
  EXPECT_EQ(sheet.imageWidth, 8);
}

}  // namespace
