// The "Error" message box. Every text is remembered (the tests and the
// simulator read them back); it goes to standard error when the run is
// headless or there is no display, and otherwise into a modal SDL box with
// one OK button that the game waits on.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include "engine/EngineCore.h"

using engine::CORE;

namespace {

bool HaveDisplay() {
  if (!getenv("DISPLAY") && !getenv("WAYLAND_DISPLAY")) return false;
  return SDL_WasInit(SDL_INIT_VIDEO) != 0;
}

}  // namespace

void ShowErrorBox(const char* text) {
  const char* message = text ? text : "";
  CORE.errorBoxes.push_back(message);
  if (!engine::Headless() && HaveDisplay() &&
      SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Error", message, nullptr) == 0) {
    return;
  }
  fprintf(stderr, "Error: %s\n", message);
}

const std::vector<std::string>& ShownErrorBoxes() { return CORE.errorBoxes; }
