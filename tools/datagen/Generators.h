// The parts of the data generator; main runs them in turn.
#pragma once

#include <string>

#include "tools/datagen/pictures/paint/Sheet.h"

void GenerateCharacterImages(const Output& out);  // clouds, bolt, people, sheep, trees, houses, flag
void GenerateWorldImages(const Output& out);      // scenery, energy clouds, mountains, plane, drop
void GenerateUiImages(const Output& out);         // HUD, menu, curtain, particles, credits, how-to-play
void GenerateFont(const Output& out);             // font1.fnt and its image
void GenerateParticleFiles(const Output& out);    // the four .psi records
void GenerateGameValues(const Output& out);       // GameValues.txt
void GenerateDefaultHighScores(const Output& out);  // only when no table exists yet
void GenerateSounds(const Output& out);           // the 22 sounds
// The desktop icon in every size, as ICON_DIR/NxN/apps/NAME.png.
void GenerateAppIcons(const std::string& iconDir, const std::string& name);
