// All rain drops of both players. Clouds add drops under themselves; each play
// frame the drops are first tested against the other player's cloud and the
// world objects, and at the end of the frame they fall, drift with the wind
// and vanish at the ground line. The rain loop sound runs while drops exist.
#include "objects/Rain.h"

#include "config/GameValues.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "game/Sheets.h"
#include "gfx/SpriteSheet.h"
#include "objects/GameObject.h"
#include "objects/PlayerCloud.h"
#include "sound/SoundBank.h"

void Rain::AddDrops(PlayerCloud* cloud) {
  float t = frameDelta;
  while (t > 0) {
    RainDrop drop;
    drop.position.x = hge->Random_Float(cloud->position.x, cloud->position.x + cloud->size.x);
    drop.position.y = cloud->position.y + cloud->size.y;
    drop.velocity = hgeVector(0, rainDropSpeed);
    drop.size = hgeVector(13, 13);
    drop.acceleration = hgeVector(rainWind, rainGravity);
    drop.drawOffset = hge->Random_Int(-20, 50);
    drop.owner = cloud->playerNumber;
    drops.push_back(drop);
    cloud->energy -= rainDropEnergy;
    // A tuning file without a positive interval would never end this loop:
    // such a file gets one drop per call.
    if (!(rainDropInterval > 0)) break;
    t -= rainDropInterval;
  }
}

void Rain::CheckHits(std::vector<GameObject*>& objects) {
  // The clouds rain on each other only while both are in the game; a drop
  // never hits the cloud that made it.
  if (player1 && player2) {
    for (auto it = drops.begin(); it != drops.end();) {
      if (it->owner != 1 &&
          RectsOverlap(player1->size, player1->position, it->size, it->position)) {
        it = drops.erase(it);
        player1->HitByRain(player2);
      } else if (it->owner != 2 &&
                 RectsOverlap(player2->size, player2->position, it->size, it->position)) {
        it = drops.erase(it);
        player2->HitByRain(player1);
      } else {
        ++it;
      }
    }
  }
  // A drop wets every object it touches. Points go to the cloud that made it,
  // or to nobody (null) when that cloud has left the game.
  for (auto it = drops.begin(); it != drops.end();) {
    PlayerCloud* credited = it->owner == 1 ? player1 : player2;
    bool hit = false;
    for (size_t i = 0; i < objects.size(); ++i) {
      GameObject* object = objects[i];
      if (RectsOverlap(object->size, object->position, it->size, it->position)) {
        hit = true;
        object->HitByRain(credited);
      }
    }
    if (hit) {
      it = drops.erase(it);
    } else {
      ++it;
    }
  }
}

void Rain::Update(float dt) {
  const float groundLine = static_cast<float>(screenHeight);
  for (auto it = drops.begin(); it != drops.end();) {
    it->position += it->velocity * dt;
    it->velocity += it->acceleration * dt;
    if (it->position.y > groundLine - (static_cast<float>(groundHeight) + it->size.y)) {
      it = drops.erase(it);
    } else {
      ++it;
    }
  }
  if (!drops.empty() && !loopPlaying) {
    soundBank->Play("Rain_Loop_04");
    loopPlaying = true;
  } else if (loopPlaying && drops.empty()) {
    soundBank->Stop("Rain_Loop_04");
    loopPlaying = false;
  }
}

void Rain::Render(float) {
  if (!rainSheet) return;
  for (const RainDrop& drop : drops) {
    rainSheet->DrawFrame(hgeVector(drop.position.x, drop.position.y + drop.drawOffset), 0, 0,
                         hgeVector(0.5f, 0.5f), hgeVector(1, 1));
  }
}

void Rain::Clear() { drops.clear(); }
