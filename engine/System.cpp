// Engine start-up and shutdown: the states the game sets, the window and
// renderer (a real window, or in headless runs the offscreen OpenGL driver
// with a window-less software renderer as the fallback), the error text and
// the log file.
#include <SDL.h>
#include <dlfcn.h>
#include <link.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "engine/EngineCore.h"

using engine::CORE;

namespace {

engine::EngineState& St() { return *CORE.st; }

std::string SdlError(const char* what) { return std::string(what) + ": " + SDL_GetError(); }

// Window-less fallback: the software renderer drawing into a plain surface.
bool CreateSoftwareTarget(engine::EngineState& st) {
  st.surface = SDL_CreateRGBSurfaceWithFormat(0, st.screenWidth, st.screenHeight, 32,
                                              SDL_PIXELFORMAT_ARGB8888);
  if (!st.surface) {
    engine::SetError(SdlError("Can't create the drawing surface"));
    return false;
  }
  st.renderer = SDL_CreateSoftwareRenderer(st.surface);
  if (!st.renderer) {
    engine::SetError(SdlError("Can't create the software renderer"));
    return false;
  }
  return true;
}

// A video driver loads EGL, OpenGL and the GPU driver when it starts and
// unloads them when it stops. Once it is up, pin every library then loaded for
// the rest of the process: repeated headless starts (tests) do not reload the
// driver each time, and the driver's own allocations stay attributable for the
// leak checker instead of pointing into unloaded code.
void PinLoadedLibraries() {
  static bool pinned = false;
  if (pinned) return;
  pinned = true;
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void*) {
        if (info->dlpi_name && info->dlpi_name[0]) {
          dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
        }
        return 0;
      },
      nullptr);
}

bool InitHeadless(engine::EngineState& st) {
  if (!getenv("SDL_AUDIODRIVER")) SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
  if (!CORE.forceSoftware) {
    // Offscreen whatever SDL_VIDEODRIVER says; the hint goes back to normal right after.
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "offscreen", SDL_HINT_OVERRIDE);
    const bool videoUp = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    SDL_ResetHint(SDL_HINT_VIDEODRIVER);
    if (videoUp) {
      st.sdlSubsystems |= SDL_INIT_VIDEO;
      st.window = SDL_CreateWindow(st.title.c_str(), 0, 0, st.screenWidth, st.screenHeight,
                                   SDL_WINDOW_HIDDEN);
      if (st.window) st.renderer = SDL_CreateRenderer(st.window, -1, SDL_RENDERER_ACCELERATED);
      if (st.renderer) PinLoadedLibraries();
      if (!st.renderer) {
        SDL_Log("offscreen renderer unavailable (%s); using the software renderer", SDL_GetError());
        if (st.window) SDL_DestroyWindow(st.window);
        st.window = nullptr;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        st.sdlSubsystems &= ~SDL_INIT_VIDEO;
      }
    }
  }
  if (!st.renderer && !CreateSoftwareTarget(st)) return false;
  return true;
}

bool InitWindow(engine::EngineState& st) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    engine::SetError(SdlError("Can't initialize SDL"));
    return false;
  }
  st.sdlSubsystems |= SDL_INIT_VIDEO;
  // With no display SDL may fall back to its offscreen or dummy driver, which
  // would run the game where nobody can see it: only accept those on request.
  const char* driver = SDL_GetCurrentVideoDriver();
  const char* requested = getenv("SDL_VIDEODRIVER");
  if (driver && (!strcmp(driver, "offscreen") || !strcmp(driver, "dummy")) &&
      !(requested && !strcmp(requested, driver))) {
    engine::SetError("Can't initialize SDL: no display found (is DISPLAY or WAYLAND_DISPLAY set?)");
    return false;
  }
  // The window can be resized, maximised and made fullscreen (F11, Alt+Enter);
  // on high-DPI screens it draws at the display's own resolution.
  uint32_t flags = SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
  if (st.windowedFullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  st.window = SDL_CreateWindow(st.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               st.screenWidth, st.screenHeight, flags);
  if (!st.window) {
    engine::SetError(SdlError("Can't create window"));
    return false;
  }
  st.renderer = engine::CreateWindowRenderer(st.window);
  if (!st.renderer) {
    engine::SetError(SdlError("Can't create renderer"));
    return false;
  }
  PinLoadedLibraries();
  // The game always draws its own screen size; whatever the window's size, the
  // picture is scaled to fit with its aspect kept, with bars where it does not fill.
  SDL_RenderSetLogicalSize(st.renderer, st.screenWidth, st.screenHeight);
  SDL_ShowCursor(st.hideMouse ? SDL_DISABLE : SDL_ENABLE);
  SDL_StopTextInput();  // typed characters come from the key table, no input method needed
  return true;
}

}  // namespace

namespace engine {

void ToggleFullscreen() {
  EngineState& st = *CORE.st;
  if (!st.window) return;
  const bool fullscreen = (SDL_GetWindowFlags(st.window) & SDL_WINDOW_FULLSCREEN) != 0;
  if (SDL_SetWindowFullscreen(st.window, fullscreen ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) != 0)
    CORE.iface.System_Log("Can't switch fullscreen: %s", SDL_GetError());
}

}  // namespace engine

void EngineLog(const std::string& line) {
  if (CORE.st) CORE.iface.System_Log("%s", line.c_str());
}

void HGE::System_SetState(hgeBoolState state, bool value) {
  engine::EngineState& st = St();
  switch (state) {
    case HGE_WINDOWED_FULLSCREEN:
      st.windowedFullscreen = value;
      break;
    case HGE_ZBUFFER:
      st.zbuffer = value;
      break;
    case HGE_HIDEMOUSE:
      st.hideMouse = value;
      break;
    case HGE_DONTSUSPEND:
      st.dontSuspend = value;
      break;
    case HGE_SHOWSPLASH:
      st.showSplash = value;
      break;
  }
}

void HGE::System_SetState(hgeFuncState state, hgeCallback value) {
  if (state == HGE_FRAMEFUNC) St().frameFunc = value;
  if (state == HGE_RENDERFUNC) St().renderFunc = value;
}

void HGE::System_SetState(hgeIntState state, int value) {
  engine::EngineState& st = St();
  // The screen size is fixed once the window exists.
  switch (state) {
    case HGE_SCREENWIDTH:
      if (!st.sdlStarted) st.screenWidth = value;
      break;
    case HGE_SCREENHEIGHT:
      if (!st.sdlStarted) st.screenHeight = value;
      break;
    case HGE_FPS:
      st.fps = value;
      break;
  }
}

void HGE::System_SetState(hgeStringState state, const char* value) {
  engine::EngineState& st = St();
  const std::string text = value ? value : "";
  if (state == HGE_TITLE) {
    st.title = text;
    if (st.window) SDL_SetWindowTitle(st.window, st.title.c_str());
  }
  if (state == HGE_LOGFILE) st.logFile = text;
}

const char* HGE::System_GetErrorMessage() { return St().error.c_str(); }

void HGE::System_Log(const char* format, ...) {
  engine::EngineState& st = St();
  if (st.logFile.empty() || !format) return;
  FILE* f = fopen(MapFileName(st.logFile.c_str()).c_str(), "a");
  if (!f) return;
  va_list args;
  va_start(args, format);
  vfprintf(f, format, args);
  va_end(args);
  fputc('\n', f);
  fclose(f);
}

bool HGE::System_Initiate() {
  engine::EngineState& st = St();
  if (st.sdlStarted) return true;
  if (st.screenWidth <= 0 || st.screenHeight <= 0) {
    engine::SetError("Invalid screen size " + std::to_string(st.screenWidth) + "x" +
                     std::to_string(st.screenHeight));
    return false;
  }
  // Our own handlers end the frame loop on SIGINT/SIGTERM (see FrameLoop.cpp).
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  engine::InstallQuitHandlers();
  SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
  SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
  st.sdlStarted = true;  // from here on System_Shutdown undoes what exists
  const bool ok = engine::Headless() ? InitHeadless(st) : InitWindow(st);
  if (!ok) {
    const std::string error = st.error;
    System_Shutdown();
    st.error = error;
    System_Log("%s", error.c_str());
    return false;
  }
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(st.renderer, &info) == 0) {
    st.rendererName = info.name ? info.name : "";
    st.maxTextureW = info.max_texture_width;
    st.maxTextureH = info.max_texture_height;
  }
  if (CORE.forcedMaxTexture > 0) {
    if (st.maxTextureW <= 0 || st.maxTextureW > CORE.forcedMaxTexture)
      st.maxTextureW = CORE.forcedMaxTexture;
    if (st.maxTextureH <= 0 || st.maxTextureH > CORE.forcedMaxTexture)
      st.maxTextureH = CORE.forcedMaxTexture;
  }
  uint64_t seed = 0;
  if (engine::PlaybackSeed(&seed)) {
    engine::SeedRandom(seed);
  } else if (!engine::Headless()) {
    engine::SeedRandom(static_cast<uint64_t>(time(nullptr)) ^ SDL_GetPerformanceCounter());
  }
  st.time = 0.0;
  st.delta = 0.0f;
  System_Log("Engine started: %dx%d, renderer %s%s", st.screenWidth, st.screenHeight,
             st.rendererName.c_str(), engine::Headless() ? ", headless" : "");
  engine::OpenPads();
  engine::StartRecording();
  return true;
}

void HGE::System_Shutdown() {
  engine::EngineState& st = St();
  if (!st.sdlStarted) return;
  engine::StopDecoding();
  engine::StopRecording();
  engine::ClosePads();
  engine::RestoreQuitHandlers();
  for (auto& entry : st.textures) engine::DropTextureUploads(entry.second);
  if (st.whiteTexel) SDL_DestroyTexture(st.whiteTexel);
  st.whiteTexel = nullptr;
  if (st.renderer) SDL_DestroyRenderer(st.renderer);
  if (st.surface) SDL_FreeSurface(st.surface);
  if (st.window) SDL_DestroyWindow(st.window);
  st.renderer = nullptr;
  st.surface = nullptr;
  st.window = nullptr;
  st.rendererName.clear();
  if (st.sdlSubsystems) SDL_QuitSubSystem(st.sdlSubsystems);
  st.sdlSubsystems = 0;
  // Other users of SDL (the sound bank) may still hold their subsystems.
  if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
  st.inScene = false;
  st.recording.Reset();
  st.lastFrame.Reset();
  st.sdlStarted = false;
}
