#include "update/announcement.h"

#include "update/extract_between.h"

namespace {

std::string field(const std::string& block, const char* open, const char* close) {
  return extractBetween(block, open, close, 0, true);
}

}  // namespace

Announcement readAnnouncement(const std::string& pageText) {
  std::string block = extractBetween(pageText, "[--标示开始--]", "[/--标示结束--]", 0, true);
  Announcement a;
  a.edition = field(block, "[edition]=", "[/edition]");
  a.downloadUrl = field(block, "[downloadURL]=", "[/downloadURL]");
  a.explanation = field(block, "[explain]=", "[/explain]");
  a.qqGroup = field(block, "[qq]=", "[/qq]");
  a.groupLink = field(block, "[加群链接]=", "[/加群链接]");
  a.downloadPage = field(block, "[下载页面]=", "[/下载页面]");
  return a;
}
