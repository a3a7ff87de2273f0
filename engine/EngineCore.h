// The engine's whole state in one struct, CORE: what lives for the process
// (headless settings, shown error boxes) and what lives for one engine object
// (window, renderer, clock, keys, random stream, textures, draw lists).
// Only engine/*.cpp include this header; the game sees hge.h and Platform.h.
#pragma once

#include <SDL.h>
#include <signal.h>

#include <csignal>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/Platform.h"
#include "engine/hge.h"

namespace engine {

constexpr int kKeyCount = kKeySourceKeys;

// One texture: the CPU texels are the truth; the SDL textures (one per tile
// when the image is larger than the renderer allows) are made and refreshed
// lazily when a frame that uses it is drawn.
struct DecodeJob;

struct Texture {
  int width = 0, height = 0;
  std::vector<uint32_t> texels;     // ARGB, row-major, width per row
  bool dirty = true;                // texels changed since the last upload
  int tileW = 0, tileH = 0;         // texels between tile borders (the whole image when untiled)
  int apronX = 0, apronY = 0;       // texels each tile also copies from its neighbours
  int cols = 0, rows = 0;           // tile grid; 0 while nothing is uploaded
  std::vector<SDL_Texture*> tiles;  // row-major, cols * rows
  // A picture's checked PNG file, kept so its texels can be let go once
  // uploaded and decoded again when needed; with its name for messages.
  std::string encoded;
  bool edited = false;             // locked for writing: the texels are the only copy
  std::shared_ptr<DecodeJob> job;  // being decoded on the worker thread
  std::string label;
};

// One recorded drawing command of a frame.
struct DrawCmd {
  bool clear = false;
  uint32_t color = 0;  // clear colour
  HTEXTURE tex = 0;
  int blend = 0;
  size_t first = 0;  // first vertex in FrameList::verts
  size_t quads = 0;  // quads in this batch
};

struct FrameList {
  std::vector<DrawCmd> cmds;
  std::vector<hgeVertex> verts;  // four per quad
  void Reset() {
    cmds.clear();
    verts.clear();
  }
};

// Everything that belongs to one engine object; reset when the last hold goes.
struct EngineState {
  // Settings from System_SetState.
  hgeCallback frameFunc = nullptr;
  hgeCallback renderFunc = nullptr;
  int screenWidth = 800, screenHeight = 600;
  int fps = 0;
  bool windowedFullscreen = false, zbuffer = false, hideMouse = false, dontSuspend = false,
       showSplash = false;
  std::string title = "HGE";
  std::string logFile;
  std::string error;

  // SDL objects.
  bool sdlStarted = false;  // System_Initiate succeeded and Shutdown has not run
  uint32_t sdlSubsystems = 0;
  SDL_Window* window = nullptr;
  SDL_Surface* surface = nullptr;  // target of the window-less software renderer
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* whiteTexel = nullptr;  // 1x1 white: untextured quads are drawn with it
  std::string rendererName;
  int maxTextureW = 0, maxTextureH = 0;  // 0: no limit
  bool minimised = false;
  int toggleKey = 0;           // the fullscreen toggle's key, kept from the game while held
  bool quitRequested = false;  // window closed or SDL_QUIT seen
  bool running = false;        // inside System_Start
  bool quitHandlers = false;   // our SIGINT/SIGTERM handlers are installed
  struct sigaction oldSigInt = {}, oldSigTerm = {};

  // Clock: the sum of the frame deltas, in double so long runs stay exact.
  double time = 0.0;
  float delta = 0.0f;
  int fpsShown = 0;
  int fpsFrames = 0;
  double fpsTime = 0.0;

  // Keyboard, by key code.
  bool keys[kKeyCount] = {};
  int keyDown = 0;  // went down this frame
  int charTyped = 0;

  // Random stream (PCG32) and the seed it last started from.
  uint64_t rngState = 0, rngInc = 0;
  uint64_t seed = 0;

  // Textures by handle; handles are never reused.
  std::map<HTEXTURE, Texture> textures;
  HTEXTURE nextTexture = 1;

  // Drawing: the frame being recorded and the last complete one.
  bool inScene = false;
  FrameList recording, lastFrame;
  std::vector<SDL_Vertex> scratchVerts;
  std::vector<int> scratchIndices;
  uint64_t drawCalls = 0;  // SDL drawing calls made so far
};

struct EngineCore {
  // Lives for the whole process.
  FrameDriver* driver = nullptr;  // headless when set
  bool forceSoftware = false;
  int forcedMaxTexture = 0;
  std::string rendererChoice;  // a window's renderer by name; empty: the engine's choice
  bool headlessKeys[kKeyCount] = {};
  std::vector<int> headlessPresses;  // keys put down since the last frame, in order
  std::vector<std::string> errorBoxes;
  std::vector<KeySource*> keySources;
  volatile std::sig_atomic_t quitSignal = 0;

  // The engine object.
  int holds = 0;
  HGE iface;
  EngineState* st = nullptr;
};

extern EngineCore CORE;

inline bool Headless() { return CORE.driver != nullptr; }

// The texels one tile texture holds: its own part of the image and the apron.
struct TileRect {
  int x, y, w, h;
};

// Shared between the engine's files.
void SetError(const std::string& text);
Texture* FindTexture(HTEXTURE tex);
TileRect TileTexels(const Texture& t, int col, int row);
void DecodeTexels(Texture& t);  // decodes an image kept encoded; blank if it fails
// Decodes a PNG file into ARGB texels of the given size; empty, or why not. Thread-safe.
std::string DecodePng(const std::string& png, int width, int height, std::vector<uint32_t>* texels);
// The worker thread of a window: queues a loaded picture's decoding; hands a
// finished job's texels to its texture (waiting for it when asked; false when
// there is no job, or it is not done and not waited for); ends the worker
// after the jobs queued.
void QueueDecode(Texture& t);
bool TakeDecoded(Texture& t, bool wait, std::string* problem);
void StopDecoding();
void DecodePendingTextures();             // every image loaded and not yet decoded
bool UploadTexture(Texture& t);           // makes/refreshes the SDL tiles; false on failure
void DropTextureUploads(Texture& t);      // destroys the SDL tiles, keeps the texels
void ReplayFrame(const FrameList& list);  // draws a recorded frame into the renderer
void ApplyFrameInput();                   // start of a frame: events or headless keys
void PumpEvents();                        // real-time mode: key, window and quit events
void ToggleFullscreen();                  // window <-> desktop-sized fullscreen, same picture
void SeedRandom(uint64_t seed);
// Draws one batch of a recorded frame, as ReplayFrame does.
void DrawBatch(EngineState& st, const DrawCmd& cmd, const std::vector<hgeVertex>& verts);
// A real window's renderer: the one chosen, else SDL_RENDER_DRIVER's, else the
// accelerated one unless its OpenGL is a software rasteriser (see RendererChoice.cpp).
SDL_Renderer* CreateWindowRenderer(SDL_Window* window);
void InstallQuitHandlers();
// Game pads: opened with the window, read at the start of each frame.
void OpenPads();
void UpdatePads();
void ClosePads();
// Replays: recording from System_Initiate to System_Shutdown, a frame at a time.
void StartRecording();
void RecordFrame();
void StopRecording();
FrameDriver* PlaybackDriver();      // the replay being played, or null
bool PlaybackSeed(uint64_t* seed);  // its seed, when one is played
std::string EnterScratchFolder(const std::vector<std::pair<std::string, std::string>>& files,
                               const std::vector<std::string>& absent);
void LeaveScratchFolder();
void RestoreQuitHandlers();

}  // namespace engine
