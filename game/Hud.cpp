// The heads-up display drawn over the world in every state: each present
// cloud's energy gauge, rank badge and lightning charges in its own top corner
// (player 2 placed from the right edge), the scores or join prompts, "Pause"
// and the frame statistics. Keeping each cloud's rank current happens here.
#include "game/Hud.h"

#include <algorithm>
#include <limits>
#include <sstream>

#include "config/GameValues.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "game/Sheets.h"
#include "gfx/SpriteSheet.h"
#include "gfx/TextPrinter.h"
#include "objects/Lightning.h"
#include "objects/PlayerCloud.h"
#include "persist/HighScores.h"
#include "sound/SoundBank.h"

namespace {

constexpr int kMaxChargesShown = 10;
const hgeVector kScale(1, 1);

// Rank = table position + 1: 0 for the leader, 2..10 in the table, 11 outside.
// Any change, up or down, is announced.
int UpdateRank(PlayerCloud& cloud) {
  const int rank = highScores->PositionFor(cloud.score) + 1;
  if (rank != cloud.rank) {
    soundBank->Play("GainRank");
    cloud.rank = rank;
  }
  return rank;
}

int ChargesShown(const PlayerCloud& cloud) {
  const int charges = cloud.lightning ? cloud.lightning->charges : 0;
  return std::clamp(charges, 0, kMaxChargesShown);
}

float FluidTop(const PlayerCloud& cloud) { return cloud.energy * 5 - 498; }

void RenderPlayer1Hud(PlayerCloud& cloud) {
  const hgeVector hot(0, 0);
  fluidSheet->DrawFrame(hgeVector(12, FluidTop(cloud)), 0, 0, hot, kScale);
  interfaceSheet->DrawFrame(hgeVector(0, 0), 0, 0, hot, kScale);
  const int rank = UpdateRank(cloud);
  rankSheet->DrawFrame(hgeVector(160, 10), 11 - rank, 0, hot, kScale);
  // Bottom edges of the charges picture and the gauge frame are level.
  const int h = interfaceSheet->frameHeight - chargesSheet->frameHeight;
  chargesSheet->DrawFrame(hgeVector(0, static_cast<float>(h)), ChargesShown(cloud), 0, hot, kScale);
}

void RenderPlayer2Hud(PlayerCloud& cloud) {
  const hgeVector hot(1, 0);
  const float right = static_cast<float>(screenWidth);
  fluidSheet->DrawFrame(hgeVector(right - 13, FluidTop(cloud)), 0, 0, hot, kScale);
  interface2Sheet->DrawFrame(hgeVector(right, 0), 0, 0, hot, kScale);
  const int rank = UpdateRank(cloud);
  rankSheet->DrawFrame(hgeVector(right - 160, 10), 11 - rank, 0, hot, kScale);
  const int h = interface2Sheet->frameHeight - chargesSheet->frameHeight;
  chargesSheet->DrawFrame(hgeVector(right, static_cast<float>(h)), ChargesShown(cloud), 0, hot,
                          kScale);
}

}  // namespace

std::string NumberText(float value) {
  std::ostringstream out;
  out << value;
  return out.str();
}

void RenderHud() {
  if (player1) RenderPlayer1Hud(*player1);
  if (player2) RenderPlayer2Hud(*player2);
}

void RenderHudText() {
  // A zero frame delta (the very first frame) shows as an infinite rate.
  const float fps = frameDelta != 0 ? 1.0f / frameDelta : std::numeric_limits<float>::infinity();
  textPrinter->PrintLine(showFrameStats, "Fps: " + NumberText(fps), 0);
  textPrinter->PrintLine(showFrameStats, "Time Played: " + NumberText(hge->Timer_GetTime()), 1);

  const bool inGame = GameState == State::Playing || GameState == State::Paused;
  if (player1) {
    textPrinter->Print(screenWidth / 3, 20,
                       "Score: " + NumberText(static_cast<float>(player1->score)), 2);
  } else if (inGame) {
    textPrinter->Print(0, 20, "Press Spacebar To Join!", 0);
  }
  if (player2) {
    textPrinter->Print(2 * screenWidth / 3, 20,
                       "Score: " + NumberText(static_cast<float>(player2->score)), 2);
  } else if (inGame) {
    textPrinter->Print(2 * screenWidth / 3, 20, "Press \"0\" To Join!", 0);
  }
  if (GameState == State::Paused) {
    textPrinter->Print(screenWidth / 2, screenHeight / 2, "Pause", 2);
  }
}
