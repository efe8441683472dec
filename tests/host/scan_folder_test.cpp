// The folder scan through the host stand-in window: Browse, drops, the
// caption, the rows, and a scan that supersedes a running one.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <set>

#include "app/exe_location.h"
#include "app/shared_state.h"
#include "discovery/scan_folder.h"
#include "platform/folder_picker.h"
#include "platform/threads.h"
#include "platform/window_host.h"

namespace {

const char kSearching[] = "正在搜索,请稍后......";

std::string countCaption(int n) { return "一共搜索到：" + std::to_string(n) + "个字体文件"; }

std::string windowsStyle(std::string p) {
  std::replace(p.begin(), p.end(), '/', '\\');
  return p;
}

void touch(const std::string& posixPath) { fclose(fopen(posixPath.c_str(), "w")); }

class Scan : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    platform::MainWindowArgs a;
    a.buttons[0].clicked = onBrowseClicked;
    a.gotFiles = onFilesDropped;
    a.created = [] {
      platform::registerDropTarget();
      platform::setAcceptFiles(true);
    };
    platform::createMainWindow(a);
  }
  void SetUp() override {
    platform::host::reset();
    char tmpl[] = "/tmp/vornel-scan-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    posixRoot = tmpl;
  }
  void TearDown() override { system(("rm -rf '" + posixRoot + "'").c_str()); }

  // A folder with files and subfolders, made under the test's root.
  std::string makeTree(const std::string& name, std::initializer_list<const char*> entries) {
    std::string base = posixRoot + "/" + name;
    mkdir(base.c_str(), 0755);
    for (const char* e : entries) {
      std::string p = base + "/" + e;
      if (p.back() == '/')
        mkdir(p.c_str(), 0755);
      else
        touch(p);
    }
    return windowsStyle(base);
  }

  static bool waitCaptionNot(const std::string& caption) {
    for (int i = 0; i < 2000; i++) {
      if (platform::host::caption() != caption) return true;
      platform::sleepMs(5);
    }
    return false;
  }

  // Waits until no search has dispatched for a while: every scan is done.
  static void waitSearchesIdle() {
    long last = -1;
    while (platform::host::dispatchCount() != last) {
      last = platform::host::dispatchCount();
      platform::sleepMs(300);
    }
  }

  static std::vector<std::string> rows() {
    std::vector<std::string> out;
    for (int i = 0; i < platform::rowCount(); i++) {
      EXPECT_EQ(platform::cellText(i, 1), "");
      out.push_back(platform::cellText(i, 0));
    }
    return out;
  }

  std::string posixRoot;
};

TEST_F(Scan, DropListsEveryFontUnderTheFolder) {
  std::string root = makeTree("fonts", {"a.TTF", ".b.otf", "readme.txt", "sub/", "sub/c.ttc", "sub/deep/",
                                        "sub/deep/d.Otf", ".hidden/", ".hidden/e.ttf"});
  platform::host::dropFiles(root.c_str());
  EXPECT_EQ(currentPath.copy(), root);
  ASSERT_TRUE(waitCaptionNot(kSearching));
  EXPECT_EQ(platform::host::caption(), countCaption(4));
  std::vector<std::string> got = rows();
  ASSERT_EQ(got.size(), 4u);
  // Files of the folder itself first, then the subfolder depth first.
  EXPECT_EQ((std::set<std::string>{got[0], got[1]}), (std::set<std::string>{root + "\\a.TTF", root + "\\.b.otf"}));
  EXPECT_EQ(got[2], root + "\\sub\\c.ttc");
  EXPECT_EQ(got[3], root + "\\sub\\deep\\d.Otf");
}

TEST_F(Scan, BrowseScansThePickedFolderOrTheProgramsOwn) {
  std::string root = makeTree("picked", {"x.ttf"});
  platform::host::setPickedFolder(root);
  platform::host::clickButton(0);
  ASSERT_TRUE(waitCaptionNot(kSearching));
  EXPECT_EQ(platform::host::lastPickerTitle(), "选择目录");
  EXPECT_EQ(currentPath.copy(), root);
  EXPECT_EQ(rows(), std::vector<std::string>{root + "\\x.ttf"});
  EXPECT_EQ(platform::host::caption(), countCaption(1));

  // Cancelled: the folder that holds the program is searched instead.
  platform::host::setPickedFolder("");
  platform::host::clickButton(0);
  ASSERT_TRUE(waitCaptionNot(kSearching));
  EXPECT_EQ(currentPath.copy(), "");
  std::vector<std::string> got = rows();
  EXPECT_EQ(platform::host::caption(), countCaption(static_cast<int>(got.size())));
  for (const std::string& r : got) EXPECT_EQ(r.compare(0, runDirectory().size() + 1, runDirectory() + "\\"), 0) << r;
}

TEST_F(Scan, DropsThatNameNoFolderEmptyTheList) {
  std::string a = makeTree("a", {"one.ttf"});
  std::string b = makeTree("b", {"two.ttf"});
  const std::string drops[] = {a + "\\one.ttf", a + "\r\n" + b + "\r\n", posixRoot + "/missing"};
  for (const std::string& drop : drops) {
    SCOPED_TRACE(drop);
    platform::host::dropFiles(a.c_str());
    ASSERT_TRUE(waitCaptionNot(kSearching));
    ASSERT_EQ(platform::rowCount(), 1);
    platform::host::dropFiles(drop.c_str());
    ASSERT_TRUE(waitCaptionNot(kSearching));
    EXPECT_EQ(platform::rowCount(), 0);
    EXPECT_EQ(platform::host::caption(), countCaption(0));
  }
}

TEST_F(Scan, ANewScanSupersedesARunningOne) {
  // Big enough that its search is still running when the second drop comes.
  const int folders = 400, filesEach = 50;
  std::string big = makeTree("big", {});
  for (int f = 0; f < folders; f++) {
    std::string dir = posixRoot + "/big/d" + std::to_string(f);
    mkdir(dir.c_str(), 0755);
    for (int i = 0; i < filesEach; i++) touch(dir + "/f" + std::to_string(i) + ".ttf");
  }
  std::string small = makeTree("small", {"only.otf"});

  waitSearchesIdle();
  long before = platform::host::dispatchCount();
  platform::host::dropFiles(big.c_str());
  while (platform::host::dispatchCount() - before < 100) platform::sleepMs(1);
  platform::host::dropFiles(small.c_str());
  ASSERT_TRUE(waitCaptionNot(kSearching));
  waitSearchesIdle();
  // Only the newest scan's rows and count, once every search is over; the
  // superseded one stopped early.
  EXPECT_EQ(rows(), std::vector<std::string>{small + "\\only.otf"});
  EXPECT_EQ(platform::host::caption(), countCaption(1));
  EXPECT_LT(platform::host::dispatchCount() - before, folders * filesEach);
}

}  // namespace
