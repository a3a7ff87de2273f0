// Start-up loading of every picture and sound behind the loading screens,
// with one tip drawn at random per run.
#pragma once

#include <string>

extern std::string tipText;
extern int tipNumber;
extern int tipCount;

bool LoadImages();
void LoadSounds();
void DrawLoadingScreen(const std::string& label, float progress);
void ChooseTip();
