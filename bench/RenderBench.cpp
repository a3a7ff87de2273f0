// zarvo-bench-render: what drawing the busiest frames of a game costs at
// 1024 x 768, through SDL's software renderer and through OpenGL (where the
// offscreen video driver has it: here Mesa's llvmpipe, a software rasteriser).
//
// Each renderer gets a process of its own that plays the seeded two-autopilot
// game of zarvo-bench-logic, drawing one frame a second as a window would
// (every picture then decoded and uploaded, as in play). The busiest frame of
// every ten seconds (most quads) is kept and, at the end of its ten seconds
// while its textures still exist, drawn again and timed: as the engine draws
// (same-texture quads batched into one SDL_RenderGeometry call) and as a
// plain SDL game draws (one SDL_RenderCopy or SDL_RenderCopyEx per sprite),
// if it is among the busiest so far. Each drawing ends by reading one pixel
// back, so the renderer's work is done. The figures come from the busiest.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchGame.h"
#include "bench/Figures.h"
#include "engine/Platform.h"

namespace {

constexpr long kFrames = 10 * 60 * 60;
constexpr long kWindowFrames = 10 * 60;  // the busiest frame of each ten seconds is timed
constexpr size_t kBusiest = 16;          // the figures come from this many busiest frames
constexpr int kRounds = 8;               // timed drawings of a frame, each way

struct Timed {
  size_t quads = 0;
  int calls = 0, unbatchedCalls = 0;
  std::vector<double> ms, unbatchedMs;
};

bool ByQuads(const Timed& a, const Timed& b) { return a.quads < b.quads; }

double Millis(double from) { return (MonotonicSeconds() - from) * 1000.0; }

Timed TimeKeptFrame(size_t quads) {
  Timed t;
  t.quads = quads;
  drawbench::DrawKeptFrame(true);  // first drawings: uploads, caches
  drawbench::DrawKeptFrame(false);
  for (int round = 0; round < kRounds; ++round) {
    double start = MonotonicSeconds();
    t.calls = drawbench::DrawKeptFrame(true);
    t.ms.push_back(Millis(start));
    start = MonotonicSeconds();
    t.unbatchedCalls = drawbench::DrawKeptFrame(false);
    t.unbatchedMs.push_back(Millis(start));
  }
  return t;
}

// Plays the game with one renderer and prints its figures (the drawings once
// a second too: a typical frame, and the largest with texture uploads); returns
// the ratio of the unbatched to the batched median (NaN without that renderer).
double MeasureRenderer(bool software) {
  const std::string tag = software ? "sw" : "gl";
  headless::UseSoftwareRenderer(software);
  std::vector<Timed> timed;
  std::vector<double> everySecondMs;
  size_t busiest = 0;
  bool available = true;
  BenchGame game(kFrames, 7, [&](long frame) {
    if (frame == 0) available = headless::RendererName() == (software ? "software" : "opengl");
    if (!available) return;
    const size_t quads = drawbench::LastFrameQuads();
    if (quads > busiest) {
      busiest = quads;
      drawbench::KeepLastFrame();
    }
    if (frame % 60 == 0) {
      // The first drawing decodes every picture: start-up's work, not a frame's.
      const double start = MonotonicSeconds();
      drawbench::DrawLastFrame();
      if (frame > 0) everySecondMs.push_back(Millis(start));
    }
    if ((frame + 1) % kWindowFrames == 0) {
      // Only a frame among the busiest so far is timed; the least busy one goes.
      auto least = std::min_element(timed.begin(), timed.end(), ByQuads);
      if (timed.size() < kBusiest) {
        timed.push_back(TimeKeptFrame(busiest));
      } else if (busiest > least->quads) {
        *least = TimeKeptFrame(busiest);
      }
      busiest = 0;
    }
  });
  game.Run();
  if (!available) {
    std::fprintf(stderr, "zarvo-bench-render: no %s renderer here\n", tag.c_str());
    return NAN;
  }
  std::vector<double> ms, unbatchedMs, quads, calls, unbatchedCalls;
  for (const Timed& t : timed) {
    ms.insert(ms.end(), t.ms.begin(), t.ms.end());
    unbatchedMs.insert(unbatchedMs.end(), t.unbatchedMs.begin(), t.unbatchedMs.end());
    quads.push_back(static_cast<double>(t.quads));
    calls.push_back(t.calls);
    unbatchedCalls.push_back(t.unbatchedCalls);
  }
  const double median = Percentile(ms, 50), unbatched = Percentile(unbatchedMs, 50);
  const std::string name = "render_" + tag + "_";
  PrintFigure(name + "ms_median", median, "ms");
  PrintFigure(name + "ms_p99", Percentile(ms, 99), "ms");
  PrintFigure(name + "unbatched_ms_median", unbatched, "ms");
  PrintFigure(name + "unbatched_ms_p99", Percentile(unbatchedMs, 99), "ms");
  PrintFigure(name + "vs_unbatched_ratio", unbatched / median, "x");
  PrintFigure(name + "quads_median", Percentile(quads, 50), "quads");
  PrintFigure(name + "draw_calls_median", Percentile(calls, 50), "calls");
  PrintFigure(name + "unbatched_draw_calls_median", Percentile(unbatchedCalls, 50), "calls");
  PrintFigure(name + "every_second_ms_median", Percentile(everySecondMs, 50), "ms");
  PrintFigure(name + "every_second_ms_max", Percentile(everySecondMs, 100), "ms");
  rusage usage;
  if (getrusage(RUSAGE_SELF, &usage) == 0)
    PrintFigure(name + "peak_rss_mb", static_cast<double>(usage.ru_maxrss) / 1024.0, "MB");
  return unbatched / median;
}

// Runs MeasureRenderer in a child process; its figures go to standard output.
double InChild(bool software) {
  int fds[2];
  if (pipe(fds) != 0) return NAN;
  std::fflush(stdout);
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    const double ratio = MeasureRenderer(software);
    const std::string text = std::to_string(ratio);
    if (write(fds[1], text.data(), text.size()) < 0) std::perror("zarvo-bench-render");
    std::fflush(stdout);
    std::exit(0);
  }
  close(fds[1]);
  char buffer[64] = {};
  const ssize_t got = pid > 0 ? read(fds[0], buffer, sizeof buffer - 1) : -1;
  close(fds[0]);
  int status = 0;
  if (pid > 0) waitpid(pid, &status, 0);
  return got > 0 ? std::strtod(buffer, nullptr) : NAN;
}

}  // namespace

int main() {
  const double software = InChild(true);
  InChild(false);
  // The software renderer's: the one a window uses where OpenGL is itself a
  // software rasteriser, as here (through one, both ways are bound by filling
  // pixels, not by calls).
  if (!std::isnan(software)) PrintFigure("render_vs_unbatched_ratio", software, "x");
  // Both games drew as a window does, every picture decoded and uploaded; the
  // memory a whole game needs is the larger of their peaks and start-up's,
  // which scripts/bench prints as peak_rss_mb.
  return std::isnan(software) ? 1 : 0;
}
