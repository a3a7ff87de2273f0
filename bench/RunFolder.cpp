#include "bench/RunFolder.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "tools/DataFolderCopy.h"

namespace fs = std::filesystem;

RunFolder::RunFolder() {
  std::string pattern = (fs::temp_directory_path() / "zarvo-bench-XXXXXX").string();
  if (!mkdtemp(pattern.data())) {
    std::perror("zarvo-bench: can't make a run folder");
    std::exit(1);
  }
  path_ = pattern;
  LinkDataInto(ZARVO_DATA_DIR, path_);
  previous_ = fs::current_path().string();
  fs::current_path(path_);
}

RunFolder::~RunFolder() {
  std::error_code ignored;
  fs::current_path(previous_, ignored);
  fs::remove_all(path_, ignored);
}
