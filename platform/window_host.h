// Test controls for the host stand-in of the main window (Linux builds only).
// Handlers and control operations are serialised by one lock that plays the
// user-interface thread; the install timer ticks on a thread of its own.
#pragma once

#include <string>

#include "platform/window.h"

namespace platform {
namespace host {

using MessageResponder = int (*)(const std::string& text, unsigned flags, const char* title);
void setMessageResponder(MessageResponder responder);  // default answers 0

std::string caption();
int timerPeriod();
long dispatchCount();  // calls of dispatchPendingMessages so far
// Threads blocked right now in a handler or control operation, waiting for
// the user-interface thread: lets a test hold a thread at a known point.
int waitingForUi();
long uiEntries();  // handlers and control operations entered so far
void selectRow(int row);  // -1 clears the selection

// Raise an event as the user would, on the "user-interface thread".
void clickButton(int index);  // index into MainWindowArgs::buttons
void doubleClickList();
void dropFiles(const char* text);
void tick();

void reset();  // no rows, no selection, timer stopped, caption empty

}  // namespace host
}  // namespace platform
