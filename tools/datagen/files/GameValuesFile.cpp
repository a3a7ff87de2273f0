// The shipped "GameValues.txt": 79 lines, one value each, followed by a short
// comment naming it (the game reads the number and skips the rest of the line).
// Lines without an effect keep their place with a 0 so the numbering holds.
#include <fstream>
#include <stdexcept>
#include <string>

#include "tools/datagen/Generators.h"

namespace {

struct Line {
  const char* value;
  const char* comment;
};

// Lines 47-61 are the balance of energy and points; the reasoning is in the README.
constexpr Line kLines[] = {
    {"35", "worldSpeed (px/s; the play rewrites it from the scores)"},  // 0
    {"286", "grassHeight"},
    {"100", "groundHeight"},
    {"1024", "screenWidth"},
    {"768", "screenHeight"},
    {"0", "unused"},  // 5
    {"0", "unused"},
    {"0.02", "rainDropInterval"},
    {"5", "rainDropSpeed"},
    {"100", "rainGravity"},
    {"-10", "rainWind"},  // 10
    {"5", "treeWaveInterval"},
    {"1", "treeSpacing"},
    {"4", "treeWaveMax"},
    {"2", "turnCheckInterval"},
    {"0.2", "turnChance"},  // 15
    {"40", "walkSpeed"},
    {"30", "startEnergy"},
    {"10", "weakEnergyMax"},
    {"30", "smallEnergyMax"},
    {"60", "largeEnergyMin"},  // 20
    {"100", "fullDarkEnergy"},
    {"500", "smallAcceleration"},
    {"300", "mediumAcceleration"},
    {"200", "largeAcceleration"},
    {"400", "weakAcceleration"},  // 25
    {"11.5", "houseWaveInterval"},
    {"2", "houseSpacing"},
    {"2", "houseWaveMax"},
    {"8", "personWaveInterval"},
    {"1", "personSpacing"},  // 30
    {"3", "personWaveMax"},
    {"8", "unused"},
    {"1", "unused"},
    {"3", "unused"},
    {"40", "mountainInterval"},  // 35
    {"120", "unused (layer1Period is line 62)"},
    {"7087", "layer1WidthA"},
    {"3088", "layer1WidthB"},
    {"0.05", "treeFrameTime"},
    {"100", "treeGrowthHits"},  // 40
    {"70", "treeExtinguishHits"},
    {"0.1", "walkFrameTime"},
    {"0.15", "cloudFrameTime"},
    {"15", "wetHitCount"},
    {"50", "energyCloudSpeed"},  // 45
    {"0", "unused"},
    {"2", "rainHitPoints (per drop on a person or sheep)"},
    {"0", "unused"},
    {"0", "unused"},
    {"1", "smallTreeRainBonus"},  // 50
    {"0", "unused"},
    {"1", "growingTreeRainPoints"},
    {"0", "unused"},
    {"1", "fullTreeRainPoints"},
    {"0", "unused"},  // 55
    {"0", "unused"},
    {"5", "smallEnergyCloudGain"},
    {"10", "mediumEnergyCloudGain"},
    {"15", "largeEnergyCloudGain"},
    {"0.6", "energyDrainRate (per second)"},  // 60
    {"0.05", "rainDropEnergy (per drop)"},
    {"120", "layer1Period"},
    {"140", "layer2Period"},
    {"20", "layer3Period"},
    {"3", "cloud1WaveInterval"},  // 65
    {"1", "cloud1Spacing"},
    {"1", "cloud1WaveMax"},
    {"3", "cloud2WaveInterval"},
    {"1", "cloud2Spacing"},
    {"1", "cloud2WaveMax"},  // 70
    {"3", "cloud3WaveInterval"},
    {"1", "cloud3Spacing"},
    {"1", "cloud3WaveMax"},
    {"3", "cloud4WaveInterval"},
    {"1", "cloud4Spacing"},  // 75
    {"1", "cloud4WaveMax"},
    {"1", "particleEffects"},
    {"0", "unused"},  // 78
};

static_assert(sizeof kLines / sizeof kLines[0] == 79, "the tuning file has lines 0 to 78");

}  // namespace

void GenerateGameValues(const Output& out) {
  const std::string path = DataPath(out.dataDir, "GameValues.txt");
  std::ofstream file(path, std::ios::binary);
  for (const Line& line : kLines) file << line.value << " " << line.comment << "\n";
  if (!file) throw std::runtime_error("cannot write " + path);
}
