// The lightning bolt picture: two frames, each a jagged bolt with a white-
// yellow core in a blue glow. The bolt hangs from the frame's top-left area
// and its main channel stays within x = 20..80, the part the game tests for
// strikes, down to the frame's bottom edge; side branches are only for show.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/datagen/pictures/characters/CharacterParts.h"
#include "tools/datagen/pictures/paint/Paint.h"

using namespace paint;

namespace {

constexpr int kFrameW = 160, kFrameH = 320;

struct Point {
  double x, y;
};

// Midpoint displacement between two points, x kept inside [minX, maxX].
void Jag(std::vector<Point>& pts, Point a, Point b, double spread, int depth, DrawRandom& rnd,
         double minX, double maxX) {
  if (depth == 0) {
    pts.push_back(b);
    return;
  }
  Point m{(a.x + b.x) / 2 + rnd.Uniform(-spread, spread), (a.y + b.y) / 2 + rnd.Uniform(-4, 4)};
  m.x = std::clamp(m.x, minX, maxX);
  Jag(pts, a, m, spread * 0.55, depth - 1, rnd, minX, maxX);
  Jag(pts, m, b, spread * 0.55, depth - 1, rnd, minX, maxX);
}

void StrokeBolt(cairo_t* cr, const std::vector<Point>& pts, double scale, double alpha) {
  struct Pass {
    double width;
    Rgb color;
    double alpha;
  };
  const Pass passes[4] = {{20, Hex(0x2F6BFF), 0.12},
                          {10, Hex(0x5FA8FF), 0.32},
                          {5, Hex(0xAEE0FF), 0.8},
                          {2.2, Hex(0xFFFDE8), 1.0}};
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (const Pass& p : passes) {
    cairo_move_to(cr, pts[0].x, pts[0].y);
    for (size_t i = 1; i < pts.size(); ++i) cairo_line_to(cr, pts[i].x, pts[i].y);
    SetColor(cr, p.color, p.alpha * alpha);
    cairo_set_line_width(cr, std::max(1.0, p.width * scale));
    cairo_stroke(cr);
  }
}

void PaintBolt(cairo_t* cr, uint32_t seed, double alpha) {
  DrawRandom rnd(seed);
  const Point top{rnd.Uniform(40, 56), -4}, foot{rnd.Uniform(42, 58), kFrameH + 4.0};
  std::vector<Point> main{top};
  Jag(main, top, foot, 26, 6, rnd, 24, 76);
  PaintGlow(cr, top.x, 8, 55, Hex(0x8CC8FF), 0.45 * alpha);
  PaintGlow(cr, foot.x, kFrameH - 6, 45, Hex(0xCFE8FF), 0.5 * alpha);
  // Branches fork off the main channel and die out on the way down.
  for (int i = 0; i < 4; ++i) {
    const Point from = main[static_cast<size_t>(rnd.Int(6, static_cast<int>(main.size()) - 20))];
    const double side = (i % 2 == 0) ? 1 : -1;
    const Point to{std::clamp(from.x + side * rnd.Uniform(25, 80), 6.0, kFrameW - 6.0),
                   from.y + rnd.Uniform(40, 90)};
    std::vector<Point> branch{from};
    Jag(branch, from, to, 14, 4, rnd, 4, kFrameW - 4);
    StrokeBolt(cr, branch, 0.5, alpha * 0.85);
  }
  StrokeBolt(cr, main, 1.0, alpha);
}

}  // namespace

void GenerateBoltImage(const Output& out) {
  MakeSheet(out, image::kBolt, kFrameW, kFrameH, [](cairo_t* cr, int col, int) {
    // Column 1 shows while the flash dims; column 0 is the last glimpse.
    if (col == 1)
      PaintBolt(cr, 23, 1.0);
    else
      PaintBolt(cr, 11, 0.8);
  });
}
