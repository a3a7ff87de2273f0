// The tuning values: program-wide variables filled from "GameValues.txt",
// one number per line, identified by line number (0..78).
#pragma once

#include <istream>
#include <string>
#include <vector>

extern float worldSpeed;           // 0
extern int grassHeight;            // 1
extern int groundHeight;           // 2
extern int screenWidth;            // 3
extern int screenHeight;           // 4
extern float rainDropInterval;     // 7
extern float rainDropSpeed;        // 8
extern float rainGravity;          // 9
extern float rainWind;             // 10
extern float treeWaveInterval;     // 11
extern float treeSpacing;          // 12
extern float treeWaveMax;          // 13
extern float turnCheckInterval;    // 14
extern float turnChance;           // 15
extern float walkSpeed;            // 16
extern float startEnergy;          // 17
extern float weakEnergyMax;        // 18
extern float smallEnergyMax;       // 19
extern float largeEnergyMin;       // 20
extern float fullDarkEnergy;       // 21
extern float smallAcceleration;    // 22
extern float mediumAcceleration;   // 23
extern float largeAcceleration;    // 24
extern float weakAcceleration;     // 25
extern float houseWaveInterval;    // 26
extern float houseSpacing;         // 27
extern float houseWaveMax;         // 28
extern float personWaveInterval;   // 29
extern float personSpacing;        // 30
extern float personWaveMax;        // 31
extern float mountainInterval;     // 35
extern float layer1WidthA;         // 37
extern float layer1WidthB;         // 38
extern float treeFrameTime;        // 39
extern int treeGrowthHits;         // 40
extern int treeExtinguishHits;     // 41
extern float walkFrameTime;        // 42
extern float cloudFrameTime;       // 43
extern int wetHitCount;            // 44
extern int energyCloudSpeed;       // 45
extern int rainHitPoints;          // 47
extern int smallTreeRainBonus;     // 50
extern int growingTreeRainPoints;  // 52
extern int fullTreeRainPoints;     // 54
extern int smallEnergyCloudGain;   // 57
extern int mediumEnergyCloudGain;  // 58
extern int largeEnergyCloudGain;   // 59
extern float energyDrainRate;      // 60
extern float rainDropEnergy;       // 61
extern float layer1Period;         // 36, then 62
extern float layer2Period;         // 63
extern float layer3Period;         // 64
extern float cloud1WaveInterval;   // 65
extern float cloud1Spacing;        // 66
extern float cloud1WaveMax;        // 67
extern float cloud2WaveInterval;   // 68
extern float cloud2Spacing;        // 69
extern float cloud2WaveMax;        // 70
extern float cloud3WaveInterval;   // 71
extern float cloud3Spacing;        // 72
extern float cloud3WaveMax;        // 73
extern float cloud4WaveInterval;   // 74
extern float cloud4Spacing;        // 75
extern float cloud4WaveMax;        // 76
extern bool particleEffects;       // 77

constexpr int GameValueLines = 79;

// Reads "GameValues.txt" from the working directory and returns what was
// wrong with it, one message a problem, also written to standard error. A
// line without a number keeps its built-in value, a value outside its line's
// range becomes the nearest bound. A file that cannot be read (missing, not a
// regular file, over 1 MiB) keeps the values the variables hold.
std::vector<std::string> LoadGameValues();
// The same from any stream (used by LoadGameValues and the tests), without
// writing the messages.
std::vector<std::string> LoadGameValues(std::istream& in);
// The variable fed by a line, for tools that show or set values by name; every
// pointer is null for a line without a variable, and exactly one is set otherwise.
struct GameValueRef {
  const char* name;
  float* asFloat;
  int* asInt;
  bool* asBool;
};
GameValueRef GameValueAt(int line);

// Puts every variable back to the value the program carries built in.
void ResetGameValuesToBuiltIn();
