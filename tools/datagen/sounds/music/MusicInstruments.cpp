// Note and drum synthesis for the music. Melodic notes are short sums of
// partials, Karplus-Strong strings or band-limited saws through a swept
// filter; drums are pitched sine sweeps, filtered noise and metallic square
// clusters. Every noise source has a fixed seed.
#include "tools/datagen/sounds/music/MusicInstruments.h"

#include <algorithm>
#include <cmath>

namespace music {

using namespace synth;

namespace {

double Attack(double t, double seconds) { return 1.0 - std::exp(-t / seconds); }

// A short fade at the end of a note buffer against clicks.
void EndFade(Mono& m, double seconds) {
  const int n = std::min(static_cast<int>(m.size()), Samples(seconds));
  for (int i = 0; i < n; ++i) m[m.size() - 1 - i] *= static_cast<float>(i) / n;
}

}  // namespace

Mono Marimba(double hz) {
  const double ring = 0.55 * std::pow(440.0 / hz, 0.35);
  Mono out(Samples(ring * 5.0), 0.0f);
  struct Mode {
    double ratio, gain, decay;
  };
  const Mode modes[] = {{1.0, 1.0, ring}, {3.93, 0.22, ring * 0.18}, {9.2, 0.05, ring * 0.05}};
  for (const Mode& m : modes) {
    if (hz * m.ratio > 15000) continue;
    SineOsc osc(hz * m.ratio);
    for (size_t i = 0; i < out.size(); ++i) {
      const double t = i / kRate;
      out[i] +=
          static_cast<float>(m.gain * Attack(t, 0.0012) * std::exp(-t / m.decay)) * osc.Next();
    }
  }
  // Mallet click.
  Rng rng(static_cast<uint64_t>(hz * 100));
  Biquad bp;
  bp.BandPass(std::min(hz * 4.0, 6000.0), 1.2);
  for (int i = 0; i < Samples(0.006); ++i)
    out[i] += 0.25f * bp.Process(rng.Noise()) * static_cast<float>(std::exp(-i / kRate / 0.0015));
  EndFade(out, 0.05);
  return out;
}

Mono Pluck(double hz, uint64_t seed) {
  Rng rng(seed);
  // Loop delay: integer part plus an all-pass for the fraction, minus the
  // half sample of the averaging filter.
  const double delay = kRate / hz - 0.5;
  int whole = static_cast<int>(std::floor(delay - 0.1));
  const double frac = delay - whole;
  const double c = (1.0 - frac) / (1.0 + frac);
  std::vector<float> line(whole);
  Biquad soften;
  soften.LowPass(3000, 0.7);
  for (float& v : line) v = soften.Process(rng.Noise());
  const double seconds = 0.45;
  const double loss = std::pow(0.001, 1.0 / (hz * seconds));  // -60 dB over the note
  Mono out(Samples(seconds));
  size_t pos = 0;
  float prev = 0;
  double apIn = 0, apOut = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const float x = line[pos];
    const double avg = 0.5 * (x + prev);
    prev = x;
    const double y = c * avg + apIn - c * apOut;
    apIn = avg;
    apOut = y;
    line[pos] = static_cast<float>(y * loss);
    if (++pos == line.size()) pos = 0;
    out[i] = x;
  }
  EndFade(out, 0.08);
  return out;
}

Mono PluckBass(double hz, double seconds) {
  Mono out(Samples(seconds + 0.04));
  SawOsc saw;
  SquareOsc sub;
  Svf filter;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = i / kRate;
    const float raw = 0.7f * saw.Next(hz) + 0.35f * sub.Next(hz * 0.5);
    const double cutoff = 180.0 + 1600.0 * std::exp(-t / 0.07);
    const double env = Attack(t, 0.002) * (0.55 + 0.45 * std::exp(-t / 0.15));
    out[i] = static_cast<float>(env) * filter.Process(raw, cutoff, 1.6).low;
  }
  EndFade(out, 0.04);
  return out;
}

Mono PowerChord(double rootHz, double seconds) {
  Mono out(Samples(seconds + 0.08));
  SawOsc saws[6] = {SawOsc(0.0), SawOsc(0.3), SawOsc(0.5), SawOsc(0.7), SawOsc(0.2), SawOsc(0.9)};
  const double hz[6] = {rootHz * 0.997,       rootHz * 1.003,       rootHz * 1.5 * 0.998,
                        rootHz * 1.5 * 1.002, rootHz * 2.0 * 0.999, rootHz * 2.0 * 1.004};
  Svf filter;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = i / kRate;
    float v = 0;
    for (int k = 0; k < 6; ++k) v += saws[k].Next(hz[k]) * (k < 2 ? 0.3f : 0.2f);
    v = Drive(v, 3.0f);
    const double cutoff = 600.0 + 900.0 * std::exp(-t / 0.1);
    out[i] = static_cast<float>(Attack(t, 0.006)) * filter.Process(v, cutoff, 0.9).low;
  }
  EndFade(out, 0.08);
  return out;
}

Mono Pad(const std::vector<double>& hz, double seconds) {
  const double release = 0.8;
  Mono out(Samples(seconds + release));
  std::vector<SawOsc> saws;
  std::vector<double> freqs;
  int k = 0;
  for (double h : hz) {
    for (double detune : {0.994, 1.0, 1.007}) {
      saws.emplace_back(0.13 * (k++ % 7));
      freqs.push_back(h * detune);
    }
  }
  Svf filter;
  SineOsc tremolo(4.5);
  const float gain = 1.0f / static_cast<float>(saws.size());
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = i / kRate;
    float v = 0;
    for (size_t s = 0; s < saws.size(); ++s) v += saws[s].Next(freqs[s]);
    const double env =
        std::min(1.0, t / 0.5) * (t > seconds ? std::max(0.0, 1.0 - (t - seconds) / release) : 1.0);
    out[i] = static_cast<float>(env * (0.85 + 0.15 * tremolo.Next())) * gain *
             filter.Process(v, 1100.0, 0.7).low;
  }
  return out;
}

Mono Toll(double hz) {
  struct Mode {
    double ratio, gain, decay;
  };
  const Mode modes[] = {{0.5, 0.6, 4.0}, {1.0, 1.0, 3.0},  {1.19, 0.5, 2.0},  {1.5, 0.35, 1.6},
                        {2.0, 0.4, 1.2}, {2.52, 0.2, 0.8}, {2.98, 0.15, 0.6}, {4.1, 0.08, 0.4}};
  Mono out(Samples(5.0), 0.0f);
  for (const Mode& m : modes) {
    // Each mode twice, a fraction of a hertz apart, for the slow beating of a bell.
    SineOsc a(hz * m.ratio), b(hz * m.ratio + 0.6);
    for (size_t i = 0; i < out.size(); ++i) {
      const double t = i / kRate;
      out[i] += static_cast<float>(0.5 * m.gain * Attack(t, 0.002) * std::exp(-t / m.decay)) *
                (a.Next() + b.Next());
    }
  }
  EndFade(out, 0.3);
  return out;
}

Mono Horn(double hz, double seconds) {
  Mono out(Samples(seconds + 0.2));
  SawOsc saw;
  SquareOsc pulse;
  SineOsc vibrato(5.0);
  Svf filter;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = i / kRate;
    const double f = hz * (1.0 + 0.006 * std::min(1.0, t / 0.4) * vibrato.Next());
    const float raw = 0.6f * saw.Next(f) + 0.4f * pulse.Next(f, 0.3);
    const double cutoff = 250.0 + 700.0 * std::min(1.0, t / 0.12);
    const double env =
        std::min(1.0, t / 0.06) * (t > seconds ? std::max(0.0, 1.0 - (t - seconds) / 0.2) : 1.0);
    out[i] = static_cast<float>(env) * Drive(filter.Process(raw, cutoff, 1.0).low * 1.5f, 1.5f);
  }
  return out;
}

namespace {

// Six square waves at inharmonic ratios: the classic drum-machine metal.
float Metal(SquareOsc (&osc)[6], double base) {
  static const double kRatios[6] = {1.0, 1.48, 1.66, 2.12, 2.61, 3.17};
  float v = 0;
  for (int k = 0; k < 6; ++k) v += osc[k].Next(base * kRatios[k]);
  return v / 6.0f;
}

}  // namespace

Mono DrumHit(Drum drum, double hz) {
  Rng rng(static_cast<uint64_t>(drum) * 7919 + static_cast<uint64_t>(hz));
  Mono out;
  auto fill = [&](double seconds, auto&& sample) {
    out.resize(Samples(seconds));
    for (size_t i = 0; i < out.size(); ++i) out[i] = sample(i / kRate);
    EndFade(out, std::min(0.05, seconds * 0.3));
  };
  switch (drum) {
    case Drum::Kick: {
      SineOsc body(150.0);
      fill(0.4, [&](double t) {
        body.Set(48.0 + 110.0 * std::exp(-t / 0.025));
        const double click = t < 0.002 ? rng.Noise() * (1.0 - t / 0.002) * 0.3 : 0.0;
        return static_cast<float>(Attack(t, 0.001) * std::exp(-t / 0.2) * body.Next() + click);
      });
      break;
    }
    case Drum::Clap: {
      Biquad bp;
      bp.BandPass(1200, 0.9);
      SineOsc tone(190.0);
      fill(0.35, [&](double t) {
        double env = std::exp(-t / 0.12) * 0.5;
        for (double b : {0.0, 0.011, 0.022})
          if (t >= b) env += std::exp(-(t - b) / 0.004);
        return static_cast<float>(env) * bp.Process(rng.Noise()) * 1.5f +
               0.15f * tone.Next() * static_cast<float>(std::exp(-t / 0.05));
      });
      break;
    }
    case Drum::Hat: {
      Biquad hp;
      hp.HighPass(7000, 0.7);
      fill(0.12, [&](double t) {
        return hp.Process(rng.Noise()) * static_cast<float>(std::exp(-t / 0.022));
      });
      break;
    }
    case Drum::Shaker: {
      Biquad bp;
      bp.BandPass(6000, 1.5);
      fill(0.1, [&](double t) {
        return bp.Process(rng.Noise()) * static_cast<float>(Attack(t, 0.008) * std::exp(-t / 0.03));
      });
      break;
    }
    case Drum::Tom: {
      SineOsc body(hz);
      fill(0.5, [&](double t) {
        body.Set(hz * (1.0 + 0.5 * std::exp(-t / 0.03)));
        return static_cast<float>(Attack(t, 0.001) * std::exp(-t / 0.18)) * body.Next();
      });
      break;
    }
    case Drum::HeavyKick: {
      SineOsc body(180.0);
      Biquad clickBp;
      clickBp.BandPass(3000, 1.0);
      fill(0.8, [&](double t) {
        body.Set(40.0 + 140.0 * std::exp(-t / 0.03));
        const float click = clickBp.Process(rng.Noise()) * static_cast<float>(std::exp(-t / 0.004));
        const float v = static_cast<float>(Attack(t, 0.001) * std::exp(-t / 0.38)) * body.Next();
        return Drive(1.4f * v + 0.5f * click, 2.0f);
      });
      break;
    }
    case Drum::HeavySnare: {
      Biquad bp, top;
      bp.BandPass(1800, 0.6);
      top.LowPass(7000, 0.7);
      SineOsc tone(160.0);
      fill(0.7, [&](double t) {
        const float v = bp.Process(rng.Noise()) * static_cast<float>(std::exp(-t / 0.22)) * 1.6f +
                        0.5f * tone.Next() * static_cast<float>(std::exp(-t / 0.08));
        return top.Process(Drive(v * static_cast<float>(Attack(t, 0.0008)), 1.8f));
      });
      break;
    }
    case Drum::Crash: {
      SquareOsc osc[6];
      Biquad hp, bp;
      hp.HighPass(4000, 0.7);
      bp.BandPass(8000, 0.8);
      fill(3.0, [&](double t) {
        const float metal = bp.Process(Metal(osc, 420.0));
        const float noise = hp.Process(rng.Noise());
        return (0.6f * metal + 0.5f * noise) *
               static_cast<float>(Attack(t, 0.001) * std::exp(-t / 0.9));
      });
      break;
    }
    case Drum::Clank: {
      SquareOsc osc[6];
      Biquad bp;
      bp.BandPass(3000, 2.0);
      fill(0.3, [&](double t) {
        return bp.Process(Metal(osc, 540.0)) * 2.0f *
               static_cast<float>(Attack(t, 0.0008) * std::exp(-t / 0.07));
      });
      break;
    }
    case Drum::HeavyTom: {
      SineOsc body(hz);
      fill(0.9, [&](double t) {
        body.Set(hz * (1.0 + 0.7 * std::exp(-t / 0.04)));
        const float v = static_cast<float>(Attack(t, 0.001) * std::exp(-t / 0.32)) * body.Next();
        return Drive(1.5f * v, 1.6f);
      });
      break;
    }
  }
  return out;
}

}  // namespace music
