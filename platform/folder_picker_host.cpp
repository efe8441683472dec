// Host stand-in: the "user" picks whatever the test has set.
#include "platform/folder_picker.h"

#include <mutex>

namespace platform {

namespace {
// Set by the test thread, read by the handler it triggers.
std::mutex& g_lock = *new std::mutex;
std::string& g_picked = *new std::string;
std::string& g_title = *new std::string;
}  // namespace

std::string pickFolder(const std::string& title) {
  std::lock_guard<std::mutex> hold(g_lock);
  g_title = title;
  return g_picked;
}

namespace host {

void setPickedFolder(const std::string& path) {
  std::lock_guard<std::mutex> hold(g_lock);
  g_picked = path;
}

std::string lastPickerTitle() {
  std::lock_guard<std::mutex> hold(g_lock);
  return g_title;
}

}  // namespace host
}  // namespace platform
