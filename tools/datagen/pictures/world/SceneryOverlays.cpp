// The sun in the top-right corner and the two overlays that follow the
// clouds' energy: the storm sky sliding down from above and the red glow
// rising from below.
#include <cairo.h>

#include <cmath>
#include <vector>

#include "tools/datagen/pictures/world/SceneryParts.h"
#include "tools/datagen/pictures/paint/WorldPaint.h"

using namespace worldpaint;
using namespace scenery;

namespace {

// The smiling sun in the top-right corner; its rays turn and its glow pulses
// over the 17 frames, which loop.
void Sun(const Output& out) {
  const ImageFile& entry = ImageEntry("Images\\da_sun.png");
  const int fw = 220, fh = 200;
  SheetCanvas sheet = MakeCanvas(entry, fw, fh);
  const int n = entry.framesX;
  for (int i = 0; i < n; ++i) {
    sheet.DrawFrame(i, 0, [&](cairo_t* cr) {
      const double phase = 2 * kPi * i / n;
      const double pulse = 1 + 0.06 * std::sin(phase);
      const double cx = 118, cy = 96, r = 50;
      SoftDisc(cr, cx, cy, 98 * pulse, Hex(0xfff3a0), 0.55);
      // Twelve rays, long and short in turn; a pair repeats every 60 degrees.
      cairo_save(cr);
      cairo_translate(cr, cx, cy);
      cairo_rotate(cr, (kPi / 3) * i / n);
      for (int k = 0; k < 12; ++k) {
        const double a = k * kPi / 6;
        const double len = (k % 2 ? 74 : 90) * pulse;
        const double half = k % 2 ? 0.11 : 0.14;
        cairo_move_to(cr, std::cos(a - half) * (r - 4), std::sin(a - half) * (r - 4));
        cairo_line_to(cr, std::cos(a) * len, std::sin(a) * len);
        cairo_line_to(cr, std::cos(a + half) * (r - 4), std::sin(a + half) * (r - 4));
        cairo_close_path(cr);
      }
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      cairo_set_line_width(cr, 3);
      SetColor(cr, Hex(0xf0a020));
      cairo_stroke_preserve(cr);
      SetColor(cr, Hex(0xffd23a));
      cairo_fill(cr);
      cairo_restore(cr);
      // The face.
      cairo_arc(cr, cx, cy, r + 2.5, 0, 2 * kPi);
      SetColor(cr, Hex(0xe8901c));
      cairo_fill(cr);
      cairo_pattern_t* g = cairo_pattern_create_radial(cx - 16, cy - 18, 4, cx, cy, r);
      AddStop(g, 0, Hex(0xfffbd0));
      AddStop(g, 0.55, Hex(0xffde45));
      AddStop(g, 1, Hex(0xffb52a));
      cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
      cairo_set_source(cr, g);
      cairo_fill(cr);
      cairo_pattern_destroy(g);
      SoftDisc(cr, cx - 27, cy + 12, 11, Hex(0xff7a50), 0.5);
      SoftDisc(cr, cx + 27, cy + 12, 11, Hex(0xff7a50), 0.5);
      for (int side = -1; side <= 1; side += 2) {
        cairo_save(cr);
        cairo_translate(cr, cx + side * 16, cy - 10);
        cairo_scale(cr, 1, 1.45);
        cairo_arc(cr, 0, 0, 5.5, 0, 2 * kPi);
        cairo_restore(cr);
        SetColor(cr, Hex(0x5a3210));
        cairo_fill(cr);
        cairo_arc(cr, cx + side * 16 - 1.5, cy - 13, 1.8, 0, 2 * kPi);
        SetColor(cr, Rgb{1, 1, 1});
        cairo_fill(cr);
      }
      cairo_new_path(cr);
      cairo_arc(cr, cx, cy + 4, 24, 0.18 * kPi, 0.82 * kPi);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      cairo_set_line_width(cr, 4.5);
      SetColor(cr, Hex(0x5a3210));
      cairo_stroke(cr);
    });
  }
  sheet.Save(out, entry.file);
}

// The storm sky that slides down from above: darkest at its bottom edge,
// which is a row of heavy cloud bellies.
void DarkSky(const Output& out) {
  const ImageFile& entry = ImageEntry("Images\\darksky.png");
  SheetCanvas sheet = MakeCanvas(entry, 1024, kScreenH);
  sheet.DrawFrame(0, 0, [&](cairo_t* cr) {
    DrawRandom rnd(3004);
    const Rgb storm = Hex(0x2a3140);
    std::vector<Puff> bellies;
    for (double x = -30; x < 1060; x += rnd.Uniform(55, 95))
      bellies.push_back({x, rnd.Uniform(625, 660), rnd.Uniform(55, 90), rnd.Uniform(40, 95)});
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_rectangle(cr, 0, 0, 1024, 640);
    CloudPath(cr, bellies);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, kScreenH);
    AddStop(g, 0, storm, 0);
    AddStop(g, 0.14, storm, 0.32);
    AddStop(g, 0.4, storm, 0.58);
    AddStop(g, 0.8, storm, 0.78);
    AddStop(g, 1, Hex(0x1c2230), 0.86);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // Darker folds and pale rims inside the storm bank.
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_rectangle(cr, 0, 0, 1024, 640);
    CloudPath(cr, bellies);
    cairo_clip(cr);
    for (int i = 0; i < 70; ++i) {
      const double y = rnd.Uniform(330, 700);
      SoftEllipse(cr, rnd.Uniform(0, 1024), y, rnd.Uniform(60, 140), rnd.Uniform(25, 50),
                  Hex(0x151a24), 0.18 * (y - 300) / 400);
    }
    for (const Puff& p : bellies)
      SoftEllipse(cr, p.x, p.y + p.ry * 0.55, p.rx * 0.8, p.ry * 0.35, Hex(0x6a7488), 0.25);
  });
  sheet.Save(out, entry.file);
}

// The red glow that rises from below: strongest along its top edge.
void RedGlow(const Output& out) {
  const ImageFile& entry = ImageEntry("Images\\redglow2.png");
  SheetCanvas sheet = MakeCanvas(entry, 1024, kScreenH);
  sheet.DrawFrame(0, 0, [&](cairo_t* cr) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, kScreenH);
    AddStop(g, 0, Hex(0xc8301c), 0);
    AddStop(g, 0.08, Hex(0xd8401c), 0.5);
    AddStop(g, 0.25, Hex(0xb02814), 0.36);
    AddStop(g, 0.6, Hex(0x801810), 0.12);
    AddStop(g, 0.85, Hex(0x601010), 0);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
    DrawRandom rnd(3005);
    for (int i = 0; i < 26; ++i)
      SoftEllipse(cr, rnd.Uniform(0, 1024), rnd.Uniform(60, 180), rnd.Uniform(70, 160),
                  rnd.Uniform(30, 60), Hex(0xff7a20), rnd.Uniform(0.08, 0.16));
  });
  sheet.Save(out, entry.file);
}
}  // namespace

void GenerateSunImage(const Output& out) { Sun(out); }

void GenerateStormImages(const Output& out) {
  DarkSky(out);
  RedGlow(out);
}
