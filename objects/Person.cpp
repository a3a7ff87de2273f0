// A person's walk, wetness, fire, death and rising, with its rows and smoke.
#include "objects/Person.h"

#include "config/GameValues.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "game/Sheets.h"
#include "gfx/SpriteSheet.h"
#include "gfx/hgeParticleSystem.h"
#include "objects/PlayerCloud.h"
#include "objects/Wander.h"
#include "sound/SoundBank.h"

namespace {

// The row for the direction: walking right, walking left, standing. A
// direction outside 0..2 counts as standing.
int32_t RowFor(int32_t direction, int32_t right, int32_t left, int32_t standing) {
  return direction == 0 ? right : direction == 1 ? left : standing;
}

}  // namespace

Person::Person() {
  wetAfter = wetHitCount;
  SetKind(hge->Random_Int(1, 3));
  turnTime = hge->Timer_GetTime();
  if (particleEffects && smokeTemplate) fireSmoke = new hgeParticleSystem(*smokeTemplate);
  if (particleEffects && smokeWhiteTemplate) {
    whiteSmoke = new hgeParticleSystem(*smokeWhiteTemplate);
    // One short puff when the person falls.
    whiteSmoke->info.fLifetime = 0.5f;
  }
  frameDuration = walkFrameTime;
  size = hgeVector(75, 75);
  position = hgeVector(static_cast<float>(screenWidth),
                       static_cast<float>(screenHeight - (groundHeight + 75)));
  direction = hge->Random_Float(0, 1) > 0.5f ? 1 : 2;
}

void Person::SetKind(int32_t k) {
  kind = k;
  sheet = NormalSheet();
}

Person::~Person() {
  // Freed by whether they were made: the switch may have changed since.
  delete fireSmoke;
  delete whiteSmoke;
}

SpriteSheet* Person::NormalSheet() const {
  return kind == 1 ? rodSheet : kind == 2 ? lilaSheet : oldSheet;
}

SpriteSheet* Person::FireSheet() const {
  return kind == 1 ? rodFireSheet : kind == 2 ? lilaFireSheet : oldFireSheet;
}

SpriteSheet* Person::ZombieSheet() const {
  return kind == 1 ? rodZombieSheet : kind == 2 ? lilaZombieSheet : oldZombieSheet;
}

void Person::HitByRain(PlayerCloud* cloud) {
  rainHits += 1;
  if (cloud) cloud->score += rainHitPoints;
  if (rainHits == wetAfter + 1 && !zombie) {
    // Wet, and any fire is out; a corpse stays dead.
    wet = true;
    burning = false;
    drawOffsetY = 0;
    frameX = 0;
    frameY = 1;
    sheet = NormalSheet();
  }
}

void Person::HitByLightning(PlayerCloud*) {
  // A new voice is drawn at every strike, but a person screams only once.
  const char* scream;
  if (kind == 3) {
    const int r = hge->Random_Int(1, 3);
    scream = r == 1 ? "ManScream1" : r == 2 ? "ManScream2" : "ManScream3";
  } else {
    scream = hge->Random_Int(1, 2) == 1 ? "GirlScream" : "GirlScream2";
  }
  if (!screamed) {
    soundBank->Play(scream);
    screamed = true;
  }
  if (!dead && !zombie) {
    // Catch fire; the first strike starts the clock to death.
    if (!burning) burnStart = hge->Timer_GetTime();
    burning = true;
    wet = false;
    rainHits = 0;
    drawOffsetY = -25;
    sheet = FireSheet();
    frameY = 0;
    frameX = 0;
    direction = hge->Random_Int(0, 1);
  } else if (dead && !zombie) {
    // Rise from the dead.
    dead = false;
    zombie = true;
    wet = true;
    drawOffsetY = 0;
    frameX = 0;
    frameY = 1;
    sheet = ZombieSheet();
  }
}

void Person::AdvanceFrame(float now) {
  if (direction == 2 || !(now - frameTime > frameDuration)) return;
  // Dry walking runs columns 0..7, wet walking and zombies 2..5, burning
  // 0..5; a corpse falls through 0..5 once and lies on 5.
  if (frameX == 5 && ((wet && !dead) || zombie)) {
    frameX = 2;
  } else if (frameX == 7 && ((!wet && !dead) || !burning)) {
    frameX = 0;
  } else if (frameX == 5 && burning && !dead) {
    frameX = 0;
  } else if (!(dead && frameX == 5 && !zombie)) {
    frameX += 1;
  }
  frameTime = now;
}

void Person::UpdateRow(float now) {
  // Each test may override the one before.
  if (!wet && !dead) frameY = RowFor(direction, 2, 3, 0);
  if (zombie) frameY = RowFor(direction, 4, 5, 1);
  if (wet && !dead) frameY = RowFor(direction, 4, 5, 1);
  if (burning && !dead) frameY = RowFor(direction, 0, 1, 0);
  if (burning && !dead && now - burnStart > burnTime) {
    // Burnt to death: the falling rows of the fire sheet and one white puff.
    frameY = RowFor(direction, 2, 3, 3);
    frameX = 0;
    dead = true;
    if (particleEffects && whiteSmoke) whiteSmoke->Fire();
  }
}

void Person::Update(float dt) {
  const float now = hge->Timer_GetTime();
  AdvanceFrame(now);
  DrawWalkDirection(direction, turnTime, now);
  // Whoever walked off the right edge stops there and scrolls back in.
  if (direction == 0 && position.x > screenWidth) direction = 2;
  position.x -= worldSpeed * dt;
  // The old ones walk at half pace; a corpse moves only while still falling.
  const float pace = kind == 3 ? walkSpeed / 2 : walkSpeed;
  if (!dead || zombie || frameX < 5) {
    if (direction == 1)
      position.x -= pace * dt;
    else if (direction == 0)
      position.x += pace * dt;
  }
  if (particleEffects && fireSmoke && whiteSmoke) {
    if (dead) {
      fireSmoke->Stop(false);
      whiteSmoke->MoveTo(position.x + 5, position.y + 15, false);
    } else if (burning) {
      fireSmoke->MoveTo(position.x + 5, position.y + 15, false);
      fireSmoke->Fire();
    } else {
      fireSmoke->Stop(false);
    }
    // The smoke drifts at a tenth of real time.
    fireSmoke->Update(dt / 10);
    whiteSmoke->Update(dt / 10);
  }
  UpdateRow(now);
}

void Person::Render(float) {
  // The smoke lies behind the person.
  if (particleEffects && fireSmoke && whiteSmoke) {
    fireSmoke->Render();
    whiteSmoke->Render();
  }
  sheet->DrawFrame(hgeVector(position.x, position.y + drawOffsetY), frameX, frameY, hgeVector(0, 0),
                   hgeVector(1, 1));
}
