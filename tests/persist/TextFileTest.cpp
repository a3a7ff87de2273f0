// TextFile: reading a fixed number of lines from good, broken and missing
// files, and reading scores from text, broken numbers included.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "persist/TextFile.h"
#include "tests/HeadlessEngine.h"

namespace {

using Lines = std::vector<std::string>;

TEST(TextFileTest, ReadsTheCountOfLinesEachWithItsLineBreak) {
  const std::string path = TestFolder("textfile") + "/a.txt";
  std::string bytes;  // every byte value: NUL among the first ten, '\n' is byte 10
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
  const std::string longLine(200000, 'x');
  // A file, the count of lines asked for, and the lines read.
  const std::tuple<std::string, int, Lines> rows[] = {
      {"1\n2\n3\n4\n", 2, {"1\n", "2\n"}},
      {"only\nlast-without-break", 5, {"only\n", "last-without-break\n", "\n", "\n", "\n"}},
      {"", 3, {"\n", "\n", "\n"}},
      {"ABC\r\n\r\nX\r", 4, {"ABC\n", "\n", "X\n", "\n"}},  // Windows line ends are dropped
      {longLine + "\nnext\n", 2, {longLine + "\n", "next\n"}},
      {bytes, 3, {bytes.substr(0, 10) + "\n", bytes.substr(11) + "\n", "\n"}},
  };
  for (const auto& [text, count, expected] : rows) {
    std::ofstream(path, std::ios::binary) << text;
    Lines list{"old\n"};  // reading appends
    textFile.ReadLines(path, list, count);
    ASSERT_EQ(list.size(), expected.size() + 1) << text.substr(0, 20);
    EXPECT_EQ(Lines(list.begin() + 1, list.end()), expected) << text.substr(0, 20);
  }
}

TEST(TextFileTest, MissingOrUnwritableFilesSaySoAndAddNothing) {
  Lines list{"kept\n"};
  const std::string name = TestFolder("textfile") + "/no-such-dir/a.txt";
  ::testing::internal::CaptureStdout();
  textFile.ReadLines(name, list, 10);
  EXPECT_EQ(textFile.WriteLines({{name, {"x\n"}}}), name + ": No such file or directory");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "couldn't read the file: " + name + "\ncouldn't write to file: " + name + "\n");
  EXPECT_EQ(list, (Lines{"kept\n"}));
}

TEST(TextToIntTest, ReadsTheLeadingNumberLikeAtoiButSaturates) {
  const int32_t max = INT32_MAX, min = INT32_MIN;
  // clang-format off
  const std::pair<std::string, int32_t> rows[] = {
      {"12abc", 12}, {"  \t-42 7", -42}, {"\v\f\r\n 3", 3}, {"+80", 80}, {"", 0}, {"abc12", 0},
      {"-", 0}, {"- 5", 0}, {"\x01\x02\xff", 0}, {"2147483646", max - 1}, {"2147483648", max},
      {"-2147483647", min + 1}, {"-2147483649", min},
      {std::string(5000, '9'), max}, {"-" + std::string(5000, '9'), min}};
  // clang-format on
  for (const auto& [text, value] : rows) EXPECT_EQ(TextFile::TextToInt(text), value) << text;
}

}  // namespace
