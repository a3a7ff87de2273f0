// The benchmarks' game: the real game, headless and seeded, played from the
// title on by two autopilots that also answer every menu, at 60 frames per
// second of game time. The game's own frame and render functions are timed
// every frame (the autopilot and the engine's loop are not), and the peak
// numbers of world objects and live particles are kept.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "engine/Platform.h"

class BenchGame : public FrameDriver {
 public:
  // Called after each frame with its number (from 0) while the engine runs:
  // the frame just recorded is the engine's last complete frame.
  using AfterFrame = std::function<void(long frame)>;

  BenchGame(long frames, int seed, AfterFrame afterFrame = nullptr);

  // Plays the whole game, start-up and shutdown included, in a RunFolder.
  void Run();

  const std::vector<double>& frameMicros() const { return frameMicros_; }
  size_t peakObjects() const { return peakObjects_; }
  size_t peakEnergyClouds() const { return peakEnergyClouds_; }
  long peakParticles() const { return peakParticles_; }
  long gamesEnded() const { return gamesEnded_; }

  bool NextFrame(float* delta) override;

 private:
  static bool TimedFrame();
  static bool TimedRender();
  void FrameDone(double micros);

  long frames_;
  int seed_;
  AfterFrame afterFrame_;
  long started_ = 0;
  double frameFuncMicros_ = 0.0;
  std::vector<double> frameMicros_;
  size_t peakObjects_ = 0, peakEnergyClouds_ = 0;
  long peakParticles_ = 0;
  long gamesEnded_ = 0;
  bool playing_ = false;
};
