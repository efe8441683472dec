#include "platform/process.h"

#include <ole2.h>

namespace platform {

bool joinOle() { return SUCCEEDED(OleInitialize(nullptr)); }
void leaveOle() { OleUninitialize(); }

}  // namespace platform
