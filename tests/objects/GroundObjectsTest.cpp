// Trees, houses, people and sheep in play, each driven through the simulator
// by real rain drops and real bolts from player 1's cloud. One simulator run
// per class; each run plays its cases in turn.
#include <functional>
#include <map>
#include <set>

#include "tests/objects/CloudScenario.h"

using namespace cloudscenario;

namespace {

constexpr int kStands = 538, kWalks = 593;  // tops of trees and houses, of people and sheep
const std::string kFrame = "0.0166667";
const std::string kObject = "/objects/0/", kScore = "/player1/score";  // the world's one object

// Player 1 large and still; nothing spawns, no plane flies.
std::string Ground(const std::string& tuning = "") {
  return QuietWorld() + tuning + ";set spawn.sheepWaveTimer -1e9; set spawn.planeTimer -1e9;" +
         JoinPlayer1() + "set player1.energy 80; frames 6 0.0625;";
}
// The world's one object, new at x = 500, and a score of 0.
std::string Only(const std::string& cls, int y, const std::string& more = "") {
  return "set objects clear; spawn " + cls + " 500 " + std::to_string(y) +
         "; set player1.score 0;" + more;
}
// The object put back at x = 500 and n drops on it in one frame; player 2 has
// no cloud, so owner 2's drops are nobody's.
std::string Drops(int n, int y, int owner = 1) {
  std::string s = "set objects.0.position 500 " + std::to_string(y) + ";";
  for (int i = 0; i < n; ++i)
    s += "set rain.addDrop 520 " + std::to_string(y + 20) + " " + std::to_string(owner) + ";";
  return s + "frames 1; dump;";
}
// Once the last bolt is surely over, the object put back at x = 500 under a
// bolt that player 1 casts in the next frame.
std::string Strike(int y, const std::string& then = "frames 15; dump;") {
  return "frames 20; set objects.0.position 500 " + std::to_string(y) +
         "; set player1.position 400 300; set player1.velocity 0 0;"
         "set player1.lightning.charges 5; set player1.lightning.lastCastTime -100; press H;" +
         then;
}
const json& O(const json& dump) { return dump["objects"][0]; }
int Score(const json& dump) { return dump["player1"]["score"]; }

// The values a property of the object takes in turn, each with the time it first shows.
std::vector<std::pair<json, float>> Runs(const Dumps& d, size_t from, size_t to,
                                         const std::function<json(const json&)>& of) {
  std::vector<std::pair<json, float>> runs;
  for (size_t i = from; i < to && i < d.size(); ++i)
    if (runs.empty() || runs.back().first != of(O(d[i])))
      runs.push_back({of(O(d[i])), F(d[i]["time"])});
  return runs;
}
json Frame(const json& o) { return json{o["frameX"], o["frameY"]}; }
// Each value follows from the one before; at least `steps` changes.
void ExpectSteps(const std::vector<std::pair<json, float>>& runs, size_t steps,
                 const std::function<json(const json&)>& next) {
  ASSERT_GT(runs.size(), steps);
  for (size_t i = 1; i < runs.size(); ++i) EXPECT_EQ(runs[i].first, next(runs[i - 1].first)) << i;
}
// Steps [from, to) came once `step` seconds had passed, within one frame of dt.
void ExpectPace(const std::vector<std::pair<json, float>>& runs, size_t from, size_t to, float step,
                float dt) {
  for (size_t i = from; i < to && i < runs.size(); ++i)
    EXPECT_NEAR(runs[i].second - runs[i - 1].second, step + dt / 2, dt / 2 + 1e-4f) << i;
}
auto Loop(int first, int end) {
  return [=](const json& v) { return v == end - 1 ? first : v.get<int>() + 1; };
}

TEST(GroundObjects, Trees) {
  // Growth every 4 drops, fire out after 3; each kind of rain point differs.
  std::string s = Ground(
      "set treeGrowthHits 4; set treeExtinguishHits 3; set smallTreeRainBonus 100;"
      "set growingTreeRainPoints 10; set fullTreeRainPoints 1");
  s += Only("Tree0", kStands);
  for (int i = 0; i < 9; ++i) s += Drops(1, kStands);  // 0..8
  s += DumpEachFrame(80, kFrame);                      // 9..88: growing
  for (int stage = 0; stage < 3; ++stage) {            // 89 + 67 * stage ...
    s += Only("Tree2", kStands) + Drops(4 * stage, kStands) + "frames 90; set player1.score 0;";
    s += Strike(kStands, DumpEachFrame(60, kFrame)) + Strike(kStands) + Drops(2, kStands) +
         Drops(1, kStands) + "frames 30; dump;" + Drops(1, kStands) + Strike(kStands);
  }
  s += Only("Tree1", kStands) + Drops(4, kStands, 2);  // 290: nobody's drops grow it too
  const Dumps d = RunScript(s);
  ASSERT_EQ(d.size(), 291u);

  const std::string grows = "Play Tree_Growing_01";
  EXPECT_EQ(Series(d, kScore, 0, 9), json({110, 220, 330, 340, 350, 360, 370, 371, 372}));
  EXPECT_EQ(Series(d, kObject + "stage", 0, 9), json({0, 0, 0, 1, 1, 1, 1, 2, 2}));
  EXPECT_EQ(Sounds(Dumps(d.begin(), d.begin() + 9), grows), 2);
  Expect(d) = {{3, "sound:" + grows, 1}, {7, "sound:" + grows, 1}};
  // Columns 0 to 18 one at a time, each step strictly after the frame time.
  const auto columns = Runs(d, 2, 89, [](const json& o) { return o["column"]; });
  ExpectSteps(columns, 18, Loop(0, 19));
  ExpectPace(columns, 2, columns.size(), 0.05f, 1 / 60.0f);
  Expect(d, kObject) = {{88, "column", 18},      {88, "row", 0},   {88, "growing1", false},
                        {88, "growing2", false}, {290, kScore, 0}, {290, "stage", 1}};

  for (int stage = 0; stage < 3; ++stage) {
    SCOPED_TRACE("stage " + std::to_string(stage));
    const size_t b = 89 + 67 * stage;
    const int first[] = {0, 7, 14}, end[] = {7, 14, 20}, fire[] = {20, 50, 150}, f = fire[stage];
    ExpectSteps(Runs(d, b + 2, b + 61, [](const json& o) { return o["column"]; }),
                end[stage] - first[stage], Loop(first[stage], end[stage]));
    // A second bolt earns nothing; drops on a fire pay full points.
    const Dumps t(d.begin() + b, d.begin() + b + 67);
    Expect(t, kObject) = {{0, "stage", stage},    {60, "row", 1},         {60, kScore, f},
                          {61, kScore, f},        {62, kScore, f + 2},    {63, "charred", true},
                          {63, "burning", false}, {63, "row", 2 + stage}, {63, "column", 0},
                          {64, "row", 2 + stage}, {66, "burning", true}};
    Expect(t, kObject) = {{63, "whiteSmoke/age", -1}, {63, "fireSmoke/age", -2}};
    Expect(t, kObject) = {{65, "rainHits", 4 * stage}, {66, "extinguishHits", 0}};
    EXPECT_EQ(Score(d[b + 66]) - Score(d[b + 65]), f) << "a charred tree burns again";
    EXPECT_EQ(Sounds(Dumps(t.begin() + 1, t.end() - 1), grows), 0) << "no growth after the fire";
  }
}

TEST(GroundObjects, Houses) {
  std::string s = Ground();
  s += Only("House0", kStands, "set objects.0.hasFlagPole 1;") + Drops(5, kStands);  // 0
  s += Strike(kStands, DumpEachFrame(90, kFrame)) + Strike(kStands) + Drops(49, kStands) +
       Drops(1, kStands) + Drops(1, kStands) + Strike(kStands);  // 1..95
  s += Only("House1", kStands, "frames 1; dump;") + Strike(kStands, DumpEachFrame(200, kFrame));
  const Dumps d = RunScript(s);
  ASSERT_EQ(d.size(), 297u);

  // Rain on a standing house is not counted; 500 points once; out on the 50th drop.
  Expect(d, kObject) = {{0, "rainHits", 0},        {90, "state", 1},     {90, kScore, 500},
                        {91, kScore, 500},         {92, "state", 1},     {93, "state", 2},
                        {93, "saved", true},       {93, "frameX", 8},    {93, "whiteSmoke/age", -1},
                        {93, "fireSmoke/age", -2}, {94, "rainHits", 50}, {95, "state", 2},
                        {95, kScore, 500},         {96, "frameX", 9}};
  ExpectSteps(Runs(d, 3, 91, [](const json& o) { return o["frameX"]; }), 7, Loop(1, 8));
  ExpectSteps(Runs(d, 1, 91, [](const json& o) { return o["flagFrame"]; }), 7, Loop(0, 7));
  // The wide house catches fire along row 0 once, then loops row 1.
  size_t e = 97;
  while (e < 297 && O(d[e])["state"] != 1) ++e;
  const auto frames = Runs(d, e, 297, Frame);
  EXPECT_TRUE(frames[0].first == json({0, 0}) || frames[0].first == json({1, 0}))
      << frames[0].first;
  ExpectSteps(frames, 21, [](const json& f) {
    const int x = f[0], y = f[1];
    return (y == 0 && x == 7) || (y == 1 && x == 10) ? json{0, 1} : json{x + 1, y};
  });
}

TEST(GroundObjects, People) {
  std::string s = Ground();
  s += Only("Person1", kWalks, "set objects.0.direction 2;") + Drops(15, kWalks) + Drops(1, kWalks);
  s += Strike(kWalks) + "frames 90;" + Strike(kWalks) + "frames 150;" + DumpEachFrame(60, kFrame) +
       "frames 60; dump; frames 30; dump;";                  // 2..65
  s += Strike(kWalks) + Drops(20, kWalks) + Strike(kWalks);  // 66..68
  s += Only("Person3", kWalks) + Strike(kWalks, "frames 15;") + Drops(15, kWalks) +
       Drops(1, kWalks) + Drops(1, kWalks, 2) + "frames 400; dump;";  // 69..72
  // Pace by kind: one second walking left, then walking right off the edge.
  for (const char* kind : {"Person1", "Person3"})
    s += Only(kind, kWalks, "set objects.0.direction 1; set objects.0.turnTime 1e9;") +
         "frames 1; dump; frames 60; dump; set objects.0.direction 0;"
         "set objects.0.position 1030 593; frames 1; dump;";
  const Dumps d = RunScript(s);
  ASSERT_EQ(d.size(), 79u);

  const json burnStart = O(d[2])["burnStart"];
  const std::string sheets = "Images\\Persons\\m", fire = sheets + "RodFire.png",
                    zombie = sheets + "RodZombie.png", old = sheets + "Old.png";
  // Wet on the 16th drop, 2 points a drop; lightning earns nothing.
  Expect(d, kObject) = {{0, "wet", false},          {1, "wet", true},        {1, kScore, 32},
                        {2, "burning", true},       {2, "screamed", true},   {2, "wet", false},
                        {2, "sheet", fire},         {2, "drawOffsetY", -25}, {2, kScore, 32},
                        {3, "burnStart", burnStart}};
  // A zombie: rain still pays, lightning changes nothing.
  Expect(d, kObject) = {{66, "zombie", true}, {66, "wet", true},    {66, "sheet", zombie},
                        {67, kScore, 72},     {68, "zombie", true}, {68, "sheet", zombie}};
  // Rain puts a fire out on the 16th drop; nobody's drop counts too. Walking
  // off the right edge turns a person round.
  Expect(d, kObject) = {{70, "frameX", 0}};
  Expect(d, kObject) = {{69, "burning", true},  {70, "burning", false}, {70, "wet", true},
                        {70, "drawOffsetY", 0}, {70, "sheet", old},     {71, "rainHits", 17},
                        {71, kScore, 32},       {72, "dead", false},    {75, "direction", 2},
                        {78, "direction", 2}};
  EXPECT_NE(O(d[2])["direction"], 2) << "a standing person runs when set alight";
  EXPECT_EQ(Sounds(d, "Play GirlScream") + Sounds(d, "Play GirlScream2"), 1);
  // Dead strictly after five seconds of fire, falling to column 5, then still.
  for (size_t i = 4; i < 64; ++i)
    EXPECT_EQ(O(d[i])["dead"], F(d[i]["time"]) - F(burnStart) > 5.0f) << F(d[i]["time"]);
  EXPECT_EQ(Frame(O(d[64])), json({5, O(d[64])["direction"] == 0 ? 2 : 3}));
  EXPECT_NEAR(F(O(d[65])["position"][0]) - F(O(d[64])["position"][0]), -35, 0.01);
  EXPECT_EQ(O(d[66])["frameY"], O(d[66])["direction"] == 0 ? 4 : 5);
  // Kind 1 walks at 40 px/s, kind 3 at half that; the scroll adds 70.
  EXPECT_NEAR(F(O(d[74])["position"][0]) - F(O(d[73])["position"][0]), -110, 0.05);
  EXPECT_NEAR(F(O(d[77])["position"][0]) - F(O(d[76])["position"][0]), -90, 0.05);
}

TEST(GroundObjects, Sheep) {
  std::string s = Ground();
  const std::string still = "set objects.0.turnTime 1e9; set objects.0.direction ";
  s += Only("Sheep", kWalks, still + "2;") + Drops(15, kWalks) + Drops(1, kWalks) +
       Drops(1, kWalks);  // 0..2
  // Exploding: facing left dry, facing right wet, standing dry.
  struct Case {
    int direction, drops, row, remainsRow, columns, stepMs;
  } cases[] = {{1, 0, 3, 5, 7, 50}, {0, 16, 1, 2, 4, 150}, {2, 0, 0, 2, 7, 50}};
  for (const Case& c : cases)
    s += Only("Sheep", kWalks, still + std::to_string(c.direction) + ";") + Drops(c.drops, kWalks) +
         Strike(kWalks, DumpEachFrame(120, "0.01")) + Strike(kWalks) + Drops(1, kWalks);
  s += Only("Sheep", kWalks, still + "0; set objects.0.position 1030 593; frames 1; dump;");
  s += Only("Sheep", kWalks, still + "1; frames 1; dump; frames 60; dump;");
  const Dumps d = RunScript(s);
  ASSERT_EQ(d.size(), 3u + 3 * 123 + 3);

  const size_t last = d.size() - 3;
  // Walking left: the scroll's 70 px/s and its own 40.
  EXPECT_NEAR(F(O(d[last + 2])["position"][0]) - F(O(d[last + 1])["position"][0]), -110, 0.05);
  Expect(d, kObject) = {{0, "wet", false}, {1, "wet", true}, {1, "frameY", 1},
                        {2, "wet", true},  {2, kScore, 34},  {last, "direction", 2}};
  for (size_t k = 0; k < 3; ++k) {
    const Case& c = cases[k];
    SCOPED_TRACE("case " + std::to_string(k));
    const size_t b = 3 + 123 * k;  // b: the drops; b+1..b+120 the explosion
    const Dumps run(d.begin() + b + 1, d.begin() + b + 124);
    const std::string sound = c.drops ? "Play Explode_WetSheep" : "Play Explode_Sheep";
    EXPECT_EQ(Sounds(run, sound + "1") + Sounds(run, sound + "2"), 1) << "once";
    size_t e = b + 1;
    while (e < b + 121 && !O(d[e])["exploded"]) ++e;
    const auto frames = Runs(d, e, b + 121, Frame);
    ASSERT_FALSE(frames.empty());
    const int skip = frames[0].first[0];  // 1 when the strike's own update steps at once
    EXPECT_EQ(frames[0].first, json({skip, c.row}));
    ExpectSteps(frames, c.columns + 3 - skip, [&c](const json& f) {
      const int x = f[0];
      return f[1] == c.row && x + 1 == c.columns ? json{0, c.remainsRow} : json{x + 1, f[1]};
    });
    EXPECT_EQ(frames.back().first, json({4, c.remainsRow}));
    // The first step counts from the last walking step.
    ExpectPace(frames, 2 - skip, c.columns - skip, c.stepMs / 1000.0f, 0.01f);
    // The remains wait two frame times (0.05 s, whatever the pace), then step once an update.
    ExpectPace(frames, c.columns - skip + 1, c.columns - skip + 2, 0.1f, 0.01f);
    ExpectPace(frames, c.columns - skip + 2, c.columns - skip + 5, 0, 0.01f);
    Expect(d, kObject) = {{b + 120, "remains", true}};
    EXPECT_NEAR(F(O(d[b + 120])["position"][0]) - F(O(d[b + 90])["position"][0]), -21, 0.05)
        << "no walking once exploded";
    EXPECT_EQ(Score(d[b + 122]) - Score(d[b + 121]), 2) << "rain on the remains pays";
  }
}

// Smoke belongs to objects made while particle effects were on and runs only
// while they are on: switching them either way leaves the other kind alone.
// Started with effects off, nothing (the plane neither) has smoke to run.
TEST(GroundObjects, SmokeFollowsTheSwitchAndWhereItWasMade) {
  std::string spawn = "set objects clear;";
  for (const char* cls : {"Tree0", "House0", "Person1", "Sheep"})
    spawn += std::string("spawn ") + cls + " 500 " + std::to_string(kWalks) + ";";
  const std::string burn =
      spawn +
      "set objects.0.burning 1; set objects.1.state 1; set objects.2.burning 1;"
      "set objects.3.exploded 1; frames 20; dump;";
  SimOptions off;
  off.files["GameValues.txt"] = GameValuesWith({{77, "0"}});
  const Dumps d = RunScript(Ground() + "set particleEffects 1;" + burn, off);
  const Dumps on = RunScript(Ground() + burn + "set particleEffects 0; frames 20; dump;");
  ASSERT_EQ(d.size() + on.size(), 3u);
  for (int i = 0; i < 4; ++i) {
    const json::json_pointer at("/objects/" + std::to_string(i) + "/fireSmoke");
    EXPECT_TRUE(d[0][at].is_null()) << at;
    EXPECT_GT(on[0][at / "alive"], 0) << at;
    EXPECT_EQ(on[1][at], on[0][at]) << at << " stood still";
  }
  // A burning house smokes 40 px left of its middle.
  const json& house = on[0]["objects"][1];
  EXPECT_NEAR(F(house["fireSmoke"]["location"][0]),
              F(house["position"][0]) + F(house["size"][0]) / 2 - 40, 0.01);
}

// New objects come in at the right edge standing on the ground (trees and
// houses 130 px tall, people and sheep 75 px), and forty of each kind show
// every picture, variant and kind the random draws can give.
TEST(GroundObjects, NewObjectsStandAtTheRightEdgeInEveryVariety) {
  std::string s = Ground() + "set objects clear;";
  for (int i = 0; i < 40; ++i) s += "spawn Tree; spawn House; spawn Person; spawn Sheep;";
  const Dumps d = RunScript(s + "dump;");
  ASSERT_EQ(d.size(), 1u);
  std::map<std::string, std::set<json>> seen;
  for (size_t i = 0; i < 160; ++i) {
    const json& o = d[0]["objects"][i];
    EXPECT_EQ(o["position"], json({1024, i % 4 < 2 ? kStands : kWalks})) << i;
    if (i % 4 != 1) {
      EXPECT_EQ(o["size"], i % 4 ? json({75, 75}) : json({90, 130})) << i;
    }
    for (const char* field : {"sheet", "variant", "hasFlagPole", "kind", "direction"})
      if (o.contains(field)) seen[o["class"].get<std::string>() + "." + field].insert(o[field]);
  }
  const std::map<std::string, size_t> kinds = {{"Tree.sheet", 4},        {"House.variant", 3},
                                               {"House.hasFlagPole", 2}, {"Person.kind", 3},
                                               {"Person.direction", 2},  {"Sheep.direction", 2}};
  for (const auto& [field, count] : kinds) EXPECT_EQ(seen[field].size(), count) << field;
  EXPECT_EQ(*seen["Person.kind"].rbegin(), 3);
}

}  // namespace
