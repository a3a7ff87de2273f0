// Whole files in memory: Resource_Load reads a file (name mapped for this
// system) into one malloc'd block, Resource_Free gives it back. The block has
// one zero byte past the end, so text files can be read as C strings. Only
// regular files up to 64 MiB are read (the game's fonts and particle files
// are a few kilobytes); anything else fails as a missing file does, with the
// reason in the engine's log.
#include <cstdlib>
#include <cstring>

#include "engine/EngineCore.h"

namespace {
constexpr size_t kMaxResourceBytes = size_t{64} << 20;
}

void* HGE::Resource_Load(const char* filename, uint32_t* size) {
  if (size) *size = 0;
  if (!filename) return nullptr;
  std::string bytes, why;
  if (!ReadRegularFile(filename, kMaxResourceBytes, &bytes, &why)) {
    System_Log("Can't load %s: %s", filename, why.c_str());
    return nullptr;
  }
  char* data = static_cast<char*>(malloc(bytes.size() + 1));
  if (!data) return nullptr;
  memcpy(data, bytes.data(), bytes.size());
  data[bytes.size()] = 0;
  if (size) *size = static_cast<uint32_t>(bytes.size());
  return data;
}

void HGE::Resource_Free(void* res) { free(res); }
