// Stand-in: replaced by the real generator.
#include "tools/datagen/Generators.h"

void GenerateSounds(const Output&) {}
