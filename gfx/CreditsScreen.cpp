// The credits screen: the credits picture spread over a 32 x 32 distortion
// mesh. Each inner node runs round a 5-pixel circle, one turn every pi
// seconds; each pair of neighbouring diagonals is one radian ahead of the
// pair before it, so waves run across the picture. Border nodes never move.
#include "gfx/CreditsScreen.h"

#include <cmath>

#include "game/ImageTable.h"
#include "gfx/SpriteSheet.h"
#include "gfx/hgeDistortionMesh.h"

float wobbleTime = 0;

namespace {
constexpr int kMeshNodes = 32;
constexpr float kRadius = 5;
}  // namespace

CreditsScreen::CreditsScreen()
    : sheet(new SpriteSheet(kCreditsImage.file, kCreditsImage.framesX, kCreditsImage.framesY,
                            kCreditsImage.width, kCreditsImage.height)),
      mesh(new hgeDistortionMesh(kMeshNodes, kMeshNodes)) {
  mesh->SetTexture(sheet->texture);
  // The picture's own size, whatever the screen size of the tuning file.
  mesh->SetTextureRect(0, 0, 1024, 768);
  mesh->SetBlendMode(BLEND_COLORADD | BLEND_ALPHABLEND | BLEND_ZWRITE);
  // Adding opaque black leaves the picture's colours as they are.
  mesh->Clear(0xFF000000, 0.5f);
}

CreditsScreen::~CreditsScreen() {
  delete mesh;
  delete sheet;
}

void CreditsScreen::Update(float dt) {
  wobbleTime += dt;
  for (int r = 1; r < kMeshNodes - 1; ++r) {
    for (int c = 1; c < kMeshNodes - 1; ++c) {
      const float a = 2 * wobbleTime + static_cast<float>((r + c) / 2);
      mesh->SetDisplacement(c, r, kRadius * std::cos(a), kRadius * std::sin(a),
                            hgeDistortionMesh::kFromNode);
    }
  }
}

void CreditsScreen::Render() { mesh->Render(0, 0); }
