// Headless engine and small image files for unit tests.
#include "tests/HeadlessEngine.h"

#include <cairo.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/Platform.h"
#include "engine/hge.h"

namespace {

class NoFrames : public FrameDriver {
 public:
  bool NextFrame(float*) override { return false; }
};

}  // namespace

HGE* HeadlessEngine() {
  static HGE* engine = [] {
    static NoFrames driver;
    headless::Enable(&driver);
    HGE* e = hgeCreate(HGE_VERSION);
    e->System_SetState(HGE_SCREENWIDTH, 1024);
    e->System_SetState(HGE_SCREENHEIGHT, 768);
    e->System_SetState(HGE_TITLE, "tests");
    if (!e->System_Initiate()) return static_cast<HGE*>(nullptr);
    return e;
  }();
  return engine;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string TestFolder(const std::string& name) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                    ("zarvo-test-" + std::to_string(getpid()) + "-" + name);
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string();
}

std::string WriteTestPng(const std::string& folder, const std::string& name, int width, int height,
                         unsigned argb) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(s);
  const double a = ((argb >> 24) & 255) / 255.0;
  cairo_set_source_rgba(cr, ((argb >> 16) & 255) / 255.0, ((argb >> 8) & 255) / 255.0,
                        (argb & 255) / 255.0, a);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_destroy(cr);
  const std::string path = folder + "/" + name;
  cairo_surface_write_to_png(s, path.c_str());
  cairo_surface_destroy(s);
  return path;
}
