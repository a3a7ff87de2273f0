// What the engine offers beyond the game's interface: the error box, the one
// place where file names are mapped to this platform, the player folder of an
// installed game, and headless control for the simulator and the tests. The
// game itself uses only ShowErrorBox; its entry point enters the player folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Shows a modal "Error" box with one OK button (standard error when there is
// no display or the engine runs headless). Never blocks a headless run.
void ShowErrorBox(const char* text);
// Every text shown by ShowErrorBox so far, in order.
const std::vector<std::string>& ShownErrorBoxes();

// Writes a line to the engine's log file while an engine exists.
void EngineLog(const std::string& line);

// Maps a game file name ("Images\\x.png") to a path of this system ("Images/x.png").
std::string MapFileName(const char* name);

// Reads a whole file the game names (mapped as above) into `bytes`. Only a
// regular file of at most `limit` bytes is read; anything else (missing, a
// folder, a FIFO, a device, too large, unreadable) gives false and says why in
// `why`. Never blocks on a FIFO or a device.
bool ReadRegularFile(const char* name, size_t limit, std::string* bytes, std::string* why);

// When this executable is PREFIX/bin/zarvo of an install, with its data in
// PREFIX/share/zarvo-zov-orava, makes the player's folder ready and changes
// the working directory to it: $XDG_DATA_HOME/zarvo-zov-orava, or
// ~/.local/share/zarvo-zov-orava when XDG_DATA_HOME is not an absolute path.
// The folder links to every installed file and folder (links into a moved
// install are renewed) and holds the player's own copies of "GameValues.txt"
// and the high-score files, made only when absent. Anywhere else (the build
// tree) it changes nothing. Returns false after saying why on standard error.
bool EnterUserFolder();

// A file the game names (mapped as above) and its whole new content.
struct FileContent {
  std::string name;
  std::string bytes;
};
// Replaces the files together. Each content goes into a fresh temporary beside
// its file (made exclusively, never through a link, mode 0644 less the umask),
// which is written and synced; only when every temporary is complete are they
// renamed over their files and the folders synced. A file that is there must
// be a regular file. On failure gives false, the failing file's name in
// `failed` and the reason in `why`, and removes every temporary left; unless a
// rename itself failed, every file is then as it was.
bool ReplaceFiles(const std::vector<FileContent>& files, std::string* failed, std::string* why);

// Before System_Initiate: the renderer a window uses, "software" or "opengl".
// Empty (the default) lets the engine choose: SDL_RENDER_DRIVER when set, else
// the accelerated renderer unless its OpenGL is a software rasteriser, where
// SDL's software renderer is faster. False, changing nothing, for another name.
bool SetRendererChoice(const std::string& name);

// Drives the frame loop instead of the wall clock and the keyboard.
class FrameDriver {
 public:
  virtual ~FrameDriver() = default;
  // Called before every frame. Returns false to end the loop as the window's
  // close button does; otherwise sets the frame's delta time in seconds.
  virtual bool NextFrame(float* delta) = 0;
};

// Something besides the keyboard that holds keys: an autopilot, a game pad, a
// replay. Every frame, after the keyboard (or a headless driver) was read, each
// source added is asked in turn; it may hold keys or let them go. A key held now
// and not in the previous frame goes down this frame, as if typed.
class KeySource {
 public:
  virtual ~KeySource() = default;
  // `keys` has kKeySourceKeys entries, by key code: the keys down so far.
  // `keyDown` is the key that went down this frame so far (0: none); a source
  // may name another.
  virtual void ApplyKeys(bool* keys, int* keyDown) = 0;
};
constexpr int kKeySourceKeys = 256;
// Sources stay registered across engine objects until removed.
void AddKeySource(KeySource* source);
void RemoveKeySource(KeySource* source);

// Game pads, hot-plugged: the first pad connected is seat 0 (player 1), the
// second seat 1 (player 2). Read once at the start of each frame, before the
// key sources. The left stick counts as the d-pad.
namespace pads {
enum Control { kSouth, kEast, kWest, kNorth, kBack, kStart, kUp, kDown, kLeft, kRight, kControls };
bool Connected(int seat);
bool Held(int seat, int control);
}  // namespace pads

namespace replay {
// Records every run of the frame loop from the next engine start on into
// `file` (the seed, the named files as they are then, and each frame's delta
// and key changes), written as the game goes.
void RecordTo(const std::string& file, const std::vector<std::string>& embeddedFiles);
// Notes in the recording that the run changed the game by other means than
// keys (the simulator's set and spawn), so playing it back is refused.
void MarkUnreplayable(const std::string& why);
// Reads a replay to be played by the next engine start: its seed, its frames
// (deltas, which a real-time run takes itself and a headless driver passes on
// from Frames(), and keys), and its files, which stand in for
// today's in a scratch copy of the working folder that becomes the working
// folder. Returns what is wrong with the file, or "" when it plays.
std::string Load(const std::string& file);
// Ends a playback: the working folder is the player's again.
void Unload();
bool Playing();
// The frames of the replay being played: a headless driver hands them on.
FrameDriver* Frames();
}  // namespace replay

namespace headless {
// Before hgeCreate: run without a window (offscreen OpenGL, else the software
// renderer), with dummy audio, driven by the given driver. Enable(nullptr)
// returns to real-time runs. Either way all keys are released.
void Enable(FrameDriver* driver);
bool Enabled();
// Hold or release a key by its code; takes effect at the start of the next frame.
void SetKey(int key, bool down);
void ReleaseAllKeys();
// Saves the last rendered frame of a headless run as PNG; false on failure.
bool SaveShot(const char* pngFile);
// Name of the renderer in use ("opengl", "software"), empty before System_Initiate.
std::string RendererName();
// Test hooks, before System_Initiate: skip the offscreen OpenGL renderer and
// use the window-less software one; pretend the renderer's largest texture is
// `size` texels wide and high (0: the renderer's own limit), so tests can
// exercise the tiling of large textures with small ones.
void UseSoftwareRenderer(bool software);
void SetMaxTextureSize(int size);
// How many SDL textures (tiles) carry a texture now; 0 until a frame drawing
// it has been rendered, 1 when it fits the renderer whole.
int TextureTiles(uint32_t tex);
// One quad of the last complete frame, in drawing order: the file its texture
// was loaded from (empty for made or no texture), its bounding box on screen,
// its smallest texture coordinates and its first corner's colour.
struct DrawnQuad {
  std::string texture;
  float x, y, w, h, u, v;
  uint32_t color;
};
std::vector<DrawnQuad> LastFrameQuads();
// Virtual game pads (SDL's own), for tests and the simulator: attached in
// order, they take seats as real pads do. Returns the pad's number, -1 on failure.
int AttachVirtualPad();
void SetVirtualPad(int pad, int control, bool down);
void DetachVirtualPad(int pad);
}  // namespace headless

// Benchmark hooks for a headless run: keep a copy of a recorded frame and draw
// it again through the renderer, either as the engine draws (batches of
// same-texture quads) or as a plain SDL game would, one SDL call per sprite.
namespace drawbench {
// Quads in the last complete frame.
size_t LastFrameQuads();
// Keeps a copy of the last complete frame, replacing the one kept before.
void KeepLastFrame();
// Draws the kept frame (nothing if none) and reads one pixel back, so the
// renderer has finished when it returns. Returns the SDL drawing calls made.
int DrawKeptFrame(bool batched);
// Draws the last complete frame as a real-time run draws every frame (each
// loaded picture decoded, textures uploaded when first used or changed) and
// reads one pixel back.
void DrawLastFrame();
}  // namespace drawbench

// Windows-style key name lookup shared by the sim's script parser:
// a key code for "A", "SPACE", "NUMPAD0", "F1", "LEFT", ...; 0 if unknown.
int KeyCodeFromName(const std::string& name);
