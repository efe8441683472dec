// The install queue, the single-font worker and the timer's hand-over,
// natively over the host stand-ins of the window and the font table.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include "app/shared_state.h"
#include "discovery/scan_folder.h"
#include "install/install_queue.h"
#include "platform/fonts_host.h"
#include "platform/threads.h"
#include "platform/window_host.h"

namespace {

const char kDone[] = "安装完成";
const char kRunning[] = "正在安装字体，请等这次安装结束后再试。";
const char kScanRefused[] = "正在安装字体，请等安装完成后再搜索。";

// --- what the stand-ins report -------------------------------------------

std::mutex g_lock;
std::condition_variable g_changed;
std::vector<std::string> g_messages;  // every box shown, in order
std::vector<std::string> g_installs;  // every path handed to the font table
std::string g_statusAtDone;           // a double-click's row status when its box came
std::atomic<int> g_doubleClickRow{-1};
bool g_holdInstalls = false;          // installs wait until this is false
bool g_holdDoneBox = false;           // "安装完成" waits until this is false
std::atomic<int> g_slowInstallMs{0};
std::atomic<bool> g_ticksLive{true};
std::atomic<int> g_ticks{0};

int respond(const std::string& text, unsigned, const char*) {
  std::string status = g_doubleClickRow >= 0 ? platform::cellText(g_doubleClickRow, 1) : std::string();
  std::unique_lock<std::mutex> hold(g_lock);
  g_statusAtDone = status;
  g_messages.push_back(text);
  g_changed.notify_all();
  if (text == kDone) g_changed.wait(hold, [] { return !g_holdDoneBox; });
  return 0;
}

void onAddFont(const std::string& path) {
  std::unique_lock<std::mutex> hold(g_lock);
  g_installs.push_back(path);
  g_changed.notify_all();
  g_changed.wait(hold, [] { return !g_holdInstalls; });
  hold.unlock();
  if (g_slowInstallMs > 0) platform::sleepMs(g_slowInstallMs);
}

void tickHandler() {
  ++g_ticks;
  if (g_ticksLive) onInstallTimerTick();
}

template <class Pred>
bool waitFor(Pred pred, int ms = 10000) {
  std::unique_lock<std::mutex> hold(g_lock);
  return g_changed.wait_for(hold, std::chrono::milliseconds(ms), pred);
}

void setHolds(bool installs, bool doneBox) {
  std::lock_guard<std::mutex> hold(g_lock);
  g_holdInstalls = installs;
  g_holdDoneBox = doneBox;
  g_changed.notify_all();
}

std::vector<std::string> messages() {
  std::lock_guard<std::mutex> hold(g_lock);
  return g_messages;
}

void runOnUi(void (*fn)()) {
  platform::runOnUiThread([](void* f) { reinterpret_cast<void (*)()>(f)(); }, reinterpret_cast<void*>(fn));
}

bool inFlight() {
  static bool answer;
  runOnUi([] { answer = installInFlight(); });
  return answer;
}

bool settle() {
  for (int i = 0; i < 1000 && inFlight(); i++) platform::sleepMs(5);
  return !inFlight();
}

// --- fixtures --------------------------------------------------------------

std::string makeTempDir() {
  char pattern[] = "/tmp/vornel-install-XXXXXX";
  return mkdtemp(pattern);
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const std::string kTrueType("\x00\x01\x00\x00" "font body", 13);
const std::string kNotAFont = "plain text";

class InstallQueue : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    platform::MainWindowArgs a;
    a.buttons[1].clicked = onInstallClicked;
    a.gotFiles = onFilesDropped;
    a.listDoubleClicked = onFontListDoubleClicked;
    a.timerTick = tickHandler;
    platform::createMainWindow(a);
    platform::host::setMessageResponder(respond);
  }

  void SetUp() override {
    ASSERT_TRUE(settle());
    platform::host::reset();
    platform::host::resetFonts();
    {
      std::lock_guard<std::mutex> hold(g_lock);
      g_messages.clear();
      g_installs.clear();
      g_statusAtDone.clear();
    }
    g_doubleClickRow = -1;
    setHolds(false, false);
    g_slowInstallMs = 0;
    g_ticksLive = true;
    g_ticks = 0;
    installPending = 0;
    queueCounter = 0;
    root = makeTempDir();
    fonts = root + "/fonts";
    ASSERT_EQ(mkdir(fonts.c_str(), 0755), 0);
    platform::host::setFontsFolder(fonts);
    platform::host::setAddFontHook(onAddFont);
  }

  void TearDown() override {
    setHolds(false, false);
    g_ticksLive = true;
    EXPECT_TRUE(settle());
    EXPECT_EQ(installPending, 0);
    EXPECT_EQ(system(("rm -rf " + root).c_str()), 0);
  }

  // A source file as a row of the font list; gives its path.
  std::string addFontRow(const std::string& name, const std::string& bytes = kTrueType) {
    std::string path = root + "/" + name;
    writeFile(path, bytes);
    platform::addRow(path);
    return path;
  }

  std::string root, fonts;
};

TEST_F(InstallQueue, EmptyListShowsDoneAtOnceAndNeverStartsTheTimer) {
  platform::host::clickButton(1);
  ASSERT_TRUE(waitFor([] { return !g_messages.empty(); }));
  EXPECT_TRUE(settle());
  EXPECT_EQ(messages(), std::vector<std::string>{kDone});
  EXPECT_EQ(platform::host::timerPeriod(), 0);
  EXPECT_EQ(g_ticks, 0);
  EXPECT_EQ(queueCounter, 0);
}

TEST_F(InstallQueue, RowsAreInstalledOnceEachInRowOrderAndMarkedByOutcome) {
  writeFile(fonts + "/taken.ttf", "older copy");
  std::vector<std::string> rows;
  rows.push_back(addFontRow("a.ttf"));
  rows.push_back(addFontRow("taken.ttf"));
  rows.push_back(addFontRow("notes.ttf", kNotAFont));
  rows.push_back(addFontRow("b.ttf"));
  rows.push_back(root + "/missing.ttf");
  platform::addRow(rows.back());
  rows.push_back(addFontRow("c.ttf"));
  // Slow installs keep the queue waiting through several ticks: none of them
  // may start the same font a second time.
  g_slowInstallMs = 250;
  platform::host::clickButton(1);
  ASSERT_TRUE(waitFor([] { return !g_messages.empty(); }, 20000));
  EXPECT_TRUE(settle());  // the last worker may still be marking its row
  EXPECT_EQ(messages(), std::vector<std::string>{kDone});

  // The font table saw each openable, copied file once, in row order.
  std::vector<std::string> tableCalls = {rows[0], rows[2], rows[3], rows[5]};
  {
    std::lock_guard<std::mutex> hold(g_lock);
    EXPECT_EQ(g_installs, tableCalls);
  }
  const char* status[] = {"完成", "已存在", "失败", "完成", "失败", "完成"};
  for (int row = 0; row < 6; row++) EXPECT_EQ(platform::cellText(row, 1), status[row]) << "row " << row;
  EXPECT_EQ(readFile(fonts + "/taken.ttf"), "older copy");
  EXPECT_EQ(readFile(fonts + "/a.ttf"), kTrueType);
  EXPECT_EQ(queueCounter, 6);
  EXPECT_GT(g_ticks, 0);
  // The tick that resumed the queue for the last row stopped the timer.
  EXPECT_EQ(platform::host::timerPeriod(), 0);
}

TEST_F(InstallQueue, AResumeBeforeTheWaitIsNotLost) {
  addFontRow("a.ttf");
  // Ticks reach the handler only when this test calls it, so a lost resume
  // would leave the queue waiting for ever.
  g_ticksLive = false;
  setHolds(true, false);
  static long entries;
  // The queue is stopped twice: at its first list read, then, with the path
  // lock held here, right after its last read before the flag test.
  currentPath.lock.lock();
  runOnUi([] {
    entries = platform::host::uiEntries();
    platform::host::clickButton(1);
    while (platform::host::waitingForUi() == 0) platform::sleepMs(1);
    entries = platform::host::uiEntries();
  });
  // rowCount and cellText, then it waits for the path lock.
  while (platform::host::uiEntries() < entries + 2) platform::sleepMs(1);
  runOnUi([] {
    // With the user-interface thread held, the queue finds the flag set (the
    // font is held in progress) and stops in the timer start, between its
    // test and its wait. There the worker finishes and a tick resumes it.
    currentPath.lock.unlock();
    while (platform::host::waitingForUi() == 0 || g_installs.size() != 1) platform::sleepMs(1);
    ASSERT_EQ(installPending, 1);
    ASSERT_EQ(platform::host::timerPeriod(), 0);
    setHolds(false, false);
    while (installPending != 0) platform::sleepMs(1);
    onInstallTimerTick();
  });
  ASSERT_TRUE(waitFor([] { return !g_messages.empty(); }, 5000)) << "the resume was lost";
  EXPECT_EQ(messages(), std::vector<std::string>{kDone});
  g_ticksLive = true;  // lets the timer the queue started stop itself
  EXPECT_TRUE(settle());
  EXPECT_EQ(platform::cellText(0, 1), "完成");
}

TEST_F(InstallQueue, ARowGoneWhenTheQueueReachesItInstallsNothing) {
  std::string first = addFontRow("a.ttf");
  addFontRow("b.ttf");
  setHolds(true, false);
  platform::host::clickButton(1);
  ASSERT_TRUE(waitFor([] { return g_installs.size() == 1; }));
  platform::clearRows();
  setHolds(false, false);
  ASSERT_TRUE(waitFor([] { return !g_messages.empty(); }));
  std::lock_guard<std::mutex> hold(g_lock);
  EXPECT_EQ(g_installs, std::vector<std::string>{first});
  EXPECT_EQ(readFile(fonts + "/b.ttf"), "");
  EXPECT_EQ(platform::rowCount(), 0);
}

TEST_F(InstallQueue, InstallClickWhileAQueueExistsIsIgnored) {
  addFontRow("a.ttf");
  setHolds(true, true);
  platform::host::clickButton(1);
  ASSERT_TRUE(waitFor([] { return g_installs.size() == 1; }));
  platform::ThreadHandle queue = queueHandle;
  platform::host::clickButton(1);  // while a font is in progress
  EXPECT_EQ(queueHandle.load(), queue);
  setHolds(false, true);
  ASSERT_TRUE(waitFor([] { return !g_messages.empty(); }));
  platform::host::clickButton(1);  // while "安装完成" is open
  EXPECT_EQ(queueHandle.load(), queue);
  setHolds(false, false);
  EXPECT_TRUE(settle());
  EXPECT_EQ(messages(), std::vector<std::string>{kDone});
  std::lock_guard<std::mutex> hold(g_lock);
  EXPECT_EQ(g_installs.size(), 1u);
}

TEST_F(InstallQueue, TickRestartsAFontThatNoWorkerIsInstalling) {
  std::string path = addFontRow("a.ttf");
  // As after a worker that could not be started.
  currentRow = 0;
  currentPath.store(path);
  installPending = 1;
  runOnUi(onInstallTimerTick);
  ASSERT_TRUE(waitFor([] { return !g_installs.empty(); }));
  EXPECT_TRUE(settle());
  EXPECT_EQ(installPending, 0);
  EXPECT_EQ(platform::cellText(0, 1), "完成");
}

// --- the double-click --------------------------------------------------------

TEST_F(InstallQueue, DoubleClickTellsHowTheInstallWent) {
  writeFile(fonts + "/taken.ttf", "older copy");
  addFontRow("a.ttf");
  addFontRow("taken.ttf");
  addFontRow("notes.ttf", kNotAFont);
  struct Case {
    int row;
    const char* message;
    const char* status;
  } cases[] = {{0, "安装完成", "完成"}, {1, "已存在", "已存在"}, {2, "失败", "失败"}, {0, "已存在", "已存在"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    {
      std::lock_guard<std::mutex> hold(g_lock);
      g_messages.clear();
      g_statusAtDone.clear();
    }
    g_doubleClickRow = c.row;
    platform::host::selectRow(c.row);
    platform::host::doubleClickList();
    ASSERT_TRUE(waitFor([] { return !g_messages.empty(); }));
    EXPECT_TRUE(settle());
    EXPECT_EQ(messages(), std::vector<std::string>{c.message});
    // The box came after the row was marked, not before the install.
    std::lock_guard<std::mutex> hold(g_lock);
    EXPECT_EQ(g_statusAtDone, c.status);
  }
  EXPECT_EQ(readFile(fonts + "/taken.ttf"), "older copy");
  EXPECT_EQ(platform::host::fontChangeBroadcasts(), 1);
}

TEST_F(InstallQueue, DoubleClickWithNoSelectedRowDoesNothing) {
  addFontRow("a.ttf");
  currentPath.store("kept");
  currentRow = 7;
  platform::host::doubleClickList();
  EXPECT_FALSE(inFlight());
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(currentPath.copy(), "kept");
  EXPECT_EQ(currentRow, 7);
  EXPECT_EQ(platform::cellText(0, 1), "");
  std::lock_guard<std::mutex> hold(g_lock);
  EXPECT_TRUE(g_installs.empty());
}

TEST_F(InstallQueue, DoubleClickDuringAnInstallLeavesItAlone) {
  std::string first = addFontRow("a.ttf");
  std::string second = addFontRow("b.ttf");
  platform::host::selectRow(1);
  // Once with the queue at work, once with another double-click's worker.
  for (bool byQueue : {true, false}) {
    SCOPED_TRACE(byQueue ? "queue" : "single font");
    {
      std::lock_guard<std::mutex> hold(g_lock);
      g_messages.clear();
      g_installs.clear();
    }
    ASSERT_EQ(system(("rm -f " + fonts + "/*").c_str()), 0);
    setHolds(true, false);
    if (byQueue) {
      platform::host::clickButton(1);
    } else {
      platform::host::selectRow(0);
      platform::host::doubleClickList();
      platform::host::selectRow(1);
    }
    ASSERT_TRUE(waitFor([] { return g_installs.size() == 1; }));
    std::string path = currentPath.copy();
    int row = currentRow, pending = installPending;
    platform::ThreadHandle worker = workerHandle;

    platform::host::doubleClickList();
    ASSERT_TRUE(waitFor([] { return !g_messages.empty(); }));
    EXPECT_EQ(messages(), std::vector<std::string>{kRunning});
    EXPECT_EQ(currentPath.copy(), path);
    EXPECT_EQ(currentRow, row);
    EXPECT_EQ(installPending, pending);
    EXPECT_EQ(workerHandle.load(), worker);
    if (!byQueue) {
      platform::host::clickButton(1);  // no queue beside a running install either
      EXPECT_FALSE(platform::isThreadRunning(queueHandle));
    }
    setHolds(false, false);
    EXPECT_TRUE(settle());
    std::lock_guard<std::mutex> hold(g_lock);
    std::vector<std::string> expected = {first};
    if (byQueue) expected.push_back(second);
    EXPECT_EQ(g_installs, expected);
    EXPECT_EQ(g_messages.size(), 2u);
    EXPECT_EQ(g_messages.back(), kDone);
  }
}

TEST_F(InstallQueue, ScanDuringAnInstallIsRefusedAndLeavesItAlone) {
  std::string first = addFontRow("a.ttf");
  addFontRow("b.ttf");
  platform::setAcceptFiles(true);
  platform::registerDropTarget();
  setHolds(true, false);
  platform::host::clickButton(1);
  ASSERT_TRUE(waitFor([] { return g_installs.size() == 1; }));
  std::string caption = platform::host::caption();

  platform::host::dropFiles(root.c_str());
  ASSERT_TRUE(waitFor([] { return !g_messages.empty(); }));
  EXPECT_EQ(messages(), std::vector<std::string>{kScanRefused});
  EXPECT_EQ(currentPath.copy(), first);
  EXPECT_EQ(platform::rowCount(), 2);
  EXPECT_EQ(platform::cellText(0, 0), first);
  EXPECT_EQ(platform::host::caption(), caption);

  setHolds(false, false);
  EXPECT_TRUE(settle());
  EXPECT_EQ(platform::cellText(1, 1), "完成");
  EXPECT_EQ(messages().back(), kDone);
}

}  // namespace
