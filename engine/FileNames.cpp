// The one place where the game's Windows-style file names become paths of
// this system: backslashes turn into slashes. Every file the engine opens goes
// through MapFileName.
#include <algorithm>

#include "engine/Platform.h"

std::string MapFileName(const char* name) {
  std::string path = name ? name : "";
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}
