// The spine of the program: start-up, the frame function with the state
// machine of the seven game states, the render function and the shutdown.
#include "game/Game.h"

#include "config/GameValues.h"
#include "engine/Platform.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "game/Hud.h"
#include "game/Loading.h"
#include "game/Music.h"
#include "game/PadControls.h"
#include "game/Sheets.h"
#include "game/TitleMenu.h"
#include "game/World.h"
#include "gfx/CreditsScreen.h"
#include "gfx/SpriteSheet.h"
#include "gfx/TextPrinter.h"
#include "gfx/hgeParticleSystem.h"
#include "objects/Cloud.h"
#include "objects/Mountain.h"
#include "objects/Plane.h"
#include "objects/PlayerCloud.h"
#include "persist/HighScores.h"
#include "sound/SoundBank.h"
#include "sound/SoundTable.h"

HGE* hge = nullptr;
State GameState = State::TitleMenu;
PlayerCloud* player1 = nullptr;
PlayerCloud* player2 = nullptr;
float frameDelta = 0;
float lastKeyTime = 0;
bool showFrameStats = false;
TextPrinter* textPrinter = nullptr;
TitleMenu* titleMenu = nullptr;
CreditsScreen* creditsScreen = nullptr;
HighScores* highScores = nullptr;
Mountain* mountain = nullptr;
Plane* plane = nullptr;
hgeParticleSystem* smokeTemplate = nullptr;
hgeParticleSystem* smokeWhiteTemplate = nullptr;
hgeParticleSystem* sparksTemplate = nullptr;
hgeParticleSystem* planeSmokeTemplate = nullptr;

namespace {

// A name entry accepts Enter only after Enter has been up since the entry
// began: Enter is also player 2's lightning key, and a held Enter must not
// commit an empty name for a cloud that has just died.
bool enterReleasedInEntry = false;

bool Key(int code) { return hge->Input_GetKeyState(code); }

void StartNameEntry(PlayerCloud*& slot) {
  highScores->SetSubject(slot);
  slot = nullptr;
  GameState = State::NameEntry;
  enterReleasedInEntry = false;
}

// A dead cloud leaves its slot: to the table when its score qualifies, else
// it is destroyed (or the game resets when nobody else plays). While the table
// is already taking a name, a qualifying cloud waits in its slot for its turn.
void HandleDeath(PlayerCloud*& slot, PlayerCloud* other) {
  if (!slot || slot->state != CloudState::Dead) return;
  const bool qualifies = highScores->PositionFor(slot->score) < 10;
  const bool tableBusy = highScores->subject != nullptr;
  if (qualifies && !tableBusy) {
    StartNameEntry(slot);
  } else if (qualifies) {
    // Waits in its slot until the name being typed is committed.
  } else if (other || tableBusy) {
    delete slot;
    slot = nullptr;
  } else {
    ResetGame();
  }
}

bool Alive(const PlayerCloud* cloud) { return cloud && cloud->state != CloudState::Dead; }

void ReplaceCloud(PlayerCloud*& slot, int playerNumber) {
  delete slot;
  slot = new PlayerCloud(playerNumber);
}

void StartGame(bool twoPlayers) {
  ReplaceCloud(player1, 1);
  if (twoPlayers) ReplaceCloud(player2, 2);
  GameState = State::Playing;
  soundBank->Play("GameMusic");
  soundBank->Play("GameMusic2");
}

void PlayingKeys() {
  if (!player1 && Key(HGEK_SPACE)) player1 = new PlayerCloud(1);
  if (!player2 && Key(HGEK_NUMPAD0)) player2 = new PlayerCloud(2);
  HandleDeath(player1, player2);
  HandleDeath(player2, player1);
  if (Key(HGEK_F7)) ResetGame();
  if (Key(HGEK_Q)) showFrameStats = !showFrameStats;
  if (Key(HGEK_X) && player1) player1->energy = 100.0f;
  if (Key(HGEK_C) && mountain) mountain->position = hgeVector(-1000, 0);
  if (Key(HGEK_P) && KeyDelayElapsed()) GameState = State::Paused;
  if (Key(HGEK_F1) && KeyDelayElapsed()) GameState = State::Credits;
}

void TitleMenuKeys() {
  const bool enter = Key(HGEK_ENTER);
  if (titleMenu->item == 3 && enter) GameState = State::HighScoreTable;
  if (titleMenu->item == 0 && enter) {
    if (titleMenu->playersChoice == 0)
      StartGame(false);
    else if (titleMenu->playersChoice == 1)
      StartGame(true);
  }
  if (titleMenu->item == 2 && enter) GameState = State::Credits;
  if (titleMenu->item == 1 && enter) GameState = State::PictureScreen;
  titleMenu->Update(frameDelta);
}

void NameEntryKeys() {
  highScores->UpdateNameEntry();
  const bool enter = Key(HGEK_ENTER);
  if (!enter) enterReleasedInEntry = true;
  if (!enter || !enterReleasedInEntry) return;
  highScores->CommitName();
  // A cloud that died in the same frame with a qualifying score has its turn now.
  for (PlayerCloud** slot : {&player1, &player2}) {
    if (*slot && (*slot)->state == CloudState::Dead &&
        highScores->PositionFor((*slot)->score) < 10) {
      StartNameEntry(*slot);
      return;
    }
  }
  GameState = (Alive(player1) || Alive(player2)) ? State::Playing : State::HighScoreTable;
}

}  // namespace

bool KeyDelayElapsed() {
  const float now = hge->Timer_GetTime();
  if (now - lastKeyTime > 0.5f) {
    lastKeyTime = now;
    return true;
  }
  return false;
}

bool FrameFunc() {
  UpdateMusic();
  for (const SoundFile& sound : kSoundFiles)
    if (sound.frameVolume >= 0) soundBank->SetVolume(sound.name, sound.frameVolume);
  if (Key(HGEK_ESCAPE)) return true;
  frameDelta = hge->Timer_GetDelta();

  if (GameState == State::Playing) PlayingKeys();
  if (GameState == State::Paused && Key(HGEK_P) && KeyDelayElapsed()) GameState = State::Playing;
  if (GameState == State::PictureScreen && Key(HGEK_SPACE)) GameState = State::TitleMenu;
  if (GameState == State::Credits) {
    creditsScreen->Update(frameDelta);
    if (Key(HGEK_SPACE) && KeyDelayElapsed()) GameState = State::TitleMenu;
  }
  if (GameState == State::TitleMenu) TitleMenuKeys();
  if (GameState == State::NameEntry) NameEntryKeys();
  if (GameState == State::HighScoreTable && Key(HGEK_SPACE)) ResetGame();
  UpdateWorld();
  return false;
}

bool RenderFunc() {
  if (!hge->Gfx_BeginScene(0)) return false;
  scenery.RenderBack(frameDelta);
  if (mountain) mountain->Render(frameDelta);
  if (plane) plane->Render(frameDelta);
  scenery.RenderFront(frameDelta);
  for (GameObject* object : objects) object->Render(frameDelta);
  if (player1) player1->Render(frameDelta);
  if (player2) player2->Render(frameDelta);
  for (Cloud* cloud : cloudobjects) cloud->Render(frameDelta);
  rain.Render(frameDelta);
  RenderHud();
  RenderHudText();
  switch (GameState) {
    case State::TitleMenu:
      titleMenu->Render(frameDelta);
      break;
    case State::PictureScreen:
      pictureScreenSheet->DrawFrame(hgeVector(0, 0), 0, 0, hgeVector(0, 0), hgeVector(1, 1));
      break;
    case State::NameEntry:
      highScores->RenderNameEntry();
      break;
    case State::HighScoreTable:
      highScores->RenderTable();
      break;
    case State::Credits:
      creditsScreen->Render();
      break;
    default:
      break;
  }
  hge->Gfx_EndScene();
  return false;
}

namespace {

void MakeParticleTemplates() {
  if (!particleEffects) return;
  smokeTemplate = new hgeParticleSystem("Smoke.psi", particlesSheet->GetSprite(0, 3), 0);
  smokeWhiteTemplate = new hgeParticleSystem("SmokeWhite.psi", particlesSheet->GetSprite(0, 3), 0);
  sparksTemplate = new hgeParticleSystem("Sparks.psi", particlesSheet->GetSprite(1, 2), 0);
  planeSmokeTemplate = new hgeParticleSystem("PlaneSmoke.psi", particlesSheet->GetSprite(0, 3), 0);
}

template <typename T>
void Destroy(T*& pointer) {
  delete pointer;
  pointer = nullptr;
}

void Shutdown() {
  if (highScores) {
    highScores->Save();
    Destroy(highScores);
  }
  DeleteSheets();
  Destroy(smokeTemplate);
  Destroy(smokeWhiteTemplate);
  Destroy(sparksTemplate);
  Destroy(planeSmokeTemplate);
  rain.Clear();
  ClearWorldLists();
  Destroy(soundBank);
  Destroy(textPrinter);
  Destroy(mountain);
  Destroy(plane);
  Destroy(titleMenu);
  Destroy(creditsScreen);
  Destroy(player1);
  Destroy(player2);
  hge->System_Shutdown();
  hge->Release();
  hge = nullptr;
}

}  // namespace

void RecordGames() {
  replay::RecordTo("last_game.replay",
                   {"GameValues.txt", "highscore_names.txt", "highscore_points.txt"});
}

int GameMain() {
  const std::vector<std::string> tuningProblems = LoadGameValues();
  hge = hgeCreate(HGE_VERSION);
  hge->System_SetState(HGE_LOGFILE, "hgeLog.txt");
  for (const std::string& problem : tuningProblems) hge->System_Log("%s", problem.c_str());
  hge->System_SetState(HGE_FRAMEFUNC, FrameFunc);
  hge->System_SetState(HGE_RENDERFUNC, RenderFunc);
  hge->System_SetState(HGE_FPS, static_cast<int>(60.0f));
  hge->System_SetState(HGE_WINDOWED_FULLSCREEN, false);
  hge->System_SetState(HGE_DONTSUSPEND, false);
  hge->System_SetState(HGE_TITLE, "Zarvo Zov Orava");
  hge->System_SetState(HGE_SCREENWIDTH, screenWidth);
  hge->System_SetState(HGE_SCREENHEIGHT, screenHeight);
  hge->System_SetState(HGE_ZBUFFER, false);
  hge->System_SetState(HGE_SHOWSPLASH, false);
  hge->System_SetState(HGE_HIDEMOUSE, false);
  GameState = State::TitleMenu;

  // Pads play alongside the keyboard, except while a replay plays.
  PadControls padControls;
  if (!replay::Playing()) AddKeySource(&padControls);
  const bool started = hge->System_Initiate();
  if (started) {
    lastKeyTime = hge->Timer_GetTime();
    textPrinter = new TextPrinter();
    titleMenu = new TitleMenu();
    creditsScreen = new CreditsScreen();
    highScores = new HighScores("highscore_names.txt", "highscore_points.txt");
    LoadImages();
    LoadSounds();
    MakeParticleTemplates();
    ResetGame();
    hge->System_Start();
  } else {
    ShowErrorBox(hge->System_GetErrorMessage());
  }
  Shutdown();
  RemoveKeySource(&padControls);
  // A game that could not start (no display, say) must not report success.
  return started ? 0 : 1;
}
