// The title menu: four buttons set out as a diamond (top, left, bottom,
// right) joined by connectors that animate when the selection moves, and a
// players sub-menu on the top button. The frame function decides what Enter
// does from `item` and `playersChoice`; this class only keeps and shows them.
#include "game/TitleMenu.h"

#include "config/GameValues.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "game/Sheets.h"
#include "gfx/SpriteSheet.h"
#include "gfx/TextPrinter.h"

namespace {

// Running frame numbers in "Images\\startmeny.png".
constexpr int kTopPlain = 0;
constexpr int kTopSelected = 1;
constexpr int kTopOnePlayer = 5;
constexpr int kTopTwoPlayers = 6;
constexpr int kLeftPlain = 15;
constexpr int kLeftSelected = 16;
constexpr int kBottomPlain = 24;
constexpr int kBottomSelected = 25;
constexpr int kRightPlain = 27;
constexpr int kRightSelected = 28;
constexpr int kConnectorIdle = 30;
constexpr int kConnectorFirst = 31;
constexpr int kConnectorLast = 32;

// playersChoice values.
constexpr int kOnePlayer = 0;
constexpr int kTwoPlayers = 1;
constexpr int kSubMenuClosed = 2;
constexpr int kSubMenuMoving = 3;

// Sub-menu frames: opening runs 3, 4 and ends on 5; closing runs 4, 3 and ends on 1 (<= 2).
constexpr int kSubMenuOpenStart = 3;
constexpr int kSubMenuCloseStart = 4;
constexpr int kSubMenuClosedAt = 2;
constexpr int kSubMenuOpenAt = 5;

bool Held(int key) { return hge->Input_GetKeyState(key); }

// Moves the selection along a connector and (re)starts its animation: forward
// runs show 31 then 32, backward runs 32 then 31.
void StartMove(TitleMenu& menu, int connector, int step, int item) {
  menu.connector = connector;
  menu.connectorStep = step;
  menu.connectorFrame = step > 0 ? kConnectorFirst : kConnectorLast;
  menu.lastStepTime = hge->Timer_GetTime();
  menu.item = item;
}

}  // namespace

void TitleMenu::Update(float) {
  const float now = hge->Timer_GetTime();
  if (now - lastStepTime > stepTime) {
    if (connectorFrame != kConnectorIdle) connectorFrame += connectorStep;
    if (playersChoice == kSubMenuMoving) subMenuFrame += subMenuStep;
    lastStepTime = now;
  }
  // A forward run ends past 32; a backward one lands on 30 by itself.
  if (connectorFrame == kConnectorLast + 1) connectorFrame = kConnectorIdle;
  if (connectorFrame == kConnectorIdle) connector = 0;
  if (playersChoice == kSubMenuMoving && subMenuFrame == kSubMenuClosedAt) {
    playersChoice = kSubMenuClosed;
  }
  if (playersChoice == kSubMenuMoving && subMenuFrame == kSubMenuOpenAt) {
    playersChoice = kOnePlayer;
  }

  // Every test below sees the item the earlier ones left.
  if (item == 0 && playersChoice == kSubMenuClosed) {
    if (Held(HGEK_LEFT)) StartMove(*this, 1, +1, 1);
    if (Held(HGEK_RIGHT)) StartMove(*this, 2, +1, 3);
    if (Held(HGEK_ENTER)) {
      playersChoice = kSubMenuMoving;
      subMenuStep = +1;
      subMenuFrame = kSubMenuOpenStart;
      lastStepTime = hge->Timer_GetTime();
    }
  }
  if (item == 0 && (playersChoice == kOnePlayer || playersChoice == kTwoPlayers) && Held(HGEK_UP)) {
    subMenuFrame = kSubMenuCloseStart;
    subMenuStep = -1;
    playersChoice = kSubMenuMoving;
    lastStepTime = hge->Timer_GetTime();
    item = 0;
  }
  if (item == 0 && playersChoice == kTwoPlayers && Held(HGEK_LEFT)) playersChoice = kOnePlayer;
  if (item == 0 && playersChoice == kOnePlayer && Held(HGEK_RIGHT)) playersChoice = kTwoPlayers;
  if (Held(HGEK_UP) && item == 3) StartMove(*this, 2, -1, 0);
  if (Held(HGEK_DOWN) && item == 3) StartMove(*this, 4, -1, 2);
  if (Held(HGEK_UP) && item == 1) StartMove(*this, 1, -1, 0);
  if (Held(HGEK_DOWN) && item == 1) StartMove(*this, 3, -1, 2);
  if (Held(HGEK_LEFT) && item == 2) StartMove(*this, 3, +1, 1);
  if (Held(HGEK_RIGHT) && item == 2) StartMove(*this, 4, +1, 3);
}

void TitleMenu::Render(float) {
  const int w = screenWidth, h = screenHeight;
  const hgeVector centre(0.5f, 0.5f), plain(1, 1);
  auto draw = [&](float x, float y, int frame, hgeVector scale) {
    titleMenuSheet->DrawFrameIndex(hgeVector(x, y), frame, centre, scale);
  };

  int top = kTopPlain, left = kLeftPlain, bottom = kBottomPlain, right = kRightPlain;
  if (connector == 0) {
    switch (item) {
      case 0:
        if (playersChoice == kSubMenuMoving)
          top = subMenuFrame;
        else if (playersChoice == kOnePlayer)
          top = kTopOnePlayer;
        else if (playersChoice == kTwoPlayers)
          top = kTopTwoPlayers;
        else if (playersChoice == kSubMenuClosed)
          top = kTopSelected;
        break;
      case 1:
        left = kLeftSelected;
        break;
      case 2:
        bottom = kBottomSelected;
        break;
      case 3:
        right = kRightSelected;
        break;
    }
  }
  draw(w / 2, h / 4, top, plain);
  draw(w / 4, h / 2, left, plain);
  draw(w / 2, 3 * h / 4, bottom, plain);
  draw(3 * w / 4, h / 2, right, plain);
  if (connector == 0) textPrinter->Print(15, 10, "Zarvo Zov Orava", 0);

  auto connectorFrameOf = [&](int which) {
    return connector == which ? connectorFrame : kConnectorIdle;
  };
  draw(3 * w / 8, 3 * h / 8, connectorFrameOf(1), hgeVector(-1, 1));
  draw(5 * w / 8, 3 * h / 8, connectorFrameOf(2), hgeVector(1, 1));
  draw(3 * w / 8, 5 * h / 8, connectorFrameOf(3), hgeVector(-1, -1));
  draw(5 * w / 8, 5 * h / 8, connectorFrameOf(4), hgeVector(1, -1));
}
