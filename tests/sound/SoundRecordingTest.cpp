// What the mixer actually produced, recorded through SDL's disk driver in a
// child process: sounds are heard for their length at their volume, and the
// two music layers started one after the other play sample for sample together.
#include <gtest/gtest.h>

#include <algorithm>

#include "sound/SoundBank.h"
#include "sound/SoundPcm.h"
#include "tests/sound/SoundTestSupport.h"

namespace {

using soundtest::FirstLoudFrame;
using soundtest::PeakOf;
using soundtest::SleepSeconds;

constexpr int kToneLevel = 16383;  // the tone files are at half scale

// The device opens on the first load only. Then a one-shot tone at full volume,
// and a 50 ms loop given volume 0 before it starts, turned up to 128 and stopped.
TEST(SoundRecording, AOneShotIsHeardForItsLengthAndALoopAtItsVolumesUntilStopped) {
  const auto s = soundtest::Record([&] {
    const std::string dir = TestFolder("recording");
    soundtest::WriteToneWav(dir + "/tone.wav", 440, 0.2, 0.5);
    soundtest::WriteToneWav(dir + "/blip.wav", 441, 0.05, 0.5);
    SoundBank bank;
    bank.Stop("Nobody");
    bank.SetVolume("Nobody", 10);
    EXPECT_FALSE(mixer::IsOpen());
    bank.LoadSound("Thunder", dir + "/tone.wav");
    bank.LoadLoopingSound("Plane_Warning", dir + "/blip.wav");
    SleepSeconds(0.05);
    bank.Play("Thunder");
    SleepSeconds(0.4);
    bank.SetVolume("Plane_Warning", 0);
    bank.Play("Plane_Warning");
    SleepSeconds(0.35);
    bank.SetVolume("Plane_Warning", 128);
    SleepSeconds(0.3);
    bank.Stop("Plane_Warning");
    SleepSeconds(0.15);
  });
  if (!s) return;
  const size_t frames = s->size() / 2;
  const size_t onset = FirstLoudFrame(*s, 0);
  ASSERT_LT(onset, frames) << "nothing was heard";
  // The tone is 8820 frames at half scale in both channels, then silence.
  EXPECT_NEAR(PeakOf(*s, onset, onset + 8820), kToneLevel, 2);
  EXPECT_GT(PeakOf(*s, onset + 8000, onset + 8820), kToneLevel / 2) << "the tone was cut short";
  // Silence from the tone's end through the loop's time at volume 0, not
  // even a first mixing buffer at full volume; then half the tone's level.
  const size_t back = FirstLoudFrame(*s, onset + 8820);
  EXPECT_GT(back, onset + 8820 + 17640) << "sound after the tone or at volume 0";
  ASSERT_LT(back + 4410, frames) << "the loop was never heard";
  EXPECT_NEAR(PeakOf(*s, back, back + 4410), kToneLevel / 2, 2);
  EXPECT_LE(PeakOf(*s, back, frames), kToneLevel / 2 + 1);
  size_t last = back;
  for (size_t f = back; f < frames; ++f)
    if ((*s)[2 * f] != 0) last = f;
  EXPECT_GT(last - back, 3u * 2205u) << "the 50 ms loop did not repeat";
  EXPECT_GT(frames - last, 2205u) << "no silence after the stop";
}

TEST(SoundRecording, TheTwoMusicLayersStartTogether) {
  const std::string dir = ZARVO_DATA_DIR;
  SoundPcm light, dark;
  const auto s = soundtest::Record([&] {
    SoundBank bank;
    bank.LoadLoopingSound("GameMusic", dir + "/Sounds\\Lager1.mp3");
    bank.LoadLoopingSound("GameMusic2", dir + "/Sounds\\Layer 3 scary HEL.mp3");
    ASSERT_TRUE(DecodeSound(dir + "/Sounds\\Lager1.mp3", &light));
    ASSERT_TRUE(DecodeSound(dir + "/Sounds\\Layer 3 scary HEL.mp3", &dark));
    // As the game starts a game: both in one go, at full volume for a frame,
    // then at the fade's volumes (which keep them in step just the same).
    bank.Play("GameMusic");
    bank.Play("GameMusic2");
    SleepSeconds(0.3);
  });
  if (!s) return;
  const size_t onset = FirstLoudFrame(*s, 0);
  ASSERT_LT(onset + 4096, s->size() / 2) << "the music was not heard";
  // The mixer adds the two layers with clipping; find the frame where the sum
  // of the two first samples lines up with the recording.
  auto sum = [&](size_t i) {
    return std::clamp(static_cast<int>(light.samples[i]) + dark.samples[i], -32768, 32767);
  };
  bool aligned = false;
  for (size_t start = onset >= 64 ? onset - 64 : 0; start <= onset && !aligned; ++start) {
    aligned = true;
    for (size_t i = 0; i < 8192 && aligned; ++i) aligned = (*s)[2 * start + i] == sum(i);
  }
  EXPECT_TRUE(aligned) << "the recording is not the two layers started at the same frame";
}

}  // namespace
