// Host stand-in: the Fonts folder is a test's temporary folder, and a file
// counts as a font by its signature, as the font table would judge it.
#include "platform/fonts.h"

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <mutex>

#include "platform/fonts_host.h"

namespace platform {

namespace {

std::mutex g_lock;  // guards the folder, the hook and the added list
std::string g_folder;
host::AddFontHook g_hook = nullptr;
std::vector<std::string> g_added;
std::atomic<long> g_broadcasts{0};

std::string toPosix(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

uint32_t bigEndian(const unsigned char* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

// TrueType and OpenType files hold one font; a collection ("ttcf") tells its count.
int fontsInFile(const std::string& path) {
  unsigned char head[12] = {};
  std::ifstream in(toPosix(path), std::ios::binary);
  if (!in.read(reinterpret_cast<char*>(head), sizeof head)) return 0;
  uint32_t tag = bigEndian(head);
  if (tag == 0x00010000 || tag == bigEndian(reinterpret_cast<const unsigned char*>("OTTO")) ||
      tag == bigEndian(reinterpret_cast<const unsigned char*>("true")))
    return 1;
  if (tag == bigEndian(reinterpret_cast<const unsigned char*>("ttcf"))) return static_cast<int>(bigEndian(head + 8));
  return 0;
}

}  // namespace

bool fontsFolder(std::string& folder) {
  std::lock_guard<std::mutex> hold(g_lock);
  if (g_folder.empty()) return false;
  folder = g_folder;
  return true;
}

bool pathExists(const std::string& path) {
  struct stat st;
  return !path.empty() && stat(toPosix(path).c_str(), &st) == 0;
}

int addFontResource(const std::string& path) {
  host::AddFontHook hook;
  {
    std::lock_guard<std::mutex> hold(g_lock);
    hook = g_hook;
  }
  if (hook) hook(path);
  int fonts = path.empty() ? 0 : fontsInFile(path);
  if (fonts > 0) {
    std::lock_guard<std::mutex> hold(g_lock);
    g_added.push_back(path);
  }
  return fonts;
}

void broadcastFontChange() { ++g_broadcasts; }

namespace host {

void setFontsFolder(const std::string& folder) {
  std::lock_guard<std::mutex> hold(g_lock);
  g_folder = folder;
}

void setAddFontHook(AddFontHook hook) {
  std::lock_guard<std::mutex> hold(g_lock);
  g_hook = hook;
}

std::vector<std::string> addedFonts() {
  std::lock_guard<std::mutex> hold(g_lock);
  return g_added;
}

long fontChangeBroadcasts() { return g_broadcasts; }

void resetFonts() {
  std::lock_guard<std::mutex> hold(g_lock);
  g_folder.clear();
  g_hook = nullptr;
  g_added.clear();
  g_broadcasts = 0;
}

}  // namespace host
}  // namespace platform
