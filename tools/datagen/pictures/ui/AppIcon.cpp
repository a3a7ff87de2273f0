// The game's icon for desktops and software centres: Zarvo, a friendly
// white-blue rain cloud with a smile, and three drops falling from it, on a
// transparent square. Painted anew at each size, with outlines thick enough
// to read at 32 pixels.
#include <cairo.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "tools/datagen/Generators.h"
#include "tools/datagen/pictures/characters/CloudPainter.h"

using namespace paint;

namespace {

constexpr double kUnits = 256;  // the icon is drawn on a 256 x 256 plan, then scaled

void PaintIcon(cairo_t* cr, int size) {
  cairo_scale(cr, size / kUnits, size / kUnits);
  // About one pixel of outline at the small sizes, a little under two at 256.
  const double ink = std::max(2.2, 0.62 * kUnits / size);
  const CloudPalette pal{Hex(0xFFFFFF), Hex(0x8CB6EE), Hex(0xFFFFFF), {Hex(0x1C3566), ink, 0.85},
                         Hex(0x86AEF5), Hex(0xFFFFFF), Hex(0x2A72DA)};
  for (int i = 0; i < 3; ++i) PaintDrop(cr, 78 + 50 * i, i == 1 ? 222 : 208, 40 - (i == 1 ? 0 : 4));
  CloudBody body;
  body.cx = 128;
  body.cy = 102;
  body.h = 142;
  body.w = body.h * 1.6;
  CloudFace face;
  face.smile = 0.9;
  face.scale = 1.1;
  PaintCloud(cr, body, pal, face);
}

}  // namespace

void GenerateAppIcons(const std::string& iconDir, const std::string& name) {
  for (const int size : {32, 48, 64, 128, 256}) {
    const std::string edge = std::to_string(size);
    const std::filesystem::path dir = std::filesystem::path(iconDir) / (edge + "x" + edge) / "apps";
    std::filesystem::create_directories(dir);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    PaintIcon(cr, size);
    cairo_destroy(cr);
    const std::string file = (dir / (name + ".png")).string();
    const cairo_status_t status = cairo_surface_write_to_png(surface, file.c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cannot write " + file);
  }
}
