// Helpers of the game tests, with the engine, the game's globals and the
// sprite sheets they work on. Fixtures swap globals (the engine, the screen
// size, sheets, the text printer) for their lifetime: Scoped gives a global a
// value and puts the old one back afterwards; Owned also deletes the value it
// gave. A test sheet marked undrawn (every corner of every frame far away)
// tells which frames a draw touched and where: a draw moves only their corners.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "engine/hge.h"
#include "game/Globals.h"
#include "gfx/SpriteSheet.h"
#include "gfx/hgeSprite.h"

template <typename T>
class Scoped {
 public:
  Scoped(T& global, T value) : global_(global), old_(global) { global = value; }
  ~Scoped() { global_ = old_; }

 private:
  T& global_;
  T old_;
};

template <typename T>
class Owned : public Scoped<T*> {
 public:
  Owned(T*& global, T* value) : Scoped<T*>(global, value), value_(value) {}
  ~Owned() { delete value_; }

 private:
  T* value_;
};

constexpr float kUndrawn = -12345;

inline SpriteSheet* MarkUndrawn(SpriteSheet* sheet) {
  for (hgeSprite* s : sheet->frames)
    for (hgeVertex& v : s->quad.v) v.x = v.y = kUndrawn;
  return sheet;
}

inline std::vector<int> DrawnFrames(const SpriteSheet* sheet) {
  std::vector<int> drawn;
  for (size_t i = 0; i < sheet->frames.size(); ++i)
    if (sheet->frames[i]->quad.v[0].x != kUndrawn) drawn.push_back(static_cast<int>(i));
  return drawn;
}

// Seeds the engine so that its next Random_Int(low, high) gives `wanted`.
inline void SeedSoTheNextIntIs(int low, int high, int wanted) {
  for (int seed = 1; seed < 100000; ++seed) {
    hge->Random_Seed(seed);
    if (hge->Random_Int(low, high) != wanted) continue;
    hge->Random_Seed(seed);
    return;
  }
  ADD_FAILURE() << "no seed draws " << wanted;
}
