// What the mixer actually produced, recorded through SDL's disk driver in a
// child process: a played sound is heard, a stopped loop falls silent, a
// volume of 0 is silent and 128 is half as loud, and the two music layers
// started one after the other play sample for sample together.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "sound/Mixer.h"
#include "sound/SoundBank.h"
#include "sound/SoundPcm.h"
#include "tests/sound/SoundTestSupport.h"

namespace {

using soundtest::FirstLoudFrame;
using soundtest::LongestSilence;
using soundtest::PeakOf;
using soundtest::Recorder;
using soundtest::SleepSeconds;

constexpr int kToneLevel = 16383;  // the tone files are at half scale

TEST(SoundRecording, APlayedSoundIsHeardForItsLength) {
  Recorder recorder;
  if (!recorder.InChild()) return recorder.RunChild();
  soundtest::TempDir dir;
  soundtest::WriteToneWav(dir.Path("tone.wav"), 440, 0.2, 0.5);
  {
    SoundBank bank;
    bank.LoadSound("Thunder", dir.Path("tone.wav"));
    SleepSeconds(0.05);
    bank.Play("Thunder");
    SleepSeconds(0.4);
  }
  const std::vector<int16_t> s = recorder.Samples();
  const size_t onset = FirstLoudFrame(s, 0);
  ASSERT_LT(onset, s.size() / 2) << "nothing was heard";
  // The tone is 8820 frames at half scale in both channels, then silence.
  EXPECT_NEAR(PeakOf(s, onset, onset + 8820), kToneLevel, 2);
  EXPECT_EQ(FirstLoudFrame(s, onset + 8820), s.size() / 2) << "sound after the tone ended";
  EXPECT_GT(PeakOf(s, onset + 8000, onset + 8820), kToneLevel / 2) << "the tone was cut short";
}

TEST(SoundRecording, AStoppedLoopFallsSilent) {
  Recorder recorder;
  if (!recorder.InChild()) return recorder.RunChild();
  soundtest::TempDir dir;
  soundtest::WriteToneWav(dir.Path("blip.wav"), 441, 0.05, 0.5);  // a whole number of cycles
  {
    SoundBank bank;
    bank.LoadLoopingSound("Rain_Loop_04", dir.Path("blip.wav"));
    bank.Play("Rain_Loop_04");
    SleepSeconds(0.4);
    bank.Stop("Rain_Loop_04");
    SleepSeconds(0.3);
  }
  const std::vector<int16_t> s = recorder.Samples();
  const size_t onset = FirstLoudFrame(s, 0);
  ASSERT_LT(onset, s.size() / 2) << "nothing was heard";
  // Find where the sound stops: after that, only silence to the end.
  size_t last = onset;
  for (size_t f = onset; f < s.size() / 2; ++f)
    if (s[2 * f] != 0) last = f;
  const size_t loudFrames = last - onset;
  EXPECT_GT(loudFrames, 3u * 2205u) << "the 50 ms loop did not repeat";
  EXPECT_GT(s.size() / 2 - last, 2205u) << "no silence after the stop";
}

TEST(SoundRecording, VolumeZeroIsSilentAndHalfVolumeIsHalfAsLoud) {
  Recorder recorder;
  if (!recorder.InChild()) return recorder.RunChild();
  soundtest::TempDir dir;
  soundtest::WriteToneWav(dir.Path("tone.wav"), 441, 0.1, 0.5);
  {
    SoundBank bank;
    bank.LoadLoopingSound("Plane_Warning", dir.Path("tone.wav"));
    bank.Play("Plane_Warning");
    bank.SetVolume("Plane_Warning", 0);
    SleepSeconds(0.35);
    bank.SetVolume("Plane_Warning", 128);
    SleepSeconds(0.3);
    bank.Stop("Plane_Warning");
    SleepSeconds(0.05);
  }
  const std::vector<int16_t> s = recorder.Samples();
  const size_t frames = s.size() / 2;
  // The silence runs from the device opening (or from the first mixing
  // buffer, which may go out between Play and SetVolume) until the volume
  // comes back; then the tone plays at half its level.
  size_t back = 0;
  EXPECT_GT(LongestSilence(s, 0, frames, &back), 4410u) << "volume 0 was not silent";
  ASSERT_LT(back + 4410, frames) << "the sound never came back";
  EXPECT_NEAR(PeakOf(s, back, back + 4410), kToneLevel / 2, 2);
  EXPECT_LE(PeakOf(s, back, frames), kToneLevel / 2 + 1);
  size_t fullVolume = 0;
  for (size_t f = 0; f < back; ++f) fullVolume += std::abs(s[2 * f]) > kToneLevel * 3 / 4;
  EXPECT_LE(fullVolume, 1024u) << "more than one mixing buffer at full volume";
}

TEST(SoundRecording, TheTwoMusicLayersStartTogether) {
  Recorder recorder;
  if (!recorder.InChild()) return recorder.RunChild();
  const std::string dir = ZARVO_DATA_DIR;
  SoundPcm light, dark;
  {
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
  }
  const std::vector<int16_t> s = recorder.Samples();
  const size_t frames = s.size() / 2;
  const size_t onset = FirstLoudFrame(s, 0);
  ASSERT_LT(onset + 4096, frames) << "the music was not heard";
  // The mixer adds the two layers with clipping; find the frame where the sum
  // of the two first samples lines up with the recording.
  auto sum = [&](size_t i) {
    return std::clamp(static_cast<int>(light.samples[i]) + dark.samples[i], -32768, 32767);
  };
  bool aligned = false;
  for (size_t start = onset >= 64 ? onset - 64 : 0; start <= onset && !aligned; ++start) {
    aligned = true;
    for (size_t i = 0; i < 8192 && aligned; ++i) aligned = s[2 * start + i] == sum(i);
  }
  EXPECT_TRUE(aligned) << "the recording is not the two layers started at the same frame";
}

}  // namespace
