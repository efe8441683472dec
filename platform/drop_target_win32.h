// The OLE drop target behind the main window's drops (Windows only).
#pragma once

#include <windows.h>

namespace platform {

// Registers a target for hwnd that takes CF_HDROP drops while accepted and
// hands gotFiles the dropped paths. False when registration fails or was done.
bool registerFileDropTarget(HWND hwnd, void (*gotFiles)(const char* text));
void setFileDropAccepted(bool accept);

}  // namespace platform
