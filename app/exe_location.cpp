#include "app/exe_location.h"

#include "platform/codepage.h"
#include "platform/files.h"

// The path is fixed for the life of the process; it is asked for again on
// each call rather than kept, so nothing here is shared between threads.
std::string runDirectory() {
  std::string path = platform::moduleFileName();
  size_t slash = platform::findLastSeparator(path, "\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string executableName() {
  std::string path = platform::moduleFileName();
  size_t slash = platform::findLastSeparator(path, "\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}
