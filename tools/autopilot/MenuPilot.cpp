#include "tools/autopilot/MenuPilot.h"

#include "engine/hge.h"
#include "game/Globals.h"
#include "game/TitleMenu.h"
#include "persist/HighScores.h"

namespace {

// The title menu's players sub-menu: 0 one player, 1 two, 2 closed, 3 moving.
constexpr int kOnePlayer = 0, kTwoPlayers = 1, kClosed = 2;

int KeyForLetter(char c) {
  if (c >= 'A' && c <= 'Z') return HGEK_A + (c - 'A');
  if (c >= '0' && c <= '9') return HGEK_0 + (c - '0');
  return HGEK_SPACE;
}

}  // namespace

void MenuPilot::Tap(int key, bool* keys) {
  if (frame_ % 2 == 0) keys[key] = true;
}

void MenuPilot::Answer(bool twoPlayers, bool* keys) {
  switch (GameState) {
    case State::TitleMenu: {
      if (!titleMenu || titleMenu->connector != 0) return;  // a move is still showing
      const int wanted = twoPlayers ? kTwoPlayers : kOnePlayer;
      if (titleMenu->item == 2) {
        Tap(HGEK_LEFT, keys);
      } else if (titleMenu->item != 0) {
        Tap(HGEK_UP, keys);
      } else if (titleMenu->playersChoice == kClosed) {
        Tap(HGEK_ENTER, keys);
      } else if (titleMenu->playersChoice == wanted) {
        keys[HGEK_ENTER] = true;  // the game starts while Enter is held
      } else if (titleMenu->playersChoice == kOnePlayer) {
        Tap(HGEK_RIGHT, keys);
      } else if (titleMenu->playersChoice == kTwoPlayers) {
        Tap(HGEK_LEFT, keys);
      }
      break;
    }
    case State::HighScoreTable:
    case State::PictureScreen:
    case State::Credits:
      Tap(HGEK_SPACE, keys);
      break;
    case State::Paused:
      Tap(HGEK_P, keys);
      break;
    default:
      break;
  }
}

void MenuPilot::TypeName(const std::string& name, bool* keys) {
  const std::string& typed = highScores->typedName;
  if (typed.size() > name.size() || typed != name.substr(0, typed.size())) {
    Tap(HGEK_BACKSPACE, keys);
  } else if (typed.size() < name.size()) {
    Tap(KeyForLetter(name[typed.size()]), keys);
  } else {
    Tap(HGEK_ENTER, keys);
  }
}
