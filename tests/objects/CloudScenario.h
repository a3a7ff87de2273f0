// Script pieces shared by the player-cloud, rain and lightning scenarios: a
// quiet world (no energy clouds, mountains or drain) with known tuning values,
// clouds joined at known places, and small readers for the dumps.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace cloudscenario {

// Start-up, known tuning values, nothing spawning, and the game in play.
inline std::string QuietWorld() {
  return R"(seed 7
start
set energyDrainRate 0
set rainDropEnergy 1
set smallEnergyCloudGain 10
set mediumEnergyCloudGain 20
set largeEnergyCloudGain 30
set weakEnergyMax 10
set smallEnergyMax 30
set largeEnergyMin 60
set startEnergy 20
set weakAcceleration 400
set smallAcceleration 500
set mediumAcceleration 300
set largeAcceleration 200
set cloudFrameTime 0.1
set rainDropInterval 0.02
set rainDropSpeed 5
set rainGravity 100
set rainWind -10
set groundHeight 100
set cloud1WaveInterval 1000000
set cloud2WaveInterval 1000000
set cloud3WaveInterval 1000000
set cloud4WaveInterval 1000000
set mountainInterval 1000000
set treeWaveInterval 1000000
set houseWaveInterval 1000000
set personWaveInterval 1000000
set GameState 1
)";
}

// Player 1 joins with Space; its cloud stands at (200, 200), Small, 150 x 80.
inline std::string JoinPlayer1() { return "press SPACE\nframes 1\nset player1.velocity 0 0\n"; }

// Both players join. Player 2's join key is also its rain key, so the drop of
// the join frame is swept away and the energies are put back to 20.
inline std::string JoinBoth() {
  return "hold SPACE NUMPAD0\nframes 1\nrelease all\nset rain.drops clear\nframes 1\n"
         "set player1.energy 20\nset player2.energy 20\n"
         "set player1.velocity 0 0\nset player2.velocity 0 0\n";
}

// n frames of the given length, with a dump after each.
inline std::string DumpEachFrame(int n, const std::string& dt) {
  std::string s;
  for (int i = 0; i < n; ++i) s += "frames 1 " + dt + "\ndump\n";
  return s;
}

inline bool HasSound(const nlohmann::json& dump, const std::string& call) {
  for (const auto& s : dump["sounds"])
    if (s == call) return true;
  return false;
}

inline int CountSound(const std::vector<nlohmann::json>& dumps, const std::string& call) {
  int n = 0;
  for (const auto& d : dumps)
    for (const auto& s : d["sounds"])
      if (s == call) ++n;
  return n;
}

inline float F(const nlohmann::json& value) { return value.get<float>(); }

}  // namespace cloudscenario
