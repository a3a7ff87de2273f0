// A mountain body rectangle and its strict overlap test.
#include "objects/Block.h"

#include <algorithm>
#include <cmath>

Block::Block(hgeVector a, hgeVector b)
    : topLeft(std::min(a.x, b.x), std::min(a.y, b.y)),
      width(std::fabs(a.x - b.x)),
      height(std::fabs(a.y - b.y)) {}

Block::Block(hgeVector corner, float w, float h) : topLeft(corner), width(w), height(h) {}

bool Block::Intersects(const Block& o) const {
  return o.topLeft.x + o.width > topLeft.x && o.topLeft.y + o.height > topLeft.y &&
         topLeft.x + width > o.topLeft.x && topLeft.y + height > o.topLeft.y;
}
