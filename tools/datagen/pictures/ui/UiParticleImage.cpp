// The particle sprites, 4 x 4 frames of 32 x 32 in white on transparent (the
// particle systems tint them): soft blobs, rings, stars and streaks. The
// smoke uses frame (0, 3), a soft lumpy puff; the lightning sparks use
// frame (1, 2), a bright core with rays.
#include <cairo.h>

#include <cmath>

#include "tools/datagen/pictures/ui/UiParts.h"
#include "tools/datagen/pictures/paint/WorldPaint.h"

using namespace worldpaint;

namespace {

const Rgb kWhite{1, 1, 1};
constexpr double kC = 16;  // frame centre

void StarPath(cairo_t* cr, int points, double outer, double inner) {
  cairo_new_path(cr);
  for (int i = 0; i < points * 2; ++i) {
    const double a = -kPi / 2 + i * kPi / points, r = i % 2 ? inner : outer;
    cairo_line_to(cr, kC + std::cos(a) * r, kC + std::sin(a) * r);
  }
  cairo_close_path(cr);
}

void Ring(cairo_t* cr, double r, double width, double alpha) {
  cairo_pattern_t* g = cairo_pattern_create_radial(kC, kC, r - width, kC, kC, r + width);
  AddStop(g, 0, kWhite, 0);
  AddStop(g, 0.5, kWhite, alpha);
  AddStop(g, 1, kWhite, 0);
  cairo_set_source(cr, g);
  cairo_paint(cr);
  cairo_pattern_destroy(g);
}

void Ray(cairo_t* cr, double angle, double len, double width, double alpha) {
  cairo_save(cr);
  cairo_translate(cr, kC, kC);
  cairo_rotate(cr, angle);
  cairo_pattern_t* g = cairo_pattern_create_linear(-len, 0, len, 0);
  AddStop(g, 0, kWhite, 0);
  AddStop(g, 0.5, kWhite, alpha);
  AddStop(g, 1, kWhite, 0);
  cairo_move_to(cr, -len, 0);
  cairo_line_to(cr, 0, -width);
  cairo_line_to(cr, len, 0);
  cairo_line_to(cr, 0, width);
  cairo_close_path(cr);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  cairo_restore(cr);
}

void DrawParticle(cairo_t* cr, int index) {
  switch (index) {
    case 0:  // large soft blob
      SoftDisc(cr, kC, kC, 15.5, kWhite, 1.0);
      break;
    case 1:  // small soft blob
      SoftDisc(cr, kC, kC, 9, kWhite, 1.0);
      break;
    case 2:  // soft ring
      Ring(cr, 10, 4.5, 0.9);
      break;
    case 3:  // four-pointed twinkle
      StarPath(cr, 4, 15, 3.5);
      SetColor(cr, kWhite, 0.95);
      cairo_fill(cr);
      SoftDisc(cr, kC, kC, 8, kWhite, 0.8);
      break;
    case 4:  // five-pointed star
      StarPath(cr, 5, 14, 6);
      SetColor(cr, kWhite);
      cairo_fill(cr);
      break;
    case 5:  // hard round dot with a soft rim
      SoftDisc(cr, kC, kC, 12, kWhite, 0.5);
      cairo_arc(cr, kC, kC, 6, 0, 2 * kPi);
      SetColor(cr, kWhite);
      cairo_fill(cr);
      break;
    case 6:  // plus-shaped glint
      Ray(cr, 0, 15, 2.5, 1);
      Ray(cr, kPi / 2, 15, 2.5, 1);
      SoftDisc(cr, kC, kC, 6, kWhite, 1);
      break;
    case 7:  // drop
      cairo_move_to(cr, kC, 3);
      cairo_curve_to(cr, kC + 8, 14, kC + 9, 20, kC + 9, 21);
      cairo_arc(cr, kC, 21, 9, 0, kPi);
      cairo_curve_to(cr, kC - 9, 20, kC - 8, 14, kC, 3);
      SetColor(cr, kWhite, 0.9);
      cairo_fill(cr);
      break;
    case 8:  // six-armed flake
      for (int i = 0; i < 3; ++i) Ray(cr, i * kPi / 3, 15, 2, 1);
      SoftDisc(cr, kC, kC, 5, kWhite, 1);
      break;
    case 9:  // bright spark: hot core with long and short rays
      SoftDisc(cr, kC, kC, 15.5, kWhite, 0.35);
      for (int i = 0; i < 4; ++i) Ray(cr, i * kPi / 4, i % 2 ? 10 : 15.5, 2.2, 1);
      SoftDisc(cr, kC, kC, 6, kWhite, 1);
      cairo_arc(cr, kC, kC, 2.5, 0, 2 * kPi);
      SetColor(cr, kWhite);
      cairo_fill(cr);
      break;
    case 10:  // tiny sharp dot
      cairo_arc(cr, kC, kC, 3, 0, 2 * kPi);
      SetColor(cr, kWhite);
      cairo_fill(cr);
      SoftDisc(cr, kC, kC, 7, kWhite, 0.6);
      break;
    case 11:  // streak
      Ray(cr, kPi / 4, 15.5, 3, 1);
      break;
    case 12: {  // soft smoke puff: overlapping soft lumps
      DrawRandom rnd(9001);
      const double lumps[][3] = {{16, 17, 10}, {10, 19, 7}, {22, 19, 7},
                                 {13, 12, 7},  {20, 12, 7}, {16, 22, 7}};
      for (const auto& l : lumps)
        SoftDisc(cr, l[0] + rnd.Uniform(-0.5, 0.5), l[1], l[2] + 2.5, kWhite, 0.55);
      break;
    }
    case 13:  // small smoke wisp
      SoftDisc(cr, 13, 17, 8, kWhite, 0.5);
      SoftDisc(cr, 19, 15, 8, kWhite, 0.5);
      break;
    case 14:  // glow ring with a core
      Ring(cr, 11, 3, 0.7);
      SoftDisc(cr, kC, kC, 7, kWhite, 0.7);
      break;
    default:  // flare: soft glow crossed by a thin beam
      SoftDisc(cr, kC, kC, 12, kWhite, 0.6);
      Ray(cr, 0, 15.5, 1.5, 1);
      break;
  }
}

}  // namespace

void GenerateParticleImage(const Output& out) {
  const ImageFile& entry = ImageEntry("particles.png");
  SheetCanvas sheet = MakeCanvas(entry, 32, 32);
  for (int i = 0; i < entry.framesX * entry.framesY; ++i)
    sheet.DrawFrame(i % entry.framesX, i / entry.framesX,
                    [&](cairo_t* cr) { DrawParticle(cr, i); });
  sheet.Save(out, entry.file);
}
