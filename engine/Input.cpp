// Keyboard state per frame. At the start of each frame the held keys, the key
// that went down and the character it types are taken either from SDL's
// events and keyboard state (real-time) or from the keys a headless driver
// set since the previous frame; then the game pads are read and the key
// sources (autopilot, pads, replay) add theirs. The typed character comes from
// the key table in both modes, so name entry behaves the same in a replay.
#include <SDL.h>

#include <algorithm>

#include "engine/EngineCore.h"
#include "engine/KeyTable.h"

using engine::CORE;

namespace engine {
namespace {

void ApplyRealTimeKeys(EngineState& st) {
  int count = 0;
  const Uint8* scan = SDL_GetKeyboardState(&count);
  std::fill(std::begin(st.keys), std::end(st.keys), false);
  for (int sc = 0; sc < count; ++sc) {
    if (!scan[sc]) continue;
    const int key = KeyFromScancode(sc);
    if (key > 0 && key < kKeyCount) st.keys[key] = true;
  }
  // The fullscreen toggle's key is no game key until it is let go.
  if (st.toggleKey && !st.keys[st.toggleKey]) st.toggleKey = 0;
  if (st.toggleKey) st.keys[st.toggleKey] = false;
}

// F11 and Alt+Enter switch between window and fullscreen.
bool IsFullscreenToggle(const SDL_Keysym& k) {
  const bool enter = k.scancode == SDL_SCANCODE_RETURN || k.scancode == SDL_SCANCODE_KP_ENTER;
  return k.scancode == SDL_SCANCODE_F11 || (enter && (k.mod & KMOD_ALT));
}

void ApplyHeadlessKeys(EngineState& st) {
  for (int key : CORE.headlessPresses) {
    if (!st.keys[key]) st.keyDown = key;  // a key already held does not go down again
  }
  CORE.headlessPresses.clear();
  std::copy(std::begin(CORE.headlessKeys), std::end(CORE.headlessKeys), st.keys);
}

}  // namespace

void PumpEvents() {
  EngineState& st = *CORE.st;
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
    switch (e.type) {
      case SDL_QUIT:
        st.quitRequested = true;
        break;
      case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) st.quitRequested = true;
        // A maximised window brought back may say so instead of "restored".
        if (st.window) st.minimised = SDL_GetWindowFlags(st.window) & SDL_WINDOW_MINIMIZED;
        break;
      case SDL_KEYDOWN:
        if (IsFullscreenToggle(e.key.keysym)) {
          if (!e.key.repeat) ToggleFullscreen();
          st.toggleKey = KeyFromScancode(e.key.keysym.scancode);
        } else if (!e.key.repeat) {
          const int key = KeyFromScancode(e.key.keysym.scancode);
          if (key) st.keyDown = key;
        }
        break;
      default:
        break;
    }
  }
}

void ApplyFrameInput() {
  EngineState& st = *CORE.st;
  bool previous[kKeyCount];
  std::copy(std::begin(st.keys), std::end(st.keys), previous);
  st.keyDown = 0;
  if (Headless()) {
    ApplyHeadlessKeys(st);
  } else {
    PumpEvents();
    ApplyRealTimeKeys(st);
  }
  UpdatePads();
  for (KeySource* source : CORE.keySources) source->ApplyKeys(st.keys, &st.keyDown);
  st.keys[0] = false;
  // A key a source put down goes down as a typed key does, when none did.
  for (int key = 1; key < kKeyCount && !st.keyDown; ++key) {
    if (st.keys[key] && !previous[key]) st.keyDown = key;
  }
  st.charTyped = st.keyDown ? KeyChar(st.keyDown, st.keys[HGEK_SHIFT]) : 0;
}

}  // namespace engine

void AddKeySource(KeySource* source) {
  if (source &&
      std::find(CORE.keySources.begin(), CORE.keySources.end(), source) == CORE.keySources.end())
    CORE.keySources.push_back(source);
}

void RemoveKeySource(KeySource* source) {
  CORE.keySources.erase(std::remove(CORE.keySources.begin(), CORE.keySources.end(), source),
                        CORE.keySources.end());
}

bool HGE::Input_GetKeyState(int key) {
  return key > 0 && key < engine::kKeyCount && CORE.st->keys[key];
}

int HGE::Input_GetKey() { return CORE.st->keyDown; }
int HGE::Input_GetChar() { return CORE.st->charTyped; }
const char* HGE::Input_GetKeyName(int key) { return engine::KeyName(key); }
