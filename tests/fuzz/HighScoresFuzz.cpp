// Fuzz target: the two high-score files. The input up to its first zero byte
// is the names file, the rest the points file. The table is read, asked for
// positions, written back and read again: the scores must survive the trip.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "persist/HighScores.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const void* zero = std::memchr(data, 0, size);
  const size_t split = zero ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - data) : size;
  const size_t rest = split < size ? split + 1 : size;
  const std::string names = WriteFuzzFile("highscore_names.txt", data, split);
  const std::string points = WriteFuzzFile("highscore_points.txt", data + rest, size - rest);

  HighScores table(names, points);
  if (table.names.size() != 10 || table.points.size() != 10) std::abort();
  for (int32_t score : table.points) table.PositionFor(score);
  table.Save();
  HighScores again(names, points);
  if (again.points != table.points) std::abort();
  return 0;
}
