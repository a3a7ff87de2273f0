// Particle systems: ".psi" records, broken ones inert; emission and its residue,
// firing, stopping, moving, the pool, the random draws and colour packing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "engine/hge.h"
#include "gfx/hgeParticleSystem.h"
#include "gfx/hgeSprite.h"
#include "tests/HeadlessEngine.h"

namespace {

// Byte offsets of the float fields the tests set by name.
enum Offset { kLifetime = 8, kLifeMin = 12, kLifeMax = 16, kSpeedMin = 32, kSpeedMax = 36 };

// A ".psi" record as written to disk: 32 little-endian words. By default it
// emits 10 particles a second, each living 100 s, until stopped.
struct Psi {
  explicit Psi(int32_t emission = 10, bool relative = false) {
    words[0] = 0x7F000012;  // a stale sprite pointer from the writer: must be ignored
    words[1] = static_cast<uint32_t>(emission);
    words[7] = relative;  // byte 28
    With(kLifetime, -1).With(kLifeMin, 100).With(kLifeMax, 100);
  }
  Psi& With(int offset, float value) {
    std::memcpy(&words[offset / 4], &value, 4);
    return *this;
  }
  std::string Bytes() const {
    std::string b(PARTICLE_INFO_SIZE, '\0');
    for (int i = 0; i < PARTICLE_INFO_SIZE; ++i)
      b[i] = static_cast<char>(words[i / 4] >> (i % 4 * 8));
    return b;
  }
  uint32_t words[32] = {};
};

// One particle a second, with every float field set and none zero, so that a
// field read from a wrong offset shows in the particle it makes.
Psi Full() {
  const float v[] = {2.5f, 2, 3, 0.3f, 0.8f, 1, 2, 3, 4, 5, 6, 7, 8, 1, 3, 0.5f, 2, 6, 0.25f,
                     // start and end colour: fractions that floats hold exactly
                     0.125f, 0.25f, 0.375f, 0.5f, 0.875f, 0.75f, 0.625f, 0.0625f, 0.5f, 1};
  Psi psi(1);
  for (int at = 8, k = 0; at < PARTICLE_INFO_SIZE; at += 4)
    if (at != 28) psi.With(at, v[k++]);
  return psi;
}

// Each pair is (actual, expected).
void ExpectFloats(std::initializer_list<std::pair<float, float>> pairs) {
  for (auto [actual, expected] : pairs) EXPECT_FLOAT_EQ(actual, expected);
}

class ParticleSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(hge = HeadlessEngine(), nullptr);
    hge->Random_Seed(7);
    sprite = std::make_unique<hgeSprite>(0, 0.0f, 0.0f, 32.0f, 32.0f);
  }
  std::string Write(const std::string& bytes, const std::string& name = "test.psi") {
    std::ofstream(folder + "/" + name, std::ios::binary) << bytes;
    return folder + "/" + name;
  }
  std::unique_ptr<hgeParticleSystem> Make(const Psi& psi, float fps = 0) {
    return std::make_unique<hgeParticleSystem>(Write(psi.Bytes()).c_str(), sprite.get(), fps);
  }
  static int After(hgeParticleSystem& ps, float dt) {
    ps.Update(dt);
    return ps.nParticlesAlive;
  }
  static hgeParticle& Only(hgeParticleSystem& ps, const hgeParticle& particle) {
    ps.nParticlesAlive = 1;
    return ps.particles[0] = particle;
  }

  HGE* hge = nullptr;
  std::string folder = TestFolder("particles");
  std::unique_ptr<hgeSprite> sprite;  // made once the engine is up
};

TEST_F(ParticleSystemTest, MissingOrShortFilesLeaveTheSystemInert) {
  const std::string full = Psi().Bytes();
  for (const std::string& path :
       {folder + "/none.psi", Write(full.substr(0, 127), "short.psi"), Write("", "empty.psi")}) {
    hgeParticleSystem ps(path.c_str(), sprite.get(), 0);
    EXPECT_FALSE(ps.bHasInfo) << path;
    sprite->quad.v[0].x = -1;
    ps.FireAt(10, 10);
    EXPECT_EQ(After(ps, 1), 0);
    ps.Render();
    EXPECT_FLOAT_EQ(sprite->quad.v[0].x, -1);  // nothing drawn
  }
  // Bytes after the first 128 are ignored.
  hgeParticleSystem longer(Write(full + std::string(50, '\x7F'), "long.psi").c_str(), sprite.get());
  EXPECT_TRUE(longer.bHasInfo && longer.info.nEmission == 10);
}

TEST_F(ParticleSystemTest, EmissionResidueRoundsHalvesToEven) {
  auto ps = Make(Psi{6});
  ps->Fire();
  // 1.5 a step: 2 (1.5 rounds to even), then 1 (-0.5 left + 1.5), and so on.
  for (int alive : {2, 3, 5, 6, 8, 9}) EXPECT_EQ(After(*ps, 0.25f), alive);
  EXPECT_FLOAT_EQ(ps->fEmissionResidue, 0);
}

TEST_F(ParticleSystemTest, FireAndStopWithAndWithoutLifetime) {
  // Particles live 1 s; the system emits until stopped.
  auto ps = Make(Psi().With(kLifeMin, 1).With(kLifeMax, 1));
  EXPECT_EQ(std::tuple(ps->fAge, ps->fUpdSpeed, ps->bUpdateBoundingBox),
            std::tuple(-2.0f, 0.0f, false));  // a new system is stopped
  EXPECT_EQ(After(*ps, 1), 0);
  ps->Fire();
  EXPECT_FLOAT_EQ(ps->fAge, -1);
  EXPECT_EQ(After(*ps, 0.5f), 5);
  ps->Stop(false);
  EXPECT_EQ(After(*ps, 0.25f), 5);  // still living, no new ones
  EXPECT_EQ(After(*ps, 0.75f), 0);  // their second of life is over
  ps->Fire();
  EXPECT_EQ(After(*ps, 0.5f), 5);
  ps->Stop(true);
  EXPECT_EQ(std::pair(ps->nParticlesAlive, ps->fAge), std::pair(0, -2.0f));

  ps = Make(Psi().With(kLifetime, 1));
  ps->Fire();
  EXPECT_FLOAT_EQ(ps->fAge, 0);
  EXPECT_EQ(After(*ps, 0.5f), 5);
  EXPECT_EQ(After(*ps, 0.5f), 5);  // the age reaches the lifetime before this step's emission
  EXPECT_FLOAT_EQ(ps->fAge, -2);
  ps->FireAt(0, 0);  // restarts the age
  EXPECT_EQ(After(*ps, 0.5f), 10);
}

TEST_F(ParticleSystemTest, EmissionSpreadsAlongAMoveButNotAlongAJump) {
  auto jumped = Make(Psi{400});
  jumped->bUpdateBoundingBox = true;
  jumped->Fire();
  jumped->FireAt(100, 200);  // stops first, so it jumps
  EXPECT_EQ(jumped->vecPrevLocation, hgeVector(100, 200));
  EXPECT_EQ(After(*jumped, 1), 400);
  jumped->Update(0.01f);
  // Only the 2-pixel jitter round the new place, filled by the whole cloud and
  // not just this step's four newcomers.
  const hgeRect& box = jumped->rcBoundingBox;
  EXPECT_TRUE(box.x1 >= 98 && box.x2 <= 102 && box.x2 - box.x1 > 3.9f) << box.x1 << " " << box.x2;
  EXPECT_TRUE(box.y1 >= 198 && box.y2 <= 202 && box.y2 - box.y1 > 3.9f) << box.y1 << " " << box.y2;
  jumped->Stop(true);
  EXPECT_TRUE(box.bClean);

  auto moved = Make(Psi{400});
  moved->bUpdateBoundingBox = true;
  moved->Fire();
  moved->MoveTo(100, 0);  // a firing system moves
  EXPECT_EQ(moved->vecPrevLocation, hgeVector(0, 0));
  moved->Update(1);
  EXPECT_TRUE(moved->rcBoundingBox.x1 < 10 && moved->rcBoundingBox.x2 > 90);
  EXPECT_EQ(moved->vecPrevLocation, hgeVector(100, 0));  // each step ends there
}

TEST_F(ParticleSystemTest, MoveToCanShiftTheParticlesAndACopyCarriesThem) {
  auto ps = Make(Psi());
  ps->FireAt(10, 10);
  ps->Update(1);
  const hgeVector before = ps->particles[3].vecLocation;
  ps->MoveTo(15, 7, true);
  EXPECT_EQ(ps->particles[3].vecLocation, before + hgeVector(5, -3));
  EXPECT_EQ(ps->vecLocation, hgeVector(15, 7));
  EXPECT_EQ(ps->vecPrevLocation, hgeVector(15, 7));
  hgeParticleSystem copy(*ps);
  EXPECT_EQ(std::tuple(copy.nParticlesAlive, copy.info.sprite, copy.vecLocation),
            std::tuple(10, sprite.get(), hgeVector(15, 7)));
  EXPECT_EQ(copy.particles[9].vecLocation, ps->particles[9].vecLocation);
}

TEST_F(ParticleSystemTest, ThePoolHoldsAtMost500EvenAtWildRates) {
  for (int32_t emission : {100000, INT32_MAX, INT32_MIN, -5}) {
    auto ps = Make(Psi{emission});
    ps->Fire();
    const int alive = After(*ps, emission == 100000 ? 0.1f : 1e30f);
    EXPECT_EQ(alive, emission > 0 ? MAX_PARTICLES : 0) << emission;
    if (emission != 100000) continue;
    EXPECT_NEAR(ps->fEmissionResidue, 0, 0.01f);  // the surplus is not carried over
    EXPECT_EQ(After(*ps, 0.1f), MAX_PARTICLES);
  }
}

TEST_F(ParticleSystemTest, ParticlesMoveByStepVelocityAndTheLastLivingFillsADeadSlot) {
  auto ps = Make(Psi());
  // At (30, 40), 50 px from the emitter at (0, 0); velocity (1, 2), gravity 10,
  // radial 100, tangential 50, spin + 3/s, size + 2/s, colour + (0.1, 0.2, 0.3, -0.4)/s.
  hgeParticle& p =
      Only(*ps, {{30, 40}, {1, 2}, 10, 100, 50, 0, 3, 0, 2, {}, {0.1f, 0.2f, 0.3f, -0.4f}, 0, 100});
  ps->Update(0.5f);
  const float k = ParticleInvSqrt(2500.0f), nx = 30 * k, ny = 40 * k;
  const float vx = 1 + (nx * 100 + -ny * 50) * 0.5f;
  const float vy = 2 + (ny * 100 + nx * 50) * 0.5f + 10 * 0.5f;
  ExpectFloats({{p.vecVelocity.x, vx}, {p.vecVelocity.y, vy}, {p.fSize, 1}, {p.fSpin, 1.5f}});
  ExpectFloats({{p.vecLocation.x, 30 + vx}, {p.vecLocation.y, 40 + vy}});  // not times dt
  EXPECT_FLOAT_EQ(p.colColor.a, -0.2f);
  // At the emitter itself there is no direction to push along.
  ps->MoveTo(20, 20);
  Only(*ps, {{20, 20}, {0, 0}, 0, 1000, 1000, 0, 0, 0, 0, {}, {}, 0, 100});
  ps->Update(0.5f);
  EXPECT_EQ(p.vecVelocity, hgeVector(0, 0));
  EXPECT_EQ(p.vecLocation, hgeVector(20, 20));
  EXPECT_NEAR(ParticleInvSqrt(4), 0.5f, 0.5f * 2e-3f);  // the fast approximate 1/sqrt
  EXPECT_NEAR(k, 0.02f, 0.02f * 2e-3f);
  EXPECT_NE(k, 0.02f);  // approximate, not exact

  // A dying particle's slot takes the last living one, which is then processed
  // there: slot 0 died, took 3 (also dying), died again and took 2.
  ps->nParticlesAlive = 4;
  for (int i = 0; i < 4; ++i) {
    ps->particles[i] = hgeParticle{};
    ps->particles[i].vecLocation = hgeVector(static_cast<float>(i), 0);
    ps->particles[i].fTerminalAge = (i == 0 || i == 3) ? 0.5f : 10.0f;
  }
  ps->Update(1);
  ASSERT_EQ(ps->nParticlesAlive, 2);
  ExpectFloats({{ps->particles[0].vecLocation.x, 2}, {ps->particles[1].vecLocation.x, 1}});
  EXPECT_FLOAT_EQ(ps->particles[0].fAge, 1);  // aged once
}

// Every field of the record shapes the particle; its random numbers are drawn
// in a fixed order.
TEST_F(ParticleSystemTest, ANewParticleIsMadeFromEveryFieldInTheListedOrder) {
  auto ps = Make(Full());
  ps->Fire();
  ps->MoveTo(50, 60);  // from (0, 0): the position factor matters
  hge->Random_Seed(99);
  ps->Update(1);
  ASSERT_EQ(ps->nParticlesAlive, 1);
  const hgeParticle& p = ps->particles[0];

  // The same draws again: life, position along the move, jitter x and y,
  // spread, speed, gravity, radial, tangential, size, spin, r, g, b, a.
  hge->Random_Seed(99);
  const float range[15][2] = {{2, 3},        {0, 1},         {-2, 2},        {-2, 2},
                              {0, 0.8f},     {1, 2},         {3, 4},         {5, 6},
                              {7, 8},        {1, 2},         {2, 3},         {0.125f, 0.5f},
                              {0.25f, 0.5f}, {0.375f, 0.5f}, {0.5f, 0.0625f}};
  float d[15];
  for (int k = 0; k < 15; ++k) d[k] = hge->Random_Float(range[k][0], range[k][1]);
  const auto [life, along, jx, jy, spread, speed, gravity, radial, tangential, size, spin, r, g, b,
              a] = d;
  ExpectFloats({{p.fTerminalAge, life}, {p.fGravity, gravity}, {p.fRadialAccel, radial}});
  ExpectFloats({{p.vecLocation.x, 50 * along + jx}, {p.vecLocation.y, 60 * along + jy}});
  const float angle = 0.3f - 1.5707963f + spread - 0.4f;
  EXPECT_NEAR(p.vecVelocity.x, std::cos(angle) * speed, 1e-5f);
  EXPECT_NEAR(p.vecVelocity.y, std::sin(angle) * speed, 1e-5f);
  ExpectFloats({{p.fTangentialAccel, tangential}, {p.fSize, size}, {p.fSpin, spin}});
  ExpectFloats({{p.fSizeDelta, (3 - size) / life}, {p.fSpinDelta, (6 - spin) / life}});
  ExpectFloats({{p.colColor.r, r}, {p.colColor.g, g}, {p.colColor.b, b}, {p.colColor.a, a}});
  ExpectFloats({{p.colColorDelta.r, (0.875f - r) / life}, {p.colColorDelta.g, (0.75f - g) / life}});
  ExpectFloats(
      {{p.colColorDelta.b, (0.625f - b) / life}, {p.colColorDelta.a, (0.0625f - a) / life}});
  EXPECT_FLOAT_EQ(p.fAge, 0);  // born after the others were moved

  // Relative to the movement, direction 0 is straight back along it.
  auto trail = Make(Psi{1, true}.With(kSpeedMin, 3).With(kSpeedMax, 3));
  trail->Fire();
  trail->MoveTo(10, 0);
  trail->Update(1);
  EXPECT_NEAR(trail->particles[0].vecVelocity.x, -3, 1e-5f);
  EXPECT_NEAR(trail->particles[0].vecVelocity.y, 0, 1e-5f);
}

TEST_F(ParticleSystemTest, AFixedRateRunsAtMostOneStepPerCall) {
  auto ps = Make(Psi().With(kLifetime, 100), 10);  // steps of 0.1 s
  EXPECT_FLOAT_EQ(ps->fUpdSpeed, 0.1f);
  ps->Fire();
  // A delay, the age after it and the time left over: beyond a step the rest is dropped.
  for (auto [delay, age, left] :
       {std::tuple{0.05f, 0.0f, 0.05f}, {0.06f, 0.1f, 0.01f}, {0.35f, 0.2f, 0.06f}}) {
    ps->Update(delay);
    EXPECT_FLOAT_EQ(ps->fAge, age) << delay;
    EXPECT_NEAR(ps->fResidue, left, 1e-6f) << delay;
  }
  ps->Update(1e9f);  // a huge delay still ends
  EXPECT_LT(ps->fResidue, 0.1f);
}

TEST_F(ParticleSystemTest, RenderDrawsAtTheParticleAndRestoresTheSpriteColour) {
  auto ps = Make(Psi());
  sprite->SetColor(0x12345678);
  hgeParticle& p = Only(*ps, {{100, 50}, {0, 0}, 0, 0, 0, 0, 0, 2, 0, {1, 0, 0, 1}, {}, 0, 100});
  ps->fTx = 3;
  ps->fTy = 4;
  ps->Render();
  const hgeQuad& q = sprite->quad;
  ExpectFloats({{q.v[0].x, 103}, {q.v[0].y, 54}, {q.v[2].x, 167}, {q.v[2].y, 118}});  // 32 px x 2
  for (const hgeVertex& v : q.v) EXPECT_EQ(v.col, 0x12345678u);
  p.fSpin = 1;
  p.fAge = 0.5f;  // turned by spin x age about the top-left corner
  ps->Render();
  EXPECT_FLOAT_EQ(q.v[0].x, 103);
  EXPECT_NEAR(q.v[1].x, 103 + 64 * std::cos(0.5f), 1e-3f);
  EXPECT_NEAR(q.v[1].y, 54 + 64 * std::sin(0.5f), 1e-3f);
}

TEST_F(ParticleSystemTest, ColourPackingRoundsAndWrapsWithoutClamping) {
  const std::pair<hgeColor, uint32_t> rows[] = {
      {{1, 1, 1, 1}, 0xFFFFFFFFu},
      {{0, 0, 0, 0}, 0u},
      {{0.5f, 0.25f, 0.75f, 1}, 0xFF8040BFu},            // 127.5 -> 128 (even)
      {{1.2f, 0, 0, 0.5f}, 0x80000000u + (306u << 16)},  // red carries into the alpha byte
      {{0, 0, -0.1f, 1}, 0xFF000000u - 26u},             // negative blue borrows from above
      {{0, 0, std::nanf(""), 0}, 0u},
  };
  for (const auto& [colour, packed] : rows) EXPECT_EQ(PackParticleColor(colour), packed) << packed;
}

}  // namespace
