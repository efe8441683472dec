// Start-up when the main window cannot be made, and the executable's place.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "app/exe_location.h"
#include "app/main_window.h"

namespace {

TEST(Startup, RunDirectoryAndExecutableNameRebuildTheModulePath) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir = runDirectory(), name = executableName();
  EXPECT_EQ(dir + "\\" + name, path);
  EXPECT_NE(dir.back(), '\\');
  EXPECT_EQ(name.find('\\'), std::string::npos);
}

TEST(Startup, NoMainWindowMeansAMessageAndExitCodeMinusOne) {
  // A class of that name already taken makes the main window impossible.
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "777";
  ASSERT_TRUE(RegisterClassA(&wc));

  std::atomic<bool> answered{false};
  std::thread answerer([&] {
    for (int i = 0; i < 1000 && !answered; i++) {
      HWND box = FindWindowA("#32770", "信息：");
      if (box) {
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        answered = true;
      }
      Sleep(10);
    }
  });
  int code = runProgram();
  answerer.join();
  EXPECT_EQ(code, -1);
  EXPECT_TRUE(answered);
  EXPECT_EQ(FindWindowA("777", "Vornel"), nullptr);
}

}  // namespace
