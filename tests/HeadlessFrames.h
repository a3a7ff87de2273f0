// Runs a few frames on the shared headless test engine with scripted keys, for
// unit tests of code that reads the keyboard or the engine clock per frame.
#pragma once

#include <functional>
#include <vector>

// Runs keys.size() frames of `delta` seconds each. Frame i holds exactly the
// keys of keys[i]: a key held in the frame before stays down without going
// down again, so Input_GetKey reports only keys new in that frame. `frame`
// runs as the frame function with the frame's index.
void RunFrames(const std::vector<std::vector<int>>& keys, float delta,
               const std::function<void(int)>& frame);
