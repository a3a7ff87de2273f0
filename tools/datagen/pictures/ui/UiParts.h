// The pieces of the interface-picture generator: the HUD gauges and badges,
// the title menu, the full-screen pictures and the particle sprites.
// GenerateUiImages runs them in turn.
#pragma once

#include "tools/datagen/pictures/paint/Sheet.h"

void GenerateHudImages(const Output& out);      // gauge frames, fluid, charges, rank badges
void GenerateMenuImage(const Output& out);      // the title menu's buttons and connectors
void GenerateScreenImages(const Output& out);   // black curtain, credits, how to play
void GenerateParticleImage(const Output& out);  // the particle sprites
