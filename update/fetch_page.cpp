#include <cstdlib>
#include <mutex>
#include <vector>

#include "platform/internet.h"
#include "update/network.h"

namespace {

const char kAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
const uint32_t kChunkWithoutLength = 10240;
const uint32_t kLargestChunk = 102400;
// A body without end must not exhaust memory: reading stops here.
const size_t kMostBytesKept = 16u * 1024 * 1024;

// The process's one internet handle, owned by this file: opened by the first
// fetch that needs it, under the lock so two fetches that start together
// open one, and never closed (it ends with the process).
std::mutex& g_internetLock = *new std::mutex;
platform::InternetHandle g_internet = nullptr;
int g_openings = 0;

platform::InternetHandle internetHandle() {
  std::lock_guard<std::mutex> hold(g_internetLock);
  if (!g_internet) {
    g_internet = platform::internetOpen(kAgent, platform::kOpenTypeDirect);
    if (g_internet) g_openings++;
  }
  return g_internet;
}

uint32_t chunkSize(platform::InternetHandle request) {
  char length[32] = {};
  uint32_t size = sizeof length - 1;
  if (!platform::queryContentLength(request, length, size)) return kChunkWithoutLength;
  long long announced = std::strtoll(length, nullptr, 10);
  if (announced <= 0) return kChunkWithoutLength;
  return announced >= kLargestChunk ? kLargestChunk : static_cast<uint32_t>(announced) + 1;
}

std::string readBody(platform::InternetHandle request) {
  std::string body;
  uint32_t chunk = chunkSize(request);
  std::vector<char> buffer;
  try {
    buffer.resize(chunk);
  } catch (...) {
    return body;
  }
  for (;;) {
    uint32_t read = 0;
    if (!platform::internetReadFile(request, buffer.data(), chunk, read) || read == 0) break;
    size_t room = kMostBytesKept - body.size();
    body.append(buffer.data(), read < room ? read : room);
    if (body.size() >= kMostBytesKept) break;
  }
  return body;
}

// The connection's part of a fetch; the caller closes the connection.
std::string request(platform::InternetHandle connection, std::string path, uint32_t flags) {
  static const char kEmpty[] = "";
  platform::setProxyUserName(connection, kEmpty, 1);
  platform::setProxyPassword(connection, kEmpty, 1);
  path = path.substr(0, path.find('#'));  // a fragment is never sent
  const char* acceptTypes[] = {"Accept: */* \r\n", nullptr};
  platform::InternetHandle request = platform::httpOpenRequest(connection, "GET", path, "HTTP/1.0", acceptTypes, flags);
  if (!request) return std::string();
  std::string body;
  static const char kHeaders[] = "Accept: */*\r\n\r\n";
  if (platform::httpSendRequest(request, kHeaders, sizeof kHeaders - 1)) body = readBody(request);
  platform::internetCloseHandle(request);
  return body;
}

}  // namespace

std::string fetchPage(const std::string& address) {
  if (address.empty()) return std::string();
  std::string canonical;
  platform::UrlParts url;
  if (!platform::canonicalizeUrl(address, platform::kCanonicalizeNoEncode, canonical) ||
      !platform::crackUrl(canonical, url))
    return std::string();
  uint32_t flags = platform::kFlagReload | platform::kFlagDontCache;
  if (url.scheme == platform::kSchemeHttps) flags |= platform::kFlagSecure;
  platform::InternetHandle internet = internetHandle();
  if (!internet) return std::string();
  platform::InternetHandle connection = platform::internetConnect(internet, url.host, url.port, url.user, url.password);
  if (!connection) return std::string();
  platform::setProxy(internet, platform::kOpenTypePreconfig);
  std::string body = request(connection, url.path, flags);
  platform::internetCloseHandle(connection);
  return body;
}

int internetHandleOpenings() {
  std::lock_guard<std::mutex> hold(g_internetLock);
  return g_openings;
}
