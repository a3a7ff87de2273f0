// An energy cloud: placed at the right edge in its kind's height band, moved
// left at its own fixed speed and animated 0, 1, 2, 1, 0, ...
#include "objects/Cloud.h"

#include "config/GameValues.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "game/Sheets.h"
#include "gfx/SpriteSheet.h"

Cloud::Cloud(int k) : kind(k) {
  sheet = smallCloudSheet;
  float y = 0;
  switch (kind) {
    case 1:
      size = hgeVector(83, 46);
      y = hge->Random_Int(1, 145);
      break;
    case 2:
      size = hgeVector(85, 53);
      y = hge->Random_Int(145, 330);
      sheet = mediumCloudSheet;
      break;
    case 3:
      size = hgeVector(127, 64);
      y = hge->Random_Int(330, 500);
      sheet = largeCloudSheet;
      break;
    case 4:
      size = hgeVector(127, 64);
      y = hge->Random_Int(145, 330);
      sheet = lightningCloudSheet;
      break;
  }
  position = hgeVector(screenWidth, y);
}

void Cloud::Update(float dt) {
  position.x -= energyCloudSpeed * dt;
  float now = hge->Timer_GetTime();
  if (now - frameTime > frameDuration) {
    if (frame == 2) {
      frameStep = -1;
    } else if (frame == 0) {
      frameStep = 1;
    }
    frameTime = now;
    frame += frameStep;
  }
}

void Cloud::Render(float) {
  sheet->DrawFrame(position, frame, 0, hgeVector(0, 0), hgeVector(1, 1));
}
