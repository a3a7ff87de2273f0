// The propeller plane: a red cartoon monoplane facing right, tail fin at the
// top left (where the game attaches its smoke), pilot in an open cockpit, and
// a two-bladed propeller at the nose, a blurred spinning disc in all four
// frames.
#include <cairo.h>

#include <cmath>

#include "tools/datagen/pictures/paint/WorldPaint.h"
#include "tools/datagen/pictures/world/WorldParts.h"

using namespace worldpaint;

namespace {

constexpr int kFrameW = 264, kFrameH = 137;
const Rgb kInk = Hex(0x3a2422);

void Ink(cairo_t* cr, double width) {
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, width);
  SetColor(cr, kInk);
  cairo_stroke(cr);
}

void FillVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom) {
  cairo_pattern_t* g = cairo_pattern_create_linear(0, y0, 0, y1);
  AddStop(g, 0, top);
  AddStop(g, 1, bottom);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
}

void Ellipse(cairo_t* cr, double x, double y, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
}

// The spinning propeller seen almost edge-on: a soft, see-through disc whose
// tips trace a light rim, with four smeared streaks, the way a fast
// two-bladed propeller looks on film. Each frame turns the streaks an eighth
// of a turn, a quarter of their spacing, so the four frames loop seamlessly
// and the picture only shimmers from frame to frame instead of jumping.
void DrawPropeller(cairo_t* cr, int frame) {
  const Rgb wood = Hex(0x6a4428), tips = Hex(0xfff0c0);
  cairo_save(cr);
  cairo_translate(cr, 250, 78);
  cairo_scale(cr, 8, 56);
  cairo_pattern_t* disc = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
  AddStop(disc, 0, wood, 0.14);
  AddStop(disc, 0.6, wood, 0.2);
  AddStop(disc, 0.86, Mix(wood, tips, 0.5), 0.22);
  AddStop(disc, 0.95, tips, 0.4);
  AddStop(disc, 1, tips, 0);
  cairo_new_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_set_source(cr, disc);
  cairo_fill(cr);
  cairo_pattern_destroy(disc);
  // Each streak is densest at the blade's leading edge and fades out behind it.
  constexpr int kSteps = 12;
  constexpr double kTrail = 0.4 * kPi;
  for (int k = 0; k < 4; ++k) {
    const double lead = (frame / 8.0 + k / 4.0) * 2 * kPi;
    for (int j = 0; j < kSteps; ++j) {
      const double a1 = lead - kTrail * j / kSteps, a0 = lead - kTrail * (j + 1) / kSteps;
      cairo_new_path(cr);
      cairo_arc(cr, 0, 0, 0.93, a0, a1);
      cairo_arc_negative(cr, 0, 0, 0.12, a1, a0);
      cairo_close_path(cr);
      SetColor(cr, wood, 0.45 * std::pow(1.0 - double(j) / kSteps, 1.5));
      cairo_fill(cr);
    }
  }
  cairo_restore(cr);
}

void DrawPlane(cairo_t* cr, int frame) {
  const Rgb red = Hex(0xe0442e), redDark = Hex(0xa82a1e), cream = Hex(0xfff3d8);
  // Far wing, behind the body.
  cairo_new_path(cr);
  Ellipse(cr, 140, 70, 46, 9);
  FillVertical(cr, 60, 80, Hex(0xb8362a), Hex(0x8a2418));
  Ink(cr, 2.5);
  // Tail fin.
  cairo_new_path(cr);
  cairo_move_to(cr, 30, 72);
  cairo_curve_to(cr, 22, 52, 14, 30, 16, 14);
  cairo_curve_to(cr, 22, 8, 34, 8, 40, 14);
  cairo_curve_to(cr, 50, 32, 60, 52, 72, 66);
  cairo_close_path(cr);
  FillVertical(cr, 10, 70, red, redDark);
  Ink(cr, 3);
  cairo_new_path(cr);
  cairo_move_to(cr, 22, 22);
  cairo_curve_to(cr, 28, 20, 34, 20, 38, 22);
  cairo_set_line_width(cr, 6);
  SetColor(cr, cream);
  cairo_stroke(cr);
  // Fuselage: a plump teardrop from the tail to the nose.
  cairo_new_path(cr);
  cairo_move_to(cr, 18, 70);
  cairo_curve_to(cr, 40, 56, 120, 46, 186, 50);
  cairo_curve_to(cr, 214, 52, 230, 62, 232, 78);
  cairo_curve_to(cr, 230, 96, 210, 104, 180, 106);
  cairo_curve_to(cr, 120, 108, 50, 96, 20, 80);
  cairo_curve_to(cr, 14, 77, 14, 72, 18, 70);
  cairo_close_path(cr);
  FillVertical(cr, 48, 108, Hex(0xff7a5a), redDark);
  Ink(cr, 3.2);
  // Cream stripe and windows along the body.
  cairo_save(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, 18, 70);
  cairo_curve_to(cr, 40, 56, 120, 46, 186, 50);
  cairo_curve_to(cr, 214, 52, 230, 62, 232, 78);
  cairo_curve_to(cr, 230, 96, 210, 104, 180, 106);
  cairo_curve_to(cr, 120, 108, 50, 96, 20, 80);
  cairo_close_path(cr);
  cairo_clip(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, 10, 78);
  cairo_curve_to(cr, 80, 86, 160, 84, 240, 80);
  cairo_set_line_width(cr, 8);
  SetColor(cr, cream);
  cairo_stroke(cr);
  cairo_restore(cr);
  for (int i = 0; i < 3; ++i) {
    cairo_new_path(cr);
    cairo_arc(cr, 92 + i * 22, 68, 6, 0, 2 * kPi);
    FillVertical(cr, 62, 74, Hex(0xd8f0ff), Hex(0x6fa8d8));
    Ink(cr, 2);
  }
  // Cockpit with the pilot: leather helmet, goggles and a waving scarf.
  cairo_new_path(cr);
  cairo_arc(cr, 166, 42, 11, 0, 2 * kPi);
  FillVertical(cr, 30, 54, Hex(0xffd8b0), Hex(0xe8a878));
  Ink(cr, 2.2);
  cairo_new_path(cr);
  cairo_arc(cr, 166, 41, 11.5, kPi * 1.05, kPi * 1.95);
  cairo_close_path(cr);
  SetColor(cr, Hex(0x7a4a24));
  cairo_fill_preserve(cr);
  Ink(cr, 2.2);
  cairo_new_path(cr);
  cairo_arc(cr, 171, 40, 4.2, 0, 2 * kPi);
  SetColor(cr, Hex(0xbfe6ff));
  cairo_fill_preserve(cr);
  Ink(cr, 2);
  cairo_new_path(cr);
  cairo_move_to(cr, 158, 50);
  const double flutter = std::sin(frame * kPi / 2), lift = std::cos(frame * kPi / 2);
  cairo_curve_to(cr, 146, 47.5 + flutter, 134, 50.5 - flutter, 122, 47.5 + 1.5 * lift);
  cairo_set_line_width(cr, 5);
  SetColor(cr, Hex(0xffe04a));
  cairo_stroke(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, 146, 55);
  cairo_curve_to(cr, 152, 42, 180, 40, 190, 54);
  cairo_close_path(cr);
  FillVertical(cr, 40, 56, Hex(0xe8f6ff), Hex(0x8cc0e8));
  Ink(cr, 2.2);
  // Near wing under the body, seen slightly from below.
  cairo_new_path(cr);
  cairo_move_to(cr, 96, 92);
  cairo_curve_to(cr, 110, 82, 178, 82, 192, 90);
  cairo_curve_to(cr, 196, 100, 186, 110, 170, 112);
  cairo_curve_to(cr, 140, 114, 104, 110, 96, 92);
  cairo_close_path(cr);
  FillVertical(cr, 84, 114, Hex(0xff8a6a), redDark);
  Ink(cr, 3);
  // Tail plane.
  cairo_new_path(cr);
  Ellipse(cr, 40, 80, 26, 6);
  FillVertical(cr, 74, 86, red, redDark);
  Ink(cr, 2.5);
  // Landing gear.
  cairo_new_path(cr);
  cairo_move_to(cr, 150, 106);
  cairo_line_to(cr, 144, 122);
  cairo_move_to(cr, 166, 106);
  cairo_line_to(cr, 146, 122);
  Ink(cr, 3);
  cairo_new_path(cr);
  cairo_arc(cr, 144, 124, 9, 0, 2 * kPi);
  SetColor(cr, Hex(0x302a2a));
  cairo_fill_preserve(cr);
  Ink(cr, 2);
  cairo_arc(cr, 144, 124, 3.5, 0, 2 * kPi);
  SetColor(cr, Hex(0xb0b0b8));
  cairo_fill(cr);
  // Nose cone and hub.
  cairo_new_path(cr);
  cairo_move_to(cr, 226, 62);
  cairo_curve_to(cr, 240, 64, 246, 72, 246, 78);
  cairo_curve_to(cr, 246, 86, 240, 94, 226, 96);
  cairo_close_path(cr);
  FillVertical(cr, 62, 96, Hex(0xf4f4fa), Hex(0x9094a0));
  Ink(cr, 2.6);
  DrawPropeller(cr, frame);
  cairo_new_path(cr);
  cairo_arc(cr, 250, 78, 5, 0, 2 * kPi);
  SetColor(cr, Hex(0xffd040));
  cairo_fill_preserve(cr);
  Ink(cr, 2);
  // Motion lines behind the tail.
  for (int i = 0; i < 3; ++i) {
    cairo_new_path(cr);
    const double y = 40 + i * 18 + (frame % 2) * 2;
    cairo_move_to(cr, 2 + (i % 2) * 4, y);
    cairo_line_to(cr, 12 + (i % 2) * 4, y);
    cairo_set_line_width(cr, 2);
    SetColor(cr, Rgb{1, 1, 1}, 0.6);
    cairo_stroke(cr);
  }
}

}  // namespace

void GeneratePlaneImage(const Output& out) {
  const ImageFile& entry = ImageEntry("Images\\PropellerPlane.png");
  SheetCanvas sheet = MakeCanvas(entry, kFrameW, kFrameH);
  for (int f = 0; f < entry.framesX; ++f)
    sheet.DrawFrame(f, 0, [&](cairo_t* cr) { DrawPlane(cr, f); });
  sheet.Save(out, entry.file);
}
