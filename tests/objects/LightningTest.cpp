// Tests of the lightning: charges and their cap, the cool-down, the thunder,
// the bolt's three phases and where it hangs, who may cast, the strike box and
// its window (phase 1 only), and the two screen-sized flash textures.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "config/GameValues.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "game/Sheets.h"
#include "gfx/SpriteSheet.h"
#include "gfx/hgeSprite.h"
#include "objects/GameObject.h"
#include "objects/Lightning.h"
#include "sound/SoundBank.h"
#include "tests/HeadlessEngine.h"
#include "tests/SimRunner.h"
#include "tests/objects/CloudScenario.h"

using namespace cloudscenario;
using nlohmann::json;

namespace {

int Thunders(const json& dump) {
  int n = 0;
  for (const char* s : {"Play Thunder", "Play Thunder2", "Play Thunder3"}) n += HasSound(dump, s);
  return n;
}

// Both players joined, a good while after start (past the first cool-down);
// before each part player 1 is Large, standing still at (200, 350), with three
// charges, and the last bolt is long over. Frames of 1/16 s against phases of
// 0.1 s: each phase lasts two frames.
SharedRun& BoltRun() {
  static SharedRun run = [] {
    const std::string ready =
        "release all\nframes 12 0.0625\nset player1.position 200 350\n"
        "set player1.velocity 0 0\nset player1.lightning.charges 3\n";
    SharedRun r;
    r.Add(QuietWorld() + JoinBoth() + "frames 40\nset player1.energy 80\nframes 6 0.0625\n");
    r.Part("fields").Add("dump\n");
    r.Part("phases").Add(ready + "hold H\n" + DumpEachFrame(6, "0.0625"));
    r.Part("castRow").Add(ready + "hold H\nframes 1 0.0625\nrelease all\ndump\n" +
                          DumpEachFrame(9, "0.0625"));
    r.Part("boltStays")
        .Add(ready + "hold H\nframes 1 0.0625\nrelease all\n" +
             "set player1.velocity 100 0\nframes 2 0.0625\ndump\n");
    r.Part("coolDown").Add(ready + "hold H\n" + DumpEachFrame(14, "0.0625"));
    r.Part("thunder").Add(ready + "set player1.lightning.charges 9\nhold H\n");
    for (int i = 0; i < 9; ++i) r.Add("frames 10 0.0625\ndump\n");
    r.Part("noCharges")
        .Add(ready + "set player1.lightning.charges 0\nhold H\n" + "frames 5 0.0625\ndump\n");
    r.Part("medium").Add(ready + "set player1.energy 59\nframes 1\nhold H\nframes 5\ndump\n");
    r.Part("player2").Add(
        "release all\nset player2.energy 80\nframes 6 0.0625\n"
        "set player2.position 500 350\nset player2.velocity 0 0\nhold ENTER\n" +
        DumpEachFrame(12, "0.0625"));
    return r;
  }();
  return run;
}

const std::vector<json>& Part(const std::string& name) { return BoltRun().Dumps(name); }

}  // namespace

// --- Through the simulator ---------------------------------------------------------

TEST(LightningBolt, FieldsOfANewCloudsLightning) {
  const std::vector<json>& d = Part("fields");
  ASSERT_EQ(d.size(), 1u) << BoltRun().Result().errors;
  const json& l = d[0]["player1"]["lightning"];
  EXPECT_EQ(l["charges"], 0);
  EXPECT_FALSE(l["active"].get<bool>());
  EXPECT_EQ(l["phase"], 0);
  EXPECT_FLOAT_EQ(F(l["coolDown"]), 0.6f);
  EXPECT_FLOAT_EQ(F(l["phaseDuration"]), 0.1f);
  EXPECT_EQ(l["owner"], 1);
  EXPECT_EQ(d[0]["player2"]["lightning"]["owner"], 2);
}

TEST(LightningBolt, CastShowsBrightThenDimAndEnds) {
  const std::vector<json>& d = Part("phases");
  ASSERT_EQ(d.size(), 6u);
  const json& l0 = d[0]["player1"]["lightning"];
  EXPECT_TRUE(l0["active"].get<bool>());
  EXPECT_EQ(l0["charges"], 2);
  EXPECT_EQ(l0["boltPosition"], json::array({275.0, 410.0}));  // 75 in, 60 down
  EXPECT_FLOAT_EQ(F(l0["lastCastTime"]), F(d[0]["time"]));
  EXPECT_EQ(Thunders(d[0]), 1);
  // The render of the cast frame already turns the screen bright.
  std::vector<int> phases;
  std::vector<bool> active;
  for (const json& s : d) {
    phases.push_back(s["player1"]["lightning"]["phase"].get<int>());
    active.push_back(s["player1"]["lightning"]["active"].get<bool>());
  }
  EXPECT_EQ(phases, (std::vector<int>{1, 1, 2, 2, 0, 0}));
  EXPECT_EQ(active, (std::vector<bool>{true, true, true, true, false, false}));
  // The key is still held, but the cool-down keeps the next bolt back.
  EXPECT_EQ(d[5]["player1"]["lightning"]["charges"], 2);
  int thunders = 0;
  for (const json& s : d) thunders += Thunders(s);
  EXPECT_EQ(thunders, 1);
}

TEST(LightningBolt, CastRowRunsAtAQuarterOfTheFramePace) {
  const std::vector<json>& d = Part("castRow");
  ASSERT_EQ(d.size(), 10u);
  EXPECT_EQ(d[0]["player1"]["currentAnim"], 5);
  EXPECT_EQ(d[0]["player1"]["sheet"], "Images\\stora_zarvo_anim_ny.png");
  std::vector<int> frames;
  for (const json& s : d) frames.push_back(s["player1"]["frame"].get<int>());
  // 24 ... 32 one per update, then the row ends and sets the frame back to 24.
  EXPECT_EQ(frames, (std::vector<int>{24, 25, 26, 27, 28, 29, 30, 31, 32, 24}));
  EXPECT_TRUE(d[9]["player1"]["animRequests"].empty());
}

TEST(LightningBolt, BoltStaysWhereItWasCastWhileTheCloudMoves) {
  const std::vector<json>& d = Part("boltStays");
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0]["player1"]["lightning"]["boltPosition"], json::array({275.0, 410.0}));
  EXPECT_GT(F(d[0]["player1"]["position"][0]), 200.0f);
}

TEST(LightningBolt, CoolDownCountsFromTheCast) {
  // With the key held the second bolt starts in the first update more than
  // 0.6 s after the first cast.
  const std::vector<json>& d = Part("coolDown");
  ASSERT_EQ(d.size(), 14u);
  std::vector<size_t> casts;
  for (size_t i = 0; i < d.size(); ++i)
    if (Thunders(d[i])) casts.push_back(i);
  ASSERT_EQ(casts.size(), 2u);
  EXPECT_EQ(casts[0], 0u);
  const float first = F(d[casts[0]]["time"]);
  EXPECT_GT(F(d[casts[1]]["time"]) - first, 0.6f);
  EXPECT_LE(F(d[casts[1] - 1]["time"]) - first, 0.6f);
  EXPECT_EQ(d[casts[1]]["player1"]["lightning"]["charges"], 1);
}

TEST(LightningBolt, ThunderIsOneOfThreeClaps) {
  // Nine bolts one after the other: each plays exactly one of the three.
  const std::vector<json>& d = Part("thunder");
  ASSERT_EQ(d.size(), 9u);
  std::set<std::string> heard;
  int total = 0;
  for (const json& s : d) {
    for (const auto& call : s["sounds"]) {
      const std::string c = call.get<std::string>();
      if (c.rfind("Play Thunder", 0) == 0) {
        heard.insert(c);
        ++total;
      }
    }
  }
  EXPECT_EQ(total, 9);
  for (const std::string& c : heard)
    EXPECT_TRUE(c == "Play Thunder" || c == "Play Thunder2" || c == "Play Thunder3") << c;
  EXPECT_GE(heard.size(), 2u);
  EXPECT_EQ(d.back()["player1"]["lightning"]["charges"], 0);
}

TEST(LightningBolt, NoChargesNoBoltAndPlayerOneShowsNoCastRow) {
  const std::vector<json>& d = Part("noCharges");
  ASSERT_EQ(d.size(), 1u);
  EXPECT_FALSE(d[0]["player1"]["lightning"]["active"].get<bool>());
  EXPECT_EQ(Thunders(d[0]), 0);
  EXPECT_NE(d[0]["player1"]["currentAnim"], 5);
}

TEST(LightningBolt, OnlyALargeCloudCasts) {
  const std::vector<json>& d = Part("medium");
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0]["player1"]["state"], 2);
  EXPECT_EQ(d[0]["player1"]["lightning"]["charges"], 3);
  EXPECT_EQ(Thunders(d[0]), 0);
}

TEST(LightningBolt, PlayerTwoPlaysTheCastRowWithoutABolt) {
  // Player 2's key asks for the row whether or not a bolt can start.
  const std::vector<json>& d = Part("player2");
  ASSERT_EQ(d.size(), 12u);
  std::vector<int> frames;
  for (const json& s : d) {
    EXPECT_EQ(s["player2"]["currentAnim"], 5);
    EXPECT_FALSE(s["player2"]["lightning"]["active"].get<bool>());
    EXPECT_EQ(Thunders(s), 0);
    frames.push_back(s["player2"]["frame"].get<int>());
  }
  EXPECT_EQ(frames, (std::vector<int>{24, 25, 26, 27, 28, 29, 30, 31, 32, 24, 25, 26}));
}

// --- Directly, on a headless engine ------------------------------------------------

namespace {

// A world object that counts the bolts that struck it.
class Target : public GameObject {
 public:
  Target(float x, float y, float w, float h) {
    position = hgeVector(x, y);
    size = hgeVector(w, h);
  }
  void HitByLightning(PlayerCloud* cloud) override {
    ++strikes;
    lastCloud = cloud;
  }
  int strikes = 0;
  PlayerCloud* lastCloud = reinterpret_cast<PlayerCloud*>(1);
};

class LightningUnit : public ::testing::Test {
 protected:
  void SetUp() override {
    savedHge = hge;
    hge = HeadlessEngine();
    ASSERT_NE(hge, nullptr);
    savedWidth = screenWidth;
    savedHeight = screenHeight;
    savedBolt = boltSheet;
    savedEffects = particleEffects;
    screenWidth = 300;
    screenHeight = 200;
    particleEffects = false;
    // A 400 x 300 picture in 2 x 1 frames: each frame 200 x 300, so the strike
    // box is 80 x 300 starting 20 px right of the bolt's corner.
    bolt = std::make_unique<SpriteSheet>(
        WriteTestPng(TestFolder("bolt"), "bolt.png", 400, 300, 0xFFFFFFFF), 2, 1);
    boltSheet = bolt.get();
    soundBank->callLog = &sounds;
  }
  void TearDown() override {
    soundBank->callLog = nullptr;
    boltSheet = savedBolt;
    particleEffects = savedEffects;
    screenWidth = savedWidth;
    screenHeight = savedHeight;
    hge = savedHge;
  }

  HGE* savedHge = nullptr;
  int savedWidth = 0, savedHeight = 0;
  SpriteSheet* savedBolt = nullptr;
  bool savedEffects = true;
  std::unique_ptr<SpriteSheet> bolt;
  std::vector<std::string> sounds;
};

}  // namespace

TEST_F(LightningUnit, FlashTexturesAreFilledEdgeToEdge) {
  Lightning l(nullptr);
  struct Flash {
    HTEXTURE texture;
    hgeSprite* sprite;
    uint32_t color;
  };
  for (const Flash& f : {Flash{l.dimTexture, l.dimFlash, 0x7DFFFFFFu},
                         Flash{l.brightTexture, l.brightFlash, 0xFFFFFFFFu}}) {
    ASSERT_NE(f.texture, 0u);
    ASSERT_NE(f.sprite, nullptr);
    EXPECT_FLOAT_EQ(f.sprite->width, 300);
    EXPECT_FLOAT_EQ(f.sprite->height, 200);
    EXPECT_EQ(f.sprite->GetTexture(), f.texture);
    const int w = hge->Texture_GetWidth(f.texture);
    const int h = hge->Texture_GetHeight(f.texture);
    ASSERT_GE(w, 300);
    ASSERT_GE(h, 200);
    const uint32_t* texels = hge->Texture_Lock(f.texture, true);
    ASSERT_NE(texels, nullptr);
    long wrong = 0;
    for (long i = 0; i < static_cast<long>(w) * h; ++i) wrong += texels[i] != f.color;
    hge->Texture_Unlock(f.texture);
    EXPECT_EQ(wrong, 0);
  }
  EXPECT_EQ(l.sparks, nullptr);  // particle effects off
}

TEST_F(LightningUnit, ChargesNeverPassNineThroughSingleAdds) {
  Lightning l(nullptr);
  for (int i = 0; i < 20; ++i) l.AddCharges(1);
  EXPECT_EQ(l.charges, 9);
}

TEST_F(LightningUnit, CastNeedsAChargeNoBoltAndTheCoolDown) {
  Lightning l(nullptr);
  const float now = hge->Timer_GetTime();
  l.lastCastTime = now - 1;
  EXPECT_FALSE(l.CanCast()) << "no charge";
  l.Cast(hgeVector(10, 20));
  EXPECT_FALSE(l.active);
  EXPECT_TRUE(sounds.empty());

  l.charges = 2;
  l.lastCastTime = now - 0.5f;
  EXPECT_FALSE(l.CanCast()) << "within the cool-down";
  l.lastCastTime = now - 1;
  ASSERT_TRUE(l.CanCast());
  l.Cast(hgeVector(10, 20));
  EXPECT_TRUE(l.active);
  EXPECT_EQ(l.charges, 1);
  EXPECT_EQ(l.boltPosition, hgeVector(85, 80));
  EXPECT_FLOAT_EQ(l.lastCastTime, now);
  EXPECT_EQ(l.phase, 0);
  ASSERT_EQ(sounds.size(), 1u);

  l.lastCastTime = now - 1;
  EXPECT_FALSE(l.CanCast()) << "a bolt is still showing";
}

TEST_F(LightningUnit, StrikesOnlyInPhaseOneInsideTheStrikeBox) {
  PlayerCloud* owner = reinterpret_cast<PlayerCloud*>(0x1000);  // only handed on
  Lightning l(owner);
  l.active = true;
  l.boltPosition = hgeVector(100, 50);  // strike box x 120..200, y 50..350
  Target inside(150, 100, 10, 10);
  Target leftOf(0, 100, 119, 10);  // ends 1 px before the box
  std::vector<GameObject*> objects = {&inside, &leftOf};
  for (int phase : {0, 2}) {
    l.phase = phase;
    l.CheckHits(objects);
  }
  EXPECT_EQ(inside.strikes, 0);
  l.phase = 1;
  l.CheckHits(objects);
  l.CheckHits(objects);
  EXPECT_EQ(inside.strikes, 2);  // every update of the phase strikes again
  EXPECT_EQ(inside.lastCloud, owner);
  EXPECT_EQ(leftOf.strikes, 0);
}

TEST_F(LightningUnit, StrikeBoxEdgesFollowTheSharedRule) {
  // The object is rectangle A, the strike box (120, 50, 80 x 300) is B.
  struct Case {
    float x, y, w, h;
    bool struck;
  };
  Lightning l(nullptr);
  l.active = true;
  l.phase = 1;
  l.boltPosition = hgeVector(100, 50);
  for (const Case& c : {Case{200, 100, 30, 30, true},  // A's left edge on B's right edge
                        Case{90, 100, 30, 30, false},  // A's right edge on B's left edge
                        Case{150, 350, 30, 30, true},  // A's top on B's bottom
                        Case{150, 20, 30, 30, false},  // A's bottom on B's top
                        Case{200.5f, 100, 30, 30, false}}) {
    SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
    Target t(c.x, c.y, c.w, c.h);
    std::vector<GameObject*> objects = {&t};
    l.CheckHits(objects);
    EXPECT_EQ(t.strikes, c.struck ? 1 : 0);
  }
}
