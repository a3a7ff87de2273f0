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

std::vector<int> Ints(const std::vector<json>& dumps, const std::string& field,
                      const char* player = "player1") {
  std::vector<int> out;
  for (const json& d : dumps) out.push_back(d[player][field].get<int>());
  return out;
}

bool Requests(const json& cloud, int code) {
  for (const json& c : cloud["animRequests"])
    if (c == code) return true;
  return false;
}

// --- Size classes: one run --------------------------------------------------

const std::vector<std::string> kThresholdEnergies = {"10",    "10.25", "30", "30.25",
                                                     "59.75", "60",    "30", "10"};

SharedRun& ClassesRun() {
  static SharedRun run = [] {
    SharedRun r;
    r.Add(QuietWorld() + "set startEnergy 30\n" + JoinPlayer1());
    r.Part("newCloud").Add("frames 30\ndump\nset player1.energy 30.5\nframes 1\ndump\n");
    r.Part("thresholds");
    for (const std::string& e : kThresholdEnergies)
      r.Add("set player1.energy " + e + "\nframes 1\ndump\n");
    r.Part("clamp").Add(
        "set player1.energy 150\nframes 1\ndump\nset player1.energy -20\nframes 1\ndump\n");
    r.Part("smallDry")
        .Add("set player1.energy 20\nframes 1\nset player1.energy 0\nframes 20\ndump\n");
    return r;
  }();
  return run;
}

}  // namespace

TEST(PlayerCloudSizeClass, NewCloudKeepsItsFirstBoxUntilItsClassChanges) {
  const std::vector<json>& d = ClassesRun().Dumps("newCloud");
  ASSERT_EQ(d.size(), 2u) << ClassesRun().Result().errors;
  EXPECT_EQ(d[0]["player1"]["state"], 1);
  EXPECT_EQ(d[0]["player1"]["size"], json::array({150.0, 80.0}));
  EXPECT_EQ(d[0]["player1"]["sheet"], kSmall);
  EXPECT_EQ(d[1]["player1"]["state"], 2);
  EXPECT_EQ(d[1]["player1"]["size"], json::array({150.0, 92.0}));
}

TEST(PlayerCloudSizeClass, ThresholdsAreInclusiveWhereTheRulesSay) {
  const std::vector<json>& d = ClassesRun().Dumps("thresholds");
  ASSERT_EQ(d.size(), kThresholdEnergies.size()) << ClassesRun().Result().errors;
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
  for (size_t i = 0; i < kThresholdEnergies.size(); ++i) {
    SCOPED_TRACE("energy " + kThresholdEnergies[i]);
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

TEST(PlayerCloudSizeClass, EnergyIsClampedAtTheEndOfTheSameUpdate) {
  const std::vector<json>& d = ClassesRun().Dumps("clamp");
  ASSERT_EQ(d.size(), 2u);
  EXPECT_FLOAT_EQ(F(d[0]["player1"]["energy"]), 100);
  EXPECT_FLOAT_EQ(F(d[1]["player1"]["energy"]), 0);
  EXPECT_EQ(d[1]["player1"]["state"], 3);  // no rule for 0 or less: the class stays
}

TEST(PlayerCloudSizeClass, SmallCloudRunDrySelectsNoClassAndLives) {
  // Only a Weak cloud dies at 0; a Small one dropping straight to 0 flies on.
  const std::vector<json>& d = ClassesRun().Dumps("smallDry");
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0]["player1"]["state"], 1);
  EXPECT_FLOAT_EQ(F(d[0]["player1"]["energy"]), 0);
  EXPECT_FALSE(d[0]["player1"]["deadSoundPlayed"].get<bool>());
}

// --- Animations: one run ---------------------------------------------------------
// With frames of 1/16 s and a cloud frame time of 0.1 s every animation step
// comes every second frame.

namespace {

struct Change {
  const char* energy;
  int anim;
  std::vector<int> frames;  // one per frame from the change on
  const char* idleSheet;    // the sheet Idle starts with afterwards
};
const std::vector<Change> kChanges = {
    {"40", 11, {1, 1, 2, 2, 2, 0}, kMedium},  // GrowToMedium
    {"70", 12, {3, 3, 4, 4, 4, 0}, kLarge},   // GrowToLarge
    {"40", 7, {4, 4, 3, 3, 3, 0}, kMedium},   // ShrinkToMedium
    {"20", 8, {2, 2, 1, 1, 1, 0}, kSmall},    // ShrinkToSmall
    {"5", 9, {0, 0, 0, 0}, kWeak},            // Weaken
    {"20", 10, {0, 0, 0, 0}, kSmall},         // Recover
};

struct Row {
  const char* key;
  int anim;
  int lo;
};
const Row kRows[] = {{"D", 1, 4}, {"A", 0, 8}, {"W", 2, 12}, {"S", 3, 16}};

SharedRun& AnimationRun() {
  static SharedRun run = [] {
    SharedRun r;
    r.Add(QuietWorld() + JoinPlayer1() + "frames 4 0.0625\n");
    for (const Change& c : kChanges) {
      r.Part(std::string("morph") + std::to_string(c.anim));
      r.Add(std::string("set player1.energy ") + c.energy + "\n");
      r.Add(DumpEachFrame(static_cast<int>(c.frames.size()), "0.0625"));
    }
    // Recover has just ended and Idle started.
    r.Part("idle").Add(DumpEachFrame(15, "0.0625"));
    for (const Row& row : kRows) {
      r.Part(std::string("row") + row.key);
      r.Add(std::string("set player1.position 400 300\nset player1.velocity 0 0\nhold ") + row.key +
            "\n" + DumpEachFrame(10, "0.0625") + "release all\n");
    }
    r.Part("opposing")
        .Add(
            "set player1.position 400 300\nset player1.velocity 0 0\n"
            "hold A D\nframes 5\ndump\nrelease all\nhold W S\nframes 5\ndump\nrelease all\n");
    return r;
  }();
  return run;
}

}  // namespace

TEST(PlayerCloudMorph, EveryClassChangePlaysItsRowThenIdles) {
  for (const Change& c : kChanges) {
    SCOPED_TRACE(std::string("energy ") + c.energy);
    const std::vector<json>& run =
        AnimationRun().Dumps(std::string("morph") + std::to_string(c.anim));
    ASSERT_EQ(run.size(), c.frames.size()) << AnimationRun().Result().errors;
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
  const std::vector<json>& d = AnimationRun().Dumps("idle");
  EXPECT_EQ(Ints(d, "frame"), (std::vector<int>{0, 1, 1, 2, 2, 3, 3, 2, 2, 1, 1, 0, 0, 1, 1}));
  EXPECT_EQ(d.back()["player1"]["frameStep"], 1);
}

TEST(PlayerCloudMorph, MovementRowsLoopOverTheirOwnFrames) {
  for (const Row& r : kRows) {
    SCOPED_TRACE(r.key);
    const std::vector<json>& d = AnimationRun().Dumps(std::string("row") + r.key);
    const int lo = r.lo;
    EXPECT_EQ(Ints(d, "frame"), (std::vector<int>{lo, lo, lo + 1, lo + 1, lo + 2, lo + 2, lo + 3,
                                                  lo + 3, lo + 2, lo + 2}));
    for (int a : Ints(d, "currentAnim")) EXPECT_EQ(a, r.anim);
    for (const json& s : d) EXPECT_EQ(s["player1"]["sheet"], kSmall);
  }
}

TEST(PlayerCloudMorph, OpposingKeysCancelAndLeftAndUpWin) {
  const std::vector<json>& d = AnimationRun().Dumps("opposing");
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[0]["player1"]["currentAnim"], 0);  // Left
  EXPECT_FLOAT_EQ(F(d[0]["player1"]["velocity"][0]), 0);
  EXPECT_EQ(d[1]["player1"]["currentAnim"], 2);  // Up
  EXPECT_FLOAT_EQ(F(d[1]["player1"]["velocity"][1]), 0);
}

// --- Death: one run, player 2 drifts off, then player 1 runs dry -----------------

namespace {

SharedRun& DeathRun() {
  static SharedRun run = [] {
    SharedRun r;
    r.options = UnreachableHighScores();
    r.Add(QuietWorld() + JoinBoth());
    r.Part("drift").Add(
        "set player2.position -270 300\nframes 1\ndump\n"
        "set player2.position -270.5 300\nframes 1\ndump\nframes 1\ndump\n");
    r.Part("die").Add(
        "set player1.energy 5\nframes 6 0.0625\n"
        "set player1.position 300 300\nset player1.velocity 0 0\nset player1.energy 0\n" +
        DumpEachFrame(10, "0.0625"));
    return r;
  }();
  return run;
}

}  // namespace

TEST(PlayerCloudDeath, DriftingBeyondMinus270IsDeadAtOnce) {
  const std::vector<json>& d = DeathRun().Dumps("drift");
  ASSERT_EQ(d.size(), 3u) << DeathRun().Result().errors;
  EXPECT_EQ(d[0]["player2"]["state"], 1);
  EXPECT_EQ(d[1]["player2"]["state"], 5);
  EXPECT_TRUE(Requests(d[1]["player2"], 4));
  // Its score enters no table: the cloud leaves, the other player plays on.
  EXPECT_TRUE(d[2]["player2"].is_null());
  EXPECT_EQ(d[2]["GameState"], 1);
}

TEST(PlayerCloudDeath, WeakCloudAtZeroShiftsAndPlaysTheDieRowToDead) {
  const std::vector<json>& d = DeathRun().Dumps("die");
  ASSERT_EQ(d.size(), 10u) << DeathRun().Result().errors;
  // The update that finds Weak at 0 turns Dying and asks for Die.
  EXPECT_EQ(d[0]["player1"]["state"], 4);
  EXPECT_TRUE(Requests(d[0]["player1"], 4));
  EXPECT_EQ(d[0]["player1"]["position"], json::array({300.0, 300.0}));
  // The next one starts Die: morph frame 5, the picture moved up and left by 30.
  EXPECT_EQ(d[1]["player1"]["currentAnim"], 4);
  EXPECT_EQ(d[1]["player1"]["sheet"], kMorph);
  EXPECT_EQ(d[1]["player1"]["position"], json::array({270.0, 270.0}));
  EXPECT_TRUE(HasSound(d[1], "Play Dead"));
  EXPECT_FLOAT_EQ(F(d[1]["player1"]["acceleration"]), 0);
  // A third of the frame time per step: one frame per update up to 12, Dead.
  std::vector<int> frames;
  for (size_t i = 1; i <= 8; ++i) frames.push_back(d[i]["player1"]["frame"].get<int>());
  EXPECT_EQ(frames, (std::vector<int>{5, 6, 7, 8, 9, 10, 11, 12}));
  for (size_t i = 1; i < 8; ++i) EXPECT_EQ(d[i]["player1"]["state"], 4);
  EXPECT_EQ(d[8]["player1"]["state"], 5);
  EXPECT_EQ(CountSound(d, "Play Dead"), 1);
  // The shell takes the dead cloud away before the world runs again.
  EXPECT_TRUE(d[9]["player1"].is_null());
}

// --- Steering, braking and the screen edges: one run -----------------------------

namespace {

struct BrakeCase {
  const char* set;
  float vx, vy;
};
// Small: acceleration 500, so a 1/60 s frame brakes by ceil(8.33) = 9.
const std::vector<BrakeCase> kBrakeCases = {
    {"100 0", 91, 0}, {"9 0", 0, 0},      {"10 0", 1, 0},   {"-100 0", -91, 0}, {"-9.5 0", 0, 0},
    {"0 100", 0, 91}, {"0 -100", 0, -91}, {"0 9.99", 0, 0}, {"15 -15", 6, -6},
};

struct EdgeCase {
  const char* energy;
  const char* position;
  float vx, vy;
};
// With a 768 screen: Small/Weak 1..519, Medium 145..506, Large 330..453; the
// right edge at 1024 - width.
const std::vector<EdgeCase> kEdgeCases = {
    {"20", "400 1", 0, 200},      {"20", "400 1.5", 0, 0},      {"20", "400 519", 0, 0},
    {"20", "400 519.5", 0, -200}, {"20", "898 300", 0, 0},      {"20", "898.5 300", -200, 0},
    {"5", "400 1", 0, 200},       {"5", "400 519.5", 0, -200},  {"40", "400 145", 0, 0},
    {"40", "400 144.5", 0, 200},  {"40", "400 506", 0, 0},      {"40", "400 506.5", 0, -200},
    {"40", "874.5 300", -200, 0}, {"80", "400 330", 0, 0},      {"80", "400 329.5", 0, 200},
    {"80", "400 453", 0, 0},      {"80", "400 453.5", 0, -200}, {"80", "820.5 400", -200, 0},
};

SharedRun& MovementRun() {
  static SharedRun run = [] {
    SharedRun r;
    r.Add(QuietWorld() + JoinPlayer1());
    r.Part("braking").Add("set player1.position 400 300\nhold D\nframes 1\ndump\nrelease all\n");
    for (const BrakeCase& c : kBrakeCases)
      r.Add(std::string("set player1.position 400 300\nset player1.velocity ") + c.set +
            "\nframes 1\ndump\n");
    r.Part("brakeStep")
        .Add(
            "set player1.energy 5\nframes 1\n"
            "set player1.position 400 300\nset player1.velocity 100 0\nframes 1\ndump\n"
            "set player1.energy 80\nframes 1\n"
            "set player1.position 300 400\nset player1.velocity 100 0\nframes 1\ndump\n");
    // Each class is entered from another one so that the box has the class's size.
    r.Part("edges").Add("set player1.energy 40\nframes 1\n");
    for (const EdgeCase& c : kEdgeCases) {
      r.Add(std::string("set player1.energy ") + c.energy + "\nframes 1\n");
      r.Add(std::string("set player1.position ") + c.position +
            "\nset player1.velocity 0 0\nframes 1\ndump\n");
    }
    r.Part("climb").Add(
        "set player1.energy 80\nset player1.position 300 400\nset player1.velocity 0 0\n"
        "hold W\nframes 120\n" +
        DumpEachFrame(120, "0.016666668") + "release all\n");
    return r;
  }();
  return run;
}

}  // namespace

TEST(PlayerCloudMovement, HeldKeyAcceleratesReleasedKeyBrakesByTheRoundedUpStep) {
  const std::vector<json>& d = MovementRun().Dumps("braking");
  ASSERT_EQ(d.size(), kBrakeCases.size() + 1) << MovementRun().Result().errors;
  EXPECT_NEAR(F(d[0]["player1"]["velocity"][0]), 500.0f / 60, 1e-3);
  EXPECT_FLOAT_EQ(F(d[0]["player1"]["velocity"][1]), 0);
  for (size_t i = 0; i < kBrakeCases.size(); ++i) {
    SCOPED_TRACE(kBrakeCases[i].set);
    EXPECT_FLOAT_EQ(F(d[i + 1]["player1"]["velocity"][0]), kBrakeCases[i].vx);
    EXPECT_FLOAT_EQ(F(d[i + 1]["player1"]["velocity"][1]), kBrakeCases[i].vy);
  }
}

TEST(PlayerCloudMovement, BrakeStepFollowsTheClassAcceleration) {
  // Weak 400: ceil(6.67) = 7; Large 200: ceil(3.33) = 4.
  const std::vector<json>& d = MovementRun().Dumps("brakeStep");
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[0]["player1"]["state"], 0);
  EXPECT_FLOAT_EQ(F(d[0]["player1"]["velocity"][0]), 93);
  EXPECT_EQ(d[1]["player1"]["state"], 3);
  EXPECT_FLOAT_EQ(F(d[1]["player1"]["velocity"][0]), 96);
}

TEST(PlayerCloudMovement, EdgePushesMarkTheHeightsEachClassCanHold) {
  const std::vector<json>& d = MovementRun().Dumps("edges");
  ASSERT_EQ(d.size(), kEdgeCases.size());
  for (size_t i = 0; i < kEdgeCases.size(); ++i) {
    SCOPED_TRACE(std::string(kEdgeCases[i].energy) + " at " + kEdgeCases[i].position);
    EXPECT_FLOAT_EQ(F(d[i]["player1"]["velocity"][0]), kEdgeCases[i].vx);
    EXPECT_FLOAT_EQ(F(d[i]["player1"]["velocity"][1]), kEdgeCases[i].vy);
  }
}

TEST(PlayerCloudMovement, LargeCloudCannotClimbAboveItsBand) {
  const std::vector<json>& d = MovementRun().Dumps("climb");
  ASSERT_EQ(d.size(), 120u);
  float top = 1e9f;
  for (const json& s : d) top = std::min(top, F(s["player1"]["position"][1]));
  EXPECT_LT(top, 331.0f);  // it does reach the band's edge...
  EXPECT_GT(top, 320.0f);  // ...and is sent back down within a frame or two
}

// --- Energy clouds: one run ----------------------------------------------------------

namespace {

struct TouchCase {
  const char* at;
  bool taken;
};
// The player cloud is rectangle A at (200, 200), 126 x 79 (Small after a change of
// class); a small energy cloud is 83 x 46. Taken ones first: a cloud left over is
// moved far away before the next case.
const std::vector<TouchCase> kTouchCases = {
    {"117 210", true},   // its right edge on A's left edge
    {"220 154", true},   // its bottom on A's top
    {"326 210", false},  // its left edge on A's right edge
    {"220 279", false},  // its top on A's bottom
};

SharedRun& CollectRun() {
  static SharedRun run = [] {
    const std::string place = "set player1.position 300 400\nset player1.velocity 0 0\n";
    SharedRun r;
    r.Add(QuietWorld() + JoinPlayer1());
    r.Part("kinds");
    for (const char* kind : {"Cloud1", "Cloud2", "Cloud3", "Cloud4"})
      r.Add(place + "spawn " + kind + " 320 410\nframes 1\ndump\n");
    r.Part("cap").Add(place +
                      "set player1.lightning.charges 8\nspawn Cloud4 320 410\nframes 1\ndump\n" +
                      place + "spawn Cloud4 320 410\nframes 1\ndump\n");
    r.Part("cut").Add(place + "set player1.energy 95\nspawn Cloud3 320 410\nframes 1\ndump\n");
    r.Part("touch").Add("set player1.energy 20\nframes 1\n");
    int left = 0;
    for (const TouchCase& c : kTouchCases) {
      r.Add(std::string("set player1.energy 20\nset player1.position 200 200\n") +
            "set player1.velocity 0 0\nspawn Cloud1 " + c.at + "\nframes 1\ndump\n");
      if (!c.taken) r.Add("set cloudobjects." + std::to_string(left++) + ".position 3000 600\n");
    }
    r.Part("dying").Add(
        "set player1.energy 5\nframes 6 0.0625\nset player1.energy 0\nframes 1 0.0625\n"
        "set player1.position 300 300\ndump\nspawn Cloud1 320 310\nframes 1 0.0625\ndump\n");
    return r;
  }();
  return run;
}

}  // namespace

TEST(PlayerCloudCollect, KindsGiveEnergyOrACharge) {
  const std::vector<json>& d = CollectRun().Dumps("kinds");
  ASSERT_EQ(d.size(), 4u) << CollectRun().Result().errors;
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
  const std::vector<json>& d = CollectRun().Dumps("cap");
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[0]["player1"]["lightning"]["charges"], 9);
  EXPECT_EQ(d[1]["player1"]["lightning"]["charges"], 9);
  EXPECT_TRUE(d[1]["cloudobjects"].empty());
}

TEST(PlayerCloudCollect, GainAboveHundredIsCutInTheSameUpdate) {
  const std::vector<json>& d = CollectRun().Dumps("cut");
  ASSERT_EQ(d.size(), 1u);
  EXPECT_FLOAT_EQ(F(d[0]["player1"]["energy"]), 100);
  EXPECT_TRUE(d[0]["cloudobjects"].empty());
}

TEST(PlayerCloudCollect, TouchingEdgesCountOnlyAgainstTheCloudsLeftAndTop) {
  const std::vector<json>& d = CollectRun().Dumps("touch");
  ASSERT_EQ(d.size(), kTouchCases.size());
  size_t left = 0;
  for (size_t i = 0; i < kTouchCases.size(); ++i) {
    SCOPED_TRACE(kTouchCases[i].at);
    EXPECT_EQ(d[i]["player1"]["size"], json::array({126.0, 79.0}));
    if (!kTouchCases[i].taken) ++left;
    EXPECT_EQ(d[i]["cloudobjects"].size(), left);
    EXPECT_FLOAT_EQ(F(d[i]["player1"]["energy"]), kTouchCases[i].taken ? 30 : 20);
  }
}

TEST(PlayerCloudCollect, DyingCloudTakesNothing) {
  const std::vector<json>& d = CollectRun().Dumps("dying");
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[0]["player1"]["state"], 4);
  EXPECT_EQ(d[1]["cloudobjects"].size(), d[0]["cloudobjects"].size() + 1);
  EXPECT_FLOAT_EQ(F(d[1]["player1"]["energy"]), 0);
}
