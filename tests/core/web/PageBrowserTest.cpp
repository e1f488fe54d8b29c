// SPDX-License-Identifier: GPL-3.0-or-later
// The cache page in a real browser (headless Chromium): a page made from
// hostile descriptions loads nothing from the network and stays where it is.
// A loopback server counts every connection the browser makes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "base/ProgramFolders.h"
#include "support/FtpServer.h"
#include "support/TestSupport.h"
#include "text/XmlText.h"
#include "web/CachePage.h"

namespace quill {
namespace {

// Every way a description has been seen to make the browser fetch or move.
std::string HostileHtml(const std::string& url) {
  return "<meta http-equiv=\"refresh\" content=\"0;url=" + url +
         "/refresh\">"
         "<meta http-equiv=refresh content='1; URL=" +
         url +
         "/refresh1'>"
         "<link rel=prefetch href=" +
         url + "/prefetch><link rel=preload as=image href=" + url +
         "/preload>"
         "<link rel=preconnect href=" +
         url + "><link rel=stylesheet href=" + url +
         "/sheet.css>"
         "<link rel=icon href=" +
         url + "/icon.png><base href=\"" + url +
         "/base/\">"
         "<style>@import '" +
         url + "/import.css'; body { background: url(" + url +
         "/style.png) }</style>"
         "<span style=\"background-image: url(" +
         url +
         "/inline.png)\">styled</span>"
         "<table background=\"" +
         url + "/table.png\"><tr><td background=\"" + url +
         "/cell.png\">cell</td></tr></table>"
         "<img srcset=\"" +
         url +
         "/srcset.png 2x\"><img src=\"relative.gif\">"
         "<picture><source srcset=\"" +
         url +
         "/source.png\"><img src=x.gif></picture>"
         "<video poster=\"" +
         url + "/poster.png\" src=\"" + url + "/video\"></video><audio src=\"" + url +
         "/audio\" autoplay></audio>"
         "<iframe src=\"" +
         url + "/iframe\"></iframe><object data=\"" + url +
         "/object\"></object>"
         "<embed src=\"" +
         url + "/embed\"><input type=image src=\"" + url +
         "/input.png\">"
         "<svg><image href=\"" +
         url + "/svg.png\" /><use href=\"" + url +
         "/use.svg#a\" /></svg>"
         "<form action=\"" +
         url +
         "/form\"><input name=q autofocus></form>"
         "<script>location='" +
         url + "/script'</script><img src=x onerror=\"location='" + url +
         "/onerror'\">"
         "<p>Still a description.</p>";
}

std::string Element(const std::string& tag, const std::string& text, const std::string& attributes = "") {
  return "<groundspeak:" + tag + attributes + ">" + text + "</groundspeak:" + tag + ">";
}

TGpxRecord HostileCache(const std::string& url) {
  const std::string hostile = EscapeXmlText(HostileHtml(url));
  TGpxRecord r;
  r.Name = "GC1BAD";
  r.GroundspeakXml =
      "<groundspeak:cache id=\"1\" available=\"True\" archived=\"False\">" +
      Element("name",
              EscapeXmlText("Nice &amp; quiet</title><meta http-equiv=refresh content=\"0;url=" + url + "/title\">")) +
      Element("short_description", hostile, " html=\"True\"") + Element("long_description", hostile, " html=\"True\"") +
      Element("encoded_hints", hostile) +
      "<groundspeak:logs><groundspeak:log><groundspeak:type>Found it</groundspeak:type>" + Element("finder", hostile) +
      Element("text", hostile) + "</groundspeak:log></groundspeak:logs>" + "</groundspeak:cache>";
  return r;
}

// Runs Chromium on the page file until the page has settled (virtual time);
// the document it ended with, serialised.
std::string DomAfterLoading(const std::string& page, const test::TempDir& dir) {
  std::string command =
      "timeout 60 chromium --headless --disable-gpu --disable-background-networking "
      "--disable-component-update --no-first-run --virtual-time-budget=1500 --user-data-dir=" +
      test::ShellQuote(dir.File("profile")) + " --dump-dom " + test::ShellQuote("file://" + page);
  if (::geteuid() == 0) command += " --no-sandbox";
  std::string dom;
  test::RunCommand(command + " 2>/dev/null", &dom);
  return dom;
}

std::string TitleOf(const std::string& dom) {
  const std::size_t start = dom.find("<title>");
  const std::size_t end = dom.find("</title>");
  if (start == std::string::npos || end == std::string::npos || end < start) return {};
  return dom.substr(start + 7, end - start - 7);
}

std::string ShippedTemplate() {
  return test::ReadFileBytes(std::string(QUILL_SOURCE_DIR) + "/resources/html/default.htm");
}

TEST(PageBrowser, HostileDescriptionsFetchNothingAndDoNotNavigate) {
  QUILL_SKIP_WITHOUT_TOOL("chromium");
  test::TempDir dir;
  {
    // First the harness itself: the same descriptions put in raw, under the
    // same policy, do make Chromium fetch and move.
    test::CountingServer control;
    ASSERT_GT(control.Port(), 0);
    std::string raw = ShippedTemplate();
    ReplaceAll(raw, "<!--TW_LONG_DESCRIPTION-->", HostileHtml(control.Url()));
    const std::string rawPage = dir.File("raw.htm");
    test::WriteFileBytes(rawPage, raw);
    DomAfterLoading(rawPage, dir);
    ASSERT_FALSE(control.Requests().empty()) << "Chromium fetched nothing even from the raw page";
  }

  test::CountingServer server;
  ASSERT_GT(server.Port(), 0);
  const std::string page = dir.File("page.htm");
  std::string why;
  ASSERT_TRUE(WriteCachePage(page,
                             BuildCachePage(ShippedTemplate(), HostileCache(server.Url()), CachePageImageUrl(page)),
                             {DataFolder() + "html"}, false, &why))
      << why;
  const std::string dom = DomAfterLoading(page, dir);
  ASSERT_FALSE(dom.empty());
  for (const std::string& request : server.Requests()) ADD_FAILURE() << "fetched: " << request;
  EXPECT_EQ(TitleOf(dom), "GC1BAD - Nice &amp; quiet");
  EXPECT_NE(dom.find("Still a description."), std::string::npos);
}

}  // namespace
}  // namespace quill
