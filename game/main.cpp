// Entry point of the game. `--demo` lets the autopilot fly both clouds and
// answer every screen from the title onward, for a shop window or a screensaver.
#include <cstdio>
#include <cstring>

#include "game/Game.h"
#include "tools/autopilot/Autopilot.h"

int main(int argc, char** argv) {
  bool demo = false;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--demo")) {
      demo = true;
    } else {
      std::fprintf(stderr, "usage: %s [--demo]\n", argv[0]);
      return 2;
    }
  }
  Autopilot autopilot;
  if (demo) {
    autopilot.SetPlayer(1, true);
    autopilot.SetPlayer(2, true);
    autopilot.SetMenus(true);
  }
  return GameMain();
}
