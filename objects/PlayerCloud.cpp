// The rain cloud a player steers. Each update picks the size class from the
// energy, reads the player's keys, steps the animation, absorbs energy clouds,
// runs the lightning, drains energy, pushes the cloud back from the screen
// edges and moves it; the cloud dies when a weak cloud runs dry or it drifts
// far off the left edge.
#include "objects/PlayerCloud.h"

#include <cmath>

#include "config/GameValues.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "game/Sheets.h"
#include "game/World.h"
#include "gfx/SpriteSheet.h"
#include "objects/Cloud.h"
#include "objects/Lightning.h"
#include "sound/SoundBank.h"

namespace {

constexpr PlayerKeys kPlayer1Keys{HGEK_D, HGEK_A, HGEK_W, HGEK_S, HGEK_G, HGEK_J, HGEK_H};
constexpr PlayerKeys kPlayer2Keys{HGEK_RIGHT,   HGEK_LEFT,    HGEK_UP,   HGEK_DOWN,
                                  HGEK_NUMPAD0, HGEK_NUMPAD1, HGEK_ENTER};

// Directions of Accelerate.
constexpr int kUp = 0;
constexpr int kDown = 1;
constexpr int kRight = 2;
constexpr int kLeft = 3;

// Animation codes in the order UpdateAnimation looks for them.
constexpr CloudAnim kPriority[] = {
    CloudAnim::Die,
    CloudAnim::ShrinkToMedium,
    CloudAnim::ShrinkToSmall,
    CloudAnim::Weaken,
    CloudAnim::Cast,
    CloudAnim::Recover,
    CloudAnim::GrowToMedium,
    CloudAnim::GrowToLarge,
    CloudAnim::Left,
    CloudAnim::Right,
    CloudAnim::Up,
    CloudAnim::Down,
};

bool IsMorph(CloudAnim a) {
  switch (a) {
    case CloudAnim::Die:
    case CloudAnim::ShrinkToMedium:
    case CloudAnim::ShrinkToSmall:
    case CloudAnim::Weaken:
    case CloudAnim::Recover:
    case CloudAnim::GrowToMedium:
    case CloudAnim::GrowToLarge:
      return true;
    default:
      return false;
  }
}

int FirstFrame(CloudAnim a) {
  switch (a) {
    case CloudAnim::Die:
      return 5;
    case CloudAnim::ShrinkToMedium:
      return 4;
    case CloudAnim::ShrinkToSmall:
      return 2;
    case CloudAnim::Weaken:
      return 0;
    case CloudAnim::Cast:
      return 24;
    case CloudAnim::Recover:
      return 0;
    case CloudAnim::GrowToMedium:
      return 1;
    case CloudAnim::GrowToLarge:
      return 3;
    case CloudAnim::Left:
      return 8;
    case CloudAnim::Right:
      return 4;
    case CloudAnim::Up:
      return 12;
    case CloudAnim::Down:
      return 16;
    default:
      return 0;  // Idle
  }
}

// Braking of one half of an axis: a speed below 10 in that direction stops,
// a larger one loses b (and may overshoot past 0).
void BrakePositive(float& v, float b) {
  if (0 < v && v < 10) v = 0;
  if (v > 0) v -= b;
}
void BrakeNegative(float& v, float b) {
  if (-10 < v && v < 0) v = 0;
  if (v < 0) v += b;
}

}  // namespace

PlayerCloud::PlayerCloud(int number)
    : acceleration(smallAcceleration),
      energy(startEnergy),
      frameTime(hge->Timer_GetTime()),
      frameDuration(cloudFrameTime),
      lightning(nullptr),
      playerNumber(number) {
  lightning = new Lightning(this);
  position = hgeVector(number == 1 ? 200.0f : 500.0f, 200.0f);
  size = hgeVector(150, 80);
  sheet = SheetOf(CloudState::Small);
}

PlayerCloud::~PlayerCloud() { delete lightning; }

SpriteSheet* PlayerCloud::SheetOf(CloudState s) const {
  const bool one = playerNumber == 1;
  switch (s) {
    case CloudState::Weak:
      return one ? zarvoWeakSheet : cherryWeakSheet;
    case CloudState::Small:
      return one ? zarvoSmallSheet : cherrySmallSheet;
    case CloudState::Medium:
      return one ? zarvoMediumSheet : cherryMediumSheet;
    case CloudState::Large:
      return one ? zarvoLargeSheet : cherryLargeSheet;
    default:
      return sheet;  // dying and dead clouds keep what they show
  }
}

SpriteSheet* PlayerCloud::MorphSheet() const {
  return playerNumber == 1 ? zarvoMorphSheet : cherryMorphSheet;
}

void PlayerCloud::HitByRain(PlayerCloud*) {
  if (state != CloudState::Dying) energy += rainDropEnergy;
}

void PlayerCloud::Render(float dt) {
  lightning->Render(dt);  // the flash and the bolt lie under the cloud
  if (sheet) sheet->DrawFrameIndex(position, frame, hgeVector(0, 0), hgeVector(1, 1));
}

void PlayerCloud::Update(float dt) {
  if (state == CloudState::Dying) {
    if (!deadSoundPlayed) {
      soundBank->Play("Dead");
      deadSoundPlayed = true;
    }
    acceleration = 0;
  } else {
    UpdateSizeClass();
  }
  HandleInput(dt);
  UpdateAnimation(dt);
  CollectEnergyClouds(cloudobjects);
  lightning->Update(dt);
  if (lightning->active) lightning->CheckHits(objects);
  energy -= dt * energyDrainRate;

  // Push back from the edges; each later rule overrides the earlier ones on its axis.
  const float w = static_cast<float>(screenWidth);
  const float h = static_cast<float>(screenHeight);
  if (position.y <= 1) velocity.y = 200;
  if (position.y > (h - 170) - size.y) velocity.y = -200;
  if (position.x > w - size.x) velocity.x = -200;
  if (state == CloudState::Medium && position.y < 145) velocity.y = 200;
  if (state == CloudState::Large && position.y < 330) velocity.y = 200;

  position.y += velocity.y * dt;
  position.x += velocity.x * dt;

  if (energy <= 0 && state == CloudState::Weak) {
    state = CloudState::Dying;
    animRequests.insert(CloudAnim::Die);
  }
  if (position.x < -270) {
    state = CloudState::Dead;
    animRequests.insert(CloudAnim::Die);
  }
  if (energy < 0) energy = 0;
  if (energy > 100) energy = 100;
}

void PlayerCloud::UpdateSizeClass() {
  if (0 < energy && energy <= weakEnergyMax && state != CloudState::Weak) {
    animRequests.insert(CloudAnim::Weaken);
    state = CloudState::Weak;
    size = hgeVector(126, 79);
    acceleration = weakAcceleration;
  } else if (weakEnergyMax < energy && energy <= smallEnergyMax && state != CloudState::Small) {
    if (state == CloudState::Weak) animRequests.insert(CloudAnim::Recover);
    if (state == CloudState::Medium) animRequests.insert(CloudAnim::ShrinkToSmall);
    state = CloudState::Small;
    size = hgeVector(126, 79);
    acceleration = smallAcceleration;
  } else if (smallEnergyMax < energy && energy < largeEnergyMin && state != CloudState::Medium) {
    if (state == CloudState::Small) animRequests.insert(CloudAnim::GrowToMedium);
    if (state == CloudState::Large) animRequests.insert(CloudAnim::ShrinkToMedium);
    state = CloudState::Medium;
    size = hgeVector(150, 92);
    acceleration = mediumAcceleration;
  } else if (energy >= largeEnergyMin && state != CloudState::Large) {
    animRequests.insert(CloudAnim::GrowToLarge);
    state = CloudState::Large;
    soundBank->Play("EvilZarvo");
    size = hgeVector(204, 145);
    acceleration = largeAcceleration;
  }
}

const PlayerKeys& KeysOf(int playerNumber) {
  return playerNumber == 1 ? kPlayer1Keys : kPlayer2Keys;
}

void PlayerCloud::HandleInput(float dt) {
  const PlayerKeys& keys = KeysOf(playerNumber);
  const bool right = hge->Input_GetKeyState(keys.right);
  const bool left = hge->Input_GetKeyState(keys.left);
  const bool up = hge->Input_GetKeyState(keys.up);
  const bool down = hge->Input_GetKeyState(keys.down);

  const struct {
    bool held;
    int direction;
    CloudAnim anim;
  } moves[] = {{right, kRight, CloudAnim::Right},
               {left, kLeft, CloudAnim::Left},
               {up, kUp, CloudAnim::Up},
               {down, kDown, CloudAnim::Down}};
  for (const auto& move : moves) {
    if (move.held) {
      Accelerate(move.direction, dt);
      animRequests.insert(move.anim);
    } else {
      animRequests.erase(move.anim);
    }
  }

  const float b = std::ceil(dt * acceleration);
  if (!right) BrakePositive(velocity.x, b);
  if (!left) BrakeNegative(velocity.x, b);
  if (!down) BrakePositive(velocity.y, b);
  if (!up) BrakeNegative(velocity.y, b);

  if (hge->Input_GetKeyState(keys.rain)) {
    MakeRain();
    if (hge->Input_GetKeyState(keys.boost)) {
      MakeRain();
      if (playerNumber == 1) MakeRain();
    }
  }

  if (hge->Input_GetKeyState(keys.lightning) && state == CloudState::Large) {
    // Player 1's key waits for a castable bolt; player 2's asks for the Cast
    // row whether or not a bolt starts.
    if (playerNumber == 1) {
      if (lightning->CanCast()) {
        CastLightning();
        animRequests.insert(CloudAnim::Cast);
      }
    } else {
      CastLightning();
      animRequests.insert(CloudAnim::Cast);
    }
  }
}

void PlayerCloud::Accelerate(int direction, float dt) {
  switch (direction) {
    case kUp:
      velocity.y -= acceleration * dt;
      break;
    case kDown:
      velocity.y += acceleration * dt;
      break;
    case kRight:
      velocity.x += acceleration * dt;
      break;
    case kLeft:
      velocity.x -= acceleration * dt;
      break;
    default:
      break;
  }
}

void PlayerCloud::UpdateAnimation(float) {
  CloudAnim c = CloudAnim::Idle;
  for (CloudAnim a : kPriority) {
    if (animRequests.count(a)) {
      c = a;
      break;
    }
  }
  const float now = hge->Timer_GetTime();

  if (c != currentAnim) {
    if (IsMorph(c)) {
      sheet = MorphSheet();
    } else if (c == CloudAnim::Cast) {
      sheet = SheetOf(CloudState::Large);
    } else {
      sheet = SheetOf(state);
      frameStep = 1;
    }
    frame = FirstFrame(c);
    frameTime = now;
    if (c == CloudAnim::ShrinkToMedium) animRequests.erase(CloudAnim::Cast);
    if (c == CloudAnim::Die) position += hgeVector(-30, -30);
    currentAnim = c;
    return;
  }

  float pace = frameDuration;
  if (c == CloudAnim::Die) pace = frameDuration / 3;
  if (c == CloudAnim::Cast) pace = frameDuration / 4;
  if (!(now - frameTime > pace)) return;

  switch (c) {
    case CloudAnim::Die:
      frameTime = now;
      if (frame != 12) frame += 1;
      if (frame == 12) state = CloudState::Dead;
      break;
    case CloudAnim::ShrinkToMedium:
    case CloudAnim::ShrinkToSmall: {
      frameTime = now;
      const int last = c == CloudAnim::ShrinkToMedium ? 3 : 1;
      if (frame == last) {
        animRequests.erase(c);
      } else {
        frame -= 1;
      }
      break;
    }
    case CloudAnim::GrowToMedium:
    case CloudAnim::GrowToLarge: {
      frameTime = now;
      const int last = c == CloudAnim::GrowToMedium ? 2 : 4;
      if (frame == last) {
        animRequests.erase(c);
      } else {
        frame += 1;
      }
      break;
    }
    case CloudAnim::Weaken:
    case CloudAnim::Recover:
      animRequests.erase(c);
      break;
    case CloudAnim::Cast:
      frameTime = now;
      if (frame == 32) {
        animRequests.erase(c);
        frame = 24;
      } else {
        frame += 1;
      }
      break;
    default: {  // the looping rows
      frameTime = now;
      const int lo = FirstFrame(c);
      const int hi = lo + 3;
      if (frame + frameStep == hi + 1 || frame + frameStep == lo - 1) frameStep = -frameStep;
      frame += frameStep;
      break;
    }
  }
  currentAnim = c;
}

void PlayerCloud::CollectEnergyClouds(std::vector<Cloud*>& list) {
  if (state == CloudState::Dying) return;
  for (size_t i = 0; i < list.size();) {
    Cloud* cloud = list[i];
    if (!RectsOverlap(size, position, cloud->size, cloud->position)) {
      ++i;
      continue;
    }
    switch (cloud->kind) {
      case 1:
        energy += smallEnergyCloudGain;
        break;
      case 2:
        energy += mediumEnergyCloudGain;
        break;
      case 3:
        energy += largeEnergyCloudGain;
        break;
      case 4:
        lightning->AddCharges(1);
        break;
      default:
        break;
    }
    list.erase(list.begin() + static_cast<long>(i));
    delete cloud;
  }
}

void PlayerCloud::MakeRain() {
  if (energy > weakEnergyMax) rain.AddDrops(this);
}

void PlayerCloud::CastLightning() { lightning->Cast(position); }
