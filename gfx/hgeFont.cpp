// Reading ".fnt" descriptions and drawing text with them. The text of the file
// ends at its last byte or at its first zero byte; lines end at CR or LF, and
// lines (and image paths) longer than 255 characters are not used.
#include "gfx/hgeFont.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <string>

#include "gfx/hgeSprite.h"

namespace {

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool StartsWith(const char* line, size_t len, const char* word) {
  const size_t n = std::strlen(word);
  return len >= n && std::memcmp(line, word, n) == 0;
}

// Reads " , <int>" at *pos as the pattern " , %d" would; false when it does not match.
// Magnitudes are capped far beyond any image size so the sum cannot overflow.
bool ReadCommaInt(const char* line, size_t len, size_t* pos, int* value) {
  size_t p = *pos;
  while (p < len && IsSpace(line[p])) ++p;
  if (p >= len || line[p] != ',') return false;
  ++p;
  while (p < len && IsSpace(line[p])) ++p;
  bool negative = false;
  if (p < len && (line[p] == '+' || line[p] == '-')) negative = line[p++] == '-';
  if (p >= len || !std::isdigit(static_cast<unsigned char>(line[p]))) return false;
  long long v = 0;
  while (p < len && std::isdigit(static_cast<unsigned char>(line[p]))) {
    if (v < 1000000000LL) v = v * 10 + (line[p] - '0');
    ++p;
  }
  if (v > 1000000000LL) v = 1000000000LL;
  *value = static_cast<int>(negative ? -v : v);
  *pos = p;
  return true;
}

}  // namespace

hgeFont::hgeFont()
    : hTexture(0),
      fHeight(0),
      fScale(1.0f),
      fRot(0),
      fTracking(0),
      fSpacing(1.0f),
      dwCol(0xFFFFFFFF),
      fZ(0.5f),
      nBlend(BLEND_DEFAULT),
      hge(hgeCreate(HGE_VERSION)) {
  for (int i = 0; i < 256; ++i) {
    letters[i] = nullptr;
    pre[i] = 0;
    post[i] = 0;
  }
}

hgeFont::hgeFont(const char* filename) : hgeFont() {
  uint32_t size = 0;
  void* data = hge->Resource_Load(filename, &size);
  if (!data) return;
  // Our own copy, so the engine's buffer goes back at once.
  std::string text(static_cast<const char*>(data), size);
  hge->Resource_Free(data);
  Parse(filename, text.data(), text.size());
}

hgeFont::hgeFont(const char* filename, const char* data, size_t size) : hgeFont() {
  if (data) Parse(filename ? filename : "", data, size);
}

hgeFont::~hgeFont() {
  for (hgeSprite*& letter : letters) {
    delete letter;
    letter = nullptr;
  }
  if (hTexture) hge->Texture_Free(hTexture);
  hge->Release();
}

void hgeFont::Parse(const char* filename, const char* data, size_t size) {
  const void* zero = std::memchr(data, 0, size);
  const size_t end = zero ? static_cast<size_t>(static_cast<const char*>(zero) - data) : size;

  // The first line, empty or not, must be the header.
  size_t pos = 0;
  while (pos < end && data[pos] != '\r' && data[pos] != '\n') ++pos;
  if (pos != 9 || std::memcmp(data, "[HGEFONT]", 9) != 0) {
    hge->System_Log("Font %s has incorrect format.", filename);
    return;
  }
  while (pos < end) {
    // The line break may be CR, LF or both; one step past it is enough because
    // the empty line that a CRLF pair leaves behind is skipped below.
    ++pos;
    size_t stop = pos;
    while (stop < end && data[stop] != '\r' && data[stop] != '\n') ++stop;
    const char* line = data + pos;
    const size_t len = stop - pos;
    pos = stop;

    if (len == 0 || len > kMaxLine) continue;
    if (StartsWith(line, len, "Bitmap")) {
      if (!ReadBitmapLine(filename, line, len)) return;
    } else if (StartsWith(line, len, "Char")) {
      ReadCharLine(line, len);
    }
  }
}

// False when reading must stop: the image named could not be loaded. A font
// has one image: once it is loaded, further "Bitmap" lines are ignored, so a
// file that repeats them cannot load the image again and again.
bool hgeFont::ReadBitmapLine(const char* filename, const char* line, size_t len) {
  if (hTexture) return true;
  size_t p = 6;  // past "Bitmap"
  while (p < len && IsSpace(line[p])) ++p;
  if (p >= len || line[p] != '=') return true;
  ++p;
  while (p < len && IsSpace(line[p])) ++p;
  const size_t nameStart = p;
  while (p < len && !IsSpace(line[p])) ++p;
  if (p == nameStart) return true;  // no file name: the pattern does not match

  // The image lives beside the description.
  const char* slash = std::strrchr(filename, '\\');
  if (!slash) slash = std::strrchr(filename, '/');
  std::string path = slash ? std::string(filename, slash + 1) : std::string();
  path.append(line + nameStart, p - nameStart);
  // A path the format cannot hold counts as an image that does not load.
  if (path.size() > kMaxLine) return false;

  const HTEXTURE texture = hge->Texture_Load(path.c_str(), 0, false);
  if (!texture) return false;
  hTexture = texture;
  return true;
}

void hgeFont::ReadCharLine(const char* line, size_t len) {
  const void* eq = std::memchr(line, '=', len);
  if (!eq) return;
  size_t p = static_cast<size_t>(static_cast<const char*>(eq) - line) + 1;
  while (p < len && line[p] == ' ') ++p;
  if (p >= len) return;

  int code = 0;
  if (line[p] == '"') {
    if (p + 2 >= len || line[p + 2] != '"') return;
    code = static_cast<unsigned char>(line[p + 1]);
    p += 3;
  } else {
    size_t digits = 0;
    while (p < len && HexValue(line[p]) >= 0) {
      if (code <= 0xFF) code = code * 16 + HexValue(line[p]);
      ++p;
      ++digits;
    }
    if (digits == 0 || code > 0xFF) return;
  }

  int v[6];
  for (int& value : v) {
    if (!ReadCommaInt(line, len, &p, &value)) return;
  }
  delete letters[code];
  letters[code] = new hgeSprite(hTexture, static_cast<float>(v[0]), static_cast<float>(v[1]),
                                static_cast<float>(v[2]), static_cast<float>(v[3]));
  pre[code] = static_cast<float>(v[4]);
  post[code] = static_cast<float>(v[5]);
  if (v[3] > fHeight) fHeight = static_cast<float>(v[3]);
}

hgeSprite* hgeFont::SpriteFor(unsigned char c) const {
  if (letters[c]) return letters[c];
  return letters[static_cast<unsigned char>('?')];
}

float hgeFont::LineWidth(const char* text) const {
  float width = 0;
  for (; *text && *text != '\n'; ++text) {
    const unsigned char c = static_cast<unsigned char>(*text);
    const hgeSprite* sprite = SpriteFor(c);
    if (!sprite) continue;
    // A stand-in "?" measures with its own spacing.
    const unsigned char used = letters[c] ? c : static_cast<unsigned char>('?');
    width += sprite->width + pre[used] + post[used] + fTracking;
  }
  return width;
}

float hgeFont::GetStringWidth(const char* text) const {
  if (!text) return 0;
  return LineWidth(text) * fScale;
}

void hgeFont::Render(float x, float y, int align, const char* text) {
  if (!text) return;
  align &= 3;
  auto lineStart = [&](const char* lineText) {
    if (align == HGETEXT_RIGHT) return x - GetStringWidth(lineText);
    if (align == HGETEXT_CENTER) return x - std::nearbyint(GetStringWidth(lineText) / 2);
    return x;
  };
  float pen = lineStart(text);
  for (const char* s = text; *s; ++s) {
    if (*s == '\n') {
      y += std::nearbyint(fSpacing * fScale * fHeight);
      pen = lineStart(s + 1);
      continue;
    }
    const unsigned char c = static_cast<unsigned char>(*s);
    hgeSprite* sprite = SpriteFor(c);
    if (!sprite) continue;
    const unsigned char used = letters[c] ? c : static_cast<unsigned char>('?');
    pen += pre[used] * fScale;
    sprite->RenderEx(pen, y, fRot, fScale, 0);
    pen += (sprite->width + post[used] + fTracking) * fScale;
  }
}

void hgeFont::SetColor(uint32_t col) {
  dwCol = col;
  for (hgeSprite* letter : letters) {
    if (letter) letter->SetColor(col);
  }
}

void hgeFont::SetZ(float z) {
  fZ = z;
  for (hgeSprite* letter : letters) {
    if (letter) letter->SetZ(z);
  }
}

void hgeFont::SetBlendMode(int blend) {
  nBlend = blend;
  for (hgeSprite* letter : letters) {
    if (letter) letter->SetBlendMode(blend);
  }
}
