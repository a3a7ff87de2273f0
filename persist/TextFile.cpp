// Reading and writing the high-score files one line at a time, and the
// conversions between scores and their decimal text.
#include "persist/TextFile.h"

#include <cstdint>
#include <fstream>
#include <iostream>
#include <limits>
#include <sstream>

TextFile textFile;

void TextFile::ReadLines(const std::string& fileName, std::vector<std::string>& list, int count) {
  std::ifstream in(fileName);
  if (!in.is_open()) {
    std::cout << "couldn't read the file: " << fileName << std::endl;
    return;
  }
  for (int i = 0; i < count; ++i) {
    // getline leaves the buffer untouched once the stream has failed, so
    // start every line empty: lines past the end read as empty lines.
    buffer.clear();
    std::getline(in, buffer);
    if (!buffer.empty() && buffer.back() == '\r') buffer.pop_back();
    buffer += '\n';
    list.push_back(buffer);
  }
}

void TextFile::WriteLines(const std::string& fileName, const std::vector<std::string>& list) {
  std::ofstream out(fileName, std::ios::out | std::ios::trunc);
  if (!out.is_open()) {
    std::cout << "couldn't write to file: " << fileName << std::endl;
    return;
  }
  for (const std::string& line : list) out << line;
}

std::string TextFile::IntToText(int32_t value) {
  std::ostringstream out;
  out << value;
  return out.str();
}

int32_t TextFile::TextToInt(const std::string& text) {
  size_t i = 0;
  const size_t n = text.size();
  auto isSpace = [](char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
  };
  while (i < n && isSpace(text[i])) ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Accumulate the magnitude in 64 bits and stop growing it once it is past
  // any 32-bit value, so very long digit runs saturate instead of overflowing.
  const int64_t limit = static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1;
  int64_t magnitude = 0;
  for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (magnitude <= limit) magnitude = magnitude * 10 + (text[i] - '0');
  }
  if (negative) {
    return magnitude >= limit ? std::numeric_limits<int32_t>::min()
                              : static_cast<int32_t>(-magnitude);
  }
  return magnitude >= limit ? std::numeric_limits<int32_t>::max() : static_cast<int32_t>(magnitude);
}
