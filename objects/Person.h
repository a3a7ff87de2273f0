// A person walking on the ground. Rain makes a person wet and puts a fire
// out; lightning makes a person scream and burn, and after five seconds of
// fire the person falls dead; lightning on the dead raises a zombie, which
// walks on immune to everything. Every drop earns points, whatever the state.
#pragma once

#include <cstdint>

#include "objects/GameObject.h"

class hgeParticleSystem;

class Person : public GameObject {
 public:
  Person();
  ~Person() override;
  Person(const Person&) = delete;
  Person& operator=(const Person&) = delete;

  // The kind (1, 2 or 3) and its normal picture (the constructor draws the
  // kind; the simulator may choose it).
  void SetKind(int32_t k);

  // One drop of a cloud; a null cloud (its player has left) earns nobody points.
  void HitByRain(PlayerCloud* cloud) override;
  void HitByLightning(PlayerCloud* cloud) override;
  void Render(float dt) override;
  void Update(float dt) override;

  int32_t wetAfter;  // drops taken without change; the next one makes the person wet
  int32_t kind;      // 1, 2 or 3: pictures, voice and pace
  bool screamed = false;
  int32_t rainHits = 0;  // drops since construction or since catching fire
  bool wet = false;
  bool burning = false;
  bool dead = false;
  bool zombie = false;
  int32_t direction;                        // 0 walks right, 1 walks left, 2 stands
  float turnTime;                           // engine time of the last direction draw
  hgeParticleSystem* fireSmoke = nullptr;   // only with particle effects on
  hgeParticleSystem* whiteSmoke = nullptr;  // the puff at death; only with particle effects on
  int32_t frameX = 0;
  int32_t frameY = 0;
  int32_t drawOffsetY = 0;  // -25 while on the fire sheet
  float frameTime = 0;      // engine time of the last frame step
  float frameDuration;
  float burnTime = 5.0f;  // seconds of fire before death
  float burnStart = 0;    // engine time of catching fire

 private:
  SpriteSheet* NormalSheet() const;
  SpriteSheet* FireSheet() const;
  SpriteSheet* ZombieSheet() const;
  void AdvanceFrame(float now);
  void UpdateRow(float now);
};
