// A tree's growth, fire and charring, its animation rows and its smoke.
#include "objects/Tree.h"

#include "config/GameValues.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "game/Sheets.h"
#include "gfx/SpriteSheet.h"
#include "gfx/hgeParticleSystem.h"
#include "objects/PlayerCloud.h"
#include "sound/SoundBank.h"

Tree::Tree() {
  sheet = SheetFor(hge->Random_Int(0, 3));
  size = hgeVector(90, 130);
  position = hgeVector(static_cast<float>(screenWidth),
                       static_cast<float>(screenHeight - (groundHeight + 130)));
  frameDuration = treeFrameTime;
  growthHits = treeGrowthHits;
  rainToExtinguish = treeExtinguishHits;
  // The tuning file is re-read at every new game, so the switch may be on
  // while no template was made at start-up.
  if (particleEffects && smokeTemplate) fireSmoke = new hgeParticleSystem(*smokeTemplate);
  if (particleEffects && smokeWhiteTemplate)
    whiteSmoke = new hgeParticleSystem(*smokeWhiteTemplate);
}

SpriteSheet* Tree::SheetFor(int v) {
  switch (v) {
    case 0:
      return tree1Sheet;
    case 1:
      return tree2Sheet;
    case 2:
      return spruce1Sheet;
    default:
      return spruce2Sheet;
  }
}

Tree::~Tree() {
  // Freed by whether they were made: the switch may have changed since.
  delete fireSmoke;
  delete whiteSmoke;
}

void Tree::HitByRain(PlayerCloud* cloud) {
  const int32_t g = growthHits;
  // Only a drop counted toward growth can start a growth step: a burning or
  // charred tree may sit at exactly G or 2G drops and must not grow again.
  const bool counted = !charred && !burning;
  if (counted) rainHits += 1;
  if (burning) extinguishHits += 1;
  if (cloud) {
    if (rainHits < g && !burning) cloud->score += smallTreeRainBonus;
    cloud->score += rainHits < 2 * g && !burning ? growingTreeRainPoints : fullTreeRainPoints;
  }
  if (counted && rainHits == g) {
    growing1 = true;
    stage = 1;
    soundBank->Play("Tree_Growing_01");
  }
  if (extinguishHits == rainToExtinguish) {
    charred = true;
    column = 0;
    burning = false;
  }
  if (counted && rainHits == 2 * g) {
    growing2 = true;
    stage = 2;
    soundBank->Play("Tree_Growing_01");
  }
}

void Tree::HitByLightning(PlayerCloud* cloud) {
  if (burning) return;
  // The fire starts at the first column of the stage's burning loop; bigger
  // trees pay more.
  static constexpr int32_t kFireColumn[3] = {0, 7, 14};
  static constexpr int32_t kPoints[3] = {20, 50, 150};
  if (stage >= 0 && stage <= 2) {
    column = kFireColumn[stage];
    if (cloud) cloud->score += kPoints[stage];
  }
  row = 1;
  extinguishHits = 0;
  burning = true;
  charred = false;
}

bool Tree::StepDue(float now) {
  if (!(now - frameTime > frameDuration)) return false;
  frameTime = now;
  return true;
}

void Tree::Update(float dt) {
  const float now = hge->Timer_GetTime();
  // Each step tests its conditions before the time, so a step that does not
  // apply leaves the time for the next; at most one step runs per update.
  if (column < 8 && growing1 && !burning && StepDue(now)) {
    column += 1;
    if (column == 8) growing1 = false;
  }
  if (column < 18 && growing2 && !burning && StepDue(now)) {
    column += 1;
    if (column == 18) growing2 = false;
  }
  if (burning && !charred) {
    // The burning loops of row 1: small 0..6, medium 7..13, large 14..19.
    static constexpr int32_t kFirst[3] = {0, 7, 14};
    static constexpr int32_t kEnd[3] = {7, 14, 20};
    if (stage >= 0 && stage <= 2 && column >= kFirst[stage] && column < kEnd[stage] &&
        StepDue(now)) {
      row = 1;
      column += 1;
      if (column == kEnd[stage]) column = kFirst[stage];
    }
  }
  if (charred) {
    // Rows 2, 3 and 4 hold the charred small, medium and large tree.
    if (stage >= 0 && stage <= 2) row = 2 + stage;
    column = 0;
  }
  if (particleEffects && fireSmoke && whiteSmoke) {
    const float cx = position.x + size.x / 2;
    if (burning)
      fireSmoke->FireAt(cx - 40, position.y + 20);
    else
      fireSmoke->Stop(false);
    if (charred)
      whiteSmoke->FireAt(cx - 8, position.y + 20);
    else
      whiteSmoke->Stop(false);
    // The smoke drifts at half speed.
    fireSmoke->Update(dt / 2);
    whiteSmoke->Update(dt / 2);
  }
  position.x -= worldSpeed * dt;
}

void Tree::Render(float) {
  // The smoke rises behind the tree.
  if (particleEffects && fireSmoke && whiteSmoke) {
    fireSmoke->Render();
    whiteSmoke->Render();
  }
  // The picture is wider and taller than the collision box.
  sheet->DrawFrame(hgeVector(position.x - 30, position.y - 170), column, row, hgeVector(0, 0),
                   hgeVector(1, 1));
}
