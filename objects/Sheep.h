// A sheep grazing along the ground. Rain makes it wet (and earns points for
// every drop); lightning makes it explode, with its own sound and explosion
// row when it was wet, and leaves smoking remains that scroll away.
#pragma once

#include <cstdint>

#include "objects/GameObject.h"

class hgeParticleSystem;

class Sheep : public GameObject {
 public:
  Sheep();
  ~Sheep() override;
  Sheep(const Sheep&) = delete;
  Sheep& operator=(const Sheep&) = delete;

  // One drop of a cloud; a null cloud (its player has left) earns nobody points.
  void HitByRain(PlayerCloud* cloud) override;
  void HitByLightning(PlayerCloud* cloud) override;
  void Render(float dt) override;
  void Update(float dt) override;

  int32_t wetAfter;  // drops taken dry; the next one makes the sheep wet
  bool soundPlayed = false;
  bool remains = false;  // the explosion has run; the remains row shows
  int32_t rainHits = 0;
  bool wet = false;
  bool exploded = false;
  int32_t direction;                       // 0 walks right, 1 walks left, 2 stands
  float turnTime;                          // engine time of the last direction draw
  hgeParticleSystem* fireSmoke = nullptr;  // only with particle effects on
  int32_t frameX = 0;
  int32_t frameY = 0;
  float frameTime = 0;  // engine time of the last frame step
  float frameDuration;

 private:
  void AdvanceExplosion(float now);
};
