// Shapes shared by the scenery pictures: drawing across the wrap point of a
// periodic strip, and ridge lines that repeat with the strip.
#pragma once

#include <cmath>
#include <vector>

#include "tools/datagen/pictures/paint/Sheet.h"
#include "tools/datagen/pictures/paint/WorldPaint.h"

namespace scenery {

constexpr int kScreenH = 768;

// Calls draw(x') for x and for its copies one period to either side that
// still reach into [0, period).
template <class F>
void Wrapped(double x, double extent, double period, F draw) {
  draw(x);
  if (x - extent < 0) draw(x + period);
  if (x + extent > period) draw(x - period);
}

// A periodic ridge line: a sum of sines with whole numbers of waves per period.
struct Wave {
  double cycles, amplitude, phase;
};
inline double Ridge(double x, double base, const std::vector<Wave>& waves, double period) {
  double y = base;
  for (const Wave& w : waves)
    y += w.amplitude * std::sin(2 * worldpaint::kPi * w.cycles * x / period + w.phase);
  return y;
}

}  // namespace scenery

// The scenery pictures outside the three sky layers.
void GenerateSunImage(const Output& out);     // the smiling sun
void GenerateStormImages(const Output& out);  // the storm sky and the red glow
void GenerateGrassImage(const Output& out);   // the grass strip
