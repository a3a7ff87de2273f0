// One rectangle of a mountain's body, relative to the mountain's position;
// also the shape a cloud's box takes when tested against the body.
#pragma once

#include "engine/hgeVector.h"

class Block {
 public:
  // From two opposite corners, in any order.
  Block(hgeVector a, hgeVector b);
  Block(hgeVector topLeft, float width, float height);

  // True when the two rectangles overlap; touching edges do not.
  bool Intersects(const Block& o) const;

  hgeVector topLeft;
  float width;
  float height;
};
