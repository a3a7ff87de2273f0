// Script pieces shared by the player-cloud, rain and lightning scenarios: a
// quiet world (no energy clouds, mountains or drain) with known tuning values,
// clouds joined at known places, and small readers for the dumps.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/SimRunner.h"

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

// One simulator run shared by several tests: the script is built from named
// parts, and each test reads the dumps its part made. Starting the game is
// the slow step, so related situations are played one after the other.
class SharedRun {
 public:
  SharedRun& Add(const std::string& text) {
    script_ += text;
    return *this;
  }
  // Starts a part; its dumps are those made by the text added after it.
  SharedRun& Part(const std::string& name) {
    starts_[name] = CountDumps();
    order_.push_back(name);
    return *this;
  }
  // Runs the script once, on first use.
  const std::vector<nlohmann::json>& Dumps(const std::string& part) {
    if (!ran_) {
      ran_ = true;
      result_ = RunSimWith(script_, options);
      // Reported by the first test that reads the run; sanitizer faults end it non-zero.
      EXPECT_EQ(result_.exitCode, 0) << result_.errors;
      ends_.clear();
      for (size_t i = 0; i < order_.size(); ++i) {
        ends_[order_[i]] = i + 1 < order_.size() ? starts_[order_[i + 1]] : result_.dumps.size();
      }
      for (const std::string& name : order_) {
        const size_t from = std::min(starts_[name], result_.dumps.size());
        const size_t to = std::min(ends_[name], result_.dumps.size());
        parts_[name].assign(result_.dumps.begin() + from, result_.dumps.begin() + to);
      }
    }
    return parts_[part];
  }
  const SimResult& Result() const { return result_; }

  SimOptions options;

 private:
  size_t CountDumps() const {
    std::istringstream lines(script_);
    size_t n = 0;
    for (std::string line; std::getline(lines, line);) n += line == "dump";
    return n;
  }

  std::string script_;
  bool ran_ = false;
  SimResult result_;
  std::vector<std::string> order_;
  std::map<std::string, size_t> starts_, ends_;
  std::map<std::string, std::vector<nlohmann::json>> parts_;
};

// A high-score table that a score of 0 never enters, so that a cloud that dies
// simply leaves the game.
inline SimOptions UnreachableHighScores() {
  SimOptions o;
  std::string names, points;
  for (int i = 0; i < 10; ++i) {
    names += "ZZZ\n";
    points += std::to_string(5000 - 500 * i) + "\n";
  }
  o.files["highscore_names.txt"] = names;
  o.files["highscore_points.txt"] = points;
  return o;
}

}  // namespace cloudscenario
