// The player cloud in play: size classes and their thresholds, the morph and
// death animations, steering and braking, the heights each class can hold,
// and absorbing energy clouds.
#include "tests/objects/CloudScenario.h"

using namespace cloudscenario;

namespace {

const std::string kMorph = "Images\\moln_morph.png", kWeak = "Images\\lilla_zarvo_doende_anim.png",
                  kSmall = "Images\\lilla_zarvo_normal_anim.png",
                  kMedium = "Images\\mellan_zarvo_anim.png",
                  kLarge = "Images\\stora_zarvo_anim_ny.png";

// Energy, then state, box and acceleration after one frame: exactly
// weakEnergyMax is Weak (and stays so), exactly smallEnergyMax Small, exactly
// largeEnergyMin Large; Large goes straight back to Small.
const json kThresholds[] = {
    {"10", 0, 126, 79, 400},  {"10", 0, 126, 79, 400},    {"10.25", 1, 126, 79, 500},
    {"30", 1, 126, 79, 500},  {"30.25", 2, 150, 92, 300}, {"59.75", 2, 150, 92, 300},
    {"60", 3, 204, 145, 200}, {"30", 1, 126, 79, 500},    {"10", 0, 126, 79, 400}};
// Start speed and speed after one released frame. Small: acceleration 500, so
// a 1/60 s frame brakes by ceil(8.33) = 9, and a speed under 10 stops.
const std::pair<const char*, json> kBrakes[] = {
    {"9 0", {0, 0}},    {"10 0", {1, 0}},       {"-9.5 0", {0, 0}}, {"-10 -9.99", {-1, 0}},
    {"0 100", {0, 91}}, {"-9.99 -10", {0, -1}}, {"0 9.99", {0, 0}}, {"15 -15", {6, -6}}};
// Energy, place and the speed the edge push gives. With a 768 screen: Small
// holds 1..519, Medium 145..506, Large 330..453; the right edge is at 1024 - width.
const std::tuple<const char*, const char*, json> kEdges[] = {
    {"20", "400 1", {0, 200}},      {"20", "400 1.5", {0, 0}},     {"20", "400 519", {0, 0}},
    {"20", "400 519.5", {0, -200}}, {"20", "898 300", {0, 0}},     {"20", "898.5 300", {-200, 0}},
    {"40", "400 145", {0, 0}},      {"40", "400 144.5", {0, 200}}, {"40", "400 506.5", {0, -200}},
    {"40", "874.5 300", {-200, 0}}, {"80", "400 330", {0, 0}},     {"80", "400 329.5", {0, 200}},
    {"80", "400 453.5", {0, -200}}, {"80", "820.5 400", {-200, 0}}};
// Small energy clouds (83 x 46) against player 1 at (200, 200), 126 x 79: right
// edge on its left, bottom on its top (taken); left edge on its right, top on
// its bottom (left over, then moved away).
const char* const kTouches[] = {"117 210", "220 154", "326 210", "220 279"};

// Player 1 alone, through its classes, its steering and its meals of energy
// clouds; each part starts with no key held.
SharedRun Solo() {
  SharedRun r(QuietWorld() + "set startEnergy 30;" + JoinPlayer1());
  r.reset = "release all";
  r.Part("newCloud") << "frames 30; dump; set player1.energy 30.5; frames 1; dump";
  r.Part("thresholds");
  for (const json& t : kThresholds)
    r << "set player1.energy " + t[0].get<std::string>() + "; frames 1; dump";
  r.Part("clamp") << "set player1.energy 150; frames 1; dump; set player1.energy -20; frames 1;"
                     "dump; set player1.energy 20; frames 1; set player1.energy 0; frames 20; dump";
  const std::string at = "; set player1.position 400 400; set player1.velocity ";
  r.Part("braking") << "set player1.energy 20" + at + "0 0; hold D; frames 1; dump; release all";
  for (const auto& [set, after] : kBrakes) r << at + set + "; frames 1; dump";
  // Weak 400: ceil(6.67) = 7; Large 200: ceil(3.33) = 4.
  r.Part("brakeStep") << "set player1.energy 5; frames 1" + at + "100 0; frames 1; dump;" +
                             "set player1.energy 80; frames 1" + at + "100 0; frames 1; dump";
  // Each class is entered from another one so that the box has the class's size.
  r.Part("edges") << "set player1.energy 40; frames 1";
  for (const auto& [energy, position, push] : kEdges)
    r << std::string("set player1.energy ") + energy + "; frames 1; set player1.position " +
             position + "; set player1.velocity 0 0; frames 1; dump";
  r.Part("climb")
      << "set player1.energy 80; set player1.position 300 400; set player1.velocity 0 0;"
         "hold W; frames 120;" +
             DumpEachFrame(120, "0.016666668");
  // Each energy cloud is spawned inside player 1's box.
  const std::string spawn = ";set player1.position 300 400; set player1.velocity 0 0; spawn Cloud";
  r.Part("kinds") << "set player1.energy 20; frames 1";
  for (const char* kind : {"1", "2", "3", "4"}) r << spawn + kind + " 320 410; frames 1; dump";
  r.Part("caps") << "set player1.lightning.charges 8" + spawn + "4 320 410; frames 1; dump" +
                        spawn + "4 320 410; frames 1; dump; set player1.energy 95" + spawn +
                        "3 320 410; frames 1; dump";
  r.Part("touch") << "set player1.energy 20; frames 1";
  for (size_t i = 0; i < std::size(kTouches); ++i)
    r << std::string("set player1.energy 20; set player1.position 200 200;") +
             "set player1.velocity 0 0; spawn Cloud1 " + kTouches[i] + "; frames 1; dump;" +
             (i < 2 ? "" : "set cloudobjects." + std::to_string(i - 2) + ".position 3000 600");
  return r;
}
SharedRun solo = Solo();

TEST(PlayerCloudSizeClass, ThresholdsAreInclusiveWhereTheRulesSayAndEnergyIsClamped) {
  // A new cloud keeps its first box until its class changes.
  Expect(solo["newCloud"]) = {{0, "state", 1}, {0, "size", {150, 80}}, {0, "sheet", kSmall},
                              {1, "state", 2}, {1, "size", {150, 92}}, {1, "sheet", kMorph}};
  const Dumps& d = solo["thresholds"];
  for (size_t i = 0; i < std::size(kThresholds); ++i) {
    const json& t = kThresholds[i];
    Expect(d) = {{i, "state", t[1]}, {i, "size", {t[2], t[3]}}, {i, "acceleration", t[4]}};
  }
  // Only reaching Large growls, once.
  EXPECT_EQ(Sounds(d[6], "Play EvilZarvo"), 1);
  EXPECT_EQ(Sounds(d, "Play EvilZarvo"), 1);
  // Clamped at the end of the same update; at 0 or less no rule applies, and
  // only a Weak cloud dies at 0: a Small one dropping straight to 0 flies on.
  Expect(solo["clamp"]) = {{0, "energy", 100}, {1, "energy", 0}, {1, "state", 3},
                           {2, "state", 1},    {2, "energy", 0}, {2, "deadSoundPlayed", false}};
}

TEST(PlayerCloudMovement, HeldKeyAcceleratesReleasedKeyBrakesByTheRoundedUpStep) {
  const Dumps& d = solo["braking"];
  Expect(d) = {{0, "velocity", {500.0 / 60, 0}}};
  for (size_t i = 0; i < std::size(kBrakes); ++i)
    Expect(d) = {{i + 1, "velocity", kBrakes[i].second}};
  Expect(solo["brakeStep"]) = {
      {0, "state", 0}, {0, "velocity", {93, 0}}, {1, "state", 3}, {1, "velocity", {96, 0}}};
}

TEST(PlayerCloudMovement, EdgePushesMarkTheHeightsEachClassCanHold) {
  for (size_t i = 0; i < std::size(kEdges); ++i)
    Expect(solo["edges"]) = {{i, "velocity", std::get<2>(kEdges[i])}};
  // Held up, a Large cloud reaches its band's edge and is sent back down within
  // a frame or two.
  float top = 1e9f;
  for (const json& s : solo["climb"]) top = std::min(top, F(s["player1"]["position"][1]));
  EXPECT_LT(top, 331.0f);
  EXPECT_GT(top, 320.0f);
}

TEST(PlayerCloudCollect, KindsGiveEnergyOrAChargeUpToTheirCaps) {
  // Each cloud is taken; charges stop at nine, energy at a hundred.
  const std::string none = "/cloudobjects/0";
  Expect(solo["kinds"]) = {{0, "energy", 30}, {1, "energy", 50},
                           {2, "energy", 80}, {2, "lightning/charges", 0},
                           {3, "energy", 80}, {3, "lightning/charges", 1},
                           {3, none, nullptr}};
  Expect(solo["caps"]) = {{0, "lightning/charges", 9}, {1, "lightning/charges", 9},
                          {2, "energy", 100},          {0, none, nullptr},
                          {1, none, nullptr},          {2, none, nullptr}};
}

TEST(PlayerCloudCollect, TouchingEdgesCountOnlyAgainstTheCloudsLeftAndTop) {
  const std::string clouds = "/cloudobjects/";
  Expect(solo["touch"]) = {
      {0, "size", {126, 79}},     {0, "energy", 30},         {1, "energy", 30},
      {2, "energy", 20},          {3, "energy", 20},         {0, clouds + "0", nullptr},
      {1, clouds + "0", nullptr}, {2, clouds + "0/kind", 1}, {2, clouds + "1", nullptr},
      {3, clouds + "1/kind", 1},  {3, clouds + "2", nullptr}};
}

// ---- Animations: with frames of 1/16 s and a cloud frame time of 0.1 s every
// animation step comes every second frame ----

// Energy, morph animation, its frames one per frame from the change on, and
// the sheet Idle starts with afterwards.
const std::tuple<const char*, int, std::vector<int>, std::string> kChanges[] = {
    {"40", 11, {1, 1, 2, 2, 2, 0}, kMedium},  // GrowToMedium
    {"70", 12, {3, 3, 4, 4, 4, 0}, kLarge},   // GrowToLarge
    {"40", 7, {4, 4, 3, 3, 3, 0}, kMedium},   // ShrinkToMedium
    {"20", 8, {2, 2, 1, 1, 1, 0}, kSmall},    // ShrinkToSmall
    {"5", 9, {0, 0, 0, 0}, kWeak},            // Weaken
    {"20", 10, {0, 0, 0, 0}, kSmall},         // Recover
};
// Key, animation and first frame of the movement rows.
const std::tuple<const char*, int, int> kRows[] = {
    {"D", 1, 4}, {"A", 0, 8}, {"W", 2, 12}, {"S", 3, 16}};

SharedRun Animations() {
  SharedRun r(QuietWorld() + JoinPlayer1() + "frames 4 0.0625");
  for (const auto& [energy, anim, frames, idle] : kChanges)
    r.Part(energy + std::to_string(anim)) << std::string("set player1.energy ") + energy + ";" +
                                                 DumpEachFrame(frames.size(), "0.0625");
  // Recover has just ended and Idle started.
  r.Part("idle") << DumpEachFrame(15, "0.0625");
  r.reset = "release all; set player1.position 400 300; set player1.velocity 0 0";
  for (const auto& [key, anim, lo] : kRows)
    r.Part(key) << "hold " + std::string(key) + DumpEachFrame(10, "0.0625");
  r.Part("opposing") << "hold A D; frames 5; dump";
  r.Part("upDown") << "hold W S; frames 5; dump";
  return r;
}
SharedRun animations = Animations();

TEST(PlayerCloudAnimation, EveryClassChangePlaysItsMorphRowThenIdles) {
  for (const auto& [energy, anim, frames, idle] : kChanges) {
    SCOPED_TRACE(std::string("energy ") + energy);
    const Dumps& d = animations[energy + std::to_string(anim)];
    EXPECT_EQ(Series(d, "/player1/frame"), json(frames));
    for (size_t i = 0; i + 1 < d.size(); ++i)
      Expect(d) = {{i, "currentAnim", anim}, {i, "sheet", kMorph}};
    const size_t end = d.size() - 1;
    Expect(d) = {{end, "currentAnim", 6}, {end, "sheet", idle}, {end, "frameStep", 1}};
  }
}

TEST(PlayerCloudAnimation, IdleAndMovementRowsRunBackAndForthOverTheirFrames) {
  const Dumps& idle = animations["idle"];
  EXPECT_EQ(Series(idle, "/player1/frame"), json({0, 1, 1, 2, 2, 3, 3, 2, 2, 1, 1, 0, 0, 1, 1}));
  Expect(idle) = {{14, "frameStep", 1}};
  for (const auto& [key, anim, lo] : kRows) {
    SCOPED_TRACE(key);
    const Dumps& d = animations[key];
    EXPECT_EQ(Series(d, "/player1/frame"),
              json({lo, lo, lo + 1, lo + 1, lo + 2, lo + 2, lo + 3, lo + 3, lo + 2, lo + 2}));
    EXPECT_EQ(Series(d, "/player1/currentAnim"), json(std::vector<int>(10, anim)));
    EXPECT_EQ(Series(d, "/player1/sheet"), json(std::vector<std::string>(10, kSmall)));
  }
  // Opposing keys cancel, and the row of Left and of Up wins.
  Expect(animations["opposing"]) = {{0, "currentAnim", 0}, {0, "velocity/0", 0}};
  Expect(animations["upDown"]) = {{0, "currentAnim", 2}, {0, "velocity/1", 0}};
}

// ---- Death: player 2 drifts off, then player 1 runs dry ----

SharedRun Deaths() {
  // A high-score table that a score of 0 never enters: a cloud that dies simply leaves the game.
  SimOptions o;
  o.files["highscore_points.txt"] = "5000\n4500\n4000\n3500\n3000\n2500\n2000\n1500\n1000\n500\n";
  for (int i = 0; i < 10; ++i) o.files["highscore_names.txt"] += "ZZZ\n";
  SharedRun r(QuietWorld() + JoinBoth(), o);
  r.Part("drift")
      << "set player2.position -270 300; frames 1; dump; set player2.position -270.5 300;"
         "frames 1; dump; frames 1; dump";
  r.Part("die") << "set player1.energy 5; frames 6 0.0625; set player1.position 300 300;"
                   "set player1.velocity 0 0; set player1.energy 0; frames 1 0.0625; dump;"
                   "spawn Cloud1 320 310;" +
                       DumpEachFrame(9, "0.0625");
  return r;
}
SharedRun deaths = Deaths();

TEST(PlayerCloudDeath, DriftingBeyondMinus270IsDeadAtOnceAndLeavesTheGame) {
  // Its score enters no table: the cloud leaves, the other player plays on.
  Expect(deaths["drift"], "/player2/") = {{0, "state", 1},          {1, "state", 5},
                                          {1, "animRequests", {4}}, {2, "/player2", nullptr},
                                          {2, "/GameState", 1},     {2, "/player1/state", 1}};
}

TEST(PlayerCloudDeath, WeakCloudAtZeroShiftsPlaysTheDieRowToDeadAndTakesNoEnergyCloud) {
  const Dumps& d = deaths["die"];
  // The update that finds Weak at 0 turns Dying and asks for Die; the next one
  // starts Die: morph frame 5, the picture moved up and left by 30. A third of
  // the frame time per step: one frame per update up to 12, Dead. The shell
  // takes the dead cloud away before the world runs again.
  Expect(d) = {{0, "state", 4},           {0, "animRequests", {4}}, {0, "position", {300, 300}},
               {1, "currentAnim", 4},     {1, "sheet", kMorph},     {1, "position", {270, 270}},
               {1, "sound:Play Dead", 1}, {1, "acceleration", 0},   {9, "/player1", nullptr},
               {1, "energy", 0}};
  EXPECT_EQ(d.at(1)["cloudobjects"].size(), d[0]["cloudobjects"].size() + 1);
  EXPECT_EQ(Series(d, "/player1/frame", 1, 9), json({5, 6, 7, 8, 9, 10, 11, 12}));
  EXPECT_EQ(Series(d, "/player1/state", 1, 9), json({4, 4, 4, 4, 4, 4, 4, 5}));
  EXPECT_EQ(Sounds(d, "Play Dead"), 1);
}

}  // namespace
