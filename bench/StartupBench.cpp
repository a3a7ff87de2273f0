// zarvo-bench-startup: from process start to the first title frame after both
// loading screens, as a player's window would show it. The game runs in a
// child process (this program again) with SDL's offscreen video driver and the
// engine's real-time path: a window, the renderer it chooses, every picture
// decoded while the loading screens show. The loading screens keep no minimum
// time of their own, so the figure is all work. The median of three starts is
// given, and one more start with the software renderer forced, which skips the
// engine's look at OpenGL.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/Figures.h"
#include "bench/RunFolder.h"
#include "engine/Platform.h"
#include "engine/hge.h"
#include "game/Game.h"
#include "game/Globals.h"

namespace {

// Stamps the end of the first frame (the title) and then presses Escape.
class TitleWatch : public KeySource {
 public:
  TitleWatch() { AddKeySource(this); }
  ~TitleWatch() override { RemoveKeySource(this); }

  void ApplyKeys(bool* keys, int*) override {
    if (frames_ == 0) {
      std::printf("loaded %.6f\n", MonotonicSeconds());
      hge->System_SetState(HGE_RENDERFUNC, StampTitle);
    }
    if (frames_ > 0) keys[HGEK_ESCAPE] = true;
    ++frames_;
  }

 private:
  static bool StampTitle() {
    const bool result = RenderFunc();
    std::printf("title %.6f\n", MonotonicSeconds());
    std::fflush(stdout);
    return result;
  }
  int frames_ = 0;
};

int RunGameToTitle() {
  std::printf("main %.6f\n", MonotonicSeconds());
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  if (!getenv("SDL_AUDIODRIVER")) setenv("SDL_AUDIODRIVER", "dummy", 1);
  RunFolder folder;
  TitleWatch watch;
  return GameMain();
}

struct Start {
  double total = 0, toMain = 0, loading = 0;
  double peakMb = 0;
  bool ok = false;
};

// Starts this program as the game and reads its stamps.
Start TimeStart(bool forceSoftware) {
  Start start;
  int fds[2];
  if (pipe(fds) != 0) return start;
  const double begin = MonotonicSeconds();
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(fds[1], STDOUT_FILENO);
    close(fds[0]);
    close(fds[1]);
    if (forceSoftware) setenv("SDL_RENDER_DRIVER", "software", 1);
    execl("/proc/self/exe", "zarvo-bench-startup", "--game", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  std::string out;
  char buffer[256];
  for (ssize_t got; (got = read(fds[0], buffer, sizeof buffer)) > 0;) out.append(buffer, got);
  close(fds[0]);
  int status = 0;
  rusage usage = {};
  if (pid > 0) wait4(pid, &status, 0, &usage);
  double main = 0, loaded = 0, title = 0;
  for (size_t at = 0; at < out.size();) {
    size_t end = out.find('\n', at);
    if (end == std::string::npos) end = out.size();
    const std::string line = out.substr(at, end - at);
    std::sscanf(line.c_str(), "main %lf", &main);
    std::sscanf(line.c_str(), "loaded %lf", &loaded);
    std::sscanf(line.c_str(), "title %lf", &title);
    at = end + 1;
  }
  start.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 && title > 0;
  start.total = title - begin;
  start.toMain = main - begin;
  start.loading = loaded - main;
  start.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
  return start;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && !std::strcmp(argv[1], "--game")) return RunGameToTitle();
  std::vector<double> total, toMain, loading, peak;
  for (int i = 0; i < 3; ++i) {
    const Start s = TimeStart(false);
    if (!s.ok) {
      std::fprintf(stderr, "zarvo-bench-startup: the game did not reach its title\n");
      return 1;
    }
    total.push_back(s.total);
    toMain.push_back(s.toMain);
    loading.push_back(s.loading);
    peak.push_back(s.peakMb);
  }
  PrintFigure("startup_s", Percentile(total, 50), "s");
  PrintFigure("startup_to_main_s", Percentile(toMain, 50), "s");
  PrintFigure("startup_loading_s", Percentile(loading, 50), "s");
  PrintFigure("startup_peak_rss_mb", Percentile(peak, 100), "MB");
  const Start software = TimeStart(true);
  if (software.ok) PrintFigure("startup_software_forced_s", software.total, "s");
  return 0;
}
