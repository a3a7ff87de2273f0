// The credits: one full-screen picture wobbling on a distortion mesh.
#pragma once

class CreditsScreen {
 public:
  CreditsScreen();
  CreditsScreen(const CreditsScreen&) = delete;
  CreditsScreen& operator=(const CreditsScreen&) = delete;
  ~CreditsScreen();
  void Update(float dt);
  void Render();
};
