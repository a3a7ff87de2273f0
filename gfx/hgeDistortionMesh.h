// A grid of textured nodes that can be pushed away from their rest places;
// drawn as one quad per grid cell, so the texture bends with the nodes.
// Positions are relative to the mesh origin given to Render.
#pragma once

#include <cstddef>
#include <vector>

#include "engine/hge.h"

class hgeDistortionMesh {
 public:
  // Displacement references of SetDisplacement.
  static constexpr int kFromNode = 0;
  static constexpr int kFromTopLeft = 1;
  static constexpr int kFromCentre = 2;

  hgeDistortionMesh(int cols, int rows);
  hgeDistortionMesh(const hgeDistortionMesh&) = delete;
  hgeDistortionMesh& operator=(const hgeDistortionMesh&) = delete;
  ~hgeDistortionMesh();

  void SetTexture(HTEXTURE texture) { quad.tex = texture; }
  void SetBlendMode(int blend) { quad.blend = blend; }
  // Spreads the texture rectangle (in texture pixels) over the grid and puts
  // every node at its rest place.
  void SetTextureRect(float x, float y, float w, float h);
  // Every node back to its rest place, with this colour and depth.
  void Clear(uint32_t color, float z = 0.5f);
  // Moves one node; nodes outside the grid are ignored.
  void SetDisplacement(int col, int row, float dx, float dy, int reference);
  void Render(float x, float y);

  hgeVertex& Node(int col, int row) { return nodes[static_cast<std::size_t>(row) * nCols + col]; }

  std::vector<hgeVertex> nodes;  // row by row, allocated once
  int nRows, nCols;
  float cellw, cellh;
  float tx, ty, width, height;
  hgeQuad quad;

 private:
  HGE* hge;
};
