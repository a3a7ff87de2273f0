// Fills a run folder from the generated data folder for tools and tests that
// play the game on their own: the big read-only data is linked, the small text
// files the game may write (tuning, high scores) are copied.
#pragma once

#include <filesystem>

inline void LinkDataInto(const std::filesystem::path& data, const std::filesystem::path& folder) {
  for (const auto& entry : std::filesystem::directory_iterator(data)) {
    const std::filesystem::path target = folder / entry.path().filename();
    if (entry.is_directory())
      std::filesystem::create_directory_symlink(entry.path(), target);
    else if (entry.path().extension() == ".txt")
      std::filesystem::copy_file(entry.path(), target);
    else
      std::filesystem::create_symlink(entry.path(), target);
  }
}
