// Small Cairo painting kit shared by the picture generators: colours, shape
// paths, gradient fills, soft outlines, outlined blobs made of circles, and
// the effects many pictures need (flames, smoke, glows, drops, sparks).
// Every painter is a pure function of its arguments (and of the EdgeFence on
// the context, if any), so frames redraw exactly.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
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

// Keeps the effects below (glows, flames, smoke, sparks, zaps) off the edges
// of the frame being drawn on cr, for as long as the fence lives: they fade
// out over `feather` pixels and are gone 3 pixels before the frame's left,
// right and top edges, and the bottom one too if `bottom` is set (otherwise
// that is the ground, where things may stand). Without it a glow would end in
// a straight cut where the game draws the frame. The frame is w x h in the
// user space current when the fence is made; mirroring or turning the canvas
// afterwards does not move it.
class EdgeFence {
 public:
  EdgeFence(cairo_t* cr, double w, double h, double feather, bool bottom = false);
  EdgeFence(const EdgeFence&) = delete;
  EdgeFence& operator=(const EdgeFence&) = delete;
  ~EdgeFence();

  // Paints what draw() paints through the fence's fading edges; marks that
  // stay within the user-space box (x0, y0)-(x1, y1), far enough from the
  // edges, are painted directly.
  void Paint(double x0, double y0, double x1, double y1, const std::function<void()>& draw);

 private:
  bool Clear(double x0, double y0, double x1, double y1) const;

  cairo_t* cr_;
  cairo_matrix_t frame_;  // frame coordinates to device pixels
  double w_, h_, inset_;  // inset: where the fade is complete
  bool bottom_, busy_ = false;
  cairo_surface_t* mask_;
};

// Paints an effect of the caller's own through the fence on cr, if any.
void FencedEffect(cairo_t* cr, double x0, double y0, double x1, double y1,
                  const std::function<void()>& draw);

// Radial light that fades to nothing; the second one in an ellipse.
void PaintGlow(cairo_t* cr, double x, double y, double r, Rgb c, double alpha);
void PaintGlow(cairo_t* cr, double x, double y, double rx, double ry, Rgb c, double alpha);

// A bunch of flame tongues standing on baseY, centred on cx, w wide and up to
// h tall, in a glow about as wide as the fire. phase 0..1 loops seamlessly;
// seed varies the tongues; intensity scales height and opacity (0 nothing,
// 1 full fire).
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
