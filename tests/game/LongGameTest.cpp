// A long two-player game, and screenshots of the screens and the scenery at
// chosen moments, left in the build's screenshots/ folder for review; the
// checks here catch blank or broken frames.
#include <cairo.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "tests/SimRunner.h"

namespace {

std::string ShotFolder() {
  const std::string dir = std::string(ZARVO_DATA_DIR) + "/../screenshots/";
  std::filesystem::create_directories(dir);
  return dir;
}

// Mean brightness (0..255) of a region of a screenshot, by default all of it.
double Brightness(const std::string& name, int x0 = 0, int y0 = 0, int x1 = 1024, int y1 = 768) {
  const std::string file = ShotFolder() + name + ".png";
  cairo_surface_t* s = cairo_image_surface_create_from_png(file.c_str());
  EXPECT_EQ(cairo_surface_status(s), CAIRO_STATUS_SUCCESS) << file;
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) return -1;
  const unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  double sum = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)  // blue, green and red bytes of each pixel
      for (int c = 0; c < 3; ++c) sum += data[y * stride + 4 * x + c] / 3.0;
  cairo_surface_destroy(s);
  return sum / ((x1 - x0) * (y1 - y0));
}

std::string Shot(const std::string& name) { return "shot " + ShotFolder() + name + ".png\n"; }

TEST(LongGame, ScreensThenTwoPlayersForThreeMinutes) {
  // The loading screen, the title with the scenery layers at their wrap points
  // (layer 3 at 3999 and 5671 px, layer 1 at 7087 px) and the other screens.
  std::string script = "seed 11\n" + Shot("loading") + "frames 30\n" + Shot("title");
  const std::pair<const char*, const char*> elapsedAndDistance[] = {
      {"0", "0"},       {"12.3", "70000"}, {"14.1", "139000"},
      {"19.99", "500"}, {"83.5", "3000"},  {"100", "139999"}};
  for (int i = 0; i < 6; ++i)
    script += std::string("set scenery.elapsed ") + elapsedAndDistance[i].first +
              "\nset scenery.distance " + elapsedAndDistance[i].second + "\nframes 1\n" +
              Shot("scenery-" + std::to_string(i));
  script += "set GameState 6\nframes 1\n" + Shot("how-to-play") + "set GameState 5\nframes 30\n" +
            Shot("credits") + "set GameState 3\nframes 1\n" + Shot("high-scores");
  // A game: clouds of every size, a bolt and its flash.
  script +=
      "set GameState 1\nhold SPACE NUMPAD0\nframes 2\nrelease all\n"
      "set player1.energy 8\nset player2.energy 45\nframes 30\n" +
      Shot("game-weak-and-medium") +
      "set player1.energy 25\nset player2.energy 90\n"
      "set player2.lightning.charges 5\nset player2.position 500 380\nframes 200\n" +
      Shot("game-small-and-large") + "hold ENTER\nframes 1\nrelease all\nframes 1\n" +
      Shot("game-flash") + "frames 6\n" + Shot("game-bolt");
  // Three minutes of play: both players wander, rain and cast; a dead cloud rejoins.
  const char* p1[] = {"D G", "W G J", "A", "S G", "D", "W H"};
  const char* p2[] = {"LEFT NUMPAD0", "UP",   "RIGHT NUMPAD0 NUMPAD1",
                      "DOWN ENTER",   "LEFT", "UP ENTER"};
  for (int second = 0; second < 180; ++second) {
    script +=
        std::string("release all\nhold ") + p1[second % 6] + " " + p2[(second / 2) % 6] + "\n";
    // A dead cloud leaves its slot in one frame and rejoins in the next; a game
    // that ended is played on.
    if (second % 20 == 0)
      script += "set GameState 1\nhold SPACE NUMPAD0\nframes 2\nset player2.lightning.charges 3\n";
    if (second % 30 == 15) script += "hold X\n";
    // Objects made with smoke live on while particle effects are off.
    if (second == 90 || second == 120)
      script += "set particleEffects " + std::to_string(second == 120) + "\n";
    script += second % 60 == 59 ? "frames 60\ndump\n" : "frames 60\n";
  }
  script +=
      "set GameState 1\nhold SPACE NUMPAD0\nframes 2\nrelease all\n"
      "set player1.energy 100\nset player2.energy 100\nframes 180\n" +
      Shot("game-dark-sky") + "dump\nquit\n";
  const auto dumps = RunSim(script);  // a shot that cannot be saved fails the run
  ASSERT_EQ(dumps.size(), 4u);
  for (const auto& d : dumps) EXPECT_TRUE(d["messages"].empty()) << d["messages"];
  EXPECT_GT(dumps.back()["time"].get<double>(), 180.0);
  EXPECT_LT(Brightness("loading"), 20);                 // black with one line of text
  EXPECT_GT(Brightness("title", 0, 0, 1024, 400), 80);  // a bright sky
  // The bright flash whitens the screen; the bolt frame is lighter than calm play.
  EXPECT_GT(Brightness("game-flash"), 200);
  EXPECT_GT(Brightness("game-bolt"), Brightness("game-small-and-large"));
  EXPECT_LT(Brightness("game-dark-sky", 300, 0, 700, 300),
            Brightness("game-weak-and-medium", 300, 0, 700, 300))
      << "heavy clouds darken the sky";
}

TEST(LongGame, EveryGroundObjectStateOnScreen) {
  // The demo script plays every tree, house, person and sheep state; its shots
  // land beside the others for review.
  std::ifstream in(std::string(ZARVO_SOURCE_DIR) + "/tools/sim/scripts/ground-states.sim");
  std::string script((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  for (size_t p = 0; (p = script.find("\nshot ", p)) != std::string::npos; p += 6)
    script.insert(p + 6, ShotFolder());
  const auto dumps = RunSim(script);
  ASSERT_EQ(dumps.size(), 1u);
  EXPECT_TRUE(dumps[0]["messages"].empty()) << "every frame inside its sheet";
}

}  // namespace
