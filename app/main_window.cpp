#include "app/main_window.h"

#include <cstdlib>

#include "app/exe_location.h"
#include "app/shared_state.h"
#include "app/workers.h"
#include "discovery/scan_folder.h"
#include "install/install_queue.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/window.h"
#include "update/check_for_update.h"

namespace {

const char kAboutText[] = "可以直接拖入你的字体文件夹点击安装即可自动安装字体\r\n也可以选择你需要安装的双击";
const char kAboutTitle[] = "Tamsik制作";
const char kNoWindowText[] = "无法创建主窗口，程序将退出。";

void dropFiles(const char* text) { onFilesDropped(text); }

platform::MainWindowArgs mainWindowArgs() {
  platform::MainWindowArgs a;
  a.className = "777";
  a.caption = "Vornel";
  a.iconName = "DEFAULT_ICON";
  a.outerWidth = 668;
  a.outerHeight = 382;
  a.listLeft = 5, a.listTop = 0, a.listWidth = 587, a.listHeight = 344;
  a.columns[0] = {"文件", 530};
  a.columns[1] = {"", 50};
  // Tab order: 浏览, 安装, 更新, 关于.
  a.buttons[0] = {"浏览", 600, 16, 56, 32, onBrowseClicked};
  a.buttons[1] = {"安装", 600, 58, 56, 32, onInstallClicked};
  a.buttons[2] = {"更新", 600, 100, 56, 32, onUpdateClicked};
  a.buttons[3] = {"关于", 600, 144, 56, 32, onAboutClicked};
  a.created = onMainWindowCreated;
  a.listDoubleClicked = onFontListDoubleClicked;
  a.timerTick = onInstallTimerTick;
  a.gotFiles = dropFiles;
  return a;
}

void exitRoutine() { releaseSharedTexts(); }

}  // namespace

void onMainWindowCreated() {
  platform::registerDropTarget();
  platform::setAcceptFiles(true);
  startWorker(checkForUpdate);
}

void onAboutClicked() { platform::showMessage(kAboutText, 0, kAboutTitle); }

int runProgram() {
  platform::joinOle();
  platform::setCurrentDirectory(runDirectory());
  std::atexit(exitRoutine);
  if (!platform::createMainWindow(mainWindowArgs())) {
    platform::showMessage(kNoWindowText, 16);
    platform::leaveOle();
    return -1;
  }
  platform::runMessageLoop();
  platform::leaveOle();
  return 0;
}
