// The tuning file loader: line numbering, types, bad lines, long lines.
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

// Line i holds 1000 + i: where that is outside the line's range, the bound is
// taken and the message names the line's own variable.
TEST(GameValues, EveryLineFeedsItsVariable) {
  std::istringstream in(File());
  const std::vector<std::string> problems = LoadGameValues(in);
  EXPECT_EQ(
      (std::array{worldSpeed, rainDropInterval, mountainInterval, rainDropEnergy, cloud4WaveMax}),
      (std::array{1000.0f, 60.0f, 1035.0f, 1000.0f, 100.0f}));
  EXPECT_EQ((std::array{screenWidth, screenHeight, treeGrowthHits, rainHitPoints}),
            (std::array{1003, 1004, 1040, 1047}));
  EXPECT_TRUE(particleEffects);
  ASSERT_FALSE(problems.empty());
  EXPECT_EQ(problems[0],
            "GameValues.txt line 7 (rainDropInterval): 1007 is outside 0.001..60; using 60");
}

TEST(GameValues, LineNumbersTypesAndBrokenFiles) {
  std::string crlf = File();
  for (size_t i = 0; (i = crlf.find('\n', i)) != std::string::npos; i += 2) crlf.insert(i, "\r");
  const char garbage[] = "12\0\xff\xfe garbage\n";
  // A file, and the values its lines give (line -> value of its variable).
  const std::pair<std::string, std::map<int, float>> rows[] = {
      {File({{0, "35 and some words"}}), {{0, 35}, {1, 1001}}},
      // Ints truncate toward zero; the flag is set from 0.5 on.
      {File({{40, "2.9"}, {47, "-2.9"}, {77, "0.49"}}), {{40, 2}, {47, -2}, {77, 0}}},
      {File({{77, "0.5"}}), {{77, 1}}},
      {File({{0, "1e2"}}), {{0, 100}}},
      // An empty line keeps its built-in value and shifts nothing.
      {File({{10, ""}}), {{9, 1009}, {10, -10}, {11, 1011}}},
      {File({{36, "5"}, {62, "77"}}), {{36, 77}}},  // layer1Period: line 62 wins over 36
      {File({}, 78), {{75, 1075}}},                 // line 78 is not used
      {File({{5, "7 " + std::string(5000, 'x')}}), {{8, 1008}, {75, 1075}}},  // long comment
      {crlf, {{75, 1075}}},
      {std::string(garbage, sizeof garbage - 1) + File(), {{0, 12}, {1, 1000}}},
      // Without a number a line keeps its built-in value; missing lines too.
      {"hello\n1\n2\n", {{0, 35}, {1, 1}, {3, 1024}, {62, 120}}},
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
  // The test's working directory has no GameValues.txt.
  EXPECT_EQ(LoadGameValues().size(), 1u);
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
