// Threads and the one-shot wake-up mark the install queue waits on.
#pragma once

namespace platform {

using ThreadHandle = void*;  // HANDLE on Windows; none is nullptr
using ThreadRoutine = void (*)();

// Starts a thread running routine at once (default security and stack).
// Gives nullptr when no thread could be created.
ThreadHandle createThread(ThreadRoutine routine);
// Ends the calling thread. Anything the caller still holds is not released.
[[noreturn]] void exitCurrentThread();
// True while the thread has not yet ended.
bool isThreadRunning(ThreadHandle thread);
void closeThreadHandle(ThreadHandle thread);

// A flag that one thread waits on and another sets: a set before the wait
// counts, one set releases one wait, and waiting uses no processor time.
using WakeMark = void*;
WakeMark createWakeMark();
void setWakeMark(WakeMark mark);
void clearWakeMark(WakeMark mark);
void waitWakeMark(WakeMark mark);  // returns once set, and clears it

void sleepMs(int ms);

}  // namespace platform
