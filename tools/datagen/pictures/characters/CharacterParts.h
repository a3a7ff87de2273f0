// The pieces of the character-picture generator (clouds, bolt, people, sheep,
// trees, houses, flag pole) and the one helper they share: making a sheet of
// the game's grid from a chosen frame size and drawing every frame of it.
#pragma once

#include <cairo.h>

#include <functional>

#include "game/ImageTable.h"
#include "tools/datagen/pictures/paint/Sheet.h"

// Positions of the character pictures in the game's image table.
namespace image {
constexpr int kZarvoWeak = 0, kZarvoSmall = 1, kZarvoMedium = 2, kZarvoLarge = 3, kBolt = 4,
              kZarvoMorph = 5;
constexpr int kCherryWeak = 6, kCherrySmall = 7, kCherryMedium = 8, kCherryLarge = 9,
              kCherryMorph = 10;
constexpr int kLila = 11, kLilaFire = 12, kRod = 13, kRodFire = 14, kOld = 15, kOldFire = 16;
constexpr int kHouse1 = 20, kHouse2 = 21, kHouse3 = 22, kFlagPole = 25;
constexpr int kTree1 = 26, kTree2 = 27, kSpruce1 = 28, kSpruce2 = 29;
constexpr int kSheepWalk = 47, kSheepDie = 48;
constexpr int kLilaZombie = 50, kOldZombie = 51, kRodZombie = 52;
}  // namespace image

// The drawings below assume these grids; a change of the table must show here.
static_assert(kImageFiles[image::kZarvoLarge].framesX == 12 &&
              kImageFiles[image::kZarvoLarge].framesY == 3);
static_assert(kImageFiles[image::kCherryMorph].framesX == 21);
static_assert(kImageFiles[image::kBolt].framesX == 2);
static_assert(kImageFiles[image::kRodFire].framesX == 6 &&
              kImageFiles[image::kRodFire].framesY == 4);
static_assert(kImageFiles[image::kRodZombie].framesX == 8);
static_assert(kImageFiles[image::kHouse2].framesX == 11 &&
              kImageFiles[image::kHouse2].framesY == 2);
static_assert(kImageFiles[image::kFlagPole].framesX == 7);
static_assert(kImageFiles[image::kSpruce2].framesX == 21 &&
              kImageFiles[image::kSpruce2].framesY == 5);
static_assert(kImageFiles[image::kSheepWalk].framesX == 13 &&
              kImageFiles[image::kSheepDie].framesX == 8);

// Makes picture `index` of the image table with frames of frameW x frameH,
// calls draw(cr, column, row) for every frame and saves it.
void MakeSheet(const Output& out, int index, int frameW, int frameH,
               const std::function<void(cairo_t*, int, int)>& draw);

void GenerateCloudImages(const Output& out);
void GenerateBoltImage(const Output& out);
void GeneratePersonImages(const Output& out);
void GenerateSheepImages(const Output& out);
void GenerateTreeImages(const Output& out);
void GenerateHouseImages(const Output& out);
