// The plane: where a flight starts on either side, the engine sound, the
// bobbing between the two vertical speed limits, the propeller frames, the
// end of a flight beyond the far edge and the energy it drains from clouds.
#include <gtest/gtest.h>

#include <algorithm>

#include "config/GameValues.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "objects/Plane.h"
#include "objects/PlayerCloud.h"
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
  EXPECT_EQ(Plane().size, hgeVector(198, 102.75f));  // the 264 x 137 picture drawn at 3/4
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
  std::vector<int> frames;
  for (int i = 0; i < 5; ++i) {
    p.frameTime = hge->Timer_GetTime() - 5;  // long overdue: still one step
    p.Update(0);
    frames.push_back(p.frame);
  }
  EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 0, 1}));
  p.frameTime = hge->Timer_GetTime() - 0.7f;  // exactly the frame time: not yet
  p.Update(0);
  EXPECT_EQ(p.frame, 1);
  p.frameTime = hge->Timer_GetTime() - 0.71f;
  p.Update(0);
  EXPECT_EQ(p.frame, 2);
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

TEST_F(PlaneTest, TouchingEdgesCountOnlyFromTheCloudsLeftAndTopSide) {
  Plane p;
  Hover(p, 300, 200);
  PlayerCloud c(1);
  // Its left edge on the plane's right, its top on the plane's bottom; its
  // right edge on the plane's left, its bottom on the plane's top.
  const hgeVector places[] = {
      {498, 200}, {300, 302.75f}, {300 - c.size.x, 200}, {300, 200 - c.size.y}};
  for (int i = 0; i < 4; ++i) {
    c.energy = 50;
    c.position = places[i];
    p.HitPlayer(&c, 1);
    EXPECT_EQ(c.energy, i < 2 ? 10 : 50) << i;  // forty a second
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

TEST(PlaneScenario, DrainsBothTouchingCloudsOnlyInFlight) {
  // Half a second of contact takes twenty.
  const std::string place =
      "set plane.position 150 150; set plane.velocity 0 0; set plane.acceleration 0 0;"
      "set player1.position 200 200; set player2.position 10 100; set player1.energy 50;"
      "set player2.energy 50; frames 20 0.025; dump;";
  const Dumps d = RunScript(QuietWorld() + JoinBoth() + "set plane.active false;" + place +
                            "set plane.active true; set plane.direction 0;" + place);
  Expect(d) = {{0, "energy", 50}, {0, "/player2/energy", 50}, {0, "/plane/position", {150, 150}},
               {1, "energy", 30}, {1, "/player2/energy", 30}, {1, "/plane/active", true}};
}

}  // namespace
