// Particle systems: reading ".psi" records, emission counts with half-to-even
// residues, firing, stopping and moving, the 500-particle pool, the order of
// the random draws, colour packing with wrap-around and inert broken files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "engine/hge.h"
#include "gfx/hgeParticleSystem.h"
#include "gfx/hgeSprite.h"
#include "tests/HeadlessEngine.h"

namespace {

// A description in memory, written to disk byte by byte, little-endian.
struct Psi {
  int32_t emission = 10;
  float lifetime = -1, lifeMin = 100, lifeMax = 100;
  float direction = 0, spread = 0;
  bool relative = false;
  float speedMin = 0, speedMax = 0, gravityMin = 0, gravityMax = 0;
  float radialMin = 0, radialMax = 0, tangentialMin = 0, tangentialMax = 0;
  float sizeStart = 1, sizeEnd = 1, sizeVar = 0;
  float spinStart = 0, spinEnd = 0, spinVar = 0;
  hgeColor start{1, 1, 1, 1}, end{1, 1, 1, 1};
  float colorVar = 0, alphaVar = 0;

  std::string Bytes() const {
    std::string b(128, '\0');
    auto put = [&](int at, const void* v) {
      uint32_t u;
      std::memcpy(&u, v, 4);
      for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(u >> (8 * i));
    };
    b[0] = 0x12;  // a stale sprite pointer from the writer: must be ignored
    b[3] = 0x7F;
    put(4, &emission);
    const float floats1[] = {lifetime, lifeMin, lifeMax, direction, spread};
    for (int i = 0; i < 5; ++i) put(8 + 4 * i, &floats1[i]);
    b[28] = relative ? 1 : 0;
    const float floats2[] = {speedMin,  speedMax,      gravityMin,    gravityMax, radialMin,
                             radialMax, tangentialMin, tangentialMax, sizeStart,  sizeEnd,
                             sizeVar,   spinStart,     spinEnd,       spinVar,    start.r,
                             start.g,   start.b,       start.a,       end.r,      end.g,
                             end.b,     end.a,         colorVar,      alphaVar};
    for (int i = 0; i < 24; ++i) put(32 + 4 * i, &floats2[i]);
    return b;
  }
};

class ParticleSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hge = HeadlessEngine();
    ASSERT_NE(hge, nullptr);
    folder = TestFolder("particles");
    hge->Random_Seed(7);
    spriteHolder = std::make_unique<hgeSprite>(0, 0.0f, 0.0f, 32.0f, 32.0f);
  }
  std::string Write(const std::string& bytes, const std::string& name = "test.psi") {
    const std::string path = folder + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  std::unique_ptr<hgeParticleSystem> Make(const Psi& psi, float fps = 0) {
    return std::make_unique<hgeParticleSystem>(Write(psi.Bytes()).c_str(), spriteHolder.get(), fps);
  }

  HGE* hge = nullptr;
  std::string folder;
  // Made after the engine is up; `sprite` is the plain name the tests use.
  std::unique_ptr<hgeSprite> spriteHolder;
  hgeSprite& sprite() { return *spriteHolder; }
};

TEST_F(ParticleSystemTest, EveryFieldIsReadFromItsOffset) {
  Psi psi;
  psi.emission = -123456;
  psi.lifetime = 2.5f;
  psi.lifeMin = 0.25f;
  psi.lifeMax = 0.75f;
  psi.direction = 1.5f;
  psi.spread = 0.5f;
  psi.relative = true;
  psi.speedMin = 3;
  psi.speedMax = 4;
  psi.gravityMin = -5;
  psi.gravityMax = 6;
  psi.radialMin = 7;
  psi.radialMax = 8;
  psi.tangentialMin = 9;
  psi.tangentialMax = 10;
  psi.sizeStart = 11;
  psi.sizeEnd = 12;
  psi.sizeVar = 0.125f;
  psi.spinStart = 13;
  psi.spinEnd = 14;
  psi.spinVar = 0.375f;
  psi.start = {0.1f, 0.2f, 0.3f, 0.4f};
  psi.end = {0.5f, 0.6f, 0.7f, 0.8f};
  psi.colorVar = 0.9f;
  psi.alphaVar = 0.0625f;
  auto ps = Make(psi);
  const hgeParticleSystemInfo& i = ps->info;
  EXPECT_TRUE(ps->bHasInfo);
  EXPECT_EQ(i.sprite, &sprite());
  EXPECT_EQ(i.nEmission, -123456);
  EXPECT_FLOAT_EQ(i.fLifetime, 2.5f);
  EXPECT_FLOAT_EQ(i.fParticleLifeMin, 0.25f);
  EXPECT_FLOAT_EQ(i.fParticleLifeMax, 0.75f);
  EXPECT_FLOAT_EQ(i.fDirection, 1.5f);
  EXPECT_FLOAT_EQ(i.fSpread, 0.5f);
  EXPECT_TRUE(i.bRelative);
  EXPECT_FLOAT_EQ(i.fSpeedMin, 3);
  EXPECT_FLOAT_EQ(i.fSpeedMax, 4);
  EXPECT_FLOAT_EQ(i.fGravityMin, -5);
  EXPECT_FLOAT_EQ(i.fGravityMax, 6);
  EXPECT_FLOAT_EQ(i.fRadialAccelMin, 7);
  EXPECT_FLOAT_EQ(i.fRadialAccelMax, 8);
  EXPECT_FLOAT_EQ(i.fTangentialAccelMin, 9);
  EXPECT_FLOAT_EQ(i.fTangentialAccelMax, 10);
  EXPECT_FLOAT_EQ(i.fSizeStart, 11);
  EXPECT_FLOAT_EQ(i.fSizeEnd, 12);
  EXPECT_FLOAT_EQ(i.fSizeVar, 0.125f);
  EXPECT_FLOAT_EQ(i.fSpinStart, 13);
  EXPECT_FLOAT_EQ(i.fSpinEnd, 14);
  EXPECT_FLOAT_EQ(i.fSpinVar, 0.375f);
  EXPECT_FLOAT_EQ(i.colColorStart.r, 0.1f);
  EXPECT_FLOAT_EQ(i.colColorStart.a, 0.4f);
  EXPECT_FLOAT_EQ(i.colColorEnd.g, 0.6f);
  EXPECT_FLOAT_EQ(i.colColorEnd.b, 0.7f);
  EXPECT_FLOAT_EQ(i.colColorEnd.a, 0.8f);
  EXPECT_FLOAT_EQ(i.fColorVar, 0.9f);
  EXPECT_FLOAT_EQ(i.fAlphaVar, 0.0625f);
}

TEST_F(ParticleSystemTest, ANewSystemIsStoppedAndEmpty) {
  auto ps = Make(Psi());
  EXPECT_FLOAT_EQ(ps->fAge, -2);
  EXPECT_EQ(ps->nParticlesAlive, 0);
  EXPECT_FLOAT_EQ(ps->fUpdSpeed, 0);
  EXPECT_FALSE(ps->bUpdateBoundingBox);
  EXPECT_EQ(ps->vecLocation, hgeVector(0, 0));
  ps->Update(1);
  EXPECT_EQ(ps->nParticlesAlive, 0);
}

TEST_F(ParticleSystemTest, EmissionResidueRoundsHalvesToEven) {
  Psi psi;
  psi.emission = 6;
  auto ps = Make(psi);
  ps->Fire();
  int counts[6];
  for (int& c : counts) {
    const int before = ps->nParticlesAlive;
    ps->Update(0.25f);
    c = ps->nParticlesAlive - before;
  }
  EXPECT_EQ(counts[0], 2);  // 1.5 -> 2, residue -0.5
  EXPECT_EQ(counts[1], 1);  // 1.0
  EXPECT_EQ(counts[2], 2);
  EXPECT_EQ(counts[3], 1);
  EXPECT_EQ(counts[4], 2);
  EXPECT_EQ(counts[5], 1);
  EXPECT_FLOAT_EQ(ps->fEmissionResidue, 0);
}

TEST_F(ParticleSystemTest, FireWithoutLifetimeEmitsUntilStopped) {
  auto ps = Make(Psi());  // lifetime -1
  ps->Fire();
  EXPECT_FLOAT_EQ(ps->fAge, -1);
  for (int i = 0; i < 20; ++i) ps->Update(0.5f);
  EXPECT_FLOAT_EQ(ps->fAge, -1);
  EXPECT_EQ(ps->nParticlesAlive, 100);
}

TEST_F(ParticleSystemTest, AFiniteLifetimeStopsEmissionWhenReached) {
  Psi psi;
  psi.lifetime = 1;
  auto ps = Make(psi);
  ps->Fire();
  EXPECT_FLOAT_EQ(ps->fAge, 0);
  ps->Update(0.5f);
  EXPECT_EQ(ps->nParticlesAlive, 5);
  ps->Update(0.5f);  // age reaches the lifetime before this step's emission
  EXPECT_FLOAT_EQ(ps->fAge, -2);
  EXPECT_EQ(ps->nParticlesAlive, 5);
  ps->FireAt(0, 0);  // restarts the age
  ps->Update(0.5f);
  EXPECT_EQ(ps->nParticlesAlive, 10);
}

TEST_F(ParticleSystemTest, FireAtOnAStoppedSystemDoesNotSmearAlongTheJump) {
  Psi psi;
  psi.emission = 400;
  auto ps = Make(psi);
  ps->FireAt(100, 200);
  EXPECT_EQ(ps->vecPrevLocation, hgeVector(100, 200));
  ps->Update(1);
  ASSERT_EQ(ps->nParticlesAlive, 400);
  for (int i = 0; i < ps->nParticlesAlive; ++i) {
    const hgeVector p = ps->particles[i].vecLocation;
    EXPECT_LE(std::fabs(p.x - 100), 2.0f);
    EXPECT_LE(std::fabs(p.y - 200), 2.0f);
  }
}

TEST_F(ParticleSystemTest, MovingAFiringSystemSpreadsEmissionAlongThePath) {
  Psi psi;
  psi.emission = 400;
  auto ps = Make(psi);
  ps->Fire();
  ps->MoveTo(100, 0);
  EXPECT_EQ(ps->vecPrevLocation, hgeVector(0, 0));
  ps->Update(1);
  float lo = 1e9f, hi = -1e9f;
  for (int i = 0; i < ps->nParticlesAlive; ++i) {
    lo = std::min(lo, ps->particles[i].vecLocation.x);
    hi = std::max(hi, ps->particles[i].vecLocation.x);
  }
  EXPECT_LT(lo, 10);
  EXPECT_GT(hi, 90);
  EXPECT_EQ(ps->vecPrevLocation, hgeVector(100, 0));  // each step ends there
}

TEST_F(ParticleSystemTest, MoveToWithParticlesShiftsThemAll) {
  auto ps = Make(Psi());
  ps->FireAt(10, 10);
  ps->Update(1);
  const hgeVector before = ps->particles[3].vecLocation;
  ps->MoveTo(15, 7, true);
  EXPECT_EQ(ps->particles[3].vecLocation, before + hgeVector(5, -3));
  EXPECT_EQ(ps->vecLocation, hgeVector(15, 7));
  EXPECT_EQ(ps->vecPrevLocation, hgeVector(15, 7));
}

TEST_F(ParticleSystemTest, StopKillsOrLetsParticlesFinish) {
  Psi psi;
  psi.lifeMin = psi.lifeMax = 1.0f;
  auto ps = Make(psi);
  ps->Fire();
  ps->Update(0.5f);
  ASSERT_EQ(ps->nParticlesAlive, 5);
  ps->Stop(false);
  ps->Update(0.25f);
  EXPECT_EQ(ps->nParticlesAlive, 5);  // still living, no new ones
  ps->Update(0.75f);
  EXPECT_EQ(ps->nParticlesAlive, 0);  // their second of life is over
  ps->Fire();
  ps->Update(0.5f);
  ps->Stop(true);
  EXPECT_EQ(ps->nParticlesAlive, 0);
  EXPECT_FLOAT_EQ(ps->fAge, -2);
}

TEST_F(ParticleSystemTest, ThePoolHoldsAtMost500) {
  Psi psi;
  psi.emission = 100000;
  auto ps = Make(psi);
  ps->Fire();
  ps->Update(0.1f);
  EXPECT_EQ(ps->nParticlesAlive, MAX_PARTICLES);
  EXPECT_NEAR(ps->fEmissionResidue, 0, 0.01f);  // the surplus is not carried over
  ps->Update(0.1f);
  EXPECT_EQ(ps->nParticlesAlive, MAX_PARTICLES);
}

TEST_F(ParticleSystemTest, AWildEmissionRateNeverOverflows) {
  for (int32_t emission : {INT32_MAX, INT32_MIN, -5}) {
    Psi psi;
    psi.emission = emission;
    auto ps = Make(psi);
    ps->Fire();
    ps->Update(1e30f);
    EXPECT_GE(ps->nParticlesAlive, 0);
    EXPECT_LE(ps->nParticlesAlive, MAX_PARTICLES);
  }
}

TEST_F(ParticleSystemTest, DyingParticlesAreReplacedByTheLastLiving) {
  auto ps = Make(Psi());
  ps->nParticlesAlive = 4;
  for (int i = 0; i < 4; ++i) {
    ps->particles[i] = hgeParticle{};
    ps->particles[i].vecLocation = hgeVector(static_cast<float>(i), 0);
    ps->particles[i].fTerminalAge = (i == 0 || i == 3) ? 0.5f : 10.0f;
  }
  ps->Update(1);
  ASSERT_EQ(ps->nParticlesAlive, 2);
  // Slot 0 died, took the last (3, also dying), died again and took 2.
  EXPECT_FLOAT_EQ(ps->particles[0].vecLocation.x, 2);
  EXPECT_FLOAT_EQ(ps->particles[1].vecLocation.x, 1);
  EXPECT_FLOAT_EQ(ps->particles[0].fAge, 1);  // aged once
}

TEST_F(ParticleSystemTest, ParticleMotionUsesStepVelocityAndPerSecondAccelerations) {
  auto ps = Make(Psi());
  ps->MoveTo(0, 0);
  ps->nParticlesAlive = 1;
  hgeParticle& p = ps->particles[0];
  p = hgeParticle{};
  p.fTerminalAge = 100;
  p.vecLocation = hgeVector(30, 40);  // 50 px from the emitter
  p.vecVelocity = hgeVector(1, 2);
  p.fGravity = 10;
  p.fRadialAccel = 100;
  p.fTangentialAccel = 50;
  p.fSizeDelta = 2;
  p.fSpinDelta = 3;
  p.colColorDelta = {0.1f, 0.2f, 0.3f, -0.4f};
  ps->Update(0.5f);
  const float k = ParticleInvSqrt(2500.0f);
  const float nx = 30 * k, ny = 40 * k;
  const float vx = 1 + (nx * 100 + -ny * 50) * 0.5f;
  const float vy = 2 + (ny * 100 + nx * 50) * 0.5f + 10 * 0.5f;
  EXPECT_FLOAT_EQ(p.vecVelocity.x, vx);
  EXPECT_FLOAT_EQ(p.vecVelocity.y, vy);
  EXPECT_FLOAT_EQ(p.vecLocation.x, 30 + vx);  // not times dt
  EXPECT_FLOAT_EQ(p.vecLocation.y, 40 + vy);
  EXPECT_FLOAT_EQ(p.fSize, 1);
  EXPECT_FLOAT_EQ(p.fSpin, 1.5f);
  EXPECT_FLOAT_EQ(p.colColor.a, -0.2f);
}

TEST_F(ParticleSystemTest, AParticleAtTheEmitterGetsNoRadialPush) {
  auto ps = Make(Psi());
  ps->MoveTo(20, 20);
  ps->nParticlesAlive = 1;
  hgeParticle& p = ps->particles[0];
  p = hgeParticle{};
  p.fTerminalAge = 100;
  p.vecLocation = hgeVector(20, 20);
  p.fRadialAccel = 1000;
  p.fTangentialAccel = 1000;
  ps->Update(0.5f);
  EXPECT_EQ(p.vecVelocity, hgeVector(0, 0));
  EXPECT_EQ(p.vecLocation, hgeVector(20, 20));
}

TEST_F(ParticleSystemTest, InvSqrtIsTheFastApproximation) {
  EXPECT_NEAR(ParticleInvSqrt(4), 0.5f, 0.5f * 2e-3f);
  EXPECT_NEAR(ParticleInvSqrt(2500), 0.02f, 0.02f * 2e-3f);
  EXPECT_NE(ParticleInvSqrt(2500), 0.02f);  // approximate, not exact
  EXPECT_TRUE(std::isfinite(ParticleInvSqrt(0)));
}

TEST_F(ParticleSystemTest, ANewParticleDrawsItsRandomNumbersInTheListedOrder) {
  Psi psi;
  psi.emission = 1;
  psi.lifeMin = 2;
  psi.lifeMax = 3;
  psi.direction = 0.3f;
  psi.spread = 0.8f;
  psi.speedMin = 1;
  psi.speedMax = 2;
  psi.gravityMin = 3;
  psi.gravityMax = 4;
  psi.radialMin = 5;
  psi.radialMax = 6;
  psi.tangentialMin = 7;
  psi.tangentialMax = 8;
  psi.sizeStart = 1;
  psi.sizeEnd = 3;
  psi.sizeVar = 0.5f;
  psi.spinStart = 2;
  psi.spinEnd = 6;
  psi.spinVar = 0.25f;
  psi.start = {0.1f, 0.2f, 0.3f, 0.4f};
  psi.end = {0.9f, 0.8f, 0.7f, 0.0f};
  psi.colorVar = 0.5f;
  psi.alphaVar = 1;
  auto ps = Make(psi);
  ps->Fire();
  ps->MoveTo(50, 60);  // from (0, 0): the position factor matters

  hge->Random_Seed(99);
  ps->Update(1);
  ASSERT_EQ(ps->nParticlesAlive, 1);
  const hgeParticle& p = ps->particles[0];

  hge->Random_Seed(99);
  const float life = hge->Random_Float(2, 3);
  const float along = hge->Random_Float(0, 1);
  const float jx = hge->Random_Float(-2, 2);
  const float jy = hge->Random_Float(-2, 2);
  const float spread = hge->Random_Float(0, 0.8f);
  const float speed = hge->Random_Float(1, 2);
  const float gravity = hge->Random_Float(3, 4);
  const float radial = hge->Random_Float(5, 6);
  const float tangential = hge->Random_Float(7, 8);
  const float size = hge->Random_Float(1, 2);
  const float spin = hge->Random_Float(2, 3);
  const float r = hge->Random_Float(0.1f, 0.5f);
  const float g = hge->Random_Float(0.2f, 0.5f);
  const float b = hge->Random_Float(0.3f, 0.5f);
  const float a = hge->Random_Float(0.4f, 0.0f);

  EXPECT_FLOAT_EQ(p.fTerminalAge, life);
  EXPECT_FLOAT_EQ(p.vecLocation.x, 50 * along + jx);
  EXPECT_FLOAT_EQ(p.vecLocation.y, 60 * along + jy);
  const float angle = 0.3f - 1.5707963f + spread - 0.4f;
  EXPECT_NEAR(p.vecVelocity.x, std::cos(angle) * speed, 1e-5f);
  EXPECT_NEAR(p.vecVelocity.y, std::sin(angle) * speed, 1e-5f);
  EXPECT_FLOAT_EQ(p.fGravity, gravity);
  EXPECT_FLOAT_EQ(p.fRadialAccel, radial);
  EXPECT_FLOAT_EQ(p.fTangentialAccel, tangential);
  EXPECT_FLOAT_EQ(p.fSize, size);
  EXPECT_FLOAT_EQ(p.fSizeDelta, (3 - size) / life);
  EXPECT_FLOAT_EQ(p.fSpin, spin);
  EXPECT_FLOAT_EQ(p.fSpinDelta, (6 - spin) / life);
  EXPECT_FLOAT_EQ(p.colColor.r, r);
  EXPECT_FLOAT_EQ(p.colColor.g, g);
  EXPECT_FLOAT_EQ(p.colColor.b, b);
  EXPECT_FLOAT_EQ(p.colColor.a, a);
  EXPECT_FLOAT_EQ(p.colColorDelta.r, (0.9f - r) / life);
  EXPECT_FLOAT_EQ(p.colColorDelta.a, (0.0f - a) / life);
  EXPECT_FLOAT_EQ(p.fAge, 0);  // born after the others were moved
}

TEST_F(ParticleSystemTest, DirectionZeroIsUpAndRelativeDirectionFollowsTheMovement) {
  Psi psi;
  psi.emission = 1;
  psi.speedMin = psi.speedMax = 3;
  auto up = Make(psi);
  up->FireAt(0, 0);
  up->Update(1);
  EXPECT_NEAR(up->particles[0].vecVelocity.x, 0, 1e-5f);
  EXPECT_NEAR(up->particles[0].vecVelocity.y, -3, 1e-5f);

  psi.relative = true;  // direction 0 relative: straight back along the movement
  auto trail = Make(psi);
  trail->Fire();
  trail->MoveTo(10, 0);
  trail->Update(1);
  EXPECT_NEAR(trail->particles[0].vecVelocity.x, -3, 1e-5f);
  EXPECT_NEAR(trail->particles[0].vecVelocity.y, 0, 1e-5f);
}

TEST_F(ParticleSystemTest, AFixedRateRunsAtMostOneStepPerCall) {
  Psi psi;
  psi.lifetime = 100;
  auto ps = Make(psi, 10);  // steps of 0.1 s
  EXPECT_FLOAT_EQ(ps->fUpdSpeed, 0.1f);
  ps->Fire();
  ps->Update(0.05f);
  EXPECT_FLOAT_EQ(ps->fAge, 0);
  ps->Update(0.06f);
  EXPECT_FLOAT_EQ(ps->fAge, 0.1f);
  EXPECT_NEAR(ps->fResidue, 0.01f, 1e-6f);
  ps->Update(0.35f);  // one step; the rest beyond a step is dropped
  EXPECT_FLOAT_EQ(ps->fAge, 0.2f);
  EXPECT_NEAR(ps->fResidue, 0.06f, 1e-6f);
  ps->Update(1e9f);  // a huge delay still ends
  EXPECT_LT(ps->fResidue, 0.1f);
}

TEST_F(ParticleSystemTest, ACopyCarriesStateAndParticles) {
  auto ps = Make(Psi());
  ps->FireAt(5, 6);
  ps->Update(1);
  hgeParticleSystem copy(*ps);
  EXPECT_EQ(copy.nParticlesAlive, 10);
  EXPECT_EQ(copy.particles[9].vecLocation, ps->particles[9].vecLocation);
  EXPECT_EQ(copy.vecLocation, hgeVector(5, 6));
  EXPECT_EQ(copy.info.sprite, &sprite());
  copy.Stop(true);
  EXPECT_EQ(ps->nParticlesAlive, 10);
}

TEST_F(ParticleSystemTest, RenderDrawsAtTheParticleAndRestoresTheSpriteColour) {
  auto ps = Make(Psi());
  sprite().SetColor(0x12345678);
  ps->nParticlesAlive = 1;
  hgeParticle& p = ps->particles[0];
  p = hgeParticle{};
  p.vecLocation = hgeVector(100, 50);
  p.fSize = 2;
  p.colColor = {1, 0, 0, 1};
  ps->fTx = 3;
  ps->fTy = 4;
  ps->Render();
  EXPECT_FLOAT_EQ(sprite().quad.v[0].x, 103);
  EXPECT_FLOAT_EQ(sprite().quad.v[0].y, 54);
  EXPECT_FLOAT_EQ(sprite().quad.v[2].x, 167);  // 32 px scaled by 2
  EXPECT_FLOAT_EQ(sprite().quad.v[2].y, 118);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(sprite().quad.v[i].col, 0x12345678u);

  p.fSpin = 1;
  p.fAge = 0.5f;  // turned by spin x age about the top-left corner
  ps->Render();
  EXPECT_FLOAT_EQ(sprite().quad.v[0].x, 103);
  EXPECT_NEAR(sprite().quad.v[1].x, 103 + 64 * std::cos(0.5f), 1e-3f);
  EXPECT_NEAR(sprite().quad.v[1].y, 54 + 64 * std::sin(0.5f), 1e-3f);
}

TEST_F(ParticleSystemTest, ColourPackingRoundsAndWrapsWithoutClamping) {
  EXPECT_EQ(PackParticleColor({1, 1, 1, 1}), 0xFFFFFFFFu);
  EXPECT_EQ(PackParticleColor({0, 0, 0, 0}), 0u);
  EXPECT_EQ(PackParticleColor({0.5f, 0.25f, 0.75f, 1}), 0xFF8040BFu);  // 127.5 -> 128 (even)
  // A red above 1 carries into the alpha byte.
  EXPECT_EQ(PackParticleColor({1.2f, 0, 0, 0.5f}), 0x80000000u + (306u << 16));
  // A negative blue borrows from everything above it.
  EXPECT_EQ(PackParticleColor({0, 0, -0.1f, 1}), 0xFF000000u - 26u);
  // Wild values stay defined.
  EXPECT_EQ(PackParticleColor({0, 0, std::nanf(""), 0}), 0u);
  EXPECT_EQ(PackParticleColor({0, 0, 0, 1e30f}), PackParticleColor({0, 0, 0, 1e30f}));
  EXPECT_EQ(PackParticleColor({0, 0, 0, -1e30f}), PackParticleColor({0, 0, 0, -1e30f}));
}

TEST_F(ParticleSystemTest, TheBoundingBoxFollowsParticlesOnlyWhenAsked) {
  Psi psi;
  psi.emission = 50;
  auto ps = Make(psi);
  ps->bUpdateBoundingBox = true;
  ps->FireAt(40, 30);
  ps->Update(1);
  ps->Update(0.01f);
  EXPECT_FALSE(ps->rcBoundingBox.bClean);
  EXPECT_GE(ps->rcBoundingBox.x1, 38);
  EXPECT_LE(ps->rcBoundingBox.x2, 42);
  EXPECT_LE(ps->rcBoundingBox.x1, ps->rcBoundingBox.x2);
  ps->Stop(true);
  EXPECT_TRUE(ps->rcBoundingBox.bClean);
}

TEST_F(ParticleSystemTest, MissingOrShortFilesLeaveTheSystemInert) {
  const std::string full = Psi().Bytes();
  for (const std::string& path :
       {folder + "/none.psi", Write(full.substr(0, 127), "short.psi"), Write("", "empty.psi")}) {
    hgeParticleSystem ps(path.c_str(), &sprite(), 0);
    EXPECT_FALSE(ps.bHasInfo) << path;
    sprite().SetColor(0xAABBCCDD);
    sprite().quad.v[0].x = -1;
    ps.FireAt(10, 10);
    ps.Update(1);
    ps.Update(1);
    EXPECT_EQ(ps.nParticlesAlive, 0);
    ps.Render();
    EXPECT_FLOAT_EQ(sprite().quad.v[0].x, -1);  // nothing drawn
    hgeParticleSystem copy(ps);
    copy.Update(1);
    EXPECT_EQ(copy.nParticlesAlive, 0);
  }
  // Bytes after the first 128 are ignored.
  hgeParticleSystem longer(Write(full + std::string(50, '\x7F'), "long.psi").c_str(), &sprite(), 0);
  EXPECT_TRUE(longer.bHasInfo);
  EXPECT_EQ(longer.info.nEmission, 10);
}

}  // namespace
