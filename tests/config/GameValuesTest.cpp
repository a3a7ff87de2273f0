// The tuning file loader: line numbering, types, bounds, odd line ends, long lines.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

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

TEST(GameValues, EachLineFeedsItsVariableByTypeWithinItsBounds) {
  std::string crlf = File();
  for (size_t i = 0; (i = crlf.find('\n', i)) != std::string::npos; i += 2) crlf.insert(i, "\r");
  const char garbage[] = "12\0\xff\xfe garbage\n";
  // A file, and the values its lines give (line -> value of its variable).
  const std::pair<std::string, std::map<int, float>> rows[] = {
      // 1000 + i is beyond the top of lines 7, 61, 76 and 77: they take their bound.
      {File(), {{0, 1000}, {3, 1003}, {4, 1004}, {7, 60}, {35, 1035}}},
      {File(), {{40, 1040}, {47, 1047}, {61, 1000}, {76, 100}, {77, 1}}},
      {File({{0, "35 and some words"}}), {{0, 35}, {1, 1001}}},
      // Ints truncate toward zero; the flag is set from 0.5 on.
      {File({{40, "2.9"}, {47, "-2.9"}, {77, "0.49"}}), {{40, 2}, {47, -2}, {77, 0}}},
      {File({{77, "0.5"}}), {{77, 1}}},
      {File({{0, "1e2"}}), {{0, 100}}},
      {File({{36, "5"}, {62, "77"}}), {{36, 77}}},  // layer1Period: line 62 wins over 36
      {File({}, 78), {{75, 1075}}},                 // line 78 is not used
      {File({{5, "7 " + std::string(5000, 'x')}}), {{8, 1008}, {75, 1075}}},  // long comment
      {crlf, {{75, 1075}}},
      {std::string(garbage, sizeof garbage - 1) + File(), {{0, 12}, {1, 1000}}},
  };
  for (const auto& [file, expected] : rows) {
    ResetGameValuesToBuiltIn();
    std::istringstream in(file);
    LoadGameValues(in);
    for (auto [line, value] : expected)
      EXPECT_FLOAT_EQ(ValueOf(line), value) << "line " << line << " of " << file.substr(0, 60);
  }
  ResetGameValuesToBuiltIn();
  // Unused lines and lines beyond the file feed no variable.
  for (int line : {-1, 5, 78, 79}) EXPECT_EQ(GameValueAt(line).name, nullptr) << line;
}

TEST(GameValues, AMissingFileKeepsTheValuesHeld) {
  worldSpeed = 99;
  // The test's working directory has no GameValues.txt.
  EXPECT_EQ(LoadGameValues().size(), 1u);
  EXPECT_EQ(worldSpeed, 99);
}

}  // namespace
