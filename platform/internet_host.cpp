// Host stand-in: the host build has no network. Every open fails, so the
// logic above sees an unreachable internet and empty pages.
#include "platform/internet.h"

namespace platform {

bool connectedState() { return false; }
InternetHandle internetOpen(const char*, uint32_t) { return nullptr; }
InternetHandle internetOpenUrl(InternetHandle, const std::string&, uint32_t) { return nullptr; }
bool canonicalizeUrl(const std::string& url, uint32_t, std::string& canonical) {
  canonical = url;
  return !url.empty();
}
bool crackUrl(const std::string&, UrlParts&) { return false; }
InternetHandle internetConnect(InternetHandle, const std::string&, uint16_t, const std::string&, const std::string&) {
  return nullptr;
}
bool setProxy(InternetHandle, uint32_t) { return false; }
bool setProxyUserName(InternetHandle, const char*, uint32_t) { return false; }
bool setProxyPassword(InternetHandle, const char*, uint32_t) { return false; }
InternetHandle httpOpenRequest(InternetHandle, const char*, const std::string&, const char*, const char**, uint32_t) {
  return nullptr;
}
bool httpSendRequest(InternetHandle, const char*, uint32_t) { return false; }
bool queryContentLength(InternetHandle, char*, uint32_t&) { return false; }
bool internetReadFile(InternetHandle, void*, uint32_t, uint32_t& read) {
  read = 0;
  return false;
}
void internetCloseHandle(InternetHandle) {}

}  // namespace platform
