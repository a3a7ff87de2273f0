// Paints one cartoon rain cloud with a face: a body of overlapping puffs with
// a gradient and highlights, and eyes, brows, mouth and cheeks driven by a few
// expression numbers. The player-cloud sheets are all made from this painter.
#pragma once

#include <cairo.h>

#include "tools/datagen/pictures/paint/Paint.h"

struct CloudPalette {
  paint::Rgb top, bottom;  // body gradient
  paint::Rgb rim;          // highlight on the upper puffs
  paint::Ink ink;          // outline
  paint::Rgb cheek;
  paint::Rgb eyeWhite;
  paint::Rgb iris;
};

CloudPalette MixPalette(const CloudPalette& a, const CloudPalette& b, double t);

struct CloudBody {
  double cx = 0, cy = 0;  // centre of the body
  double w = 100, h = 60;
  double lean = 0;      // shear: the top moves right by lean * h / 2, the bottom left
  double stretch = 0;   // > 0 taller and narrower, < 0 squashed
  double breathe = 0;   // puffs pulse with this phase
  bool stormy = false;  // towering, lumpy large cloud
  double flash = 0;     // inner lightning light, 0..1
  double alpha = 1;
};

struct CloudFace {
  double lookX = 0, lookY = 0;  // pupils, -1..1
  double turn = 0;              // the face shifts towards -1 left .. 1 right
  double eyeOpen = 1;           // 1 open, 0 shut
  double brow = 0;              // > 0 angry, < 0 worried
  bool brows = false;
  double smile = 0.6;  // -1 frown .. 1 smile
  double mouthOpen = 0;
  double mouthWidth = 1;  // < 0.5 makes a round "o"
  bool teeth = false;
  bool wavyMouth = false;
  double cheekPuff = 0;
  double glow = 0;  // glowing eyes
  bool deadEyes = false;
  bool sick = false;
  double scale = 1;     // face size relative to the body
  bool visible = true;  // false: a faceless puff
};

void PaintCloud(cairo_t* cr, const CloudBody& body, const CloudPalette& pal, const CloudFace& face);

// Speed streaks and little puffs trailing a moving cloud: from (x, y) towards
// direction (dx, dy), `len` long.
void PaintWisps(cairo_t* cr, double x, double y, double dx, double dy, double len, double spread,
                double phase, paint::Rgb color, double alpha);
