// Pieces shared by the objects' scenario tests: a quiet world, players joined at
// known places, one simulator run split into named parts, and a table checker
// for the dumps. Scripts here put ';' between commands, turned into lines.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "tests/SimRunner.h"

namespace cloudscenario {

using nlohmann::json;
using Dumps = std::vector<json>;

// Start-up, known tuning values, nothing spawning, and the game in play.
inline std::string QuietWorld() {
  std::string s = "seed 7; start;";
  for (const char* v : {"energyDrainRate 0", "rainDropEnergy 1", "smallEnergyCloudGain 10",
                        "mediumEnergyCloudGain 20", "largeEnergyCloudGain 30", "weakEnergyMax 10",
                        "smallEnergyMax 30", "largeEnergyMin 60", "startEnergy 20",
                        "weakAcceleration 400", "smallAcceleration 500", "mediumAcceleration 300",
                        "largeAcceleration 200", "cloudFrameTime 0.1", "rainDropInterval 0.02",
                        "rainDropSpeed 5", "rainGravity 100", "rainWind -10", "groundHeight 100"})
    s += std::string("set ") + v + ";";
  for (const char* w : {"cloud1Wave", "cloud2Wave", "cloud3Wave", "cloud4Wave", "mountain",
                        "treeWave", "houseWave", "personWave"})
    s += std::string("set ") + w + "Interval 1000000;";
  return s + "set GameState 1;";
}

// Player 1 joins with Space; its cloud stands at (200, 200), Small, 150 x 80.
inline std::string JoinPlayer1() { return "press SPACE; frames 1; set player1.velocity 0 0;"; }

// Both players join. Player 2's join key is also its rain key, so the drop of
// the join frame is swept away and the energies are put back to 20.
inline std::string JoinBoth() {
  return "hold SPACE NUMPAD0; frames 1; release all; set rain.drops clear; frames 1;"
         "set player1.energy 20; set player2.energy 20;"
         "set player1.velocity 0 0; set player2.velocity 0 0;";
}

// n frames of the given length, with a dump after each.
inline std::string DumpEachFrame(int n, const std::string& dt) {
  std::string s;
  for (int i = 0; i < n; ++i) s += ";frames 1 " + dt + "; dump;";
  return s;
}

inline Dumps RunScript(std::string script, const SimOptions& options = {}) {
  std::replace(script.begin(), script.end(), ';', '\n');
  const SimResult r = RunSimWith(script + "\n", options);
  EXPECT_EQ(r.exitCode, 0) << r.errors;
  return r.dumps;
}

inline float F(const json& value) { return value.get<float>(); }

// How often one dump, or a run of them, made a sound call.
inline int Sounds(const json& dump, const std::string& call) {
  return static_cast<int>(std::count(dump["sounds"].begin(), dump["sounds"].end(), call));
}
inline int Sounds(const Dumps& dumps, const std::string& call) {
  int n = 0;
  for (const json& d : dumps) n += Sounds(d, call);
  return n;
}

// Numbers match to a thousandth, arrays element by element.
inline bool Same(const json& a, const json& b) {
  if (a.is_number() && b.is_number()) return std::fabs(a.get<double>() - b.get<double>()) < 1e-3;
  if (!a.is_array() || !b.is_array() || a.size() != b.size()) return a == b;
  return std::equal(a.begin(), a.end(), b.begin(), Same);
}

// Checks a table of rows {at, path, value}: dump `at` holds `value` at `path`,
// a JSON pointer under the prefix unless it starts with '/'; "sound:CALL"
// stands for how often that dump made the sound call.
//   Expect(dumps) = {{0, "energy", 47}, {1, "/rain/dropCount", 0}};
using Want = std::tuple<size_t, std::string, json>;
struct Expectations {
  Expectations(const Dumps& dumps, const std::string& under) : d(dumps), prefix(under) {}
  const Dumps& d;
  const std::string prefix;
  void operator=(std::initializer_list<Want> wants) const {
    for (const auto& [at, path, value] : wants) {
      const json got =
          at >= d.size() ? json("no such dump")
          : path.rfind("sound:", 0) == 0
              ? json(Sounds(d[at], path.substr(6)))
              : d[at].value(json::json_pointer(path[0] == '/' ? path : prefix + path), json());
      EXPECT_TRUE(Same(got, value))
          << "dump " << at << ", " << path << ": " << got << " is not " << value;
    }
  }
};
inline Expectations Expect(const Dumps& d, std::string prefix = "/player1/") { return {d, prefix}; }

// The values at one path through dumps [from, to).
inline json Series(const Dumps& d, const std::string& path, size_t from = 0, size_t to = 1000000) {
  json out = json::array();
  for (size_t i = from; i < std::min(to, d.size()); ++i)
    out.push_back(d[i].value(json::json_pointer(path), json()));
  return out;
}

// One simulator run shared by several tests, built of named parts: a part's
// dumps are those made by the text added after it, which follows `reset`:
//   run.Part("braking") << "hold D; frames 1; dump";
// The game runs once, when first read.
class SharedRun {
 public:
  explicit SharedRun(std::string start, SimOptions options = {})
      : script_(std::move(start)), options_(std::move(options)) {}
  SharedRun& operator<<(const std::string& text) {
    script_ += ";" + text;
    return *this;
  }
  SharedRun& Part(const std::string& name) {
    size_t dumps = 0;  // no other command or name holds the word
    for (size_t at = script_.find("dump"); at != std::string::npos;
         at = script_.find("dump", at + 1))
      ++dumps;
    starts_.emplace_back(name, dumps);
    return *this << reset;
  }
  const Dumps& operator[](const std::string& part) {
    if (parts_.empty()) {
      const Dumps all = RunScript(script_, options_);
      starts_.emplace_back("", all.size());
      for (size_t i = 0; i + 1 < starts_.size(); ++i)
        parts_[starts_[i].first].assign(all.begin() + std::min(starts_[i].second, all.size()),
                                        all.begin() + std::min(starts_[i + 1].second, all.size()));
    }
    return parts_[part];
  }
  std::string reset;

 private:
  std::string script_;
  SimOptions options_;
  std::vector<std::pair<std::string, size_t>> starts_;
  std::map<std::string, Dumps> parts_;
};

}  // namespace cloudscenario
