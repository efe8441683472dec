#include "platform/fonts.h"

#include <windows.h>
#include <shlobj.h>

namespace platform {

namespace {
// A window whose thread hangs would otherwise stall the broadcast for ever.
const UINT kFontChangeTimeoutMs = 1000;
}  // namespace

bool fontsFolder(std::string& folder) {
  char buffer[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathA(nullptr, buffer, CSIDL_FONTS, FALSE)) return false;
  folder = buffer;
  return true;
}

bool pathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

int addFontResource(const std::string& path) { return AddFontResourceA(path.c_str()); }

void broadcastFontChange() {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, kFontChangeTimeoutMs, &result);
}

}  // namespace platform
