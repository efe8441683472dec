// The worker model: handles kept, the queue thread's wait and release.
#include <gtest/gtest.h>

#include <atomic>

#include "app/shared_state.h"
#include "app/workers.h"
#include "platform/threads.h"

namespace {

std::atomic<int> g_stage{0};

void waitTwice() {
  suspendQueue();
  g_stage = 1;
  suspendQueue();
  g_stage = 2;
}

bool waitUntil(int stage) {
  for (int i = 0; i < 500 && g_stage != stage; i++) platform::sleepMs(2);
  return g_stage == stage;
}

void blockUntilStageThree() {
  while (g_stage != 3) platform::sleepMs(1);
}

TEST(Workers, StartWorkerKeepsTheLastHandle) {
  g_stage = 0;
  ASSERT_TRUE(startWorker(blockUntilStageThree));
  platform::ThreadHandle first = workerHandle;
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(platform::isThreadRunning(first));
  ASSERT_TRUE(startWorker([] {}));
  EXPECT_NE(workerHandle.load(), first);
  g_stage = 3;
}

TEST(Workers, EndCurrentWorkerEndsOnlyTheCaller) {
  static std::atomic<bool> after{false};
  ASSERT_TRUE(startWorker([] {
    endCurrentWorker();
  }));
  platform::ThreadHandle h = workerHandle;
  for (int i = 0; i < 500 && platform::isThreadRunning(h); i++) platform::sleepMs(2);
  EXPECT_FALSE(platform::isThreadRunning(h));
  EXPECT_FALSE(after);
}

TEST(Workers, ResumeBeforeTheWaitIsKeptButOnlyOnce) {
  g_stage = 0;
  // The queue thread is created with its mark clear, and a resume that comes
  // before the wait lets that wait pass at once.
  ASSERT_TRUE(startQueueThread(waitTwice));
  resumeQueue();
  resumeQueue();  // a second resume before the wait adds nothing
  ASSERT_TRUE(waitUntil(1));
  platform::sleepMs(50);
  EXPECT_EQ(g_stage, 1) << "two resumes released two waits";
  resumeQueue();
  EXPECT_TRUE(waitUntil(2));
}

TEST(Workers, ResumeWithoutARunningQueueThreadDoesNothing) {
  g_stage = 0;
  ASSERT_TRUE(startQueueThread([] {}));
  platform::ThreadHandle q = queueHandle;
  for (int i = 0; i < 500 && platform::isThreadRunning(q); i++) platform::sleepMs(2);
  resumeQueue();  // nobody to wake: the mark must not carry over to the next queue
  ASSERT_TRUE(startQueueThread(waitTwice));
  platform::sleepMs(50);
  EXPECT_EQ(g_stage, 0);
  resumeQueue();
  ASSERT_TRUE(waitUntil(1));
  resumeQueue();
  EXPECT_TRUE(waitUntil(2));
}

}  // namespace
