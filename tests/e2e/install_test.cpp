// Installing fonts with the real exe: a dropped folder is scanned, "安装"
// installs every row into the prefix's Fonts folder, and a double-click
// tells how its install went.
#include "e2e/e2e_util.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>

#include "install/install_font.h"
#include "wine/font_fixture.h"

namespace {

const int kNotFonts = 20;  // enough rows for the list to scroll

// The open box of the process whose text is text (other boxes, such as the
// start-up update check's, are left alone).
HWND waitBoxWithText(DWORD pid, const std::string& text, int timeoutMs) {
  HWND found = nullptr;
  e2e::waitFor(
      [&] {
        for (HWND box : e2e::topWindows(pid, "#32770"))
          for (HWND c : e2e::children(box, "Static"))
            if (e2e::text(c) == text) return (found = box) != nullptr;
        return false;
      },
      timeoutMs);
  return found;
}

void closeBox(HWND box, DWORD pid, const std::string& text) {
  e2e::MessageBoxInfo info;
  info.hwnd = box;
  e2e::answer(info, IDOK);
  EXPECT_TRUE(e2e::waitFor([&] { return waitBoxWithText(pid, text, 0) == nullptr; }, 5000));
}

class InstallE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    e2e::startupBoxMs = 3000;
    ASSERT_TRUE(fixtures.open("e2e-install"));
  }
  void TearDown() override {
    if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
    if (app.pi.hProcess) e2e::close(app);
    fixtures.cleanUp();
  }

  int rowOf(const std::string& path) {
    auto rows = e2e::listRows(app.list);
    for (size_t i = 0; i < rows.size(); i++)
      if (rows[i][0] == path) return static_cast<int>(i);
    return -1;
  }
  std::string statusOf(const std::string& path) {
    auto rows = e2e::listRows(app.list);
    int row = rowOf(path);
    return row < 0 ? "(no row)" : rows[row][1];
  }
  // Selects the row with a click and double-clicks it, as the user does.
  void doubleClickRowOf(const std::string& path) {
    int row = rowOf(path);
    ASSERT_GE(row, 0);
    e2e::listSelectRow(app, row);
    ASSERT_TRUE(e2e::waitFor([&] { return e2e::listSelectedRow(app.list) == row; }, 5000));
    RECT rc;
    GetClientRect(app.list, &rc);
    int top = static_cast<int>(SendMessageA(app.list, LVM_GETTOPINDEX, 0, 0));
    DWORD spacing = static_cast<DWORD>(SendMessageA(app.list, LVM_GETITEMSPACING, TRUE, 0));
    int height = HIWORD(spacing);
    e2e::doubleClickList(app.list, 40, (row - top) * height + height / 2);
  }
  std::string fontsCopy(const std::string& source) {
    return readWhole(fixtures.fontsFolder() + "\\" + fontFileName(source));
  }

  FontFixtures fixtures;
  e2e::App app;
  HANDLE holder = INVALID_HANDLE_VALUE;
};

TEST_F(InstallE2E, InstallsEveryRowAndDoubleClickTellsHowItWent) {
  std::vector<std::string> fonts = {fixtures.copyOf(kDejaVuMono, ".ttf"), fixtures.copyOf(kDejaVuSerif, ".ttf"),
                                    fixtures.copyOf(kWqyCollection, ".ttc")};
  std::string taken = fixtures.copyOf(kDejaVuMono, ".ttf");
  ASSERT_TRUE(fixtures.putInFontsFolder(fontFileName(taken), "someone else's file"));
  std::string held = fixtures.copyOf(kDejaVuSerif, ".otf");
  std::vector<std::string> notFonts;
  for (int i = 0; i < kNotFonts; i++) notFonts.push_back(fixtures.write(".otf", "no font " + std::to_string(i)));
  // Another program keeps this one open.
  holder = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);

  ASSERT_TRUE(e2e::launch(app));
  const DWORD pid = app.pi.dwProcessId;
  // With no row selected a double-click installs nothing and says nothing.
  RECT rc;
  GetClientRect(app.list, &rc);
  e2e::doubleClickList(app.list, 40, rc.bottom / 2);
  Sleep(1000);
  for (const char* text : {"安装完成", "已存在", "失败"}) EXPECT_EQ(waitBoxWithText(pid, text, 0), nullptr) << text;
  e2e::dropPaths(app.window, {fixtures.folder()});
  const std::string found = "一共搜索到：" + std::to_string(5 + kNotFonts) + "个字体文件";
  ASSERT_TRUE(e2e::waitFor([&] { return e2e::text(app.window) == found; }, 30000)) << e2e::text(app.window);

  e2e::clickButtonText(app.window, "安装");
  HWND done = waitBoxWithText(pid, "安装完成", 60000);
  ASSERT_NE(done, nullptr);
  EXPECT_EQ(e2e::text(done), "信息：");
  // The box belongs to the queue thread: the main window stays usable.
  EXPECT_TRUE(IsWindowEnabled(app.window));
  // The last worker may still be marking its row as the box comes up.
  EXPECT_TRUE(e2e::waitFor([&] { return statusOf(notFonts.back()) != "" && statusOf(fonts.back()) != ""; }, 5000));

  for (const std::string& f : fonts) {
    EXPECT_EQ(statusOf(f), "完成") << f;
    EXPECT_EQ(fontsCopy(f), readWhole(f)) << f;
  }
  EXPECT_EQ(statusOf(taken), "已存在");
  EXPECT_EQ(fontsCopy(taken), "someone else's file");
  EXPECT_EQ(statusOf(held), "失败");
  EXPECT_EQ(GetFileAttributesA((fixtures.fontsFolder() + "\\" + fontFileName(held)).c_str()),
            INVALID_FILE_ATTRIBUTES);
  for (const std::string& f : notFonts) EXPECT_EQ(statusOf(f), "失败") << f;
  // Each row was scrolled into view as it was done, the last one too.
  int top = static_cast<int>(SendMessageA(app.list, LVM_GETTOPINDEX, 0, 0));
  int perPage = static_cast<int>(SendMessageA(app.list, LVM_GETCOUNTPERPAGE, 0, 0));
  int last = 4 + kNotFonts;
  EXPECT_GT(top, 0);
  EXPECT_GE(top + perPage, last + 1);
  e2e::screenshot(app.window, e2e::buildDir() + "\\install-done.png");
  closeBox(done, pid, "安装完成");

  struct Case {
    const char* what;
    std::string path;
    const char* message;
  } cases[] = {
      {"installed already", fonts[0], "已存在"},
      {"held open", held, "失败"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    doubleClickRowOf(c.path);
    HWND box = waitBoxWithText(pid, c.message, 10000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(statusOf(c.path), c.message);
    closeBox(box, pid, c.message);
  }

  // Let go of the file: now the double-click installs it.
  CloseHandle(holder);
  holder = INVALID_HANDLE_VALUE;
  doubleClickRowOf(held);
  HWND box = waitBoxWithText(pid, "安装完成", 10000);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(statusOf(held), "完成");
  EXPECT_EQ(fontsCopy(held), readWhole(held));
  closeBox(box, pid, "安装完成");
}

}  // namespace
