// The world step and the spawner: world speed, pruning, the bounce of two
// touching player clouds, the spawner's waves, and the scenery's darkness and sun.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "config/GameValues.h"
#include "game/World.h"
#include "objects/Cloud.h"
#include "objects/House.h"
#include "objects/Mountain.h"
#include "objects/Person.h"
#include "objects/Plane.h"
#include "objects/PlayerCloud.h"
#include "objects/Sheep.h"
#include "objects/Tree.h"
#include "tests/HeadlessEngine.h"
#include "tests/game/GameScenario.h"

namespace {

int destroyed = 0;
constexpr int kAbsent = -1;

// A world object that stands still and counts its updates and its destruction.
class Marker : public GameObject {
 public:
  explicit Marker(float x) {
    position = hgeVector(x, 300);
    size = hgeVector(10, 10);
  }
  ~Marker() override { ++destroyed; }
  void Update(float) override { ++updates; }
  int updates = 0;
};

class WorldTest : public testing::Test {
 protected:
  void SetUp() override {
    ResetGameValuesToBuiltIn();
    hge->Random_Seed(11);
    destroyed = 0;
  }
  void TearDown() override {
    ClearWorldLists();
    rain.Clear();
    DropPlayers();
    ResetGameValuesToBuiltIn();
  }
  static void DropPlayers() {
    delete player1;
    delete player2;
    player1 = player2 = nullptr;
  }
  // A player cloud joins, unless its energy is kAbsent.
  static PlayerCloud* Join(int number, float x, float y, float energy) {
    if (energy == kAbsent) return nullptr;
    PlayerCloud* c = new PlayerCloud(number);
    c->position = hgeVector(x, y);
    c->energy = energy;
    (number == 1 ? player1 : player2) = c;
    return c;
  }
  Scoped<HGE*> engine{hge, HeadlessEngine()};
  Scoped<State> state{GameState, State::Playing};
  Scoped<SpawnTimers> timers{spawnTimers, SpawnTimers{}};
  Scoped<Scenery> sky{scenery, Scenery{}};
  Scoped<float> delta{frameDelta, 0};
};

TEST_F(WorldTest, WorldSpeedFollowsTheScoresByWholeSteps) {
  // One cloud: 70 + score / 1000; two: 70 + their sum / 500, without overflow;
  // without clouds the file's speed stands.
  const std::tuple<int, int, float> cases[] = {
      {kAbsent, kAbsent, 35}, {0, kAbsent, 70},     {999, kAbsent, 70},
      {1000, kAbsent, 71},    {12345, kAbsent, 82}, {kAbsent, 2500, 72},
      {250, 249, 70},         {250, 250, 71},       {2000000000, 2000000000, 70.0f + 8000000.0f}};
  for (const auto& [score1, score2, speed] : cases) {
    DropPlayers();
    worldSpeed = 35;
    if (score1 != kAbsent) Join(1, 300, 300, 30)->score = score1;
    if (score2 != kAbsent) Join(2, 700, 300, 30)->score = score2;
    UpdateWorld();
    EXPECT_EQ(worldSpeed, speed) << score1 << ", " << score2;
  }
}

TEST_F(WorldTest, EverythingIsUpdatedAndWhatIsFarOffScreenDestroyed) {
  // Objects go when wholly more than 1000 px beyond an edge; the others keep
  // their order. (Energy clouds: tests/objects/CloudTest.cpp.)
  objects = {new Marker(-1010),     // right edge exactly -1000: stays
             new Marker(-1010.5f),  // just beyond: goes
             new Marker(-2000),     // goes, right after the one before
             new Marker(500),
             new Marker(2024),  // left edge exactly screenWidth + 1000: stays
             new Marker(2024.5f)};
  const std::vector<GameObject*> kept = {objects[0], objects[3], objects[4]};
  cloudobjects = {new Cloud(3)};
  UpdateWorld();
  EXPECT_EQ(objects, kept);
  EXPECT_EQ(destroyed, 3);
  for (GameObject* o : objects) EXPECT_EQ(static_cast<Marker*>(o)->updates, 1);
  ClearWorldLists();
  EXPECT_TRUE(objects.empty());
  EXPECT_TRUE(cloudobjects.empty());
  EXPECT_EQ(destroyed, 6);
}

int Sign(float v) { return (v > 0) - (v < 0); }

TEST_F(WorldTest, TouchingCloudsArePushedApartAndTradeVelocitiesByEnergy) {
  // Each takes the other's velocity times (its energy + 50) / (own energy + 50);
  // both are pushed equally apart along the line between them (from one spot:
  // player 1 to the right). Rows: positions, energies, velocities before and
  // after (10 px/s or more: braking snaps smaller ones to 0), player 1's push.
  using Row = std::tuple<hgeVector, hgeVector, float, float, hgeVector, hgeVector, hgeVector,
                         hgeVector, int, int>;
  const Row cases[] = {
      {{300, 350}, {340, 370}, 50, 50, {10, 20}, {-30, 15}, {-30, 15}, {10, 20}, -1, -1},
      {{300, 350}, {340, 360}, 0, 100, {30, -60}, {-20, 10}, {-60, 30}, {10, -20}, -1, -1},
      {{400, 350}, {400, 350}, 30, 30, {0, 0}, {0, 0}, {0, 0}, {0, 0}, 1, 0},
      {{100, 350}, {600, 350}, 50, 20, {10, 20}, {-30, 15}, {10, 20}, {-30, 15}, 0, 0},  // apart
  };
  for (const auto& [p1, p2, e1, e2, v1, v2, v1After, v2After, dx, dy] : cases) {
    DropPlayers();
    PlayerCloud* one = Join(1, p1.x, p1.y, e1);
    PlayerCloud* two = Join(2, p2.x, p2.y, e2);
    one->velocity = v1;
    two->velocity = v2;
    UpdateWorld();
    SCOPED_TRACE(testing::Message() << "energies " << e1 << ", " << e2);
    EXPECT_EQ(one->velocity, v1After);
    EXPECT_EQ(two->velocity, v2After);
    EXPECT_FALSE(RectsOverlap(one->size, one->position, two->size, two->position));
    EXPECT_EQ(Sign(one->position.x - p1.x), dx);
    EXPECT_EQ(Sign(one->position.y - p1.y), dy);
    EXPECT_NEAR(one->position.x + two->position.x, p1.x + p2.x, 1e-2);
    EXPECT_NEAR(one->position.y + two->position.y, p1.y + p2.y, 1e-2);
  }
}

TEST_F(WorldTest, AWaveBringsItsCountStrictlyMoreThanTheSpacingApart) {
  // The wave comes due in the first of 13 calls of 0.25 s and draws 0 to 3
  // clouds (3.9 truncated): the first at once when the spacing has long passed,
  // the others each time the spacing timer passes 1 s (at exactly 1 not yet);
  // the next wave is due past 3 s. Rows: the count drawn, the spacing timer
  // before and after, the clouds after each call.
  const std::tuple<int, float, float, const char*> cases[] = {{0, 50, 53.25f, "0000000000000"},
                                                              {1, 50, 3, "1111111111111"},
                                                              {3, 1.5f, 0.5f, "1111122222333"}};
  for (const auto& [count, spacing, spacingAfter, clouds] : cases) {
    ClearWorldLists();
    for (float* v :
         {&treeWaveInterval, &houseWaveInterval, &personWaveInterval, &cloud1WaveInterval,
          &cloud2WaveInterval, &cloud4WaveInterval, &mountainInterval})
      *v = 1e9f;  // only clouds 3 come, every 3 s (the file's)
    spawnTimers.planeTimer = spawnTimers.sheep.waveTimer = -1e9f;
    cloud3WaveMax = 3.9f;
    SeedSoTheNextIntIs(0, 3, count);
    spawnTimers.cloud3 = Wave{2.9f, spacing, 0};
    frameDelta = 0.25f;
    std::string sizes;
    for (int i = 0; i < 13; ++i) {
      SpawnObjects();
      sizes += std::to_string(cloudobjects.size());
    }
    EXPECT_EQ(sizes, clouds) << "a wave of " << count;
    EXPECT_EQ(spawnTimers.cloud3.spacingTimer, spacingAfter) << "a wave of " << count;
    EXPECT_EQ(spawnTimers.cloud3.waveTimer, 3);
    EXPECT_EQ(spawnTimers.cloud3.count, 0);
    for (const Cloud* cloud : cloudobjects) EXPECT_EQ(cloud->kind, 3);
  }
}

// Each kind's wave draws from its low count (1, or 0 for energy clouds) up to
// its truncated maximum: two hundred waves show every count.
TEST_F(WorldTest, WaveCountsSpanFromTheirLowToTheirTruncatedMaximum) {
  Wave* waves[] = {&spawnTimers.tree,   &spawnTimers.house,  &spawnTimers.person,
                   &spawnTimers.cloud1, &spawnTimers.cloud2, &spawnTimers.cloud3,
                   &spawnTimers.cloud4};
  float* intervals[] = {&treeWaveInterval,   &houseWaveInterval,  &personWaveInterval,
                        &cloud1WaveInterval, &cloud2WaveInterval, &cloud3WaveInterval,
                        &cloud4WaveInterval};
  float* spacings[] = {&treeSpacing,   &houseSpacing,  &personSpacing, &cloud1Spacing,
                       &cloud2Spacing, &cloud3Spacing, &cloud4Spacing};
  for (int k = 0; k < 7; ++k) {
    *intervals[k] = 0.1f;
    *spacings[k] = 1e9f;  // nothing comes, so each count stays as drawn
    *waves[k] = Wave{};
  }
  treeWaveMax = 4.9f, worldSpeed = 70, mountainInterval = 1e9f;
  spawnTimers.planeTimer = spawnTimers.sheep.waveTimer = -1e9f;
  frameDelta = 0.2f;
  std::vector<std::set<int>> seen(7);
  for (int i = 0; i < 200; ++i) {
    SpawnObjects();
    for (int k = 0; k < 7; ++k) seen[k].insert(waves[k]->count);
  }
  const std::vector<std::set<int>> expected = {{1, 2, 3, 4}, {1, 2}, {1, 2, 3}, {0, 1},
                                               {0, 1},       {0, 1}, {0, 1}};
  EXPECT_EQ(seen, expected);
}

template <typename... T>
std::vector<double> Values(T... values) {
  return {static_cast<double>(values)...};
}

TEST_F(WorldTest, EverythingDueInOneCallDrawsInTheTablesOrder) {
  Owned<Plane> ownPlane{plane, new Plane};
  Owned<Mountain> ownMountain{mountain, new Mountain};
  SpawnTimers& t = spawnTimers;
  t.planeTimer = 30;
  t.mountainTimer = mountainInterval;
  for (Wave* w : {&t.house, &t.person, &t.cloud1, &t.cloud2, &t.cloud3, &t.cloud4})
    *w = Wave{20, 20, 0};
  // At twice the base speed trees and sheep come at half their times: trees
  // 5 s and 1 s apart come due past 2.5 s and 0.5 s, sheep past 15 s and 0.3 s.
  worldSpeed = 140;
  t.tree = Wave{2.49f, 0.49f, 0};
  t.sheep = Wave{14.99f, 0.29f, 0};
  cloud1WaveMax = cloud2WaveMax = cloud3WaveMax = cloud4WaveMax = 5.9f;  // truncated to 5
  frameDelta = 0.02f;

  // The draws in the spawner's order as "name how low high", each object made
  // drawing its own at once: a whole number (i), a fraction (f), a fraction
  // giving a flag pole below 0.1 (p) or direction 1 above 0.5, else 2 (d); the
  // tree's picture (-) is not kept where a test could see it.
  const std::string draws =
      "plane.direction i 0 1  plane.height f 0 300  plane.speed f 100 200  plane.drift f -2 2 "
      "trees i 1 4  tree.picture - 0 3  houses i 1 2  house.variant i 0 2  house.flag p 0 1 "
      "people i 1 3  person.kind i 1 3  person.direction d 0 1 "
      "clouds1 i 0 5  cloud1.height i 1 145  clouds2 i 0 5  cloud2.height i 145 330 "
      "clouds3 i 0 5  cloud3.height i 330 500  clouds4 i 0 5  cloud4.height i 145 330 "
      "mountain.kind i 1 2  sheep i 4 9  sheep.direction d 0 1";
  std::vector<std::string> names;
  std::vector<double> drawn;
  int seed = 76;
  do {  // until a seed draws no 0: every cloud kind comes and draws its height
    hge->Random_Seed(++seed);
    names.clear();
    drawn.clear();
    std::istringstream in(draws);
    std::string name, how;
    for (float low, high; in >> name >> how >> low >> high;) {
      const double x = how == "f" || how == "p" || how == "d" ? hge->Random_Float(low, high)
                                                              : hge->Random_Int(low, high);
      if (how == "-") continue;
      names.push_back(name);
      drawn.push_back(how == "p" ? x < 0.1f : how == "d" ? (x > 0.5f ? 1 : 2) : x);
    }
  } while (std::count(drawn.begin(), drawn.end(), 0.0));
  hge->Random_Seed(seed);
  SpawnObjects();

  ASSERT_EQ(objects.size(), 4u);
  ASSERT_EQ(cloudobjects.size(), 4u);
  const House* house = dynamic_cast<House*>(objects[1]);
  const Person* person = dynamic_cast<Person*>(objects[2]);
  const Sheep* lamb = dynamic_cast<Sheep*>(objects[3]);
  ASSERT_TRUE(dynamic_cast<Tree*>(objects[0]) && house && person && lamb);
  const std::vector<double> made = Values(
      plane->direction, plane->position.y, std::fabs(plane->velocity.x), plane->acceleration.x,
      t.tree.count + 1, t.house.count + 1, house->variant, house->hasFlagPole, t.person.count + 1,
      person->kind, person->direction, t.cloud1.count + 1, cloudobjects[0]->position.y,
      t.cloud2.count + 1, cloudobjects[1]->position.y, t.cloud3.count + 1,
      cloudobjects[2]->position.y, t.cloud4.count + 1, cloudobjects[3]->position.y,
      mountain->slopes.size() == 3 ? 1 : 2, t.sheep.count + 1, lamb->direction);
  ASSERT_EQ(made.size(), drawn.size());
  for (size_t i = 0; i < made.size(); ++i) EXPECT_EQ(made[i], drawn[i]) << names[i];
  for (int k = 0; k < 4; ++k) EXPECT_EQ(cloudobjects[k]->kind, k + 1);
  EXPECT_EQ(t.planeTimer, 0);
  EXPECT_EQ(t.mountainTimer, 0);
}

TEST_F(WorldTest, DarknessMovesAtFourHundredPixelsASecondTowardTheMeanEnergy) {
  // The target is 768 / fullDarkEnergy times the mean energy of the clouds;
  // the sun's alpha is 255 at a clear sky and 0 from full dark on. Rows: the
  // energies, fullDarkEnergy, the level before, the step, the level after, the sun.
  const std::tuple<float, float, float, float, float, float, uint32_t> cases[] = {
      {100, 0, 100, 600, 0.25f, 500, 88},  // mean 50: target 384
      {0, 0, 100, 300, 1, 0, 255},         // never below clear
      {kAbsent, kAbsent, 100, 100, 0.1f, 60, 235},
      {kAbsent, 50, 100, 0, 0.25f, 100, 221},
      {100, kAbsent, 100, 768, 0.1f, 768, 0},        // on the target the steps cancel
      {50, kAbsent, 100, 380, 1 / 60.0f, 380, 128},  // near it: up past it and back
      {100, kAbsent, 50, 768, 0.02f, 776, 0},        // past full dark the sun does not wrap round
  };
  float total = 0;
  for (const auto& [e1, e2, fullDark, from, dt, to, sun] : cases) {
    DropPlayers();
    Join(1, 300, 300, e1);
    Join(2, 700, 300, e2);
    fullDarkEnergy = fullDark;
    scenery.level = from;
    scenery.Update(dt);
    total += dt;
    EXPECT_FLOAT_EQ(scenery.level, to) << "from " << from;
    EXPECT_EQ(scenery.SunAlpha(), sun) << "from " << from;
  }
  // Distance and time add up over the steps, at the file's world speed of 35.
  EXPECT_NEAR(scenery.elapsed, total, 1e-5);
  EXPECT_NEAR(scenery.distance, 35 * total, 1e-3);
}

TEST_F(WorldTest, SunStepsThroughItsSeventeenFrames) {
  std::vector<int> frames;
  scenery.sunFrame = 15;
  for (int i = 0; i < 3; ++i) {
    scenery.sunFrameTime = hge->Timer_GetTime() - 1;
    scenery.Update(0);
    frames.push_back(scenery.sunFrame);
  }
  EXPECT_EQ(frames, (std::vector<int>{16, 0, 1}));
  scenery.sunFrameTime = hge->Timer_GetTime() - 0.4f;  // exactly 0.4: not yet
  scenery.Update(0);
  EXPECT_EQ(scenery.sunFrame, 1);
}

}  // namespace
