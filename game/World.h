// The world of a game: the two object lists, the rain, the scenery, the world
// step and the spawner with its timers.
#pragma once

#include <cstdint>
#include <vector>

#include "game/Scenery.h"
#include "objects/Rain.h"

class GameObject;
class Cloud;

extern std::vector<GameObject*> objects;
extern std::vector<Cloud*> cloudobjects;
extern Rain rain;
extern Scenery scenery;

// One spawned kind: seconds since its last wave and since its last object,
// and how many objects of the current wave are still to come.
struct Wave {
  float waveTimer = 0;
  float spacingTimer = 0;
  int32_t count = 0;
};

// Every spawn timer and wave count. They run only while Playing and are never
// reset, so they carry over from one game to the next.
struct SpawnTimers {
  float planeTimer = 0;
  Wave tree;
  Wave house;
  Wave person;
  Wave cloud1;
  Wave cloud2;
  Wave cloud3;
  Wave cloud4;
  float mountainTimer = 0;
  Wave sheep;
};
extern SpawnTimers spawnTimers;

// One world step; does nothing unless the game is Playing.
void UpdateWorld();
void SpawnObjects();
// Destroys every object of both lists and empties them.
void ClearWorldLists();
