// The magic sounds: the growing tree's creaking swell, the rank-up bells, the
// evil cloud's laugh, the dying cloud's poof and the ghostly whoosh. Bells
// are sums of decaying partials; the laugh is a voiced source through moving
// formants; the rest is ringing ticks, glides and filtered noise.
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

// Tiny high pings scattered over [from, to) seconds.
void Sparkle(Mono& out, Rng& rng, double from, double to, int count, double gain) {
  for (int k = 0; k < count; ++k) {
    const double at = from + (to - from) * rng.Unit();
    const double hz = rng.Range(4000, 9500);
    Bell(out, at, hz, gain * rng.Range(0.3, 1.0), {{1.0, 1.0, rng.Range(0.02, 0.06)}});
  }
}

}  // namespace

Stereo GrowingSwell() {
  Rng rng(1101);
  const double length = 1.6;
  const int n = Samples(length);
  Mono dry(n, 0.0f);
  // Creaking wood: stick-slip ticks, faster and faster, each ringing two
  // body modes of a stem that rise as it stretches.
  Biquad mode1, mode2;
  Wander slip(rng.Next(), 12.0);
  double next = 0.0;
  for (int i = 0; i < n; ++i) {
    const double t = i / kRate;
    const double u = std::min(1.0, t / 1.2);
    float tick = 0;
    if (t >= next && t < 1.25) {
      tick = static_cast<float>(0.4 + 0.6 * u) * (rng.Unit() < 0.5 ? 1.0f : -1.0f);
      next = t + 1.0 / ((18.0 + 55.0 * u * u) * (1.0 + 0.25 * slip.Next()));
    }
    if (i % 32 == 0) {
      mode1.BandPass(380.0 + 320.0 * u, 14.0);
      mode2.BandPass(1100.0 + 700.0 * u, 18.0);
    }
    dry[i] += 1.6f * mode1.Process(tick) + 1.2f * mode2.Process(tick);
  }
  // A hollow, woody tone swelling up an octave and a half as the tree grows.
  SineOsc tone(150.0), tone2(300.0), tone3(450.0);
  Wander breath(rng.Next(), 6.0);
  const Envelope toneHz({{0.0, 150.0}, {1.2, 430.0}, {1.6, 440.0}});
  const Envelope toneLevel({{0.0, 0.0}, {0.15, 0.45}, {1.15, 1.0}, {1.35, 0.3}, {1.6, 0.0}});
  for (int i = 0; i < n; ++i) {
    const double t = i / kRate;
    const double hz = toneHz.At(t);
    tone.Set(hz);
    tone2.Set(hz * 2.0);
    tone3.Set(hz * 3.0);
    const float v = tone.Next() + 0.45f * tone2.Next() + 0.2f * tone3.Next();
    dry[i] += 0.22f * v * static_cast<float>(toneLevel.At(t) * (0.85 + 0.15 * breath.Next()));
  }
  // Leaves rustling open: bursts of soft high noise, rising with the rest.
  Svf leaves;
  Wander gust(rng.Next(), 14.0);
  const Envelope rustle({{0.0, 0.0}, {0.3, 0.2}, {1.2, 1.0}, {1.6, 0.0}});
  for (int i = 0; i < n; ++i) {
    const double t = i / kRate;
    const double burst = std::max(0.0, static_cast<double>(gust.Next()));
    const float v = leaves.Process(rng.Noise(), 2500.0 + 1500.0 * t / length, 1.2).band;
    dry[i] += 0.25f * v * static_cast<float>(rustle.At(t) * burst);
  }
  // The new stage arriving: a knock on hollow wood.
  const double knockAt = 1.2;
  Bell(dry, knockAt, 520.0, 0.25, {{1.0, 1.0, 0.09}, {2.9, 0.35, 0.03}, {5.2, 0.1, 0.012}});
  Stereo s = ShotReverb(dry, 0.5, 0.6, 0.6f, 0.4);
  FinishShot(s, 0.003, 0.3);
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
  Sparkle(dry, rng, 0.05, 0.7, 28, 0.1);
  Stereo s = ShotReverb(dry, 0.6, 0.25, 1.0f, 0.5);
  FinishShot(s, 0.002, 0.35);
  return s;
}

namespace {

// The formants of a deep voice (a bass's, a little lower than a man's).
struct Formants {
  double f1, f2, f3;
};
constexpr Formants kAh{650, 1000, 2350}, kOo{300, 780, 2150}, kOh{500, 800, 2300};

struct Syllable {
  double at, length;  // seconds
  double fromHz, toHz;
  bool breath;  // opens on an "h"
  Formants from, to;
};

}  // namespace

Stereo EvilLaugh() {
  Rng rng(1003);
  // "Mwaa-ha-ha-ha-haaa": a slow opening, four quick laughs rising in
  // pitch, and a long laugh falling away.
  static const Syllable kLaugh[] = {
      {0.00, 0.52, 135, 112, false, kOo, kAh}, {0.64, 0.15, 150, 140, true, kAh, kAh},
      {0.83, 0.15, 160, 150, true, kAh, kAh},  {1.02, 0.15, 172, 160, true, kAh, kAh},
      {1.21, 0.15, 185, 172, true, kAh, kAh},  {1.42, 0.95, 230, 92, true, kAh, kOh},
  };
  const double length = 2.45;
  const int n = Samples(length);
  Mono dry(n, 0.0f);
  SawOsc glottis;
  Svf f1, f2, f3, b1, b2;
  Wander jitter(rng.Next(), 20.0), rough(rng.Next(), 45.0);
  SineOsc vibrato(5.5);
  double subPhase = 0;
  for (int i = 0; i < n; ++i) {
    const double t = i / kRate;
    const Syllable* syl = nullptr;
    for (const Syllable& s : kLaugh)
      if (t >= s.at && t < s.at + s.length) syl = &s;
    const float jit = jitter.Next(), grit = rough.Next(), vib = vibrato.Next();
    if (!syl) continue;
    const double u = (t - syl->at) / syl->length, local = t - syl->at;
    const double hz =
        syl->fromHz * std::pow(syl->toHz / syl->fromHz, u) * (1.0 + 0.02 * vib + 0.015 * jit);
    const Formants f{syl->from.f1 + (syl->to.f1 - syl->from.f1) * std::min(1.0, u * 3.0),
                     syl->from.f2 + (syl->to.f2 - syl->from.f2) * std::min(1.0, u * 3.0),
                     syl->from.f3 + (syl->to.f3 - syl->from.f3) * std::min(1.0, u * 3.0)};
    // Voice: a pulse-rich source with a growl (a wobble at half the pitch
    // and a ragged flutter), into the three formants.
    subPhase += kPi * hz / kRate;
    if (subPhase > kTwoPi) subPhase -= kTwoPi;
    const double onset = syl->breath ? 0.045 : 0.0;
    const double voiced = std::clamp((local - onset) / 0.02, 0.0, 1.0) *
                          std::clamp((syl->length - local) / 0.05, 0.0, 1.0);
    float src = glottis.Next(hz) * static_cast<float>(voiced);
    src *= static_cast<float>(1.0 + 0.45 * std::sin(subPhase) + 0.3 * grit);
    const float voice = f1.Process(src, f.f1, 6.0).band / 6.0f +
                        f2.Process(src, f.f2, 8.0).band / 8.0f +
                        0.9f * f3.Process(src, f.f3, 8.0).band / 8.0f + 0.12f * src;
    // Breath: the "h" before each laugh and a little air throughout.
    const double air = local < onset ? std::sin(kPi * local / onset) : 0.12 * voiced;
    const float noise = rng.Noise();
    const float breath = b1.Process(noise, f.f1 * 1.3, 2.0).band / 2.0f +
                         b2.Process(noise, f.f2 * 1.3, 2.5).band / 2.5f;
    dry[i] = Drive(2.2f * voice, 1.6f) + 0.6f * breath * static_cast<float>(air);
  }
  Stereo s = ShotReverb(dry, 0.75, 0.6, 0.7f, 0.5);
  FinishShot(s, 0.005, 0.4);
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
    thump.Set(85.0 + 80.0 * std::exp(-t / 0.05));
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
