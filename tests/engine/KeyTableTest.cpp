// Key names and codes: what name entry shows for a key, and the names the
// simulator's scripts use for keys, which must agree with hgeKeys.h.
#include <gtest/gtest.h>

#include <string>

#include "engine/Platform.h"
#include "engine/hge.h"

namespace {

TEST(KeyNames, EveryKeyHasAReadableNameThatReadsBackAndUnknownCodesAreQuestionMarks) {
  HGE* hge = hgeCreate(HGE_VERSION);
  for (char c : std::string("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"))
    EXPECT_EQ(hge->Input_GetKeyName(c), std::string(1, c));
  // clang-format off
  const std::pair<int, const char*> names[] = {
      {HGEK_SPACE, "Space"}, {HGEK_ENTER, "Enter"}, {HGEK_ESCAPE, "Escape"}, {HGEK_LEFT, "Left"},
      {HGEK_BACKSPACE, "Backspace"}, {HGEK_F1, "F1"}, {HGEK_F12, "F12"},
      {HGEK_NUMPAD0, "Numpad 0"}, {HGEK_NUMPAD9, "Numpad 9"},
      {0, "?"}, {0xFF, "?"}, {-5, "?"}, {100000, "?"}};
  // clang-format on
  for (const auto& [key, name] : names) EXPECT_STREQ(hge->Input_GetKeyName(key), name) << key;
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

TEST(KeyCodeFromName, ScriptNamesGiveVirtualKeyCodesAndUnknownNamesZero) {
  // Any case, spaces and underscores ignored, the key's own name or a common alias.
  // clang-format off
  const std::pair<const char*, int> codes[] = {
      {"A", 0x41}, {"z", 0x5A}, {"1", 0x31}, {"SPACE", HGEK_SPACE}, {"return", HGEK_ENTER},
      {"esc", HGEK_ESCAPE}, {"page_up", HGEK_PGUP}, {"LEFT", 0x25}, {"DOWN", 0x28}, {"f7", HGEK_F7},
      {"F12", 0x7B}, {"numpad 9", 0x69}, {"", 0}, {"F13", 0}, {"NUMPAD10", 0}, {"AA", 0}, {"?", 0}};
  // clang-format on
  for (const auto& [name, code] : codes) EXPECT_EQ(KeyCodeFromName(name), code) << name;
}

}  // namespace
