#include "tools/autopilot/Autopilot.h"

#include "game/Globals.h"
#include "objects/PlayerCloud.h"
#include "persist/HighScores.h"

Autopilot::Autopilot() { AddKeySource(this); }

Autopilot::~Autopilot() { RemoveKeySource(this); }

void Autopilot::SetPlayer(int player, bool on) {
  if (player == 1 || player == 2) flies_[player - 1] = on;
}

bool Autopilot::Flies(int player) const {
  return (player == 1 || player == 2) && flies_[player - 1];
}

void Autopilot::SetMenus(bool on) { menus_ = on; }

void Autopilot::ApplyKeys(bool* keys, int* /*keyDown*/) {
  if (!hge) return;  // between engine objects
  menu_.NextFrame();
  if (GameState == State::Playing) {
    if (flies_[0] && player1) pilots_[0].Fly(*player1, keys);
    if (flies_[1] && player2) pilots_[1].Fly(*player2, keys);
  }
  // A name is typed by the pilot of the cloud that earned the place.
  if (GameState == State::NameEntry && highScores && highScores->subject) {
    const int player = highScores->subject->playerNumber;
    if (Flies(player)) menu_.TypeName(player == 1 ? "ZAR" : "CHE", keys);
  }
  if (menus_) menu_.Answer(flies_[1], keys);
}
