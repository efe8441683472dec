// Real font files for tests that install into the prefix's Fonts folder:
// copies of the system's packaged fonts under names no other font has, and a
// clean-up that takes every trace of them out of the Fonts folder and the
// font table again, so programs sharing the prefix are not affected.
// Header only: the Wine tests, the end-to-end tests and the benchmark use it.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

// Fonts of the Debian packages fonts-dejavu-core and fonts-wqy-microhei.
const char kDejaVuMono[] = "Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSansMono.ttf";
const char kDejaVuSerif[] = "Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSerif.ttf";
const char kWqyCollection[] = "Z:\\usr\\share\\fonts\\truetype\\wqy\\wqy-microhei.ttc";  // two faces

inline std::string readWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool writeWhole(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  return static_cast<bool>(out);
}

class FontFixtures {
 public:
  ~FontFixtures() { cleanUp(); }

  // A fresh temporary folder for the sources; false without a Fonts folder.
  bool open(const std::string& tag) {
    char fonts[MAX_PATH] = {}, temp[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, fonts, CSIDL_FONTS, FALSE) || !GetTempPathA(MAX_PATH, temp)) return false;
    fonts_ = fonts;
    stem_ = "vornel-" + tag + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) + "-";
    folder_ = std::string(temp) + stem_ + "src";
    return CreateDirectoryA(folder_.c_str(), nullptr) != 0;
  }

  const std::string& folder() const { return folder_; }
  const std::string& fontsFolder() const { return fonts_; }

  // A copy of a packaged font under a new name ending in suffix.
  std::string copyOf(const char* packaged, const std::string& suffix) {
    std::string path = newPath(suffix);
    return CopyFileA(packaged, path.c_str(), TRUE) ? path : std::string();
  }
  std::string write(const std::string& suffix, const std::string& bytes) {
    std::string path = newPath(suffix);
    return writeWhole(path, bytes) ? path : std::string();
  }
  // A file of that name put into the Fonts folder by "someone else".
  bool putInFontsFolder(const std::string& name, const std::string& bytes) {
    planted_.push_back(name);
    return writeWhole(fonts_ + "\\" + name, bytes);
  }
  // A source that the font table now holds: taken out again at clean-up.
  void installed(const std::string& source) { added_.push_back(source); }

  // Every file in the Fonts folder with its size and time of last write.
  std::map<std::string, std::string> fontsFolderSnapshot() const {
    std::map<std::string, std::string> files;
    WIN32_FIND_DATAA d;
    HANDLE h = FindFirstFileA((fonts_ + "\\*").c_str(), &d);
    if (h == INVALID_HANDLE_VALUE) return files;
    do {
      char stamp[64];
      snprintf(stamp, sizeof stamp, "%lu:%lu:%lu", d.nFileSizeLow, d.ftLastWriteTime.dwLowDateTime,
               d.ftLastWriteTime.dwHighDateTime);
      files[d.cFileName] = stamp;
    } while (FindNextFileA(h, &d));
    FindClose(h);
    return files;
  }

  // Removes the fonts from the table, their copies from the Fonts folder
  // (only names this fixture made) and the source folder.
  void cleanUp() {
    for (const std::string& source : added_) RemoveFontResourceA(source.c_str());
    added_.clear();
    for (const std::string& name : made_) DeleteFileA((fonts_ + "\\" + name).c_str());
    for (const std::string& name : planted_) DeleteFileA((fonts_ + "\\" + name).c_str());
    for (const std::string& name : made_) DeleteFileA((folder_ + "\\" + name).c_str());
    made_.clear();
    planted_.clear();
    if (!folder_.empty()) RemoveDirectoryA(folder_.c_str());
  }

 private:
  std::string newPath(const std::string& suffix) {
    std::string name = stem_ + std::to_string(made_.size()) + suffix;
    made_.push_back(name);
    return folder_ + "\\" + name;
  }

  std::string fonts_, folder_, stem_;
  std::vector<std::string> made_, planted_, added_;
};
