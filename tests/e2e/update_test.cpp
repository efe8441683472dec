// The update check of the real exe against the announcement page and the
// probe served from 127.0.0.1:80 (the test hosts file sends blog.vornel.net
// and www.baidu.com there). The boxes are answered by clicking them, and the
// address the shell was asked to open is caught by a "browser" script.
#include <gtest/gtest.h>

#include <string>

#include "e2e/e2e_util.h"
#include "e2e/http_util.h"

namespace {

const char kBlogHost[] = "blog.vornel.net";
const char kBlogPath[] = "/archives/announcement.html";
const char kProbeHost[] = "www.baidu.com";
const int kBoxMs = 15000;

// The announcement as the maker writes it, in UTF-8.
std::string announcement(const std::string& edition) {
  return std::string(u8"<html><body><p>公告 [--标示开始--][edition]=") + edition +
         u8"[/edition][downloadURL]=http://dl.example/vornel-new.zip[/downloadURL]"
         u8"[explain]=修复若干问题[/explain][qq]=12345[/qq]"
         u8"[加群链接]=http://qq.example/join[/加群链接]"
         u8"[下载页面]=http://www.example/download[/下载页面][/--标示结束--]</p></body></html>";
}

std::string unixPath(const std::string& windowsPath) {
  std::string p = windowsPath.substr(2);  // drop "Z:"
  for (char& c : p)
    if (c == '\\') c = '/';
  return p;
}

class UpdateCheck : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    e2e::startupBoxMs = 0;  // the start-up check is what these tests look at
    SetEnvironmentVariableA("http_proxy", nullptr);
    // Wine's browser launcher runs the commands listed under "Browsers" with
    // the address as their last argument: this one writes it down.
    dir_ = e2e::buildDir() + "\\update-e2e";
    CreateDirectoryA(dir_.c_str(), nullptr);
    opened_ = dir_ + "\\opened.txt";
    e2e::writeFile(dir_ + "\\record.sh", "printf '%s\\n' \"$1\" >> '" + unixPath(opened_) + "'\n");
    HKEY key;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                    nullptr);
    std::string browsers = "/bin/sh " + unixPath(dir_ + "\\record.sh");
    RegSetValueExA(key, "Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(browsers.c_str()),
                   static_cast<DWORD>(browsers.size() + 1));
    RegCloseKey(key);
  }

  void SetUp() override {
    DeleteFileA(opened_.c_str());
    ASSERT_TRUE(e2e::startHttpServer(80));
    e2e::clearPages();
    e2e::clearHttpRequests();
    e2e::HttpPage home;
    home.body = "<html>home</html>";
    e2e::servePage(kProbeHost, "/", home);
  }
  void TearDown() override {
    e2e::close(app);
    e2e::stopHttpServer();
  }

  void serve(const std::string& body) {
    e2e::HttpPage page;
    page.body = body;
    e2e::servePage(kBlogHost, kBlogPath, page);
  }

  // Waits for the box with this title and text and checks its buttons and icon.
  e2e::MessageBoxInfo expectBox(const char* title, const std::string& text, size_t buttons, bool icon) {
    e2e::MessageBoxInfo box;
    EXPECT_TRUE(e2e::waitMessageBoxText(app.pi.dwProcessId, box, kBoxMs, title, text.c_str()))
        << "no box \"" << text << "\"; open: " << openBoxes();
    EXPECT_EQ(box.buttons.size(), buttons);
    EXPECT_EQ(box.hasIcon, icon);
    return box;
  }

  std::string openBoxes() {
    std::string all;
    for (HWND h : e2e::topWindows(app.pi.dwProcessId, "#32770")) {
      e2e::MessageBoxInfo box;
      e2e::waitMessageBox(app.pi.dwProcessId, box, 0, e2e::text(h).c_str());
      all += "[" + box.title + ": " + box.text + "] ";
    }
    return all;
  }

  void answerAndWaitGone(const e2e::MessageBoxInfo& box, int id) {
    e2e::answer(box, id);
    EXPECT_TRUE(e2e::waitFor([&] { return !IsWindow(box.hwnd); }, 5000));
  }

  // What the shell was asked to open: waits for the first address, then a
  // little longer to see that no second one follows.
  std::string openedAddresses(bool expectOne) {
    if (expectOne) e2e::waitFor([&] { return !e2e::readFile(opened_).empty(); }, 15000, 50);
    Sleep(1500);
    return e2e::readFile(opened_);
  }

  e2e::App app;
  static std::string dir_, opened_;
};
std::string UpdateCheck::dir_, UpdateCheck::opened_;

const char kNewEditionTitle[] = "提示：";
const char kGroupTitle[] = "温馨提示";
const char kGroupQuestion[] = "最新版本QQ群12345中也有\r\n你可以快速加群，和手动加群\r\n是否快速加群？";
const char kCheckFailed[] = "检查更新失败：无法读取最新版本信息，请稍后再试。";

std::string firstQuestion(const std::string& edition) {
  return "发现新版本：" + edition + "\r\n修复若干问题\r\n是否下载更新？";
}

TEST_F(UpdateCheck, NetworkUnreachable) {
  e2e::stopHttpServer();  // nothing answers: the fetch and the probe fail at once
  serve(announcement("1.0.6.0"));
  ASSERT_TRUE(e2e::launch(app));
  e2e::MessageBoxInfo box = expectBox("信息：", "网络未接通！", 1, true);
  answerAndWaitGone(box, IDOK);
  EXPECT_TRUE(e2e::waitNoMessageBox(app.pi.dwProcessId, 2000));
  EXPECT_EQ(openedAddresses(false), "");
  // The worker ended; the program runs on.
  EXPECT_EQ(e2e::waitExit(app, 0), static_cast<DWORD>(STILL_ACTIVE));
  EXPECT_TRUE(IsWindowEnabled(app.window));
}

TEST_F(UpdateCheck, SameEditionIsUpToDate) {
  // Marker letters in any case are read the same.
  serve(u8"<p>[--标示开始--][EDITION]=1.0.5.12[/Edition][/--标示结束--]</p>");
  ASSERT_TRUE(e2e::launch(app));
  e2e::MessageBoxInfo box = expectBox("信息：", "已经是最新版本", 1, false);
  answerAndWaitGone(box, IDOK);
  EXPECT_EQ(openedAddresses(false), "");
  // The page and the probe were both asked for, the page as HTTP/1.0.
  std::string requests;
  for (const std::string& r : e2e::httpRequests()) requests += r;
  EXPECT_NE(requests.find("GET /archives/announcement.html HTTP/1.0\r\n"), std::string::npos);
  EXPECT_NE(requests.find("Host: www.baidu.com"), std::string::npos);
}

TEST_F(UpdateCheck, NewEditionAnswers) {
  struct Case {
    const char* name;
    std::string edition;
    int first, second;  // 0: the second question must not come
    const char* opened;
  } cases[] = {
      {"Yes downloads", "1.0.6.0", IDYES, 0, "http://dl.example/vornel-new.zip\n"},
      {"No, Yes joins the group", "1.0.6.0", IDNO, IDYES, "http://qq.example/join\n"},
      {"No, No opens the download page", "1.0.6.0", IDNO, IDNO, "http://www.example/download\n"},
      {"an older edition still differs", "1.0.4.0", IDYES, 0, "http://dl.example/vornel-new.zip\n"},
      {"a trailing blank differs", "1.0.5.12 ", IDNO, IDNO, "http://www.example/download\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DeleteFileA(opened_.c_str());
    serve(announcement(c.edition));
    ASSERT_TRUE(e2e::launch(app));
    e2e::MessageBoxInfo box = expectBox(kNewEditionTitle, firstQuestion(c.edition), 2, true);
    answerAndWaitGone(box, c.first);
    if (c.second) {
      box = expectBox(kGroupTitle, kGroupQuestion, 2, true);
      answerAndWaitGone(box, c.second);
    }
    EXPECT_TRUE(e2e::waitNoMessageBox(app.pi.dwProcessId, 2000)) << openBoxes();
    EXPECT_EQ(openedAddresses(true), c.opened);
    e2e::close(app);
  }
}

TEST_F(UpdateCheck, NoEditionReadIsAFailedCheckAndOpensNothing) {
  std::string big(10u << 20, 'x');
  struct Case {
    const char* name;
    int status;
    std::string body;
    size_t closeAfter;
  } cases[] = {
      {"page not found", 404, "<html>not found</html>", std::string::npos},
      {"no block", 200, u8"<p>[edition]=1.0.6.0[/edition]</p>", std::string::npos},
      {"empty edition", 200, announcement(""), std::string::npos},
      {"end of block missing", 200, u8"[--标示开始--][edition]=1.0.6.0[/edition]", std::string::npos},
      {"10 MB without markers", 200, big, std::string::npos},
      {"server closes before the block", 200, big + announcement("1.0.6.0"), 1u << 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DeleteFileA(opened_.c_str());
    e2e::HttpPage page;
    page.status = c.status;
    page.body = c.body;
    page.closeAfter = c.closeAfter;
    e2e::servePage(kBlogHost, kBlogPath, page);
    ASSERT_TRUE(e2e::launch(app));
    e2e::MessageBoxInfo box = expectBox("信息：", kCheckFailed, 1, true);
    answerAndWaitGone(box, IDOK);
    EXPECT_TRUE(e2e::waitNoMessageBox(app.pi.dwProcessId, 1000)) << openBoxes();
    EXPECT_EQ(openedAddresses(false), "");
    e2e::close(app);
  }
}

TEST_F(UpdateCheck, AwkwardPagesStillYieldTheEdition) {
  struct Case {
    const char* name;
    std::string body;
  } cases[] = {
      {"10 MB page, block at the end", std::string(10u << 20, 'x') + announcement("1.0.6.0")},
      {"invalid UTF-8 around the block", "\xFF\xFE\xC3(" + announcement("1.0.6.0") + "\xE2\x82"},
      {"double-byte text right before the markers", u8"中文" + announcement("1.0.6.0")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DeleteFileA(opened_.c_str());
    serve(c.body);
    ASSERT_TRUE(e2e::launch(app));
    e2e::MessageBoxInfo box = expectBox(kNewEditionTitle, firstQuestion("1.0.6.0"), 2, true);
    answerAndWaitGone(box, IDNO);
    box = expectBox(kGroupTitle, kGroupQuestion, 2, true);
    answerAndWaitGone(box, IDNO);
    // Closing while the browser launch is under way can leave Wine's launcher
    // hanging, so the address is awaited first.
    EXPECT_EQ(openedAddresses(true), "http://www.example/download\n");
    e2e::close(app);
  }
}

TEST_F(UpdateCheck, UpdateClickStartsASecondIndependentCheck) {
  serve(announcement("1.0.5.12"));
  ASSERT_TRUE(e2e::launch(app));
  e2e::MessageBoxInfo first = expectBox("信息：", "已经是最新版本", 1, false);
  e2e::clickButtonText(app.window, "更新");
  // Both checks' boxes are open at once; each is answered on its own.
  ASSERT_TRUE(e2e::waitFor([&] { return e2e::topWindows(app.pi.dwProcessId, "#32770").size() == 2; }, kBoxMs))
      << openBoxes();
  answerAndWaitGone(first, IDOK);
  e2e::MessageBoxInfo second = expectBox("信息：", "已经是最新版本", 1, false);
  EXPECT_NE(second.hwnd, first.hwnd);
  answerAndWaitGone(second, IDOK);
  EXPECT_TRUE(e2e::waitNoMessageBox(app.pi.dwProcessId, 1000));
}

TEST_F(UpdateCheck, SilentServerLeavesTheWindowUsableAndCloseEndsAtOnce) {
  e2e::HttpPage silent;
  silent.neverAnswer = true;
  e2e::servePage(kBlogHost, kBlogPath, silent);
  ASSERT_TRUE(e2e::launch(app));
  ASSERT_TRUE(e2e::waitFor([] { return !e2e::httpRequests().empty(); }, 10000));
  // The check waits in the background; the window answers the user.
  e2e::clickButtonText(app.window, "关于");
  e2e::MessageBoxInfo about;
  ASSERT_TRUE(e2e::waitMessageBox(app.pi.dwProcessId, about, 10000, "Tamsik制作"));
  answerAndWaitGone(about, IDOK);
  EXPECT_TRUE(e2e::waitNoMessageBox(app.pi.dwProcessId, 1000)) << openBoxes();
  DWORD before = GetTickCount();
  PostMessageA(app.window, WM_CLOSE, 0, 0);
  EXPECT_EQ(e2e::waitExit(app, 5000), 0u);
  RecordProperty("close_ms", static_cast<int>(GetTickCount() - before));
}

}  // namespace
