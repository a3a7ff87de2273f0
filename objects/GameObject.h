// Base of everything in the play field: a picture, a position (top-left corner
// of the collision box) and the box's size, driven through four operations.
#pragma once

#include "engine/hgeVector.h"

class SpriteSheet;
class PlayerCloud;

class GameObject {
 public:
  GameObject() = default;
  GameObject(const GameObject&) = delete;
  GameObject& operator=(const GameObject&) = delete;

  virtual void HitByRain(PlayerCloud* /*cloud*/) {}
  virtual void HitByLightning(PlayerCloud* /*cloud*/) {}
  virtual void Render(float /*dt*/) {}
  virtual void Update(float /*dt*/) {}
  virtual ~GameObject() = default;

  SpriteSheet* sheet = nullptr;
  hgeVector position{0, 0};
  hgeVector size{0, 0};
};

// The one collision test: rectangle A against rectangle B. A shared edge
// counts when it is A's left or top edge against B's right or bottom edge.
bool RectsOverlap(hgeVector sizeA, hgeVector positionA, hgeVector sizeB, hgeVector positionB);
