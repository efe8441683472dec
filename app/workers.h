// Background workers and the install queue thread's wait and release.
#pragma once

#include "platform/threads.h"

// Starts routine on a new background worker and keeps its handle in
// workerHandle (none when the start failed).
bool startWorker(platform::ThreadRoutine routine);
// Ends the calling worker. Release everything the routine holds first.
[[noreturn]] void endCurrentWorker();

// Creates the queue thread with its resume mark clear and keeps its handle
// in queueHandle. False when no thread could be created.
bool startQueueThread(platform::ThreadRoutine routine);
// Queue thread only: returns at once if a resume already came, else waits.
void suspendQueue();
// Lets the queue thread go on; a resume before its wait is kept (once).
void resumeQueue();
