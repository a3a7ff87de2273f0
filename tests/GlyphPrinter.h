// A text printer for tests whose font has one 8 x 16 glyph, with no spacing,
// for every printable ASCII character. A drawn glyph keeps the corners of its
// last draw, so a test can tell whether and where a character was printed.
#pragma once

class TextPrinter;

constexpr float kGlyphWidth = 8;

// Needs the headless engine. The font is read from a test folder.
TextPrinter* MakeGlyphPrinter();
// Forgets every earlier draw.
void MarkGlyphsUndrawn(TextPrinter* printer);
// True when the character was drawn since MarkGlyphsUndrawn; its top-left corner
// is then stored in x and y (either may be null).
bool GlyphDrawn(TextPrinter* printer, char c, float* x = nullptr, float* y = nullptr);
