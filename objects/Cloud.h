// The small energy clouds that drift in from the right edge, each kind in its
// own height band: three grey kinds that give energy and one that gives a
// lightning charge.
#pragma once

#include <cstdint>

#include "objects/GameObject.h"

class Cloud : public GameObject {
 public:
  // kind: 1 small, 2 medium, 3 large, 4 lightning.
  explicit Cloud(int kind);

  void Render(float dt) override;
  void Update(float dt) override;

  int32_t kind;
  int32_t frame = 0;      // animation column 0..2
  int32_t frameStep = 1;  // +1 or -1: the animation runs back and forth
  float frameTime = 0;    // engine time of the last step
  float frameDuration = 0.15f;
};
