// The one mountain: a shape of slopes and blocks that player clouds cannot
// fly into, rebuilt at the right edge by Spawn. It pushes touching clouds out
// every frame.
#pragma once

#include <vector>

#include "objects/Block.h"
#include "objects/GameObject.h"
#include "objects/Slope.h"

class Mountain : public GameObject {
 public:
  Mountain();
  // Turns the mountain into a new one of kind 1 (small) or 2 (large) at the
  // right edge of the screen.
  void Spawn(int kind);
  void Update(float dt) override;
  void Render(float dt) override;

  bool Collides(PlayerCloud* cloud) const;
  void PushOut(PlayerCloud* cloud);

  std::vector<Slope> slopes;
  std::vector<Block> blocks;
  hgeVector peak{0, 0};  // relative to position; left of its x clouds are thrown back
};
