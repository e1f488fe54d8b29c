// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "base/FileIo.h"
#include "quillmark/WebHosts.h"
#include "session/ListSession.h"
#include "support/TestSupport.h"
#include "web/CachePage.h"
#include "web/WebLaunch.h"
#include "web/WebLinks.h"

namespace quill {
namespace {

using test::RecordingLauncher;
using test::RecordingStatus;
using test::ScriptedQuestions;
using test::TempDir;

std::string Https(const char* host, const std::string& rest) { return std::string("https://") + host + rest; }

TEST(WebLinks, MapUrlsUseSixDecimalsAndAPointInEveryLocale) {
  test::DecimalCommaLocale comma;
  if (!comma.ok()) GTEST_SKIP() << "no locale with a decimal comma";
  EXPECT_EQ(GoogleMapsUrl(51.5, -0.1, 14, 'm'),
            Https(build::kGoogleMapsHost, "/maps?q=51.500000+-0.100000&ll=51.500000,-0.100000&z=14&t=m"));
  EXPECT_EQ(GoogleMapsUrl(-33.8567844, 151.213108, 9, 'k'),
            Https(build::kGoogleMapsHost, "/maps?q=-33.856784+151.213108&ll=-33.856784,151.213108&z=9&t=k"));
  EXPECT_EQ(BingMapsUrl(0, -179.9999996),
            Https(build::kBingMapsHost, "/maps/default.aspx?v=2&sp=point.0.000000_-180.000000"));
  EXPECT_EQ(CacheShortLink("GC12345"), Https(build::kShortLinkHost, "/GC12345"));
}

TEST(WebLinks, WhatWebLinkOpens) {
  struct Case {
    const char* name;
    int typeCode;
    bool realWebLink;
    const char* expected;  // "" for the Url
  } cases[] = {
      {"PK12345", 1, true, "/GC12345"}, {"P1", 0, true, "/GC"},    {"PKA", 5, true, "/GCA"},  {"PK123456", 1, true, ""},
      {"Pk12345", 1, true, ""},         {"P", 1, true, ""},        {"PK-1234", 1, true, ""},  {"PK12345", 6, true, ""},
      {"PK12345", 19, true, ""},        {"PK12345", 1, false, ""}, {"GC12345", 6, false, ""},
  };
  for (const Case& c : cases) {
    TGpxRecord r;
    r.Name = c.name;
    r.TypeCode = c.typeCode;
    r.Url = "  http://example.org/own\r\n";
    std::string expected = *c.expected ? Https(build::kShortLinkHost, c.expected) : "http://example.org/own";
    EXPECT_EQ(WebLinkTarget(r, c.realWebLink), expected) << c.name << " " << c.typeCode << " " << c.realWebLink;
  }
  TGpxRecord none;
  none.TypeCode = 6;
  EXPECT_EQ(WebLinkTarget(none, true), "");
}

TEST(WebLinks, OnlyHttpAndHttpsAreWebLinks) {
  struct Case {
    const char* url;
    bool web;
  } cases[] = {
      {"http://coord.info/GC1", true},
      {"HTTPS://Example.org", true},
      {"https://u:p@host:8080/x?y#z", true},
      {"https://host?q", true},
      {"file:///etc/passwd", false},
      {"javascript:alert(1)", false},
      {"JavaScript://x/%0aalert(1)", false},
      {"data:text/html,<script>", false},
      {"ftp://host/x", false},
      {"/usr/bin/xterm", false},
      {"xterm", false},
      {"http:/host", false},
      {"http://", false},
      {"https:///path", false},
      {"http://user@/x", false},
      {"http://:80/", false},
      {"http://a\nb", false},
      {"http://a\x7f", false},
      // C1 controls, kept whole as UTF-8 from the file: CSI, NEL, and the ends.
      {"http://a/\xc2\x9b"
       "31m",
       false},
      {"http://a/\xc2\x85", false},
      {"http://a/\xc2\x80", false},
      {"http://a/\xc2\x9f", false},
      // Windows-1252 bytes 0x80..0x9F are printable there (the euro sign, quotes).
      {"http://a/\x80\x93\x9b", true},
      {"http://a/\xc2\xa0\xc3\xa9", true},
      {"shttp://host", false},
      {" http://host", false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsWebLink(c.url), c.web) << c.url;
}

class WebLaunch : public ::testing::Test {
 protected:
  WebLaunch() : session_(status_, questions_) {
    session_.SetLauncher(&launcher_);
    session_.SetProgramFolder(data_.path() + "/");
    session_.SetWorkFolder(work_.path() + "/cache/quillmark");
  }
  void WriteTemplate(const std::string& text) {
    mkdir((data_.path() + "/html").c_str(), 0755);
    test::WriteFileBytes(data_.File("html/default.htm"), text);
    test::WriteFileBytes(data_.File("html/sr.gif"), "GIF89a-star");
  }
  const TGpxRecord* AddCache(const std::string& name) {
    const TGpxRecord* r = session_.AddToList(1, 2, name);
    return r;
  }
  static std::uint32_t Mode(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
  }

  RecordingStatus status_;
  ScriptedQuestions questions_;
  RecordingLauncher launcher_;
  TempDir data_, work_;
  ListSession session_;
};

TEST_F(WebLaunch, CachePageIsWrittenPrivatelyWithItsImagesAndOpened) {
  WriteTemplate("<title><!--TW_PAGE_TITLE--></title>\r\n<img src=\"sr.gif\">");
  TGpxRecord r;
  r.Name = "GC1";
  ASSERT_TRUE(ShowCachePage(session_, r));
  const std::string page = CachePagePath(session_);
  EXPECT_EQ(page, work_.path() + "/cache/quillmark/tmp.htm");
  EXPECT_EQ(launcher_.opened, std::vector<std::string>{"file:" + page});
  EXPECT_EQ(test::ReadFileBytes(page), "<title>GC1 - </title>\n<img src=\"sr.gif\">");
  EXPECT_EQ(Mode(page), 0600u);
  EXPECT_EQ(Mode(FolderOfPath(page)), 0700u);
  EXPECT_EQ(test::ReadFileBytes(FolderOfPath(page) + "/tmp_files/sr.gif"), "GIF89a-star");
  EXPECT_EQ(Mode(FolderOfPath(page) + "/tmp_files"), 0700u);

  // An older page readable by others is replaced by a private one.
  chmod(page.c_str(), 0644);
  ASSERT_TRUE(ShowCachePage(session_, r));
  EXPECT_EQ(Mode(page), 0600u);
}

TEST_F(WebLaunch, MissingTemplateOrUnwritablePageSaySoAndOpenNothing) {
  TGpxRecord r;
  EXPECT_FALSE(ShowCachePage(session_, r));
  EXPECT_EQ(status_.set.back(),
            std::make_pair(2, "Cache page template missing: " + data_.path() + "/html/default.htm"));

  WriteTemplate("x");
  // The work folder's place is taken by a file.
  session_.SetWorkFolder(data_.File("html/default.htm") + "/sub");
  EXPECT_FALSE(ShowCachePage(session_, r));
  EXPECT_EQ(status_.set.back().first, 2);
  EXPECT_EQ(status_.set.back().second.rfind("Cannot write ", 0), 0u) << status_.set.back().second;
  const TGpxRecord* shown = AddCache("A");
  ASSERT_NE(shown, nullptr);
  EXPECT_FALSE(LaunchGoogleEarth(session_));
  EXPECT_EQ(status_.set.back(), std::make_pair(2, "Cannot write " + data_.File("html/default.htm") + "/sub/tmp.kml"));
  EXPECT_TRUE(launcher_.opened.empty());
}

TEST_F(WebLaunch, GoogleEarthWritesTheShownListOrNothing) {
  EXPECT_FALSE(LaunchGoogleEarth(session_));
  EXPECT_FALSE(FileExists(GoogleEarthPath(session_)));
  EXPECT_TRUE(launcher_.opened.empty());
  EXPECT_TRUE(status_.set.empty());

  AddCache("A");
  AddCache("B");
  ASSERT_TRUE(LaunchGoogleEarth(session_));
  const std::string kml = GoogleEarthPath(session_);
  EXPECT_EQ(launcher_.opened, std::vector<std::string>{"file:" + kml});
  EXPECT_EQ(Mode(kml), 0600u);
  const std::string text = test::ReadFileBytes(kml);
  EXPECT_NE(text.find("<name>A</name>"), std::string::npos);
  EXPECT_NE(text.find("<name>B</name>"), std::string::npos);
}

TEST_F(WebLaunch, WebLinksOpenOnlyHttpAndMapsOpenTheirUrl) {
  TGpxRecord r;
  r.TypeCode = 6;
  for (const char* bad : {"file:///home/u/.bashrc", "javascript:alert(document.cookie)", "/usr/bin/xcalc"}) {
    r.Url = bad;
    EXPECT_FALSE(LaunchWebLink(session_, r, false));
    EXPECT_EQ(status_.set.back(), std::make_pair(2, std::string("Not a web link: ") + bad));
  }
  r.Url = "javascript:a\nb";
  EXPECT_FALSE(LaunchWebLink(session_, r, false));
  EXPECT_EQ(status_.set.back().second, "Not a web link: javascript:a b");
  std::size_t messages = status_.set.size();
  r.Url = "";
  EXPECT_FALSE(LaunchWebLink(session_, r, false));
  EXPECT_EQ(status_.set.size(), messages);
  EXPECT_TRUE(launcher_.opened.empty());

  r.Url = "https://example.org/cache?id=1";
  EXPECT_TRUE(LaunchWebLink(session_, r, true));
  r.Name = "WP00001";
  r.TypeCode = 2;
  EXPECT_TRUE(LaunchWebLink(session_, r, true));
  LaunchGoogleMaps(session_, 0, 0, 14, 'h');
  LaunchBingMaps(session_, 1, 2);
  EXPECT_EQ(
      launcher_.opened,
      (std::vector<std::string>{"url:https://example.org/cache?id=1", "url:" + Https(build::kShortLinkHost, "/GC00001"),
                                "url:" + GoogleMapsUrl(0, 0, 14, 'h'), "url:" + BingMapsUrl(1, 2)}));
}

}  // namespace
}  // namespace quill
