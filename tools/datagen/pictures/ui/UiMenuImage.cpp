// The title menu sheet: cloud buttons, plain and selected, the players
// sub-menu sliding out under the top button, and the connector, a little
// chain of cloud puffs. The connector is drawn for the top-right link (top
// button to right button, so from its upper-left to its lower-right end); the
// menu mirrors it for the other three, and a moving connector's pulse runs
// from the upper-left end (frame 31) to the lower-right end (frame 32).
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "tools/datagen/pictures/ui/UiParts.h"
#include "tools/datagen/pictures/paint/WorldPaint.h"

using namespace worldpaint;

namespace {

constexpr int kFrameW = 260, kFrameH = 160;
const Rgb kNavy = Hex(0x1e2648);

void Sparkle(cairo_t* cr, double x, double y, double r, double alpha) {
  cairo_new_path(cr);
  for (int i = 0; i < 8; ++i) {
    const double a = i * kPi / 4, rr = i % 2 ? r * 0.28 : r;
    cairo_line_to(cr, x + std::cos(a) * rr, y + std::sin(a) * rr);
  }
  cairo_close_path(cr);
  SetColor(cr, Hex(0xfffbe0), alpha);
  cairo_fill(cr);
}

// A cloud button centred on (cx, cy) with its label.
void Button(cairo_t* cr, const std::string& label, double size, double cx, double cy, double w,
            double h, bool selected, uint32_t seed) {
  DrawRandom rnd(seed);
  const CloudShape c = MakeCloud(cx, cy, w, h, 5, rnd);
  if (selected) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, 1.0, h / w * 1.3);
    SoftDisc(cr, 0, 0, w * 0.62, Hex(0xfff0a0), 0.75);
    cairo_restore(cr);
    DrawCloud(cr, c, {Hex(0xfffcec), Hex(0xffcf58), Hex(0x7a4a00), 3.5, 0.8, 1.0});
    OutlinedText(cr, label, size, cx, cy + size * 0.36 + 2, 1, Hex(0xffffff), Hex(0xb84a10), 3.5);
    Sparkle(cr, cx - w * 0.42, cy - h * 0.3, 9, 0.95);
    Sparkle(cr, cx + w * 0.44, cy - h * 0.18, 7, 0.9);
    Sparkle(cr, cx + w * 0.3, cy + h * 0.46, 6, 0.85);
  } else {
    DrawCloud(cr, c, {Hex(0xffffff), Hex(0xbccde8), kNavy, 3, 0.7, 1.0});
    OutlinedText(cr, label, size, cx, cy + size * 0.36 + 2, 1, Hex(0x24306e), Hex(0xffffff), 2.5);
  }
}

// The top button with its players panel pulled out by `open` (0 hidden, 1
// fully out); highlight 0 or 1 marks the chosen row, -1 none.
void TopButton(cairo_t* cr, bool selected, double open, int highlight) {
  const double panelX = 68, panelY = 94, panelW = 124, panelH = 62;
  if (open > 0) {
    cairo_save(cr);
    cairo_rectangle(cr, 0, 60, kFrameW, kFrameH - 60);
    cairo_clip(cr);
    cairo_translate(cr, 0, -(1 - open) * (panelH + 4));
    RoundedRect(cr, panelX, panelY, panelW, panelH, 12);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, panelY, 0, panelY + panelH);
    AddStop(g, 0, Hex(0xf6f9ff));
    AddStop(g, 1, Hex(0xcfdcf2));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 2.5);
    SetColor(cr, kNavy);
    cairo_stroke(cr);
    const char* rows[] = {"1 Player", "2 Players"};
    for (int i = 0; i < 2; ++i) {
      const double rowY = panelY + 8 + i * 26;
      if (i == highlight) {
        RoundedRect(cr, panelX + 6, rowY - 1, panelW - 12, 24, 11);
        SetColor(cr, Hex(0xffd448));
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 2);
        SetColor(cr, Hex(0x7a4a00));
        cairo_stroke(cr);
        OutlinedText(cr, rows[i], 15, kFrameW / 2.0, rowY + 17, 1, Hex(0xffffff), Hex(0xb84a10),
                     2.5);
      } else {
        OutlinedText(cr, rows[i], 15, kFrameW / 2.0, rowY + 17, 1, Hex(0x24306e), Hex(0xffffff), 0);
      }
    }
    cairo_restore(cr);
  }
  Button(cr, "Play", 30, kFrameW / 2.0, 56, 190, 84, selected, 7001);
}

// The connector: five puffs on a line from the upper left to the lower right
// of the frame's centre; pulse is where along it (-1..1) a glow runs, or none.
void Connector(cairo_t* cr, bool moving, double pulse) {
  const double cx = kFrameW / 2.0, cy = kFrameH / 2.0, dx = 50, dy = 37.5;
  cairo_move_to(cr, cx - dx, cy - dy);
  cairo_line_to(cr, cx + dx, cy + dy);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 7);
  SetColor(cr, kNavy, 0.8);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 3.5);
  SetColor(cr, moving ? Hex(0xfff2b0) : Hex(0xe6eefc));
  cairo_stroke(cr);
  for (int i = 0; i < 5; ++i) {
    const double t = -1 + i * 0.5;
    const double x = cx + t * dx, y = cy + t * dy;
    const double r = 9 - std::fabs(t) * 2;
    const double glow = moving ? std::max(0.0, 1 - std::fabs(t - pulse) / 0.6) : 0;
    if (glow > 0) SoftDisc(cr, x, y, r * 2.6, Hex(0xfff080), 0.8 * glow);
    cairo_arc(cr, x, y, r + 2.5, 0, 2 * kPi);
    SetColor(cr, kNavy);
    cairo_fill(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(x - r * 0.3, y - r * 0.4, 1, x, y, r);
    AddStop(g, 0, Rgb{1, 1, 1});
    AddStop(g, 1, Mix(Hex(0xbccde8), Hex(0xffc830), glow));
    cairo_arc(cr, x, y, r, 0, 2 * kPi);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
  }
  if (moving) {
    const double x = cx + pulse * dx, y = cy + pulse * dy;
    Sparkle(cr, x + 14, y - 12, 8, 1);
    Sparkle(cr, x - 12, y + 13, 6, 0.9);
  }
}

}  // namespace

void GenerateMenuImage(const Output& out) {
  const ImageFile& entry = ImageEntry("Images\\startmeny.png");
  SheetCanvas sheet = MakeCanvas(entry, kFrameW, kFrameH);
  auto frame = [&](int index, const std::function<void(cairo_t*)>& draw) {
    sheet.DrawFrame(index % entry.framesX, index / entry.framesX, draw);
  };
  frame(0, [](cairo_t* cr) { TopButton(cr, false, 0, -1); });
  frame(1, [](cairo_t* cr) { TopButton(cr, true, 0, -1); });
  // Never shown by the menu (closing ends on 1 before 2 is drawn); kept equal
  // to 1 so that a stray step shows nothing odd.
  frame(2, [](cairo_t* cr) { TopButton(cr, true, 0, -1); });
  frame(3, [](cairo_t* cr) { TopButton(cr, true, 0.35, -1); });
  frame(4, [](cairo_t* cr) { TopButton(cr, true, 0.7, -1); });
  frame(5, [](cairo_t* cr) { TopButton(cr, true, 1, 0); });
  frame(6, [](cairo_t* cr) { TopButton(cr, true, 1, 1); });
  const struct {
    int plain;
    const char* label;
    uint32_t seed;
  } buttons[] = {{15, "How to play", 7002}, {24, "Credits", 7003}, {27, "High scores", 7004}};
  for (const auto& b : buttons) {
    for (int sel = 0; sel < 2; ++sel)
      frame(b.plain + sel, [&](cairo_t* cr) {
        Button(cr, b.label, 22, kFrameW / 2.0, kFrameH / 2.0, 206, 96, sel == 1, b.seed);
      });
  }
  frame(30, [](cairo_t* cr) { Connector(cr, false, 0); });
  frame(31, [](cairo_t* cr) { Connector(cr, true, -0.5); });
  frame(32, [](cairo_t* cr) { Connector(cr, true, 0.5); });
  sheet.Save(out, entry.file);
}
