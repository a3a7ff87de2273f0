// Drawing helpers shared by the scenery, world-object and interface pictures:
// colours, puffy cartoon clouds, rounded boxes, lightning bolts, soft blobs and
// text in DejaVu Sans Bold. Everything draws into a Cairo context in the
// caller's coordinates.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

#include "game/ImageTable.h"
#include "tools/datagen/pictures/paint/Sheet.h"

namespace worldpaint {

constexpr double kPi = 3.14159265358979323846;

// The image-table row of a picture, by its game name; throws if it is not there.
const ImageFile& ImageEntry(const char* file);

// A canvas for a table picture whose frames are frameW x frameH pixels.
inline SheetCanvas MakeCanvas(const ImageFile& entry, int frameW, int frameH) {
  return SheetCanvas(frameW * entry.framesX, frameH * entry.framesY, entry.framesX, entry.framesY);
}

struct Rgb {
  double r, g, b;
};
// 0xRRGGBB to a colour.
constexpr Rgb Hex(uint32_t v) {
  return {((v >> 16) & 255) / 255.0, ((v >> 8) & 255) / 255.0, (v & 255) / 255.0};
}
Rgb Mix(Rgb a, Rgb b, double t);
void SetColor(cairo_t* cr, Rgb c, double alpha = 1.0);
void AddStop(cairo_pattern_t* p, double offset, Rgb c, double alpha = 1.0);

// A cloud as a union of ellipses.
struct Puff {
  double x, y, rx, ry;
};
using CloudShape = std::vector<Puff>;

// A cartoon cloud exactly filling the box (cx +- w/2, cy +- h/2): a flat-ish
// bottom row of puffs and a domed top row of `bumps` puffs.
CloudShape MakeCloud(double cx, double cy, double w, double h, int bumps, DrawRandom& rnd);
// The same cloud grown or shrunk about (cx, cy).
CloudShape ScaleCloud(const CloudShape& c, double cx, double cy, double sx, double sy);
void CloudPath(cairo_t* cr, const CloudShape& c, double grow = 0.0);

struct CloudStyle {
  Rgb top, bottom;  // body gradient
  Rgb outline;      // soft outer outline
  double outlineWidth;
  double highlight;  // alpha of the white rim light at the top left, 0 for none
  double alpha;      // body alpha
};
// Outline, body gradient, rim light and a shade under the puffs.
void DrawCloud(cairo_t* cr, const CloudShape& c, const CloudStyle& s);

// A soft round blob: radial gradient from alpha at the centre to 0 at r.
void SoftDisc(cairo_t* cr, double x, double y, double r, Rgb c, double alpha);
// The same stretched to an ellipse of radii rx, ry.
void SoftEllipse(cairo_t* cr, double x, double y, double rx, double ry, Rgb c, double alpha);

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);

// A zig-zag lightning bolt whose box is about w x h, top-left at (x, y).
void BoltPath(cairo_t* cr, double x, double y, double w, double h);

// Text in DejaVu Sans Bold. align: 0 left, 1 centre, 2 right; y is the baseline.
void TextPath(cairo_t* cr, const std::string& text, double size, double x, double y, int align);
double TextWidth(cairo_t* cr, const std::string& text, double size);
// Filled text with a rounded dark outline under it.
void OutlinedText(cairo_t* cr, const std::string& text, double size, double x, double y, int align,
                  Rgb fill, Rgb outline, double outlineWidth);

// Copies `strip` (a periodic horizontal strip) into a sheet's rows: row r gets
// the strip from x = starts[r], lengths[r] pixels wide, at the row's left edge.
void CopyStripToRows(SheetCanvas& sheet, cairo_surface_t* strip, const std::vector<int>& starts,
                     const std::vector<int>& lengths);

}  // namespace worldpaint
