// Host threads: POSIX threads, so a thread can end itself like ExitThread.
#include "platform/threads.h"

#include <pthread.h>
#include <time.h>

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace platform {

namespace {
struct HostThread {
  pthread_t id{};
  ThreadRoutine routine = nullptr;
  std::atomic<bool> running{true};
  std::atomic<int> owners{2};  // the handle and the thread itself
};

void release(HostThread* t) {
  if (t->owners.fetch_sub(1) == 1) delete t;
}

struct RunningGuard {  // also runs when the thread ends through pthread_exit
  HostThread* t;
  ~RunningGuard() {
    t->running = false;
    release(t);
  }
};

void* threadEntry(void* arg) {
  auto* t = static_cast<HostThread*>(arg);
  RunningGuard guard{t};
  t->routine();
  return nullptr;
}

struct HostMark {
  std::mutex lock;
  std::condition_variable changed;
  bool set = false;
};
}  // namespace

ThreadHandle createThread(ThreadRoutine routine) {
  auto* t = new HostThread;
  t->routine = routine;
  if (pthread_create(&t->id, nullptr, threadEntry, t) != 0) {
    delete t;
    return nullptr;
  }
  pthread_detach(t->id);
  return t;
}

void exitCurrentThread() { pthread_exit(nullptr); }

bool isThreadRunning(ThreadHandle thread) {
  return thread && static_cast<HostThread*>(thread)->running.load();
}

// Like a Windows handle, the record stays valid after the thread ends, until
// both the thread and the handle's holder are done with it.
void closeThreadHandle(ThreadHandle thread) {
  if (thread) release(static_cast<HostThread*>(thread));
}

WakeMark createWakeMark() { return new HostMark; }

void setWakeMark(WakeMark mark) {
  auto* m = static_cast<HostMark*>(mark);
  std::lock_guard<std::mutex> hold(m->lock);
  m->set = true;
  m->changed.notify_one();
}

void clearWakeMark(WakeMark mark) {
  auto* m = static_cast<HostMark*>(mark);
  std::lock_guard<std::mutex> hold(m->lock);
  m->set = false;
}

void waitWakeMark(WakeMark mark) {
  auto* m = static_cast<HostMark*>(mark);
  std::unique_lock<std::mutex> hold(m->lock);
  m->changed.wait(hold, [m] { return m->set; });
  m->set = false;
}

void sleepMs(int ms) {
  timespec ts{ms / 1000, (ms % 1000) * 1000000L};
  nanosleep(&ts, nullptr);
}

}  // namespace platform
