// The frame loop and the clock. Real-time runs pace themselves to the frame
// rate on an absolute schedule from the performance counter and sleep with
// clock_nanosleep; headless runs take each frame's delta from the driver and
// never sleep. The engine time is the sum of the deltas, so a recorded run
// replays to the same times.
#include <SDL.h>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <ctime>

#include "engine/EngineCore.h"

using engine::CORE;

namespace {

constexpr double kMaxDelta = 0.25;  // a stall or a modal box must not teleport the world

void OnQuitSignal(int) { CORE.quitSignal = 1; }

void AdvanceClock(engine::EngineState& st, double delta) {
  st.delta = static_cast<float>(delta);
  st.time += delta;
  ++st.fpsFrames;
  st.fpsTime += delta;
  if (st.fpsTime >= 1.0) {
    st.fpsShown = static_cast<int>(std::lround(st.fpsFrames / st.fpsTime));
    st.fpsFrames = 0;
    st.fpsTime = 0.0;
  }
}

// Runs one frame's callbacks; true when the frame function asks to stop.
bool RunCallbacks(engine::EngineState& st) {
  if (st.frameFunc()) return true;
  if (st.renderFunc) st.renderFunc();
  return false;
}

// Sleeps until the performance-counter deadline, measured against CLOCK_MONOTONIC.
void SleepUntil(uint64_t deadline, uint64_t freq) {
  const uint64_t now = SDL_GetPerformanceCounter();
  if (deadline <= now) return;
  const double wait = static_cast<double>(deadline - now) / static_cast<double>(freq);
  timespec target;
  clock_gettime(CLOCK_MONOTONIC, &target);
  const long long ns = target.tv_nsec + static_cast<long long>(wait * 1e9);
  target.tv_sec += static_cast<time_t>(ns / 1000000000LL);
  target.tv_nsec = static_cast<long>(ns % 1000000000LL);
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &target, nullptr) == EINTR) {
    if (CORE.quitSignal) return;
  }
}

void RunHeadless(engine::EngineState& st) {
  for (;;) {
    if (CORE.quitSignal) return;
    float delta = 0.0f;
    if (!CORE.driver->NextFrame(&delta)) return;
    if (!std::isfinite(delta) || delta < 0.0f) delta = 0.0f;
    engine::ApplyFrameInput();
    AdvanceClock(st, delta);
    engine::RecordFrame();
    if (RunCallbacks(st)) return;
  }
}

void RunRealTime(engine::EngineState& st) {
  const uint64_t freq = SDL_GetPerformanceFrequency();
  const double period = st.fps > 0 ? static_cast<double>(freq) / st.fps : 0.0;
  uint64_t previous = SDL_GetPerformanceCounter();
  // Frame n of the schedule starts at base + n * period: no drift accumulates.
  uint64_t base = previous;
  uint64_t scheduled = 0;
  bool first = true;
  FrameDriver* playback = engine::PlaybackDriver();
  for (;;) {
    // A replay gives each frame's delta; it ends when its frames run out.
    float recorded = 0.0f;
    if (playback && !playback->NextFrame(&recorded)) return;
    engine::ApplyFrameInput();
    if (st.quitRequested || CORE.quitSignal) return;
    if (st.minimised && !st.dontSuspend) {
      // The clock stands still while the window is minimised.
      SDL_WaitEventTimeout(nullptr, 100);
      previous = base = SDL_GetPerformanceCounter();
      scheduled = 0;
      continue;
    }
    const uint64_t now = SDL_GetPerformanceCounter();
    double delta = first ? 0.0 : static_cast<double>(now - previous) / static_cast<double>(freq);
    if (delta > kMaxDelta) delta = kMaxDelta;
    if (playback) delta = recorded;
    previous = now;
    first = false;
    AdvanceClock(st, delta);
    engine::RecordFrame();
    if (RunCallbacks(st)) return;
    if (period > 0.0) {
      ++scheduled;
      uint64_t deadline = base + static_cast<uint64_t>(scheduled * period);
      const uint64_t after = SDL_GetPerformanceCounter();
      if (after > deadline + static_cast<uint64_t>(period)) {
        // More than a frame behind: start a fresh schedule rather than racing to catch up.
        base = deadline = after;
        scheduled = 0;
      }
      SleepUntil(deadline, freq);
    }
  }
}

}  // namespace

namespace engine {

// SIGINT and SIGTERM end the frame loop (or keep it from starting, during
// loading) so the game's own shutdown still runs and saves what it must.
void InstallQuitHandlers() {
  EngineState& st = *CORE.st;
  CORE.quitSignal = 0;
  struct sigaction sa = {};
  sa.sa_handler = OnQuitSignal;
  sigemptyset(&sa.sa_mask);
  sigaction(SIGINT, &sa, &st.oldSigInt);
  sigaction(SIGTERM, &sa, &st.oldSigTerm);
  st.quitHandlers = true;
}

void RestoreQuitHandlers() {
  EngineState& st = *CORE.st;
  if (!st.quitHandlers) return;
  sigaction(SIGINT, &st.oldSigInt, nullptr);
  sigaction(SIGTERM, &st.oldSigTerm, nullptr);
  st.quitHandlers = false;
}

}  // namespace engine

bool HGE::System_Start() {
  engine::EngineState& st = *CORE.st;
  if (!st.sdlStarted) {
    engine::SetError("System_Start: System_Initiate wasn't called");
    return false;
  }
  if (!st.frameFunc) {
    engine::SetError("System_Start: No frame function defined");
    return false;
  }
  st.running = true;
  if (engine::Headless()) {
    RunHeadless(st);
  } else {
    RunRealTime(st);
  }
  st.running = false;
  // A close or a signal ends this loop only; it is used up.
  st.quitRequested = false;
  CORE.quitSignal = 0;
  return true;
}

float HGE::Timer_GetTime() { return static_cast<float>(CORE.st->time); }
float HGE::Timer_GetDelta() { return CORE.st->delta; }
int HGE::Timer_GetFPS() { return CORE.st->fpsShown; }
