#include "update/check_for_update.h"

#include <mutex>
#include <string>

#include "app/exe_location.h"
#include "app/shared_state.h"
#include "app/workers.h"
#include "platform/window.h"
#include "update/announcement.h"
#include "update/encoding.h"
#include "update/network.h"
#include "update/version_info.h"

namespace {

// The maker's announcement article.
const char kAnnouncementUrl[] = "http://blog.vornel.net/archives/announcement.html";

const char kNotReachableText[] = "网络未接通！";
const char kUpToDateText[] = "已经是最新版本";
const char kCheckFailedText[] = "检查更新失败：无法读取最新版本信息，请稍后再试。";
const char kNewEditionText[] = "发现新版本：";
const char kDownloadQuestion[] = "\r\n是否下载更新？";
const char kNewEditionTitle[] = "提示：";
const char kGroupText[] = "最新版本QQ群";
const char kGroupQuestion[] = "中也有\r\n你可以快速加群，和手动加群\r\n是否快速加群？";
const char kGroupTitle[] = "温馨提示";

const unsigned kPlainBox = 0;
const unsigned kErrorBox = 16;
const unsigned kQuestionBox = 36;
const int kYes = 5;

// Refills versionInfo from the exe's own resource and copies its version,
// under the record's lock so no other check reads it half refilled.
std::string ownVersion() {
  std::string path = runDirectory() + "\\" + executableName();
  std::lock_guard<std::mutex> hold(versionInfo.lock);
  readVersionInfo(path, versionInfo);
  return versionInfo.fields[kFileVersion];
}

void offerNewEdition(const Announcement& a) {
  std::string question = kNewEditionText + a.edition + "\r\n" + a.explanation + kDownloadQuestion;
  if (platform::showMessage(question, kQuestionBox, kNewEditionTitle) == kYes) {
    openUrl(a.downloadUrl);
    return;
  }
  question = kGroupText + a.qqGroup + kGroupQuestion;
  openUrl(platform::showMessage(question, kQuestionBox, kGroupTitle) == kYes ? a.groupLink : a.downloadPage);
}

// The whole check; false when the internet is not reachable. Its texts are
// gone once it returns, so the worker can end without leaving them behind.
bool runCheck() {
  std::string own = ownVersion();
  Announcement a = readAnnouncement(utf8ToAnsi(bytesToText(fetchPage(kAnnouncementUrl))));
  if (isInternetReachable() != 1) {
    platform::showMessage(kNotReachableText, kErrorBox);
    return false;
  }
  // Without an edition nothing was learnt: saying so beats offering an
  // update that may not exist.
  if (a.edition.empty())
    platform::showMessage(kCheckFailedText, kErrorBox);
  else if (a.edition == own)
    platform::showMessage(kUpToDateText, kPlainBox);
  else
    offerNewEdition(a);
  return true;
}

}  // namespace

void checkForUpdate() {
  if (!runCheck()) endCurrentWorker();
}

void onUpdateClicked() { startWorker(checkForUpdate); }
