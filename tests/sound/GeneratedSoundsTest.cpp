// The 22 generated sounds, decoded the way the sound bank loads them: each in
// the device's format, of a length that fits its kind, audible, never at full
// scale, one-shots starting and ending in silence, and every loop's end
// joining its start without a click or a change of level. The two music
// layers must have exactly the same length so that they stay in step.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "sound/Mixer.h"
#include "sound/SoundPcm.h"
#include "sound/SoundTable.h"
#include "tests/sound/SoundTestSupport.h"

namespace {

bool IsMusic(const SoundFile& f) { return std::string(f.name).rfind("GameMusic", 0) == 0; }

class GeneratedSounds : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    soundtest::UseSilentDriver();
    held_ = mixer::Acquire();  // one device for all the decoding
  }
  static void TearDownTestSuite() {
    decoded_.clear();
    if (held_) mixer::Release();
  }

  // Decodes once per run; a failed decode is reported by the test that asks.
  static const SoundPcm* Get(const SoundFile& f) {
    auto it = decoded_.find(f.name);
    if (it == decoded_.end()) {
      SoundPcm pcm;
      const bool ok = DecodeSound(std::string(ZARVO_DATA_DIR) + "/" + f.file, &pcm);
      it = decoded_.emplace(f.name, ok ? pcm : SoundPcm{}).first;
    }
    return it->second.Frames() ? &it->second : nullptr;
  }

  static double Rms(const SoundPcm& p, size_t from, size_t to) {
    double sum = 0;
    for (size_t i = from * 2; i < to * 2; ++i)
      sum += static_cast<double>(p.samples[i]) * p.samples[i];
    return std::sqrt(sum / std::max<size_t>(1, (to - from) * 2)) / 32768.0;
  }

  static bool held_;
  static std::map<std::string, SoundPcm> decoded_;
};

bool GeneratedSounds::held_ = false;
std::map<std::string, SoundPcm> GeneratedSounds::decoded_;

TEST_F(GeneratedSounds, EveryFileDecodesThroughTheBanksLoader) {
  ASSERT_TRUE(held_) << "no audio device, not even the dummy one";
  for (const SoundFile& f : kSoundFiles) {
    SCOPED_TRACE(f.file);
    const SoundPcm* p = Get(f);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->rate, 44100);
    EXPECT_EQ(p->channels, 2);
  }
}

TEST_F(GeneratedSounds, LengthsFitTheirKind) {
  for (const SoundFile& f : kSoundFiles) {
    SCOPED_TRACE(f.file);
    const SoundPcm* p = Get(f);
    ASSERT_NE(p, nullptr);
    const double seconds = static_cast<double>(p->Frames()) / 44100.0;
    if (IsMusic(f)) {
      EXPECT_GE(seconds, 60.0);
      EXPECT_LE(seconds, 180.0);
    } else if (f.looping) {
      EXPECT_GE(seconds, 2.0);  // several seconds, so that the repeat is not obvious
      EXPECT_LE(seconds, 20.0);
    } else if (std::string(f.name).rfind("Thunder", 0) == 0) {
      EXPECT_GE(seconds, 2.0);
      EXPECT_LE(seconds, 4.0);
    } else {
      EXPECT_GE(seconds, 0.3);
      EXPECT_LE(seconds, 3.5);
    }
  }
}

TEST_F(GeneratedSounds, TheMusicLayersHaveExactlyTheSameLength) {
  const SoundPcm* light = Get(kSoundFiles[5]);
  const SoundPcm* dark = Get(kSoundFiles[6]);
  ASSERT_STREQ(kSoundFiles[5].name, "GameMusic");
  ASSERT_STREQ(kSoundFiles[6].name, "GameMusic2");
  ASSERT_NE(light, nullptr);
  ASSERT_NE(dark, nullptr);
  EXPECT_EQ(light->Frames(), dark->Frames());
  // 32 bars at 125 beats a minute: the loop lands on the bar line.
  EXPECT_EQ(light->Frames(), 32u * 4u * 21168u);
}

TEST_F(GeneratedSounds, NoneIsSilentAndNoneClips) {
  for (const SoundFile& f : kSoundFiles) {
    SCOPED_TRACE(f.file);
    const SoundPcm* p = Get(f);
    ASSERT_NE(p, nullptr);
    EXPECT_GT(Rms(*p, 0, p->Frames()), 0.02) << "quieter than -34 dBFS";
    int peak = 0;
    for (int16_t s : p->samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_LT(peak, 32767) << "a sample at full scale";
    EXPECT_GT(peak, 32768 / 4) << "peak far below the normalised level";
  }
}

TEST_F(GeneratedSounds, OneShotsStartAndEndInSilence) {
  for (const SoundFile& f : kSoundFiles) {
    if (f.looping) continue;
    SCOPED_TRACE(f.file);
    const SoundPcm* p = Get(f);
    ASSERT_NE(p, nullptr);
    const size_t n = p->samples.size();
    EXPECT_LE(std::abs(p->samples[0]), 64);
    EXPECT_LE(std::abs(p->samples[1]), 64);
    EXPECT_LE(std::abs(p->samples[n - 1]), 64);
    EXPECT_LE(std::abs(p->samples[n - 2]), 64);
    // Faded in: the first half millisecond stays under a quarter of full
    // scale. Faded out: the last 10 ms are near silence.
    int head = 0;
    for (size_t i = 0; i < 44; ++i)
      head = std::max(head, std::abs(static_cast<int>(p->samples[i])));
    EXPECT_LT(head, 32768 / 4);
    EXPECT_LT(Rms(*p, p->Frames() - 441, p->Frames()), 0.02);
  }
}

// Looping forever, the last frame is followed by the first: that step must
// look like any other step nearby, and the level must carry on.
TEST_F(GeneratedSounds, EveryLoopJoinsItsStartWithoutAJump) {
  for (const SoundFile& f : kSoundFiles) {
    if (!f.looping) continue;
    SCOPED_TRACE(f.file);
    const SoundPcm* p = Get(f);
    ASSERT_NE(p, nullptr);
    const size_t n = p->Frames();
    const size_t near = 441;  // 10 ms on each side
    for (int c = 0; c < 2; ++c) {
      auto at = [&](size_t frame) { return static_cast<int>(p->samples[frame * 2 + c]); };
      int largestStep = 0;
      for (size_t i = n - near; i + 1 < n; ++i)
        largestStep = std::max(largestStep, std::abs(at(i + 1) - at(i)));
      for (size_t i = 0; i + 1 < near; ++i)
        largestStep = std::max(largestStep, std::abs(at(i + 1) - at(i)));
      const int seam = std::abs(at(0) - at(n - 1));
      EXPECT_LE(seam, largestStep + 16) << "channel " << c;
    }
    if (IsMusic(f)) {
      // Bar 1 opens with a drum hit, which is music and not a seam; what must
      // hold is that the end of bar 32 is no quieter than the piece.
      EXPECT_GT(Rms(*p, n - 4410, n), 0.3 * Rms(*p, 0, n));
    } else {
      const double end = Rms(*p, n - 2205, n), start = Rms(*p, 0, 2205);
      EXPECT_LT(std::fabs(20.0 * std::log10(end / start)), 3.0) << "level step at the loop";
    }
  }
}

}  // namespace
