// Folder trees for the scan's end-to-end tests and benchmark.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "e2e/e2e_util.h"

namespace e2e {

// Fills root with folders subfolders, files files spread over them, every
// fontEvery-th of them a .ttf (the rest .txt). Gives the number of fonts.
int makeFlatTree(const std::string& root, int folders, int files, int fontEvery);

// Waits until the main window's caption reports a finished scan and gives
// its count, or -1 on time-out.
int waitScanCount(HWND window, int timeoutMs);
std::string countCaption(int n);
extern const char kSearchingCaption[];

}  // namespace e2e
