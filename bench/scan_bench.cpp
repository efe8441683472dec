// Folder scan figures under Wine, in one run:
//  - the scan of a generated tree from the drop to the count caption (real exe),
//  - the bare FindFirstFileA/FindNextFileA walk of the same tree,
//  - findFiles alone on this thread (the search with its message dispatch),
//  - 10,000 rows into a visible list in one batch from another thread, and a
//    few hundred one cross-thread call a row,
//  - a folder holding two links to itself, at growing depth.
#include <windows.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "discovery/find_files.h"
#include "e2e/scan_util.h"
#include "platform/window.h"

namespace {

double nowMs() {
  LARGE_INTEGER f, t;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

long bareWalk(const std::string& folder) {
  long files = 0;
  WIN32_FIND_DATAA d;
  HANDLE h = FindFirstFileA((folder + "\\*.*").c_str(), &d);
  if (h == INVALID_HANDLE_VALUE) return 0;
  do {
    if (!(d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      files++;
    else if (d.cFileName[0] != '.')
      files += bareWalk(folder + "\\" + d.cFileName);
  } while (FindNextFileA(h, &d));
  FindClose(h);
  return files;
}

using e2e::runUnix;

void waitGone(const std::string& path) {
  for (int i = 0; i < 6000 && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; i++) Sleep(10);
}

bool waitExists(const std::string& path) {
  for (int i = 0; i < 1000 && GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES; i++) Sleep(10);
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// --- list fill in a window of this process ---------------------------------

std::vector<std::string>& fillRows = *new std::vector<std::string>;
double g_batchMs = 0, g_singleMsPerRow = 0;
const int kSingleRows = 300;

void fillFromWorker() {
  HWND window = nullptr;
  while (!(window = FindWindowA("vornel-bench", nullptr))) Sleep(10);
  Sleep(300);
  double t0 = nowMs();
  platform::addRows(fillRows);
  g_batchMs = nowMs() - t0;
  platform::clearRows();
  t0 = nowMs();
  for (int i = 0; i < kSingleRows; i++) platform::addRow(fillRows[i]);
  g_singleMsPerRow = (nowMs() - t0) / kSingleRows;
  PostMessageA(window, WM_CLOSE, 0, 0);
}

void measureListFill(int rows) {
  for (int i = 0; i < rows; i++) fillRows.push_back("C:\\Fonts\\some folder\\font " + std::to_string(i) + ".ttf");
  platform::MainWindowArgs a;
  a.className = "vornel-bench";
  a.caption = "bench";
  a.outerWidth = 668, a.outerHeight = 382;
  a.listLeft = 5, a.listWidth = 587, a.listHeight = 344;
  a.columns[0] = {"", 530};
  a.columns[1] = {"", 50};
  for (int i = 0; i < 4; i++) a.buttons[i] = {"b", 600, 16 + 42 * i, 56, 32, nullptr};
  if (!platform::createMainWindow(a)) {
    printf("list fill: no window\n");
    return;
  }
  std::thread worker(fillFromWorker);
  platform::runMessageLoop();
  worker.join();
  printf("list fill, %d rows in one batch into the visible list: %.0f ms\n", rows, g_batchMs);
  printf("list fill, one cross-thread addRow a row: %.2f ms a row (%d rows), so %.0f s for %d rows\n",
         g_singleMsPerRow, kSingleRows, g_singleMsPerRow * rows / 1000, rows);
}

// --- two links to the folder itself ----------------------------------------

void measureAncestorLinks() {
  std::string unixRoot = "/tmp/vornel-bench-links-" + std::to_string(GetCurrentProcessId());
  std::string root = "Z:\\tmp\\vornel-bench-links-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(root.c_str(), nullptr);
  printf("two links to the folder itself (depth = link levels the path limit allows):\n");
  for (int depth = 8; depth <= 15; depth++) {
    // Level k of the folder text F is F\L\..\ (k links), listed while its
    // "*.*" pattern fits in 260 bytes: k <= (256 - len(F)) / 2.
    size_t nameLength = 256 - 2 * depth - root.size() - 1;
    std::string name(nameLength, 'a' + depth - 8);
    std::string folder = root + "\\" + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    HANDLE h = CreateFileA((folder + "\\f.ttf").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(h);
    std::string unixFolder = unixRoot + "/" + name;
    runUnix("/bin/ln", "-s " + unixFolder + " " + unixFolder + "/L");
    runUnix("/bin/ln", "-s " + unixFolder + " " + unixFolder + "/M");
    if (!waitExists(folder + "\\L") || !waitExists(folder + "\\M")) {
      printf("  links could not be made\n");
      break;
    }
    std::vector<std::string> results;
    std::string f = folder;
    double t0 = nowMs();
    int n = findFiles(f, ".ttf", results, 0, false, true);
    double ms = nowMs() - t0;
    printf("  depth %2d: %7d folders searched, %9.0f ms (%.1f us a folder)\n", depth, n, ms, 1000 * ms / n);
  }
  runUnix("/bin/rm", "-rf " + unixRoot);
  waitGone(root);
}

}  // namespace

int main(int argc, char** argv) {
  setvbuf(stdout, nullptr, _IONBF, 0);
  // Optional argument: the number of files (folders a twentieth of it).
  int files = argc > 1 ? atoi(argv[1]) : 100000;
  std::string unixTree = "/tmp/vornel-bench-tree-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
  std::string tree = "Z:" + unixTree;
  for (char& c : tree)
    if (c == '/') c = '\\';
  double t0 = nowMs();
  int fonts = e2e::makeFlatTree(tree, files / 20, files, 10);
  printf("tree: %d files in %d folders, %d fonts (made in %.0f s)\n", files, files / 20, fonts, (nowMs() - t0) / 1000);

  bareWalk(tree);  // the first walk fills the caches, as a user's earlier look at the folder would
  t0 = nowMs();
  long walked = bareWalk(tree);
  double walkMs = nowMs() - t0;
  printf("bare FindFirstFileA walk: %ld files in %.0f ms (%.0f files/s)\n", walked, walkMs, walked / walkMs * 1000);

  std::vector<std::string> results;
  std::string folder = tree;
  t0 = nowMs();
  findFiles(folder, ".ttf|.otf|.ttc", results, 0, false, true);
  double searchMs = nowMs() - t0;
  printf("findFiles alone: %zu fonts in %.0f ms (%.2fx the walk)\n", results.size(), searchMs, searchMs / walkMs);

  e2e::App app;
  if (e2e::launch(app)) {
    for (int run = 0; run < 2; run++) {
      SetWindowTextA(app.window, "");
      t0 = nowMs();
      e2e::dropPaths(app.window, {tree});
      int count = e2e::waitScanCount(app.window, 600000);
      double scanMs = nowMs() - t0;
      printf("scan, drop to count caption (run %d): %d fonts in %.0f ms (%.2fx the walk)\n", run + 1, count, scanMs,
             scanMs / walkMs);
    }
    e2e::close(app);
  } else {
    printf("scan: the exe did not start\n");
  }

  measureListFill(10000);
  runUnix("/bin/rm", "-rf " + unixTree);
  waitGone(tree);
  measureAncestorLinks();
  return 0;
}
