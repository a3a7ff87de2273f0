// The autopilot's hand on one player's cloud. Each frame it picks a goal from
// what it sees (an energy cloud to fly into, something to rain on, something
// to strike with lightning, a mountain to climb over, a plane to let pass),
// steers toward it with the arrow keys of that player and holds rain, boost
// and lightning when they will land.
#pragma once

class PlayerCloud;

class CloudPilot {
 public:
  // Holds the keys of the cloud's player.
  void Fly(const PlayerCloud& cloud, bool* keys);
};
