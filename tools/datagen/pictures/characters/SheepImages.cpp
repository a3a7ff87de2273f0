// The sheep's two sheets: walking (standing, walking right and left, dry with
// fluffy white wool or wet with flat grey-blue dripping wool) and dying (a
// dry sheep bursts into wool and smoke, a wet one goes up in a blue electric
// zap, then its charred bits land and smoke on the ground). Facing left is
// mirrored.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/datagen/pictures/characters/CharacterParts.h"
#include "tools/datagen/pictures/paint/Paint.h"

using namespace paint;

namespace {

constexpr int kFrame = 75;
constexpr double kGround = 74;

struct SheepPose {
  double walk = 0, stride = 0;
  bool wet = false;
  double drip = 0;
  double graze = 0;  // 0 head up .. 1 head down eating
  bool blink = false;
  double puff = 1;  // wool size
  bool shocked = false;
  double zap = 0;  // blue electric tint
  double bob = 0;
};

const Ink kInk{Hex(0x2E2A30), 1.2, 0.75};

void Leg(cairo_t* cr, double x, double top, double angle, double len, Rgb c) {
  const double fx = x + std::sin(angle) * len, fy = top + std::cos(angle) * len;
  Limb(cr, {x, top, fx, fy}, 2.8, c, kInk);
  EllipsePath(cr, fx + 0.4, fy - 0.3, 2.2, 1.5);
  SetColor(cr, Hex(0x1A1618));
  cairo_fill(cr);
}

std::vector<Circle> WoolCircles(double cx, double cy, double rx, double ry, double r, int n,
                                double jitter, uint32_t seed) {
  DrawRandom rnd(seed);
  std::vector<Circle> c;
  for (int i = 0; i < n; ++i) {
    const double a = kTau * i / n;
    c.push_back({cx + std::cos(a) * rx, cy + std::sin(a) * ry, r * rnd.Uniform(1 - jitter, 1)});
  }
  c.push_back({cx, cy, std::min(rx, ry) + r * 0.6});
  c.push_back({cx - rx * 0.4, cy, ry + r * 0.4});
  c.push_back({cx + rx * 0.4, cy, ry + r * 0.4});
  return c;
}

// A sheep facing right standing on the ground line.
void PaintSheep(cairo_t* cr, const SheepPose& p) {
  const double bodyY = (p.wet ? 54 : 52) + p.bob;
  const double cx = 33;
  const Rgb legColor = Hex(0x3A3438);
  const Rgb woolTop = p.wet ? Hex(0xB4C0D0) : Hex(0xFFFFFF);
  const Rgb woolBottom = p.wet ? Hex(0x75849C) : Hex(0xCFCAC4);
  const double legTop = bodyY + 6;
  const double legLen = kGround - legTop - 1.5;
  const double stiff = p.shocked ? 0.35 : 0;
  // Legs first, the wool hides their tops; diagonal pairs move together.
  const double swing = 0.42 * p.stride;
  Leg(cr, cx - 11, legTop, swing * std::sin(p.walk + kPi) - stiff, legLen, Shade(legColor, 0.75));
  Leg(cr, cx + 13, legTop, swing * std::sin(p.walk) + stiff, legLen, Shade(legColor, 0.75));
  Leg(cr, cx - 7, legTop, swing * std::sin(p.walk) - stiff, legLen, legColor);
  Leg(cr, cx + 17, legTop, swing * std::sin(p.walk + kPi) + stiff, legLen, legColor);

  // Tail.
  const double tailY = bodyY - (p.wet ? 0 : 4);
  PaintBlob(cr, {{cx - 22, tailY, p.wet ? 3.2 : 4.5}}, nullptr, woolBottom, kInk);

  // Wool.
  // A jolt swells the fleece more in height than in width: it stays in the frame.
  const double r = (p.wet ? 5.0 : 7.2) * (1 + 0.6 * (p.puff - 1));
  const double rx = (p.wet ? 17 : 18) * (1 + 0.4 * (p.puff - 1));
  const double ry = (p.wet ? 7.5 : 9.5) * p.puff;
  const std::vector<Circle> wool =
      WoolCircles(cx, bodyY, rx, ry, r, p.wet ? 14 : 12, p.wet ? 0.1 : 0.25, 77);
  cairo_pattern_t* fill = cairo_pattern_create_linear(0, bodyY - ry - r, 0, bodyY + ry + r);
  cairo_pattern_add_color_stop_rgb(fill, 0, woolTop.r, woolTop.g, woolTop.b);
  cairo_pattern_add_color_stop_rgb(fill, 1, woolBottom.r, woolBottom.g, woolBottom.b);
  PaintBlob(cr, wool, fill, woolTop, kInk);
  cairo_pattern_destroy(fill);
  // Curls: little arcs over the fleece (dry), streaks of water (wet).
  cairo_save(cr);
  BlobPath(cr, wool);
  cairo_clip(cr);
  DrawRandom rnd(12);
  for (int i = 0; i < 9; ++i) {
    const double x = cx + rnd.Uniform(-rx, rx), y = bodyY + rnd.Uniform(-ry, ry * 0.8);
    cairo_new_sub_path(cr);
    if (p.wet) {
      cairo_move_to(cr, x, y - 2);
      cairo_line_to(cr, x - 0.5, y + 4);
      StrokeInk(cr, Ink{Hex(0xE8F2FF), 1.0, 0.6});
    } else {
      cairo_arc(cr, x, y, 2.6, kPi * 0.9, kPi * 2.1);
      StrokeInk(cr, Ink{Hex(0xB8B0A8), 0.9, 0.6});
    }
  }
  if (p.zap > 0) {
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    PaintGlow(cr, cx, bodyY, 30, Hex(0x4080FF), 0.9 * p.zap);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  }
  cairo_restore(cr);

  // Head on a short neck, lowered when grazing.
  const double hx = cx + 24 + 2 * p.graze, hy = bodyY - 6 + 16 * p.graze + (p.wet ? 3 : 0);
  const double tilt = 0.5 + 0.6 * p.graze;
  const Rgb face = Hex(0x3C3638);
  cairo_save(cr);
  cairo_translate(cr, hx, hy);
  cairo_rotate(cr, -tilt + 0.5);
  // Ear: perky when dry, drooping when wet.
  cairo_save(cr);
  cairo_translate(cr, -3.5, -5);
  cairo_rotate(cr, p.wet ? -0.9 : (p.shocked ? 0.9 : -0.15));
  EllipsePath(cr, -3.5, 0, 4.2, 1.9);
  SetColor(cr, Shade(face, 0.85));
  cairo_fill_preserve(cr);
  StrokeInk(cr, kInk);
  cairo_restore(cr);
  EllipsePath(cr, 1.5, 0, 8, 6.2);
  FillRadial(cr, 2, -2.5, 9, Shade(face, 1.5), face, 1, true);
  StrokeInk(cr, kInk);
  // Topknot of wool.
  PaintBlob(cr, {{-3, -5.5, 3.4}, {0.5, -6.5, 3.2}, {-5.5, -3, 2.8}}, nullptr,
            p.wet ? woolTop : Hex(0xFAF8F4), kInk);
  // Eye.
  const double ex = 3.5, ey = -1.8;
  if (p.blink) {
    cairo_move_to(cr, ex - 2, ey);
    cairo_line_to(cr, ex + 2, ey);
    StrokeInk(cr, Ink{Hex(0xF0F0F0), 1, 0.9});
  } else {
    const double er = p.shocked ? 2.8 : 2.1;
    EllipsePath(cr, ex, ey, er, er * 1.05);
    SetColor(cr, Rgb{1, 1, 1});
    cairo_fill(cr);
    EllipsePath(cr, ex + 0.5, ey + 0.2, er * 0.5, er * 0.6);
    SetColor(cr, Hex(0x101010));
    cairo_fill(cr);
    if (p.wet) {  // heavy lid: miserable
      cairo_rectangle(cr, ex - er - 0.5, ey - er - 0.5, 2 * er + 1, er);
      SetColor(cr, face);
      cairo_fill(cr);
      cairo_move_to(cr, ex - er, ey - 0.3);
      cairo_line_to(cr, ex + er, ey + 0.2);
      StrokeInk(cr, Ink{Hex(0x101010), 0.8, 0.9});
    }
  }
  // Nostril and mouth.
  EllipsePath(cr, 8.2, 1.2, 0.8, 0.6);
  SetColor(cr, Hex(0x141012));
  cairo_fill(cr);
  cairo_move_to(cr, 6, 3.8);
  cairo_curve_to(cr, 6.8, p.wet ? 3.2 : 4.6, 7.8, p.wet ? 3.2 : 4.6, 8.4, 3.6);
  StrokeInk(cr, Ink{Hex(0x141012), 0.8, 0.9});
  cairo_restore(cr);

  if (p.wet) {  // drops off the belly and the tail
    const double xs[4] = {cx - 12, cx - 2, cx + 9, cx - 22};
    for (int i = 0; i < 4; ++i) {
      const double t = std::fmod(p.drip + i * 0.29, 1.0);
      PaintDrop(cr, xs[i], bodyY + ry + 2 + t * 12, 4.2, 1 - 0.7 * t);
    }
  }
}

void Facing(cairo_t* cr, bool left, const std::function<void()>& draw) {
  cairo_save(cr);
  if (left) {
    cairo_translate(cr, kFrame, 0);
    cairo_scale(cr, -1, 1);
  }
  draw();
  cairo_restore(cr);
}

// Walk sheet rows: 0 dry standing, 1 wet standing, 2/3 dry/wet walking
// right, 4/5 dry/wet walking left. Dry walking runs columns 1..12, wet 3..5.
void PaintWalkFrame(cairo_t* cr, int col, int row) {
  SheepPose p;
  p.wet = row % 2 == 1;
  p.drip = col / 3.0;
  if (row <= 1) {
    // Standing, facing right like the explosion that may follow: grazing now
    // and then, a blink.
    p.graze = (col >= 5 && col <= 9) ? std::sin((col - 4) / 6.0 * kPi) : 0;
    p.blink = col == 11;
    p.bob = col % 2 ? 0.4 : 0;
    PaintSheep(cr, p);
    return;
  }
  p.stride = p.wet ? 0.7 : 1.0;
  p.walk = p.wet ? (col - 3) / 3.0 * kTau : (col - 1) / 12.0 * kTau;
  p.bob = -std::fabs(std::sin(p.walk)) * (p.wet ? 0.6 : 1.2);
  Facing(cr, row >= 4, [&] { PaintSheep(cr, p); });
}

// The bits of sheep that fly off. Both explosions throw the same bits, and
// where they are at kLanding is where the remains row starts.
struct Tuft {
  double angle, speed, size;
  bool head;
};
constexpr double kLanding = 5;  // frames after the bang

std::vector<Tuft> Tufts() {
  DrawRandom rnd(8);
  std::vector<Tuft> t;
  for (int i = 0; i < 11; ++i)
    t.push_back(
        {-kPi * rnd.Uniform(0.05, 0.95), rnd.Uniform(0.6, 1.2), 0.8 * rnd.Uniform(3, 5.5), i == 4});
  return t;
}

// Where a flying bit of sheep is at time t (frames since the bang). Air
// slows it down sideways, so it lands inside the frame; it stops on the ground.
void TuftAt(const Tuft& f, double t, double& x, double& y) {
  const double cx = 36, cy = 52, reach = 1.4 * f.size + 4;
  const double drift = std::cos(f.angle) * f.speed * 9 * t / (1 + 0.18 * t);
  x = std::clamp(cx + drift, reach, kFrame - reach);
  y = cy + std::sin(f.angle) * f.speed * 10 * t + 2.6 * t * t;
  y = std::min(y, kGround - f.size * 0.6);
}

// burnt: 0 white wool, 0.5 singed grey, 1 charred.
void PaintTuft(cairo_t* cr, double x, double y, double size, double burnt, bool head) {
  if (head) {
    EllipsePath(cr, x, y, size * 1.3, size);
    SetColor(cr, Mix(Hex(0x3C3638), Hex(0x1E1A1A), burnt));
    cairo_fill_preserve(cr);
    StrokeInk(cr, kInk);
    cairo_move_to(cr, x - 1, y - 1.5);
    cairo_line_to(cr, x + 1.5, y + 1);
    cairo_move_to(cr, x + 1.5, y - 1.5);
    cairo_line_to(cr, x - 1, y + 1);
    StrokeInk(cr, Ink{Rgb{1, 1, 1}, 0.8, 0.9});
    return;
  }
  const Rgb c = burnt < 0.5 ? Mix(Hex(0xF4F0EA), Hex(0xA8A09A), 2 * burnt)
                            : Mix(Hex(0xA8A09A), Hex(0x4A403C), 2 * burnt - 1);
  PaintBlob(cr,
            {{x, y, size},
             {x - size * 0.7, y + size * 0.3, size * 0.7},
             {x + size * 0.6, y + size * 0.35, size * 0.65}},
            nullptr, c, kInk);
}

// The flying bits at time t, burnt that much, `settle` of the way down to
// the ground, with embers on them as bright as `embers`.
void PaintTufts(cairo_t* cr, double t, double burnt, double settle, double embers) {
  for (const Tuft& f : Tufts()) {
    double x, y;
    TuftAt(f, t, x, y);
    y = Lerp(y, kGround - f.size * 0.6, settle);
    PaintTuft(cr, x, y, f.size, burnt, f.head);
    if (f.head || embers <= 0) continue;
    PaintGlow(cr, x, y, 4, Hex(0xFF6A10), 0.5 * embers);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + 0.5, y, 0.9, 0, kTau);
    SetColor(cr, Hex(0xFF9A30), 0.9 * embers);
    cairo_fill(cr);
  }
}

// The smoke over the remains; t runs 0..1 along the remains row.
void PaintRemainsSmoke(cairo_t* cr, double t, double alpha) {
  PaintSmoke(cr, 30, 70, 14, 44, t * 0.8, 97, Hex(0x5E5A5C), 0.7 * alpha);
  PaintSmoke(cr, 46, 70, 12, 38, t * 0.8 + 0.5, 98, Hex(0x6A6668), 0.6 * alpha);
}

// Dry explosion: jolt, flash, fireball, smoke with flying wool; the wool
// chars as it falls, and the last frame is the first of the remains.
void PaintDryBurst(cairo_t* cr, int col) {
  if (col == 0) {
    PaintGlow(cr, 36, 50, 31, 34, Hex(0xFFF08A), 0.7);
    SheepPose p;
    p.puff = 1.25;
    p.shocked = true;
    PaintSheep(cr, p);
    for (int i = 0; i < 5; ++i) PaintSpark(cr, 14 + i * 11, 30 + (i % 2) * 8, 3.5, Hex(0xFFE060));
    return;
  }
  if (col == 1) {
    PaintGlow(cr, 36, 50, 31, 40, Hex(0xFFFFFF), 1.0);
    PaintGlow(cr, 36, 50, 30, Hex(0xFFE070), 0.9);
    SheepPose p;
    p.puff = 1.4;
    p.shocked = true;
    cairo_push_group(cr);
    PaintSheep(cr, p);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 0.55);
    return;
  }
  const double t = col - 1;  // 1..kLanding
  const double fire = std::max(0.0, 1 - (t - 1) / 3.0);
  const double smoke = std::max(0.0, 1 - (t - 1) / (kLanding - 1));
  const double settling = SmoothStep((t - 3) / (kLanding - 3));
  // Smoke cloud growing and thinning.
  DrawRandom rnd(31);
  for (int i = 0; i < 7; ++i) {
    const double a = rnd.Uniform(0, kTau);
    const double d = rnd.Uniform(4, 12) * (0.6 + 0.4 * t);
    const double r = rnd.Uniform(8, 13) * (0.7 + 0.15 * t);
    const double x = 36 + std::cos(a) * d, y = 50 + std::sin(a) * d * 0.6 - t * 2.5;
    PaintGlow(cr, x, y, r, Hex(0x6E6A6C), 0.75 * smoke);
  }
  if (fire > 0) {
    PaintGlow(cr, 36, 52, 26 * fire + 8, Hex(0xFF9A2A), 0.8 * fire);
    PaintFlames(cr, 36, 66, 36 * fire + 10, 34 * fire, t / 4.0, 5, fire);
  }
  if (t == 1) {  // the fleece bursting outwards
    std::vector<Circle> burst;
    for (int i = 0; i < 11; ++i) {
      const double a = kTau * i / 11;
      burst.push_back({36 + std::cos(a) * 19, 50 + std::sin(a) * 14, 8.5});
    }
    cairo_pattern_t* fill = cairo_pattern_create_radial(36, 50, 4, 36, 50, 30);
    cairo_pattern_add_color_stop_rgb(fill, 0, 1, 0.85, 0.5);
    cairo_pattern_add_color_stop_rgb(fill, 1, 0.95, 0.93, 0.9);
    PaintBlob(cr, burst, fill, Rgb{1, 1, 1}, kInk, 0.9);
    cairo_pattern_destroy(fill);
    PaintGlow(cr, 36, 50, 16, Hex(0xFFF0B0), 0.9);
  }
  PaintRemainsSmoke(cr, (t - kLanding) / 5, settling);
  PaintTufts(cr, t, SmoothStep((t - 1.5) / (kLanding - 1.5)), 0, settling);
}

// Wet explosion: the soaked sheep conducts: blue-white zap, sparks, steam.
void PaintWetZap(cairo_t* cr, int col) {
  const Rgb blue = Hex(0x6FB4FF);
  if (col == 0) {
    PaintGlow(cr, 36, 52, 31, 36, blue, 0.8);
    SheepPose p;
    p.wet = true;
    p.shocked = true;
    p.zap = 1;
    PaintSheep(cr, p);
    for (int i = 0; i < 6; ++i) {
      const double a = kTau * i / 6 + 0.3;
      PaintZap(cr, 36 + std::cos(a) * 14, 52 + std::sin(a) * 9, 36 + std::cos(a) * 30,
               52 + std::sin(a) * 20, 3, 40 + i, blue, 1.3);
    }
    return;
  }
  if (col == 1) {
    PaintGlow(cr, 36, 52, 31, 44, Hex(0xFFFFFF), 1.0);
    PaintGlow(cr, 36, 52, 31, 36, blue, 0.9);
    for (int i = 0; i < 10; ++i) {
      const double a = kTau * i / 10;
      PaintZap(cr, 36, 52, 36 + std::cos(a) * 34, 52 + std::sin(a) * 26, 4, 60 + i, blue, 1.6);
    }
    DrawRandom rnd(61);
    for (int i = 0; i < 10; ++i)
      PaintSpark(cr, rnd.Uniform(6, 69), rnd.Uniform(22, 72), rnd.Uniform(2, 4), Hex(0xCFE8FF));
    return;
  }
  const double t = col - 1;  // 1, 2
  for (int i = 0; i < 3; ++i)
    PaintSmoke(cr, 24 + i * 13, 66, 16, 46, 0.15 * t + i * 0.3, 80 + i, Hex(0xE4ECF4),
               0.9 - 0.25 * t);
  DrawRandom rnd(71 + col);
  for (int i = 0; i < 8 - 2 * col; ++i)
    PaintSpark(cr, rnd.Uniform(10, 65), rnd.Uniform(30, 72), rnd.Uniform(1.5, 3), Hex(0xBFE0FF));
  // The charred bits come down where the remains row starts.
  PaintRemainsSmoke(cr, (t - 2) / 5, 0.5 * (t - 1));
  PaintTufts(cr, t + kLanding - 2, 1, 0, 0.5 * (t - 1));
}

// Remains: the charred bits settle on the ground and smoke; column 4 is final.
void PaintRemains(cairo_t* cr, int col) {
  const double t = std::min(col, 4) / 4.0;
  PaintRemainsSmoke(cr, t, 1);
  PaintTufts(cr, kLanding, 1, SmoothStep(t * 1.3), 1 - 0.5 * t);
}

// Die sheet rows: 0 dry burst, 1 wet zap, 2 remains; 3..5 the same facing left.
void PaintDieFrame(cairo_t* cr, int col, int row) {
  // Glows, sparks, zaps and smoke fade out before the frame's sides and top.
  EdgeFence fence(cr, kFrame, kFrame, 10);
  Facing(cr, row >= 3, [&] {
    switch (row % 3) {
      case 0:
        PaintDryBurst(cr, std::min(col, 6));
        break;
      case 1:
        PaintWetZap(cr, std::min(col, 3));
        break;
      default:
        PaintRemains(cr, col);
        break;
    }
  });
}

}  // namespace

void GenerateSheepImages(const Output& out) {
  MakeSheet(out, image::kSheepWalk, kFrame, kFrame, PaintWalkFrame);
  MakeSheet(out, image::kSheepDie, kFrame, kFrame, PaintDieFrame);
}
