// The plane: where a flight starts on either side, the engine sound, the
// bobbing between the two vertical speed limits, the propeller frames, the
// end of a flight beyond the far edge and the energy it drains from clouds.
#include "config/GameValues.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "objects/Plane.h"
#include "sound/SoundBank.h"
#include "tests/HeadlessEngine.h"
#include "tests/objects/CloudScenario.h"

using namespace cloudscenario;

namespace {

class PlaneTest : public testing::Test {
 protected:
  void SetUp() override {
    savedHge = hge;
    hge = HeadlessEngine();
    ResetGameValuesToBuiltIn();
    player1 = player2 = nullptr;
    soundBank->callLog = &sounds;
  }
  void TearDown() override {
    soundBank->callLog = nullptr;
    ResetGameValuesToBuiltIn();
    hge = savedHge;
  }
  // A plane in flight, standing still, at a place.
  static void Hover(Plane& p, float x, float y) {
    p.active = true;
    p.position = hgeVector(x, y);
    p.velocity = p.acceleration = hgeVector(0, 0);
  }

  HGE* savedHge = nullptr;
  std::vector<std::string> sounds;
};

TEST_F(PlaneTest, LaunchStartsBeyondEitherEdgeWithTheEngineSound) {
  bool seen[2] = {};
  for (int seed = 1; seed <= 60; ++seed) {
    hge->Random_Seed(seed);
    Plane p;
    p.Launch();
    seen[p.direction] = true;
    // From the right it is heard five to ten seconds before it is seen.
    const float speed = p.direction == 0 ? -p.velocity.x : p.velocity.x;
    EXPECT_EQ(p.position.x, p.direction == 0 ? 2024 : -198 - 1000);
    EXPECT_TRUE(speed >= 100 && speed <= 200) << p.velocity.x;
    EXPECT_TRUE(p.position.y >= 0 && p.position.y <= 300) << p.position.y;
    EXPECT_TRUE(p.acceleration.x >= -2 && p.acceleration.x <= 2) << p.acceleration.x;
    EXPECT_EQ(std::make_tuple(p.velocity.y, p.acceleration.y, p.active, p.frame, p.frameTime),
              std::make_tuple(0.0f, 100.0f, true, 0, hge->Timer_GetTime()));
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "Play Plane_Warning"), seed);
  }
  EXPECT_TRUE(seen[0] && seen[1]);
}

TEST_F(PlaneTest, MovesThenAcceleratesAndBobsBetweenTheTwoVerticalSpeedLimits) {
  Plane p;
  Hover(p, 100, 50);
  p.velocity = hgeVector(-150, 10);
  p.acceleration = hgeVector(2, 100);
  p.Update(0.5f);
  EXPECT_EQ(p.position, hgeVector(25, 55)) << "the old velocity moves it";
  EXPECT_EQ(p.velocity, hgeVector(-149, 60));
  // Speed before the update, its length, and the vertical acceleration after:
  // at 169.95 still sinking, just above 170 climbing, between the limits the
  // sign is kept, just below -180 sinking again, and kept again.
  const float steps[][3] = {{169.9f, 0.0005f, 100},   {170.05f, 0.001f, -350}, {0, 0.01f, -350},
                            {-179.9f, 0.0001f, -350}, {-180, 0.001f, 100},     {0, 0.01f, 100}};
  for (const auto& [vy, dt, ay] : steps) {
    p.velocity.y = vy;
    p.Update(dt);
    EXPECT_EQ(p.acceleration.y, ay) << vy;
  }
}

TEST_F(PlaneTest, PropellerStepsOncePastItsFrameTimeAtMostOncePerUpdateAndWraps) {
  Plane p;
  Hover(p, 500, 100);
  // How long ago the last step was, and the frame after an update: long
  // overdue is still one step, exactly the frame time not yet a step.
  const std::pair<float, int> steps[] = {{5, 1},    {5, 2}, {5, 3},    {5, 0},
                                         {0.7f, 0}, {5, 1}, {0.71f, 2}};
  for (const auto& [ago, frame] : steps) {
    p.frameTime = hge->Timer_GetTime() - ago;
    p.Update(0);
    EXPECT_EQ(p.frame, frame) << ago;
  }
}

TEST_F(PlaneTest, FlightEndsOnlyBeyondTheFarEdge) {
  // Direction, place and whether still flying: flying left with its right
  // edge on 0 and beyond, flying right with its left edge one width beyond the
  // screen and further; not stopped at the other edge.
  const float cases[][3] = {{0, -198, 1},         {0, -198.5, 0}, {1, 1024 + 198, 1},
                            {1, 1024 + 198.5, 0}, {1, -1198, 1},  {0, 1500, 1}};
  int stops = 0;
  for (const auto& [direction, x, active] : cases) {
    Plane p;
    Hover(p, x, 100);
    p.direction = static_cast<int>(direction);
    p.Update(0);
    EXPECT_EQ(p.active, active == 1) << direction << " at " << x;
    stops += active == 0;
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "Stop Plane_Warning"), stops);
  }
}

TEST(PlaneScenario, LaunchesEveryThirtySecondsOfPlay) {
  const Dumps d = RunScript(
      "set GameState 1; set spawn.planeTimer 29.995; frames 1 0.004; dump; frames 1 0.004; dump");
  Expect(d, "/plane/") = {{0, "active", false}, {1, "active", true}, {1, "frame", 0}};
  Expect(d, "/spawn/") = {{0, "planeTimer", 29.999}, {1, "planeTimer", 0}};
  Expect(d) = {{1, "sound:Play Plane_Warning", 1}};
  // Launched after this frame's plane update: it has not moved yet.
  const float x = d.at(1)["plane"]["position"][0];
  EXPECT_TRUE(x == 2024 || x == -1198) << x;
}

TEST(PlaneScenario, DrainsTouchingCloudsOnlyInFlightCountingEdgesFromTheCloudsLeftAndTop) {
  // The plane at (300, 200), 198 x 102.75; each cloud 150 x 80. A quarter of a
  // second of contact takes ten. Each placing lays one cloud's left or top edge
  // on the plane's far edge, the other's right or bottom edge on its near one.
  std::string s = QuietWorld() + JoinBoth() + "set plane.active false;";
  for (const char* at :
       {"350 220; set player2.position 200 220", "498 200; set player2.position 300 120",
        "150 200; set player2.position 300 302.75"})
    s += "set plane.position 300 200; set plane.velocity 0 0; set plane.acceleration 0 0;"
         "set player1.energy 25; set player2.energy 25; set player1.position " +
         std::string(at) + "; frames 10 0.025; dump; set plane.active true; set plane.direction 0;";
  Expect(RunScript(s)) = {
      {0, "energy", 25}, {0, "/player2/energy", 25}, {0, "size", {150, 80}},
      {1, "energy", 15}, {1, "/player2/energy", 25}, {1, "/plane/active", true},
      {2, "energy", 25}, {2, "/player2/energy", 15}, {2, "/player2/size", {150, 80}}};
}

}  // namespace
