// Loads the tuning file: 79 reads, one per line, each value converted to the
// type of its variable. A failed read repeats the last good value.
#include "config/GameValues.h"

#include <cmath>
#include <fstream>
#include <limits>
#include <vector>

float worldSpeed;
int grassHeight;
int groundHeight;
int screenWidth;
int screenHeight;
float rainDropInterval;
float rainDropSpeed;
float rainGravity;
float rainWind;
float treeWaveInterval;
float treeSpacing;
float treeWaveMax;
float turnCheckInterval;
float turnChance;
float walkSpeed;
float startEnergy;
float weakEnergyMax;
float smallEnergyMax;
float largeEnergyMin;
float fullDarkEnergy;
float smallAcceleration;
float mediumAcceleration;
float largeAcceleration;
float weakAcceleration;
float houseWaveInterval;
float houseSpacing;
float houseWaveMax;
float personWaveInterval;
float personSpacing;
float personWaveMax;
float mountainInterval;
float layer1WidthA;
float layer1WidthB;
float treeFrameTime;
int treeGrowthHits;
int treeExtinguishHits;
float walkFrameTime;
float cloudFrameTime;
int wetHitCount;
int energyCloudSpeed;
int rainHitPoints;
int smallTreeRainBonus;
int growingTreeRainPoints;
int fullTreeRainPoints;
int smallEnergyCloudGain;
int mediumEnergyCloudGain;
int largeEnergyCloudGain;
float energyDrainRate;
float rainDropEnergy;
float layer1Period;
float layer2Period;
float layer3Period;
float cloud1WaveInterval;
float cloud1Spacing;
float cloud1WaveMax;
float cloud2WaveInterval;
float cloud2Spacing;
float cloud2WaveMax;
float cloud3WaveInterval;
float cloud3Spacing;
float cloud3WaveMax;
float cloud4WaveInterval;
float cloud4Spacing;
float cloud4WaveMax;
bool particleEffects;

namespace {

enum class Kind { Float, Int, Bool, None };

struct Line {
  Kind kind;
  const char* name;
  void* variable;
  float builtIn;
};

// One entry per line of the file, in line order.
const Line kLines[GameValueLines] = {
    {Kind::Float, "worldSpeed", &worldSpeed, 35},            // 0
    {Kind::Int, "grassHeight", &grassHeight, 286},            // 1
    {Kind::Int, "groundHeight", &groundHeight, 100},           // 2
    {Kind::Int, "screenWidth", &screenWidth, 1024},           // 3
    {Kind::Int, "screenHeight", &screenHeight, 768},           // 4
    {Kind::None, nullptr, nullptr, 0},                  // 5
    {Kind::None, nullptr, nullptr, 0},                  // 6
    {Kind::Float, "rainDropInterval", &rainDropInterval, 0.02f},   // 7
    {Kind::Float, "rainDropSpeed", &rainDropSpeed, 5},          // 8
    {Kind::Float, "rainGravity", &rainGravity, 100},          // 9
    {Kind::Float, "rainWind", &rainWind, -10},             // 10
    {Kind::Float, "treeWaveInterval", &treeWaveInterval, 5},       // 11
    {Kind::Float, "treeSpacing", &treeSpacing, 1},            // 12
    {Kind::Float, "treeWaveMax", &treeWaveMax, 4},            // 13
    {Kind::Float, "turnCheckInterval", &turnCheckInterval, 2},      // 14
    {Kind::Float, "turnChance", &turnChance, 0.2f},          // 15
    {Kind::Float, "walkSpeed", &walkSpeed, 40},             // 16
    {Kind::Float, "startEnergy", &startEnergy, 30},           // 17
    {Kind::Float, "weakEnergyMax", &weakEnergyMax, 10},         // 18
    {Kind::Float, "smallEnergyMax", &smallEnergyMax, 30},        // 19
    {Kind::Float, "largeEnergyMin", &largeEnergyMin, 60},        // 20
    {Kind::Float, "fullDarkEnergy", &fullDarkEnergy, 100},       // 21
    {Kind::Float, "smallAcceleration", &smallAcceleration, 500},    // 22
    {Kind::Float, "mediumAcceleration", &mediumAcceleration, 300},   // 23
    {Kind::Float, "largeAcceleration", &largeAcceleration, 200},    // 24
    {Kind::Float, "weakAcceleration", &weakAcceleration, 400},     // 25
    {Kind::Float, "houseWaveInterval", &houseWaveInterval, 11.5f},  // 26
    {Kind::Float, "houseSpacing", &houseSpacing, 2},           // 27
    {Kind::Float, "houseWaveMax", &houseWaveMax, 2},           // 28
    {Kind::Float, "personWaveInterval", &personWaveInterval, 8},     // 29
    {Kind::Float, "personSpacing", &personSpacing, 1},          // 30
    {Kind::Float, "personWaveMax", &personWaveMax, 3},          // 31
    {Kind::None, nullptr, nullptr, 8},                  // 32
    {Kind::None, nullptr, nullptr, 1},                  // 33
    {Kind::None, nullptr, nullptr, 3},                  // 34
    {Kind::Float, "mountainInterval", &mountainInterval, 40},      // 35
    {Kind::Float, "layer1Period", &layer1Period, 120},         // 36 (line 62 overrides it)
    {Kind::Float, "layer1WidthA", &layer1WidthA, 7087},        // 37
    {Kind::Float, "layer1WidthB", &layer1WidthB, 3088},        // 38
    {Kind::Float, "treeFrameTime", &treeFrameTime, 0.05f},      // 39
    {Kind::Int, "treeGrowthHits", &treeGrowthHits, 100},         // 40
    {Kind::Int, "treeExtinguishHits", &treeExtinguishHits, 70},      // 41
    {Kind::Float, "walkFrameTime", &walkFrameTime, 0.1f},       // 42
    {Kind::Float, "cloudFrameTime", &cloudFrameTime, 0.15f},     // 43
    {Kind::Int, "wetHitCount", &wetHitCount, 15},             // 44
    {Kind::Int, "energyCloudSpeed", &energyCloudSpeed, 50},        // 45
    {Kind::None, nullptr, nullptr, 0},                  // 46
    {Kind::Int, "rainHitPoints", &rainHitPoints, 0},            // 47
    {Kind::None, nullptr, nullptr, 0},                  // 48
    {Kind::None, nullptr, nullptr, 0},                  // 49
    {Kind::Int, "smallTreeRainBonus", &smallTreeRainBonus, 0},       // 50
    {Kind::None, nullptr, nullptr, 0},                  // 51
    {Kind::Int, "growingTreeRainPoints", &growingTreeRainPoints, 0},    // 52
    {Kind::None, nullptr, nullptr, 0},                  // 53
    {Kind::Int, "fullTreeRainPoints", &fullTreeRainPoints, 0},       // 54
    {Kind::None, nullptr, nullptr, 0},                  // 55
    {Kind::None, nullptr, nullptr, 0},                  // 56
    {Kind::Int, "smallEnergyCloudGain", &smallEnergyCloudGain, 0},     // 57
    {Kind::Int, "mediumEnergyCloudGain", &mediumEnergyCloudGain, 0},    // 58
    {Kind::Int, "largeEnergyCloudGain", &largeEnergyCloudGain, 0},     // 59
    {Kind::Float, "energyDrainRate", &energyDrainRate, 0},        // 60
    {Kind::Float, "rainDropEnergy", &rainDropEnergy, 0},         // 61
    {Kind::Float, "layer1Period", &layer1Period, 120},         // 62
    {Kind::Float, "layer2Period", &layer2Period, 140},         // 63
    {Kind::Float, "layer3Period", &layer3Period, 20},          // 64
    {Kind::Float, "cloud1WaveInterval", &cloud1WaveInterval, 3},     // 65
    {Kind::Float, "cloud1Spacing", &cloud1Spacing, 1},          // 66
    {Kind::Float, "cloud1WaveMax", &cloud1WaveMax, 1},          // 67
    {Kind::Float, "cloud2WaveInterval", &cloud2WaveInterval, 3},     // 68
    {Kind::Float, "cloud2Spacing", &cloud2Spacing, 1},          // 69
    {Kind::Float, "cloud2WaveMax", &cloud2WaveMax, 1},          // 70
    {Kind::Float, "cloud3WaveInterval", &cloud3WaveInterval, 3},     // 71
    {Kind::Float, "cloud3Spacing", &cloud3Spacing, 1},          // 72
    {Kind::Float, "cloud3WaveMax", &cloud3WaveMax, 1},          // 73
    {Kind::Float, "cloud4WaveInterval", &cloud4WaveInterval, 3},     // 74
    {Kind::Float, "cloud4Spacing", &cloud4Spacing, 1},          // 75
    {Kind::Float, "cloud4WaveMax", &cloud4WaveMax, 1},          // 76
    {Kind::Bool, "particleEffects", &particleEffects, 1},         // 77
    {Kind::None, nullptr, nullptr, 0},                  // 78 (read, not used)
};

void Assign(const Line& line, float value) {
  switch (line.kind) {
    case Kind::Float: *static_cast<float*>(line.variable) = value; break;
    // Truncation toward zero; values beyond the int range saturate instead of
    // being undefined.
    case Kind::Int: {
      double t = std::trunc(static_cast<double>(value));
      if (std::isnan(t)) t = 0;
      if (t > std::numeric_limits<int>::max()) t = std::numeric_limits<int>::max();
      if (t < std::numeric_limits<int>::min()) t = std::numeric_limits<int>::min();
      *static_cast<int*>(line.variable) = static_cast<int>(t);
      break;
    }
    case Kind::Bool: *static_cast<bool*>(line.variable) = value >= 0.5f; break;
    case Kind::None: break;
  }
}

}  // namespace

// Built-in values hold from program start until the first load.
static const bool kBuiltInSet = (ResetGameValuesToBuiltIn(), true);

GameValueRef GameValueAt(int line) {
  GameValueRef ref{nullptr, nullptr, nullptr, nullptr};
  if (line < 0 || line >= GameValueLines) return ref;
  const Line& l = kLines[line];
  if (!l.name) return ref;
  ref.name = l.name;
  switch (l.kind) {
    case Kind::Float: ref.asFloat = static_cast<float*>(l.variable); break;
    case Kind::Int: ref.asInt = static_cast<int*>(l.variable); break;
    case Kind::Bool: ref.asBool = static_cast<bool*>(l.variable); break;
    case Kind::None: break;
  }
  return ref;
}

void ResetGameValuesToBuiltIn() {
  for (const Line& line : kLines) Assign(line, line.builtIn);
}

void LoadGameValues(std::istream& in) {
  std::vector<float> values;
  values.reserve(GameValueLines);
  float temp = 0;
  bool anyRead = false;
  for (int i = 0; i < GameValueLines; ++i) {
    // Throw away the rest of the previous line, comment included, however long
    // it is, so that a long comment never shifts the later values.
    if (i > 0) in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    float value;
    if (in >> value) {
      temp = value;
      anyRead = true;
    }
    // A failed extraction leaves the stream failed: every later entry repeats
    // the last number read successfully.
    if (!anyRead) return;  // no number on line 0: keep what the variables hold
    values.push_back(temp);
  }
  // Entries 0..77 feed the variables; entry 78 is read and not used.
  for (int i = 0; i < GameValueLines - 1; ++i) Assign(kLines[i], values[i]);
}

void LoadGameValues() {
  std::ifstream file("GameValues.txt");
  if (!file) return;
  LoadGameValues(file);
}
