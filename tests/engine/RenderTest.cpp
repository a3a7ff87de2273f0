// Drawing, checked on screenshots: exact coverage, blend modes, texture
// coordinates on the edge of [0, 1], batch order, painted textures and large
// textures split into tiles, on the offscreen OpenGL and the software renderer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <tuple>

#include "tests/engine/EngineTestSupport.h"

namespace {

using enginetest::Image;
using enginetest::ReadPng;

hgeQuad Rect(float x0, float y0, float x1, float y1, uint32_t col, HTEXTURE tex = 0,
             int blend = BLEND_DEFAULT) {
  hgeQuad q;
  q.v[0] = {x0, y0, 0.5f, col, 0, 0};
  q.v[1] = {x1, y0, 0.5f, col, 1, 0};
  q.v[2] = {x1, y1, 0.5f, col, 1, 1};
  q.v[3] = {x0, y1, 0.5f, col, 0, 1};
  q.tex = tex;
  q.blend = blend;
  return q;
}

int Channel(uint32_t rgb, int shift) { return static_cast<int>((rgb >> shift) & 0xFF); }

class Drawing : public enginetest::HeadlessEngine, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    HeadlessEngine::SetUp();
    if (!IsSkipped()) headless::UseSoftwareRenderer(GetParam());
  }

  // Draws one frame with `draw` and returns its screenshot.
  template <typename F>
  Image Frame(F draw) {
    EXPECT_TRUE(hge->Gfx_BeginScene());
    draw();
    hge->Gfx_EndScene();
    const std::string shot = dir + "/shot" + std::to_string(shots++) + ".png";
    EXPECT_TRUE(headless::SaveShot(shot.c_str())) << hge->System_GetErrorMessage();
    return ReadPng(shot);
  }

  void Draw(const hgeQuad& q) { hge->Gfx_RenderQuad(&q); }

  HTEXTURE Solid(int w, int h, uint32_t argb) {
    const HTEXTURE tex = hge->Texture_Create(w, h);
    std::fill_n(hge->Texture_Lock(tex, false), w * h, argb);
    hge->Texture_Unlock(tex);
    return tex;
  }

  int shots = 0;
};

TEST_P(Drawing, BlendModesTextureCoordinatesBatchesAndCoverageInOneFrame) {
  ASSERT_TRUE(Start(80, 60));
  EXPECT_EQ(headless::RendererName() == "software", GetParam());
  const HTEXTURE white = Solid(8, 8, 0xFFFFFFFF), grey = Solid(8, 8, 0xFF808080);
  const HTEXTURE clear = Solid(4, 4, 0x00FFFFFF), tex = Solid(8, 8, 0xFF336699);
  const HTEXTURE green = Solid(8, 8, 0xFF00FF00), freed = Solid(4, 4, 0xFFFFFFFF);
  const HTEXTURE red = Solid(4, 4, 0xFFFF0000), blue = Solid(4, 4, 0xFF0000FF);
  const int kAdd = BLEND_COLORMUL | BLEND_ALPHAADD;
  const Image img = Frame([&] {
    // Row 0, source-over: texel times vertex colour, the same without a texture,
    // a transparent texel, colour-add and colour-mul with black vertices.
    Draw(Rect(0, 0, 8, 8, 0x9BFFFFFF, white));
    Draw(Rect(10, 0, 18, 8, 0x9BFFFFFF));
    Draw(Rect(20, 0, 28, 8, 0xFF00FF00, grey));
    Draw(Rect(30, 0, 38, 8, 0xFF102030));
    Draw(Rect(30, 0, 38, 8, 0xFFFFFFFF, clear));
    Draw(Rect(40, 0, 48, 8, 0xFF000000, tex, BLEND_COLORADD | BLEND_ALPHABLEND));
    Draw(Rect(50, 0, 58, 8, 0xFFFFFFFF));
    Draw(Rect(50, 0, 58, 8, 0xFF000000, tex, BLEND_COLORMUL | BLEND_ALPHABLEND));
    // Row 1, additive over grey: twice, saturating, and scaled by the vertex alpha.
    Draw(Rect(0, 10, 40, 18, 0xFF202020));
    Draw(Rect(0, 10, 8, 18, 0xFF300010, white, kAdd));
    Draw(Rect(0, 10, 8, 18, 0xFF300010, white, kAdd));
    Draw(Rect(10, 10, 18, 18, 0xFFF0F0F0, 0, kAdd));
    Draw(Rect(20, 10, 28, 18, 0x80FFFFFF, white, kAdd));
    Draw(Rect(30, 10, 38, 18, 0xFF404040, white));  // same texture, source-over again
    // Row 2: texture coordinates just outside [0, 1], far outside or not a number
    // (clamped), and a texture freed before the frame is shown.
    hgeQuad q = Rect(0, 20, 8, 28, 0xFFFFFFFF, green);
    q.v[1].tx = q.v[2].tx = 1.0000001f;
    q.v[0].ty = q.v[1].ty = -0.0000001f;
    Draw(q);
    q = Rect(10, 20, 18, 28, 0xFFFFFFFF, green);
    q.v[1].tx = q.v[2].tx = 3.0f;
    q.v[0].ty = -2.0f;
    q.v[3].ty = std::nanf("");
    Draw(q);
    Draw(Rect(20, 20, 28, 28, 0xFFFFFFFF, freed));
    hge->Texture_Free(freed);
    // Row 3: batches keep their order: a textured quad under an untextured one,
    // then textures alternating over one spot.
    Draw(Rect(0, 30, 8, 38, 0xFFFFFFFF, red));
    Draw(Rect(4, 30, 12, 38, 0xFF00FF00));
    for (int i = 0; i < 5; ++i) Draw(Rect(20, 30, 28, 38, 0xFFFFFFFF, i % 2 ? blue : red));
    // Row 4: one long batch; quad i has red i.
    for (int i = 0; i < 100; ++i) {
      const float x = static_cast<float>(i % 10) * 4;
      Draw(Rect(x, 40, x + 4, 44, 0xFF000000u | static_cast<uint32_t>(i) << 16, red));
    }
    Draw(Rect(10, 50, 20, 55, 0xFFFF0000));  // row 5: exact coverage
  });
  ASSERT_EQ(img.width, 80);
  ASSERT_EQ(img.height, 60);
  const std::pair<std::pair<int, int>, uint32_t> expected[] = {
      {{4, 4}, 0x9B9B9B},  {{14, 4}, 0x9B9B9B},  {{24, 4}, 0x008000},  {{34, 4}, 0x102030},
      {{44, 4}, 0x336699}, {{54, 4}, 0x000000},  {{4, 14}, 0x802040},  {{14, 14}, 0xFFFFFF},
      {{4, 24}, 0x00FF00}, {{14, 24}, 0x00FF00}, {{24, 24}, 0x000000}, {{2, 34}, 0xFF0000},
      {{6, 34}, 0x00FF00}, {{24, 34}, 0xFF0000}, {{1, 41}, 0x5A0000},  {{9, 52}, 0},
      {{20, 52}, 0},       {{15, 49}, 0},        {{15, 55}, 0},        {{34, 14}, 0x404040}};
  for (const auto& [at, rgb] : expected)
    EXPECT_EQ(img.At(at.first, at.second), rgb) << at.first << "," << at.second;
  const uint32_t added = img.At(24, 14);
  EXPECT_NEAR(Channel(added, 16), 0x20 + 0x80, 1);
  EXPECT_EQ(Channel(added, 16), Channel(added, 0));
  for (int y = 50; y < 55; ++y)
    for (int x = 10; x < 20; ++x) ASSERT_EQ(img.At(x, y), 0xFF0000u) << x << "," << y;
}

TEST_P(Drawing, ClearsKeepTheirPlacePaintedTexelsReachTheScreenAndShotsShowCompleteFrames) {
  ASSERT_TRUE(Start());
  const HTEXTURE tex = hge->Texture_Create(4, 2);
  const uint32_t colours[8] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF,
                               0xFF102030, 0xFF405060, 0xFF708090, 0xFFA0B0C0};
  std::copy(colours, colours + 8, hge->Texture_Lock(tex, false));
  hge->Texture_Unlock(tex);
  const Image img = Frame([&] {
    Draw(Rect(0, 0, 8, 8, 0xFFFF0000));
    hge->Gfx_Clear(0xFF0000FF);
    Draw(Rect(10, 0, 18, 8, 0xFF00FF00, 0, BLEND_ALPHAADD));  // a batch of its own
    Draw(Rect(8, 20, 12, 22, 0xFFFFFFFF, tex));
  });
  EXPECT_EQ(img.At(4, 4), 0x0000FFu);
  EXPECT_EQ(img.At(14, 4), 0x00FFFFu);
  EXPECT_EQ(img.At(63, 47), 0x0000FFu);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(img.At(8 + i % 4, 20 + i / 4), colours[i] & 0xFFFFFF);
  // Painted again after the texture was on screen: the next complete frame shows
  // the new texels; a shot taken while it is drawn still shows the last one.
  hge->Texture_Lock(tex, false)[0] = 0xFF123456;
  hge->Texture_Unlock(tex);
  ASSERT_TRUE(hge->Gfx_BeginScene());
  EXPECT_FALSE(hge->Gfx_BeginScene());
  Draw(Rect(8, 20, 12, 22, 0xFFFFFFFF, tex));
  ASSERT_TRUE(headless::SaveShot((dir + "/mid.png").c_str()));
  hge->Gfx_EndScene();
  EXPECT_EQ(ReadPng(dir + "/mid.png").At(1, 1), 0x0000FFu);
  ASSERT_TRUE(headless::SaveShot((dir + "/end.png").c_str()));
  EXPECT_EQ(ReadPng(dir + "/end.png").At(8, 20), 0x123456u);
  EXPECT_FALSE(headless::SaveShot((dir + "/no/such/dir/x.png").c_str()));
}

// A 200 x 100 picture with a different colour in every pixel; neighbours differ
// by at most 2 per channel, so a one-texel sampling shift stays small.
uint32_t Pattern(int x, int y) {
  return 0xFF000000u | static_cast<uint32_t>(x) << 16 | static_cast<uint32_t>(y * 2) << 8 |
         static_cast<uint32_t>((x + y) / 2);
}

TEST_P(Drawing, SplitTexturesDrawLikeWholeOnes) {
  enginetest::WritePng(dir + "/big.png", 200, 100, Pattern);
  // On a fresh engine with the texture limit given: the picture 1:1, stretched,
  // and turned by 30 degrees showing part of it; a texture, left half red and
  // right half blue, turned a quarter; quads that no tile holds, which must not hang.
  auto draw = [&](int maxTexture, int* tiles) {
    hge->Release();
    headless::SetMaxTextureSize(maxTexture);
    hge = hgeCreate(HGE_VERSION);
    EXPECT_TRUE(Start(480, 360));
    const HTEXTURE tex = hge->Texture_Load((dir + "/big.png").c_str());
    const HTEXTURE halves = hge->Texture_Create(100, 100);
    uint32_t* texels = hge->Texture_Lock(halves, false);
    for (int i = 0; i < 100 * 100; ++i) texels[i] = i % 100 < 50 ? 0xFFFF0000 : 0xFF0000FF;
    hge->Texture_Unlock(halves);
    const Image img = Frame([&] {
      Draw(Rect(10, 10, 210, 110, 0xFFFFFFFF, tex));
      Draw(Rect(230, 10, 470, 190, 0xC0FFFFFF, tex));
      hgeQuad q = Rect(0, 0, 0, 0, 0xFFFFFFFF, tex);
      const float c = std::cos(0.5236f), s = std::sin(0.5236f);
      const float corners[4][4] = {{-80, -40, 0.1f, 0.2f},
                                   {80, -40, 0.9f, 0.2f},
                                   {80, 40, 0.9f, 0.95f},
                                   {-80, 40, 0.1f, 0.95f}};
      for (int i = 0; i < 4; ++i) {
        const auto [x, y, u, v] = corners[i];
        q.v[i] = {120 + x * c - y * s, 260 + x * s + y * c, 0.5f, 0xFFFFFFFF, u, v};
      }
      Draw(q);
      q = Rect(260, 200, 300, 240, 0xFFFFFFFF, halves);
      const float uv[4][2] = {{0, 1}, {0, 0}, {1, 0}, {1, 1}};
      for (int i = 0; i < 4; ++i) {
        q.v[i].tx = uv[i][0];
        q.v[i].ty = uv[i][1];
      }
      Draw(q);
      q = Rect(500, 400, 540, 440, 0xFFFFFFFF, halves);  // off the screen
      q.v[1].tx = std::nanf("");
      q.v[2].tx = 1e30f;
      q.v[3].ty = -1e30f;
      Draw(q);
      Draw(Rect(380, 220, 380, 220, 0xFFFFFFFF, halves));
    });
    *tiles = headless::TextureTiles(tex) * 10 + headless::TextureTiles(halves);
    return img;
  };
  int wholeTiles = 0, tiledTiles = 0;
  const Image whole = draw(0, &wholeTiles), tiled = draw(64, &tiledTiles);
  ASSERT_EQ(wholeTiles, 11);
  ASSERT_EQ(tiledTiles, 4 * 2 * 10 + 2 * 2);
  ASSERT_EQ(whole.rgb.size(), tiled.rgb.size());
  // 1:1 the texels land on pixels exactly, tiles or not.
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x)
      ASSERT_EQ(tiled.At(10 + x, 10 + y), Pattern(x, y) & 0xFFFFFF) << x << "," << y;
  // The quarter-turned texture: red on top, blue below.
  const std::tuple<int, int, uint32_t> halvesAt[] = {
      {280, 205, 0xFF0000}, {265, 215, 0xFF0000}, {280, 235, 0x0000FF}, {295, 225, 0x0000FF}};
  for (const auto& [x, y, rgb] : halvesAt) EXPECT_EQ(tiled.At(x, y), rgb) << x << "," << y;
  // Stretched and turned, pixels may differ only by filtering along tile seams.
  int differ = 0;
  for (size_t i = 0; i < whole.rgb.size(); ++i) {
    int worst = 0;
    for (int shift : {0, 8, 16})
      worst =
          std::max(worst, std::abs(Channel(whole.rgb[i], shift) - Channel(tiled.rgb[i], shift)));
    differ += worst > 4;
  }
  // SDL's software renderer draws axis-aligned pieces as whole-pixel rectangles and
  // may drop the pixel column where two pieces meet; OpenGL draws them seamlessly.
  EXPECT_LT(differ, GetParam() ? 1000 : 40) << "of " << whole.rgb.size() << " pixels";
}

INSTANTIATE_TEST_SUITE_P(Renderers, Drawing, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "software" : "offscreen"; });

}  // namespace
