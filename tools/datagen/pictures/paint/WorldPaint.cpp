// Drawing helpers shared by the scenery, world-object and interface pictures.
// Clouds are unions of ellipses, outlined by filling a grown copy underneath;
// shading uses masks made from shifted copies of the same shape.
#include "tools/datagen/pictures/paint/WorldPaint.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace worldpaint {

const ImageFile& ImageEntry(const char* file) {
  for (const ImageFile& entry : kImageFiles)
    if (std::strcmp(entry.file, file) == 0) return entry;
  if (std::strcmp(kCreditsImage.file, file) == 0) return kCreditsImage;
  throw std::runtime_error(std::string("no image table row for ") + file);
}

Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

void SetColor(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void AddStop(cairo_pattern_t* p, double offset, Rgb c, double alpha) {
  cairo_pattern_add_color_stop_rgba(p, offset, c.r, c.g, c.b, alpha);
}

CloudShape MakeCloud(double cx, double cy, double w, double h, int bumps, DrawRandom& rnd) {
  CloudShape c;
  // Bottom row: wide flat puffs that make the cloud's base.
  const int base = std::max(2, bumps - 1);
  for (int i = 0; i < base; ++i) {
    const double t = (i + 0.5) / base;
    c.push_back({t * 1.0, 0.78, 0.62 / base + 0.08, 0.22 * rnd.Uniform(0.9, 1.1)});
  }
  // Top row: round puffs, biggest in the middle, forming a dome.
  for (int i = 0; i < bumps; ++i) {
    const double t = (i + 0.5) / bumps;
    const double dome = std::sin(kPi * (0.15 + 0.7 * t));
    const double r = (0.2 + 0.22 * dome) * rnd.Uniform(0.88, 1.12);
    const double lift = (i % 2 ? 0.04 : -0.03) * dome;
    c.push_back(
        {0.08 + 0.84 * t + rnd.Uniform(-0.02, 0.02), 0.62 - 0.25 * dome - lift, r * 0.52, r});
  }
  // Fill the middle so no gap opens between the rows.
  c.push_back({0.5, 0.6, 0.42, 0.3});
  // Fit the union's bounding box exactly onto the requested box.
  double x0 = 1e9, x1 = -1e9, y0 = 1e9, y1 = -1e9;
  for (const Puff& p : c) {
    x0 = std::min(x0, p.x - p.rx);
    x1 = std::max(x1, p.x + p.rx);
    y0 = std::min(y0, p.y - p.ry);
    y1 = std::max(y1, p.y + p.ry);
  }
  const double sx = w / (x1 - x0), sy = h / (y1 - y0);
  for (Puff& p : c) {
    p.x = cx - w / 2 + (p.x - x0) * sx;
    p.y = cy - h / 2 + (p.y - y0) * sy;
    p.rx *= sx;
    p.ry *= sy;
  }
  return c;
}

CloudShape ScaleCloud(const CloudShape& c, double cx, double cy, double sx, double sy) {
  CloudShape out = c;
  for (Puff& p : out) {
    p.x = cx + (p.x - cx) * sx;
    p.y = cy + (p.y - cy) * sy;
    p.rx *= sx;
    p.ry *= sy;
  }
  return out;
}

void CloudPath(cairo_t* cr, const CloudShape& c, double grow) {
  for (const Puff& p : c) {
    cairo_save(cr);
    cairo_translate(cr, p.x, p.y);
    cairo_scale(cr, std::max(0.1, p.rx + grow), std::max(0.1, p.ry + grow));
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
  }
}

namespace {

void Bounds(const CloudShape& c, double& x0, double& y0, double& x1, double& y1) {
  x0 = y0 = 1e9;
  x1 = y1 = -1e9;
  for (const Puff& p : c) {
    x0 = std::min(x0, p.x - p.rx);
    x1 = std::max(x1, p.x + p.rx);
    y0 = std::min(y0, p.y - p.ry);
    y1 = std::max(y1, p.y + p.ry);
  }
}

// Paints colour over the part of the cloud that its copy shifted by (dx, dy)
// does not cover: a rim along one side of the cloud.
void Rim(cairo_t* cr, const CloudShape& c, double dx, double dy, Rgb color, double alpha) {
  cairo_push_group(cr);
  CloudPath(cr, c);
  cairo_set_source_rgba(cr, 0, 0, 0, 1);
  cairo_fill(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
  cairo_save(cr);
  cairo_translate(cr, dx, dy);
  CloudPath(cr, c);
  cairo_restore(cr);
  cairo_fill(cr);
  cairo_pattern_t* mask = cairo_pop_group(cr);
  SetColor(cr, color, alpha);
  cairo_mask(cr, mask);
  cairo_pattern_destroy(mask);
}

}  // namespace

void DrawCloud(cairo_t* cr, const CloudShape& c, const CloudStyle& s) {
  double x0, y0, x1, y1;
  Bounds(c, x0, y0, x1, y1);
  const double h = y1 - y0;
  cairo_save(cr);
  // Keeps the shading groups below as small as the cloud.
  const double m = s.outlineWidth + 2;
  cairo_rectangle(cr, x0 - m, y0 - m, x1 - x0 + 2 * m, y1 - y0 + 2 * m);
  cairo_clip(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  if (s.outlineWidth > 0) {
    CloudPath(cr, c, s.outlineWidth);
    SetColor(cr, s.outline, s.alpha);
    cairo_fill(cr);
  }
  cairo_pattern_t* body = cairo_pattern_create_linear(0, y0, 0, y1);
  AddStop(body, 0, s.top, s.alpha);
  AddStop(body, 1, s.bottom, s.alpha);
  CloudPath(cr, c);
  cairo_set_source(cr, body);
  cairo_fill(cr);
  cairo_pattern_destroy(body);
  // Shade along the bottom, light along the top left.
  Rim(cr, c, 0, -h * 0.14, Mix(s.bottom, Rgb{0, 0, 0.1}, 0.25), 0.45 * s.alpha);
  if (s.highlight > 0) Rim(cr, c, h * 0.05, h * 0.09, Rgb{1, 1, 1}, s.highlight * s.alpha);
  cairo_restore(cr);
}

void SoftDisc(cairo_t* cr, double x, double y, double r, Rgb c, double alpha) {
  cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, r);
  AddStop(p, 0, c, alpha);
  AddStop(p, 0.45, c, alpha * 0.8);
  AddStop(p, 1, c, 0);
  cairo_set_source(cr, p);
  cairo_arc(cr, x, y, r, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void SoftEllipse(cairo_t* cr, double x, double y, double rx, double ry, Rgb c, double alpha) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, rx / ry, 1.0);
  SoftDisc(cr, 0, 0, ry, c, alpha);
  cairo_restore(cr);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min({r, w / 2, h / 2});
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
  cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
  cairo_arc(cr, x + r, y + r, r, kPi, 1.5 * kPi);
  cairo_close_path(cr);
}

void BoltPath(cairo_t* cr, double x, double y, double w, double h) {
  static const double pts[][2] = {{0.58, 0.0}, {0.12, 0.56}, {0.44, 0.56}, {0.26, 1.0},
                                  {0.9, 0.38}, {0.56, 0.38}, {0.82, 0.0}};
  cairo_new_sub_path(cr);
  for (const auto& p : pts) cairo_line_to(cr, x + p[0] * w, y + p[1] * h);
  cairo_close_path(cr);
}

namespace {
void SelectFont(cairo_t* cr, double size) {
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, size);
}
}  // namespace

double TextWidth(cairo_t* cr, const std::string& text, double size) {
  SelectFont(cr, size);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  return e.x_advance;
}

void TextPath(cairo_t* cr, const std::string& text, double size, double x, double y, int align) {
  const double w = TextWidth(cr, text, size);
  const double left = align == 1 ? x - w / 2 : align == 2 ? x - w : x;
  cairo_move_to(cr, left, y);
  cairo_text_path(cr, text.c_str());
}

void OutlinedText(cairo_t* cr, const std::string& text, double size, double x, double y, int align,
                  Rgb fill, Rgb outline, double outlineWidth) {
  cairo_save(cr);
  cairo_new_path(cr);
  TextPath(cr, text, size, x, y, align);
  if (outlineWidth > 0) {
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, outlineWidth * 2);
    SetColor(cr, outline);
    cairo_stroke_preserve(cr);
  }
  SetColor(cr, fill);
  cairo_fill(cr);
  cairo_restore(cr);
}

void CopyStripToRows(SheetCanvas& sheet, cairo_surface_t* strip, const std::vector<int>& starts,
                     const std::vector<int>& lengths) {
  const int fh = sheet.frameHeight();
  sheet.DrawAll([&](cairo_t* cr) {
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    for (size_t r = 0; r < starts.size(); ++r) {
      cairo_save(cr);
      cairo_rectangle(cr, 0, r * fh, lengths[r], fh);
      cairo_clip(cr);
      cairo_set_source_surface(cr, strip, -starts[r], static_cast<double>(r * fh));
      cairo_paint(cr);
      cairo_restore(cr);
    }
  });
}

}  // namespace worldpaint
