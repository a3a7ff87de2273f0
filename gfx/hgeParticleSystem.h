// Particle effects read from 128-byte ".psi" records: smoke, steam, sparks and
// exhaust, emitted from a point the owner moves. A system holds a fixed pool of
// 500 particles and never allocates after construction; one sprite, not owned,
// draws every particle.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/hge.h"
#include "engine/hgeVector.h"

class hgeSprite;

constexpr int MAX_PARTICLES = 500;
// Size of a ".psi" record; only that many bytes of a file are read.
constexpr int PARTICLE_INFO_SIZE = 128;

struct hgeColor {
  float r, g, b, a;
};

// Box round a set of points; clean until the first point goes in.
struct hgeRect {
  float x1, y1, x2, y2;
  bool bClean;

  void Clear() { bClean = true; }
  void Encapsulate(float x, float y);
};

struct hgeParticle {
  hgeVector vecLocation;
  hgeVector vecVelocity;
  float fGravity;
  float fRadialAccel;
  float fTangentialAccel;
  float fSpin;
  float fSpinDelta;
  float fSize;
  float fSizeDelta;
  hgeColor colColor;
  hgeColor colColorDelta;
  float fAge;
  float fTerminalAge;
};

// The description an effect is made from, as a ".psi" file stores it
// (little-endian, byte offsets in the comments).
struct hgeParticleSystemInfo {
  hgeSprite* sprite;          // 0: four bytes in the file, not used; the constructor's sprite
  int32_t nEmission;          // 4: particles per second
  float fLifetime;            // 8: seconds of emission after Fire, -1 until stopped
  float fParticleLifeMin;     // 12
  float fParticleLifeMax;     // 16
  float fDirection;           // 20: radians, 0 straight up, pi/2 to the right
  float fSpread;              // 24: radians, centred on the direction
  bool bRelative;             // 28: direction from the emitter's movement; 29-31 padding
  float fSpeedMin;            // 32: pixels per step
  float fSpeedMax;            // 36
  float fGravityMin;          // 40
  float fGravityMax;          // 44
  float fRadialAccelMin;      // 48
  float fRadialAccelMax;      // 52
  float fTangentialAccelMin;  // 56
  float fTangentialAccelMax;  // 60
  float fSizeStart;           // 64: sprite scale at birth
  float fSizeEnd;             // 68
  float fSizeVar;             // 72
  float fSpinStart;           // 76: radians per second
  float fSpinEnd;             // 80
  float fSpinVar;             // 84
  hgeColor colColorStart;     // 88: r, g, b, a
  hgeColor colColorEnd;       // 104
  float fColorVar;            // 120
  float fAlphaVar;            // 124

  // Fills the record from the first 128 bytes of a ".psi" file; the sprite is
  // left null. Values are taken byte by byte, independent of the host's layout.
  void ReadFrom(const unsigned char* bytes);
};

class hgeParticleSystem {
 public:
  hgeParticleSystem(const char* filename, hgeSprite* sprite, float fps = 0.0f);
  hgeParticleSystem(const hgeParticleSystem& other);
  hgeParticleSystem& operator=(const hgeParticleSystem&) = delete;
  ~hgeParticleSystem();

  // Every system that exists now, for tools that count what is alive.
  static const std::vector<const hgeParticleSystem*>& Existing();
  // The particles alive in all of them.
  static long ParticlesAlive();

  void Fire();
  void FireAt(float x, float y);
  void Stop(bool killParticles = false);
  void MoveTo(float x, float y, bool moveParticles = false);
  void Update(float deltaTime);
  void Render();

  hgeParticleSystemInfo info;
  // False when the ".psi" could not be read in full: the system stays inert.
  bool bHasInfo;
  float fUpdSpeed;
  float fResidue;
  float fAge;  // -2 stopped, -1 emitting without end, else seconds since Fire
  float fEmissionResidue;
  hgeVector vecPrevLocation;
  hgeVector vecLocation;
  float fTx, fTy;
  int32_t nParticlesAlive;
  hgeRect rcBoundingBox;
  bool bUpdateBoundingBox;
  hgeParticle particles[MAX_PARTICLES];

 private:
  void Step(float dt);
  void Emit(float dt);

  HGE* hge;
};

// The fast approximate 1/sqrt(v) the particles' radial directions are made with.
float ParticleInvSqrt(float v);
// Packs a colour the way particles are drawn: each channel times 255, rounded,
// shifted into place and added with 32-bit wrap-around (no clamping).
uint32_t PackParticleColor(const hgeColor& c);
