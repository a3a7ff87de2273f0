// The two loops besides the rain: a propeller plane's rasping engine and a
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
  // Engine firing: a pulse-like series on 104 Hz, and a second bank on
  // 104.5 Hz beating against it (a throb every two seconds). The exhaust
  // resonates near 420 Hz and 1.1 kHz, so the fundamental is not the
  // strongest partial and the engine carries on small speakers.
  for (int bank = 0; bank < 2; ++bank) {
    const double base = bank == 0 ? 104.0 : 104.5;
    for (int h = 1; h <= 36; ++h) {
      const double hz = base * h;
      const double d1 = (hz - 420.0) / 160.0, d2 = (hz - 1100.0) / 300.0;
      const double body = 0.3 + 1.0 / (1.0 + d1 * d1) + 0.5 / (1.0 + d2 * d2);
      const double gain = body / std::pow(h, 0.6) * (h == 1 ? 0.5 : 1.0) * (bank == 0 ? 1.0 : 0.7);
      SineOsc osc(hz, rng.Range(0, kTwoPi));
      for (int i = 0; i < n; ++i) tone[i] += static_cast<float>(0.5 * gain) * osc.Next();
    }
  }
  // Propeller blade pass at 96 Hz and its octave.
  SineOsc prop(96.0), prop2(192.0);
  for (int i = 0; i < n; ++i) tone[i] += 0.12f * prop.Next() + 0.1f * prop2.Next();

  // Air and exhaust noise pulsing with the firing, and a rasp of bright
  // noise bursts on every firing stroke.
  Stereo out{Mono(n, 0.0f), Mono(n, 0.0f)};
  for (int side = 0; side < 2; ++side) {
    Mono& m = side == 0 ? out.left : out.right;
    PinkNoise pink(rng.Next());
    Biquad lp, bp, raspHp, raspLp;
    lp.LowPass(1400, 0.7);
    bp.BandPass(650, 1.2);
    raspHp.HighPass(1300, 0.7);
    raspLp.LowPass(4200, 0.7);
    for (int i = 0; i < n; ++i) {
      const double t = i / kRate;
      const double stroke = std::sin(kTwoPi * 104.0 * t);
      const double pulse = 0.6 + 0.4 * stroke;
      const double rasp = std::pow(std::max(0.0, stroke), 6.0);
      const float noise = lp.Process(pink.Next()) * 1.4f + bp.Process(pink.Next()) * 0.8f;
      const float grit = raspLp.Process(raspHp.Process(pink.Next()));
      m[i] = static_cast<float>(pulse) * noise + 2.5f * static_cast<float>(rasp) * grit;
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
  // The roar: brown noise between 140 and 900 Hz, where a fire's rush is
  // heard, swelling with the flames.
  Biquad roarLp, roarHp1, roarHp2, hissBp;
  roarLp.LowPass(900, 0.7);
  roarHp1.HighPass(140, 0.6);
  roarHp2.HighPass(140, 0.9);
  hissBp.BandPass(3200, 0.8);
  Wander flames(rng.Next(), 1.8), flicker(rng.Next(), 7.0);
  for (int i = 0; i < n; ++i) {
    const float rush = roarHp2.Process(roarHp1.Process(roarLp.Process(brown.Next() * 12.0f)));
    const float roar = rush * (0.6f + 0.3f * flames.Next());
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
