// The two players' cloud sheets: weak, small, medium and large loops (idle,
// right, left, up, down; the large one also casts), and the morph sheet with
// the size changes and the death puff. Player 1 "Zarvo" is white-blue,
// player 2 "Cherry" pink, at every size: a weak or dying cloud fades, but
// keeps its player's hue. Each cloud body fills its collision box from the
// frame's top-left corner, where the game places the frame.
#include <cmath>
#include <vector>

#include "tools/datagen/pictures/characters/CharacterParts.h"
#include "tools/datagen/pictures/characters/CloudPainter.h"

using namespace paint;

namespace {

enum class Size { Weak, Small, Medium, Large };

struct Player {
  CloudPalette weak, small, medium, large;
  const CloudPalette& For(Size s) const {
    switch (s) {
      case Size::Weak:
        return weak;
      case Size::Small:
        return small;
      case Size::Medium:
        return medium;
      default:
        return large;
    }
  }
};

const Player kZarvo = {
    // Weak: washed-out, a little sickly, but still Zarvo's blue.
    {Hex(0xD8E4F8),
     Hex(0x7896CC),
     Hex(0xF2F6FC),
     {Hex(0x34445E), 2.2, 0.7},
     Hex(0x9EBCB0),
     Hex(0xF0F2EC),
     Hex(0x6684AA)},
    {Hex(0xFFFFFF),
     Hex(0x9CC2F2),
     Hex(0xFFFFFF),
     {Hex(0x1C3566), 2.2, 0.7},
     Hex(0x86AEF5),
     Hex(0xFFFFFF),
     Hex(0x2A72DA)},
    {Hex(0xF2F7FF),
     Hex(0x7FA8E4),
     Hex(0xFFFFFF),
     {Hex(0x162C5C), 2.3, 0.72},
     Hex(0x7AA2F0),
     Hex(0xFFFFFF),
     Hex(0x1E5EC8)},
    {Hex(0x8392B6),
     Hex(0x252F50),
     Hex(0xC4D2F6),
     {Hex(0x0A1028), 2.5, 0.8},
     Hex(0x3C4C88),
     Hex(0xDCE6FF),
     Hex(0xFFD84A)},
};

const Player kCherry = {
    // Weak: a faded, dusty rose.
    {Hex(0xF6DAE4),
     Hex(0xCC7C98),
     Hex(0xFCF2F6),
     {Hex(0x603A50), 2.2, 0.7},
     Hex(0xCCAA96),
     Hex(0xF4F0EA),
     Hex(0xA8708C)},
    {Hex(0xFFF0F7),
     Hex(0xF394C0),
     Hex(0xFFFFFF),
     {Hex(0x6B1840), 2.2, 0.7},
     Hex(0xFF5E98),
     Hex(0xFFFFFF),
     Hex(0xD8206A)},
    {Hex(0xFFE0EE),
     Hex(0xE46AA4),
     Hex(0xFFF6FA),
     {Hex(0x5E1238), 2.3, 0.72},
     Hex(0xFF4E8C),
     Hex(0xFFFFFF),
     Hex(0xBE1458)},
    {Hex(0xA86E92),
     Hex(0x43163A),
     Hex(0xF4B8DA),
     {Hex(0x22061A), 2.5, 0.8},
     Hex(0x8A2458),
     Hex(0xFFE6F2),
     Hex(0xFFD84A)},
};

// Collision box of each size class: the body fills it from the top-left.
struct Box {
  double w, h;
};
Box BoxOf(Size s) {
  switch (s) {
    case Size::Weak:
    case Size::Small:
      return {126, 79};
    case Size::Medium:
      return {150, 92};
    default:
      return {204, 145};
  }
}

CloudBody BodyInBox(Size s, double boxW, double boxH) {
  CloudBody b;
  b.cx = boxW / 2;
  b.cy = boxH / 2;
  b.w = boxW * 0.92;
  b.h = boxH * 0.9;
  b.stormy = s == Size::Large;
  return b;
}

// The resting face of each size class.
CloudFace BaseFace(Size s) {
  CloudFace f;
  switch (s) {
    case Size::Weak:
      f.sick = true;
      f.eyeOpen = 0.5;
      f.brows = true;
      f.brow = -0.6;
      f.smile = -0.3;
      f.wavyMouth = true;
      break;
    case Size::Small:
      f.smile = 0.7;
      break;
    case Size::Medium:
      f.smile = 0.55;
      f.brows = true;
      f.brow = 0.15;
      f.eyeOpen = 0.9;
      break;
    case Size::Large:
      f.brows = true;
      f.brow = 0.9;
      f.eyeOpen = 0.72;
      f.smile = 0.55;
      f.mouthOpen = 0.35;
      f.teeth = true;
      f.mouthWidth = 1.5;
      f.scale = 0.95;
      break;
  }
  return f;
}

struct Pose {
  CloudBody body;
  CloudFace face;
};

// Frames 0..19 of every looping sheet: idle, right, left, up, down, four
// frames each, played back and forth.
Pose LoopPose(Size s, int index) {
  const Box box = BoxOf(s);
  Pose p{BodyInBox(s, box.w, box.h), BaseFace(s)};
  const int dir = index / 4;
  const double t = (index % 4) / 3.0;
  const double amp = s == Size::Weak ? 0.6 : 1.0;
  p.body.breathe = t * 0.5;
  switch (dir) {
    case 0:  // idle: a bob and a blink at the far end
      p.body.cy += Lerp(-1.5, 1.5, SmoothStep(t)) * amp;
      p.face.lookX = 0.15;
      if (index % 4 == 3) p.face.eyeOpen *= 0.15;
      break;
    case 1:
    case 2: {  // right / left: lean in, squint, puff the cheeks
      const double side = dir == 1 ? 1 : -1;
      p.body.lean = side * (0.07 + 0.05 * t) * amp;
      p.body.cx += side * 2 * t;
      p.face.lookX = side * 0.85;
      p.face.turn = side * 0.6;
      p.face.eyeOpen *= 0.72;
      p.face.brows = true;
      p.face.brow += 0.35;
      p.face.cheekPuff = 0.35 + 0.65 * t;
      if (s != Size::Large) {
        p.face.mouthWidth = 0.3;
        p.face.mouthOpen = 0.3 + 0.3 * t;
      }
      break;
    }
    case 3:  // up: stretch and look up; the top stays inside the frame
      p.body.stretch = (0.03 + 0.04 * t) * amp;
      p.body.cy += p.body.h * p.body.stretch * 0.5 - 1.0 * t;
      p.face.lookY = -0.9;
      p.face.eyeOpen = std::max(p.face.eyeOpen, 0.85);
      if (s != Size::Large) {
        p.face.mouthWidth = 0.35;
        p.face.mouthOpen = 0.2 + 0.3 * t;
      }
      break;
    default:  // down: squash and look down
      p.body.stretch = -(0.04 + 0.04 * t) * amp;
      p.body.cy += 1.5 * t;
      p.face.lookY = 0.9;
      p.face.eyeOpen *= 0.7;
      p.face.cheekPuff = 0.5 * t;
      break;
  }
  return p;
}

// Trails that show the direction of travel.
void PaintTrail(cairo_t* cr, const Pose& p, int index, Rgb color, double alpha) {
  const int dir = index / 4;
  const double t = (index % 4) / 3.0;
  const CloudBody& b = p.body;
  switch (dir) {
    case 1:
      PaintWisps(cr, b.cx - b.w * 0.42, b.cy + b.h * 0.05, -1, 0, b.w * 0.16, b.h * 0.22, t, color,
                 alpha);
      break;
    case 2:
      PaintWisps(cr, b.cx + b.w * 0.42, b.cy + b.h * 0.05, 1, 0, b.w * 0.2, b.h * 0.22, t, color,
                 alpha);
      break;
    case 3:
      PaintWisps(cr, b.cx - b.w * 0.25, b.cy + b.h * 0.45, -0.2, 1, b.h * 0.12, b.w * 0.06, t,
                 color, alpha);
      PaintWisps(cr, b.cx + b.w * 0.25, b.cy + b.h * 0.45, 0.2, 1, b.h * 0.12, b.w * 0.06, t, color,
                 alpha);
      break;
    case 4:
      PaintWisps(cr, b.cx - b.w * 0.3, b.cy - b.h * 0.32, -0.3, -1, b.h * 0.1, b.w * 0.05, t, color,
                 alpha);
      PaintWisps(cr, b.cx + b.w * 0.32, b.cy - b.h * 0.25, 0.3, -1, b.h * 0.1, b.w * 0.05, t, color,
                 alpha);
      break;
    default:
      break;
  }
}

void PaintLoopFrame(cairo_t* cr, const CloudPalette& pal, Size s, int index) {
  const Pose p = LoopPose(s, index);
  const Rgb trail = s == Size::Large ? Shade(pal.top, 1.2) : Mix(pal.top, pal.bottom, 0.75);
  PaintTrail(cr, p, index, trail, s == Size::Weak ? 0.55 : 0.85);
  PaintCloud(cr, p.body, pal, p.face);
}

// The large cloud gathering and letting out a bolt: nine frames.
void PaintCastFrame(cairo_t* cr, const CloudPalette& pal, int k) {
  static const double kCharge[9] = {0.25, 0.45, 0.65, 0.85, 1.0, 0.6, 1.0, 0.7, 0.35};
  const double c = kCharge[k];
  const Box box = BoxOf(Size::Large);
  Pose p{BodyInBox(Size::Large, box.w, box.h), BaseFace(Size::Large)};
  p.body.breathe = k / 9.0;
  p.body.cx += (k % 2 ? 1.2 : -1.2) * c;
  p.body.flash = c;
  p.body.stretch = 0.03 * c;
  p.face.glow = c;
  p.face.brow = 1.0;
  p.face.eyeOpen = 0.8;
  p.face.mouthOpen = 0.4 + 0.5 * c;
  const CloudBody& b = p.body;
  PaintGlow(cr, b.cx, b.cy + b.h * 0.2, b.w * 0.6, Hex(0xFFF0A0), 0.35 * c);
  PaintCloud(cr, p.body, pal, p.face);
  // Crackles round the rim, more of them the stronger the charge.
  DrawRandom rnd(900 + k);
  const int zaps = static_cast<int>(2 + 5 * c);
  for (int i = 0; i < zaps; ++i) {
    const double a = rnd.Uniform(0, kTau);
    const double x0 = b.cx + std::cos(a) * b.w * 0.4, y0 = b.cy + std::sin(a) * b.h * 0.38;
    const double len = rnd.Uniform(8, 18) * (0.5 + c);
    PaintZap(cr, x0, y0, x0 + std::cos(a) * len, y0 + std::sin(a) * len, 3, 70 + k * 13 + i,
             Hex(0xFFE55A), 1.4, 0.5 + 0.5 * c);
  }
  if (c > 0.8) {
    for (int i = 0; i < 3; ++i) {
      const double x0 = b.cx + (i - 1) * b.w * 0.22;
      PaintZap(cr, x0, b.cy + b.h * 0.42, x0 + rnd.Uniform(-8, 8), box.h + 10, 4, 300 + k * 7 + i,
               Hex(0x9FD8FF), 1.6, 0.8);
    }
  }
}

void GenerateLoopSheet(const Output& out, int index, const Player& pl, Size s, int fw, int fh) {
  const CloudPalette& pal = pl.For(s);
  MakeSheet(out, index, fw, fh, [&](cairo_t* cr, int col, int row) {
    const int frame = row * kImageFiles[index].framesX + col;
    if (s == Size::Large && frame >= 24 && frame <= 32) {
      PaintCastFrame(cr, pal, frame - 24);
    } else if (frame >= 20) {
      PaintLoopFrame(cr, pal, s, frame % 4);  // unused: idle-like
    } else {
      PaintLoopFrame(cr, pal, s, frame);
    }
  });
}

// Morph frames 0..4: the cloud at each size step, surprised, with sparkles.
void PaintMorphSize(cairo_t* cr, const Player& pl, int k) {
  static const double kBoxW[5] = {126, 126, 150, 177, 204};
  static const double kBoxH[5] = {79, 79, 92, 118, 145};
  CloudPalette pal;
  Size s = Size::Small;
  switch (k) {
    case 0:
      pal = pl.weak;
      s = Size::Weak;
      break;
    case 1:
      pal = pl.small;
      break;
    case 2:
      pal = pl.medium;
      s = Size::Medium;
      break;
    case 3:
      pal = MixPalette(pl.medium, pl.large, 0.5);
      s = Size::Medium;
      break;
    default:
      pal = pl.large;
      s = Size::Large;
      break;
  }
  CloudBody b = BodyInBox(s, kBoxW[k], kBoxH[k]);
  b.stormy = k >= 3;
  CloudFace f = BaseFace(s);
  f.eyeOpen = 1;
  f.brows = true;
  f.brow = k >= 3 ? 0.5 : -0.3;
  f.mouthWidth = 0.35;
  f.mouthOpen = 0.6;
  f.teeth = false;
  f.wavyMouth = false;
  PaintCloud(cr, b, pal, f);
  DrawRandom rnd(500 + k);
  for (int i = 0; i < 6; ++i) {
    const double a = rnd.Uniform(0, kTau);
    PaintSpark(cr, b.cx + std::cos(a) * b.w * 0.52, b.cy + std::sin(a) * b.h * 0.52,
               rnd.Uniform(3, 6), k >= 3 ? Hex(0xFFE070) : Mix(pal.bottom, Rgb{1, 1, 1}, 0.5), 0.9);
  }
}

// Morph frames 5..12: the weak cloud swells and bursts into fading wisps.
// The game moves the picture 30 px up and left when this starts, so the
// cloud is drawn 30 px further right and down to stay where it was.
void PaintDeath(cairo_t* cr, const Player& pl, int d) {
  const Box box = BoxOf(Size::Weak);
  CloudBody b = BodyInBox(Size::Weak, box.w, box.h);
  b.cx += 30;
  b.cy += 30;
  const CloudPalette& pal = pl.weak;
  CloudFace f = BaseFace(Size::Weak);
  f.sick = false;
  if (d <= 1) {
    const double swell = 1 + 0.08 * (d + 1);
    b.w *= swell;
    b.h *= swell;
    b.cx += d == 1 ? 1.5 : 0;
    f.eyeOpen = 1;
    f.mouthWidth = 0.35;
    f.mouthOpen = 0.8;
    f.deadEyes = d == 1;
    f.wavyMouth = false;
    PaintCloud(cr, b, pal, f);
    return;
  }
  // Burst: every puff flies out from the centre, shrinks and fades.
  const double t = (d - 2) / 5.0;  // 0 at the burst, 1 at the last frame
  // The ring and the sparks of the burst carry the player's colour.
  const Rgb burst = Mix(pal.bottom, Rgb{1, 1, 1}, 0.45);
  if (d == 2) {
    cairo_arc(cr, b.cx, b.cy, b.w * 0.55, 0, kTau);
    StrokeInk(cr, Ink{burst, 4, 0.7});
  }
  DrawRandom rnd(4242);
  const int puffs = 11;
  for (int i = 0; i < puffs; ++i) {
    const double a = kTau * i / puffs + rnd.Uniform(-0.2, 0.2);
    const double dist = (0.22 + 0.75 * std::sqrt(t)) * b.w * 0.5 * rnd.Uniform(0.8, 1.15);
    const double r = b.h * rnd.Uniform(0.16, 0.26) * (1 - 0.6 * t);
    const double x = b.cx + std::cos(a) * dist, y = b.cy + std::sin(a) * dist * 0.7 + 8 * t;
    const std::vector<Circle> wisp = {
        {x, y, r}, {x - r * 0.75, y + r * 0.3, r * 0.62}, {x + r * 0.75, y + r * 0.25, r * 0.58}};
    cairo_pattern_t* fill = cairo_pattern_create_radial(x - r * 0.3, y - r * 0.4, 0, x, y, r * 1.6);
    cairo_pattern_add_color_stop_rgb(fill, 0, pal.top.r, pal.top.g, pal.top.b);
    cairo_pattern_add_color_stop_rgb(fill, 1, pal.bottom.r, pal.bottom.g, pal.bottom.b);
    PaintBlob(cr, wisp, fill, pal.top, Ink{pal.ink.color, 1.6, 0.45}, 0.95 * (1 - t * 0.85));
    cairo_pattern_destroy(fill);
  }
  if (d == 2) {
    CloudFace dead = f;
    dead.deadEyes = true;
    dead.mouthWidth = 0.35;
    dead.mouthOpen = 0.5;
    CloudBody core = b;
    core.w *= 0.55;
    core.h *= 0.6;
    PaintCloud(cr, core, pal, dead);
  }
  for (int i = 0; i < 5; ++i)
    PaintSpark(cr, b.cx + rnd.Uniform(-50, 50), b.cy + rnd.Uniform(-35, 35), 3 + 2 * (1 - t), burst,
               0.8 * (1 - t));
}

void GenerateMorphSheet(const Output& out, int index, const Player& pl) {
  MakeSheet(out, index, 220, 160, [&](cairo_t* cr, int col, int) {
    if (col <= 4)
      PaintMorphSize(cr, pl, col);
    else if (col <= 12)
      PaintDeath(cr, pl, col - 5);
    // 13..20 stay empty: the death ends on frame 12.
  });
}

}  // namespace

void GenerateCloudImages(const Output& out) {
  struct Sheets {
    const Player& player;
    int weak, small, medium, large, morph;
  };
  const Sheets both[2] = {
      {kZarvo, image::kZarvoWeak, image::kZarvoSmall, image::kZarvoMedium, image::kZarvoLarge,
       image::kZarvoMorph},
      {kCherry, image::kCherryWeak, image::kCherrySmall, image::kCherryMedium, image::kCherryLarge,
       image::kCherryMorph},
  };
  for (const Sheets& s : both) {
    GenerateLoopSheet(out, s.weak, s.player, Size::Weak, 150, 90);
    GenerateLoopSheet(out, s.small, s.player, Size::Small, 150, 90);
    GenerateLoopSheet(out, s.medium, s.player, Size::Medium, 170, 105);
    GenerateLoopSheet(out, s.large, s.player, Size::Large, 220, 160);
    GenerateMorphSheet(out, s.morph, s.player);
  }
}
