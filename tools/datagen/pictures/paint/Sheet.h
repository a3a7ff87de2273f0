// A picture being generated: a transparent canvas cut into a grid of equal
// frames. Each frame is drawn with Cairo in frame-local coordinates, then the
// picture is written under its game name and a numbered contact sheet beside it.
#pragma once

#include <cairo.h>

#include <functional>
#include <random>
#include <string>

struct Output {
  std::string dataDir;     // where the game reads its files
  std::string contactDir;  // review sheets
};

class SheetCanvas {
 public:
  // width x height pixels in all; frames of width/framesX x height/framesY.
  SheetCanvas(int width, int height, int framesX, int framesY);
  SheetCanvas(const SheetCanvas&) = delete;
  SheetCanvas& operator=(const SheetCanvas&) = delete;
  ~SheetCanvas();

  int frameWidth() const { return width_ / framesX_; }
  int frameHeight() const { return height_ / framesY_; }
  int width() const { return width_; }
  int height() const { return height_; }
  cairo_surface_t* surface() { return surface_; }

  // Draws one frame: the context is translated to the frame's top-left corner
  // and clipped to it.
  void DrawFrame(int frameX, int frameY, const std::function<void(cairo_t*)>& draw);
  // Draws over the whole picture, unclipped.
  void DrawAll(const std::function<void(cairo_t*)>& draw);

  // Writes the PNG under the game's name ("Images\\x.png") in out.dataDir and
  // its contact sheet (grid and frame numbers) in out.contactDir.
  void Save(const Output& out, const char* gameName) const;

 private:
  int width_, height_, framesX_, framesY_;
  cairo_surface_t* surface_;
};

// Maps "Images\\x.png" to dir + "/Images/x.png" and creates the folders.
std::string DataPath(const std::string& dir, const char* gameName);

// Random numbers for drawing: a fixed seed per picture keeps output identical.
class DrawRandom {
 public:
  explicit DrawRandom(uint32_t seed) : engine_(seed) {}
  double Uniform(double lo, double hi) {
    return lo + (hi - lo) * (static_cast<double>(engine_() - engine_.min()) /
                             (static_cast<double>(engine_.max() - engine_.min()) + 1.0));
  }
  int Int(int lo, int hi) { return lo + static_cast<int>(Uniform(0, hi - lo + 1)); }

 private:
  std::mt19937 engine_;
};
