// The distortion mesh and the credits screen: a new mesh, spreading a texture
// rectangle, the three displacement references, clearing, drawing cell by
// cell, and the credits' wobble (phase by diagonal pair, fixed borders).
#include <gtest/gtest.h>

#include <cmath>

#include "engine/hge.h"
#include "gfx/CreditsScreen.h"
#include "gfx/SpriteSheet.h"
#include "gfx/hgeDistortionMesh.h"
#include "tests/HeadlessEngine.h"

namespace {

class DistortionMeshTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(HeadlessEngine(), nullptr); }
};

TEST_F(DistortionMeshTest, NewMeshHasNodesAtTheOriginAndBlendModeSix) {
  hgeDistortionMesh mesh(4, 3);
  EXPECT_EQ(mesh.nCols, 4);
  EXPECT_EQ(mesh.nRows, 3);
  ASSERT_EQ(mesh.nodes.size(), 12u);
  for (const hgeVertex& n : mesh.nodes) {
    EXPECT_EQ(n.x, 0);
    EXPECT_EQ(n.y, 0);
    EXPECT_EQ(n.z, 0.5f);
    EXPECT_EQ(n.col, 0xFFFFFFFFu);
    EXPECT_EQ(n.tx, 0);
    EXPECT_EQ(n.ty, 0);
  }
  EXPECT_EQ(mesh.cellw, 0);
  EXPECT_EQ(mesh.quad.tex, 0u);
  EXPECT_EQ(mesh.quad.blend, BLEND_COLORMUL | BLEND_ALPHABLEND | BLEND_ZWRITE);
}

TEST_F(DistortionMeshTest, TextureRectWithoutTextureUsesItsOwnSize) {
  hgeDistortionMesh mesh(4, 3);
  mesh.SetTextureRect(0, 0, 300, 200);
  EXPECT_EQ(mesh.cellw, 100);
  EXPECT_EQ(mesh.cellh, 100);
  const hgeVertex& last = mesh.Node(3, 2);
  EXPECT_EQ(last.x, 300);
  EXPECT_EQ(last.y, 200);
  EXPECT_FLOAT_EQ(last.tx, 1);
  EXPECT_FLOAT_EQ(last.ty, 1);
  EXPECT_FLOAT_EQ(mesh.Node(1, 1).tx, 1.0f / 3);
  EXPECT_FLOAT_EQ(mesh.Node(1, 1).ty, 0.5f);
}

TEST_F(DistortionMeshTest, TextureRectIsMeasuredInTexturePixels) {
  const std::string dir = TestFolder("mesh");
  SpriteSheet sheet(WriteTestPng(dir, "tex.png", 256, 128, 0xFF336699), 1, 1);
  hgeDistortionMesh mesh(3, 3);
  mesh.SetTexture(sheet.texture);
  mesh.SetTextureRect(64, 32, 128, 64);
  const float tw = static_cast<float>(HeadlessEngine()->Texture_GetWidth(sheet.texture, false));
  const float th = static_cast<float>(HeadlessEngine()->Texture_GetHeight(sheet.texture, false));
  EXPECT_EQ(mesh.Node(2, 2).x, 128);  // positions span the rectangle from 0
  EXPECT_FLOAT_EQ(mesh.Node(0, 0).tx, 64 / tw);
  EXPECT_FLOAT_EQ(mesh.Node(0, 0).ty, 32 / th);
  EXPECT_FLOAT_EQ(mesh.Node(2, 2).tx, 192 / tw);
  EXPECT_FLOAT_EQ(mesh.Node(2, 2).ty, 96 / th);
}

TEST_F(DistortionMeshTest, DisplacementReferences) {
  hgeDistortionMesh mesh(5, 5);
  mesh.SetTextureRect(0, 0, 400, 200);  // cells 100 x 50
  mesh.SetDisplacement(1, 2, 3, -4, hgeDistortionMesh::kFromNode);
  EXPECT_EQ(mesh.Node(1, 2).x, 103);
  EXPECT_EQ(mesh.Node(1, 2).y, 96);
  mesh.SetDisplacement(1, 2, 3, -4, hgeDistortionMesh::kFromTopLeft);
  EXPECT_EQ(mesh.Node(1, 2).x, 3);
  EXPECT_EQ(mesh.Node(1, 2).y, -4);
  mesh.SetDisplacement(1, 2, 3, -4, hgeDistortionMesh::kFromCentre);
  EXPECT_EQ(mesh.Node(1, 2).x, 203);
  EXPECT_EQ(mesh.Node(1, 2).y, 96);
}

TEST_F(DistortionMeshTest, NodesOutsideTheGridAreIgnored) {
  hgeDistortionMesh mesh(3, 3);
  mesh.SetTextureRect(0, 0, 20, 20);
  const std::vector<hgeVertex> before = mesh.nodes;
  for (auto [c, r] :
       {std::pair{3, 0}, std::pair{0, 3}, std::pair{-1, 0}, std::pair{0, -1}, std::pair{100, 100}})
    mesh.SetDisplacement(c, r, 5, 5, hgeDistortionMesh::kFromNode);
  for (size_t i = 0; i < before.size(); ++i) {
    EXPECT_EQ(mesh.nodes[i].x, before[i].x);
    EXPECT_EQ(mesh.nodes[i].y, before[i].y);
  }
}

TEST_F(DistortionMeshTest, ClearPutsNodesBackWithColourAndDepth) {
  hgeDistortionMesh mesh(3, 3);
  mesh.SetTextureRect(0, 0, 20, 20);
  mesh.SetDisplacement(1, 1, 7, 7, hgeDistortionMesh::kFromNode);
  mesh.Clear(0xFF000000, 0.25f);
  EXPECT_EQ(mesh.Node(1, 1).x, 10);
  EXPECT_EQ(mesh.Node(1, 1).y, 10);
  for (const hgeVertex& n : mesh.nodes) {
    EXPECT_EQ(n.col, 0xFF000000u);
    EXPECT_EQ(n.z, 0.25f);
  }
  EXPECT_FLOAT_EQ(mesh.Node(2, 2).tx, 1) << "texture coordinates stay";
}

TEST_F(DistortionMeshTest, RenderFillsEachCellFromItsFourNodes) {
  hgeDistortionMesh mesh(3, 2);
  mesh.SetTextureRect(0, 0, 20, 10);
  mesh.SetDisplacement(2, 1, 1, 2, hgeDistortionMesh::kFromNode);
  mesh.Render(100, 50);
  // The last cell drawn is column 1, row 0: nodes (1,0) (2,0) (2,1) (1,1).
  const hgeQuad& q = mesh.quad;
  EXPECT_EQ(q.v[0].x, 110);
  EXPECT_EQ(q.v[0].y, 50);
  EXPECT_EQ(q.v[1].x, 120);
  EXPECT_EQ(q.v[2].x, 121);
  EXPECT_EQ(q.v[2].y, 62);
  EXPECT_EQ(q.v[3].x, 110);
  EXPECT_EQ(q.v[3].y, 60);
  EXPECT_FLOAT_EQ(q.v[2].tx, 1);
  // Drawing does not move the nodes.
  EXPECT_EQ(mesh.Node(2, 1).x, 21);
}

class CreditsTest : public DistortionMeshTest {
 protected:
  void SetUp() override {
    DistortionMeshTest::SetUp();
    wobbleTime = 0;
  }
  // Displacement of a node from its rest place.
  static hgeVector Offset(const CreditsScreen& credits, int c, int r) {
    const hgeVertex& n = credits.mesh->Node(c, r);
    return hgeVector(n.x - c * credits.mesh->cellw, n.y - r * credits.mesh->cellh);
  }
};

TEST_F(CreditsTest, MeshCoversTheScreenUndistortedAtFirst) {
  CreditsScreen credits;
  hgeDistortionMesh& m = *credits.mesh;
  EXPECT_EQ(m.nCols, 32);
  EXPECT_EQ(m.nRows, 32);
  EXPECT_EQ(m.quad.tex, credits.sheet->texture);
  EXPECT_EQ(m.quad.blend, BLEND_COLORADD | BLEND_ALPHABLEND | BLEND_ZWRITE);
  EXPECT_FLOAT_EQ(m.Node(31, 31).x, 1024);
  EXPECT_FLOAT_EQ(m.Node(31, 31).y, 768);
  for (const hgeVertex& n : m.nodes) {
    EXPECT_EQ(n.col, 0xFF000000u);
    EXPECT_EQ(n.z, 0.5f);
  }
  for (int r = 0; r < 32; ++r)
    for (int c = 0; c < 32; ++c) EXPECT_EQ(Offset(credits, c, r), hgeVector(0, 0));
}

TEST_F(CreditsTest, InnerNodesCircleByDiagonalPairs) {
  CreditsScreen credits;
  credits.Update(0);
  const hgeVector o = Offset(credits, 1, 1);  // (1 + 1) / 2 = 1 radian
  EXPECT_NEAR(o.x, 5 * std::cos(1.0), 1e-3);
  EXPECT_NEAR(o.y, 5 * std::sin(1.0), 1e-3);
  EXPECT_NEAR(o.x, 2.70, 0.01);
  EXPECT_NEAR(o.y, 4.21, 0.01);
  // r + c of 3 shares the phase of 2; 4 is one radian further.
  EXPECT_NEAR(Offset(credits, 2, 1).x, o.x, 1e-3);
  EXPECT_NEAR(Offset(credits, 1, 2).y, o.y, 1e-3);
  EXPECT_NEAR(Offset(credits, 2, 2).x, 5 * std::cos(2.0), 1e-3);
  EXPECT_NEAR(Offset(credits, 30, 30).y, 5 * std::sin(30.0), 1e-3);
}

TEST_F(CreditsTest, WobbleTimeAddsUpAcrossUpdates) {
  CreditsScreen credits;
  credits.Update(0.25f);
  credits.Update(0.25f);
  EXPECT_FLOAT_EQ(wobbleTime, 0.5f);
  const hgeVector o = Offset(credits, 1, 1);  // 2 * 0.5 + 1
  EXPECT_NEAR(o.x, 5 * std::cos(2.0), 1e-3);
  EXPECT_NEAR(o.y, 5 * std::sin(2.0), 1e-3);
  // A second screen goes on where the first stopped.
  CreditsScreen again;
  again.Update(0);
  EXPECT_NEAR(Offset(again, 1, 1).x, 5 * std::cos(2.0), 1e-3);
}

TEST_F(CreditsTest, BorderNodesNeverMove) {
  CreditsScreen credits;
  for (float dt : {0.0f, 0.3f, 1.7f, 12.0f}) {
    credits.Update(dt);
    for (int i = 0; i < 32; ++i) {
      EXPECT_EQ(Offset(credits, i, 0), hgeVector(0, 0));
      EXPECT_EQ(Offset(credits, i, 31), hgeVector(0, 0));
      EXPECT_EQ(Offset(credits, 0, i), hgeVector(0, 0));
      EXPECT_EQ(Offset(credits, 31, i), hgeVector(0, 0));
    }
  }
}

TEST_F(CreditsTest, RenderEndsOnTheBottomRightCellAtTheOrigin) {
  CreditsScreen credits;
  credits.Update(0.1f);
  credits.Render();
  const hgeQuad& q = credits.mesh->quad;
  const hgeVertex& tl = credits.mesh->Node(30, 30);
  const hgeVertex& br = credits.mesh->Node(31, 31);
  EXPECT_EQ(q.v[0].x, tl.x);
  EXPECT_EQ(q.v[0].y, tl.y);
  EXPECT_EQ(q.v[2].x, br.x);
  EXPECT_EQ(q.v[2].y, br.y);
}

}  // namespace
