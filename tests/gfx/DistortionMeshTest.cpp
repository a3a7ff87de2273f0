// The distortion mesh (texture spreading, displacement, clearing, drawing by
// cell) and the credits' wobble: phase by diagonal pair, fixed borders.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <tuple>
#include <vector>

#include "engine/hge.h"
#include "gfx/CreditsScreen.h"
#include "gfx/SpriteSheet.h"
#include "gfx/hgeDistortionMesh.h"
#include "tests/HeadlessEngine.h"

namespace {

// Position, texture position, depth and colour of a node.
std::array<double, 6> Node(const hgeVertex& n) { return {n.x, n.y, n.tx, n.ty, n.z, n.col * 1.0}; }
std::pair<float, float> XY(const hgeVertex& n) { return {n.x, n.y}; }

class DistortionMeshTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(HeadlessEngine(), nullptr); }
};

TEST_F(DistortionMeshTest, TheTextureRectangleIsSpreadOverTheGrid) {
  hgeDistortionMesh mesh(4, 3);
  ASSERT_EQ(mesh.nodes.size(), 12u);
  mesh.SetTextureRect(0, 0, 300, 200);  // no texture: measured against its own size
  EXPECT_EQ(std::pair(mesh.cellw, mesh.cellh), std::pair(100.0f, 100.0f));
  EXPECT_EQ(Node(mesh.Node(3, 2)), Node({300, 200, 0.5f, 0xFFFFFFFF, 1, 1}));
  EXPECT_EQ(Node(mesh.Node(1, 1)), Node({100, 100, 0.5f, 0xFFFFFFFF, 1.0f / 3, 0.5f}));

  SpriteSheet sheet(WriteTestPng(TestFolder("mesh"), "tex.png", 256, 128, 0xFF336699), 1, 1);
  hgeDistortionMesh textured(3, 3);
  textured.SetTexture(sheet.texture);
  textured.SetTextureRect(64, 32, 128, 64);  // in texture pixels, positions from 0
  EXPECT_EQ(Node(textured.Node(0, 0)), Node({0, 0, 0.5f, 0xFFFFFFFF, 0.25f, 0.25f}));
  EXPECT_EQ(Node(textured.Node(2, 2)), Node({128, 64, 0.5f, 0xFFFFFFFF, 0.75f, 0.75f}));
}

TEST_F(DistortionMeshTest, NodesMoveByThreeReferencesClearAndDrawCellByCell) {
  hgeDistortionMesh mesh(5, 5);
  mesh.SetTextureRect(0, 0, 400, 200);  // cells 100 x 50
  for (auto [reference, x, y] : {std::tuple{hgeDistortionMesh::kFromNode, 103.0f, 96.0f},
                                 {hgeDistortionMesh::kFromTopLeft, 3.0f, -4.0f},
                                 {hgeDistortionMesh::kFromCentre, 203.0f, 96.0f}}) {
    mesh.SetDisplacement(1, 2, 3, -4, reference);
    EXPECT_EQ(XY(mesh.Node(1, 2)), std::pair(x, y)) << reference;
  }
  const std::vector<hgeVertex> before = mesh.nodes;
  for (auto [c, r] : {std::pair{5, 0}, {0, 5}, {-1, 0}, {0, -1}, {100, 100}})
    mesh.SetDisplacement(c, r, 5, 5, hgeDistortionMesh::kFromNode);  // outside: ignored
  for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(Node(mesh.nodes[i]), Node(before[i]));
  mesh.Clear(0xFF000000, 0.25f);  // back to rest, texture positions kept
  EXPECT_EQ(Node(mesh.Node(1, 2)), Node({100, 100, 0.25f, 0xFF000000, 0.25f, 0.5f}));
  for (const hgeVertex& n : mesh.nodes)
    EXPECT_EQ(std::pair(n.col, n.z), std::pair(0xFF000000u, 0.25f));

  mesh.SetDisplacement(4, 4, 1, 2, hgeDistortionMesh::kFromNode);
  mesh.Render(10, 20);
  // The last cell drawn is the bottom-right one: nodes (3,3) (4,3) (4,4) (3,4).
  const std::pair<float, float> corners[] = {{310, 170}, {410, 170}, {411, 222}, {310, 220}};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(XY(mesh.quad.v[i]), corners[i]) << i;
  EXPECT_EQ(XY(mesh.Node(4, 4)), std::pair(401.0f, 202.0f));  // drawing moves no node
}

// Displacement of a credits node from its rest place.
hgeVector Offset(const CreditsScreen& credits, int c, int r) {
  const hgeVertex& n = credits.mesh->Node(c, r);
  return hgeVector(n.x - c * credits.mesh->cellw, n.y - r * credits.mesh->cellh);
}

TEST_F(DistortionMeshTest, CreditsWobbleInnerNodesByDiagonalPairsOverAllVisits) {
  wobbleTime = 0;
  CreditsScreen credits;
  hgeDistortionMesh& m = *credits.mesh;
  EXPECT_EQ(XY(m.Node(31, 31)), std::pair(1024.0f, 768.0f));
  for (const hgeVertex& n : m.nodes) EXPECT_EQ(std::pair(n.col, n.z), std::pair(0xFF000000u, 0.5f));
  for (int i = 0; i < 32 * 32; ++i) EXPECT_EQ(Offset(credits, i % 32, i / 32), hgeVector(0, 0));

  credits.Update(0);
  const hgeVector o = Offset(credits, 1, 1);  // (1 + 1) / 2 = 1 radian
  EXPECT_NEAR(o.x, 2.70, 0.01);               // 5 cos 1
  EXPECT_NEAR(o.y, 4.21, 0.01);
  // r + c of 3 shares the phase of 2; 4 is one radian further.
  EXPECT_NEAR(Offset(credits, 2, 1).x, o.x, 1e-3);
  EXPECT_NEAR(Offset(credits, 1, 2).y, o.y, 1e-3);
  EXPECT_NEAR(Offset(credits, 2, 2).x, 5 * std::cos(2.0), 1e-3);
  EXPECT_NEAR(Offset(credits, 30, 30).y, 5 * std::sin(30.0), 1e-3);
  for (float dt : {0.3f, 1.7f, 12.0f}) {
    credits.Update(dt);
    for (int i = 0; i < 32; ++i) {
      for (auto [c, r] : {std::pair{i, 0}, {i, 31}, {0, i}, {31, i}})
        EXPECT_EQ(Offset(credits, c, r), hgeVector(0, 0)) << "border " << c << "," << r;
    }
  }
  EXPECT_FLOAT_EQ(wobbleTime, 14);  // the time adds up: 2 x 14 + 1 radians now
  EXPECT_NEAR(Offset(credits, 1, 1).y, 5 * std::sin(29.0), 1e-3);
  credits.Render();  // the last cell drawn is the bottom-right one, at the origin
  EXPECT_EQ(XY(m.quad.v[0]), XY(m.Node(30, 30)));
  EXPECT_EQ(XY(m.quad.v[2]), XY(m.Node(31, 31)));
  // A new screen does not restart the wobble.
  wobbleTime = 0.5f;
  CreditsScreen again;
  again.Update(0);
  EXPECT_NEAR(Offset(again, 1, 1).x, 5 * std::cos(2.0), 1e-3);
}

}  // namespace
