// SPDX-License-Identifier: GPL-3.0-or-later
// quillmark-cli page and link.
#include <gtest/gtest.h>
#include <sys/stat.h>

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
                              Waypoint("GC3", "Geocache|Traditional Cache", "") + "</gpx>\n");
  }
  int Run(const std::string& args, std::string* out) {
    return RunCommand(ShellQuote(QUILL_CLI_PATH) + " " + args + " 2>&1", out);
  }

  TempDir dir_;
  std::string file_ = dir_.File("in.gpx");
};

TEST_F(CliPage, PageOfTheNamedCacheWithItsImagesBeside) {
  std::string out;
  const std::string page = dir_.File("out/page.htm");
  mkdir(dir_.File("out").c_str(), 0755);
  ASSERT_EQ(Run("page GC1AB " + ShellQuote(file_) + " " + ShellQuote(page), &out), 0) << out;
  const std::string text = test::ReadFileBytes(page);
  EXPECT_NE(text.find("<title>GC1AB - Mill & Pond</title>"), std::string::npos);
  EXPECT_NE(text.find("<strike>Mill & Pond</strike>"), std::string::npos);
  EXPECT_NE(text.find("src=\"Cache_Multi.gif\""), std::string::npos);
  EXPECT_NE(text.find("Content-Security-Policy"), std::string::npos);
  EXPECT_EQ(text.find("<!--TW_"), std::string::npos);
  for (const char* image : {"Cache_Multi.gif", "sr.gif", "srh.gif", "icon_smile.gif"})
    EXPECT_EQ(test::ReadFileBytes(dir_.File(std::string("out/") + image)).substr(0, 6), "GIF89a") << image;

  const std::string own = dir_.File("own.htm");
  WriteFileBytes(own, "<!--TW_PAGE_TITLE-->|<!--TW_DIFFICULTY-->");
  ASSERT_EQ(Run("page --template " + ShellQuote(own) + " GC1AB " + ShellQuote(file_) + " " + ShellQuote(page), &out), 0)
      << out;
  EXPECT_EQ(test::ReadFileBytes(page),
            "GC1AB - Mill & Pond|<img border=\"0\" src=\"sr.gif\" width=\"13\" height=\"13\"><img border=\"0\" "
            "src=\"sr.gif\" width=\"13\" height=\"13\"><img border=\"0\" src=\"srh.gif\" width=\"7\" height=\"13\">");

  struct Failure {
    std::string args;
    int rc;
    std::string says;
  } failures[] = {
      {"page NOPE " + ShellQuote(file_) + " " + ShellQuote(page), 1, "no waypoint named NOPE"},
      {"page --template " + ShellQuote(dir_.File("none.htm")) + " GC1AB " + ShellQuote(file_) + " " + ShellQuote(page),
       1, "cache page template missing"},
      {"page GC1AB " + ShellQuote(file_) + " " + ShellQuote(dir_.File("no/such/folder.htm")), 1, "cannot write"},
      {"page GC1AB " + ShellQuote(dir_.File("missing.gpx")) + " " + ShellQuote(page), 1, ""},
      {"page GC1AB " + ShellQuote(page), 2, "(try 'quillmark-cli page --help')"},
  };
  for (const Failure& f : failures) {
    EXPECT_EQ(Run(f.args, &out), f.rc) << f.args << "\n" << out;
    EXPECT_NE(out.find(f.says), std::string::npos) << out;
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
