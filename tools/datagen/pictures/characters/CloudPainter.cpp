// The cartoon cloud painter: puffy body from a fixed puff layout (a plain one
// and a towering storm one), gradient, highlights and inner lobe lines, then
// a face whose eyes, lids, brows, mouth and cheeks follow CloudFace.
#include "tools/datagen/pictures/characters/CloudPainter.h"

#include <cmath>
#include <vector>

using namespace paint;

namespace {

// Puff layouts for a body one unit high; x spans the layout's aspect.
constexpr double kPlainAspect = 1.6;
const Circle kPlainPuffs[] = {
    {-0.52, 0.22, 0.27}, {-0.18, 0.25, 0.25},  {0.18, 0.25, 0.25},
    {0.52, 0.22, 0.27},  {-0.47, -0.02, 0.29}, {-0.1, -0.17, 0.34},
    {0.3, -0.1, 0.3},    {0.55, 0.02, 0.22},   {0.05, 0.05, 0.38},
};
constexpr double kStormAspect = 1.41;
const Circle kStormPuffs[] = {
    {-0.46, 0.25, 0.24}, {-0.16, 0.27, 0.23}, {0.16, 0.27, 0.23},  {0.46, 0.25, 0.24},
    {-0.48, 0.0, 0.24},  {-0.3, -0.2, 0.26},  {0.0, -0.27, 0.24},  {0.26, -0.19, 0.26},
    {0.5, -0.02, 0.22},  {0.0, 0.02, 0.36},   {-0.16, -0.05, 0.3}, {0.2, 0.0, 0.3},
};

std::vector<Circle> BodyCircles(const CloudBody& b) {
  const Circle* puffs = b.stormy ? kStormPuffs : kPlainPuffs;
  const size_t n = b.stormy ? std::size(kStormPuffs) : std::size(kPlainPuffs);
  const double aspect = b.stormy ? kStormAspect : kPlainAspect;
  const double sx = b.w / aspect, sy = b.h, sr = std::sqrt(sx * sy);
  std::vector<Circle> out;
  for (size_t i = 0; i < n; ++i) {
    const double pulse = 1 + 0.035 * std::sin(kTau * b.breathe + i * 1.7);
    out.push_back({puffs[i].x * sx, puffs[i].y * sy, puffs[i].r * sr * pulse});
  }
  return out;
}

double Bezier(double p0, double p1, double p2, double p3, double t) {
  const double u = 1 - t;
  return u * u * u * p0 + 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t * p3;
}

void PaintEye(cairo_t* cr, double x, double y, double rx, double ry, int side,
              const CloudFace& face, const CloudPalette& pal, Rgb lid, const Ink& ink) {
  if (face.deadEyes) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColor(cr, ink.color, 0.9);
    cairo_set_line_width(cr, rx * 0.45);
    cairo_move_to(cr, x - rx, y - rx);
    cairo_line_to(cr, x + rx, y + rx);
    cairo_move_to(cr, x + rx, y - rx);
    cairo_line_to(cr, x - rx, y + rx);
    cairo_stroke(cr);
    return;
  }
  if (face.eyeOpen < 0.2 && face.glow <= 0) {
    // Shut: a lash line curving down, like a contented blink.
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, x, y - ry * 0.2, rx * 1.05, kPi * 0.95, kPi * 0.05);
    StrokeInk(cr, Ink{ink.color, ink.width * 1.2, 0.9});
    return;
  }
  const Rgb glowColor = Hex(0xFFF3A0);
  if (face.glow > 0) PaintGlow(cr, x, y, ry * 2.4, Hex(0xFFE860), 0.55 * face.glow);
  const Rgb white = Mix(pal.eyeWhite, glowColor, face.glow);
  cairo_save(cr);
  EllipsePath(cr, x, y, rx, ry);
  FillRadial(cr, x - rx * 0.25, y - ry * 0.35, ry * 1.3, Shade(white, 1.1), Shade(white, 0.86), 1,
             true);
  cairo_clip(cr);
  const double px = x + face.lookX * rx * 0.42, py = y + face.lookY * ry * 0.42 + ry * 0.08;
  const double ir = rx * 0.68;
  if (face.glow < 0.75) {
    const double a = 1 - face.glow;
    EllipsePath(cr, px, py, ir, ir * 1.08);
    FillRadial(cr, px - ir * 0.2, py - ir * 0.3, ir * 1.2, Shade(pal.iris, 1.35),
               Shade(pal.iris, 0.7), a);
    EllipsePath(cr, px, py, ir * 0.5, ir * 0.56);
    SetColor(cr, Hex(0x101018), a);
    cairo_fill(cr);
    EllipsePath(cr, px - ir * 0.35, py - ir * 0.42, ir * 0.3, ir * 0.3);
    SetColor(cr, Rgb{1, 1, 1}, 0.95 * a);
    cairo_fill(cr);
  }
  if (face.eyeOpen < 0.98) {
    const double lidY = y - ry + 2 * ry * (1 - face.eyeOpen);
    const double tilt = face.brow * ry * 0.35;
    // The inner corner (towards the middle of the face) drops when angry.
    const double yInner = lidY + tilt, yOuter = lidY - tilt * 0.5;
    const double yLeft = side < 0 ? yOuter : yInner, yRight = side < 0 ? yInner : yOuter;
    cairo_move_to(cr, x - rx - 2, y - ry - 2);
    cairo_line_to(cr, x + rx + 2, y - ry - 2);
    cairo_line_to(cr, x + rx + 2, yRight);
    cairo_line_to(cr, x - rx - 2, yLeft);
    cairo_close_path(cr);
    SetColor(cr, lid);
    cairo_fill(cr);
    cairo_move_to(cr, x - rx - 2, yLeft);
    cairo_line_to(cr, x + rx + 2, yRight);
    StrokeInk(cr, Ink{ink.color, ink.width * 1.1, 0.85});
  }
  cairo_restore(cr);
  EllipsePath(cr, x, y, rx, ry);
  StrokeInk(cr, Ink{ink.color, ink.width * 0.85, 0.8});
}

void PaintBrow(cairo_t* cr, double x, double y, double rx, double ry, int side,
               const CloudFace& face, const Ink& ink) {
  const double base = y - ry * 1.4;
  const double xOuter = x + side * rx * 1.15, xInner = x - side * rx * 0.85;
  const double yInner = base + face.brow * ry * 0.5, yOuter = base - face.brow * ry * 0.22;
  cairo_move_to(cr, xOuter, yOuter);
  cairo_curve_to(cr, Lerp(xOuter, xInner, 0.35), Lerp(yOuter, yInner, 0.35) - ry * 0.18,
                 Lerp(xOuter, xInner, 0.7), Lerp(yOuter, yInner, 0.7) - ry * 0.12, xInner, yInner);
  StrokeInk(cr, Ink{ink.color, ry * 0.26, 0.9});
}

void PaintMouth(cairo_t* cr, double mx, double my, double mw, double mh, const CloudFace& face,
                const Ink& ink) {
  const Rgb inside = Hex(0x4A0E18);
  const Ink line{ink.color, std::max(1.5, mh * 0.26), 0.9};
  if (face.mouthWidth < 0.5) {
    EllipsePath(cr, mx, my, mw, mw * (0.8 + face.mouthOpen * 0.6));
    SetColor(cr, inside);
    cairo_fill_preserve(cr);
    StrokeInk(cr, line);
    return;
  }
  const double endY = my - face.smile * mh * 0.35;
  if (face.mouthOpen < 0.08) {
    if (face.wavyMouth) {
      cairo_move_to(cr, mx - mw, my);
      const int waves = 4;
      for (int i = 0; i < waves; ++i) {
        const double x0 = mx - mw + 2 * mw * i / waves, x1 = mx - mw + 2 * mw * (i + 1) / waves;
        const double dy = (i % 2 ? 1 : -1) * mh * 0.35;
        cairo_curve_to(cr, Lerp(x0, x1, 0.3), my + dy, Lerp(x0, x1, 0.7), my + dy, x1, my);
      }
    } else {
      cairo_move_to(cr, mx - mw, endY);
      cairo_curve_to(cr, mx - mw * 0.4, my + face.smile * mh, mx + mw * 0.4, my + face.smile * mh,
                     mx + mw, endY);
    }
    StrokeInk(cr, line);
    return;
  }
  // Open mouth: upper lip follows the smile, lower lip hangs by mouthOpen.
  const double upCtl = my + face.smile * mh * 0.25;
  const double lowCtl = my + mh * (0.5 + face.mouthOpen * 1.3);
  auto path = [&]() {
    cairo_move_to(cr, mx - mw, endY);
    cairo_curve_to(cr, mx - mw * 0.3, upCtl, mx + mw * 0.3, upCtl, mx + mw, endY);
    cairo_curve_to(cr, mx + mw * 0.55, lowCtl, mx - mw * 0.55, lowCtl, mx - mw, endY);
    cairo_close_path(cr);
  };
  path();
  SetColor(cr, inside);
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip(cr);
  EllipsePath(cr, mx, lowCtl - mh * 0.05, mw * 0.55, mh * 0.45);
  SetColor(cr, Hex(0xE0607A));
  cairo_fill(cr);
  if (face.teeth) {
    const int teeth = 7;
    const double toothH = mh * 0.45;
    cairo_move_to(cr, mx - mw, endY - 2);
    for (int i = 0; i <= 2 * teeth; ++i) {
      const double t = static_cast<double>(i) / (2 * teeth);
      const double tx = Bezier(mx - mw, mx - mw * 0.3, mx + mw * 0.3, mx + mw, t);
      const double ty = Bezier(endY, upCtl, upCtl, endY, t) + (i % 2 ? toothH : 0);
      cairo_line_to(cr, tx, ty);
    }
    cairo_line_to(cr, mx + mw, endY - 2);
    cairo_close_path(cr);
    SetColor(cr, Hex(0xFBF8EC));
    cairo_fill_preserve(cr);
    StrokeInk(cr, Ink{ink.color, 0.8, 0.4});
  }
  cairo_restore(cr);
  path();
  StrokeInk(cr, line);
}

void PaintFace(cairo_t* cr, const CloudBody& b, const CloudPalette& pal, const CloudFace& face,
               const Ink& ink) {
  const double fs = face.scale;
  const double fx = face.turn * b.w * 0.07;
  const double eyeDX = b.w * 0.13 * fs, eyeY = -b.h * 0.06;
  const double erx = b.h * 0.085 * fs, ery = b.h * 0.115 * fs;
  for (int side = -1; side <= 1; side += 2) {
    const double cx = fx + side * b.w * 0.25 * fs, cy = b.h * 0.12;
    const double rx = b.h * 0.1 * fs * (1 + 0.5 * face.cheekPuff);
    const double ry = b.h * 0.065 * fs * (1 + 0.6 * face.cheekPuff);
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, rx);
    cairo_pattern_add_color_stop_rgba(p, 0, pal.cheek.r, pal.cheek.g, pal.cheek.b, 0.7);
    cairo_pattern_add_color_stop_rgba(p, 0.6, pal.cheek.r, pal.cheek.g, pal.cheek.b, 0.45);
    cairo_pattern_add_color_stop_rgba(p, 1, pal.cheek.r, pal.cheek.g, pal.cheek.b, 0);
    cairo_set_source(cr, p);
    EllipsePath(cr, cx, cy, rx, ry);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    if (face.cheekPuff > 0.25) {
      cairo_new_sub_path(cr);
      cairo_arc(cr, cx, cy + ry * 0.1, rx * 0.8, kPi * 0.15, kPi * 0.75);
      StrokeInk(cr, Ink{ink.color, ink.width * 0.7, 0.35 * face.cheekPuff});
      EllipsePath(cr, cx - rx * 0.3, cy - ry * 0.35, rx * 0.25, ry * 0.18);
      SetColor(cr, Rgb{1, 1, 1}, 0.6 * face.cheekPuff);
      cairo_fill(cr);
    }
  }
  const Rgb lid = Mix(pal.top, pal.bottom, 0.35);
  for (int side = -1; side <= 1; side += 2) {
    const double ex = fx + side * eyeDX;
    if (face.sick) {
      cairo_new_sub_path(cr);
      cairo_arc(cr, ex, eyeY + ery * 0.55, erx * 1.05, kPi * 0.2, kPi * 0.8);
      StrokeInk(cr, Ink{Hex(0x6E7F5A), ink.width * 0.9, 0.55});
    }
    PaintEye(cr, ex, eyeY, erx, ery, side, face, pal, lid, ink);
    if (face.brows) PaintBrow(cr, ex, eyeY, erx, ery, side, face, ink);
  }
  PaintMouth(cr, fx, b.h * 0.2, b.w * 0.1 * fs * face.mouthWidth, b.h * 0.1 * fs, face, ink);
  if (face.sick) PaintDrop(cr, b.w * 0.36, -b.h * 0.2, b.h * 0.17, 0.9);
}

}  // namespace

CloudPalette MixPalette(const CloudPalette& a, const CloudPalette& b, double t) {
  CloudPalette m;
  m.top = Mix(a.top, b.top, t);
  m.bottom = Mix(a.bottom, b.bottom, t);
  m.rim = Mix(a.rim, b.rim, t);
  m.ink = Ink{Mix(a.ink.color, b.ink.color, t), Lerp(a.ink.width, b.ink.width, t),
              Lerp(a.ink.alpha, b.ink.alpha, t)};
  m.cheek = Mix(a.cheek, b.cheek, t);
  m.eyeWhite = Mix(a.eyeWhite, b.eyeWhite, t);
  m.iris = Mix(a.iris, b.iris, t);
  return m;
}

void PaintCloud(cairo_t* cr, const CloudBody& b, const CloudPalette& pal, const CloudFace& face) {
  if (b.alpha <= 0) return;
  cairo_save(cr);
  cairo_push_group(cr);
  cairo_translate(cr, b.cx, b.cy);
  cairo_matrix_t shear;
  cairo_matrix_init(&shear, 1 - b.stretch * 0.5, 0, -b.lean, 1 + b.stretch, 0, 0);
  cairo_transform(cr, &shear);

  const std::vector<Circle> puffs = BodyCircles(b);
  const Ink ink{pal.ink.color, std::max(1.6, pal.ink.width * b.h / 80.0), pal.ink.alpha};
  cairo_pattern_t* fill = cairo_pattern_create_linear(0, -b.h / 2, 0, b.h / 2);
  const Rgb mid = Mix(pal.top, pal.bottom, 0.3);
  cairo_pattern_add_color_stop_rgb(fill, 0, pal.top.r, pal.top.g, pal.top.b);
  cairo_pattern_add_color_stop_rgb(fill, 0.5, mid.r, mid.g, mid.b);
  cairo_pattern_add_color_stop_rgb(fill, 1, pal.bottom.r, pal.bottom.g, pal.bottom.b);
  PaintBlob(cr, puffs, fill, pal.top, ink);
  cairo_pattern_destroy(fill);

  // Shading inside the body: lit tops, a darker belly, lobe lines, flashes.
  cairo_save(cr);
  BlobPath(cr, puffs);
  cairo_clip(cr);
  PaintGlow(cr, 0, b.h * 0.55, b.w * 0.55, Shade(pal.bottom, 0.72), b.stormy ? 0.55 : 0.35);
  for (const Circle& c : puffs) {
    if (c.y > 0.05 * b.h) continue;
    PaintGlow(cr, c.x - c.r * 0.3, c.y - c.r * 0.38, c.r * 0.75, pal.rim, b.stormy ? 0.4 : 0.6);
  }
  // Lobe lines where the side puffs bulge out of the middle one, above the face.
  for (const Circle& c : puffs) {
    if (c.y > 0.05 * b.h || std::fabs(c.x) < 0.2 * b.w) continue;
    cairo_new_sub_path(cr);
    if (c.x > 0)
      cairo_arc(cr, c.x, c.y, c.r * 0.97, -kPi * 0.85, -kPi * 0.5);
    else
      cairo_arc(cr, c.x, c.y, c.r * 0.97, -kPi * 0.5, -kPi * 0.15);
    StrokeInk(cr, Ink{ink.color, ink.width * 0.8, 0.25});
  }
  if (b.stormy) {
    for (size_t i = 0; i < 4 && i < puffs.size(); ++i)
      PaintGlow(cr, puffs[i].x, puffs[i].y + puffs[i].r * 0.2, puffs[i].r * 0.9,
                Shade(pal.bottom, 0.55), 0.45);
  }
  if (b.flash > 0) {
    // Light added on top, so the dark body lights up instead of going grey;
    // the light takes on some of the cloud's own colour, so a flashing cloud
    // still shows whose it is.
    const Rgb warm = Mix(Hex(0xB0A060), Shade(pal.rim, 0.7), 0.4);
    const Rgb cool = Mix(Hex(0xA0A0A0), Shade(pal.rim, 0.7), 0.5);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    PaintGlow(cr, 0, b.h * 0.1, b.w * 0.6, warm, 0.9 * b.flash);
    PaintGlow(cr, -b.w * 0.25, -b.h * 0.1, b.w * 0.3, cool, 0.7 * b.flash);
    PaintGlow(cr, b.w * 0.3, b.h * 0.05, b.w * 0.25, cool, 0.6 * b.flash);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  }
  cairo_restore(cr);

  if (face.visible) PaintFace(cr, b, pal, face, ink);
  cairo_pop_group_to_source(cr);
  cairo_paint_with_alpha(cr, b.alpha);
  cairo_restore(cr);
}

void PaintWisps(cairo_t* cr, double x, double y, double dx, double dy, double len, double spread,
                double phase, Rgb color, double alpha) {
  const double n = std::hypot(dx, dy);
  if (n <= 0 || alpha <= 0) return;
  dx /= n;
  dy /= n;
  const double px = -dy, py = dx;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < 3; ++i) {
    const double off = (i - 1) * spread;
    const double l = len * (0.55 + 0.45 * std::fmod(0.37 * i + phase, 1.0));
    const double sx = x + px * off, sy = y + py * off;
    const double ex = sx + dx * l, ey = sy + dy * l;
    cairo_pattern_t* p = cairo_pattern_create_linear(sx, sy, ex, ey);
    cairo_pattern_add_color_stop_rgba(p, 0, color.r, color.g, color.b, alpha);
    cairo_pattern_add_color_stop_rgba(p, 1, color.r, color.g, color.b, 0);
    cairo_set_source(cr, p);
    cairo_set_line_width(cr, i == 1 ? 3.0 : 2.0);
    cairo_move_to(cr, sx, sy);
    cairo_line_to(cr, ex, ey);
    cairo_stroke(cr);
    cairo_pattern_destroy(p);
    const double t = 0.45 + 0.3 * std::fmod(0.53 * i + phase, 1.0);
    PaintGlow(cr, sx + dx * l * t, sy + dy * l * t, 3.5, color, alpha * 0.8);
  }
}
