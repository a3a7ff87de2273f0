// The mountain's two shapes, its scroll and the push that keeps player clouds
// out of it: a cloud flying left bounces back, any other is lifted out, left
// of the peak thrown back left, right of it let through to the right.
#include "objects/Mountain.h"

#include "config/GameValues.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "game/Sheets.h"
#include "gfx/SpriteSheet.h"
#include "objects/PlayerCloud.h"

Mountain::Mountain() {
  size = hgeVector(541, 400);
  Spawn(hge->Random_Int(1, 2));
  // Wait out of sight until the spawner brings the mountain on.
  position = hgeVector(-1000, 0);
}

void Mountain::Spawn(int kind) {
  slopes.clear();
  blocks.clear();
  if (kind == 1) {
    slopes.emplace_back(hgeVector(1, 439), hgeVector(96, 224), Slope::BottomRight);
    slopes.emplace_back(hgeVector(280, 25), hgeVector(96, 224), Slope::BottomRight);
    slopes.emplace_back(hgeVector(520, 29), hgeVector(339, 445), Slope::BottomLeft);
    blocks.emplace_back(hgeVector(278, 24), hgeVector(339, 442));
    blocks.emplace_back(hgeVector(99, 223), hgeVector(421, 459));
    size = hgeVector(541, 400);
    peak = hgeVector(276, 410);
    sheet = smallMountainSheet;
    position = hgeVector(screenWidth, screenHeight - 400 - groundHeight);
  } else if (kind == 2) {
    slopes.emplace_back(hgeVector(213, 532), hgeVector(33, 66), Slope::BottomRight);
    slopes.emplace_back(hgeVector(302, 8), hgeVector(213, 66), Slope::BottomRight);
    slopes.emplace_back(hgeVector(520, 222), hgeVector(360, 8), Slope::BottomLeft);
    slopes.emplace_back(hgeVector(520, 222), hgeVector(642, 548), Slope::BottomLeft);
    blocks.emplace_back(hgeVector(213, 360), hgeVector(520, 548));
    blocks.emplace_back(hgeVector(213, 222), hgeVector(520, 360));
    blocks.emplace_back(hgeVector(213, 66), hgeVector(360, 222));
    blocks.emplace_back(hgeVector(302, 66), hgeVector(360, 8));
    size = hgeVector(650, 600);
    peak = hgeVector(328, 584);
    sheet = largeMountainSheet;
    // The large mountain stands 50 px lower than its height would put it.
    position = hgeVector(screenWidth, screenHeight - 600 - groundHeight + 50);
  }
}

bool Mountain::Collides(PlayerCloud* cloud) const {
  const hgeVector p = cloud->position;
  const hgeVector s = cloud->size;
  const hgeVector corners[4] = {hgeVector(p.x, p.y), hgeVector(p.x, p.y + s.y),
                                hgeVector(p.x + s.x, p.y), hgeVector(p.x + s.x, p.y + s.y)};
  for (const hgeVector& corner : corners) {
    hgeVector rel = corner - position;
    for (const Slope& slope : slopes) {
      if (slope.Contains(rel)) return true;
    }
  }
  // The slopes see only the corners; the body is tested against the whole box.
  Block box(p - position, s.x, s.y);
  for (const Block& block : blocks) {
    if (block.Intersects(box)) return true;
  }
  return false;
}

void Mountain::PushOut(PlayerCloud* cloud) {
  if (!Collides(cloud)) return;
  if (cloud->velocity.x < 0) {
    cloud->velocity = -cloud->velocity;
    return;
  }
  // Each pass lifts the cloud 1 px, so the loop ends above the highest shape.
  while (Collides(cloud)) {
    if (cloud->position.x + cloud->size.x / 2 <= position.x + peak.x) {
      cloud->position.x -= 1;
      cloud->velocity.x = -2 * worldSpeed;
    } else {
      cloud->position.x += 1;
    }
    cloud->position.y -= 1;
    cloud->velocity.y = -2;
  }
}

void Mountain::Update(float dt) {
  position.x -= worldSpeed * dt;
  if (player1) PushOut(player1);
  if (player2) PushOut(player2);
}

void Mountain::Render(float) { sheet->DrawFrame(position, 0, 0, hgeVector(0, 0), hgeVector(1, 1)); }
