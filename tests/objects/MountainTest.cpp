// Mountains: the slope and block shapes with their edge rules, the two kinds
// and their tables, which corners and boxes count as a collision, and how a
// touching cloud is thrown back or lifted out; then the same in play.
#include <memory>
#include <tuple>

#include "config/GameValues.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "game/Sheets.h"
#include "objects/Mountain.h"
#include "objects/PlayerCloud.h"
#include "tests/HeadlessEngine.h"
#include "tests/objects/CloudScenario.h"

using namespace cloudscenario;

namespace {

TEST(Slope, EachSolidCornerHoldsItsHalfOfTheBoxWithoutItsEdgesOrTheDiagonal) {
  // Solid corner, the box's corners in either order, a point and whether it
  // is inside. On the diagonal or the box's edges is outside.
  const float tl = Slope::TopLeft, tr = Slope::TopRight, bl = Slope::BottomLeft,
              br = Slope::BottomRight;
  const float cases[][8] = {
      {tl, 0, 0, 10, 10, 2, 2, 1},   {tl, 0, 0, 10, 10, 8, 8, 0},  {tr, 0, 0, 10, 10, 8, 2, 1},
      {tr, 0, 0, 10, 10, 2, 8, 0},   {bl, 0, 0, 10, 10, 2, 8, 1},  {bl, 0, 0, 10, 10, 8, 2, 0},
      {br, 0, 0, 10, 10, 8, 8, 1},   {br, 0, 0, 10, 10, 2, 2, 0},  {br, 10, 0, 0, 10, 5, 5, 0},
      {br, 10, 0, 0, 10, 5.5, 5, 1}, {br, 10, 0, 0, 10, 10, 9, 0}, {br, 10, 0, 0, 10, 9, 10, 0},
      {tl, 0, 0, 10, 10, 0, 1, 0},   {tl, 0, 0, 10, 10, 1, 0, 0}};
  for (const auto& [corner, ax, ay, bx, by, px, py, inside] : cases)
    EXPECT_EQ(Slope({ax, ay}, {bx, by}, static_cast<int>(corner)).Contains({px, py}), inside == 1)
        << corner << " at " << px << ", " << py;
}

TEST(Block, OnlyOverlapBeyondTouchingEdgesIntersects) {
  // Against the box (10, 10) 20 x 20: touching its right, left, bottom and
  // top edge, then overlapping its bottom-right and its top-left corner.
  const Block b(hgeVector(10, 10), 20, 20);
  const float cases[][5] = {{30, 10, 5, 5, 0}, {5, 10, 5, 5, 0},      {10, 30, 5, 5, 0},
                            {10, 5, 5, 5, 0},  {29.5, 29.5, 5, 5, 1}, {5, 5, 5.5, 5.5, 1}};
  for (const auto& [x, y, w, h, hit] : cases)
    EXPECT_EQ(b.Intersects(Block(hgeVector(x, y), w, h)), hit == 1) << x << ", " << y;
}

class MountainTest : public testing::Test {
 protected:
  void SetUp() override {
    saved = {hge, smallMountainSheet, largeMountainSheet};
    hge = HeadlessEngine();
    ResetGameValuesToBuiltIn();
    // Only compared, never drawn.
    smallMountainSheet = reinterpret_cast<SpriteSheet*>(&fakeSheets[0]);
    largeMountainSheet = reinterpret_cast<SpriteSheet*>(&fakeSheets[1]);
    m = std::make_unique<Mountain>();  // the small kind at (100, 200)
    m->Spawn(1);
    m->position = hgeVector(100, 200);
    cloud = std::make_unique<PlayerCloud>(1);
  }
  void TearDown() override {
    m.reset();
    cloud.reset();  // its lightning frees textures through the engine
    std::tie(hge, smallMountainSheet, largeMountainSheet) = saved;
    ResetGameValuesToBuiltIn();
  }
  // A cloud box placed relative to the mountain.
  PlayerCloud* Place(float x, float y, float w, float h) {
    cloud->position = m->position + hgeVector(x, y);
    cloud->size = hgeVector(w, h);
    return cloud.get();
  }
  std::tuple<HGE*, SpriteSheet*, SpriteSheet*> saved;
  char fakeSheets[2] = {};
  std::unique_ptr<Mountain> m;
  std::unique_ptr<PlayerCloud> cloud;
};

// Slopes as their box's corners and solid corner, then blocks as top-left and
// size; then the size, peak and place.
json Shapes(const Mountain& m) {
  json j = json::array();
  for (const Slope& s : m.slopes)
    j.push_back({s.boxMin.x, s.boxMin.y, s.boxMax.x, s.boxMax.y, s.solidCorner});
  for (const Block& b : m.blocks) j.push_back({b.topLeft.x, b.topLeft.y, b.width, b.height});
  j.push_back({m.size.x, m.size.y, m.peak.x, m.peak.y, m.position.x, m.position.y});
  return j;
}

TEST_F(MountainTest, EachKindReplacesTheShapesAndStandsOnTheGroundAtTheRightEdge) {
  screenWidth = 900;
  screenHeight = 700;
  groundHeight = 80;
  const int br = Slope::BottomRight, bl = Slope::BottomLeft;
  // Each stands on the ground, 700 - 80, the large kind 50 px lower.
  const json small = {{1, 224, 96, 439, br},   {96, 25, 280, 224, br},
                      {339, 29, 520, 445, bl}, {278, 24, 61, 418},
                      {99, 223, 322, 236},     {541, 400, 276, 410, 900, 220}};
  const json large = {
      {33, 66, 213, 532, br},   {213, 8, 302, 66, br}, {360, 8, 520, 222, bl},
      {520, 222, 642, 548, bl}, {213, 360, 307, 188},  {213, 222, 307, 138},
      {213, 66, 147, 156},      {302, 8, 58, 58},      {650, 600, 328, 584, 900, 70}};
  m->Spawn(2);
  m->Spawn(1);
  EXPECT_EQ(Shapes(*m), small);
  EXPECT_EQ(m->sheet, smallMountainSheet);
  m->Spawn(2);
  EXPECT_EQ(Shapes(*m), large);
  EXPECT_EQ(m->sheet, largeMountainSheet);
  // A new mountain, of either kind, waits out of sight.
  int smallOnes = 0;
  for (int seed = 1; seed < 40; ++seed) {
    hge->Random_Seed(seed);
    Mountain fresh;
    EXPECT_EQ(fresh.position, hgeVector(-1000, 0));
    smallOnes += fresh.slopes.size() == 3;
  }
  EXPECT_TRUE(smallOnes > 0 && smallOnes < 39) << smallOnes;
}

TEST_F(MountainTest, SlopesSeeOnlyTheCloudsCornersBlocksItsWholeBox) {
  // Below the right flank's tip: no corner in the slope, then the top-left one
  // in it. Straddling the narrow block with every corner outside collides;
  // touching its top-right corner does not.
  EXPECT_FALSE(m->Collides(Place(515, 425, 15, 25)));
  EXPECT_TRUE(m->Collides(Place(505, 425, 15, 25)));
  EXPECT_TRUE(m->Collides(Place(270, 10, 80, 20)));
  EXPECT_FALSE(m->Collides(Place(339, 0, 10, 24)));
}

TEST_F(MountainTest, CloudFlyingLeftBouncesOthersAreLiftedOutLeftOrRightOfThePeak) {
  worldSpeed = 70;
  // Place, size, speed; then place and speed after the push. Thrown back in
  // place; nine passes of 1 px left and up free the last corner; right of the
  // peak the speed across is kept; the centre on the peak counts as left.
  const hgeVector cases[][5] = {{{90, 300}, {60, 40}, {-40, 15}, {90, 300}, {40, -15}},
                                {{10, 432}, {4, 4}, {0, 0}, {1, 423}, {-140, -2}},
                                {{500, 430}, {4, 4}, {30, 50}, {511, 419}, {30, -2}},
                                {{256, 400}, {40, 20}, {0, 0}, {57, 201}, {-140, -2}},
                                {{-50, 0}, {10, 10}, {-5, 7}, {-50, 0}, {-5, 7}}};
  for (const auto& [at, size, velocity, endAt, endVelocity] : cases) {
    PlayerCloud* c = Place(at.x, at.y, size.x, size.y);
    c->velocity = velocity;
    m->PushOut(c);
    EXPECT_EQ(c->position - m->position, endAt) << at.x << ", " << at.y;
    EXPECT_EQ(c->velocity, endVelocity) << at.x << ", " << at.y;
    EXPECT_EQ(m->Collides(c), &at == &cases[0][0]) << "only the bounced cloud is still inside";
  }
}

TEST(MountainScenario, ComesOnAtItsIntervalAtTheRightEdgeAndScrolls) {
  const Dumps d = RunScript(
      "set GameState 1; set mountainInterval 40; set spawn.mountainTimer 39.995;"
      "frames 1 0.004; dump; frames 1 0.004; dump; frames 1 0.5; dump");
  // 39.999 is not yet past 40; spawned after the move of the frame past it.
  EXPECT_LT(F(d.at(0)["mountain"]["position"][0]), 0);
  Expect(d) = {{1, "/mountain/position/0", 1024}, {1, "/spawn/mountainTimer", 0}};
  EXPECT_FLOAT_EQ(F(d.at(2)["mountain"]["position"][0]), 1024 - 0.5f * F(d[2]["worldSpeed"]));
  const float y = d[1]["mountain"]["position"][1];
  EXPECT_TRUE(y == 768 - 400 - 100 || y == 768 - 600 - 100 + 50) << y;
}

TEST(MountainScenario, PushesBothPlayerCloudsOutAndCKeySendsItAway) {
  // Both clouds collide with either kind: player 1 left of the peak, player 2
  // right of it. Player 1 is lifted and sent left (its own braking then stops
  // the small upward speed), player 2 lifted and let through to the right.
  const Dumps d =
      RunScript(QuietWorld() + JoinBoth() +
                "set mountain.position 300 100; set player1.position 450 530;"
                "set player2.position 700 530; frames 1 0; dump; hold C; frames 1 0; dump");
  Expect(d) = {{0, "velocity/0", -140}, {1, "/mountain/position", {-1000, 0}}};
  EXPECT_LT(F(d[0]["player1"]["position"][1]), 530);
  EXPECT_LT(F(d[0]["player1"]["position"][0]), 450);
  EXPECT_LT(F(d[0]["player2"]["position"][1]), 530);
  EXPECT_GT(F(d[0]["player2"]["position"][0]), 700);
}

}  // namespace
