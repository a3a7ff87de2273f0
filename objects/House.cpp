// A house's three states, its burning animation, flag pole and smoke.
#include "objects/House.h"

#include "config/GameValues.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "game/Sheets.h"
#include "gfx/SpriteSheet.h"
#include "gfx/hgeParticleSystem.h"
#include "objects/PlayerCloud.h"

House::House() {
  variant = hge->Random_Int(0, 2);
  // The tuning file is re-read at every new game, so the switch may be on
  // while no template was made at start-up.
  if (particleEffects && smokeTemplate) fireSmoke = new hgeParticleSystem(*smokeTemplate);
  if (particleEffects && smokeWhiteTemplate)
    whiteSmoke = new hgeParticleSystem(*smokeWhiteTemplate);
  SetVariant(variant);
  hasFlagPole = hge->Random_Float(0, 1) < 0.1f;
}

void House::SetVariant(int32_t v) {
  variant = v;
  frameX = 0;
  frameY = 0;
  switch (variant) {
    case 1:
      // The wide house: standing on column 9; its ruin smokes in bigger puffs.
      sheet = house2Sheet;
      size = hgeVector(300, 130);
      frameX = 9;
      break;
    case 2:
      sheet = house3Sheet;
      size = hgeVector(120, 130);
      break;
    default:
      sheet = house1Sheet;
      size = hgeVector(120, 130);
      break;
  }
  if (whiteSmoke && smokeWhiteTemplate)
    whiteSmoke->info.fSizeStart = variant == 1 ? 3 : smokeWhiteTemplate->info.fSizeStart;
  // On the ground, entering at the right edge.
  position = hgeVector(static_cast<float>(screenWidth), screenHeight - (groundHeight + size.y));
}

House::~House() {
  // Freed by whether they were made: the switch may have changed since.
  delete fireSmoke;
  delete whiteSmoke;
}

void House::HitByLightning(PlayerCloud* cloud) {
  if (state == HouseState::Burning || saved) return;
  state = HouseState::Burning;
  frameX = variant == 1 ? 0 : 1;
  frameY = 0;
  if (cloud) cloud->score += 500;
}

void House::HitByRain(PlayerCloud*) {
  if (state != HouseState::Burning || saved) return;
  rainHits += 1;
  if (rainHits == rainToExtinguish) {
    frameX = 8;
    frameY = 0;
    state = HouseState::Extinguished;
    saved = true;
  }
}

void House::Update(float dt) {
  position.x -= worldSpeed * dt;
  const float now = hge->Timer_GetTime();
  if (now - frameTime > frameDuration) {
    // The flag waves whether or not the house has a pole.
    flagFrame = flagFrame >= 6 ? 0 : flagFrame + 1;
    if (state == HouseState::Burning) {
      if (variant != 1) {
        // Columns 1 to 7 in turn.
        frameX = frameX >= 7 ? 1 : frameX + 1;
      } else if (frameY == 0 && frameX == 7) {
        // The wide house catches fire along row 0 once, then loops row 1.
        frameX = 0;
        frameY = 1;
      } else if (frameY == 1 && frameX == 10) {
        frameX = 0;
      } else {
        frameX += 1;
      }
    }
    frameTime = now;
  }
  if (particleEffects && fireSmoke && whiteSmoke) {
    const float cx = position.x + size.x / 2;
    if (state == HouseState::Burning)
      fireSmoke->FireAt(cx - 40, position.y);
    else
      fireSmoke->Stop(false);
    if (state == HouseState::Extinguished) {
      if (variant == 1)
        whiteSmoke->FireAt(cx - 40, position.y + 10);
      else
        whiteSmoke->FireAt(cx - 28, position.y + 20);
    } else {
      whiteSmoke->Stop(false);
    }
    // The smoke drifts at half speed.
    fireSmoke->Update(dt / 2);
    whiteSmoke->Update(dt / 2);
  }
}

void House::Render(float) {
  const bool smoke = particleEffects && fireSmoke && whiteSmoke;
  // Fire smoke behind the house, the ruin's white smoke in front of it.
  if (smoke) fireSmoke->Render();
  sheet->DrawFrame(hgeVector(position.x, position.y - 170), frameX, frameY, hgeVector(0, 0),
                   hgeVector(1, 1));
  if (hasFlagPole) {
    flagPoleSheet->DrawFrame(hgeVector(position.x - 50, position.y - 10), flagFrame, 0,
                             hgeVector(0, 0), hgeVector(1, 1));
  }
  if (smoke) whiteSmoke->Render();
}
