#include "platform/internet.h"
#include "platform/shell_open.h"
#include "update/network.h"

namespace {

const char kProbeAgent[] = "test";
// A well-known site's home page over plain HTTP.
const char kProbeUrl[] = "http://www.baidu.com/";
const char kBrowserTitle[] = "Microsoft Internet Explorer";

}  // namespace

int isInternetReachable() {
  if (!platform::connectedState()) return 0;
  platform::InternetHandle internet = platform::internetOpen(kProbeAgent, platform::kOpenTypePreconfig);
  if (!internet) return 0;
  platform::InternetHandle page = platform::internetOpenUrl(internet, kProbeUrl, platform::kFlagReload);
  int reachable = page ? 1 : 0;
  platform::internetCloseHandle(page);
  platform::internetCloseHandle(internet);
  return reachable;
}

void openUrl(const std::string& address) {
  if (address.empty()) return;  // an empty field names nothing to open
  platform::shellOpen(platform::findTopWindowByTitle(kBrowserTitle), address);
}
