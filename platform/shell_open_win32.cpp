#include "platform/shell_open.h"

#include <windows.h>
#include <shellapi.h>

namespace platform {

WindowHandle findTopWindowByTitle(const char* title) { return FindWindowExA(nullptr, nullptr, nullptr, title); }

void shellOpen(WindowHandle owner, const std::string& address) {
  ShellExecuteA(static_cast<HWND>(owner), "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace platform
