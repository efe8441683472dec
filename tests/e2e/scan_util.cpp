#include "e2e/scan_util.h"

#include <cstring>

namespace e2e {

// Written as code page 936 bytes, as the benchmarks are built without the
// GBK execution character set: "正在搜索,请稍后......", "一共搜索到：", "个字体文件".
const char kSearchingCaption[] = "\xD5\xFD\xD4\xDA\xCB\xD1\xCB\xF7,\xC7\xEB\xC9\xD4\xBA\xF3......";
static const char kCountStart[] = "\xD2\xBB\xB9\xB2\xCB\xD1\xCB\xF7\xB5\xBD\xA3\xBA";
static const char kCountEnd[] = "\xB8\xF6\xD7\xD6\xCC\xE5\xCE\xC4\xBC\xFE";

int makeFlatTree(const std::string& root, int folders, int files, int fontEvery) {
  CreateDirectoryA(root.c_str(), nullptr);
  for (int f = 0; f < folders; f++) CreateDirectoryA((root + "\\d" + std::to_string(f)).c_str(), nullptr);
  int fonts = 0;
  for (int i = 0; i < files; i++) {
    bool font = i % fontEvery == 0;
    fonts += font;
    std::string path = root + "\\d" + std::to_string(i % folders) + "\\f" + std::to_string(i) + (font ? ".ttf" : ".txt");
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  return fonts;
}

std::string countCaption(int n) { return kCountStart + std::to_string(n) + kCountEnd; }

int waitScanCount(HWND window, int timeoutMs) {
  int count = -1;
  waitFor(
      [&] {
        std::string caption = text(window);
        size_t start = std::strlen(kCountStart);
        if (caption.compare(0, start, kCountStart) != 0) return false;
        count = atoi(caption.c_str() + start);
        return true;
      },
      timeoutMs);
  return count;
}

}  // namespace e2e
