// The credits: one full-screen picture wobbling on a distortion mesh whose
// inner nodes circle about their rest places, phased by their diagonal.
#pragma once

class SpriteSheet;
class hgeDistortionMesh;

// Seconds the credits have been shown, over every visit; drives the wobble.
extern float wobbleTime;

class CreditsScreen {
 public:
  CreditsScreen();
  CreditsScreen(const CreditsScreen&) = delete;
  CreditsScreen& operator=(const CreditsScreen&) = delete;
  ~CreditsScreen();
  void Update(float dt);
  void Render();

  SpriteSheet* sheet;       // "Images\\credits.png"; the mesh borrows its texture
  hgeDistortionMesh* mesh;  // 32 x 32 nodes over 1024 x 768 pixels
};
