// Fuzz target: a replay file. It is read whole; one that plays is staged in a
// scratch folder and unloaded again. Nothing may crash, leak or hang.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/Platform.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string file = WriteFuzzFile("fuzz.replay", data, size);
  replay::Load(file);
  replay::Unload();
  return 0;
}
