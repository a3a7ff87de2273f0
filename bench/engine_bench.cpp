// Engine drawing speed: a frame of sprite-like quads recorded headless (what a
// simulator frame costs) and the same frame replayed through the batching path
// into an offscreen OpenGL renderer (what a real frame costs before present).
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "engine/Platform.h"
#include "engine/hge.h"

namespace {

class NoFrames : public FrameDriver {
 public:
  bool NextFrame(float*) override { return false; }
};

// Draws `count` 32x32 quads from two textures, in runs of eight per texture as
// sprite sheets tend to come, over the whole screen.
void DrawQuads(HGE* hge, HTEXTURE a, HTEXTURE b, int count) {
  hgeQuad q;
  q.blend = BLEND_DEFAULT;
  for (int i = 0; i < count; ++i) {
    const float x = static_cast<float>((i * 37) % 992), y = static_cast<float>((i * 53) % 736);
    q.tex = (i / 8) % 2 ? b : a;
    q.v[0] = {x, y, 0.5f, 0xFFFFFFFF, 0.0f, 0.0f};
    q.v[1] = {x + 32, y, 0.5f, 0xFFFFFFFF, 0.5f, 0.0f};
    q.v[2] = {x + 32, y + 32, 0.5f, 0xC0FFFFFF, 0.5f, 0.5f};
    q.v[3] = {x, y + 32, 0.5f, 0xC0FFFFFF, 0.0f, 0.5f};
    hge->Gfx_RenderQuad(&q);
  }
}

HGE* StartEngine(bool headlessRun, NoFrames* driver) {
  headless::Enable(headlessRun ? driver : nullptr);
  if (!headlessRun) setenv("SDL_VIDEODRIVER", "offscreen", 1);
  HGE* hge = hgeCreate(HGE_VERSION);
  hge->System_SetState(HGE_SCREENWIDTH, 1024);
  hge->System_SetState(HGE_SCREENHEIGHT, 768);
  if (!hge->System_Initiate()) {
    hge->Release();
    return nullptr;
  }
  return hge;
}

void RunFrames(benchmark::State& state, bool headlessRun) {
  NoFrames driver;
  HGE* hge = StartEngine(headlessRun, &driver);
  if (!hge) {
    state.SkipWithError("engine did not start");
    return;
  }
  const HTEXTURE a = hge->Texture_Create(64, 64);
  const HTEXTURE b = hge->Texture_Create(64, 64);
  const int count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    hge->Gfx_BeginScene();
    DrawQuads(hge, a, b, count);
    hge->Gfx_EndScene();
  }
  state.SetItemsProcessed(state.iterations() * count);
  hge->Texture_Free(a);
  hge->Texture_Free(b);
  hge->System_Shutdown();
  hge->Release();
  headless::Enable(nullptr);
}

void BM_HeadlessFrame(benchmark::State& state) { RunFrames(state, true); }
void BM_OffscreenFrame(benchmark::State& state) { RunFrames(state, false); }

BENCHMARK(BM_HeadlessFrame)->Arg(500)->Arg(5000);
BENCHMARK(BM_OffscreenFrame)->Arg(500)->Arg(5000);

}  // namespace
