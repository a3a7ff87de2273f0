// Oscillators, filters, the reverb and the buffer helpers of the sound
// generator. Coefficient formulas follow the usual textbook designs (RBJ
// biquads, trapezoidal state-variable filter, Freeverb's comb/all-pass net).
#include "tools/datagen/sounds/dsp/SynthDsp.h"

#include <algorithm>

namespace synth {

float PinkNoise::Next() {
  const float w = rng_.Noise();
  b0_ = 0.99765f * b0_ + w * 0.0990460f;
  b1_ = 0.96300f * b1_ + w * 0.2965164f;
  b2_ = 0.57000f * b2_ + w * 1.0526913f;
  return (b0_ + b1_ + b2_ + w * 0.1848f) * 0.25f;
}

Wander::Wander(uint64_t seed, double changesPerSecond)
    : rng_(seed), step_(changesPerSecond / kRate) {
  from_ = rng_.Noise();
  to_ = rng_.Noise();
}

float Wander::Next() {
  pos_ += step_;
  if (pos_ >= 1.0) {
    pos_ -= 1.0;
    from_ = to_;
    to_ = rng_.Noise();
  }
  const double s = pos_ * pos_ * (3.0 - 2.0 * pos_);
  return static_cast<float>(from_ + (to_ - from_) * s);
}

namespace {
// Correction around a sawtooth's jump (polynomial band-limited step).
double Blep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}
}  // namespace

float SawOsc::Next(double hz) {
  const double dt = std::min(hz / kRate, 0.45);
  const double v = 2.0 * phase_ - 1.0 - Blep(phase_, dt);
  phase_ += dt;
  if (phase_ >= 1.0) phase_ -= 1.0;
  return static_cast<float>(v);
}

float SquareOsc::Next(double hz, double width) {
  const double dt = std::min(hz / kRate, 0.45);
  double v = phase_ < width ? 1.0 : -1.0;
  v += Blep(phase_, dt);
  double t2 = phase_ + 1.0 - width;
  if (t2 >= 1.0) t2 -= 1.0;
  v -= Blep(t2, dt);
  phase_ += dt;
  if (phase_ >= 1.0) phase_ -= 1.0;
  return static_cast<float>(v);
}

void Biquad::Set(double b0, double b1, double b2, double a0, double a1, double a2) {
  b0_ = b0 / a0;
  b1_ = b1 / a0;
  b2_ = b2 / a0;
  a1_ = a1 / a0;
  a2_ = a2 / a0;
}

void Biquad::LowPass(double hz, double q) {
  const double w = kTwoPi * std::min(hz, kRate * 0.45) / kRate, c = std::cos(w);
  const double alpha = std::sin(w) / (2.0 * q);
  Set((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::HighPass(double hz, double q) {
  const double w = kTwoPi * std::min(hz, kRate * 0.45) / kRate, c = std::cos(w);
  const double alpha = std::sin(w) / (2.0 * q);
  Set((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::BandPass(double hz, double q) {
  const double w = kTwoPi * std::min(hz, kRate * 0.45) / kRate, c = std::cos(w);
  const double alpha = std::sin(w) / (2.0 * q);
  Set(alpha, 0, -alpha, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::Peak(double hz, double q, double gainDb) {
  const double w = kTwoPi * std::min(hz, kRate * 0.45) / kRate, c = std::cos(w);
  const double alpha = std::sin(w) / (2.0 * q);
  const double a = std::pow(10.0, gainDb / 40.0);
  Set(1 + alpha * a, -2 * c, 1 - alpha * a, 1 + alpha / a, -2 * c, 1 - alpha / a);
}

Svf::Out Svf::Process(float x, double hz, double q) {
  const double g = std::tan(kPi * std::clamp(hz, 10.0, kRate * 0.45) / kRate);
  const double k = 1.0 / q;
  const double a1 = 1.0 / (1.0 + g * (g + k)), a2 = g * a1, a3 = g * a2;
  const double v3 = x - ic2_;
  const double v1 = a1 * ic1_ + a2 * v3;
  const double v2 = ic2_ + a2 * ic1_ + a3 * v3;
  ic1_ = 2.0 * v1 - ic1_;
  ic2_ = 2.0 * v2 - ic2_;
  return {static_cast<float>(v2), static_cast<float>(v1), static_cast<float>(x - k * v1 - v2)};
}

Envelope::Envelope(std::initializer_list<std::pair<double, double>> points) : points_(points) {}

double Envelope::At(double t) const {
  if (points_.empty()) return 0.0;
  if (t <= points_.front().first) return points_.front().second;
  for (size_t i = 1; i < points_.size(); ++i) {
    if (t < points_[i].first) {
      const auto& a = points_[i - 1];
      const auto& b = points_[i];
      return a.second + (b.second - a.second) * (t - a.first) / (b.first - a.first);
    }
  }
  return points_.back().second;
}

Reverb::Reverb(double roomSize, double damping)
    : feedback_(static_cast<float>(0.7 + 0.28 * roomSize)),
      damp_(static_cast<float>(0.4 * damping)) {
  static const int kCombs[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
  static const int kPasses[] = {556, 441, 341, 225};
  const int spread = 23;
  for (int c : kCombs) {
    combsL_.push_back({std::vector<float>(c, 0.0f)});
    combsR_.push_back({std::vector<float>(c + spread, 0.0f)});
  }
  for (int a : kPasses) {
    passL_.push_back({std::vector<float>(a, 0.0f)});
    passR_.push_back({std::vector<float>(a + spread, 0.0f)});
  }
}

float Reverb::Side(std::vector<Comb>& combs, std::vector<AllPass>& passes, float in) {
  float out = 0;
  for (Comb& c : combs) {
    const float y = c.buf[c.pos];
    c.store = y * (1.0f - damp_) + c.store * damp_;
    c.buf[c.pos] = in + c.store * feedback_;
    if (++c.pos == c.buf.size()) c.pos = 0;
    out += y;
  }
  for (AllPass& a : passes) {
    const float b = a.buf[a.pos];
    a.buf[a.pos] = out + b * 0.5f;
    out = b - out;
    if (++a.pos == a.buf.size()) a.pos = 0;
  }
  return out;
}

void Reverb::Process(float in, float wet, float* left, float* right) {
  const float x = in * 0.015f;
  *left += wet * Side(combsL_, passL_, x);
  *right += wet * Side(combsR_, passR_, x);
}

void MixInto(Mono& dst, const Mono& src, int offset, float gain) {
  for (size_t i = 0; i < src.size(); ++i) {
    const long j = offset + static_cast<long>(i);
    if (j < 0) continue;
    if (j >= static_cast<long>(dst.size())) break;
    dst[j] += gain * src[i];
  }
}

float Peak(const Mono& m) {
  float p = 0;
  for (float v : m) p = std::max(p, std::fabs(v));
  return p;
}

void Scale(Mono& m, float gain) {
  for (float& v : m) v *= gain;
}

void Normalise(Mono& m, float peak) {
  const float p = Peak(m);
  if (p > 0) Scale(m, peak / p);
}

void Normalise(Stereo& s, float peak) {
  const float p = std::max(Peak(s.left), Peak(s.right));
  if (p <= 0) return;
  Scale(s.left, peak / p);
  Scale(s.right, peak / p);
}

void Fade(Mono& m, double inSeconds, double outSeconds) {
  const size_t in = std::min(m.size(), static_cast<size_t>(Samples(inSeconds)));
  const size_t out = std::min(m.size(), static_cast<size_t>(Samples(outSeconds)));
  for (size_t i = 0; i < in; ++i)
    m[i] *= static_cast<float>(0.5 - 0.5 * std::cos(kPi * static_cast<double>(i) / in));
  for (size_t i = 0; i < out; ++i)
    m[m.size() - 1 - i] *=
        static_cast<float>(0.5 - 0.5 * std::cos(kPi * static_cast<double>(i) / out));
}

void CloseLoop(Mono& m, int loopLength, int crossfade) {
  m.resize(std::max(m.size(), static_cast<size_t>(loopLength + crossfade)), 0.0f);
  for (int i = 0; i < crossfade; ++i) {
    const double a = 0.5 * kPi * (i + 0.5) / crossfade;
    m[i] = static_cast<float>(m[i] * std::sin(a) + m[loopLength + i] * std::cos(a));
  }
  m.resize(loopLength);
}

void AddPeriodicReverb(const Mono& send, Stereo& out, double roomSize, double damping, float wet) {
  Reverb reverb(roomSize, damping);
  const size_t n = send.size();
  // Warm the reverb up on the last seconds of the lap so that its tail is in
  // place when the kept lap begins.
  const size_t warm = std::min(n, static_cast<size_t>(Samples(8.0)));
  float sinkL = 0, sinkR = 0;
  for (size_t i = n - warm; i < n; ++i) reverb.Process(send[i], 0.0f, &sinkL, &sinkR);
  for (size_t i = 0; i < n; ++i) reverb.Process(send[i], wet, &out.left[i], &out.right[i]);
}

Stereo ShotReverb(const Mono& dry, double roomSize, double damping, float wet, double tail) {
  Reverb reverb(roomSize, damping);
  const size_t n = dry.size() + Samples(tail);
  Stereo out{Mono(n, 0.0f), Mono(n, 0.0f)};
  for (size_t i = 0; i < n; ++i) {
    const float x = i < dry.size() ? dry[i] : 0.0f;
    out.left[i] += x;
    out.right[i] += x;
    reverb.Process(x, wet, &out.left[i], &out.right[i]);
  }
  return out;
}

}  // namespace synth
