// The game's one font in light blue, with left/centred printing and the
// numbered text lines of the HUD.
#pragma once

#include <string>

class hgeFont;

class TextPrinter {
 public:
  TextPrinter();
  TextPrinter(const TextPrinter&) = delete;
  TextPrinter& operator=(const TextPrinter&) = delete;
  ~TextPrinter();

  void Print(float x, float y, const std::string& text, int align);
  void PrintLine(bool show, const std::string& text, int line);

  hgeFont* font;
  int lineHeight;
};
