// Reading and writing the high-score files one line at a time, and the
// conversions between scores and their decimal text.
#include "persist/TextFile.h"

#include <errno.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <limits>
#include <sstream>

#include "engine/Platform.h"

TextFile textFile;

namespace {
// Ten names of 100,000 characters each still load whole.
constexpr size_t kMaxFileBytes = size_t{16} << 20;
}  // namespace

void TextFile::ReadLines(const std::string& fileName, std::vector<std::string>& list, int count) {
  std::string bytes, why;
  if (!ReadRegularFile(fileName.c_str(), kMaxFileBytes, &bytes, &why)) {
    std::cout << "couldn't read the file: " << fileName << std::endl;
    // A file that is there but refused (a FIFO, a device, too large) says why.
    if (why != strerror(ENOENT)) std::cerr << fileName << ": " << why << std::endl;
    return;
  }
  size_t pos = 0;
  for (int i = 0; i < count; ++i) {
    // Lines past the end of the file read as empty lines.
    size_t end = bytes.find('\n', pos);
    if (end == std::string::npos) end = bytes.size();
    buffer.assign(bytes, std::min(pos, bytes.size()), end - std::min(pos, end));
    pos = end + 1;
    if (!buffer.empty() && buffer.back() == '\r') buffer.pop_back();
    buffer += '\n';
    list.push_back(buffer);
  }
}

std::string TextFile::WriteLines(const std::vector<LinesOfFile>& files) {
  std::vector<FileContent> contents;
  for (const auto& [fileName, list] : files) {
    contents.push_back({fileName, {}});
    for (const std::string& line : list) contents.back().bytes += line;
  }
  std::string failed, why;
  if (ReplaceFiles(contents, &failed, &why)) return {};
  std::cout << "couldn't write to file: " << failed << std::endl;
  return failed + ": " + why;
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
