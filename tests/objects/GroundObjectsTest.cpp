// Trees, houses, people and sheep in play, each driven through the simulator
// by real rain drops and real bolts from player 1's cloud, and their spawner
// rows. One simulator run per class; each run plays its cases in turn.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/objects/CloudScenario.h"

using namespace cloudscenario;
using nlohmann::json;

namespace {

// Player 1 large and still; nothing spawns, no plane flies.
std::string Ground(const std::string& tuning = "") {
  return QuietWorld() + tuning + "set spawn.sheepWaveTimer -1e9\nset spawn.planeTimer -1e9\n" +
         JoinPlayer1() + "set player1.energy 80\nframes 6 0.0625\n";
}
std::string At(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }
// The world's one object, new at (x, y), and a score of 0.
std::string Only(const std::string& cls, int x, int y) {
  return "set objects clear\nspawn " + cls + " " + At(x, y) + "\nset player1.score 0\n";
}
// The object put back at (x, y) and n drops on it in one frame; owner 2 has
// no cloud, so its drops are nobody's.
std::string Drops(int n, int x, int y, int owner = 1) {
  std::string s = "set objects.0.position " + At(x, y) + "\n";
  for (int i = 0; i < n; ++i)
    s += "set rain.addDrop " + At(x + 20, y + 20) + " " + std::to_string(owner) + "\n";
  return s + "frames 1\ndump\n";
}
// Once the last bolt is surely over, the object put at (x, y) under a bolt
// that player 1 casts in the next frame.
std::string Strike(int x, int y) {
  return "frames 20\nset objects.0.position " + At(x, y) + "\nset player1.position " +
         At(x - 100, 300) +
         "\nset player1.velocity 0 0\nset player1.lightning.charges 5\n"
         "set player1.lightning.lastCastTime -100\npress H\n";
}
const json& O(const json& dump) { return dump["objects"][0]; }
int Score(const json& dump) { return dump["player1"]["score"]; }
// The values a property of the object takes in turn, each with the time it first shows.
std::vector<std::pair<json, float>> Runs(const std::vector<json>& d, size_t from, size_t to,
                                         const std::function<json(const json&)>& of) {
  std::vector<std::pair<json, float>> runs;
  for (size_t i = from; i < to && i < d.size(); ++i)
    if (runs.empty() || runs.back().first != of(O(d[i])))
      runs.push_back({of(O(d[i])), F(d[i]["time"])});
  return runs;
}
// A loop over [first, end): every value in turn, wrapping to first.
void ExpectLoop(const std::vector<std::pair<json, float>>& runs, int first, int end) {
  ASSERT_GT(runs.size(), static_cast<size_t>(end - first));
  for (size_t i = 1; i < runs.size(); ++i) {
    const int a = runs[i - 1].first, b = runs[i].first;
    EXPECT_EQ(b, a + 1 == end ? first : a + 1) << "step " << i;
  }
}

TEST(GroundObjects, Trees) {
  // Growth every 4 drops, fire out after 3; each kind of rain point differs.
  std::string s = Ground(
      "set treeGrowthHits 4\nset treeExtinguishHits 3\nset smallTreeRainBonus 100\n"
      "set growingTreeRainPoints 10\nset fullTreeRainPoints 1\n");
  s += Only("Tree0", 500, 538);
  for (int i = 0; i < 9; ++i) s += Drops(1, 500, 538);  // 0..8
  s += DumpEachFrame(80, "0.0166667");                  // 9..88: growing
  for (int stage = 0; stage < 3; ++stage) {             // 89 + 67 * stage ...
    s += Only("Tree2", 500, 538) + Drops(4 * stage, 500, 538) + "frames 90\nset player1.score 0\n";
    s += Strike(500, 538) + DumpEachFrame(60, "0.0166667");  // +1..+60: burning
    s += Strike(500, 538) + "frames 15\ndump\n" + Drops(2, 500, 538) + Drops(1, 500, 538) +
         "frames 30\ndump\n" + Drops(1, 500, 538) + Strike(500, 538) + "frames 15\ndump\n";
  }
  s += Only("Tree1", 500, 538) + Drops(4, 500, 538, 2);  // 290
  const std::vector<json> d = RunSim(s);
  ASSERT_EQ(d.size(), 291u);

  const int points[] = {110, 110, 110, 10, 10, 10, 10, 1, 1};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(Score(d[i]) - (i ? Score(d[i - 1]) : 0), points[i]) << "drop " << i + 1;
    EXPECT_EQ(O(d[i])["stage"], i < 3 ? 0 : i < 7 ? 1 : 2);
    EXPECT_EQ(HasSound(d[i], "Play Tree_Growing_01"), i == 3 || i == 7) << "drop " << i + 1;
  }
  // Columns 0 to 18 one at a time, each step strictly after the frame time.
  const auto columns = Runs(d, 2, 89, [](const json& o) { return o["column"]; });
  ASSERT_EQ(columns.size(), 19u);
  for (size_t i = 1; i < columns.size(); ++i) {
    EXPECT_EQ(columns[i].first, i);
    if (i > 1) {
      EXPECT_GT(columns[i].second - columns[i - 1].second, 0.05f);
      EXPECT_LT(columns[i].second - columns[i - 1].second, 0.0667f + 1e-4f);
    }
  }
  EXPECT_EQ(O(d[88])["row"], 0);
  EXPECT_FALSE(O(d[88])["growing1"] || O(d[88])["growing2"]);

  for (int stage = 0; stage < 3; ++stage) {
    SCOPED_TRACE("stage " + std::to_string(stage));
    const size_t b = 89 + 67 * stage;
    const int first[] = {0, 7, 14}, end[] = {7, 14, 20}, fire[] = {20, 50, 150};
    EXPECT_EQ(O(d[b])["stage"], stage);
    EXPECT_EQ(Score(d[b + 60]), fire[stage]);
    EXPECT_EQ(O(d[b + 60])["row"], 1);
    ExpectLoop(Runs(d, b + 2, b + 61, [](const json& o) { return o["column"]; }), first[stage],
               end[stage]);
    EXPECT_EQ(Score(d[b + 61]), fire[stage]) << "a burning tree earns nothing more";
    EXPECT_EQ(Score(d[b + 62]), fire[stage] + 2) << "full points per drop while burning";
    const json& charred = O(d[b + 63]);
    EXPECT_TRUE(charred["charred"] && !charred["burning"]);
    EXPECT_EQ(charred["row"], 2 + stage);
    EXPECT_EQ(charred["column"], 0);
    EXPECT_EQ(charred["rainHits"], 4 * stage);
    EXPECT_NE(charred["whiteSmoke"]["age"], -2);
    EXPECT_EQ(charred["fireSmoke"]["age"], -2);
    EXPECT_EQ(O(d[b + 64])["row"], 2 + stage);
    EXPECT_EQ(O(d[b + 65])["rainHits"], 4 * stage) << "a charred tree does not grow";
    for (size_t i = b + 1; i <= b + 65; ++i)
      EXPECT_FALSE(HasSound(d[i], "Play Tree_Growing_01")) << "no growth after the fire";
    EXPECT_TRUE(O(d[b + 66])["burning"]);
    EXPECT_EQ(Score(d[b + 66]) - Score(d[b + 65]), fire[stage]) << "a charred tree burns again";
  }
  // Nobody's drops still count toward growth.
  EXPECT_EQ(Score(d[290]), 0);
  EXPECT_EQ(O(d[290])["stage"], 1);
}

TEST(GroundObjects, Houses) {
  std::string s = Ground();
  s += Only("House0", 500, 538) + "set objects.0.hasFlagPole 1\n" + Drops(5, 500, 538);  // 0
  s += Strike(500, 538) + DumpEachFrame(90, "0.0166667");                                // 1..90
  s += Strike(500, 538) + "frames 15\ndump\n" + Drops(49, 500, 538) + Drops(1, 500, 538) +
       Drops(1, 500, 538) + Strike(500, 538) + "frames 15\ndump\n";  // 91..95
  s += Only("House1", 300, 538) + "frames 1\ndump\n" + Strike(300, 538) +
       DumpEachFrame(200, "0.0166667");
  const std::vector<json> d = RunSim(s);
  ASSERT_EQ(d.size(), 297u);

  EXPECT_EQ(O(d[0])["rainHits"], 0) << "rain on a standing house is not counted";
  EXPECT_EQ(Score(d[90]), 500);
  EXPECT_EQ(O(d[90])["state"], 1);
  ExpectLoop(Runs(d, 3, 91, [](const json& o) { return o["frameX"]; }), 1, 8);
  ExpectLoop(Runs(d, 1, 91, [](const json& o) { return o["flagFrame"]; }), 0, 7);
  EXPECT_EQ(Score(d[91]), 500) << "a second bolt earns nothing";
  EXPECT_EQ(O(d[92])["state"], 1);
  const json& ruin = O(d[93]);
  EXPECT_EQ(ruin["state"], 2);
  EXPECT_TRUE(ruin["saved"]);
  EXPECT_EQ(ruin["frameX"], 8);
  EXPECT_NE(ruin["whiteSmoke"]["age"], -2);
  EXPECT_EQ(ruin["fireSmoke"]["age"], -2);
  EXPECT_EQ(O(d[94])["rainHits"], 50);
  EXPECT_EQ(O(d[95])["state"], 2);
  EXPECT_EQ(Score(d[95]), 500);

  // The wide house stands on column 9, catches fire along row 0 once, then loops row 1.
  EXPECT_EQ(O(d[96])["frameX"], 9);
  size_t e = 97;
  while (e < 297 && O(d[e])["state"] != 1) ++e;
  const auto frames = Runs(d, e, 297, [](const json& o) { return json{o["frameX"], o["frameY"]}; });
  ASSERT_GT(frames.size(), 21u);
  EXPECT_EQ(frames[0].first[1], 0);
  EXPECT_LE(frames[0].first[0], 1);
  for (size_t i = 1; i < frames.size(); ++i) {
    const int x = frames[i - 1].first[0], y = frames[i - 1].first[1];
    const json want = (y == 0 && x == 7) || (y == 1 && x == 10) ? json{0, 1} : json{x + 1, y};
    EXPECT_EQ(frames[i].first, want) << "step " << i;
  }
}

TEST(GroundObjects, People) {
  std::string s = Ground();
  s += Only("Person1", 500, 593) + "set objects.0.direction 2\n" + Drops(15, 500, 593) +
       Drops(1, 500, 593);
  s += Strike(500, 593) + "frames 15\ndump\nframes 90\n" + Strike(500, 593) +
       "frames 15\ndump\n";  // 2, 3
  s += "frames 150\n" + DumpEachFrame(60, "0.0166667") +
       "frames 60\ndump\nframes 30\ndump\n";  // 4..65
  s += Strike(500, 593) + "frames 15\ndump\n" + Drops(20, 500, 593) + Strike(500, 593) +
       "frames 15\ndump\n";
  s += Only("Person3", 500, 593) + Strike(500, 593) + "frames 15\n" + Drops(15, 500, 593) +
       Drops(1, 500, 593) + Drops(1, 500, 593, 2) + "frames 400\ndump\n";  // 69..72
  // Pace by kind: one second walking left, then one walking right off the edge.
  for (const char* kind : {"Person1", "Person3"}) {
    s += Only(kind, 500, 593) +
         "set objects.0.direction 1\nset objects.0.turnTime 1e9\nframes 1\ndump\nframes 60\ndump\n";
    s += "set objects.0.direction 0\nset objects.0.position 1030 593\nframes 1\ndump\n";
  }
  const std::vector<json> d = RunSim(s);
  ASSERT_EQ(d.size(), 79u);

  EXPECT_FALSE(O(d[0])["wet"]);
  EXPECT_TRUE(O(d[1])["wet"]) << "the 16th drop";
  EXPECT_EQ(Score(d[1]), 32) << "2 points a drop";
  const json& fire = O(d[2]);
  EXPECT_TRUE(fire["burning"] && fire["screamed"] && !fire["wet"]);
  EXPECT_EQ(fire["sheet"], "Images\\Persons\\mRodFire.png");
  EXPECT_EQ(fire["drawOffsetY"], -25);
  EXPECT_NE(fire["direction"], 2) << "a standing person runs when set alight";
  EXPECT_EQ(Score(d[2]), 32) << "lightning earns nothing on a person";
  EXPECT_EQ(O(d[3])["burnStart"], fire["burnStart"]) << "the first strike starts the clock";
  int screams = 0;
  for (const char* s : {"Play GirlScream", "Play GirlScream2"}) screams += CountSound(d, s);
  EXPECT_EQ(screams, 1);
  // Dead strictly after five seconds of fire, then falling to column 5 and lying still.
  for (size_t i = 4; i < 64; ++i)
    EXPECT_EQ(O(d[i])["dead"], F(d[i]["time"]) - F(fire["burnStart"]) > 5.0f) << F(d[i]["time"]);
  const json& corpse = O(d[64]);
  EXPECT_EQ(corpse["frameX"], 5);
  EXPECT_EQ(corpse["frameY"], corpse["direction"] == 0 ? 2 : 3);
  EXPECT_NEAR(F(O(d[65])["position"][0]) - F(corpse["position"][0]), -35, 0.01)
      << "the scroll only";
  const json& zombie = O(d[66]);
  EXPECT_TRUE(zombie["zombie"] && zombie["wet"]);
  EXPECT_EQ(zombie["frameY"], zombie["direction"] == 0 ? 4 : 5);
  EXPECT_EQ(zombie["sheet"], "Images\\Persons\\mRodZombie.png");
  EXPECT_EQ(Score(d[67]), 32 + 40) << "rain on a zombie still pays";
  EXPECT_TRUE(O(d[68])["zombie"]);
  EXPECT_EQ(O(d[68])["sheet"], zombie["sheet"]) << "a zombie is immune";
  // Rain puts a burning person out on the 16th drop; nobody's drops count too.
  EXPECT_TRUE(O(d[69])["burning"]);
  const json& out = O(d[70]);
  EXPECT_TRUE(out["wet"] && !out["burning"]);
  EXPECT_EQ(out["sheet"], "Images\\Persons\\mOld.png");
  EXPECT_EQ(out["drawOffsetY"], 0);
  EXPECT_EQ(Score(d[71]), Score(d[70]));
  EXPECT_EQ(O(d[71])["rainHits"], 17);
  EXPECT_FALSE(O(d[72])["dead"]) << "the fire was out";
  // Kind 1 walks at 40 px/s, kind 3 at half that; the scroll adds 70.
  const float pace[] = {40, 20};
  for (int k = 0; k < 2; ++k) {
    const json* p = &d[73 + 3 * k];
    EXPECT_NEAR(F(O(p[1])["position"][0]) - F(O(p[0])["position"][0]), -(70 + pace[k]), 0.05);
    EXPECT_EQ(O(p[2])["direction"], 2) << "off the right edge: stop";
  }
}

TEST(GroundObjects, Sheep) {
  std::string s = Ground();
  const std::string still = "set objects.0.turnTime 1e9\n";
  s += Only("Sheep", 500, 593) + "set objects.0.direction 2\n" + still;
  s += Drops(15, 500, 593) + Drops(1, 500, 593) + Drops(1, 500, 593);  // 0..2
  // Exploding: facing left dry, facing right wet, standing dry.
  struct Case {
    int direction, drops, row, remainsRow, columns;
    float step;
  } cases[] = {{1, 0, 3, 5, 7, 0.05f}, {0, 16, 1, 2, 4, 0.15f}, {2, 0, 0, 2, 7, 0.05f}};
  for (const Case& c : cases) {
    s += Only("Sheep", 500, 593) + still + "set objects.0.direction " +
         std::to_string(c.direction) + "\n" + Drops(c.drops, 500, 593) + Strike(500, 593) +
         DumpEachFrame(120, "0.01");
    s += Strike(500, 593) + "frames 15\ndump\n" + Drops(1, 500, 593);
  }
  s += Only("Sheep", 1030, 593) + still + "set objects.0.direction 0\nframes 1\ndump\n";
  const std::vector<json> d = RunSim(s);
  ASSERT_EQ(d.size(), 3u + 3 * 123 + 1);

  EXPECT_FALSE(O(d[0])["wet"]);
  EXPECT_TRUE(O(d[1])["wet"]) << "the 16th drop";
  EXPECT_EQ(O(d[1])["frameY"], 1);
  EXPECT_EQ(Score(d[2]), 34) << "every drop pays";
  for (size_t k = 0; k < 3; ++k) {
    const Case& c = cases[k];
    SCOPED_TRACE("case " + std::to_string(k));
    const size_t b = 3 + 123 * k;  // b: the drops; b+1..b+120 the explosion
    const std::vector<json> run(d.begin() + b + 1, d.begin() + b + 124);
    const std::string sound = c.drops ? "Play Explode_WetSheep" : "Play Explode_Sheep";
    EXPECT_EQ(CountSound(run, sound + "1") + CountSound(run, sound + "2"), 1)
        << "once, however often struck";
    size_t e = b + 1;
    while (e < b + 121 && !O(d[e])["exploded"]) ++e;
    const auto frames = Runs(d, e, b + 121, [](const json& o) {
      return json{o["frameX"], o["frameY"]};
    });
    // Column 0 shows only when the strike's own update was not yet due a step.
    ASSERT_FALSE(frames.empty());
    const int skip = frames[0].first[0];
    ASSERT_EQ(frames.size() + skip, static_cast<size_t>(c.columns + 5));
    for (int i = skip; i < c.columns + 5; ++i) {
      const json want = i < c.columns ? json{i, c.row} : json{i - c.columns, c.remainsRow};
      EXPECT_EQ(frames[i - skip].first, want) << "frame " << i;
      if (i > 1 && i < c.columns) {  // the first step counts from the last walking step
        const float shown = frames[i - skip].second - frames[i - skip - 1].second;
        EXPECT_GT(shown, c.step);
        EXPECT_LT(shown, c.step + 0.0101f);
      }
    }
    EXPECT_TRUE(O(d[b + 120])["remains"]);
    EXPECT_NEAR(F(O(d[b + 120])["position"][0]) - F(O(d[b + 90])["position"][0]), -21, 0.05)
        << "no walking once exploded";
    EXPECT_EQ(Score(d[b + 122]) - Score(d[b + 121]), 2) << "rain on the remains pays";
  }
  EXPECT_EQ(O(d.back())["direction"], 2) << "off the right edge: stop";
}

TEST(GroundObjects, SpawnedInWavesAndSweptAway) {
  // Every ground kind's wave and spacing are due in the first play frame.
  std::string s = "seed 5\nset GameState 1\npress SPACE\n";
  for (const char* kind : {"tree", "house", "person", "sheep"})
    s += std::string("set spawn.") + kind + "WaveTimer 100\nset spawn." + kind +
         "SpacingTimer 100\n";
  s += "frames 1\ndump\nset objects.0.position -1095 538\nset objects.1.position -1110 538\nframes "
       "1\ndump\n"
       "hold F7\nframes 1\ndump\n";
  const std::vector<json> d = RunSim(s);
  ASSERT_EQ(d.size(), 3u);
  const json& o = d[0]["objects"];
  ASSERT_EQ(o.size(), 4u);
  const char* classes[] = {"Tree", "House", "Person", "Sheep"};
  const float ground[] = {538, 538, 593, 593};
  const char* counts[] = {"treeCount", "houseCount", "personCount", "sheepCount"};
  const int most[] = {3, 1, 2, 8};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(o[i]["class"], classes[i]);
    EXPECT_EQ(o[i]["position"][1], ground[i]) << "on the ground";
    EXPECT_NEAR(F(o[i]["position"][0]), 1024 - 70 / 60.0f, 0.7f) << "at the right edge";
    EXPECT_LE(d[0]["spawn"][counts[i]].get<int>(), most[i]);
    EXPECT_GE(d[0]["spawn"][counts[i]].get<int>(), i == 3 ? 3 : 0);
  }
  // Far off the left edge the tree is swept away; the house, not yet so far, stays.
  ASSERT_EQ(d[1]["objects"].size(), 3u);
  EXPECT_EQ(d[1]["objects"][0]["class"], "House");
  EXPECT_TRUE(d[2]["objects"].empty()) << "a new game starts with an empty world";
}

}  // namespace
