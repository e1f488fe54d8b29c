// SPDX-License-Identifier: GPL-3.0-or-later
// quillmark-cli page and link.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <functional>

#include "quillmark/WebHosts.h"
#include "support/TestSupport.h"

namespace quill {
namespace {

using test::RunCommand;
using test::ShellQuote;
using test::TempDir;
using test::WriteFileBytes;

std::string Waypoint(const std::string& name, const std::string& type, const std::string& url,
                     const std::string& groundspeak = "") {
  return "<wpt lat=\"51.5\" lon=\"-0.1\"><time>2010-09-24T00:00:00Z</time><name>" + name + "</name><url>" + url +
         "</url><type>" + type + "</type>" + groundspeak + "</wpt>\n";
}

class CliPage : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string gs =
        "<groundspeak:cache id=\"1\" available=\"False\" archived=\"False\" "
        "xmlns:groundspeak=\"http://www.groundspeak.com/cache/1/0/1\"><groundspeak:name>Mill &amp; Pond"
        "</groundspeak:name><groundspeak:type>Multi-cache</groundspeak:type><groundspeak:difficulty>2.5"
        "</groundspeak:difficulty><groundspeak:long_description html=\"True\">&lt;script&gt;alert(1)&lt;/script&gt;"
        "</groundspeak:long_description></groundspeak:cache>";
    WriteFileBytes(file_, "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<gpx version=\"1.0\" creator=\"t\">\n" +
                              Waypoint("GC1AB", "Geocache|Multi-cache", "http://example.org/GC1AB", gs) +
                              Waypoint("PK1AB", "Waypoint|Parking Area", "https://example.org/p") +
                              Waypoint("GC2", "Geocache|Traditional Cache", "javascript:alert(1)") +
                              Waypoint("GC3", "Geocache|Traditional Cache", "") +
                              Waypoint("GC4", "Geocache|Traditional Cache",
                                       "http://x.org/\xc2\x9b"
                                       "2J\xc2\x85") +
                              Waypoint("GC5", "Geocache|Traditional Cache", "http://x.org/&#x9b;2J&#133;") +
                              Waypoint("GC6", "Geocache|Traditional Cache", "http://x.org/\x1b[2J\x7f") + "</gpx>\n");
  }
  int Run(const std::string& args, std::string* out) {
    return RunCommand(ShellQuote(QUILL_CLI_PATH) + " " + args + " 2>&1", out);
  }

  TempDir dir_;
  std::string file_ = dir_.File("in.gpx");
};

TEST_F(CliPage, PageOfTheNamedCacheWithItsImagesInItsOwnFolder) {
  std::string out;
  const std::string page = dir_.File("out/page.htm");
  mkdir(dir_.File("out").c_str(), 0755);
  ASSERT_EQ(Run("page GC1AB " + ShellQuote(file_) + " " + ShellQuote(page), &out), 0) << out;
  const std::string text = test::ReadFileBytes(page);
  EXPECT_NE(text.find("<title>GC1AB - Mill &amp; Pond</title>"), std::string::npos);
  EXPECT_NE(text.find("<strike>Mill &amp; Pond</strike>"), std::string::npos);
  EXPECT_NE(text.find("src=\"page_files/Cache_Multi.gif\""), std::string::npos);
  EXPECT_EQ(text.find("alert(1)"), std::string::npos);
  EXPECT_NE(text.find("Content-Security-Policy"), std::string::npos);
  EXPECT_EQ(text.find("<!--TW_"), std::string::npos);
  for (const char* image : {"Cache_Multi.gif", "sr.gif", "srh.gif", "icon_smile.gif"})
    EXPECT_EQ(test::ReadFileBytes(dir_.File(std::string("out/page_files/") + image)).substr(0, 6), "GIF89a") << image;

  const std::string own = dir_.File("own.htm");
  WriteFileBytes(own, "<!--TW_PAGE_TITLE-->|<!--TW_DIFFICULTY-->");
  ASSERT_EQ(Run("page --template " + ShellQuote(own) + " GC1AB " + ShellQuote(file_) + " " + ShellQuote(page), &out), 0)
      << out;
  EXPECT_EQ(test::ReadFileBytes(page),
            "GC1AB - Mill &amp; Pond|<img border=\"0\" src=\"page_files/sr.gif\" width=\"13\" height=\"13\">"
            "<img border=\"0\" src=\"page_files/sr.gif\" width=\"13\" height=\"13\"><img border=\"0\" "
            "src=\"page_files/srh.gif\" width=\"7\" height=\"13\">");

  struct Failure {
    std::string args;
    int rc;
    std::string says;
  } failures[] = {
      {"page NOPE " + ShellQuote(file_) + " " + ShellQuote(page), 1, "no waypoint named NOPE"},
      {"page --template " + ShellQuote(dir_.File("none.htm")) + " GC1AB " + ShellQuote(file_) + " " + ShellQuote(page),
       1, "cache page template missing"},
      {"page GC1AB " + ShellQuote(file_) + " " + ShellQuote(dir_.File("no/such/folder.htm")), 1, "no/such/folder.htm"},
      {"page GC1AB " + ShellQuote(dir_.File("missing.gpx")) + " " + ShellQuote(page), 1, ""},
      {"page GC1AB " + ShellQuote(page), 2, "(try 'quillmark-cli page --help')"},
  };
  for (const Failure& f : failures) {
    EXPECT_EQ(Run(f.args, &out), f.rc) << f.args << "\n" << out;
    EXPECT_NE(out.find(f.says), std::string::npos) << out;
  }
}

// What may already lie where the page and its images go. Whatever it is,
// nothing outside the output folder changes, and only the page and its
// folder appear in it.
TEST_F(CliPage, PageNeverWritesOutsideItsFolder) {
  const std::string victim = dir_.File("victim");
  mkdir(victim.c_str(), 0755);
  WriteFileBytes(victim + "/file", "precious");
  struct Case {
    const char* what;
    std::function<void(const std::string& out)> plant;
    const char* says;  // empty: the page is written
  } cases[] = {
      {"nothing there", [](const std::string&) {}, ""},
      {"an older page and its folder",
       [](const std::string& out) {
         WriteFileBytes(out + "/page.htm", "old");
         mkdir((out + "/page_files").c_str(), 0755);
         WriteFileBytes(out + "/page_files/sr.gif", "old");
       },
       ""},
      {"a link among the images of an older page",
       [&](const std::string& out) {
         mkdir((out + "/page_files").c_str(), 0755);
         symlink((victim + "/file").c_str(), (out + "/page_files/sr.gif").c_str());
       },
       ""},
      {"the page is a link",
       [&](const std::string& out) { symlink((victim + "/file").c_str(), (out + "/page.htm").c_str()); },
       "is a symbolic link"},
      {"the page is a dangling link",
       [&](const std::string& out) { symlink((victim + "/new").c_str(), (out + "/page.htm").c_str()); },
       "is a symbolic link"},
      {"the page is a FIFO", [](const std::string& out) { mkfifo((out + "/page.htm").c_str(), 0600); },
       "not a regular file"},
      {"the page is a socket", [](const std::string& out) { test::BindUnixSocket(out + "/page.htm"); },
       "not a regular file"},
      {"the page is a folder", [](const std::string& out) { mkdir((out + "/page.htm").c_str(), 0755); },
       "not a regular file"},
      {"the images folder is a link",
       [&](const std::string& out) { symlink(victim.c_str(), (out + "/page_files").c_str()); },
       "not the page's own folder"},
      {"the images folder holds other files",
       [](const std::string& out) {
         mkdir((out + "/page_files").c_str(), 0755);
         WriteFileBytes(out + "/page_files/notes.txt", "mine");
       },
       "not the page's own folder"},
      {"the images folder is a file", [](const std::string& out) { WriteFileBytes(out + "/page_files", "x"); },
       "not the page's own folder"},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string out = dir_.File("out" + std::to_string(n++));
    mkdir(out.c_str(), 0755);
    c.plant(out);
    const auto before = test::ListTree(out);
    std::string said;
    const int rc = Run("page GC1AB " + ShellQuote(file_) + " " + ShellQuote(out + "/page.htm"), &said);
    EXPECT_EQ(test::ReadFileBytes(victim + "/file"), "precious");
    EXPECT_EQ(test::ListTree(victim), (std::vector<std::string>{"file"}));
    if (*c.says) {
      EXPECT_EQ(rc, 1) << said;
      EXPECT_NE(said.find(c.says), std::string::npos) << said;
      EXPECT_EQ(test::ListTree(out), before);
      continue;
    }
    EXPECT_EQ(rc, 0) << said;
    std::vector<std::string> expected = {"page.htm", "page_files"};
    for (const char* image :
         {"Cache_Default.gif", "Cache_Earth.gif", "Cache_Event.gif", "Cache_Letterbox.gif", "Cache_Locationless.gif",
          "Cache_Multi.gif", "Cache_Mystery.gif", "Cache_Traditional.gif", "Cache_Virtual.gif", "Cache_Webcam.gif",
          "icon_attend.gif", "icon_attended.gif", "icon_disabled.gif", "icon_note.gif", "icon_sad.gif",
          "icon_smile.gif", "sr.gif", "srh.gif"}) {
      expected.push_back(std::string("page_files/") + image);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(test::ListTree(out), expected);
    struct stat st {};
    ASSERT_EQ(lstat((out + "/page_files/sr.gif").c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
  }
}

TEST_F(CliPage, LinkPrintsWhatWebLinkOpens) {
  struct Case {
    std::string args;
    int rc;
    std::string out;
  } cases[] = {
      {"link GC1AB", 0, "http://example.org/GC1AB\n"},
      {"link PK1AB", 0, "https://example.org/p\n"},
      {"link --real-web-link PK1AB", 0, std::string("https://") + build::kShortLinkHost + "/GC1AB\n"},
      {"link --real-web-link GC1AB", 0, "http://example.org/GC1AB\n"},
      {"link GC3", 0, ""},
      {"link GC2", 1, "quillmark-cli: Not a web link: javascript:alert(1)\n"},
      // Control characters, C0 and C1, are refused and never reach the terminal.
      {"link GC4", 1, "quillmark-cli: Not a web link: http://x.org/ 2J \n"},
      {"link GC6", 1, "quillmark-cli: Not a web link: http://x.org/ [2J \n"},
      {"link NOPE", 1, "quillmark-cli: no waypoint named NOPE\n"},
  };
  for (const Case& c : cases) {
    std::string out;
    EXPECT_EQ(Run(c.args + " " + ShellQuote(file_), &out), c.rc) << c.args;
    EXPECT_EQ(out, c.out) << c.args;
  }
}

}  // namespace
}  // namespace quill
