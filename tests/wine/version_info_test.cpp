// readVersionInfo on real version resources: the program's own exe, this
// test program (no translation table, see version_info_test.rc) and a file
// without any resource.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "app/shared_state.h"
#include "update/version_info.h"

namespace {

std::string vornelExe() {
  std::string p = std::string("Z:") + getenv("VORNEL_EXE");
  for (char& c : p)
    if (c == '/') c = '\\';
  return p;
}

std::string thisExe() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

TEST(ReadVersionInfo, OwnExeUnderItsFirstTranslation) {
  VersionRecord r;
  ASSERT_TRUE(readVersionInfo(vornelExe(), r));
  EXPECT_EQ(r.fields[kFileVersion], "1.0.5.12");
  EXPECT_EQ(r.fields[kFileDescription], "Vornel font installer");
  EXPECT_EQ(r.fields[kInternalName], "vornel");
  EXPECT_EQ(r.fields[kCompanyName], "Vornel");
  EXPECT_EQ(r.fields[kLegalCopyright], "Copyright (C) 2026 Vornel");
  EXPECT_EQ(r.fields[kLegalTrademarks], "");  // not in the resource
  EXPECT_EQ(r.fields[kOriginalFilename], "vornel.exe");
  EXPECT_EQ(r.fields[kProductName], "Vornel");
  EXPECT_EQ(r.fields[kProductVersion], "1.0.5.12");
  char name[256] = {};
  VerLanguageNameA(0x04B00804, name, sizeof name);
  ASSERT_NE(name[0], '\0');
  EXPECT_EQ(r.fields[kLanguageNames], name);
  EXPECT_EQ(r.fields[kComments], "");
}

TEST(ReadVersionInfo, NoTranslationTableMeans040904E4) {
  VersionRecord r;
  ASSERT_TRUE(readVersionInfo(thisExe(), r));
  EXPECT_EQ(r.fields[kFileVersion], "2.0.0.1");  // not the 080404b0 block's
  EXPECT_EQ(r.fields[kProductName], "Version test");
  EXPECT_EQ(r.fields[kCompanyName], "");         // only under 080404b0
  EXPECT_EQ(r.fields[kLanguageNames], "");
  // A string over 255 bytes is cut to 255.
  ASSERT_EQ(r.fields[kComments].size(), 255u);
  EXPECT_EQ(r.fields[kComments].substr(0, 27), "ABCDEFGHIJKLMNOPQRSTUVWXYZA");
}

TEST(ReadVersionInfo, NoResourceEmptiesEveryField) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string plain = std::string(temp) + "vornel-no-version.txt";
  HANDLE f = CreateFileA(plain.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(f, "not a program", 13, &written, nullptr);
  CloseHandle(f);

  const std::string files[] = {plain, std::string(temp) + "vornel-missing.exe"};
  for (const std::string& path : files) {
    SCOPED_TRACE(path);
    VersionRecord r;
    ASSERT_TRUE(readVersionInfo(vornelExe(), r));  // a full record first: the failed read must empty it
    EXPECT_FALSE(readVersionInfo(path, r));
    for (const std::string& field : r.fields) EXPECT_EQ(field, "");
  }
  DeleteFileA(plain.c_str());
}

}  // namespace
