// Test controls for the host stand-in of the Fonts folder and font table
// (Linux builds only).
#pragma once

#include <string>
#include <vector>

namespace platform {
namespace host {

// The folder that plays the Fonts folder; empty means the shell knows none.
void setFontsFolder(const std::string& folder);
// Called inside every addFontResource, on the installing thread, before the
// font is counted: lets a test hold an install in progress.
using AddFontHook = void (*)(const std::string& path);
void setAddFontHook(AddFontHook hook);
// Paths handed to addFontResource that gave fonts, in call order.
std::vector<std::string> addedFonts();
long fontChangeBroadcasts();
void resetFonts();  // no folder, no hook, nothing added, no broadcasts

}  // namespace host
}  // namespace platform
