#include "discovery/scan_folder.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "app/shared_state.h"
#include "app/workers.h"
#include "discovery/find_files.h"
#include "install/install_queue.h"
#include "platform/folder_picker.h"
#include "platform/window.h"

namespace {

const char kPickerTitle[] = "选择目录";
const char kSearchingCaption[] = "正在搜索,请稍后......";
const char kFoundCaptionStart[] = "一共搜索到：";
const char kFoundCaptionEnd[] = "个字体文件";
const char kInstallBusyText[] = "正在安装字体，请等安装完成后再搜索。";
const char kFontFilter[] = ".ttf|.otf|.ttc";

// The newest scan asked for. The Browse and drop handlers fill it on the
// user-interface thread; the first scan worker to start after that takes it.
// Each scan thus searches its own copy of the folder text.
struct ScanRequest {
  std::mutex lock;
  std::string folder;
  uint32_t ticket = 0;
  bool waiting = false;
};
ScanRequest& g_request = *new ScanRequest;

// Ticket of the newest scan. Written only by the handlers on the
// user-interface thread; a scan holding an older ticket stops searching and
// leaves the list alone.
std::atomic<uint32_t> g_newestScan{0};

bool takeRequest(std::string& folder, uint32_t& ticket) {
  std::lock_guard<std::mutex> hold(g_request.lock);
  if (!g_request.waiting) return false;  // an earlier worker took the newest request
  folder.swap(g_request.folder);
  ticket = g_request.ticket;
  g_request.waiting = false;
  return true;
}

struct ScanOutcome {
  uint32_t ticket;
  const std::vector<std::string>* rows;  // none: only empty the list
};

// Runs on the user-interface thread, where the tickets are handed out, so no
// newer scan can start between the test and the list change.
void applyIfNewest(void* context) {
  const ScanOutcome& outcome = *static_cast<const ScanOutcome*>(context);
  if (g_newestScan.load() != outcome.ticket) return;
  platform::clearRows();
  if (!outcome.rows) return;
  platform::addRows(*outcome.rows);
  platform::setCaption(kFoundCaptionStart + std::to_string(platform::rowCount()) + kFoundCaptionEnd);
}

void startScan(const std::string& folder) {
  uint32_t ticket = g_newestScan.load() + 1;
  {
    std::lock_guard<std::mutex> hold(g_request.lock);
    g_request.folder = folder;
    g_request.ticket = ticket;
    g_request.waiting = true;
  }
  g_newestScan = ticket;  // a running scan stops at its next entry
  platform::setCaption(kSearchingCaption);
  startWorker(scanFolder);
}

// A scan would empty the list the install queue is working through.
bool refusedDuringInstall() {
  if (!installInFlight()) return false;
  platform::showMessage(kInstallBusyText, 16);
  return true;
}

// Everything the scan holds lives in here, so it is released before the
// worker ends.
void runScan() {
  std::string folder;
  uint32_t ticket = 0;
  if (!takeRequest(folder, ticket)) return;
  ScanOutcome outcome{ticket, nullptr};
  platform::runOnUiThread(applyIfNewest, &outcome);
  // The whole tree is searched before any row is added; then the rows go in
  // as one batch, which is far quicker than one cross-thread call a row.
  std::vector<std::string> results;
  SearchCancel cancel{g_newestScan, ticket};
  findFiles(folder, kFontFilter, results, 0, false, true, &cancel);
  outcome.rows = &results;
  platform::runOnUiThread(applyIfNewest, &outcome);
}

}  // namespace

void onBrowseClicked() {
  if (refusedDuringInstall()) return;
  std::string folder = platform::pickFolder(kPickerTitle);
  // The picker kept this thread waiting; an install may have begun meanwhile.
  if (refusedDuringInstall()) return;
  currentPath.store(folder);
  startScan(folder);
}

void onFilesDropped(const char* text) {
  if (refusedDuringInstall()) return;
  std::string folder = text ? text : "";
  currentPath.store(folder);
  startScan(folder);
}

void scanFolder() {
  runScan();
  endCurrentWorker();
}
