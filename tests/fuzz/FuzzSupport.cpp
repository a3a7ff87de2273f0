// One headless engine and one scratch folder per fuzzing process.
#include "tests/fuzz/FuzzSupport.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "engine/Platform.h"
#include "engine/hge.h"

namespace {

class NoFrames : public FrameDriver {
 public:
  bool NextFrame(float*) override { return false; }
};

// An empty folder of this process, removed when the process ends normally.
struct ScratchFolder {
  std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("zarvo-fuzz-" + std::to_string(getpid()));
  ScratchFolder() { std::filesystem::create_directories(path); }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

const std::filesystem::path& Folder() {
  static const ScratchFolder folder;
  return folder.path;
}

}  // namespace

HGE* FuzzEngine() {
  static HGE* engine = [] {
    static NoFrames driver;
    headless::Enable(&driver);
    headless::UseSoftwareRenderer(true);
    HGE* e = hgeCreate(HGE_VERSION);
    e->System_SetState(HGE_SCREENWIDTH, 64);
    e->System_SetState(HGE_SCREENHEIGHT, 64);
    e->System_SetState(HGE_TITLE, "fuzz");
    if (!e->System_Initiate()) {
      std::fprintf(stderr, "engine: %s\n", e->System_GetErrorMessage());
      std::abort();
    }
    return e;
  }();
  return engine;
}

std::string WriteFuzzFile(const std::string& name, const uint8_t* data, size_t size) {
  const std::string path = (Folder() / name).string();
  FILE* f = std::fopen(path.c_str(), "wb");
  bool ok = f != nullptr;
  if (ok && size > 0) ok = std::fwrite(data, 1, size, f) == size;
  if (f && std::fclose(f) != 0) ok = false;
  if (!ok) {
    std::perror(path.c_str());
    std::abort();
  }
  return path;
}
