// Energy clouds: where each kind starts, its size and picture, its drift and
// its back-and-forth animation; and the same seen through the simulator,
// including the cloud's removal once its right edge passes the left border.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "config/GameValues.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "game/Sheets.h"
#include "gfx/SpriteSheet.h"
#include "objects/Cloud.h"
#include "objects/PlayerCloud.h"
#include "tests/HeadlessEngine.h"
#include "tests/SimRunner.h"

using nlohmann::json;

namespace {

class CloudTest : public testing::Test {
 protected:
  void SetUp() override {
    savedHge = hge;
    hge = HeadlessEngine();
    ASSERT_NE(hge, nullptr);
    ResetGameValuesToBuiltIn();
    hge->Random_Seed(7);
    const std::string png = WriteTestPng(TestFolder("cloud"), "c.png", 30, 10, 0xFFFFFFFF);
    for (int i = 0; i < 4; ++i) sheets[i] = std::make_unique<SpriteSheet>(png, 3, 1);
    saved[0] = smallCloudSheet;
    saved[1] = mediumCloudSheet;
    saved[2] = largeCloudSheet;
    saved[3] = lightningCloudSheet;
    smallCloudSheet = sheets[0].get();
    mediumCloudSheet = sheets[1].get();
    largeCloudSheet = sheets[2].get();
    lightningCloudSheet = sheets[3].get();
  }
  void TearDown() override {
    smallCloudSheet = saved[0];
    mediumCloudSheet = saved[1];
    largeCloudSheet = saved[2];
    lightningCloudSheet = saved[3];
    ResetGameValuesToBuiltIn();
    hge = savedHge;
  }

  // Forces the next Update to take an animation step, whatever the clock says.
  static void Due(Cloud& c) { c.frameTime = hge->Timer_GetTime() - 1; }

  HGE* savedHge = nullptr;
  std::unique_ptr<SpriteSheet> sheets[4];
  SpriteSheet* saved[4] = {};
};

struct KindRow {
  int kind;
  float w, h;
  int low, high;
};
constexpr KindRow kKinds[] = {
    {1, 83, 46, 1, 145}, {2, 85, 53, 145, 330}, {3, 127, 64, 330, 500}, {4, 127, 64, 145, 330}};

TEST_F(CloudTest, EachKindStartsAtTheRightEdgeInItsBandWithItsSizeAndPicture) {
  screenWidth = 800;
  for (const KindRow& row : kKinds) {
    int lowest = 10000, highest = -1;
    for (int i = 0; i < 3000; ++i) {
      Cloud c(row.kind);
      ASSERT_EQ(c.kind, row.kind);
      ASSERT_EQ(c.sheet, sheets[row.kind - 1].get()) << "kind " << row.kind;
      ASSERT_EQ(c.size, hgeVector(row.w, row.h)) << "kind " << row.kind;
      ASSERT_EQ(c.position.x, 800.0f);
      const float y = c.position.y;
      ASSERT_EQ(y, static_cast<float>(static_cast<int>(y))) << "heights are whole pixels";
      lowest = std::min(lowest, static_cast<int>(y));
      highest = std::max(highest, static_cast<int>(y));
    }
    // Both ends of each band are drawn, nothing outside it.
    EXPECT_EQ(lowest, row.low) << "kind " << row.kind;
    EXPECT_EQ(highest, row.high) << "kind " << row.kind;
  }
}

TEST_F(CloudTest, StartsOnTheFirstFrameRunningForward) {
  Cloud c(3);
  EXPECT_EQ(c.frame, 0);
  EXPECT_EQ(c.frameStep, 1);
  EXPECT_EQ(c.frameTime, 0.0f);
  EXPECT_FLOAT_EQ(c.frameDuration, 0.15f);
}

TEST_F(CloudTest, DriftsLeftAtItsOwnSpeedWhateverTheWorldSpeed) {
  energyCloudSpeed = 50;
  worldSpeed = 300;
  Cloud c(2);
  const hgeVector start = c.position;
  c.Update(0);
  EXPECT_EQ(c.position, start) << "a frame of no time leaves it in place";
  c.Update(0.5f);
  EXPECT_FLOAT_EQ(c.position.x, start.x - 25);
  EXPECT_EQ(c.position.y, start.y);
  c.Update(20);  // a long frame moves the whole way at once
  EXPECT_FLOAT_EQ(c.position.x, start.x - 1025);
  EXPECT_EQ(c.position.y, start.y);
}

TEST_F(CloudTest, AnimationRunsBackAndForthOverTheThreeColumns) {
  Cloud c(1);
  std::vector<int> frames;
  for (int i = 0; i < 7; ++i) {
    Due(c);
    c.Update(0);
    frames.push_back(c.frame);
  }
  EXPECT_EQ(frames, (std::vector<int>{1, 2, 1, 0, 1, 2, 1}));
}

TEST_F(CloudTest, AnimationStepsOnlyWhenMoreThanItsDurationHasPassed) {
  Cloud c(1);
  const float now = hge->Timer_GetTime();
  c.frameTime = now - 0.15f;  // exactly the duration: not yet
  c.Update(0);
  EXPECT_EQ(c.frame, 0);
  c.frameTime = now - 0.16f;
  c.Update(0);
  EXPECT_EQ(c.frame, 1);
  EXPECT_EQ(c.frameTime, now);
  c.Update(0);  // the stamp was renewed: one step per duration at most
  EXPECT_EQ(c.frame, 1);
}

TEST_F(CloudTest, RainAndLightningPassThrough) {
  PlayerCloud player(1);
  Cloud c(4);
  const hgeVector p = c.position;
  c.HitByRain(&player);
  c.HitByLightning(&player);
  c.HitByRain(nullptr);
  EXPECT_EQ(c.position, p);
  EXPECT_EQ(c.frame, 0);
  EXPECT_EQ(player.score, 0);
  EXPECT_EQ(player.energy, startEnergy);
}

// Through the simulator: a game with no players, so nothing collects clouds.
const std::string kPlaying = "set GameState 1\n";

TEST(CloudScenario, NewCloudStartsAtTheRightEdgeInItsBand) {
  auto d = RunSim(kPlaying + "spawn Cloud1\nspawn Cloud3\ndump\n");
  ASSERT_EQ(d.size(), 1u);
  ASSERT_EQ(d[0]["cloudobjects"].size(), 2u);
  const json& small = d[0]["cloudobjects"][0];
  const json& large = d[0]["cloudobjects"][1];
  EXPECT_EQ(small["class"], "Cloud1");
  EXPECT_EQ(small["position"][0], 1024);
  EXPECT_GE(small["position"][1], 1);
  EXPECT_LE(small["position"][1], 145);
  EXPECT_EQ(small["size"], json::array({83, 46}));
  EXPECT_EQ(small["sheet"], "Images\\litet_energimoln.png");
  EXPECT_GE(large["position"][1], 330);
  EXPECT_LE(large["position"][1], 500);
  EXPECT_EQ(large["sheet"], "Images\\stort_energimoln.png");
}

TEST(CloudScenario, AnimatesOneStepPerDurationFromTheFirstUpdate) {
  std::string script = kPlaying + "set energyCloudSpeed 50\nspawn Cloud2 500 200\n";
  for (int i = 0; i < 7; ++i) script += "frames 1 0.2\ndump\n";
  auto d = RunSim(script);
  ASSERT_EQ(d.size(), 7u);
  std::vector<int> frames;
  for (const json& dump : d) frames.push_back(dump["cloudobjects"][0]["frame"]);
  EXPECT_EQ(frames, (std::vector<int>{1, 2, 1, 0, 1, 2, 1}));
  // 0.2 s a frame at 50 px/s: 10 px a frame, straight left.
  EXPECT_FLOAT_EQ(d[6]["cloudobjects"][0]["position"][0].get<float>(), 430);
  EXPECT_EQ(d[6]["cloudobjects"][0]["position"][1], 200);
}

TEST(CloudScenario, LeavesTheListOnlyWhenItsRightEdgePassesZero) {
  // 0.125 s at 50 px/s moves 6.25 px. The first cloud ends with its right edge
  // exactly on x = 0, the second a quarter pixel beyond.
  auto d = RunSim(kPlaying +
                  "set energyCloudSpeed 50\nspawn Cloud1 -76.75 50\n"
                  "spawn Cloud1 -77 80\nframes 1 0.125\ndump\nframes 1 0.125\ndump\n");
  ASSERT_EQ(d.size(), 2u);
  ASSERT_EQ(d[0]["cloudobjects"].size(), 1u);
  EXPECT_EQ(d[0]["cloudobjects"][0]["position"], json::array({-83, 50}));
  EXPECT_EQ(d[1]["cloudobjects"].size(), 0u);
}

}  // namespace
