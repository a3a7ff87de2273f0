// The engine's one random stream, a PCG32 generator (O'Neill's
// permuted congruential generator): small, fast and the same on every
// platform, so a seeded run repeats its numbers exactly.
#include <cmath>
#include <utility>

#include "engine/EngineCore.h"

using engine::CORE;

namespace engine {
namespace {

constexpr uint64_t kMultiplier = 6364136223846793005ULL;

uint32_t Next() {
  EngineState& st = *CORE.st;
  const uint64_t old = st.rngState;
  st.rngState = old * kMultiplier + st.rngInc;
  const uint32_t xorshifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
  const uint32_t rot = static_cast<uint32_t>(old >> 59u);
  return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
}

}  // namespace

void SeedRandom(uint64_t seed) {
  EngineState& st = *CORE.st;
  st.seed = seed;
  st.rngState = 0;
  st.rngInc = (0xDA3E39CB94B95BDBULL << 1u) | 1u;
  Next();
  st.rngState += seed;
  Next();
}

}  // namespace engine

void HGE::Random_Seed(int seed) {
  engine::SeedRandom(static_cast<uint64_t>(static_cast<uint32_t>(seed)));
}

int HGE::Random_Int(int min, int max) {
  if (min > max) std::swap(min, max);
  const uint64_t range = static_cast<uint64_t>(static_cast<int64_t>(max) - min) + 1;
  // Multiply-shift maps 32 random bits onto the range (range <= 2^32).
  const uint64_t offset = (static_cast<uint64_t>(engine::Next()) * range) >> 32u;
  return static_cast<int>(static_cast<int64_t>(min) + static_cast<int64_t>(offset));
}

float HGE::Random_Float(float min, float max) {
  // 24 random bits: every value is a float in [0, 1).
  const double unit = (engine::Next() >> 8u) * (1.0 / 16777216.0);
  float value = static_cast<float>(min + unit * (static_cast<double>(max) - min));
  // Rounding to float may land on max; the range is half-open.
  if (min < max && value >= max) value = std::nextafter(max, min);
  if (min > max && value <= max) value = std::nextafter(max, min);
  return value;
}
