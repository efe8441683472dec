#include "install/install_queue.h"

// Filled in by the install queue.
void onInstallClicked() {}
void onFontListDoubleClicked() {}
void onInstallTimerTick() {}
void runInstallQueue() {}
void installCurrentFont() {}
bool installInFlight() { return false; }
