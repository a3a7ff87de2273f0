// Two virtual game pads (SDL's own) drive both players through a game: the
// title, a join, steering, rain, pause, and a name typed with the d-pad.
#include <gtest/gtest.h>

#include "tests/SimRunner.h"

TEST(Pads, DriveBothPlayersThroughAGame) {
  const std::vector<nlohmann::json> d = RunSim(
      "pad attach\npad attach\nframes 2\n"
      "pad 1 hold A\nframes 40\npad 1 release A\nframes 2\ndump\n"  // a one-player game
      "pad 2 hold START\nframes 2\npad 2 release START\n"           // player 2 joins
      "pad 1 hold RIGHT\npad 2 hold LEFT A\nframes 30\ndump\n"      // steer and rain
      "pad 1 release RIGHT\npad 2 release LEFT A\n"
      "pad 1 hold START\nframes 2\npad 1 release START\nframes 40\ndump\n"  // pause
      "pad 1 hold START\nframes 2\npad 1 release START\nframes 2\n"
      "set player2.position -300 200\nset player2.score 99999\nframes 40\n"
      // Name entry: up, up (B), keep; down (Z), keep; enter.
      "pad 2 hold UP\nframes 2\npad 2 release UP\nframes 2\npad 2 hold UP\nframes 2\n"
      "pad 2 release UP\nframes 6\npad 2 hold A\nframes 2\npad 2 release A\nframes 2\n"
      "pad 2 hold DOWN\nframes 2\npad 2 release DOWN\nframes 6\npad 2 hold A\nframes 2\n"
      "pad 2 release A\nframes 2\npad 2 hold A\nframes 2\npad 2 release A\nframes 6\ndump\n");
  ASSERT_EQ(d.size(), 4u);
  EXPECT_EQ(d[0]["GameState"], 1);
  EXPECT_TRUE(d[0]["player2"].is_null());
  EXPECT_GT(d[1]["player1"]["velocity"][0].get<float>(), 0);
  EXPECT_LT(d[1]["player2"]["velocity"][0].get<float>(), 0);
  EXPECT_LT(d[1]["player2"]["energy"].get<float>(), d[1]["player1"]["energy"].get<float>());
  EXPECT_EQ(d[2]["GameState"], 2);
  EXPECT_EQ(d[3]["GameState"], 1);  // player 1 plays on
  EXPECT_EQ(d[3]["highScores"]["names"][0], "BZ\n");
}
