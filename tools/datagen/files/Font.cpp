// The game's bitmap font: every printable ASCII character rasterised from
// DejaVu Sans Bold with Cairo, white with a dark outline (the game tints it),
// packed into "font1.png" and described in "font1.fnt". Every character cell
// has the full line height so that all glyphs share one baseline.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/datagen/Generators.h"

namespace {

constexpr double kFontSize = 17.0;
constexpr double kOutline = 3.0;  // stroke width; half of it lies outside the glyph
constexpr int kPad = 2;           // room for the outline on every side of a cell
constexpr int kGap = 2;           // empty pixels between cells against filtering bleed
constexpr int kLetterSpace = 1;   // extra pixels between characters
constexpr int kImageWidth = 256;

struct Glyph {
  int code;
  int x, y, w, h;  // cell in the image
  int pre, post;
  int originX;  // pen position inside the cell
};

void SetFont(cairo_t* cr) {
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, kFontSize);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

// The way a character is named in the description: quoted where a quote can
// hold it, by its hexadecimal code otherwise (and for the space, for clarity).
std::string CharField(int code) {
  char buf[8];
  if (code == ' ' || code == '"' || code == '\\') {
    std::snprintf(buf, sizeof buf, "%02X", code);
  } else {
    std::snprintf(buf, sizeof buf, "\"%c\"", static_cast<char>(code));
  }
  return buf;
}

}  // namespace

void GenerateFont(const Output& out) {
  // Measure with a scratch surface: metrics first, then the layout.
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
  cairo_t* measure = cairo_create(scratch);
  SetFont(measure);
  cairo_font_extents_t fe;
  cairo_font_extents(measure, &fe);
  const int ascent = static_cast<int>(std::ceil(fe.ascent));
  const int cellHeight = ascent + static_cast<int>(std::ceil(fe.descent)) + 2 * kPad;

  std::vector<Glyph> glyphs;
  int penX = 0, penY = 0;
  for (int code = 0x20; code <= 0x7E; ++code) {
    const char text[2] = {static_cast<char>(code), 0};
    cairo_text_extents_t te;
    cairo_text_extents(measure, text, &te);
    const int advance = static_cast<int>(std::lround(te.x_advance));
    // Ink may reach left of the pen or past the advance; the cell holds both.
    int inkLeft = 0, inkRight = advance;
    if (te.width > 0) {
      inkLeft = std::min(0, static_cast<int>(std::floor(te.x_bearing)));
      inkRight = std::max(advance, static_cast<int>(std::ceil(te.x_bearing + te.width)));
    }
    Glyph g;
    g.code = code;
    g.w = inkRight - inkLeft + 2 * kPad;
    g.h = cellHeight;
    g.originX = kPad - inkLeft;
    if (penX + g.w > kImageWidth) {
      penX = 0;
      penY += cellHeight + kGap;
    }
    g.x = penX;
    g.y = penY;
    penX += g.w + kGap;
    // Drawn at pen + pre, the glyph's origin lands on the pen; the pen then
    // moves on by the advance plus the letter space.
    g.pre = -g.originX;
    g.post = advance + kLetterSpace - g.pre - g.w;
    glyphs.push_back(g);
  }
  cairo_destroy(measure);
  cairo_surface_destroy(scratch);

  int imageHeight = 1;
  while (imageHeight < penY + cellHeight) imageHeight *= 2;
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kImageWidth, imageHeight);
  cairo_t* cr = cairo_create(surface);
  SetFont(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, kOutline);
  for (const Glyph& g : glyphs) {
    const char text[2] = {static_cast<char>(g.code), 0};
    cairo_save(cr);
    cairo_rectangle(cr, g.x, g.y, g.w, g.h);
    cairo_clip(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, g.x + g.originX, g.y + kPad + ascent);
    cairo_text_path(cr, text);
    cairo_set_source_rgba(cr, 0.06, 0.08, 0.16, 0.95);
    cairo_stroke_preserve(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill(cr);
    cairo_restore(cr);
  }
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  const std::string imagePath = DataPath(out.dataDir, "font1.png");
  const cairo_status_t status = cairo_surface_write_to_png(surface, imagePath.c_str());
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cannot write " + imagePath);

  const std::string fntPath = DataPath(out.dataDir, "font1.fnt");
  std::ofstream fnt(fntPath, std::ios::binary);
  fnt << "[HGEFONT]\n\nBitmap=font1.png\n\n";
  for (const Glyph& g : glyphs) {
    fnt << "Char=" << CharField(g.code) << "," << g.x << "," << g.y << "," << g.w << "," << g.h
        << "," << g.pre << "," << g.post << "\n";
  }
  if (!fnt) throw std::runtime_error("cannot write " + fntPath);
}
