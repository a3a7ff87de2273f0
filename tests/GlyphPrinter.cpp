// The test font: a generated ".fnt" description over a plain image, loaded
// through the game's own TextPrinter (which always reads "font1.fnt" from the
// working directory, so the directory is changed while it loads).
#include "tests/GlyphPrinter.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "gfx/TextPrinter.h"
#include "gfx/hgeFont.h"
#include "gfx/hgeSprite.h"
#include "tests/HeadlessEngine.h"

namespace {
constexpr float kUnset = -54321;
}

TextPrinter* MakeGlyphPrinter() {
  const std::string dir = TestFolder("glyphs");
  WriteTestPng(dir, "glyphs.png", 95 * 8, 16, 0xFFFFFFFF);
  std::ofstream fnt(dir + "/font1.fnt");
  fnt << "[HGEFONT]\nBitmap = glyphs.png\n";
  for (int c = 0x20; c < 0x7F; ++c) {
    char code[8];
    std::snprintf(code, sizeof code, "%02X", c);
    fnt << "Char=" << code << "," << (c - 0x20) * 8 << ",0,8,16,0,0\n";
  }
  fnt.close();
  char previous[4096];
  if (!getcwd(previous, sizeof previous)) return nullptr;
  if (chdir(dir.c_str()) != 0) return nullptr;
  TextPrinter* printer = new TextPrinter;
  if (chdir(previous) != 0) return printer;
  MarkGlyphsUndrawn(printer);
  return printer;
}

void MarkGlyphsUndrawn(TextPrinter* printer) {
  for (hgeSprite* s : printer->font->letters)
    if (s)
      for (hgeVertex& v : s->quad.v) v.x = v.y = kUnset;
}

bool GlyphDrawn(TextPrinter* printer, char c, float* x, float* y) {
  const hgeSprite* s = printer->font->letters[static_cast<unsigned char>(c)];
  if (!s || s->quad.v[0].x == kUnset) return false;
  if (x) *x = s->quad.v[0].x;
  if (y) *y = s->quad.v[0].y;
  return true;
}
