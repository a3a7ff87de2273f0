// The backdrop: three drifting layers, the sun, the darkening sky, the red
// glow and the grass strip in front.
#pragma once

#include <cstdint>

class Scenery {
 public:
  void Update(float dt);
  void RenderBack(float dt);
  void RenderFront(float dt);
  // The sun's alpha for the current darkness level, 255 clear to 0 dark.
  uint32_t SunAlpha() const;

  float level = 0;         // darkness, 0 clear up to about screenHeight
  float distance = 0;      // scrolled distance, px
  float elapsed = 0;       // play time, s
  float sunFrameTime = 0;  // engine time of the sun's last step
  int32_t sunFrame = 0;    // 0..16
};
