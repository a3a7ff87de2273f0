// One textured quad for a rectangle of a texture, with a hot spot, a colour
// per corner, a depth and a blend mode; drawn plain, rotated and scaled, or
// with four explicit corners.
#pragma once

#include "engine/hge.h"

class hgeSprite {
 public:
  hgeSprite(HTEXTURE texture, float x, float y, float w, float h);
  hgeSprite(const hgeSprite& other);
  hgeSprite& operator=(const hgeSprite&) = delete;
  ~hgeSprite();

  void Render(float x, float y);
  void RenderEx(float x, float y, float rot, float hscale = 1.0f, float vscale = 0.0f);
  void Render4V(float x0, float y0, float x1, float y1, float x2, float y2, float x3, float y3);

  void SetColor(uint32_t col, int i = -1);
  void SetZ(float z, int i = -1);
  void SetBlendMode(int blend) { quad.blend = blend; }
  void SetHotSpot(float x, float y) { hotX = x; hotY = y; }

  uint32_t GetColor(int i = 0) const { return quad.v[i].col; }
  int GetBlendMode() const { return quad.blend; }
  HTEXTURE GetTexture() const { return quad.tex; }
  float GetWidth() const { return width; }
  float GetHeight() const { return height; }

  hgeQuad quad;
  float tx, ty;
  float width, height;
  float texWidth, texHeight;
  float hotX, hotY;

 private:
  HGE* hge;
};
