// The 22 generated sounds, decoded the way the sound bank loads them: each in
// the device's format, of a length that fits its kind, audible, peaks under
// -1 dBFS, heard in play at the loudness its role is given, without DC or
// sub-bass, one-shots starting at once (after a few milliseconds of attack)
// and ending in silence, and every loop's end joining its start without a
// click or a change of level. The two music layers must have exactly the same
// length so that they stay in step. The loudness meter itself is checked
// against the reference levels of its standard.
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

bool IsMusic(const SoundFile& f) { return std::string(f.name).rfind("GameMusic", 0) == 0; }

SoundPcm Decode(const SoundFile& f) {
  SoundPcm pcm;
  EXPECT_TRUE(DecodeSound(std::string(ZARVO_DATA_DIR) + "/" + f.file, &pcm)) << f.file;
  return pcm;
}

double Rms(const SoundPcm& p, size_t from, size_t to) {
  double sum = 0;
  for (size_t i = from * 2; i < to * 2; ++i)
    sum += static_cast<double>(p.samples[i]) * p.samples[i];
  return std::sqrt(sum / std::max<size_t>(1, (to - from) * 2)) / 32768.0;
}

int PeakOf(const SoundPcm& p, size_t fromFrame, size_t toFrame) {
  int peak = 0;
  for (size_t i = fromFrame * 2; i < toFrame * 2; ++i)
    peak = std::max(peak, std::abs(static_cast<int>(p.samples[i])));
  return peak;
}

void ExpectLengthFitsKind(const SoundFile& f, const SoundPcm& p) {
  const double seconds = static_cast<double>(p.Frames()) / 44100.0;
  if (IsMusic(f)) {
    EXPECT_GE(seconds, 60.0);
    EXPECT_LE(seconds, 180.0);
  } else if (f.looping) {
    EXPECT_GE(seconds, 2.0) << "a loop this short repeats audibly";
    EXPECT_LE(seconds, 20.0);
  } else if (std::string(f.name).rfind("Thunder", 0) == 0) {
    EXPECT_GE(seconds, 2.0);
    EXPECT_LE(seconds, 4.0);
  } else {
    EXPECT_GE(seconds, 0.3);
    EXPECT_LE(seconds, 3.5);
  }
}

// The level is set by loudness, so a quiet sound may peak well under full
// scale; no sample may pass -1 dBFS.
void ExpectAudibleWithoutClipping(const SoundPcm& p) {
  EXPECT_GT(Rms(p, 0, p.Frames()), 0.02) << "quieter than -34 dBFS";
  EXPECT_LE(PeakOf(p, 0, p.Frames()), 29205) << "a peak over -1 dBFS";
}

std::vector<float> Channel(const SoundPcm& p, int c) {
  std::vector<float> out(p.Frames());
  for (size_t i = 0; i < out.size(); ++i) out[i] = p.samples[2 * i + c] / 32768.0f;
  return out;
}

// Heard in play (the file's loudness less what the game's volume takes off),
// every sound sits within 1.5 LU of the level its role is given.
void ExpectHeardAtItsLevel(const SoundFile& f, const SoundPcm& p) {
  const double file = loudness::Integrated(Channel(p, 0), Channel(p, 1));
  EXPECT_NEAR(file + sounds::VolumeDb(f), sounds::TargetLoudness(f.name), 1.5)
      << "LUFS heard in play; the file itself measures " << file;
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

// Faded in: the first and last samples are near zero, the first half
// millisecond stays under a quarter of full scale, the sound is under way
// (a hundredth of its peak) within 10 ms, the last 10 ms are quiet.
void ExpectFadedInAndOut(const SoundPcm& p) {
  const size_t n = p.Frames();
  EXPECT_LE(PeakOf(p, 0, 1), 64);
  EXPECT_LE(PeakOf(p, n - 1, n), 64);
  EXPECT_LT(PeakOf(p, 0, 22), 32768 / 4);
  EXPECT_LE(soundtest::FirstLoudFrame(p.samples, 0, PeakOf(p, 0, n) / 100), 441u)
      << "silence before the sound";
  EXPECT_LT(Rms(p, n - 441, n), 0.02);
}

// Looping forever, the last frame is followed by the first: that step must
// look like any other step nearby, and the level must carry on.
void ExpectSeamlessLoop(const SoundFile& f, const SoundPcm& p) {
  const size_t n = p.Frames();
  const size_t near = 441;  // 10 ms on each side
  for (int c = 0; c < 2; ++c) {
    auto at = [&](size_t frame) { return static_cast<int>(p.samples[frame * 2 + c]); };
    int largestStep = 0;
    for (size_t i = n - near; i + 1 < n; ++i)
      largestStep = std::max(largestStep, std::abs(at(i + 1) - at(i)));
    for (size_t i = 0; i + 1 < near; ++i)
      largestStep = std::max(largestStep, std::abs(at(i + 1) - at(i)));
    EXPECT_LE(std::abs(at(0) - at(n - 1)), largestStep + 16)
        << "a click at the loop, channel " << c;
  }
  if (IsMusic(f)) {
    // Bar 1 opens with a drum hit, which is music and not a seam; what must
    // hold is that the end of bar 32 is no quieter than the piece.
    EXPECT_GT(Rms(p, n - 4410, n), 0.3 * Rms(p, 0, n));
  } else {
    const double end = Rms(p, n - 2205, n), start = Rms(p, 0, 2205);
    EXPECT_LT(std::fabs(20.0 * std::log10(end / start)), 3.0) << "level step at the loop";
    EXPECT_LE(PeakOf(p, 0, 1), 328) << "the loop opens on a loud sample";
  }
}

class GeneratedSound : public ::testing::TestWithParam<SoundFile> {
 protected:
  void SetUp() override { soundtest::UseSilentDriver(); }
};

TEST_P(GeneratedSound, DecodesToAWellFormedSoundOfItsKind) {
  const SoundFile& f = GetParam();
  const SoundPcm p = Decode(f);
  ASSERT_GT(p.Frames(), 0u) << "does not decode through the bank's loader";
  EXPECT_EQ(p.rate, 44100);
  EXPECT_EQ(p.channels, 2);
  ExpectLengthFitsKind(f, p);
  ExpectAudibleWithoutClipping(p);
  ExpectHeardAtItsLevel(f, p);
  if (!IsMusic(f)) ExpectNoDcOrSubBass(p);
  if (f.looping) {
    ExpectSeamlessLoop(f, p);
  } else {
    ExpectFadedInAndOut(p);
  }
}

INSTANTIATE_TEST_SUITE_P(AllSounds, GeneratedSound, ::testing::ValuesIn(kSoundFiles),
                         [](const ::testing::TestParamInfo<SoundFile>& info) {
                           return std::string(info.param.name);
                         });

TEST(GeneratedMusic, TheTwoLayersHaveExactlyTheSameLength) {
  soundtest::UseSilentDriver();
  ASSERT_STREQ(kSoundFiles[5].name, "GameMusic");
  ASSERT_STREQ(kSoundFiles[6].name, "GameMusic2");
  const SoundPcm light = Decode(kSoundFiles[5]);
  const SoundPcm dark = Decode(kSoundFiles[6]);
  EXPECT_EQ(light.Frames(), dark.Frames());
  // 32 bars at 125 beats a minute: the loop lands on the bar line.
  EXPECT_EQ(light.Frames(), 32u * 4u * 21168u);
}

// The tree's growth must not sound like the rank bells: its brightness (the
// RMS frequency, from the energy of the sample-to-sample steps) stays under
// half of theirs.
TEST(GeneratedSounds, GrowthIsDarkerThanTheRankBells) {
  soundtest::UseSilentDriver();
  auto brightness = [](const SoundFile& f) {
    const std::vector<float> x = Channel(Decode(f), 0);
    double steps = 0, all = 0;
    for (size_t i = 1; i < x.size(); ++i) {
      steps += (x[i] - x[i - 1]) * (x[i] - x[i - 1]);
      all += x[i] * x[i];
    }
    return 44100.0 / (2.0 * M_PI) * std::sqrt(steps / all);
  };
  ASSERT_STREQ(kSoundFiles[0].name, "Tree_Growing_01");
  ASSERT_STREQ(kSoundFiles[14].name, "GainRank");
  EXPECT_LT(brightness(kSoundFiles[0]), 0.5 * brightness(kSoundFiles[14]));
}

// The meter on the reference signals: a 997 Hz sine at -20 dBFS in both
// channels reads -20 LUFS. Silence after it is gated away, and so is a part
// 20 dB quieter, all but the blocks that straddle the step, which take 0.3 LU
// off (other BS.1770 meters read the same).
TEST(SoundLoudness, TheMeterReadsTheReferenceLevels) {
  struct Case {
    double secondAmplitude, expected;
  };
  for (const Case& c : {Case{0.1, -20.0}, Case{0.0, -20.34}, Case{0.01, -20.33}}) {
    std::vector<float> x(4 * 44100);
    for (size_t i = 0; i < x.size(); ++i)
      x[i] = static_cast<float>((i < x.size() / 2 ? 0.1 : c.secondAmplitude) *
                                std::sin(2.0 * M_PI * 997.0 * i / 44100.0));
    EXPECT_NEAR(loudness::Integrated(x, x), c.expected, 0.1) << c.secondAmplitude;
  }
}

}  // namespace
