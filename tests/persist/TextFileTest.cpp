// TextFile: reading a fixed number of lines from files that may be short,
// missing, saved on Windows, huge or not text at all; writing lists back; and
// the score <-> text conversions, including malformed and oversized numbers.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include "persist/TextFile.h"

namespace fs = std::filesystem;

namespace {

class TextFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("zarvo-textfile-" + std::to_string(getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string Write(const std::string& name, const std::string& bytes) {
    const fs::path path = dir / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }
  static std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  fs::path dir;
  TextFile file;
};

using Lines = std::vector<std::string>;

TEST_F(TextFileTest, ReadsEachLineWithItsLineBreak) {
  Lines list;
  file.ReadLines(Write("a.txt", "one\ntwo\nthree\n"), list, 3);
  EXPECT_EQ(list, (Lines{"one\n", "two\n", "three\n"}));
}

TEST_F(TextFileTest, AppendsToWhatTheListHolds) {
  Lines list{"old\n"};
  file.ReadLines(Write("a.txt", "new\n"), list, 1);
  EXPECT_EQ(list, (Lines{"old\n", "new\n"}));
}

TEST_F(TextFileTest, ShortFileGivesEmptyLinesUpToTheCount) {
  Lines list;
  file.ReadLines(Write("a.txt", "only\nlast-without-break"), list, 5);
  EXPECT_EQ(list, (Lines{"only\n", "last-without-break\n", "\n", "\n", "\n"}));
}

TEST_F(TextFileTest, EmptyFileGivesOnlyEmptyLines) {
  Lines list;
  file.ReadLines(Write("a.txt", ""), list, 3);
  EXPECT_EQ(list, (Lines{"\n", "\n", "\n"}));
}

TEST_F(TextFileTest, ReadsNoMoreThanTheCount) {
  Lines list;
  file.ReadLines(Write("a.txt", "1\n2\n3\n4\n"), list, 2);
  EXPECT_EQ(list, (Lines{"1\n", "2\n"}));
}

TEST_F(TextFileTest, WindowsLineEndsAreDropped) {
  Lines list;
  file.ReadLines(Write("a.txt", "ABC\r\n\r\nX\r"), list, 4);
  EXPECT_EQ(list, (Lines{"ABC\n", "\n", "X\n", "\n"}));
}

TEST_F(TextFileTest, MissingFileLeavesTheListAndSaysSo) {
  Lines list{"kept\n"};
  const std::string name = (dir / "nope.txt").string();
  ::testing::internal::CaptureStdout();
  file.ReadLines(name, list, 10);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "couldn't read the file: " + name + "\n");
  EXPECT_EQ(list, (Lines{"kept\n"}));
}

TEST_F(TextFileTest, VeryLongLineIsReadWhole) {
  const std::string longLine(200000, 'x');
  Lines list;
  file.ReadLines(Write("a.txt", longLine + "\nnext\n"), list, 2);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0], longLine + "\n");
  EXPECT_EQ(list[1], "next\n");
}

TEST_F(TextFileTest, BinaryGarbageIsReadAsBytes) {
  std::string garbage;
  for (int i = 0; i < 256; ++i) garbage += static_cast<char>(i);
  Lines list;
  file.ReadLines(Write("a.bin", garbage), list, 3);
  ASSERT_EQ(list.size(), 3u);
  // Bytes 0..9 (a NUL among them), then the rest after byte 10 ('\n'); no third line.
  EXPECT_EQ(list[0], garbage.substr(0, 10) + "\n");
  EXPECT_EQ(list[1], garbage.substr(11) + "\n");
  EXPECT_EQ(list[2], "\n");
  EXPECT_EQ(TextFile::TextToInt(list[1]), 0);
}

TEST_F(TextFileTest, WritesEveryStringUnchanged) {
  const std::string path = (dir / "out.txt").string();
  Write("out.txt", "old content that must go\n");
  file.WriteLines(path, {"a\n", "b", "c\n"});
  EXPECT_EQ(Slurp(path), "a\nbc\n");
}

TEST_F(TextFileTest, UnwritableFileSaysSo) {
  const std::string name = (dir / "no-such-dir" / "out.txt").string();
  ::testing::internal::CaptureStdout();
  file.WriteLines(name, {"x\n"});
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "couldn't write to file: " + name + "\n");
}

TEST(TextToIntTest, ReadsTheNumberAtTheStart) {
  EXPECT_EQ(TextFile::TextToInt("12abc"), 12);
  EXPECT_EQ(TextFile::TextToInt("500\n"), 500);
  EXPECT_EQ(TextFile::TextToInt("  \t-42 7"), -42);
  EXPECT_EQ(TextFile::TextToInt("+8"), 8);
  EXPECT_EQ(TextFile::TextToInt("007"), 7);
}

TEST(TextToIntTest, NothingNumericReadsZero) {
  EXPECT_EQ(TextFile::TextToInt(""), 0);
  EXPECT_EQ(TextFile::TextToInt("\n"), 0);
  EXPECT_EQ(TextFile::TextToInt("abc12"), 0);
  EXPECT_EQ(TextFile::TextToInt("-"), 0);
  EXPECT_EQ(TextFile::TextToInt("- 5"), 0);
  EXPECT_EQ(TextFile::TextToInt("1.9e3"), 1);
}

TEST(TextToIntTest, OversizedNumbersSaturate) {
  const int32_t max = std::numeric_limits<int32_t>::max();
  const int32_t min = std::numeric_limits<int32_t>::min();
  EXPECT_EQ(TextFile::TextToInt("2147483647"), max);
  EXPECT_EQ(TextFile::TextToInt("2147483648"), max);
  EXPECT_EQ(TextFile::TextToInt("-2147483648"), min);
  EXPECT_EQ(TextFile::TextToInt("-2147483649"), min);
  EXPECT_EQ(TextFile::TextToInt(std::string(5000, '9')), max);
  EXPECT_EQ(TextFile::TextToInt("-" + std::string(5000, '9')), min);
}

TEST(IntToTextTest, WritesPlainDecimal) {
  EXPECT_EQ(TextFile::IntToText(0), "0");
  EXPECT_EQ(TextFile::IntToText(1234567), "1234567");
  EXPECT_EQ(TextFile::IntToText(-35), "-35");
  const int32_t min = std::numeric_limits<int32_t>::min();
  EXPECT_EQ(TextFile::TextToInt(TextFile::IntToText(min)), min);
}

}  // namespace
