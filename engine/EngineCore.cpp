// The one engine object: hgeCreate hands out holds on it, Release gives them
// back, and the last Release shuts SDL down and frees every texture left.
// The state itself is the CORE struct declared in EngineCore.h.
#include "engine/EngineCore.h"

#include <cstdio>

namespace engine {

EngineCore CORE;

void SetError(const std::string& text) {
  if (CORE.st) CORE.st->error = text;
}

}  // namespace engine

using engine::CORE;

HGE* hgeCreate(int /*version*/) {
  if (!CORE.st) {
    CORE.st = new engine::EngineState();
    // Headless runs start from a fixed seed so a script replays exactly;
    // real-time runs are seeded from the clock in System_Initiate.
    engine::SeedRandom(1);
  }
  ++CORE.holds;
  return &CORE.iface;
}

void HGE::Release() {
  if (CORE.holds <= 0) return;
  if (--CORE.holds > 0) return;
  if (CORE.st->sdlStarted) System_Shutdown();
  delete CORE.st;
  CORE.st = nullptr;
}
