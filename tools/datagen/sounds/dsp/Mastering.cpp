// High-pass, trimming, loop rotation, limiting and loudness levelling of the
// finished sounds. The limiter works on the whole buffer at once: the gain
// each sample needs, its minimum over a window around the sample, a moving
// average of that (which never rises above what any sample in reach needs),
// then a slow one-pole recovery.
#include "tools/datagen/sounds/dsp/Mastering.h"

#include <algorithm>
#include <deque>

#include "tools/datagen/sounds/dsp/Loudness.h"

namespace synth {

namespace {

void HighPassSide(Mono& m, double hz, bool loop) {
  // Butterworth poles of order four: Q = 0.5412 and 1.3066.
  Biquad a, b;
  a.HighPass(hz, 0.54119610);
  b.HighPass(hz, 1.30656296);
  if (loop) {
    const size_t warm = std::min(m.size(), static_cast<size_t>(Samples(1.0)));
    for (size_t i = m.size() - warm; i < m.size(); ++i) b.Process(a.Process(m[i]));
  }
  for (float& v : m) v = b.Process(a.Process(v));
}

// v[i], wrapping round for loops and clamped at the ends otherwise.
float SampleAt(const std::vector<float>& v, long i, bool loop) {
  const long n = static_cast<long>(v.size());
  return loop ? v[((i % n) + n) % n] : v[std::clamp(i, 0L, n - 1)];
}

// Minimum of v over [i - radius, i + radius] for every i (wrapping round for
// loops, clamped at the ends otherwise), by a monotonic queue.
std::vector<float> WindowMin(const std::vector<float>& v, int radius, bool loop) {
  const long n = static_cast<long>(v.size());
  std::vector<float> out(v.size());
  std::deque<std::pair<long, float>> q;
  for (long i = -radius; i < n + radius; ++i) {
    const float x = SampleAt(v, i, loop);
    while (!q.empty() && q.back().second >= x) q.pop_back();
    q.emplace_back(i, x);
    const long centre = i - radius;
    if (centre < 0) continue;
    while (q.front().first < centre - radius) q.pop_front();
    out[centre] = q.front().second;
  }
  return out;
}

// Moving average of v over [i - radius, i + radius], wrapping or clamped.
std::vector<float> WindowMean(const std::vector<float>& v, int radius, bool loop) {
  const long n = static_cast<long>(v.size());
  std::vector<float> out(v.size());
  double sum = 0;
  for (long i = -radius; i <= radius; ++i) sum += SampleAt(v, i, loop);
  for (long i = 0; i < n; ++i) {
    out[i] = static_cast<float>(sum / (2 * radius + 1));
    sum += static_cast<double>(SampleAt(v, i + radius + 1, loop)) - SampleAt(v, i - radius, loop);
  }
  return out;
}

}  // namespace

void HighPassAll(Stereo& s, double hz, bool loop) {
  HighPassSide(s.left, hz, loop);
  HighPassSide(s.right, hz, loop);
}

void RemoveDc(Stereo& s, bool loop) {
  for (Mono* m : {&s.left, &s.right}) {
    const size_t n = m->size();
    if (n < 2) continue;
    double mean = 0;
    for (float v : *m) mean += v;
    mean /= static_cast<double>(n);
    // sin^2 over the length averages to one half.
    for (size_t i = 0; i < n; ++i) {
      const double w = loop ? 1.0 : 2.0 * std::pow(std::sin(kPi * i / (n - 1)), 2.0);
      (*m)[i] -= static_cast<float>(mean * w);
    }
  }
}

void TrimLeadingQuiet(Stereo& s, float relative, double keep, double attack) {
  const float threshold = relative * std::max(Peak(s.left), Peak(s.right));
  size_t first = 0;
  while (first < s.left.size() && std::fabs(s.left[first]) <= threshold &&
         std::fabs(s.right[first]) <= threshold)
    ++first;
  const size_t cut = first > static_cast<size_t>(Samples(keep)) ? first - Samples(keep) : 0;
  s.left.erase(s.left.begin(), s.left.begin() + cut);
  s.right.erase(s.right.begin(), s.right.begin() + cut);
  Fade(s.left, attack, 0.0);
  Fade(s.right, attack, 0.0);
}

void StartLoopAtQuietPoint(Stereo& s) {
  const size_t n = std::min(s.left.size(), s.right.size());
  if (n < 2) return;
  size_t best = 0;
  float bestSize = 1e9f;
  for (size_t i = 0; i < n; ++i) {
    const float prev = s.left[(i + n - 1) % n];
    const float size = std::fabs(s.left[i]) + std::fabs(s.right[i]);
    if (size < bestSize && prev <= s.left[i]) {
      bestSize = size;
      best = i;
    }
  }
  std::rotate(s.left.begin(), s.left.begin() + best, s.left.begin() + n);
  std::rotate(s.right.begin(), s.right.begin() + best, s.right.begin() + n);
}

void Limit(Stereo& s, float ceiling, bool loop) {
  const size_t n = std::min(s.left.size(), s.right.size());
  if (n == 0) return;
  std::vector<float> need(n);
  for (size_t i = 0; i < n; ++i) {
    const float peak = std::max(std::fabs(s.left[i]), std::fabs(s.right[i]));
    need[i] = peak > ceiling ? ceiling / peak : 1.0f;
  }
  const int reach = Samples(0.0008);
  std::vector<float> gain = WindowMean(WindowMin(need, 2 * reach, loop), reach, loop);
  // Recovery: the gain may fall at once but rises by a fraction each sample.
  // A loop goes round twice so that its head recovers from its tail.
  const float rise = static_cast<float>(1.0 - std::exp(-1.0 / (0.08 * kRate)));
  float g = 1.0f;
  for (size_t lap = 0; lap < (loop ? 2u : 1u); ++lap)
    for (size_t i = 0; i < n; ++i) {
      g = std::min(gain[i], g + (1.0f - g) * rise);
      gain[i] = g;
    }
  for (size_t i = 0; i < n; ++i) {
    s.left[i] *= gain[i];
    s.right[i] *= gain[i];
  }
}

double LevelTo(Stereo& s, double lufs, float ceiling, bool loop) {
  const Stereo source = s;
  const double start = loudness::Integrated(s.left, s.right);
  if (!std::isfinite(start)) return start;
  // Gain in dB against loudness reached. Without the limiter a dB of gain is
  // a LU of loudness; with it less, so the step follows the slope of the last
  // two tries (a secant search), held between 0.05 and 1 against noise.
  double gainDb = lufs - start, lastGainDb = 0.0, lastReached = start, reached = start;
  for (int round = 0; round < 12; ++round) {
    s = source;
    const float gain = static_cast<float>(std::pow(10.0, gainDb / 20.0));
    Scale(s.left, gain);
    Scale(s.right, gain);
    if (std::max(Peak(s.left), Peak(s.right)) > ceiling) Limit(s, ceiling, loop);
    reached = loudness::Integrated(s.left, s.right);
    if (std::fabs(reached - lufs) < 0.02) break;
    const double slope = std::clamp((reached - lastReached) / (gainDb - lastGainDb), 0.05, 1.0);
    lastGainDb = gainDb;
    lastReached = reached;
    gainDb += (lufs - reached) / slope;
  }
  return reached;
}

}  // namespace synth
