// Shared pieces of the engine tests: a scripted frame driver, a fixture that
// brings a headless engine up and down, and file and PNG helpers (Cairo) for
// making test images and reading shots back.
#pragma once

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/Platform.h"
#include "engine/hge.h"
#include "tests/HeadlessEngine.h"

namespace enginetest {

// Hands out a fixed list of deltas, running an optional hook before each frame.
struct ScriptedDriver : FrameDriver {
  std::vector<float> deltas;
  std::function<void(int frame)> beforeFrame;  // frame index about to run
  int asked = 0;

  bool NextFrame(float* delta) override {
    const int frame = asked++;
    if (frame >= static_cast<int>(deltas.size())) return false;
    if (beforeFrame) beforeFrame(frame);
    *delta = deltas[frame];
    return true;
  }
};

// Writes a PNG whose pixels are given as opaque ARGB.
inline void WritePng(const std::string& file, int w, int h,
                     const std::function<uint32_t(int x, int y)>& pixel) {
  std::vector<uint32_t> data(static_cast<size_t>(w) * h);
  for (int i = 0; i < w * h; ++i) data[i] = pixel(i % w, i / w);
  cairo_surface_t* s = cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(data.data()), CAIRO_FORMAT_ARGB32, w, h, w * 4);
  cairo_surface_write_to_png(s, file.c_str());
  cairo_surface_destroy(s);
}

// A PNG read back as opaque RGB pixels (0xRRGGBB); empty when unreadable.
struct Image {
  int width = 0, height = 0;
  std::vector<uint32_t> rgb;
  uint32_t At(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
};

inline Image ReadPng(const std::string& file) {
  Image img;
  cairo_surface_t* s = cairo_image_surface_create_from_png(file.c_str());
  if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS) {
    img.width = cairo_image_surface_get_width(s);
    img.height = cairo_image_surface_get_height(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < img.height; ++y) {
      auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(s) + y * stride);
      for (int x = 0; x < img.width; ++x) img.rgb.push_back(row[x] & 0xFFFFFF);
    }
  }
  cairo_surface_destroy(s);
  return img;
}

// One headless engine per test, released in TearDown so every test starts afresh.
class HeadlessEngine : public ::testing::Test {
 protected:
  void SetUp() override {
    // Another test of this process may keep an engine of its own running.
    if (!headless::RendererName().empty()) GTEST_SKIP() << "an engine is already running";
    headless::Enable(&driver);
    hge = hgeCreate(HGE_VERSION);
  }
  void TearDown() override {
    if (!hge) return;
    hge->System_Shutdown();
    hge->Release();
    headless::Enable(nullptr);
    headless::UseSoftwareRenderer(false);
    headless::SetMaxTextureSize(0);
  }
  // Brings up a small screen; the caller checks the result.
  bool Start(int width = 64, int height = 48) {
    hge->System_SetState(HGE_SCREENWIDTH, width);
    hge->System_SetState(HGE_SCREENHEIGHT, height);
    hge->System_SetState(HGE_TITLE, "engine test");
    return hge->System_Initiate();
  }

  ScriptedDriver driver;
  HGE* hge = nullptr;
  const std::string dir = TestFolder("engine");
};

}  // namespace enginetest
