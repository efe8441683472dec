#include "e2e/http_util.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <map>
#include <mutex>

namespace e2e {

namespace {

struct Server {
  std::mutex lock;
  std::map<std::string, HttpPage> pages;
  std::vector<std::string> requests;
  std::vector<SOCKET> open;  // connections still being served
  SOCKET listener = INVALID_SOCKET;
  HANDLE acceptThread = nullptr;
  HANDLE stop = nullptr;  // manual-reset: set while stopping
  LONG connections = 0;
};
Server& g_server = *new Server;

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string headerValue(const std::string& head, const std::string& name) {
  std::string h = lower(head);
  size_t at = h.find("\r\n" + lower(name) + ":");
  if (at == std::string::npos) return std::string();
  at += name.size() + 3;
  size_t end = head.find("\r\n", at);
  std::string v = head.substr(at, end - at);
  while (!v.empty() && v[0] == ' ') v.erase(0, 1);
  return v;
}

bool sendAll(SOCKET s, const char* p, size_t n) {
  while (n > 0) {
    int sent = send(s, p, static_cast<int>(n < 65536 ? n : 65536), 0);
    if (sent <= 0) return false;
    p += sent;
    n -= static_cast<size_t>(sent);
  }
  return true;
}

void answer(SOCKET s, const HttpPage& page) {
  if (page.neverAnswer) {
    WaitForSingleObject(g_server.stop, INFINITE);
    return;
  }
  std::string head = "HTTP/1.1 " + std::to_string(page.status) + (page.status == 200 ? " OK" : " Not OK") +
                     "\r\nContent-Type: text/html; charset=utf-8\r\nConnection: close\r\n";
  if (page.withLength) head += "Content-Length: " + std::to_string(page.body.size()) + "\r\n";
  head += "\r\n";
  size_t bodyBytes = page.closeAfter < page.body.size() ? page.closeAfter : page.body.size();
  if (sendAll(s, head.data(), head.size())) sendAll(s, page.body.data(), bodyBytes);
}

DWORD WINAPI serveConnection(LPVOID arg) {
  SOCKET s = static_cast<SOCKET>(reinterpret_cast<UINT_PTR>(arg));
  std::string head;
  char buffer[4096];
  while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
    int got = recv(s, buffer, sizeof buffer, 0);
    if (got <= 0) break;
    head.append(buffer, static_cast<size_t>(got));
  }
  HttpPage page;
  page.status = 404;
  page.body = "<html>not here</html>";
  if (head.find("\r\n\r\n") != std::string::npos) {
    size_t sp1 = head.find(' '), sp2 = head.find(' ', sp1 + 1);
    std::string path = head.substr(sp1 + 1, sp2 - sp1 - 1);
    std::string host = lower(headerValue(head, "Host"));
    host = host.substr(0, host.find(':'));
    std::lock_guard<std::mutex> hold(g_server.lock);
    g_server.requests.push_back(head);
    auto found = g_server.pages.find(host + path);
    if (found != g_server.pages.end()) page = found->second;
  }
  answer(s, page);
  shutdown(s, SD_SEND);
  {
    std::lock_guard<std::mutex> hold(g_server.lock);
    for (auto it = g_server.open.begin(); it != g_server.open.end(); ++it)
      if (*it == s) {
        g_server.open.erase(it);
        break;
      }
  }
  closesocket(s);
  InterlockedDecrement(&g_server.connections);
  return 0;
}

DWORD WINAPI acceptLoop(LPVOID) {
  for (;;) {
    SOCKET s = accept(g_server.listener, nullptr, nullptr);
    if (s == INVALID_SOCKET) return 0;
    {
      std::lock_guard<std::mutex> hold(g_server.lock);
      g_server.open.push_back(s);
    }
    InterlockedIncrement(&g_server.connections);
    HANDLE t = CreateThread(nullptr, 0, serveConnection, reinterpret_cast<LPVOID>(static_cast<UINT_PTR>(s)), 0, nullptr);
    if (t) {
      CloseHandle(t);
    } else {
      closesocket(s);
      InterlockedDecrement(&g_server.connections);
    }
  }
}

}  // namespace

bool startHttpServer(unsigned short port) {
  WSADATA wsa;
  if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return false;
  SOCKET l = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (l == INVALID_SOCKET) return false;
  BOOL on = TRUE;
  setsockopt(l, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&on), sizeof on);
  sockaddr_in at = {};
  at.sin_family = AF_INET;
  at.sin_port = htons(port);
  at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (bind(l, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 || listen(l, 64) != 0) {
    closesocket(l);
    return false;
  }
  g_server.listener = l;
  g_server.stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  g_server.acceptThread = CreateThread(nullptr, 0, acceptLoop, nullptr, 0, nullptr);
  return g_server.acceptThread != nullptr;
}

void stopHttpServer() {
  if (g_server.listener == INVALID_SOCKET) return;
  SetEvent(g_server.stop);
  closesocket(g_server.listener);
  WaitForSingleObject(g_server.acceptThread, 5000);
  CloseHandle(g_server.acceptThread);
  {
    // Wakes connections stuck in a send to a client that stopped reading.
    std::lock_guard<std::mutex> hold(g_server.lock);
    for (SOCKET s : g_server.open) shutdown(s, SD_BOTH);
  }
  for (int i = 0; i < 250 && g_server.connections > 0; i++) Sleep(20);
  CloseHandle(g_server.stop);
  g_server.listener = INVALID_SOCKET;
  g_server.acceptThread = nullptr;
  g_server.stop = nullptr;
}

void servePage(const std::string& host, const std::string& path, const HttpPage& page) {
  std::lock_guard<std::mutex> hold(g_server.lock);
  g_server.pages[lower(host) + path] = page;
}

void clearPages() {
  std::lock_guard<std::mutex> hold(g_server.lock);
  g_server.pages.clear();
}

std::vector<std::string> httpRequests() {
  std::lock_guard<std::mutex> hold(g_server.lock);
  return g_server.requests;
}

void clearHttpRequests() {
  std::lock_guard<std::mutex> hold(g_server.lock);
  g_server.requests.clear();
}

}  // namespace e2e
