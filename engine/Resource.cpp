// Whole files in memory: Resource_Load reads a file (name mapped for this
// system) into one malloc'd block, Resource_Free gives it back. The block has
// one zero byte past the end, so text files can be read as C strings.
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>

#include "engine/EngineCore.h"

void* HGE::Resource_Load(const char* filename, uint32_t* size) {
  if (size) *size = 0;
  if (!filename) return nullptr;
  const std::string path = MapFileName(filename);
  struct stat info;
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > 0x7FFFFFFF) {
    return nullptr;
  }
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return nullptr;
  const size_t length = static_cast<size_t>(info.st_size);
  char* data = static_cast<char*>(malloc(length + 1));
  const bool ok = data && fread(data, 1, length, f) == length;
  fclose(f);
  if (!ok) {
    free(data);
    return nullptr;
  }
  data[length] = 0;
  if (size) *size = static_cast<uint32_t>(length);
  return data;
}

void HGE::Resource_Free(void* res) { free(res); }
