// An image cut into a grid of equal frames, framesX columns by framesY rows;
// every picture of the game is drawn through one of these.
#pragma once

#include <string>
#include <vector>

#include "engine/hge.h"
#include "engine/hgeVector.h"
#include "gfx/hgeSprite.h"

class SpriteSheet {
 public:
  // With a width and height, a picture of any other size is refused.
  SpriteSheet(const std::string& fileName, int framesX, int framesY, int width = 0, int height = 0);
  SpriteSheet(const SpriteSheet&) = delete;
  SpriteSheet& operator=(const SpriteSheet&) = delete;
  ~SpriteSheet();

  void DrawFrame(hgeVector position, int frameX, int frameY, hgeVector hotSpot, hgeVector scale);
  void DrawFrameIndex(hgeVector position, int index, hgeVector hotSpot, hgeVector scale);
  hgeSprite* GetSprite(int frameX, int frameY) { return frames[frameY * framesX + frameX]; }
  hgeSprite* GetSprite(int index) { return frames[index]; }
  void SetColor(uint32_t color);
  void SetBlendMode(int mode);

  int imageWidth;
  int imageHeight;
  int frameWidth;
  int frameHeight;
  std::vector<hgeSprite*> frames;
  HTEXTURE texture;
  int framesX;
  int framesY;
  std::string fileName;

 private:
  void DrawEntry(int index, float left, float top, float right, float bottom);
  HGE* hge;
};
