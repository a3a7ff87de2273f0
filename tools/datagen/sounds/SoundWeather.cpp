// Thunder and rain. A thunder clap is a sharp noise crack with crackle grains,
// followed by a driven rumble above 95 Hz and a broad roar, shaped by a few
// random swells (the rolls), all in a large reverb. Rain is hiss, a low wash
// and hundreds of droplet ticks a second, cross-faded into a seamless loop.
#include <algorithm>
#include <cmath>

#include "tools/datagen/sounds/SoundDesigns.h"

namespace sounds {

using namespace synth;

void FinishShot(Stereo& s, double fadeIn, double fadeOut) {
  Fade(s.left, fadeIn, fadeOut);
  Fade(s.right, fadeIn, fadeOut);
  Normalise(s, 0.89f);
}

Stereo ToStereo(const Mono& m) { return Stereo{m, m}; }

namespace {

struct ThunderShape {
  double length;      // seconds before the reverb tail
  double crackGain;   // 0..1
  double crackDelay;  // seconds before the first crack
  int cracks;         // number of cracks
  int rolls;          // swells of the rumble
  double rumbleHz;    // low-pass of the rumble
  uint64_t seed;
};

Mono ThunderDry(const ThunderShape& shape) {
  Rng rng(shape.seed);
  const int n = Samples(shape.length);
  Mono out(n, 0.0f);

  // Cracks: bright noise bursts with a grainy tear after each.
  for (int c = 0; c < shape.cracks; ++c) {
    const double at = shape.crackDelay + c * rng.Range(0.18, 0.35);
    const double gain = shape.crackGain * (c == 0 ? 1.0 : rng.Range(0.45, 0.7));
    Biquad hp, lp;
    hp.HighPass(rng.Range(250, 450), 0.7);
    lp.LowPass(rng.Range(5000, 8000), 0.7);
    const int start = Samples(at);
    const int len = Samples(0.6);
    Wander grain(rng.Next(), 180.0);
    for (int i = 0; i < len && start + i < n; ++i) {
      const double t = i / kRate;
      const double env = (1.0 - std::exp(-t / 0.002)) * std::exp(-t / 0.07);
      const double tear = std::max(0.0, static_cast<double>(grain.Next())) * std::exp(-t / 0.22);
      const float x = rng.Noise() * static_cast<float>(env + 0.8 * tear);
      out[start + i] += static_cast<float>(3.0 * gain) * lp.Process(hp.Process(x));
    }
  }

  // Rumble: brown noise held between 95 Hz and the shape's top, driven into
  // a growl so that its overtones carry the roll on small speakers, under a
  // broad roar of pink noise; both shaped by random swells.
  struct Roll {
    double at, width, gain;
  };
  std::vector<Roll> rolls;
  for (int r = 0; r < shape.rolls; ++r) {
    const double at =
        shape.crackDelay + 0.05 + r * (shape.length * 0.55 / shape.rolls) + rng.Range(0.0, 0.25);
    rolls.push_back({at, rng.Range(0.18, 0.45), std::pow(0.78, r) * rng.Range(0.7, 1.0)});
  }
  BrownNoise brown(rng.Next());
  PinkNoise pink(rng.Next());
  Biquad low1, low2, floor1, floor2, mid;
  low1.LowPass(shape.rumbleHz, 0.8);
  low2.LowPass(shape.rumbleHz * 1.4, 0.6);
  floor1.HighPass(95.0, 0.6);
  floor2.HighPass(95.0, 0.9);
  mid.BandPass(650, 0.6);
  Wander flutter(rng.Next(), 9.0);
  for (int i = 0; i < n; ++i) {
    const double t = i / kRate;
    double env = 0;
    for (const Roll& r : rolls) {
      const double d = (t - r.at) / r.width;
      // Quick rise, slower fall.
      env += r.gain * (d < 0 ? std::exp(-d * d * 6.0) : std::exp(-d * 1.3));
    }
    env *= 1.0 - std::exp(-std::max(0.0, t - shape.crackDelay + 0.02) / 0.03);
    env *= 0.85 + 0.15 * flutter.Next();
    float rumble = low2.Process(low1.Process(floor2.Process(floor1.Process(brown.Next() * 6.0f))));
    rumble = Drive(rumble * static_cast<float>(env), 2.5f);
    const float roar = mid.Process(pink.Next()) * 1.6f * static_cast<float>(env);
    out[i] += rumble + roar;
  }
  // Settle the end to silence.
  const double tailStart = shape.length * 0.7;
  for (int i = Samples(tailStart); i < n; ++i) {
    const double u = (i / kRate - tailStart) / (shape.length - tailStart);
    out[i] *= static_cast<float>(std::pow(1.0 - u, 2.0));
  }
  return out;
}

}  // namespace

Stereo Thunder(int variant) {
  static const ThunderShape kShapes[3] = {
      // A close, sharp clap and a short roll.
      {2.4, 1.0, 0.004, 1, 4, 420.0, 801},
      // Two cracks, a longer roll.
      {2.7, 0.8, 0.004, 2, 5, 360.0, 502},
      // Further away: soft crack, long deep rolling.
      {3.0, 0.45, 0.004, 1, 6, 300.0, 203},
  };
  const ThunderShape& shape = kShapes[std::clamp(variant, 0, 2)];
  Mono dry = ThunderDry(shape);
  Stereo s = ShotReverb(dry, 0.85, 0.5, 1.6f, 0.8);
  FinishShot(s, 0.002, 0.3);
  return s;
}

namespace {

// Short decaying noise ticks of different colours, picked for each droplet.
std::vector<Mono> DropletGrains(Rng& rng) {
  std::vector<Mono> grains;
  for (int g = 0; g < 24; ++g) {
    Biquad bp;
    bp.BandPass(rng.Range(1500, 7000), rng.Range(1.0, 4.0));
    const double tau = rng.Range(0.0015, 0.006);
    const bool ping = g % 4 == 0;  // a few droplets ring faintly
    SineOsc ring(rng.Range(2200, 4200));
    Mono grain(Samples(tau * 6 + (ping ? 0.03 : 0.0)));
    for (size_t i = 0; i < grain.size(); ++i) {
      const double t = i / kRate;
      float v = bp.Process(rng.Noise()) * static_cast<float>(std::exp(-t / tau)) * 3.0f;
      if (ping) v += 0.25f * ring.Next() * static_cast<float>(std::exp(-t / 0.008));
      grain[i] = v;
    }
    grains.push_back(grain);
  }
  return grains;
}

Mono RainSide(uint64_t seed, int length) {
  Rng rng(seed);
  Mono out(length, 0.0f);
  PinkNoise pink(rng.Next());
  BrownNoise brown(rng.Next());
  Biquad hissHp, hissLp, washBp;
  hissHp.HighPass(450, 0.7);
  hissLp.LowPass(9000, 0.7);
  washBp.BandPass(260, 0.7);
  Wander level(rng.Next(), 0.7);
  for (int i = 0; i < length; ++i) {
    const float hiss = hissLp.Process(hissHp.Process(pink.Next())) * 0.9f;
    const float wash = washBp.Process(brown.Next()) * 2.5f;
    out[i] = (hiss + wash) * (0.9f + 0.1f * level.Next());
  }
  const std::vector<Mono> grains = DropletGrains(rng);
  // Poisson droplets, about 400 a second.
  double t = 0;
  while (true) {
    t += -std::log(1.0 - rng.Unit()) / 400.0;
    const int at = Samples(t);
    if (at >= length) break;
    const Mono& g = grains[rng.Int(0, static_cast<int>(grains.size()) - 1)];
    MixInto(out, g, at, static_cast<float>(std::pow(rng.Unit(), 2.0) * 0.5 + 0.03));
  }
  return out;
}

}  // namespace

Stereo RainLoop() {
  const int loop = Samples(6.0);
  const int fade = Samples(0.75);
  Stereo s{RainSide(41, loop + fade), RainSide(42, loop + fade)};
  CloseLoop(s.left, loop, fade);
  CloseLoop(s.right, loop, fade);
  Normalise(s, 0.7f);
  return s;
}

}  // namespace sounds
