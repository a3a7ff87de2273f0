#include "tools/autopilot/CloudPilot.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "config/GameValues.h"
#include "game/Globals.h"
#include "game/World.h"
#include "objects/Block.h"
#include "objects/Cloud.h"
#include "objects/House.h"
#include "objects/Lightning.h"
#include "objects/Mountain.h"
#include "objects/Person.h"
#include "objects/Plane.h"
#include "objects/PlayerCloud.h"
#include "objects/Sheep.h"
#include "objects/Slope.h"
#include "objects/Tree.h"

namespace {

// Where the cloud wants its top-left corner, and what it does on the way.
struct Goal {
  float x, y;
  bool rain = false;
  bool boost = false;
  bool bolt = false;
};

struct Box {
  float x, y, w, h;
};

Box BoxOf(const GameObject& o) { return {o.position.x, o.position.y, o.size.x, o.size.y}; }

bool SpansOverlap(float a, float aw, float b, float bw) { return a < b + bw && b < a + aw; }

// The heights the cloud's class lets it hold (the edge pushes enforce them).
void HeightRange(const PlayerCloud& c, float* low, float* high) {
  *low = c.state == CloudState::Large ? 330 : c.state == CloudState::Medium ? 145 : 1;
  *high = static_cast<float>(screenHeight) - 170 - c.size.y;
  *low += 6;
  *high -= 6;
}

// Seconds a drop takes from the cloud's underside down to height y.
float FallTime(float fromY, float toY) {
  const float d = std::max(0.0f, toY - fromY);
  const float a = std::max(1.0f, rainGravity) / 2;
  return (-rainDropSpeed + std::sqrt(rainDropSpeed * rainDropSpeed + 4 * a * d)) / (2 * a);
}

// A walker's own pace along the ground: right, left or standing.
float WalkVelocity(int direction) {
  return direction == 0 ? walkSpeed : direction == 1 ? -walkSpeed : 0.0f;
}

// Points a drop or a bolt is worth on this object, roughly; 0 when it is not worth it.
void Worth(const GameObject* o, float* rainWorth, float* boltWorth, float* pace) {
  *rainWorth = *boltWorth = 0;
  *pace = 0;
  if (const Person* p = dynamic_cast<const Person*>(o)) {
    *pace = p->dead ? 0 : WalkVelocity(p->direction);
    if (!p->zombie) *rainWorth = 2;
    if (p->dead && !p->zombie) *boltWorth = 6;
    if (!p->dead && !p->burning && !p->zombie) *boltWorth = 3;
  } else if (const Sheep* s = dynamic_cast<const Sheep*>(o)) {
    if (!s->exploded && !s->remains) {
      *pace = WalkVelocity(s->direction);
      *rainWorth = 2;
      *boltWorth = 3;
    }
  } else if (const Tree* t = dynamic_cast<const Tree*>(o)) {
    if (!t->burning && !t->charred) {
      *rainWorth = t->stage < 2 ? 2.0f : 0.5f;
      *boltWorth = 2.0f + t->stage;
    } else if (t->burning) {
      *rainWorth = 1;
    }
  } else if (const House* h = dynamic_cast<const House*>(o)) {
    if (h->state == HouseState::Standing) *boltWorth = 10;
    if (h->state == HouseState::Burning) *rainWorth = 1;
  }
}

// The top of the mountain's highest shape, on screen.
float MountainTop(const Mountain& m) {
  float top = m.size.y;
  for (const Slope& s : m.slopes) top = std::min(top, s.boxMin.y);
  for (const Block& b : m.blocks) top = std::min(top, b.topLeft.y);
  return m.position.y + top;
}

float Clamp(float v, float lo, float hi) { return std::max(lo, std::min(v, hi)); }

class Planner {
 public:
  explicit Planner(const PlayerCloud& c) : c_(c) {
    HeightRange(c, &low_, &high_);
    right_ = static_cast<float>(screenWidth) - c.size.x - 8;
    home_ = {static_cast<float>(screenWidth) * 0.42f - c.size.x / 2, (low_ + high_) / 2};
  }

  Goal Plan() {
    Goal goal = Choose();
    AvoidPlane(&goal);
    return goal;
  }

  float Low() const { return low_; }
  float High() const { return high_; }
  float Right() const { return right_; }

 private:
  Goal Choose() const {
    Goal goal = home_;
    if (MountainAhead(&goal)) return goal;
    Goal energy = home_, ground = home_;
    const float energyScore = BestEnergyCloud(&energy);
    const float groundScore = BestGroundTarget(&ground);
    if (c_.energy < 35 && energyScore > 0) return energy;
    if (groundScore > 0 && groundScore >= energyScore * 0.5f) return ground;
    if (energyScore > 0) return energy;
    return goal;
  }

  // Time to fly from here to a place, roughly.
  float TravelTime(float x, float y) const {
    return std::hypot(x - c_.position.x, y - c_.position.y) / 220.0f + 0.3f;
  }

  // A mountain on screen that the cloud has not passed: shed energy until the
  // cloud's class can fly above it, keep clear of its flank, climb, let it pass.
  bool MountainAhead(Goal* goal) const {
    if (!mountain) return false;
    const Mountain& m = *mountain;
    const float screenW = static_cast<float>(screenWidth);
    if (m.position.x > screenW + 30 || m.position.x + m.size.x < c_.position.x - 10) return false;
    const float top = MountainTop(m);
    const float clearY = top - c_.size.y - 18;
    const float gap = m.position.x - (c_.position.x + c_.size.x);
    goal->x = c_.position.x;
    if (gap < 140) goal->x = m.position.x - c_.size.x - 160;  // back off from the flank
    goal->x = Clamp(goal->x, 12, right_);
    if (low_ > clearY) {
      // Too heavy to fly that high: rain it away, on whatever is below.
      goal->y = low_;
      goal->rain = goal->boost = c_.energy > 14;
    } else {
      goal->y = Clamp(clearY, low_, high_);
      if (c_.position.y < clearY + 4) goal->x = c_.position.x;  // above it: let it pass
    }
    return true;
  }

  // The plane's path over the next seconds, by its own rules of flight.
  std::vector<Box> PlanePath() const {
    std::vector<Box> path;
    if (!plane || !plane->active) return path;
    hgeVector p = plane->position, v = plane->velocity, a = plane->acceleration;
    const float dt = 1.0f / 30;
    for (int i = 0; i < 90; ++i) {
      path.push_back({p.x, p.y, plane->size.x, plane->size.y});
      p += v * dt;
      v += a * dt;
      if (v.y > 170)
        a.y = -350;
      else if (v.y < -180)
        a.y = plane->sinkAcceleration;
    }
    return path;
  }

  // When the cloud would meet the plane on its way to (x, y), in steps of the
  // path; -1 when it never does.
  int Meeting(const std::vector<Box>& path, float x, float y) const {
    const float margin = 24, run = 220.0f / 30, climb = 150.0f / 30;
    float cx = c_.position.x, cy = c_.position.y;
    for (size_t i = 0; i < path.size(); ++i) {
      const Box& p = path[i];
      if (SpansOverlap(p.x - margin, p.w + 2 * margin, cx, c_.size.x) &&
          SpansOverlap(p.y - margin, p.h + 2 * margin, cy, c_.size.y))
        return static_cast<int>(i);
      cx += Clamp(x - cx, -run, run);
      cy += Clamp(y - cy, -climb, climb);
    }
    return -1;
  }

  // Moves the goal to the nearest place the plane leaves free on the way;
  // with none free, to the one it reaches last. The plane comes first: a
  // mountain only pushes, the plane drains.
  void AvoidPlane(Goal* goal) const {
    const std::vector<Box> path = PlanePath();
    if (path.empty()) return;
    int latest = Meeting(path, goal->x, goal->y);
    if (latest < 0) return;
    Goal best = *goal;
    float bestDistance = 1e9f;
    for (float dx : {0.0f, -150.0f, 150.0f, -300.0f, 300.0f}) {
      const float x = Clamp(c_.position.x + dx, 12, right_);
      for (float y = low_; y <= high_ + 1; y += 20) {
        const int meets = Meeting(path, x, y);
        const float distance = std::fabs(y - goal->y) + std::fabs(x - goal->x);
        const bool better =
            meets < 0 ? (latest >= 0 || distance < bestDistance) : (latest >= 0 && meets > latest);
        if (!better) continue;
        latest = meets;
        best.x = x;
        best.y = y;
        if (meets < 0) bestDistance = distance;
      }
    }
    goal->x = best.x;
    goal->y = best.y;
  }

  float BestEnergyCloud(Goal* goal) const {
    float best = 0;
    for (const Cloud* e : cloudobjects) {
      float worth = 0;
      if (e->kind == 4) {
        if (c_.lightning && c_.lightning->charges < 9) worth = c_.energy >= 45 ? 14 : 4;
      } else if (c_.energy < 92) {
        worth = e->kind == 1   ? smallEnergyCloudGain
                : e->kind == 2 ? mediumEnergyCloudGain
                               : largeEnergyCloudGain;
        if (c_.energy < 30) worth *= 3;
      }
      if (worth <= 0) continue;
      const float y = Clamp(e->position.y + e->size.y / 2 - c_.size.y / 2, low_, high_);
      if (!SpansOverlap(y, c_.size.y, e->position.y, e->size.y)) continue;  // out of reach
      float t = TravelTime(e->position.x, y);
      const float x = e->position.x - energyCloudSpeed * t;
      t = TravelTime(x, y);
      if (x + e->size.x < 30) continue;  // gone before the cloud gets there
      const float score = worth / (t + 0.5f);
      if (score > best) {
        best = score;
        goal->x = Clamp(x + e->size.x / 2 - c_.size.x / 2, 12, right_);
        goal->y = y;
      }
    }
    return best;
  }

  float BestGroundTarget(Goal* goal) const {
    const bool canBolt = c_.state == CloudState::Large && c_.lightning && c_.lightning->charges > 0;
    // Rain keeps a reserve: enough to stay out of the weak class, or to stay
    // large while there are charges to cast.
    const float reserve = canBolt ? largeEnergyMin + 3 : smallEnergyMax - 4;
    const bool canRain = c_.energy > reserve;
    const float underside = c_.position.y + c_.size.y;
    float best = 0;
    for (const GameObject* o : objects) {
      float rainWorth, boltWorth, pace;
      Worth(o, &rainWorth, &boltWorth, &pace);
      const Box b = BoxOf(*o);
      if (canBolt && boltWorth > 0) {
        // The strike falls in a narrow band below the cloud's middle.
        const float x = Clamp(b.x + b.w / 2 - 125, 12, right_);
        const float t = TravelTime(x, c_.position.y);
        const float at = b.x + (pace - worldSpeed) * t;
        const float score = boltWorth * 3 / (t + 0.5f);
        if (at + b.w > 40 && score > best) {
          best = score;
          goal->x = Clamp(at + b.w / 2 - 125, 12, right_);
          goal->y = low_;
          const float strikeX = c_.position.x + 95;
          goal->bolt = SpansOverlap(strikeX, 60, b.x + 4, b.w - 8);
          goal->rain = false;
        }
      }
      if (canRain && rainWorth > 0) {
        const float fall = FallTime(underside, b.y);
        // Where the object will be when drops let go now reach it; drops drift with the wind.
        const float drift = rainWind * fall * fall / 2;
        const float centre = b.x + b.w / 2 + (pace - worldSpeed) * fall - drift;
        const float x = Clamp(centre - c_.size.x / 2, 12, right_);
        const float t = TravelTime(x, c_.position.y);
        if (centre + (pace - worldSpeed) * t < 30) continue;
        const float score = rainWorth / (t + 0.5f);
        if (score > best) {
          best = score;
          goal->x = x;
          goal->y = high_;  // low over the ground: short falls land where aimed
          goal->bolt = false;
          goal->rain = SpansOverlap(c_.position.x + 10, c_.size.x - 20, centre - b.w / 2, b.w);
          goal->boost = goal->rain && c_.energy > 80;
        }
      }
    }
    return best;
  }

  const PlayerCloud& c_;
  float low_, high_, right_;
  Goal home_{0, 0};
};

}  // namespace

void CloudPilot::Fly(const PlayerCloud& cloud, bool* keys) {
  const PlayerKeys& k = KeysOf(cloud.playerNumber);
  if (cloud.state == CloudState::Dying || cloud.state == CloudState::Dead) return;
  Planner planner(cloud);
  Goal goal = planner.Plan();
  goal.x = Clamp(goal.x, 12, planner.Right());
  goal.y = Clamp(goal.y, planner.Low(), planner.High());
  // Steer by speed: the wanted speed grows with the distance, and a key is held
  // while the cloud is slower than that (released keys brake by themselves).
  const float wantX = Clamp((goal.x - cloud.position.x) * 2.2f, -280, 280);
  const float wantY = Clamp((goal.y - cloud.position.y) * 2.2f, -220, 220);
  const float dead = 12;
  if (wantX > cloud.velocity.x + dead) keys[k.right] = true;
  if (wantX < cloud.velocity.x - dead) keys[k.left] = true;
  if (wantY > cloud.velocity.y + dead) keys[k.down] = true;
  if (wantY < cloud.velocity.y - dead) keys[k.up] = true;
  if (goal.rain) keys[k.rain] = true;
  if (goal.rain && goal.boost) keys[k.boost] = true;
  if (goal.bolt && cloud.lightning && cloud.lightning->CanCast()) keys[k.lightning] = true;
}
