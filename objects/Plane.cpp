// The plane's flight: launch beyond an edge, fly with a slight drift while
// swinging up and down between two vertical speed limits, drain touching
// clouds, and land out of play beyond the far edge. The smoke trails behind.
#include "objects/Plane.h"

#include "config/GameValues.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "game/Sheets.h"
#include "gfx/SpriteSheet.h"
#include "gfx/hgeParticleSystem.h"
#include "gfx/hgeSprite.h"
#include "objects/PlayerCloud.h"
#include "sound/SoundBank.h"

Plane::Plane() {
  sheet = planeSheet;
  // The picture's frames are 264 x 137 px; the plane is drawn at `scale`.
  size = hgeVector(264 * scale, 137 * scale);
  if (particleEffects && planeSmokeTemplate) smoke = new hgeParticleSystem(*planeSmokeTemplate);
}

Plane::~Plane() { delete smoke; }

void Plane::Launch() {
  direction = hge->Random_Int(0, 1);
  position.y = hge->Random_Float(0, 300);
  if (direction == 0) {
    position.x = screenWidth + 1000;
    velocity.x = -hge->Random_Float(100, 200);
  } else {
    position.x = -size.x - 1000;
    velocity.x = hge->Random_Float(100, 200);
  }
  velocity.y = 0;
  acceleration = hgeVector(hge->Random_Float(-2, 2), sinkAcceleration);
  if (particleEffects && smoke) smoke->Fire();
  frame = 0;
  frameTime = hge->Timer_GetTime();
  active = true;
  soundBank->Play("Plane_Warning");
}

void Plane::Update(float dt) {
  if (active) {
    if (player1) HitPlayer(player1, dt);
    if (player2) HitPlayer(player2, dt);
    position += velocity * dt;
    velocity += acceleration * dt;
    if (velocity.y > 170) {
      acceleration.y = -350;
    } else if (velocity.y < -180) {
      acceleration.y = sinkAcceleration;
    }
    float now = hge->Timer_GetTime();
    if (now - frameTime > frameDuration) {
      frame = frame == 3 ? 0 : frame + 1;
      frameTime = now;
    }
    bool goneRight = direction == 1 && position.x > screenWidth + size.x;
    bool goneLeft = direction == 0 && position.x + size.x < 0;
    if (goneRight || goneLeft) {
      active = false;
      soundBank->Stop("Plane_Warning");
    }
  }
  // The exhaust drifts at a sixth of real speed.
  if (particleEffects && smoke) smoke->Update(dt / 6);
}

void Plane::HitPlayer(PlayerCloud* cloud, float dt) {
  if (RectsOverlap(cloud->size, cloud->position, size, position)) cloud->energy -= dt * energyDrain;
}

void Plane::Render(float) {
  if (particleEffects && smoke) smoke->Render();
  if (!active) return;
  const float x = position.x;
  const float y = position.y;
  const float w = size.x;
  const float h = size.y;
  if (direction == 0) {
    // The picture faces right: mirror it over the box, tail on the right.
    if (particleEffects && smoke) smoke->MoveTo(x + w - 30, y + 20, false);
    sheet->GetSprite(frame)->Render4V(x + w, y, x, y, x, y + h, x + w, y + h);
  } else {
    if (particleEffects && smoke) smoke->MoveTo(x, y + 20, false);
    sheet->GetSprite(frame)->RenderEx(x, y, 0, scale, 0);
  }
}
