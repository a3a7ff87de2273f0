// The tuning file loader: line numbering, types, failed reads, long lines.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "config/GameValues.h"

namespace {

// 79 lines, line i holding 1000 + i, except where replaced.
std::string File(const std::vector<std::pair<int, std::string>>& replaced = {}, int lines = 79) {
  std::vector<std::string> text;
  for (int i = 0; i < lines; ++i) text.push_back(std::to_string(1000 + i) + " value " + std::to_string(i));
  for (const auto& [line, content] : replaced) text[line] = content;
  std::string out;
  for (const std::string& line : text) out += line + "\n";
  return out;
}

void Load(const std::string& content) {
  ResetGameValuesToBuiltIn();
  std::istringstream in(content);
  LoadGameValues(in);
}

TEST(GameValues, EveryLineFeedsItsVariable) {
  Load(File());
  EXPECT_EQ(worldSpeed, 1000);
  EXPECT_EQ(screenWidth, 1003);
  EXPECT_EQ(screenHeight, 1004);
  EXPECT_FLOAT_EQ(rainDropInterval, 1007);
  EXPECT_FLOAT_EQ(mountainInterval, 1035);
  EXPECT_EQ(treeGrowthHits, 1040);
  EXPECT_EQ(rainHitPoints, 1047);
  EXPECT_FLOAT_EQ(rainDropEnergy, 1061);
  EXPECT_FLOAT_EQ(cloud4WaveMax, 1076);
  EXPECT_TRUE(particleEffects);
}

TEST(GameValues, CommentsAfterTheNumberAreSkipped) {
  Load(File({{0, "35 and some words"}}));
  EXPECT_EQ(worldSpeed, 35);
  EXPECT_EQ(grassHeight, 1001);
}

TEST(GameValues, TypesTruncateAndThreshold) {
  Load(File({{40, "2.9"}, {41, "-2.9"}, {77, "0.49"}}));
  EXPECT_EQ(treeGrowthHits, 2);
  EXPECT_EQ(treeExtinguishHits, -2);
  EXPECT_FALSE(particleEffects);
  Load(File({{77, "0.5"}}));
  EXPECT_TRUE(particleEffects);
}

TEST(GameValues, ExponentNotation) {
  Load(File({{0, "1e2"}}));
  EXPECT_EQ(worldSpeed, 100);
}

TEST(GameValues, EmptyLineShiftsLaterValuesUp) {
  Load(File({{10, ""}}));
  EXPECT_FLOAT_EQ(rainGravity, 1009);
  EXPECT_FLOAT_EQ(rainWind, 1011);  // line 11's number became entry 10
  EXPECT_FLOAT_EQ(treeWaveInterval, 1012);
}

TEST(GameValues, LayerPeriodComesFromLine62) {
  Load(File({{36, "5"}, {62, "77"}}));
  EXPECT_FLOAT_EQ(layer1Period, 77);
}

TEST(GameValues, FailedReadRepeatsTheLastGoodValue) {
  Load(File({{20, "not a number"}}));
  EXPECT_FLOAT_EQ(fullDarkEnergy, 1019);       // line 21: stream failed at line 20
  EXPECT_FLOAT_EQ(largeEnergyMin, 1019);
  EXPECT_FLOAT_EQ(cloud4WaveMax, 1019);
  EXPECT_TRUE(particleEffects);                 // 1019 >= 0.5
}

TEST(GameValues, ShortFilesLoad) {
  Load(File({}, 78));  // line 78 missing: no effect
  EXPECT_FLOAT_EQ(cloud4WaveMax, 1076);
  Load(File({}, 30));  // ends early: later entries repeat line 29
  EXPECT_FLOAT_EQ(personSpacing, 1029);
  EXPECT_FLOAT_EQ(cloud1WaveMax, 1029);
}

TEST(GameValues, LongCommentDoesNotShiftLaterLines) {
  Load(File({{5, "7 " + std::string(5000, 'x')}}));
  EXPECT_FLOAT_EQ(rainDropInterval, 1007);
  EXPECT_FLOAT_EQ(cloud4WaveMax, 1076);
}

TEST(GameValues, NoNumberOnFirstLineKeepsBuiltInValues) {
  Load("hello\n1\n2\n");
  EXPECT_EQ(worldSpeed, 35);
  EXPECT_EQ(screenWidth, 1024);
  EXPECT_FLOAT_EQ(layer1Period, 120);
  Load("");
  EXPECT_EQ(screenHeight, 768);
}

TEST(GameValues, WindowsLineEndsAndGarbage) {
  std::string crlf = File();
  for (size_t i = 0; (i = crlf.find('\n', i)) != std::string::npos; i += 2) crlf.insert(i, "\r");
  Load(crlf);
  EXPECT_FLOAT_EQ(cloud4WaveMax, 1076);
  const char garbage[] = "12\0\xff\xfe garbage\n";
  Load(std::string(garbage, sizeof garbage - 1) + File());
  EXPECT_EQ(worldSpeed, 12);
}

TEST(GameValues, MissingFileKeepsValues) {
  ResetGameValuesToBuiltIn();
  worldSpeed = 99;
  LoadGameValues();  // the test's working directory has no GameValues.txt
  EXPECT_EQ(worldSpeed, 99);
}

TEST(GameValues, NamesOfTheVariables) {
  EXPECT_STREQ(GameValueAt(0).name, "worldSpeed");
  EXPECT_EQ(GameValueAt(5).name, nullptr);
  EXPECT_STREQ(GameValueAt(77).name, "particleEffects");
  EXPECT_EQ(GameValueAt(79).name, nullptr);
}

}  // namespace
