// Building blocks for the generated sounds: seeded noise, oscillators,
// filters, envelopes and a small stereo reverb. Everything is deterministic:
// the same seed and the same calls give the same samples on every run.
#pragma once

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace synth {

constexpr double kRate = 44100.0;
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

using Mono = std::vector<float>;
struct Stereo {
  Mono left, right;
};

inline int Samples(double seconds) { return static_cast<int>(std::lround(seconds * kRate)); }
inline double MidiHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

// xorshift64* generator: fast, seedable, identical on every platform.
class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {
    if (state_ == 0) state_ = 1;
  }
  uint64_t Next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1Dull;
  }
  double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
  double Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }
  float Noise() { return static_cast<float>(2.0 * Unit() - 1.0); }  // white, -1..1
  int Int(int lo, int hi) { return lo + static_cast<int>(Unit() * (hi - lo + 1)); }

 private:
  uint64_t state_;
};

// Pink noise (Paul Kellet's economy filter over white noise).
class PinkNoise {
 public:
  explicit PinkNoise(uint64_t seed) : rng_(seed) {}
  float Next();

 private:
  Rng rng_;
  float b0_ = 0, b1_ = 0, b2_ = 0;
};

// Brown noise: leaky integral of white noise.
class BrownNoise {
 public:
  explicit BrownNoise(uint64_t seed) : rng_(seed) {}
  float Next() {
    state_ = state_ * 0.995f + 0.1f * rng_.Noise();
    return state_ * 0.6f;
  }

 private:
  Rng rng_;
  float state_ = 0;
};

// Slowly wandering value in -1..1: random targets joined by smooth steps.
class Wander {
 public:
  Wander(uint64_t seed, double changesPerSecond);
  float Next();

 private:
  Rng rng_;
  double step_;
  double pos_ = 0;
  float from_, to_;
};

// Sine oscillator by complex rotation: no trigonometry per sample.
class SineOsc {
 public:
  explicit SineOsc(double hz, double phase = 0.0) : re_(std::cos(phase)), im_(std::sin(phase)) {
    Set(hz);
  }
  void Set(double hz) {
    cr_ = std::cos(kTwoPi * hz / kRate);
    ci_ = std::sin(kTwoPi * hz / kRate);
  }
  float Next() {
    const double v = im_;
    const double r = re_ * cr_ - im_ * ci_;
    im_ = re_ * ci_ + im_ * cr_;
    re_ = r;
    if (++count_ == 4096) {  // keep the rotation on the unit circle
      count_ = 0;
      const double n = 1.0 / std::sqrt(re_ * re_ + im_ * im_);
      re_ *= n;
      im_ *= n;
    }
    return static_cast<float>(v);
  }

 private:
  double re_, im_, cr_ = 1, ci_ = 0;
  int count_ = 0;
};

// Band-limited sawtooth and square (polyBLEP), frequency may change per sample.
class SawOsc {
 public:
  explicit SawOsc(double phase01 = 0.0) : phase_(phase01) {}
  float Next(double hz);

 private:
  double phase_;
};
class SquareOsc {
 public:
  explicit SquareOsc(double phase01 = 0.0) : phase_(phase01) {}
  float Next(double hz, double width = 0.5);

 private:
  double phase_;
};

// Robert Bristow-Johnson's biquads, transposed direct form II.
class Biquad {
 public:
  void LowPass(double hz, double q);
  void HighPass(double hz, double q);
  void BandPass(double hz, double q);  // 0 dB at the centre
  void Peak(double hz, double q, double gainDb);
  float Process(float x) {
    const double y = b0_ * x + z1_;
    z1_ = b1_ * x - a1_ * y + z2_;
    z2_ = b2_ * x - a2_ * y;
    return static_cast<float>(y);
  }
  void Reset() { z1_ = z2_ = 0; }

 private:
  void Set(double b0, double b1, double b2, double a0, double a1, double a2);
  double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0, z1_ = 0, z2_ = 0;
};

// State-variable filter (trapezoidal), cheap to sweep every sample.
class Svf {
 public:
  struct Out {
    float low, band, high;
  };
  Out Process(float x, double hz, double q);

 private:
  double ic1_ = 0, ic2_ = 0;
};

// Piecewise-linear envelope over (seconds, level) points; flat beyond the ends.
class Envelope {
 public:
  Envelope(std::initializer_list<std::pair<double, double>> points);
  double At(double seconds) const;

 private:
  std::vector<std::pair<double, double>> points_;
};

// Freeverb-style reverb: eight damped combs and four all-passes per side.
class Reverb {
 public:
  Reverb(double roomSize, double damping);
  // Adds the wet signal of the mono input into the two outputs.
  void Process(float in, float wet, float* left, float* right);

 private:
  struct Comb {
    std::vector<float> buf;
    size_t pos = 0;
    float store = 0;
  };
  struct AllPass {
    std::vector<float> buf;
    size_t pos = 0;
  };
  float Side(std::vector<Comb>& combs, std::vector<AllPass>& passes, float in);
  std::vector<Comb> combsL_, combsR_;
  std::vector<AllPass> passL_, passR_;
  float feedback_, damp_;
};

// Buffer helpers.
void MixInto(Mono& dst, const Mono& src, int offset, float gain);
float Peak(const Mono& m);
void Scale(Mono& m, float gain);
// Scales so that the loudest sample sits at the given level (linear, e.g. 0.89).
void Normalise(Mono& m, float peak);
void Normalise(Stereo& s, float peak);
// Raised-cosine fade at the head and tail against clicks.
void Fade(Mono& m, double inSeconds, double outSeconds);
// Trims to the given length and cross-fades the material past it into the head
// (equal power), so that playing the result over and over has no seam.
void CloseLoop(Mono& m, int loopLength, int crossfade);
// Adds the reverb of a periodic send signal into out (same length): the reverb
// is warmed up on the end of the lap first, so its tail at the end of the lap
// flows into its head.
void AddPeriodicReverb(const Mono& send, Stereo& out, double roomSize, double damping, float wet);
// Reverb of a one-shot: returns dry + wet with the given tail added.
Stereo ShotReverb(const Mono& dry, double roomSize, double damping, float wet, double tail);
// Soft clipper used for drive and growl.
inline float Drive(float x, float amount) {
  return static_cast<float>(std::tanh(x * amount) / std::tanh(amount));
}

}  // namespace synth
