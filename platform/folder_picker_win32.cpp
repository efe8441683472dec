#include "platform/folder_picker.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

namespace platform {

namespace {

struct NotedWindow {
  HWND hwnd;
  bool enabled;
};

BOOL CALLBACK noteOwnWindow(HWND hwnd, LPARAM lp) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == GetCurrentProcessId()) {
    auto* noted = reinterpret_cast<std::vector<NotedWindow>*>(lp);
    noted->push_back({hwnd, IsWindowEnabled(hwnd) != FALSE});
  }
  return TRUE;
}

// The picker is modal to its owner only; the program's other windows (a box
// shown by a worker, say) are disabled here so the whole program waits.
std::vector<NotedWindow> disableOwnTopWindows() {
  std::vector<NotedWindow> noted;
  EnumWindows(noteOwnWindow, reinterpret_cast<LPARAM>(&noted));
  for (const NotedWindow& w : noted) EnableWindow(w.hwnd, FALSE);
  return noted;
}

std::string pathOfItem(LPITEMIDLIST item) {
  std::string path;
  char buffer[MAX_PATH] = {};
  if (SHGetPathFromIDListA(item, buffer) && buffer[0]) path = buffer;
  IMalloc* malloc = nullptr;
  if (SUCCEEDED(SHGetMalloc(&malloc))) {
    malloc->Free(item);
    malloc->Release();
  }
  return path;
}

}  // namespace

std::string pickFolder(const std::string& title) {
  HWND active = GetActiveWindow();
  HWND foreground = GetForegroundWindow();
  char displayName[MAX_PATH] = {};
  BROWSEINFOA info = {};
  info.hwndOwner = IsWindow(active) ? active : nullptr;
  info.pszDisplayName = displayName;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_EDITBOX;

  std::vector<NotedWindow> noted = disableOwnTopWindows();
  LPITEMIDLIST item = SHBrowseForFolderA(&info);
  for (const NotedWindow& w : noted)
    if (IsWindow(w.hwnd)) EnableWindow(w.hwnd, w.enabled);
  if (foreground && IsWindow(foreground)) SetForegroundWindow(foreground);
  if (active && IsWindow(active)) SetActiveWindow(active);

  return item ? pathOfItem(item) : std::string();
}

}  // namespace platform
