// Headless control for the simulator and the tests: the frame driver, keys
// held by script, the renderer choice and screenshots. A screenshot replays
// the last complete frame through the same drawing path as a real frame and
// reads the pixels back into a PNG.
#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>

#include "engine/EngineCore.h"

using engine::CORE;

namespace headless {

void Enable(FrameDriver* driver) {
  CORE.driver = driver;
  ReleaseAllKeys();
}

bool Enabled() { return CORE.driver != nullptr; }

void SetKey(int key, bool down) {
  if (key <= 0 || key >= engine::kKeyCount) return;
  if (down) CORE.headlessPresses.push_back(key);
  CORE.headlessKeys[key] = down;
}

void ReleaseAllKeys() {
  std::fill(std::begin(CORE.headlessKeys), std::end(CORE.headlessKeys), false);
  CORE.headlessPresses.clear();
}

bool SaveShot(const char* pngFile) {
  engine::EngineState* st = CORE.st;
  // Only a headless screen is drawn at the game's own size, unscaled.
  if (!st || !st->renderer || !pngFile || !engine::Headless()) return false;
  engine::ReplayFrame(st->lastFrame);
  SDL_Surface* shot = SDL_CreateRGBSurfaceWithFormat(0, st->screenWidth, st->screenHeight, 32,
                                                     SDL_PIXELFORMAT_ARGB8888);
  if (!shot) return false;
  bool ok = SDL_RenderReadPixels(st->renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, shot->pixels,
                                 shot->pitch) == 0;
  if (ok) {
    // The screen has no transparency: whatever the target kept in alpha, save it opaque.
    for (int y = 0; y < shot->h; ++y) {
      uint32_t* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(shot->pixels) +
                                                  static_cast<size_t>(y) * shot->pitch);
      for (int x = 0; x < shot->w; ++x) row[x] |= 0xFF000000u;
    }
    ok = IMG_SavePNG(shot, MapFileName(pngFile).c_str()) == 0;
  }
  if (!ok) engine::SetError(std::string("Can't save the screenshot: ") + SDL_GetError());
  SDL_FreeSurface(shot);
  return ok;
}

std::string RendererName() { return CORE.st ? CORE.st->rendererName : std::string(); }

void UseSoftwareRenderer(bool software) { CORE.forceSoftware = software; }

void SetMaxTextureSize(int size) { CORE.forcedMaxTexture = size > 0 ? size : 0; }

int TextureTiles(uint32_t tex) {
  const engine::Texture* t = engine::FindTexture(tex);
  return t ? static_cast<int>(t->tiles.size()) : 0;
}

std::vector<DrawnQuad> LastFrameQuads() {
  std::vector<DrawnQuad> quads;
  if (!CORE.st) return quads;
  const engine::FrameList& frame = CORE.st->lastFrame;
  for (const engine::DrawCmd& cmd : frame.cmds) {
    const engine::Texture* t = engine::FindTexture(cmd.tex);
    for (size_t q = 0; q < cmd.quads; ++q) {
      const hgeVertex* v = &frame.verts[cmd.first + q * 4];
      DrawnQuad d{t ? t->label : std::string(), v[0].x, v[0].y, 0, 0, v[0].tx, v[0].ty, v[0].col};
      float right = d.x, bottom = d.y;
      for (int i = 1; i < 4; ++i) {
        d.x = std::min(d.x, v[i].x);
        d.y = std::min(d.y, v[i].y);
        right = std::max(right, v[i].x);
        bottom = std::max(bottom, v[i].y);
        d.u = std::min(d.u, v[i].tx);
        d.v = std::min(d.v, v[i].ty);
      }
      d.w = right - d.x;
      d.h = bottom - d.y;
      quads.push_back(d);
    }
  }
  return quads;
}

}  // namespace headless
