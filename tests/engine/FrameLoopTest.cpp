// The headless frame loop: the driver's deltas become the engine clock, the
// frame and render functions run in turn, keys set between frames arrive at
// the next frame, and the loop ends on the driver, the frame function or a
// termination signal.
#include <gtest/gtest.h>

#include <csignal>
#include <vector>

#include "tests/engine/EngineTestSupport.h"

namespace {

using enginetest::HeadlessEngine;

// What the callbacks saw, frame by frame.
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

bool CountRender() {
  ++gRenders;
  return false;
}

class FrameLoop : public HeadlessEngine {
 protected:
  void SetUp() override {
    HeadlessEngine::SetUp();
    if (IsSkipped()) return;
    gHge = hge;
    gFrames.clear();
    gRenders = 0;
    gStopAtFrame = -1;
    gSignalAtFrame = -1;
    hge->System_SetState(HGE_FRAMEFUNC, RecordFrame);
    hge->System_SetState(HGE_RENDERFUNC, CountRender);
    hge->System_SetState(HGE_FPS, 60);
    ASSERT_TRUE(Start());
  }
};

TEST_F(FrameLoop, RunsOneFramePerDriverStepAndSumsTheDeltas) {
  driver.deltas = {0.0f, 0.1f, 0.016f, 0.25f, 0.033f};
  EXPECT_TRUE(hge->System_Start());
  ASSERT_EQ(gFrames.size(), 5u);
  EXPECT_EQ(gRenders, 5);
  double sum = 0.0;
  for (size_t i = 0; i < gFrames.size(); ++i) {
    sum += driver.deltas[i];
    EXPECT_EQ(gFrames[i].delta, driver.deltas[i]);
    EXPECT_EQ(gFrames[i].time, static_cast<float>(sum));
  }
  EXPECT_EQ(hge->Timer_GetTime(), static_cast<float>(sum));
}

TEST_F(FrameLoop, LongRunsKeepTheClockExact) {
  driver.deltas.assign(36000, 1.0f / 60.0f);  // ten minutes at 60 frames per second
  hge->System_Start();
  double sum = 0.0;
  for (float d : driver.deltas) sum += d;
  EXPECT_EQ(hge->Timer_GetTime(), static_cast<float>(sum));
  EXPECT_NEAR(hge->Timer_GetTime(), 600.0f, 0.01f);
  EXPECT_EQ(hge->Timer_GetFPS(), 60);
}

TEST_F(FrameLoop, FrameFunctionTrueEndsTheLoopWithoutRendering) {
  driver.deltas.assign(10, 0.02f);
  gStopAtFrame = 3;
  hge->System_Start();
  EXPECT_EQ(gFrames.size(), 4u);
  EXPECT_EQ(gRenders, 3);
  EXPECT_EQ(driver.asked, 4);
}

TEST_F(FrameLoop, TerminationSignalEndsTheLoopBeforeTheNextFrame) {
  driver.deltas.assign(10, 0.02f);
  gSignalAtFrame = 2;
  hge->System_Start();
  EXPECT_EQ(gFrames.size(), 3u);
  EXPECT_EQ(gRenders, 3);  // the frame in progress finishes
  // The signal is used up: a new run is not cut short.
  driver.deltas.assign(2, 0.02f);
  driver.asked = 0;
  gSignalAtFrame = -1;
  gFrames.clear();
  hge->System_Start();
  EXPECT_EQ(gFrames.size(), 2u);
}

TEST_F(FrameLoop, SignalBeforeTheLoopKeepsItFromStarting) {
  // As when Ctrl+C arrives while the game is still loading.
  driver.deltas.assign(10, 0.02f);
  raise(SIGINT);
  EXPECT_TRUE(hge->System_Start());
  EXPECT_TRUE(gFrames.empty());
}

TEST_F(FrameLoop, BadDeltasBecomeZero) {
  driver.deltas = {-1.0f, std::numeric_limits<float>::quiet_NaN(), 0.5f};
  hge->System_Start();
  ASSERT_EQ(gFrames.size(), 3u);
  EXPECT_EQ(gFrames[0].delta, 0.0f);
  EXPECT_EQ(gFrames[1].delta, 0.0f);
  EXPECT_EQ(gFrames[2].time, 0.5f);
}

TEST_F(FrameLoop, KeysArriveAtTheNextFrameAndGoDownOnce) {
  driver.deltas.assign(6, 0.02f);
  driver.beforeFrame = [](int frame) {
    if (frame == 1) headless::SetKey(HGEK_SPACE, true);
    if (frame == 4) headless::SetKey(HGEK_SPACE, false);
  };
  headless::SetKey(HGEK_SPACE, false);
  hge->System_Start();
  ASSERT_EQ(gFrames.size(), 6u);
  const bool held[6] = {false, true, true, true, false, false};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(gFrames[i].spaceHeld, held[i]) << "frame " << i;
  EXPECT_EQ(gFrames[1].key, HGEK_SPACE);
  EXPECT_EQ(gFrames[1].ch, ' ');
  for (int i : {0, 2, 3, 4, 5}) {
    EXPECT_EQ(gFrames[i].key, 0) << "frame " << i;
    EXPECT_EQ(gFrames[i].ch, 0) << "frame " << i;
  }
}

TEST_F(FrameLoop, TypedCharactersFollowTheKeyTable) {
  driver.deltas.assign(7, 0.02f);
  driver.beforeFrame = [](int frame) {
    headless::ReleaseAllKeys();
    switch (frame) {
      case 0:
        headless::SetKey(HGEK_A, true);
        break;
      case 1:
        headless::SetKey(HGEK_SHIFT, true);
        headless::SetKey(HGEK_Z, true);
        break;
      case 2:
        headless::SetKey(0x37, true);
        break;
      case 3:
        headless::SetKey(HGEK_NUMPAD1, true);
        break;
      case 4:
        headless::SetKey(HGEK_F1, true);
        break;
      case 5:
        headless::SetKey(HGEK_ENTER, true);
        break;
      case 6:  // two keys at once: the last one counts
        headless::SetKey(HGEK_BACKSPACE, true);
        headless::SetKey(HGEK_MINUS, true);
        break;
    }
  };
  hge->System_Start();
  ASSERT_EQ(gFrames.size(), 7u);
  const int keys[7] = {HGEK_A, HGEK_Z, 0x37, HGEK_NUMPAD1, HGEK_F1, HGEK_ENTER, HGEK_MINUS};
  // Enter types no character: only printable keys do, so name entry never takes "Enter".
  const int chars[7] = {'a', 'Z', '7', '1', 0, 0, '-'};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(gFrames[i].key, keys[i]) << "frame " << i;
    EXPECT_EQ(gFrames[i].ch, chars[i]) << "frame " << i;
  }
  EXPECT_TRUE(gFrames[1].shiftHeld);
}

TEST_F(FrameLoop, EndsAtOnceWhenTheDriverHasNoFrames) {
  EXPECT_TRUE(hge->System_Start());
  EXPECT_TRUE(gFrames.empty());
  EXPECT_EQ(gRenders, 0);
}

TEST(FrameLoopSetup, StartNeedsInitiateAndAFrameFunction) {
  if (enginetest::EngineHeldElsewhere()) GTEST_SKIP();
  enginetest::ScriptedDriver driver;
  headless::Enable(&driver);
  HGE* hge = hgeCreate(HGE_VERSION);
  EXPECT_FALSE(hge->System_Start());
  hge->System_SetState(HGE_SCREENWIDTH, 32);
  hge->System_SetState(HGE_SCREENHEIGHT, 32);
  ASSERT_TRUE(hge->System_Initiate());
  EXPECT_FALSE(hge->System_Start());
  EXPECT_FALSE(std::string(hge->System_GetErrorMessage()).empty());
  hge->System_Shutdown();
  hge->Release();
  headless::Enable(nullptr);
}

TEST(EngineObject, HoldsKeepTheOneEngineAlive) {
  if (enginetest::EngineHeldElsewhere()) GTEST_SKIP();
  enginetest::ScriptedDriver driver;
  headless::Enable(&driver);
  HGE* game = hgeCreate(HGE_VERSION);
  HGE* sprite = hgeCreate(HGE_VERSION);
  EXPECT_EQ(game, sprite);
  game->System_SetState(HGE_SCREENWIDTH, 32);
  game->System_SetState(HGE_SCREENHEIGHT, 32);
  ASSERT_TRUE(game->System_Initiate());
  const HTEXTURE tex = game->Texture_Create(4, 4);
  sprite->Release();  // the game's hold still keeps everything
  EXPECT_EQ(game->Texture_GetWidth(tex), 4);
  EXPECT_FALSE(headless::RendererName().empty());
  game->Release();  // the last hold shuts SDL down and frees the texture
  HGE* fresh = hgeCreate(HGE_VERSION);
  EXPECT_EQ(fresh->Texture_GetWidth(tex), 0);
  EXPECT_TRUE(headless::RendererName().empty());
  fresh->Release();
  headless::Enable(nullptr);
}

TEST(EngineStartup, FailureGivesAReadableMessage) {
  if (enginetest::EngineHeldElsewhere()) GTEST_SKIP();
  HGE* hge = hgeCreate(HGE_VERSION);
  hge->System_SetState(HGE_SCREENWIDTH, 0);
  EXPECT_FALSE(hge->System_Initiate());
  EXPECT_NE(std::string(hge->System_GetErrorMessage()).find("screen size"), std::string::npos);
  hge->System_Shutdown();
  hge->Release();

  // A real-time start on a video driver that does not exist.
  setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
  hge = hgeCreate(HGE_VERSION);
  hge->System_SetState(HGE_SCREENWIDTH, 32);
  hge->System_SetState(HGE_SCREENHEIGHT, 32);
  EXPECT_FALSE(hge->System_Initiate());
  EXPECT_EQ(std::string(hge->System_GetErrorMessage()).rfind("Can't initialize SDL: ", 0), 0u)
      << hge->System_GetErrorMessage();
  hge->System_Shutdown();
  hge->Release();
  unsetenv("SDL_VIDEODRIVER");
}

}  // namespace
