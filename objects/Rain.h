// All rain drops of both players: made under the clouds, falling with gravity
// and wind, hitting objects and the other cloud, and the rain loop sound.
#pragma once

#include <cstdint>
#include <list>
#include <vector>

#include "engine/hgeVector.h"

class PlayerCloud;
class GameObject;

struct RainDrop {
  hgeVector position;
  hgeVector velocity;
  hgeVector size;
  hgeVector acceleration;
  int32_t drawOffset;
  int32_t owner;
};

class Rain {
 public:
  void AddDrops(PlayerCloud* cloud);
  void CheckHits(std::vector<GameObject*>& objects);
  void Update(float dt);
  void Render(float dt);
  void Clear();

  std::list<RainDrop> drops;
  bool loopPlaying = false;
};
