// The four particle descriptions, each a 128-byte little-endian ".psi" record.
// Velocities are pixels per update step and every owner steps its effect at a
// fraction of real time (trees and houses 1/2, people and sheep 1/10, planes
// 1/6, the lightning's sparks 1/1), so lives are in those slowed seconds.
#include <cstdint>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>

#include "tools/datagen/Generators.h"

namespace {

struct Color {
  float r, g, b, a;
};

struct Effect {
  int32_t emission;  // particles per (effect) second
  float lifetime;    // -1: until stopped
  float lifeMin, lifeMax;
  float direction, spread;  // radians, 0 up
  bool relative;
  float speedMin, speedMax;  // pixels per step
  float gravityMin, gravityMax;
  float radialMin, radialMax;
  float tangentialMin, tangentialMax;
  float sizeStart, sizeEnd, sizeVar;
  float spinStart, spinEnd, spinVar;
  Color colorStart, colorEnd;
  float colorVar, alphaVar;
};

class Record {
 public:
  Record() { std::memset(bytes_, 0, sizeof bytes_); }
  void Int(int offset, int32_t v) {
    uint32_t u;
    std::memcpy(&u, &v, sizeof u);
    for (int i = 0; i < 4; ++i) bytes_[offset + i] = static_cast<unsigned char>(u >> (8 * i));
  }
  void Float(int offset, float v) {
    int32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    Int(offset, bits);
  }
  void Byte(int offset, unsigned char v) { bytes_[offset] = v; }
  void Colour(int offset, const Color& c) {
    Float(offset, c.r);
    Float(offset + 4, c.g);
    Float(offset + 8, c.b);
    Float(offset + 12, c.a);
  }
  const char* data() const { return reinterpret_cast<const char*>(bytes_); }

 private:
  unsigned char bytes_[128];
};

void WriteEffect(const Output& out, const char* name, const Effect& e) {
  Record r;
  // Bytes 0-3 stand for the sprite in memory and stay zero in the file.
  r.Int(4, e.emission);
  r.Float(8, e.lifetime);
  r.Float(12, e.lifeMin);
  r.Float(16, e.lifeMax);
  r.Float(20, e.direction);
  r.Float(24, e.spread);
  r.Byte(28, e.relative ? 1 : 0);
  r.Float(32, e.speedMin);
  r.Float(36, e.speedMax);
  r.Float(40, e.gravityMin);
  r.Float(44, e.gravityMax);
  r.Float(48, e.radialMin);
  r.Float(52, e.radialMax);
  r.Float(56, e.tangentialMin);
  r.Float(60, e.tangentialMax);
  r.Float(64, e.sizeStart);
  r.Float(68, e.sizeEnd);
  r.Float(72, e.sizeVar);
  r.Float(76, e.spinStart);
  r.Float(80, e.spinEnd);
  r.Float(84, e.spinVar);
  r.Colour(88, e.colorStart);
  r.Colour(104, e.colorEnd);
  r.Float(120, e.colorVar);
  r.Float(124, e.alphaVar);

  const std::string path = DataPath(out.dataDir, name);
  std::ofstream file(path, std::ios::binary);
  file.write(r.data(), 128);
  if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace

void GenerateParticleFiles(const Output& out) {
  // Fire smoke: dark, fire-lit puffs that rise, swell and fade. At half speed
  // a puff lives 2-3 s and climbs some 120 px above a tree or house
  // (people and sheep step it at a tenth, so theirs lives and climbs five times longer).
  Effect smoke{};
  smoke.emission = 60;
  smoke.lifetime = -1;
  smoke.lifeMin = 0.9f;
  smoke.lifeMax = 1.3f;
  smoke.direction = 0;
  smoke.spread = 0.6f;
  smoke.speedMin = 0.55f;
  smoke.speedMax = 0.95f;
  smoke.gravityMin = -0.4f;
  smoke.gravityMax = -0.15f;
  smoke.tangentialMin = -0.3f;
  smoke.tangentialMax = 0.3f;
  smoke.sizeStart = 1.0f;
  smoke.sizeEnd = 2.6f;
  smoke.sizeVar = 0.3f;
  smoke.spinStart = -0.4f;
  smoke.spinEnd = 0.4f;
  smoke.spinVar = 1.0f;
  smoke.colorStart = {0.32f, 0.24f, 0.2f, 0.85f};
  smoke.colorEnd = {0.06f, 0.06f, 0.07f, 0.0f};
  smoke.colorVar = 0.3f;
  smoke.alphaVar = 0.1f;
  WriteEffect(out, "Smoke.psi", smoke);

  // Steam from put-out fires (and a person's last puff): white, softer and
  // slower than the fire smoke, widening as it goes.
  Effect steam{};
  steam.emission = 40;
  steam.lifetime = -1;
  steam.lifeMin = 0.9f;
  steam.lifeMax = 1.3f;
  steam.direction = 0;
  steam.spread = 0.8f;
  steam.speedMin = 0.4f;
  steam.speedMax = 0.8f;
  steam.gravityMin = -0.3f;
  steam.gravityMax = -0.1f;
  steam.tangentialMin = -0.4f;
  steam.tangentialMax = 0.4f;
  steam.sizeStart = 0.7f;
  steam.sizeEnd = 2.0f;
  steam.sizeVar = 0.3f;
  steam.spinStart = -0.3f;
  steam.spinEnd = 0.3f;
  steam.spinVar = 1.0f;
  steam.colorStart = {0.97f, 0.97f, 1.0f, 0.7f};
  steam.colorEnd = {0.85f, 0.88f, 0.92f, 0.0f};
  steam.colorVar = 0.1f;
  steam.alphaVar = 0.2f;
  WriteEffect(out, "SmokeWhite.psi", steam);

  // Sparks at the bolt's foot, stepped in real time: eight a frame burst
  // upward and sideways at 2.5-7 px a frame, arc down under gravity and burn out
  // from yellow-white to orange within 0.3-0.7 s.
  Effect sparks{};
  sparks.emission = 480;
  sparks.lifetime = -1;
  sparks.lifeMin = 0.3f;
  sparks.lifeMax = 0.7f;
  sparks.direction = 0;
  sparks.spread = 2.8f;
  sparks.speedMin = 2.5f;
  sparks.speedMax = 7.0f;
  sparks.gravityMin = 8.0f;
  sparks.gravityMax = 14.0f;
  sparks.radialMin = 0;
  sparks.radialMax = 4.0f;
  sparks.sizeStart = 0.5f;
  sparks.sizeEnd = 0.15f;
  sparks.sizeVar = 0.4f;
  sparks.spinStart = 0;
  sparks.spinEnd = 0;
  sparks.colorStart = {1.0f, 1.0f, 0.85f, 1.0f};
  sparks.colorEnd = {1.0f, 0.5f, 0.08f, 0.0f};
  sparks.colorVar = 0.25f;
  sparks.alphaVar = 0.0f;
  WriteEffect(out, "Sparks.psi", sparks);

  // Plane exhaust: fired once and then only moved, so it emits until stopped,
  // backwards along the flight (relative direction) and spread along the path
  // flown between steps. Grey puffs swell and fade in about 2-3 s at 1/6 speed.
  Effect exhaust{};
  exhaust.emission = 180;
  exhaust.lifetime = -1;
  exhaust.lifeMin = 0.35f;
  exhaust.lifeMax = 0.6f;
  exhaust.direction = 0;
  exhaust.spread = 0.5f;
  exhaust.relative = true;
  exhaust.speedMin = 0.2f;
  exhaust.speedMax = 0.6f;
  exhaust.gravityMin = -0.3f;
  exhaust.gravityMax = -0.1f;
  exhaust.sizeStart = 0.35f;
  exhaust.sizeEnd = 1.3f;
  exhaust.sizeVar = 0.2f;
  exhaust.spinStart = -0.5f;
  exhaust.spinEnd = 0.5f;
  exhaust.spinVar = 1.0f;
  exhaust.colorStart = {0.5f, 0.5f, 0.52f, 0.6f};
  exhaust.colorEnd = {0.8f, 0.8f, 0.82f, 0.0f};
  exhaust.colorVar = 0.15f;
  exhaust.alphaVar = 0.1f;
  WriteEffect(out, "PlaneSmoke.psi", exhaust);
}
