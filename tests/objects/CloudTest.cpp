// Energy clouds in play: where each kind starts, its size and picture, its
// drift and its back-and-forth animation, and its removal once its right edge
// passes the left border. No player joins, so nothing collects them.
#include "tests/objects/CloudScenario.h"

using namespace cloudscenario;

namespace {

const std::string kPlaying = "set GameState 1;";

TEST(EnergyCloud, EachKindStartsAtTheRightEdgeAnywhereInItsBand) {
  // 2000 clouds of a kind surely draw both ends of its band.
  std::string s = kPlaying;
  for (int kind = 1; kind <= 4; ++kind)
    for (int i = 0; i < 2000; ++i) s += "spawn Cloud" + std::to_string(kind) + ";";
  const Dumps d = RunScript(s + "dump");
  ASSERT_EQ(d.at(0)["cloudobjects"].size(), 8000u);
  // Size, picture and band of each kind.
  const json kinds[] = {{83, 46, "litet", 1, 145},
                        {85, 53, "mellan", 145, 330},
                        {127, 64, "stort", 330, 500},
                        {127, 64, "blixt", 145, 330}};
  for (size_t k = 0; k < 4; ++k) {
    const json& c = kinds[k];
    const std::string sheet = "Images\\" + c[2].get<std::string>() + "_energimoln.png";
    Expect(d, "/cloudobjects/" + std::to_string(2000 * k) + "/") = {
        {0, "kind", k + 1},  {0, "size", {c[0], c[1]}},  {0, "frame", 0},
        {0, "frameStep", 1}, {0, "frameDuration", 0.15}, {0, "sheet", sheet}};
    float low = 1e9f, high = -1e9f;
    for (size_t i = 2000 * k; i < 2000 * (k + 1); ++i) {
      const json& at = d[0]["cloudobjects"][i]["position"];
      EXPECT_TRUE(at[0] == 1024 && F(at[1]) == std::floor(F(at[1]))) << at;  // whole pixels
      low = std::min(low, F(at[1]));
      high = std::max(high, F(at[1]));
    }
    EXPECT_EQ(json({low, high}), json({c[3], c[4]})) << "Cloud" << k + 1;
  }
}

TEST(EnergyCloud, DriftsAtItsOwnSpeedAndStepsOncePastEachFrameDuration) {
  // Frames of 1/4 s keep the clock exact. With the built-in 0.15 s every frame
  // steps, from the first update on; with 0.5 s only every third frame does,
  // as exactly 0.5 s is not yet past it.
  const Dumps d = RunScript(kPlaying + "set energyCloudSpeed 40; spawn Cloud2 500 200" +
                            DumpEachFrame(7, "0.25") + "set cloudobjects.0.frameDuration 0.5" +
                            DumpEachFrame(6, "0.25"));
  EXPECT_EQ(Series(d, "/cloudobjects/0/frame"), json({1, 2, 1, 0, 1, 2, 1, 1, 1, 0, 0, 0, 1}));
  // 10 px a frame, straight left.
  Expect(d, "/cloudobjects/0/") = {{6, "position", {430, 200}}, {12, "position", {370, 200}}};
}

TEST(EnergyCloud, LeavesTheListOnlyWhenItsRightEdgePassesZero) {
  // 0.125 s at 50 px/s moves 6.25 px. The first cloud ends with its right edge
  // exactly on x = 0, the second a quarter pixel beyond.
  const Dumps d = RunScript(kPlaying +
                            "set energyCloudSpeed 50; spawn Cloud1 -76.75 50;"
                            "spawn Cloud1 -77 80; frames 1 0.125; dump; frames 1 0.125; dump");
  Expect(d, "/cloudobjects/") = {
      {0, "0/position", {-83, 50}}, {0, "1", nullptr}, {1, "0", nullptr}};
}

}  // namespace
