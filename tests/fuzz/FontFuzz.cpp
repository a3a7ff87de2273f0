// Fuzz target: a ".fnt" font description, read from the input's bytes as if
// it were "font1.fnt" beside a small white "font1.png", then used to measure
// and draw every byte value with each alignment.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/hge.h"
#include "gfx/hgeFont.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

// A 16 x 16 opaque white PNG.
const uint8_t kImage[] = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52,
    0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x10, 0x08, 0x06, 0x00, 0x00, 0x00, 0x1F, 0xF3, 0xFF,
    0x61, 0x00, 0x00, 0x00, 0x16, 0x49, 0x44, 0x41, 0x54, 0x78, 0xDA, 0x63, 0xF8, 0x4F, 0x21, 0x60,
    0x18, 0x35, 0x60, 0xD4, 0x80, 0x51, 0x03, 0x86, 0x8B, 0x01, 0x00, 0x5D, 0x78, 0xFC, 0x2E, 0xAD,
    0x21, 0xA9, 0x5E, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

// Every byte value but zero, in lines of 64.
std::string AllBytes() {
  std::string text;
  for (int c = 1; c < 256; ++c) {
    text += static_cast<char>(c);
    if (c % 64 == 0) text += '\n';
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string fontFile = [] {
    const std::string image = WriteFuzzFile("font1.png", kImage, sizeof kImage);
    return image.substr(0, image.size() - 3) + "fnt";
  }();
  static const std::string text = AllBytes();
  HGE* hge = FuzzEngine();

  hgeFont font(fontFile.c_str(), reinterpret_cast<const char*>(data), size);
  font.SetColor(0xFF90CBF0);
  font.GetStringWidth(text.c_str());
  hge->Gfx_BeginScene();
  for (int align = 0; align < 4; ++align) font.Render(32, 8, align, text.c_str());
  hge->Gfx_EndScene();
  return 0;
}
