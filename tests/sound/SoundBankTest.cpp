// The sound bank's rules on a silent audio device: loading under names (first
// sample wins, failures give null samples), instances and channels, looping,
// volumes, unknown names, the call log, shutdown, a device that cannot open,
// and the mend for channels whose sound has finished and been replaced.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "sound/Mixer.h"
#include "sound/SoundBank.h"
#include "tests/SimRunner.h"
#include "tests/sound/SoundTestSupport.h"

namespace {

using soundtest::WaitFor;

class SoundBankTest : public ::testing::Test {
 protected:
  void SetUp() override {
    soundtest::UseSilentDriver();
    soundtest::WriteToneWav(tone_, 440, 0.3, 0.5);
    soundtest::WriteToneWav(other_, 660, 0.3, 0.5);
    soundtest::WriteToneWav(blip_, 880, 0.04, 0.5);
    bank_ = std::make_unique<SoundBank>();
    mixer::HaltAll();  // whatever an earlier test left sounding
  }

  // Nothing else of the test's is sounding: every channel is free.
  static bool AllQuiet() {
    for (int c = 0; c < mixer::kChannels; ++c)
      if (mixer::Playing(c)) return false;
    return true;
  }

  const std::string dir_ = TestFolder("sound");
  const std::string tone_ = dir_ + "/tone.wav", other_ = dir_ + "/other.wav";
  const std::string blip_ = dir_ + "/blip.wav";
  std::unique_ptr<SoundBank> bank_;
};

TEST_F(SoundBankTest, LoadingKeepsANamesFirstSampleAndEachPlayIsANewInstance) {
  std::string withBackslash = tone_;  // as the game names its files
  withBackslash[withBackslash.rfind('/')] = '\\';
  bank_->LoadSound("Thunder", withBackslash);
  Mix_Chunk* sample = bank_->samples.at("Thunder");
  EXPECT_NE(sample, nullptr);
  EXPECT_EQ(bank_->channels.at("Thunder"), -1);
  EXPECT_TRUE(mixer::IsOpen());
  bank_->Play("Thunder");
  const int first = bank_->channels.at("Thunder");
  bank_->LoadSound("Thunder", other_);
  EXPECT_EQ(bank_->samples.at("Thunder"), sample);
  EXPECT_EQ(bank_->channels.at("Thunder"), first) << "the channel entry is untouched too";
  EXPECT_EQ(bank_->samples.size(), 1u);
  bank_->Play("Thunder");
  const int second = bank_->channels.at("Thunder");
  ASSERT_GE(first, 0);
  ASSERT_GE(second, 0);
  EXPECT_NE(first, second);
  EXPECT_TRUE(mixer::Playing(first));
  bank_->SetVolume("Thunder", 0);
  EXPECT_EQ(mixer::ChannelVolume(second), 0);
  EXPECT_EQ(mixer::ChannelVolume(first), 128) << "only the newest instance is reached";
  bank_->Stop("Thunder");
  EXPECT_FALSE(mixer::Playing(second));
  EXPECT_TRUE(mixer::Playing(first)) << "the older instance plays on";
}

TEST_F(SoundBankTest, FailedLoadsUnknownNamesAndUnplayedSoundsDoNothingButAreLogged) {
  std::vector<std::string> log;
  bank_->callLog = &log;
  const std::string garbage = dir_ + "/garbage.wav";
  std::ofstream(garbage) << "RIFF this is not a sound file at all";
  bank_->LoadSound("Missing", dir_ + "/no-such-file.wav");
  bank_->LoadLoopingSound("Garbage", garbage);
  bank_->LoadSound("Dead2", tone_);
  bank_->LoadLoopingSound("Fire", other_);
  EXPECT_EQ(bank_->samples.at("Missing"), nullptr);
  EXPECT_EQ(bank_->samples.at("Garbage"), nullptr);
  bank_->Play("Fire");
  const int fire = bank_->channels.at("Fire");
  for (const char* name : {"Missing", "Garbage", "Nobody"}) bank_->Play(name);
  for (const char* name : {"Missing", "Garbage", "Nobody", "Dead2"}) {
    bank_->Stop(name);
    bank_->SetVolume(name, 0);
    EXPECT_EQ(bank_->channels.count(name) ? bank_->channels.at(name) : -1, -1) << name;
  }
  EXPECT_EQ(bank_->samples.count("Nobody"), 0u);
  for (int c = 0; c < mixer::kChannels; ++c) EXPECT_EQ(mixer::Playing(c), c == fire) << c;
  EXPECT_EQ(mixer::ChannelVolume(fire), 128);
  // The call log lists every play and stop, of known names or not, but no volumes.
  EXPECT_EQ(
      log, (std::vector<std::string>{"Play Fire", "Play Missing", "Play Garbage", "Play Nobody",
                                     "Stop Missing", "Stop Garbage", "Stop Nobody", "Stop Dead2"}));
}

TEST_F(SoundBankTest, AFinishedSoundsChannelReachesOnlyWhatPlaysThereNowAtItsVolume) {
  ASSERT_TRUE(WaitFor(AllQuiet, 3.0));
  bank_->LoadSound("Dead", blip_);
  bank_->LoadLoopingSound("Rain_Loop_04", blip_);
  bank_->SetVolume("Dead", 100);
  bank_->Play("Dead");
  const int old = bank_->channels.at("Dead");
  ASSERT_GE(old, 0);
  EXPECT_EQ(mixer::ChannelVolume(old), 50) << "a new instance starts at its name's volume";
  ASSERT_TRUE(WaitFor([&] { return !mixer::Playing(old); }, 3.0)) << "a one-shot ends";
  // The finished blip's channel is the first free one again: the rain takes it,
  // at full volume though the mixer kept the blip's volume there.
  bank_->Play("Rain_Loop_04");
  ASSERT_EQ(bank_->channels.at("Rain_Loop_04"), old);
  EXPECT_EQ(mixer::ChannelVolume(old), 128);
  bank_->SetVolume("Dead", 0);
  bank_->Stop("Dead");
  EXPECT_TRUE(mixer::Playing(old));
  EXPECT_EQ(mixer::ChannelVolume(old), 128);
  // Played again, the blip starts at the volume its name was given meanwhile.
  bank_->Play("Dead");
  EXPECT_EQ(mixer::ChannelVolume(bank_->channels.at("Dead")), 0);
  // The rain, a 40 ms loop, plays on until stopped through its own name, which
  // sets its volume too: 0..255 onto the mixer's 0..128, rounded.
  soundtest::SleepSeconds(0.1);
  EXPECT_TRUE(mixer::Playing(old));
  const std::pair<int, int> volumes[] = {{255, 128}, {0, 0},     {1, 1}, {2, 1},
                                         {254, 127}, {300, 128}, {-4, 0}};
  for (const auto& [volume, mixed] : volumes) {
    bank_->SetVolume("Rain_Loop_04", volume);
    EXPECT_EQ(mixer::ChannelVolume(old), mixed) << "volume " << volume;
  }
  bank_->Stop("Rain_Loop_04");
  EXPECT_FALSE(mixer::Playing(old));
}

TEST_F(SoundBankTest, ThirtyTwoSoundsAtOnceAndDestroyingTheBankStopsThemAll) {
  ASSERT_TRUE(mixer::Acquire());  // keep the device open to look at the channels
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
  bank_.reset();
  EXPECT_TRUE(AllQuiet());
  mixer::Release();
}

// In a process of its own, where the device starts closed.
TEST(SoundBankDevice, WithNoAudioDeviceTheGameRunsSilent) {
  if (soundtest::RanInChildProcess("SDL_AUDIODRIVER=nosuchdriver")) return;
  const std::string tone = TestFolder("no-device") + "/tone.wav";
  soundtest::WriteToneWav(tone, 440, 0.1, 0.5);
  SoundBank bank;
  std::vector<std::string> log;
  bank.callLog = &log;
  bank.LoadSound("Thunder", tone);
  bank.LoadLoopingSound("Rain_Loop_04", tone);
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

// ALSA finding no device (an empty configuration) is loud; the game says it in one line.
TEST(SoundBankDevice, WithNoAudioDeviceTheGameSaysSoOnceInsteadOfTheLibrary) {
  SimOptions options;
  options.audioDriver = "alsa ALSA_CONFIG_PATH=/dev/null";
  const SimResult r = RunSimWith("frames 1\n", options);
  EXPECT_EQ(r.errors.rfind("No sound device (", 0), 0u) << r.errors;
  EXPECT_EQ(r.errors.find('\n'), r.errors.size() - 1) << r.errors;  // its only line
  EXPECT_NE(ReadFile(r.dir + "/hgeLog.txt").find(r.errors), std::string::npos);
}

}  // namespace
