// Fuzz target: the tuning file "GameValues.txt", read from the input's bytes.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "config/GameValues.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Every input starts from the same values, as a fresh program would.
  ResetGameValuesToBuiltIn();
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  LoadGameValues(in);
  return 0;
}
