// Shared pieces of the sound tests: small WAV files made on the spot, SDL's
// silent audio driver, and running a test again in a child process (this same
// binary) whose audio goes to a file, so that what the mixer produced can be read.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>

#include "sound/Mixer.h"
#include "tests/engine/EngineTestSupport.h"

namespace soundtest {

// Tests never play through real speakers; a device already open stays as it is.
inline void UseSilentDriver() {
  if (!mixer::IsOpen()) setenv("SDL_AUDIODRIVER", "dummy", 1);
}

// Writes a 16-bit mono WAV of a sine at hz (amplitude 0..1) lasting seconds.
inline void WriteToneWav(const std::string& path, double hz, double seconds, double amplitude) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  auto put = [&f](uint32_t v, int bytes) {  // little-endian
    for (int i = 0; i < bytes; ++i) f.put(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  const uint32_t frames = static_cast<uint32_t>(std::lround(seconds * 44100));
  f.write("RIFF", 4);
  put(36 + frames * 2, 4);
  f.write("WAVEfmt ", 8);
  // The format: 16 bytes of PCM, mono, 44100 frames of 2 bytes a second, 16 bits.
  const std::pair<uint32_t, int> format[] = {{16, 4},    {1, 2}, {1, 2}, {44100, 4},
                                             {88200, 4}, {2, 2}, {16, 2}};
  for (const auto& [value, bytes] : format) put(value, bytes);
  f.write("data", 4);
  put(frames * 2, 4);
  for (uint32_t i = 0; i < frames; ++i) {
    const double v = amplitude * std::sin(2.0 * M_PI * hz * i / 44100.0);
    put(static_cast<uint16_t>(static_cast<int16_t>(std::lround(v * 32767.0))), 2);
  }
}

inline void SleepSeconds(double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// Polls until pred holds or the timeout passes; true when it held.
template <typename Pred>
bool WaitFor(Pred pred, double seconds) {
  for (double waited = 0; waited < seconds && !pred(); waited += 0.005) SleepSeconds(0.005);
  return pred();
}

// Runs the current test again in a fresh process (which picks its own audio
// driver and finds the device closed) with the extra environment given
// ("NAME='value' ...") and expects it to pass. True in the test process, which
// should then return; false in the child, which does the test's work.
inline bool RanInChildProcess(const std::string& environment) {
  if (std::getenv("ZARVO_SOUND_CHILD")) return false;
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string filter = std::string(test->test_suite_name()) + "." + test->name();
  const std::string log = TestFolder("sound-child") + "/child.log";
  const std::string command = "ZARVO_SOUND_CHILD=1 " + environment + " '" +
                              std::filesystem::read_symlink("/proc/self/exe").string() +
                              "' --gtest_filter='" + filter + "' > '" + log + "' 2>&1";
  const int status = std::system(command.c_str());
  const std::string output = ReadFile(log);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
  EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
  return true;
}

// Runs the current test in a child process whose mixer output goes to a file.
// Nothing in the test process, which should then return; in the child, `play`
// does the work and closes its banks, and the stereo 16-bit frames mixed come back.
inline std::optional<std::vector<int16_t>> Record(const std::function<void()>& play) {
  const char* file = std::getenv("ZARVO_SOUND_RECORDING");
  if (!file) {
    const std::string raw = TestFolder("sound-recording") + "/mixed.raw";
    RanInChildProcess("ZARVO_SOUND_RECORDING='" + raw +
                      "' SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE='" + raw + "'");
    return std::nullopt;
  }
  play();
  const std::string bytes = ReadFile(file);
  std::vector<int16_t> out(bytes.size() / 2);
  memcpy(out.data(), bytes.data(), out.size() * 2);  // both little-endian
  return out;
}

// Helpers over interleaved stereo frames.
inline int PeakOf(const std::vector<int16_t>& s, size_t fromFrame, size_t toFrame) {
  int peak = 0;
  for (size_t i = fromFrame * 2; i < std::min(toFrame * 2, s.size()); ++i)
    peak = std::max(peak, std::abs(static_cast<int>(s[i])));
  return peak;
}

// First frame at or after `from` with any sample whose size exceeds threshold;
// the frame count when there is none.
inline size_t FirstLoudFrame(const std::vector<int16_t>& s, size_t from, int threshold = 0) {
  const size_t frames = s.size() / 2;
  for (size_t f = from; f < frames; ++f)
    if (std::abs(s[2 * f]) > threshold || std::abs(s[2 * f + 1]) > threshold) return f;
  return frames;
}

}  // namespace soundtest
