// The title menu: four picture buttons in a diamond with a players sub-menu
// on the top button.
#pragma once

#include <cstdint>

class TitleMenu {
 public:
  void Update(float dt);
  void Render(float dt);

  int32_t item = 0;
  int32_t playersChoice = 2;
  int32_t connector = 0;
  int32_t connectorFrame = 30;
  int32_t connectorStep = 1;
  int32_t subMenuFrame = 1;
  int32_t subMenuStep = 1;
  float lastStepTime = 0;
  float stepTime = 0.1f;
};
