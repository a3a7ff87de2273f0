// A bitmap font read from a ".fnt" description: one sprite per character cut
// from the font image, drawn left-, right- or centre-aligned, with line breaks.
// The description is parsed from memory with every length checked, so a broken
// or hostile file can only make characters go missing, never overrun a buffer.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/hge.h"

class hgeSprite;

constexpr int HGETEXT_LEFT = 0;
constexpr int HGETEXT_RIGHT = 1;
constexpr int HGETEXT_CENTER = 2;

class hgeFont {
 public:
  // Reads the description through the engine; a missing or malformed file
  // leaves an empty font that draws nothing.
  explicit hgeFont(const char* filename);
  // Reads a description already in memory; `filename` is where it came from,
  // named in the log and used to find the image beside it.
  hgeFont(const char* filename, const char* data, size_t size);
  hgeFont(const hgeFont&) = delete;
  hgeFont& operator=(const hgeFont&) = delete;
  ~hgeFont();

  // (x, y) is the top of the first line; x is its left edge, right edge or
  // centre by the two low bits of align.
  void Render(float x, float y, int align, const char* text);
  // Width of the text up to its end or first line break, times fScale.
  float GetStringWidth(const char* text) const;

  void SetColor(uint32_t col);
  void SetZ(float z);
  void SetBlendMode(int blend);

  HTEXTURE hTexture;
  hgeSprite* letters[256];
  float pre[256];
  float post[256];
  float fHeight;
  float fScale;
  float fRot;
  float fTracking;
  float fSpacing;
  uint32_t dwCol;
  float fZ;
  int nBlend;

 private:
  // Longest line (and image path) the format allows, terminator excluded.
  static constexpr size_t kMaxLine = 255;

  // An empty font, before any description is read.
  hgeFont();
  void Parse(const char* filename, const char* data, size_t size);
  bool ReadBitmapLine(const char* filename, const char* line, size_t len);
  void ReadCharLine(const char* line, size_t len);
  // The sprite drawn for a byte: its own, else "?", else none.
  hgeSprite* SpriteFor(unsigned char c) const;
  float LineWidth(const char* text) const;

  HGE* hge;
  // Images of earlier "Bitmap" lines: their characters still use them.
};
