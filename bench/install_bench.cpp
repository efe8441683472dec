// The install queue's own cost: 200 fonts installed through the real exe
// (drop the folder, "安装", wait for "安装完成"), then the same fonts with
// bare installFontFile calls after the first run's traces are cleaned up.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "e2e/e2e_util.h"
#include "install/install_font.h"
#include "wine/font_fixture.h"

namespace {

const int kFonts = 200;
const char kFoundStart[] = "一共搜索到：";
const char kFoundEnd[] = "个字体文件";
const char kInstall[] = "安装";
const char kInstallDone[] = "安装完成";
const char kDone[] = "完成";

HWND boxWithText(DWORD pid, const std::string& text) {
  for (HWND box : e2e::topWindows(pid, "#32770"))
    for (HWND c : e2e::children(box, "Static"))
      if (e2e::text(c) == text) return box;
  return nullptr;
}

double msSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now, freq;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&freq);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(freq.QuadPart);
}

// Milliseconds from the click on "安装" to the "安装完成" box; -1 on failure.
double throughTheQueue(const std::string& folder) {
  e2e::startupBoxMs = 3000;
  e2e::App app;
  if (!e2e::launch(app)) return -1;
  e2e::dropPaths(app.window, {folder});
  const std::string found = kFoundStart + std::to_string(kFonts) + kFoundEnd;
  if (!e2e::waitFor([&] { return e2e::text(app.window) == found; }, 60000)) {
    std::printf("the scan did not list the fonts\n");
    e2e::close(app);
    return -1;
  }
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  e2e::clickButtonText(app.window, kInstall);
  HWND done = nullptr;
  bool ok = e2e::waitFor([&] { return (done = boxWithText(app.pi.dwProcessId, kInstallDone)) != nullptr; }, 300000, 2);
  double ms = msSince(start);
  int marked = 0;
  for (const auto& row : e2e::listRows(app.list)) marked += row[1] == kDone;
  std::printf("queue: %d of %d rows marked done\n", marked, kFonts);
  if (done) {
    e2e::MessageBoxInfo box;
    box.hwnd = done;
    e2e::answer(box, IDOK);
  }
  e2e::close(app);
  return ok ? ms : -1;
}

double bareCalls(const std::vector<std::string>& sources, FontFixtures& fixtures) {
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  int added = 0;
  for (const std::string& s : sources) added += installFontFile(s) > 0;
  double ms = msSince(start);
  for (const std::string& s : sources) fixtures.installed(s);
  std::printf("bare: %d of %d fonts added\n", added, kFonts);
  return ms;
}

void removeCopies(const FontFixtures& fixtures, const std::vector<std::string>& sources) {
  for (const std::string& s : sources) DeleteFileA((fixtures.fontsFolder() + "\\" + fontFileName(s)).c_str());
}

}  // namespace

int main() {
  FontFixtures fixtures;
  if (!fixtures.open("install-bench")) return 1;
  std::vector<std::string> sources;
  for (int i = 0; i < kFonts; i++) sources.push_back(fixtures.copyOf(kDejaVuMono, ".ttf"));

  double queueMs = throughTheQueue(fixtures.folder());
  removeCopies(fixtures, sources);  // the exe's font table went with the exe
  double bareMs = bareCalls(sources, fixtures);
  fixtures.cleanUp();

  std::printf("fonts: %d (copies of DejaVuSansMono.ttf, %lu bytes each)\n", kFonts,
              static_cast<unsigned long>(readWhole(kDejaVuMono).size()));
  if (queueMs < 0) {
    std::printf("queue run failed\n");
    return 1;
  }
  std::printf("through the queue: %.0f ms (%.1f ms a font)\n", queueMs, queueMs / kFonts);
  std::printf("bare calls:        %.0f ms (%.1f ms a font)\n", bareMs, bareMs / kFonts);
  std::printf("queue overhead:    %.1f ms a font\n", (queueMs - bareMs) / kFonts);
  return 0;
}
