// Key names and codes: what name entry shows for a key, and the names the
// simulator's scripts use for keys, which must agree with hgeKeys.h.
#include <gtest/gtest.h>

#include <string>

#include "engine/Platform.h"
#include "engine/hge.h"

namespace {

class KeyNames : public ::testing::Test {
 protected:
  void SetUp() override { hge = hgeCreate(HGE_VERSION); }
  void TearDown() override { hge->Release(); }
  std::string Name(int key) { return hge->Input_GetKeyName(key); }
  HGE* hge = nullptr;
};

TEST_F(KeyNames, LettersAndDigitsNameThemselves) {
  for (int k = 'A'; k <= 'Z'; ++k) EXPECT_EQ(Name(k), std::string(1, static_cast<char>(k)));
  for (int k = '0'; k <= '9'; ++k) EXPECT_EQ(Name(k), std::string(1, static_cast<char>(k)));
}

TEST_F(KeyNames, OtherKeysHaveReadableNames) {
  EXPECT_EQ(Name(HGEK_SPACE), "Space");
  EXPECT_EQ(Name(HGEK_ENTER), "Enter");
  EXPECT_EQ(Name(HGEK_ESCAPE), "Escape");
  EXPECT_EQ(Name(HGEK_BACKSPACE), "Backspace");
  EXPECT_EQ(Name(HGEK_LEFT), "Left");
  EXPECT_EQ(Name(HGEK_F1), "F1");
  EXPECT_EQ(Name(HGEK_F12), "F12");
  EXPECT_EQ(Name(HGEK_NUMPAD0), "Numpad 0");
  EXPECT_EQ(Name(HGEK_NUMPAD9), "Numpad 9");
}

TEST_F(KeyNames, UnknownCodesAreQuestionMarks) {
  EXPECT_EQ(Name(0), "?");
  EXPECT_EQ(Name(0xFF), "?");
  EXPECT_EQ(Name(-5), "?");
  EXPECT_EQ(Name(100000), "?");
}

TEST(KeyCodeFromName, ScriptNamesGiveVirtualKeyCodes) {
  EXPECT_EQ(KeyCodeFromName("A"), 0x41);
  EXPECT_EQ(KeyCodeFromName("z"), 0x5A);
  EXPECT_EQ(KeyCodeFromName("1"), 0x31);
  EXPECT_EQ(KeyCodeFromName("SPACE"), HGEK_SPACE);
  EXPECT_EQ(KeyCodeFromName("Enter"), HGEK_ENTER);
  EXPECT_EQ(KeyCodeFromName("escape"), HGEK_ESCAPE);
  EXPECT_EQ(KeyCodeFromName("BACKSPACE"), HGEK_BACKSPACE);
  EXPECT_EQ(KeyCodeFromName("LEFT"), 0x25);
  EXPECT_EQ(KeyCodeFromName("UP"), 0x26);
  EXPECT_EQ(KeyCodeFromName("RIGHT"), 0x27);
  EXPECT_EQ(KeyCodeFromName("DOWN"), 0x28);
  EXPECT_EQ(KeyCodeFromName("F1"), 0x70);
  EXPECT_EQ(KeyCodeFromName("f7"), HGEK_F7);
  EXPECT_EQ(KeyCodeFromName("F12"), 0x7B);
  EXPECT_EQ(KeyCodeFromName("NUMPAD0"), 0x60);
  EXPECT_EQ(KeyCodeFromName("numpad9"), 0x69);
  EXPECT_EQ(KeyCodeFromName("TAB"), HGEK_TAB);
  EXPECT_EQ(KeyCodeFromName("SHIFT"), HGEK_SHIFT);
}

TEST(KeyCodeFromName, UnknownNamesGiveZero) {
  EXPECT_EQ(KeyCodeFromName(""), 0);
  EXPECT_EQ(KeyCodeFromName("F13"), 0);
  EXPECT_EQ(KeyCodeFromName("NUMPAD10"), 0);
  EXPECT_EQ(KeyCodeFromName("AA"), 0);
  EXPECT_EQ(KeyCodeFromName("?"), 0);
}

TEST(KeyCodeFromName, EveryNamedKeyRoundTrips) {
  HGE* hge = hgeCreate(HGE_VERSION);
  int named = 0;
  for (int key = 1; key < 256; ++key) {
    const std::string name = hge->Input_GetKeyName(key);
    if (name == "?") continue;
    ++named;
    EXPECT_EQ(KeyCodeFromName(name), key) << name;
  }
  EXPECT_GE(named, 26 + 10 + 10 + 12 + 4);
  hge->Release();
}

TEST(MapFileName, BackslashesBecomeSlashes) {
  EXPECT_EQ(MapFileName("Images\\x.png"), "Images/x.png");
  EXPECT_EQ(MapFileName("a\\b\\\\c"), "a/b//c");
  EXPECT_EQ(MapFileName("plain.txt"), "plain.txt");
  EXPECT_EQ(MapFileName(""), "");
  EXPECT_EQ(MapFileName(nullptr), "");
}

}  // namespace
