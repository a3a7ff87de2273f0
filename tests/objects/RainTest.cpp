// Tests of the rain: how many drops a frame makes and what they cost, their
// fall to the ground line, whom a drop can hit (clouds and world objects, with
// the touching-edge rules) and the rain loop sound that follows the drop list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/Globals.h"
#include "objects/GameObject.h"
#include "objects/Rain.h"
#include "tests/SimRunner.h"
#include "tests/objects/CloudScenario.h"

using namespace cloudscenario;
using nlohmann::json;

namespace {

// One player first, then both: every rain situation in one run.
struct EdgeCase {
  const char* at;
  bool hit;
};
// Player 2 is rectangle A at (500, 200), 126 x 79; a drop is 13 x 13.
const std::vector<EdgeCase> kEdgeCases = {{"487 230", true},    // drop's right edge on A's left
                                          {"550 187", true},    // drop's bottom on A's top
                                          {"626 230", false},   // drop starts at A's right edge
                                          {"550 279", false}};  // drop's top on A's bottom

SharedRun& RainRun() {
  static SharedRun run = [] {
    SharedRun r;
    r.Add(QuietWorld() + JoinPlayer1());
    // Interval 0.02: a 0.05 s frame makes 3 drops (0.05, 0.03, 0.01 are all
    // > 0), a frame of no time none, a 1/60 s frame one.
    r.Part("counts").Add(
        "set player1.energy 50\nhold G\nframes 1 0.05\ndump\n"
        "set rain.drops clear\nframes 1 0\ndump\nframes 1\ndump\n"
        "release all\nset rain.drops clear\n");
    r.Part("newDrop").Add(
        "set player1.position 300 250\nset player1.velocity 0 0\nhold G\nframes 1 0.0625\n"
        "dump\nrelease all\nset rain.drops clear\n");
    r.Part("weakMax").Add(
        "set player1.energy 10\nhold G\nframes 1\ndump\n"
        "set player1.energy 10.5\nframes 1\ndump\nrelease all\nset rain.drops clear\n");
    r.Part("perDrop").Add(
        "set rainDropEnergy 5\nset player1.energy 11\nhold G\nframes 1 0.05\ndump\n"
        "release all\nset rain.drops clear\nset rainDropEnergy 1\n");
    // Without start speed and wind a drop stands still for its first update,
    // so its place is exact: the line is 768 - (100 + 13) = 655.
    r.Part("ground").Add(
        "set rainDropSpeed 0\nset rainWind 0\n"
        "set rain.addDrop 100 655 1\nframes 1\ndump\nset rain.drops clear\n"
        "set rain.addDrop 100 655.25 1\nframes 1\ndump\nset rain.drops clear\n"
        "set rainDropSpeed 5\nset rainWind -10\n");
    r.Part("fall").Add("set rain.addDrop 100 300 1\nframes 2 0.5\ndump\nset rain.drops clear\n");
    r.Part("onePlayer")
        .Add(
            "set player1.position 200 200\nset player1.velocity 0 0\nset player1.energy 20\n"
            "set rain.addDrop 250 230 2\nframes 1\ndump\nset rain.drops clear\n");
    r.Part("loop").Add(
        "set player1.energy 90\nframes 1\ndump\n"
        "hold G\nframes 1\ndump\n"                             // first drop starts the loop
        "frames 10\ndump\n"                                    // more drops do not restart it
        "release all\nset rain.drops clear\nframes 1\ndump\n"  // emptied: stopped
        "frames 5\ndump\n"                                     // nothing more
        "hold G\nframes 1\ndump\nrelease all\n");              // started again
    // One drop falls from under the cloud to the ground line in frames of 0.1 s.
    r.Part("fallToGround")
        .Add(
            "set rain.drops clear\nframes 1\nset player1.energy 50\nset player1.position 200 200\n"
            "set player1.velocity 0 0\ndump\nhold G\nframes 1\nrelease all\n" +
            DumpEachFrame(40, "0.1"));

    // Player 2 joins; its join key rains once, which is swept away.
    const std::string place =
        "set player1.position 100 200\nset player2.position 500 200\n"
        "set player1.velocity 0 0\nset player2.velocity 0 0\nset rain.drops clear\n";
    r.Add("press NUMPAD0\nframes 1\nset player1.energy 20\nset player2.energy 20\n" + place);
    r.Part("boost").Add(
        "set player1.energy 50\nset player2.energy 50\n"
        "hold G J\nframes 1\ndump\nrelease all\nset rain.drops clear\n"
        "hold NUMPAD0 NUMPAD1\nframes 1\ndump\nrelease all\nset rain.drops clear\n"
        "hold J NUMPAD1\nframes 1\ndump\nrelease all\n"
        "set player1.energy 20\nset player2.energy 20\nframes 1\n");
    // Player 1 at (100, 200), player 2 at (500, 200), both 126 x 79 after the boost.
    r.Part("whom").Add(place + "set rain.addDrop 550 230 1\nframes 1\ndump\n" + place +
                       "set rain.addDrop 550 230 2\nframes 1\ndump\n" + place +
                       "set rain.addDrop 150 230 2\nframes 1\ndump\n" + place +
                       "set rain.addDrop 150 230 1\nframes 1\ndump\n");
    r.Part("edges");
    for (const EdgeCase& c : kEdgeCases)
      r.Add(place + "set player2.energy 20\nset rain.addDrop " + c.at + " 1\nframes 1\ndump\n");
    r.Part("dying").Add(
        "set player2.energy 5\nframes 6 0.0625\n"
        "set player2.energy 0\nset player2.position 500 200\nset player2.velocity 0 0\n"
        "frames 1 0.0625\nset rain.drops clear\nset rain.addDrop 550 230 1\n"
        "frames 1 0.0625\ndump\n");
    return r;
  }();
  return run;
}

const std::vector<json>& Part(const std::string& name) { return RainRun().Dumps(name); }

}  // namespace

// --- Making drops -------------------------------------------------------------

TEST(RainDrops, OneCallMakesADropPerStartedIntervalOfTheFrame) {
  const std::vector<json>& d = Part("counts");
  ASSERT_EQ(d.size(), 3u) << RainRun().Result().errors;
  EXPECT_EQ(d[0]["rain"]["dropCount"], 3);
  EXPECT_FLOAT_EQ(F(d[0]["player1"]["energy"]), 47);
  EXPECT_EQ(d[1]["rain"]["dropCount"], 0);
  EXPECT_FLOAT_EQ(F(d[1]["player1"]["energy"]), 47);
  EXPECT_EQ(d[2]["rain"]["dropCount"], 1);
  EXPECT_FLOAT_EQ(F(d[2]["player1"]["energy"]), 46);
}

TEST(RainDrops, NewDropHangsUnderTheCloudAndStartsToFall) {
  const std::vector<json>& d = Part("newDrop");
  ASSERT_EQ(d.size(), 1u);
  const float w = F(d[0]["player1"]["size"][0]);
  const float bottom = 250 + F(d[0]["player1"]["size"][1]);
  ASSERT_EQ(d[0]["rain"]["dropCount"], 4);  // ceil(0.0625 / 0.02)
  for (const json& drop : d[0]["rain"]["drops"]) {
    // Made on the cloud's bottom edge, then one fall step of 5 px/s for 1/16 s.
    EXPECT_GE(F(drop["position"][0]), 300.0f);
    EXPECT_LE(F(drop["position"][0]), 300 + w);
    EXPECT_NEAR(F(drop["position"][1]), bottom + 5 * 0.0625f, 1e-3);
    EXPECT_NEAR(F(drop["velocity"][0]), -10 * 0.0625f, 1e-4);
    EXPECT_NEAR(F(drop["velocity"][1]), 5 + 100 * 0.0625f, 1e-4);
    EXPECT_EQ(drop["size"], json::array({13.0, 13.0}));
    EXPECT_EQ(drop["acceleration"], json::array({-10.0, 100.0}));
    EXPECT_GE(drop["drawOffset"].get<int>(), -20);
    EXPECT_LE(drop["drawOffset"].get<int>(), 50);
    EXPECT_EQ(drop["owner"], 1);
  }
}

TEST(RainDrops, NoRainAtOrBelowWeakEnergyMax) {
  const std::vector<json>& d = Part("weakMax");
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[0]["rain"]["dropCount"], 0);
  EXPECT_FLOAT_EQ(F(d[0]["player1"]["energy"]), 10);
  EXPECT_EQ(d[1]["rain"]["dropCount"], 1);
}

TEST(RainDrops, EnergyIsTakenPerDropAndMayGoBelowTheLimit) {
  // The energy test is made once per call: 11 energy still pays for 3 drops
  // and is clamped at 0 at the end of the cloud's update.
  const std::vector<json>& d = Part("perDrop");
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0]["rain"]["dropCount"], 3);
  EXPECT_FLOAT_EQ(F(d[0]["player1"]["energy"]), 0);
}

TEST(RainDrops, BoostAddsTwoCallsForPlayerOneAndOneForPlayerTwo) {
  const std::vector<json>& d = Part("boost");
  ASSERT_EQ(d.size(), 3u);
  EXPECT_EQ(d[0]["rain"]["dropCount"], 3);
  EXPECT_FLOAT_EQ(F(d[0]["player1"]["energy"]), 47);
  EXPECT_EQ(d[1]["rain"]["dropCount"], 2);
  EXPECT_FLOAT_EQ(F(d[1]["player2"]["energy"]), 48);
  EXPECT_EQ(d[2]["rain"]["dropCount"], 0);  // boost alone does nothing
}

// --- Falling ----------------------------------------------------------------------

TEST(RainFall, DropsEndBelowTheGroundLine) {
  const std::vector<json>& d = Part("ground");
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[0]["rain"]["dropCount"], 1);
  EXPECT_EQ(d[1]["rain"]["dropCount"], 0);
}

TEST(RainFall, GravityAndWindAccelerateTheDrop) {
  const std::vector<json>& d = Part("fall");
  ASSERT_EQ(d.size(), 1u);
  ASSERT_EQ(d[0]["rain"]["dropCount"], 1);
  const json& drop = d[0]["rain"]["drops"][0];
  // Position moves with the old speed, then the speed grows.
  EXPECT_FLOAT_EQ(F(drop["position"][0]), 100 - 2.5f);
  EXPECT_FLOAT_EQ(F(drop["position"][1]), 300 + 2.5f + 27.5f);
  EXPECT_FLOAT_EQ(F(drop["velocity"][0]), -10);
  EXPECT_FLOAT_EQ(F(drop["velocity"][1]), 105);
}

// --- Hitting the clouds -----------------------------------------------------------

TEST(RainHitsClouds, WithOnePlayerNoDropHitsAnyCloud) {
  const std::vector<json>& d = Part("onePlayer");
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0]["rain"]["dropCount"], 1);
  EXPECT_FLOAT_EQ(F(d[0]["player1"]["energy"]), 20);
}

TEST(RainHitsClouds, DropHitsOnlyTheOtherPlayersCloud) {
  const std::vector<json>& d = Part("whom");
  ASSERT_EQ(d.size(), 4u);
  // Player 1's drop in player 2's cloud: gone, player 2 gains a drop's energy.
  EXPECT_EQ(d[0]["rain"]["dropCount"], 0);
  EXPECT_FLOAT_EQ(F(d[0]["player2"]["energy"]), 21);
  EXPECT_FLOAT_EQ(F(d[0]["player1"]["energy"]), 20);
  // Player 2's own drop passes through it.
  EXPECT_EQ(d[1]["rain"]["dropCount"], 1);
  EXPECT_FLOAT_EQ(F(d[1]["player2"]["energy"]), 21);
  // And the other way round.
  EXPECT_EQ(d[2]["rain"]["dropCount"], 0);
  EXPECT_FLOAT_EQ(F(d[2]["player1"]["energy"]), 21);
  EXPECT_EQ(d[3]["rain"]["dropCount"], 1);
  EXPECT_FLOAT_EQ(F(d[3]["player1"]["energy"]), 21);
}

TEST(RainHitsClouds, TouchingEdgesCountOnlyAgainstTheCloudsLeftAndTop) {
  const std::vector<json>& d = Part("edges");
  ASSERT_EQ(d.size(), kEdgeCases.size());
  for (size_t i = 0; i < kEdgeCases.size(); ++i) {
    SCOPED_TRACE(kEdgeCases[i].at);
    EXPECT_EQ(d[i]["player2"]["size"], json::array({126.0, 79.0}));
    EXPECT_EQ(d[i]["rain"]["dropCount"], kEdgeCases[i].hit ? 0 : 1);
    EXPECT_FLOAT_EQ(F(d[i]["player2"]["energy"]), kEdgeCases[i].hit ? 21 : 20);
  }
}

TEST(RainHitsClouds, DyingCloudSwallowsTheDropWithoutGain) {
  const std::vector<json>& d = Part("dying");
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0]["player2"]["state"], 4);
  EXPECT_EQ(d[0]["rain"]["dropCount"], 0);
  EXPECT_FLOAT_EQ(F(d[0]["player2"]["energy"]), 0);
}

// --- The rain loop sound ---------------------------------------------------------

TEST(RainSound, LoopRunsExactlyWhileDropsExist) {
  const std::vector<json>& d = Part("loop");
  ASSERT_EQ(d.size(), 6u);
  EXPECT_TRUE(HasSound(d[1], "Play Rain_Loop_04"));
  EXPECT_TRUE(d[1]["rain"]["loopPlaying"].get<bool>());
  EXPECT_FALSE(HasSound(d[2], "Play Rain_Loop_04"));
  EXPECT_TRUE(HasSound(d[3], "Stop Rain_Loop_04"));
  EXPECT_FALSE(d[3]["rain"]["loopPlaying"].get<bool>());
  EXPECT_EQ(CountSound({d[4]}, "Stop Rain_Loop_04") + CountSound({d[4]}, "Play Rain_Loop_04"), 0);
  EXPECT_TRUE(HasSound(d[5], "Play Rain_Loop_04"));
}

TEST(RainSound, LoopStopsInTheUpdateThatRemovesTheLastDrop) {
  const std::vector<json>& d = Part("fallToGround");
  ASSERT_EQ(d.size(), 41u);
  bool stopped = false;
  for (size_t i = 1; i < d.size(); ++i) {
    const bool empty = d[i]["rain"]["dropCount"] == 0;
    const bool stop = HasSound(d[i], "Stop Rain_Loop_04");
    if (!stopped) {
      EXPECT_EQ(stop, empty) << "dump " << i;
    }
    if (empty) stopped = true;
  }
  EXPECT_TRUE(stopped);
  // d[0] only closes the previous part.
  EXPECT_EQ(CountSound(std::vector<json>(d.begin() + 1, d.end()), "Stop Rain_Loop_04"), 1);
}

// --- Hitting world objects (no simulator: the hit test against plain objects) -----

namespace {

// A world object that records the clouds its rain hits were credited to.
class Target : public GameObject {
 public:
  Target(float x, float y, float w, float h) {
    position = hgeVector(x, y);
    size = hgeVector(w, h);
  }
  void HitByRain(PlayerCloud* cloud) override { hits.push_back(cloud); }
  std::vector<PlayerCloud*> hits;
};

RainDrop DropAt(float x, float y, int owner) {
  RainDrop d;
  d.position = hgeVector(x, y);
  d.velocity = hgeVector(0, 5);
  d.size = hgeVector(13, 13);
  d.acceleration = hgeVector(-10, 100);
  d.drawOffset = 0;
  d.owner = owner;
  return d;
}

class RainObjectHits : public ::testing::Test {
 protected:
  void SetUp() override {
    // These tests run without clouds: the drops' makers have left the game.
    ASSERT_EQ(player1, nullptr);
    ASSERT_EQ(player2, nullptr);
  }
  Rain rain_;
};

}  // namespace

TEST_F(RainObjectHits, DropOfACloudThatLeftStillWetsButCreditsNobody) {
  Target person(100, 100, 40, 80);
  std::vector<GameObject*> objects = {&person};
  rain_.drops.push_back(DropAt(110, 120, 2));
  rain_.CheckHits(objects);
  ASSERT_EQ(person.hits.size(), 1u);
  EXPECT_EQ(person.hits[0], nullptr);
  EXPECT_TRUE(rain_.drops.empty());
}

TEST_F(RainObjectHits, OneDropWetsEveryObjectItTouchesAndIsRemovedOnce) {
  Target a(100, 100, 40, 80), b(105, 90, 40, 80), far(400, 100, 40, 80);
  std::vector<GameObject*> objects = {&a, &far, &b};
  rain_.drops.push_back(DropAt(110, 120, 1));
  rain_.drops.push_back(DropAt(600, 120, 1));  // touches nothing
  rain_.CheckHits(objects);
  EXPECT_EQ(a.hits.size(), 1u);
  EXPECT_EQ(b.hits.size(), 1u);
  EXPECT_TRUE(far.hits.empty());
  ASSERT_EQ(rain_.drops.size(), 1u);
  EXPECT_FLOAT_EQ(rain_.drops.front().position.x, 600);
}

TEST_F(RainObjectHits, TouchingEdgesCountOnlyAgainstTheObjectsLeftAndTop) {
  // The object is rectangle A at (100, 100), 40 x 80.
  struct Case {
    float x, y;
    bool hit;
  };
  for (const Case& c : {Case{87, 120, true},    // drop ends at A's left edge
                        Case{110, 87, true},    // drop's bottom on A's top
                        Case{140, 120, false},  // drop starts at A's right edge
                        Case{110, 180, false},  // drop's top on A's bottom
                        Case{86.9f, 120, false}}) {
    SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
    Target object(100, 100, 40, 80);
    std::vector<GameObject*> objects = {&object};
    rain_.drops.clear();
    rain_.drops.push_back(DropAt(c.x, c.y, 1));
    rain_.CheckHits(objects);
    EXPECT_EQ(object.hits.size(), c.hit ? 1u : 0u);
    EXPECT_EQ(rain_.drops.size(), c.hit ? 0u : 1u);
  }
}

TEST_F(RainObjectHits, ClearEmptiesTheListButLeavesTheLoopFlag) {
  rain_.drops.push_back(DropAt(1, 1, 1));
  rain_.loopPlaying = true;
  rain_.Clear();
  EXPECT_TRUE(rain_.drops.empty());
  EXPECT_TRUE(rain_.loopPlaying);  // the next update stops the sound
}
