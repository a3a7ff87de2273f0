// The score of the game's music and the rendering of its two layers. Four
// 8-bar phrases over Am F C G Am F Dm E: the tune, its answer an octave up,
// a thinner middle with arpeggios, and the tune again in thirds. Notes that
// ring past the end of bar 32 are folded onto bar 1, and the reverb is
// warmed up on the end of the lap, so that the loop repeats without a seam.
#include <algorithm>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "tools/datagen/sounds/music/MusicInstruments.h"
#include "tools/datagen/sounds/music/MusicPiece.h"

namespace music {

using namespace synth;

namespace {

struct Chord {
  int root;  // bass octave: A2 = 45
  bool minor;
};
const Chord kChords[8] = {{45, true}, {41, false}, {48, false}, {43, false},
                          {45, true}, {41, false}, {50, true},  {40, false}};

const Chord& ChordOf(int bar) { return kChords[bar % 8]; }
int Third(const Chord& c) { return c.minor ? 3 : 4; }
int Phrase(int bar) { return bar / 8; }  // 0 tune, 1 answer, 2 middle, 3 tune again

struct Note {
  int bar, pos;  // pos in sixteenths
  int midi;
};

// Eighth-note slots and pitches of each bar of a phrase.
using PhraseBars = std::vector<std::vector<std::pair<int, int>>>;

const PhraseBars kTune = {
    {{0, 69}, {2, 72}, {3, 76}, {5, 81}, {7, 76}},  // Am
    {{0, 77}, {2, 76}, {3, 72}, {5, 69}, {7, 72}},  // F
    {{0, 76}, {2, 79}, {3, 76}, {5, 72}, {7, 74}},  // C
    {{0, 74}, {2, 71}, {3, 67}, {5, 71}, {6, 74}},  // G
    {{0, 69}, {2, 72}, {3, 76}, {5, 81}, {7, 76}},  // Am
    {{0, 77}, {2, 81}, {3, 77}, {5, 72}, {7, 77}},  // F
    {{0, 74}, {2, 77}, {3, 81}, {5, 77}, {7, 74}},  // Dm
    {{0, 76}, {2, 71}, {3, 68}, {4, 71}, {6, 76}},  // E
};

const PhraseBars kAnswer = {
    {{0, 76}, {2, 81}, {3, 84}, {5, 83}, {6, 81}, {7, 76}},
    {{0, 77}, {2, 81}, {3, 84}, {5, 81}, {6, 79}, {7, 77}},
    {{0, 79}, {2, 76}, {3, 79}, {5, 84}, {7, 79}},
    {{0, 83}, {2, 79}, {3, 74}, {5, 79}, {6, 83}, {7, 86}},
    {{0, 84}, {2, 83}, {3, 81}, {5, 76}, {7, 81}},
    {{0, 84}, {2, 81}, {3, 77}, {5, 81}, {7, 84}},
    {{0, 86}, {2, 84}, {3, 81}, {5, 77}, {6, 81}, {7, 86}},
    {{0, 83}, {2, 80}, {3, 76}, {4, 80}, {5, 83}, {6, 80}},
};

void AddPhrase(std::vector<Note>& notes, int firstBar, const PhraseBars& bars) {
  for (size_t b = 0; b < bars.size(); ++b)
    for (const auto& [slot, midi] : bars[b])
      notes.push_back({firstBar + static_cast<int>(b), slot * 2, midi});
}

// The diatonic third below in A minor (G sharp over the E chord falls to E).
int ThirdBelow(int midi) {
  static const int kScale[7] = {9, 11, 0, 2, 4, 5, 7};
  const int pc = midi % 12;
  if (pc == 8) return midi - 4;
  for (int i = 0; i < 7; ++i) {
    if (kScale[i] != pc) continue;
    const int down = kScale[(i + 5) % 7];
    int target = midi - ((pc - down + 12) % 12);
    if (target == midi) target -= 12;
    return target;
  }
  return midi - 3;
}

std::vector<Note> Melody() {
  std::vector<Note> notes;
  AddPhrase(notes, 0, kTune);
  AddPhrase(notes, 8, kAnswer);
  // The middle phrase: rocking arpeggios of the chord.
  for (int bar = 16; bar < 24; ++bar) {
    const Chord& c = ChordOf(bar);
    int base = c.root + 24;  // fourth octave
    while (base < 57) base += 12;
    while (base >= 69) base -= 12;
    const int tones[4] = {base, base + Third(c), base + 7, base + 12};
    static const int kOrder[8] = {0, 1, 2, 3, 2, 1, 2, 1};
    for (int s = 0; s < 8; ++s) notes.push_back({bar, s * 2, tones[kOrder[s]] + 12});
  }
  AddPhrase(notes, 24, kTune);
  return notes;
}

// The bass rhythm both layers share: sixteenth position and length.
const std::pair<int, int> kBassRhythm[5] = {{0, 3}, {6, 1}, {8, 2}, {12, 2}, {14, 1}};

// A mix with a dry stereo bus and a mono reverb send, one loop long; notes
// that run past the end continue at the start.
class Bus {
 public:
  Bus() : dry{Mono(kLoopLength, 0.0f), Mono(kLoopLength, 0.0f)}, send(kLoopLength, 0.0f) {}

  // pan 0 (left) .. 1 (right).
  void Add(const Mono& note, long start, float gain, float pan, float sendLevel) {
    const float l = gain * static_cast<float>(std::cos(pan * kPi / 2) * std::sqrt(2.0));
    const float r = gain * static_cast<float>(std::sin(pan * kPi / 2) * std::sqrt(2.0));
    long pos = ((start % kLoopLength) + kLoopLength) % kLoopLength;
    for (float v : note) {
      dry.left[pos] += l * v;
      dry.right[pos] += r * v;
      send[pos] += sendLevel * gain * v;
      if (++pos == kLoopLength) pos = 0;
    }
  }
  void AddAt(const Mono& note, int bar, double pos16, float gain, float pan, float sendLevel) {
    Add(note, static_cast<long>(bar) * kBar + std::lround(pos16 * kSixteenth), gain, pan,
        sendLevel);
  }

  Stereo Finish(double room, double damping, float wet, float peak) {
    AddPeriodicReverb(send, dry, room, damping, wet);
    Normalise(dry, peak);
    return std::move(dry);
  }

  Stereo dry;
  Mono send;
};

// Notes are cached: the same pitch and length always sound the same.
template <typename Key, typename Make>
const Mono& Cached(std::map<Key, Mono>& cache, const Key& key, Make make) {
  auto it = cache.find(key);
  if (it == cache.end()) it = cache.emplace(key, make()).first;
  return it->second;
}

double Seconds16(int sixteenths) { return sixteenths * kSixteenth / kRate; }

}  // namespace

Stereo LightLayer() {
  Bus bus;
  std::map<int, Mono> marimba, pluck;
  std::map<std::pair<int, int>, Mono> bass;
  auto mar = [&](int midi) -> const Mono& {
    return Cached(marimba, midi, [&] { return Marimba(MidiHz(midi)); });
  };

  // Tune (and, in the last phrase, a second marimba a third below).
  for (const Note& n : Melody()) {
    const bool middle = Phrase(n.bar) == 2;
    bus.AddAt(mar(n.midi), n.bar, n.pos, middle ? 0.3f : 0.5f, 0.4f, 0.25f);
    if (Phrase(n.bar) == 3) bus.AddAt(mar(ThirdBelow(n.midi)), n.bar, n.pos, 0.28f, 0.3f, 0.25f);
  }

  for (int bar = 0; bar < kBars; ++bar) {
    const Chord& c = ChordOf(bar);
    const int phrase = Phrase(bar);
    // Offbeat plucked chords, strummed a few milliseconds apart.
    std::vector<int> tones;
    for (int step : {0, Third(c), 7}) {
      int m = c.root + step;
      while (m < 55) m += 12;
      while (m >= 67) m -= 12;
      tones.push_back(m);
    }
    std::sort(tones.begin(), tones.end());
    const std::vector<int> slots =
        phrase == 2 ? std::vector<int>{2, 6} : std::vector<int>{1, 3, 5, 7};
    for (int slot : slots) {
      for (size_t k = 0; k < tones.size(); ++k) {
        const Mono& p = Cached(pluck, tones[k], [&] { return Pluck(MidiHz(tones[k]), tones[k]); });
        bus.AddAt(p, bar, slot * 2 + 0.05 * k, phrase == 2 ? 0.14f : 0.2f, 0.68f, 0.2f);
      }
    }
    // Bass.
    const bool held = phrase == 2 && bar < 20;
    const std::vector<std::pair<int, int>> rhythm =
        held ? std::vector<std::pair<int, int>>{{0, 8}, {8, 8}}
             : std::vector<std::pair<int, int>>(std::begin(kBassRhythm), std::end(kBassRhythm));
    for (const auto& [pos, len] : rhythm) {
      int midi = c.root;
      if (pos == 6 || pos == 14) midi += 12;
      if (pos == 8) midi += 7;
      const Mono& b = Cached(bass, std::make_pair(midi, len),
                             [&] { return PluckBass(MidiHz(midi), Seconds16(len)); });
      bus.AddAt(b, bar, pos, 0.55f, 0.5f, 0.04f);
    }
  }

  // Drums.
  const Mono kick = DrumHit(Drum::Kick), clap = DrumHit(Drum::Clap), hat = DrumHit(Drum::Hat),
             shaker = DrumHit(Drum::Shaker);
  for (int bar = 0; bar < kBars; ++bar) {
    const int phrase = Phrase(bar);
    const bool sparse = phrase == 2 && bar < 20;
    const bool fill = bar % 8 == 7;
    for (int pos = 0; pos < 16; ++pos) {
      if (pos % 2 == 0) bus.AddAt(hat, bar, pos, pos % 4 == 2 ? 0.16f : 0.09f, 0.62f, 0.05f);
      bus.AddAt(shaker, bar, pos, pos % 2 ? 0.05f : 0.03f, 0.3f, 0.05f);
    }
    if (sparse) continue;
    bus.AddAt(kick, bar, 0, 0.7f, 0.5f, 0.03f);
    bus.AddAt(kick, bar, 8, 0.7f, 0.5f, 0.03f);
    if (phrase == 1 || phrase == 3) bus.AddAt(kick, bar, 6, 0.45f, 0.5f, 0.03f);
    if (phrase == 2) {
      bus.AddAt(clap, bar, 12, 0.3f, 0.48f, 0.2f);
      if (bar == 23)
        for (int pos = 8; pos < 16; ++pos)
          bus.AddAt(clap, bar, pos, 0.1f + 0.03f * (pos - 8), 0.48f, 0.2f);
      continue;
    }
    bus.AddAt(clap, bar, 4, 0.32f, 0.48f, 0.2f);
    bus.AddAt(clap, bar, 12, 0.32f, 0.48f, 0.2f);
    if (fill)
      for (int pos = 13; pos < 16; ++pos) bus.AddAt(clap, bar, pos, 0.16f, 0.52f, 0.2f);
  }
  return bus.Finish(0.55, 0.4, 1.0f, 0.84f);
}

namespace {

// A continuous drone on A with a slowly breathing filter. Its frequencies have
// a whole number of cycles in the loop and the filter is settled before the
// kept lap starts, so the drone repeats exactly.
Mono Drone() {
  const double loopSeconds = kLoopLength / kRate;
  auto fit = [&](double hz) { return std::round(hz * loopSeconds) / loopSeconds; };
  const double a = fit(55.0), b = fit(55.27), c = fit(110.18), sub = fit(55.0);
  const double lfo = 1.0 / (8 * kBar / kRate);  // one breath every phrase
  const int warm = kBar;
  Mono out(kLoopLength, 0.0f);
  SawOsc sa, sb(0.37), sc(0.71);
  Svf filter;
  for (int i = -warm; i < kLoopLength; ++i) {
    // Time runs from -warm so that the oscillators meet the kept lap in phase.
    const long k = i < 0 ? i + kLoopLength : i;
    const double t = static_cast<double>(k) / kRate;
    const double cutoff = 260.0 + 140.0 * std::sin(kTwoPi * lfo * t);
    const float raw = 0.5f * sa.Next(a) + 0.5f * sb.Next(b) + 0.25f * sc.Next(c);
    const float v = filter.Process(raw, cutoff, 1.3).low +
                    0.6f * static_cast<float>(std::sin(kTwoPi * sub * t));
    if (i >= 0) out[i] = v;
  }
  return out;
}

}  // namespace

Stereo DarkLayer() {
  Bus bus;
  bus.Add(Drone(), 0, 0.16f, 0.5f, 0.1f);

  std::map<std::pair<int, int>, Mono> power, horn;
  std::map<int, Mono> pads, tolls;
  const std::vector<Note> melody = Melody();
  for (int bar = 0; bar < kBars; ++bar) {
    const Chord& c = ChordOf(bar);
    const int phrase = Phrase(bar);
    // Power chords in the bass rhythm, over the drone.
    const std::vector<std::pair<int, int>> rhythm =
        phrase == 2 ? std::vector<std::pair<int, int>>{{0, 16}}
                    : std::vector<std::pair<int, int>>{{0, 6}, {6, 2}, {8, 4}, {12, 2}, {14, 2}};
    for (const auto& [pos, len] : rhythm) {
      const int midi = c.root;
      const Mono& p = Cached(power, std::make_pair(midi, len),
                             [&] { return PowerChord(MidiHz(midi), Seconds16(len) * 0.92); });
      bus.AddAt(p, bar, pos, 0.26f, 0.5f, 0.12f);
    }
    // Dissonant pads: root and fifth against a flat ninth and a sharp eleventh.
    const int r = c.root + 12;
    const Mono& left = Cached(pads, r * 2, [&] {
      return Pad({MidiHz(r), MidiHz(r + 13)}, Seconds16(16));
    });
    const Mono& right = Cached(pads, r * 2 + 1, [&] {
      return Pad({MidiHz(r + 7), MidiHz(r + 18)}, Seconds16(16));
    });
    bus.AddAt(left, bar, 0, 0.3f, 0.25f, 0.5f);
    bus.AddAt(right, bar, 0, 0.3f, 0.75f, 0.5f);
    // A low bell every four bars.
    if (bar % 4 == 0)
      bus.AddAt(Cached(tolls, c.root, [&] { return Toll(MidiHz(c.root)); }), bar, 0, 0.3f, 0.4f,
                0.6f);
  }
  // A low horn doubles the tune's downbeats in the second and last phrases.
  for (const Note& n : melody) {
    const int phrase = Phrase(n.bar);
    if (n.pos != 0 || (phrase != 1 && phrase != 3)) continue;
    const int midi = n.midi - 24;
    const Mono& h =
        Cached(horn, std::make_pair(midi, 6), [&] { return Horn(MidiHz(midi), Seconds16(6)); });
    bus.AddAt(h, n.bar, 0, 0.22f, 0.55f, 0.4f);
  }

  // Heavy drums: half-time snare, syncopated kicks, crashes on each phrase,
  // tom runs at the phrase ends, a heartbeat in the quiet middle.
  const Mono kick = DrumHit(Drum::HeavyKick), snare = DrumHit(Drum::HeavySnare),
             crash = DrumHit(Drum::Crash), clank = DrumHit(Drum::Clank);
  static const double kTomHz[8] = {220, 196, 175, 147, 131, 110, 98, 87};
  std::map<int, Mono> toms;
  auto tom = [&](double hz) -> const Mono& {
    return Cached(toms, static_cast<int>(hz), [&] { return DrumHit(Drum::HeavyTom, hz); });
  };
  for (int bar = 0; bar < kBars; ++bar) {
    const int phrase = Phrase(bar);
    const bool fill = bar % 8 == 7;
    if (bar % 8 == 0) bus.AddAt(crash, bar, 0, 0.3f, 0.6f, 0.4f);
    if (phrase == 2 && bar < 20) {
      bus.AddAt(tom(70), bar, 0, 0.55f, 0.5f, 0.3f);
      bus.AddAt(tom(65), bar, 3, 0.4f, 0.5f, 0.3f);
      continue;
    }
    bus.AddAt(kick, bar, 0, 0.75f, 0.5f, 0.1f);
    if (!fill) {
      bus.AddAt(kick, bar, 3, 0.5f, 0.5f, 0.1f);
      bus.AddAt(kick, bar, 10, 0.55f, 0.5f, 0.1f);
      bus.AddAt(snare, bar, 8, 0.55f, 0.5f, 0.3f);
      bus.AddAt(clank, bar, 4, 0.12f, 0.7f, 0.3f);
      bus.AddAt(clank, bar, 12, 0.12f, 0.7f, 0.3f);
      if (bar % 2 == 1) {
        bus.AddAt(kick, bar, 14, 0.4f, 0.5f, 0.1f);
        bus.AddAt(kick, bar, 15, 0.45f, 0.5f, 0.1f);
      }
      continue;
    }
    bus.AddAt(snare, bar, 4, 0.5f, 0.5f, 0.3f);
    for (int pos = 8; pos < 16; ++pos)
      bus.AddAt(tom(kTomHz[pos - 8]), bar, pos, 0.45f, 0.3f + 0.05f * (pos - 8), 0.3f);
  }
  return bus.Finish(0.88, 0.5, 1.2f, 0.84f);
}

}  // namespace music
