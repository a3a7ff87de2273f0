// Sprite drawing: every draw hands one quad to the engine at once.
#include "gfx/hgeSprite.h"

#include <cmath>

hgeSprite::hgeSprite(HTEXTURE texture, float x, float y, float w, float h)
    : tx(x), ty(y), width(w), height(h), hotX(0), hotY(0), hge(hgeCreate(HGE_VERSION)) {
  if (texture) {
    texWidth = static_cast<float>(hge->Texture_GetWidth(texture));
    texHeight = static_cast<float>(hge->Texture_GetHeight(texture));
  } else {
    texWidth = 1.0f;
    texHeight = 1.0f;
  }
  quad.tex = texture;
  const float u1 = x / texWidth, v1 = y / texHeight;
  const float u2 = (x + w) / texWidth, v2 = (y + h) / texHeight;
  const float us[4] = {u1, u2, u2, u1};
  const float vs[4] = {v1, v1, v2, v2};
  for (int i = 0; i < 4; ++i) {
    quad.v[i] = hgeVertex{0, 0, 0.5f, 0xFFFFFFFF, us[i], vs[i]};
  }
  quad.blend = BLEND_DEFAULT;
}

hgeSprite::hgeSprite(const hgeSprite& o)
    : quad(o.quad), tx(o.tx), ty(o.ty), width(o.width), height(o.height),
      texWidth(o.texWidth), texHeight(o.texHeight), hotX(o.hotX), hotY(o.hotY),
      hge(hgeCreate(HGE_VERSION)) {}

hgeSprite::~hgeSprite() { hge->Release(); }

void hgeSprite::Render(float x, float y) {
  const float left = x - hotX, top = y - hotY;
  const float right = x + width - hotX, bottom = y + height - hotY;
  Render4V(left, top, right, top, right, bottom, left, bottom);
}

void hgeSprite::RenderEx(float x, float y, float rot, float hs, float vs) {
  if (vs == 0) vs = hs;
  const float a1 = -hotX * hs, b1 = -hotY * vs;
  const float a2 = (width - hotX) * hs, b2 = (height - hotY) * vs;
  const float as[4] = {a1, a2, a2, a1};
  const float bs[4] = {b1, b1, b2, b2};
  if (rot != 0.0f) {
    const float c = std::cos(rot), s = std::sin(rot);
    for (int i = 0; i < 4; ++i) {
      quad.v[i].x = as[i] * c - bs[i] * s + x;
      quad.v[i].y = as[i] * s + bs[i] * c + y;
    }
  } else {
    for (int i = 0; i < 4; ++i) {
      quad.v[i].x = as[i] + x;
      quad.v[i].y = bs[i] + y;
    }
  }
  hge->Gfx_RenderQuad(&quad);
}

void hgeSprite::Render4V(float x0, float y0, float x1, float y1, float x2, float y2, float x3,
                         float y3) {
  quad.v[0].x = x0; quad.v[0].y = y0;
  quad.v[1].x = x1; quad.v[1].y = y1;
  quad.v[2].x = x2; quad.v[2].y = y2;
  quad.v[3].x = x3; quad.v[3].y = y3;
  hge->Gfx_RenderQuad(&quad);
}

void hgeSprite::SetColor(uint32_t col, int i) {
  if (i >= 0 && i < 4) {
    quad.v[i].col = col;
  } else if (i == -1) {
    for (hgeVertex& v : quad.v) v.col = col;
  }
}

void hgeSprite::SetZ(float z, int i) {
  if (i >= 0 && i < 4) {
    quad.v[i].z = z;
  } else if (i == -1) {
    for (hgeVertex& v : quad.v) v.z = z;
  }
}
