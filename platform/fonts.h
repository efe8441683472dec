// The system Fonts folder and font table.
#pragma once

#include <string>

namespace platform {

// The shell's Fonts folder (CSIDL_FONTS, never created); false when the
// shell does not know it.
bool fontsFolder(std::string& folder);
// True when a file or folder of that path exists.
bool pathExists(const std::string& path);
// AddFontResourceA: the number of fonts the system added from the file.
int addFontResource(const std::string& path);
// Tells every top-level window that the fonts changed, giving up on a
// window that does not answer within about a second.
void broadcastFontChange();

}  // namespace platform
