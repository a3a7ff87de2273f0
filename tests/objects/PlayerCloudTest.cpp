// Scenario tests of the player cloud through the simulator: size classes and
// their thresholds, the morph and death animations, steering and braking, the
// heights each class can hold, and absorbing energy clouds.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/SimRunner.h"
#include "tests/objects/CloudScenario.h"

using namespace cloudscenario;
using nlohmann::json;

namespace {

const char* kMorph = "Images\\moln_morph.png";
const char* kWeak = "Images\\lilla_zarvo_doende_anim.png";
const char* kSmall = "Images\\lilla_zarvo_normal_anim.png";
const char* kMedium = "Images\\mellan_zarvo_anim.png";
const char* kLarge = "Images\\stora_zarvo_anim_ny.png";

std::vector<int> Ints(const std::vector<json>& dumps, const std::string& field) {
  std::vector<int> out;
  for (const json& d : dumps) out.push_back(d["player1"][field].get<int>());
  return out;
}

std::vector<json> Slice(const std::vector<json>& v, size_t from, size_t n) {
  return std::vector<json>(v.begin() + from, v.begin() + from + n);
}

}  // namespace

// --- Size classes ---------------------------------------------------------

TEST(PlayerCloudSizeClass, ThresholdsAreInclusiveWhereTheRulesSay) {
  // Each energy is set and one frame run; the dump shows the class it selected.
  const std::vector<std::string> energies = {"10",    "10.25", "30", "30.25",
                                             "59.75", "60",    "30", "10"};
  std::string script = QuietWorld() + JoinPlayer1();
  for (const std::string& e : energies) script += "set player1.energy " + e + "\nframes 1\ndump\n";
  const std::vector<json> d = RunSim(script);
  ASSERT_EQ(d.size(), energies.size());

  struct Expect {
    int state;
    float w, h, acceleration;
  };
  const Expect expected[] = {
      {0, 126, 79, 400},   // exactly weakEnergyMax is Weak
      {1, 126, 79, 500},   // just above is Small
      {1, 126, 79, 500},   // exactly smallEnergyMax is still Small
      {2, 150, 92, 300},   // just above is Medium
      {2, 150, 92, 300},   // just below largeEnergyMin is Medium
      {3, 204, 145, 200},  // exactly largeEnergyMin is Large
      {1, 126, 79, 500},   // Large straight back to Small
      {0, 126, 79, 400},
  };
  for (size_t i = 0; i < energies.size(); ++i) {
    SCOPED_TRACE("energy " + energies[i]);
    const json& p = d[i]["player1"];
    EXPECT_EQ(p["state"], expected[i].state);
    EXPECT_FLOAT_EQ(F(p["size"][0]), expected[i].w);
    EXPECT_FLOAT_EQ(F(p["size"][1]), expected[i].h);
    EXPECT_FLOAT_EQ(F(p["acceleration"]), expected[i].acceleration);
  }
  // Only reaching Large growls, once.
  EXPECT_TRUE(HasSound(d[5], "Play EvilZarvo"));
  EXPECT_EQ(CountSound(d, "Play EvilZarvo"), 1);
}

TEST(PlayerCloudSizeClass, NewCloudKeepsItsFirstBoxUntilItsClassChanges) {
  const std::vector<json> d =
      RunSim(QuietWorld() + "set startEnergy 30\n" + JoinPlayer1() +
             "frames 30\ndump\nset player1.energy 30.5\nframes 1\ndump\n");
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[0]["player1"]["state"], 1);
  EXPECT_EQ(d[0]["player1"]["size"], json::array({150.0, 80.0}));
  EXPECT_EQ(d[0]["player1"]["sheet"], kSmall);
  EXPECT_EQ(d[1]["player1"]["state"], 2);
  EXPECT_EQ(d[1]["player1"]["size"], json::array({150.0, 92.0}));
}

TEST(PlayerCloudSizeClass, EnergyIsClampedAtTheEndOfTheSameUpdate) {
  const std::vector<json> d = RunSim(QuietWorld() + JoinPlayer1() +
                                     "set player1.energy 150\nframes 1\ndump\n"
                                     "set player1.energy -20\nframes 1\ndump\n");
  ASSERT_EQ(d.size(), 2u);
  EXPECT_FLOAT_EQ(F(d[0]["player1"]["energy"]), 100);
  EXPECT_FLOAT_EQ(F(d[1]["player1"]["energy"]), 0);
}

TEST(PlayerCloudSizeClass, SmallCloudRunDrySelectsNoClassAndLives) {
  // Only a Weak cloud dies at 0; a Small one dropping straight to 0 flies on.
  const std::vector<json> d =
      RunSim(QuietWorld() + JoinPlayer1() + "set player1.energy 0\nframes 20\ndump\n");
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0]["player1"]["state"], 1);
  EXPECT_FLOAT_EQ(F(d[0]["player1"]["energy"]), 0);
  EXPECT_FALSE(d[0]["player1"]["deadSoundPlayed"].get<bool>());
}

// --- Morph animations --------------------------------------------------------
// With frames of 1/16 s and a cloud frame time of 0.1 s every animation step
// comes every second frame, the Die row (a third of the time) every frame.

TEST(PlayerCloudMorph, EveryClassChangePlaysItsRowThenIdles) {
  struct Change {
    const char* energy;
    int anim;
    std::vector<int> frames;   // one per frame from the change on
    const char* idleSheet;     // the sheet Idle starts with afterwards
  };
  const std::vector<Change> changes = {
      {"40", 11, {1, 1, 2, 2, 2, 0}, kMedium},  // GrowToMedium
      {"70", 12, {3, 3, 4, 4, 4, 0}, kLarge},   // GrowToLarge
      {"40", 7, {4, 4, 3, 3, 3, 0}, kMedium},   // ShrinkToMedium
      {"20", 8, {2, 2, 1, 1, 1, 0}, kSmall},    // ShrinkToSmall
      {"5", 9, {0, 0, 0, 0}, kWeak},            // Weaken
      {"20", 10, {0, 0, 0, 0}, kSmall},         // Recover
  };
  std::string script = QuietWorld() + JoinPlayer1() + "frames 4 0.0625\n";
  for (const Change& c : changes) {
    script += std::string("set player1.energy ") + c.energy + "\n";
    script += DumpEachFrame(static_cast<int>(c.frames.size()), "0.0625");
  }
  const std::vector<json> d = RunSim(script);

  size_t at = 0;
  for (const Change& c : changes) {
    SCOPED_TRACE(std::string("energy ") + c.energy);
    ASSERT_LE(at + c.frames.size(), d.size());
    const std::vector<json> run = Slice(d, at, c.frames.size());
    at += c.frames.size();
    EXPECT_EQ(Ints(run, "frame"), c.frames);
    const std::vector<int> anims = Ints(run, "currentAnim");
    for (size_t i = 0; i + 1 < anims.size(); ++i) {
      EXPECT_EQ(anims[i], c.anim);
      EXPECT_EQ(run[i]["player1"]["sheet"], kMorph);
    }
    EXPECT_EQ(anims.back(), 6);  // Idle
    EXPECT_EQ(run.back()["player1"]["sheet"], c.idleSheet);
    EXPECT_EQ(run.back()["player1"]["frameStep"], 1);
  }
}

TEST(PlayerCloudMorph, IdleRunsBackAndForth) {
  const std::vector<json> d =
      RunSim(QuietWorld() + JoinPlayer1() + "frames 1 0.0625\n" + DumpEachFrame(16, "0.0625"));
  // The join frame started Idle; from there one step every second frame.
  EXPECT_EQ(Ints(d, "frame"),
            (std::vector<int>{0, 1, 1, 2, 2, 3, 3, 2, 2, 1, 1, 0, 0, 1, 1, 2}));
}

TEST(PlayerCloudMorph, MovementRowsLoopOverTheirOwnFrames) {
  struct Row {
    const char* key;
    int anim;
    int lo;
  };
  for (const Row& r : {Row{"D", 1, 4}, Row{"A", 0, 8}, Row{"W", 2, 12}, Row{"S", 3, 16}}) {
    SCOPED_TRACE(r.key);
    const std::vector<json> d = RunSim(QuietWorld() + JoinPlayer1() + "set player1.position 400 300\n" +
                                       "hold " + r.key + "\n" + DumpEachFrame(10, "0.0625"));
    const int lo = r.lo;
    EXPECT_EQ(Ints(d, "frame"), (std::vector<int>{lo, lo, lo + 1, lo + 1, lo + 2, lo + 2, lo + 3,
                                                   lo + 3, lo + 2, lo + 2}));
    for (int a : Ints(d, "currentAnim")) EXPECT_EQ(a, r.anim);
  }
}

TEST(PlayerCloudMorph, OpposingKeysCancelAndLeftAndUpWin) {
  const std::vector<json> d =
      RunSim(QuietWorld() + JoinPlayer1() + "hold A D\nframes 5\ndump\nrelease all\n"
                                            "hold W S\nframes 5\ndump\n");
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[0]["player1"]["currentAnim"], 0);  // Left
  EXPECT_FLOAT_EQ(F(d[0]["player1"]["velocity"][0]), 0);
  EXPECT_EQ(d[1]["player1"]["currentAnim"], 2);  // Up
  EXPECT_FLOAT_EQ(F(d[1]["player1"]["velocity"][1]), 0);
}

// --- Death -------------------------------------------------------------------

TEST(PlayerCloudDeath, WeakCloudAtZeroShiftsAndPlaysTheDieRowToDead) {
  const std::vector<json> d =
      RunSim(QuietWorld() + JoinPlayer1() + "set player1.energy 5\nframes 6 0.0625\n" +
             "set player1.position 300 300\nset player1.velocity 0 0\nset player1.energy 0\n" +
             DumpEachFrame(10, "0.0625"));
  ASSERT_EQ(d.size(), 10u);
  // The update that finds Weak at 0 turns Dying and asks for Die.
  EXPECT_EQ(d[0]["player1"]["state"], 4);
  EXPECT_EQ(d[0]["player1"]["position"], json::array({300.0, 300.0}));
  // The next one starts Die: morph frame 5, the picture moved up and left by 30.
  EXPECT_EQ(d[1]["player1"]["currentAnim"], 4);
  EXPECT_EQ(d[1]["player1"]["sheet"], kMorph);
  EXPECT_EQ(d[1]["player1"]["position"], json::array({270.0, 270.0}));
  EXPECT_TRUE(HasSound(d[1], "Play Dead"));
  EXPECT_FLOAT_EQ(F(d[1]["player1"]["acceleration"]), 0);
  // Then one frame per update up to 12, where the cloud is Dead.
  std::vector<int> frames;
  for (size_t i = 1; i <= 8; ++i) frames.push_back(d[i]["player1"]["frame"].get<int>());
  EXPECT_EQ(frames, (std::vector<int>{5, 6, 7, 8, 9, 10, 11, 12}));
  for (size_t i = 1; i < 8; ++i) EXPECT_EQ(d[i]["player1"]["state"], 4);
  EXPECT_EQ(d[8]["player1"]["state"], 5);
  EXPECT_EQ(CountSound(d, "Play Dead"), 1);
  // The shell takes the dead cloud away before the world runs again.
  EXPECT_TRUE(d[9]["player1"].is_null());
}

TEST(PlayerCloudDeath, DriftingBeyondMinus270IsDeadAtOnce) {
  const std::vector<json> d =
      RunSim(QuietWorld() + JoinPlayer1() + "set player1.position -270 300\nframes 1\ndump\n" +
             "set player1.position -270.5 300\nframes 1\ndump\n");
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[0]["player1"]["state"], 1);
  EXPECT_EQ(d[1]["player1"]["state"], 5);
  EXPECT_NE(std::find(d[1]["player1"]["animRequests"].begin(),
                      d[1]["player1"]["animRequests"].end(), 4),
            d[1]["player1"]["animRequests"].end());
}

// --- Steering and braking ------------------------------------------------------

TEST(PlayerCloudMovement, HeldKeyAcceleratesReleasedKeyBrakesByTheRoundedUpStep) {
  // Small: acceleration 500, so a 1/60 s frame brakes by ceil(8.33) = 9.
  struct Case {
    const char* set;
    float vx, vy;
  };
  const std::vector<Case> cases = {
      {"100 0", 91, 0},   {"9 0", 0, 0},     {"10 0", 1, 0},    {"-100 0", -91, 0},
      {"-9.5 0", 0, 0},   {"0 100", 0, 91},  {"0 -100", 0, -91}, {"0 9.99", 0, 0},
      {"15 -15", 6, -6},
  };
  std::string script = QuietWorld() + JoinPlayer1() + "set player1.position 400 300\n" +
                       "hold D\nframes 1\ndump\nrelease all\n";
  for (const Case& c : cases)
    script += std::string("set player1.position 400 300\nset player1.velocity ") + c.set +
              "\nframes 1\ndump\n";
  const std::vector<json> d = RunSim(script);
  ASSERT_EQ(d.size(), cases.size() + 1);
  EXPECT_NEAR(F(d[0]["player1"]["velocity"][0]), 500.0f / 60, 1e-3);
  EXPECT_FLOAT_EQ(F(d[0]["player1"]["velocity"][1]), 0);
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].set);
    EXPECT_FLOAT_EQ(F(d[i + 1]["player1"]["velocity"][0]), cases[i].vx);
    EXPECT_FLOAT_EQ(F(d[i + 1]["player1"]["velocity"][1]), cases[i].vy);
  }
}

TEST(PlayerCloudMovement, BrakeStepFollowsTheClassAcceleration) {
  // Weak 400: ceil(6.67) = 7; Large 200: ceil(3.33) = 4.
  const std::vector<json> d =
      RunSim(QuietWorld() + JoinPlayer1() + "set player1.energy 5\nframes 1\n" +
             "set player1.velocity 100 0\nframes 1\ndump\n" +
             "set player1.energy 80\nset player1.position 300 400\nframes 1\n" +
             "set player1.velocity 100 0\nset player1.position 300 400\nframes 1\ndump\n");
  ASSERT_EQ(d.size(), 2u);
  EXPECT_FLOAT_EQ(F(d[0]["player1"]["velocity"][0]), 93);
  EXPECT_FLOAT_EQ(F(d[1]["player1"]["velocity"][0]), 96);
}

// --- Edges and reachable heights -------------------------------------------------

TEST(PlayerCloudMovement, EdgePushesMarkTheHeightsEachClassCanHold) {
  // With a 768 screen: Small/Weak 1..519, Medium 145..506, Large 330..453; the
  // right edge at 1024 - width. Each case: place the cloud, stand still, one frame.
  struct Case {
    const char* energy;
    const char* position;
    float vx, vy;
  };
  const std::vector<Case> cases = {
      {"20", "400 1", 0, 200},      {"20", "400 1.5", 0, 0},     {"20", "400 519", 0, 0},
      {"20", "400 519.5", 0, -200}, {"20", "898 300", 0, 0},     {"20", "898.5 300", -200, 0},
      {"5", "400 1", 0, 200},       {"5", "400 519.5", 0, -200}, {"40", "400 145", 0, 0},
      {"40", "400 144.5", 0, 200},  {"40", "400 506", 0, 0},     {"40", "400 506.5", 0, -200},
      {"40", "874.5 300", -200, 0}, {"80", "400 330", 0, 0},     {"80", "400 329.5", 0, 200},
      {"80", "400 453", 0, 0},      {"80", "400 453.5", 0, -200}, {"80", "820.5 400", -200, 0},
  };
  // Each class is entered from another one so that the box has the class's size.
  std::string script = QuietWorld() + JoinPlayer1() + "set player1.energy 40\nframes 1\n";
  for (const Case& c : cases) {
    script += std::string("set player1.energy ") + c.energy + "\nframes 1\n";
    script += std::string("set player1.position ") + c.position +
              "\nset player1.velocity 0 0\nframes 1\ndump\n";
  }
  const std::vector<json> d = RunSim(script);
  ASSERT_EQ(d.size(), cases.size());
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(std::string(cases[i].energy) + " at " + cases[i].position);
    EXPECT_FLOAT_EQ(F(d[i]["player1"]["velocity"][0]), cases[i].vx);
    EXPECT_FLOAT_EQ(F(d[i]["player1"]["velocity"][1]), cases[i].vy);
  }
}

TEST(PlayerCloudMovement, LargeCloudCannotClimbAboveItsBand) {
  const std::vector<json> d =
      RunSim(QuietWorld() + JoinPlayer1() + "set player1.energy 80\nset player1.position 300 400\n" +
             "hold W\nframes 120\n" + DumpEachFrame(120, "0.016666668"));
  float top = 1e9f;
  for (const json& s : d) top = std::min(top, F(s["player1"]["position"][1]));
  EXPECT_LT(top, 331.0f);  // it does reach the band's edge...
  EXPECT_GT(top, 320.0f);  // ...and is sent back down within a frame or two
}

// --- Energy clouds ---------------------------------------------------------------

TEST(PlayerCloudCollect, KindsGiveEnergyOrACharge) {
  // The cloud is put back at (300, 400) and stopped before each energy cloud.
  const std::string place = "set player1.position 300 400\nset player1.velocity 0 0\n";
  const std::vector<json> d = RunSim(QuietWorld() + JoinPlayer1() + place +
                                     "spawn Cloud1 320 410\nframes 1\ndump\n" + place +
                                     "spawn Cloud2 320 410\nframes 1\ndump\n" + place +
                                     "spawn Cloud3 320 410\nframes 1\ndump\n" + place +
                                     "spawn Cloud4 320 410\nframes 1\ndump\n");
  ASSERT_EQ(d.size(), 4u);
  const float energies[] = {30, 50, 80, 80};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i + 1);
    EXPECT_FLOAT_EQ(F(d[i]["player1"]["energy"]), energies[i]);
    EXPECT_TRUE(d[i]["cloudobjects"].empty());
  }
  EXPECT_EQ(d[2]["player1"]["lightning"]["charges"], 0);
  EXPECT_EQ(d[3]["player1"]["lightning"]["charges"], 1);
}

TEST(PlayerCloudCollect, ChargesStopAtNineAndTheCloudIsStillTaken) {
  const std::vector<json> d =
      RunSim(QuietWorld() + JoinPlayer1() + "set player1.lightning.charges 8\n" +
             "spawn Cloud4 220 210\nframes 1\ndump\nspawn Cloud4 220 210\nframes 1\ndump\n");
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[0]["player1"]["lightning"]["charges"], 9);
  EXPECT_EQ(d[1]["player1"]["lightning"]["charges"], 9);
  EXPECT_TRUE(d[1]["cloudobjects"].empty());
}

TEST(PlayerCloudCollect, GainAboveHundredIsCutInTheSameUpdate) {
  const std::vector<json> d =
      RunSim(QuietWorld() + JoinPlayer1() + "set player1.energy 95\nset player1.position 300 400\n" +
             "set player1.velocity 0 0\nspawn Cloud3 320 410\nframes 1\ndump\n");
  ASSERT_EQ(d.size(), 1u);
  EXPECT_FLOAT_EQ(F(d[0]["player1"]["energy"]), 100);
}

TEST(PlayerCloudCollect, TouchingEdgesCountOnlyAgainstTheCloudsLeftAndTop) {
  // The player cloud is rectangle A at (200, 200), 150 x 80; a small energy
  // cloud is 83 x 46.
  struct Case {
    const char* at;
    bool taken;
  };
  for (const Case& c : {Case{"117 210", true},     // its right edge on A's left edge
                        Case{"220 154", true},     // its bottom on A's top
                        Case{"350 210", false},    // its left edge on A's right edge
                        Case{"220 280", false}}) {  // its top on A's bottom
    SCOPED_TRACE(c.at);
    const std::vector<json> d = RunSim(QuietWorld() + JoinPlayer1() + "set player1.position 200 200\n" +
                                       "spawn Cloud1 " + c.at + "\nframes 1\ndump\n");
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0]["cloudobjects"].empty(), c.taken);
    EXPECT_FLOAT_EQ(F(d[0]["player1"]["energy"]), c.taken ? 30 : 20);
  }
}

TEST(PlayerCloudCollect, DyingCloudTakesNothing) {
  const std::vector<json> d =
      RunSim(QuietWorld() + JoinPlayer1() + "set player1.energy 5\nframes 6 0.0625\n" +
             "set player1.energy 0\nframes 1 0.0625\nset player1.position 300 300\n" +
             "spawn Cloud1 320 310\nframes 1 0.0625\ndump\n");
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0]["cloudobjects"].size(), 1u);
  EXPECT_FLOAT_EQ(F(d[0]["player1"]["energy"]), 0);
}
