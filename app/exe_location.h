// Where the program's own executable lives.
#pragma once

#include <string>

// Folder of the executable without a trailing backslash ("C:" for a program
// in a drive's root); empty when the path has no backslash.
std::string runDirectory();
// The executable's file name, extension included.
std::string executableName();
