// The folder scan on the real exe: a folder dropped from another process or
// chosen in the picker, the rows and their order, the count caption, drops
// that name no folder, and a drop that supersedes a running scan.
#include "e2e/scan_util.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <set>

namespace {

const std::string kBackslashChar = "\x95\x5C";  // second byte 0x5C

std::vector<std::string> paths(HWND list) {
  std::vector<std::string> out;
  for (const std::vector<std::string>& row : e2e::listRows(list)) {
    EXPECT_EQ(row[1], "") << row[0];
    out.push_back(row[0]);
  }
  return out;
}

// Depth first, each folder's own files before anything from its subfolders:
// the rows under any folder form one run that starts with its own files.
void expectDepthFirst(const std::vector<std::string>& rows, const std::string& root) {
  for (const std::string& r : rows) {
    for (size_t cut = r.find('\\', root.size()); cut != std::string::npos; cut = r.find('\\', cut + 1)) {
      std::string folder = r.substr(0, cut + 1);
      std::vector<size_t> at;
      for (size_t i = 0; i < rows.size(); i++)
        if (rows[i].compare(0, folder.size(), folder) == 0) at.push_back(i);
      EXPECT_EQ(at.back() - at.front() + 1, at.size()) << "rows under " << folder << " are not one run";
      bool seenDeeper = false;
      for (size_t i : at) {
        bool direct = rows[i].find('\\', folder.size()) == std::string::npos;
        EXPECT_FALSE(direct && seenDeeper) << rows[i] << " comes after a row of a subfolder";
        seenDeeper |= !direct;
      }
    }
  }
}

// Selects a folder in the picker's tree. The classic picker has an edit box
// on Windows, but Wine's has none, so the selection is made the way the
// picker's own callers do it: BFFM_SETSELECTIONA with the path, which has to
// live in the picker's process.
bool selectInPicker(HWND picker, const std::string& path) {
  DWORD pid = 0;
  GetWindowThreadProcessId(picker, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return false;
  void* remote = VirtualAllocEx(process, nullptr, path.size() + 1, MEM_COMMIT, PAGE_READWRITE);
  bool ok = remote && WriteProcessMemory(process, remote, path.c_str(), path.size() + 1, nullptr);
  if (ok) SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(remote));
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return ok;
}

class Scan : public ::testing::Test {
 protected:
  void SetUp() override {
    tmp = e2e::makeTempDir("scan");
    ASSERT_FALSE(tmp.empty());
  }
  void TearDown() override {
    e2e::close(app);
    e2e::removeTree(tmp);
  }

  // Fonts at several depths, other files, a dot folder, GBK names; the
  // folder itself ends in a character whose second byte is 0x5C.
  std::string makeFontTree(const std::string& name, std::set<std::string>& fonts) {
    std::string root = tmp + "\\" + name;
    for (const std::string& d : {std::string(), std::string("\\sub"), std::string("\\sub\\深"), std::string("\\.git")})
      CreateDirectoryA((root + d).c_str(), nullptr);
    for (const std::string& f : {std::string("\\a.TTF"), std::string("\\.dot.otf"), std::string("\\宋体.ttc"),
                                 std::string("\\readme.txt"), std::string("\\sub\\b.Otf"), std::string("\\sub\\c.fon"),
                                 std::string("\\sub\\深\\") + kBackslashChar + ".ttf", std::string("\\.git\\x.ttf")}) {
      e2e::writeFile(root + f, "x");
      if (f.find(".git") == std::string::npos && (f.find(".txt") == std::string::npos) &&
          f.find(".fon") == std::string::npos)
        fonts.insert(root + f);
    }
    return root;
  }

  HWND waitPicker() {
    HWND picker = nullptr;
    e2e::waitFor(
        [&] {
          for (HWND h : e2e::topWindows(app.pi.dwProcessId, "#32770"))
            if (e2e::childByText(h, "Static", "选择目录")) picker = h;
          return picker != nullptr;
        },
        10000);
    return picker;
  }

  e2e::App app;
  std::string tmp;
};

TEST_F(Scan, DroppedFolderListsEveryFontInOrder) {
  std::set<std::string> fonts;
  std::string root = makeFontTree("字体" + kBackslashChar, fonts);
  ASSERT_TRUE(e2e::launch(app));
  e2e::dropPaths(app.window, {root});
  ASSERT_EQ(e2e::waitScanCount(app.window, 20000), 5);
  EXPECT_EQ(e2e::text(app.window), e2e::countCaption(5));
  std::vector<std::string> rows = paths(app.list);
  EXPECT_EQ(std::set<std::string>(rows.begin(), rows.end()), fonts);
  expectDepthFirst(rows, root + "\\");
}

TEST_F(Scan, FolderChosenInThePickerOrThePickerCancelled) {
  // A copy of the exe with fonts around it: a cancelled picker scans there.
  std::string home = tmp + "\\home";
  CreateDirectoryA(home.c_str(), nullptr);
  CreateDirectoryA((home + "\\fonts").c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(e2e::vornelExe().c_str(), (home + "\\vornel.exe").c_str(), FALSE));
  e2e::writeFile(home + "\\fonts\\own.ttf", "x");
  std::set<std::string> fonts;
  std::string chosen = makeFontTree("chosen", fonts);
  ASSERT_TRUE(e2e::launch(app, home + "\\vornel.exe"));

  e2e::clickButtonText(app.window, "浏览");
  HWND picker = waitPicker();
  ASSERT_NE(picker, nullptr);
  EXPECT_FALSE(IsWindowEnabled(app.window)) << "the picker is not modal";
  // The picker may still be filling its tree when it first shows, and that
  // can take the selection back: select, let it settle, select again.
  ASSERT_TRUE(selectInPicker(picker, chosen));
  Sleep(300);
  ASSERT_TRUE(selectInPicker(picker, chosen));
  e2e::click(GetDlgItem(picker, IDOK));
  ASSERT_EQ(e2e::waitScanCount(app.window, 20000), 5);
  std::vector<std::string> rows = paths(app.list);
  EXPECT_EQ(std::set<std::string>(rows.begin(), rows.end()), fonts);
  expectDepthFirst(rows, chosen + "\\");
  EXPECT_TRUE(IsWindowEnabled(app.window));
  EXPECT_EQ(GetForegroundWindow(), app.window);

  SetWindowTextA(app.window, "");  // so the next count is this scan's own
  e2e::clickButtonText(app.window, "浏览");
  picker = waitPicker();
  ASSERT_NE(picker, nullptr);
  e2e::click(GetDlgItem(picker, IDCANCEL));
  ASSERT_EQ(e2e::waitScanCount(app.window, 20000), 1);
  EXPECT_EQ(paths(app.list), std::vector<std::string>{home + "\\fonts\\own.ttf"});
  EXPECT_TRUE(IsWindowEnabled(app.window));
}

TEST_F(Scan, DropsThatNameNoFolderEmptyTheList) {
  std::set<std::string> fonts;
  std::string a = makeFontTree("a", fonts);
  std::string b = makeFontTree("b", fonts);
  ASSERT_TRUE(e2e::launch(app));
  const std::vector<std::string> drops[] = {{a + "\\a.TTF"}, {a, b}};
  for (const std::vector<std::string>& drop : drops) {
    SCOPED_TRACE(drop[0]);
    e2e::dropPaths(app.window, {a});
    ASSERT_EQ(e2e::waitScanCount(app.window, 20000), 5);
    SetWindowTextA(app.window, "");
    e2e::dropPaths(app.window, drop);
    EXPECT_EQ(e2e::waitScanCount(app.window, 20000), 0);
    EXPECT_EQ(e2e::text(app.window), e2e::countCaption(0));
    EXPECT_TRUE(paths(app.list).empty());
  }
}

TEST_F(Scan, ASecondDropSupersedesARunningScan) {
  std::string big = tmp + "\\big";
  int bigFonts = e2e::makeFlatTree(big, 400, 24000, 20);
  std::set<std::string> fonts;
  std::string small = makeFontTree("small", fonts);
  ASSERT_TRUE(e2e::launch(app));

  // How long the big scan takes alone, so the wait below covers it.
  DWORD start = GetTickCount();
  e2e::dropPaths(app.window, {big});
  ASSERT_EQ(e2e::waitScanCount(app.window, 120000), bigFonts);
  DWORD alone = GetTickCount() - start;

  e2e::dropPaths(app.window, {big});
  ASSERT_EQ(e2e::text(app.window), e2e::kSearchingCaption) << "the big scan ended before the second drop";
  e2e::dropPaths(app.window, {small});
  ASSERT_EQ(e2e::waitScanCount(app.window, 20000), 5);
  // Long after the superseded scan would have finished, only the newest
  // scan's rows and count are there.
  Sleep(alone * 2);
  EXPECT_EQ(e2e::text(app.window), e2e::countCaption(5));
  std::vector<std::string> rows = paths(app.list);
  EXPECT_EQ(std::set<std::string>(rows.begin(), rows.end()), fonts);
  EXPECT_EQ(rows.size(), 5u);
}

}  // namespace
