// Driving the real vornel.exe from a second program, as a person would:
// find its windows, read their texts, click, drop, and look at the screen.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <string>
#include <vector>

namespace e2e {

// Paths handed over by CMake (VORNEL_EXE, VORNEL_BUILD, VORNEL_SOURCE).
std::string vornelExe();
std::string buildDir();
std::string envOr(const char* name, const char* fallback);

struct App {
  PROCESS_INFORMATION pi = {};
  HWND window = nullptr;  // the main window
  HWND list = nullptr;    // the font list
};

// Starts exe (a copy of vornel.exe may stand elsewhere) and waits for its
// main window to be visible. False when it did not appear within timeoutMs.
// The update check that runs at every start reports to the user in a box of
// its own (under the test hosts file nothing answers, so it is "网络未接通！");
// launch waits up to startupBoxMs for that box and closes it, so a test
// starts from a quiet window. 0 leaves the box to the test.
bool launch(App& app, const std::string& exe = vornelExe(), int timeoutMs = 20000);
extern int startupBoxMs;
// Closes the main window like its close box and waits for the exit code;
// terminates the process if it does not end in time. Gives the exit code.
DWORD close(App& app, int timeoutMs = 10000);
// Waits for the process to end by itself; STILL_ACTIVE when it did not.
DWORD waitExit(App& app, int timeoutMs);

// Top-level windows of a process, visible ones only, optionally filtered.
std::vector<HWND> topWindows(DWORD pid, const char* className = nullptr);
HWND waitTopWindow(DWORD pid, const char* className, const char* title, int timeoutMs);
std::string text(HWND hwnd);
std::string className(HWND hwnd);
HWND childByText(HWND parent, const char* className, const char* text);
std::vector<HWND> children(HWND parent, const char* className = nullptr);
// BM_CLICK without waiting (a click may open a modal box).
void click(HWND button);
void clickButtonText(HWND parent, const char* text);

// A message box of the process: its title, text and button texts.
struct MessageBoxInfo {
  HWND hwnd = nullptr;
  std::string title;
  std::string text;
  std::vector<std::string> buttons;
  bool hasIcon = false;
};
bool waitMessageBox(DWORD pid, MessageBoxInfo& box, int timeoutMs, const char* title = nullptr);
// The box of the process with exactly this title and text.
bool waitMessageBoxText(DWORD pid, MessageBoxInfo& box, int timeoutMs, const char* title, const char* text);
// Clicks the box's button whose text is given ("确定", "是(&Y)", ...) or, with
// an id (IDOK, IDYES, IDNO), the button of that id.
void answer(const MessageBoxInfo& box, int id);
// Waits until no message box of the process is open.
bool waitNoMessageBox(DWORD pid, int timeoutMs);

// Rows of the font list, read across processes: rows[i][0..1].
std::vector<std::vector<std::string>> listRows(HWND list);
int listSelectedRow(HWND list);
void listSelectRow(App& app, int row);
// A left double-click at a point of the list's client area.
void doubleClickList(HWND list, int x, int y);

// Drags the paths from this process onto the window with a real OLE
// drag-and-drop, as the shell would. Gives the effect the target reported.
DWORD dropPaths(HWND target, const std::vector<std::string>& paths, DWORD keys = 0);
// Drags plain text (CF_TEXT only) instead.
DWORD dropText(HWND target, const std::string& text);

// Waits until pred() holds, polling; false on time-out.
template <class Pred>
bool waitFor(Pred pred, int timeoutMs, int stepMs = 20) {
  for (int waited = 0;; waited += stepMs) {
    if (pred()) return true;
    if (waited >= timeoutMs) return false;
    Sleep(stepMs);
  }
}

// Saves what the screen shows of hwnd's outer rectangle as a PNG file.
bool screenshot(HWND hwnd, const std::string& pngPath);

// Starts a program of the Unix side (Wine runs it directly). Its process
// handle tells nothing useful, so callers wait for what it makes.
void runUnix(const std::string& program, const std::string& args);

// Files and folders for fixtures (ANSI paths, code page 936).
std::string makeTempDir(const std::string& tag);
bool writeFile(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);
void removeTree(const std::string& path);

}  // namespace e2e
