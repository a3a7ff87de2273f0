// Loads the tuning file: one number at the start of each of its 79 lines,
// converted to the type of its variable. A line that holds no number keeps
// its built-in value, a number outside the line's range becomes the nearest
// bound, and each such line is reported; the other lines read normally.
#include "config/GameValues.h"

#include <cmath>
#include <iostream>
#include <limits>
#include <sstream>

#include "engine/Platform.h"

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

// The tuning file is 79 short lines; a larger one is not read at all.
constexpr size_t kMaxFileBytes = size_t{1} << 20;

std::string Number(float value) {
  std::ostringstream text;
  text << value;
  return text.str();
}

// A line as a message shows it: at most 40 bytes, control bytes as '?'.
std::string Shown(const std::string& line) {
  std::string shown = line.substr(0, 40);
  for (char& c : shown)
    if (static_cast<unsigned char>(c) < 32) c = '?';
  return shown;
}

struct Line {
  Kind kind;
  const char* name;
  void* variable;
  float builtIn;
  // The values that keep the game working: sizes a screen can show, times
  // that cannot stall the frame loop or flood memory, bounded counts.
  float low, high;
};

// One entry per line of the file, in line order.
const Line kLines[GameValueLines] = {
    {Kind::Float, "worldSpeed", &worldSpeed, 35, 1, 2000},                       // 0
    {Kind::Int, "grassHeight", &grassHeight, 286, 0, 4096},                      // 1
    {Kind::Int, "groundHeight", &groundHeight, 100, 0, 4096},                    // 2
    {Kind::Int, "screenWidth", &screenWidth, 1024, 320, 7680},                   // 3
    {Kind::Int, "screenHeight", &screenHeight, 768, 240, 4320},                  // 4
    {Kind::None, nullptr, nullptr, 0, 0, 0},                                     // 5
    {Kind::None, nullptr, nullptr, 0, 0, 0},                                     // 6
    {Kind::Float, "rainDropInterval", &rainDropInterval, 0.02f, 0.001f, 60},     // 7
    {Kind::Float, "rainDropSpeed", &rainDropSpeed, 5, 0, 5000},                  // 8
    {Kind::Float, "rainGravity", &rainGravity, 100, 0, 5000},                    // 9
    {Kind::Float, "rainWind", &rainWind, -10, -5000, 5000},                      // 10
    {Kind::Float, "treeWaveInterval", &treeWaveInterval, 5, 0.05f, 3600},        // 11
    {Kind::Float, "treeSpacing", &treeSpacing, 1, 0, 3600},                      // 12
    {Kind::Float, "treeWaveMax", &treeWaveMax, 4, 0, 100},                       // 13
    {Kind::Float, "turnCheckInterval", &turnCheckInterval, 2, 0.05f, 3600},      // 14
    {Kind::Float, "turnChance", &turnChance, 0.2f, 0, 1},                        // 15
    {Kind::Float, "walkSpeed", &walkSpeed, 40, 0, 2000},                         // 16
    {Kind::Float, "startEnergy", &startEnergy, 30, 1, 10000},                    // 17
    {Kind::Float, "weakEnergyMax", &weakEnergyMax, 10, 0, 10000},                // 18
    {Kind::Float, "smallEnergyMax", &smallEnergyMax, 30, 0, 10000},              // 19
    {Kind::Float, "largeEnergyMin", &largeEnergyMin, 60, 0, 10000},              // 20
    {Kind::Float, "fullDarkEnergy", &fullDarkEnergy, 100, 1, 10000},             // 21
    {Kind::Float, "smallAcceleration", &smallAcceleration, 500, 0, 100000},      // 22
    {Kind::Float, "mediumAcceleration", &mediumAcceleration, 300, 0, 100000},    // 23
    {Kind::Float, "largeAcceleration", &largeAcceleration, 200, 0, 100000},      // 24
    {Kind::Float, "weakAcceleration", &weakAcceleration, 400, 0, 100000},        // 25
    {Kind::Float, "houseWaveInterval", &houseWaveInterval, 11.5f, 0.05f, 3600},  // 26
    {Kind::Float, "houseSpacing", &houseSpacing, 2, 0, 3600},                    // 27
    {Kind::Float, "houseWaveMax", &houseWaveMax, 2, 0, 100},                     // 28
    {Kind::Float, "personWaveInterval", &personWaveInterval, 8, 0.05f, 3600},    // 29
    {Kind::Float, "personSpacing", &personSpacing, 1, 0, 3600},                  // 30
    {Kind::Float, "personWaveMax", &personWaveMax, 3, 0, 100},                   // 31
    {Kind::None, nullptr, nullptr, 8, 0, 0},                                     // 32
    {Kind::None, nullptr, nullptr, 1, 0, 0},                                     // 33
    {Kind::None, nullptr, nullptr, 3, 0, 0},                                     // 34
    {Kind::Float, "mountainInterval", &mountainInterval, 40, 0.05f, 3600},       // 35
    {Kind::Float, "layer1Period", &layer1Period, 120, 0.1f, 100000},    // 36 (line 62 overrides it)
    {Kind::Float, "layer1WidthA", &layer1WidthA, 7087, 1, 100000},      // 37
    {Kind::Float, "layer1WidthB", &layer1WidthB, 3088, 1, 100000},      // 38
    {Kind::Float, "treeFrameTime", &treeFrameTime, 0.05f, 0.001f, 10},  // 39
    {Kind::Int, "treeGrowthHits", &treeGrowthHits, 100, 1, 1e+06},      // 40
    {Kind::Int, "treeExtinguishHits", &treeExtinguishHits, 70, 1, 1e+06},            // 41
    {Kind::Float, "walkFrameTime", &walkFrameTime, 0.1f, 0.001f, 10},                // 42
    {Kind::Float, "cloudFrameTime", &cloudFrameTime, 0.15f, 0.001f, 10},             // 43
    {Kind::Int, "wetHitCount", &wetHitCount, 15, 0, 1e+06},                          // 44
    {Kind::Int, "energyCloudSpeed", &energyCloudSpeed, 50, 0, 5000},                 // 45
    {Kind::None, nullptr, nullptr, 0, 0, 0},                                         // 46
    {Kind::Int, "rainHitPoints", &rainHitPoints, 0, -1e+06, 1e+06},                  // 47
    {Kind::None, nullptr, nullptr, 0, 0, 0},                                         // 48
    {Kind::None, nullptr, nullptr, 0, 0, 0},                                         // 49
    {Kind::Int, "smallTreeRainBonus", &smallTreeRainBonus, 0, -1e+06, 1e+06},        // 50
    {Kind::None, nullptr, nullptr, 0, 0, 0},                                         // 51
    {Kind::Int, "growingTreeRainPoints", &growingTreeRainPoints, 0, -1e+06, 1e+06},  // 52
    {Kind::None, nullptr, nullptr, 0, 0, 0},                                         // 53
    {Kind::Int, "fullTreeRainPoints", &fullTreeRainPoints, 0, -1e+06, 1e+06},        // 54
    {Kind::None, nullptr, nullptr, 0, 0, 0},                                         // 55
    {Kind::None, nullptr, nullptr, 0, 0, 0},                                         // 56
    {Kind::Int, "smallEnergyCloudGain", &smallEnergyCloudGain, 0, -10000, 10000},    // 57
    {Kind::Int, "mediumEnergyCloudGain", &mediumEnergyCloudGain, 0, -10000, 10000},  // 58
    {Kind::Int, "largeEnergyCloudGain", &largeEnergyCloudGain, 0, -10000, 10000},    // 59
    {Kind::Float, "energyDrainRate", &energyDrainRate, 0, 0, 1000},                  // 60
    {Kind::Float, "rainDropEnergy", &rainDropEnergy, 0, 0, 1000},                    // 61
    {Kind::Float, "layer1Period", &layer1Period, 120, 0.1f, 100000},                 // 62
    {Kind::Float, "layer2Period", &layer2Period, 140, 0.1f, 100000},                 // 63
    {Kind::Float, "layer3Period", &layer3Period, 20, 0.1f, 100000},                  // 64
    {Kind::Float, "cloud1WaveInterval", &cloud1WaveInterval, 3, 0.05f, 3600},        // 65
    {Kind::Float, "cloud1Spacing", &cloud1Spacing, 1, 0, 3600},                      // 66
    {Kind::Float, "cloud1WaveMax", &cloud1WaveMax, 1, 0, 100},                       // 67
    {Kind::Float, "cloud2WaveInterval", &cloud2WaveInterval, 3, 0.05f, 3600},        // 68
    {Kind::Float, "cloud2Spacing", &cloud2Spacing, 1, 0, 3600},                      // 69
    {Kind::Float, "cloud2WaveMax", &cloud2WaveMax, 1, 0, 100},                       // 70
    {Kind::Float, "cloud3WaveInterval", &cloud3WaveInterval, 3, 0.05f, 3600},        // 71
    {Kind::Float, "cloud3Spacing", &cloud3Spacing, 1, 0, 3600},                      // 72
    {Kind::Float, "cloud3WaveMax", &cloud3WaveMax, 1, 0, 100},                       // 73
    {Kind::Float, "cloud4WaveInterval", &cloud4WaveInterval, 3, 0.05f, 3600},        // 74
    {Kind::Float, "cloud4Spacing", &cloud4Spacing, 1, 0, 3600},                      // 75
    {Kind::Float, "cloud4WaveMax", &cloud4WaveMax, 1, 0, 100},                       // 76
    {Kind::Bool, "particleEffects", &particleEffects, 1, 0, 1},                      // 77
    {Kind::None, nullptr, nullptr, 0, 0, 0},  // 78 (read, not used)
};

void Assign(const Line& line, float value) {
  switch (line.kind) {
    case Kind::Float:
      *static_cast<float*>(line.variable) = value;
      break;
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
    case Kind::Bool:
      *static_cast<bool*>(line.variable) = value >= 0.5f;
      break;
    case Kind::None:
      break;
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
    case Kind::Float:
      ref.asFloat = static_cast<float*>(l.variable);
      break;
    case Kind::Int:
      ref.asInt = static_cast<int*>(l.variable);
      break;
    case Kind::Bool:
      ref.asBool = static_cast<bool*>(l.variable);
      break;
    case Kind::None:
      break;
  }
  return ref;
}

void ResetGameValuesToBuiltIn() {
  for (const Line& line : kLines) Assign(line, line.builtIn);
}

std::vector<std::string> LoadGameValues(std::istream& in) {
  std::vector<std::string> problems;
  auto report = [&](int i, const std::string& what) {
    std::ostringstream text;
    text << "GameValues.txt line " << i << " (" << kLines[i].name << "): " << what;
    problems.push_back(text.str());
  };
  std::string text;
  for (int i = 0; i < GameValueLines; ++i) {
    const Line& line = kLines[i];
    const bool present = static_cast<bool>(std::getline(in, text));
    if (!line.name) continue;  // read and not used
    // The number starts the line; whatever follows it is a comment.
    std::istringstream fields(text);
    float value = 0;
    if (!present) {
      report(i, "missing; using the built-in " + Number(line.builtIn));
      value = line.builtIn;
    } else if (!(fields >> value) || !std::isfinite(value)) {
      report(i,
             "\"" + Shown(text) + "\" is not a number; using the built-in " + Number(line.builtIn));
      value = line.builtIn;
    } else if (value < line.low || value > line.high) {
      const float bound = value < line.low ? line.low : line.high;
      report(i, Number(value) + " is outside " + Number(line.low) + ".." + Number(line.high) +
                    "; using " + Number(bound));
      value = bound;
    }
    Assign(line, value);
  }
  return problems;
}

std::vector<std::string> LoadGameValues() {
  std::string bytes, why;
  if (!ReadRegularFile("GameValues.txt", kMaxFileBytes, &bytes, &why)) {
    const std::string problem = "GameValues.txt: " + why + "; keeping the values in use";
    std::cerr << problem << std::endl;
    return {problem};
  }
  std::istringstream in(bytes);
  std::vector<std::string> problems = LoadGameValues(in);
  for (const std::string& problem : problems) std::cerr << problem << std::endl;
  return problems;
}
