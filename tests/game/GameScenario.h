// Helpers of the game tests: Scoped gives a global a value for its lifetime, Owned
// also deletes it; a sheet marked undrawn tells which frames a draw touched.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/hge.h"
#include "game/Globals.h"
#include "gfx/SpriteSheet.h"
#include "gfx/hgeSprite.h"

template <typename T>
struct Scoped {
  Scoped(T& global, T value) : place(global), old(global) { global = value; }
  ~Scoped() { place = old; }
  T& place;
  T old;
};

template <typename T>
struct Owned : Scoped<T*> {
  Owned(T*& global, T* value) : Scoped<T*>(global, value), owned(value) {}
  std::unique_ptr<T> owned;  // deleted before the global is put back
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
