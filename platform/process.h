// The process's own set-up with the system.
#pragma once

namespace platform {

// The calling thread joins OLE (drag and drop, the shell's folder picker).
bool joinOle();
void leaveOle();

}  // namespace platform
