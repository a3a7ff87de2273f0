// zarvo-sim: runs the real game headless in the current directory, driven by
// a script on standard input (one command a line, '#' starts a comment):
//   seed N | start | hold KEY... | release KEY... | release all | press KEY
//   frames N [DT] | dump | draws | shot FILE.png | set FIELD VALUE... | spawn CLASS [X Y]
//   bot 1|2|menus on|off | stats | quit
//   pad attach | pad N hold|release CONTROL... | pad N detach
//     (virtual game pads, numbered from 1 in attach order; controls A B X Y
//     BACK START UP DOWN LEFT RIGHT)
//   kill (SIGKILL at once, as a crash or kill -9 would: no shutdown, nothing saved)
// Every run is recorded into "last_game.replay" (a run that used set or spawn
// is marked as one keys cannot reproduce); `zarvo-sim --replay FILE` plays a
// recording back headless and prints the state it ends in.
// `stats` prints one JSON line: game time, frames run, games ended, the state,
// what is alive (objects, energy clouds, drops, particle systems and particles)
// and the resident memory in KiB.
// A bad line is reported with its number on standard error and the run ends
// with status 1 after a clean shutdown.
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/Platform.h"
#include "engine/hge.h"
#include "game/Game.h"
#include "game/Globals.h"
#include "game/World.h"
#include "gfx/hgeParticleSystem.h"
#include "sound/SoundBank.h"
#include "tools/autopilot/Autopilot.h"
#include "tools/sim/State.h"

namespace {

struct Line {
  int number;
  std::vector<std::string> words;
};

std::vector<Line> ReadScript(std::istream& in) {
  std::vector<Line> lines;
  std::string text;
  int number = 0;
  while (std::getline(in, text)) {
    ++number;
    const size_t hash = text.find('#');
    if (hash != std::string::npos) text.erase(hash);
    std::istringstream words(text);
    Line line{number, {}};
    for (std::string w; words >> w;) line.words.push_back(w);
    if (!line.words.empty()) lines.push_back(line);
  }
  return lines;
}

class ScriptDriver : public FrameDriver {
 public:
  explicit ScriptDriver(std::vector<Line> lines) : lines_(std::move(lines)) {}

  // Runs the script up to the first command that needs the game.
  bool RunPrelude() {
    while (next_ < lines_.size()) {
      const Line& line = lines_[next_];
      if (line.words[0] != "seed") return true;
      int seed = 0;
      if (line.words.size() != 2 || !ParseInt(line.words[1], &seed))
        return Fail(line, "seed takes one number");
      seed_ = seed;
      ++next_;
    }
    return false;  // nothing needs the game
  }

  int seed() const { return seed_; }
  bool failed() const { return failed_; }
  std::vector<std::string> soundCalls;

  bool NextFrame(float* delta) override {
    for (int key : pressed_) headless::SetKey(key, false);
    pressed_.clear();
    // A game has ended when the title comes back from any other screen.
    if (GameState == State::TitleMenu && lastState_ != State::TitleMenu) ++gamesEnded_;
    lastState_ = GameState;
    while (framesLeft_ == 0) {
      if (next_ >= lines_.size() || failed_ || quit_) return false;
      Execute(lines_[next_++]);
    }
    --framesLeft_;
    ++framesRun_;
    *delta = frameTime_;
    return true;
  }

 private:
  static bool ParseInt(const std::string& w, int* out) {
    try {
      size_t used = 0;
      *out = std::stoi(w, &used);
      return used == w.size();
    } catch (...) {
      return false;
    }
  }

  bool Fail(const Line& line, const std::string& why) {
    std::fprintf(stderr, "zarvo-sim: line %d: %s\n", line.number, why.c_str());
    failed_ = true;
    return false;
  }

  bool Keys(const Line& line, size_t from, std::vector<int>* keys) {
    for (size_t i = from; i < line.words.size(); ++i) {
      const int key = KeyCodeFromName(line.words[i]);
      if (!key) return Fail(line, "unknown key '" + line.words[i] + "'");
      keys->push_back(key);
    }
    if (keys->empty()) return Fail(line, "no key given");
    return true;
  }

  void Execute(const Line& line) {
    const std::string& command = line.words[0];
    std::vector<std::string> args(line.words.begin() + 1, line.words.end());
    std::vector<int> keys;
    if (command == "start") {
      // Start-up has run already: the script goes on at the frame loop.
    } else if (command == "seed") {
      Fail(line, "seed must come before the game starts");
    } else if (command == "hold") {
      if (Keys(line, 1, &keys))
        for (int key : keys) headless::SetKey(key, true);
    } else if (command == "release") {
      if (args.size() == 1 && args[0] == "all")
        headless::ReleaseAllKeys();
      else if (Keys(line, 1, &keys))
        for (int key : keys) headless::SetKey(key, false);
    } else if (command == "press") {
      if (args.size() != 1) {
        Fail(line, "press takes one key");
      } else if (Keys(line, 1, &keys)) {
        headless::SetKey(keys[0], true);
        pressedNext_.push_back(keys[0]);
      }
    } else if (command == "frames") {
      int count = 0;
      float dt = 1.0f / 60.0f;
      if (args.empty() || args.size() > 2 || !ParseInt(args[0], &count) || count < 0) {
        Fail(line, "frames takes a count and optionally a delta time");
        return;
      }
      if (args.size() == 2) {
        try {
          size_t used = 0;
          dt = std::stof(args[1], &used);
          if (used != args[1].size() || dt < 0) throw 0;
        } catch (...) {
          Fail(line, "bad delta time");
          return;
        }
      }
      framesLeft_ = count;
      frameTime_ = dt;
      // A pressed key stays down for the first of these frames only.
      if (count > 0) pressed_.swap(pressedNext_);
      pressedNext_.clear();
      if (count == 0) pressed_.clear();
    } else if (command == "dump") {
      // Names are bytes as typed or stored: any that are not UTF-8 show as U+FFFD.
      std::cout
          << DumpState(soundCalls).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace)
          << std::endl;
    } else if (command == "draws") {
      // The last frame's quads: [picture, x, y, w, h, u, v, colour] in drawing
      // order, the picture by its file name without folders.
      nlohmann::json draws = nlohmann::json::array();
      for (const headless::DrawnQuad& q : headless::LastFrameQuads()) {
        const std::string name = q.texture.substr(q.texture.find_last_of("/\\") + 1);
        draws.push_back({name, q.x, q.y, q.w, q.h, q.u, q.v, q.color});
      }
      std::cout << nlohmann::json{{"draws", draws}}.dump() << std::endl;
    } else if (command == "shot") {
      if (args.size() != 1)
        Fail(line, "shot takes a file name");
      else if (!headless::SaveShot(args[0].c_str()))
        Fail(line, "cannot save " + args[0]);
    } else if (command == "set") {
      if (args.size() < 2) {
        Fail(line, "set takes a field and a value");
        return;
      }
      replay::MarkUnreplayable("set");
      const std::string error =
          SetField(args[0], std::vector<std::string>(args.begin() + 1, args.end()));
      if (!error.empty()) Fail(line, error);
    } else if (command == "spawn") {
      if (args.empty()) {
        Fail(line, "spawn takes a class");
        return;
      }
      replay::MarkUnreplayable("spawn");
      const std::string error =
          SpawnObject(args[0], std::vector<std::string>(args.begin() + 1, args.end()));
      if (!error.empty()) Fail(line, error);
    } else if (command == "bot") {
      const bool on = args.size() == 2 && args[1] == "on";
      if (args.size() != 2 || (!on && args[1] != "off"))
        Fail(line, "bot takes 1, 2 or menus, then on or off");
      else if (args[0] == "menus")
        autopilot_.SetMenus(on);
      else if (args[0] == "1" || args[0] == "2")
        autopilot_.SetPlayer(args[0][0] - '0', on);
      else
        Fail(line, "bot takes 1, 2 or menus, then on or off");
    } else if (command == "stats") {
      std::cout << Stats().dump() << std::endl;
    } else if (command == "pad") {
      Pad(line, args);
    } else if (command == "kill") {
      raise(SIGKILL);
    } else if (command == "quit") {
      quit_ = true;
    } else {
      Fail(line, "unknown command '" + command + "'");
    }
  }

  void Pad(const Line& line, const std::vector<std::string>& args) {
    static const char* const kControls[pads::kControls] = {"A",     "B",  "X",    "Y",    "BACK",
                                                           "START", "UP", "DOWN", "LEFT", "RIGHT"};
    if (args.size() == 1 && args[0] == "attach") {
      if (headless::AttachVirtualPad() < 0) Fail(line, "no virtual pad could be attached");
      return;
    }
    int pad = 0;
    if (args.size() < 2 || !ParseInt(args[0], &pad) || pad < 1) {
      Fail(line, "pad takes attach, or a pad number and hold, release or detach");
    } else if (args[1] == "detach" && args.size() == 2) {
      headless::DetachVirtualPad(pad - 1);
    } else if ((args[1] == "hold" || args[1] == "release") && args.size() > 2) {
      for (size_t i = 2; i < args.size(); ++i) {
        const auto* found = std::find(std::begin(kControls), std::end(kControls), args[i]);
        if (found == std::end(kControls)) {
          Fail(line, "unknown pad control '" + args[i] + "'");
          return;
        }
        headless::SetVirtualPad(pad - 1, static_cast<int>(found - kControls), args[1] == "hold");
      }
    } else {
      Fail(line, "pad takes attach, or a pad number and hold, release or detach");
    }
  }

  nlohmann::json Stats() const {
    long pages = 0, residentPages = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
      if (std::fscanf(f, "%ld %ld", &pages, &residentPages) != 2) residentPages = 0;
      std::fclose(f);
    }
    return {{"time", hge->Timer_GetTime()},
            {"frames", framesRun_},
            {"gamesEnded", gamesEnded_},
            {"state", static_cast<int>(GameState)},
            {"objects", objects.size()},
            {"cloudobjects", cloudobjects.size()},
            {"drops", rain.drops.size()},
            {"particleSystems", hgeParticleSystem::Existing().size()},
            {"particles", hgeParticleSystem::ParticlesAlive()},
            {"rssKb", residentPages * (sysconf(_SC_PAGESIZE) / 1024)}};
  }

  std::vector<Line> lines_;
  Autopilot autopilot_;
  State lastState_ = State::TitleMenu;
  long gamesEnded_ = 0;
  long framesRun_ = 0;
  size_t next_ = 0;
  int seed_ = 1;
  int framesLeft_ = 0;
  float frameTime_ = 1.0f / 60.0f;
  bool failed_ = false;
  bool quit_ = false;
  std::vector<int> pressedNext_;  // pressed, waiting for the next frames command
  std::vector<int> pressed_;      // down for the frame about to run
};

}  // namespace

// Plays a replay headless and prints the state it ends in.
int PlayBack(const char* file) {
  const std::string problem = replay::Load(file);
  if (!problem.empty()) {
    std::fprintf(stderr, "zarvo-sim: %s\n", problem.c_str());
    return 1;
  }
  // The recorded frames, then the state after the last of them.
  class ToTheEnd : public FrameDriver {
   public:
    bool NextFrame(float* delta) override {
      if (replay::Frames()->NextFrame(delta)) return true;
      std::cout
          << DumpState(soundCalls).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace)
          << std::endl;
      return false;
    }
    std::vector<std::string> soundCalls;
  } driver;
  headless::Enable(&driver);
  soundBank->callLog = &driver.soundCalls;
  const int status = GameMain();
  replay::Unload();
  return status;
}

int main(int argc, char** argv) {
  if (argc == 3 && !std::strcmp(argv[1], "--replay")) return PlayBack(argv[2]);
  if (argc != 1) {
    std::fprintf(stderr, "usage: zarvo-sim < SCRIPT | zarvo-sim --replay FILE\n");
    return 2;
  }
  RecordGames();
  ScriptDriver driver(ReadScript(std::cin));
  const bool needsGame = driver.RunPrelude();
  if (driver.failed()) return 1;
  if (!needsGame) return 0;
  headless::Enable(&driver);
  soundBank->callLog = &driver.soundCalls;
  HGE* engine = hgeCreate(HGE_VERSION);  // a hold of our own, to seed before start-up
  engine->Random_Seed(driver.seed());
  const int status = GameMain();
  engine->Release();
  return status != 0 || driver.failed() ? 1 : 0;
}
