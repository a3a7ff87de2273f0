// Small Cairo painting kit shared by the picture generators: colours, shape
// paths, gradient fills, soft outlines, outlined blobs made of circles, and
// the effects many pictures need (flames, smoke, glows, drops, sparks).
// Every painter is a pure function of its arguments, so frames redraw exactly.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <vector>

namespace paint {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTau = 2 * kPi;

struct Rgb {
  double r, g, b;
};

// 0xRRGGBB to a colour.
constexpr Rgb Hex(uint32_t hex) {
  return Rgb{((hex >> 16) & 0xFF) / 255.0, ((hex >> 8) & 0xFF) / 255.0, (hex & 0xFF) / 255.0};
}

double Clamp01(double v);
double Lerp(double a, double b, double t);
double SmoothStep(double t);  // 0..1 eased, clamped
Rgb Mix(Rgb a, Rgb b, double t);
Rgb Shade(Rgb c, double factor);  // < 1 darkens, > 1 lightens towards white
Rgb Desaturate(Rgb c, double amount);

void SetColor(cairo_t* cr, Rgb c, double alpha = 1.0);

// Paths (they do not fill or stroke).
void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry);
void RoundRectPath(cairo_t* cr, double x, double y, double w, double h, double r);

// Fills the current path with a top-to-bottom or a radial gradient.
void FillVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom, double alpha = 1.0,
                  bool preserve = false);
void FillRadial(cairo_t* cr, double cx, double cy, double r, Rgb inner, Rgb outer,
                double alpha = 1.0, bool preserve = false);

// The soft cartoon outline: a semi-transparent dark line with round joins.
struct Ink {
  Rgb color;
  double width;
  double alpha;
};
void StrokeInk(cairo_t* cr, const Ink& ink, bool preserve = false);

// A thick round-capped line drawn over a slightly wider outline (limbs, poles).
void Limb(cairo_t* cr, const std::vector<double>& xy, double width, Rgb color, const Ink& ink);

// A shape made of overlapping circles (clouds, wool, tree crowns): the outline
// surrounds the union only. fill may be null, then `flat` is used.
struct Circle {
  double x, y, r;
};
void BlobPath(cairo_t* cr, const std::vector<Circle>& circles);
void PaintBlob(cairo_t* cr, const std::vector<Circle>& circles, cairo_pattern_t* fill, Rgb flat,
               const Ink& ink, double alpha = 1.0);

// Radial light that fades to nothing.
void PaintGlow(cairo_t* cr, double x, double y, double r, Rgb c, double alpha);

// A bunch of flame tongues standing on baseY, centred on cx, w wide and up to
// h tall. phase 0..1 loops seamlessly; seed varies the tongues; intensity
// scales height and opacity (0 nothing, 1 full fire).
void PaintFlames(cairo_t* cr, double cx, double baseY, double w, double h, double phase,
                 uint32_t seed, double intensity = 1.0);

// Soft smoke puffs rising from (x, baseY) over height h; phase loops.
void PaintSmoke(cairo_t* cr, double x, double baseY, double w, double h, double phase,
                uint32_t seed, Rgb color, double alpha);

// One falling water drop, tip up, about `size` tall.
void PaintDrop(cairo_t* cr, double x, double y, double size, double alpha = 1.0);

// A four-pointed twinkle.
void PaintSpark(cairo_t* cr, double x, double y, double r, Rgb c, double alpha = 1.0);

// A jagged electric arc from (x0, y0) to (x1, y1), glowing in `glow`.
void PaintZap(cairo_t* cr, double x0, double y0, double x1, double y1, double jag, uint32_t seed,
              Rgb glow, double width, double alpha = 1.0);

}  // namespace paint
