// The lightning: charges, the cool-down, the thunder, the bolt's three phases
// and where it hangs, who may cast, the strike box and its window (phase 1
// only), and the two screen-sized flash textures.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "config/GameValues.h"
#include "game/Globals.h"
#include "game/Sheets.h"
#include "gfx/SpriteSheet.h"
#include "gfx/hgeSprite.h"
#include "objects/GameObject.h"
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

// Both players joined, a good while after start (past the first cool-down).
// Before each part player 1 is Large, standing still at (200, 350), with three
// charges, and the last bolt is long over. Frames of 1/16 s against phases of
// 0.1 s: each phase lasts two frames.
SharedRun Bolts() {
  SharedRun r(QuietWorld() + JoinBoth() + "frames 40; set player1.energy 80; frames 6 0.0625");
  r.reset =
      "release all; frames 12 0.0625; set player1.position 200 350;"
      "set player1.velocity 0 0; set player1.lightning.charges 3";
  r.Part("phases") << "hold H;" + DumpEachFrame(6, "0.0625");
  r.Part("castRow") << "hold H; frames 1 0.0625; release all; dump;" + DumpEachFrame(9, "0.0625");
  r.Part("boltStays") << "hold H; frames 1 0.0625; release all; set player1.velocity 100 0;"
                         "frames 2 0.0625; dump";
  r.Part("coolDown") << "hold H;" + DumpEachFrame(14, "0.0625");
  // Past the cool-down while the bolt still shows: no second bolt.
  r.Part("showing") << "hold H; frames 1 0.0625; set player1.lightning.lastCastTime -100;"
                       "frames 1 0.0625; dump";
  r.Part("thunder") << "set player1.lightning.charges 9; hold H";
  for (int i = 0; i < 9; ++i) r << "frames 10 0.0625; dump";
  r.Part("noCast") << "set player1.lightning.charges 0; hold H; frames 5 0.0625; dump;"
                      "release all; set player1.lightning.charges 3; set player1.energy 59;"
                      "frames 1; hold H; frames 5; dump";
  r.Part("player2") << "set player2.energy 80; frames 6 0.0625; set player2.position 500 350;"
                       "set player2.velocity 0 0; hold ENTER;" +
                           DumpEachFrame(12, "0.0625");
  return r;
}
SharedRun bolts = Bolts();

TEST(LightningBolt, CastHangsTheBoltUnderTheCloudShowsBrightThenDimAndEnds) {
  const Dumps& d = bolts["phases"];
  // 75 in, 60 down; the render of the cast frame already turns the screen bright.
  // The key is still held, but the cool-down keeps the next bolt back.
  const json cast = d.at(0)["time"];
  Expect(d, "/player1/lightning/") = {{0, "charges", 2},         {0, "boltPosition", {275, 410}},
                                      {0, "lastCastTime", cast}, {3, "active", true},
                                      {4, "active", false},      {5, "charges", 2}};
  EXPECT_EQ(Series(d, "/player1/lightning/phase"), json({1, 1, 2, 2, 0, 0}));
  EXPECT_EQ(Thunders(d[0]), 1);
  // It stays where it was cast while the cloud moves on.
  Expect(bolts["boltStays"]) = {{0, "lightning/boltPosition", {275, 410}}};
  EXPECT_GT(F(bolts["boltStays"].at(0)["player1"]["position"][0]), 200.0f);
}

TEST(LightningBolt, NextCastWaitsForTheCoolDownAndTheEndOfTheBolt) {
  // With the key held the second bolt starts in the first update more than
  // 0.6 s after the first cast.
  const Dumps& d = bolts["coolDown"];
  std::vector<size_t> casts;
  for (size_t i = 0; i < d.size(); ++i)
    if (Thunders(d[i])) casts.push_back(i);
  ASSERT_EQ(casts.size(), 2u);
  EXPECT_EQ(casts[0], 0u);
  EXPECT_GT(F(d[casts[1]]["time"]) - F(d[0]["time"]), 0.6f);
  EXPECT_LE(F(d[casts[1] - 1]["time"]) - F(d[0]["time"]), 0.6f);
  Expect(d) = {{casts[1], "lightning/charges", 1}};
  Expect(bolts["showing"]) = {{0, "lightning/charges", 2}, {0, "lightning/active", true}};
}

TEST(LightningBolt, EachBoltPlaysOneOfThreeClaps) {
  for (const json& s : bolts["thunder"]) EXPECT_EQ(Thunders(s), 1);
  int kinds = 0;
  for (const char* call : kThunders) kinds += Sounds(bolts["thunder"], call) > 0;
  EXPECT_GE(kinds, 2);
  Expect(bolts["thunder"]) = {{8, "lightning/charges", 0}};
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
  const Dumps& d = bolts["castRow"];
  EXPECT_EQ(Series(d, "/player1/frame"), json({24, 25, 26, 27, 28, 29, 30, 31, 32, 24}));
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

// --- Directly, on a headless engine: a 300 x 200 screen and a bolt picture
// of 400 x 300 in 2 x 1 frames, so the strike box is 80 x 300 from 20 px
// right of the bolt's corner.
class LightningUnit : public testing::Test {
 protected:
  void SetUp() override {
    saved = {hge, screenWidth, screenHeight, boltSheet, particleEffects};
    hge = HeadlessEngine();
    screenWidth = 300;
    screenHeight = 200;
    particleEffects = false;
    bolt = std::make_unique<SpriteSheet>(
        WriteTestPng(TestFolder("bolt"), "bolt.png", 400, 300, 0xFFFFFFFF), 2, 1);
    boltSheet = bolt.get();
  }
  void TearDown() override {
    std::tie(hge, screenWidth, screenHeight, boltSheet, particleEffects) = saved;
  }
  std::tuple<HGE*, int, int, SpriteSheet*, bool> saved;
  std::unique_ptr<SpriteSheet> bolt;
};

TEST_F(LightningUnit, FlashTexturesAreFilledEdgeToEdge) {
  Lightning l(nullptr);
  for (const auto& [texture, sprite, color] :
       {std::make_tuple(l.dimTexture, l.dimFlash, 0x7DFFFFFFu),
        std::make_tuple(l.brightTexture, l.brightFlash, 0xFFFFFFFFu)}) {
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(hgeVector(sprite->width, sprite->height), hgeVector(300, 200));
    EXPECT_EQ(sprite->GetTexture(), texture);
    const long w = hge->Texture_GetWidth(texture), h = hge->Texture_GetHeight(texture);
    ASSERT_TRUE(w >= 300 && h >= 200) << w << " x " << h;
    const uint32_t* texels = hge->Texture_Lock(texture, true);
    ASSERT_NE(texels, nullptr);
    long wrong = 0;
    for (long i = 0; i < w * h; ++i) wrong += texels[i] != color;
    hge->Texture_Unlock(texture);
    EXPECT_EQ(wrong, 0);
  }
}

// A world object that counts the bolts that struck it.
struct Target : GameObject {
  void HitByLightning(PlayerCloud*) override { ++strikes; }
  int strikes = 0;
};

TEST_F(LightningUnit, StrikesOnlyInPhaseOneAndTheSharedEdgeRuleAgainstTheStrikeBox) {
  // The bolt's corner at (100, 50): the strike box is x 120..200, y 50..350.
  Lightning l(nullptr);
  l.active = true;
  l.boltPosition = hgeVector(100, 50);
  // Phase and the object's box. Struck only in phase 1, not ending 1 px before
  // the box; with an edge on the box's right or bottom edge it is struck, with
  // one on its left or top edge not.
  const float cases[][5] = {{0, 150, 100, 10, 10}, {2, 150, 100, 10, 10}, {1, 150, 100, 10, 10},
                            {1, 0, 100, 119, 10},  {1, 200, 100, 30, 30}, {1, 90, 100, 30, 30},
                            {1, 150, 350, 30, 30}, {1, 150, 20, 30, 30},  {1, 200.5, 100, 30, 30}};
  const int struck[] = {0, 0, 1, 0, 1, 0, 1, 0, 0};
  for (size_t i = 0; i < std::size(cases); ++i) {
    const auto& [phase, x, y, w, h] = cases[i];
    Target t;
    t.position = hgeVector(x, y);
    t.size = hgeVector(w, h);
    std::vector<GameObject*> objects = {&t};
    l.phase = static_cast<int>(phase);
    l.CheckHits(objects);
    EXPECT_EQ(t.strikes, struck[i]) << "case " << i;
  }
}

}  // namespace
