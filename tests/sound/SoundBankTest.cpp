// The sound bank's rules on a silent audio device: lazy opening, loading
// under names (first sample wins, failures give null samples), instances and
// channels, looping, volumes, unknown names, the call log, shutdown, and the
// mend for channel numbers whose sound has finished and been replaced.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <set>

#include "sound/Mixer.h"
#include "sound/SoundBank.h"
#include "tests/sound/SoundTestSupport.h"

namespace {

using soundtest::SleepSeconds;
using soundtest::WaitFor;

class SoundBankTest : public ::testing::Test {
 protected:
  void SetUp() override {
    soundtest::UseSilentDriver();
    tone_ = dir_.Path("tone.wav");
    other_ = dir_.Path("other.wav");
    blip_ = dir_.Path("blip.wav");
    soundtest::WriteToneWav(tone_, 440, 0.3, 0.5);
    soundtest::WriteToneWav(other_, 660, 0.3, 0.5);
    soundtest::WriteToneWav(blip_, 880, 0.04, 0.5);
    bank_ = std::make_unique<SoundBank>();
    mixer::HaltAll();  // whatever an earlier test left sounding
  }
  void TearDown() override { bank_.reset(); }

  // Nothing else of the test's is sounding: every channel is free.
  static bool AllQuiet() {
    for (int c = 0; c < mixer::kChannels; ++c)
      if (mixer::Playing(c)) return false;
    return true;
  }

  soundtest::TempDir dir_;
  std::string tone_, other_, blip_;
  std::unique_ptr<SoundBank> bank_;
};

TEST_F(SoundBankTest, StartsEmptyAndLoadingEntersBothMaps) {
  EXPECT_EQ(bank_->loadSlot, 0);
  EXPECT_TRUE(bank_->samples.empty());
  EXPECT_TRUE(bank_->channels.empty());
  bank_->LoadSound("Thunder", tone_);
  EXPECT_EQ(bank_->loadSlot, -1);
  ASSERT_EQ(bank_->samples.count("Thunder"), 1u);
  EXPECT_NE(bank_->samples["Thunder"], nullptr);
  EXPECT_EQ(bank_->channels.at("Thunder"), -1);
  EXPECT_TRUE(mixer::IsOpen());
}

TEST(SoundBankDevice, MakingABankDoesNotOpenTheDevice) {
  if (soundtest::RanInChildProcess("SDL_AUDIODRIVER=dummy")) return;
  ASSERT_FALSE(mixer::IsOpen());
  SoundBank bank;
  EXPECT_FALSE(mixer::IsOpen());
  bank.Stop("Thunder");
  bank.SetVolume("Thunder", 10);
  EXPECT_FALSE(mixer::IsOpen());
}

TEST_F(SoundBankTest, GameFileNamesWithBackslashesAreFound) {
  std::string withBackslash = tone_;
  withBackslash[withBackslash.rfind('/')] = '\\';
  bank_->LoadSound("Thunder", withBackslash);
  EXPECT_NE(bank_->samples.at("Thunder"), nullptr);
}

TEST_F(SoundBankTest, SecondLoadUnderTheSameNameKeepsTheFirstSample) {
  bank_->LoadSound("Thunder", tone_);
  Mix_Chunk* first = bank_->samples.at("Thunder");
  bank_->Play("Thunder");
  const int channel = bank_->channels.at("Thunder");
  bank_->LoadSound("Thunder", other_);
  EXPECT_EQ(bank_->loadSlot, -1);
  EXPECT_EQ(bank_->samples.at("Thunder"), first);
  EXPECT_EQ(bank_->channels.at("Thunder"), channel) << "the channel entry is untouched too";
  EXPECT_EQ(bank_->samples.size(), 1u);
}

TEST_F(SoundBankTest, AFileThatFailsToLoadGivesANullSampleThatPlaysNothing) {
  const std::string garbage = dir_.Path("garbage.wav");
  std::ofstream(garbage) << "RIFF this is not a sound file at all";
  bank_->LoadSound("Missing", dir_.Path("no-such-file.wav"));
  bank_->LoadLoopingSound("Garbage", garbage);
  EXPECT_EQ(bank_->samples.at("Missing"), nullptr);
  EXPECT_EQ(bank_->samples.at("Garbage"), nullptr);
  bank_->Play("Missing");
  bank_->Play("Garbage");
  EXPECT_EQ(bank_->channels.at("Missing"), -1);
  EXPECT_EQ(bank_->channels.at("Garbage"), -1);
  EXPECT_TRUE(AllQuiet());
  bank_->Stop("Missing");  // channel -1: nothing happens
  bank_->SetVolume("Garbage", 50);
}

TEST_F(SoundBankTest, PlayingTwiceStartsTwoInstancesAndStopReachesOnlyTheNewest) {
  bank_->LoadSound("Thunder", tone_);
  bank_->Play("Thunder");
  const int first = bank_->channels.at("Thunder");
  bank_->Play("Thunder");
  const int second = bank_->channels.at("Thunder");
  ASSERT_GE(first, 0);
  ASSERT_GE(second, 0);
  EXPECT_NE(first, second);
  EXPECT_TRUE(mixer::Playing(first));
  EXPECT_TRUE(mixer::Playing(second));
  bank_->SetVolume("Thunder", 0);
  EXPECT_EQ(mixer::ChannelVolume(second), 0);
  EXPECT_EQ(mixer::ChannelVolume(first), 128) << "only the newest instance is reached";
  bank_->Stop("Thunder");
  EXPECT_FALSE(mixer::Playing(second));
  EXPECT_TRUE(mixer::Playing(first)) << "the older instance plays on";
}

TEST_F(SoundBankTest, StopBeforeAnyPlayDoesNothing) {
  bank_->LoadSound("Dead2", tone_);
  bank_->LoadLoopingSound("Rain_Loop_04", other_);
  bank_->Play("Rain_Loop_04");
  const int rain = bank_->channels.at("Rain_Loop_04");
  bank_->Stop("Dead2");
  bank_->SetVolume("Dead2", 0);
  EXPECT_EQ(bank_->channels.at("Dead2"), -1);
  EXPECT_TRUE(mixer::Playing(rain));
  EXPECT_EQ(mixer::ChannelVolume(rain), 128);
}

TEST_F(SoundBankTest, UnknownNamesDoNothing) {
  bank_->LoadLoopingSound("Fire", tone_);
  bank_->Play("Fire");
  const int fire = bank_->channels.at("Fire");
  bank_->Play("Nobody");
  bank_->Stop("Nobody");
  bank_->SetVolume("Nobody", 0);
  EXPECT_EQ(bank_->channels.count("Nobody"), 0u);
  EXPECT_EQ(bank_->samples.count("Nobody"), 0u);
  EXPECT_TRUE(mixer::Playing(fire));
  EXPECT_EQ(mixer::ChannelVolume(fire), 128);
}

TEST_F(SoundBankTest, LoopingSoundsLoopUntilStoppedAndOneShotsEnd) {
  bank_->LoadLoopingSound("Plane_Warning", blip_);
  bank_->LoadSound("Dead", blip_);
  bank_->Play("Plane_Warning");
  bank_->Play("Dead");
  const int loop = bank_->channels.at("Plane_Warning");
  const int shot = bank_->channels.at("Dead");
  // The blip lasts 40 ms: the one-shot ends, the loop goes on.
  EXPECT_TRUE(WaitFor([&] { return !mixer::Playing(shot); }, 3.0));
  SleepSeconds(0.1);
  EXPECT_TRUE(mixer::Playing(loop));
  bank_->Stop("Plane_Warning");
  EXPECT_FALSE(mixer::Playing(loop));
}

TEST_F(SoundBankTest, VolumeMapsOntoTheMixerScaleRounded) {
  bank_->LoadLoopingSound("Rain_Loop_04", tone_);
  bank_->Play("Rain_Loop_04");
  const int channel = bank_->channels.at("Rain_Loop_04");
  const std::pair<int, int> cases[] = {{255, 128}, {0, 0}, {100, 50},  {60, 30},   {128, 64},
                                       {1, 1},     {2, 1}, {254, 127}, {300, 128}, {-4, 0}};
  for (const auto& [volume, mixed] : cases) {
    bank_->SetVolume("Rain_Loop_04", volume);
    EXPECT_EQ(mixer::ChannelVolume(channel), mixed) << "volume " << volume;
  }
}

TEST_F(SoundBankTest, ANewInstanceStartsAtTheVolumeLastSetForItsName) {
  ASSERT_TRUE(WaitFor(AllQuiet, 3.0));
  bank_->LoadSound("GainRank", tone_);
  bank_->LoadSound("Dead", blip_);
  bank_->Play("GainRank");
  const int first = bank_->channels.at("GainRank");
  bank_->SetVolume("GainRank", 100);
  EXPECT_EQ(mixer::ChannelVolume(first), 50);
  bank_->Play("GainRank");
  EXPECT_EQ(mixer::ChannelVolume(bank_->channels.at("GainRank")), 50) << "no loud first buffer";
  bank_->Stop("GainRank");
  // The mixer keeps a channel's volume after its sound ends; a sound never
  // given a volume starts there at full volume.
  ASSERT_TRUE(WaitFor([&] { return !mixer::Playing(first); }, 3.0));
  bank_->Play("Dead");
  ASSERT_EQ(bank_->channels.at("Dead"), first);
  EXPECT_EQ(mixer::ChannelVolume(first), 128);
}

TEST_F(SoundBankTest, AStaleChannelNeverReachesTheSoundNowPlayingThere) {
  ASSERT_TRUE(WaitFor(AllQuiet, 3.0));
  bank_->LoadSound("Dead", blip_);
  bank_->LoadLoopingSound("Rain_Loop_04", tone_);
  bank_->Play("Dead");
  const int channel = bank_->channels.at("Dead");
  ASSERT_GE(channel, 0);
  ASSERT_TRUE(WaitFor([&] { return !mixer::Playing(channel); }, 3.0));
  // The finished blip's channel is the first free one again: the rain takes it.
  bank_->Play("Rain_Loop_04");
  ASSERT_EQ(bank_->channels.at("Rain_Loop_04"), channel);
  bank_->SetVolume("Dead", 0);
  EXPECT_EQ(mixer::ChannelVolume(channel), 128);
  bank_->Stop("Dead");
  EXPECT_TRUE(mixer::Playing(channel));
  // The rain itself is still reached through its own name.
  bank_->SetVolume("Rain_Loop_04", 60);
  EXPECT_EQ(mixer::ChannelVolume(channel), 30);
  bank_->Stop("Rain_Loop_04");
  EXPECT_FALSE(mixer::Playing(channel));
}

TEST_F(SoundBankTest, AStaleChannelOfTheSameNameIsNotTheNewInstance) {
  // A blip ends; while it is silent another sound takes its channel, and the
  // blip is played again on the next free channel: its name now reaches only
  // that new instance.
  ASSERT_TRUE(WaitFor(AllQuiet, 3.0));
  bank_->LoadSound("Dead", blip_);
  bank_->LoadLoopingSound("Fire", tone_);
  bank_->Play("Dead");
  const int old = bank_->channels.at("Dead");
  ASSERT_TRUE(WaitFor([&] { return !mixer::Playing(old); }, 3.0));
  bank_->Play("Fire");
  ASSERT_EQ(bank_->channels.at("Fire"), old);
  bank_->Play("Dead");
  EXPECT_NE(bank_->channels.at("Dead"), old);
  bank_->Stop("Dead");
  EXPECT_TRUE(mixer::Playing(old));
}

TEST_F(SoundBankTest, TheCallLogListsPlaysAndStopsButNotVolumes) {
  std::vector<std::string> log;
  bank_->callLog = &log;
  bank_->LoadSound("Thunder", tone_);
  bank_->Play("Thunder");
  bank_->SetVolume("Thunder", 100);
  bank_->Stop("Thunder");
  bank_->Stop("Dead2");
  bank_->Play("Nobody");
  const std::vector<std::string> expected = {"Play Thunder", "Stop Thunder", "Stop Dead2",
                                             "Play Nobody"};
  EXPECT_EQ(log, expected);
}

TEST_F(SoundBankTest, DestroyingTheBankStopsEverySound) {
  ASSERT_TRUE(mixer::Acquire());  // keep the device open to look at the channels
  bank_->LoadLoopingSound("GameMusic", tone_);
  bank_->LoadSound("Thunder", tone_);
  bank_->Play("GameMusic");
  bank_->Play("Thunder");
  const int music = bank_->channels.at("GameMusic");
  const int thunder = bank_->channels.at("Thunder");
  bank_.reset();
  EXPECT_FALSE(mixer::Playing(music));
  EXPECT_FALSE(mixer::Playing(thunder));
  mixer::Release();
}

TEST_F(SoundBankTest, ThirtyTwoSoundsAtOnceAndNoMore) {
  bank_->LoadLoopingSound("Fire", tone_);
  std::set<int> used;
  for (int i = 0; i < mixer::kChannels; ++i) {
    bank_->Play("Fire");
    used.insert(bank_->channels.at("Fire"));
  }
  EXPECT_EQ(used.size(), static_cast<size_t>(mixer::kChannels));
  EXPECT_EQ(used.count(-1), 0u);
  bank_->Play("Fire");
  EXPECT_EQ(bank_->channels.at("Fire"), -1) << "no free channel left";
  bank_->Stop("Fire");  // channel -1: nothing
  EXPECT_TRUE(mixer::Playing(*used.rbegin()));
}

TEST(SoundBankDevice, WithNoAudioDeviceTheGameRunsSilent) {
  if (soundtest::RanInChildProcess("SDL_AUDIODRIVER=nosuchdriver")) return;
  soundtest::TempDir dir;
  soundtest::WriteToneWav(dir.Path("tone.wav"), 440, 0.1, 0.5);
  SoundBank bank;
  std::vector<std::string> log;
  bank.callLog = &log;
  bank.LoadSound("Thunder", dir.Path("tone.wav"));
  bank.LoadLoopingSound("Rain_Loop_04", dir.Path("tone.wav"));
  EXPECT_FALSE(mixer::IsOpen());
  EXPECT_EQ(bank.samples.at("Thunder"), nullptr);
  EXPECT_EQ(bank.channels.at("Rain_Loop_04"), -1);
  bank.Play("Thunder");
  bank.Play("Rain_Loop_04");
  bank.SetVolume("Rain_Loop_04", 60);
  bank.Stop("Rain_Loop_04");
  EXPECT_EQ(bank.channels.at("Thunder"), -1);
  EXPECT_EQ(log.size(), 3u);
}

}  // namespace
