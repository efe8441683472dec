#include "app/shared_state.h"

SharedText& currentPath = *new SharedText;
std::atomic<int32_t> currentRow{0};
std::atomic<int32_t> queueCounter{0};
std::atomic<int32_t> installPending{0};
std::atomic<platform::ThreadHandle> workerHandle{nullptr};
std::atomic<platform::ThreadHandle> queueHandle{nullptr};
VersionRecord& versionInfo = *new VersionRecord;

void releaseSharedTexts() {
  {
    std::lock_guard<std::mutex> hold(versionInfo.lock);
    for (std::string& field : versionInfo.fields) std::string().swap(field);
  }
  currentPath.store(std::string());
}
