// The autopilot: flies either player's cloud and, when asked, answers the
// title menu and the screens after a game, by holding keys as a player does.
// It reads the game's state and never writes it; the same state always gives
// the same keys, so a seeded run with autopilots repeats exactly.
#pragma once

#include "engine/Platform.h"
#include "tools/autopilot/CloudPilot.h"
#include "tools/autopilot/MenuPilot.h"

class Autopilot : public KeySource {
 public:
  // Registers with the engine's key sources; unregisters when destroyed.
  Autopilot();
  ~Autopilot() override;
  Autopilot(const Autopilot&) = delete;
  Autopilot& operator=(const Autopilot&) = delete;

  // Flies player 1's or 2's cloud (and types its name when it enters the table).
  void SetPlayer(int player, bool on);
  bool Flies(int player) const;
  // Starts games from the title (with the players it flies), leaves the table
  // and the other screens, and unpauses: a game that runs by itself.
  void SetMenus(bool on);
  bool Menus() const { return menus_; }

  void ApplyKeys(bool* keys, int* keyDown) override;

 private:
  CloudPilot pilots_[2];
  bool flies_[2] = {false, false};
  MenuPilot menu_;
  bool menus_ = false;
};
