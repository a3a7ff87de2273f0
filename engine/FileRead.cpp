// Bounded reading of the files a player may edit or a disk may damage. The
// file is opened without blocking and checked to be a regular file before a
// byte is read, so a FIFO, a device or a folder in a file's place is refused
// at once, and nothing larger than its caller's limit is ever held.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "engine/Platform.h"

bool ReadRegularFile(const char* name, size_t limit, std::string* bytes, std::string* why) {
  bytes->clear();
  const std::string path = MapFileName(name);
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    *why = strerror(errno);
    return false;
  }
  struct stat info;
  bool ok = false;
  if (fstat(fd, &info) != 0) {
    *why = strerror(errno);
  } else if (!S_ISREG(info.st_mode)) {
    *why = "not a regular file";
  } else if (static_cast<unsigned long long>(info.st_size) > limit) {
    *why = "larger than " + std::to_string(limit) + " bytes";
  } else {
    // The size may change while we read: stop at the end or one byte past the limit.
    bytes->resize(static_cast<size_t>(info.st_size));
    size_t got = 0;
    ok = true;
    for (;;) {
      if (got == bytes->size()) {
        if (got > limit) break;
        bytes->resize(std::min(limit + 1, got + 65536));
      }
      const ssize_t n = read(fd, &(*bytes)[got], bytes->size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        *why = strerror(errno);
        ok = false;
        break;
      }
      if (n == 0) break;
      got += static_cast<size_t>(n);
    }
    bytes->resize(got);
    if (ok && got > limit) {
      *why = "larger than " + std::to_string(limit) + " bytes";
      ok = false;
    }
  }
  close(fd);
  if (!ok) bytes->clear();
  return ok;
}
