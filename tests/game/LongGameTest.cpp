// A long two-player game driven by a script, and screenshots of the screens
// and the scenery at chosen moments. The screenshots land in the build's
// screenshots/ folder for review; the checks here catch blank or broken frames.
#include <cairo.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/SimRunner.h"

namespace {

std::string ShotFolder() {
  const std::string dir = std::string(ZARVO_DATA_DIR) + "/../screenshots";
  std::filesystem::create_directories(dir);
  return std::filesystem::canonical(dir).string();
}

// Mean brightness (0..255) of a region of a screenshot.
double Brightness(const std::string& file, int x0, int y0, int x1, int y1) {
  cairo_surface_t* s = cairo_image_surface_create_from_png(file.c_str());
  EXPECT_EQ(cairo_surface_status(s), CAIRO_STATUS_SUCCESS) << file;
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) return -1;
  const unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  double sum = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      const uint32_t p = reinterpret_cast<const uint32_t*>(data + y * stride)[x];
      sum += (((p >> 16) & 255) + ((p >> 8) & 255) + (p & 255)) / 3.0;
    }
  cairo_surface_destroy(s);
  return sum / ((x1 - x0) * (y1 - y0));
}

TEST(LongGame, TwoPlayersForThreeMinutes) {
  const std::string dir = ShotFolder();
  std::ostringstream script;
  script << "seed 11\nset GameState 1\nhold SPACE NUMPAD0\nframes 2\nrelease all\n";
  script << "set player1.energy 8\nset player2.energy 45\nframes 30\n";
  script << "shot " << dir << "/game-weak-and-medium.png\n";
  script << "set player1.energy 25\nset player2.energy 90\nset player2.lightning.charges 5\n"
            "set player2.position 500 380\nframes 200\n";
  script << "shot " << dir << "/game-small-and-large.png\n";
  script << "hold ENTER\nframes 1\nrelease all\nframes 1\n";
  script << "shot " << dir << "/game-flash.png\n";
  script << "frames 6\nshot " << dir << "/game-bolt.png\n";
  // Three minutes of play: both players wander, rain and cast; a dead cloud rejoins.
  const char* p1[] = {"D G", "W G J", "A", "S G", "D", "W H"};
  const char* p2[] = {"LEFT NUMPAD0", "UP",   "RIGHT NUMPAD0 NUMPAD1",
                      "DOWN ENTER",   "LEFT", "UP ENTER"};
  for (int second = 0; second < 180; ++second) {
    script << "release all\nhold " << p1[second % 6] << " " << p2[(second / 2) % 6] << "\n";
    // A dead cloud leaves its slot in one frame and rejoins in the next; a game
    // that ended is played on.
    if (second % 20 == 0)
      script << "set GameState 1\nhold SPACE NUMPAD0\nframes 2\nset player2.lightning.charges 3\n";
    if (second % 30 == 15) script << "hold X\n";
    // Objects made with smoke live on while particle effects are off.
    if (second == 90 || second == 120) script << "set particleEffects " << (second == 120) << "\n";
    script << "frames 60\n";
    if (second % 60 == 59) script << "dump\n";
  }
  script << "set GameState 1\nhold SPACE NUMPAD0\nframes 2\nrelease all\n"
            "set player1.energy 100\nset player2.energy 100\nframes 180\n";
  script << "shot " << dir << "/game-dark-sky.png\ndump\nquit\n";
  SimResult r = RunSimWith(script.str(), SimOptions{});
  ASSERT_EQ(r.exitCode, 0) << r.errors;
  ASSERT_EQ(r.dumps.size(), 4u);
  for (const auto& d : r.dumps) EXPECT_TRUE(d["messages"].empty()) << d["messages"];
  EXPECT_GT(r.dumps.back()["time"].get<double>(), 180.0);
  // The bright flash whitens the screen; the bolt frame is lighter than calm play.
  const double calm = Brightness(dir + "/game-small-and-large.png", 0, 0, 1024, 768);
  EXPECT_GT(Brightness(dir + "/game-flash.png", 0, 0, 1024, 768), 200);
  EXPECT_GT(Brightness(dir + "/game-bolt.png", 0, 0, 1024, 768), calm);
  // Heavy clouds darken the sky.
  EXPECT_LT(Brightness(dir + "/game-dark-sky.png", 300, 0, 700, 300),
            Brightness(dir + "/game-weak-and-medium.png", 300, 0, 700, 300));
}

TEST(LongGame, ScreensAndSceneryOffsets) {
  const std::string dir = ShotFolder();
  std::ostringstream script;
  script << "shot " << dir << "/loading.png\nframes 30\nshot " << dir << "/title.png\n";
  // The layers at their wrap points: layer 3 at 3999 and 5671 px, layer 1 at 7087 px.
  const float elapsed[] = {0, 12.3f, 14.1f, 19.99f, 83.5f, 100.0f};
  const float distance[] = {0, 70000, 139000, 500, 3000, 139999};
  for (int i = 0; i < 6; ++i) {
    script << "set scenery.elapsed " << elapsed[i] << "\nset scenery.distance " << distance[i]
           << "\nframes 1\nshot " << dir << "/scenery-" << i << ".png\n";
  }
  script << "set GameState 6\nframes 1\nshot " << dir << "/how-to-play.png\n";
  script << "set GameState 5\nframes 30\nshot " << dir << "/credits.png\n";
  script << "set GameState 3\nframes 1\nshot " << dir << "/high-scores.png\n";
  SimResult r = RunSimWith(script.str(), SimOptions{});
  ASSERT_EQ(r.exitCode, 0) << r.errors;
  for (const char* name :
       {"loading", "title", "scenery-3", "how-to-play", "credits", "high-scores"}) {
    const std::string file = dir + "/" + name + ".png";
    ASSERT_TRUE(std::filesystem::exists(file)) << file;
  }
  EXPECT_LT(Brightness(dir + "/loading.png", 0, 0, 1024, 768), 20);  // black with one line of text
  EXPECT_GT(Brightness(dir + "/title.png", 0, 0, 1024, 400), 80);    // a bright sky
}

TEST(LongGame, EveryGroundObjectStateOnScreen) {
  // The demo script plays every tree, house, person and sheep state; its shots
  // land beside the others for review.
  std::ifstream in(std::string(ZARVO_SOURCE_DIR) + "/tools/sim/scripts/ground-states.sim");
  std::string script((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  for (size_t p = 0; (p = script.find("\nshot ", p)) != std::string::npos; p += 6)
    script.insert(p + 6, ShotFolder() + "/");
  SimResult r = RunSimWith(script, SimOptions{});
  ASSERT_EQ(r.exitCode, 0) << r.errors;
  ASSERT_EQ(r.dumps.size(), 1u);
  EXPECT_TRUE(r.dumps[0]["messages"].empty()) << "every frame inside its sheet";
}

}  // namespace
