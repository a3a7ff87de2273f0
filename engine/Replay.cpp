// Replays: a run of the frame loop written down as it goes (the seed, the
// files the game reads at start that decide its course, and per frame the
// delta time and the keys that changed), and played back from such a file.
//
// The file is text, one record a line:
//   zarvo-replay 1                       format and version
//   seed S                               the random stream's seed
//   file NAME BYTES, then BYTES bytes    a file as it was at start
//   missing NAME                         a file that did not exist
//   f DELTA [dKEY] [+KEY]... [-KEY]...   a frame: the delta's float bits in
//                                        hexadecimal, the key that went down,
//                                        keys held from now, keys let go
//   unreplayable WHY                     the run changed state by other means
// Each frame line is flushed when written, so a crash keeps the run; a last
// line cut short by a crash is ignored on playback.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/EngineCore.h"

using engine::CORE;

namespace {

constexpr int kVersion = 1;
constexpr size_t kReplayLimit = 256u << 20;   // ten hours of play is about 30 MB
constexpr size_t kEmbeddedLimit = 16u << 20;  // the largest file the game reads

struct Frame {
  uint32_t deltaBits = 0;
  int keyDown = 0;
  std::vector<int> down, up;
};

class Recorder {
 public:
  std::string file;
  std::vector<std::string> embedded;
  FILE* out = nullptr;
  bool held[engine::kKeyCount] = {};

  void Start(uint64_t seed) {
    Stop();
    if (file.empty()) return;
    out = std::fopen(MapFileName(file.c_str()).c_str(), "w");
    if (!out) {
      CORE.iface.System_Log("Can't record the game into %s: %s", file.c_str(), strerror(errno));
      return;
    }
    std::fprintf(out, "zarvo-replay %d\nseed %llu\n", kVersion,
                 static_cast<unsigned long long>(seed));
    for (const std::string& name : embedded) {
      std::string bytes, why;
      if (ReadRegularFile(name.c_str(), kEmbeddedLimit, &bytes, &why)) {
        std::fprintf(out, "file %s %zu\n", name.c_str(), bytes.size());
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fputc('\n', out);
      } else {
        std::fprintf(out, "missing %s\n", name.c_str());
      }
    }
    std::fflush(out);
    std::fill(std::begin(held), std::end(held), false);
  }

  void Frame(const engine::EngineState& st) {
    if (!out) return;
    uint32_t bits;
    std::memcpy(&bits, &st.delta, sizeof bits);
    std::string line = "f " + Hex(bits);
    if (st.keyDown) line += " d" + std::to_string(st.keyDown);
    for (int key = 1; key < engine::kKeyCount; ++key) {
      if (st.keys[key] == held[key]) continue;
      line += (st.keys[key] ? " +" : " -") + std::to_string(key);
      held[key] = st.keys[key];
    }
    line += '\n';
    std::fputs(line.c_str(), out);
    std::fflush(out);
  }

  void Mark(const std::string& why) {
    if (!out) return;
    std::fprintf(out, "unreplayable %s\n", why.c_str());
    std::fflush(out);
  }

  void Stop() {
    if (out) std::fclose(out);
    out = nullptr;
  }

 private:
  static std::string Hex(uint32_t v) {
    char text[9];
    std::snprintf(text, sizeof text, "%08x", v);
    return text;
  }
};

Recorder recorder;

// A replay read whole: its seed, its files and its frames, played through
// the frame loop as its driver (deltas) and as its last key source (keys).
class Player : public FrameDriver, public KeySource {
 public:
  uint64_t seed = 0;
  std::vector<std::pair<std::string, std::string>> files;  // name, content
  std::vector<std::string> missing;
  std::vector<Frame> frames;
  size_t next = 0;
  bool held[engine::kKeyCount] = {};

  bool NextFrame(float* delta) override {
    if (next >= frames.size()) return false;
    std::memcpy(delta, &frames[next].deltaBits, sizeof *delta);
    ++next;
    return true;
  }

  void ApplyKeys(bool* keys, int* keyDown) override {
    if (next == 0) return;
    const Frame& f = frames[next - 1];
    for (int key : f.down) held[key] = true;
    for (int key : f.up) held[key] = false;
    // The player may still leave with Escape; everything else is the record's.
    const bool escape = keys[HGEK_ESCAPE];
    std::copy(std::begin(held), std::end(held), keys);
    keys[HGEK_ESCAPE] = keys[HGEK_ESCAPE] || escape;
    *keyDown = f.keyDown;
  }
};

Player* player = nullptr;

bool ParseKey(const char* text, int* key) {
  char* end = nullptr;
  errno = 0;
  const long v = std::strtol(text, &end, 10);
  if (errno || end == text || *end || v <= 0 || v >= engine::kKeyCount) return false;
  *key = static_cast<int>(v);
  return true;
}

std::string ParseFrame(const std::string& line, Frame* f) {
  size_t pos = 2;
  size_t space = line.find(' ', pos);
  const std::string delta = line.substr(pos, space - pos);
  char* end = nullptr;
  const unsigned long bits = std::strtoul(delta.c_str(), &end, 16);
  if (delta.size() != 8 || *end) return "a frame's delta is not 8 hexadecimal digits";
  f->deltaBits = static_cast<uint32_t>(bits);
  while (space != std::string::npos) {
    pos = space + 1;
    space = line.find(' ', pos);
    const std::string word = line.substr(pos, space - pos);
    int key = 0;
    if (word.size() < 2 || !ParseKey(word.c_str() + 1, &key)) return "bad key '" + word + "'";
    if (word[0] == 'd')
      f->keyDown = key;
    else if (word[0] == '+')
      f->down.push_back(key);
    else if (word[0] == '-')
      f->up.push_back(key);
    else
      return "bad key '" + word + "'";
  }
  return "";
}

std::string Parse(const std::string& text, Player* p) {
  size_t pos = 0;
  int number = 0;
  bool versionSeen = false, seedSeen = false;
  while (pos < text.size()) {
    const size_t end = text.find('\n', pos);
    if (end == std::string::npos) break;  // cut short by a crash: the run ends here
    const std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    ++number;
    auto fail = [&](const std::string& why) {
      return "line " + std::to_string(number) + ": " + why;
    };
    if (!versionSeen) {
      int version = 0;
      if (std::sscanf(line.c_str(), "zarvo-replay %d", &version) != 1)
        return "not a replay of this game";
      if (version != kVersion)
        return "a replay of version " + std::to_string(version) + "; this game plays version " +
               std::to_string(kVersion);
      versionSeen = true;
    } else if (line.rfind("f ", 0) == 0) {
      if (!seedSeen) return fail("a frame before the seed");
      Frame f;
      const std::string why = ParseFrame(line, &f);
      if (!why.empty()) return fail(why);
      p->frames.push_back(std::move(f));
    } else if (line.rfind("seed ", 0) == 0) {
      char* stop = nullptr;
      errno = 0;
      p->seed = std::strtoull(line.c_str() + 5, &stop, 10);
      if (errno || stop == line.c_str() + 5 || *stop) return fail("bad seed");
      seedSeen = true;
    } else if (line.rfind("file ", 0) == 0) {
      const size_t space = line.rfind(' ');
      const std::string name = line.substr(5, space - 5);
      char* stop = nullptr;
      const unsigned long long size = std::strtoull(line.c_str() + space + 1, &stop, 10);
      if (name.empty() || name.find('/') != std::string::npos || name[0] == '.' || *stop ||
          size > kEmbeddedLimit)
        return fail("bad file record");
      if (size + 1 > text.size() - pos || text[pos + size] != '\n')
        return fail("the file " + name + " is cut short");
      p->files.emplace_back(name, text.substr(pos, size));
      pos += size + 1;
    } else if (line.rfind("missing ", 0) == 0) {
      const std::string name = line.substr(8);
      if (name.empty() || name.find('/') != std::string::npos || name[0] == '.')
        return fail("bad file record");
      p->missing.push_back(name);
    } else if (line.rfind("unreplayable ", 0) == 0) {
      return "the run changed the game's state with '" + line.substr(13) +
             "', which keys alone cannot reproduce; it cannot be played back";
    } else {
      return fail("unknown record");
    }
  }
  if (!versionSeen) return "not a replay of this game";
  if (!seedSeen) return "no seed";
  return "";
}

}  // namespace

namespace engine {

void StartRecording() {
  if (!player) recorder.Start(CORE.st->seed);
}

void RecordFrame() { recorder.Frame(*CORE.st); }

void StopRecording() { recorder.Stop(); }

FrameDriver* PlaybackDriver() { return player; }

bool PlaybackSeed(uint64_t* seed) {
  if (!player) return false;
  *seed = player->seed;
  return true;
}

}  // namespace engine

namespace replay {

void RecordTo(const std::string& file, const std::vector<std::string>& embeddedFiles) {
  recorder.file = file;
  recorder.embedded = embeddedFiles;
}

void MarkUnreplayable(const std::string& why) { recorder.Mark(why); }

std::string Load(const std::string& file) {
  Unload();
  std::string text, why;
  if (!ReadRegularFile(file.c_str(), kReplayLimit, &text, &why)) return file + ": " + why;
  Player* loaded = new Player();
  why = Parse(text, loaded);
  if (!why.empty()) {
    delete loaded;
    return file + ": " + why;
  }
  // The files as they were are put in place of today's in a scratch copy of
  // the working folder, so playing never touches the player's table.
  why = engine::EnterScratchFolder(loaded->files, loaded->missing);
  if (!why.empty()) {
    delete loaded;
    return why;
  }
  player = loaded;
  AddKeySource(player);
  return "";
}

void Unload() {
  if (!player) return;
  RemoveKeySource(player);
  delete player;
  player = nullptr;
  engine::LeaveScratchFolder();
}

bool Playing() { return player != nullptr; }

FrameDriver* Frames() { return player; }

}  // namespace replay
