#include "platform/codepage.h"

#include <windows.h>

namespace platform {

bool isLeadByte(unsigned char b) { return IsDBCSLeadByte(b) != 0; }

}  // namespace platform
