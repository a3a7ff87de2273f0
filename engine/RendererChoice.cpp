// The renderer of a real window. SDL's accelerated renderer is OpenGL; where
// that OpenGL is itself a software rasteriser (Mesa's llvmpipe, softpipe or
// swrast, as on a machine without a graphics driver), SDL's own software
// renderer draws this game's frames faster, so the engine takes it instead.
// A player may name the renderer: the game's choice (SetRendererChoice) comes
// first, then SDL_RENDER_DRIVER; either way the engine does not second-guess it.
#include <SDL.h>

#include <algorithm>
#include <cctype>
#include <cstring>

#include "engine/EngineCore.h"

using engine::CORE;

namespace {

constexpr unsigned kGlRenderer = 0x1F01;  // GL_RENDERER

// What the current OpenGL context calls its renderer; empty without one.
std::string OpenGlRenderer() {
  if (!SDL_GL_GetCurrentContext()) return {};
  using GetString = const unsigned char* (*)(unsigned);
  const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = getString ? getString(kGlRenderer) : nullptr;
  return name ? reinterpret_cast<const char*>(name) : "";
}

bool IsSoftwareRasteriser(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const char* kind : {"llvmpipe", "softpipe", "swrast", "software rasterizer"}) {
    if (name.find(kind) != std::string::npos) return true;
  }
  return false;
}

// The renderer SDL numbers `name` (e.g. "software", "opengl"); -1 if none.
int DriverIndex(const std::string& name) {
  for (int i = 0; i < SDL_GetNumRenderDrivers(); ++i) {
    SDL_RendererInfo info;
    if (SDL_GetRenderDriverInfo(i, &info) == 0 && info.name && name == info.name) return i;
  }
  return -1;
}

// The renderer's name, with its OpenGL's when it has one: "opengl (llvmpipe ...)".
std::string Describe(SDL_Renderer* renderer) {
  SDL_RendererInfo info = {};
  std::string name = SDL_GetRendererInfo(renderer, &info) == 0 && info.name ? info.name : "?";
  const std::string gl = (info.flags & SDL_RENDERER_SOFTWARE) ? "" : OpenGlRenderer();
  return gl.empty() ? name : name + " (" + gl + ")";
}

}  // namespace

namespace engine {

SDL_Renderer* CreateWindowRenderer(SDL_Window* window) {
  const std::string& chosen = CORE.rendererChoice;
  if (!chosen.empty()) {
    const int index = DriverIndex(chosen);
    SDL_Renderer* renderer = index >= 0 ? SDL_CreateRenderer(window, index, 0) : nullptr;
    if (renderer) {
      EngineLog("Renderer " + Describe(renderer) + ", as chosen");
      return renderer;
    }
    EngineLog("Renderer " + chosen + " unavailable" +
              (index >= 0 ? std::string(" (") + SDL_GetError() + ")" : "") + "; choosing another");
  }
  const char* named = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
  if (named && *named) {
    // SDL tries the named renderer first, then the others.
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, 0);
    if (renderer)
      EngineLog("Renderer " + Describe(renderer) + ", as SDL_RENDER_DRIVER=" + named + " asks");
    return renderer;
  }
  SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
  if (!renderer) {
    renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (renderer) EngineLog("Renderer software: no accelerated renderer");
    return renderer;
  }
  const std::string gl = OpenGlRenderer();
  if (IsSoftwareRasteriser(gl)) {
    SDL_DestroyRenderer(renderer);
    renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (renderer) {
      EngineLog("Renderer software: OpenGL here is " + gl + ", a software rasteriser");
      return renderer;
    }
    renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
  }
  if (renderer) EngineLog("Renderer " + Describe(renderer));
  return renderer;
}

}  // namespace engine

bool SetRendererChoice(const std::string& name) {
  if (!name.empty() && name != "software" && name != "opengl") return false;
  CORE.rendererChoice = name;
  return true;
}
