// Fixture files, driver choice and the recording child process of the sound
// tests. The child is this same test binary, filtered to the one test, with
// SDL's disk driver pointed at a file in the parent's temporary folder.
#include "tests/sound/SoundTestSupport.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>

#include "sound/Mixer.h"

namespace soundtest {

namespace fs = std::filesystem;

namespace {

const char kChildVariable[] = "ZARVO_SOUND_CHILD";
const char kRecordingVariable[] = "ZARVO_SOUND_RECORDING";

void Put16(std::ofstream& f, uint16_t v) {
  const char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
  f.write(b, 2);
}

void Put32(std::ofstream& f, uint32_t v) {
  Put16(f, static_cast<uint16_t>(v & 0xFFFF));
  Put16(f, static_cast<uint16_t>(v >> 16));
}

std::string ReadAll(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

}  // namespace

void UseSilentDriver() {
  if (!mixer::IsOpen()) setenv("SDL_AUDIODRIVER", "dummy", 1);
}

void WriteToneWav(const std::string& path, double hz, double seconds, double amplitude) {
  const uint32_t frames = static_cast<uint32_t>(std::lround(seconds * 44100));
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write("RIFF", 4);
  Put32(f, 36 + frames * 2);
  f.write("WAVEfmt ", 8);
  Put32(f, 16);
  Put16(f, 1);
  Put16(f, 1);
  Put32(f, 44100);
  Put32(f, 44100 * 2);
  Put16(f, 2);
  Put16(f, 16);
  f.write("data", 4);
  Put32(f, frames * 2);
  for (uint32_t i = 0; i < frames; ++i) {
    const double v = amplitude * std::sin(2.0 * M_PI * hz * i / 44100.0);
    Put16(f, static_cast<uint16_t>(static_cast<int16_t>(std::lround(v * 32767.0))));
  }
}

TempDir::TempDir() {
  std::random_device seed;
  dir_ = fs::temp_directory_path() /
         ("zarvo-sound-" + std::to_string(getpid()) + "-" + std::to_string(seed()));
  fs::create_directories(dir_);
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::remove_all(dir_, ignored);
}

void SleepSeconds(double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

bool RanInChildProcess(const std::string& environment) {
  if (std::getenv(kChildVariable)) return false;
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string filter = std::string(test->test_suite_name()) + "." + test->name();
  char exe[4096];
  const ssize_t len = readlink("/proc/self/exe", exe, sizeof(exe) - 1);
  EXPECT_GT(len, 0);
  if (len <= 0) return true;
  exe[len] = '\0';
  TempDir dir;
  const std::string log = dir.Path("child.log");
  const std::string command = std::string(kChildVariable) + "=1 " + environment + " '" + exe +
                              "' --gtest_filter='" + filter + "' > '" + log + "' 2>&1";
  const int status = std::system(command.c_str());
  const std::string output = ReadAll(log);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
  EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
  return true;
}

Recorder::Recorder() {
  const char* file = std::getenv(kRecordingVariable);
  inChild_ = file != nullptr;
  if (inChild_) file_ = file;
}

void Recorder::RunChild() {
  TempDir dir;
  const std::string recording = dir.Path("mixed.raw");
  RanInChildProcess(std::string(kRecordingVariable) + "='" + recording +
                    "' SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE='" + recording + "'");
}

std::vector<int16_t> Recorder::Samples() const {
  const std::string bytes = ReadAll(file_);
  std::vector<int16_t> out(bytes.size() / 2);
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                  (static_cast<uint8_t>(bytes[2 * i + 1]) << 8));
  return out;
}

int PeakOf(const std::vector<int16_t>& s, size_t fromFrame, size_t toFrame) {
  int peak = 0;
  for (size_t i = fromFrame * 2; i < std::min(toFrame * 2, s.size()); ++i)
    peak = std::max(peak, std::abs(static_cast<int>(s[i])));
  return peak;
}

size_t FirstLoudFrame(const std::vector<int16_t>& s, size_t from, int threshold) {
  const size_t frames = s.size() / 2;
  for (size_t f = from; f < frames; ++f)
    if (std::abs(s[2 * f]) > threshold || std::abs(s[2 * f + 1]) > threshold) return f;
  return frames;
}

size_t LongestSilence(const std::vector<int16_t>& s, size_t fromFrame, size_t toFrame,
                      size_t* end) {
  size_t best = 0, run = 0, bestEnd = fromFrame;
  for (size_t f = fromFrame; f < std::min(toFrame, s.size() / 2); ++f) {
    run = (s[2 * f] == 0 && s[2 * f + 1] == 0) ? run + 1 : 0;
    if (run > best) {
      best = run;
      bestEnd = f + 1;
    }
  }
  if (end) *end = bestEnd;
  return best;
}

}  // namespace soundtest
