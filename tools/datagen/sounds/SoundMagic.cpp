// The magic sounds: the growing tree's rising chime, the rank-up bells, the
// evil cloud's growl, the dying cloud's poof and the ghostly whoosh. Bells
// are sums of decaying partials; the rest is filtered noise and detuned saws.
#include <algorithm>
#include <cmath>

#include "tools/datagen/sounds/SoundDesigns.h"

namespace sounds {

using namespace synth;

namespace {

struct Partial {
  double ratio, gain, decay;  // frequency ratio, level, seconds to 1/e
};

// One struck bell or chime note of the given partials, added into out.
void Bell(Mono& out, double at, double hz, double gain, const std::vector<Partial>& partials) {
  const int start = Samples(at);
  double longest = 0;
  for (const Partial& p : partials) longest = std::max(longest, p.decay);
  const int len = Samples(longest * 6.0);
  for (const Partial& p : partials) {
    if (hz * p.ratio > 16000) continue;
    SineOsc osc(hz * p.ratio);
    for (int i = 0; i < len && start + i < static_cast<int>(out.size()); ++i) {
      const double t = i / kRate;
      const double env = (1.0 - std::exp(-t / 0.0015)) * std::exp(-t / p.decay);
      out[start + i] += static_cast<float>(gain * p.gain * env) * osc.Next();
    }
  }
}

// Tiny high pings scattered over [from, to) seconds, denser towards the end
// when rising is set.
void Sparkle(Mono& out, Rng& rng, double from, double to, int count, double gain, bool rising) {
  for (int k = 0; k < count; ++k) {
    double u = rng.Unit();
    if (rising) u = std::sqrt(u);
    const double at = from + (to - from) * u;
    const double hz = rng.Range(4000, 9500);
    Bell(out, at, hz, gain * rng.Range(0.3, 1.0), {{1.0, 1.0, rng.Range(0.02, 0.06)}});
  }
}

}  // namespace

Stereo GrowingChime() {
  Rng rng(1101);
  Mono dry(Samples(2.0), 0.0f);
  // A major pentatonic run up two octaves, speeding up a little.
  static const int kNotes[] = {81, 83, 85, 88, 90, 93, 95, 97, 100, 102, 105};
  const std::vector<Partial> chime = {
      {1.0, 1.0, 0.45}, {2.0, 0.35, 0.25}, {3.01, 0.18, 0.12}, {4.2, 0.1, 0.06}};
  double t = 0.0;
  for (size_t i = 0; i < std::size(kNotes); ++i) {
    Bell(dry, t, MidiHz(kNotes[i]), 0.35 * (0.75 + 0.25 * i / std::size(kNotes)), chime);
    t += 0.095 - 0.004 * i;
  }
  Sparkle(dry, rng, 0.0, 1.3, 40, 0.12, true);
  // A soft rising swish under the notes.
  Svf swish;
  for (int i = 0; i < Samples(1.4); ++i) {
    const double u = i / kRate / 1.4;
    const double hz = 800.0 * std::pow(10.0, u);
    const double env = std::sin(kPi * u);
    dry[i] += 0.05f * static_cast<float>(env) * swish.Process(rng.Noise(), hz, 2.0).band;
  }
  Stereo s = ShotReverb(dry, 0.7, 0.3, 1.2f, 0.6);
  FinishShot(s, 0.002, 0.4);
  return s;
}

Stereo MagicBells() {
  Rng rng(1402);
  Mono dry(Samples(1.1), 0.0f);
  // Glockenspiel-like partials on a quick major arpeggio.
  const std::vector<Partial> glock = {
      {1.0, 1.0, 0.35}, {2.76, 0.45, 0.12}, {5.40, 0.22, 0.05}, {8.93, 0.1, 0.025}};
  static const int kNotes[] = {84, 88, 91, 96, 100};
  for (size_t i = 0; i < std::size(kNotes); ++i)
    Bell(dry, 0.055 * i, MidiHz(kNotes[i]), 0.3, glock);
  // A ringing top chord with a slow shimmer.
  Bell(dry, 0.3, MidiHz(103), 0.18, {{1.0, 1.0, 0.3}, {2.0, 0.3, 0.1}});
  Sparkle(dry, rng, 0.05, 0.7, 28, 0.1, false);
  Stereo s = ShotReverb(dry, 0.6, 0.25, 1.0f, 0.5);
  FinishShot(s, 0.002, 0.35);
  return s;
}

Stereo EvilGrowl() {
  Rng rng(1003);
  const double length = 2.4;
  const int n = Samples(length);
  Mono dry(n, 0.0f);
  SawOsc a(0.0), b(0.31), c(0.62), sub(0.15);
  Svf tone;
  Biquad formant1, formant2;
  formant1.Peak(320, 2.0, 8.0);
  formant2.Peak(720, 2.5, 6.0);
  Wander rough(rng.Next(), 35.0);
  BrownNoise rumble(rng.Next());
  const Envelope pitch({{0.0, 74.0}, {0.8, 62.0}, {2.4, 52.0}});
  const Envelope opening({{0.0, 160.0}, {1.1, 1500.0}, {1.7, 900.0}, {2.4, 220.0}});
  const Envelope swell({{0.0, 0.0}, {1.0, 0.85}, {1.5, 1.0}, {2.0, 0.6}, {2.4, 0.0}});
  for (int i = 0; i < n; ++i) {
    const double t = i / kRate;
    const double hz = pitch.At(t);
    float v = 0.4f * a.Next(hz) + 0.35f * b.Next(hz * 1.012) + 0.3f * c.Next(hz * 0.993) +
              0.5f * sub.Next(hz * 0.5);
    // Growl: a rough, fast flutter of the level.
    v *= 0.65f + 0.35f * rough.Next();
    v = Drive(v, 2.5f);
    v = tone.Process(v, opening.At(t), 1.4).low;
    v = formant2.Process(formant1.Process(v));
    v += 0.6f * rumble.Next();
    dry[i] = static_cast<float>(swell.At(t)) * v;
  }
  Stereo s = ShotReverb(dry, 0.8, 0.7, 1.0f, 0.5);
  FinishShot(s, 0.01, 0.4);
  return s;
}

Stereo Poof() {
  Rng rng(1204);
  const int n = Samples(0.7);
  Mono dry(n, 0.0f);
  Svf puff;
  SineOsc thump(120.0);
  for (int i = 0; i < n; ++i) {
    const double t = i / kRate;
    const double hz = 250.0 + 2600.0 * std::exp(-t / 0.07);
    const double env = (1.0 - std::exp(-t / 0.006)) * std::exp(-t / 0.12);
    float v = puff.Process(rng.Noise(), hz, 0.8).low * static_cast<float>(env);
    thump.Set(55.0 + 80.0 * std::exp(-t / 0.05));
    v += 0.35f * thump.Next() *
         static_cast<float>((1.0 - std::exp(-t / 0.004)) * std::exp(-t / 0.08));
    dry[i] = v;
  }
  Stereo s = ShotReverb(dry, 0.4, 0.6, 0.6f, 0.2);
  FinishShot(s, 0.002, 0.2);
  return s;
}

Stereo GhostWhoosh() {
  Rng rng(1305);
  const double length = 2.6;
  const int n = Samples(length);
  Stereo dry{Mono(n, 0.0f), Mono(n, 0.0f)};
  Svf wind;
  SineOsc voice(500.0), voice2(1000.0), vibrato(5.5);
  const Envelope windHz({{0.0, 300.0}, {0.9, 2200.0}, {1.6, 900.0}, {2.6, 400.0}});
  const Envelope windLevel({{0.0, 0.0}, {0.8, 1.0}, {1.4, 0.7}, {2.6, 0.0}});
  const Envelope voiceHz({{0.0, 620.0}, {0.6, 660.0}, {2.2, 360.0}});
  const Envelope voiceLevel({{0.0, 0.0}, {0.3, 0.0}, {0.9, 0.6}, {1.8, 0.4}, {2.6, 0.0}});
  for (int i = 0; i < n; ++i) {
    const double t = i / kRate;
    const float w =
        wind.Process(rng.Noise(), windHz.At(t), 3.0).band * static_cast<float>(windLevel.At(t));
    const double hz = voiceHz.At(t) * (1.0 + 0.025 * vibrato.Next());
    voice.Set(hz);
    voice2.Set(hz * 2.0);
    const float o = (voice.Next() + 0.2f * voice2.Next()) * static_cast<float>(voiceLevel.At(t));
    // The wind sweeps from left to right; the voice stays in the middle.
    const double pan = std::clamp(t / length, 0.0, 1.0);
    dry.left[i] = w * static_cast<float>(std::cos(pan * kPi / 2)) + 0.12f * o;
    dry.right[i] = w * static_cast<float>(std::sin(pan * kPi / 2)) + 0.12f * o;
  }
  Reverb reverb(0.9, 0.4);
  const int tail = Samples(0.6);
  dry.left.resize(n + tail, 0.0f);
  dry.right.resize(n + tail, 0.0f);
  for (int i = 0; i < n + tail; ++i) {
    const float in = 0.5f * (dry.left[i] + dry.right[i]);
    reverb.Process(in, 1.4f, &dry.left[i], &dry.right[i]);
  }
  FinishShot(dry, 0.01, 0.4);
  return dry;
}

}  // namespace sounds
