// findFiles over real temporary folder trees (host file functions).
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <set>

#include "app/exe_location.h"
#include "discovery/find_files.h"
#include "platform/window_host.h"

namespace {

std::string windowsStyle(std::string p) {
  std::replace(p.begin(), p.end(), '/', '\\');
  return p;
}

// A small tree: fonts at several depths, other files, a dot folder.
class FindFilesTree : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/vornel-find-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    posixRoot = tmpl;
    root = windowsStyle(posixRoot);
    for (const char* d : {"sub", "sub/deep", "sub2", ".hid", "sub/.git"}) mkdir((posixRoot + "/" + d).c_str(), 0755);
    for (const char* f : {"a.TTF", ".dot.ttf", "b.txt", "sub/c.otf", "sub/notes", "sub/deep/d.ttc", "sub2/f.ttf",
                          ".hid/e.ttf", "sub/.git/g.ttf"})
      fclose(fopen((posixRoot + "/" + f).c_str(), "w"));
  }
  void TearDown() override { system(("rm -rf '" + posixRoot + "'").c_str()); }
  std::string at(const char* relative) { return root + "\\" + windowsStyle(relative); }

  std::string posixRoot, root;
};

std::set<std::string> asSet(const std::vector<std::string>& v) { return std::set<std::string>(v.begin(), v.end()); }

// Depth first, each folder's own files before anything from its subfolders:
// the entries under any folder form one run that starts with its own files.
void expectDepthFirst(const std::vector<std::string>& results) {
  for (const std::string& r : results) {
    for (size_t cut = r.find('\\', 1); cut != std::string::npos; cut = r.find('\\', cut + 1)) {
      std::string folder = r.substr(0, cut + 1);
      std::vector<size_t> at;
      for (size_t i = 0; i < results.size(); i++)
        if (results[i].compare(0, folder.size(), folder) == 0) at.push_back(i);
      EXPECT_EQ(at.back() - at.front() + 1, at.size()) << "entries under " << folder << " are not one run";
      bool seenDeeper = false;
      for (size_t i : at) {
        bool direct = results[i].find('\\', folder.size()) == std::string::npos;
        EXPECT_FALSE(direct && seenDeeper) << results[i] << " comes after an entry of a subfolder";
        seenDeeper |= !direct;
      }
    }
  }
}

TEST_F(FindFilesTree, FontsRecursivelyInDepthFirstOrder) {
  std::string folder = root;
  std::vector<std::string> results;
  long dispatchesBefore = platform::host::dispatchCount();
  EXPECT_EQ(findFiles(folder, ".ttf|.otf|.ttc", results, 0, false, true), 5);
  EXPECT_EQ(folder, root + "\\");
  EXPECT_EQ(asSet(results),
            (std::set<std::string>{at("a.TTF"), at(".dot.ttf"), at("sub/c.otf"), at("sub/deep/d.ttc"), at("sub2/f.ttf")}));
  expectDepthFirst(results);
  // One dispatch per file entry of every folder searched, matching or not;
  // none for folders and none inside dot folders.
  EXPECT_EQ(platform::host::dispatchCount() - dispatchesBefore, 7);
}

TEST_F(FindFilesTree, FlagsAndForms) {
  struct Case {
    bool includeFolders, recurse;
    int form;
    std::set<std::string> expected;
  } cases[] = {
      {false, false, 0, {at("a.TTF"), at(".dot.ttf")}},
      {true, false, 0, {at("a.TTF"), at(".dot.ttf"), at("sub"), at("sub2")}},
      {true, true, 1, {"a.TTF", ".dot.ttf", at("sub"), "c.otf", at("sub/deep"), "d.ttc", at("sub2"), "f.ttf"}},
      {false, true, 2, {"a", ".dot", "c", "d", "f"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.includeFolders << c.recurse << c.form);
    std::string folder = root + "\\";
    std::vector<std::string> results;
    EXPECT_EQ(findFiles(folder, ".ttf|.otf|.ttc", results, c.form, c.includeFolders, c.recurse),
              static_cast<int>(c.expected.size()));
    EXPECT_EQ(folder, root + "\\");
    EXPECT_EQ(asSet(results), c.expected);
    if (c.form == 0) expectDepthFirst(results);
  }
}

TEST_F(FindFilesTree, NothingToListKeepsWhatResultsHeld) {
  for (std::string folder : {at("missing"), at("a.TTF"), at("sub/notes")}) {
    SCOPED_TRACE(folder);
    std::string expectedFolder = folder + "\\";
    std::vector<std::string> results{"earlier", "ones"};
    EXPECT_EQ(findFiles(folder, nullptr, results, 0, true, true), 2);
    EXPECT_EQ(results, (std::vector<std::string>{"earlier", "ones"}));
    EXPECT_EQ(folder, expectedFolder);
  }
  // Earlier elements stay first and count in the result.
  std::string folder = at("sub2");
  std::vector<std::string> results{"earlier"};
  EXPECT_EQ(findFiles(folder, "*", results, 1, false, false), 2);
  EXPECT_EQ(results, (std::vector<std::string>{"earlier", "f.ttf"}));
}

TEST(FindFilesFolderText, Normalised) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"", runDirectory() + "\\"},
      {"\\nowhere\\x", "\\nowhere\\x\\"},
      {"\\nowhere\\x\\", "\\nowhere\\x\\"},
      {"C:\\", "C:\\"},
      {"C:", "C:\\"},
      // The last character has 0x5C as its second byte: it still needs one.
      {"\\nowhere\\\x95\x5C", "\\nowhere\\\x95\x5C\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    std::string folder = c.in;
    std::vector<std::string> results;
    findFiles(folder, ".no-such-ending", results, 0, false, false);
    EXPECT_EQ(folder, c.out);
    EXPECT_TRUE(results.empty());
  }
}

TEST_F(FindFilesTree, CancelStopsTheSearch) {
  std::atomic<uint32_t> latest{7};
  SearchCancel cancel{latest, 6};  // already superseded
  std::string folder = root;
  std::vector<std::string> results;
  EXPECT_EQ(findFiles(folder, nullptr, results, 0, true, true, &cancel), 0);
  SearchCancel current{latest, 7};
  EXPECT_EQ(findFiles(folder, nullptr, results, 0, true, true, &current), 10);
}

}  // namespace
