// Shared pieces of the sound tests: a private folder of small WAV files made
// on the spot, the choice of SDL's silent audio drivers, and running a test
// again in a child process whose audio goes to a file (SDL's "disk" driver),
// so that what the mixer produced can be read back and measured.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace soundtest {

// Uses the "dummy" driver unless the device is already open (then whatever it
// runs on stays). Tests never play through real speakers.
void UseSilentDriver();

// Writes a 16-bit mono WAV of a sine at hz (amplitude 0..1) lasting seconds.
void WriteToneWav(const std::string& path, double hz, double seconds, double amplitude);

// A folder of its own under the temp directory, removed with its contents.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

 private:
  std::filesystem::path dir_;
};

// Polls until pred holds or the timeout passes; true when it held.
template <typename Pred>
bool WaitFor(Pred pred, double seconds);
void SleepSeconds(double seconds);

// Runs the current test again in a fresh process with the extra environment
// settings given ("NAME='value' ..."), and expects that run to pass. Returns
// true in the test process, which should then return; false in the child,
// which does the test's work (a process of its own can pick its audio driver
// and find the device closed, whatever other tests did before).
bool RanInChildProcess(const std::string& environment);

// A test that records the mixer's output. In the test process, Run() starts
// the same test in a child process with the "disk" driver writing to a file
// and checks that the child passed; Recording() is false there and the test
// returns. In the child, Recording() is true and the test does its work,
// then calls Samples() after closing its banks to read what was mixed.
class Recorder {
 public:
  Recorder();
  bool InChild() const { return inChild_; }
  // Parent side: runs the child and expects it to pass.
  void RunChild();
  // Child side: the interleaved stereo 16-bit frames written so far (the
  // device must be closed first for the file to be complete).
  std::vector<int16_t> Samples() const;

 private:
  bool inChild_;
  std::string file_;
};

// Helpers over interleaved stereo frames.
int PeakOf(const std::vector<int16_t>& s, size_t fromFrame, size_t toFrame);
// First frame at or after `from` with any sample whose size exceeds threshold;
// the frame count when there is none.
size_t FirstLoudFrame(const std::vector<int16_t>& s, size_t from, int threshold = 0);
// Longest run of frames that are all exactly zero, between from and to; the
// frame just after the run goes to *end when given.
size_t LongestSilence(const std::vector<int16_t>& s, size_t fromFrame, size_t toFrame,
                      size_t* end = nullptr);

template <typename Pred>
bool WaitFor(Pred pred, double seconds) {
  for (double waited = 0; waited < seconds; waited += 0.005) {
    if (pred()) return true;
    SleepSeconds(0.005);
  }
  return pred();
}

}  // namespace soundtest
