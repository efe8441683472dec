// A small HTTP server on 127.0.0.1 for the update check's tests: it answers
// each request by its Host header and path from a table of pages, and keeps
// every request head it received.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace e2e {

struct HttpPage {
  int status = 200;
  std::string body;
  bool withLength = true;             // a Content-Length header; else the close ends the body
  size_t closeAfter = std::string::npos;  // close after this many body bytes
  bool neverAnswer = false;           // read the request, then hold the connection silently
};

// Serves 127.0.0.1:port on a thread of its own. False when the port cannot
// be bound.
bool startHttpServer(unsigned short port = 80);
// Closes the listener and every connection, silent ones included.
void stopHttpServer();
// host without a port, path as requested ("/a.html?x=1"). Unknown pages get
// a 404 whose body is "<html>not here</html>".
void servePage(const std::string& host, const std::string& path, const HttpPage& page);
void clearPages();
std::vector<std::string> httpRequests();
void clearHttpRequests();

}  // namespace e2e
