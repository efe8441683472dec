#include "install/install_queue.h"

#include <atomic>
#include <string>

#include "app/shared_state.h"
#include "app/workers.h"
#include "install/install_font.h"
#include "platform/window.h"

namespace {

const char kStatusDone[] = "完成";
const char kStatusAlreadyPresent[] = "已存在";
const char kStatusFailed[] = "失败";
const char kInstallDone[] = "安装完成";
const char kInstallRunning[] = "正在安装字体，请等这次安装结束后再试。";
const int kInstallTimerMs = 100;

// Single-font workers that have been started and have not yet marked their
// row. Whoever starts one counts it first (and takes it back when the start
// fails); the worker takes itself off once its row is marked. It lets the
// tick tell a slow worker from one that never ran, and keeps a second
// install from starting beside a running one.
std::atomic<int> g_fontWorkers{0};

bool startFontWorker(platform::ThreadRoutine routine) {
  ++g_fontWorkers;
  if (startWorker(routine)) return true;
  --g_fontWorkers;
  return false;
}

const char* statusText(InstallOutcome how) {
  switch (how) {
    case InstallOutcome::added: return kStatusDone;
    case InstallOutcome::alreadyPresent: return kStatusAlreadyPresent;
    default: return kStatusFailed;
  }
}

// Installs the font the starter stored in currentPath and currentRow. The
// inputs are copied first: once the flag is clear the queue may store the
// next font's, and this worker still marks its own row.
InstallOutcome installStoredFont(bool clearsPending) {
  const int row = currentRow;
  const std::string path = currentPath.copy();
  InstallOutcome how;
  installFontFile(path, &how);
  if (clearsPending) installPending = 0;
  platform::setCellText(row, 1, statusText(how));
  platform::ensureRowVisible(row);
  --g_fontWorkers;
  return how;
}

// The double-click's worker: installs, then tells how it went. The box is
// shown here and not on the user-interface thread, because that thread would
// have to wait for the install, and the install's font-change broadcast waits
// for every top-level window, the main window among them. The worker is off
// the count before its box, so an open box holds up no later install.
void reportStoredFont() {
  InstallOutcome how = installStoredFont(false);
  platform::showMessage(how == InstallOutcome::added ? kInstallDone : statusText(how), 0);
}

void installSelectedFont() {
  reportStoredFont();
  endCurrentWorker();
}

void stepThroughRows() {
  const int n = platform::rowCount();
  for (int k = 1; k <= n; k++) {
    queueCounter = k;
    currentRow = k - 1;
    currentPath.store(platform::cellText(k - 1, 0));
    installPending = 1;
    startFontWorker(installCurrentFont);
    // The timer goes on before the wait so a tick is sure to come; a resume
    // that comes between the test and the wait is kept by the resume mark.
    if (installPending) {
      platform::setTimerPeriod(kInstallTimerMs);
      suspendQueue();
    }
  }
}

}  // namespace

void onInstallClicked() {
  // One install at a time: also while the last queue's "安装完成" is open.
  if (installInFlight()) return;
  startQueueThread(runInstallQueue);
}

void runInstallQueue() {
  stepThroughRows();
  platform::showMessage(kInstallDone, 0);
}

void installCurrentFont() {
  installStoredFont(true);
  endCurrentWorker();
}

void onInstallTimerTick() {
  if (installPending == 0) {
    resumeQueue();
    platform::setTimerPeriod(0);
    return;
  }
  // The flag is still set: start the font again only if no worker is at it
  // (the last start failed).
  if (g_fontWorkers == 0) startFontWorker(installCurrentFont);
}

void onFontListDoubleClicked() {
  const int row = platform::selectedRow();
  if (row < 0) return;
  // A running install keeps its currentPath, currentRow and workerHandle.
  if (installInFlight()) {
    platform::showMessage(kInstallRunning, 0);
    return;
  }
  currentRow = row;
  currentPath.store(platform::cellText(row, 0));
  if (!startFontWorker(installSelectedFont)) platform::showMessage(kStatusFailed, 0);
}

bool installInFlight() { return platform::isThreadRunning(queueHandle) || g_fontWorkers > 0; }
