// Runs a few frames on the shared headless test engine with scripted keys, for
// unit tests of code that reads the keyboard per frame.
#pragma once

#include <functional>
#include <vector>

// Runs keys.size() frames. Frame i holds exactly the keys of keys[i]: a key
// held in the frame before stays down without going down again, so
// Input_GetKey reports only keys new in that frame. `frame` runs as the frame
// function with the frame's index. The frames take no time: other tests rely
// on the shared engine's clock standing still.
void RunFrames(const std::vector<std::vector<int>>& keys, const std::function<void(int)>& frame);
