// The two players' clouds keep their own hue in every frame, weak and dying
// ones too.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "tests/datagen/GeneratedPicture.h"

namespace {

// CIE L*a*b* of the alpha-weighted mean colour of frame i; L < 0 if empty.
std::array<double, 3> MeanLab(const Picture& p, int i) {
  double sum[4] = {};
  for (int y = 0; y < p.fh; ++y)
    for (int x = 0; x < p.fw; ++x)
      for (int c = 0; c < 4; ++c) sum[c] += p.At(i % p.file.framesX, i / p.file.framesX, x, y)[c];
  auto lin = [&](int c) {
    const double v = sum[c] / std::max(sum[0], 1.0);  // premultiplied: over alpha
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
  const double r = lin(1), g = lin(2), b = lin(3), fy = f(0.2126 * r + 0.7152 * g + 0.0722 * b);
  return {sum[0] < 255 ? -1 : 116 * fy - 16,
          500 * (f((0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047) - fy),
          200 * (fy - f((0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883))};
}

TEST(PlayerHues, ThePlayersDifferInEveryFrameOfEverySheet) {
  // Weak, small, medium, large and morph of player 1 and of player 2.
  for (auto [one, two] : {std::pair{0, 6}, {1, 7}, {2, 8}, {3, 9}, {5, 10}}) {
    const Picture a(kImageFiles[one]), b(kImageFiles[two]);
    for (int i = 0; i < a.file.framesX * a.file.framesY; ++i) {
      const auto p = MeanLab(a, i), q = MeanLab(b, i);
      const double dE = std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]);
      EXPECT_TRUE(p[0] < 0 || dE >= 20) << b.file.file << " " << i << ": " << dE;  // < 0: empty
    }
  }
}

}  // namespace
