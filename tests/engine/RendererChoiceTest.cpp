// The renderer a window gets, opened through SDL's offscreen video driver: the
// game's choice first, then SDL_RENDER_DRIVER, else the engine's own, which is
// never OpenGL drawn by a software rasteriser.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "engine/Platform.h"
#include "engine/hge.h"
#include "tests/HeadlessEngine.h"

namespace {

struct Window {
  std::string renderer;  // empty if the engine did not start
  std::string log;
};

Window Open(const std::string& choice, const char* driverVariable) {
  const std::string log = TestFolder("renderer-choice") + "/log.txt";
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  if (driverVariable)
    setenv("SDL_RENDER_DRIVER", driverVariable, 1);
  else
    unsetenv("SDL_RENDER_DRIVER");
  SetRendererChoice(choice);
  HGE* hge = hgeCreate(HGE_VERSION);
  hge->System_SetState(HGE_LOGFILE, log.c_str());
  hge->System_SetState(HGE_SCREENWIDTH, 64);
  hge->System_SetState(HGE_SCREENHEIGHT, 48);
  Window window;
  if (hge->System_Initiate()) window.renderer = headless::RendererName();
  hge->System_Shutdown();
  hge->Release();
  SetRendererChoice("");
  unsetenv("SDL_RENDER_DRIVER");
  unsetenv("SDL_VIDEODRIVER");
  window.log = ReadFile(log);
  return window;
}

TEST(RendererChoice, ChosenThenNamedThenNoSoftwareRasterisedOpenGl) {
  EXPECT_FALSE(SetRendererChoice("vulkan"));
  const Window gl = Open("opengl", "software");
  if (gl.renderer != "opengl") GTEST_SKIP() << "no OpenGL here: " << gl.log;
  bool rasteriser = false;
  for (const char* kind : {"llvmpipe", "softpipe", "swrast"})
    rasteriser = rasteriser || gl.log.find(kind) != std::string::npos;
  const struct {
    const char* choice;
    const char* variable;
    std::string expected;
  } cases[] = {
      {"software", "opengl", "software"},
      {"", "software", "software"},
      {"", "opengl", "opengl"},
      {"", nullptr, rasteriser ? "software" : "opengl"},
  };
  for (const auto& c : cases) {
    const Window window = Open(c.choice, c.variable);
    EXPECT_EQ(window.renderer, c.expected) << "choice '" << c.choice << "', SDL_RENDER_DRIVER "
                                           << (c.variable ? c.variable : "unset") << "\n"
                                           << window.log;
  }
}

}  // namespace
