// The game's one font, "font1.fnt", tinted light blue, and the numbered text
// lines of the HUD's frame statistics.
#include "gfx/TextPrinter.h"

#include "engine/Platform.h"
#include "gfx/hgeFont.h"

TextPrinter::TextPrinter() : font(new hgeFont("font1.fnt")), lineHeight(24) {
  font->SetColor(0xFF90CBF0);
  // Without its image the font draws nothing: every screen would lose its text
  // without a word, so say so as a missing picture does.
  if (!font->hTexture) ShowErrorBox("Font unable to load font1.fnt");
}

TextPrinter::~TextPrinter() { delete font; }

void TextPrinter::Print(float x, float y, const std::string& text, int align) {
  font->Render(x, y, align, text.c_str());
}

void TextPrinter::PrintLine(bool show, const std::string& text, int line) {
  if (show) font->Render(0, static_cast<float>(line * lineHeight), HGETEXT_LEFT, text.c_str());
}
