// The shell's folder picker.
#pragma once

#include <string>

namespace platform {

// Shows the classic folder picker (with an edit box) modal to every window of
// the program and gives the chosen folder's file-system path, or the empty
// text when it was cancelled or the choice has no such path.
std::string pickFolder(const std::string& title);

namespace host {
// Host builds only: what the next pickFolder calls give, and what the last
// one was asked with.
void setPickedFolder(const std::string& path);
std::string lastPickerTitle();
}  // namespace host

}  // namespace platform
