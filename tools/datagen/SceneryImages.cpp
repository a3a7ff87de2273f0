// The scenery behind and in front of the play field: the far sky (layer 3),
// the hills (layer 2), the near clouds (layer 1), the sun, the storm sky and
// red glow that follow the clouds' energy, and the grass strip. The layers are
// drawn as periodic strips and cut into the sheet rows the scenery draws, so
// every wrap point of the scrolling joins without a seam.
#include <cairo.h>

#include <cmath>
#include <vector>

#include "tools/datagen/WorldPaint.h"
#include "tools/datagen/WorldParts.h"

using namespace worldpaint;

namespace {

constexpr int kScreenH = 768;
constexpr int kSkyPeriod = 5671;  // layer 3 drawn at 0, 3999 and 5671
constexpr int kSkyRow0 = 3999;
constexpr int kHillPeriod = 4246;  // layer 2 drawn at 0 and 4246
constexpr int kCloudRow0 = 7087;   // layer 1 widths A and B
constexpr int kCloudRow1 = 3088;
constexpr int kGrassW = 1024;
constexpr int kGrassH = 286;
constexpr int kGroundLine = 186;  // where feet stand, from the grass strip's top

// Calls draw(x') for x and for its copies one period to either side that
// still reach into [0, period).
template <class F>
void Wrapped(double x, double extent, double period, F draw) {
  draw(x);
  if (x - extent < 0) draw(x + period);
  if (x + extent > period) draw(x - period);
}

// A periodic ridge line: a sum of sines with whole numbers of waves per period.
struct Wave {
  double cycles, amplitude, phase;
};
double Ridge(double x, double base, const std::vector<Wave>& waves, double period) {
  double y = base;
  for (const Wave& w : waves)
    y += w.amplitude * std::sin(2 * kPi * w.cycles * x / period + w.phase);
  return y;
}

// A soft ellipse of light: radial gradient stretched sideways.
void SoftEllipse(cairo_t* cr, double x, double y, double rx, double ry, Rgb c, double alpha) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, rx / ry, 1.0);
  SoftDisc(cr, 0, 0, ry, c, alpha);
  cairo_restore(cr);
}

cairo_surface_t* NewStrip(int w, int h) {
  return cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
}

// Layer 3: the opaque far sky with faint streaks of high cloud.
void SkyLayer(const Output& out) {
  cairo_surface_t* strip = NewStrip(kSkyPeriod, kScreenH);
  cairo_t* cr = cairo_create(strip);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, kScreenH);
  AddStop(g, 0, Hex(0x2f6cc8));
  AddStop(g, 0.42, Hex(0x74ade6));
  AddStop(g, 0.72, Hex(0xb4daf4));
  AddStop(g, 1, Hex(0xe4f3fb));
  cairo_set_source(cr, g);
  cairo_paint(cr);
  cairo_pattern_destroy(g);

  DrawRandom rnd(3001);
  const int wisps = 16;
  for (int i = 0; i < wisps; ++i) {
    const double cx = (i + rnd.Uniform(0.1, 0.9)) * kSkyPeriod / wisps;
    const double cy = rnd.Uniform(70, 400);
    const double len = rnd.Uniform(220, 460);
    const int parts = rnd.Int(7, 13);
    std::vector<Puff> puffs;
    for (int k = 0; k < parts; ++k)
      puffs.push_back({cx + rnd.Uniform(-len / 2, len / 2), cy + rnd.Uniform(-14, 14),
                       rnd.Uniform(60, 130), rnd.Uniform(14, 30)});
    const double alpha = rnd.Uniform(0.1, 0.2) * (0.6 + cy / 800);
    Wrapped(cx, len / 2 + 140, kSkyPeriod, [&](double x) {
      for (const Puff& p : puffs)
        SoftEllipse(cr, p.x - cx + x, p.y, p.rx, p.ry, Rgb{1, 1, 1}, alpha);
    });
  }
  cairo_destroy(cr);

  SheetCanvas sheet(kSkyRow0, 2 * kScreenH, 1, 2);
  CopyStripToRows(sheet, strip, {0, kSkyRow0}, {kSkyRow0, kSkyPeriod - kSkyRow0});
  cairo_surface_destroy(strip);
  sheet.Save(out, ImageEntry("Images\\bakgrund_lager03.png").file);
}

// A round tree crown on a short trunk, standing at (x, y).
void HillTree(cairo_t* cr, double x, double y, double r, Rgb leaf, double haze) {
  const Rgb trunk = Mix(Hex(0x6b4a2e), Hex(0x9cc3b4), haze);
  SetColor(cr, trunk);
  cairo_rectangle(cr, x - r * 0.16, y - r * 0.9, r * 0.32, r * 0.95);
  cairo_fill(cr);
  cairo_arc(cr, x, y - r * 1.5, r, 0, 2 * kPi);
  SetColor(cr, leaf);
  cairo_fill(cr);
  cairo_arc(cr, x - r * 0.3, y - r * 1.8, r * 0.45, 0, 2 * kPi);
  SetColor(cr, Mix(leaf, Rgb{1, 1, 0.8}, 0.25));
  cairo_fill(cr);
}

void HillHouse(cairo_t* cr, double x, double y, double s) {
  SetColor(cr, Hex(0xf2e6cf));
  cairo_rectangle(cr, x - 9 * s, y - 12 * s, 18 * s, 14 * s);
  cairo_fill(cr);
  cairo_move_to(cr, x - 11 * s, y - 11 * s);
  cairo_line_to(cr, x, y - 21 * s);
  cairo_line_to(cr, x + 11 * s, y - 11 * s);
  cairo_close_path(cr);
  SetColor(cr, Hex(0xc0463a));
  cairo_fill(cr);
  SetColor(cr, Hex(0x4a5a70));
  cairo_rectangle(cr, x - 2 * s, y - 7 * s, 4 * s, 5 * s);
  cairo_fill(cr);
}

// Layer 2: two ranges of rolling hills over a transparent sky, low on the screen.
void HillLayer(const Output& out) {
  const double P = kHillPeriod;
  const std::vector<Wave> far = {{3, 24, 0.7}, {7, 14, 2.1}, {17, 6, 4.0}, {41, 2.5, 1.3}};
  const std::vector<Wave> near = {{5, 20, 1.9}, {11, 12, 0.4}, {23, 5, 3.3}, {53, 1.5, 0.2}};
  SheetCanvas sheet(kHillPeriod, 2 * kScreenH, 1, 2);
  sheet.DrawFrame(0, 0, [&](cairo_t* cr) {
    auto range = [&](const std::vector<Wave>& waves, double base, Rgb top, Rgb bottom, Rgb edge) {
      cairo_new_path(cr);
      cairo_move_to(cr, -2, kScreenH);
      for (double x = -2; x <= P + 2; x += 3) cairo_line_to(cr, x, Ridge(x, base, waves, P));
      cairo_line_to(cr, P + 2, kScreenH);
      cairo_close_path(cr);
      cairo_pattern_t* g = cairo_pattern_create_linear(0, base - 40, 0, base + 160);
      AddStop(g, 0, top);
      AddStop(g, 1, bottom);
      cairo_set_source(cr, g);
      cairo_fill(cr);
      cairo_pattern_destroy(g);
      cairo_new_path(cr);
      for (double x = -2; x <= P + 2; x += 3) cairo_line_to(cr, x, Ridge(x, base, waves, P));
      cairo_set_line_width(cr, 2.5);
      SetColor(cr, edge, 0.7);
      cairo_stroke(cr);
    };
    DrawRandom rnd(3002);
    range(far, 452, Hex(0xa9cdbf), Hex(0x86b79a), Hex(0xc9e2d6));
    // Hazy trees along the far ridge.
    for (double x = rnd.Uniform(0, 60); x < P; x += rnd.Uniform(25, 110)) {
      const double r = rnd.Uniform(4, 7);
      Wrapped(x, 10, P, [&](double px) {
        HillTree(cr, px, Ridge(px, 452, far, P) + 3, r, Hex(0x79a58c), 0.6);
      });
    }
    range(near, 532, Hex(0x7cc25a), Hex(0x3f8a3a), Hex(0x4f9440));
    // Lighter fields on the near hills.
    for (int i = 0; i < 14; ++i) {
      const double x = (i + rnd.Uniform(0.1, 0.9)) * P / 14;
      const double w = rnd.Uniform(90, 200), depth = rnd.Uniform(22, 40);
      Wrapped(x, w, P, [&](double px) {
        cairo_save(cr);
        cairo_new_path(cr);
        const double y = Ridge(px, 532, near, P) + depth;
        cairo_translate(cr, px, y);
        cairo_scale(cr, w, 12);
        cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
        cairo_restore(cr);
        SetColor(cr, Hex(0xb9d866), 0.35);
        cairo_fill(cr);
      });
    }
    for (double x = rnd.Uniform(0, 80); x < P; x += rnd.Uniform(40, 170)) {
      const double r = rnd.Uniform(7, 13);
      const int group = rnd.Int(1, 3);
      std::vector<double> dx;
      for (int k = 0; k < group; ++k) dx.push_back(k * r * 1.3 + rnd.Uniform(-2, 2));
      Wrapped(x, 50, P, [&](double px) {
        for (double d : dx)
          HillTree(cr, px + d, Ridge(px + d, 532, near, P) + 6, r, Hex(0x2f7434), 0);
      });
    }
    for (int i = 0; i < 5; ++i) {
      const double x = (i + rnd.Uniform(0.2, 0.8)) * P / 5;
      Wrapped(x, 30, P, [&](double px) { HillHouse(cr, px, Ridge(px, 532, near, P) + 8, 1.1); });
    }
  });
  sheet.Save(out, ImageEntry("Images\\bakgrund_lager02.png").file);
}

// Layer 1: soft white clouds drifting in front of the hills and the sun.
void CloudLayer(const Output& out) {
  const int P = kCloudRow0 + kCloudRow1;
  cairo_surface_t* strip = NewStrip(P, kScreenH);
  cairo_t* cr = cairo_create(strip);
  DrawRandom rnd(3003);
  const int clouds = 15;
  for (int i = 0; i < clouds; ++i) {
    const double cx = (i + rnd.Uniform(0.15, 0.85)) * P / clouds;
    const double cy = rnd.Uniform(60, 300);
    const double w = rnd.Uniform(200, 400), h = w * rnd.Uniform(0.3, 0.42);
    const CloudShape shape = MakeCloud(0, 0, w, h, rnd.Int(4, 6), rnd);
    Wrapped(cx, w, P, [&](double x) {
      cairo_save(cr);
      cairo_translate(cr, x, cy);
      // A soft haze round a body without outline, so that these clouds stay
      // behind the outlined clouds of the game.
      for (const Puff& p : shape)
        SoftEllipse(cr, p.x, p.y, p.rx * 1.35, p.ry * 1.35, Rgb{1, 1, 1}, 0.3);
      DrawCloud(cr, shape, {Hex(0xffffff), Hex(0xd4e0f0), Rgb{1, 1, 1}, 0, 0.0, 0.82});
      for (const Puff& p : shape)
        if (p.y < 0)
          SoftEllipse(cr, p.x - p.rx * 0.25, p.y - p.ry * 0.25, p.rx * 0.5, p.ry * 0.5,
                      Rgb{1, 1, 1}, 0.45);
      cairo_restore(cr);
    });
  }
  cairo_destroy(cr);
  SheetCanvas sheet(kCloudRow0, 2 * kScreenH, 1, 2);
  CopyStripToRows(sheet, strip, {0, kCloudRow0}, {kCloudRow0, kCloudRow1});
  cairo_surface_destroy(strip);
  sheet.Save(out, ImageEntry("Images\\bakgrund_lager01.png").file);
}

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

void GenerateSceneryImages(const Output& out) {
  SkyLayer(out);
  HillLayer(out);
  CloudLayer(out);
  Sun(out);
  DarkSky(out);
  RedGlow(out);
  Grass(out);
}
