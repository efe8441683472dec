// fetchPage against a real HTTP server on 127.0.0.1, through WinINet.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "e2e/http_util.h"
#include "update/network.h"

namespace {

const char kBase[] = "http://127.0.0.1:18080";

class FetchPage : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(e2e::startHttpServer(18080)); }
  static void TearDownTestSuite() { e2e::stopHttpServer(); }
  void SetUp() override {
    e2e::clearPages();
    e2e::clearHttpRequests();
  }
};

std::string pattern(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; i++) s[i] = static_cast<char>('a' + (i * 7 + i / 251) % 26);
  return s;
}

// Runs first in this program: nothing has opened the internet handle yet.
TEST_F(FetchPage, EmptyAddressSendsNothingAndOpensNoHandle) {
  EXPECT_EQ(fetchPage(""), "");
  Sleep(100);
  EXPECT_TRUE(e2e::httpRequests().empty());
  EXPECT_EQ(internetHandleOpenings(), 0);
}

DWORD WINAPI fetchSmall(LPVOID arg) {
  auto* out = static_cast<std::string*>(arg);
  *out = fetchPage(std::string(kBase) + "/small");
  return 0;
}

TEST_F(FetchPage, FetchesStartedTogetherShareOneInternetHandle) {
  e2e::HttpPage page;
  page.body = "small page";
  e2e::servePage("127.0.0.1", "/small", page);
  std::vector<std::string> bodies(8);
  std::vector<HANDLE> threads;
  for (std::string& b : bodies) threads.push_back(CreateThread(nullptr, 0, fetchSmall, &b, 0, nullptr));
  WaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), TRUE, 30000);
  for (HANDLE t : threads) CloseHandle(t);
  for (const std::string& b : bodies) EXPECT_EQ(b, "small page");
  EXPECT_EQ(internetHandleOpenings(), 1);
}

TEST_F(FetchPage, BodiesComeBackWhole) {
  const std::string big = pattern(500000);
  struct Case {
    const char* name;
    int status;
    std::string body;
    bool withLength;
    size_t closeAfter;
    size_t expectedBytes;
  } cases[] = {
      {"404 page's body", 404, "<html>no such page</html>", true, std::string::npos, 25},
      {"500 page's body", 500, "oops", true, std::string::npos, 4},
      {"no Content-Length", 200, pattern(70000), false, std::string::npos, 70000},
      {"500,000 bytes announced", 200, big, true, std::string::npos, 500000},
      {"empty body", 200, "", true, std::string::npos, 0},
      {"bytes with zeros", 200, std::string("a\0b\xFF", 4), true, std::string::npos, 4},
      {"server closes midway", 200, big, true, 120000, 120000},
      {"closes midway, no length", 200, big, false, 120000, 120000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    e2e::HttpPage page;
    page.status = c.status;
    page.body = c.body;
    page.withLength = c.withLength;
    page.closeAfter = c.closeAfter;
    e2e::servePage("127.0.0.1", "/page", page);
    std::string body = fetchPage(std::string(kBase) + "/page");
    EXPECT_EQ(body.size(), c.expectedBytes);
    EXPECT_TRUE(body == c.body.substr(0, c.expectedBytes));
  }
}

TEST_F(FetchPage, BodyWithoutEndStopsAt16MiB) {
  e2e::HttpPage page;
  page.body = pattern(20u << 20);
  page.withLength = false;
  e2e::servePage("127.0.0.1", "/endless", page);
  std::string body = fetchPage(std::string(kBase) + "/endless");
  ASSERT_EQ(body.size(), 16u << 20);
  EXPECT_TRUE(body == page.body.substr(0, 16u << 20));
}

TEST_F(FetchPage, RequestAsSent) {
  e2e::HttpPage page;
  page.body = "x";
  e2e::servePage("127.0.0.1", "/a/b.html?q=1&r=%41", page);
  EXPECT_EQ(fetchPage(std::string(kBase) + "/a/b.html?q=1&r=%41#part[edition]"), "x");
  std::vector<std::string> requests = e2e::httpRequests();
  ASSERT_EQ(requests.size(), 1u);
  const std::string& head = requests[0];
  // The fragment never reaches the server.
  EXPECT_EQ(head.substr(0, head.find("\r\n")), "GET /a/b.html?q=1&r=%41 HTTP/1.0");
  EXPECT_EQ(head.find('#'), std::string::npos);
  EXPECT_NE(head.find("\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n"), std::string::npos);
  EXPECT_NE(head.find("\r\nAccept: */*"), std::string::npos);
}

TEST_F(FetchPage, AddressesThatCannotBeFetched) {
  const char* addresses[] = {
      "not an address",
      "http://127.0.0.1:1/refused",  // nothing listens there
      "ftp://127.0.0.1/page",  // only http and https can succeed
  };
  for (const char* a : addresses) {
    SCOPED_TRACE(a);
    EXPECT_EQ(fetchPage(a), "");
  }
}

}  // namespace
