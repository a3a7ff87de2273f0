// The new-game reset and the cross-fade of the two music layers.
#pragma once

#include <cstdint>

extern int32_t musicVolume;
extern int32_t music2Volume;
extern float lastMusicStep;

void ResetGame();
void UpdateMusic();
