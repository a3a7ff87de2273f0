// The people's sheets, three kinds each: the normal sheet (standing and
// walking, dry and wet), the fire sheet (running ablaze, then falling dead,
// taller frames whose bottom is the ground) and the zombie sheet.
// Left-walking rows are the right-walking ones mirrored.
#include <cmath>

#include "tools/datagen/pictures/characters/CharacterParts.h"
#include "tools/datagen/pictures/characters/PersonPainter.h"

using namespace paint;

namespace {

constexpr int kFrame = 75;        // normal and zombie frames are 75 x 75
constexpr int kFireFrameH = 100;  // fire frames are 75 x 100, drawn 25 px higher

void Mirrored(cairo_t* cr, bool mirror, const PersonLook& look, const PersonPose& pose) {
  cairo_save(cr);
  if (mirror) {
    cairo_translate(cr, kFrame, 0);
    cairo_scale(cr, -1, 1);
  }
  PaintPerson(cr, look, pose);
  cairo_restore(cr);
}

// Rows: 0 standing dry, 1 standing wet, 2/3 walking right/left dry,
// 4/5 walking right/left wet. Dry walking loops columns 0..7, wet 2..5.
void PaintNormal(cairo_t* cr, const PersonLook& look, int col, int row) {
  PersonPose pose;
  pose.seed = 10 * look.kind + col;
  const bool wet = row == 1 || row >= 4;
  if (wet) {
    pose.mood = PersonMood::Wet;
    pose.drip = col / 4.0;
  }
  if (row <= 1) {
    pose.front = true;
    pose.breathe = col / 8.0;
    if (wet) {
      pose.arms = PersonArms::Hug;
      pose.sway = (col % 2 ? 0.7 : -0.7);  // shivering
    } else {
      pose.blink = col == 5;
    }
    PaintPerson(cr, look, pose);
    return;
  }
  pose.stride = look.kind == 3 ? 0.75 : 1.0;
  if (wet) {
    pose.walk = (col - 2) / 4.0 * kTau;
    pose.stride *= 0.7;
    pose.lean = 0.14;
    pose.arms = PersonArms::Hang;
  } else {
    pose.walk = col / 8.0 * kTau;
  }
  Mirrored(cr, row == 3 || row == 5, look, pose);
}

// Rows: 0/1 running ablaze right/left (columns 0..5 loop), 2/3 falling dead
// facing right/left, lying charred on column 5.
void PaintFire(cairo_t* cr, const PersonLook& look, int col, int row) {
  // Flames, glow and smoke fade out before the frame's sides and top.
  EdgeFence fence(cr, kFrame, kFireFrameH, 10);
  PersonPose pose;
  pose.footY = kFireFrameH;
  pose.seed = 100 + 10 * look.kind + col;
  pose.mood = PersonMood::Burning;
  pose.firePhase = col / 6.0;
  if (row <= 1) {
    pose.walk = col / 6.0 * kTau;
    pose.stride = look.kind == 3 ? 1.0 : 1.35;
    pose.lean = 0.1;
    pose.arms = PersonArms::Panic;
    pose.armWave = col / 6.0 * kTau;
    pose.fire = 1;
    pose.charred = 0.15;
  } else {
    static const double kFall[6] = {0.0, 0.12, 0.38, 0.7, 0.97, 1.0};
    static const double kFire[6] = {1.0, 0.9, 0.75, 0.55, 0.3, 0.0};
    static const double kChar[6] = {0.35, 0.5, 0.65, 0.8, 0.92, 1.0};
    pose.fall = kFall[col];
    pose.fire = kFire[col];
    pose.charred = kChar[col];
    pose.lean = 0.15 + 0.2 * col / 5.0;
    pose.arms = col < 2 ? PersonArms::Panic : PersonArms::Hang;
    pose.armWave = col * 1.3;
    pose.stride = col < 2 ? 0.5 : 0.2;
    pose.walk = 1.2;
    if (col >= 2) pose.mood = PersonMood::Dead;
  }
  Mirrored(cr, row == 1 || row == 3, look, pose);
}

// Same rows as the normal sheet; every row is the zombie shuffling or
// standing with its arms stretched out.
void PaintZombie(cairo_t* cr, const PersonLook& look, int col, int row) {
  PersonPose pose;
  pose.seed = 200 + 10 * look.kind + col;
  pose.mood = PersonMood::Zombie;
  pose.arms = PersonArms::Forward;
  pose.lean = 0.16;
  if (row <= 1) {
    pose.sway = std::sin(col / 8.0 * kTau) * 1.2;
    pose.walk = col / 8.0 * kTau;
    pose.stride = 0.1;
    Mirrored(cr, true, look, pose);
    return;
  }
  pose.stride = look.kind == 3 ? 0.65 : 0.8;
  pose.walk = (row >= 4 ? (col - 2) / 4.0 : col / 8.0) * kTau;
  Mirrored(cr, row == 3 || row == 5, look, pose);
}

}  // namespace

void GeneratePersonImages(const Output& out) {
  struct Kind {
    int kind, normal, fire, zombie;
  };
  const Kind kinds[3] = {
      {1, image::kRod, image::kRodFire, image::kRodZombie},
      {2, image::kLila, image::kLilaFire, image::kLilaZombie},
      {3, image::kOld, image::kOldFire, image::kOldZombie},
  };
  for (const Kind& k : kinds) {
    const PersonLook look = LookOfKind(k.kind);
    MakeSheet(out, k.normal, kFrame, kFrame,
              [&](cairo_t* cr, int col, int row) { PaintNormal(cr, look, col, row); });
    MakeSheet(out, k.fire, kFrame, kFireFrameH,
              [&](cairo_t* cr, int col, int row) { PaintFire(cr, look, col, row); });
    MakeSheet(out, k.zombie, kFrame, kFrame,
              [&](cairo_t* cr, int col, int row) { PaintZombie(cr, look, col, row); });
  }
}
