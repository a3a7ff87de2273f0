// Fuzz target: a ".psi" particle description, read from a file holding the
// input, then copied as the game's objects copy their templates, fired,
// moved, stepped for a while at the game's slowed rates and drawn.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/hge.h"
#include "gfx/hgeParticleSystem.h"
#include "gfx/hgeSprite.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  HGE* hge = FuzzEngine();
  static hgeSprite sprite(0, 0, 0, 8, 8);
  hge->Random_Seed(1);

  const std::string file = WriteFuzzFile("effect.psi", data, size);
  const hgeParticleSystem loaded(file.c_str(), &sprite, 0);
  hgeParticleSystem effect(loaded);
  effect.FireAt(32, 32);
  for (int frame = 0; frame < 30; ++frame) {
    effect.MoveTo(32.0f + static_cast<float>(frame), 32, frame % 10 == 0);
    effect.Update(1.0f / 60 / (1 + frame % 10));
    if (frame == 20) effect.Stop(false);
  }
  hge->Gfx_BeginScene();
  effect.Render();
  hge->Gfx_EndScene();
  return 0;
}
