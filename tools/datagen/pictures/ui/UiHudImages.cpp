// The HUD pictures. The energy fluid hangs from above and slides down as the
// energy grows (its bottom edge is at y = energy * 5 + 2), so the gauge is a
// glass tube whose window runs the fluid's whole travel; the tube's body hides
// the fluid everywhere else, and a cloud plate at its foot holds the lightning
// charges. Player 2's frame is the exact mirror image. Rank badges: frame
// 11 - rank, the leader's crown at 11.
#include <cairo.h>

#include <cmath>
#include <string>

#include "tools/datagen/pictures/ui/UiParts.h"
#include "tools/datagen/pictures/paint/WorldPaint.h"

using namespace worldpaint;

namespace {

constexpr int kGaugeW = 150, kGaugeH = 580;
constexpr int kFluidW = 40, kFluidH = 500;
// The window, in gauge coordinates: inside the fluid's column (x 12..52) with
// a margin on both sides, so that the mirrored frame of player 2, whose fluid
// is placed one pixel differently, shows no gap either.
constexpr double kWinX0 = 15, kWinX1 = 49, kWinY0 = 8, kWinY1 = 492;
constexpr double kTubeX0 = 2, kTubeX1 = 62, kTubeBottom = 514;
constexpr int kChargeW = 150, kChargeH = 70;
constexpr int kBadge = 100;

const Rgb kNavy = Hex(0x1e2648);

void WindowPath(cairo_t* cr) {
  const double r = (kWinX1 - kWinX0) / 2;
  cairo_new_sub_path(cr);
  cairo_move_to(cr, kWinX0, kWinY0);
  cairo_line_to(cr, kWinX1, kWinY0);
  cairo_line_to(cr, kWinX1, kWinY1 - r);
  cairo_arc(cr, kWinX0 + r, kWinY1 - r, r, 0, kPi);
  cairo_close_path(cr);
}

void TubePath(cairo_t* cr) {
  const double r = (kTubeX1 - kTubeX0) / 2;
  cairo_new_sub_path(cr);
  cairo_move_to(cr, kTubeX0, -20);
  cairo_line_to(cr, kTubeX1, -20);
  cairo_line_to(cr, kTubeX1, kTubeBottom - r);
  cairo_arc(cr, kTubeX0 + r, kTubeBottom - r, r, 0, kPi);
  cairo_close_path(cr);
}

void DrawGauge(cairo_t* cr) {
  DrawRandom rnd(6001);
  // The tube: a rounded metal cylinder.
  TubePath(cr);
  cairo_set_line_width(cr, 6);
  SetColor(cr, kNavy);
  cairo_stroke_preserve(cr);
  cairo_pattern_t* g = cairo_pattern_create_linear(kTubeX0, 0, kTubeX1, 0);
  AddStop(g, 0, Hex(0x3a4a88));
  AddStop(g, 0.3, Hex(0x9fb4f0));
  AddStop(g, 0.55, Hex(0x6a80c8));
  AddStop(g, 1, Hex(0x2e3a70));
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  // Rivets down both rims.
  for (double y = 30; y < kTubeBottom - 30; y += 48)
    for (double x : {kTubeX0 + 6.5, kTubeX1 - 6.5}) {
      cairo_arc(cr, x, y, 2.2, 0, 2 * kPi);
      SetColor(cr, Hex(0xdfe8ff));
      cairo_fill(cr);
    }
  // Energy marks every 10 on the right rim, at the fluid's edge for that energy.
  for (int e = 10; e <= 90; e += 10) {
    const double y = e * 5 + 2;
    cairo_move_to(cr, kWinX1 + 1, y);
    cairo_line_to(cr, e == 50 ? kTubeX1 - 1 : kTubeX1 - 5, y);
    cairo_set_line_width(cr, e == 50 ? 3 : 2);
    SetColor(cr, Hex(0xffffff), 0.8);
    cairo_stroke(cr);
  }
  // The window: cut out, then tinted glass, inner shadow and shine.
  cairo_save(cr);
  WindowPath(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_fill(cr);
  cairo_restore(cr);
  WindowPath(cr);
  SetColor(cr, Hex(0xbfd8ff), 0.12);
  cairo_fill(cr);
  cairo_save(cr);
  WindowPath(cr);
  cairo_clip(cr);
  WindowPath(cr);
  cairo_set_line_width(cr, 7);
  SetColor(cr, kNavy, 0.45);
  cairo_stroke(cr);
  RoundedRect(cr, kWinX0 + 5, kWinY0 + 8, 4, kWinY1 - kWinY0 - 40, 2);
  SetColor(cr, Rgb{1, 1, 1}, 0.4);
  cairo_fill(cr);
  RoundedRect(cr, kWinX0 + 12, kWinY0 + 40, 2.5, 120, 1.2);
  SetColor(cr, Rgb{1, 1, 1}, 0.3);
  cairo_fill(cr);
  cairo_restore(cr);
  WindowPath(cr);
  cairo_set_line_width(cr, 2.5);
  SetColor(cr, kNavy);
  cairo_stroke(cr);
  // A little rain cloud beside the top of the tube.
  const CloudShape top = MakeCloud(100, 28, 70, 40, 3, rnd);
  DrawCloud(cr, top, {Hex(0xffffff), Hex(0xc8d6ee), kNavy, 2.5, 0.6, 1.0});
  for (int i = 0; i < 3; ++i) {
    const double x = 86 + i * 13, y = 56 + (i % 2) * 6;
    cairo_move_to(cr, x, y);
    cairo_curve_to(cr, x + 3, y + 5, x + 3, y + 9, x, y + 9);
    cairo_curve_to(cr, x - 3, y + 9, x - 3, y + 5, x, y);
    SetColor(cr, Hex(0x4f9ae8));
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1.2);
    SetColor(cr, kNavy);
    cairo_stroke(cr);
  }
  // The cloud plate at the foot that carries the lightning charges.
  const CloudShape plate = MakeCloud(75, 538, 144, 80, 5, rnd);
  DrawCloud(cr, plate, {Hex(0xf4f8ff), Hex(0xb8c8e6), kNavy, 3, 0.6, 1.0});
  RoundedRect(cr, 8, kGaugeH - kChargeH + 2, kChargeW - 16, kChargeH - 8, 12);
  SetColor(cr, kNavy, 0.14);
  cairo_fill(cr);
}

// The fluid: glowing blue liquid whose lower edge is its surface.
void DrawFluid(cairo_t* cr) {
  DrawRandom rnd(6002);
  const double surface = kFluidH - 6;
  cairo_move_to(cr, 0, 0);
  cairo_line_to(cr, kFluidW, 0);
  for (double x = kFluidW; x >= 0; x -= 1)
    cairo_line_to(cr, x, surface + 3 * std::sin(x / 5.0) + 1.5 * std::sin(x / 2.3));
  cairo_close_path(cr);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, kFluidW, 0);
  AddStop(g, 0, Hex(0x1650c0));
  AddStop(g, 0.35, Hex(0x6cc8ff));
  AddStop(g, 0.6, Hex(0x3a96f0));
  AddStop(g, 1, Hex(0x12409c));
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  cairo_clip(cr);
  // Deeper colour far from the surface, light near it.
  g = cairo_pattern_create_linear(0, 0, 0, kFluidH);
  AddStop(g, 0, Hex(0x0a1a50), 0.45);
  AddStop(g, 0.7, Hex(0x0a1a50), 0);
  AddStop(g, 0.93, Hex(0xbff0ff), 0);
  AddStop(g, 1, Hex(0xe8fbff), 0.9);
  cairo_set_source(cr, g);
  cairo_paint(cr);
  cairo_pattern_destroy(g);
  // Bubbles.
  for (int i = 0; i < 46; ++i) {
    const double x = rnd.Uniform(6, kFluidW - 6), y = rnd.Uniform(10, kFluidH - 16);
    const double r = rnd.Uniform(1.2, 4);
    cairo_arc(cr, x, y, r, 0, 2 * kPi);
    SetColor(cr, Hex(0xbfeaff), 0.25);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 0.9);
    SetColor(cr, Rgb{1, 1, 1}, 0.7);
    cairo_stroke(cr);
    cairo_arc(cr, x - r * 0.35, y - r * 0.35, r * 0.3, 0, 2 * kPi);
    SetColor(cr, Rgb{1, 1, 1}, 0.9);
    cairo_fill(cr);
  }
  SoftDisc(cr, kFluidW / 2.0, surface, 26, Hex(0xe8fbff), 0.5);
}

// Slot i of the ten lightning charges, lit or empty.
void DrawCharges(cairo_t* cr, int lit) {
  const double cellW = 26, cellH = 31, x0 = (kChargeW - 5 * cellW) / 2, y0 = 4;
  for (int i = 0; i < 10; ++i) {
    const double x = x0 + (i % 5) * cellW, y = y0 + (i / 5) * cellH;
    cairo_new_path(cr);
    if (i < lit) {
      SoftDisc(cr, x + cellW / 2, y + cellH / 2, 15, Hex(0xfff080), 0.7);
      BoltPath(cr, x + 3, y + 2, cellW - 6, cellH - 4);
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      cairo_set_line_width(cr, 2.4);
      SetColor(cr, Hex(0x7a4600));
      cairo_stroke_preserve(cr);
      cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + cellH);
      AddStop(g, 0, Hex(0xfffbe0));
      AddStop(g, 1, Hex(0xffb814));
      cairo_set_source(cr, g);
      cairo_fill(cr);
      cairo_pattern_destroy(g);
    } else {
      BoltPath(cr, x + 4, y + 3, cellW - 8, cellH - 6);
      SetColor(cr, kNavy, 0.18);
      cairo_fill_preserve(cr);
      cairo_set_line_width(cr, 1.5);
      SetColor(cr, kNavy, 0.4);
      cairo_stroke(cr);
    }
  }
}

struct Tier {
  Rgb top, bottom, outline, ribbon, text;
};

void Ribbons(cairo_t* cr, Rgb c) {
  for (int side = -1; side <= 1; side += 2) {
    cairo_new_path(cr);
    const double x = 50 + side * 14;
    cairo_move_to(cr, x - 10, 58);
    cairo_line_to(cr, x + 10, 58);
    cairo_line_to(cr, x + 10 + side * 6, 97);
    cairo_line_to(cr, x + side * 3, 89);
    cairo_line_to(cr, x - 10 + side * 6, 97);
    cairo_close_path(cr);
    SetColor(cr, c);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 2);
    SetColor(cr, kNavy);
    cairo_stroke(cr);
  }
}

void Badge(cairo_t* cr, const Tier& t, const std::string& label, double alpha, uint32_t seed) {
  DrawRandom rnd(seed);
  Ribbons(cr, t.ribbon);
  const CloudShape c = MakeCloud(50, 44, 88, 62, 4, rnd);
  SoftDisc(cr, 50, 44, 50, t.top, 0.35 * alpha);
  DrawCloud(cr, c, {t.top, t.bottom, t.outline, 2.5, 0.7, alpha});
  const double size = label.size() > 1 ? 30 : 38;
  OutlinedText(cr, label, size, 50, 44 + size * 0.36 + 4, 1, t.text, t.outline, 3);
}

void Crown(cairo_t* cr) {
  cairo_new_path(cr);
  cairo_move_to(cr, 26, 34);
  cairo_line_to(cr, 22, 8);
  cairo_line_to(cr, 37, 22);
  cairo_line_to(cr, 50, 2);
  cairo_line_to(cr, 63, 22);
  cairo_line_to(cr, 78, 8);
  cairo_line_to(cr, 74, 34);
  cairo_close_path(cr);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 2, 0, 34);
  AddStop(g, 0, Hex(0xfff6b0));
  AddStop(g, 1, Hex(0xe8a010));
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, 2.5);
  SetColor(cr, Hex(0x6a4a08));
  cairo_stroke(cr);
  const double jewels[][3] = {{22, 8, 0}, {50, 2, 1}, {78, 8, 0}, {50, 26, 2}};
  const Rgb colours[] = {Hex(0xff4a6a), Hex(0x4ad0ff), Hex(0x5ae06a)};
  for (const auto& j : jewels) {
    cairo_arc(cr, j[0], j[1], 4, 0, 2 * kPi);
    SetColor(cr, colours[static_cast<int>(j[2])]);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1.5);
    SetColor(cr, Hex(0x6a4a08));
    cairo_stroke(cr);
  }
}

void Star(cairo_t* cr, double cx, double cy, double r, Rgb fill, Rgb outline) {
  cairo_new_path(cr);
  for (int i = 0; i < 10; ++i) {
    const double a = -kPi / 2 + i * kPi / 5, rr = i % 2 ? r * 0.45 : r;
    cairo_line_to(cr, cx + std::cos(a) * rr, cy + std::sin(a) * rr);
  }
  cairo_close_path(cr);
  SetColor(cr, fill);
  cairo_fill_preserve(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, 3);
  SetColor(cr, outline);
  cairo_stroke(cr);
}

void RankBadges(const Output& out) {
  const ImageFile& entry = ImageEntry("Images\\MOLNRANK.png");
  SheetCanvas sheet = MakeCanvas(entry, kBadge, kBadge);
  const Tier grey{Hex(0xe8ebf0), Hex(0xb0b6c0), Hex(0x5a606c), Hex(0x8a90a0), Hex(0xffffff)};
  const Tier bronze{Hex(0xf6c896), Hex(0xb8703a), Hex(0x5a3010), Hex(0x3a6ad8), Hex(0xfff0e0)};
  const Tier silver{Hex(0xfafcff), Hex(0xa8b2c4), Hex(0x3e4656), Hex(0x3a6ad8), Hex(0x2a3246)};
  const Tier gold{Hex(0xfff4a8), Hex(0xe8a818), Hex(0x6a4a08), Hex(0xd83a3a), Hex(0xffffff)};
  for (int f = 0; f < entry.framesX; ++f) {
    sheet.DrawFrame(f, 0, [&](cairo_t* cr) {
      const uint32_t seed = 6100 + f;
      if (f == 0) {
        // Not in the table: a faded cloud with a dash.
        DrawRandom rnd(seed);
        const CloudShape c = MakeCloud(50, 48, 72, 48, 4, rnd);
        DrawCloud(cr, c, {grey.top, grey.bottom, grey.outline, 2, 0.5, 0.6});
        OutlinedText(cr, "-", 30, 50, 60, 1, grey.text, grey.outline, 2.5);
      } else if (f <= 10) {
        // Frames 1..9 are ranks 10 down to 2; frame 10 would be rank 1.
        const int rank = 11 - f;
        const Tier& t = rank >= 7 ? bronze : rank >= 4 ? silver : gold;
        Badge(cr, t, std::to_string(rank), 1.0, seed);
      } else if (f == 11) {
        // The leader: gold badge under a crown.
        cairo_save(cr);
        cairo_translate(cr, 0, 8);
        Badge(cr, gold, "1", 1.0, seed);
        cairo_restore(cr);
        cairo_save(cr);
        cairo_translate(cr, 20, 0);
        cairo_scale(cr, 0.6, 0.6);
        Crown(cr);
        cairo_restore(cr);
      } else {
        Ribbons(cr, silver.ribbon);
        Star(cr, 50, 46, 40, silver.top, silver.outline);
      }
    });
  }
  sheet.Save(out, entry.file);
}

}  // namespace

void GenerateHudImages(const Output& out) {
  const ImageFile& frame1 = ImageEntry("Images\\interface.png");
  SheetCanvas gauge = MakeCanvas(frame1, kGaugeW, kGaugeH);
  gauge.DrawFrame(0, 0, DrawGauge);
  gauge.Save(out, frame1.file);

  // Player 2's frame: the same picture mirrored left to right.
  const ImageFile& frame2 = ImageEntry("Images\\interface2.png");
  SheetCanvas mirrored = MakeCanvas(frame2, kGaugeW, kGaugeH);
  mirrored.DrawFrame(0, 0, [&](cairo_t* cr) {
    cairo_translate(cr, kGaugeW, 0);
    cairo_scale(cr, -1, 1);
    cairo_set_source_surface(cr, gauge.surface(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
  });
  mirrored.Save(out, frame2.file);

  const ImageFile& fluid = ImageEntry("Images\\engery_fluid.png");
  SheetCanvas fluidSheet = MakeCanvas(fluid, kFluidW, kFluidH);
  fluidSheet.DrawFrame(0, 0, DrawFluid);
  fluidSheet.Save(out, fluid.file);

  const ImageFile& charges = ImageEntry("Images\\blixt_powerup.png");
  SheetCanvas chargeSheet = MakeCanvas(charges, kChargeW, kChargeH);
  for (int f = 0; f < charges.framesX; ++f)
    chargeSheet.DrawFrame(f, 0, [&](cairo_t* cr) { DrawCharges(cr, f); });
  chargeSheet.Save(out, charges.file);

  RankBadges(out);
}
