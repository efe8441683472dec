#include "platform/internet.h"

#include <windows.h>
#include <wininet.h>

#include <vector>

namespace platform {

bool connectedState() { return InternetGetConnectedState(nullptr, 0) != FALSE; }

InternetHandle internetOpen(const char* agent, uint32_t accessType) {
  return InternetOpenA(agent, accessType, nullptr, nullptr, 0);
}

InternetHandle internetOpenUrl(InternetHandle internet, const std::string& url, uint32_t flags) {
  return InternetOpenUrlA(internet, url.c_str(), nullptr, 0, flags, 0);
}

bool canonicalizeUrl(const std::string& url, uint32_t flags, std::string& canonical) {
  DWORD size = static_cast<DWORD>(url.size()) * 3 + 64;
  std::vector<char> buffer(size);
  if (!InternetCanonicalizeUrlA(url.c_str(), buffer.data(), &size, flags)) {
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
    buffer.resize(size + 1);
    size = static_cast<DWORD>(buffer.size());
    if (!InternetCanonicalizeUrlA(url.c_str(), buffer.data(), &size, flags)) return false;
  }
  canonical.assign(buffer.data(), size);
  return true;
}

bool crackUrl(const std::string& url, UrlParts& parts) {
  // Each part fits in a buffer as long as the whole address.
  DWORD room = static_cast<DWORD>(url.size()) + 1;
  std::vector<char> host(room), user(room), password(room), path(room), extra(room);
  URL_COMPONENTSA c = {};
  c.dwStructSize = sizeof c;
  c.lpszHostName = host.data(), c.dwHostNameLength = room;
  c.lpszUserName = user.data(), c.dwUserNameLength = room;
  c.lpszPassword = password.data(), c.dwPasswordLength = room;
  c.lpszUrlPath = path.data(), c.dwUrlPathLength = room;
  c.lpszExtraInfo = extra.data(), c.dwExtraInfoLength = room;
  if (!InternetCrackUrlA(url.c_str(), static_cast<DWORD>(url.size()), 0, &c)) return false;
  parts.scheme = c.nScheme;
  parts.host = host.data();
  parts.user = user.data();
  parts.password = password.data();
  parts.path = std::string(path.data()) + extra.data();
  parts.port = c.nPort;
  return true;
}

InternetHandle internetConnect(InternetHandle internet, const std::string& host, uint16_t port,
                               const std::string& user, const std::string& password) {
  return InternetConnectA(internet, host.c_str(), port, user.c_str(), password.c_str(), INTERNET_SERVICE_HTTP, 0, 0);
}

bool setProxy(InternetHandle handle, uint32_t accessType) {
  INTERNET_PROXY_INFO info = {accessType, nullptr, nullptr};
  return InternetSetOptionA(handle, INTERNET_OPTION_PROXY, &info, sizeof info) != FALSE;
}

bool setProxyUserName(InternetHandle handle, const char* text, uint32_t length) {
  return InternetSetOptionA(handle, INTERNET_OPTION_PROXY_USERNAME, const_cast<char*>(text), length) != FALSE;
}

bool setProxyPassword(InternetHandle handle, const char* text, uint32_t length) {
  return InternetSetOptionA(handle, INTERNET_OPTION_PROXY_PASSWORD, const_cast<char*>(text), length) != FALSE;
}

InternetHandle httpOpenRequest(InternetHandle connection, const char* verb, const std::string& path,
                               const char* version, const char** acceptTypes, uint32_t flags) {
  return HttpOpenRequestA(connection, verb, path.c_str(), version, nullptr, acceptTypes, flags, 0);
}

bool httpSendRequest(InternetHandle request, const char* headers, uint32_t length) {
  return HttpSendRequestA(request, headers, length, nullptr, 0) != FALSE;
}

bool queryContentLength(InternetHandle request, char* buffer, uint32_t& size) {
  DWORD length = size;
  BOOL ok = HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH, buffer, &length, nullptr);
  size = length;
  return ok != FALSE;
}

bool internetReadFile(InternetHandle handle, void* buffer, uint32_t size, uint32_t& read) {
  DWORD got = 0;
  BOOL ok = InternetReadFile(handle, buffer, size, &got);
  read = got;
  return ok != FALSE;
}

void internetCloseHandle(InternetHandle handle) {
  if (handle) InternetCloseHandle(handle);
}

}  // namespace platform
