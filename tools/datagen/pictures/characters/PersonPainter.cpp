// The person painter: a stick-and-shape cartoon figure (two-part limbs,
// shaped torso per kind, round head with hair, face and expression) posed by
// PersonPose, with drips when wet, flames when burning and a fall that lays
// the charred body face down on the ground.
#include "tools/datagen/pictures/characters/PersonPainter.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/datagen/pictures/paint/Sheet.h"

using namespace paint;

namespace {

struct Pt {
  double x, y;
};

Pt Along(Pt from, double angle, double len) {
  // angle 0 points down, positive angles swing forward (to the right).
  return {from.x + std::sin(angle) * len, from.y + std::cos(angle) * len};
}

struct Palette {
  Rgb skin, hair, top, bottom, shoes;
  Ink ink;
  Rgb accent;  // hair tie
};

struct Build {
  double thigh, shin, torso, upperArm, foreArm, headR, baseLean;
};

Build BuildOf(int kind) {
  if (kind == 3) return {11, 11, 20, 9, 8.5, 8, 0.22};
  return {12, 12, 22, 10, 9, 8, 0.03};
}

Palette PaletteFor(const PersonLook& look, const PersonPose& pose) {
  Palette p{look.skin,    look.hair,  look.top,
            look.bottom,  look.shoes, Ink{Hex(0x2A1A14), 1.1, 0.8},
            Hex(0xE8283C)};
  switch (pose.mood) {
    case PersonMood::Wet: {
      const Rgb soaked = Hex(0x2C4C8C);
      p.top = Mix(Shade(p.top, 0.7), soaked, 0.18);
      p.bottom = Mix(Shade(p.bottom, 0.72), soaked, 0.18);
      p.hair = Shade(p.hair, 0.68);
      p.skin = Mix(p.skin, Hex(0xB8C8D8), 0.18);
      break;
    }
    case PersonMood::Zombie:
      p.skin = look.kind == 3 ? Hex(0x8DAE6C) : Hex(0x98C66C);
      p.top = Shade(Desaturate(p.top, 0.5), 0.68);
      p.bottom = Shade(Desaturate(p.bottom, 0.45), 0.7);
      p.hair = Shade(Desaturate(p.hair, 0.5), 0.8);
      p.ink = Ink{Hex(0x1C2A14), 1.1, 0.85};
      break;
    default:
      break;
  }
  if (pose.fire > 0 || pose.charred > 0) {
    const Rgb soot = Hex(0x2A1C16);
    const double s = Clamp01(0.3 * pose.fire + pose.charred);
    p.top = Mix(p.top, soot, s);
    p.bottom = Mix(p.bottom, soot, s);
    p.hair = Mix(p.hair, Hex(0x141010), Clamp01(0.4 * pose.fire + pose.charred));
    p.shoes = Mix(p.shoes, soot, s);
    p.skin = Mix(p.skin, Hex(0x3A2A24), Clamp01(pose.charred));
    p.accent = Mix(p.accent, soot, s);
  }
  return p;
}

void Dot(cairo_t* cr, double x, double y, double r, Rgb c, double alpha = 1) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x, y, r, 0, kTau);
  SetColor(cr, c, alpha);
  cairo_fill(cr);
}

void FillInked(cairo_t* cr, Rgb top, Rgb bottom, double y0, double y1, const Ink& ink) {
  FillVertical(cr, y0, y1, top, bottom, 1, true);
  StrokeInk(cr, ink);
}

// ---- torso shapes, local to the hip (0, 0), facing right, up is -y ----

void TorsoPath(cairo_t* cr, int kind, double t, bool front) {
  const double k = front ? 1.3 : 1.0;
  if (kind == 1) {  // dress
    const double back = front ? -4.8 * k : -4.2, fr = front ? 4.8 * k : 4.5;
    cairo_move_to(cr, back, -t);
    cairo_curve_to(cr, back - 1.3, -t + 6, back - 0.3, -10, back + 0.2, -7);
    cairo_curve_to(cr, back - 2, -3, -9 * k, 4, -10 * k, 9);
    cairo_curve_to(cr, -3 * k, 11, 3 * k, 11, 10 * k, 9);
    cairo_curve_to(cr, 9 * k, 4, fr + 1.5, -3, fr, -7);
    cairo_curve_to(cr, fr + 1, -11, fr + 2, -t + 5, fr, -t);
    cairo_curve_to(cr, fr - 2.5, -t - 2, back + 2.2, -t - 2, back, -t);
  } else if (kind == 2) {  // jacket over trousers
    const double w = front ? 6.8 : 5.2;
    cairo_move_to(cr, -w + 0.6, -t);
    cairo_curve_to(cr, -w - 0.6, -t + 8, -w - 0.6, -6, -w - 0.4, 2);
    cairo_curve_to(cr, -2, 3.5, 2, 3.5, w + 0.4, 2);
    cairo_curve_to(cr, w + 0.6, -6, w + 0.8, -t + 8, w - 0.4, -t);
    cairo_curve_to(cr, w - 3, -t - 2, -w + 3, -t - 2, -w + 0.6, -t);
  } else {  // long coat
    const double w = front ? 7.6 : 6.2;
    cairo_move_to(cr, -w + 0.7, -t);
    cairo_curve_to(cr, -w - 1, -10, -w - 1.5, 0, -w - 1.4, 8);
    cairo_curve_to(cr, -2, 9.8, 3, 9.8, w + 0.6, 8);
    cairo_curve_to(cr, w, 0, w, -10, w - 1.2, -t + 2);
    cairo_curve_to(cr, w - 3, -t - 2, -w + 3, -t - 2.2, -w + 0.7, -t);
  }
  cairo_close_path(cr);
}

double HemY(int kind) { return kind == 1 ? 10 : (kind == 2 ? 3 : 9.5); }

// The ragged hem of the risen: a zigzag edge that the torso is clipped to.
void RaggedHemPath(cairo_t* cr, double hem, double half) {
  cairo_move_to(cr, -half - 4, -60);
  cairo_line_to(cr, half + 4, -60);
  cairo_line_to(cr, half + 4, hem - 1);
  for (int i = 6; i >= 0; --i)
    cairo_line_to(cr, -half + 2 * half * (i + 0.5) / 7, hem + ((i % 2) ? 2.4 : -2.2));
  cairo_line_to(cr, -half - 4, hem - 1);
  cairo_close_path(cr);
}

void PaintTorso(cairo_t* cr, int kind, double t, bool front, const Palette& p, bool zombie) {
  const double hem = HemY(kind), half = front ? 13 : 11;
  cairo_save(cr);
  if (zombie) {
    RaggedHemPath(cr, hem, half);
    cairo_clip(cr);
  }
  TorsoPath(cr, kind, t, front);
  FillInked(cr, Shade(p.top, 1.12), Shade(p.top, 0.78), -t, hem, p.ink);
  cairo_restore(cr);
  // Trim: collar, belt, buttons.
  if (kind == 1) {
    cairo_move_to(cr, front ? -5.5 : -3.5, -6.8);
    cairo_line_to(cr, front ? 5.5 : 4.2, -6.8);
    StrokeInk(cr, Ink{Shade(p.top, 0.55), 1.4, 0.9});
    cairo_new_sub_path(cr);
    cairo_arc(cr, front ? 0 : 1.5, -t - 0.2, 2.6, 0.1, kPi - 0.1);
    StrokeInk(cr, Ink{Hex(0xF8F0E8), 1.3, 0.95});
  } else {
    const double bx = front ? 0 : 3.6;
    for (int i = 0; i < 3; ++i) Dot(cr, bx, -t + 6 + i * 6, 0.9, Shade(p.top, 1.45));
    if (kind == 2) {
      cairo_move_to(cr, bx - 2.5, -t);
      cairo_line_to(cr, bx, -t + 5);
      cairo_line_to(cr, bx + (front ? 2.5 : 1.5), -t);
      StrokeInk(cr, Ink{Shade(p.top, 1.5), 1.1, 0.9});
    } else {
      RoundRectPath(cr, front ? -5.5 : -3, 0, 3.5, 3, 0.8);
      StrokeInk(cr, Ink{Shade(p.top, 0.6), 0.9, 0.8});
    }
  }
  if (zombie) {
    // The zigzag edge gets its outline, and the cloth a stitched tear.
    cairo_save(cr);
    TorsoPath(cr, kind, t, front);
    cairo_clip(cr);
    RaggedHemPath(cr, hem, half);
    StrokeInk(cr, p.ink);
    cairo_restore(cr);
    cairo_move_to(cr, -3, -t + 9);
    cairo_line_to(cr, 1, -t + 13);
    cairo_move_to(cr, -2.5, -t + 13);
    cairo_line_to(cr, 0.5, -t + 9.5);
    StrokeInk(cr, Ink{Shade(p.top, 0.45), 0.9, 0.9});
  }
}

// ---- heads ----

enum class Expr { Smile, Sad, Scream, Zombie, Dead, Blink };

Expr ExprOf(const PersonPose& pose) {
  switch (pose.mood) {
    case PersonMood::Wet:
      return pose.blink ? Expr::Blink : Expr::Sad;
    case PersonMood::Burning:
      return Expr::Scream;
    case PersonMood::Zombie:
      return Expr::Zombie;
    case PersonMood::Dead:
      return Expr::Dead;
    default:
      return pose.blink ? Expr::Blink : Expr::Smile;
  }
}

void PaintEye(cairo_t* cr, double x, double y, Expr e, const Palette& p) {
  const Rgb dark = Hex(0x1A1010);
  switch (e) {
    case Expr::Blink:
      cairo_move_to(cr, x - 1.5, y);
      cairo_line_to(cr, x + 1.5, y);
      StrokeInk(cr, Ink{dark, 0.9, 0.9});
      break;
    case Expr::Dead:
      cairo_move_to(cr, x - 1.4, y - 1.4);
      cairo_line_to(cr, x + 1.4, y + 1.4);
      cairo_move_to(cr, x + 1.4, y - 1.4);
      cairo_line_to(cr, x - 1.4, y + 1.4);
      StrokeInk(cr, Ink{dark, 0.9, 0.9});
      break;
    case Expr::Scream:
      EllipsePath(cr, x, y, 1.9, 2.3);
      SetColor(cr, Rgb{1, 1, 1});
      cairo_fill_preserve(cr);
      StrokeInk(cr, Ink{dark, 0.6, 0.8});
      Dot(cr, x + 0.4, y, 0.8, dark);
      break;
    case Expr::Zombie:
      EllipsePath(cr, x, y, 2.3, 2.3);
      SetColor(cr, Shade(p.skin, 0.55));
      cairo_fill(cr);
      EllipsePath(cr, x, y, 1.6, 1.7);
      SetColor(cr, Hex(0xF4F0D8));
      cairo_fill(cr);
      Dot(cr, x + 0.3, y + 0.2, 0.55, Hex(0xC01818));
      break;
    default:
      EllipsePath(cr, x, y, 1.15, 1.55);
      SetColor(cr, dark);
      cairo_fill(cr);
      Dot(cr, x - 0.3, y - 0.6, 0.4, Rgb{1, 1, 1});
      if (e == Expr::Sad) {
        cairo_move_to(cr, x - 1.8, y - 2.2);
        cairo_line_to(cr, x + 1.5, y - 3.4);
        StrokeInk(cr, Ink{dark, 0.8, 0.85});
      }
      break;
  }
}

void PaintMouth(cairo_t* cr, double x, double y, Expr e) {
  const Rgb dark = Hex(0x3A1010);
  switch (e) {
    case Expr::Smile:
    case Expr::Blink:
      cairo_move_to(cr, x - 2, y - 0.3);
      cairo_curve_to(cr, x - 1, y + 1.3, x + 1, y + 1.3, x + 2, y - 0.3);
      StrokeInk(cr, Ink{dark, 0.9, 0.85});
      break;
    case Expr::Sad:
      cairo_move_to(cr, x - 2, y + 0.8);
      cairo_curve_to(cr, x - 1, y - 0.8, x + 1, y - 0.8, x + 2, y + 0.8);
      StrokeInk(cr, Ink{dark, 0.9, 0.85});
      break;
    case Expr::Scream:
      EllipsePath(cr, x, y + 1, 1.9, 2.8);
      SetColor(cr, dark);
      cairo_fill(cr);
      break;
    case Expr::Zombie:
      cairo_move_to(cr, x - 2.2, y);
      cairo_line_to(cr, x - 1, y + 0.8);
      cairo_line_to(cr, x, y);
      cairo_line_to(cr, x + 1, y + 0.8);
      cairo_line_to(cr, x + 2.2, y);
      cairo_line_to(cr, x + 1.6, y + 2.8);
      cairo_line_to(cr, x - 1.6, y + 2.8);
      cairo_close_path(cr);
      SetColor(cr, Hex(0x2A0A0A));
      cairo_fill(cr);
      break;
    case Expr::Dead:
      break;
  }
}

void PaintHairSide(cairo_t* cr, int kind, double hx, double hy, const Palette& p, bool wet,
                   bool back, double swing) {
  const Ink ink = p.ink;
  if (kind == 1) {
    if (back) {  // ponytail behind the head
      const double dx = wet ? -1 : swing, dy = wet ? 12 : 8;
      cairo_move_to(cr, hx - 5.5, hy - 5);
      cairo_curve_to(cr, hx - 12 + dx, hy - 4, hx - 13 + dx, hy + dy - 3, hx - 11 + dx, hy + dy);
      cairo_curve_to(cr, hx - 9.5 + dx, hy + dy - 5, hx - 8, hy - 1, hx - 6, hy + 0.5);
      cairo_close_path(cr);
      FillInked(cr, Shade(p.hair, 1.1), Shade(p.hair, 0.85), hy - 5, hy + dy, ink);
      return;
    }
    const double drop = wet ? 1.8 : 0;
    cairo_move_to(cr, hx + 7.6, hy - 2 + drop);
    cairo_curve_to(cr, hx + 6.5, hy - 10, hx - 4, hy - 11, hx - 8.3, hy - 2);
    cairo_curve_to(cr, hx - 8.6, hy + 2, hx - 7, hy + 4, hx - 5.5, hy + 4.5);
    cairo_curve_to(cr, hx - 4, hy, hx - 1, hy - 4 + drop, hx + 1.5, hy - 4.5 + drop);
    cairo_curve_to(cr, hx + 4, hy - 5 + drop, hx + 6, hy - 3.5 + drop, hx + 7.6, hy - 2 + drop);
    cairo_close_path(cr);
    FillInked(cr, Shade(p.hair, 1.15), Shade(p.hair, 0.85), hy - 9, hy + 4, ink);
    Dot(cr, hx - 6.6, hy - 3.2, 1.4, p.accent);
  } else if (kind == 2) {
    if (back) return;
    const double drop = wet ? 2.5 : 0;
    cairo_move_to(cr, hx + 7.8, hy - 1.5 + drop * 0.5);
    cairo_curve_to(cr, hx + 7, hy - 11, hx - 6, hy - 11.5, hx - 8.8, hy - 1);
    cairo_curve_to(cr, hx - 9.4, hy + 4 + drop, hx - 8.5, hy + 7 + drop, hx - 6.5, hy + 7.5 + drop);
    cairo_curve_to(cr, hx - 5, hy + 7 + drop, hx - 3, hy + 6 + drop, hx - 2.6, hy + 5 + drop);
    cairo_curve_to(cr, hx - 2.6, hy + 1, hx - 1.2, hy - 3, hx + 1, hy - 4);
    cairo_curve_to(cr, hx + 4, hy - 5.2 + drop, hx + 6, hy - 3 + drop, hx + 7.8,
                   hy - 1.5 + drop * 0.5);
    cairo_close_path(cr);
    FillInked(cr, Shade(p.hair, 1.4), Shade(p.hair, 0.9), hy - 9, hy + 8, ink);
  } else {
    if (back) return;
    // Grey fringe round the back of a bald head.
    cairo_move_to(cr, hx - 2, hy - 6.2);
    cairo_curve_to(cr, hx - 6, hy - 6, hx - 9.4, hy - 2, hx - 8.6, hy + 2);
    cairo_curve_to(cr, hx - 8.4, hy + 4.5, hx - 6.5, hy + 6, hx - 5, hy + 5.5);
    cairo_curve_to(cr, hx - 4, hy + 2, hx - 3, hy - 2, hx - 2, hy - 6.2);
    cairo_close_path(cr);
    FillInked(cr, Shade(p.hair, 1.1), Shade(p.hair, 0.85), hy - 6, hy + 6, ink);
  }
}

void PaintHeadSide(cairo_t* cr, int kind, double hx, double hy, double r, const Palette& p,
                   const PersonPose& pose) {
  const Expr e = ExprOf(pose);
  const bool wet = pose.mood == PersonMood::Wet;
  const double swing = std::sin(pose.walk) * 2;
  PaintHairSide(cr, kind, hx, hy, p, wet, true, swing);
  cairo_new_sub_path(cr);
  cairo_arc(cr, hx, hy, r, 0, kTau);
  FillRadial(cr, hx + 2, hy - 2.5, r * 1.3, Shade(p.skin, 1.12), Shade(p.skin, 0.82), 1, true);
  StrokeInk(cr, p.ink);
  // Nose, ear.
  const double noseR = kind == 3 ? 2.2 : 1.5;
  cairo_new_sub_path(cr);
  cairo_arc(cr, hx + r - 0.3, hy + 0.8, noseR, -kPi * 0.45, kPi * 0.5);
  SetColor(cr, p.skin);
  cairo_fill_preserve(cr);
  StrokeInk(cr, p.ink);
  EllipsePath(cr, hx - 1.8, hy + 0.8, 1.5, 2);
  SetColor(cr, Shade(p.skin, 0.9));
  cairo_fill_preserve(cr);
  StrokeInk(cr, Ink{p.ink.color, 0.8, 0.6});
  if (pose.mood == PersonMood::Zombie) {
    Dot(cr, hx - 3, hy - 4, 1.3, Shade(p.skin, 0.7), 0.8);
    Dot(cr, hx + 2, hy + 5, 1.0, Shade(p.skin, 0.7), 0.8);
  }
  if (pose.mood != PersonMood::Dead) {
    PaintEye(cr, hx + 3.4, hy - 1.2, e, p);
    PaintMouth(cr, hx + 4.6, hy + 3.6, e);
  }
  PaintHairSide(cr, kind, hx, hy, p, wet, false, swing);
  if (kind == 3) {
    // Beard, moustache and a bushy brow.
    const Rgb beard = pose.mood == PersonMood::Zombie ? Hex(0xB8BCA8) : Shade(p.hair, 1.2);
    cairo_move_to(cr, hx + 0.5, hy + 2.6);
    cairo_curve_to(cr, hx + 3, hy + 2.2, hx + 6.5, hy + 2.2, hx + 8.2, hy + 3.2);
    cairo_curve_to(cr, hx + 8, hy + 7, hx + 6, hy + 10.5, hx + 3.5, hy + 11);
    cairo_curve_to(cr, hx + 1.5, hy + 9, hx - 0.5, hy + 6, hx + 0.5, hy + 2.6);
    cairo_close_path(cr);
    FillInked(cr, beard, Shade(beard, 0.85), hy + 2, hy + 11, p.ink);
    if (e == Expr::Scream || e == Expr::Zombie) PaintMouth(cr, hx + 5, hy + 5, e);
    cairo_move_to(cr, hx + 1.5, hy - 3.8);
    cairo_line_to(cr, hx + 5.2, hy - 4.4);
    StrokeInk(cr, Ink{beard, 1.6, 1});
  }
}

void PaintHeadFront(cairo_t* cr, int kind, double hx, double hy, double r, const Palette& p,
                    const PersonPose& pose) {
  const Expr e = ExprOf(pose);
  const bool wet = pose.mood == PersonMood::Wet;
  const double drop = wet ? 2 : 0;
  const Ink ink = p.ink;
  if (kind == 1) {  // ponytail peeking out on one side
    cairo_move_to(cr, hx + 6, hy - 5);
    cairo_curve_to(cr, hx + 12, hy - 3, hx + 12, hy + 5 + drop, hx + 10, hy + 8 + drop);
    cairo_curve_to(cr, hx + 9, hy + 4, hx + 8, hy, hx + 6, hy);
    cairo_close_path(cr);
    FillInked(cr, Shade(p.hair, 1.1), Shade(p.hair, 0.85), hy - 5, hy + 8, ink);
  }
  if (kind == 2) {  // bob behind the face
    RoundRectPath(cr, hx - 9.5, hy - 6, 19, 13.5 + drop, 4);
    FillInked(cr, Shade(p.hair, 1.3), Shade(p.hair, 0.9), hy - 6, hy + 8, ink);
  }
  cairo_new_sub_path(cr);
  cairo_arc(cr, hx, hy, r, 0, kTau);
  FillRadial(cr, hx - 1.5, hy - 2.5, r * 1.3, Shade(p.skin, 1.12), Shade(p.skin, 0.82), 1, true);
  StrokeInk(cr, ink);
  PaintEye(cr, hx - 3, hy - 0.8, e, p);
  PaintEye(cr, hx + 3, hy - 0.8, e, p);
  if (e == Expr::Sad) {  // worried brows slope the other way on the left eye
    cairo_move_to(cr, hx - 1.2, hy - 3.6);
    cairo_line_to(cr, hx - 4.6, hy - 2.8);
    StrokeInk(cr, Ink{Hex(0x1A1010), 0.8, 0.85});
  }
  PaintMouth(cr, hx, hy + 4, e);
  Dot(cr, hx - 5, hy + 2.3, 1.5, Hex(0xF08080), 0.35);
  Dot(cr, hx + 5, hy + 2.3, 1.5, Hex(0xF08080), 0.35);
  if (kind == 1) {
    cairo_move_to(cr, hx - 8.2, hy + 1 + drop);
    cairo_curve_to(cr, hx - 8.5, hy - 10, hx + 8.5, hy - 10, hx + 8.2, hy + 1 + drop);
    cairo_curve_to(cr, hx + 6, hy - 3, hx + 3, hy - 5 + drop, hx, hy - 4.5 + drop);
    cairo_curve_to(cr, hx - 3, hy - 5 + drop, hx - 6, hy - 3, hx - 8.2, hy + 1 + drop);
    cairo_close_path(cr);
    FillInked(cr, Shade(p.hair, 1.15), Shade(p.hair, 0.85), hy - 9, hy + 1, ink);
  } else if (kind == 2) {
    cairo_move_to(cr, hx - 8.8, hy + 1 + drop);
    cairo_curve_to(cr, hx - 9.5, hy - 11, hx + 9.5, hy - 11, hx + 8.8, hy + 1 + drop);
    cairo_curve_to(cr, hx + 7.5, hy - 2, hx + 5, hy - 4.5 + drop, hx + 1, hy - 4 + drop);
    cairo_curve_to(cr, hx - 3, hy - 3 + drop, hx - 7, hy - 3, hx - 8.8, hy + 1 + drop);
    cairo_close_path(cr);
    FillInked(cr, Shade(p.hair, 1.4), Shade(p.hair, 0.9), hy - 9, hy + 1, ink);
  } else {
    for (int side = -1; side <= 1; side += 2) {
      cairo_move_to(cr, hx + side * 6.5, hy - 5);
      cairo_curve_to(cr, hx + side * 10, hy - 3, hx + side * 10, hy + 3, hx + side * 7.5, hy + 4);
      cairo_curve_to(cr, hx + side * 6, hy + 1, hx + side * 6, hy - 2, hx + side * 6.5, hy - 5);
      cairo_close_path(cr);
      FillInked(cr, Shade(p.hair, 1.1), Shade(p.hair, 0.85), hy - 5, hy + 4, ink);
    }
    const Rgb beard = pose.mood == PersonMood::Zombie ? Hex(0xB8BCA8) : Shade(p.hair, 1.2);
    cairo_move_to(cr, hx - 6.5, hy + 2);
    cairo_curve_to(cr, hx - 3, hy + 3.5, hx + 3, hy + 3.5, hx + 6.5, hy + 2);
    cairo_curve_to(cr, hx + 6, hy + 8, hx + 3, hy + 11.5, hx, hy + 12);
    cairo_curve_to(cr, hx - 3, hy + 11.5, hx - 6, hy + 8, hx - 6.5, hy + 2);
    cairo_close_path(cr);
    FillInked(cr, beard, Shade(beard, 0.85), hy + 2, hy + 12, ink);
    PaintMouth(cr, hx, hy + 5.5, e);
    for (int side = -1; side <= 1; side += 2) {
      cairo_move_to(cr, hx + side * 1.5, hy - 3.6);
      cairo_line_to(cr, hx + side * 5, hy - 3.2);
      StrokeInk(cr, Ink{beard, 1.6, 1});
    }
  }
}

// ---- limbs ----

struct ArmAngles {
  double upper, fore;
};

// Arm angles relative to the torso; `lean` is the torso's lean, which the
// outstretched zombie arms make up for so that they point straight ahead.
ArmAngles ArmFor(const PersonPose& pose, int kind, int k, double lean) {
  const double ph = pose.walk + k * kPi;
  switch (pose.arms) {
    case PersonArms::Hang:
      return {0.05 - 0.15 * pose.stride * std::sin(ph), 0.12};
    case PersonArms::Panic: {
      const double a = kPi * 0.82 + 0.3 * std::sin(pose.armWave + k * kPi);
      return {a, a + 0.55 * std::sin(2 * pose.armWave + k * 1.3)};
    }
    case PersonArms::Forward:
      return {1.42 + lean + 0.06 * std::sin(ph), 1.58 + lean + 0.05 * std::sin(ph + 1)};
    default:
      if (kind == 3 && k == 0) return {0.35 + 0.1 * std::sin(pose.walk), 0.75};
      return {-0.45 * pose.stride * std::sin(ph), -0.45 * pose.stride * std::sin(ph) + 0.45};
  }
}

void PaintArm(cairo_t* cr, Pt shoulder, ArmAngles a, const Build& b, const Palette& p, int kind,
              double shade) {
  const Pt elbow = Along(shoulder, a.upper, b.upperArm);
  const Pt hand = Along(elbow, a.fore, b.foreArm);
  const Rgb sleeve = Shade(p.top, shade);
  Limb(cr, {shoulder.x, shoulder.y, elbow.x, elbow.y}, 4.2, sleeve, p.ink);
  Limb(cr, {elbow.x, elbow.y, hand.x, hand.y}, 3.5, kind == 1 ? Shade(p.skin, shade) : sleeve,
       p.ink);
  cairo_new_sub_path(cr);
  cairo_arc(cr, hand.x, hand.y, 2.2, 0, kTau);
  SetColor(cr, Shade(p.skin, shade));
  cairo_fill_preserve(cr);
  StrokeInk(cr, Ink{p.ink.color, 0.9, p.ink.alpha});
}

struct Leg {
  Pt knee, foot;
};

void PaintLeg(cairo_t* cr, Pt hip, Leg leg, const Palette& p, int kind, double shade) {
  const Rgb c = Shade(kind == 1 ? p.skin : p.bottom, shade);
  Limb(cr, {hip.x, hip.y, leg.knee.x, leg.knee.y, leg.foot.x, leg.foot.y}, kind == 1 ? 3.8 : 5.2, c,
       p.ink);
  EllipsePath(cr, leg.foot.x + 1.8, leg.foot.y + 0.4, 3.9, 2.2);
  SetColor(cr, Shade(p.shoes, shade));
  cairo_fill_preserve(cr);
  StrokeInk(cr, Ink{p.ink.color, 0.9, p.ink.alpha});
}

// The figure itself, upright, facing right or the viewer.
void PaintFigure(cairo_t* cr, const PersonLook& look, const PersonPose& pose, const Palette& p) {
  const Build b = BuildOf(look.kind);
  const bool zombie = pose.mood == PersonMood::Zombie;
  // A falling body straightens out, so that it lies flat.
  const double lean = (pose.lean + b.baseLean) * (1 - pose.fall);
  if (pose.front) {
    const double hipY = pose.footY - 2.5 - b.thigh - b.shin;
    const double cx = pose.x + pose.sway;
    for (int side = -1; side <= 1; side += 2) {
      const Pt hip{cx + side * 3.8, hipY};
      PaintLeg(cr, hip, {{cx + side * 4.2, hipY + b.thigh}, {cx + side * 4.5, pose.footY - 2.5}}, p,
               look.kind, 1.0);
    }
    cairo_save(cr);
    cairo_translate(cr, cx, hipY);
    const double t = b.torso * (1 + 0.02 * pose.breathe);
    if (look.kind == 3) {  // the cane stands beside him
      Limb(cr, {11.5, -t + 17, 12.5, pose.footY - hipY}, 1.8, Hex(0x6B4423), p.ink);
    }
    PaintTorso(cr, look.kind, t, true, p, zombie);
    for (int side = -1; side <= 1; side += 2) {
      if (pose.arms == PersonArms::Hug) {  // arms wrapped round the chest against the cold
        PaintArm(cr, {side * 7.2, -t + 1.5}, {side * 0.35, -side * 1.9}, b, p, look.kind, 1.0);
      } else {
        const double swing = 0.05 * std::sin(pose.breathe * kTau + side);
        PaintArm(cr, {side * 7.6, -t + 1.5}, {side * (0.2 + swing), side * (0.08 + swing)}, b, p,
                 look.kind, 0.95);
      }
    }
    cairo_rectangle(cr, -1.8, -t - 3, 3.6, 3.5);
    SetColor(cr, p.skin);
    cairo_fill(cr);
    PaintHeadFront(cr, look.kind, 0, -t - b.headR - 1.5, b.headR, p, pose);
    cairo_restore(cr);
    return;
  }

  // Side view: legs from the walk cycle; the hip rides as high as the lower
  // foot allows, which gives the bob.
  Leg legs[2];
  double drop = 0;
  for (int k = 0; k < 2; ++k) {
    const double ph = pose.walk + k * kPi;
    const double stiff = zombie ? 0.3 : 1.0;
    const double a1 = pose.stride * 0.45 * std::sin(ph);
    const double bend = pose.stride * 0.85 * stiff * std::max(0.0, std::cos(ph));
    const Pt knee = Along({0, 0}, a1, b.thigh);
    const Pt foot = Along(knee, a1 - bend, b.shin);
    legs[k] = {knee, foot};
    drop = std::max(drop, foot.y);
  }
  const Pt hip{pose.x + pose.sway - 1.5, pose.footY - 2.5 - drop};
  for (Leg& l : legs) {
    l.knee = {l.knee.x + hip.x, l.knee.y + hip.y};
    l.foot = {l.foot.x + hip.x, l.foot.y + hip.y};
  }
  const Pt shoulderLocal{0.5, -b.torso + 1.5};
  // Far side first, in shadow.
  PaintLeg(cr, hip, legs[1], p, look.kind, 0.78);
  cairo_save(cr);
  cairo_translate(cr, hip.x, hip.y);
  cairo_rotate(cr, lean);
  PaintArm(cr, shoulderLocal, ArmFor(pose, look.kind, 1, lean), b, p, look.kind, 0.78);
  cairo_restore(cr);
  PaintLeg(cr, hip, legs[0], p, look.kind, 1.0);

  cairo_save(cr);
  cairo_translate(cr, hip.x, hip.y);
  cairo_rotate(cr, lean);
  PaintTorso(cr, look.kind, b.torso, false, p, zombie);
  if (look.kind == 3 && pose.arms == PersonArms::Swing) {
    // The cane: from his near hand to the ground ahead of him.
    const ArmAngles a = ArmFor(pose, 3, 0, lean);
    const Pt hand = Along(Along(shoulderLocal, a.upper, b.upperArm), a.fore, b.foreArm);
    double gx = hand.x + 2, gy = pose.footY - hip.y;
    // The ground point is in the unrotated frame: undo the lean for it.
    const double c = std::cos(-lean), s = std::sin(-lean);
    const double lx = gx * c - gy * s, ly = gx * s + gy * c;
    Limb(cr, {hand.x, hand.y - 1.5, lx + 2.5, ly}, 1.8, Hex(0x6B4423), p.ink);
    cairo_new_sub_path(cr);
    cairo_arc(cr, hand.x + 1.5, hand.y - 2.5, 2, kPi, kTau);
    StrokeInk(cr, Ink{Hex(0x6B4423), 1.8, 1});
  }
  const double headLean = pose.mood == PersonMood::Zombie ? 1.8 : 0;
  const double hx = 1.8 + headLean + (look.kind == 3 ? 1.5 : 0);
  const double hy = -b.torso - b.headR + (look.kind == 3 ? 1.5 : 0.5);
  cairo_rectangle(cr, -1.2, -b.torso - 3, 3.4, 4);
  SetColor(cr, p.skin);
  cairo_fill(cr);
  PaintHeadSide(cr, look.kind, hx, hy, b.headR, p, pose);
  PaintArm(cr, shoulderLocal, ArmFor(pose, look.kind, 0, lean), b, p, look.kind, 1.0);
  cairo_restore(cr);
}

}  // namespace

PersonLook LookOfKind(int kind) {
  switch (kind) {
    case 1:
      return {1, Hex(0xF4CDA5), Hex(0xF2BE46), Hex(0xD92B2F), Hex(0xF4CDA5), Hex(0x5A2418)};
    case 2:
      return {2, Hex(0xC08A64), Hex(0x2C1B14), Hex(0x8E46CC), Hex(0x2E3A66), Hex(0x1E1E24)};
    default:
      return {3, Hex(0xEEC6A6), Hex(0xC4C4C4), Hex(0x7A5634), Hex(0x6A6A70), Hex(0x3A2A20)};
  }
}

void PaintPerson(cairo_t* cr, const PersonLook& look, const PersonPose& pose) {
  const Palette p = PaletteFor(look, pose);
  const Build b = BuildOf(look.kind);
  const double fallAngle = pose.fall * kPi / 2 * 0.98;
  const Pt foot{pose.x, pose.footY};
  // The feet slide back as the body falls, so that the head lands inside the frame.
  const Pt pivot{Lerp(pose.x, 5, pose.fall) - 6 * std::sin(kPi * pose.fall),
                 pose.footY - 7.5 * std::sin(fallAngle)};
  auto fallPoint = [&](double x, double y) {
    const double dx = x - foot.x, dy = y - foot.y;
    const double c = std::cos(fallAngle), s = std::sin(fallAngle);
    return Pt{pivot.x + dx * c - dy * s, pivot.y + dx * s + dy * c};
  };
  const double bodyMidY = pose.footY - b.thigh - b.shin - b.torso * 0.4;
  const Pt mid = fallPoint(pose.x + pose.sway, bodyMidY);
  const Pt headTop = fallPoint(pose.x + pose.sway + 2, bodyMidY - b.torso * 0.6 - b.headR);

  if (pose.fire > 0) {  // the big fire behind the body
    const double w = Lerp(30, 60, pose.fall), h = Lerp(72, 34, pose.fall) * pose.fire;
    PaintFlames(cr, mid.x, Lerp(pose.footY - b.shin, pose.footY - 2, pose.fall), w, h,
                pose.firePhase, pose.seed, pose.fire);
  }

  cairo_save(cr);
  cairo_translate(cr, pivot.x, pivot.y);
  cairo_rotate(cr, fallAngle);
  cairo_translate(cr, -foot.x, -foot.y);
  PaintFigure(cr, look, pose, p);
  cairo_restore(cr);

  if (pose.fire > 0) {  // smaller flames licking over the front
    PaintFlames(cr, mid.x, Lerp(mid.y + 12, pose.footY - 1, pose.fall), Lerp(18, 44, pose.fall),
                Lerp(28, 22, pose.fall) * pose.fire, pose.firePhase + 0.4, pose.seed + 7,
                0.6 * pose.fire);
    if (pose.fall < 0.5)  // hair ablaze, the screaming face left free
      PaintFlames(cr, headTop.x - 1, headTop.y - 3, 14, 26 * pose.fire, pose.firePhase + 0.2,
                  pose.seed + 13, 0.85 * pose.fire);
  }
  if (pose.charred > 0.5) {  // embers and smoke on the charred body
    DrawRandom rnd(pose.seed + 99);
    for (int i = 0; i < 5; ++i) {
      const Pt e =
          fallPoint(pose.x + rnd.Uniform(-4, 5), rnd.Uniform(pose.footY - 60, pose.footY - 5));
      Dot(cr, e.x, e.y, rnd.Uniform(0.8, 1.6), Hex(0xFF7A1A), 0.9 * pose.charred);
      PaintGlow(cr, e.x, e.y, 3.5, Hex(0xFF5A10), 0.5 * pose.charred);
    }
    PaintSmoke(cr, mid.x - 6, mid.y - 2, 12, 30, pose.firePhase, pose.seed + 5, Hex(0x5A5658),
               0.55 * pose.charred);
  }
  if (pose.mood == PersonMood::Wet) {
    // Drops falling from hair, hem and hands.
    const double hipY = pose.footY - b.thigh - b.shin;
    const double headY = hipY - b.torso - b.headR;
    const double x = pose.x + pose.sway;
    const Pt sources[5] = {{x - 6, headY + 6},
                           {x + 6, headY + 5},
                           {x - 8, hipY + 9},
                           {x + 8, hipY + 9},
                           {x + 1, hipY + 11}};
    for (int i = 0; i < 5; ++i) {
      const double t = std::fmod(pose.drip + i * 0.37, 1.0);
      PaintDrop(cr, sources[i].x, sources[i].y + t * 18, 5.5, 1 - t * 0.7);
    }
  }
}
