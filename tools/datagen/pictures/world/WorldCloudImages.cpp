// The energy clouds a player collects and the rain drop. Each energy cloud
// fills its frame, which is its collision box, and breathes over three frames
// (0, 1, 2 and back); the darker the cloud the more energy it holds, and the
// lightning cloud carries a crackling yellow bolt.
#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "tools/datagen/pictures/paint/WorldPaint.h"
#include "tools/datagen/pictures/world/WorldParts.h"

using namespace worldpaint;

namespace {

struct EnergyCloud {
  const char* file;
  int w, h;
  int bumps;
  CloudStyle style;
  bool lightning;
};

void DrawEnergyCloud(const Output& out, const EnergyCloud& kind, uint32_t seed) {
  const ImageFile& entry = ImageEntry(kind.file);
  SheetCanvas sheet = MakeCanvas(entry, kind.w, kind.h);
  const double ow = kind.style.outlineWidth;
  for (int f = 0; f < entry.framesX; ++f) {
    sheet.DrawFrame(f, 0, [&](cairo_t* cr) {
      DrawRandom rnd(seed);  // same shape in every frame, only its breath changes
      const double cx = kind.w / 2.0, cy = kind.h / 2.0;
      const CloudShape full =
          MakeCloud(cx, cy, kind.w - 2 * ow - 1, kind.h - 2 * ow - 1, kind.bumps, rnd);
      // Breathing: the last frame fills the box; earlier ones are a little
      // narrower and flatter, and the top puffs swell in turn.
      const double sx = 0.93 + 0.035 * f, sy = 0.9 + 0.05 * f;
      CloudShape shape = ScaleCloud(full, cx, kind.h - ow - 0.5, sx, sy);
      for (size_t i = 0; i < shape.size(); ++i) {
        const double swell = 1 + 0.04 * std::sin(f * 2.1 + i * 1.7);
        shape[i].rx *= swell;
        shape[i].ry *= swell;
      }
      // Keep the swollen puffs inside the frame.
      double x0 = 1e9, x1 = -1e9, y0 = 1e9, y1 = -1e9;
      for (const Puff& p : shape) {
        x0 = std::min(x0, p.x - p.rx);
        x1 = std::max(x1, p.x + p.rx);
        y0 = std::min(y0, p.y - p.ry);
        y1 = std::max(y1, p.y + p.ry);
      }
      const double fit =
          std::min({1.0, (kind.w - 2 * ow - 1) / (x1 - x0), (kind.h - 2 * ow - 1) / (y1 - y0)});
      shape = ScaleCloud(shape, cx, kind.h - ow - 0.5, fit, fit);
      if (kind.lightning) {
        // A glow behind the cloud, brightest when the bolt flashes.
        SoftDisc(cr, cx, cy + 8, kind.h * 0.7, Hex(0xfff080), 0.25 + 0.15 * f);
      }
      DrawCloud(cr, shape, kind.style);
      if (kind.lightning) {
        // The bolt hangs from the cloud's belly and flickers.
        const double bw = 30 + 4 * f, bh = kind.h * (0.62 + 0.08 * f);
        const double bx = cx - bw / 2 + (f - 1) * 6, by = kind.h - bh - 3;
        cairo_save(cr);
        cairo_new_path(cr);
        BoltPath(cr, bx, by, bw, bh);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_width(cr, 4);
        SetColor(cr, Hex(0x8a5200));
        cairo_stroke_preserve(cr);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, by, 0, by + bh);
        AddStop(g, 0, Hex(0xfffbe0));
        AddStop(g, 1, Hex(0xffc81e));
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        cairo_restore(cr);
        // Sparks around it.
        DrawRandom sparks(seed + 10 + f);
        for (int s = 0; s < 3 + f * 2; ++s) {
          const double x = sparks.Uniform(12, kind.w - 12), y = sparks.Uniform(10, kind.h - 10);
          SoftDisc(cr, x, y, sparks.Uniform(3, 6), Hex(0xfff4a0), 0.9);
        }
      }
    });
  }
  sheet.Save(out, entry.file);
}

// The rain drop: a small blue-white tear, drawn centred on its point.
void RainDrop(const Output& out) {
  const ImageFile& entry = ImageEntry("Images\\rain_solo_super_mini.png");
  SheetCanvas sheet = MakeCanvas(entry, 8, 14);
  sheet.DrawFrame(0, 0, [&](cairo_t* cr) {
    cairo_move_to(cr, 4, 0.3);
    cairo_curve_to(cr, 5.2, 3.5, 7.6, 6.5, 7.6, 9.6);
    cairo_arc(cr, 4, 9.9, 3.6, 0, kPi);
    cairo_curve_to(cr, 0.4, 6.5, 2.8, 3.5, 4, 0.3);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 14);
    AddStop(g, 0, Hex(0xd8ecff), 0.7);
    AddStop(g, 1, Hex(0x4f9ae8), 0.95);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 0.9);
    SetColor(cr, Hex(0x2c6cc0), 0.9);
    cairo_stroke(cr);
    cairo_arc(cr, 2.9, 9.2, 1.1, 0, 2 * kPi);
    SetColor(cr, Rgb{1, 1, 1}, 0.9);
    cairo_fill(cr);
  });
  sheet.Save(out, entry.file);
}

}  // namespace

void GenerateEnergyCloudImages(const Output& out) {
  const EnergyCloud kinds[] = {
      {"Images\\litet_energimoln.png",
       83,
       46,
       4,
       {Hex(0xffffff), Hex(0xd2d8e2), Hex(0x8a94a6), 2.0, 0.6, 1.0},
       false},
      {"Images\\mellan_energimoln.png",
       85,
       53,
       4,
       {Hex(0xdde1e8), Hex(0x9ea6b4), Hex(0x5c6474), 2.2, 0.4, 1.0},
       false},
      {"Images\\stort_energimoln.png",
       127,
       64,
       5,
       {Hex(0x9aa1ae), Hex(0x5e6572), Hex(0x30343e), 2.5, 0.25, 1.0},
       false},
      {"Images\\blixt_energimoln.png",
       127,
       64,
       5,
       {Hex(0x7a7c98), Hex(0x3e4058), Hex(0x22233a), 2.5, 0.25, 1.0},
       true},
  };
  uint32_t seed = 4001;
  for (const EnergyCloud& kind : kinds) DrawEnergyCloud(out, kind, seed++);
  RainDrop(out);
}
