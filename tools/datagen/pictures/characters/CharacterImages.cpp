// Generates the pictures of everything that lives in the play field: the two
// players' clouds and their bolt, people, sheep, trees, houses and the flag
// pole. Each family has its own file; this one runs them and makes sheets.
#include "tools/datagen/pictures/characters/CharacterParts.h"
#include "tools/datagen/Generators.h"

void MakeSheet(const Output& out, int index, int frameW, int frameH,
               const std::function<void(cairo_t*, int, int)>& draw) {
  const ImageFile& file = kImageFiles[index];
  SheetCanvas canvas(frameW * file.framesX, frameH * file.framesY, file.framesX, file.framesY);
  for (int row = 0; row < file.framesY; ++row)
    for (int col = 0; col < file.framesX; ++col)
      canvas.DrawFrame(col, row, [&](cairo_t* cr) { draw(cr, col, row); });
  canvas.Save(out, file.file);
}

void GenerateCharacterImages(const Output& out) {
  GenerateCloudImages(out);
  GenerateBoltImage(out);
  GeneratePersonImages(out);
  GenerateSheepImages(out);
  GenerateTreeImages(out);
  GenerateHouseImages(out);
}
