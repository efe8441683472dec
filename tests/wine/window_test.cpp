// The main window's control operations on real Win32 controls: called from
// other threads, the timer rules, message box results and drop registration.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "platform/process.h"
#include "platform/window.h"

namespace {

std::atomic<int> g_ticks{0};
std::atomic<DWORD> g_tickThread{0};
std::atomic<int> g_created{0};

void onTick() {
  g_ticks++;
  g_tickThread = GetCurrentThreadId();
}

void ensureWindow() {
  static bool made = false;
  if (made) return;
  platform::MainWindowArgs a;
  a.className = "777";
  a.caption = "Vornel";
  a.iconName = "DEFAULT_ICON";
  a.outerWidth = 668, a.outerHeight = 382;
  a.listLeft = 5, a.listWidth = 587, a.listHeight = 344;
  a.columns[0] = {"文件", 530};
  a.columns[1] = {"", 50};
  a.created = [] { g_created++; };
  a.timerTick = onTick;
  ASSERT_TRUE(platform::createMainWindow(a));
  made = true;
}

// Lets the user-interface thread (this one) serve messages for a while.
void pump(int ms) {
  DWORD end = GetTickCount() + ms;
  while (static_cast<int>(end - GetTickCount()) > 0) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
}

// Runs fn on another thread while this thread keeps serving messages.
template <class Fn>
void onOtherThread(Fn fn) {
  std::atomic<bool> done{false};
  std::thread t([&] {
    fn();
    done = true;
  });
  while (!done) pump(10);
  t.join();
}

TEST(Window, DropTargetRegistersOnce) {
  ensureWindow();
  EXPECT_EQ(g_created, 1);
  ASSERT_TRUE(platform::joinOle());
  EXPECT_TRUE(platform::registerDropTarget());
  EXPECT_FALSE(platform::registerDropTarget());
}

TEST(Window, ListOperationsFromAnotherThread) {
  ensureWindow();
  std::string longText(3000, 'x');
  longText += "\xD7\xD6";  // ends in a double-byte character
  onOtherThread([&] {
    platform::clearRows();
    EXPECT_EQ(platform::addRow("C:\\Fonts\\a.ttf"), 0);
    EXPECT_EQ(platform::addRow(longText), 1);
    platform::addRows({"r2", "r3", "r4"});
    EXPECT_EQ(platform::rowCount(), 5);
    EXPECT_EQ(platform::cellText(0, 0), "C:\\Fonts\\a.ttf");
    EXPECT_EQ(platform::cellText(0, 1), "");
    EXPECT_EQ(platform::cellText(1, 0), longText);
    EXPECT_EQ(platform::cellText(4, 0), "r4");
    platform::setCellText(3, 1, "完成");
    EXPECT_EQ(platform::cellText(3, 1), "完成");
    // Rows and columns that do not exist.
    EXPECT_EQ(platform::cellText(-1, 0), "");
    EXPECT_EQ(platform::cellText(5, 0), "");
    EXPECT_EQ(platform::cellText(0, 2), "");
    platform::setCellText(-1, 1, "x");
    platform::setCellText(9, 1, "x");
    platform::ensureRowVisible(-1);
    platform::ensureRowVisible(4);
    EXPECT_EQ(platform::selectedRow(), -1);
    platform::setCaption("一共搜索到：5个字体文件");
  });
  char caption[64] = {};
  GetWindowTextA(FindWindowA("777", nullptr), caption, sizeof caption);
  EXPECT_STREQ(caption, "一共搜索到：5个字体文件");
  onOtherThread([] {
    platform::clearRows();
    EXPECT_EQ(platform::rowCount(), 0);
  });
}

TEST(Window, TimerTicksOnTheUserInterfaceThreadAndKeepsItsSchedule) {
  ensureWindow();
  g_ticks = 0;
  onOtherThread([] { platform::setTimerPeriod(400); });
  pump(250);
  EXPECT_EQ(g_ticks, 0);
  // The same period again must not restart the timer: the first tick still
  // comes at about 400 ms, not 400 ms after this call.
  onOtherThread([] { platform::setTimerPeriod(400); });
  pump(300);
  EXPECT_GE(g_ticks, 1);
  EXPECT_EQ(g_tickThread, GetCurrentThreadId());
  platform::setTimerPeriod(-7);  // counts as 0: stopped
  int seen = g_ticks;
  pump(600);
  EXPECT_EQ(g_ticks, seen);
  platform::setTimerPeriod(50);
  pump(400);
  EXPECT_GE(g_ticks, seen + 3);
  platform::setTimerPeriod(0);
}

struct BoxCase {
  unsigned flags;
  int button;  // clicked in the box
  int expected;
};

TEST(Window, MessageBoxResults) {
  ensureWindow();
  BoxCase cases[] = {{36, IDYES, 5}, {36, IDNO, 6}, {0, IDOK, 0}, {16, IDOK, 0}, {0, IDCANCEL, 0}};
  for (const BoxCase& c : cases) {
    SCOPED_TRACE(c.button);
    std::atomic<int> result{-1};
    std::thread shower([&] { result = platform::showMessage("问题", c.flags, "提示："); });
    HWND box = nullptr;
    for (int i = 0; i < 500 && !box; i++) {
      pump(10);
      box = FindWindowA("#32770", "提示：");
    }
    ASSERT_NE(box, nullptr);
    // Esc on an OK box arrives as IDCANCEL.
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(c.button, BN_CLICKED), 0);
    while (result == -1) pump(10);
    shower.join();
    EXPECT_EQ(result, c.expected);
  }
}

TEST(Window, MessageBoxWithoutTitleIsTitledInformation) {
  ensureWindow();
  std::atomic<int> result{-1};
  std::thread shower([&] { result = platform::showMessage("安装完成", 0); });
  HWND box = nullptr;
  for (int i = 0; i < 500 && !box; i++) {
    pump(10);
    box = FindWindowA("#32770", "信息：");
  }
  ASSERT_NE(box, nullptr);
  // Shown from a worker, the box leaves the main window usable.
  EXPECT_TRUE(IsWindowEnabled(FindWindowA("777", nullptr)));
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  while (result == -1) pump(10);
  shower.join();
  EXPECT_EQ(result, 0);
}

}  // namespace
