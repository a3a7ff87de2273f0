// Mountains: the slope and block shapes with their edge rules, the two kinds
// and their tables, which corners and boxes count as a collision, and how a
// touching cloud is thrown back or lifted out; then the same in play.
#include <gtest/gtest.h>

#include <memory>

#include "config/GameValues.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "game/Sheets.h"
#include "gfx/SpriteSheet.h"
#include "objects/Mountain.h"
#include "objects/PlayerCloud.h"
#include "tests/HeadlessEngine.h"
#include "tests/SimRunner.h"

using nlohmann::json;

namespace {

// ---- Slope ----

TEST(Slope, KeepsItsCornersAndOrdersTheBox) {
  Slope s(hgeVector(280, 25), hgeVector(96, 224), Slope::BottomRight);
  EXPECT_EQ(s.cornerA, hgeVector(280, 25));
  EXPECT_EQ(s.cornerB, hgeVector(96, 224));
  EXPECT_EQ(s.boxMin, hgeVector(96, 25));
  EXPECT_EQ(s.boxMax, hgeVector(280, 224));
  EXPECT_EQ(s.boxSize, hgeVector(184, 199));
  EXPECT_EQ(s.solidCorner, 3);
  EXPECT_EQ(s.threshold, 1.0f);
}

TEST(Slope, EachSolidCornerHoldsItsOwnHalf) {
  const hgeVector a(0, 0), b(10, 10);
  const hgeVector topLeft(2, 2), topRight(8, 2), bottomLeft(2, 8), bottomRight(8, 8);
  Slope tl(a, b, Slope::TopLeft), tr(a, b, Slope::TopRight);
  Slope bl(a, b, Slope::BottomLeft), br(a, b, Slope::BottomRight);
  EXPECT_TRUE(tl.Contains(topLeft));
  EXPECT_FALSE(tl.Contains(bottomRight));
  EXPECT_TRUE(tr.Contains(topRight));
  EXPECT_FALSE(tr.Contains(bottomLeft));
  EXPECT_TRUE(bl.Contains(bottomLeft));
  EXPECT_FALSE(bl.Contains(topRight));
  EXPECT_TRUE(br.Contains(bottomRight));
  EXPECT_FALSE(br.Contains(topLeft));
}

TEST(Slope, DiagonalAndBoxEdgesAreOutside) {
  Slope br(hgeVector(10, 0), hgeVector(0, 10), Slope::BottomRight);
  EXPECT_FALSE(br.Contains(hgeVector(5, 5))) << "on the diagonal";
  EXPECT_FALSE(br.Contains(hgeVector(2.5f, 7.5f))) << "on the diagonal";
  EXPECT_TRUE(br.Contains(hgeVector(5.5f, 5)));
  // Deep in the solid half but on the box's right or bottom edge.
  EXPECT_FALSE(br.Contains(hgeVector(10, 9)));
  EXPECT_FALSE(br.Contains(hgeVector(9, 10)));
  EXPECT_TRUE(br.Contains(hgeVector(9.9f, 9.9f)));
  EXPECT_FALSE(br.Contains(hgeVector(10.1f, 9)));
  Slope tl(hgeVector(0, 0), hgeVector(10, 10), Slope::TopLeft);
  EXPECT_FALSE(tl.Contains(hgeVector(0, 1))) << "on the left edge";
  EXPECT_FALSE(tl.Contains(hgeVector(1, 0))) << "on the top edge";
  EXPECT_TRUE(tl.Contains(hgeVector(0.1f, 0.1f)));
}

TEST(Slope, AFlatBoxHoldsNothing) {
  Slope s(hgeVector(0, 5), hgeVector(10, 5), Slope::BottomRight);
  EXPECT_FALSE(s.Contains(hgeVector(5, 5)));
  EXPECT_FALSE(s.Contains(hgeVector(9, 5)));
}

// ---- Block ----

TEST(Block, FromCornersInAnyOrder) {
  Block b(hgeVector(339, 442), hgeVector(278, 24));
  EXPECT_EQ(b.topLeft, hgeVector(278, 24));
  EXPECT_EQ(b.width, 61);
  EXPECT_EQ(b.height, 418);
  Block c(hgeVector(302, 66), hgeVector(360, 8));
  EXPECT_EQ(c.topLeft, hgeVector(302, 8));
  EXPECT_EQ(c.width, 58);
  EXPECT_EQ(c.height, 58);
}

TEST(Block, TouchingEdgesDoNotIntersect) {
  Block b(hgeVector(10, 10), 20, 20);
  EXPECT_FALSE(b.Intersects(Block(hgeVector(30, 10), 5, 5))) << "right edge";
  EXPECT_FALSE(b.Intersects(Block(hgeVector(5, 10), 5, 5))) << "left edge";
  EXPECT_FALSE(b.Intersects(Block(hgeVector(10, 30), 5, 5))) << "bottom edge";
  EXPECT_FALSE(b.Intersects(Block(hgeVector(10, 5), 5, 5))) << "top edge";
  EXPECT_TRUE(b.Intersects(Block(hgeVector(29.5f, 29.5f), 5, 5)));
  EXPECT_TRUE(b.Intersects(Block(hgeVector(5, 5), 0.5f + 5, 5.5f)));
  EXPECT_TRUE(b.Intersects(Block(hgeVector(15, 15), 1, 1))) << "inside";
  EXPECT_TRUE(b.Intersects(Block(hgeVector(0, 0), 100, 100))) << "around";
}

// ---- Mountain ----

class MountainTest : public testing::Test {
 protected:
  void SetUp() override {
    savedHge = hge;
    hge = HeadlessEngine();
    ASSERT_NE(hge, nullptr);
    ResetGameValuesToBuiltIn();
    hge->Random_Seed(3);
    player1 = player2 = nullptr;
    const std::string png = WriteTestPng(TestFolder("mountain"), "m.png", 8, 8, 0xFF808080);
    small = std::make_unique<SpriteSheet>(png, 1, 1);
    large = std::make_unique<SpriteSheet>(png, 1, 1);
    savedSheets[0] = smallMountainSheet;
    savedSheets[1] = largeMountainSheet;
    smallMountainSheet = small.get();
    largeMountainSheet = large.get();
  }
  void TearDown() override {
    smallMountainSheet = savedSheets[0];
    largeMountainSheet = savedSheets[1];
    player1 = player2 = nullptr;
    ResetGameValuesToBuiltIn();
    hge = savedHge;
  }
  // A small cloud box at a place relative to the mountain.
  static void Place(PlayerCloud& c, const Mountain& m, float x, float y, float w, float h) {
    c.position = m.position + hgeVector(x, y);
    c.size = hgeVector(w, h);
  }
  HGE* savedHge = nullptr;
  std::unique_ptr<SpriteSheet> small, large;
  SpriteSheet* savedSheets[2] = {};
};

TEST_F(MountainTest, NewMountainWaitsOutOfSightAsEitherKind) {
  bool seen[3] = {};
  for (int seed = 1; seed < 40; ++seed) {
    hge->Random_Seed(seed);
    Mountain m;
    EXPECT_EQ(m.position, hgeVector(-1000, 0));
    const bool small = m.slopes.size() == 3;
    EXPECT_EQ(m.size, small ? hgeVector(541, 400) : hgeVector(650, 600));
    EXPECT_EQ(m.blocks.size(), small ? 2u : 4u);
    seen[small ? 1 : 2] = true;
  }
  EXPECT_TRUE(seen[1] && seen[2]) << "both kinds are drawn";
}

TEST_F(MountainTest, SmallKindTable) {
  screenWidth = 900;
  screenHeight = 700;
  groundHeight = 80;
  Mountain m;
  m.Spawn(2);
  m.Spawn(1);
  ASSERT_EQ(m.slopes.size(), 3u);
  ASSERT_EQ(m.blocks.size(), 2u);
  EXPECT_EQ(m.slopes[0].cornerA, hgeVector(1, 439));
  EXPECT_EQ(m.slopes[0].cornerB, hgeVector(96, 224));
  EXPECT_EQ(m.slopes[0].solidCorner, Slope::BottomRight);
  EXPECT_EQ(m.slopes[1].cornerA, hgeVector(280, 25));
  EXPECT_EQ(m.slopes[1].cornerB, hgeVector(96, 224));
  EXPECT_EQ(m.slopes[1].solidCorner, Slope::BottomRight);
  EXPECT_EQ(m.slopes[2].cornerA, hgeVector(520, 29));
  EXPECT_EQ(m.slopes[2].cornerB, hgeVector(339, 445));
  EXPECT_EQ(m.slopes[2].solidCorner, Slope::BottomLeft);
  EXPECT_EQ(m.blocks[0].topLeft, hgeVector(278, 24));
  EXPECT_EQ(m.blocks[0].width, 61);
  EXPECT_EQ(m.blocks[0].height, 418);
  EXPECT_EQ(m.blocks[1].topLeft, hgeVector(99, 223));
  EXPECT_EQ(m.blocks[1].width, 322);
  EXPECT_EQ(m.blocks[1].height, 236);
  EXPECT_EQ(m.size, hgeVector(541, 400));
  EXPECT_EQ(m.peak, hgeVector(276, 410));
  EXPECT_EQ(m.sheet, small.get());
  EXPECT_EQ(m.position, hgeVector(900, 700 - 400 - 80));
}

TEST_F(MountainTest, LargeKindTableReplacesTheSmallOne) {
  Mountain m;
  m.Spawn(1);
  m.Spawn(2);
  ASSERT_EQ(m.slopes.size(), 4u);
  ASSERT_EQ(m.blocks.size(), 4u);
  const hgeVector boxMin[] = {{33, 66}, {213, 8}, {360, 8}, {520, 222}};
  const hgeVector boxMax[] = {{213, 532}, {302, 66}, {520, 222}, {642, 548}};
  const int corner[] = {Slope::BottomRight, Slope::BottomRight, Slope::BottomLeft,
                        Slope::BottomLeft};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(m.slopes[i].boxMin, boxMin[i]) << i;
    EXPECT_EQ(m.slopes[i].boxMax, boxMax[i]) << i;
    EXPECT_EQ(m.slopes[i].solidCorner, corner[i]) << i;
  }
  EXPECT_EQ(m.slopes[0].cornerA, hgeVector(213, 532));
  EXPECT_EQ(m.slopes[3].cornerA, hgeVector(520, 222));
  EXPECT_EQ(m.slopes[3].cornerB, hgeVector(642, 548));
  const hgeVector blockMin[] = {{213, 360}, {213, 222}, {213, 66}, {302, 8}};
  const hgeVector blockSize[] = {{307, 188}, {307, 138}, {147, 156}, {58, 58}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(m.blocks[i].topLeft, blockMin[i]) << i;
    EXPECT_EQ(hgeVector(m.blocks[i].width, m.blocks[i].height), blockSize[i]) << i;
  }
  EXPECT_EQ(m.size, hgeVector(650, 600));
  EXPECT_EQ(m.peak, hgeVector(328, 584));
  EXPECT_EQ(m.sheet, large.get());
  // 50 px lower than its height would put it.
  EXPECT_EQ(m.position, hgeVector(1024, 768 - 600 - 100 + 50));
}

TEST_F(MountainTest, CollidesThroughCornersInSlopesOrTheBoxInBlocks) {
  Mountain m;
  m.Spawn(1);
  m.position = hgeVector(100, 200);
  PlayerCloud c(1);
  // Below the small mountain's right flank tip: the box covers a bit of the
  // slope, but no corner lies inside it and no block is near.
  Place(c, m, 515, 425, 15, 25);
  EXPECT_FALSE(m.Collides(&c)) << "a slope only sees the four corners";
  Place(c, m, 505, 425, 15, 25);
  EXPECT_TRUE(m.Collides(&c)) << "the top-left corner is in the slope";
  // Straddling the top of the narrow block with every corner outside.
  Place(c, m, 270, 10, 80, 20);
  EXPECT_TRUE(m.Collides(&c)) << "a block tests the whole box";
  Place(c, m, 339, 0, 10, 24);
  EXPECT_FALSE(m.Collides(&c)) << "touching the block's top-right corner";
  Place(c, m, 600, 0, 50, 50);
  EXPECT_FALSE(m.Collides(&c));
}

TEST_F(MountainTest, CloudFlyingLeftIsThrownBackWithoutMoving) {
  Mountain m;
  m.Spawn(1);
  m.position = hgeVector(100, 200);
  PlayerCloud c(1);
  Place(c, m, 90, 300, 60, 40);
  ASSERT_TRUE(m.Collides(&c));
  const hgeVector p = c.position;
  c.velocity = hgeVector(-40, 15);
  m.PushOut(&c);
  EXPECT_EQ(c.velocity, hgeVector(40, -15));
  EXPECT_EQ(c.position, p);
}

TEST_F(MountainTest, CloudLeftOfThePeakIsLiftedAndSentBackLeft) {
  worldSpeed = 70;
  Mountain m;
  m.Spawn(1);
  m.position = hgeVector(100, 200);
  PlayerCloud c(1);
  // Bottom-left corner just inside the first slope, resting.
  Place(c, m, 10, 432, 4, 4);
  c.velocity = hgeVector(0, 0);
  ASSERT_TRUE(m.Collides(&c));
  m.PushOut(&c);
  // Nine passes of 1 px left and 1 px up free the last corner.
  EXPECT_EQ(c.position, m.position + hgeVector(1, 423));
  EXPECT_EQ(c.velocity, hgeVector(-140, -2));
  EXPECT_FALSE(m.Collides(&c));
}

TEST_F(MountainTest, CloudRightOfThePeakIsLiftedOutToTheRight) {
  Mountain m;
  m.Spawn(1);
  m.position = hgeVector(100, 200);
  PlayerCloud c(1);
  Place(c, m, 500, 430, 4, 4);
  c.velocity = hgeVector(30, 50);
  ASSERT_TRUE(m.Collides(&c));
  m.PushOut(&c);
  EXPECT_EQ(c.position, m.position + hgeVector(511, 419));
  EXPECT_EQ(c.velocity, hgeVector(30, -2)) << "the horizontal speed is kept";
}

TEST_F(MountainTest, CentreOnThePeakLineCountsAsLeft) {
  Mountain m;
  m.Spawn(1);
  m.position = hgeVector(0, 0);
  PlayerCloud c(1);
  // Centre x = 276 = peak.x, inside the wide block.
  Place(c, m, 256, 400, 40, 20);
  c.velocity = hgeVector(0, 0);
  m.PushOut(&c);
  EXPECT_LT(c.position.x, 256);
  EXPECT_EQ(c.velocity.x, -2 * worldSpeed);
  EXPECT_FALSE(m.Collides(&c));
}

TEST_F(MountainTest, FreeCloudIsLeftAlone) {
  Mountain m;
  m.Spawn(2);
  PlayerCloud c(1);
  c.position = hgeVector(10, 10);
  c.velocity = hgeVector(-5, 7);
  m.PushOut(&c);
  EXPECT_EQ(c.position, hgeVector(10, 10));
  EXPECT_EQ(c.velocity, hgeVector(-5, 7));
}

TEST_F(MountainTest, UpdateScrollsWithTheWorldAndPushesBothPlayers) {
  worldSpeed = 80;
  Mountain m;
  m.Spawn(1);
  m.position = hgeVector(300, 100);
  m.Update(0.5f);
  EXPECT_EQ(m.position, hgeVector(260, 100)) << "no players: it only moves";
  PlayerCloud one(1), two(2);
  player1 = &one;
  player2 = &two;
  Place(one, m, 90, 300, 60, 40);
  one.velocity = hgeVector(-10, 0);
  Place(two, m, 450, 300, 60, 40);
  two.velocity = hgeVector(0, 0);
  m.Update(0);
  EXPECT_EQ(one.velocity, hgeVector(10, 0));
  EXPECT_FALSE(m.Collides(&two));
  EXPECT_EQ(two.velocity.y, -2);
}

TEST_F(MountainTest, RainAndLightningPassItBy) {
  Mountain m;
  m.Spawn(2);
  PlayerCloud c(1);
  const hgeVector p = m.position;
  m.HitByRain(&c);
  m.HitByLightning(&c);
  m.HitByRain(nullptr);
  EXPECT_EQ(m.position, p);
  EXPECT_EQ(m.slopes.size(), 4u);
  EXPECT_EQ(c.score, 0);
}

// ---- In play ----

TEST(MountainScenario, ComesOnAtItsIntervalAtTheRightEdge) {
  auto d = RunSim(
      "set GameState 1\nset mountainInterval 40\nset spawn.mountainTimer 39.995\n"
      "frames 1 0.004\ndump\nframes 1 0.004\ndump\n");
  ASSERT_EQ(d.size(), 2u);
  EXPECT_LT(d[0]["mountain"]["position"][0].get<float>(), 0) << "39.999 is not yet past 40";
  EXPECT_EQ(d[1]["mountain"]["position"][0], 1024) << "spawned after this frame's move";
  EXPECT_EQ(d[1]["spawn"]["mountainTimer"], 0);
  const float y = d[1]["mountain"]["position"][1];
  EXPECT_TRUE(y == 768 - 400 - 100 || y == 768 - 600 - 100 + 50) << y;
}

TEST(MountainScenario, PushesAPlayerCloudOutAndCKeySendsItAway) {
  auto d = RunSim(
      "set GameState 1\nset energyDrainRate 0\npress SPACE\nframes 1 0\n"
      "set mountain.position 300 100\nset player1.position 450 530\nset player1.velocity 0 0\n"
      "frames 1 0\ndump\nhold C\nframes 1 0\ndump\n");
  ASSERT_EQ(d.size(), 2u);
  // Whichever kind it is, the cloud left of the peak ends free, lifted and sent
  // left (its own braking then stops the small upward speed).
  EXPECT_LT(d[0]["player1"]["position"][1].get<float>(), 530);
  EXPECT_LT(d[0]["player1"]["position"][0].get<float>(), 450);
  EXPECT_EQ(d[0]["player1"]["velocity"][0], -140);
  EXPECT_EQ(d[1]["mountain"]["position"], json::array({-1000, 0}));
}

}  // namespace
