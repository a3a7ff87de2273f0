// The random turn of people and sheep.
#include "objects/Wander.h"

#include "config/GameValues.h"
#include "engine/hge.h"
#include "game/Globals.h"

void DrawWalkDirection(int32_t& direction, float& turnTime, float now) {
  if (!(now - turnTime > turnCheckInterval)) return;
  if (hge->Random_Float(0, 1) < turnChance) {
    direction = hge->Random_Int(0, 1);
    turnTime = now;
  } else {
    turnTime += 1;
  }
}
