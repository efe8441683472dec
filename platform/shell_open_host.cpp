// Host stand-in: no shell and no browser; the address goes nowhere.
#include "platform/shell_open.h"

namespace platform {

WindowHandle findTopWindowByTitle(const char*) { return nullptr; }
void shellOpen(WindowHandle, const std::string&) {}

}  // namespace platform
