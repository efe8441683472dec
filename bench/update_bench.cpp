// The update check's costs: fetchPage over 127.0.0.1 for pages of several
// sizes, and the page text's way from UTF-8 bytes to the six fields.
#include <windows.h>

#include <cstdio>
#include <string>

#include "e2e/http_util.h"
#include "update/announcement.h"
#include "update/encoding.h"
#include "update/network.h"

namespace {

const unsigned short kPort = 18081;

double msSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now, freq;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&freq);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(freq.QuadPart);
}

std::string announcedPage(size_t filler) {
  std::string page(filler, 'x');
  for (size_t i = 0; i < filler; i += 100) page.replace(i, 6, u8"中文字");  // mixed text, as a blog has
  return page + u8"[--标示开始--][edition]=1.0.6.0[/edition][downloadURL]=http://dl.example/v.zip"
                u8"[/downloadURL][/--标示结束--]";
}

void timeFetch(const char* name, size_t bytes, bool withLength) {
  e2e::HttpPage page;
  page.body = announcedPage(bytes);
  page.withLength = withLength;
  e2e::servePage("127.0.0.1", "/p", page);
  std::string url = "http://127.0.0.1:" + std::to_string(kPort) + "/p";
  fetchPage(url);  // warm: the internet handle and the connection path
  const int runs = 3;
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  size_t got = 0;
  for (int i = 0; i < runs; i++) got = fetchPage(url).size();
  double ms = msSince(start) / runs;
  std::printf("fetchPage %-28s %10zu bytes kept  %8.1f ms  %6.1f MB/s\n", name, got, ms, got / ms / 1000.0);
}

}  // namespace

int main() {
  if (!e2e::startHttpServer(kPort)) {
    std::printf("cannot serve port %u\n", kPort);
    return 1;
  }
  timeFetch("500 KB, Content-Length", 500000, true);
  timeFetch("10 MB, Content-Length", 10u << 20, true);
  timeFetch("10 MB, no length", 10u << 20, false);
  timeFetch("20 MB, no length (cut)", 20u << 20, false);
  e2e::stopHttpServer();

  std::string bytes = announcedPage(10u << 20);
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  std::string text = utf8ToAnsi(bytesToText(bytes));
  double convertMs = msSince(start);
  QueryPerformanceCounter(&start);
  Announcement a = readAnnouncement(text);
  double extractMs = msSince(start);
  std::printf("utf8ToAnsi of 10 MB: %.1f ms; readAnnouncement (block at the end): %.1f ms; edition %s\n", convertMs,
              extractMs, a.edition.c_str());
  return 0;
}
