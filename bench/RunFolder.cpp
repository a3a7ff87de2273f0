#include "bench/RunFolder.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

RunFolder::RunFolder() {
  std::string pattern = (fs::temp_directory_path() / "zarvo-bench-XXXXXX").string();
  if (!mkdtemp(pattern.data())) {
    std::perror("zarvo-bench: can't make a run folder");
    std::exit(1);
  }
  path_ = pattern;
  for (const auto& entry : fs::directory_iterator(ZARVO_DATA_DIR)) {
    const fs::path target = fs::path(path_) / entry.path().filename();
    if (entry.is_directory())
      fs::create_directory_symlink(entry.path(), target);
    else if (entry.path().extension() == ".txt")
      fs::copy_file(entry.path(), target);
    else
      fs::create_symlink(entry.path(), target);
  }
  previous_ = fs::current_path().string();
  fs::current_path(path_);
}

RunFolder::~RunFolder() {
  std::error_code ignored;
  fs::current_path(previous_, ignored);
  fs::remove_all(path_, ignored);
}
