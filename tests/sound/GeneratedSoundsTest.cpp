// The 22 generated sounds, decoded the way the sound bank loads them: each in
// the device's format, of a length that fits its kind, audible, never at full
// scale, one-shots starting and ending in silence, and every loop's end
// joining its start without a click or a change of level. The two music
// layers must have exactly the same length so that they stay in step.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>

#include "sound/SoundPcm.h"
#include "sound/SoundTable.h"
#include "tests/sound/SoundTestSupport.h"

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

void ExpectAudibleWithoutClipping(const SoundPcm& p) {
  EXPECT_GT(Rms(p, 0, p.Frames()), 0.02) << "quieter than -34 dBFS";
  const int peak = PeakOf(p, 0, p.Frames());
  EXPECT_LT(peak, 32767) << "a sample at full scale";
  EXPECT_GT(peak, 32768 / 4) << "peak far below the normalised level";
}

// Faded in: the first and last samples are near zero, the first half
// millisecond stays under a quarter of full scale, the last 10 ms are quiet.
void ExpectFadedInAndOut(const SoundPcm& p) {
  const size_t n = p.Frames();
  EXPECT_LE(PeakOf(p, 0, 1), 64);
  EXPECT_LE(PeakOf(p, n - 1, n), 64);
  EXPECT_LT(PeakOf(p, 0, 22), 32768 / 4);
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

}  // namespace
