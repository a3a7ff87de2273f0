// The player's own folder for an installed game. An install keeps the data
// read-only in PREFIX/share/zarvo-zov-orava, but the game reads and writes
// every file in its working directory. So an installed game runs in
// $XDG_DATA_HOME/zarvo-zov-orava (~/.local/share/zarvo-zov-orava by default),
// which links to every installed file and folder and holds the player's own
// copies of the files the game writes or the player edits.
#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "engine/Platform.h"

namespace fs = std::filesystem;

namespace {

const char kFolderName[] = "zarvo-zov-orava";

// Copied when absent and never replaced, so edits and the table outlive updates.
bool IsPlayerFile(const fs::path& name) {
  return name == "GameValues.txt" || name == "highscore_names.txt" ||
         name == "highscore_points.txt";
}

// PREFIX/share/zarvo-zov-orava when this executable is PREFIX/bin/zarvo of an
// install (wherever the prefix was moved); empty otherwise, as in the build tree.
fs::path InstalledData() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  const fs::path data = exe.parent_path().parent_path() / "share" / kFolderName;
  if (!fs::is_regular_file(data / "GameValues.txt", ec)) return {};
  return data;
}

// $XDG_DATA_HOME when it is an absolute path, else ~/.local/share; empty when
// there is no home folder either.
fs::path DataHome() {
  const char* xdg = getenv("XDG_DATA_HOME");
  if (xdg && xdg[0] == '/') return xdg;
  const char* home = getenv("HOME");
  if (!home || home[0] != '/') {
    const passwd* user = getpwuid(getuid());
    home = user ? user->pw_dir : nullptr;
  }
  if (!home || home[0] != '/') return {};
  return fs::path(home) / ".local" / "share";
}

// Points `link` at `target`. A link elsewhere (an install that moved) is
// replaced; a real file or folder of the player's in its place is kept.
void Link(const fs::path& target, const fs::path& link, std::error_code& ec) {
  const fs::file_status status = fs::symlink_status(link, ec);
  if (fs::is_symlink(status)) {
    if (fs::read_symlink(link, ec) == target) return;
    fs::remove(link, ec);
  } else if (fs::exists(status)) {
    return;
  }
  ec.clear();
  fs::create_symlink(target, link, ec);
}

// The player's copy of an installed file, writable by its owner even when the
// install is read-only; an existing one (or a link of the player's) is kept.
void CopyOnce(const fs::path& source, const fs::path& copy, std::error_code& ec) {
  if (fs::exists(fs::symlink_status(copy, ec))) return;
  ec.clear();
  if (fs::copy_file(source, copy, fs::copy_options::skip_existing, ec))
    fs::permissions(copy, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add,
                    ec);
}

bool Fail(const fs::path& path, const char* what, const std::error_code& ec) {
  std::fprintf(stderr, "zarvo: cannot %s %s: %s\n", what, path.c_str(), ec.message().c_str());
  return false;
}

}  // namespace

bool EnterUserFolder() {
  const fs::path data = InstalledData();
  if (data.empty()) return true;
  const fs::path home = DataHome();
  if (home.empty()) {
    std::fprintf(stderr, "zarvo: cannot find a folder for the player's files: set HOME\n");
    return false;
  }
  const fs::path folder = home / kFolderName;
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) return Fail(folder, "create the player folder", ec);
  for (fs::directory_iterator it(data, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path name = it->path().filename();
    const bool copy = IsPlayerFile(name);
    if (copy) {
      CopyOnce(it->path(), folder / name, ec);
    } else {
      Link(it->path(), folder / name, ec);
    }
    if (ec) return Fail(folder / name, copy ? "copy the installed file to" : "link", ec);
  }
  if (ec) return Fail(data, "read the installed data in", ec);
  fs::current_path(folder, ec);
  if (ec) return Fail(folder, "enter the player folder", ec);
  return true;
}
