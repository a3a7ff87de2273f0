// A generated picture read back from the data folder, with its frame grid, for
// the tests that look at what the generator drew.
#pragma once

#include <cairo.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "game/ImageTable.h"

// The table row of the first picture whose name contains `part`, credits included.
inline ImageFile PictureFile(const std::string& part) {
  for (const ImageFile& f : kImageFiles)
    if (std::string(f.file).find(part) != std::string::npos) return f;
  EXPECT_NE(std::string(kCreditsImage.file).find(part), std::string::npos) << "no picture " << part;
  return kCreditsImage;
}

class Picture {
 public:
  explicit Picture(const std::string& name) : Picture(PictureFile(name)) {}
  explicit Picture(const ImageFile& f) : file(f) {
    std::string path = std::string(ZARVO_DATA_DIR) + "/" + f.file;
    for (char& c : path)
      if (c == '\\') c = '/';
    surface_ = cairo_image_surface_create_from_png(path.c_str());
    fw = width() / f.framesX;
    fh = height() / f.framesY;
  }
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;
  ~Picture() { cairo_surface_destroy(surface_); }
  bool ok() const { return cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS; }
  int width() const { return cairo_image_surface_get_width(surface_); }
  int height() const { return cairo_image_surface_get_height(surface_); }
  // Premultiplied {alpha, red, green, blue} of one pixel, 0..255 each.
  std::array<int, 4> At(int x, int y) const {
    const unsigned char* row =
        cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
    const uint32_t p = reinterpret_cast<const uint32_t*>(row)[x];
    return {int(p >> 24), int((p >> 16) & 255), int((p >> 8) & 255), int(p & 255)};
  }
  // The same in frame (col, row) of the grid.
  std::array<int, 4> At(int col, int row, int x, int y) const {
    return At(col * fw + x, row * fh + y);
  }
  // Mean absolute difference between column xa and column xb over `rows` rows.
  double ColumnDifference(int xa, int ya0, int xb, int yb0, int rows) const {
    double sum = 0;
    for (int r = 0; r < rows; ++r) {
      auto a = At(xa, ya0 + r), b = At(xb, yb0 + r);
      for (int c = 0; c < 4; ++c) sum += std::abs(a[c] - b[c]);
    }
    return sum / (rows * 4.0);
  }

  ImageFile file;
  int fw, fh;  // frame size

 private:
  cairo_surface_t* surface_;
};
