// The new-game reset and the music cross-fade: "GameMusic" is loud while the
// clouds are calm, "GameMusic2" takes over while a cloud is heavier than large.
#include "game/Music.h"

#include "config/GameValues.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "game/World.h"
#include "objects/Mountain.h"
#include "objects/Plane.h"
#include "objects/PlayerCloud.h"
#include "sound/SoundBank.h"

int32_t musicVolume = 0;
int32_t music2Volume = 0;
float lastMusicStep = 0;

void ResetGame() {
  rain.Clear();
  // The rain loop and the plane's engine would otherwise go on sounding over
  // the title: the rain stops its loop only in a play frame, and a plane taken
  // away in mid-flight never reaches the edge where it stops its own.
  if (rain.loopPlaying) {
    soundBank->Stop("Rain_Loop_04");
    rain.loopPlaying = false;
  }
  if (plane && plane->active) soundBank->Stop("Plane_Warning");
  soundBank->Stop("GameMusic");
  soundBank->Stop("GameMusic2");
  ClearWorldLists();
  delete player1;
  player1 = nullptr;
  delete player2;
  player2 = nullptr;
  delete mountain;
  mountain = new Mountain();
  delete plane;
  plane = new Plane();
  scenery.distance = 0;
  scenery.elapsed = 0;
  for (const std::string& problem : LoadGameValues()) hge->System_Log("%s", problem.c_str());
  GameState = State::TitleMenu;
}

void UpdateMusic() {
  const bool evil = (player1 && player1->energy > largeEnergyMin) ||
                    (player2 && player2->energy > largeEnergyMin);
  const float now = hge->Timer_GetTime();
  if (now - lastMusicStep <= 0.015f) return;
  if (evil) {
    if (music2Volume < 100) ++music2Volume;
    if (musicVolume > 20) --musicVolume;
  } else {
    if (music2Volume > 0) --music2Volume;
    if (musicVolume < 100) ++musicVolume;
  }
  soundBank->SetVolume("GameMusic", musicVolume);
  soundBank->SetVolume("GameMusic2", music2Volume);
  lastMusicStep = now;
}
