// The rain: how many drops a frame makes and what they cost, their fall to
// the ground line, whom a drop can hit (clouds and world objects, with the
// touching-edge rules) and the rain loop sound that follows the drop list.
#include <set>

#include "tests/objects/CloudScenario.h"

using namespace cloudscenario;

namespace {

// Drops (13 x 13) against player 2 at (500, 200), 126 x 79: right edge on its
// left and bottom on its top hit; left edge on its right and top on its bottom not.
const std::string kCount = "/rain/dropCount";
const char* const kEdgeCases[] = {"487 230", "550 187", "626 230", "550 279"};
// The same against a tree at (500, 400), 90 x 130, and a drop ending just before it.
const char* const kObjectEdges[] = {"487 420", "510 387", "590 420", "510 530", "486.9 420"};

// One player first, then both: every rain situation in one run. Each part
// starts with no key held and no drops.
SharedRun Drops() {
  SharedRun r(QuietWorld() + JoinPlayer1());
  r.reset = "release all; set rain.drops clear";
  // Interval 0.02: a 0.05 s frame makes 3 drops (0.05, 0.03, 0.01 are all
  // > 0), a frame of no time none, a 1/60 s frame one.
  r.Part("counts") << "set player1.energy 50; hold G; frames 1 0.05; dump; set rain.drops clear;"
                      "frames 1 0; dump; frames 1; dump";
  r.Part("newDrop") << "set player1.position 300 250; hold G; frames 1 0.0625; dump";
  // A thousand drops that stay where they are made show the whole offset range.
  r.Part("offsets")
      << "set rainDropSpeed 0; set rainGravity 0; set rainWind 0; set rainDropEnergy 0;"
         "hold G; frames 1 20; dump; set rainDropSpeed 5; set rainGravity 100;"
         "set rainWind -10; set rainDropEnergy 1";
  r.Part("weakMax") << "set player1.energy 10; hold G; frames 1; dump; set player1.energy 10.5;"
                       "frames 1; dump";
  // The energy test is made once per call: 11 energy still pays for 3 drops
  // of 5 and is clamped at 0 at the end of the cloud's update.
  r.Part("perDrop") << "set rainDropEnergy 5; set player1.energy 11; hold G; frames 1 0.05; dump;"
                       "set rainDropEnergy 1";
  // Without start speed and wind a drop stands still for its first update,
  // so its place is exact: the line is 768 - (100 + 13) = 655.
  r.Part("ground")
      << "set rainDropSpeed 0; set rainWind 0; set rain.addDrop 100 655 1; frames 1;"
         "dump; set rain.drops clear; set rain.addDrop 100 655.25 1; frames 1; dump;"
         "set rainDropSpeed 5; set rainWind -10; set rain.addDrop 100 300 1; frames 2 0.5; dump";
  r.Part("onePlayer") << "set player1.position 200 200; set player1.energy 20;"
                         "set rain.addDrop 250 230 2; frames 1; dump";
  // A drop on two objects wets both and goes; one beside them stays. Then
  // drops on the edges of one tree at (500, 400), 90 x 130, in a frame of no time.
  r.Part("objects") << "set objects clear; spawn Tree0 500 538; spawn Tree0 510 538;"
                       "set rain.addDrop 520 558 1; set rain.addDrop 800 558 1; frames 1; dump;"
                       "set objects clear; set rain.drops clear; spawn Tree0 500 400;";
  for (const char* at : kObjectEdges) r << std::string("set rain.addDrop ") + at + " 1";
  r << "frames 1 0; dump; set objects clear";
  r.Part("loop")
      << "set player1.energy 90; frames 1; dump; hold G; frames 1; dump; frames 10; dump;"
         "release all; set rain.drops clear; frames 1; dump; frames 5; dump; hold G;"
         "frames 1; dump; release all; set rain.drops clear; frames 1; dump";
  // One drop falls from under the cloud to the ground line in frames of 0.1 s.
  r.Part("fallToGround") << "hold G; frames 1; release all;" + DumpEachFrame(40, "0.1");
  // Player 2 joins; its join key rains once, which is swept away. Player 1
  // stands at (100, 200), player 2 at (500, 200), both 126 x 79 after the boost.
  const std::string place =
      "set player1.position 100 200; set player2.position 500 200;"
      "set player1.velocity 0 0; set player2.velocity 0 0;";
  r.Part("boost") << "press NUMPAD0; frames 1; set rain.drops clear;" + place +
                         "set player1.energy 50; set player2.energy 50; hold G J; frames 1; dump;"
                         "release all; set rain.drops clear; hold NUMPAD0 NUMPAD1; frames 1; dump;"
                         "release all; set rain.drops clear; hold J NUMPAD1; frames 1; dump;"
                         "release all; set player1.energy 20; set player2.energy 20; frames 1";
  r.Part("whom");
  for (const char* drop : {"550 230 1", "550 230 2", "150 230 2", "150 230 1"})
    r << place + "set rain.drops clear; set rain.addDrop " + drop + "; frames 1; dump";
  r.Part("edges");
  for (const char* at : kEdgeCases)
    r << place + "set player2.energy 20; set rain.drops clear; set rain.addDrop " + at +
             " 1; frames 1; dump";
  r.Part("dying") << "set player2.energy 5; frames 6 0.0625; set player2.energy 0;" + place +
                         "frames 1 0.0625; set rain.addDrop 550 230 1; frames 1 0.0625; dump";
  return r;
}
SharedRun drops = Drops();

TEST(RainDrops, OneCallMakesADropPerStartedIntervalEachCostingItsEnergy) {
  Expect(drops["counts"]) = {{0, kCount, 3},    {0, "energy", 47}, {1, kCount, 0},
                             {1, "energy", 47}, {2, kCount, 1},    {2, "energy", 46}};
  // Taken per drop, and may go below the limit; and only above weakEnergyMax.
  Expect(drops["perDrop"]) = {{0, kCount, 3}, {0, "energy", 0}};
  Expect(drops["weakMax"]) = {{0, kCount, 0}, {0, "energy", 10}, {1, kCount, 1}};
  // The boost adds two calls for player 1, one for player 2, and alone does nothing.
  Expect(drops["boost"]) = {{0, kCount, 3}, {0, "energy", 47},
                            {1, kCount, 2}, {1, "/player2/energy", 48},
                            {2, kCount, 0}, {2, "energy", 47}};
}

TEST(RainDrops, DrawOffsetsSpanMinus20To50) {
  std::set<int> offsets;
  for (const json& drop : drops["offsets"].at(0)["rain"]["drops"])
    offsets.insert(drop["drawOffset"].get<int>());
  ASSERT_EQ(offsets.size(), 71u);
  EXPECT_EQ(*offsets.begin(), -20);
  EXPECT_EQ(*offsets.rbegin(), 50);
}

TEST(RainDrops, NewDropHangsUnderTheCloudAndStartsToFall) {
  const json& d = drops["newDrop"].at(0);
  const float w = F(d["player1"]["size"][0]), bottom = 250 + F(d["player1"]["size"][1]);
  ASSERT_EQ(d["rain"]["dropCount"], 4);  // ceil(0.0625 / 0.02)
  for (const json& drop : d["rain"]["drops"]) {
    // Made on the cloud's bottom edge, then one fall step of 5 px/s for 1/16 s.
    EXPECT_TRUE(F(drop["position"][0]) >= 300 && F(drop["position"][0]) <= 300 + w) << drop;
    Expect({drop}, "/") = {{0, "position/1", bottom + 0.3125}, {0, "velocity", {-0.625, 11.25}}};
    Expect({drop}, "/") = {{0, "size", {13, 13}}, {0, "acceleration", {-10, 100}}, {0, "owner", 1}};
  }
}

TEST(RainFall, GravityAndWindAccelerateTheDropTillItPassesTheGroundLine) {
  // The place moves with the old speed, then the speed grows: in two half
  // seconds x by 0 and -2.5, y by 2.5 and 27.5.
  Expect(drops["ground"], "/rain/") = {
      {0, "dropCount", 1}, {1, "dropCount", 0}, {2, "dropCount", 1}};
  Expect(drops["ground"], "/rain/drops/0/") = {{2, "position", {97.5, 330}},
                                               {2, "velocity", {-10, 105}}};
}

TEST(RainHitsClouds, OnlyTheOtherOfTwoPlayersCloudsIsHitAndOnlyOnItsLeftAndTopEdges) {
  // With one player a drop inside its cloud, but not its own, passes.
  Expect(drops["onePlayer"]) = {{0, kCount, 1}, {0, "energy", 20}};
  // Player 1's drop in player 2's cloud: gone, player 2 gains a drop's energy;
  // player 2's own drop passes through it; and the other way round.
  Expect(drops["whom"], "/") = {
      {0, "rain/dropCount", 0},  {0, "player2/energy", 21}, {0, "player1/energy", 20},
      {1, "rain/dropCount", 1},  {1, "player2/energy", 21}, {2, "rain/dropCount", 0},
      {2, "player1/energy", 21}, {3, "rain/dropCount", 1},  {3, "player1/energy", 21}};
  // A dying cloud swallows the drop without gain.
  Expect(drops["dying"], "/player2/") = {{0, "state", 4}, {0, kCount, 0}, {0, "energy", 0}};
  // Touching edges count only against the cloud's left and top.
  Expect(drops["edges"], "/player2/") = {
      {0, "size", {126, 79}}, {0, "energy", 21}, {0, kCount, 0},
      {1, "energy", 21},      {1, kCount, 0},    {2, "energy", 20},
      {2, kCount, 1},         {3, "energy", 20}, {3, kCount, 1}};
}

TEST(RainHitsObjects, OneDropWetsEveryObjectItTouchesCountingEdgesFromTheObjectsLeftAndTop) {
  Expect(drops["objects"], "/objects/0/") = {{0, "rainHits", 1}, {0, "/objects/1/rainHits", 1},
                                             {0, kCount, 1},     {1, "size", {90, 130}},
                                             {1, "rainHits", 2}, {1, kCount, 3}};
  Expect(drops["objects"], "/rain/drops/") = {{0, "0/position/0", 800},
                                              {1, "0/position", {590, 420}},
                                              {1, "1/position", {510, 530}},
                                              {1, "2/position", {486.9, 420}}};
}

TEST(RainSound, LoopRunsExactlyWhileDropsExist) {
  // Started by the first drop, not restarted by more, stopped once emptied.
  const std::string play = "sound:Play Rain_Loop_04", stop = "sound:Stop Rain_Loop_04";
  Expect(drops["loop"]) = {{1, play, 1}, {2, play, 0}, {3, stop, 1},
                           {4, stop, 0}, {4, play, 0}, {5, play, 1}};
  Expect(drops["loop"], "/rain/") = {{1, "loopPlaying", true}, {3, "loopPlaying", false}};
  // It stops in the update that removes the last drop.
  const Dumps& d = drops["fallToGround"];
  for (size_t i = 1; i < d.size(); ++i)
    EXPECT_EQ(Sounds(d[i], "Stop Rain_Loop_04"),
              d[i]["rain"]["dropCount"] == 0 && d[i - 1]["rain"]["dropCount"] != 0)
        << i;
  Expect(d) = {{0, kCount, 1}, {39, kCount, 0}};
}

}  // namespace
