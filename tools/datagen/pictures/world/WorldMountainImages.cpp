// The two mountains. A mountain stops clouds with a shape made of right
// triangles and rectangles, so its rock is painted exactly over the union of
// those pieces (transparent elsewhere): what the player sees is what pushes.
// Inside the shape: rock gradient, strata and boulders, grassy foot, snow cap,
// a shadowed right face and an outline that follows the union's edge.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/datagen/pictures/paint/WorldPaint.h"
#include "tools/datagen/pictures/world/WorldParts.h"

using namespace worldpaint;

namespace {

struct Pt {
  double x, y;
};
using Polygon = std::vector<Pt>;

Polygon Tri(Pt a, Pt b, Pt c) { return {a, b, c}; }
Polygon Box(double x0, double y0, double x1, double y1) {
  return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

struct MountainArt {
  const char* file;
  int w, h;
  std::vector<Polygon> solid;
  double peakX, top, bottom;  // where the summit is and how far the rock reaches
  double snowDepth;
  uint32_t seed;
};

// All pieces as sub-paths of one orientation, so a winding fill is their union.
void UnionPath(cairo_t* cr, const std::vector<Polygon>& solid) {
  for (const Polygon& poly : solid) {
    double area = 0;
    for (size_t i = 0; i < poly.size(); ++i) {
      const Pt& a = poly[i];
      const Pt& b = poly[(i + 1) % poly.size()];
      area += a.x * b.y - b.x * a.y;
    }
    cairo_new_sub_path(cr);
    if (area > 0)
      for (const Pt& p : poly) cairo_line_to(cr, p.x, p.y);
    else
      for (auto it = poly.rbegin(); it != poly.rend(); ++it) cairo_line_to(cr, it->x, it->y);
    cairo_close_path(cr);
  }
}

cairo_surface_t* Mask(int w, int h, const std::vector<Polygon>& solid) {
  cairo_surface_t* m = cairo_image_surface_create(CAIRO_FORMAT_A8, w, h);
  cairo_t* cr = cairo_create(m);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  UnionPath(cr, solid);
  cairo_set_source_rgba(cr, 0, 0, 0, 1);
  cairo_fill(cr);
  cairo_destroy(cr);
  return m;
}

// The part of the mask that is not covered by every one of its shifted copies:
// a band along the edges that face away from the shifts.
cairo_surface_t* Edge(cairo_surface_t* mask, const std::vector<Pt>& shifts) {
  const int w = cairo_image_surface_get_width(mask), h = cairo_image_surface_get_height(mask);
  cairo_surface_t* inner = cairo_image_surface_create(CAIRO_FORMAT_A8, w, h);
  cairo_t* cr = cairo_create(inner);
  cairo_set_source_surface(cr, mask, 0, 0);
  cairo_paint(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_DEST_IN);
  for (const Pt& s : shifts) {
    cairo_set_source_surface(cr, mask, s.x, s.y);
    cairo_paint(cr);
  }
  cairo_destroy(cr);
  cairo_surface_t* edge = cairo_image_surface_create(CAIRO_FORMAT_A8, w, h);
  cr = cairo_create(edge);
  cairo_set_source_surface(cr, mask, 0, 0);
  cairo_paint(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
  cairo_set_source_surface(cr, inner, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_destroy(inner);
  return edge;
}

void PaintThrough(cairo_t* cr, cairo_surface_t* mask, Rgb c, double alpha) {
  SetColor(cr, c, alpha);
  cairo_mask_surface(cr, mask, 0, 0);
}

// A lumpy boulder outline around (x, y).
void Boulder(cairo_t* cr, double x, double y, double r, DrawRandom& rnd) {
  const int n = 7;
  cairo_new_path(cr);
  for (int i = 0; i < n; ++i) {
    const double a = 2 * kPi * i / n;
    const double rr = r * rnd.Uniform(0.75, 1.1);
    cairo_line_to(cr, x + std::cos(a) * rr * 1.3, y + std::sin(a) * rr * 0.85);
  }
  cairo_close_path(cr);
}

void PaintMountain(const Output& out, const MountainArt& art) {
  const ImageFile& entry = ImageEntry(art.file);
  SheetCanvas sheet = MakeCanvas(entry, art.w, art.h);
  // The masks reach below the picture so that the cut at its bottom edge is
  // not taken for an edge of the rock.
  const int mh = static_cast<int>(art.bottom) + 40;
  cairo_surface_t* mask = Mask(art.w, mh, art.solid);
  std::vector<Pt> ring;
  for (int i = 0; i < 12; ++i)
    ring.push_back({3.5 * std::cos(i * kPi / 6), 3.5 * std::sin(i * kPi / 6)});
  cairo_surface_t* outline = Edge(mask, ring);
  cairo_surface_t* rim = Edge(mask, {{6, 7}});
  cairo_surface_t* shade = Edge(mask, {{-9, -5}});

  sheet.DrawFrame(0, 0, [&](cairo_t* cr) {
    DrawRandom rnd(art.seed);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    UnionPath(cr, art.solid);
    cairo_clip(cr);
    const double height = art.bottom - art.top;

    // Rock body.
    cairo_pattern_t* g = cairo_pattern_create_linear(0, art.top, 0, art.bottom);
    AddStop(g, 0, Hex(0xa89d94));
    AddStop(g, 0.5, Hex(0x8a7f77));
    AddStop(g, 1, Hex(0x6a625c));
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
    // Strata: long soft bands following the slopes.
    for (int i = 0; i < 26; ++i) {
      const double y = art.top + rnd.Uniform(0.1, 1) * height;
      const double x = rnd.Uniform(0, art.w);
      const double len = rnd.Uniform(60, 180), tilt = rnd.Uniform(-0.35, 0.35);
      cairo_move_to(cr, x - len / 2, y - tilt * len / 2);
      cairo_curve_to(cr, x - len / 6, y + rnd.Uniform(-8, 8), x + len / 6, y + rnd.Uniform(-8, 8),
                     x + len / 2, y + tilt * len / 2);
      cairo_set_line_width(cr, rnd.Uniform(4, 10));
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      SetColor(cr, rnd.Uniform(0, 1) < 0.5 ? Hex(0x6e645d) : Hex(0xb8aea5), 0.35);
      cairo_stroke(cr);
    }
    // Cracks.
    for (int i = 0; i < 30; ++i) {
      double x = rnd.Uniform(0, art.w), y = art.top + rnd.Uniform(0.15, 1) * height;
      cairo_move_to(cr, x, y);
      for (int k = 0; k < 4; ++k) {
        x += rnd.Uniform(-8, 8);
        y += rnd.Uniform(5, 14);
        cairo_line_to(cr, x, y);
      }
      cairo_set_line_width(cr, 1.6);
      SetColor(cr, Hex(0x4a423c), 0.6);
      cairo_stroke(cr);
    }
    // Boulders with a lit top.
    for (int i = 0; i < 22; ++i) {
      const double x = rnd.Uniform(10, art.w - 10);
      const double y = art.top + rnd.Uniform(0.3, 0.95) * height;
      const double r = rnd.Uniform(6, 16);
      Boulder(cr, x, y, r, rnd);
      SetColor(cr, Hex(0x9b918a));
      cairo_fill_preserve(cr);
      cairo_set_line_width(cr, 2);
      SetColor(cr, Hex(0x4e4640), 0.8);
      cairo_stroke(cr);
      cairo_save(cr);
      cairo_translate(cr, x - r * 0.3, y - r * 0.3);
      cairo_scale(cr, r * 0.7, r * 0.35);
      cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
      cairo_restore(cr);
      SetColor(cr, Hex(0xd0c8c0), 0.6);
      cairo_fill(cr);
    }
    // Grassy foot with bushes along its top.
    const double footTop = art.bottom - height * 0.2;
    cairo_new_path(cr);
    cairo_move_to(cr, 0, art.bottom + 40);
    for (double x = 0; x <= art.w; x += 4)
      cairo_line_to(cr, x, footTop + 10 * std::sin(x / 37.0) + 6 * std::sin(x / 13.0 + 1));
    cairo_line_to(cr, art.w, art.bottom + 40);
    cairo_close_path(cr);
    g = cairo_pattern_create_linear(0, footTop - 10, 0, art.bottom);
    AddStop(g, 0, Hex(0x6aa84a));
    AddStop(g, 1, Hex(0x3e7a34));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    for (double x = rnd.Uniform(0, 20); x < art.w; x += rnd.Uniform(14, 30)) {
      const double y = footTop + 10 * std::sin(x / 37.0) + 6 * std::sin(x / 13.0 + 1);
      const double r = rnd.Uniform(6, 12);
      cairo_arc(cr, x, y, r, 0, 2 * kPi);
      SetColor(cr, Hex(0x4f8c3c));
      cairo_fill(cr);
      cairo_arc(cr, x - r * 0.3, y - r * 0.35, r * 0.45, 0, 2 * kPi);
      SetColor(cr, Hex(0x86c060));
      cairo_fill(cr);
    }
    // Snow cap with a scalloped lower edge, deepest under the summit.
    cairo_new_path(cr);
    cairo_move_to(cr, -10, art.top - 20);
    for (double x = -10; x <= art.w + 10; x += 3) {
      const double fall = std::max(0.0, 1 - std::fabs(x - art.peakX) / (art.w * 0.42));
      const double y = art.top + art.snowDepth * (0.25 + 0.75 * fall) +
                       9 * std::fabs(std::sin(x / 14.0)) * fall + 5 * std::sin(x / 5.3);
      cairo_line_to(cr, x, y);
    }
    cairo_line_to(cr, art.w + 10, art.top - 20);
    cairo_close_path(cr);
    g = cairo_pattern_create_linear(0, art.top, 0, art.top + art.snowDepth);
    AddStop(g, 0, Hex(0xffffff));
    AddStop(g, 1, Hex(0xdbe8f6));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // Shadowed right face: beyond a jagged line falling from the summit.
    cairo_new_path(cr);
    cairo_move_to(cr, art.peakX, art.top - 10);
    for (int i = 1; i <= 10; ++i) {
      const double t = i / 10.0;
      cairo_line_to(cr, art.peakX + t * art.w * 0.12 + rnd.Uniform(-10, 10),
                    art.top + t * (height + 20));
    }
    cairo_line_to(cr, art.w + 10, art.bottom + 40);
    cairo_line_to(cr, art.w + 10, art.top - 10);
    cairo_close_path(cr);
    SetColor(cr, Hex(0x28304a), 0.26);
    cairo_fill(cr);
    // Edge light and shade, then the outline along the union's edge.
    PaintThrough(cr, rim, Rgb{1, 1, 0.94}, 0.35);
    PaintThrough(cr, shade, Hex(0x202438), 0.3);
    PaintThrough(cr, outline, Hex(0x3a3230), 0.9);
  });
  cairo_surface_destroy(shade);
  cairo_surface_destroy(rim);
  cairo_surface_destroy(outline);
  cairo_surface_destroy(mask);
  sheet.Save(out, entry.file);
}

}  // namespace

void GenerateMountainImages(const Output& out) {
  // Small mountain. The strip x 96..99 between the first slope's upright side
  // and the body block is not solid, but no cloud fits into a 3 px slit, so
  // the rock closes it.
  MountainArt small{"Images\\berg_litet.png",
                    541,
                    400,
                    {Tri({1, 439}, {96, 439}, {96, 224}), Tri({96, 224}, {280, 224}, {280, 25}),
                     Tri({339, 29}, {339, 445}, {520, 445}), Box(278, 24, 339, 442),
                     Box(99, 223, 421, 459), Box(96, 224, 99, 439)},
                    308,
                    24,
                    459,
                    90,
                    5001};
  PaintMountain(out, small);
  MountainArt large{"Images\\berg_stort.png",
                    650,
                    600,
                    {Tri({33, 532}, {213, 532}, {213, 66}), Tri({213, 66}, {302, 66}, {302, 8}),
                     Tri({360, 8}, {360, 222}, {520, 222}), Tri({520, 222}, {520, 548}, {642, 548}),
                     Box(213, 360, 520, 548), Box(213, 222, 520, 360), Box(213, 66, 360, 222),
                     Box(302, 8, 360, 66)},
                    331,
                    8,
                    548,
                    130,
                    5002};
  PaintMountain(out, large);
}
