// A mountain flank: a point is on the solid side of the diagonal when its
// coordinates in the box, measured towards the solid corner as fractions of
// the box size, add up to more than 1.
#include "objects/Slope.h"

#include <algorithm>

Slope::Slope(hgeVector a, hgeVector b, int corner)
    : cornerA(a),
      cornerB(b),
      boxMin(std::min(a.x, b.x), std::min(a.y, b.y)),
      boxMax(std::max(a.x, b.x), std::max(a.y, b.y)),
      boxSize(boxMax - boxMin),
      solidCorner(corner),
      threshold(1.0f) {}

bool Slope::Contains(hgeVector p) const {
  if (!(boxMin.x < p.x && p.x < boxMax.x && boxMin.y < p.y && p.y < boxMax.y)) return false;
  hgeVector rel = p - boxMin;
  float w = boxSize.x;
  float h = boxSize.y;
  float sum;
  switch (solidCorner) {
    case TopLeft:
      sum = (w - rel.x) / w + (h - rel.y) / h;
      break;
    case TopRight:
      sum = rel.x / w + (h - rel.y) / h;
      break;
    case BottomLeft:
      sum = (w - rel.x) / w + rel.y / h;
      break;
    case BottomRight:
      sum = rel.x / w + rel.y / h;
      break;
    default:
      return false;
  }
  return sum > threshold;
}
