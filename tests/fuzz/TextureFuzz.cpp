// Fuzz target: an image file loaded into a texture by the engine, as
// Texture_Load reads every picture of the game.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/hge.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A size of zero would make the engine take the bytes for a file name.
  if (size == 0 || size > 0x7FFFFFFF) return 0;
  HGE* hge = FuzzEngine();
  const HTEXTURE tex =
      hge->Texture_Load(reinterpret_cast<const char*>(data), static_cast<uint32_t>(size));
  if (!tex) return 0;
  const int width = hge->Texture_GetWidth(tex);
  const int height = hge->Texture_GetHeight(tex);
  if (width <= 0 || height <= 0) std::abort();
  // Every texel must be there to read.
  const uint32_t* texels = hge->Texture_Lock(tex, true, 0, 0, width, height);
  if (!texels) std::abort();
  volatile uint32_t last = texels[static_cast<size_t>(width) * height - 1];
  (void)last;
  hge->Texture_Unlock(tex);
  hge->Texture_Free(tex);
  return 0;
}
