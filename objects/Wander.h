// What people and sheep share as they wander the ground: now and then they
// turn to walk the other way.
#pragma once

#include <cstdint>

// Every turnCheckInterval seconds a walker turns with the chance turnChance to
// walk left or right (never to stand); without a turn the next draw comes one
// second later.
void DrawWalkDirection(int32_t& direction, float& turnTime, float now);
