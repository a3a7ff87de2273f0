// The 22 generated sounds, decoded as the sound bank loads them: format,
// length, level, loudness in play, no DC or sub-bass, clean one-shot edges,
// seamless loops and music layers in step; and the loudness meter itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "sound/SoundPcm.h"
#include "sound/SoundTable.h"
#include "tests/sound/SoundTestSupport.h"
#include "tools/datagen/sounds/SoundLevels.h"
#include "tools/datagen/sounds/dsp/Loudness.h"

// Shown by the test names and failures: the sound's name and file.
void PrintTo(const SoundFile& f, std::ostream* os) { *os << f.name << " (" << f.file << ")"; }

namespace {

using soundtest::PeakOf;

bool StartsWith(const SoundFile& f, const char* prefix) {
  return std::string(f.name).rfind(prefix, 0) == 0;
}

double Rms(const SoundPcm& p, size_t from, size_t to) {
  double sum = 0;
  for (size_t i = from * 2; i < to * 2; ++i)
    sum += static_cast<double>(p.samples[i]) * p.samples[i];
  return std::sqrt(sum / std::max<size_t>(1, (to - from) * 2)) / 32768.0;
}

std::vector<float> Channel(const SoundPcm& p, int c) {
  std::vector<float> out(p.Frames());
  for (size_t i = 0; i < out.size(); ++i) out[i] = p.samples[2 * i + c] / 32768.0f;
  return out;
}

// No DC, and under a tenth of the energy below 40 Hz (two passes of a
// Butterworth low-pass), where small speakers play nothing.
void ExpectNoDcOrSubBass(const SoundPcm& p) {
  const double w = std::tan(M_PI * 40.0 / 44100.0), k = w * w, norm = 1.0 / (1.0 + M_SQRT2 * w + k);
  const double b0 = k * norm, a1 = 2.0 * (k - 1.0) * norm, a2 = (1.0 - M_SQRT2 * w + k) * norm;
  for (int c = 0; c < 2; ++c) {
    double sum = 0, all = 0, low = 0, z[4] = {0, 0, 0, 0};
    for (float x : Channel(p, c)) {
      sum += x;
      all += x * x;
      double y = x;
      for (int pass = 0; pass < 2; ++pass) {  // direct form II, b = b0 (1, 2, 1)
        const double v = y - a1 * z[2 * pass] - a2 * z[2 * pass + 1];
        y = b0 * (v + 2.0 * z[2 * pass] + z[2 * pass + 1]);
        z[2 * pass + 1] = z[2 * pass];
        z[2 * pass] = v;
      }
      low += y * y;
    }
    EXPECT_LT(std::fabs(sum / p.Frames()), 0.001) << "DC in channel " << c;
    EXPECT_LT(low / all, 0.1) << "energy below 40 Hz in channel " << c;
  }
}

// Looping forever, the last frame is followed by the first: that step must
// look like any other step within 10 ms of it, and the level must carry on.
void ExpectSeamlessLoop(const SoundFile& f, const SoundPcm& p) {
  const size_t n = p.Frames();
  for (int c = 0; c < 2; ++c) {
    auto at = [&](size_t frame) { return static_cast<int>(p.samples[frame * 2 + c]); };
    int largestStep = 0;
    for (size_t i = 0; i + 1 < 441; ++i)
      largestStep = std::max({largestStep, std::abs(at(i + 1) - at(i)),
                              std::abs(at(n - 441 + i + 1) - at(n - 441 + i))});
    EXPECT_LE(std::abs(at(0) - at(n - 1)), largestStep + 16)
        << "a click at the loop, channel " << c;
  }
  if (StartsWith(f, "GameMusic")) {
    // Bar 1 opens with a drum hit, which is music and not a seam; what must
    // hold is that the end of bar 32 is no quieter than the piece.
    EXPECT_GT(Rms(p, n - 4410, n), 0.3 * Rms(p, 0, n));
  } else {
    const double end = Rms(p, n - 2205, n), start = Rms(p, 0, 2205);
    EXPECT_LT(std::fabs(20.0 * std::log10(end / start)), 3.0) << "level step at the loop";
    EXPECT_LE(PeakOf(p.samples, 0, 1), 328) << "the loop opens on a loud sample";
  }
}

using GeneratedSound = ::testing::TestWithParam<SoundFile>;

TEST_P(GeneratedSound, DecodesToAWellFormedSoundOfItsKind) {
  soundtest::UseSilentDriver();
  const SoundFile& f = GetParam();
  SoundPcm p;
  ASSERT_TRUE(DecodeSound(std::string(ZARVO_DATA_DIR) + "/" + f.file, &p) && p.Frames() > 0)
      << "does not decode through the bank's loader";
  EXPECT_EQ(p.rate, 44100);
  EXPECT_EQ(p.channels, 2);
  // Seconds: music long enough not to tire, loops long enough not to repeat
  // audibly, the thunders' roll, and every other one-shot.
  const auto [shortest, longest] = StartsWith(f, "GameMusic") ? std::pair{60.0, 180.0}
                                   : f.looping                ? std::pair{2.0, 20.0}
                                   : StartsWith(f, "Thunder") ? std::pair{2.0, 4.0}
                                                              : std::pair{0.3, 3.5};
  EXPECT_GE(p.Frames() / 44100.0, shortest);
  EXPECT_LE(p.Frames() / 44100.0, longest);
  // Both music layers loop on the bar line after 32 bars at 125 beats a
  // minute, so the two stay in step.
  if (StartsWith(f, "GameMusic")) {
    EXPECT_EQ(p.Frames(), 32u * 4u * 21168u);
  }
  // The level is set by loudness, so a quiet sound may peak well under full
  // scale; no sample may pass -1 dBFS.
  EXPECT_GT(Rms(p, 0, p.Frames()), 0.02) << "quieter than -34 dBFS";
  EXPECT_LE(PeakOf(p.samples, 0, p.Frames()), 29205) << "a peak over -1 dBFS";
  // Heard in play (the file's loudness less what the game's volume takes off),
  // every sound sits within 1.5 LU of the level its role is given.
  const double file = loudness::Integrated(Channel(p, 0), Channel(p, 1));
  EXPECT_NEAR(file + sounds::VolumeDb(f), sounds::TargetLoudness(f.name), 1.5)
      << "LUFS heard in play; the file itself measures " << file;
  if (!StartsWith(f, "GameMusic")) ExpectNoDcOrSubBass(p);
  if (f.looping) {
    ExpectSeamlessLoop(f, p);
  } else {  // faded in and out: quiet ends, under way within 10 ms, the last 10 ms quiet
    const size_t n = p.Frames();
    EXPECT_LE(PeakOf(p.samples, 0, 1), 64);
    EXPECT_LE(PeakOf(p.samples, n - 1, n), 64);
    EXPECT_LT(PeakOf(p.samples, 0, 22), 32768 / 4) << "loud in the first half millisecond";
    EXPECT_LE(soundtest::FirstLoudFrame(p.samples, 0, PeakOf(p.samples, 0, n) / 100), 441u)
        << "silence before the sound";
    EXPECT_LT(Rms(p, n - 441, n), 0.02);
  }
}

INSTANTIATE_TEST_SUITE_P(AllSounds, GeneratedSound, ::testing::ValuesIn(kSoundFiles),
                         [](const auto& info) { return std::string(info.param.name); });

// A 997 Hz sine at -20 dBFS reads -20 LUFS; silence or a part 20 dB quieter
// after it is gated away but for the blocks on the step (BS.1770 meters agree).
TEST(SoundLoudness, TheMeterReadsTheReferenceLevels) {
  const std::pair<double, double> cases[] = {{0.1, -20.0}, {0.0, -20.34}, {0.01, -20.33}};
  for (const auto& [secondAmplitude, expected] : cases) {
    std::vector<float> x(4 * 44100);
    for (size_t i = 0; i < x.size(); ++i)
      x[i] = static_cast<float>((i < x.size() / 2 ? 0.1 : secondAmplitude) *
                                std::sin(2.0 * M_PI * 997.0 * i / 44100.0));
    EXPECT_NEAR(loudness::Integrated(x, x), expected, 0.1) << secondAmplitude;
  }
}

}  // namespace
