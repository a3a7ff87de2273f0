// Cartoon screams made by additive formant synthesis: the harmonics of a
// gliding, trembling voice are weighted by the resonances of a vowel that
// moves over time, with breath noise and, for the rough voices, a growl at
// half the pitch. Two high voices ("Eeek!", "Aaah!") and three low ones.
#include <algorithm>
#include <array>
#include <cmath>

#include "tools/datagen/sounds/SoundDesigns.h"

namespace sounds {

using namespace synth;

namespace {

struct Vowel {
  std::array<double, 3> hz;  // formant centres
};

// Adult male formants; high voices scale them up.
const Vowel kA{{730, 1090, 2440}};
const Vowel kE{{530, 1840, 2480}};
const Vowel kI{{290, 2290, 3010}};
const Vowel kO{{570, 840, 2410}};
const Vowel kU{{320, 870, 2240}};

struct VoiceShape {
  double length;
  Envelope pitch;             // Hz over seconds
  std::vector<Vowel> vowels;  // visited in order
  Envelope vowelPos;          // 0 .. vowels-1 over seconds
  Envelope level;             // 0..1 over seconds
};

// Who is screaming.
struct Character {
  double formantScale;  // 1 for men, about 1.2 for women
  double vibratoHz, vibratoDepth;
  double roughness;  // growl at half the pitch, 0..1
  double breath;     // noise through the formants, 0..1
  uint64_t seed;
};

Vowel VowelAt(const VoiceShape& v, double scale, double t) {
  const double pos = std::clamp(v.vowelPos.At(t), 0.0, static_cast<double>(v.vowels.size() - 1));
  const size_t i = std::min(static_cast<size_t>(pos), v.vowels.size() - 1);
  const size_t j = std::min(i + 1, v.vowels.size() - 1);
  const double f = pos - i;
  Vowel out;
  for (int k = 0; k < 3; ++k)
    out.hz[k] = (v.vowels[i].hz[k] * (1 - f) + v.vowels[j].hz[k] * f) * scale;
  return out;
}

// Resonance curve of the vocal tract at frequency hz.
double Tract(const Vowel& v, double hz) {
  static const double kGain[3] = {1.0, 0.55, 0.3};
  static const double kWidth[3] = {110, 150, 220};
  double g = 0.03;
  for (int k = 0; k < 3; ++k) {
    const double d = (hz - v.hz[k]) / kWidth[k];
    g += kGain[k] / (1.0 + d * d);
  }
  return g;
}

Stereo Voice(const VoiceShape& v, const Character& who) {
  Rng rng(who.seed);
  const int n = Samples(v.length);
  Mono out(n, 0.0f);
  Wander jitter(rng.Next(), 25.0), growl(rng.Next(), 60.0);
  SineOsc vibrato(who.vibratoHz);
  constexpr int kMaxHarmonics = 48;
  std::array<double, kMaxHarmonics> phase{};
  double subPhase = 0;
  Biquad breathBand[3];
  std::array<double, kMaxHarmonics> weight{};
  Vowel vowel = VowelAt(v, who.formantScale, 0);
  for (int i = 0; i < n; ++i) {
    const double t = i / kRate;
    const double hz =
        v.pitch.At(t) * (1.0 + who.vibratoDepth * vibrato.Next() + 0.012 * jitter.Next());
    if (i % 64 == 0) {
      // Formant weights change slowly: refresh them every 64 samples.
      vowel = VowelAt(v, who.formantScale, t);
      for (int h = 0; h < kMaxHarmonics; ++h) {
        const double f = hz * (h + 1);
        weight[h] = f < 7000 ? Tract(vowel, f) / std::pow(h + 1.0, 0.35) : 0.0;
      }
      for (int k = 0; k < 3; ++k) breathBand[k].BandPass(vowel.hz[k], 4.0);
    }
    double s = 0;
    for (int h = 0; h < kMaxHarmonics; ++h) {
      if (weight[h] <= 0) break;  // weights fall to zero above 7 kHz
      phase[h] += kTwoPi * hz * (h + 1) / kRate;
      if (phase[h] > kTwoPi) phase[h] -= kTwoPi;
      s += weight[h] * std::sin(phase[h]);
    }
    // Growl: a wobble at half the pitch adds the rough undertone of a strained voice.
    subPhase += kPi * hz / kRate;
    if (subPhase > kTwoPi) subPhase -= kTwoPi;
    s *= 1.0 + who.roughness * (0.6 * std::sin(subPhase) + 0.4 * growl.Next());
    const float noise = rng.Noise();
    double b = 0;
    for (int k = 0; k < 3; ++k) b += breathBand[k].Process(noise) * (k == 0 ? 1.0 : 0.6);
    out[i] = static_cast<float>(v.level.At(t) * (0.35 * s + who.breath * 2.0 * b));
  }
  for (float& x : out) x = Drive(x * 1.3f, 1.5f);
  Stereo st = ShotReverb(out, 0.35, 0.5, 0.35f, 0.15);
  FinishShot(st, 0.005, 0.08);
  return st;
}

}  // namespace

Stereo GirlScream(int variant) {
  if (variant == 0) {
    // "Eeeeek!": a piercing rise that holds and drops at the end.
    return Voice({0.95,
                  Envelope({{0.0, 700}, {0.08, 1150}, {0.5, 1260}, {0.8, 1080}, {0.95, 880}}),
                  {kI, kE},
                  Envelope({{0.0, 0.0}, {0.7, 0.2}, {0.95, 1.0}}),
                  Envelope({{0.0, 0.0}, {0.03, 1.0}, {0.7, 0.85}, {0.95, 0.0}})},
                 {1.25, 7.0, 0.025, 0.04, 0.10, 2101});
  }
  // "Aaaah-ah!": an open wail with a second burst and a falling end.
  return Voice(
      {1.2,
       Envelope({{0.0, 600},
                 {0.1, 940},
                 {0.55, 880},
                 {0.62, 760},
                 {0.72, 1020},
                 {1.0, 820},
                 {1.2, 560}}),
       {kA, kA, kO},
       Envelope({{0.0, 0.0}, {0.9, 1.0}, {1.2, 2.0}}),
       Envelope({{0.0, 0.0}, {0.04, 1.0}, {0.58, 0.8}, {0.64, 0.45}, {0.74, 1.0}, {1.2, 0.0}})},
      {1.2, 6.0, 0.035, 0.06, 0.14, 2202});
}

Stereo ManScream(int variant) {
  switch (variant) {
    case 0:
      // "Aaaargh!": rough and strained, sinking at the end.
      return Voice({1.0,
                    Envelope({{0.0, 150}, {0.1, 290}, {0.6, 265}, {1.0, 170}}),
                    {kA, kO},
                    Envelope({{0.0, 0.0}, {0.7, 0.0}, {1.0, 1.0}}),
                    Envelope({{0.0, 0.0}, {0.04, 1.0}, {0.75, 0.8}, {1.0, 0.0}})},
                   {1.0, 5.5, 0.02, 0.55, 0.22, 3101});
    case 1:
      // "Whoa-aaah!": an "oo" leaping up to a cracked "ah" and falling away.
      return Voice(
          {1.1,
           Envelope({{0.0, 190}, {0.15, 360}, {0.45, 340}, {0.55, 430}, {0.75, 400}, {1.1, 190}}),
           {kU, kA, kO},
           Envelope({{0.0, 0.0}, {0.2, 0.2}, {0.35, 1.0}, {0.8, 1.0}, {1.1, 2.0}}),
           Envelope({{0.0, 0.0}, {0.05, 0.8}, {0.5, 1.0}, {0.85, 0.8}, {1.1, 0.0}})},
          {1.0, 6.5, 0.03, 0.3, 0.15, 3202});
    default:
      // "Yeeowch!": a sharp "ee" turning to "ow", short.
      return Voice({0.8,
                    Envelope({{0.0, 250}, {0.1, 470}, {0.45, 330}, {0.8, 150}}),
                    {kI, kA, kU},
                    Envelope({{0.0, 0.0}, {0.12, 0.1}, {0.35, 1.0}, {0.7, 2.0}}),
                    Envelope({{0.0, 0.0}, {0.025, 1.0}, {0.55, 0.85}, {0.8, 0.0}})},
                   {1.0, 7.5, 0.02, 0.4, 0.28, 3303});
  }
}

}  // namespace sounds
