// The lightning bolt picture: two frames, each a jagged bolt with a white-
// yellow core in a blue glow. The bolt hangs from the frame's top-left area
// and its main channel stays within x = 20..80, the part the game tests for
// strikes, down to near the frame's bottom, where it tapers to a point; side
// branches are only for show. The top lies behind the cloud, and everything
// fades out before the frame's edges.
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

// Strokes the channel in four passes from the wide glow to the core; the
// last `taper` of its points narrow down to a point.
void StrokeBolt(cairo_t* cr, const std::vector<Point>& pts, double scale, double alpha,
                double taper) {
  struct Pass {
    double width;
    Rgb color;
    double alpha;
  };
  const Pass passes[4] = {{20, Hex(0x2F6BFF), 0.12},
                          {10, Hex(0x5FA8FF), 0.32},
                          {5, Hex(0xAEE0FF), 0.8},
                          {2.2, Hex(0xFFFDE8), 1.0}};
  double x0 = pts[0].x, x1 = x0, y0 = pts[0].y, y1 = y0;
  for (const Point& p : pts) {
    x0 = std::min(x0, p.x), x1 = std::max(x1, p.x), y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
  }
  const double m = passes[0].width * scale;
  FencedEffect(cr, x0 - m, y0 - m, x1 + m, y1 + m, [&] {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    const double n = static_cast<double>(pts.size() - 1);
    for (const Pass& p : passes) {
      // Segment by segment, each narrower than the last near the end; drawn
      // opaque in a group so that the round caps do not show where they overlap.
      cairo_push_group(cr);
      SetColor(cr, p.color);
      for (size_t i = 1; i < pts.size(); ++i) {
        const double left = (n - i + 0.5) / n;  // of the channel, at this segment
        const double w = std::max(1.0, p.width * scale) * Lerp(0.15, 1, Clamp01(left / taper));
        cairo_move_to(cr, pts[i - 1].x, pts[i - 1].y);
        cairo_line_to(cr, pts[i].x, pts[i].y);
        cairo_set_line_width(cr, w);
        cairo_stroke(cr);
      }
      cairo_pop_group_to_source(cr);
      cairo_paint_with_alpha(cr, p.alpha * alpha);
    }
  });
}

void PaintBolt(cairo_t* cr, uint32_t seed, double alpha) {
  DrawRandom rnd(seed);
  const Point top{rnd.Uniform(40, 56), -4}, foot{rnd.Uniform(42, 58), kFrameH - 10.0};
  std::vector<Point> main{top};
  Jag(main, top, foot, 26, 6, rnd, 24, 76);
  PaintGlow(cr, top.x, 8, 55, Hex(0x8CC8FF), 0.45 * alpha);
  PaintGlow(cr, foot.x, foot.y - 80, 30, 90, Hex(0xCFE8FF), 0.3 * alpha);
  // Branches fork off the main channel and die out on the way down.
  for (int i = 0; i < 4; ++i) {
    const Point from = main[static_cast<size_t>(rnd.Int(6, static_cast<int>(main.size()) - 20))];
    const double side = (i % 2 == 0) ? 1 : -1;
    const Point to{std::clamp(from.x + side * rnd.Uniform(25, 80), 6.0, kFrameW - 6.0),
                   from.y + rnd.Uniform(40, 90)};
    std::vector<Point> branch{from};
    Jag(branch, from, to, 14, 4, rnd, 4, kFrameW - 4);
    StrokeBolt(cr, branch, 0.5, alpha * 0.85, 1.0);
  }
  StrokeBolt(cr, main, 1.0, alpha, 0.4);
}

}  // namespace

void GenerateBoltImage(const Output& out) {
  MakeSheet(out, image::kBolt, kFrameW, kFrameH, [](cairo_t* cr, int col, int) {
    EdgeFence fence(cr, kFrameW, kFrameH, 24, true);
    // Column 1 shows while the flash dims; column 0 is the last glimpse.
    if (col == 1)
      PaintBolt(cr, 23, 1.0);
    else
      PaintBolt(cr, 11, 0.8);
  });
}
