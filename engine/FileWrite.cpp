// Replacing the files the game keeps (the high-score table) so that a crash,
// a kill or a full disk at any moment leaves either the old files or the new
// ones: new contents go into temporaries beside the old files, reach the disk,
// and only then take the old files' places by renaming.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "engine/Platform.h"

namespace {

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes a new file ".name.<unique>" beside `path`. O_EXCL and O_NOFOLLOW make
// sure it is a file of our own: never one that was there, a FIFO or a link to
// somewhere else.
int CreateTemporary(const std::string& path, std::string* temporary) {
  static unsigned counter = 0;
  const size_t slash = path.rfind('/') + 1;  // 0 when there is none
  const std::string prefix = path.substr(0, slash) + "." + path.substr(slash);
  for (int attempt = 0; attempt < 100; ++attempt) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    *temporary = prefix + "." + std::to_string(getpid()) + "-" + std::to_string(counter++) + "-" +
                 std::to_string(now.tv_nsec);
    const int fd =
        open(temporary->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool WriteAll(int fd, const std::string& bytes) {
  for (size_t done = 0; done < bytes.size();) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// Makes the renames in the folder last; a file system that cannot sync
// folders (EINVAL) has nothing to do.
bool SyncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = fsync(fd) == 0 || errno == EINVAL;
  close(fd);
  return ok;
}

}  // namespace

bool ReplaceFiles(const std::vector<FileContent>& files, std::string* failed, std::string* why) {
  std::vector<std::string> paths, temporaries;  // temporaries not yet renamed
  const auto fail = [&](const std::string& name, const std::string& reason) {
    for (const std::string& t : temporaries) unlink(t.c_str());
    *failed = name;
    *why = reason;
    return false;
  };
  for (const FileContent& file : files) {
    paths.push_back(MapFileName(file.name.c_str()));
    struct stat info;
    if (lstat(paths.back().c_str(), &info) == 0) {
      if (!S_ISREG(info.st_mode)) return fail(file.name, "not a regular file");
    } else if (errno != ENOENT) {
      return fail(file.name, strerror(errno));
    }
    std::string temporary;
    const int fd = CreateTemporary(paths.back(), &temporary);
    if (fd < 0) return fail(file.name, strerror(errno));
    temporaries.push_back(temporary);
    // A write cut short (a full disk, a file size limit) or a failed sync
    // keeps the old files.
    const bool written = WriteAll(fd, file.bytes) && fsync(fd) == 0;
    const int error = errno;
    const bool closed = close(fd) == 0;
    if (!written || !closed) return fail(file.name, strerror(written ? errno : error));
  }
  std::vector<std::string> folders;
  for (size_t i = 0; i < files.size(); ++i) {
    if (rename(temporaries.front().c_str(), paths[i].c_str()) != 0)
      return fail(files[i].name, strerror(errno));
    temporaries.erase(temporaries.begin());
    folders.push_back(FolderOf(paths[i]));
  }
  std::sort(folders.begin(), folders.end());
  folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
  for (const std::string& folder : folders)
    if (!SyncFolder(folder)) return fail(folder, strerror(errno));
  return true;
}
