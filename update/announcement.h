// The announcement on the maker's page: one block of six marked fields.
#pragma once

#include <string>

struct Announcement {
  std::string edition;
  std::string downloadUrl;
  std::string explanation;
  std::string qqGroup;
  std::string groupLink;
  std::string downloadPage;
};

// The fields of the first block in pageText (code page 936); a field that is
// missing, or any field when the block is, is empty. Marker letters match in
// any case.
Announcement readAnnouncement(const std::string& pageText);
