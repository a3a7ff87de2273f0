#include "bench/Figures.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

double Percentile(std::vector<double> samples, double p) {
  if (samples.empty()) return 0.0;
  std::sort(samples.begin(), samples.end());
  const double rank = std::ceil(p / 100.0 * static_cast<double>(samples.size()));
  const size_t index = rank < 1.0 ? 0 : static_cast<size_t>(rank) - 1;
  return samples[std::min(index, samples.size() - 1)];
}

void PrintFigure(const std::string& name, double value, const std::string& unit) {
  // Three decimals decimals for small figures, whole numbers for large ones.
  // Counts stay whole.
  int decimals = std::fabs(value) >= 1000.0 ? 0 : std::fabs(value) >= 10.0 ? 1 : 3;
  if (value == std::floor(value)) decimals = 0;
  std::printf("%s %.*f %s\n", name.c_str(), decimals, value, unit.c_str());
  std::fflush(stdout);
}

double MonotonicSeconds() {
  // steady_clock is CLOCK_MONOTONIC here: comparable between a parent and its child.
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}
