// Benchmark hooks: copies of recorded frames drawn again, batched as the engine
// draws them or one SDL call per sprite as a plain SDL game draws. A sprite
// that is an upright or turned rectangle with one colour becomes an
// SDL_RenderCopy (SDL_RenderCopyEx when turned or mirrored) with source and
// destination rectangles; anything else (colour gradients, distorted quads,
// textures split into tiles) is drawn on its own with SDL_RenderGeometry.
#include <SDL.h>

#include <cmath>

#include "engine/EngineCore.h"

using engine::CORE;

namespace {

constexpr float kPi = 3.14159265f;

engine::FrameList keptFrame;  // the frame the benchmark draws again

bool SameColours(const hgeVertex* v) {
  return v[0].col == v[1].col && v[0].col == v[2].col && v[0].col == v[3].col;
}

// The quad as a rectangle of `dst` size turned by `angle` degrees about its
// centre, corners in the order top-left, top-right, bottom-right, bottom-left.
bool AsRectangle(const hgeVertex* v, SDL_FRect* dst, double* angle) {
  const float ax = v[1].x - v[0].x, ay = v[1].y - v[0].y;  // along the top edge
  const float bx = v[3].x - v[0].x, by = v[3].y - v[0].y;  // down the left edge
  const float w = std::hypot(ax, ay), h = std::hypot(bx, by);
  if (w <= 0.0f || h <= 0.0f) return false;
  if (std::fabs(ax * bx + ay * by) > 1e-3f * w * h) return false;  // not square-cornered
  if (ax * by - ay * bx <= 0.0f) return false;                     // mirrored corners
  if (std::hypot(v[2].x - (v[1].x + bx), v[2].y - (v[1].y + by)) > 0.01f) return false;
  const float cx = v[0].x + (ax + bx) * 0.5f, cy = v[0].y + (ay + by) * 0.5f;
  *dst = {cx - w * 0.5f, cy - h * 0.5f, w, h};
  *angle = std::atan2(ay, ax) * 180.0f / kPi;
  return true;
}

// Texture coordinates that follow the quad's edges: u along the top, v down the side.
bool UprightTexels(const hgeVertex* v) {
  return v[0].tx == v[3].tx && v[1].tx == v[2].tx && v[0].ty == v[1].ty && v[3].ty == v[2].ty;
}

// Draws one quad of `cmd` as a sprite with one SDL call.
void DrawSprite(engine::EngineState& st, const engine::DrawCmd& cmd,
                const std::vector<hgeVertex>& verts, size_t quad) {
  const hgeVertex* v = verts.data() + cmd.first + 4 * quad;
  engine::Texture* t = engine::FindTexture(cmd.tex);
  if (cmd.tex && (!t || !engine::UploadTexture(*t))) return;
  const SDL_BlendMode mode =
      (cmd.blend & BLEND_ALPHABLEND) ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_ADD;
  const uint32_t c = v[0].col;
  const uint8_t a = c >> 24, r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
  SDL_FRect dst;
  double angle = 0.0;
  const bool rectangle = SameColours(v) && AsRectangle(v, &dst, &angle);
  if (!t && rectangle && angle == 0.0) {
    SDL_SetRenderDrawBlendMode(st.renderer, mode);
    SDL_SetRenderDrawColor(st.renderer, r, g, b, a);
    SDL_RenderFillRectF(st.renderer, &dst);
    ++st.drawCalls;
    return;
  }
  if (t && t->tiles.size() == 1 && rectangle && UprightTexels(v)) {
    SDL_Texture* tex = t->tiles[0];
    const float u0 = std::fmin(v[0].tx, v[1].tx), u1 = std::fmax(v[0].tx, v[1].tx);
    const float v0 = std::fmin(v[0].ty, v[3].ty), v1 = std::fmax(v[0].ty, v[3].ty);
    const SDL_Rect src = {static_cast<int>(std::lround(u0 * t->width)),
                          static_cast<int>(std::lround(v0 * t->height)),
                          static_cast<int>(std::lround((u1 - u0) * t->width)),
                          static_cast<int>(std::lround((v1 - v0) * t->height))};
    int flip = SDL_FLIP_NONE;
    if (v[0].tx > v[1].tx) flip |= SDL_FLIP_HORIZONTAL;
    if (v[0].ty > v[3].ty) flip |= SDL_FLIP_VERTICAL;
    SDL_SetTextureBlendMode(tex, mode);
    if (cmd.blend & BLEND_COLORADD) {
      SDL_SetTextureColorMod(tex, 255, 255, 255);
    } else {
      SDL_SetTextureColorMod(tex, r, g, b);
    }
    SDL_SetTextureAlphaMod(tex, a);
    if (angle == 0.0 && flip == SDL_FLIP_NONE) {
      SDL_RenderCopyF(st.renderer, tex, &src, &dst);
    } else {
      SDL_RenderCopyExF(st.renderer, tex, &src, &dst, angle, nullptr,
                        static_cast<SDL_RendererFlip>(flip));
    }
    ++st.drawCalls;
    SDL_SetTextureColorMod(tex, 255, 255, 255);
    SDL_SetTextureAlphaMod(tex, 255);
    return;
  }
  engine::DrawCmd one = cmd;
  one.first = cmd.first + 4 * quad;
  one.quads = 1;
  engine::DrawBatch(st, one, verts);
}

// Reading a pixel back waits for every drawing call queued before it.
void WaitForRenderer(engine::EngineState& st) {
  const SDL_Rect pixel = {0, 0, 1, 1};
  uint32_t argb = 0;
  SDL_RenderReadPixels(st.renderer, &pixel, SDL_PIXELFORMAT_ARGB8888, &argb, 4);
}

void DrawOneByOne(engine::EngineState& st, const engine::FrameList& list) {
  SDL_SetRenderDrawBlendMode(st.renderer, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(st.renderer, 0, 0, 0, 255);
  SDL_RenderClear(st.renderer);
  for (const engine::DrawCmd& cmd : list.cmds) {
    if (cmd.clear) {
      SDL_SetRenderDrawBlendMode(st.renderer, SDL_BLENDMODE_NONE);
      SDL_SetRenderDrawColor(st.renderer, (cmd.color >> 16) & 0xFF, (cmd.color >> 8) & 0xFF,
                             cmd.color & 0xFF, cmd.color >> 24);
      SDL_RenderClear(st.renderer);
      continue;
    }
    for (size_t q = 0; q < cmd.quads; ++q) DrawSprite(st, cmd, list.verts, q);
  }
}

}  // namespace

namespace drawbench {

size_t LastFrameQuads() { return CORE.st ? CORE.st->lastFrame.verts.size() / 4 : 0; }

void KeepLastFrame() {
  if (CORE.st) keptFrame = CORE.st->lastFrame;
}

int DrawKeptFrame(bool batched) {
  engine::EngineState* st = CORE.st;
  if (!st || !st->renderer) return 0;
  const uint64_t before = st->drawCalls;
  const engine::FrameList& frame = keptFrame;
  if (batched) {
    engine::ReplayFrame(frame);
  } else {
    DrawOneByOne(*st, frame);
  }
  WaitForRenderer(*st);
  return static_cast<int>(st->drawCalls - before);
}

void DrawLastFrame() {
  engine::EngineState* st = CORE.st;
  if (!st || !st->renderer) return;
  engine::ReplayFrame(st->lastFrame);
  engine::DecodePendingTextures();
  WaitForRenderer(*st);
}

}  // namespace drawbench
