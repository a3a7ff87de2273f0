// What a sheep sounds like when lightning strikes it: dry, a wet splat (a
// thump, a squelch of swept noise, a gurgling mass, bits landing and a spray
// of rising droplet blips); wet, an electric zap (a driven boom, buzzing,
// ring-modulated saws, crackle and a falling spark).
#include <algorithm>
#include <cmath>

#include "tools/datagen/sounds/SoundDesigns.h"

namespace sounds {

using namespace synth;

namespace {

// A droplet: a short sine whose pitch rises as it dies away.
void Droplet(Mono& out, double at, double hz, double gain, double length) {
  const int start = Samples(at);
  SineOsc osc(hz);
  const int n = Samples(length);
  for (int i = 0; i < n && start + i < static_cast<int>(out.size()); ++i) {
    const double u = static_cast<double>(i) / n;
    osc.Set(hz * (1.0 + 0.8 * u));
    const double env = std::sin(kPi * std::min(1.0, u * 6.0) / 2.0) * (1.0 - u) * (1.0 - u);
    out[start + i] += static_cast<float>(gain * env) * osc.Next();
  }
}

// Grains of bright noise, `rate` a second, fading over [from, to).
void Crackle(Mono& out, Rng& rng, double from, double to, double rate, double gain) {
  Biquad hp;
  hp.HighPass(2500, 0.7);
  double t = from;
  while (true) {
    t += -std::log(1.0 - rng.Unit()) / rate;
    if (t >= to) break;
    const double fade = 1.0 - (t - from) / (to - from);
    const int start = Samples(t);
    const int len = Samples(rng.Range(0.0008, 0.004));
    const double g = gain * fade * rng.Range(0.3, 1.0);
    for (int i = 0; i < len && start + i < static_cast<int>(out.size()); ++i)
      out[start + i] += static_cast<float>(g) * hp.Process(rng.Noise()) *
                        static_cast<float>(1.0 - static_cast<double>(i) / len);
  }
}

}  // namespace

Stereo Splat(int variant) {
  Rng rng(variant == 0 ? 4101 : 4202);
  const double length = variant == 0 ? 0.65 : 0.8;
  const int n = Samples(length);
  Mono dry(n, 0.0f);
  // Body: a thump sweeping down to 90 Hz, a squelch of noise sweeping down,
  // and a gurgling wet mass that holds a little longer; the wet parts are
  // driven together into one thick splat.
  SineOsc thump(200.0);
  Svf squelch, goo;
  Wander gurgle(rng.Next(), 30.0);
  const double sweepTop = variant == 0 ? 1700.0 : 2400.0;
  const double hold = variant == 0 ? 0.07 : 0.05;
  // Rises over `attack`, stays up until `flat`, then dies away over `decay`.
  auto held = [](double t, double attack, double flat, double decay) {
    return (1.0 - std::exp(-t / attack)) * (t < flat ? 1.0 : std::exp(-(t - flat) / decay));
  };
  for (int i = 0; i < n; ++i) {
    const double t = i / kRate;
    thump.Set(90.0 + 110.0 * std::exp(-t / 0.04));
    const double hz = 350.0 + sweepTop * std::exp(-t / 0.08);
    const float g = gurgle.Next();
    const float wet = squelch.Process(rng.Noise(), hz, 2.2).band *
                          static_cast<float>(held(t, 0.003, hold, 0.07)) +
                      goo.Process(rng.Noise(), 600.0 + 250.0 * g, 1.6).band *
                          static_cast<float>(held(t, 0.01, hold + 0.08, 0.12) * (0.65 + 0.35 * g));
    dry[i] = Drive(3.5f * wet, 1.8f) +
             0.5f * thump.Next() * static_cast<float>(held(t, 0.002, 0.0, 0.07));
  }
  if (variant == 1) {
    // A second, smaller slap of the remains landing.
    Svf slap;
    const int at = Samples(0.14);
    for (int i = 0; i < Samples(0.2) && at + i < n; ++i) {
      const double t = i / kRate;
      const double env = (1.0 - std::exp(-t / 0.002)) * std::exp(-t / 0.04);
      dry[at + i] += 0.8f *
                     slap.Process(rng.Noise(), 900.0 + 1200 * std::exp(-t / 0.05), 1.8).band *
                     static_cast<float>(env);
    }
  }
  // Bits landing around: small wet slaps, thinning out.
  const int bits = variant == 0 ? 10 : 14;
  for (int k = 0; k < bits; ++k) {
    const double at = 0.03 + std::pow(rng.Unit(), 1.5) * (length - 0.25);
    Svf bit;
    const int start = Samples(at), len = Samples(rng.Range(0.02, 0.05));
    const double top = rng.Range(700, 2000), gain = rng.Range(0.25, 0.6) * (1.0 - at / length);
    for (int i = 0; i < len && start + i < n; ++i) {
      const double t = i / kRate;
      const double env = (1.0 - std::exp(-t / 0.001)) * std::exp(-t / (len / kRate / 4));
      dry[start + i] += static_cast<float>(gain * env) *
                        bit.Process(rng.Noise(), top * (1.0 - 0.4 * i / len), 2.0).band;
    }
  }
  // The spray of droplets.
  const int drops = variant == 0 ? 12 : 18;
  for (int k = 0; k < drops; ++k) {
    const double at = 0.02 + std::pow(rng.Unit(), 1.6) * (length - 0.2);
    Droplet(dry, at, rng.Range(500, 1900), rng.Range(0.08, 0.25), rng.Range(0.02, 0.06));
  }
  Stereo s = ShotReverb(dry, 0.3, 0.5, 0.4f, 0.15);
  FinishShot(s, 0.002, 0.12);
  return s;
}

Stereo ElectricExplosion() {
  Rng rng(4303);
  const double length = 1.3;
  const int n = Samples(length);
  Mono dry(n, 0.0f);
  BrownNoise boomNoise(rng.Next());
  Biquad boomLow, boomFloor1, boomFloor2;
  boomLow.LowPass(320, 0.8);
  boomFloor1.HighPass(90, 0.6);
  boomFloor2.HighPass(90, 0.9);
  SineOsc boomTone(180.0), ring(1730.0), zap(4000.0);
  SawOsc buzzA, buzzB(0.4);
  Wander gate(rng.Next(), 40.0);
  for (int i = 0; i < n; ++i) {
    const double t = i / kRate;
    // Boom: a blast of noise between 90 and 320 Hz over a tone falling to
    // 95 Hz, driven so that its overtones carry it on small speakers.
    boomTone.Set(95.0 + 100.0 * std::exp(-t / 0.08));
    const double boomEnv = (1.0 - std::exp(-t / 0.003)) * std::exp(-t / 0.22);
    const float boom =
        boomLow.Process(boomFloor2.Process(boomFloor1.Process(boomNoise.Next() * 12.0f)));
    float v = static_cast<float>(boomEnv) * Drive(boom + 0.5f * boomTone.Next(), 2.0f);
    // Buzz: mains-like saws ring-modulated, switched by a jittery gate.
    const float buzz = (buzzA.Next(110.0) + 0.6f * buzzB.Next(331.0)) * (0.5f + 0.5f * ring.Next());
    const double open = gate.Next() > -0.2 ? 1.0 : 0.15;
    const double buzzEnv = (1.0 - std::exp(-t / 0.01)) * std::exp(-t / 0.4) * open;
    v += 0.35f * Drive(buzz, 2.0f) * static_cast<float>(buzzEnv);
    // A spark falling from high to low in the first third of a second.
    if (t < 0.4) {
      zap.Set(150.0 + 3850.0 * std::pow(1.0 - t / 0.4, 2.0));
      v += 0.25f * zap.Next() * static_cast<float>(std::sin(kPi * t / 0.4));
    }
    dry[i] = v;
  }
  Crackle(dry, rng, 0.0, 1.1, 90.0, 0.9);
  Stereo s = ShotReverb(dry, 0.6, 0.5, 0.6f, 0.3);
  FinishShot(s, 0.003, 0.25);
  return s;
}

Stereo SparkActivate() {
  Rng rng(4404);
  const double length = 0.9;
  const int n = Samples(length);
  Mono dry(n, 0.0f);
  SawOsc saw;
  SquareOsc square(0.25);
  SineOsc hum(60.0);
  Svf snapFilter;
  Biquad snapTop;
  snapTop.LowPass(9000, 0.7);
  const double snapAt = 0.32;
  for (int i = 0; i < n; ++i) {
    const double t = i / kRate;
    float v = 0;
    if (t < snapAt + 0.05) {
      // Charging: a buzzing tone rising until the snap.
      const double u = std::min(1.0, t / snapAt);
      const double hz = 180.0 * std::pow(7.0, u);
      const double env = u * u * (t > snapAt ? 1.0 - (t - snapAt) / 0.05 : 1.0);
      v += 0.3f * (saw.Next(hz) + 0.5f * square.Next(hz * 1.5)) * (0.6f + 0.4f * hum.Next()) *
           static_cast<float>(env);
    }
    if (t >= snapAt) {
      const double s = t - snapAt;
      const double env = (1.0 - std::exp(-s / 0.0008)) * std::exp(-s / 0.05);
      v += 1.2f * snapTop.Process(snapFilter.Process(rng.Noise(), 3000.0, 0.8).high) *
           static_cast<float>(env);
    }
    dry[i] = v;
  }
  Crackle(dry, rng, snapAt, length - 0.05, 70.0, 0.7);
  Crackle(dry, rng, 0.1, snapAt, 25.0, 0.25);
  Stereo s = ShotReverb(dry, 0.5, 0.5, 0.5f, 0.2);
  FinishShot(s, 0.002, 0.15);
  return s;
}

}  // namespace sounds
