// Installing one font file into the prefix's real Fonts folder and font
// table, with real fonts from the system's font packages.
#include <windows.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <string>
#include <vector>

#include "install/install_font.h"
#include "wine/font_fixture.h"

namespace {

// A top-level window of this process that counts the font-change broadcasts
// it is sent; its thread keeps pumping messages.
std::atomic<int> g_fontChanges{0};

LRESULT CALLBACK countingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_FONTCHANGE) ++g_fontChanges;
  return DefWindowProcA(hwnd, msg, wp, lp);
}

DWORD WINAPI listenForFontChanges(LPVOID ready) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = countingProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "VornelFontChangeListener";
  RegisterClassA(&wc);
  CreateWindowExA(0, wc.lpszClassName, "listener", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr, wc.hInstance,
                  nullptr);
  SetEvent(static_cast<HANDLE>(ready));
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}

std::string g_hungSource;
std::atomic<int> g_hungResult{-1};

DWORD WINAPI installBesideAHungWindow(LPVOID) {
  g_hungResult = installFontFile(g_hungSource);
  return 0;
}

// A top-level window on a thread that never looks at its messages again.
DWORD WINAPI hangWithAWindow(LPVOID release) {
  CreateWindowExA(0, "STATIC", "hung", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  WaitForSingleObject(static_cast<HANDLE>(release), INFINITE);
  return 0;
}

class InstallFont : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    CloseHandle(CreateThread(nullptr, 0, listenForFontChanges, ready, 0, nullptr));
    WaitForSingleObject(ready, 10000);
    CloseHandle(ready);
  }
  void SetUp() override {
    ASSERT_TRUE(fixtures.open("install-font"));
    before = fixtures.fontsFolderSnapshot();
  }
  void TearDown() override { fixtures.cleanUp(); }

  // The install, counting the broadcasts that reached the listener.
  int install(const std::string& path, InstallOutcome& how, int& broadcasts) {
    int start = g_fontChanges;
    int result = installFontFile(path, &how);
    if (result > 0) fixtures.installed(path);
    broadcasts = g_fontChanges - start;
    return result;
  }

  FontFixtures fixtures;
  std::map<std::string, std::string> before;
};

TEST_F(InstallFont, FontsAreCopiedAndAddedFromTheirOwnPlace) {
  struct Case {
    const char* package;
    const char* suffix;
    int faces;
  } cases[] = {{kDejaVuMono, ".ttf", 1}, {kWqyCollection, ".ttc", 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.package);
    std::string source = fixtures.copyOf(c.package, c.suffix);
    std::string name = fontFileName(source);
    // What the font table itself counts for this file, from a private copy
    // (Wine also counts the vertical "@" face of each CJK face).
    std::string probe = fixtures.copyOf(c.package, c.suffix);
    int counted = AddFontResourceExA(probe.c_str(), FR_PRIVATE, nullptr);
    RemoveFontResourceExA(probe.c_str(), FR_PRIVATE, nullptr);
    EXPECT_GE(counted, c.faces);
    InstallOutcome how;
    int broadcasts = 0;
    EXPECT_EQ(install(source, how, broadcasts), counted);
    EXPECT_EQ(how, InstallOutcome::added);
    EXPECT_EQ(broadcasts, 1);
    // The copy under the source's own name, byte for byte; the source stays.
    EXPECT_EQ(readWhole(fixtures.fontsFolder() + "\\" + name), readWhole(source));
    EXPECT_FALSE(readWhole(source).empty());
  }
}

TEST_F(InstallFont, NothingIsTouchedWhenTheFontCannotBeInstalled) {
  // A file of that name already in the Fonts folder, holding something else.
  std::string taken = fixtures.copyOf(kDejaVuMono, ".ttf");
  std::string occupant = fixtures.fontsFolder() + "\\" + fontFileName(taken);
  ASSERT_TRUE(fixtures.putInFontsFolder(fontFileName(taken), "someone else's file"));
  before = fixtures.fontsFolderSnapshot();

  std::string locked = fixtures.copyOf(kDejaVuMono, ".ttf");
  struct Case {
    const char* what;
    std::string path;
    InstallOutcome how;
  } cases[] = {
      {"name taken", taken, InstallOutcome::alreadyPresent},
      {"held open", locked, InstallOutcome::failed},
      {"missing", fixtures.folder() + "\\missing.ttf", InstallOutcome::failed},
      {"empty path", "", InstallOutcome::failed},
  };
  // Another program reading the file, sharing it for reading only.
  HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    InstallOutcome how = InstallOutcome::added;
    int broadcasts = 0;
    EXPECT_EQ(install(c.path, how, broadcasts), 0);
    EXPECT_EQ(how, c.how);
    EXPECT_EQ(broadcasts, 0);
    EXPECT_EQ(fixtures.fontsFolderSnapshot(), before);
  }
  CloseHandle(holder);
  EXPECT_EQ(readWhole(occupant), "someone else's file");
}

TEST_F(InstallFont, AFileThatIsNoFontIsCopiedButNotAdded) {
  std::string notes = fixtures.write("notes.ttf", "not a font at all");
  InstallOutcome how = InstallOutcome::added;
  int broadcasts = 0;
  EXPECT_EQ(install(notes, how, broadcasts), 0);
  EXPECT_EQ(how, InstallOutcome::failed);
  EXPECT_EQ(broadcasts, 0);
  EXPECT_EQ(readWhole(fixtures.fontsFolder() + "\\" + fontFileName(notes)), "not a font at all");
}

TEST_F(InstallFont, ADoubleByteNameWithATrailingBackslashByteIsKeptWhole) {
  // "乗" and "俓" are 0x81 0x5C and 0x82 0x5C in code page 936.
  std::string source = fixtures.copyOf(kDejaVuMono, "\x81\x5C\x82\x5C.ttf");
  std::string name = fontFileName(source);
  ASSERT_EQ(name.substr(name.size() - 8), "\x81\x5C\x82\x5C.ttf");
  InstallOutcome how;
  int broadcasts = 0;
  EXPECT_EQ(install(source, how, broadcasts), 1);
  EXPECT_EQ(readWhole(fixtures.fontsFolder() + "\\" + name), readWhole(source));
}

TEST_F(InstallFont, AHungWindowDoesNotStallTheInstall) {
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE hung = CreateThread(nullptr, 0, hangWithAWindow, release, 0, nullptr);
  Sleep(200);  // the window exists and its thread has stopped listening

  g_hungSource = fixtures.copyOf(kDejaVuMono, ".ttf");
  HANDLE installer = CreateThread(nullptr, 0, installBesideAHungWindow, nullptr, 0, nullptr);
  // Without a time-out the broadcast would wait for the hung window for ever.
  EXPECT_EQ(WaitForSingleObject(installer, 20000), WAIT_OBJECT_0);
  EXPECT_EQ(g_hungResult, 1);
  if (g_hungResult > 0) fixtures.installed(g_hungSource);

  SetEvent(release);
  WaitForSingleObject(hung, 5000);
  WaitForSingleObject(installer, INFINITE);
  CloseHandle(installer);
  CloseHandle(hung);
  CloseHandle(release);
}

}  // namespace
