// The world pictures: scenery layers, sun, storm overlays and grass, the
// energy clouds and rain drop, the two mountains and the propeller plane.
#include "tools/datagen/Generators.h"
#include "tools/datagen/pictures/world/WorldParts.h"

void GenerateWorldImages(const Output& out) {
  GenerateSceneryImages(out);
  GenerateEnergyCloudImages(out);
  GenerateMountainImages(out);
  GeneratePlaneImage(out);
}
