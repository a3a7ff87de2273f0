// The high-score table: the ten best names and scores read from two text
// files at start-up, the table position a score would take, the three-letter
// name entry of a finished cloud, the two screens, and writing both files back.
#include "persist/HighScores.h"

#include <algorithm>
#include <iostream>

#include "config/GameValues.h"
#include "engine/Platform.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "game/Sheets.h"
#include "gfx/SpriteSheet.h"
#include "gfx/TextPrinter.h"
#include "objects/PlayerCloud.h"
#include "persist/TextFile.h"

namespace {
constexpr int kTableSize = 10;
constexpr int kNameLength = 3;

// The text the key pressed this frame adds to the name: a space while Space
// is held, else the key's name when it typed a character, else nothing.
std::string ReadKeyText() {
  const char* name = hge->Input_GetKeyName(hge->Input_GetKey());
  if (hge->Input_GetKeyState(HGEK_SPACE)) return " ";
  if (hge->Input_GetChar() != 0 && name) return name;
  return "";
}

}  // namespace

HighScores::HighScores(const std::string& names, const std::string& points)
    : namesFile(names), pointsFile(points) {
  Load();
}

HighScores::~HighScores() { delete subject; }

void HighScores::Load() {
  points.clear();
  names.clear();
  textFile.ReadLines(namesFile, names, kTableSize);
  std::vector<std::string> scoresStr;
  textFile.ReadLines(pointsFile, scoresStr, kTableSize);
  // A file that could not be read added nothing: its places are empty names
  // and zero scores, so both lists always hold the full table.
  while (names.size() < kTableSize) names.push_back("\n");
  for (int i = 0; i < kTableSize; ++i) {
    points.push_back(i < static_cast<int>(scoresStr.size()) ? TextFile::TextToInt(scoresStr[i])
                                                            : 0);
  }
}

int HighScores::PositionFor(int score) {
  for (int i = kTableSize - 1; i >= 0; --i) {
    if (score < points[i]) return i + 1;
  }
  return -1;
}

void HighScores::SetSubject(PlayerCloud* cloud) { subject = cloud; }

void HighScores::UpdateNameEntry() {
  if (hge->Input_GetKeyState(HGEK_BACKSPACE)) {
    if (!typedName.empty()) typedName.pop_back();
    return;
  }
  // The length is checked before the key's text is added, so a key whose name
  // has several letters can still take the name past three characters.
  if (typedName.size() < kNameLength) typedName += ReadKeyText();
}

void HighScores::CommitName() {
  if (!subject) {
    ShowErrorBox("No highscore subject");
    return;
  }
  const int index = std::max(PositionFor(subject->score), 0);
  names.insert(names.begin() + index, typedName + "\n");
  points.insert(points.begin() + index, subject->score);
  typedName.clear();
  delete subject;
  subject = nullptr;
  // Written at once as well as at exit, so that a committed name outlives a
  // crash and a failed save shows on the table screen while the player is there.
  Save();
}

void HighScores::RenderNameEntry() {
  const int w = screenWidth / 2, h = screenHeight / 2;
  textPrinter->Print(w, h - 50, "What is your name you brave cloud!", 2);
  textPrinter->Print(w, h, typedName, 2);
}

void HighScores::RenderTable() {
  if (blackCurtainSheet) {
    blackCurtainSheet->SetColor(0x9BFFFFFF);
    blackCurtainSheet->DrawFrame(hgeVector(0, 0), 0, 0, hgeVector(0, 0), hgeVector(1, 1));
  }
  const int w = screenWidth / 2, top = screenHeight / 5;
  textPrinter->Print(w, 900, "Press Space to return", 2);
  for (int i = 0; i < kTableSize; ++i) {
    const float y = static_cast<float>(top + 40 * i);
    textPrinter->Print(w - 100, y, names[i], 0);
    textPrinter->Print(w + 150, y, TextFile::IntToText(points[i]), 1);
  }
  if (!saveProblem.empty()) {
    textPrinter->Print(w, static_cast<float>(top + 40 * kTableSize + 20),
                       "The high scores could not be saved.", 2);
  }
}

void HighScores::Save() {
  std::vector<std::string> scoresStr;
  for (int i = 0; i < kTableSize; ++i) scoresStr.push_back(TextFile::IntToText(points[i]) + "\n");
  // Both files together: a save that fails keeps the old pair.
  saveProblem = textFile.WriteLines({{namesFile, names}, {pointsFile, scoresStr}});
  if (saveProblem.empty()) return;
  saveProblem = "Could not save the high scores to " + saveProblem;
  if (hge) hge->System_Log("%s", saveProblem.c_str());
  std::cerr << saveProblem << std::endl;
}
