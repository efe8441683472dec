#include "platform/process.h"

namespace platform {

bool joinOle() { return true; }
void leaveOle() {}

}  // namespace platform
