// zarvo-bench-logic: what the game's logic costs a frame. Ten minutes of game
// time played by two autopilots, headless (frames are recorded as lists of
// quads, not drawn), timing the game's frame and render functions.
#include <sys/resource.h>

#include <algorithm>

#include "bench/BenchGame.h"
#include "bench/Figures.h"

int main() {
  constexpr long kFrames = 10 * 60 * 60;
  BenchGame game(kFrames, 7);
  game.Run();
  const std::vector<double>& micros = game.frameMicros();
  PrintFigure("logic_us_median", Percentile(micros, 50), "us");
  PrintFigure("logic_us_p99", Percentile(micros, 99), "us");
  PrintFigure("logic_us_max", Percentile(micros, 100), "us");
  PrintFigure("logic_frames", static_cast<double>(micros.size()), "frames");
  PrintFigure("logic_games", static_cast<double>(game.gamesEnded()), "games");
  PrintFigure("logic_objects_peak", static_cast<double>(game.peakObjects()), "objects");
  PrintFigure("logic_energy_clouds_peak", static_cast<double>(game.peakEnergyClouds()), "clouds");
  PrintFigure("logic_particles_peak", static_cast<double>(game.peakParticles()), "particles");
  // Headless, no picture is ever decoded: the memory of everything but the pictures.
  rusage usage;
  if (getrusage(RUSAGE_SELF, &usage) == 0)
    PrintFigure("logic_peak_rss_mb", static_cast<double>(usage.ru_maxrss) / 1024.0, "MB");
  return 0;
}
