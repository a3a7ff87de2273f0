// One flank of a mountain: the right triangle that fills half of an
// axis-aligned box, cut by the box's diagonal. Coordinates are relative to
// the mountain's position.
#pragma once

#include "engine/hgeVector.h"

class Slope {
 public:
  // Which corner of the box the triangle holds (screen y grows downward).
  enum Corner { TopLeft = 0, TopRight = 1, BottomLeft = 2, BottomRight = 3 };

  Slope(hgeVector a, hgeVector b, int solidCorner);

  // True when p lies strictly inside the box and strictly on the solid side
  // of the diagonal; points on the diagonal or the box edge are outside.
  bool Contains(hgeVector p) const;

  hgeVector cornerA;
  hgeVector cornerB;
  hgeVector boxMin;
  hgeVector boxMax;
  hgeVector boxSize;
  int solidCorner;
  float threshold;
};
