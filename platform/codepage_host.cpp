// Host stand-in for the system ANSI code page: code page 936 (GBK).
#include "platform/codepage.h"

namespace platform {

bool isLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

}  // namespace platform
