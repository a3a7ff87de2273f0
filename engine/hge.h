// The 2D engine the game runs in: window, frame loop, keyboard, timer, random
// numbers, textures, quad drawing, whole-file loading and the log file.
// The game talks to SDL only through this interface. One engine object exists
// per run; hgeCreate hands out holds on it and Release gives them back.
#pragma once

#include <cstdint>

#include "engine/hgeKeys.h"

using HTEXTURE = uint32_t;  // 0: no texture
using HTARGET = uint32_t;   // render targets are not used; 0 is the screen

constexpr int HGE_VERSION = 0x160;

// Vertex colours are 32-bit ARGB.
constexpr uint32_t ARGB(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return (a << 24) | (r << 16) | (g << 8) | b;
}

struct hgeVertex {
  float x, y;    // screen pixels, y downwards
  float z;       // depth 0..1 (kept, not used for ordering)
  uint32_t col;  // ARGB
  float tx, ty;  // texture coordinates 0..1
};

// Blend mode bits of a quad.
constexpr int BLEND_COLORADD = 1;    // texel + vertex colour (else texel * vertex colour)
constexpr int BLEND_COLORMUL = 0;
constexpr int BLEND_ALPHABLEND = 2;  // source-over alpha blending (else additive)
constexpr int BLEND_ALPHAADD = 0;
constexpr int BLEND_ZWRITE = 4;      // accepted and ignored: there is no depth buffer
constexpr int BLEND_NOZWRITE = 0;
constexpr int BLEND_DEFAULT = BLEND_COLORMUL | BLEND_ALPHABLEND | BLEND_NOZWRITE;

struct hgeQuad {
  hgeVertex v[4];  // top-left, top-right, bottom-right, bottom-left
  HTEXTURE tex;
  int blend;
};

using hgeCallback = bool (*)();

enum hgeBoolState {
  HGE_WINDOWED_FULLSCREEN = 11,  // false: a normal window
  HGE_ZBUFFER = 12,              // false: no depth buffer
  HGE_HIDEMOUSE = 13,            // false: the pointer stays visible
  HGE_DONTSUSPEND = 18,          // false: pause the clock while minimised
  HGE_SHOWSPLASH = 25,           // false: no start-up splash
};
enum hgeFuncState { HGE_FRAMEFUNC = 1, HGE_RENDERFUNC = 2 };
enum hgeIntState { HGE_SCREENWIDTH = 8, HGE_SCREENHEIGHT = 9, HGE_FPS = 23 };
enum hgeStringState { HGE_TITLE = 7, HGE_LOGFILE = 16 };

class HGE {
 public:
  void Release();

  bool System_Initiate();
  void System_Shutdown();
  bool System_Start();
  void System_SetState(hgeBoolState state, bool value);
  void System_SetState(hgeFuncState state, hgeCallback value);
  void System_SetState(hgeIntState state, int value);
  void System_SetState(hgeStringState state, const char* value);
  const char* System_GetErrorMessage();
  void System_Log(const char* format, ...) __attribute__((format(printf, 2, 3)));

  // Whole file in memory (null when missing); size in bytes if asked.
  void* Resource_Load(const char* filename, uint32_t* size = nullptr);
  void Resource_Free(void* res);

  void Random_Seed(int seed);
  int Random_Int(int min, int max);        // both ends included
  float Random_Float(float min, float max);

  float Timer_GetTime();   // seconds since start: the sum of the frame deltas
  float Timer_GetDelta();  // seconds since the previous frame
  int Timer_GetFPS();

  bool Input_GetKeyState(int key);         // true while held
  int Input_GetKey();                      // the key that went down this frame, 0 if none
  int Input_GetChar();                     // the character typed this frame, 0 if none
  const char* Input_GetKeyName(int key);

  bool Gfx_BeginScene(HTARGET target = 0);
  void Gfx_EndScene();
  void Gfx_Clear(uint32_t color);
  void Gfx_RenderQuad(const hgeQuad* quad);

  HTEXTURE Texture_Create(int width, int height);
  HTEXTURE Texture_Load(const char* filename, uint32_t size = 0, bool mipmap = false);
  void Texture_Free(HTEXTURE tex);
  int Texture_GetWidth(HTEXTURE tex, bool original = false);
  int Texture_GetHeight(HTEXTURE tex, bool original = false);
  // 32-bit ARGB texels, row by row, Texture_GetWidth(tex) texels per row.
  uint32_t* Texture_Lock(HTEXTURE tex, bool readOnly = true, int left = 0, int top = 0,
                         int width = 0, int height = 0);
  void Texture_Unlock(HTEXTURE tex);
};

HGE* hgeCreate(int version);
