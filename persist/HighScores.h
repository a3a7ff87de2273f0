// The ten best scores with their players' names, the name entry and the table
// screen; read at start-up, written after each committed name and at shutdown.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class PlayerCloud;

class HighScores {
 public:
  HighScores(const std::string& namesFile, const std::string& pointsFile);
  HighScores(const HighScores&) = delete;
  HighScores& operator=(const HighScores&) = delete;
  ~HighScores();

  void Load();
  int PositionFor(int score);
  void SetSubject(PlayerCloud* cloud);
  void UpdateNameEntry();
  void CommitName();
  void RenderNameEntry();
  void RenderTable();
  // Replaces both files together; a failure keeps the old ones and goes to the
  // engine's log, standard error and a line on the table screen.
  void Save();

  std::string namesFile;
  std::string pointsFile;
  std::vector<std::string> names;
  std::vector<int32_t> points;
  PlayerCloud* subject = nullptr;
  std::string typedName;
  std::string saveProblem;  // why the last save failed; empty once one succeeds
};
