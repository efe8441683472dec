// findFiles over the real FindFirstFileA/FindNextFileA: GBK names, a
// character whose second byte is 0x5C, hidden files, the path limit, folder
// links, and the message dispatch of the calling thread.
#include <windows.h>
#include <gtest/gtest.h>

#include "e2e/e2e_util.h"

#include <set>
#include <string>
#include <vector>

#include "discovery/find_files.h"

namespace {

// 0x955C is one character whose second byte is a backslash; 宋体 is plain GBK.
const std::string kBackslashChar = "\x95\x5C";
const std::string kSong = "宋体";

using e2e::runUnix;

// Looks through the wide functions, which take paths past the ANSI limit.
bool waitExists(const std::string& path) {
  std::wstring wide(path.size() + 1, L'\0');
  wide.resize(MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], static_cast<int>(wide.size())) - 1);
  wide = L"\\\\?\\" + wide;
  for (int i = 0; i < 500; i++) {
    if (GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    Sleep(10);
  }
  return false;
}

// A fixture folder under /tmp, reached as Z:\tmp\... so the Unix side can
// add links and remove everything, long paths and links included.
class Tree : public ::testing::Test {
 protected:
  void SetUp() override {
    static int serial = 0;
    unixRoot = "/tmp/vornel-find-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(serial++);
    root = "Z:" + unixRoot;
    for (char& c : root)
      if (c == '/') c = '\\';
    ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr));
  }
  void TearDown() override { runUnix("/bin/rm", "-rf " + unixRoot); }

  bool dir(const std::string& relative) { return CreateDirectoryA((root + "\\" + relative).c_str(), nullptr); }
  bool file(const std::string& relative) {
    HANDLE h = CreateFileA((root + "\\" + relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
  }
  std::string at(const std::string& relative) { return root + "\\" + relative; }

  std::string unixRoot, root;
};

std::set<std::string> asSet(const std::vector<std::string>& v) { return std::set<std::string>(v.begin(), v.end()); }

TEST_F(Tree, GbkNamesHiddenFilesAndUpperCaseEndings) {
  const std::string odd = kBackslashChar;              // a folder named by that one character
  const std::string deep = odd + "\\" + kSong + "\\";  // and a GBK folder inside it
  ASSERT_TRUE(dir(odd));
  ASSERT_TRUE(dir(odd + "\\" + kSong));
  ASSERT_TRUE(dir(".git"));
  ASSERT_TRUE(dir("hidden"));
  for (const std::string& f : {kSong + ".TTF", kBackslashChar + ".otf", std::string("UPPER.TTC"), std::string(".dot.ttf"),
                               std::string("sys.Ttf"), std::string("readme.txt"), std::string("a.ttf.bak"),
                               odd + "\\" + kBackslashChar + kBackslashChar + ".ttf", deep + "x.oTf", deep + "y.fon",
                               std::string(".git\\z.ttf"), std::string("hidden\\h.ttf")})
    ASSERT_TRUE(file(f)) << f;
  SetFileAttributesA(at("sys.Ttf").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  SetFileAttributesA(at("hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
  // Wine reports a name that starts with a dot as hidden.
  EXPECT_TRUE(GetFileAttributesA(at(".dot.ttf").c_str()) & FILE_ATTRIBUTE_HIDDEN);

  std::string folder = at(odd);  // ends in 0x5C as a second byte: it still needs its separator
  std::vector<std::string> results;
  EXPECT_EQ(findFiles(folder, ".ttf|.otf|.ttc", results, 0, false, true), 2);
  EXPECT_EQ(folder, at(odd) + "\\");
  EXPECT_EQ(results, (std::vector<std::string>{at(odd + "\\" + kBackslashChar + kBackslashChar + ".ttf"),
                                               at(deep + "x.oTf")}));

  folder = root;
  results.clear();
  EXPECT_EQ(findFiles(folder, ".ttf|.otf|.ttc", results, 0, true, true), 11);
  EXPECT_EQ(asSet(results),
            (std::set<std::string>{at(kSong + ".TTF"), at(kBackslashChar + ".otf"), at("UPPER.TTC"), at(".dot.ttf"),
                                   at("sys.Ttf"), at(odd), at(odd + "\\" + kSong), at(odd + "\\" + kBackslashChar +
                                   kBackslashChar + ".ttf"), at(deep + "x.oTf"), at("hidden"), at("hidden\\h.ttf")}) );
}

TEST_F(Tree, FolderAtThePathLimit) {
  // A "<folder>\*.*" pattern of 260 bytes, the whole MAX_PATH buffer but
  // its terminator, can still be listed; one of 261 cannot.
  std::string fits = root;
  while (fits.size() + 41 + 2 <= 256) fits += "\\" + std::string(40, 'd');
  fits += "\\" + std::string(256 - fits.size() - 1, 'd');
  ASSERT_EQ(fits.size() + 4, 260u);
  const std::string tooLong[] = {fits + "x", fits + "\\e"};  // patterns of 261 and 262 bytes
  auto unixOf = [&](const std::string& folder) {
    std::string u = unixRoot + folder.substr(root.size());
    for (char& c : u)
      if (c == '\\') c = '/';
    return u;
  };
  for (const std::string& f : {tooLong[0], tooLong[1]}) {
    runUnix("/bin/mkdir", "-p " + unixOf(f));
    ASSERT_TRUE(waitExists(f));
    runUnix("/bin/touch", unixOf(f) + "/out.ttf");
  }
  runUnix("/bin/touch", unixOf(fits) + "/in.ttf");
  for (const std::string& f : {fits + "\\in.ttf", tooLong[0] + "\\out.ttf", tooLong[1] + "\\out.ttf"})
    ASSERT_TRUE(waitExists(f)) << f;

  std::string folder = root;
  std::vector<std::string> results;
  EXPECT_EQ(findFiles(folder, ".ttf", results, 0, false, true), 1);
  EXPECT_EQ(results, std::vector<std::string>{fits + "\\in.ttf"});
}

TEST_F(Tree, LinkToAnAncestorIsFollowedUntilThePathLimit) {
  // Deep enough that the path limit, not the system's limit of 40 links in
  // one path, ends the descent.
  // The folder text comes to 196 bytes, where a limit one byte lower would
  // end the descent one level earlier.
  const std::string base = std::string(196 - root.size() - 1, 'b');
  ASSERT_TRUE(dir(base));
  ASSERT_TRUE(file(base + "\\f.ttf"));
  runUnix("/bin/ln", "-s " + unixRoot + "/" + base + " " + unixRoot + "/" + base + "/L");
  ASSERT_TRUE(waitExists(at(base + "\\L")));
  std::string folder = root;
  std::vector<std::string> results;
  // Level k is base\L\...\L\ (k links); it is listed while its "*.*" pattern fits in 260 bytes.
  int levels = static_cast<int>((260 - (at(base).size() + 1) - 3) / 2) + 1;
  ASSERT_EQ(levels, 31);
  EXPECT_EQ(findFiles(folder, ".ttf", results, 1, false, true), levels);
}

// The calling thread's messages are dispatched once per file entry; a
// waiting WM_QUIT stays queued, and folders alone dispatch nothing.
int g_seen = 0;
LRESULT CALLBACK countingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_APP) g_seen++;
  return DefWindowProcA(hwnd, msg, wp, lp);
}

TEST_F(Tree, DispatchesMessagesButLeavesQuit) {
  ASSERT_TRUE(dir("onlyFolders"));
  ASSERT_TRUE(dir("onlyFolders\\sub"));
  ASSERT_TRUE(file("one.txt"));
  WNDCLASSA wc = {};
  wc.lpfnWndProc = countingProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "findFilesCounter";
  RegisterClassA(&wc);
  HWND w = CreateWindowA("findFilesCounter", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(w, nullptr);

  g_seen = 0;
  PostMessageA(w, WM_APP, 0, 0);
  PostMessageA(w, WM_APP, 0, 0);
  std::string folder = at("onlyFolders");
  std::vector<std::string> results;
  findFiles(folder, nullptr, results, 0, true, false);
  EXPECT_EQ(g_seen, 0) << "messages were dispatched in the folder pass";

  PostQuitMessage(0);
  folder = root;
  findFiles(folder, nullptr, results, 0, false, false);
  EXPECT_EQ(g_seen, 2);
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  DestroyWindow(w);
}

}  // namespace
