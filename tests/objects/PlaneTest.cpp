// The plane: where a flight starts on either side, the engine sound, the
// bobbing between the two vertical speed limits, the propeller frames, the
// end of a flight beyond the far edge and the energy it drains from clouds.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "config/GameValues.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "objects/Plane.h"
#include "objects/PlayerCloud.h"
#include "sound/SoundBank.h"
#include "tests/HeadlessEngine.h"
#include "tests/SimRunner.h"

using nlohmann::json;

namespace {

class PlaneTest : public testing::Test {
 protected:
  void SetUp() override {
    savedHge = hge;
    hge = HeadlessEngine();
    ASSERT_NE(hge, nullptr);
    ResetGameValuesToBuiltIn();
    player1 = player2 = nullptr;
    savedLog = soundBank->callLog;
    soundBank->callLog = &sounds;
  }
  void TearDown() override {
    soundBank->callLog = savedLog;
    player1 = player2 = nullptr;
    ResetGameValuesToBuiltIn();
    hge = savedHge;
  }
  int Count(const std::string& call) const {
    return static_cast<int>(std::count(sounds.begin(), sounds.end(), call));
  }
  // A plane in flight, standing still, at a place.
  static void Hover(Plane& p, float x, float y) {
    p.active = true;
    p.position = hgeVector(x, y);
    p.velocity = hgeVector(0, 0);
    p.acceleration = hgeVector(0, 0);
  }

  HGE* savedHge = nullptr;
  std::vector<std::string> sounds;
  std::vector<std::string>* savedLog = nullptr;
};

TEST_F(PlaneTest, StartsInactiveWithItsScaledBox) {
  Plane p;
  EXPECT_FALSE(p.active);
  EXPECT_EQ(p.size, hgeVector(198, 102.75f));
  EXPECT_EQ(p.frame, 0);
  EXPECT_FLOAT_EQ(p.frameDuration, 0.7f);
  EXPECT_EQ(p.energyDrain, 40);
  EXPECT_EQ(p.sinkAcceleration, 100);
  EXPECT_EQ(p.scale, 0.75f);
}

TEST_F(PlaneTest, LaunchStartsBeyondEitherEdgeWithTheEngineSound) {
  bool seen[2] = {};
  for (int seed = 1; seed <= 60; ++seed) {
    hge->Random_Seed(seed);
    Plane p;
    sounds.clear();
    p.Launch();
    ASSERT_TRUE(p.direction == 0 || p.direction == 1);
    seen[p.direction] = true;
    if (p.direction == 0) {
      EXPECT_EQ(p.position.x, 2024);
      EXPECT_GE(p.velocity.x, -200);
      EXPECT_LE(p.velocity.x, -100);
    } else {
      EXPECT_EQ(p.position.x, -198 - 1000);
      EXPECT_GE(p.velocity.x, 100);
      EXPECT_LE(p.velocity.x, 200);
    }
    EXPECT_GE(p.position.y, 0);
    EXPECT_LE(p.position.y, 300);
    EXPECT_EQ(p.velocity.y, 0);
    EXPECT_GE(p.acceleration.x, -2);
    EXPECT_LE(p.acceleration.x, 2);
    EXPECT_EQ(p.acceleration.y, 100);
    EXPECT_TRUE(p.active);
    EXPECT_EQ(p.frame, 0);
    EXPECT_EQ(p.frameTime, hge->Timer_GetTime());
    EXPECT_EQ(Count("Play Plane_Warning"), 1);
  }
  EXPECT_TRUE(seen[0] && seen[1]);
}

TEST_F(PlaneTest, FromTheRightItIsHeardFiveToTenSecondsBeforeItIsSeen) {
  for (int seed = 1; seed <= 30; ++seed) {
    hge->Random_Seed(seed);
    Plane p;
    p.Launch();
    if (p.direction != 0) continue;
    const float seconds = 1000 / -p.velocity.x;
    EXPECT_GE(seconds, 5);
    EXPECT_LE(seconds, 10);
  }
}

TEST_F(PlaneTest, RelaunchDuringAFlightStartsAnewAndPlaysTheSoundAgain) {
  Plane p;
  p.Launch();
  p.position.x = 500;
  p.Launch();
  EXPECT_NE(p.position.x, 500);
  EXPECT_EQ(Count("Play Plane_Warning"), 2);
}

TEST_F(PlaneTest, MovesThenAccelerates) {
  Plane p;
  Hover(p, 100, 50);
  p.velocity = hgeVector(-150, 10);
  p.acceleration = hgeVector(2, 100);
  p.Update(0.5f);
  EXPECT_EQ(p.position, hgeVector(25, 55)) << "the old velocity moves it";
  EXPECT_EQ(p.velocity, hgeVector(-149, 60));
}

TEST_F(PlaneTest, BobsBetweenTheTwoVerticalSpeedLimits) {
  Plane p;
  Hover(p, 500, 100);
  p.velocity.y = 169.9f;
  p.acceleration.y = 100;
  p.Update(0.0005f);  // 169.95: still sinking
  EXPECT_EQ(p.acceleration.y, 100);
  p.velocity.y = 170.05f;
  p.Update(0.001f);  // just above 170: climb
  EXPECT_EQ(p.acceleration.y, -350);
  p.velocity.y = 0;
  p.Update(0.01f);  // between the limits the sign is kept
  EXPECT_EQ(p.acceleration.y, -350);
  p.velocity.y = -179.9f;
  p.Update(0.0001f);
  EXPECT_EQ(p.acceleration.y, -350);
  p.velocity.y = -180;
  p.Update(0.001f);  // just below -180: sink again
  EXPECT_EQ(p.acceleration.y, p.sinkAcceleration);
}

TEST_F(PlaneTest, PropellerStepsAtMostOncePerUpdateAndWraps) {
  Plane p;
  Hover(p, 500, 100);
  std::vector<int> frames;
  for (int i = 0; i < 5; ++i) {
    p.frameTime = hge->Timer_GetTime() - 5;  // long overdue: still one step
    p.Update(0);
    frames.push_back(p.frame);
  }
  EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 0, 1}));
  p.frameTime = hge->Timer_GetTime() - 0.7f;  // exactly the duration: not yet
  p.Update(0);
  EXPECT_EQ(p.frame, 1);
}

TEST_F(PlaneTest, FlightEndsOnlyBeyondTheFarEdge) {
  Plane left;
  Hover(left, -198, 100);  // right edge exactly on 0
  left.direction = 0;
  left.Update(0);
  EXPECT_TRUE(left.active);
  left.position.x = -198.5f;
  left.Update(0);
  EXPECT_FALSE(left.active);
  EXPECT_EQ(Count("Stop Plane_Warning"), 1);

  Plane right;
  Hover(right, 1024 + 198, 100);  // left edge exactly one width beyond
  right.direction = 1;
  right.Update(0);
  EXPECT_TRUE(right.active);
  right.position.x = 1024 + 198.5f;
  right.Update(0);
  EXPECT_FALSE(right.active);
  EXPECT_EQ(Count("Stop Plane_Warning"), 2);

  // A plane flying right is not stopped at the left edge, and the other way round.
  Plane early;
  Hover(early, -1198, 100);
  early.direction = 1;
  early.Update(0);
  EXPECT_TRUE(early.active);
}

TEST_F(PlaneTest, TouchingCloudLosesFortyEnergyPerSecond) {
  Plane p;
  Hover(p, 300, 200);
  PlayerCloud one(1), two(2);
  one.position = hgeVector(350, 250);
  two.position = hgeVector(700, 250);
  one.energy = 50;
  two.energy = 50;
  player1 = &one;
  player2 = &two;
  p.Update(0.25f);
  p.Update(0.25f);
  EXPECT_FLOAT_EQ(one.energy, 30);
  EXPECT_FLOAT_EQ(two.energy, 50) << "not touching";
  // The drain is not clamped here and ignores the cloud's state.
  one.energy = 5;
  p.HitPlayer(&one, 0.5f);
  EXPECT_FLOAT_EQ(one.energy, -15);
}

TEST_F(PlaneTest, SharedEdgesCountOnlyFromTheCloudsLeftAndTopSide) {
  Plane p;
  Hover(p, 300, 200);
  PlayerCloud c(1);
  c.energy = 50;
  c.position = hgeVector(300 + 198, 200);  // cloud's left edge on the plane's right edge
  p.HitPlayer(&c, 1);
  EXPECT_EQ(c.energy, 10);
  c.energy = 50;
  c.position = hgeVector(300 - c.size.x, 200);  // cloud's right edge on the plane's left edge
  p.HitPlayer(&c, 1);
  EXPECT_EQ(c.energy, 50);
  c.position = hgeVector(300, 200 - c.size.y);  // cloud's bottom on the plane's top
  p.HitPlayer(&c, 1);
  EXPECT_EQ(c.energy, 50);
  c.position = hgeVector(300, 200 + 102.75f);  // cloud's top on the plane's bottom
  p.HitPlayer(&c, 1);
  EXPECT_EQ(c.energy, 10);
}

TEST_F(PlaneTest, InactivePlaneNeitherMovesNorHurts) {
  Plane p;
  p.position = hgeVector(300, 200);
  p.velocity = hgeVector(-100, 50);
  PlayerCloud c(1);
  c.position = p.position;
  c.energy = 50;
  player1 = &c;
  p.Update(1);
  EXPECT_EQ(p.position, hgeVector(300, 200));
  EXPECT_EQ(c.energy, 50);
  EXPECT_TRUE(sounds.empty());
}

TEST_F(PlaneTest, RainAndLightningPassItBy) {
  Plane p;
  Hover(p, 300, 200);
  PlayerCloud c(1);
  p.HitByRain(&c);
  p.HitByLightning(&c);
  p.HitByRain(nullptr);
  EXPECT_TRUE(p.active);
  EXPECT_EQ(p.position, hgeVector(300, 200));
}

// ---- In play ----

TEST(PlaneScenario, LaunchesEveryThirtySecondsOfPlay) {
  auto d = RunSim(
      "set GameState 1\nset spawn.planeTimer 29.995\nframes 1 0.004\ndump\n"
      "frames 1 0.004\ndump\n");
  ASSERT_EQ(d.size(), 2u);
  EXPECT_FALSE(d[0]["plane"]["active"]);
  EXPECT_TRUE(d[1]["plane"]["active"]);
  EXPECT_EQ(d[1]["spawn"]["planeTimer"], 0);
  const float x = d[1]["plane"]["position"][0];
  // Launched after this frame's plane update: it has not moved yet.
  EXPECT_TRUE(x == 2024 || x == -1198) << x;
  bool played = false;
  for (const json& s : d[1]["sounds"]) played |= s == "Play Plane_Warning";
  EXPECT_TRUE(played);
}

TEST(PlaneScenario, DrainsTwentyEnergyInHalfASecondOfContact) {
  auto d = RunSim(
      "set GameState 1\nset energyDrainRate 0\npress SPACE\nframes 1 0\n"
      "set plane.active true\nset plane.direction 0\nset plane.position 150 150\n"
      "set plane.velocity 0 0\nset plane.acceleration 0 0\nset player1.energy 50\n"
      "dump\nframes 20 0.025\ndump\n");
  ASSERT_EQ(d.size(), 2u);
  EXPECT_NEAR(d[1]["player1"]["energy"].get<float>(), 30, 1e-3);
  EXPECT_TRUE(d[1]["plane"]["active"]);
}

}  // namespace
