// TextFile: reading a fixed number of lines from good and broken files, writing
// lists back, and the score <-> text conversions, broken numbers included.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "persist/TextFile.h"
#include "tests/HeadlessEngine.h"

namespace {

using Lines = std::vector<std::string>;

class TextFileTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& bytes) {
    std::ofstream(dir + "/a.txt", std::ios::binary) << bytes;
    return dir + "/a.txt";
  }
  std::string dir = TestFolder("textfile");
  TextFile file;
};

TEST_F(TextFileTest, ReadsTheCountOfLinesEachWithItsLineBreak) {
  std::string bytes;  // every byte value: NUL among the first ten, '\n' is byte 10
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
  const std::string longLine(200000, 'x');
  // A file, the count of lines asked for, and the lines read.
  const std::tuple<std::string, int, Lines> rows[] = {
      {"one\ntwo\nthree\n", 3, {"one\n", "two\n", "three\n"}},
      {"1\n2\n3\n4\n", 2, {"1\n", "2\n"}},
      {"only\nlast-without-break", 5, {"only\n", "last-without-break\n", "\n", "\n", "\n"}},
      {"", 3, {"\n", "\n", "\n"}},
      {"ABC\r\n\r\nX\r", 4, {"ABC\n", "\n", "X\n", "\n"}},  // Windows line ends are dropped
      {longLine + "\nnext\n", 2, {longLine + "\n", "next\n"}},
      {bytes, 3, {bytes.substr(0, 10) + "\n", bytes.substr(11) + "\n", "\n"}},
  };
  for (const auto& [text, count, expected] : rows) {
    Lines list{"old\n"};  // reading appends
    file.ReadLines(Write(text), list, count);
    ASSERT_EQ(list.size(), expected.size() + 1) << text.substr(0, 20);
    EXPECT_EQ(Lines(list.begin() + 1, list.end()), expected) << text.substr(0, 20);
  }
}

TEST_F(TextFileTest, WritesEveryStringUnchangedOverWhatWasThere) {
  file.WriteLines(Write("old content that must go\n"), {"a\n", "b", "c\n"});
  std::stringstream written;
  written << std::ifstream(dir + "/a.txt", std::ios::binary).rdbuf();
  EXPECT_EQ(written.str(), "a\nbc\n");
}

TEST_F(TextFileTest, MissingOrUnwritableFilesSaySo) {
  Lines list{"kept\n"};
  const std::string name = dir + "/no-such-dir/a.txt";
  ::testing::internal::CaptureStdout();
  file.ReadLines(name, list, 10);
  file.WriteLines(name, {"x\n"});
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "couldn't read the file: " + name + "\ncouldn't write to file: " + name + "\n");
  EXPECT_EQ(list, (Lines{"kept\n"}));
}

TEST(TextToIntTest, ReadsTheLeadingNumberLikeAtoiButSaturates) {
  const int32_t max = INT32_MAX, min = INT32_MIN;
  // clang-format off
  const std::pair<std::string, int32_t> rows[] = {
      {"12abc", 12}, {"500\n", 500}, {"  \t-42 7", -42}, {"\v\f\r\n 3", 3}, {"+8", 8}, {"007", 7},
      {"1.9e3", 1}, {"", 0}, {"\n", 0}, {"abc12", 0}, {"-", 0}, {"- 5", 0}, {"\x01\x02\xff", 0},
      {"2147483646", max - 1}, {"2147483648", max}, {"-2147483647", min + 1}, {"-2147483649", min},
      {std::string(5000, '9'), max}, {"-" + std::string(5000, '9'), min}};
  // clang-format on
  for (const auto& [text, value] : rows) EXPECT_EQ(TextFile::TextToInt(text), value) << text;
}

TEST(IntToTextTest, WritesPlainDecimal) {
  for (auto [value, text] :
       {std::pair{0, "0"}, {1234567, "1234567"}, {-35, "-35"}, {INT32_MIN, "-2147483648"}})
    EXPECT_EQ(TextFile::IntToText(value), text);
}

}  // namespace
