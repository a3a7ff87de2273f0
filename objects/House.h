// A house on the ground. Lightning sets a standing house on fire for 500
// points; 50 drops of rain on the fire leave a smoking ruin that nothing
// touches any more. One house in ten carries an animated flag pole.
#pragma once

#include <cstdint>

#include "objects/GameObject.h"

class hgeParticleSystem;

enum class HouseState : int32_t { Standing = 0, Burning = 1, Extinguished = 2 };

class House : public GameObject {
 public:
  House();
  ~House() override;
  House(const House&) = delete;
  House& operator=(const House&) = delete;

  // Picture, box, standing frame and place of variant 0, 1 or 2 (the
  // constructor draws the variant; the simulator may choose it).
  void SetVariant(int32_t v);

  void HitByRain(PlayerCloud* cloud) override;
  void HitByLightning(PlayerCloud* cloud) override;
  void Render(float dt) override;
  void Update(float dt) override;

  bool saved = false;    // the fire was put out; rain and lightning do nothing any more
  int32_t rainHits = 0;  // drops counted while burning
  int32_t rainToExtinguish = 50;
  bool hasFlagPole;
  int32_t flagFrame = 0;  // 0..6
  int32_t frameX = 0;
  int32_t frameY = 0;
  float frameDuration = 0.1f;
  float frameTime = 0;  // engine time of the last animation step
  HouseState state = HouseState::Standing;
  int32_t variant;                          // 0, 1 or 2: which picture
  hgeParticleSystem* fireSmoke = nullptr;   // only with particle effects on
  hgeParticleSystem* whiteSmoke = nullptr;  // only with particle effects on
};
