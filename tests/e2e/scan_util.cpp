#include "e2e/scan_util.h"

#include <cstring>

namespace e2e {

const char kSearchingCaption[] = "正在搜索,请稍后......";
static const char kCountStart[] = "一共搜索到：";
static const char kCountEnd[] = "个字体文件";

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
