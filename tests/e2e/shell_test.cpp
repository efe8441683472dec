// The main window as the user meets it: its look, the About box, keyboard
// and drops, checked on the real exe from another process.
#include "e2e/e2e_util.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

class Shell : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(e2e::launch(app)); }
  void TearDown() override { e2e::close(app); }
  e2e::App app;
};

RECT clientRectOf(HWND child, HWND parent) {
  RECT rc;
  GetWindowRect(child, &rc);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

TEST_F(Shell, WindowLooksAsDesigned) {
  EXPECT_EQ(e2e::className(app.window), "777");
  EXPECT_EQ(e2e::text(app.window), "Vornel");

  RECT rc;
  GetWindowRect(app.window, &rc);
  EXPECT_EQ(rc.right - rc.left, 668);
  EXPECT_EQ(rc.bottom - rc.top, 382);
  EXPECT_EQ(rc.left, (GetSystemMetrics(SM_CXSCREEN) - 668) / 2);
  EXPECT_EQ(rc.top, (GetSystemMetrics(SM_CYSCREEN) - 382) / 2);

  LONG style = GetWindowLongA(app.window, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(style & WS_CLIPCHILDREN);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(GetWindowLongA(app.window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  // The frame offers no resize handle.
  LRESULT hit = SendMessageA(app.window, WM_NCHITTEST, 0, MAKELPARAM(rc.right - 1, rc.bottom - 1));
  EXPECT_NE(hit, HTBOTTOMRIGHT);
  EXPECT_NE(hit, HTRIGHT);

  struct Expected {
    const char* text;
    int left, top;
  } buttons[] = {{"浏览", 600, 16}, {"安装", 600, 58}, {"更新", 600, 100}, {"关于", 600, 144}};
  for (const Expected& b : buttons) {
    SCOPED_TRACE(b.text);
    HWND h = e2e::childByText(app.window, "Button", b.text);
    ASSERT_NE(h, nullptr);
    RECT br = clientRectOf(h, app.window);
    EXPECT_EQ(br.left, b.left);
    EXPECT_EQ(br.top, b.top);
    EXPECT_EQ(br.right - br.left, 56);
    EXPECT_EQ(br.bottom - br.top, 32);
    LONG bs = GetWindowLongA(h, GWL_STYLE);
    EXPECT_EQ(bs & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_EQ(bs & (BS_CENTER | BS_VCENTER | BS_MULTILINE), BS_CENTER | BS_VCENTER | BS_MULTILINE);
    EXPECT_TRUE(bs & WS_TABSTOP);
    EXPECT_TRUE(IsWindowEnabled(h));
  }

  RECT lr = clientRectOf(app.list, app.window);
  EXPECT_EQ(lr.left, 5);
  EXPECT_EQ(lr.top, 0);
  EXPECT_EQ(lr.right - lr.left, 587);
  EXPECT_EQ(lr.bottom - lr.top, 344);
  LONG ls = GetWindowLongA(app.list, GWL_STYLE);
  EXPECT_EQ(ls & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(ls & LVS_NOCOLUMNHEADER);
  EXPECT_TRUE(ls & LVS_SINGLESEL);
  EXPECT_FALSE(ls & LVS_SHOWSELALWAYS);
  EXPECT_FALSE(ls & (LVS_EDITLABELS | LVS_SORTASCENDING | LVS_SORTDESCENDING));
  EXPECT_TRUE(ls & WS_TABSTOP);
  EXPECT_TRUE(GetWindowLongA(app.list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  DWORD ex = static_cast<DWORD>(SendMessageA(app.list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  EXPECT_EQ(ex, static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_INFOTIP | LVS_EX_SUBITEMIMAGES));
  EXPECT_EQ(SendMessageA(app.list, LVM_GETCOLUMNWIDTH, 0, 0), 530);
  EXPECT_EQ(SendMessageA(app.list, LVM_GETCOLUMNWIDTH, 1, 0), 50);
  EXPECT_EQ(SendMessageA(app.list, LVM_GETBKCOLOR, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(SendMessageA(app.list, LVM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_EQ(e2e::listSelectedRow(app.list), -1);

  // The icon named DEFAULT_ICON, in the big and the small size.
  HMODULE exe = LoadLibraryExA(e2e::vornelExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr);
  EXPECT_NE(LoadImageA(exe, "DEFAULT_ICON", IMAGE_ICON, 32, 32, 0), nullptr);
  EXPECT_NE(LoadImageA(exe, "DEFAULT_ICON", IMAGE_ICON, 16, 16, 0), nullptr);
  FreeLibrary(exe);
  Sleep(300);  // let the first paint land before the picture is taken
  EXPECT_TRUE(e2e::screenshot(app.window, e2e::buildDir() + "\\main-window.png"));
}

TEST_F(Shell, AboutBoxIsModalWithOneOkButton) {
  e2e::clickButtonText(app.window, "关于");
  e2e::MessageBoxInfo box;
  ASSERT_TRUE(e2e::waitMessageBox(app.pi.dwProcessId, box, 10000, "Tamsik制作"));
  EXPECT_EQ(box.text, "可以直接拖入你的字体文件夹点击安装即可自动安装字体\r\n也可以选择你需要安装的双击");
  ASSERT_EQ(box.buttons.size(), 1u);
  EXPECT_FALSE(box.hasIcon);
  EXPECT_FALSE(IsWindowEnabled(app.window));
  Sleep(200);
  e2e::screenshot(box.hwnd, e2e::buildDir() + "\\about-box.png");
  e2e::answer(box, IDOK);
  ASSERT_TRUE(e2e::waitNoMessageBox(app.pi.dwProcessId, 10000));
  EXPECT_TRUE(e2e::waitFor([&] { return IsWindowEnabled(app.window) != FALSE; }, 5000));
}

TEST_F(Shell, EscapeInTheListClosesWithExitCodeZero) {
  PostMessageA(app.list, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  PostMessageA(app.list, WM_KEYUP, VK_ESCAPE, 0xC0010001);
  EXPECT_EQ(e2e::waitExit(app, 10000), 0u);
}

TEST_F(Shell, TabWalksTheControls) {
  HWND order[] = {app.list, e2e::childByText(app.window, "Button", "浏览"),
                  e2e::childByText(app.window, "Button", "安装"), e2e::childByText(app.window, "Button", "更新"),
                  e2e::childByText(app.window, "Button", "关于")};
  for (int i = 0; i < 5; i++) {
    HWND next = GetNextDlgTabItem(app.window, order[i], FALSE);
    EXPECT_EQ(next, order[(i + 1) % 5]) << "after control " << i;
  }
}

TEST_F(Shell, TextDragIsRefusedAndFileDropIsNeverAMove) {
  EXPECT_EQ(e2e::dropText(app.window, "D:\\Fonts"), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(e2e::text(app.window), "Vornel");
  std::string dir = e2e::makeTempDir("drop");
  EXPECT_EQ(e2e::dropPaths(app.window, {dir}, MK_SHIFT), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(e2e::dropPaths(app.window, {dir}), static_cast<DWORD>(DROPEFFECT_NONE));
  e2e::removeTree(dir);
}

}  // namespace
