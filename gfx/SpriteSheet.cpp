// Frame grid arithmetic and the two draw calls. Out-of-range frames show the
// "Error" box and draw nothing when the entry lies outside the frame table.
#include "gfx/SpriteSheet.h"

#include <cmath>

#include "engine/Platform.h"

SpriteSheet::SpriteSheet(const std::string& name, int fx, int fy, int width, int height)
    : framesX(fx), framesY(fy), fileName(name), hge(hgeCreate(HGE_VERSION)) {
  texture = hge->Texture_Load(fileName.c_str(), 0, false);
  // A picture of another size than the game draws would scatter or lose its
  // frames: it is refused, before it is decoded, as a missing one is.
  if (texture && width > 0 &&
      (hge->Texture_GetWidth(texture) != width || hge->Texture_GetHeight(texture) != height)) {
    hge->System_Log("Picture %s is %dx%d, the game needs %dx%d", fileName.c_str(),
                    hge->Texture_GetWidth(texture), hge->Texture_GetHeight(texture), width, height);
    hge->Texture_Free(texture);
    texture = 0;
  }
  if (!texture) ShowErrorBox(("Texture unable to load" + fileName).c_str());
  imageWidth = texture ? hge->Texture_GetWidth(texture, true) : 0;
  imageHeight = texture ? hge->Texture_GetHeight(texture, true) : 0;
  frameWidth = static_cast<int>(std::floor(imageWidth * 1.0 / framesX));
  frameHeight = static_cast<int>(std::floor(imageHeight * 1.0 / framesY));
  frames.reserve(static_cast<size_t>(framesX) * framesY);
  for (int y = 0; y < framesY; ++y) {
    for (int x = 0; x < framesX; ++x) {
      hgeSprite* sprite = new hgeSprite(
          texture, static_cast<float>(x * frameWidth), static_cast<float>(y * frameHeight),
          static_cast<float>(frameWidth), static_cast<float>(frameHeight));
      frames.push_back(sprite);
      sprite->SetBlendMode(BLEND_DEFAULT);
      sprite->SetHotSpot(0, 0);
    }
  }
}

SpriteSheet::~SpriteSheet() {
  for (hgeSprite* sprite : frames) delete sprite;
  frames.clear();
  if (texture) hge->Texture_Free(texture);
  hge->Release();
}

void SpriteSheet::DrawEntry(int index, float left, float top, float right, float bottom) {
  if (index < 0 || index >= static_cast<int>(frames.size())) return;
  frames[index]->Render4V(left, top, right, top, right, bottom, left, bottom);
}

void SpriteSheet::DrawFrame(hgeVector p, int frameX, int frameY, hgeVector hot, hgeVector scale) {
  if (frameX >= framesX)
    ShowErrorBox(("Frame Index out of bounds (frameX too high)" + fileName).c_str());
  if (frameY >= framesY)
    ShowErrorBox(("Frame Index out of bounds (frameY too high)" + fileName).c_str());
  const float w = static_cast<float>(frameWidth), h = static_cast<float>(frameHeight);
  const float left = p.x - w * hot.x, top = p.y - h * hot.y;
  const float right = left + w * scale.x, bottom = top + h * scale.y;
  // After the box the entry is still drawn when it lies inside the table.
  DrawEntry(frameY * framesX + frameX, left, top, right, bottom);
}

void SpriteSheet::DrawFrameIndex(hgeVector p, int index, hgeVector hot, hgeVector scale) {
  if (index >= framesX * framesY)
    ShowErrorBox(("Frame Index out of bounds (frameY too high)" + fileName).c_str());
  const float w = static_cast<float>(frameWidth), h = static_cast<float>(frameHeight);
  const hgeVector scaledHot(hot.x * scale.x, hot.y * scale.y);
  const float left = p.x - w * scaledHot.x, top = p.y - h * scaledHot.y;
  const float right = left + w * scale.x, bottom = top + h * scale.y;
  DrawEntry(index, left, top, right, bottom);
}

void SpriteSheet::SetColor(uint32_t color) {
  for (hgeSprite* sprite : frames) sprite->SetColor(color, -1);
}

void SpriteSheet::SetBlendMode(int mode) {
  for (hgeSprite* sprite : frames) sprite->SetBlendMode(mode);
}
