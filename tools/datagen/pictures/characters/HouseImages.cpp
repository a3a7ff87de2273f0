// The three houses and the flag pole. A red cottage and a yellow two-storey
// house (narrow sheets: standing, burning loop, ruin) and a long barn (wide
// sheet: catching fire, ruin, standing, then its burning loop). Houses stand
// on the frame's bottom edge, which the game puts on the ground; flames and
// smoke rise into the space above. The flag waves beside a house.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/datagen/pictures/characters/CharacterParts.h"
#include "tools/datagen/pictures/paint/Paint.h"

using namespace paint;

namespace {

constexpr double kGround = 300;
const Ink kInk{Hex(0x24160E), 1.8, 0.75};
const Rgb kSoot = Hex(0x241C18);

enum class HouseKind { Cottage, Yellow, Barn };

struct Fire {
  double level = 0;   // overall 0..1
  double phase = 0;   // loop 0..1
  double spread = 1;  // how far along the house the fire has reached (0..1)
  bool ruin = false;
  uint32_t seed = 1;
};

struct Window {
  double x, y, w, h;
};

struct Design {
  double width;
  double wallLeft, wallRight, wallTop;
  Rgb wallLight, wallDark, trim, roofLight, roofDark;
  std::vector<Window> windows;
  Window door;
  std::vector<double> roofFires;  // x positions of the roof fires
};

Design DesignOf(HouseKind k) {
  switch (k) {
    case HouseKind::Cottage:
      return {120,
              8,
              112,
              216,
              Hex(0xB8302C),
              Hex(0x7E1C1C),
              Hex(0xF6F2EA),
              Hex(0x56606E),
              Hex(0x2C323C),
              {{17, 236, 21, 22}, {82, 236, 21, 22}},
              {49, 248, 22, 52},
              {30, 60, 92}};
    case HouseKind::Yellow:
      return {120,
              10,
              110,
              184,
              Hex(0xF6D266),
              Hex(0xD29E2E),
              Hex(0xFFFFFF),
              Hex(0xB04A2C),
              Hex(0x6E2414),
              {{18, 252, 20, 24}, {82, 252, 20, 24}, {24, 200, 20, 24}, {76, 200, 20, 24}},
              {48, 252, 24, 48},
              {34, 60, 86}};
    default:
      return {300,
              10,
              290,
              204,
              Hex(0x9C6A42),
              Hex(0x5E3A22),
              Hex(0xF2EEE4),
              Hex(0x5A7868),
              Hex(0x2C4438),
              {{34, 236, 26, 22}, {240, 236, 26, 22}, {140, 210, 20, 18}},
              {118, 236, 64, 64},
              {40, 95, 150, 205, 260}};
  }
}

// Fire at position x along the house (0..1 from the right end, where the
// barn catches first).
double LocalFire(const Fire& f, double x, double width) {
  if (f.level <= 0) return 0;
  const double fromRight = (width - x) / width;
  return Clamp01((f.spread * 1.4 - fromRight) * 3) * f.level;
}

void PaintWindow(cairo_t* cr, const Window& w, Rgb trim, double glow, bool ruin, bool door,
                 const Design& d) {
  if (ruin) {
    RoundRectPath(cr, w.x, w.y, w.w, w.h, 1);
    SetColor(cr, Hex(0x0E0A08));
    cairo_fill(cr);
    return;
  }
  if (door) {
    RoundRectPath(cr, w.x, w.y, w.w, w.h, 2);
    FillVertical(cr, w.y, w.y + w.h, Shade(d.wallDark, 0.9), Shade(d.wallDark, 0.6), 1, true);
    StrokeInk(cr, kInk);
    if (w.w > 40) {  // barn doors: two leaves with white cross braces
      for (int i = 0; i < 2; ++i) {
        const double x0 = w.x + i * w.w / 2 + 3, x1 = x0 + w.w / 2 - 6;
        cairo_rectangle(cr, x0, w.y + 4, x1 - x0, w.h - 4);
        cairo_move_to(cr, x0, w.y + 4);
        cairo_line_to(cr, x1, w.y + w.h);
        cairo_move_to(cr, x1, w.y + 4);
        cairo_line_to(cr, x0, w.y + w.h);
        StrokeInk(cr, Ink{trim, 3, 1});
      }
    } else {
      cairo_rectangle(cr, w.x, w.y, w.w, w.h);
      StrokeInk(cr, Ink{trim, 2.5, 1});
      cairo_arc(cr, w.x + w.w - 5, w.y + w.h * 0.55, 1.6, 0, kTau);
      SetColor(cr, Hex(0xE8C040));
      cairo_fill(cr);
    }
    if (glow > 0) {
      cairo_save(cr);
      cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
      PaintGlow(cr, w.x + w.w / 2, w.y + w.h * 0.6, w.w, Hex(0xC05010), glow * 0.8);
      cairo_restore(cr);
    }
    return;
  }
  if (glow > 0) PaintGlow(cr, w.x + w.w / 2, w.y + w.h / 2, w.w * 1.2, Hex(0xFF8A20), 0.7 * glow);
  cairo_rectangle(cr, w.x, w.y, w.w, w.h);
  const Rgb pane = Mix(Hex(0x9CCCF0), Hex(0xFFC040), glow);
  const Rgb paneDark = Mix(Hex(0x4A7EB8), Hex(0xE0501A), glow);
  FillVertical(cr, w.y, w.y + w.h, pane, paneDark, 1, true);
  StrokeInk(cr, kInk);
  if (glow < 0.5) {  // reflection
    cairo_move_to(cr, w.x + 3, w.y + w.h - 4);
    cairo_line_to(cr, w.x + w.w * 0.55, w.y + 3);
    StrokeInk(cr, Ink{Rgb{1, 1, 1}, 2, 0.5 * (1 - glow)});
  }
  // Frame and cross bars.
  cairo_rectangle(cr, w.x, w.y, w.w, w.h);
  cairo_move_to(cr, w.x + w.w / 2, w.y);
  cairo_line_to(cr, w.x + w.w / 2, w.y + w.h);
  cairo_move_to(cr, w.x, w.y + w.h / 2);
  cairo_line_to(cr, w.x + w.w, w.y + w.h / 2);
  StrokeInk(cr, Ink{trim, 2.4, 1});
  cairo_rectangle(cr, w.x - 2, w.y + w.h, w.w + 4, 3);  // sill
  SetColor(cr, trim);
  cairo_fill_preserve(cr);
  StrokeInk(cr, Ink{kInk.color, 1, 0.5});
}

// The roof outline of each house (also the outline a ruin loses).
void RoofPath(cairo_t* cr, HouseKind k, const Design& d) {
  switch (k) {
    case HouseKind::Cottage:
      cairo_move_to(cr, 0, d.wallTop + 5);
      cairo_line_to(cr, 60, 156);
      cairo_line_to(cr, 120, d.wallTop + 5);
      cairo_line_to(cr, 112, d.wallTop + 8);
      cairo_line_to(cr, 60, 166);
      cairo_line_to(cr, 8, d.wallTop + 8);
      break;
    case HouseKind::Yellow:
      cairo_move_to(cr, 1, d.wallTop + 4);
      cairo_line_to(cr, 36, 146);
      cairo_line_to(cr, 84, 146);
      cairo_line_to(cr, 119, d.wallTop + 4);
      break;
    default:  // gambrel barn roof seen from the long side
      cairo_move_to(cr, 0, d.wallTop + 5);
      cairo_line_to(cr, 16, 172);
      cairo_line_to(cr, 44, 142);
      cairo_line_to(cr, 256, 142);
      cairo_line_to(cr, 284, 172);
      cairo_line_to(cr, 300, d.wallTop + 5);
      break;
  }
  cairo_close_path(cr);
}

void PaintStanding(cairo_t* cr, HouseKind k, const Design& d, const Fire& f) {
  const double soot = Clamp01(f.level * 0.55);
  const Rgb wallLight = Mix(d.wallLight, kSoot, soot), wallDark = Mix(d.wallDark, kSoot, soot);
  const Rgb roofLight = Mix(d.roofLight, kSoot, soot * 0.8);
  const Rgb roofDark = Mix(d.roofDark, kSoot, soot * 0.8);
  const Rgb trim = Mix(d.trim, Hex(0x6A625A), soot);

  // Chimney behind the roof.
  if (k != HouseKind::Barn) {
    const double cx = k == HouseKind::Cottage ? 82 : 74, top = k == HouseKind::Cottage ? 160 : 128;
    cairo_rectangle(cr, cx, top, 13, 40);
    FillVertical(cr, top, top + 40, Mix(Hex(0xB85A3A), kSoot, soot),
                 Mix(Hex(0x7A3420), kSoot, soot), 1, true);
    StrokeInk(cr, kInk);
    cairo_rectangle(cr, cx - 2, top - 4, 17, 5);
    SetColor(cr, Mix(Hex(0x5A2A1A), kSoot, soot));
    cairo_fill_preserve(cr);
    StrokeInk(cr, kInk);
  } else {
    // Cupola on the ridge.
    cairo_rectangle(cr, 140, 122, 20, 22);
    FillVertical(cr, 122, 144, wallLight, wallDark, 1, true);
    StrokeInk(cr, kInk);
    cairo_move_to(cr, 136, 124);
    cairo_line_to(cr, 150, 110);
    cairo_line_to(cr, 164, 124);
    cairo_close_path(cr);
    FillVertical(cr, 110, 124, roofLight, roofDark, 1, true);
    StrokeInk(cr, kInk);
    Limb(cr, {150, 110, 150, 98}, 1.5, Hex(0x3A3A3A), Ink{kInk.color, 0.6, 0.5});
    cairo_move_to(cr, 143, 101);
    cairo_line_to(cr, 157, 101);
    cairo_line_to(cr, 150, 96);
    cairo_close_path(cr);
    SetColor(cr, Hex(0x3A3A3A));
    cairo_fill(cr);
  }

  // Walls with boards or siding.
  const double wallH = kGround - d.wallTop;
  cairo_rectangle(cr, d.wallLeft, d.wallTop, d.wallRight - d.wallLeft, wallH);
  FillVertical(cr, d.wallTop, kGround, wallLight, wallDark, 1, true);
  StrokeInk(cr, kInk);
  cairo_save(cr);
  cairo_rectangle(cr, d.wallLeft, d.wallTop, d.wallRight - d.wallLeft, wallH);
  cairo_clip(cr);
  if (k == HouseKind::Yellow) {
    for (double y = d.wallTop + 8; y < kGround; y += 8) {
      cairo_move_to(cr, d.wallLeft, y);
      cairo_line_to(cr, d.wallRight, y);
    }
  } else {
    const double step = k == HouseKind::Barn ? 10 : 8;
    for (double x = d.wallLeft + step; x < d.wallRight; x += step) {
      cairo_move_to(cr, x, d.wallTop);
      cairo_line_to(cr, x, kGround);
    }
  }
  StrokeInk(cr, Ink{Shade(wallDark, 0.7), 1, 0.45});
  cairo_restore(cr);
  if (k == HouseKind::Cottage) {
    // Gable filled with boards up into the roof.
    cairo_move_to(cr, d.wallLeft, d.wallTop + 6);
    cairo_line_to(cr, 60, 164);
    cairo_line_to(cr, d.wallRight, d.wallTop + 6);
    cairo_close_path(cr);
    FillVertical(cr, 164, d.wallTop, wallLight, Mix(wallLight, wallDark, 0.4), 1, true);
    StrokeInk(cr, kInk);
    cairo_arc(cr, 60, 196, 8, 0, kTau);
    FillRadial(cr, 58, 194, 9, Mix(Hex(0xB0D8F4), Hex(0xFFC040), LocalFire(f, 60, d.width)),
               Mix(Hex(0x4A7EB8), Hex(0xE0501A), LocalFire(f, 60, d.width)), 1, true);
    StrokeInk(cr, Ink{trim, 2.6, 1});
  }
  // Corner boards.
  for (double x : {d.wallLeft, d.wallRight - 6}) {
    cairo_rectangle(cr, x, d.wallTop, 6, wallH);
    SetColor(cr, trim);
    cairo_fill_preserve(cr);
    StrokeInk(cr, Ink{kInk.color, 1, 0.5});
  }
  // Foundation.
  cairo_rectangle(cr, d.wallLeft - 2, kGround - 7, d.wallRight - d.wallLeft + 4, 7);
  FillVertical(cr, kGround - 7, kGround, Hex(0x8C8C88), Hex(0x5C5C5A), 1, true);
  StrokeInk(cr, Ink{kInk.color, 1, 0.6});

  for (const Window& w : d.windows)
    PaintWindow(cr, w, trim, LocalFire(f, w.x + w.w / 2, d.width), false, false, d);
  PaintWindow(cr, d.door, trim, LocalFire(f, d.door.x + d.door.w / 2, d.width), false, true, d);

  // Roof with tile rows.
  RoofPath(cr, k, d);
  FillVertical(cr, 140, d.wallTop + 8, roofLight, roofDark, 1, true);
  StrokeInk(cr, kInk);
  cairo_save(cr);
  RoofPath(cr, k, d);
  cairo_clip(cr);
  for (double y = 150; y < d.wallTop + 8; y += 7) {
    cairo_move_to(cr, 0, y);
    cairo_line_to(cr, d.width, y);
  }
  StrokeInk(cr, Ink{Shade(roofDark, 0.6), 1, 0.5});
  PaintGlow(cr, d.width * 0.3, 150, d.width * 0.4, Rgb{1, 1, 1}, 0.18 * (1 - soot));
  cairo_restore(cr);
}

void PaintRuin(cairo_t* cr, HouseKind k, const Design& d, const Fire& f) {
  DrawRandom rnd(f.seed);
  const Rgb dark = Hex(0x2C2420), darker = Hex(0x16110E);
  // Broken walls: a jagged top at about two thirds of the height.
  const double top = d.wallTop + (kGround - d.wallTop) * 0.3;
  cairo_move_to(cr, d.wallLeft, kGround);
  cairo_line_to(cr, d.wallLeft, top + rnd.Uniform(-6, 6));
  const int teeth = static_cast<int>((d.wallRight - d.wallLeft) / 9);
  for (int i = 1; i < teeth; ++i)
    cairo_line_to(cr, d.wallLeft + (d.wallRight - d.wallLeft) * i / teeth,
                  top + rnd.Uniform(-12, 14));
  cairo_line_to(cr, d.wallRight, top + rnd.Uniform(-6, 6));
  cairo_line_to(cr, d.wallRight, kGround);
  cairo_close_path(cr);
  FillVertical(cr, top - 12, kGround, dark, darker, 1, true);
  StrokeInk(cr, kInk);
  cairo_save(cr);
  cairo_rectangle(cr, d.wallLeft, top - 14, d.wallRight - d.wallLeft, kGround - top + 14);
  cairo_clip(cr);
  for (double x = d.wallLeft + 9; x < d.wallRight; x += 9) {
    cairo_move_to(cr, x, top);
    cairo_line_to(cr, x, kGround);
  }
  StrokeInk(cr, Ink{Hex(0x3E342E), 1, 0.6});
  cairo_restore(cr);
  for (const Window& w : d.windows)
    if (w.y + w.h > top + 8) PaintWindow(cr, w, d.trim, 0, true, false, d);
  PaintWindow(cr, d.door, d.trim, 0, true, true, d);
  // Charred rafters leaning out of the shell.
  for (int i = 0; i < (k == HouseKind::Barn ? 6 : 3); ++i) {
    const double x =
        Lerp(d.wallLeft + 12, d.wallRight - 12, (i + 0.5) / (k == HouseKind::Barn ? 6 : 3));
    const double lean = rnd.Uniform(-0.5, 0.5);
    Limb(cr, {x, top + 10, x + std::sin(lean) * 50, top + 10 - std::cos(lean) * 50}, 4, darker,
         kInk);
  }
  if (k != HouseKind::Barn) {  // the chimney survives
    const double cx = k == HouseKind::Cottage ? 82 : 74;
    cairo_rectangle(cr, cx, 170, 13, kGround - 170);
    FillVertical(cr, 170, kGround, Hex(0x5A3A2C), Hex(0x2A1A14), 1, true);
    StrokeInk(cr, kInk);
  }
  // Rubble and glowing embers.
  for (int i = 0; i < 14; ++i) {
    const double x = rnd.Uniform(d.wallLeft, d.wallRight), y = kGround - rnd.Uniform(1, 8);
    EllipsePath(cr, x, y, rnd.Uniform(3, 7), rnd.Uniform(2, 4));
    SetColor(cr, i % 3 ? darker : Hex(0x3A302A));
    cairo_fill(cr);
  }
  for (int i = 0; i < 8; ++i) {
    const double x = rnd.Uniform(d.wallLeft + 5, d.wallRight - 5);
    const double y = rnd.Uniform(top + 10, kGround - 4);
    PaintGlow(cr, x, y, 6, Hex(0xFF5A10), 0.55);
    cairo_arc(cr, x, y, 1.4, 0, kTau);
    SetColor(cr, Hex(0xFFA040));
    cairo_fill(cr);
  }
  PaintSmoke(cr, d.width * 0.4, top, 30, 110, 0.3, f.seed + 1, Hex(0x6A6668), 0.6);
}

void PaintHouse(cairo_t* cr, HouseKind k, const Fire& f) {
  const Design d = DesignOf(k);
  // Glow, flames and smoke fade out before the frame's sides and top.
  EdgeFence fence(cr, d.width, kGround, 24);
  if (f.ruin) {
    PaintRuin(cr, k, d, f);
    return;
  }
  if (f.level > 0)
    PaintGlow(cr, d.width / 2, 200, d.width / 2 - 6, 100, Hex(0xFF7A20), 0.3 * f.level);
  PaintStanding(cr, k, d, f);
  if (f.level <= 0) return;
  // Flames out of the windows and through the roof; dark smoke above.
  int i = 0;
  for (const Window& w : d.windows) {
    const double l = LocalFire(f, w.x + w.w / 2, d.width);
    PaintFlames(cr, w.x + w.w / 2, w.y + 4, w.w * 1.2, 34 * l, f.phase + 0.17 * i, f.seed + 10 + i,
                l);
    ++i;
  }
  const double roofY = k == HouseKind::Barn ? 150 : 170;
  for (double x : d.roofFires) {
    const double l = LocalFire(f, x, d.width);
    if (l <= 0) continue;
    const double h = (k == HouseKind::Barn ? 120 : 110) * l;
    PaintSmoke(cr, x - 10, roofY - h * 0.6, 26, 90, f.phase, f.seed + 30 + i, Hex(0x3A3434),
               0.55 * l);
    PaintFlames(cr, x, roofY + 14, k == HouseKind::Barn ? 62 : 44, h, f.phase + 0.11 * i,
                f.seed + 20 + i, l);
    ++i;
  }
}

void GenerateNarrowHouse(const Output& out, int index, HouseKind k) {
  // Column 0 standing, 1..7 burning loop, 8 ruin.
  MakeSheet(out, index, 120, 300, [k](cairo_t* cr, int col, int) {
    Fire f;
    f.seed = 300 + static_cast<uint32_t>(k) * 10;
    if (col >= 1 && col <= 7) {
      f.level = 1;
      f.phase = (col - 1) / 7.0;
    }
    f.ruin = col == 8;
    PaintHouse(cr, k, f);
  });
}

void GenerateBarn(const Output& out) {
  // Row 0: columns 0..7 catching fire, 8 ruin, 9 standing, 10 spare;
  // row 1: columns 0..10 burning loop.
  MakeSheet(out, image::kHouse2, 300, 300, [](cairo_t* cr, int col, int row) {
    Fire f;
    f.seed = 360;
    if (row == 1) {
      f.level = 1;
      f.phase = col / 11.0;
    } else if (col <= 7) {
      f.spread = (col + 1) / 8.0;
      f.level = 0.35 + 0.65 * f.spread;
      f.phase = col / 11.0;
    } else {
      f.ruin = col == 8;
    }
    PaintHouse(cr, HouseKind::Barn, f);
  });
}

// The flag pole: foot on the ground 140 px down the frame, a blue flag with
// a yellow cross waving in seven frames.
void PaintFlagPole(cairo_t* cr, int col) {
  const double poleX = 12, top = 6, foot = 140;
  const double phase = col / 7.0 * kTau;
  // Flag as vertical strips so the cross bends with the cloth.
  const double fx = poleX + 2, fy = top + 6, fw = 40, fh = 26;
  const double crossX0 = 11, crossX1 = 18, crossY0 = 10, crossY1 = 16;
  auto wave = [&](double x) { return std::sin(phase - x / fw * kTau * 0.9) * 3.2 * (x / fw); };
  for (double x = 0; x < fw; x += 1) {
    const double dy = wave(x);
    const double light = 1 + 0.18 * std::cos(phase - x / fw * kTau * 0.9);
    const Rgb blue = Shade(Hex(0x1F5FB8), light), yellow = Shade(Hex(0xF6CC2A), light);
    const bool vertical = x >= crossX0 && x < crossX1;
    cairo_rectangle(cr, fx + x, fy + dy, 1.05, fh);
    SetColor(cr, vertical ? yellow : blue);
    cairo_fill(cr);
    if (!vertical) {
      cairo_rectangle(cr, fx + x, fy + dy + crossY0, 1.05, crossY1 - crossY0);
      SetColor(cr, yellow);
      cairo_fill(cr);
    }
  }
  cairo_move_to(cr, fx, fy + wave(0));
  for (double x = 1; x <= fw; x += 1) cairo_line_to(cr, fx + x, fy + wave(x));
  for (double x = fw; x >= 0; x -= 1) cairo_line_to(cr, fx + x, fy + fh + wave(x));
  cairo_close_path(cr);
  StrokeInk(cr, Ink{kInk.color, 1.2, 0.6});
  // Pole, knob, and a little footing.
  Limb(cr, {poleX, top + 2, poleX, foot}, 3, Hex(0xE8E4DA), kInk);
  cairo_arc(cr, poleX, top, 3.2, 0, kTau);
  FillRadial(cr, poleX - 1, top - 1, 4, Hex(0xFFE27A), Hex(0xC8961E), 1, true);
  StrokeInk(cr, Ink{kInk.color, 1, 0.7});
  EllipsePath(cr, poleX, foot, 6, 2.2);
  SetColor(cr, Hex(0x6A6A66));
  cairo_fill_preserve(cr);
  StrokeInk(cr, Ink{kInk.color, 1, 0.6});
}

}  // namespace

void GenerateHouseImages(const Output& out) {
  GenerateNarrowHouse(out, image::kHouse1, HouseKind::Cottage);
  GenerateBarn(out);
  GenerateNarrowHouse(out, image::kHouse3, HouseKind::Yellow);
  MakeSheet(out, image::kFlagPole, 60, 150,
            [](cairo_t* cr, int col, int) { PaintFlagPole(cr, col); });
}
