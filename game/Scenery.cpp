// The backdrop: three layers drifting at their own rates, the animated sun
// that fades as the sky darkens, the dark sky sliding down and the red glow
// rising with the clouds' energy, and the grass strip moving with the world.
#include "game/Scenery.h"

#include <cmath>

#include "config/GameValues.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "game/Sheets.h"
#include "gfx/SpriteSheet.h"
#include "objects/PlayerCloud.h"

namespace {

// Sinking or rising speed of the darkness level, px/s.
constexpr float kLevelSpeed = 400;

void Draw(SpriteSheet* sheet, float x, float y, int frameX, int frameY, float hotX) {
  sheet->DrawFrame(hgeVector(x, y), frameX, frameY, hgeVector(hotX, 0), hgeVector(1, 1));
}

}  // namespace

void Scenery::Update(float dt) {
  distance += worldSpeed * dt;
  elapsed += dt;

  float energy = 0;
  if (player1 && player2) {
    energy = (player1->energy + player2->energy) / 2;
  } else if (player1) {
    energy = player1->energy;
  } else if (player2) {
    energy = player2->energy;
  }
  // Near the target the two steps cancel, so the level settles within a step.
  float target = screenHeight / fullDarkEnergy * energy;
  if (target > level) level += kLevelSpeed * dt;
  if (target < level) level -= kLevelSpeed * dt;
  if (level < 0) level = 0;

  float now = hge->Timer_GetTime();
  if (now - sunFrameTime > 0.4f) {
    sunFrameTime = now;
    sunFrame = sunFrame == 16 ? 0 : sunFrame + 1;
  }
}

void Scenery::RenderBack(float) {
  const float w = static_cast<float>(screenWidth);
  const float h = static_cast<float>(screenHeight);
  const float o3 = std::fmod(elapsed, layer3Period) * 5671 / layer3Period;
  const float o2 = std::fmod(distance, layer2Period * 1000) / (layer2Period * 1000);
  const float o1 = std::fmod(elapsed, layer1Period) * (layer1WidthA + layer1WidthB) / layer1Period;

  Draw(layer3Sheet, -o3, 0, 0, 0, 0);
  Draw(layer3Sheet, 3999 - o3, 0, 0, 1, 0);
  Draw(layer3Sheet, 5671 - o3, 0, 0, 0, 0);
  Draw(layer2Sheet, 0, 0, 0, 0, o2);
  Draw(layer2Sheet, 4246, 0, 0, 0, o2);
  sunSheet->SetColor(ARGB(SunAlpha(), 255, 255, 255));
  Draw(sunSheet, w, 0, sunFrame, 0, 1);
  Draw(layer1Sheet, -o1, 0, 0, 0, 0);
  Draw(layer1Sheet, layer1WidthA + layer1WidthB - o1, 0, 0, 0, 0);
  Draw(layer1Sheet, layer1WidthA - o1, 0, 0, 1, 0);
  Draw(darkSkySheet, 0, level - h, 0, 0, 0);
  Draw(redGlowSheet, 0, h - level, 0, 0, 0);
}

void Scenery::RenderFront(float) {
  const float w = static_cast<float>(screenWidth);
  const float top = static_cast<float>(screenHeight - grassHeight);
  const float g = std::fmod(distance, w) / w;
  Draw(grassSheet, 0, top, 0, 0, g);
  Draw(grassSheet, w, top, 0, 0, g);
}

uint32_t Scenery::SunAlpha() const {
  // A darkness level beyond the screen height (a low fullDarkEnergy) would
  // give a negative alpha, which would wrap round to an opaque sun: hold it
  // at 0 instead (and at 255 should the level ever be below 0).
  int alpha = static_cast<int>(255 - level / screenHeight * 255);
  if (alpha < 0) alpha = 0;
  if (alpha > 255) alpha = 255;
  return static_cast<uint32_t>(alpha);
}
