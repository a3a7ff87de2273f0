// A player cloud's lightning: its charges, the cool-down between bolts, and
// one bolt shown as a three-phase flash (bright white, then half-white with the
// bolt picture) that strikes the world objects under it while the screen is
// bright.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/hge.h"
#include "engine/hgeVector.h"

class GameObject;
class PlayerCloud;
class hgeSprite;
class hgeParticleSystem;

class Lightning {
 public:
  explicit Lightning(PlayerCloud* owner);
  Lightning(const Lightning&) = delete;
  Lightning& operator=(const Lightning&) = delete;
  ~Lightning();

  bool CanCast();
  // Starts a bolt hanging from a cloud at p, when CanCast allows it.
  void Cast(hgeVector p);
  void AddCharges(int n);
  void Update(float dt);
  void CheckHits(std::vector<GameObject*>& objects);
  // Advances the phases and draws the flash, the bolt and the sparks.
  void Render(float dt);

  bool active = false;
  int32_t phase = 0;
  int32_t charges = 0;
  hgeVector boltPosition{0, 0};
  float phaseTime;
  float phaseDuration = 0.1f;
  float lastCastTime = 0;
  float coolDown = 0.6f;
  PlayerCloud* owner;
  hgeSprite* dimFlash = nullptr;
  hgeSprite* brightFlash = nullptr;
  HTEXTURE dimTexture = 0;
  HTEXTURE brightTexture = 0;
  hgeParticleSystem* sparks = nullptr;  // only with particle effects on
};
