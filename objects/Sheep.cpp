// A sheep's walk, wetness, explosion and remains, with its rows and smoke.
#include "objects/Sheep.h"

#include "config/GameValues.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "game/Sheets.h"
#include "gfx/SpriteSheet.h"
#include "gfx/hgeParticleSystem.h"
#include "objects/PlayerCloud.h"
#include "objects/Wander.h"
#include "sound/SoundBank.h"

Sheep::Sheep() {
  wetAfter = wetHitCount;
  turnTime = hge->Timer_GetTime();
  // The tuning file is re-read at every new game, so the switch may be on
  // while no template was made at start-up.
  if (particleEffects && smokeTemplate) fireSmoke = new hgeParticleSystem(*smokeTemplate);
  frameDuration = walkFrameTime / 2;
  sheet = sheepWalkSheet;
  size = hgeVector(75, 75);
  position = hgeVector(static_cast<float>(screenWidth),
                       static_cast<float>(screenHeight - (groundHeight + 75)));
  direction = hge->Random_Float(0, 1) > 0.5f ? 1 : 2;
}

// Freed by whether it was made: the switch may have changed since.
Sheep::~Sheep() { delete fireSmoke; }

void Sheep::HitByRain(PlayerCloud* cloud) {
  rainHits += 1;
  if (cloud) cloud->score += rainHitPoints;
  if (rainHits == wetAfter + 1 && !exploded) {
    wet = true;
    frameX = 0;
    frameY = 1;
  }
}

void Sheep::HitByLightning(PlayerCloud*) {
  // A new sound is drawn at every strike, but a sheep explodes only once.
  const int r = hge->Random_Int(1, 2);
  if (!soundPlayed) {
    if (wet)
      soundBank->Play(r == 1 ? "Explode_WetSheep1" : "Explode_WetSheep2");
    else
      soundBank->Play(r == 1 ? "Explode_Sheep1" : "Explode_Sheep2");
    soundPlayed = true;
  }
  if (!exploded) {
    sheet = sheepDieSheet;
    // A standing sheep keeps its row (0 dry, 1 wet), as if facing right.
    if (direction == 0)
      frameY = wet ? 1 : 0;
    else if (direction == 1)
      frameY = wet ? 4 : 3;
    exploded = true;
    frameX = 0;
  }
}

void Sheep::AdvanceExplosion(float now) {
  const bool left = direction == 1;
  // A dry sheep bursts through columns 0..6, a wet one through 0..3 at a
  // third of the pace; then the remains row starts at column 0.
  const int32_t columns = wet ? 4 : 7;
  const float pace = wet ? 3 * frameDuration : frameDuration;
  if (frameX >= 0 && frameX < columns && now - frameTime > pace && !remains) {
    frameY = wet ? (left ? 4 : 1) : (left ? 3 : 0);
    frameX += 1;
    if (frameX == columns) {
      frameX = 0;
      frameY = left ? 5 : 2;
      remains = true;
    }
    frameTime = now;
  }
  // Once two frame times have passed the remains step one column per update
  // up to column 4.
  if (frameX >= 0 && frameX < 4 && now - frameTime > 2 * frameDuration && remains) frameX += 1;
}

void Sheep::Update(float dt) {
  const float now = hge->Timer_GetTime();
  if (direction != 2 && now - frameTime > frameDuration && !exploded) {
    // Dry walking runs columns 1..12, wet walking 3..5.
    if (frameX == 5 && wet)
      frameX = 2;
    else if (frameX == 12)
      frameX = 0;
    frameX += 1;
    frameTime = now;
  }
  DrawWalkDirection(direction, turnTime, now);
  if (exploded) AdvanceExplosion(now);
  // A sheep that walked off the right edge stops there and scrolls back in.
  if (direction == 0 && position.x > screenWidth && !exploded) direction = 2;
  position.x -= worldSpeed * dt;
  if (!exploded) {
    if (direction == 1)
      position.x -= walkSpeed * dt;
    else if (direction == 0)
      position.x += walkSpeed * dt;
  }
  if (particleEffects && fireSmoke) {
    if (exploded) {
      // Fired every frame: the remains smoke on.
      fireSmoke->MoveTo(position.x + 5, position.y + 15, false);
      fireSmoke->Fire();
    } else {
      fireSmoke->Stop(false);
    }
    // The smoke drifts at a tenth of real time.
    fireSmoke->Update(dt / 10);
  }
  if (!exploded && !remains) {
    if (direction == 0)
      frameY = wet ? 3 : 2;
    else if (direction == 1)
      frameY = wet ? 5 : 4;
    else
      frameY = wet ? 1 : 0;
  }
}

void Sheep::Render(float) {
  // The smoke lies behind the sheep.
  if (particleEffects && fireSmoke) fireSmoke->Render();
  sheet->DrawFrame(position, frameX, frameY, hgeVector(0, 0), hgeVector(1, 1));
}
