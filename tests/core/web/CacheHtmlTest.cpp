// SPDX-License-Identifier: GPL-3.0-or-later
// Third-party HTML through the cleaner: what stays, what goes, and what
// hostile input costs.
#include <gtest/gtest.h>

#include <string>

#include "web/CacheHtml.h"

namespace quill {
namespace {

std::string Repeat(const std::string& s, int n) {
  std::string out;
  out.reserve(s.size() * static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

// "<p>" and n open <b> that differ in an attribute, so none stands for another.
std::string DistinctBold(int n) {
  std::string out = "<p>";
  for (int i = 0; i < n; ++i) out += "<b a=" + std::to_string(i) + ">";
  return out;
}

TEST(CacheHtml, KeepsHarmlessMarkupAndDropsWhatIsActive) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      // Harmless mark-up and text stay; text is escaped, elements closed.
      {"<p>Tom &amp; Jerry</p>", "<p>Tom &amp; Jerry</p>"},
      {"a < b > c \"q\"", "a &lt; b &gt; c &quot;q&quot;"},
      {"<b>bold<i>both", "<b>bold<i>both</i></b>"},
      {"Caf&eacute; &#x3b1; &nbsp;", "Caf\xc3\xa9 \xce\xb1 \xc2\xa0"},
      {"<font color=red face=Arial size=3 onmouseover=x()>f</font>",
       "<font color=\"red\" face=\"Arial\" size=\"3\">f</font>"},
      {"<table border=1><tr><td colspan=2 background=http://127.0.0.1/t>c</table>",
       "<table border=\"1\"><tbody><tr><td colspan=\"2\">c</td></tr></tbody></table>"},
      {"<ul><li>one<li>two</ul><h2>H</h2><br/><hr>", "<ul><li>one</li><li>two</li></ul><h2>H</h2><br><hr>"},
      {"<span style=\"color: red; font-weight: bold\">s</span>",
       "<span style=\"color: red; font-weight: bold\">s</span>"},
      // Active elements go with their content.
      {"x<script>alert(1)</script>y", "xy"},
      {"<style>body{background:url(http://127.0.0.1/s)}</style>z", "z"},
      {"<meta http-equiv=\"refresh\" content=\"1;url=http://127.0.0.1/m\">r", "r"},
      {"<link rel=prefetch href=http://127.0.0.1/l>l", "l"},
      {"<base href=http://127.0.0.1/>b", "b"},
      {"<iframe src=http://127.0.0.1/i>inner</iframe><frame src=x>f", "f"},
      {"<object data=x.swf><param name=a value=b>fallback</object><embed src=x.swf>o", "o"},
      {"<form action=http://127.0.0.1/f><input name=p><button>go</button><textarea>t</textarea></form>after", "after"},
      {"<svg><image href=http://127.0.0.1/s /><script>x()</script></svg>s", "s"},
      {"<math><mi xlink:href=javascript:x>m</mi></math>m", "m"},
      {"<template><img src=http://127.0.0.1/t></template>t", "t"},
      {"<noscript><img src=http://127.0.0.1/n></noscript>n", "n"},
      {"<video poster=http://127.0.0.1/p src=x></video><audio src=x></audio>v", "v"},
      {"<!-- <!--TW_HINT--> -->c", " --&gt;c"},
      // Unknown elements lose their tags only.
      {"<o:p>office</o:p><blink>b</blink><marquee>m</marquee>", "officebm"},
      // Attributes: every on* goes, links only to the web, images also beside the page.
      {"<a href=\"https://example.org/x?a=1&amp;b=2\" onclick=\"x()\" target=_blank>w</a>",
       "<a href=\"https://example.org/x?a=1&amp;b=2\">w</a>"},
      {"<a href=\" jav&#x09;ascript:alert(1)\">j</a>", "j"},
      {"<a href=\"java\nscript:x\">n</a><a href=data:text/html,x>d</a><a href=mailto:a@b>m</a><a>bare</a>", "ndmbare"},
      {"<a href=\"\n HTTP://example.org/\n\">u</a>", "<a href=\"HTTP://example.org/\">u</a>"},
      {"<img src=\"http://example.org/i.jpg\" alt=\"i\" width=10 onerror=\"x()\" srcset=\"http://127.0.0.1/s 2x\">",
       "<img src=\"http://example.org/i.jpg\" alt=\"i\" width=\"10\">"},
      {"<img src=photo.jpg><img src=\"sub/p.gif\"><img src=/abs.gif>",
       "<img src=\"photo.jpg\"><img src=\"sub/p.gif\"><img src=\"/abs.gif\">"},
      {"<img src=data:image/gif;base64,R0lGOD><img src=javascript:x><img src=//127.0.0.1/p><img src=\\\\host\\p>"
       "<img src=file:///etc/x><img>",
       ""},
      {"<span style=\"background:url(http://127.0.0.1/u)\">1</span><span style=\"background:image-set('x' 1x)\">2"
       "</span><span style=\"b\\61 ckground:u\\72l(x)\">3</span><div style=\"@import 'x'\">4</div>",
       "<span>1</span><span>2</span><span>3</span><div>4</div>"},
      {"<div id=x name=y class=c lang=nl title='t\"q'>d</div>", "<div lang=\"nl\" title=\"t&quot;q\">d</div>"},
      // Text that is no mark-up, and bytes that are no UTF-8.
      {"1 < 2 && 3 > 2", "1 &lt; 2 &amp;&amp; 3 &gt; 2"},
      {"\xff\xfe ok", "\xef\xbf\xbd\xef\xbf\xbd ok"},
      {"</div></p></table>x", "<p></p>x"},
  };
  for (const Case& c : cases) EXPECT_EQ(CleanCacheHtml(c.in), c.out) << c.in;
}

TEST(CacheHtml, TextIsTheVisibleTextEscaped) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"Tom &amp; Jerry", "Tom &amp; Jerry"},
      {"  <b>Big</b>\n\n  <i>cache</i>  ", "Big cache"},
      {"</title><script>x()</script>Name", "Name"},
      {"line<br>break", "line break"},
      {"<a href=javascript:x>&lt;/title&gt;</a>", "&lt;/title&gt;"},
  };
  CacheHtmlCleaner cleaner;
  for (const Case& c : cases) EXPECT_EQ(cleaner.Text(c.in), c.out) << c.in;
}

// Inputs that blow up a naive parse or writer stay within their bound and
// come out as something safe: the parse itself, or the input as text.
TEST(CacheHtml, HostileShapesStayBounded) {
  struct Case {
    const char* what;
    std::string in;
    bool parsed;  // false: shown as escaped text
  } cases[] = {
      // The formatting-element rules rebuild every open <b> in each new <p>.
      {"reconstruction bomb",
       "<p>" + Repeat("<b a=1><b a=2><b a=3><b a=4><b a=5><b a=6><b a=7>", 40) + Repeat("</p><p>x", 300), true},
      {"deep nesting", Repeat("<div>", 7000) + "deep", true},
      // 1,000 different open <b>, each rebuilt in 3,000 paragraphs: millions
      // of elements from 30 KB; the parse is given up at its memory bound.
      {"reconstruction past the parser's memory", DistinctBold(1000) + Repeat("</p><p>x", 3000), false},
      {"too many tags for one fragment", Repeat("<i>", 9000) + "x", false},
      {"entities", Repeat("&", 5000), true},
      {"unclosed everything", Repeat("<table><tr><td><ul><li><b>", 500), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string out = CleanCacheHtml(c.in);
    EXPECT_LE(out.size(), CacheHtmlCleaner::kMostGrowth * c.in.size() + CacheHtmlCleaner::kSlack);
    EXPECT_EQ(out.find("<!--"), std::string::npos);
    EXPECT_EQ(out.rfind("&lt;", 0) == 0, !c.parsed) << out.substr(0, 80);
  }
  // Elements nested past the depth limit lose their tags, not their text.
  const std::string deep = CleanCacheHtml(Repeat("<div>", 7000) + "deep");
  EXPECT_NE(deep.find("deep"), std::string::npos);
  EXPECT_LE(deep.size(), 2 * 200 * std::string("<div></div>").size() + 4);
}

TEST(CacheHtml, OnePageSharesOneAllowanceForLargeFragments) {
  CacheHtmlCleaner cleaner;
  const std::string large = Repeat("<span>", 7000);
  int parsed = 0;
  for (int i = 0; i < 10; ++i) {
    if (cleaner.Clean(large).rfind("<span>", 0) == 0) ++parsed;
  }
  // 40,000 tags for the page: five fragments of 7,000 are parsed, the rest shown as text.
  EXPECT_EQ(parsed, 5);
  // Small fragments cost nothing of it.
  EXPECT_EQ(cleaner.Clean("<b>small</b>"), "<b>small</b>");
}

}  // namespace
}  // namespace quill
