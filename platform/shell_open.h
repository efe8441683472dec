// Handing an address to the shell, so the user's browser opens it.
#pragma once

#include <string>

namespace platform {

using WindowHandle = void*;  // HWND; none is nullptr

// FindWindowExA(no parent, no child, any class, title).
WindowHandle findTopWindowByTitle(const char* title);
// ShellExecuteA(owner, "open", address, no parameters, no folder, SW_SHOWNORMAL).
void shellOpen(WindowHandle owner, const std::string& address);

}  // namespace platform
