// The two loops besides the rain: a propeller plane's engine drone and a
// crackling fire. The engine's tones have a whole number of cycles in the
// loop, so they repeat exactly; its noise and the fire are cross-faded.
#include <algorithm>
#include <cmath>

#include "tools/datagen/sounds/SoundDesigns.h"

namespace sounds {

using namespace synth;

Stereo PlaneEngineLoop() {
  const double seconds = 4.0;  // every frequency below is a multiple of 1/4 Hz
  const int loop = Samples(seconds);
  const int fade = Samples(0.5);
  const int n = loop + fade;
  Rng rng(5101);
  Mono tone(n, 0.0f);
  // Engine firing: a pulse-like series on 36 Hz, and a second bank on 36.5 Hz
  // beating against it (a throb every two seconds).
  for (int bank = 0; bank < 2; ++bank) {
    const double base = bank == 0 ? 36.0 : 36.5;
    for (int h = 1; h <= 50; ++h) {
      const double hz = base * h;
      // Exhaust resonance near 300 Hz, gentle roll-off above.
      const double d = (hz - 300.0) / 180.0;
      const double gain = (0.4 + 1.0 / (1.0 + d * d)) / std::pow(h, 0.9) * (bank == 0 ? 1.0 : 0.7);
      SineOsc osc(hz, rng.Range(0, kTwoPi));
      for (int i = 0; i < n; ++i) tone[i] += static_cast<float>(gain) * osc.Next();
    }
  }
  // Propeller blade pass at 96 Hz and its octave.
  SineOsc prop(96.0), prop2(192.0);
  for (int i = 0; i < n; ++i) tone[i] += 0.35f * prop.Next() + 0.12f * prop2.Next();

  // Air and exhaust noise, pulsing with the firing and throbbing with the propeller.
  Stereo out{Mono(n, 0.0f), Mono(n, 0.0f)};
  for (int side = 0; side < 2; ++side) {
    Mono& m = side == 0 ? out.left : out.right;
    PinkNoise pink(rng.Next());
    Biquad lp, bp;
    lp.LowPass(1400, 0.7);
    bp.BandPass(650, 1.2);
    for (int i = 0; i < n; ++i) {
      const double t = i / kRate;
      const double pulse = 0.6 + 0.4 * std::sin(kTwoPi * 36.0 * t);
      const float noise = lp.Process(pink.Next()) * 1.4f + bp.Process(pink.Next()) * 0.8f;
      m[i] = static_cast<float>(pulse) * noise;
    }
    CloseLoop(m, loop, fade);
  }
  // The slow throb: 1.5 times a second, also a whole number of cycles.
  for (int i = 0; i < loop; ++i) {
    const double t = i / kRate;
    const float throb = static_cast<float>(0.75 + 0.25 * std::sin(kTwoPi * 1.5 * t));
    const float body = tone[i] * 0.22f;
    out.left[i] = throb * (body + 0.5f * out.left[i]);
    out.right[i] = throb * (body + 0.5f * out.right[i]);
  }
  Normalise(out, 0.75f);
  return out;
}

namespace {

Mono FireSide(uint64_t seed, int n) {
  Rng rng(seed);
  Mono out(n, 0.0f);
  BrownNoise brown(rng.Next());
  PinkNoise pink(rng.Next());
  Biquad roarLp, hissBp;
  roarLp.LowPass(380, 0.7);
  hissBp.BandPass(3200, 0.8);
  Wander flames(rng.Next(), 1.8), flicker(rng.Next(), 7.0);
  for (int i = 0; i < n; ++i) {
    const float roar = roarLp.Process(brown.Next() * 4.0f) * (0.6f + 0.3f * flames.Next());
    const float hiss = hissBp.Process(pink.Next()) * (0.12f + 0.05f * flicker.Next());
    out[i] = roar + hiss;
  }
  // Crackles: clusters of short bright clicks; now and then a deeper pop.
  Biquad clickHp;
  clickHp.HighPass(1800, 0.7);
  double t = 0;
  while (true) {
    t += -std::log(1.0 - rng.Unit()) / 22.0;
    const int start = Samples(t);
    if (start >= n) break;
    const int clicks = rng.Int(1, 4);
    for (int c = 0; c < clicks; ++c) {
      const int at = start + Samples(rng.Range(0.0, 0.012));
      const int len = Samples(rng.Range(0.0005, 0.003));
      const double g = rng.Range(0.15, 0.9);
      for (int i = 0; i < len && at + i < n; ++i)
        out[at + i] += static_cast<float>(g * (1.0 - static_cast<double>(i) / len)) *
                       clickHp.Process(rng.Noise());
    }
    if (rng.Unit() < 0.2) {
      SineOsc pop(rng.Range(700, 1500));
      for (int i = 0; i < Samples(0.02) && start + i < n; ++i)
        out[start + i] += 0.4f * pop.Next() * static_cast<float>(std::exp(-i / kRate / 0.003));
    }
  }
  return out;
}

}  // namespace

Stereo FireLoop() {
  const int loop = Samples(5.0);
  const int fade = Samples(0.6);
  Stereo s{FireSide(5201, loop + fade), FireSide(5202, loop + fade)};
  CloseLoop(s.left, loop, fade);
  CloseLoop(s.right, loop, fade);
  Normalise(s, 0.75f);
  return s;
}

}  // namespace sounds
