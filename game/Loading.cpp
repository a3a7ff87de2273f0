// Start-up loading of the 54 pictures and 22 sounds. After every item a black
// loading screen shows the progress in whole percent and, above it, one tip
// drawn at random once per run.
#include "game/Loading.h"

#include <cmath>
#include <sstream>

#include "config/GameValues.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "game/ImageTable.h"
#include "game/Sheets.h"
#include "gfx/SpriteSheet.h"
#include "gfx/TextPrinter.h"
#include "gfx/hgeFont.h"
#include "sound/SoundBank.h"
#include "sound/SoundTable.h"

std::string tipText;
int tipNumber = 1;
int tipCount = 15;

void ChooseTip() {
  tipNumber = hge->Random_Int(1, tipCount);
  switch (tipNumber) {
    case 1:
      tipText = "Tip: Butter is good for you and your children.";
      break;
    case 2:
      tipText = "Tip: Try to rain on a sheep before casting a lightning on it.";
      break;
    case 3:
      tipText = "Tip: Try to burn something. It's fun!";
      break;
    case 4:
      tipText = "Tip: Remember to take all things in moderation. Even Zarvo the Cloud!";
      break;
    case 5:
      tipText = "Tip: Watch out for clouds when mountains are nearby.";
      break;
    case 6:
      tipText =
          "Tip: Zarvo is a force of nature and acts \n in mysterious ways for the greater good.";
      break;
    case 7:
      tipText = "Tip: People will get hurt by lightning.";
      break;
    case 8:
      tipText = "Tip: Gain high ranks to increase your streetrep!";
      break;
    case 9:
      tipText = "Tip: You can increase your rainpower by pressing the boost button.";
      break;
    case 11:
      tipText = "Tip: Spread an even greater terror upon \n the world by resurrecting the dead!";
      break;
    case 12:
      tipText = "Tip: The lightning-clouds give no energy.";
      break;
    case 13:
      tipText = "Tip: The planes engines give them away in advance.";
      break;
    case 14:
      tipText = "Tip: Darker clouds gives more energy than brighter ones.";
      break;
    case 15:
      tipText = "Tip: Trees will grow if watered.";
      break;
    default:  // 10: no tip this run
      break;
  }
}

bool LoadImages() {
  ChooseTip();
  const double total = 54.0;
  int n = 1;
  for (int i = 0; i < ImageCount; ++i) {
    const ImageFile& image = kImageFiles[i];
    *kSheetVariables[i] =
        new SpriteSheet(image.file, image.framesX, image.framesY, image.width, image.height);
    const float progress = static_cast<float>(n / total);
    ++n;
    DrawLoadingScreen("Loading Images ", progress);
  }
  return true;
}

void LoadSounds() {
  const double total = 22.0;
  int n = 1;
  for (const SoundFile& sound : kSoundFiles) {
    if (sound.looping) {
      soundBank->LoadLoopingSound(sound.name, sound.file);
    } else {
      soundBank->LoadSound(sound.name, sound.file);
    }
    const float progress = static_cast<float>(n / total);
    ++n;
    DrawLoadingScreen("Loading Sounds ", progress);
  }
}

void DrawLoadingScreen(const std::string& label, float progress) {
  if (!hge->Gfx_BeginScene(0)) return;
  hge->Gfx_Clear(0);
  std::ostringstream text;
  text << label << std::floor(progress * 100.0f) << " %";
  if (textPrinter) {
    textPrinter->Print(static_cast<float>(screenWidth / 2), static_cast<float>(screenHeight / 2),
                       text.str(), HGETEXT_CENTER);
    textPrinter->Print(static_cast<float>(screenWidth / 2), static_cast<float>(screenHeight / 4),
                       tipText, HGETEXT_CENTER);
  }
  hge->Gfx_EndScene();
}
