// The long-lived globals of the game shell: the engine, the state, the player
// slots, the frame's delta time and the objects made at start-up.
#pragma once

#include <cstdint>

class HGE;
class PlayerCloud;
class TextPrinter;
class TitleMenu;
class CreditsScreen;
class HighScores;
class hgeParticleSystem;
class Mountain;
class Plane;

enum class State : int32_t {
  TitleMenu = 0,
  Playing = 1,
  Paused = 2,
  HighScoreTable = 3,
  NameEntry = 4,
  Credits = 5,
  PictureScreen = 6,
};

extern HGE* hge;
extern State GameState;
extern PlayerCloud* player1;
extern PlayerCloud* player2;
extern float frameDelta;
extern float lastKeyTime;
extern bool showFrameStats;
extern TextPrinter* textPrinter;
extern TitleMenu* titleMenu;
extern CreditsScreen* creditsScreen;
extern HighScores* highScores;
extern Mountain* mountain;
extern Plane* plane;

// Particle templates, made at start-up only when particleEffects is on.
extern hgeParticleSystem* smokeTemplate;
extern hgeParticleSystem* smokeWhiteTemplate;
extern hgeParticleSystem* sparksTemplate;
extern hgeParticleSystem* planeSmokeTemplate;
