// temporary
#include "tools/datagen/CharacterParts.h"
void GenerateHouseImages(const Output&) {}
