// Runs zarvo-sim on a script in a fresh copy of the game's data folder and
// returns what it printed. Each run gets its own folder, so runs can change
// tuning values and high scores without disturbing each other.
#pragma once

#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

struct SimResult {
  int exitCode = -1;
  std::vector<nlohmann::json> dumps;  // one per `dump` line
  std::string errors;                 // standard error
  std::string dir;                    // the run's data folder (kept until the process ends)
  long peakKb = 0;  // the largest resident size of any simulator run so far, in KiB
};

struct SimOptions {
  // Files written into the run's folder before the game starts (name -> content),
  // e.g. "GameValues.txt", "highscore_points.txt" or "Images/startmeny.png"
  // (a linked data folder becomes a folder of its own first). An empty name
  // list keeps the generated files.
  std::map<std::string, std::string> files;
  // Runs in the run's folder, after the files are written, before the game.
  std::function<void(const std::string& dir)> prepare;
  // Files removed from the run's folder before the game starts.
  std::vector<std::string> remove;
  std::string audioDriver = "dummy";
  std::string arguments;  // for the simulator's command line, e.g. "--replay FILE"
};

SimResult RunSimWith(const std::string& script, const SimOptions& options);

// The common case: the dumps of a script run with the generated data.
std::vector<nlohmann::json> RunSim(const std::string& script);

// The generated GameValues.txt with some lines replaced (line number -> value).
std::string GameValuesWith(const std::map<int, std::string>& lines);
