// The pieces of the world-picture generator: scenery layers and overlays,
// energy clouds and the rain drop, mountains and the plane. GenerateWorldImages
// runs them in turn.
#pragma once

#include "tools/datagen/pictures/paint/Sheet.h"

void GenerateSceneryImages(const Output& out);      // sky, hills, clouds, sun, overlays, grass
void GenerateEnergyCloudImages(const Output& out);  // the four energy clouds and the rain drop
void GenerateMountainImages(const Output& out);     // the small and the large mountain
void GeneratePlaneImage(const Output& out);         // the propeller plane
