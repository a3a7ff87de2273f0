// The three sky layers behind the play field: the far sky (layer 3), the
// hills (layer 2) and the near clouds (layer 1). Each is drawn as one periodic
// strip and cut into the sheet rows the scenery draws, so every wrap point of
// the scrolling joins without a seam. The sun, the storm overlays and the
// grass come from their own files.
#include <cairo.h>

#include <cmath>
#include <vector>

#include "tools/datagen/pictures/world/SceneryParts.h"
#include "tools/datagen/pictures/paint/WorldPaint.h"
#include "tools/datagen/pictures/world/WorldParts.h"

using namespace worldpaint;
using namespace scenery;

namespace {

constexpr int kSkyPeriod = 5671;  // layer 3 drawn at 0, 3999 and 5671
constexpr int kSkyRow0 = 3999;
constexpr int kHillPeriod = 4246;  // layer 2 drawn at 0 and 4246
constexpr int kCloudRow0 = 7087;   // layer 1 widths A and B
constexpr int kCloudRow1 = 3088;

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
}  // namespace

void GenerateSceneryImages(const Output& out) {
  SkyLayer(out);
  HillLayer(out);
  CloudLayer(out);
  GenerateSunImage(out);
  GenerateStormImages(out);
  GenerateGrassImage(out);
}
