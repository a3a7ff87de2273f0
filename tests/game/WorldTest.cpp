// The world step and the spawner: world speed from the scores, pruning of
// objects and energy clouds, the bounce of two touching player clouds, every
// wave rule of the spawner, and the scenery's darkness and sun. Unit tests
// drive the world functions directly; scenario tests play through zarvo-sim.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "config/GameValues.h"
#include "engine/hge.h"
#include "game/Globals.h"
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
#include "tests/SimRunner.h"

using nlohmann::json;

namespace {

int destroyed = 0;

// A world object that stands still and counts its destruction.
class Marker : public GameObject {
 public:
  Marker(float x, float w) {
    position = hgeVector(x, 300);
    size = hgeVector(w, 10);
  }
  ~Marker() override { ++destroyed; }
  void Update(float) override { ++updates; }
  int updates = 0;
};

class WorldTest : public testing::Test {
 protected:
  void SetUp() override {
    savedHge = hge;
    hge = HeadlessEngine();
    ASSERT_NE(hge, nullptr);
    ResetGameValuesToBuiltIn();
    hge->Random_Seed(11);
    GameState = State::Playing;
    player1 = player2 = nullptr;
    mountain = nullptr;
    plane = nullptr;
    ClearWorldLists();
    rain.Clear();
    spawnTimers = SpawnTimers{};
    scenery = Scenery{};
    frameDelta = 0;
    destroyed = 0;
  }
  void TearDown() override {
    ClearWorldLists();
    rain.Clear();
    delete player1;
    delete player2;
    player1 = player2 = nullptr;
    delete mountain;
    delete plane;
    mountain = nullptr;
    plane = nullptr;
    GameState = State::TitleMenu;
    spawnTimers = SpawnTimers{};
    frameDelta = 0;
    ResetGameValuesToBuiltIn();
    hge = savedHge;
  }
  static PlayerCloud* Join(int number, float x, float y, float energy) {
    PlayerCloud* c = new PlayerCloud(number);
    c->position = hgeVector(x, y);
    c->energy = energy;
    (number == 1 ? player1 : player2) = c;
    return c;
  }
  // Only the kinds a test names spawn; the others wait for ever.
  static void OnlySpawn(std::initializer_list<float*> intervals) {
    for (float* v :
         {&treeWaveInterval, &houseWaveInterval, &personWaveInterval, &cloud1WaveInterval,
          &cloud2WaveInterval, &cloud3WaveInterval, &cloud4WaveInterval, &mountainInterval})
      *v = 1e9f;
    for (float* v : intervals) *v = 3;
    spawnTimers.planeTimer = -1e9f;
    spawnTimers.sheep.waveTimer = -1e9f;
  }
  HGE* savedHge = nullptr;
};

// ---- World speed ----

TEST_F(WorldTest, NothingMovesOutsidePlaying) {
  GameState = State::Paused;
  Join(1, 300, 300, 30)->score = 5000;
  frameDelta = 0.5f;
  objects.push_back(new Marker(100, 10));
  UpdateWorld();
  EXPECT_EQ(worldSpeed, 35);
  EXPECT_EQ(scenery.elapsed, 0);
  EXPECT_EQ(spawnTimers.planeTimer, 0);
  EXPECT_EQ(static_cast<Marker*>(objects[0])->updates, 0);
}

TEST_F(WorldTest, WorldSpeedFollowsTheScoresByWholeSteps) {
  UpdateWorld();
  EXPECT_EQ(worldSpeed, 35) << "without clouds the file's speed stands";
  PlayerCloud* one = Join(1, 300, 300, 30);
  UpdateWorld();
  EXPECT_EQ(worldSpeed, 70);
  one->score = 999;
  UpdateWorld();
  EXPECT_EQ(worldSpeed, 70);
  one->score = 1000;
  UpdateWorld();
  EXPECT_EQ(worldSpeed, 71);
  one->score = 12345;
  UpdateWorld();
  EXPECT_EQ(worldSpeed, 82);
  PlayerCloud* two = Join(2, 700, 300, 30);
  one->score = 250;
  two->score = 249;
  UpdateWorld();
  EXPECT_EQ(worldSpeed, 70) << "two players: the sum over 500";
  two->score = 250;
  UpdateWorld();
  EXPECT_EQ(worldSpeed, 71);
  delete player1;
  player1 = nullptr;
  two->score = 2500;
  UpdateWorld();
  EXPECT_EQ(worldSpeed, 72) << "player 2 alone";
}

TEST_F(WorldTest, HugeScoresDoNotOverflowTheSum) {
  Join(1, 300, 300, 30)->score = 2000000000;
  Join(2, 700, 300, 30)->score = 2000000000;
  UpdateWorld();
  EXPECT_EQ(worldSpeed, 70.0f + 8000000.0f);
}

// ---- Pruning ----

TEST_F(WorldTest, ObjectsFarOffScreenAreRemovedAndDestroyed) {
  objects = {new Marker(-1010, 10),     // right edge exactly -1000: stays
             new Marker(-1010.5f, 10),  // just beyond: goes
             new Marker(-2000, 10),     // goes, right after the one before
             new Marker(500, 10),
             new Marker(2024, 10),  // left edge exactly screenWidth + 1000: stays
             new Marker(2024.5f, 10)};
  GameObject* kept[] = {objects[0], objects[3], objects[4]};
  UpdateWorld();
  ASSERT_EQ(objects.size(), 3u);
  EXPECT_EQ(objects[0], kept[0]);
  EXPECT_EQ(objects[1], kept[1]);
  EXPECT_EQ(objects[2], kept[2]);
  EXPECT_EQ(destroyed, 3);
  for (GameObject* o : objects) EXPECT_EQ(static_cast<Marker*>(o)->updates, 1);
}

TEST_F(WorldTest, EnergyCloudsGoAsSoonAsTheirRightEdgePassesZero) {
  Cloud* onEdge = new Cloud(1);
  onEdge->position.x = -83;
  Cloud* beyond = new Cloud(1);
  beyond->position.x = -83.25f;
  Cloud* visible = new Cloud(3);
  visible->position.x = -126;
  cloudobjects = {onEdge, beyond, visible};
  UpdateWorld();
  ASSERT_EQ(cloudobjects.size(), 2u);
  EXPECT_EQ(cloudobjects[0], onEdge);
  EXPECT_EQ(cloudobjects[1], visible);
}

TEST_F(WorldTest, ClearWorldListsDestroysEverything) {
  objects = {new Marker(0, 1), new Marker(5, 1)};
  cloudobjects = {new Cloud(1), new Cloud(4)};
  ClearWorldLists();
  EXPECT_TRUE(objects.empty());
  EXPECT_TRUE(cloudobjects.empty());
  EXPECT_EQ(destroyed, 2);
}

// ---- The bounce ----

TEST_F(WorldTest, EqualEnergiesSwapVelocities) {
  // Speeds of 10 px/s and more: the clouds' own braking snaps smaller ones to 0.
  PlayerCloud* one = Join(1, 300, 350, 50);
  PlayerCloud* two = Join(2, 340, 370, 50);
  one->velocity = hgeVector(10, 20);
  two->velocity = hgeVector(-30, 15);
  UpdateWorld();
  EXPECT_EQ(one->velocity, hgeVector(-30, 15));
  EXPECT_EQ(two->velocity, hgeVector(10, 20));
  EXPECT_FALSE(RectsOverlap(one->size, one->position, two->size, two->position));
  // Pushed apart along their line, in equal and opposite steps.
  EXPECT_LT(one->position.x, 300);
  EXPECT_LT(one->position.y, 350);
  EXPECT_NEAR(one->position.x + two->position.x, 640, 1e-2);
  EXPECT_NEAR(one->position.y + two->position.y, 720, 1e-2);
}

TEST_F(WorldTest, TheLightCloudLeavesThreeTimesFasterThanTheHeavyOne) {
  PlayerCloud* light = Join(1, 300, 350, 0);
  PlayerCloud* heavy = Join(2, 340, 360, 100);
  light->velocity = hgeVector(30, -60);
  heavy->velocity = hgeVector(-20, 10);
  UpdateWorld();
  EXPECT_EQ(light->velocity, hgeVector(-60, 30)) << "150 / 50 of the heavy one's";
  EXPECT_EQ(heavy->velocity, hgeVector(10, -20)) << "50 / 150 of the light one's";
}

TEST_F(WorldTest, CloudsOnTheSameSpotArePushedApartSideways) {
  PlayerCloud* one = Join(1, 400, 350, 30);
  PlayerCloud* two = Join(2, 400, 350, 30);
  UpdateWorld();
  EXPECT_FALSE(RectsOverlap(one->size, one->position, two->size, two->position));
  EXPECT_GT(one->position.x, two->position.x);
  EXPECT_EQ(one->position.y, 350);
  EXPECT_EQ(two->position.y, 350);
  EXPECT_TRUE(std::isfinite(one->position.x));
}

TEST_F(WorldTest, CloudsApartKeepTheirVelocities) {
  PlayerCloud* one = Join(1, 100, 350, 50);
  PlayerCloud* two = Join(2, 600, 350, 20);
  one->velocity = hgeVector(10, 20);
  two->velocity = hgeVector(-30, 15);
  UpdateWorld();
  EXPECT_EQ(one->velocity, hgeVector(10, 20));
  EXPECT_EQ(two->velocity, hgeVector(-30, 15));
}

// ---- The spawner ----

// The value the engine's next Random_Int(low, high) gives after seeding.
int NextInt(int seed, int low, int high) {
  hge->Random_Seed(seed);
  const int value = hge->Random_Int(low, high);
  hge->Random_Seed(seed);
  return value;
}

int SeedGiving(int low, int high, int wanted) {
  for (int seed = 1; seed < 10000; ++seed)
    if (NextInt(seed, low, high) == wanted) return seed;
  return 0;
}

TEST_F(WorldTest, EveryTimerGrowsOnEveryCall) {
  frameDelta = 0.25f;
  SpawnObjects();
  SpawnObjects();
  const SpawnTimers& t = spawnTimers;
  EXPECT_EQ(t.planeTimer, 0.5f);
  EXPECT_EQ(t.mountainTimer, 0.5f);
  for (const Wave* w :
       {&t.tree, &t.house, &t.person, &t.cloud1, &t.cloud2, &t.cloud3, &t.cloud4, &t.sheep}) {
    EXPECT_EQ(w->waveTimer, 0.5f);
    EXPECT_EQ(w->spacingTimer, 0.5f);
    EXPECT_EQ(w->count, 0);
  }
}

TEST_F(WorldTest, AZeroWaveBringsNothingUntilTheNextWave) {
  OnlySpawn({&cloud1WaveInterval});
  const int zero = SeedGiving(0, 1, 0);
  ASSERT_NE(zero, 0);
  NextInt(zero, 0, 1);
  spawnTimers.cloud1.waveTimer = 2.9f;
  spawnTimers.cloud1.spacingTimer = 50;
  frameDelta = 0.25f;
  SpawnObjects();
  EXPECT_EQ(spawnTimers.cloud1.waveTimer, 0);
  EXPECT_EQ(spawnTimers.cloud1.count, 0);
  for (int i = 0; i < 11; ++i) SpawnObjects();  // 2.75 s: no new wave yet
  EXPECT_TRUE(cloudobjects.empty());
  EXPECT_EQ(spawnTimers.cloud1.spacingTimer, 53.0f) << "it keeps growing";
}

TEST_F(WorldTest, TheFirstObjectOfAWaveComesInTheCallThatDrewIt) {
  OnlySpawn({&cloud1WaveInterval});
  const int one = SeedGiving(0, 1, 1);
  ASSERT_NE(one, 0);
  NextInt(one, 0, 1);
  spawnTimers.cloud1.waveTimer = 2.9f;
  spawnTimers.cloud1.spacingTimer = 50;
  frameDelta = 0.25f;
  SpawnObjects();
  ASSERT_EQ(cloudobjects.size(), 1u);
  EXPECT_EQ(cloudobjects[0]->kind, 1);
  EXPECT_EQ(spawnTimers.cloud1.count, 0);
  EXPECT_EQ(spawnTimers.cloud1.spacingTimer, 0);
  EXPECT_EQ(spawnTimers.cloud1.waveTimer, 0);
}

TEST_F(WorldTest, ObjectsOfAWaveComeStrictlyMoreThanTheSpacingApart) {
  OnlySpawn({&cloud3WaveInterval});
  cloud3WaveMax = 3.9f;  // truncated: 0 to 3
  const int three = SeedGiving(0, 3, 3);
  ASSERT_NE(three, 0);
  NextInt(three, 0, 3);
  spawnTimers.cloud3.waveTimer = 2.9f;
  spawnTimers.cloud3.spacingTimer = 1.5f;
  frameDelta = 0.25f;
  SpawnObjects();
  ASSERT_EQ(cloudobjects.size(), 1u);
  EXPECT_EQ(spawnTimers.cloud3.count, 2);
  std::vector<size_t> sizes;
  for (int i = 0; i < 12; ++i) {
    SpawnObjects();
    sizes.push_back(cloudobjects.size());
  }
  // The spacing timer reaches exactly 1 on the 4th call, passes it on the 5th.
  EXPECT_EQ(sizes, (std::vector<size_t>{1, 1, 1, 1, 2, 2, 2, 2, 2, 3, 3, 3}));
  EXPECT_EQ(spawnTimers.cloud3.count, 0);
}

TEST_F(WorldTest, WaveCountsUseTheTruncatedMaximum) {
  OnlySpawn({&cloud2WaveInterval});
  cloud2WaveMax = 2.99f;
  frameDelta = 0.25f;
  int most = 0;
  for (int seed = 1; seed <= 200; ++seed) {
    hge->Random_Seed(seed);
    spawnTimers.cloud2 = Wave{2.9f, 0, 0};
    SpawnObjects();
    most = std::max(most, spawnTimers.cloud2.count);
    EXPECT_LE(spawnTimers.cloud2.count, 2);
  }
  EXPECT_EQ(most, 2);
}

TEST_F(WorldTest, TreeAndSheepTimesScaleWithTheWorldSpeed) {
  OnlySpawn({});
  worldSpeed = 140;  // twice the base speed: half the times
  treeWaveInterval = 5;
  treeSpacing = 1;
  treeWaveMax = 4;
  spawnTimers.tree = Wave{2.4f, 0.45f, 0};
  spawnTimers.sheep = Wave{14.9f, 0.25f, 0};
  frameDelta = 0.06f;
  SpawnObjects();
  // Tree wave at 2.46 > 2.5? No.
  EXPECT_EQ(spawnTimers.tree.count, 0);
  EXPECT_FLOAT_EQ(spawnTimers.tree.waveTimer, 2.46f);
  SpawnObjects();
  // 2.52 > 2.5: a wave; spacing 0.57 > 0.5: its first tree at once.
  EXPECT_EQ(spawnTimers.tree.waveTimer, 0);
  EXPECT_GE(spawnTimers.tree.count, 0);
  EXPECT_LE(spawnTimers.tree.count, 3);
  EXPECT_EQ(spawnTimers.tree.spacingTimer, 0);
  // Sheep: 15.02 > 15 brings 4 to 9, and spacing 0.37 > 0.3 one at once.
  EXPECT_EQ(spawnTimers.sheep.waveTimer, 0);
  EXPECT_GE(spawnTimers.sheep.count, 3);
  EXPECT_LE(spawnTimers.sheep.count, 8);
  EXPECT_EQ(objects.size(), 2u) << "a tree and a sheep";
}

TEST_F(WorldTest, TheTablesOrderShowsInTheRandomStream) {
  // Everything comes due in one call; the draws must follow the table:
  // plane, trees, houses, people, clouds 1-4, mountain, sheep, each made
  // object drawing its own variant, kind or direction at once.
  plane = new Plane;
  mountain = new Mountain;
  worldSpeed = 70;
  spawnTimers.planeTimer = 30;
  spawnTimers.mountainTimer = mountainInterval;
  for (Wave* w : {&spawnTimers.tree, &spawnTimers.house, &spawnTimers.person}) *w = Wave{20, 20, 0};
  for (Wave* w :
       {&spawnTimers.cloud1, &spawnTimers.cloud2, &spawnTimers.cloud3, &spawnTimers.cloud4})
    *w = Wave{20, 20, 0};
  spawnTimers.sheep = Wave{40, 40, 0};
  cloud1WaveMax = cloud2WaveMax = cloud3WaveMax = cloud4WaveMax = 5;
  frameDelta = 0.01f;

  hge->Random_Seed(77);
  const int direction = hge->Random_Int(0, 1);
  const float y = hge->Random_Float(0, 300);
  const float speed = hge->Random_Float(100, 200);
  const float drift = hge->Random_Float(-2, 2);
  const int trees = hge->Random_Int(1, static_cast<int>(treeWaveMax));
  hge->Random_Int(0, 3);  // the tree's picture
  const int houses = hge->Random_Int(1, static_cast<int>(houseWaveMax));
  const int variant = hge->Random_Int(0, 2);
  const bool flagPole = hge->Random_Float(0, 1) < 0.1f;
  const int people = hge->Random_Int(1, static_cast<int>(personWaveMax));
  const int kind = hge->Random_Int(1, 3);
  const int personDirection = hge->Random_Float(0, 1) > 0.5f ? 1 : 2;
  int clouds[4];
  float heights[4] = {};
  const int bands[4][2] = {{1, 145}, {145, 330}, {330, 500}, {145, 330}};
  for (int k = 0; k < 4; ++k) {
    clouds[k] = hge->Random_Int(0, 5);
    if (clouds[k] > 0) heights[k] = hge->Random_Int(bands[k][0], bands[k][1]);
  }
  const int mountainKind = hge->Random_Int(1, 2);
  const int sheep = hge->Random_Int(4, 9);
  const int sheepDirection = hge->Random_Float(0, 1) > 0.5f ? 1 : 2;

  hge->Random_Seed(77);
  SpawnObjects();
  EXPECT_EQ(plane->direction, direction);
  EXPECT_EQ(plane->position.y, y);
  EXPECT_EQ(std::fabs(plane->velocity.x), speed);
  EXPECT_EQ(plane->acceleration.x, drift);
  EXPECT_EQ(spawnTimers.tree.count, trees - 1);
  EXPECT_EQ(spawnTimers.house.count, houses - 1);
  EXPECT_EQ(spawnTimers.person.count, people - 1);
  size_t made = 0;
  const Wave* waves[4] = {&spawnTimers.cloud1, &spawnTimers.cloud2, &spawnTimers.cloud3,
                          &spawnTimers.cloud4};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(waves[k]->count, clouds[k] > 0 ? clouds[k] - 1 : 0) << "kind " << k + 1;
    if (clouds[k] > 0) {
      ASSERT_LT(made, cloudobjects.size());
      EXPECT_EQ(cloudobjects[made]->kind, k + 1);
      EXPECT_EQ(cloudobjects[made]->position.y, heights[k]);
      ++made;
    }
  }
  EXPECT_EQ(cloudobjects.size(), made);
  EXPECT_EQ(mountain->slopes.size(), mountainKind == 1 ? 3u : 4u);
  EXPECT_EQ(mountain->position.x, screenWidth);
  EXPECT_EQ(spawnTimers.sheep.count, sheep - 1);
  ASSERT_EQ(objects.size(), 4u);
  const House* house = dynamic_cast<House*>(objects[1]);
  const Person* person = dynamic_cast<Person*>(objects[2]);
  const Sheep* lamb = dynamic_cast<Sheep*>(objects[3]);
  ASSERT_TRUE(dynamic_cast<Tree*>(objects[0]) && house && person && lamb);
  const float ground[] = {538, 538, 593, 593};  // at the right edge, on the ground
  for (int i = 0; i < 4; ++i) EXPECT_EQ(objects[i]->position, hgeVector(1024, ground[i])) << i;
  EXPECT_EQ(std::make_tuple(house->variant, house->hasFlagPole, person->kind, person->direction),
            std::make_tuple(variant, flagPole, kind, personDirection));
  EXPECT_EQ(lamb->direction, sheepDirection);
  EXPECT_EQ(spawnTimers.planeTimer, 0);
  EXPECT_EQ(spawnTimers.mountainTimer, 0);
}

// ---- The scenery ----

TEST_F(WorldTest, SceneryCountsDistanceAndTime) {
  worldSpeed = 80;
  scenery.Update(0.5f);
  scenery.Update(0.25f);
  EXPECT_EQ(scenery.distance, 60);
  EXPECT_EQ(scenery.elapsed, 0.75f);
}

TEST_F(WorldTest, DarknessSettlesWithinOneStepOfTheTarget) {
  Join(1, 300, 300, 50);  // target 768 / 100 * 50 = 384
  const float dt = 1.0f / 60;
  const float step = 400 * dt;
  for (int i = 0; i < 200; ++i) {
    scenery.Update(dt);
    ASSERT_LE(scenery.level, 384 + 1e-3f) << "frame " << i;
  }
  EXPECT_GE(scenery.level, 384 - step);
  EXPECT_EQ(scenery.SunAlpha(), static_cast<uint32_t>(255 - scenery.level / 768 * 255));
  EXPECT_NEAR(static_cast<float>(scenery.SunAlpha()), 127, 3);
}

TEST_F(WorldTest, DarknessFollowsTheMeanEnergyAndSinksAtFourHundredPixelsASecond) {
  PlayerCloud* one = Join(1, 300, 300, 100);
  Join(2, 700, 300, 0);  // mean 50
  scenery.level = 600;
  scenery.Update(0.25f);
  EXPECT_EQ(scenery.level, 500);
  one->energy = 0;  // target 0
  scenery.Update(0.5f);
  EXPECT_EQ(scenery.level, 300);
  EXPECT_EQ(scenery.SunAlpha(), static_cast<uint32_t>(255 - 300.0f / 768 * 255));
  scenery.Update(1);
  EXPECT_EQ(scenery.level, 0) << "never below clear";
  EXPECT_EQ(scenery.SunAlpha(), 255u);
}

TEST_F(WorldTest, WithoutCloudsTheSkyClears) {
  scenery.level = 100;
  scenery.Update(0.1f);
  EXPECT_EQ(scenery.level, 60);
}

TEST_F(WorldTest, SunNeverWrapsRoundPastFullDark) {
  fullDarkEnergy = 50;  // target 1536 for a full cloud: far below the screen
  Join(1, 300, 300, 100);
  for (int i = 0; i < 300; ++i) scenery.Update(0.02f);
  EXPECT_GT(scenery.level, 768);
  EXPECT_EQ(scenery.SunAlpha(), 0u);
  scenery.level = 768;
  EXPECT_EQ(scenery.SunAlpha(), 0u);
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

// ---- In play ----

const std::string kOnePlayer = "set GameState 1\nset energyDrainRate 0\npress SPACE\nframes 1\n";

TEST(WorldScenario, WorldSpeedFromTheScores) {
  auto d = RunSim(
      "dump\n" + kOnePlayer + "dump\n" +
      "set player1.score 999\nframes 1\ndump\n"
      "set player1.score 1000\nframes 1\ndump\n"
      "press NUMPAD0\nset player1.score 250\nframes 1\nset player2.score 250\nframes 1\ndump\n"
      "set player2.score 249\nframes 1\ndump\n");
  ASSERT_EQ(d.size(), 6u);
  EXPECT_EQ(d[0]["worldSpeed"], 35);
  EXPECT_EQ(d[1]["worldSpeed"], 70) << "the first Playing frame with a cloud";
  EXPECT_EQ(d[2]["worldSpeed"], 70);
  EXPECT_EQ(d[3]["worldSpeed"], 71);
  EXPECT_EQ(d[4]["worldSpeed"], 71);
  EXPECT_EQ(d[5]["worldSpeed"], 70);
}

TEST(WorldScenario, ZeroWaveThenAWaveWhoseFirstCloudComesAtOnce) {
  auto d = RunSim(
      "set GameState 1\nset cloud1WaveInterval 3\nset cloud1Spacing 1\n"
      "set cloud2WaveInterval 1000\nset cloud3WaveInterval 1000\nset cloud4WaveInterval 1000\n"
      "set cloud1WaveMax 0\nset spawn.cloud1WaveTimer 2.95\nset spawn.cloud1SpacingTimer 30\n"
      "frames 1 0.1\ndump\n"
      "set cloud1WaveMax 100\nframes 20 0.1\ndump\n"
      "set spawn.cloud1WaveTimer 2.95\nframes 1 0.1\ndump\n");
  ASSERT_EQ(d.size(), 3u);
  EXPECT_EQ(d[0]["spawn"]["cloud1WaveTimer"], 0) << "the zero wave was drawn";
  EXPECT_EQ(d[0]["spawn"]["cloud1Count"], 0);
  EXPECT_EQ(d[1]["cloudobjects"].size(), 0u) << "nothing until the next wave";
  EXPECT_GT(d[1]["spawn"]["cloud1SpacingTimer"].get<float>(), 32);
  ASSERT_EQ(d[2]["cloudobjects"].size(), 1u) << "made in the call that drew the wave";
  EXPECT_EQ(d[2]["cloudobjects"][0]["class"], "Cloud1");
  EXPECT_EQ(d[2]["spawn"]["cloud1WaveTimer"], 0);
  EXPECT_EQ(d[2]["spawn"]["cloud1SpacingTimer"], 0);
  EXPECT_GE(d[2]["spawn"]["cloud1Count"].get<int>(), 0);
}

TEST(WorldScenario, TimersStandStillOutsidePlayAndCarryOverAReset) {
  auto d = RunSim(
      "set GameState 1\nframes 10 0.1\ndump\nset GameState 2\nframes 10 0.1\ndump\n"
      "set GameState 1\nhold F7\nframes 1 0.1\nrelease all\ndump\n");
  ASSERT_EQ(d.size(), 3u);
  const json t = d[0]["spawn"]["mountainTimer"];
  EXPECT_NEAR(t.get<float>(), 1.0f, 1e-4);
  EXPECT_EQ(d[1]["spawn"]["mountainTimer"], t) << "paused";
  EXPECT_EQ(d[2]["GameState"], 0);
  EXPECT_EQ(d[2]["spawn"]["mountainTimer"], t) << "the reset sent the game to the title first";
}

TEST(WorldScenario, BounceExchangesVelocitiesByEnergy) {
  const std::string two =
      "set GameState 1\nset energyDrainRate 0\npress SPACE\nframes 1 0\npress NUMPAD0\n"
      "frames 1 0\n";
  auto d = RunSim(two +
                  "set player1.position 300 350\nset player2.position 340 370\n"
                  "set player1.energy 50\nset player2.energy 50\n"
                  "set player1.velocity 10 20\nset player2.velocity -30 15\nframes 1 0\ndump\n"
                  "set player1.position 300 350\nset player2.position 340 360\n"
                  "set player1.energy 0\nset player2.energy 100\n"
                  "set player1.velocity 30 -60\nset player2.velocity -20 10\nframes 1 0\ndump\n"
                  "set player1.position 400 350\nset player2.position 400 350\n"
                  "set player1.energy 30\nset player2.energy 30\nframes 1 0\ndump\n");
  ASSERT_EQ(d.size(), 3u);
  EXPECT_EQ(d[0]["player1"]["velocity"], json::array({-30, 15}));
  EXPECT_EQ(d[0]["player2"]["velocity"], json::array({10, 20}));
  EXPECT_EQ(d[1]["player1"]["velocity"], json::array({-60, 30}));
  EXPECT_EQ(d[1]["player2"]["velocity"], json::array({10, -20}));
  // The same spot: no crash, pushed apart sideways, player 1 to the right.
  EXPECT_GT(d[2]["player1"]["position"][0].get<float>(),
            d[2]["player2"]["position"][0].get<float>());
  EXPECT_EQ(d[2]["player1"]["position"][1], 350);
}

TEST(WorldScenario, SkyDarkensWithEnergyAndTheSunFades) {
  auto d = RunSim(kOnePlayer + "set player1.energy 50\nset scenery.level 0\nframes 120\ndump\n" +
                  "set player1.energy 0\nframes 30\ndump\n");
  ASSERT_EQ(d.size(), 2u);
  const float level = d[0]["scenery"]["level"];
  EXPECT_LE(level, 384 + 1e-3);
  EXPECT_GE(level, 384 - 400.0 / 60);
  EXPECT_EQ(d[0]["scenery"]["sunAlpha"], static_cast<int>(255 - level / 768 * 255));
  // Energy 0: the level sinks 400 px/s, the sun comes back.
  EXPECT_NEAR(d[1]["scenery"]["level"].get<float>(), level - 200, 0.5);
  EXPECT_GT(d[1]["scenery"]["sunAlpha"], d[0]["scenery"]["sunAlpha"]);
}

TEST(WorldScenario, LongTwoPlayerGameRunsClean) {
  // Both clouds fly and rain for three minutes of play, player 1 large and
  // casting, while everything spawns, planes cross and mountains pass; the
  // sanitizers watch. Particle effects start off (no templates are made) and
  // are switched on and off again in play, as a re-read tuning file may.
  std::string script = "seed 5\nset GameState 1\npress SPACE\nframes 1\npress NUMPAD0\nframes 1\n";
  for (int i = 0; i < 180; ++i) {
    script += (i % 2 ? "hold D W G H NUMPAD0 LEFT\n" : "hold A S G NUMPAD0 RIGHT\n");
    if (i == 60 || i == 120) script += "set particleEffects " + std::to_string(i == 60) + "\n";
    // Back to their places each second: mountains and drift must not end the game.
    script += "set player1.energy 80\nset player2.energy 45\nset player1.lightning.charges 5\n";
    script += "set player1.position 500 380\nset player2.position 750 250\n";
    script += "frames 60\nrelease all\n";
  }
  script += "dump\n";
  SimOptions options;
  options.files["GameValues.txt"] = GameValuesWith({{77, "0"}});
  SimResult r = RunSimWith(script, options);
  EXPECT_EQ(r.exitCode, 0) << r.errors;
  ASSERT_EQ(r.dumps.size(), 1u);
  EXPECT_EQ(r.dumps[0]["GameState"], 1);
  EXPECT_GT(r.dumps[0]["scenery"]["elapsed"].get<float>(), 179);
}

}  // namespace
