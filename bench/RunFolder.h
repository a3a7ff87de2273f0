// A private copy of the generated game data to run the game in: folders and
// large files are linked, the small text files the game may write (the high
// scores) are copied, so a run never changes the generated data. The process
// works in the folder while the object lives; the folder is removed after.
#pragma once

#include <string>

class RunFolder {
 public:
  RunFolder();
  ~RunFolder();
  RunFolder(const RunFolder&) = delete;
  RunFolder& operator=(const RunFolder&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::string previous_;  // the working folder before
};
