#include "install/install_font.h"

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/fonts.h"

namespace {
const size_t kMaxFileName = 255;
}  // namespace

std::string fontFileName(const std::string& fullPath) {
  size_t last = platform::findLastSeparator(fullPath, "\\/:");
  std::string name = last == std::string::npos ? fullPath : fullPath.substr(last + 1);
  if (name.size() > kMaxFileName) name.resize(kMaxFileName);
  return name;
}

int installFontFile(const std::string& path, InstallOutcome* outcome) {
  InstallOutcome ignored;
  InstallOutcome& how = outcome ? *outcome : ignored;
  how = InstallOutcome::failed;

  std::string folder;
  if (!platform::fontsFolder(folder)) return 0;
  // The open with no sharing fails for a file someone else holds open; its
  // only use is the file's full name.
  std::string fullName;
  if (!platform::fullNameOfExclusiveOpen(path, fullName)) return 0;
  std::string destination = folder + "\\" + fontFileName(fullName);

  if (!platform::copyFileNoOverwrite(path, destination)) {
    if (platform::pathExists(destination)) how = InstallOutcome::alreadyPresent;
    return 0;
  }
  // The font table refers to the source file; the copy only keeps the font
  // for later sessions. A copy that is no font stays where it is.
  int added = platform::addFontResource(path);
  if (added <= 0) return 0;
  platform::broadcastFontChange();
  how = InstallOutcome::added;
  return added;
}
