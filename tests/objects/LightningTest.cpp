// The lightning: charges, the cool-down, the thunder, the bolt's three phases
// and where it hangs, who may cast, the strike box and its window (phase 1
// only), and the two screen-sized flash textures.
#include <tuple>

#include "config/GameValues.h"
#include "game/Globals.h"
#include "gfx/hgeSprite.h"
#include "objects/Lightning.h"
#include "tests/HeadlessEngine.h"
#include "tests/objects/CloudScenario.h"

using namespace cloudscenario;

namespace {

const char* const kThunders[] = {"Play Thunder", "Play Thunder2", "Play Thunder3"};
int Thunders(const json& dump) {
  int n = 0;
  for (const char* call : kThunders) n += Sounds(dump, call);
  return n;
}

// Both players joined, past the first cool-down. Before each part player 1 is
// Large, still at (200, 350), with three charges and no bolt. Frames of 1/16 s
// against phases of 0.1 s: each phase lasts two frames.
SharedRun Bolts() {
  SharedRun r(QuietWorld() + JoinBoth() + "frames 40; set player1.energy 80; frames 6 0.0625");
  r.reset =
      "release all; frames 12 0.0625; set player1.position 200 350;"
      "set player1.velocity 0 0; set player1.lightning.charges 3";
  r.Part("boltStays") << "hold H; frames 1 0.0625; release all; set player1.velocity 100 0;"
                         "frames 2 0.0625; dump";
  r.Part("showing") << "hold H; frames 1 0.0625; set player1.lightning.lastCastTime -100;"
                       "frames 1 0.0625; dump";
  r.Part("nine") << "set player1.lightning.charges 9; hold H;" + DumpEachFrame(100, "0.0625");
  r.Part("noCast") << "set player1.lightning.charges 0; hold H; frames 5 0.0625; dump;"
                      "release all; set player1.lightning.charges 3; set player1.energy 59;"
                      "frames 1; hold H; frames 5; dump";
  r.Part("player2") << "set player2.energy 80; frames 6 0.0625; set player2.position 500 350;"
                       "set player2.velocity 0 0; hold ENTER;" +
                           DumpEachFrame(12, "0.0625");
  r.Part("strikeBox")
      << "set objects clear; spawn Person1 150 100; set player1.lightning.active true;"
         "set player1.lightning.boltPosition 100 50; set player1.lightning.phase 0;"
         "frames 1 0; dump; set player1.lightning.phase 2; frames 1 0; dump;"
         "set player1.lightning.phase 1; spawn Person1 45 100; spawn Person1 180 100;"
         "spawn Person1 150 -25; spawn Person1 150 370; spawn Person1 180.5 100;"
         "frames 1 0; dump";
  return r;
}
SharedRun bolts = Bolts();

TEST(LightningBolt, CastHangsTheBoltUnderTheCloudShowsBrightThenDimAndEnds) {
  // 75 in, 60 down; the render of the cast frame already turns the screen bright.
  const Dumps& d = bolts["nine"];
  Expect(d, "/player1/lightning/") = {{0, "charges", 8},
                                      {0, "boltPosition", {275, 410}},
                                      {0, "lastCastTime", d.at(0)["time"]},
                                      {3, "active", true},
                                      {4, "active", false},
                                      {5, "charges", 8}};
  EXPECT_EQ(Series(d, "/player1/lightning/phase", 0, 6), json({1, 1, 2, 2, 0, 0}));
  // It stays where it was cast while the cloud moves on; the cast row runs on
  // without the key.
  Expect(bolts["boltStays"]) = {{0, "lightning/boltPosition", {275, 410}}, {0, "frame", 26}};
  EXPECT_GT(F(bolts["boltStays"].at(0)["player1"]["position"][0]), 200.0f);
}

TEST(LightningBolt, WithTheKeyHeldEachCastWaitsForTheCoolDownAndPlaysOneOfThreeClaps) {
  // Each bolt after the first starts in the first update more than 0.6 s after
  // the cast before it.
  const Dumps& d = bolts["nine"];
  std::vector<size_t> casts;
  for (size_t i = 0; i < d.size(); ++i)
    if (Thunders(d[i])) casts.push_back(i);
  ASSERT_EQ(casts.size(), 9u);
  EXPECT_EQ(casts[0], 0u);
  for (size_t i = 0; i < casts.size(); ++i) {
    EXPECT_EQ(Thunders(d[casts[i]]), 1);
    if (i == 0) continue;
    EXPECT_GT(F(d[casts[i]]["time"]) - F(d[casts[i - 1]]["time"]), 0.6f) << i;
    EXPECT_LE(F(d[casts[i] - 1]["time"]) - F(d[casts[i - 1]]["time"]), 0.6f) << i;
  }
  int kinds = 0;
  for (const char* call : kThunders) kinds += Sounds(d, call) > 0;
  EXPECT_GE(kinds, 2);
  Expect(d) = {{casts[1], "lightning/charges", 7}, {casts[8], "lightning/charges", 0}};
  // Past the cool-down while the bolt still shows: no second bolt.
  Expect(bolts["showing"]) = {{0, "lightning/charges", 2}, {0, "lightning/active", true}};
}

TEST(LightningBolt, OnlyALargeCloudWithAChargeCasts) {
  // Player 1 shows the cast row only with a bolt.
  const Dumps& d = bolts["noCast"];
  Expect(d) = {{0, "lightning/active", false}, {1, "state", 2}, {1, "lightning/charges", 3}};
  EXPECT_NE(d.at(0)["player1"]["currentAnim"], 5);
  EXPECT_EQ(Thunders(d[0]) + Thunders(d.at(1)), 0);
}

TEST(LightningBolt, CastRowRunsAtAQuarterOfTheFramePaceAndPlayerTwoPlaysItWithoutABolt) {
  // 24 ... 32 one per update, then the row ends and sets the frame back to 24.
  const Dumps& d = bolts["nine"];
  EXPECT_EQ(Series(d, "/player1/frame", 0, 10), json({24, 25, 26, 27, 28, 29, 30, 31, 32, 24}));
  const std::string large = "Images\\stora_zarvo_anim_ny.png";
  Expect(d) = {{0, "currentAnim", 5}, {0, "sheet", large}, {9, "animRequests", json::array()}};
  // Player 2's key asks for the row whether or not a bolt can start.
  const Dumps& two = bolts["player2"];
  EXPECT_EQ(Series(two, "/player2/frame"), json({24, 25, 26, 27, 28, 29, 30, 31, 32, 24, 25, 26}));
  for (const json& s : two) {
    Expect({s}, "/player2/") = {{0, "currentAnim", 5}, {0, "lightning/active", false}};
    EXPECT_EQ(Thunders(s), 0);
  }
}

TEST(LightningBolt, StrikesOnlyInPhaseOneWithTheSharedEdgeRuleAgainstTheStrikeBox) {
  // A bolt frame is 160 x 320: at (100, 50) the strike box is x 120..180, y 50..370.
  // People (75 x 75) on it in phases 0 and 2 are spared; in phase 1 those with
  // an edge on its right or bottom edge are struck, on its left or top not.
  const Dumps& d = bolts["strikeBox"];
  Expect(d, "/objects/") = {{0, "0/screamed", false}, {1, "0/screamed", false},
                            {2, "0/screamed", true},  {2, "1/screamed", false},
                            {2, "2/screamed", true},  {2, "3/screamed", false},
                            {2, "4/screamed", true},  {2, "5/screamed", false}};
}

// The flash textures, made directly on the headless engine's 1024 x 768 screen.
class LightningFlash : public testing::Test {
 protected:
  void SetUp() override {
    saved = hge;
    hge = HeadlessEngine();
    ResetGameValuesToBuiltIn();
  }
  void TearDown() override { hge = saved; }
  HGE* saved = nullptr;
};

TEST_F(LightningFlash, TexturesAreScreenSizedAndFilledEdgeToEdge) {
  Lightning l(nullptr);
  for (const auto& [texture, sprite, color] :
       {std::make_tuple(l.dimTexture, l.dimFlash, 0x7DFFFFFFu),
        std::make_tuple(l.brightTexture, l.brightFlash, 0xFFFFFFFFu)}) {
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(hgeVector(sprite->width, sprite->height), hgeVector(1024, 768));
    EXPECT_EQ(sprite->GetTexture(), texture);
    const long w = hge->Texture_GetWidth(texture), h = hge->Texture_GetHeight(texture);
    ASSERT_TRUE(w >= 1024 && h >= 768) << w << " x " << h;
    const uint32_t* texels = hge->Texture_Lock(texture, true);
    ASSERT_NE(texels, nullptr);
    long wrong = 0;
    for (long i = 0; i < w * h; ++i) wrong += texels[i] != color;
    hge->Texture_Unlock(texture);
    EXPECT_EQ(wrong, 0);
  }
}

}  // namespace
