// The rain cloud a player steers. Its energy decides its size class, and the
// size class its picture, collision box, agility, rain and lightning.
#pragma once

#include <cstdint>
#include <set>
#include <vector>

#include "objects/GameObject.h"

class Lightning;
class Cloud;

enum class CloudState : int32_t { Weak = 0, Small = 1, Medium = 2, Large = 3, Dying = 4, Dead = 5 };

enum class CloudAnim : int32_t {
  None = -1,  // a new cloud has run no animation yet
  Left = 0,
  Right = 1,
  Up = 2,
  Down = 3,
  Die = 4,
  Cast = 5,
  Idle = 6,
  ShrinkToMedium = 7,
  ShrinkToSmall = 8,
  Weaken = 9,
  Recover = 10,
  GrowToMedium = 11,
  GrowToLarge = 12,
};

// The keys of one player, in the order of the key table; KeysOf(1) or
// KeysOf(2). Whatever plays for a player (pads, the autopilot) holds these.
struct PlayerKeys {
  int right, left, up, down, rain, boost, lightning;
};
const PlayerKeys& KeysOf(int playerNumber);

class PlayerCloud : public GameObject {
 public:
  explicit PlayerCloud(int playerNumber);
  ~PlayerCloud() override;

  void HitByRain(PlayerCloud* other) override;
  void Render(float dt) override;
  void Update(float dt) override;

  void HandleInput(float dt);
  void Accelerate(int direction, float dt);
  void UpdateAnimation(float dt);
  void CollectEnergyClouds(std::vector<Cloud*>& list);
  void MakeRain();
  void CastLightning();

  // Step 2 of Update: the first size-class rule that holds for the energy.
  void UpdateSizeClass();
  // The player's looping sheet for a size class (the current sheet when dying or dead).
  SpriteSheet* SheetOf(CloudState s) const;
  SpriteSheet* MorphSheet() const;

  hgeVector velocity{0, 0};
  float acceleration;
  float energy;
  bool deadSoundPlayed = false;
  float frameTime;
  float frameDuration;
  int32_t frame = 0;
  int32_t frameStep = 1;
  int32_t rank = 11;
  CloudState state = CloudState::Small;
  CloudAnim currentAnim = CloudAnim::None;
  std::set<CloudAnim> animRequests;
  Lightning* lightning;  // owned
  int32_t playerNumber;
  int32_t score = 0;
};
