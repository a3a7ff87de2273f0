// A tree on the ground. Rain makes it grow in two steps (small, medium,
// large) and earns points per drop; lightning sets it on fire for points by
// size; rain on a burning tree puts the fire out and leaves it charred, and a
// charred tree can be set alight again.
#pragma once

#include <cstdint>

#include "objects/GameObject.h"

class hgeParticleSystem;

class Tree : public GameObject {
 public:
  Tree();
  ~Tree() override;
  Tree(const Tree&) = delete;
  Tree& operator=(const Tree&) = delete;

  // The picture of variant 0..3: two leaf trees, two spruces.
  static SpriteSheet* SheetFor(int v);

  // One drop of a cloud; a null cloud (its player has left) earns nobody points.
  void HitByRain(PlayerCloud* cloud) override;
  void HitByLightning(PlayerCloud* cloud) override;
  void Render(float dt) override;
  void Update(float dt) override;

  int32_t growthHits;        // drops per growth stage
  int32_t rainHits = 0;      // drops toward growth, counted while neither burning nor charred
  int32_t rainToExtinguish;  // drops that put a fire out
  int32_t extinguishHits = 0;
  bool charred = false;
  int32_t stage = 0;  // 0 small, 1 medium, 2 large
  int32_t column = 0;
  float frameDuration;
  float frameTime = 0;  // engine time of the last animation step
  int32_t row = 0;
  bool burning = false;
  bool growing1 = false;                    // the growth animation toward stage 1 is running
  bool growing2 = false;                    // the growth animation toward stage 2 is running
  hgeParticleSystem* fireSmoke = nullptr;   // only with particle effects on
  hgeParticleSystem* whiteSmoke = nullptr;  // only with particle effects on

 private:
  // True, and the step time taken, when an animation step is due.
  bool StepDue(float now);
};
