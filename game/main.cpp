// Entry point of the game. An installed game runs in the player's own folder;
// elsewhere the game runs in the current directory. `--demo` lets the
// autopilot fly both clouds and answer every screen from the title onward, for
// a shop window or a screensaver; `--replay FILE` plays a recorded game back
// at real speed. Every other run is recorded into "last_game.replay".
// `--renderer=software` or `--renderer=opengl` overrides the engine's choice.
#include <limits.h>
#include <stdlib.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "engine/Platform.h"
#include "game/Game.h"
#include "tools/autopilot/Autopilot.h"

int main(int argc, char** argv) {
  bool demo = false;
  std::string replayFile;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--demo")) {
      demo = true;
    } else if (!std::strcmp(argv[i], "--replay") && i + 1 < argc) {
      // Named from where the player started the game, not from the game's folder.
      char path[PATH_MAX];
      replayFile = realpath(argv[++i], path) ? path : argv[i];
    } else if (!std::strncmp(argv[i], "--renderer=", 11) && SetRendererChoice(argv[i] + 11)) {
      // Taken by the engine when the window opens.
    } else {
      std::fprintf(stderr, "usage: %s [--demo | --replay FILE] [--renderer=software|opengl]\n",
                   argv[0]);
      return 2;
    }
  }
  if (!EnterUserFolder()) return 1;
  Autopilot autopilot;
  if (!replayFile.empty()) {
    const std::string problem = replay::Load(replayFile);
    if (!problem.empty()) {
      std::fprintf(stderr, "zarvo: %s\n", problem.c_str());
      return 1;
    }
  } else {
    RecordGames();
    autopilot.SetPlayer(1, demo);
    autopilot.SetPlayer(2, demo);
    autopilot.SetMenus(demo);
  }
  const int status = GameMain();
  replay::Unload();
  return status;
}
