// The grass strip drawn in front of the scenery, twice side by side: a
// meadow seen from the side whose ground line (where feet stand) is 186 px
// below its top, tufts and flowers above it and a bank of earth in front.
// Everything near the edges is drawn again one width over, so it tiles.
#include <cairo.h>

#include <cmath>
#include <vector>

#include "tools/datagen/pictures/world/SceneryParts.h"
#include "tools/datagen/pictures/paint/WorldPaint.h"

using namespace worldpaint;
using namespace scenery;

namespace {

constexpr int kGrassW = 1024;
constexpr int kGrassH = 286;
constexpr int kGroundLine = 186;

// One curved blade of grass from (x, base) up to a tip bent sideways.
void Blade(cairo_t* cr, double x, double base, double height, double bend, double width) {
  cairo_move_to(cr, x - width / 2, base);
  cairo_curve_to(cr, x - width / 2, base - height * 0.5, x + bend * 0.4, base - height * 0.8,
                 x + bend, base - height);
  cairo_curve_to(cr, x + bend * 0.4 + width * 0.3, base - height * 0.75, x + width / 2,
                 base - height * 0.5, x + width / 2, base);
  cairo_close_path(cr);
}

// The grass strip: a meadow seen from the side with tufts above the ground
// line, flowers in it and a bank of grass and earth in front; tiles every 1024 px.
void Grass(const Output& out) {
  const ImageFile& entry = ImageEntry("Images\\Grass.png");
  SheetCanvas sheet = MakeCanvas(entry, kGrassW, kGrassH);
  sheet.DrawFrame(0, 0, [&](cairo_t* cr) {
    DrawRandom rnd(3006);
    const double W = kGrassW;
    const double meadowTop = 150;
    // Meadow surface behind the ground line.
    cairo_rectangle(cr, 0, meadowTop, W, kGrassH - meadowTop);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, meadowTop, 0, 214);
    AddStop(g, 0, Hex(0x6fb548));
    AddStop(g, 1, Hex(0x8fce56));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // Back tufts: dark blades rising above the meadow, their feet fading into it.
    auto bladeFill = [&](Rgb tip, double tipY, double footY) {
      cairo_pattern_t* p = cairo_pattern_create_linear(0, tipY, 0, footY);
      AddStop(p, 0, tip);
      AddStop(p, 0.55, tip);
      AddStop(p, 1, Hex(0x7cc250));
      cairo_set_source(cr, p);
      cairo_fill(cr);
      cairo_pattern_destroy(p);
    };
    for (int layer = 0; layer < 3; ++layer) {
      const Rgb c = Mix(Hex(0x3e8a34), Hex(0x76bb4a), layer / 2.0);
      const double base = meadowTop + 8 + layer * 9;
      for (double x = 0; x < W; x += rnd.Uniform(2.0, 4.5)) {
        const double h = rnd.Uniform(12, 30) + (layer == 0 ? 6 : 0);
        const double bend = rnd.Uniform(-8, 8), wd = rnd.Uniform(3, 5);
        const double foot = base + rnd.Uniform(0, 10);
        Wrapped(x, 12, W, [&](double px) { Blade(cr, px, foot, h + foot - base, bend, wd); });
      }
      bladeFill(c, base - 36, base + 10);
    }
    // Patches of light and clover in the meadow.
    for (int i = 0; i < 30; ++i) {
      const double x = rnd.Uniform(0, W), y = rnd.Uniform(170, 206);
      const double rx = rnd.Uniform(20, 40), ry = rnd.Uniform(4, 8);
      Wrapped(x, 40, W, [&](double px) { SoftEllipse(cr, px, y, rx, ry, Hex(0xb7e070), 0.35); });
    }
    // Flowers among the grass.
    const Rgb petals[] = {Hex(0xffffff), Hex(0xffe14a), Hex(0xff8fc0), Hex(0xb08cff)};
    for (int i = 0; i < 46; ++i) {
      const double x = rnd.Uniform(0, W), y = rnd.Uniform(150, 200);
      const double s = rnd.Uniform(2.2, 3.6);
      const Rgb pc = petals[rnd.Int(0, 3)];
      Wrapped(x, 10, W, [&](double px) {
        cairo_set_line_width(cr, 1.2);
        SetColor(cr, Hex(0x3e7a30));
        cairo_move_to(cr, px, y);
        cairo_line_to(cr, px, y + 8);
        cairo_stroke(cr);
        for (int k = 0; k < 5; ++k) {
          const double a = k * 2 * kPi / 5;
          cairo_arc(cr, px + std::cos(a) * s, y + std::sin(a) * s, s * 0.75, 0, 2 * kPi);
          cairo_new_sub_path(cr);
        }
        SetColor(cr, pc);
        cairo_fill(cr);
        cairo_arc(cr, px, y, s * 0.55, 0, 2 * kPi);
        SetColor(cr, Hex(0xf0a020));
        cairo_fill(cr);
      });
    }
    // Front bank: earth with a grassy lip.
    const double bankTop = 212;
    const std::vector<Wave> lip = {{3, 3, 0.5}, {7, 2, 1.7}, {19, 1.2, 2.9}};
    cairo_new_path(cr);
    cairo_move_to(cr, 0, kGrassH);
    for (double x = 0; x <= W; x += 2) cairo_line_to(cr, x, Ridge(x, bankTop + 14, lip, W));
    cairo_line_to(cr, W, kGrassH);
    cairo_close_path(cr);
    g = cairo_pattern_create_linear(0, bankTop, 0, kGrassH);
    AddStop(g, 0, Hex(0x8a5a32));
    AddStop(g, 1, Hex(0x5a3820));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    for (int i = 0; i < 90; ++i) {
      const double x = rnd.Uniform(0, W), y = rnd.Uniform(bankTop + 24, kGrassH - 4);
      const double rx = rnd.Uniform(2.5, 6), ry = rx * rnd.Uniform(0.55, 0.8);
      const Rgb c = Mix(Hex(0x9a8a78), Hex(0x6a5040), rnd.Uniform(0, 1));
      Wrapped(x, 8, W, [&](double px) {
        cairo_save(cr);
        cairo_translate(cr, px, y);
        cairo_scale(cr, rx, ry);
        cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
        cairo_restore(cr);
        SetColor(cr, c);
        cairo_fill_preserve(cr);
        SetColor(cr, Hex(0x3a2414), 0.5);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
      });
    }
    for (int i = 0; i < 24; ++i) {
      const double x = rnd.Uniform(0, W), y = rnd.Uniform(bankTop + 26, kGrassH - 10);
      const double len = rnd.Uniform(12, 30), dy = rnd.Uniform(4, 12);
      Wrapped(x, len + 4, W, [&](double px) {
        cairo_move_to(cr, px, y);
        cairo_curve_to(cr, px + len * 0.3, y + dy, px + len * 0.7, y - dy * 0.3, px + len, y + dy);
        cairo_set_line_width(cr, 1.5);
        SetColor(cr, Hex(0x4a2e18), 0.7);
        cairo_stroke(cr);
      });
    }
    // The grassy lip hanging over the bank, and front blades.
    for (int layer = 0; layer < 2; ++layer) {
      const double base = bankTop + 20 + layer * 4;
      for (double x = 0; x < W; x += rnd.Uniform(2.0, 3.5)) {
        const double h = rnd.Uniform(12, 26), bend = rnd.Uniform(-6, 6), wd = rnd.Uniform(3, 5);
        Wrapped(x, 10, W, [&](double px) { Blade(cr, px, Ridge(px, base, lip, W), h, bend, wd); });
      }
      SetColor(cr, layer == 0 ? Hex(0x4f9a38) : Hex(0x6cb444));
      cairo_fill(cr);
    }
    // A few tall blades along the ground line, for depth.
    for (double x = 0; x < W; x += rnd.Uniform(6, 16)) {
      const double h = rnd.Uniform(14, 30), bend = rnd.Uniform(-6, 6);
      const double foot = kGroundLine + rnd.Uniform(4, 18);
      Wrapped(x, 10, W, [&](double px) { Blade(cr, px, foot, h, bend, 3.5); });
    }
    bladeFill(Hex(0x5aa63e), kGroundLine - 26, kGroundLine + 16);
  });
  sheet.Save(out, entry.file);
}
}  // namespace

void GenerateGrassImage(const Output& out) { Grass(out); }
