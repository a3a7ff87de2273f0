// The four tree sheets: a round leaf tree, a birch, a dark slim spruce and a
// broad blue spruce. Row 0 grows small -> medium -> large, row 1 burns at
// each size, rows 2..4 are the charred small, medium and large trees. The
// trunk stands on the frame's bottom edge, 75 px in, where the game puts the
// ground under the tree's collision box.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/datagen/pictures/characters/CharacterParts.h"
#include "tools/datagen/pictures/paint/Paint.h"

using namespace paint;

namespace {

constexpr int kFrameW = 150, kFrameH = 300;
constexpr double kBaseX = 75, kGround = 300;
constexpr double kGlowRx = kBaseX - 12;  // a fire's glow ends inside the frame

enum class Species { Round, Birch, Spruce, BlueSpruce };

// Size of the tree for a growth value g: 0 small, 1 medium, 2 large.
double Pick(double g, double small, double medium, double large) {
  return g <= 1 ? Lerp(small, medium, g) : Lerp(medium, large, g - 1);
}

struct TreeState {
  double g = 0;      // growth
  double fire = 0;   // 0..1
  double phase = 0;  // fire loop
  bool charred = false;
  double sparkle = 0;  // growth magic, 0..1
  uint32_t seed = 1;
};

const Ink kInk{Hex(0x1E2A14), 1.6, 0.7};
const Rgb kSoot = Hex(0x2A221C);

// Trunk from the ground up to topY, tapering, with a flared foot.
void PaintTrunk(cairo_t* cr, double topY, double width, Rgb light, Rgb dark, const Ink& ink) {
  const double w = width / 2, tw = w * 0.55;
  cairo_move_to(cr, kBaseX - w * 1.7, kGround);
  cairo_curve_to(cr, kBaseX - w, kGround - 4, kBaseX - w, kGround - 12, kBaseX - w * 0.95,
                 kGround - 20);
  cairo_line_to(cr, kBaseX - tw, topY);
  cairo_line_to(cr, kBaseX + tw, topY);
  cairo_line_to(cr, kBaseX + w * 0.95, kGround - 20);
  cairo_curve_to(cr, kBaseX + w, kGround - 12, kBaseX + w, kGround - 4, kBaseX + w * 1.7, kGround);
  cairo_close_path(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(kBaseX - w, 0, kBaseX + w, 0);
  cairo_pattern_add_color_stop_rgb(p, 0, light.r, light.g, light.b);
  cairo_pattern_add_color_stop_rgb(p, 1, dark.r, dark.g, dark.b);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  StrokeInk(cr, ink);
}

// ---- leaf trees ----

struct Crown {
  double cx, cy, w, h;
};

Crown CrownOf(Species s, double g) {
  const double height = Pick(g, 122, 204, 292);
  const double w = Pick(g, 84, 120, 146) * (s == Species::Birch ? 0.82 : 1.0);
  const double ch = height * (s == Species::Birch ? 0.7 : 0.64);
  return {kBaseX, kGround - height + ch / 2, w, ch};
}

std::vector<Circle> CrownCircles(const Crown& c, Species s) {
  DrawRandom rnd(s == Species::Birch ? 21 : 11);
  std::vector<Circle> out;
  const double rx = c.w / 2, ry = c.h / 2, unit = std::min(rx, ry);
  out.push_back({c.cx, c.cy + ry * 0.05, unit * 0.6});
  const int ring1 = 7, ring2 = s == Species::Birch ? 12 : 10;
  for (int i = 0; i < ring1; ++i) {
    const double a = kTau * i / ring1 + rnd.Uniform(-0.2, 0.2);
    out.push_back({c.cx + std::cos(a) * rx * 0.45, c.cy + std::sin(a) * ry * 0.45,
                   unit * rnd.Uniform(0.38, 0.46)});
  }
  for (int i = 0; i < ring2; ++i) {
    const double a = kTau * i / ring2 + rnd.Uniform(-0.15, 0.15);
    const double r = unit * (s == Species::Birch ? rnd.Uniform(0.24, 0.3) : rnd.Uniform(0.3, 0.36));
    out.push_back({c.cx + std::cos(a) * (rx - r), c.cy + std::sin(a) * (ry - r), r});
  }
  return out;
}

void PaintLeafTree(cairo_t* cr, Species s, const TreeState& t) {
  const Crown c = CrownOf(s, t.g);
  const double trunkW = Pick(t.g, 9, 13, 18) * (s == Species::Birch ? 0.75 : 1.0);
  const bool birch = s == Species::Birch;
  const double scorch = Clamp01(t.fire * 0.55);
  Rgb barkLight = birch ? Hex(0xF2F0E6) : Hex(0x9A6434);
  Rgb barkDark = birch ? Hex(0xB8B4A6) : Hex(0x5A3618);
  if (t.charred) {
    barkLight = Hex(0x3A302A);
    barkDark = Hex(0x151210);
  }
  barkLight = Mix(barkLight, kSoot, scorch * 0.6);
  barkDark = Mix(barkDark, kSoot, scorch * 0.6);

  if (t.fire > 0)
    PaintGlow(cr, c.cx, c.cy, std::min(c.w * 0.9, kGlowRx), c.w * 0.9, Hex(0xFF7A20),
              0.35 * t.fire);

  PaintTrunk(cr, c.cy, trunkW, barkLight, barkDark, kInk);
  // Branches reaching into the crown (and all that is left when charred).
  DrawRandom rnd(t.seed);
  const int branches = t.charred ? 5 : 2;
  for (int i = 0; i < branches; ++i) {
    const double side = (i % 2) ? 1 : -1;
    const double y0 = c.cy + c.h * (0.25 - 0.12 * i);
    const double x1 = kBaseX + side * c.w * (t.charred ? 0.36 : 0.25);
    // The top branch of the large charred tree would poke out of the frame.
    const double y1 = std::max(y0 - c.h * (t.charred ? 0.3 : 0.2), 24.0);
    Limb(cr, {kBaseX + side * trunkW * 0.2, y0, Lerp(kBaseX, x1, 0.6), Lerp(y0, y1, 0.4), x1, y1},
         std::max(2.0, trunkW * 0.3), barkDark, kInk);
    if (t.charred) {
      Limb(cr,
           {Lerp(kBaseX, x1, 0.6), Lerp(y0, y1, 0.4), Lerp(kBaseX, x1, 0.75) + side * 8, y1 - 14},
           std::max(1.5, trunkW * 0.18), barkDark, kInk);
    }
  }
  if (birch && !t.charred) {
    // Black marks on the white bark.
    for (int i = 0; i < 7; ++i) {
      const double y = kGround - 14 - i * (kGround - c.cy - 10) / 7.5;
      const double w = trunkW * 0.5 * rnd.Uniform(0.4, 0.9);
      const double x = kBaseX + rnd.Uniform(-1, 1) * trunkW * 0.2;
      cairo_move_to(cr, x - w, y);
      cairo_line_to(cr, x + w, y + rnd.Uniform(-1.5, 1.5));
      StrokeInk(cr, Ink{Hex(0x202020), 1.8, 0.85});
    }
  }
  if (t.charred) {
    for (int i = 0; i < 6; ++i) {
      const double x = kBaseX + rnd.Uniform(-trunkW, trunkW) * 0.4;
      const double y = rnd.Uniform(c.cy, kGround - 10);
      PaintGlow(cr, x, y, 5, Hex(0xFF5A10), 0.6);
      cairo_arc(cr, x, y, 1.3, 0, kTau);
      SetColor(cr, Hex(0xFFA040));
      cairo_fill(cr);
    }
    return;
  }

  const std::vector<Circle> circles = CrownCircles(c, s);
  Rgb light = birch ? Hex(0xC4E266) : Hex(0x8CD456);
  Rgb dark = birch ? Hex(0x5E9A30) : Hex(0x2E7A2C);
  light = Mix(light, Hex(0x8A6A28), scorch);
  dark = Mix(dark, Hex(0x4A3418), scorch);
  cairo_pattern_t* fill =
      cairo_pattern_create_radial(c.cx - c.w * 0.2, c.cy - c.h * 0.3, 0, c.cx, c.cy, c.h * 0.75);
  cairo_pattern_add_color_stop_rgb(fill, 0, light.r, light.g, light.b);
  cairo_pattern_add_color_stop_rgb(fill, 1, dark.r, dark.g, dark.b);
  PaintBlob(cr, circles, fill, light, kInk);
  cairo_pattern_destroy(fill);
  // Clumps: lit tops and shaded bottoms inside the crown.
  cairo_save(cr);
  BlobPath(cr, circles);
  cairo_clip(cr);
  for (size_t i = 1; i < circles.size(); ++i) {
    const Circle& k = circles[i];
    PaintGlow(cr, k.x + k.r * 0.25, k.y + k.r * 0.45, k.r * 0.8, Shade(dark, 0.7), 0.45);
    PaintGlow(cr, k.x - k.r * 0.3, k.y - k.r * 0.35, k.r * 0.6, Shade(light, 1.25), 0.55);
    cairo_new_sub_path(cr);
    cairo_arc(cr, k.x, k.y, k.r * 0.9, kPi * 0.15, kPi * 0.7);
    StrokeInk(cr, Ink{Shade(dark, 0.6), 1.2, 0.35});
  }
  cairo_restore(cr);
  if (s == Species::Round && t.g >= 1 && t.fire <= 0) {
    // Apples on the grown round tree.
    DrawRandom apples(5);
    const int n = t.g >= 2 ? 7 : 4;
    for (int i = 0; i < n; ++i) {
      const double a = apples.Uniform(0, kTau), d = apples.Uniform(0.2, 0.75);
      const double x = c.cx + std::cos(a) * c.w * 0.5 * d, y = c.cy + std::sin(a) * c.h * 0.5 * d;
      cairo_arc(cr, x, y, 3.4, 0, kTau);
      FillRadial(cr, x - 1, y - 1.2, 4, Hex(0xFF6A5A), Hex(0xC0161C), 1, true);
      StrokeInk(cr, Ink{Hex(0x5A0A0A), 0.9, 0.7});
    }
  }
  if (t.fire > 0) {
    // One big blaze over the crown, a few fires on single clumps, and the
    // trunk catching below. The blaze stays inside the frame's top.
    const double blazeH = std::min(c.h * 1.05, c.cy + c.h * 0.35 - 4);
    PaintFlames(cr, c.cx, c.cy + c.h * 0.35, c.w * 0.95, blazeH, t.phase, t.seed + 50, t.fire);
    for (size_t i = 2; i < circles.size(); i += 4) {
      const Circle& k = circles[i];
      PaintFlames(cr, k.x, k.y + k.r * 0.5, k.r * 1.6, k.r * 2.0, t.phase + i * 0.13,
                  t.seed + static_cast<uint32_t>(i), 0.8 * t.fire);
    }
    PaintFlames(cr, kBaseX, kGround - 6, trunkW * 2.5, c.h * 0.35, t.phase + 0.5, t.seed + 60,
                0.6 * t.fire);
  }
}

// ---- spruces ----

void PaintSpruce(cairo_t* cr, Species s, const TreeState& t) {
  const bool blue = s == Species::BlueSpruce;
  const double height = Pick(t.g, 124, 206, 294);
  const double w = Pick(t.g, 70, 100, 128) * (blue ? 1.12 : 0.92);
  const double trunkW = Pick(t.g, 8, 11, 15);
  const double top = kGround - height;
  const double crownBottom = kGround - height * 0.1;
  const int tiers = static_cast<int>(std::lround(Pick(t.g, 4, 5, 6))) + (blue ? 0 : 1);
  const double scorch = Clamp01(t.fire * 0.55);
  Rgb barkLight = Hex(0x7A4E2C), barkDark = Hex(0x4A2C16);
  if (t.charred) {
    barkLight = Hex(0x3A302A);
    barkDark = Hex(0x151210);
  }
  if (t.fire > 0)
    PaintGlow(cr, kBaseX, (top + crownBottom) / 2, std::min(w, kGlowRx),
              std::max(w, (crownBottom - top) * 0.55), Hex(0xFF7A20), 0.35 * t.fire);
  PaintTrunk(cr, top + height * 0.25, trunkW, Mix(barkLight, kSoot, scorch),
             Mix(barkDark, kSoot, scorch), kInk);

  const double tierH = (crownBottom - top) / (tiers * 0.72 + 0.28);
  if (t.charred) {
    // Bare drooping branch stubs up a black trunk, the tip snapped.
    DrawRandom rnd(t.seed);
    for (int i = 0; i < tiers + 2; ++i) {
      const double y = crownBottom - i * (crownBottom - top - 20) / (tiers + 2);
      const double len = w * 0.45 * (1 - static_cast<double>(i) / (tiers + 3));
      for (int side = -1; side <= 1; side += 2) {
        const double l = len * rnd.Uniform(0.5, 1.0);
        Limb(cr, {kBaseX, y, kBaseX + side * l * 0.6, y + 3, kBaseX + side * l, y + 9}, 2.2,
             Hex(0x1C1714), kInk);
      }
    }
    Limb(cr, {kBaseX, top + height * 0.3, kBaseX + 1, top + 18}, trunkW * 0.35, Hex(0x1C1714),
         kInk);
    for (int i = 0; i < 6; ++i) {
      const double x = kBaseX + rnd.Uniform(-trunkW, trunkW) * 0.4;
      const double y = rnd.Uniform(top + 30, kGround - 10);
      PaintGlow(cr, x, y, 5, Hex(0xFF5A10), 0.6);
      cairo_arc(cr, x, y, 1.3, 0, kTau);
      SetColor(cr, Hex(0xFFA040));
      cairo_fill(cr);
    }
    return;
  }

  Rgb light = blue ? Hex(0x7CB8A4) : Hex(0x4E9A4E);
  Rgb dark = blue ? Hex(0x24564E) : Hex(0x15452A);
  light = Mix(light, Hex(0x7A5A26), scorch);
  dark = Mix(dark, Hex(0x3A2A14), scorch);
  // Tiers from the bottom up, each a fringed skirt overlapping the one below.
  for (int i = 0; i < tiers; ++i) {
    const double f = static_cast<double>(i) / tiers;
    const double bottom = crownBottom - i * tierH * 0.72;
    const double apex = bottom - tierH * (1.25 - 0.25 * f);
    const double half = w / 2 * (1 - f * 0.82);
    const int teeth = std::max(3, static_cast<int>(half / 7));
    cairo_move_to(cr, kBaseX, std::max(apex, top));
    cairo_curve_to(cr, kBaseX + half * 0.3, apex + tierH * 0.4, kBaseX + half * 0.8,
                   bottom - tierH * 0.3, kBaseX + half, bottom - 2);
    for (int k = 1; k <= 2 * teeth; ++k) {
      const double x = kBaseX + half - 2 * half * k / (2 * teeth);
      const double y = bottom + ((k % 2) ? 3.5 : -3);
      cairo_line_to(cr, x, y);
    }
    cairo_curve_to(cr, kBaseX - half * 0.8, bottom - tierH * 0.3, kBaseX - half * 0.3,
                   apex + tierH * 0.4, kBaseX, std::max(apex, top));
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(kBaseX - half, 0, kBaseX + half, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(p, 0.55, Mix(light, dark, 0.5).r, Mix(light, dark, 0.5).g,
                                     Mix(light, dark, 0.5).b);
    cairo_pattern_add_color_stop_rgb(p, 1, dark.r, dark.g, dark.b);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    StrokeInk(cr, kInk);
    // Needle strokes along the skirt.
    for (int k = 0; k < teeth; ++k) {
      const double x = kBaseX - half * 0.7 + 1.4 * half * (k + 0.5) / teeth;
      cairo_move_to(cr, Lerp(kBaseX, x, 0.6), bottom - tierH * 0.35);
      cairo_line_to(cr, x, bottom - 4);
      StrokeInk(cr, Ink{Shade(light, 1.2), 1.1, 0.4});
    }
    if (blue && t.g > 0.5 && t.fire <= 0 && i % 2 == 0) {  // cones
      for (int side = -1; side <= 1; side += 2) {
        const double x = kBaseX + side * half * 0.55, y = bottom - 2;
        EllipsePath(cr, x, y, 2.4, 4.2);
        FillVertical(cr, y - 4, y + 4, Hex(0xB0703A), Hex(0x6A3A1A), 1, true);
        StrokeInk(cr, Ink{Hex(0x3A1E0C), 0.8, 0.8});
      }
    }
  }
  if (t.fire > 0) {
    // A tall blaze up the whole tree and a couple of fires on the skirts.
    const double blazeH = std::min(height * 0.95, crownBottom - 4);
    PaintFlames(cr, kBaseX, crownBottom, w * 0.85, blazeH, t.phase, t.seed + 40, t.fire);
    for (int i = 0; i < tiers; i += 2) {
      const double bottom = crownBottom - i * tierH * 0.72;
      const double half = w / 2 * (1 - static_cast<double>(i) / tiers * 0.82);
      const double side = (i % 4) ? -1 : 1;
      PaintFlames(cr, kBaseX + side * half * 0.45, bottom, half * 0.9, tierH * 1.3,
                  t.phase + i * 0.21, t.seed + i, 0.8 * t.fire);
    }
  }
}

void PaintTree(cairo_t* cr, Species s, const TreeState& t) {
  if (s == Species::Round || s == Species::Birch)
    PaintLeafTree(cr, s, t);
  else
    PaintSpruce(cr, s, t);
  if (t.sparkle > 0) {
    // Growth: green-gold twinkles round the crown.
    DrawRandom rnd(t.seed + 7);
    const double height = Pick(t.g, 122, 204, 292);
    for (int i = 0; i < 7; ++i) {
      const double x = kBaseX + rnd.Uniform(-60, 60);
      const double y = kGround - height * rnd.Uniform(0.35, 1.0);
      PaintSpark(cr, x, y, rnd.Uniform(3, 6), i % 2 ? Hex(0xD8FF70) : Hex(0xFFF0A0), t.sparkle);
    }
  }
}

void PaintTreeFrame(cairo_t* cr, Species s, int col, int row) {
  // Glows, flames and twinkles fade out before the frame's sides and top.
  EdgeFence fence(cr, kFrameW, kFrameH, 24);
  TreeState t;
  t.seed = 1000 * static_cast<int>(s) + col;
  switch (row) {
    case 0:  // growing
      if (col <= 8) {
        t.g = SmoothStep(col / 8.0);
        t.sparkle = (col >= 1 && col <= 7) ? 0.9 : 0;
      } else if (col <= 18) {
        t.g = 1 + SmoothStep((col - 8) / 10.0);
        t.sparkle = col <= 17 ? 0.9 : 0;
      } else {
        t.g = 2;
      }
      break;
    case 1:  // burning loops: 0..6 small, 7..13 medium, 14..19 large
      t.fire = 1;
      if (col <= 6) {
        t.g = 0;
        t.phase = col / 7.0;
      } else if (col <= 13) {
        t.g = 1;
        t.phase = (col - 7) / 7.0;
      } else {
        t.g = 2;
        t.phase = (col - 14) / 6.0;
      }
      t.seed = 1000 * static_cast<int>(s) + 500 + static_cast<int>(t.g);
      break;
    default:  // charred small, medium, large
      t.g = row - 2;
      t.charred = true;
      t.seed = 1000 * static_cast<int>(s) + 700 + row;
      break;
  }
  PaintTree(cr, s, t);
}

}  // namespace

void GenerateTreeImages(const Output& out) {
  const struct {
    int index;
    Species species;
  } trees[4] = {{image::kTree1, Species::Round},
                {image::kTree2, Species::Birch},
                {image::kSpruce1, Species::Spruce},
                {image::kSpruce2, Species::BlueSpruce}};
  for (const auto& tree : trees)
    MakeSheet(out, tree.index, kFrameW, kFrameH,
              [&](cairo_t* cr, int col, int row) { PaintTreeFrame(cr, tree.species, col, row); });
}
