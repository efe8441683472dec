// The update check without a network (the host build has none): the one
// report is "网络未接通！", and the worker ends itself.
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "app/shared_state.h"
#include "app/workers.h"
#include "platform/threads.h"
#include "platform/window_host.h"
#include "update/check_for_update.h"

namespace {

struct Shown {
  std::string text, title;
  unsigned flags;
};
std::mutex g_lock;
std::vector<Shown> g_shown;

int record(const std::string& text, unsigned flags, const char* title) {
  std::lock_guard<std::mutex> hold(g_lock);
  g_shown.push_back({text, title, flags});
  return 5;  // Yes, had it been asked
}

TEST(CheckForUpdate, UnreachableNetworkIsTheOnlyReportAndEndsTheWorker) {
  platform::host::setMessageResponder(record);
  // Two checks at once, as the start-up check and a click on "更新" can be.
  onUpdateClicked();
  platform::ThreadHandle first = workerHandle.exchange(nullptr);
  onUpdateClicked();
  platform::ThreadHandle second = workerHandle;
  for (int i = 0; i < 500 && (platform::isThreadRunning(first) || platform::isThreadRunning(second)); i++)
    platform::sleepMs(2);
  EXPECT_FALSE(platform::isThreadRunning(first));
  EXPECT_FALSE(platform::isThreadRunning(second));
  platform::closeThreadHandle(first);
  std::lock_guard<std::mutex> hold(g_lock);
  ASSERT_EQ(g_shown.size(), 2u);
  for (const Shown& s : g_shown) {
    EXPECT_EQ(s.text, "网络未接通！");
    EXPECT_EQ(s.flags, 16u);
    EXPECT_EQ(s.title, "信息：");
  }
  std::lock_guard<std::mutex> holdRecord(versionInfo.lock);
  for (const std::string& field : versionInfo.fields) EXPECT_EQ(field, "");
}

}  // namespace
