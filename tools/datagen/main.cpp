// zarvo-datagen DATA_DIR [CONTACT_DIR [ICON_DIR ICON_NAME]]: writes every
// picture, sound, the font, the particle files, the tuning file and a first
// high-score table; with ICON_DIR, also the desktop icon in its sizes.
#include <cstdio>
#include <exception>

#include "tools/datagen/Generators.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc == 4) {
    std::fprintf(stderr, "usage: zarvo-datagen DATA_DIR [CONTACT_DIR [ICON_DIR ICON_NAME]]\n");
    return 2;
  }
  Output out{argv[1], argc > 2 ? argv[2] : ""};
  try {
    GenerateCharacterImages(out);
    GenerateWorldImages(out);
    GenerateUiImages(out);
    GenerateFont(out);
    GenerateParticleFiles(out);
    GenerateGameValues(out);
    GenerateDefaultHighScores(out);
    GenerateSounds(out);
    if (argc > 4) GenerateAppIcons(argv[3], argv[4]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zarvo-datagen: %s\n", e.what());
    return 1;
  }
  return 0;
}
