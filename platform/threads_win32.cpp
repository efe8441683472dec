#include "platform/threads.h"

#include <windows.h>

namespace platform {

namespace {
DWORD WINAPI threadEntry(LPVOID arg) {
  reinterpret_cast<ThreadRoutine>(arg)();
  return 0;
}
}  // namespace

ThreadHandle createThread(ThreadRoutine routine) {
  return CreateThread(nullptr, 0, threadEntry, reinterpret_cast<LPVOID>(routine), 0, nullptr);
}

void exitCurrentThread() { ExitThread(0); }

bool isThreadRunning(ThreadHandle thread) {
  return thread && WaitForSingleObject(thread, 0) == WAIT_TIMEOUT;
}

void closeThreadHandle(ThreadHandle thread) {
  if (thread) CloseHandle(thread);
}

// An auto-reset event is exactly the mark: SetEvent while nobody waits stays
// set, and a wait that returns resets it.
WakeMark createWakeMark() { return CreateEventA(nullptr, FALSE, FALSE, nullptr); }
void setWakeMark(WakeMark mark) { SetEvent(mark); }
void clearWakeMark(WakeMark mark) { ResetEvent(mark); }
void waitWakeMark(WakeMark mark) { WaitForSingleObject(mark, INFINITE); }

void sleepMs(int ms) { Sleep(static_cast<DWORD>(ms)); }

}  // namespace platform
