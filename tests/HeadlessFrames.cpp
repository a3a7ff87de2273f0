// Scripted frames on the shared headless engine: a driver that sets each
// frame's keys before the frame and a frame function that calls the test.
#include "tests/HeadlessFrames.h"

#include "engine/Platform.h"
#include "engine/hge.h"
#include "tests/HeadlessEngine.h"

namespace {

class KeyScript : public FrameDriver {
 public:
  // Every frame takes no time. One frame more than scripted runs with no key
  // held (the test is not called in it), so the next script starts with
  // every key up.
  bool NextFrame(float* delta) override {
    if (!keys || next > keys->size()) return false;
    headless::ReleaseAllKeys();
    if (next < keys->size())
      for (int key : (*keys)[next]) headless::SetKey(key, true);
    *delta = 0;
    return true;
  }
  const std::vector<std::vector<int>>* keys = nullptr;
  size_t next = 0;
  const std::function<void(int)>* frame = nullptr;
};

KeyScript script;

bool ScriptFrame() {
  if (script.next == script.keys->size()) return true;  // the closing frame
  (*script.frame)(static_cast<int>(script.next));
  ++script.next;
  return false;
}

}  // namespace

void RunFrames(const std::vector<std::vector<int>>& keys, const std::function<void(int)>& frame) {
  HGE* engine = HeadlessEngine();
  if (!engine) return;
  script.keys = &keys;
  script.next = 0;
  script.frame = &frame;
  headless::Enable(&script);
  engine->System_SetState(HGE_FRAMEFUNC, ScriptFrame);
  engine->System_Start();
  headless::ReleaseAllKeys();
  script.keys = nullptr;
  script.frame = nullptr;
}
