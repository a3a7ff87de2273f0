// The headless frame loop: the driver's deltas become the engine clock, keys
// set between frames arrive at the next frame, and the loop ends on the driver,
// the frame function or a signal. Also how the engine comes up and is shared.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <limits>
#include <tuple>
#include <vector>

#include "tests/engine/EngineTestSupport.h"

namespace {

using enginetest::HeadlessEngine;

// What the frame function saw, frame by frame.
struct Seen {
  float time, delta;
  bool spaceHeld, shiftHeld;
  int key, ch;
};

HGE* gHge = nullptr;
std::vector<Seen> gFrames;
int gRenders = 0;
int gStopAtFrame = -1;  // the frame function returns true on this frame
int gSignalAtFrame = -1;

bool RecordFrame() {
  gFrames.push_back({gHge->Timer_GetTime(), gHge->Timer_GetDelta(),
                     gHge->Input_GetKeyState(HGEK_SPACE), gHge->Input_GetKeyState(HGEK_SHIFT),
                     gHge->Input_GetKey(), gHge->Input_GetChar()});
  const int frame = static_cast<int>(gFrames.size()) - 1;
  if (frame == gSignalAtFrame) raise(SIGTERM);
  return frame == gStopAtFrame;
}

bool CountRender() { return ++gRenders < 0; }

class FrameLoop : public HeadlessEngine {
 protected:
  void SetUp() override {
    HeadlessEngine::SetUp();
    if (IsSkipped()) return;
    gHge = hge;
    hge->System_SetState(HGE_FRAMEFUNC, RecordFrame);
    hge->System_SetState(HGE_RENDERFUNC, CountRender);
    ASSERT_TRUE(Start());
  }
  // Runs the loop afresh over `deltas`.
  bool Run(std::vector<float> deltas, int stopAt = -1, int signalAt = -1) {
    driver.deltas = std::move(deltas);
    driver.asked = 0;
    gFrames.clear();
    gRenders = 0;
    gStopAtFrame = stopAt;
    gSignalAtFrame = signalAt;
    return hge->System_Start();
  }
};

TEST_F(FrameLoop, TheClockSumsTheDriverDeltasAndBadDeltasCountAsZero) {
  EXPECT_TRUE(Run({0.0f, 0.1f, -1.0f, std::numeric_limits<float>::quiet_NaN(), 0.25f, 0.033f}));
  const float deltas[] = {0.0f, 0.1f, 0.0f, 0.0f, 0.25f, 0.033f};
  ASSERT_EQ(gFrames.size(), 6u);
  EXPECT_EQ(gRenders, 6);
  double sum = 0.0;
  for (size_t i = 0; i < 6; ++i) {
    sum += deltas[i];
    EXPECT_EQ(gFrames[i].delta, deltas[i]) << "frame " << i;
    EXPECT_EQ(gFrames[i].time, static_cast<float>(sum)) << "frame " << i;
  }
  // Ten more minutes at 60 frames per second: no drift, and the rate shows.
  Run(std::vector<float>(36000, 1.0f / 60.0f));
  EXPECT_NEAR(hge->Timer_GetTime(), 600.383f, 0.001f);
  EXPECT_EQ(hge->Timer_GetFPS(), 60);
}

TEST_F(FrameLoop, EndsOnTheFrameFunctionOrASignalWhichIsThenUsedUp) {
  raise(SIGINT);  // as when Ctrl+C arrives while the game is still loading
  EXPECT_TRUE(Run(std::vector<float>(10, 0.02f)));
  EXPECT_TRUE(gFrames.empty());
  Run(std::vector<float>(10, 0.02f), 3);  // no render after the frame that asks to stop
  EXPECT_EQ(gFrames.size(), 4u);
  EXPECT_EQ(gRenders, 3);
  EXPECT_EQ(driver.asked, 4);
  Run(std::vector<float>(10, 0.02f), -1, 2);  // the frame in progress finishes
  EXPECT_EQ(gFrames.size(), 3u);
  EXPECT_EQ(gRenders, 3);
  Run(std::vector<float>(2, 0.02f));
  EXPECT_EQ(gFrames.size(), 2u);
}

TEST_F(FrameLoop, KeysArriveAtTheNextFrameGoDownOnceAndTypeFromTheKeyTable) {
  // Keys held before a frame, the key it sees go down and the character typed. Only printable
  // keys type, so name entry never takes "Enter"; of two new keys the last counts.
  // clang-format off
  const std::vector<std::tuple<std::vector<int>, int, int>> rows = {
      {{}, 0, 0},                             {{HGEK_SPACE}, HGEK_SPACE, ' '},
      {{HGEK_SPACE}, 0, 0},                   {{HGEK_A}, HGEK_A, 'a'},
      {{HGEK_SHIFT, HGEK_Z}, HGEK_Z, 'Z'},    {{0x37}, 0x37, '7'},
      {{HGEK_NUMPAD1}, HGEK_NUMPAD1, '1'},    {{HGEK_F1}, HGEK_F1, 0},
      {{HGEK_ENTER}, HGEK_ENTER, 0},          {{HGEK_BACKSPACE, HGEK_MINUS}, HGEK_MINUS, '-'}};
  // clang-format on
  driver.beforeFrame = [&](int frame) {
    headless::ReleaseAllKeys();
    for (int key : std::get<0>(rows[frame])) headless::SetKey(key, true);
  };
  Run(std::vector<float>(rows.size(), 0.02f));
  ASSERT_EQ(gFrames.size(), rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    const auto& [held, key, ch] = rows[i];
    EXPECT_EQ(gFrames[i].key, key) << "frame " << i;
    EXPECT_EQ(gFrames[i].ch, ch) << "frame " << i;
    EXPECT_EQ(gFrames[i].spaceHeld, std::count(held.begin(), held.end(), HGEK_SPACE) > 0) << i;
    EXPECT_EQ(gFrames[i].shiftHeld, std::count(held.begin(), held.end(), HGEK_SHIFT) > 0) << i;
  }
}

using EngineSetup = HeadlessEngine;

// Every hgeCreate holds the one engine (sprites take holds of their own); the
// last Release shuts it down.
TEST_F(EngineSetup, StartNeedsAScreenAndAFrameFunctionAndHoldsShareOneEngine) {
  HGE* sprite = hgeCreate(HGE_VERSION);
  EXPECT_EQ(sprite, hge);
  EXPECT_FALSE(hge->System_Start());
  hge->System_SetState(HGE_SCREENWIDTH, 0);
  EXPECT_FALSE(hge->System_Initiate());
  EXPECT_STREQ(hge->System_GetErrorMessage(), "Invalid screen size 0x600");
  ASSERT_TRUE(Start());
  EXPECT_FALSE(hge->System_Start());
  EXPECT_FALSE(std::string(hge->System_GetErrorMessage()).empty());
  const HTEXTURE tex = hge->Texture_Create(4, 4);
  sprite->Release();
  EXPECT_EQ(hge->Texture_GetWidth(tex), 4);
  EXPECT_FALSE(headless::RendererName().empty());
  hge->Release();  // shuts SDL down and frees the texture
  hge = hgeCreate(HGE_VERSION);
  EXPECT_EQ(hge->Texture_GetWidth(tex), 0);
  EXPECT_TRUE(headless::RendererName().empty());
}

// A real-time run (SDL's offscreen driver, asked for by name) paces itself: its first delta is 0
// and twelve frames at 60 fps span at least eleven periods. Alt+Enter, no key of the game's, makes
// it fullscreen, the screen between bars. Shutting down gives the quit signals back.
TEST(RealTimeLoop, PacesToTheFrameRateFromAZeroFirstDeltaAndGivesTheSignalsBack) {
  if (!headless::RendererName().empty()) GTEST_SKIP() << "an engine is already running";
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  struct sigaction before[2], after[2];
  sigaction(SIGINT, nullptr, &before[0]);
  sigaction(SIGTERM, nullptr, &before[1]);
  gHge = hgeCreate(HGE_VERSION);
  gFrames.clear();
  gStopAtFrame = 11;
  gHge->System_SetState(HGE_FRAMEFUNC, RecordFrame);
  gHge->System_SetState(HGE_FPS, 60);
  gHge->System_SetState(HGE_SCREENWIDTH, 32);
  gHge->System_SetState(HGE_SCREENHEIGHT, 32);
  ASSERT_TRUE(gHge->System_Initiate()) << gHge->System_GetErrorMessage();
  SDL_Event altEnter = {SDL_KEYDOWN};
  altEnter.key.keysym = {SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_LALT, 0};
  SDL_PushEvent(&altEnter);
  gHge->System_Start();
  int x = 0, y = 0;  // the screen's far corner in the run's one window, 1024x768 now
  SDL_RenderLogicalToWindow(SDL_GetRenderer(SDL_GetWindowFromID(1)), 32, 32, &x, &y);
  EXPECT_EQ(std::make_pair(x, y), std::make_pair(896, 768));
  EXPECT_EQ(gFrames.at(0).key, 0);
  gHge->System_Shutdown();
  gHge->Release();
  unsetenv("SDL_VIDEODRIVER");
  // Shutting down gives Ctrl+C and SIGTERM back to whoever had them.
  sigaction(SIGINT, nullptr, &after[0]);
  sigaction(SIGTERM, nullptr, &after[1]);
  for (int i = 0; i < 2; ++i) EXPECT_EQ(after[i].sa_handler, before[i].sa_handler) << i;
  ASSERT_EQ(gFrames.size(), 12u);
  EXPECT_EQ(gFrames[0].delta, 0);
  EXPECT_GE(gFrames[11].time, 11 / 60.0 - 0.005);
  for (size_t i = 1; i < gFrames.size(); ++i) EXPECT_GT(gFrames[i].delta, 0) << i;
}

}  // namespace
