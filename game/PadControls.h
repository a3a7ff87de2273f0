// Game pads as players' keys: the pad in seat 0 stands in for player 1's keys
// and the pad in seat 1 for player 2's, with the keyboard still working.
//   Play: stick or d-pad steer, A rains, X boosts, B or Y casts lightning;
//         Start joins when the player has no cloud and pauses otherwise.
//   Pause: Start goes on.
//   Title and other screens: d-pad as the arrow keys, A as Enter and Space.
//   Name entry: d-pad up and down turn the last letter, A keeps it (and with
//         nothing left to keep, enters the name).
#pragma once

#include <deque>

#include "engine/Platform.h"

class PadControls : public KeySource {
 public:
  void ApplyKeys(bool* keys, int* keyDown) override;

 private:
  void Play(int seat, bool* keys);
  void NameEntry(bool* keys);
  bool Pressed(int seat, int control) const;

  bool was_[2][pads::kControls] = {};
  bool startJoins_[2] = {};  // what the Start press that is held does: join or pause
  std::deque<int> typing_;   // keys still to type for name entry, one every other frame
  int typingFrame_ = 0;
  int letter_ = -1;  // the letter being turned, 0..25, or -1
  int kept_ = 0;     // letters kept
  bool inEntry_ = false;
};
