#include "game/PadControls.h"

#include <algorithm>

#include "engine/hgeKeys.h"
#include "game/Globals.h"
#include "objects/PlayerCloud.h"
#include "persist/HighScores.h"

namespace {

// The key that brings each player into a game in play.
constexpr int kJoinKeys[2] = {HGEK_SPACE, HGEK_NUMPAD0};

using pads::Held;

}  // namespace

bool PadControls::Pressed(int seat, int control) const {
  return Held(seat, control) && !was_[seat][control];
}

void PadControls::Play(int seat, bool* keys) {
  const PlayerKeys& k = KeysOf(seat + 1);
  PlayerCloud* cloud = seat == 0 ? player1 : player2;
  keys[k.up] |= Held(seat, pads::kUp);
  keys[k.down] |= Held(seat, pads::kDown);
  keys[k.left] |= Held(seat, pads::kLeft);
  keys[k.right] |= Held(seat, pads::kRight);
  keys[k.rain] |= Held(seat, pads::kSouth);
  keys[k.boost] |= Held(seat, pads::kWest);
  keys[k.lightning] |= Held(seat, pads::kEast) || Held(seat, pads::kNorth);
  // Start joins or pauses, decided when it goes down: a join that makes a
  // cloud in this frame must not pause the game while Start is still held.
  if (Pressed(seat, pads::kStart)) startJoins_[seat] = GameState == State::Playing && !cloud;
  if (Held(seat, pads::kStart)) keys[startJoins_[seat] ? kJoinKeys[seat] : HGEK_P] = true;
}

void PadControls::NameEntry(bool* keys) {
  if (!inEntry_) {
    inEntry_ = true;
    typing_.clear();
    letter_ = -1;
    kept_ = static_cast<int>(highScores->typedName.size());
  }
  for (int seat = 0; seat < 2; ++seat) {
    const int turn = Pressed(seat, pads::kUp) ? 1 : Pressed(seat, pads::kDown) ? 25 : 0;
    if (turn && kept_ < 3) {
      if (letter_ >= 0) typing_.push_back(HGEK_BACKSPACE);
      letter_ = letter_ < 0 ? (turn == 1 ? 0 : 25) : (letter_ + turn) % 26;
      typing_.push_back(HGEK_A + letter_);
    }
    if (Pressed(seat, pads::kSouth)) {
      if (letter_ >= 0) {
        letter_ = -1;  // kept: the next turn starts a new letter
        ++kept_;
      } else {
        typing_.push_back(HGEK_ENTER);  // nothing being turned: the name is done
      }
    }
  }
  // One key a frame, each followed by a frame with it up, so each is typed once.
  if (typing_.empty()) return;
  if (++typingFrame_ % 2) {
    keys[typing_.front()] = true;
  } else {
    typing_.pop_front();
  }
}

void PadControls::ApplyKeys(bool* keys, int*) {
  if (GameState == State::NameEntry && highScores) {
    NameEntry(keys);
  } else {
    inEntry_ = false;
    for (int seat = 0; seat < 2; ++seat) {
      if (GameState == State::Playing || GameState == State::Paused) {
        Play(seat, keys);
      } else {
        keys[HGEK_UP] |= Held(seat, pads::kUp);
        keys[HGEK_DOWN] |= Held(seat, pads::kDown);
        keys[HGEK_LEFT] |= Held(seat, pads::kLeft);
        keys[HGEK_RIGHT] |= Held(seat, pads::kRight);
        keys[HGEK_ENTER] |= Held(seat, pads::kSouth);
        keys[HGEK_SPACE] |= Held(seat, pads::kSouth);
      }
    }
  }
  for (int seat = 0; seat < 2; ++seat)
    for (int c = 0; c < pads::kControls; ++c) was_[seat][c] = Held(seat, c);
}
