// A player cloud's lightning. The phases are timed in Render so that the flash
// a player sees and the strike window agree: objects are struck in every update
// while the bright flash (phase 1) is showing.
#include "objects/Lightning.h"

#include "config/GameValues.h"
#include "game/Globals.h"
#include "game/Sheets.h"
#include "gfx/SpriteSheet.h"
#include "gfx/hgeParticleSystem.h"
#include "gfx/hgeSprite.h"
#include "objects/GameObject.h"
#include "sound/SoundBank.h"

namespace {

// A screen-sized texture of one colour. Every texel of the texture is filled,
// including any padding the engine adds beyond the screen size.
HTEXTURE MakeFlashTexture(uint32_t color) {
  HTEXTURE texture = hge->Texture_Create(screenWidth, screenHeight);
  if (!texture) return 0;
  uint32_t* texels = hge->Texture_Lock(texture, false);
  if (texels) {
    const long count =
        static_cast<long>(hge->Texture_GetWidth(texture)) * hge->Texture_GetHeight(texture);
    for (long i = 0; i < count; ++i) texels[i] = color;
    hge->Texture_Unlock(texture);
  }
  return texture;
}

}  // namespace

Lightning::Lightning(PlayerCloud* ownerCloud) : owner(ownerCloud) {
  phaseTime = hge->Timer_GetTime();
  dimTexture = MakeFlashTexture(0x7DFFFFFF);
  dimFlash = new hgeSprite(dimTexture, 0, 0, static_cast<float>(screenWidth),
                           static_cast<float>(screenHeight));
  brightTexture = MakeFlashTexture(0xFFFFFFFF);
  brightFlash = new hgeSprite(brightTexture, 0, 0, static_cast<float>(screenWidth),
                              static_cast<float>(screenHeight));
  if (particleEffects && sparksTemplate) sparks = new hgeParticleSystem(*sparksTemplate);
}

Lightning::~Lightning() {
  delete dimFlash;
  delete brightFlash;
  if (dimTexture) hge->Texture_Free(dimTexture);
  if (brightTexture) hge->Texture_Free(brightTexture);
  // Freed by whether it was made, not by the switch: the tuning file is
  // re-read between games and may have turned particle effects off meanwhile.
  delete sparks;
}

bool Lightning::CanCast() {
  return charges > 0 && !active && hge->Timer_GetTime() - lastCastTime > coolDown;
}

void Lightning::Cast(hgeVector p) {
  if (!CanCast()) return;
  switch (hge->Random_Int(1, 3)) {
    case 1:
      soundBank->Play("Thunder");
      break;
    case 2:
      soundBank->Play("Thunder2");
      break;
    default:
      soundBank->Play("Thunder3");
      break;
  }
  boltPosition = hgeVector(p.x + 75, p.y + 60);
  active = true;
  charges -= 1;
  lastCastTime = hge->Timer_GetTime();
}

void Lightning::AddCharges(int n) {
  if (charges < 9) charges += n;
}

void Lightning::Update(float) {}

void Lightning::CheckHits(std::vector<GameObject*>& objects) {
  if (!boltSheet) return;
  const float w = static_cast<float>(boltSheet->frameWidth);
  const float h = static_cast<float>(boltSheet->frameHeight);
  // The left half of one bolt frame, less 20 pixels at its left.
  const hgeVector strikePosition(boltPosition.x + 20, boltPosition.y);
  const hgeVector strikeSize(w / 2 - 20, h);
  // By index: a struck object may not remove itself, but the list is not ours.
  for (size_t i = 0; i < objects.size() && phase == 1; ++i) {
    GameObject* object = objects[i];
    if (RectsOverlap(object->size, object->position, strikeSize, strikePosition)) {
      object->HitByLightning(owner);
    }
  }
}

void Lightning::Render(float dt) {
  const bool withSparks = particleEffects && sparks;
  if (active) {
    if (withSparks) sparks->FireAt(boltPosition.x + 20, boltPosition.y + 180);
    const float now = hge->Timer_GetTime();
    if (now - phaseTime > phaseDuration) {
      if (phase == 2) {
        phase = 0;
        active = false;
      } else {
        phase += 1;
      }
      phaseTime = now;
    }
    hgeSprite* flash = phase == 1 ? brightFlash : dimFlash;
    if (flash) flash->Render(0, 0);
    if (boltSheet && phase != 1) {
      boltSheet->DrawFrame(boltPosition, phase == 0 ? 0 : 1, 0, hgeVector(0, 0), hgeVector(1, 1));
    }
  } else if (withSparks) {
    sparks->Stop(false);
  }
  if (withSparks) {
    sparks->Update(dt);
    sparks->Render();
  }
}
