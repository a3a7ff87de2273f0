// The distortion mesh: node storage, texture spreading, displacement and the
// per-cell drawing. Nothing is allocated after construction.
#include "gfx/hgeDistortionMesh.h"

hgeDistortionMesh::hgeDistortionMesh(int cols, int rows)
    : nodes(static_cast<std::size_t>(rows > 0 ? rows : 0) * (cols > 0 ? cols : 0),
            hgeVertex{0, 0, 0.5f, 0xFFFFFFFF, 0, 0}),
      nRows(rows > 0 ? rows : 0),
      nCols(cols > 0 ? cols : 0),
      cellw(0),
      cellh(0),
      tx(0),
      ty(0),
      width(0),
      height(0),
      quad{},
      hge(hgeCreate(HGE_VERSION)) {
  quad.tex = 0;
  quad.blend = BLEND_COLORMUL | BLEND_ALPHABLEND | BLEND_ZWRITE;
}

hgeDistortionMesh::~hgeDistortionMesh() { hge->Release(); }

void hgeDistortionMesh::SetTextureRect(float x, float y, float w, float h) {
  tx = x;
  ty = y;
  width = w;
  height = h;
  float tw = w, th = h;
  if (quad.tex) {
    tw = static_cast<float>(hge->Texture_GetWidth(quad.tex, false));
    th = static_cast<float>(hge->Texture_GetHeight(quad.tex, false));
  }
  // A zero-sized texture or rectangle would put NaN into every coordinate.
  if (tw == 0) tw = 1;
  if (th == 0) th = 1;
  // A grid needs two nodes along an axis to span anything.
  cellw = nCols > 1 ? w / (nCols - 1) : 0;
  cellh = nRows > 1 ? h / (nRows - 1) : 0;
  for (int j = 0; j < nRows; ++j) {
    for (int i = 0; i < nCols; ++i) {
      hgeVertex& node = Node(i, j);
      node.x = i * cellw;
      node.y = j * cellh;
      node.tx = (i * cellw + x) / tw;
      node.ty = (j * cellh + y) / th;
    }
  }
}

void hgeDistortionMesh::Clear(uint32_t color, float z) {
  for (int j = 0; j < nRows; ++j) {
    for (int i = 0; i < nCols; ++i) {
      hgeVertex& node = Node(i, j);
      node.x = i * cellw;
      node.y = j * cellh;
      node.col = color;
      node.z = z;
    }
  }
}

void hgeDistortionMesh::SetDisplacement(int col, int row, float dx, float dy, int reference) {
  if (row < 0 || col < 0 || row >= nRows || col >= nCols) return;
  hgeVertex& node = Node(col, row);
  switch (reference) {
    case kFromNode:
      node.x = col * cellw + dx;
      node.y = row * cellh + dy;
      break;
    case kFromCentre:
      node.x = (nCols - 1) * cellw / 2 + dx;
      node.y = (nRows - 1) * cellh / 2 + dy;
      break;
    default:
      node.x = dx;
      node.y = dy;
      break;
  }
}

void hgeDistortionMesh::Render(float x, float y) {
  for (int j = 0; j + 1 < nRows; ++j) {
    for (int i = 0; i + 1 < nCols; ++i) {
      // Corners top-left, top-right, bottom-right, bottom-left of the cell.
      quad.v[0] = Node(i, j);
      quad.v[1] = Node(i + 1, j);
      quad.v[2] = Node(i + 1, j + 1);
      quad.v[3] = Node(i, j + 1);
      for (hgeVertex& v : quad.v) {
        v.x += x;
        v.y += y;
      }
      hge->Gfx_RenderQuad(&quad);
    }
  }
}
