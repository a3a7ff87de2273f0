// Textures: PNG images loaded with SDL_image into a CPU copy of ARGB texels,
// blank textures the game paints through Lock/Unlock, and the SDL textures
// made from them when a frame is drawn. A picture's file is kept, and its
// texels are let go once the renderer holds them; a lock decodes them again.
//
// Loading only reads and checks a picture: its size is known at once, so a
// caller that wants another size can free it before a texel is decoded. It is
// decoded on first use or, in a window, at the end of the scene that loaded it.
// Headless runs decode on first use only: most of their frames are never
// drawn, and decoding every picture would be most of their start-up.
//
// An image larger than the renderer allows is uploaded as a grid of tiles;
// Render.cpp splits quads to match.
#include <SDL.h>
#include <SDL_image.h>
#include <malloc.h>

#include <algorithm>
#include <cstring>

#include "engine/EngineCore.h"

using engine::CORE;

namespace engine {

Texture* FindTexture(HTEXTURE tex) {
  if (!CORE.st || tex == 0) return nullptr;
  auto it = CORE.st->textures.find(tex);
  return it == CORE.st->textures.end() ? nullptr : &it->second;
}

void DropTextureUploads(Texture& t) {
  for (SDL_Texture* tile : t.tiles) {
    if (tile) SDL_DestroyTexture(tile);
  }
  t.tiles.clear();
  t.cols = t.rows = 0;
  t.dirty = true;
}

namespace {

// Span of tile `index` along one axis: its own texels plus the apron on either side.
void Span(int index, int step, int apron, int total, int* start, int* size) {
  const int a = std::max(0, index * step - apron);
  const int b = std::min(total, (index + 1) * step + apron);
  *start = a;
  *size = b - a;
}

// Tile step and apron along one axis for a renderer limit (0: none).
void Layout(int total, int limit, int* step, int* apron) {
  if (limit <= 0 || total <= limit) {
    *step = total;
    *apron = 0;
  } else {
    // One texel of each neighbour on both sides lets linear filtering blend
    // across a seam as it would inside one texture.
    *apron = limit >= 3 ? 1 : 0;
    *step = limit - 2 * *apron;
  }
}

}  // namespace

// Converts straight into the texture's own buffer: no second full-size surface.
std::string DecodePng(const std::string& png, int width, int height,
                      std::vector<uint32_t>* texels) {
  SDL_RWops* rw = SDL_RWFromConstMem(png.data(), static_cast<int>(png.size()));
  SDL_Surface* image = rw ? IMG_LoadPNG_RW(rw) : nullptr;
  if (rw) SDL_RWclose(rw);
  if (!image) return IMG_GetError();
  std::string problem;
  if (image->w != width || image->h != height) {
    problem = "the image is not the size its header gives";
  } else {
    texels->resize(static_cast<size_t>(width) * height);
    SDL_LockSurface(image);
    if (SDL_ConvertPixels(width, height, image->format->format, image->pixels, image->pitch,
                          SDL_PIXELFORMAT_ARGB8888, texels->data(), width * 4) != 0)
      problem = std::string("can't convert: ") + SDL_GetError();
    SDL_UnlockSurface(image);
  }
  SDL_FreeSurface(image);
  if (!problem.empty()) texels->clear();
  return problem;
}

namespace {

void LoadFailed(const std::string& reason) {
  SetError(reason);
  if (CORE.st) CORE.iface.System_Log("%s", reason.c_str());
}

// A picture's texels once the renderer holds them: they can be decoded again
// from the kept file, so they are let go (the renderer's copy is the one
// drawn). Painted textures and pictures a caller wrote into keep theirs.
void ReleaseTexels(Texture& t) {
  if (t.encoded.empty() || t.edited || t.dirty || t.tiles.empty()) return;
  std::vector<uint32_t>().swap(t.texels);
}

// Takes a finished job, or decodes here; `wait` for a job still running.
void Decode(Texture& t, bool wait) {
  if (!t.texels.empty() || t.encoded.empty()) return;
  std::string problem;
  if (!TakeDecoded(t, wait, &problem)) {
    if (t.job) return;  // not done yet
    problem = DecodePng(t.encoded, t.width, t.height, &t.texels);
  }
  if (!problem.empty()) {
    // Too late to refuse the picture: it stays blank, for good.
    LoadFailed("Can't load texture " + t.label + ": " + problem);
    t.encoded.clear();
    t.texels.assign(static_cast<size_t>(t.width) * t.height, 0u);
  }
}

}  // namespace

void DecodeTexels(Texture& t) { Decode(t, true); }

void DecodePendingTextures() {
  if (!CORE.st) return;
  // In a window every picture loaded goes to the renderer once its worker has
  // decoded it, so that its texels are held only while it is uploaded.
  bool uploaded = false, pending = false;
  for (auto& [handle, texture] : CORE.st->textures) {
    if (!texture.tiles.empty() || texture.encoded.empty()) continue;
    Decode(texture, false);
    if (!texture.texels.empty() && CORE.st->renderer) uploaded |= UploadTexture(texture);
    pending |= texture.tiles.empty() && !texture.encoded.empty();
  }
  // The last picture is in: the memory the decoding took goes back to the
  // system (texels made on the worker stay in its heap when let go).
  if (uploaded && !pending) malloc_trim(0);
}

TileRect TileTexels(const Texture& t, int col, int row) {
  TileRect r;
  Span(col, t.tileW, t.apronX, t.width, &r.x, &r.w);
  Span(row, t.tileH, t.apronY, t.height, &r.y, &r.h);
  return r;
}

bool UploadTexture(Texture& t) {
  EngineState& st = *CORE.st;
  if (!st.renderer) return false;
  if (!t.tiles.empty() && !t.dirty) return true;
  DecodeTexels(t);
  if (t.tiles.empty()) {
    Layout(t.width, st.maxTextureW, &t.tileW, &t.apronX);
    Layout(t.height, st.maxTextureH, &t.tileH, &t.apronY);
    t.cols = (t.width + t.tileW - 1) / t.tileW;
    t.rows = (t.height + t.tileH - 1) / t.tileH;
    t.tiles.assign(static_cast<size_t>(t.cols) * t.rows, nullptr);
    for (int r = 0; r < t.rows; ++r) {
      for (int c = 0; c < t.cols; ++c) {
        const TileRect rect = TileTexels(t, c, r);
        SDL_Texture* tile = SDL_CreateTexture(st.renderer, SDL_PIXELFORMAT_ARGB8888,
                                              SDL_TEXTUREACCESS_STATIC, rect.w, rect.h);
        if (!tile) {
          SetError(std::string("Can't create texture: ") + SDL_GetError());
          DropTextureUploads(t);
          return false;
        }
        SDL_SetTextureScaleMode(tile, SDL_ScaleModeLinear);
        t.tiles[static_cast<size_t>(r) * t.cols + c] = tile;
      }
    }
    t.dirty = true;
  }
  if (t.dirty) {
    for (int r = 0; r < t.rows; ++r) {
      for (int c = 0; c < t.cols; ++c) {
        const TileRect rect = TileTexels(t, c, r);
        const uint32_t* start = t.texels.data() + static_cast<size_t>(rect.y) * t.width + rect.x;
        SDL_UpdateTexture(t.tiles[static_cast<size_t>(r) * t.cols + c], nullptr, start,
                          t.width * 4);
      }
    }
    t.dirty = false;
  }
  ReleaseTexels(t);
  return true;
}

namespace {

HTEXTURE AddTexture(Texture&& t) {
  EngineState& st = *CORE.st;
  const HTEXTURE handle = st.nextTexture++;
  st.textures.emplace(handle, std::move(t));
  return handle;
}

// The largest image a texture is made from: 64 Mi texels (256 MB as ARGB, held
// up to three times while loading), far beyond the game's largest picture.
constexpr uint64_t kMaxTexels = uint64_t{1} << 26;

uint32_t BigEndian32(const uint8_t* b) {
  return (uint32_t{b[0]} << 24) | (uint32_t{b[1]} << 16) | (uint32_t{b[2]} << 8) | b[3];
}

// The largest picture file read: 64 MiB, far beyond the game's largest.
constexpr size_t kMaxPictureBytes = size_t{64} << 20;

// Checks the PNG image in `png` before it is decoded; empty if it may be, else
// why not. The chunks are followed up to IEND: each must lie inside the data,
// because libpng would go on reading past a truncated chunk (stale bytes can
// keep it going forever). The image size in IHDR must be one a texture can
// hold, so that a small file cannot claim gigabytes; it is stored in `t`.
std::string CheckPng(const std::string& png, Texture& t) {
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  const size_t size = png.size();
  if (size < 8 || memcmp(png.data(), kSignature, 8) != 0) return "not a PNG image";
  for (size_t pos = 8;;) {
    // A chunk: length, type, data, CRC. IHDR comes first and holds the size.
    if (size - pos < 12) return "truncated PNG image";
    const auto* head = reinterpret_cast<const uint8_t*>(png.data()) + pos;
    const uint32_t length = BigEndian32(head);
    if (length > 0x7FFFFFFFu || size - pos - 12 < length) return "truncated PNG image";
    if (pos == 8) {
      if (memcmp(head + 4, "IHDR", 4) != 0 || length != 13) return "PNG image without a header";
      const uint64_t texels = uint64_t{BigEndian32(head + 8)} * BigEndian32(head + 12);
      if (texels == 0) return "PNG image without texels";
      if (texels > kMaxTexels) return "PNG image too large";
      t.width = static_cast<int>(BigEndian32(head + 8));
      t.height = static_cast<int>(BigEndian32(head + 12));
    } else if (memcmp(head + 4, "IEND", 4) == 0) {
      return {};
    }
    pos += 12 + size_t{length};
  }
}

}  // namespace
}  // namespace engine

HTEXTURE HGE::Texture_Create(int width, int height) {
  if (width <= 0 || height <= 0) {
    engine::LoadFailed("Can't create a texture of size " + std::to_string(width) + "x" +
                       std::to_string(height));
    return 0;
  }
  engine::Texture t;
  t.width = width;
  t.height = height;
  t.texels.assign(static_cast<size_t>(width) * height, 0u);
  return engine::AddTexture(std::move(t));
}

HTEXTURE HGE::Texture_Load(const char* filename, uint32_t size, bool /*mipmap*/) {
  // With a size, the "name" is an image already in memory (as Resource_Load gives it).
  engine::Texture t;
  std::string problem;
  if (size > 0 && filename) {
    t.label = "<memory>";
    t.encoded.assign(filename, filename + size);
  } else {
    t.label = filename ? filename : "";
    ReadRegularFile(filename ? filename : "", engine::kMaxPictureBytes, &t.encoded, &problem);
  }
  // Only PNG, the game's one image format, reaches a decoder, and only once its
  // layout and size have been checked.
  if (problem.empty()) problem = engine::CheckPng(t.encoded, t);
  if (!problem.empty()) {
    engine::LoadFailed("Can't load texture " + t.label + ": " + problem);
    return 0;
  }
  const HTEXTURE handle = engine::AddTexture(std::move(t));
  // A window decodes on its worker thread at once; headless runs only on use.
  if (!engine::Headless() && CORE.st->renderer) engine::QueueDecode(*engine::FindTexture(handle));
  return handle;
}

void HGE::Texture_Free(HTEXTURE tex) {
  engine::Texture* t = engine::FindTexture(tex);
  if (!t) return;
  std::string ignored;
  engine::TakeDecoded(*t, true, &ignored);  // the worker must be done with its file
  engine::DropTextureUploads(*t);
  CORE.st->textures.erase(tex);
}

int HGE::Texture_GetWidth(HTEXTURE tex, bool /*original*/) {
  // The texture is made at the image's own size, so both answers agree.
  const engine::Texture* t = engine::FindTexture(tex);
  return t ? t->width : 0;
}

int HGE::Texture_GetHeight(HTEXTURE tex, bool /*original*/) {
  const engine::Texture* t = engine::FindTexture(tex);
  return t ? t->height : 0;
}

uint32_t* HGE::Texture_Lock(HTEXTURE tex, bool readOnly, int left, int top, int width, int height) {
  engine::Texture* t = engine::FindTexture(tex);
  if (!t || left < 0 || top < 0 || left >= t->width || top >= t->height) return nullptr;
  engine::DecodeTexels(*t);
  (void)width;  // the whole row pitch stays the texture's width either way
  (void)height;
  if (!readOnly) t->dirty = t->edited = true;
  return t->texels.data() + static_cast<size_t>(top) * t->width + left;
}

void HGE::Texture_Unlock(HTEXTURE tex) {
  // The new texels reach the GPU when a frame using the texture is next drawn.
  engine::Texture* t = engine::FindTexture(tex);
  if (t) t->dirty = true;
}
