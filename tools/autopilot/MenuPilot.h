// The autopilot's hand on the menus: starts a game from the title, types a
// name into the table, and leaves the table, the credits, the picture screen
// and a pause. Keys are tapped (one frame down, one up) where the game acts on
// a key going down, and held where it acts while a key is down.
#pragma once

#include <string>

class MenuPilot {
 public:
  // Called once at the start of every frame.
  void NextFrame() { ++frame_; }
  // One frame outside play: `twoPlayers` chooses the game the title starts.
  void Answer(bool twoPlayers, bool* keys);
  // One frame of name entry: types `name`, mending what is typed, then Enter.
  void TypeName(const std::string& name, bool* keys);

 private:
  // Holds `key` on every other frame, so that each hold is a new press.
  void Tap(int key, bool* keys);
  int frame_ = 0;
};
