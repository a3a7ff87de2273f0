// Quad drawing. Between Gfx_BeginScene and Gfx_EndScene the frame is recorded
// as a list of clears and batches (consecutive quads with the same texture and
// blend mode); a real-time run replays the list at Gfx_EndScene and presents,
// a headless run keeps it for headless::SaveShot. Replaying turns each batch
// into one SDL_RenderGeometry call of two triangles per quad; quads wholly off
// the screen are left out.
//
// Blend modes: BLEND_ALPHABLEND draws source-over (SDL_BLENDMODE_BLEND), else
// additively (SDL_BLENDMODE_ADD); the texel is multiplied by the vertex colour.
// BLEND_COLORADD (texel + vertex colour) is drawn with white vertex colour and
// the vertex alpha: exact for the black vertex colours the game uses with it.
#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "engine/EngineCore.h"

using engine::CORE;

namespace engine {
namespace {

// A corner of a (part of a) quad as floats, ready to interpolate.
struct Corner {
  float x, y, u, v;
  float a, r, g, b;
};

Corner ToCorner(const hgeVertex& v) {
  return {v.x,
          v.y,
          v.tx,
          v.ty,
          static_cast<float>(v.col >> 24),
          static_cast<float>((v.col >> 16) & 0xFF),
          static_cast<float>((v.col >> 8) & 0xFF),
          static_cast<float>(v.col & 0xFF)};
}

Corner Lerp(const Corner& p, const Corner& q, float k) {
  auto mix = [k](float a, float b) { return a + (b - a) * k; };
  return {mix(p.x, q.x), mix(p.y, q.y), mix(p.u, q.u), mix(p.v, q.v),
          mix(p.a, q.a), mix(p.r, q.r), mix(p.g, q.g), mix(p.b, q.b)};
}

uint8_t Channel(float c) { return static_cast<uint8_t>(std::clamp(std::lround(c), 0L, 255L)); }

float Clamp01(float c) {
  // SDL rejects a whole call if any coordinate leaves [0, 1]; NaN becomes 0.
  return c >= 0.0f ? (c <= 1.0f ? c : 1.0f) : 0.0f;
}

// Collects triangles for one SDL texture and hands them to SDL in one call.
class Batcher {
 public:
  Batcher(EngineState& st, bool colorAdd)
      : st_(st), colorAdd_(colorAdd), softwareRenderer_(st.rendererName == "software") {
    st_.scratchVerts.clear();
    st_.scratchIndices.clear();
  }

  // Starts drawing with `tex`, sending what was collected for the previous one.
  void Use(SDL_Texture* tex) {
    if (tex != current_) Flush();
    current_ = tex;
  }

  // Corners in vertex order; u/v already mapped into the current texture.
  void Add(const Corner (&c)[4]) {
    static const int kOrder[6] = {0, 1, 2, 0, 2, 3};
    const int base = static_cast<int>(st_.scratchVerts.size());
    const bool turned = c[0].u != c[3].u || c[0].v != c[1].v;
    if (softwareRenderer_ && turned) {
      // SDL's software renderer draws two triangles that share corners and form an
      // upright rectangle as a rectangle copy, which is exact for upright and
      // mirrored textures but ignores a texture turned against the quad. Triangles
      // with corners of their own are drawn as triangles.
      for (int n = 0; n < 6; ++n) {
        st_.scratchVerts.push_back(Vertex(c[kOrder[n]]));
        st_.scratchIndices.push_back(base + n);
      }
      return;
    }
    for (const Corner& k : c) st_.scratchVerts.push_back(Vertex(k));
    for (int i : kOrder) st_.scratchIndices.push_back(base + i);
  }

  SDL_Vertex Vertex(const Corner& k) const {
    SDL_Vertex v;
    v.position = {k.x, k.y};
    if (colorAdd_) {
      v.color = {255, 255, 255, Channel(k.a)};
    } else {
      v.color = {Channel(k.r), Channel(k.g), Channel(k.b), Channel(k.a)};
    }
    v.tex_coord = {Clamp01(k.u), Clamp01(k.v)};
    return v;
  }

  void Flush() {
    if (st_.scratchVerts.empty()) return;
    SDL_RenderGeometry(st_.renderer, current_, st_.scratchVerts.data(),
                       static_cast<int>(st_.scratchVerts.size()), st_.scratchIndices.data(),
                       static_cast<int>(st_.scratchIndices.size()));
    ++st_.drawCalls;
    st_.scratchVerts.clear();
    st_.scratchIndices.clear();
  }

 private:
  EngineState& st_;
  bool colorAdd_;
  bool softwareRenderer_;
  SDL_Texture* current_ = nullptr;
};

// Splits one quad of a tiled texture along the tile borders in texture space.
// The quad is a bilinear patch over (s, t) in [0, 1]^2 with corner 0 at (0, 0),
// 1 at (1, 0), 2 at (1, 1) and 3 at (0, 1); positions, colours and texture
// coordinates of a piece are interpolated on that patch. When u follows s
// alone (or t alone), as for every sprite, the cut is exact.
class TileSplitter {
 public:
  TileSplitter(const Texture& t, Batcher& out, SDL_BlendMode mode)
      : t_(t), out_(out), mode_(mode) {}

  void Draw(const hgeVertex* v) {
    for (int i = 0; i < 4; ++i) quad_[i] = ToCorner(v[i]);
    Piece(0, 1, 0, 1, 0);
  }

 private:
  static constexpr float kEps = 1e-3f;  // in texels: a piece touching a border stays in its tile
  static constexpr int kMaxDepth = 24;

  Corner At(float s, float t) const {
    return Lerp(Lerp(quad_[0], quad_[1], s), Lerp(quad_[3], quad_[2], s), t);
  }

  // A tile index from a float, kept in [0, count) also for NaN and huge values.
  static int Index(float f, int count) {
    if (!(f > 0.0f)) return 0;
    return f < static_cast<float>(count - 1) ? static_cast<int>(f) : count - 1;
  }

  // Tile range [first, last] covered by texel coordinates [lo, hi] of one axis.
  static void Range(float lo, float hi, int tile, int count, int* first, int* last) {
    *first = Index(std::floor((lo + kEps) / tile), count);
    *last = Index(std::ceil((hi - kEps) / tile) - 1.0f, count);
    if (*last < *first) *last = *first;
  }

  // Parameter in [a, b] where a linear coordinate from ca (at a) to cb (at b) meets `border`.
  static float Cut(float a, float b, float ca, float cb, float border) {
    return a + (b - a) * (border - ca) / (cb - ca);
  }

  void Piece(float s0, float s1, float t0, float t1, int depth) {
    Corner c[4] = {At(s0, t0), At(s1, t0), At(s1, t1), At(s0, t1)};
    float u[4], v[4];
    for (int i = 0; i < 4; ++i) {
      u[i] = c[i].u * t_.width;
      v[i] = c[i].v * t_.height;
    }
    int col0, col1, row0, row1;
    Range(*std::min_element(u, u + 4), *std::max_element(u, u + 4), t_.tileW, t_.cols, &col0,
          &col1);
    Range(*std::min_element(v, v + 4), *std::max_element(v, v + 4), t_.tileH, t_.rows, &row0,
          &row1);
    if ((col0 == col1 && row0 == row1) || depth >= kMaxDepth) {
      Emit(c, u, v);
      return;
    }
    if (col0 != col1) {
      const float border = static_cast<float>((col0 + 1) * t_.tileW);
      if (u[0] == u[3] && u[1] == u[2] && u[0] != u[1]) {  // u follows s
        const float s = Cut(s0, s1, u[0], u[1], border);
        Piece(s0, s, t0, t1, depth + 1);
        Piece(s, s1, t0, t1, depth + 1);
        return;
      }
      if (u[0] == u[1] && u[3] == u[2] && u[0] != u[3]) {  // u follows t
        const float t = Cut(t0, t1, u[0], u[3], border);
        Piece(s0, s1, t0, t, depth + 1);
        Piece(s0, s1, t, t1, depth + 1);
        return;
      }
    } else {
      const float border = static_cast<float>((row0 + 1) * t_.tileH);
      if (v[0] == v[1] && v[3] == v[2] && v[0] != v[3]) {  // v follows t
        const float t = Cut(t0, t1, v[0], v[3], border);
        Piece(s0, s1, t0, t, depth + 1);
        Piece(s0, s1, t, t1, depth + 1);
        return;
      }
      if (v[0] == v[3] && v[1] == v[2] && v[0] != v[1]) {  // v follows s
        const float s = Cut(s0, s1, v[0], v[1], border);
        Piece(s0, s, t0, t1, depth + 1);
        Piece(s, s1, t0, t1, depth + 1);
        return;
      }
    }
    // Texture space turned against the quad: quarter the piece until each fits a tile.
    const float sm = (s0 + s1) * 0.5f, tm = (t0 + t1) * 0.5f;
    const int deeper = std::max(depth + 1, kMaxDepth - 4);
    Piece(s0, sm, t0, tm, deeper);
    Piece(sm, s1, t0, tm, deeper);
    Piece(sm, s1, tm, t1, deeper);
    Piece(s0, sm, tm, t1, deeper);
  }

  // Draws a piece with the tile under its centre, texture coordinates made tile-local.
  void Emit(Corner (&c)[4], const float* u, const float* v) {
    const float cu = (u[0] + u[1] + u[2] + u[3]) * 0.25f;
    const float cv = (v[0] + v[1] + v[2] + v[3]) * 0.25f;
    const int col = Index(std::floor(cu / t_.tileW), t_.cols);
    const int row = Index(std::floor(cv / t_.tileH), t_.rows);
    const TileRect rect = TileTexels(t_, col, row);
    for (int i = 0; i < 4; ++i) {
      c[i].u = (u[i] - rect.x) / rect.w;
      c[i].v = (v[i] - rect.y) / rect.h;
    }
    SDL_Texture* tile = t_.tiles[static_cast<size_t>(row) * t_.cols + col];
    out_.Use(tile);
    SDL_SetTextureBlendMode(tile, mode_);
    out_.Add(c);
  }

  const Texture& t_;
  Batcher& out_;
  SDL_BlendMode mode_;
  Corner quad_[4];
};

// Untextured quads are drawn as white texels times the vertex colours: the same
// colours, and one drawing path for both (SDL's software renderer ignores additive
// blending on untextured triangles).
SDL_Texture* WhiteTexel(EngineState& st) {
  if (!st.whiteTexel) {
    st.whiteTexel =
        SDL_CreateTexture(st.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, 1, 1);
    const uint32_t white = 0xFFFFFFFFu;
    if (st.whiteTexel) SDL_UpdateTexture(st.whiteTexel, nullptr, &white, 4);
  }
  return st.whiteTexel;
}

// A quad whose corners all lie beyond one edge of the screen covers no pixel:
// both renderers sample pixels at their centres, which lie inside the screen.
// Such quads (smoke blown off the edge, scenery waiting to scroll in, the sky
// layers while they are hidden) are not handed to SDL at all.
bool OffScreen(const EngineState& st, const hgeVertex* v) {
  const float w = static_cast<float>(st.screenWidth), h = static_cast<float>(st.screenHeight);
  bool left = true, right = true, above = true, below = true;
  for (int i = 0; i < 4; ++i) {
    left = left && v[i].x <= 0.0f;
    right = right && v[i].x >= w;
    above = above && v[i].y <= 0.0f;
    below = below && v[i].y >= h;
  }
  return left || right || above || below;
}

}  // namespace

void DrawBatch(EngineState& st, const DrawCmd& cmd, const std::vector<hgeVertex>& verts) {
  Texture* t = nullptr;
  if (cmd.tex) {
    t = FindTexture(cmd.tex);
    if (!t || !UploadTexture(*t)) return;  // freed or failed textures draw nothing
  }
  const SDL_BlendMode mode =
      (cmd.blend & BLEND_ALPHABLEND) ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_ADD;
  Batcher out(st, (cmd.blend & BLEND_COLORADD) != 0);
  const hgeVertex* first = verts.data() + cmd.first;
  if (t && t->tiles.size() > 1) {
    TileSplitter splitter(*t, out, mode);
    for (size_t q = 0; q < cmd.quads; ++q) {
      if (!OffScreen(st, first + 4 * q)) splitter.Draw(first + 4 * q);
    }
  } else {
    SDL_Texture* tex = t ? t->tiles[0] : WhiteTexel(st);
    if (tex) {
      SDL_SetTextureBlendMode(tex, mode);
    } else {
      SDL_SetRenderDrawBlendMode(st.renderer, mode);
    }
    out.Use(tex);
    for (size_t q = 0; q < cmd.quads; ++q) {
      if (OffScreen(st, first + 4 * q)) continue;
      Corner c[4];
      for (int i = 0; i < 4; ++i) c[i] = ToCorner(first[4 * q + i]);
      out.Add(c);
    }
  }
  out.Flush();
}

void ReplayFrame(const FrameList& list) {
  EngineState& st = *CORE.st;
  // A defined start: the game itself never clears, its back layers cover the screen.
  SDL_SetRenderDrawBlendMode(st.renderer, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(st.renderer, 0, 0, 0, 255);
  SDL_RenderClear(st.renderer);
  for (const DrawCmd& cmd : list.cmds) {
    if (cmd.clear) {
      SDL_SetRenderDrawColor(st.renderer, (cmd.color >> 16) & 0xFF, (cmd.color >> 8) & 0xFF,
                             cmd.color & 0xFF, cmd.color >> 24);
      SDL_RenderClear(st.renderer);
    } else {
      DrawBatch(st, cmd, list.verts);
    }
  }
}

}  // namespace engine

bool HGE::Gfx_BeginScene(HTARGET target) {
  engine::EngineState& st = *CORE.st;
  if (!st.renderer || target != 0) return false;
  if (st.inScene) {
    engine::SetError("Gfx_BeginScene: Scene is already being rendered");
    return false;
  }
  st.recording.Reset();
  st.inScene = true;
  return true;
}

void HGE::Gfx_Clear(uint32_t color) {
  engine::EngineState& st = *CORE.st;
  if (!st.inScene) return;
  engine::DrawCmd cmd;
  cmd.clear = true;
  cmd.color = color;
  st.recording.cmds.push_back(cmd);
}

void HGE::Gfx_RenderQuad(const hgeQuad* quad) {
  engine::EngineState& st = *CORE.st;
  if (!st.inScene || !quad) return;
  engine::FrameList& list = st.recording;
  const int blend = quad->blend & (BLEND_COLORADD | BLEND_ALPHABLEND);  // no depth buffer
  if (list.cmds.empty() || list.cmds.back().clear || list.cmds.back().tex != quad->tex ||
      list.cmds.back().blend != blend) {
    engine::DrawCmd cmd;
    cmd.tex = quad->tex;
    cmd.blend = blend;
    cmd.first = list.verts.size();
    list.cmds.push_back(cmd);
  }
  ++list.cmds.back().quads;
  list.verts.insert(list.verts.end(), quad->v, quad->v + 4);
}

void HGE::Gfx_EndScene() {
  engine::EngineState& st = *CORE.st;
  if (!st.inScene) return;
  st.inScene = false;
  std::swap(st.lastFrame, st.recording);
  if (engine::Headless()) return;  // kept for headless::SaveShot, never shown
  engine::ReplayFrame(st.lastFrame);
  SDL_RenderPresent(st.renderer);
  engine::DecodePendingTextures();
  // Screens drawn outside the loop (loading) keep the window answering; a close
  // seen here keeps the loop from starting.
  if (!st.running) engine::PumpEvents();
}
