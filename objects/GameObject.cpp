#include "objects/GameObject.h"

bool RectsOverlap(hgeVector sizeA, hgeVector a, hgeVector sizeB, hgeVector b) {
  return a.x <= b.x + sizeB.x && b.x < a.x + sizeA.x && a.y <= b.y + sizeB.y &&
         b.y < a.y + sizeA.y;
}
