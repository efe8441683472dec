// The program-wide state that handlers, workers and the queue thread share.
// These seven variables are all of it.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "platform/threads.h"

// A text that one thread may replace while another reads it: every access
// holds the lock, and a reader works on its own copy, so a replaced text is
// never taken away from under a reader.
struct SharedText {
  std::string copy() {
    std::lock_guard<std::mutex> hold(lock);
    return text;
  }
  void store(std::string value) {
    std::lock_guard<std::mutex> hold(lock);
    text.swap(value);
  }

  std::mutex lock;
  std::string text;
};

// Version resource strings of the program's own executable, in this order.
enum VersionField {
  kFileVersion, kFileDescription, kInternalName, kCompanyName, kLegalCopyright, kLegalTrademarks,
  kOriginalFilename, kProductName, kProductVersion, kLanguageNames, kComments, kVersionFieldCount
};

// Refilled by every update check; the lock keeps a check from reading the
// record while another one refills it.
struct VersionRecord {
  std::mutex lock;
  std::string fields[kVersionFieldCount];
};

// Created at start-up and never destroyed: threads still running at shutdown
// end with the process, so nothing they touch may be torn down under them.
extern SharedText& currentPath;
extern std::atomic<int32_t> currentRow;
extern std::atomic<int32_t> queueCounter;
extern std::atomic<int32_t> installPending;
extern std::atomic<platform::ThreadHandle> workerHandle;
extern std::atomic<platform::ThreadHandle> queueHandle;
extern VersionRecord& versionInfo;

// Releases the texts of currentPath and versionInfo (the exit routine).
void releaseSharedTexts();
