// Installing one font file: the name it gets in the Fonts folder and what
// each kind of file gives, over the host stand-ins of the files and fonts.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <fstream>
#include <string>

#include "install/install_font.h"
#include "platform/fonts_host.h"

namespace {

TEST(FontFileName, TakesTheNameAfterTheLastSeparatorInTheCodePage) {
  struct Case {
    std::string path, name;
  } cases[] = {
      {"C:\\Fonts\\a.ttf", "a.ttf"},
      {"C:\\Fonts/sub/b.otf", "b.otf"},
      {"C:c.ttc", "c.ttc"},
      {"plain.ttf", "plain.ttf"},
      // 0x5C as the second byte of a double-byte character is no separator.
      {"D:\\\xB1\\\x81\\.ttf", "\xB1\\\x81\\.ttf"},
      {"D:\\fonts\\\xD7\xD6\xCC\xE5\\\xB1\\.ttf", "\xB1\\.ttf"},
      {"D:\\dir\\", ""},
      {"D:\\" + std::string(300, 'n'), std::string(255, 'n')},
  };
  for (const Case& c : cases) EXPECT_EQ(fontFileName(c.path), c.name) << c.path;
}

class InstallFont : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::host::resetFonts();
    char pattern[] = "/tmp/vornel-font-XXXXXX";
    root = mkdtemp(pattern);
    fonts = root + "/Fonts";
    mkdir(fonts.c_str(), 0755);
    platform::host::setFontsFolder(fonts);
  }
  void TearDown() override {
    platform::host::resetFonts();
    EXPECT_EQ(system(("rm -rf " + root).c_str()), 0);
  }
  std::string write(const std::string& name, const std::string& bytes) {
    std::string path = root + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  static std::string read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::string root, fonts;
};

TEST_F(InstallFont, ResultAndOutcomeForEachKindOfFile) {
  const std::string ttf("\x00\x01\x00\x00 one face", 13);
  const std::string ttc("ttcf\x00\x01\x00\x00\x00\x00\x00\x03", 12);
  write("Fonts/taken.ttf", "older");
  struct Case {
    std::string path;
    int result;
    InstallOutcome how;
    long broadcasts;
  } cases[] = {
      {write("a.ttf", ttf), 1, InstallOutcome::added, 1},
      {write("c.ttc", ttc), 3, InstallOutcome::added, 2},
      {write("taken.ttf", ttf), 0, InstallOutcome::alreadyPresent, 2},
      {write("notes.ttf", "text"), 0, InstallOutcome::failed, 2},
      {root + "/missing.ttf", 0, InstallOutcome::failed, 2},
      {"", 0, InstallOutcome::failed, 2},
  };
  for (const Case& c : cases) {
    InstallOutcome how = InstallOutcome::added;
    EXPECT_EQ(installFontFile(c.path, &how), c.result) << c.path;
    EXPECT_EQ(how, c.how) << c.path;
    EXPECT_EQ(platform::host::fontChangeBroadcasts(), c.broadcasts) << c.path;
  }
  EXPECT_EQ(read(fonts + "/a.ttf"), ttf);
  EXPECT_EQ(read(fonts + "/taken.ttf"), "older");
  EXPECT_EQ(read(fonts + "/notes.ttf"), "text");  // copied, though no font
  EXPECT_EQ(platform::host::addedFonts(), (std::vector<std::string>{root + "/a.ttf", root + "/c.ttc"}));
}

TEST_F(InstallFont, NoFontsFolderInstallsNothing) {
  platform::host::setFontsFolder("");
  InstallOutcome how = InstallOutcome::added;
  EXPECT_EQ(installFontFile(write("a.ttf", std::string("\x00\x01\x00\x00", 4)), &how), 0);
  EXPECT_EQ(how, InstallOutcome::failed);
  EXPECT_TRUE(platform::host::addedFonts().empty());
}

}  // namespace
