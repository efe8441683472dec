// The main window, its controls and the operations the rest of the program
// uses on them. Texts are code page 936 byte strings.
#pragma once

#include <string>
#include <vector>

namespace platform {

using Handler = void (*)();

struct ButtonArgs {
  const char* text = "";
  int left = 0, top = 0, width = 0, height = 0;
  Handler clicked = nullptr;
};

struct ColumnArgs {
  const char* header = "";
  int width = 0;
};

struct MainWindowArgs {
  const char* className = "";
  const char* caption = "";
  const char* iconName = "";
  int outerWidth = 0, outerHeight = 0;
  int listLeft = 0, listTop = 0, listWidth = 0, listHeight = 0;
  ColumnArgs columns[2];
  ButtonArgs buttons[4];           // in tab order
  Handler created = nullptr;       // after every control exists, before showing
  Handler listDoubleClicked = nullptr;
  Handler timerTick = nullptr;
  void (*gotFiles)(const char* text) = nullptr;  // text valid during the call
};

// Creates the window hidden with its controls, runs created, then shows it
// centred. False when the window could not be created.
bool createMainWindow(const MainWindowArgs& args);
// Runs the user-interface thread's message loop until the window is gone.
void runMessageLoop();
// Dispatches the calling thread's pending messages; a WM_QUIT stays queued.
void dispatchPendingMessages();

// Control operations: callable from any thread; list and caption operations
// are carried out by the user-interface thread while the caller waits.
void setCaption(const std::string& text);
void clearRows();
int addRow(const std::string& text);
// Appends every text as a row in one run with redraw suspended.
void addRows(const std::vector<std::string>& texts);
int rowCount();
std::string cellText(int row, int column);
void setCellText(int row, int column, const std::string& text);
void ensureRowVisible(int row);
int selectedRow();
void setTimerPeriod(int milliseconds);
// flags: MessageBox type bits (0, 16, 36 in this program); no title gives "信息：".
// Result: 0 OK, 1 Cancel, 2 Abort, 3 Retry, 4 Ignore, 5 Yes, 6 No; 0 otherwise.
int showMessage(const std::string& text, unsigned flags, const char* title = nullptr);
bool registerDropTarget();
void setAcceptFiles(bool accept);
// Runs fn(context) on the user-interface thread, between its handlers, and
// waits for it. On the user-interface thread itself it runs at once.
void runOnUiThread(void (*fn)(void*), void* context);

}  // namespace platform
