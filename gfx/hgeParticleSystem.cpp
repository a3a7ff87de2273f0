// Particle emission, motion and drawing. Every random number comes from the
// engine in a fixed order per particle, so a seeded engine replays an effect
// exactly. A system whose ".psi" could not be read is inert.
#include "gfx/hgeParticleSystem.h"

#include <cmath>
#include <cstring>

#include "gfx/hgeSprite.h"

namespace {

constexpr float kHalfPi = 1.5707963267948966f;

int32_t ReadInt32(const unsigned char* b) {
  const uint32_t u = static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                     (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
  int32_t v;
  std::memcpy(&v, &u, sizeof v);
  return v;
}

float ReadFloat(const unsigned char* b) {
  const int32_t bits = ReadInt32(b);
  float v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

hgeColor ReadColor(const unsigned char* b) {
  return {ReadFloat(b), ReadFloat(b + 4), ReadFloat(b + 8), ReadFloat(b + 12)};
}

// A channel value times 255, rounded, reduced modulo 2^32 without undefined
// conversions (negative, huge and non-finite values included).
uint32_t ChannelBits(float channel) {
  double v = std::nearbyint(static_cast<double>(channel) * 255.0);
  if (!std::isfinite(v)) return 0;
  v = std::fmod(v, 4294967296.0);  // exact; |v| < 2^32 now
  return static_cast<uint32_t>(static_cast<int64_t>(v));
}

}  // namespace

void hgeRect::Encapsulate(float x, float y) {
  if (bClean) {
    x1 = x2 = x;
    y1 = y2 = y;
    bClean = false;
    return;
  }
  if (x < x1) x1 = x;
  if (x > x2) x2 = x;
  if (y < y1) y1 = y;
  if (y > y2) y2 = y;
}

void hgeParticleSystemInfo::ReadFrom(const unsigned char* b) {
  sprite = nullptr;  // bytes 0-3 name the writer's sprite, meaningless here
  nEmission = ReadInt32(b + 4);
  fLifetime = ReadFloat(b + 8);
  fParticleLifeMin = ReadFloat(b + 12);
  fParticleLifeMax = ReadFloat(b + 16);
  fDirection = ReadFloat(b + 20);
  fSpread = ReadFloat(b + 24);
  bRelative = b[28] != 0;
  fSpeedMin = ReadFloat(b + 32);
  fSpeedMax = ReadFloat(b + 36);
  fGravityMin = ReadFloat(b + 40);
  fGravityMax = ReadFloat(b + 44);
  fRadialAccelMin = ReadFloat(b + 48);
  fRadialAccelMax = ReadFloat(b + 52);
  fTangentialAccelMin = ReadFloat(b + 56);
  fTangentialAccelMax = ReadFloat(b + 60);
  fSizeStart = ReadFloat(b + 64);
  fSizeEnd = ReadFloat(b + 68);
  fSizeVar = ReadFloat(b + 72);
  fSpinStart = ReadFloat(b + 76);
  fSpinEnd = ReadFloat(b + 80);
  fSpinVar = ReadFloat(b + 84);
  colColorStart = ReadColor(b + 88);
  colColorEnd = ReadColor(b + 104);
  fColorVar = ReadFloat(b + 120);
  fAlphaVar = ReadFloat(b + 124);
}

float ParticleInvSqrt(float v) {
  int32_t i;
  std::memcpy(&i, &v, sizeof i);
  i = 0x5F3759DF - (i >> 1);
  float y;
  std::memcpy(&y, &i, sizeof y);
  return y * (1.5f - 0.4999f * v * y * y);
}

uint32_t PackParticleColor(const hgeColor& c) {
  return (ChannelBits(c.a) << 24) + (ChannelBits(c.r) << 16) + (ChannelBits(c.g) << 8) +
         ChannelBits(c.b);
}

namespace {

std::vector<const hgeParticleSystem*>& Registry() {
  static std::vector<const hgeParticleSystem*> systems;
  return systems;
}

}  // namespace

const std::vector<const hgeParticleSystem*>& hgeParticleSystem::Existing() { return Registry(); }

long hgeParticleSystem::ParticlesAlive() {
  long alive = 0;
  for (const hgeParticleSystem* system : Registry()) alive += system->nParticlesAlive;
  return alive;
}

hgeParticleSystem::hgeParticleSystem(const char* filename, hgeSprite* sprite, float fps)
    : info(),
      bHasInfo(false),
      fUpdSpeed(0),
      fResidue(0),
      fAge(-2.0f),
      fEmissionResidue(0),
      vecPrevLocation(0, 0),
      vecLocation(0, 0),
      fTx(0),
      fTy(0),
      nParticlesAlive(0),
      rcBoundingBox{0, 0, 0, 0, true},
      bUpdateBoundingBox(false),
      particles(),
      hge(hgeCreate(HGE_VERSION)) {
  Registry().push_back(this);
  uint32_t size = 0;
  void* data = hge->Resource_Load(filename, &size);
  if (!data) return;
  if (size >= static_cast<uint32_t>(PARTICLE_INFO_SIZE)) {
    info.ReadFrom(static_cast<const unsigned char*>(data));
    info.sprite = sprite;
    bHasInfo = true;
  }
  hge->Resource_Free(data);
  if (fps != 0.0f) fUpdSpeed = 1.0f / fps;
}

hgeParticleSystem::hgeParticleSystem(const hgeParticleSystem& o)
    : info(o.info),
      bHasInfo(o.bHasInfo),
      fUpdSpeed(o.fUpdSpeed),
      fResidue(o.fResidue),
      fAge(o.fAge),
      fEmissionResidue(o.fEmissionResidue),
      vecPrevLocation(o.vecPrevLocation),
      vecLocation(o.vecLocation),
      fTx(o.fTx),
      fTy(o.fTy),
      nParticlesAlive(o.nParticlesAlive),
      rcBoundingBox(o.rcBoundingBox),
      bUpdateBoundingBox(o.bUpdateBoundingBox),
      hge(hgeCreate(HGE_VERSION)) {
  std::memcpy(particles, o.particles, sizeof particles);
  Registry().push_back(this);
}

hgeParticleSystem::~hgeParticleSystem() {
  std::vector<const hgeParticleSystem*>& systems = Registry();
  for (size_t i = 0; i < systems.size(); ++i) {
    if (systems[i] == this) {
      systems[i] = systems.back();
      systems.pop_back();
      break;
    }
  }
  hge->Release();
}

void hgeParticleSystem::Fire() {
  fAge = info.fLifetime == -1.0f ? -1.0f : 0.0f;
  fResidue = 0;
}

void hgeParticleSystem::FireAt(float x, float y) {
  Stop(false);
  MoveTo(x, y, false);
  Fire();
}

void hgeParticleSystem::Stop(bool killParticles) {
  fAge = -2.0f;
  if (killParticles) {
    nParticlesAlive = 0;
    rcBoundingBox.Clear();
  }
}

void hgeParticleSystem::MoveTo(float x, float y, bool moveParticles) {
  if (moveParticles) {
    const hgeVector d = hgeVector(x, y) - vecLocation;
    for (int i = 0; i < nParticlesAlive; ++i) particles[i].vecLocation += d;
    vecPrevLocation += d;
  } else if (fAge == -2.0f) {
    // A stopped emitter jumps, so its next emission does not smear along the way.
    vecPrevLocation = hgeVector(x, y);
  } else {
    vecPrevLocation = vecLocation;
  }
  vecLocation = hgeVector(x, y);
}

void hgeParticleSystem::Update(float deltaTime) {
  if (!(fUpdSpeed > 0.0f)) {
    Step(deltaTime);
    return;
  }
  fResidue += deltaTime;
  if (fResidue < fUpdSpeed) return;
  Step(fUpdSpeed);
  // At most one step per call: the rest of a long delay is dropped.
  for (int n = 0; fResidue >= fUpdSpeed; ++n) {
    if (n == 1000) {
      fResidue = std::fmod(fResidue, fUpdSpeed);
      break;
    }
    fResidue -= fUpdSpeed;
  }
}

void hgeParticleSystem::Step(float dt) {
  if (!bHasInfo) return;
  if (fAge >= 0) {
    fAge += dt;
    if (fAge >= info.fLifetime) fAge = -2.0f;
  }
  if (bUpdateBoundingBox) rcBoundingBox.Clear();

  for (int i = 0; i < nParticlesAlive;) {
    hgeParticle& p = particles[i];
    p.fAge += dt;
    if (p.fAge >= p.fTerminalAge) {
      // The last living particle takes this slot and is processed in it.
      --nParticlesAlive;
      p = particles[nParticlesAlive];
      continue;
    }
    const hgeVector d = p.vecLocation - vecLocation;
    const hgeVector n = d * ParticleInvSqrt(d.x * d.x + d.y * d.y);
    const hgeVector radial = n * p.fRadialAccel;
    const hgeVector tangential = hgeVector(-n.y, n.x) * p.fTangentialAccel;
    p.vecVelocity += (radial + tangential) * dt;
    p.vecVelocity.y += p.fGravity * dt;
    p.vecLocation += p.vecVelocity;  // velocity is in pixels per step

    p.fSpin += p.fSpinDelta * dt;
    p.fSize += p.fSizeDelta * dt;
    p.colColor.r += p.colColorDelta.r * dt;
    p.colColor.g += p.colColorDelta.g * dt;
    p.colColor.b += p.colColorDelta.b * dt;
    p.colColor.a += p.colColorDelta.a * dt;
    if (bUpdateBoundingBox) rcBoundingBox.Encapsulate(p.vecLocation.x, p.vecLocation.y);
    ++i;
  }

  if (fAge != -2.0f) Emit(dt);
  vecPrevLocation = vecLocation;
}

void hgeParticleSystem::Emit(float dt) {
  const float needed = static_cast<float>(info.nEmission) * dt + fEmissionResidue;
  const float count = std::nearbyint(needed);  // halves go to the even neighbour
  fEmissionResidue = needed - count;
  // Compared as floats, so a wild record cannot make an out-of-range integer.
  const float room = static_cast<float>(MAX_PARTICLES - nParticlesAlive);
  const int make = count > 0.0f ? static_cast<int>(count < room ? count : room) : 0;

  const hgeParticleSystemInfo& in = info;
  for (int k = 0; k < make; ++k) {
    hgeParticle& p = particles[nParticlesAlive];
    p.fAge = 0;
    p.fTerminalAge = hge->Random_Float(in.fParticleLifeMin, in.fParticleLifeMax);

    p.vecLocation = vecPrevLocation + (vecLocation - vecPrevLocation) * hge->Random_Float(0, 1);
    p.vecLocation.x += hge->Random_Float(-2.0f, 2.0f);
    p.vecLocation.y += hge->Random_Float(-2.0f, 2.0f);

    float angle = in.fDirection - kHalfPi + hge->Random_Float(0, in.fSpread) - in.fSpread / 2.0f;
    if (in.bRelative) {
      const hgeVector back = vecPrevLocation - vecLocation;
      angle += std::atan2(back.y, back.x) + kHalfPi;
    }
    p.vecVelocity =
        hgeVector(std::cos(angle), std::sin(angle)) * hge->Random_Float(in.fSpeedMin, in.fSpeedMax);

    p.fGravity = hge->Random_Float(in.fGravityMin, in.fGravityMax);
    p.fRadialAccel = hge->Random_Float(in.fRadialAccelMin, in.fRadialAccelMax);
    p.fTangentialAccel = hge->Random_Float(in.fTangentialAccelMin, in.fTangentialAccelMax);

    p.fSize = hge->Random_Float(in.fSizeStart,
                                in.fSizeStart + (in.fSizeEnd - in.fSizeStart) * in.fSizeVar);
    p.fSizeDelta = (in.fSizeEnd - p.fSize) / p.fTerminalAge;
    p.fSpin = hge->Random_Float(in.fSpinStart,
                                in.fSpinStart + (in.fSpinEnd - in.fSpinStart) * in.fSpinVar);
    p.fSpinDelta = (in.fSpinEnd - p.fSpin) / p.fTerminalAge;

    const hgeColor& s = in.colColorStart;
    const hgeColor& e = in.colColorEnd;
    p.colColor.r = hge->Random_Float(s.r, s.r + (e.r - s.r) * in.fColorVar);
    p.colColor.g = hge->Random_Float(s.g, s.g + (e.g - s.g) * in.fColorVar);
    p.colColor.b = hge->Random_Float(s.b, s.b + (e.b - s.b) * in.fColorVar);
    p.colColor.a = hge->Random_Float(s.a, s.a + (e.a - s.a) * in.fAlphaVar);
    p.colColorDelta.r = (e.r - p.colColor.r) / p.fTerminalAge;
    p.colColorDelta.g = (e.g - p.colColor.g) / p.fTerminalAge;
    p.colColorDelta.b = (e.b - p.colColor.b) / p.fTerminalAge;
    p.colColorDelta.a = (e.a - p.colColor.a) / p.fTerminalAge;

    if (bUpdateBoundingBox) rcBoundingBox.Encapsulate(p.vecLocation.x, p.vecLocation.y);
    ++nParticlesAlive;
  }
}

void hgeParticleSystem::Render() {
  hgeSprite* sprite = info.sprite;
  if (!bHasInfo || !sprite) return;
  const uint32_t saved = sprite->GetColor(0);
  for (int i = 0; i < nParticlesAlive; ++i) {
    const hgeParticle& p = particles[i];
    sprite->SetColor(PackParticleColor(p.colColor));
    sprite->RenderEx(p.vecLocation.x + fTx, p.vecLocation.y + fTy, p.fSpin * p.fAge, p.fSize, 0);
  }
  sprite->SetColor(saved);
}
