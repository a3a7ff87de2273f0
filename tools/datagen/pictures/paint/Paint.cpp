// Shared Cairo painting kit: colours, paths, gradient fills, outlines, blobs
// and the recurring effects (flames, smoke, glows, drops, sparks, zaps).
// Randomness comes only from DrawRandom with the seed the caller passes.
#include "tools/datagen/pictures/paint/Paint.h"

#include <algorithm>
#include <cmath>

#include "tools/datagen/pictures/paint/Sheet.h"

namespace paint {

double Clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
double Lerp(double a, double b, double t) { return a + (b - a) * t; }
double SmoothStep(double t) {
  t = Clamp01(t);
  return t * t * (3 - 2 * t);
}

Rgb Mix(Rgb a, Rgb b, double t) {
  return {Lerp(a.r, b.r, t), Lerp(a.g, b.g, t), Lerp(a.b, b.b, t)};
}

Rgb Shade(Rgb c, double factor) {
  if (factor <= 1) return {c.r * factor, c.g * factor, c.b * factor};
  return Mix(c, Rgb{1, 1, 1}, Clamp01(factor - 1));
}

Rgb Desaturate(Rgb c, double amount) {
  const double grey = 0.3 * c.r + 0.59 * c.g + 0.11 * c.b;
  return Mix(c, Rgb{grey, grey, grey}, amount);
}

void SetColor(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry) {
  if (rx <= 0 || ry <= 0) return;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, kTau);
  cairo_close_path(cr);
  cairo_restore(cr);
}

void RoundRectPath(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min(r, std::min(w, h) / 2);
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
  cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
  cairo_arc(cr, x + r, y + r, r, kPi, 1.5 * kPi);
  cairo_close_path(cr);
}

// Fills the current path with a pattern, keeping the path when asked, and
// releases the pattern.
static void FillWith(cairo_t* cr, cairo_pattern_t* p, bool preserve) {
  cairo_set_source(cr, p);
  if (preserve)
    cairo_fill_preserve(cr);
  else
    cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void FillVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom, double alpha,
                  bool preserve) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, alpha);
  cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, alpha);
  FillWith(cr, p, preserve);
}

void FillRadial(cairo_t* cr, double cx, double cy, double r, Rgb inner, Rgb outer, double alpha,
                bool preserve) {
  cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, std::max(r, 0.5));
  cairo_pattern_add_color_stop_rgba(p, 0, inner.r, inner.g, inner.b, alpha);
  cairo_pattern_add_color_stop_rgba(p, 1, outer.r, outer.g, outer.b, alpha);
  FillWith(cr, p, preserve);
}

void StrokeInk(cairo_t* cr, const Ink& ink, bool preserve) {
  SetColor(cr, ink.color, ink.alpha);
  cairo_set_line_width(cr, ink.width);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  if (preserve)
    cairo_stroke_preserve(cr);
  else
    cairo_stroke(cr);
}

static void PolylinePath(cairo_t* cr, const std::vector<double>& xy) {
  if (xy.size() < 4) return;
  cairo_move_to(cr, xy[0], xy[1]);
  for (size_t i = 2; i + 1 < xy.size(); i += 2) cairo_line_to(cr, xy[i], xy[i + 1]);
}

void Limb(cairo_t* cr, const std::vector<double>& xy, double width, Rgb color, const Ink& ink) {
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  PolylinePath(cr, xy);
  SetColor(cr, ink.color, ink.alpha);
  cairo_set_line_width(cr, width + 2 * ink.width);
  cairo_stroke(cr);
  PolylinePath(cr, xy);
  SetColor(cr, color);
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
}

void BlobPath(cairo_t* cr, const std::vector<Circle>& circles) {
  for (const Circle& c : circles) {
    if (c.r <= 0) continue;
    cairo_new_sub_path(cr);
    cairo_arc(cr, c.x, c.y, c.r, 0, kTau);
    cairo_close_path(cr);
  }
}

void PaintBlob(cairo_t* cr, const std::vector<Circle>& circles, cairo_pattern_t* fill, Rgb flat,
               const Ink& ink, double alpha) {
  if (alpha <= 0) return;
  cairo_push_group(cr);
  if (ink.width > 0 && ink.alpha > 0) {
    // Each circle stroked at twice the ink width: the fill below covers the
    // inner half, so only the outline of the union stays.
    cairo_push_group(cr);
    BlobPath(cr, circles);
    SetColor(cr, ink.color);
    cairo_set_line_width(cr, ink.width * 2);
    cairo_stroke(cr);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, ink.alpha);
  }
  BlobPath(cr, circles);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  if (fill)
    cairo_set_source(cr, fill);
  else
    SetColor(cr, flat);
  cairo_fill(cr);
  cairo_pop_group_to_source(cr);
  cairo_paint_with_alpha(cr, alpha);
}

namespace {
const cairo_user_data_key_t kFenceKey{};
constexpr double kEdgeGap = 3;  // pixels kept clear along a fenced edge
}  // namespace

EdgeFence::EdgeFence(cairo_t* cr, double w, double h, double feather, bool bottom)
    : cr_(cr), w_(w), h_(h), inset_(kEdgeGap + feather), bottom_(bottom) {
  cairo_get_matrix(cr, &frame_);
  // The mask: 0 in the gap along the edges, rising smoothly to 1 inside.
  const int mw = static_cast<int>(std::ceil(w)), mh = static_cast<int>(std::ceil(h));
  mask_ = cairo_image_surface_create(CAIRO_FORMAT_A8, mw, mh);
  unsigned char* data = cairo_image_surface_get_data(mask_);
  const int stride = cairo_image_surface_get_stride(mask_);
  for (int y = 0; y < mh; ++y)
    for (int x = 0; x < mw; ++x) {
      double d = std::min({x + 0.5, w - x - 0.5, y + 0.5});
      if (bottom) d = std::min(d, h - y - 0.5);
      data[y * stride + x] =
          static_cast<unsigned char>(std::lround(255 * SmoothStep((d - kEdgeGap) / feather)));
    }
  cairo_surface_mark_dirty(mask_);
  cairo_set_user_data(cr, &kFenceKey, this, nullptr);
}

EdgeFence::~EdgeFence() {
  cairo_set_user_data(cr_, &kFenceKey, nullptr, nullptr);
  cairo_surface_destroy(mask_);
}

bool EdgeFence::Clear(double x0, double y0, double x1, double y1) const {
  cairo_matrix_t toFrame = frame_;
  cairo_matrix_invert(&toFrame);
  for (double x : {x0, x1})
    for (double y : {y0, y1}) {
      double fx = x, fy = y;
      cairo_user_to_device(cr_, &fx, &fy);
      cairo_matrix_transform_point(&toFrame, &fx, &fy);
      if (fx < inset_ || fx > w_ - inset_ || fy < inset_ || (bottom_ && fy > h_ - inset_))
        return false;
    }
  return true;
}

void EdgeFence::Paint(double x0, double y0, double x1, double y1,
                      const std::function<void()>& draw) {
  // An effect made of effects (flames with their glow and embers) is masked
  // once, as a whole.
  if (busy_ || Clear(x0, y0, x1, y1)) {
    draw();
    return;
  }
  busy_ = true;
  cairo_push_group(cr_);
  draw();
  cairo_pop_group_to_source(cr_);
  cairo_save(cr_);
  cairo_set_matrix(cr_, &frame_);
  cairo_mask_surface(cr_, mask_, 0, 0);
  cairo_restore(cr_);
  busy_ = false;
}

void FencedEffect(cairo_t* cr, double x0, double y0, double x1, double y1,
                  const std::function<void()>& draw) {
  if (auto* fence = static_cast<EdgeFence*>(cairo_get_user_data(cr, &kFenceKey)))
    fence->Paint(x0, y0, x1, y1, draw);
  else
    draw();
}

void PaintGlow(cairo_t* cr, double x, double y, double r, Rgb c, double alpha) {
  if (alpha <= 0 || r <= 0) return;
  FencedEffect(cr, x - r, y - r, x + r, y + r, [&] {
    cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, r);
    cairo_pattern_add_color_stop_rgba(p, 0, c.r, c.g, c.b, alpha);
    cairo_pattern_add_color_stop_rgba(p, 0.4, c.r, c.g, c.b, alpha * 0.45);
    cairo_pattern_add_color_stop_rgba(p, 1, c.r, c.g, c.b, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, x, y, r, 0, kTau);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
  });
}

void PaintGlow(cairo_t* cr, double x, double y, double rx, double ry, Rgb c, double alpha) {
  if (rx <= 0 || ry <= 0) return;
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, rx / ry, 1);
  PaintGlow(cr, 0, 0, ry, c, alpha);
  cairo_restore(cr);
}

static double Frac(double v) { return v - std::floor(v); }

// One flame tongue: round at the base, curling to a swaying tip.
static void TonguePath(cairo_t* cr, double x, double base, double bw, double hh, double sway) {
  const double tipX = x + sway, tipY = base - hh;
  cairo_move_to(cr, x - bw / 2, base);
  cairo_curve_to(cr, x - bw / 2, base - hh * 0.45, tipX - bw * 0.2 - sway * 0.3, base - hh * 0.72,
                 tipX, tipY);
  cairo_curve_to(cr, tipX + bw * 0.05 - sway * 0.2, base - hh * 0.62, x + bw / 2, base - hh * 0.38,
                 x + bw / 2, base);
  cairo_curve_to(cr, x + bw / 2, base + bw * 0.35, x - bw / 2, base + bw * 0.35, x - bw / 2, base);
  cairo_close_path(cr);
}

// The fire itself; PaintFlames lays it through the fence, if any.
static void DrawFlames(cairo_t* cr, double cx, double baseY, double w, double h, double phase,
                       uint32_t seed, double intensity) {
  DrawRandom rnd(seed);
  const int n = std::clamp(static_cast<int>(std::lround(w / 9.0)), 3, 9);
  struct Tongue {
    double x, bw, hh, sway;
  };
  std::vector<Tongue> tongues;
  std::vector<double> emberOffsets;
  for (int i = 0; i < n; ++i) {
    const double rel = (i + 0.5) / n - 0.5;
    const double x = cx + rel * w * 0.8 + rnd.Uniform(-0.3, 0.3) * w / n;
    const double bw = w / n * rnd.Uniform(1.7, 2.5);
    const double off = rnd.Uniform(0, 1);
    const int k = rnd.Int(1, 2);
    double hh = h * rnd.Uniform(0.4, 1.0) * (1.0 - 0.9 * std::fabs(rel));
    hh *= (0.35 + 0.65 * intensity) * (0.75 + 0.25 * std::sin(kTau * (k * phase + off)));
    const double sway = bw * 0.5 * std::sin(kTau * (phase + off));
    tongues.push_back({x, bw * (0.6 + 0.4 * intensity), hh, sway});
    emberOffsets.push_back(rnd.Uniform(0, 1));
  }
  const double glowR = std::max(w, h) * 0.75;
  PaintGlow(cr, cx, baseY - h * 0.3, std::min(glowR, w * 0.6 + 12), glowR, Hex(0xFF8A1E),
            0.35 * intensity);

  // Three nested layers; each layer's tongues are filled as one shape with
  // one gradient over the whole fire, so the fire reads as one body.
  struct Layer {
    double widthScale, heightScale;
    Rgb base, mid, tip;
    double alphaBase, alphaTip;
  };
  const Layer layers[3] = {
      {1.0, 1.0, Hex(0xFF6A10), Hex(0xF2400C), Hex(0xB01806), 0.92, 0.35},
      {0.66, 0.72, Hex(0xFFB02A), Hex(0xFF8A18), Hex(0xFF5A0A), 0.95, 0.5},
      {0.36, 0.45, Hex(0xFFFAD8), Hex(0xFFE680), Hex(0xFFC040), 0.95, 0.6},
  };
  const double a = intensity < 0.5 ? 0.5 + intensity : 1.0;
  for (const Layer& layer : layers) {
    bool any = false;
    for (const Tongue& t : tongues) {
      const double hh = t.hh * layer.heightScale;
      if (hh < 1) continue;
      TonguePath(cr, t.x + t.sway * 0.15, baseY, t.bw * layer.widthScale, hh,
                 t.sway * layer.heightScale);
      any = true;
    }
    if (!any) continue;
    // The gradient starts a little below the base, faded, so that the fire
    // has no hard bottom edge.
    const double top = baseY - h * layer.heightScale;
    const double bottom = baseY + std::min(8.0, h * 0.12);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, bottom, 0, top);
    cairo_pattern_add_color_stop_rgba(p, 0, layer.base.r, layer.base.g, layer.base.b, 0.1 * a);
    cairo_pattern_add_color_stop_rgba(p, 0.16, layer.base.r, layer.base.g, layer.base.b,
                                      layer.alphaBase * a);
    cairo_pattern_add_color_stop_rgba(p, 0.5, layer.mid.r, layer.mid.g, layer.mid.b,
                                      Lerp(layer.alphaBase, layer.alphaTip, 0.4) * a);
    cairo_pattern_add_color_stop_rgba(p, 1, layer.tip.r, layer.tip.g, layer.tip.b,
                                      layer.alphaTip * a);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
  }
  // Embers rising out of the fire, looping with the phase.
  for (int i = 0; i < n; ++i) {
    const double t = Frac(phase + emberOffsets[i]);
    const double ex = tongues[i].x + std::sin(kTau * (t + emberOffsets[i])) * w * 0.08;
    const double ey = baseY - h * (0.5 + 0.8 * t) * intensity;
    PaintSpark(cr, ex, ey, 1.5 + 1.5 * (1 - t), Hex(0xFFD060), 0.9 * std::sin(kPi * t) * intensity);
  }
}

void PaintFlames(cairo_t* cr, double cx, double baseY, double w, double h, double phase,
                 uint32_t seed, double intensity) {
  intensity = Clamp01(intensity);
  if (intensity < 0.02 || w <= 0 || h <= 0) return;
  // Tongues, glow and embers all lie within r of the fire's middle.
  const double r = 1.4 * std::max(w, h) + 6, my = baseY - 0.5 * h;
  FencedEffect(cr, cx - r, my - r, cx + r, my + r,
               [&] { DrawFlames(cr, cx, baseY, w, h, phase, seed, intensity); });
}

static void DrawSmoke(cairo_t* cr, double x, double baseY, double w, double h, double phase,
                      uint32_t seed, Rgb color, double alpha) {
  DrawRandom rnd(seed);
  const int n = 9;
  const Rgb light = Shade(color, 1.25);
  for (int i = 0; i < n; ++i) {
    const double off = rnd.Uniform(0, 1);
    const double t = Frac(phase + static_cast<double>(i) / n);
    const double px = x + std::sin(kTau * (t * 0.7 + off)) * w * 0.25 + t * w * 0.4;
    const double py = baseY - t * h;
    const double r = w * (0.35 + 0.55 * t) * rnd.Uniform(0.85, 1.15);
    const double a = alpha * 0.7 * std::sin(kPi * t) * (1.0 - 0.3 * t);
    cairo_pattern_t* p = cairo_pattern_create_radial(px - r * 0.2, py - r * 0.25, 0, px, py, r);
    cairo_pattern_add_color_stop_rgba(p, 0, light.r, light.g, light.b, a);
    cairo_pattern_add_color_stop_rgba(p, 0.55, color.r, color.g, color.b, a * 0.7);
    cairo_pattern_add_color_stop_rgba(p, 1, color.r, color.g, color.b, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, px, py, r, 0, kTau);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
  }
}

void PaintSmoke(cairo_t* cr, double x, double baseY, double w, double h, double phase,
                uint32_t seed, Rgb color, double alpha) {
  if (alpha <= 0) return;
  FencedEffect(cr, x - 1.3 * w, baseY - h - 1.1 * w, x + 1.7 * w, baseY + 1.1 * w,
               [&] { DrawSmoke(cr, x, baseY, w, h, phase, seed, color, alpha); });
}

void PaintDrop(cairo_t* cr, double x, double y, double size, double alpha) {
  if (alpha <= 0) return;
  const double r = size * 0.3;
  const double cy = y + size * 0.5 - r;
  cairo_move_to(cr, x, y - size * 0.5);
  cairo_curve_to(cr, x + r * 0.3, cy - r * 1.2, x + r, cy - r * 0.6, x + r, cy);
  cairo_arc(cr, x, cy, r, 0, kPi);
  cairo_curve_to(cr, x - r, cy - r * 0.6, x - r * 0.3, cy - r * 1.2, x, y - size * 0.5);
  cairo_close_path(cr);
  FillVertical(cr, y - size * 0.5, y + size * 0.5, Hex(0xD8F0FF), Hex(0x3C8CE6), alpha, true);
  SetColor(cr, Hex(0x14407A), 0.6 * alpha);
  cairo_set_line_width(cr, std::max(0.6, size * 0.07));
  cairo_stroke(cr);
  SetColor(cr, Rgb{1, 1, 1}, 0.85 * alpha);
  cairo_arc(cr, x - r * 0.35, cy - r * 0.2, r * 0.28, 0, kTau);
  cairo_fill(cr);
}

void PaintSpark(cairo_t* cr, double x, double y, double r, Rgb c, double alpha) {
  if (alpha <= 0 || r <= 0) return;
  FencedEffect(cr, x - 1.8 * r, y - 1.8 * r, x + 1.8 * r, y + 1.8 * r, [&] {
    PaintGlow(cr, x, y, r * 1.8, c, alpha * 0.5);
    const double q = r * 0.22;
    cairo_move_to(cr, x, y - r);
    cairo_line_to(cr, x + q, y - q);
    cairo_line_to(cr, x + r, y);
    cairo_line_to(cr, x + q, y + q);
    cairo_line_to(cr, x, y + r);
    cairo_line_to(cr, x - q, y + q);
    cairo_line_to(cr, x - r, y);
    cairo_line_to(cr, x - q, y - q);
    cairo_close_path(cr);
    SetColor(cr, Mix(c, Rgb{1, 1, 1}, 0.6), alpha);
    cairo_fill(cr);
  });
}

void PaintZap(cairo_t* cr, double x0, double y0, double x1, double y1, double jag, uint32_t seed,
              Rgb glow, double width, double alpha) {
  if (alpha <= 0) return;
  DrawRandom rnd(seed);
  const double len = std::hypot(x1 - x0, y1 - y0);
  const int n = std::max(2, static_cast<int>(len / 6));
  const double nx = -(y1 - y0) / std::max(len, 1e-6), ny = (x1 - x0) / std::max(len, 1e-6);
  std::vector<double> xy;
  for (int i = 0; i <= n; ++i) {
    const double t = static_cast<double>(i) / n;
    const double d = (i == 0 || i == n) ? 0 : rnd.Uniform(-jag, jag);
    xy.push_back(Lerp(x0, x1, t) + nx * d);
    xy.push_back(Lerp(y0, y1, t) + ny * d);
  }
  const double m = jag + width * 1.6 + 1;
  const double bx0 = std::min(x0, x1) - m, by0 = std::min(y0, y1) - m;
  const double bx1 = std::max(x0, x1) + m, by1 = std::max(y0, y1) + m;
  FencedEffect(cr, bx0, by0, bx1, by1, [&] {
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    const double widths[3] = {width * 3.2, width * 1.7, width * 0.7};
    const double alphas[3] = {0.25, 0.6, 1.0};
    for (int k = 0; k < 3; ++k) {
      PolylinePath(cr, xy);
      SetColor(cr, k == 2 ? Rgb{1, 1, 1} : glow, alphas[k] * alpha);
      cairo_set_line_width(cr, widths[k]);
      cairo_stroke(cr);
    }
  });
}

}  // namespace paint
