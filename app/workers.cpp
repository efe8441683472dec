#include "app/workers.h"

#include "app/shared_state.h"

namespace {
// The queue thread's resume mark; there is at most one queue thread.
platform::WakeMark resumeMark() {
  static platform::WakeMark mark = platform::createWakeMark();
  return mark;
}
}  // namespace

bool startWorker(platform::ThreadRoutine routine) {
  platform::ThreadHandle thread = platform::createThread(routine);
  // Nothing but this function uses workerHandle, so the handle it replaces
  // can be closed here.
  platform::closeThreadHandle(workerHandle.exchange(thread));
  return thread != nullptr;
}

void endCurrentWorker() { platform::exitCurrentThread(); }

bool startQueueThread(platform::ThreadRoutine routine) {
  platform::clearWakeMark(resumeMark());
  platform::ThreadHandle thread = platform::createThread(routine);
  platform::closeThreadHandle(queueHandle.exchange(thread));
  return thread != nullptr;
}

void suspendQueue() { platform::waitWakeMark(resumeMark()); }

void resumeQueue() {
  if (platform::isThreadRunning(queueHandle)) platform::setWakeMark(resumeMark());
}
