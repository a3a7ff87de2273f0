// The interface pictures: HUD, title menu, black curtain, credits, the
// how-to-play screen and the particle sprites.
#include "tools/datagen/Generators.h"
#include "tools/datagen/pictures/ui/UiParts.h"

void GenerateUiImages(const Output& out) {
  GenerateHudImages(out);
  GenerateMenuImage(out);
  GenerateScreenImages(out);
  GenerateParticleImage(out);
}
