// Thin wrappers over the WinINet HTTP client (ANSI).
#pragma once

#include <cstdint>
#include <string>

namespace platform {

using InternetHandle = void*;  // HINTERNET; none is nullptr

// Values of the WinINet constants the program uses.
const uint32_t kOpenTypePreconfig = 0;  // INTERNET_OPEN_TYPE_PRECONFIG
const uint32_t kOpenTypeDirect = 1;     // INTERNET_OPEN_TYPE_DIRECT
const uint32_t kFlagReload = 0x80000000;     // INTERNET_FLAG_RELOAD
const uint32_t kFlagDontCache = 0x04000000;  // INTERNET_FLAG_DONT_CACHE
const uint32_t kFlagSecure = 0x00800000;     // INTERNET_FLAG_SECURE
const uint32_t kCanonicalizeNoEncode = 0x20000000;  // ICU_NO_ENCODE
const int kSchemeHttps = 4;                  // INTERNET_SCHEME_HTTPS

struct UrlParts {
  int scheme = 0;  // INTERNET_SCHEME_*
  std::string host, user, password;
  std::string path;  // path and extra information (query, fragment)
  uint16_t port = 0;
};

// InternetGetConnectedState(no flags wanted, 0).
bool connectedState();
// InternetOpenA(agent, accessType, no proxy, no bypass list, 0).
InternetHandle internetOpen(const char* agent, uint32_t accessType);
// InternetOpenUrlA(internet, url, no headers, 0, flags, 0).
InternetHandle internetOpenUrl(InternetHandle internet, const std::string& url, uint32_t flags);
bool canonicalizeUrl(const std::string& url, uint32_t flags, std::string& canonical);
bool crackUrl(const std::string& url, UrlParts& parts);
// InternetConnectA(internet, host, port, user, password, HTTP service, 0, 0).
InternetHandle internetConnect(InternetHandle internet, const std::string& host, uint16_t port,
                               const std::string& user, const std::string& password);
// INTERNET_OPTION_PROXY with accessType and no proxy or bypass list.
bool setProxy(InternetHandle handle, uint32_t accessType);
// INTERNET_OPTION_PROXY_USERNAME / _PASSWORD with length bytes of text.
bool setProxyUserName(InternetHandle handle, const char* text, uint32_t length);
bool setProxyPassword(InternetHandle handle, const char* text, uint32_t length);
// HttpOpenRequestA(connection, verb, path, version, no referrer, acceptTypes, flags, 0).
InternetHandle httpOpenRequest(InternetHandle connection, const char* verb, const std::string& path,
                               const char* version, const char** acceptTypes, uint32_t flags);
// HttpSendRequestA(request, headers, length, no body).
bool httpSendRequest(InternetHandle request, const char* headers, uint32_t length);
// HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH) into buffer; size in, length out.
bool queryContentLength(InternetHandle request, char* buffer, uint32_t& size);
bool internetReadFile(InternetHandle handle, void* buffer, uint32_t size, uint32_t& read);
void internetCloseHandle(InternetHandle handle);

}  // namespace platform
