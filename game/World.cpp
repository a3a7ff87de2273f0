// The world step: world speed from the scores, the mountain, the plane, the
// scenery, spawning, the rain's hits, the players and their bounce, the
// objects and energy clouds with pruning far off screen, the rain's fall.
// Also the spawner, which feeds everything in on its timers.
#include "game/World.h"

#include <cmath>

#include "config/GameValues.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "objects/Cloud.h"
#include "objects/GameObject.h"
#include "objects/House.h"
#include "objects/Mountain.h"
#include "objects/Person.h"
#include "objects/Plane.h"
#include "objects/PlayerCloud.h"
#include "objects/Sheep.h"
#include "objects/Tree.h"

std::vector<GameObject*> objects;
std::vector<Cloud*> cloudobjects;
Rain rain;
Scenery scenery;
SpawnTimers spawnTimers;

namespace {

// One kind's wave step: a new count when the wave interval has passed, then
// one object when the spacing has passed and the wave has objects to come.
// The spacing timer restarts only when an object is made, so the first object
// of a wave comes at once when the spacing has long passed.
template <typename Make>
void RunWave(Wave& wave, float interval, float spacing, int low, int high, Make make) {
  wave.waveTimer += frameDelta;
  wave.spacingTimer += frameDelta;
  if (wave.waveTimer > interval) {
    wave.count = hge->Random_Int(low, high);
    wave.waveTimer = 0;
  }
  if (wave.spacingTimer > spacing && wave.count > 0) {
    make();
    wave.spacingTimer = 0;
    wave.count -= 1;
  }
}

// Times of the kinds that come faster as the world speeds up (1 at speed 70).
float Scaled(float seconds) { return seconds * 70 / worldSpeed; }

void UpdateWorldSpeed() {
  // Wide sums: integer division of the scores, stored as a float.
  if (player1 && player2) {
    worldSpeed = static_cast<float>(70 + (int64_t{player1->score} + player2->score) / 500);
  } else if (player1 || player2) {
    PlayerCloud* only = player1 ? player1 : player2;
    worldSpeed = static_cast<float>(70 + only->score / 1000);
  }
}

// Two touching clouds are pushed apart along the line between them and
// exchange velocities weighted by their energies.
void BouncePlayers() {
  if (!player1 || !player2) return;
  auto touching = [] {
    return RectsOverlap(player1->size, player1->position, player2->size, player2->position);
  };
  if (!touching()) return;
  hgeVector d = player1->position - player2->position;
  float length = std::fabs(d.x) + std::fabs(d.y);
  if (length > 0) {
    d = hgeVector(d.x / length, d.y / length);
  } else {
    // Clouds on the very same spot have no line between them: player 1 goes right.
    d = hgeVector(1, 0);
  }
  // Each pass moves each cloud by d (1 px as x plus y); the cap only guards
  // against positions so large that such a step no longer changes them.
  constexpr int kMaxPasses = 100000;
  for (int pass = 0; pass < kMaxPasses && touching(); ++pass) {
    player1->position += d;
    player2->position -= d;
  }
  float m1 = player1->energy + 50;
  float m2 = player2->energy + 50;
  hgeVector v1 = player1->velocity;
  player1->velocity = player2->velocity * m2 / m1;
  player2->velocity = v1 * m1 / m2;
}

void UpdateObjects() {
  size_t i = 0;
  while (i < objects.size()) {
    GameObject* object = objects[i];
    object->Update(frameDelta);
    if (object->position.x + object->size.x < -1000 || object->position.x > screenWidth + 1000) {
      delete object;
      objects.erase(objects.begin() + i);
    } else {
      ++i;
    }
  }
}

void UpdateEnergyClouds() {
  size_t i = 0;
  while (i < cloudobjects.size()) {
    Cloud* cloud = cloudobjects[i];
    cloud->Update(frameDelta);
    if (cloud->position.x + cloud->size.x < 0) {
      delete cloud;
      cloudobjects.erase(cloudobjects.begin() + i);
    } else {
      ++i;
    }
  }
}

}  // namespace

void UpdateWorld() {
  if (GameState != State::Playing) return;
  UpdateWorldSpeed();
  if (mountain) mountain->Update(frameDelta);
  if (plane) plane->Update(frameDelta);
  scenery.Update(frameDelta);
  SpawnObjects();
  rain.CheckHits(objects);
  if (player1) player1->Update(frameDelta);
  if (player2) player2->Update(frameDelta);
  BouncePlayers();
  UpdateObjects();
  UpdateEnergyClouds();
  rain.Update(frameDelta);
}

void SpawnObjects() {
  SpawnTimers& t = spawnTimers;

  t.planeTimer += frameDelta;
  if (t.planeTimer > 30) {
    if (plane) plane->Launch();
    t.planeTimer = 0;
  }

  RunWave(t.tree, Scaled(treeWaveInterval), Scaled(treeSpacing), 1, static_cast<int>(treeWaveMax),
          [] { objects.push_back(new Tree()); });
  RunWave(t.house, houseWaveInterval, houseSpacing, 1, static_cast<int>(houseWaveMax),
          [] { objects.push_back(new House()); });
  RunWave(t.person, personWaveInterval, personSpacing, 1, static_cast<int>(personWaveMax),
          [] { objects.push_back(new Person()); });
  RunWave(t.cloud1, cloud1WaveInterval, cloud1Spacing, 0, static_cast<int>(cloud1WaveMax),
          [] { cloudobjects.push_back(new Cloud(1)); });
  RunWave(t.cloud2, cloud2WaveInterval, cloud2Spacing, 0, static_cast<int>(cloud2WaveMax),
          [] { cloudobjects.push_back(new Cloud(2)); });
  RunWave(t.cloud3, cloud3WaveInterval, cloud3Spacing, 0, static_cast<int>(cloud3WaveMax),
          [] { cloudobjects.push_back(new Cloud(3)); });
  RunWave(t.cloud4, cloud4WaveInterval, cloud4Spacing, 0, static_cast<int>(cloud4WaveMax),
          [] { cloudobjects.push_back(new Cloud(4)); });

  t.mountainTimer += frameDelta;
  if (t.mountainTimer > mountainInterval) {
    int kind = hge->Random_Int(1, 2);
    if (mountain) mountain->Spawn(kind);
    t.mountainTimer = 0;
  }

  RunWave(t.sheep, Scaled(30), Scaled(0.6f), 4, 9, [] { objects.push_back(new Sheep()); });
}

void ClearWorldLists() {
  for (GameObject* object : objects) delete object;
  objects.clear();
  for (Cloud* cloud : cloudobjects) delete cloud;
  cloudobjects.clear();
}
