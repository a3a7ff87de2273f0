// The tuning file loader: line numbering, types, failed reads, long lines.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "config/GameValues.h"

namespace {

// 79 lines, line i holding 1000 + i, except where replaced.
std::string File(const std::map<int, std::string>& replaced = {}, int lines = 79) {
  std::string out;
  for (int i = 0; i < lines; ++i)
    out += (replaced.count(i) ? replaced.at(i) : std::to_string(1000 + i) + " value") + "\n";
  return out;
}

// The variable a line feeds, whatever its type.
float ValueOf(int line) {
  const GameValueRef ref = GameValueAt(line);
  return ref.asFloat ? *ref.asFloat : ref.asInt ? static_cast<float>(*ref.asInt) : *ref.asBool;
}

TEST(GameValues, EveryLineFeedsItsVariable) {
  std::istringstream in(File());
  LoadGameValues(in);
  EXPECT_EQ(
      (std::array{worldSpeed, rainDropInterval, mountainInterval, rainDropEnergy, cloud4WaveMax}),
      (std::array{1000.0f, 1007.0f, 1035.0f, 1061.0f, 1076.0f}));
  EXPECT_EQ((std::array{screenWidth, screenHeight, treeGrowthHits, rainHitPoints}),
            (std::array{1003, 1004, 1040, 1047}));
  EXPECT_TRUE(particleEffects);
}

TEST(GameValues, LineNumbersTypesAndBrokenFiles) {
  std::string crlf = File();
  for (size_t i = 0; (i = crlf.find('\n', i)) != std::string::npos; i += 2) crlf.insert(i, "\r");
  const char garbage[] = "12\0\xff\xfe garbage\n";
  // A file, and the values its lines give (line -> value of its variable).
  const std::pair<std::string, std::map<int, float>> rows[] = {
      {File({{0, "35 and some words"}}), {{0, 35}, {1, 1001}}},
      // Ints truncate toward zero; the flag is set from 0.5 on.
      {File({{40, "2.9"}, {41, "-2.9"}, {77, "0.49"}}), {{40, 2}, {41, -2}, {77, 0}}},
      {File({{77, "0.5"}}), {{77, 1}}},
      {File({{0, "1e2"}}), {{0, 100}}},
      // An empty line is skipped: line 11's number becomes entry 10.
      {File({{10, ""}}), {{9, 1009}, {10, 1011}, {11, 1012}}},
      {File({{36, "5"}, {62, "77"}}), {{36, 77}}},  // layer1Period: line 62 wins over 36
      // A failed read fails the stream: every later entry repeats the last good value.
      {File({{20, "not a number"}}), {{20, 1019}, {21, 1019}, {76, 1019}, {77, 1}}},
      {File({}, 78), {{76, 1076}}},              // line 78 missing: no effect
      {File({}, 30), {{30, 1029}, {67, 1029}}},  // ends early: later entries repeat line 29
      {File({{5, "7 " + std::string(5000, 'x')}}), {{7, 1007}, {76, 1076}}},  // long comment
      {crlf, {{76, 1076}}},
      {std::string(garbage, sizeof garbage - 1) + File(), {{0, 12}}},
      // No number on the first line: the built-in values stay.
      {"hello\n1\n2\n", {{0, 35}, {3, 1024}, {62, 120}}},
      {"", {{4, 768}}},
  };
  for (const auto& [file, expected] : rows) {
    ResetGameValuesToBuiltIn();
    std::istringstream in(file);
    LoadGameValues(in);
    for (auto [line, value] : expected)
      EXPECT_FLOAT_EQ(ValueOf(line), value) << "line " << line << " of " << file.substr(0, 60);
  }
}

TEST(GameValues, AMissingFileKeepsTheValuesHeld) {
  worldSpeed = 99;
  LoadGameValues();  // the test's working directory has no GameValues.txt
  EXPECT_EQ(worldSpeed, 99);
}

TEST(GameValues, NamesAndTypesOfTheVariables) {
  EXPECT_STREQ(GameValueAt(0).name, "worldSpeed");
  EXPECT_EQ(GameValueAt(0).asFloat, &worldSpeed);
  EXPECT_EQ(GameValueAt(40).asInt, &treeGrowthHits);
  EXPECT_STREQ(GameValueAt(77).name, "particleEffects");
  EXPECT_EQ(GameValueAt(77).asBool, &particleEffects);
  for (int line : {-1, 5, 78, 79}) EXPECT_EQ(GameValueAt(line).name, nullptr) << line;
}

}  // namespace
