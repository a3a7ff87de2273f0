#include "bench/BenchGame.h"

#include <chrono>

#include "bench/RunFolder.h"
#include "engine/hge.h"
#include "game/Game.h"
#include "game/Globals.h"
#include "game/World.h"
#include "gfx/hgeParticleSystem.h"
#include "tools/autopilot/Autopilot.h"

namespace {

BenchGame* running = nullptr;  // the game whose functions the engine calls

double MicrosSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
      .count();
}

}  // namespace

BenchGame::BenchGame(long frames, int seed, AfterFrame afterFrame)
    : frames_(frames), seed_(seed), afterFrame_(std::move(afterFrame)) {
  frameMicros_.reserve(static_cast<size_t>(frames));
}

void BenchGame::Run() {
  RunFolder folder;
  Autopilot autopilot;
  autopilot.SetPlayer(1, true);
  autopilot.SetPlayer(2, true);
  autopilot.SetMenus(true);
  running = this;
  headless::Enable(this);
  HGE* engine = hgeCreate(HGE_VERSION);  // a hold of our own, to seed before start-up
  engine->Random_Seed(seed_);
  GameMain();
  engine->Release();
  headless::Enable(nullptr);
  running = nullptr;
}

bool BenchGame::NextFrame(float* delta) {
  if (started_ == 0) {
    // The loop has begun: from now on the engine calls the game through the timers.
    hge->System_SetState(HGE_FRAMEFUNC, TimedFrame);
    hge->System_SetState(HGE_RENDERFUNC, TimedRender);
  }
  if (started_ >= frames_) return false;
  ++started_;
  *delta = 1.0f / 60.0f;
  return true;
}

bool BenchGame::TimedFrame() {
  const auto start = std::chrono::steady_clock::now();
  const bool quit = FrameFunc();
  running->frameFuncMicros_ = MicrosSince(start);
  if (quit) running->FrameDone(running->frameFuncMicros_);
  return quit;
}

bool BenchGame::TimedRender() {
  const auto start = std::chrono::steady_clock::now();
  const bool result = RenderFunc();
  running->FrameDone(running->frameFuncMicros_ + MicrosSince(start));
  return result;
}

void BenchGame::FrameDone(double micros) {
  frameMicros_.push_back(micros);
  peakObjects_ = std::max(peakObjects_, objects.size());
  peakEnergyClouds_ = std::max(peakEnergyClouds_, cloudobjects.size());
  peakParticles_ = std::max(peakParticles_, hgeParticleSystem::ParticlesAlive());
  // A game has ended when the title comes back.
  if (GameState == State::TitleMenu && playing_) ++gamesEnded_;
  playing_ = GameState != State::TitleMenu;
  if (afterFrame_) afterFrame_(static_cast<long>(frameMicros_.size()) - 1);
}
