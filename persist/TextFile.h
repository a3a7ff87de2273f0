// Line-based reading and writing of the small text files the game keeps beside
// the program (the high-score table), and the number <-> text conversions
// used for them. One global instance exists for the whole run.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class TextFile {
 public:
  // Appends `count` lines of the file to `list`, each followed by "\n"; lines
  // past the end of the file come out empty. A line's trailing '\r' (a file
  // saved on Windows) is dropped. A file that does not open, or is not a
  // regular file of at most 16 MiB, leaves the list alone and says so on the
  // standard output.
  void ReadLines(const std::string& fileName, std::vector<std::string>& list, int count);
  // A file's name and the strings that make it up.
  using LinesOfFile = std::pair<std::string, std::vector<std::string>>;
  // Writes every file, each string of its list as it is, all files together:
  // no file is replaced before every new one is complete on disk, so a failure
  // leaves the old files as they were. Returns the failing file and why
  // ("name: reason"), saying so on the standard output, or an empty string.
  std::string WriteLines(const std::vector<LinesOfFile>& files);

  static std::string IntToText(int32_t value);
  // The number at the start of the text as atoi reads it (leading white space,
  // an optional sign, then digits; anything else gives 0), held to the range
  // of a 32-bit int instead of overflowing.
  static int32_t TextToInt(const std::string& text);

  std::string buffer;  // the line being read
};

extern TextFile textFile;
