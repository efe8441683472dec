// Installing one font file into the system Fonts folder and font table.
#pragma once

#include <string>

// Why an install gave what it gave.
enum class InstallOutcome {
  added,           // copied and added: the result is above 0
  alreadyPresent,  // a file of that name is in the Fonts folder; nothing copied or touched
  failed,          // anything else: unreadable or locked file, no Fonts folder access, not a font
};

// Copies the file into the Fonts folder under its own name (never
// overwriting) and adds it to the font table from its own place. Gives the
// number of fonts added, 0 on any failure; outcome, when given, says why.
// Broadcasts the font change, so the user-interface thread must never wait
// for a thread inside this call.
int installFontFile(const std::string& path, InstallOutcome* outcome = nullptr);

// The file name at the end of a full path: after the last "\", "/" or ":",
// read in the system code page, at most 255 bytes.
std::string fontFileName(const std::string& fullPath);
