// Host stand-in: Windows-style paths map onto POSIX paths with "\" read as
// "/", so the logic above can run over real temporary folders.
#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace platform {

namespace {

const size_t kMaxPath = 260;

std::string toPosix(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

struct HostFind {
  DIR* dir = nullptr;
  std::string folder;  // POSIX, ending in "/"
};

// Only the "*.*" pattern is used by the program; anything else finds nothing.
bool readEntry(HostFind* f, FindEntry& entry) {
  while (dirent* d = readdir(f->dir)) {
    struct stat st;
    std::string full = f->folder + d->d_name;
    entry.name = d->d_name;
    entry.attributes = 0;
    if (stat(full.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) entry.attributes |= kAttributeDirectory;
    return true;
  }
  return false;
}

}  // namespace

FindHandle findFirst(const std::string& pattern, FindEntry& entry) {
  if (pattern.size() >= kMaxPath) return nullptr;
  std::string p = toPosix(pattern);
  size_t slash = p.rfind('/');
  if (slash == std::string::npos || p.substr(slash + 1) != "*.*") return nullptr;
  auto* f = new HostFind;
  f->folder = p.substr(0, slash + 1);
  f->dir = opendir(f->folder.c_str());
  if (!f->dir || !readEntry(f, entry)) {
    if (f->dir) closedir(f->dir);
    delete f;
    return nullptr;
  }
  return f;
}

bool findNext(FindHandle handle, FindEntry& entry) { return readEntry(static_cast<HostFind*>(handle), entry); }

void findClose(FindHandle handle) {
  auto* f = static_cast<HostFind*>(handle);
  if (!f) return;
  closedir(f->dir);
  delete f;
}

std::string moduleFileName() {
  char buffer[PATH_MAX] = {};
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return std::string();
  std::string path(buffer, static_cast<size_t>(n));
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

bool setCurrentDirectory(const std::string& folder) { return chdir(toPosix(folder).c_str()) == 0; }

bool fullNameOfExclusiveOpen(const std::string& path, std::string& fullName) {
  if (path.empty()) return false;
  std::string p = toPosix(path);
  int fd = open(p.c_str(), O_RDONLY);
  if (fd < 0) return false;
  bool exclusive = flock(fd, LOCK_EX | LOCK_NB) == 0;
  char resolved[PATH_MAX];
  bool ok = exclusive && realpath(p.c_str(), resolved);
  close(fd);
  if (!ok) return false;
  fullName = resolved;
  std::replace(fullName.begin(), fullName.end(), '/', '\\');
  return true;
}

bool copyFileNoOverwrite(const std::string& from, const std::string& to) {
  int in = open(toPosix(from).c_str(), O_RDONLY);
  if (in < 0) return false;
  int out = open(toPosix(to).c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
  if (out < 0) {
    close(in);
    return false;
  }
  char buffer[65536];
  bool ok = true;
  for (ssize_t n; (n = read(in, buffer, sizeof buffer)) != 0;) {
    if (n < 0 || write(out, buffer, static_cast<size_t>(n)) != n) {
      ok = false;
      break;
    }
  }
  close(in);
  close(out);
  return ok;
}

}  // namespace platform
