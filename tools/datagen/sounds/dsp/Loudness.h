// Integrated loudness of a stereo sound in LUFS, the way broadcast meters
// measure it (ITU-R BS.1770): K-weighting (a high-shelf of about +4 dB above
// 1.5 kHz and a high-pass near 38 Hz, designed from the analogue prototypes
// for the actual rate so that 44.1 kHz matches the 48 kHz reference), mean
// square over 400 ms blocks every 100 ms, an absolute gate at -70 LUFS and a
// relative gate 10 LU under the loudness of the blocks that pass it.
// Header-only, so that the generator and the tests of its data share it.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

namespace loudness {

constexpr double kPi = 3.14159265358979323846;

// K-weighting: both stages as one cascade, run over one channel.
inline std::vector<double> KWeighted(const float* x, size_t n, double rate) {
  double shelfB[3], shelfA[3], passA[3];
  {
    const double f0 = 1681.974450955533, gainDb = 3.999843853973347, q = 0.7071752369554196;
    const double k = std::tan(kPi * f0 / rate);
    const double vh = std::pow(10.0, gainDb / 20.0), vb = std::pow(vh, 0.4996667741545416);
    const double a0 = 1.0 + k / q + k * k;
    shelfB[0] = (vh + vb * k / q + k * k) / a0;
    shelfB[1] = 2.0 * (k * k - vh) / a0;
    shelfB[2] = (vh - vb * k / q + k * k) / a0;
    shelfA[1] = 2.0 * (k * k - 1.0) / a0;
    shelfA[2] = (1.0 - k / q + k * k) / a0;
  }
  {
    const double f0 = 38.13547087602444, q = 0.5003270373238773;
    const double k = std::tan(kPi * f0 / rate);
    const double a0 = 1.0 + k / q + k * k;
    passA[1] = 2.0 * (k * k - 1.0) / a0;
    passA[2] = (1.0 - k / q + k * k) / a0;
  }
  std::vector<double> y(n);
  double s1 = 0, s2 = 0, p1 = 0, p2 = 0;  // direct form II states
  for (size_t i = 0; i < n; ++i) {
    const double w = x[i] - shelfA[1] * s1 - shelfA[2] * s2;
    const double v = shelfB[0] * w + shelfB[1] * s1 + shelfB[2] * s2;
    s2 = s1;
    s1 = w;
    const double u = v - passA[1] * p1 - passA[2] * p2;
    y[i] = u - 2.0 * p1 + p2;
    p2 = p1;
    p1 = u;
  }
  return y;
}

// Loudness in LUFS of the two channels (same length); -infinity when every
// block is under the absolute gate or the sound is shorter than one block.
inline double Integrated(const float* left, const float* right, size_t frames,
                         double rate = 44100.0) {
  const std::vector<double> l = KWeighted(left, frames, rate), r = KWeighted(right, frames, rate);
  const size_t block = static_cast<size_t>(std::lround(0.4 * rate));
  const size_t step = block / 4;
  // Running sums of the squares make each block one subtraction.
  std::vector<double> sum(frames + 1, 0.0);
  for (size_t i = 0; i < frames; ++i) sum[i + 1] = sum[i] + l[i] * l[i] + r[i] * r[i];
  std::vector<double> power;
  for (size_t at = 0; at + block <= frames; at += step)
    power.push_back((sum[at + block] - sum[at]) / static_cast<double>(block));
  auto lufs = [](double p) { return -0.691 + 10.0 * std::log10(p); };
  auto gatedMean = [&](double gate, double* mean) {
    double total = 0;
    size_t count = 0;
    for (double p : power)
      if (p > 0 && lufs(p) > gate) {
        total += p;
        ++count;
      }
    *mean = count ? total / static_cast<double>(count) : 0.0;
    return count > 0;
  };
  double mean = 0;
  if (!gatedMean(-70.0, &mean)) return -std::numeric_limits<double>::infinity();
  gatedMean(lufs(mean) - 10.0, &mean);
  return lufs(mean);
}

inline double Integrated(const std::vector<float>& left, const std::vector<float>& right,
                         double rate = 44100.0) {
  return Integrated(left.data(), right.data(), std::min(left.size(), right.size()), rate);
}

}  // namespace loudness
