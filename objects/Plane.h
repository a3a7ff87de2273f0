// The propeller plane that crosses the sky every 30 s of play on a bobbing
// path, trailing smoke, and drains the energy of the clouds it touches. One
// object is reused for every flight.
#pragma once

#include <cstdint>

#include "objects/GameObject.h"

class hgeParticleSystem;

class Plane : public GameObject {
 public:
  Plane();
  ~Plane() override;
  Plane(const Plane&) = delete;
  Plane& operator=(const Plane&) = delete;

  // Starts a flight 1000 px beyond a random screen edge, engine sound on.
  void Launch();
  void Update(float dt) override;
  void Render(float dt) override;
  // Drains the cloud's energy while the two boxes overlap.
  void HitPlayer(PlayerCloud* cloud, float dt);

  int32_t direction = 0;  // 0 flies leftward (enters from the right), 1 rightward
  hgeVector velocity{0, 0};
  hgeVector acceleration{0, 0};
  bool active = false;
  float energyDrain = 40;  // energy per second taken from a touching cloud
  int32_t frame = 0;
  float frameDuration = 0.7f;
  float frameTime = 0;
  float sinkAcceleration = 100;
  float scale = 0.75f;
  hgeParticleSystem* smoke = nullptr;  // only with particle effects on
};
