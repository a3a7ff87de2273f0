// Picture canvases, PNG output under the game's file names, and contact sheets.
#include "tools/datagen/pictures/paint/Sheet.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/ImageTable.h"

SheetCanvas::SheetCanvas(int width, int height, int framesX, int framesY)
    : width_(width),
      height_(height),
      framesX_(framesX),
      framesY_(framesY),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)) {
  if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot make a canvas");
}

SheetCanvas::~SheetCanvas() { cairo_surface_destroy(surface_); }

void SheetCanvas::DrawFrame(int fx, int fy, const std::function<void(cairo_t*)>& draw) {
  cairo_t* cr = cairo_create(surface_);
  const int w = frameWidth(), h = frameHeight();
  cairo_rectangle(cr, fx * w, fy * h, w, h);
  cairo_clip(cr);
  cairo_translate(cr, fx * w, fy * h);
  draw(cr);
  cairo_destroy(cr);
}

void SheetCanvas::DrawAll(const std::function<void(cairo_t*)>& draw) {
  cairo_t* cr = cairo_create(surface_);
  draw(cr);
  cairo_destroy(cr);
}

std::string DataPath(const std::string& dir, const char* gameName) {
  std::string rel(gameName);
  for (char& c : rel)
    if (c == '\\') c = '/';
  std::filesystem::path path = std::filesystem::path(dir) / rel;
  std::filesystem::create_directories(path.parent_path());
  return path.string();
}

void SheetCanvas::Save(const Output& out, const char* gameName) const {
  // The game refuses a picture of another size than its table gives.
  std::vector<ImageFile> table(std::begin(kImageFiles), std::end(kImageFiles));
  table.push_back(kCreditsImage);
  for (const ImageFile& f : table) {
    if (std::string(f.file) == gameName && (f.width != width_ || f.height != height_))
      throw std::runtime_error(std::string(gameName) + " is not the size the game draws");
  }
  cairo_surface_flush(surface_);
  const std::string path = DataPath(out.dataDir, gameName);
  if (cairo_surface_write_to_png(surface_, path.c_str()) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot write " + path);
  if (out.contactDir.empty()) return;

  // Contact sheet: a checkerboard behind the frames, the grid in red and each
  // frame's running number, scaled down so that it stays a reviewable size.
  const double scale = std::min(1.0, 2400.0 / std::max(width_, height_));
  const int cw = std::max(1, static_cast<int>(width_ * scale));
  const int ch = std::max(1, static_cast<int>(height_ * scale));
  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, cw, ch);
  cairo_t* cr = cairo_create(sheet);
  const int cell = 8;
  for (int y = 0; y < ch; y += cell)
    for (int x = 0; x < cw; x += cell) {
      const double v = ((x / cell + y / cell) % 2) ? 0.78 : 0.62;
      cairo_set_source_rgb(cr, v, v, v + 0.05);
      cairo_rectangle(cr, x, y, cell, cell);
      cairo_fill(cr);
    }
  cairo_save(cr);
  cairo_scale(cr, scale, scale);
  cairo_set_source_surface(cr, surface_, 0, 0);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_set_source_rgb(cr, 0.9, 0.1, 0.1);
  cairo_set_line_width(cr, 1);
  const double fw = frameWidth() * scale, fh = frameHeight() * scale;
  for (int i = 0; i <= framesX_; ++i) {
    cairo_move_to(cr, i * fw + 0.5, 0);
    cairo_line_to(cr, i * fw + 0.5, ch);
  }
  for (int j = 0; j <= framesY_; ++j) {
    cairo_move_to(cr, 0, j * fh + 0.5);
    cairo_line_to(cr, cw, j * fh + 0.5);
  }
  cairo_stroke(cr);
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, 11);
  for (int j = 0; j < framesY_; ++j)
    for (int i = 0; i < framesX_; ++i) {
      char label[32];
      std::snprintf(label, sizeof label, "%d", j * framesX_ + i);
      cairo_move_to(cr, i * fw + 3, j * fh + 12);
      cairo_set_source_rgb(cr, 1, 1, 0.2);
      cairo_show_text(cr, label);
    }
  cairo_destroy(cr);
  std::string name(gameName);
  for (char& c : name)
    if (c == '\\' || c == '/' || c == ' ') c = '_';
  std::filesystem::create_directories(out.contactDir);
  cairo_surface_write_to_png(sheet, (std::filesystem::path(out.contactDir) / name).c_str());
  cairo_surface_destroy(sheet);
}
