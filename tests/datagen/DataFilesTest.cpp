// The generated data files: the four particle records load and behave like
// their effects, the font covers every printable character inside its image,
// the tuning file has its 79 commented lines and a playable balance, and the
// first high-score table is complete and never replaces a player's table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "config/GameValues.h"
#include "gfx/hgeFont.h"
#include "gfx/hgeParticleSystem.h"
#include "gfx/hgeSprite.h"
#include "tests/engine/EngineTestSupport.h"
#include "tools/datagen/Generators.h"

// The high-score writer is compiled here on its own, in a namespace of its own,
// so the test can run it against folders of its choosing.
namespace datagen {
#include "tools/datagen/files/HighScoreFiles.cpp"
}

namespace {

std::string DataFile(const std::string& name) { return std::string(ZARVO_DATA_DIR) + "/" + name; }

std::vector<std::string> Lines(const std::string& path) {
  std::istringstream in(ReadFile(path));
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class DataFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hge = HeadlessEngine();
    ASSERT_NE(hge, nullptr);
    hge->Random_Seed(3);
    sprite = std::make_unique<hgeSprite>(0, 0.0f, 0.0f, 32.0f, 32.0f);
  }
  void TearDown() override { ResetGameValuesToBuiltIn(); }
  std::unique_ptr<hgeParticleSystem> Effect(const char* name) {
    return std::make_unique<hgeParticleSystem>(DataFile(name).c_str(), sprite.get(), 0);
  }
  HGE* hge = nullptr;
  std::unique_ptr<hgeSprite> sprite;
};

TEST_F(DataFilesTest, EachParticleRecordIs128BytesOfSensibleValues) {
  for (const char* name : {"Smoke.psi", "SmokeWhite.psi", "Sparks.psi", "PlaneSmoke.psi"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(std::filesystem::file_size(DataFile(name)), 128u);
    const auto ps = Effect(name);
    ASSERT_TRUE(ps->bHasInfo);
    const hgeParticleSystemInfo& i = ps->info;
    EXPECT_GT(i.nEmission, 0);
    EXPECT_EQ(i.fLifetime, -1.0f);  // owners keep them going themselves
    EXPECT_GT(i.fParticleLifeMin, 0);
    EXPECT_LE(i.fParticleLifeMin, i.fParticleLifeMax);
    EXPECT_LE(i.fSpeedMin, i.fSpeedMax);
    EXPECT_GT(std::min(i.fSizeStart, i.fSizeEnd), 0);
    for (const hgeColor& c : {i.colColorStart, i.colColorEnd}) {  // none wraps when drawn
      EXPECT_GE(std::min({c.r, c.g, c.b, c.a}), 0);
      EXPECT_LE(std::max({c.r, c.g, c.b, c.a}), 1);
    }
    EXPECT_EQ(i.colColorEnd.a, 0.0f);  // particles fade out instead of vanishing
    // The most a system can hold at once stays well inside the pool.
    EXPECT_LT(i.nEmission * i.fParticleLifeMax, 0.8f * MAX_PARTICLES);
  }
}

// Runs an effect as its owner does, at a fixed spot or moving by `move` a
// frame; returns the mean offset of the particles from the emitter.
hgeVector RunEffect(hgeParticleSystem& ps, int frames, float slowdown, hgeVector move = {0, 0}) {
  hgeVector at(500, 400);
  for (int f = 0; f < frames; ++f) {
    if (move == hgeVector(0, 0)) {
      ps.FireAt(at.x, at.y);
    } else {
      if (f == 0) ps.Fire();
      at += move;
      ps.MoveTo(at.x, at.y);
    }
    ps.Update(1.0f / 60 / slowdown);
  }
  hgeVector mean(0, 0);
  for (int i = 0; i < ps.nParticlesAlive; ++i) mean += ps.particles[i].vecLocation - at;
  return ps.nParticlesAlive ? mean * (1.0f / ps.nParticlesAlive) : mean;
}

TEST_F(DataFilesTest, EffectsBehaveLikeWhatTheyShow) {
  // Smoke and steam rise above their source over a tree's four seconds.
  for (const char* name : {"Smoke.psi", "SmokeWhite.psi"}) {
    const auto ps = Effect(name);
    const hgeVector mean = RunEffect(*ps, 240, 2);
    EXPECT_GT(ps->nParticlesAlive, 20) << name;
    EXPECT_LT(mean.y, -20) << name;
    EXPECT_LT(std::fabs(mean.x), 40) << name;
  }
  // A plane's exhaust trails behind it, opposite to its flight.
  for (float dx : {-3.0f, 3.0f}) {
    const auto ps = Effect("PlaneSmoke.psi");
    const hgeVector mean = RunEffect(*ps, 180, 6, hgeVector(dx, 0));
    EXPECT_GT(ps->nParticlesAlive, 20);
    EXPECT_GT(-mean.x * dx, 20.0f) << dx;
  }
  // Sparks burst fast and burn out within a second.
  const auto sparks = Effect("Sparks.psi");
  RunEffect(*sparks, 10, 1);
  EXPECT_GT(sparks->nParticlesAlive, 50);
  float fastest = 0;
  for (int i = 0; i < sparks->nParticlesAlive; ++i) {
    const hgeVector v = sparks->particles[i].vecVelocity;
    fastest = std::max(fastest, std::hypot(v.x, v.y));
  }
  EXPECT_GT(fastest, 3);
  sparks->Stop(false);
  for (int f = 0; f < 60; ++f) sparks->Update(1.0f / 60);
  EXPECT_EQ(sparks->nParticlesAlive, 0);
}

TEST_F(DataFilesTest, TheFontHasEveryPrintableCharacterInsideItsImage) {
  hgeFont font(DataFile("font1.fnt").c_str());
  ASSERT_NE(font.hTexture, 0u);
  const float w = static_cast<float>(hge->Texture_GetWidth(font.hTexture, true));
  const float h = static_cast<float>(hge->Texture_GetHeight(font.hTexture, true));
  EXPECT_GE(font.fHeight, 18);
  EXPECT_LE(font.fHeight, 30);
  for (int c = 0x20; c <= 0x7E; ++c) {
    const hgeSprite* s = font.letters[c];
    ASSERT_NE(s, nullptr) << "character " << c;
    EXPECT_EQ(s->GetTexture(), font.hTexture);
    EXPECT_GT(s->width, 0);
    EXPECT_GE(std::min(s->tx, s->ty), 0);
    EXPECT_LE(s->tx + s->width, w);
    EXPECT_LE(s->ty + s->height, h);
    EXPECT_GT(s->width + font.pre[c] + font.post[c], 0) << "character " << c << " advances";
    for (int d = 0x20; d < c; ++d) {  // no two cells share pixels
      const hgeSprite* o = font.letters[d];
      const bool apart = s->tx + s->width <= o->tx || o->tx + o->width <= s->tx ||
                         s->ty + s->height <= o->ty || o->ty + o->height <= s->ty;
      EXPECT_TRUE(apart) << c << " overlaps " << d;
    }
  }
  for (int c = 0x7F; c < 0x100; ++c) EXPECT_EQ(font.letters[c], nullptr);
  // The longest screen texts fit the screen and stay readable, about ten pixels a character.
  for (const char* text : {"Tip: Remember to take all things in moderation. Even Zarvo the Cloud!",
                           "Tip: You can increase your rainpower by pressing the boost button.",
                           "What is your name you brave cloud!"}) {
    EXPECT_LT(font.GetStringWidth(text), 1000) << text;
    EXPECT_GT(font.GetStringWidth(text) / std::string(text).size(), 9) << text;
  }
}

// Every variable's value as a float, line by line.
std::vector<float> CurrentValues() {
  std::vector<float> values;
  for (int i = 0; i < GameValueLines; ++i) {
    const GameValueRef r = GameValueAt(i);
    values.push_back(r.asFloat  ? *r.asFloat
                     : r.asInt  ? static_cast<float>(*r.asInt)
                     : r.asBool ? (*r.asBool ? 1.0f : 0.0f)
                                : 0.0f);
  }
  return values;
}

TEST_F(DataFilesTest, TheTuningFileNamesEachValueAndChangesOnlyTheBalance) {
  const std::vector<std::string> lines = Lines(DataFile("GameValues.txt"));
  ASSERT_EQ(lines.size(), 79u);
  for (int i = 0; i < 79; ++i) {
    std::istringstream line(lines[i]);
    float value;
    std::string comment;
    ASSERT_TRUE(line >> value >> comment) << "line " << i << ": " << lines[i];
    const GameValueRef ref = GameValueAt(i);  // line 62 overrides layer1Period of line 36
    if (ref.name && i != 36) {
      EXPECT_EQ(comment, ref.name) << "line " << i;
    }
  }
  ResetGameValuesToBuiltIn();
  const std::vector<float> builtIn = CurrentValues();
  std::istringstream in(ReadFile(DataFile("GameValues.txt")));
  LoadGameValues(in);
  const std::vector<float> shipped = CurrentValues();
  for (int i = 0; i < GameValueLines; ++i) {
    if (i >= 47 && i <= 61) continue;  // the balance lines
    EXPECT_FLOAT_EQ(shipped[i], builtIn[i]) << "line " << i;
  }
  // The balance lines make energy and rain matter.
  EXPECT_GT(smallEnergyCloudGain, 0);
  EXPECT_LT(smallEnergyCloudGain, mediumEnergyCloudGain);
  EXPECT_LT(mediumEnergyCloudGain, largeEnergyCloudGain);
  EXPECT_GT(energyDrainRate, 0);
  // A full cloud raining without pause (one drop a frame at 60 frames per
  // second) runs dry in about half a minute.
  const float emptying = 100.0f / (60 * rainDropEnergy + energyDrainRate);
  EXPECT_GT(emptying, 20);
  EXPECT_LT(emptying, 45);
  // A calm cloud drifts from its start energy down to weak in under a minute.
  EXPECT_LT((startEnergy - weakEnergyMax) / energyDrainRate, 60);
  EXPECT_GT(std::min({rainHitPoints, growingTreeRainPoints, fullTreeRainPoints}), 0);
  EXPECT_GE(smallTreeRainBonus, 0);
}

TEST_F(DataFilesTest, TheFirstHighScoreTableHasTenDescendingEntriesAndNeverReplacesOne) {
  const std::string dir = TestFolder("scores-fresh");
  datagen::GenerateDefaultHighScores(Output{dir + "/data", ""});
  const std::string names = ReadFile(dir + "/data/highscore_names.txt");
  const std::vector<std::string> points = Lines(dir + "/data/highscore_points.txt");
  ASSERT_EQ(Lines(dir + "/data/highscore_names.txt").size(), 10u);
  EXPECT_EQ(names.back(), '\n');
  ASSERT_EQ(points.size(), 10u);
  for (size_t i = 1; i < points.size(); ++i)
    EXPECT_GT(std::stoi(points[i - 1]), std::stoi(points[i])) << "line " << i;
  EXPECT_GT(std::stoi(points.back()), 0);
  // Either file of a player's table keeps the generator away.
  for (const char* kept : {"highscore_names.txt", "highscore_points.txt"}) {
    const std::string folder = TestFolder(std::string("scores-kept-") + kept);
    std::ofstream(folder + "/" + kept) << "12\n";
    datagen::GenerateDefaultHighScores(Output{folder, ""});
    EXPECT_EQ(ReadFile(folder + "/" + kept), "12\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
  }
}

}  // namespace
