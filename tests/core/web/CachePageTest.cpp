// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/XmlText.h"
#include "web/CachePage.h"

namespace quill {
namespace {

// A Groundspeak element as the GPX reader keeps it (UTF-8, entities as in the file).
std::string Groundspeak(const std::string& inner, const std::string& cacheAttributes = "") {
  return "<groundspeak:cache id=\"1\"" + cacheAttributes +
         " xmlns:groundspeak=\"http://www.groundspeak.com/cache/1/0\">" + inner + "</groundspeak:cache>";
}

std::string Element(const std::string& tag, const std::string& text, const std::string& attributes = "") {
  return "<groundspeak:" + tag + attributes + ">" + text + "</groundspeak:" + tag + ">";
}

std::string Log(const std::string& date, const std::string& type, const std::string& finder, const std::string& text) {
  return "<groundspeak:log id=\"7\">" + Element("date", date) + Element("type", type) +
         Element("finder", finder, " id=\"9\"") + Element("text", text, " encoded=\"False\"") + "</groundspeak:log>";
}

TGpxRecord Cache() {
  TGpxRecord r;
  r.Name = "GC1ABC";
  r.Lat = 51.31735;
  r.Lon = -4.35495;
  r.Time = "2010-09-24T07:00:00Z";
  r.TypeCode = 6;
  r.GroundspeakXml = Groundspeak(
      Element("name", "Tom &amp; Jerry") + Element("placed_by", "Ann") + Element("type", "Traditional Cache") +
          Element("container", "Small") + Element("difficulty", "1.5") + Element("terrain", "2") +
          Element("country", "Belgium") + Element("state", "Antwerpen") +
          Element("short_description", "one\ntwo", " html=\"False\"") +
          Element("long_description", "<b>long</b>\nend", " html=\"False\"") + Element("encoded_hints", "under") +
          "<groundspeak:logs>" + Log("2011-02-03T00:00:00", "Found it", "Bo", "fine\nthanks") +
          Log("2011-01-02T00:00:00", "Didn't find it", "Cy", "no luck") + "</groundspeak:logs>",
      " available=\"True\" archived=\"False\"");
  return r;
}

constexpr const char* kWholeStar = "<img border=\"0\" src=\"sr.gif\" width=\"13\" height=\"13\">";
constexpr const char* kHalfStar = "<img border=\"0\" src=\"srh.gif\" width=\"7\" height=\"13\">";

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

TEST(CachePage, EveryMarkerOfOneCache) {
  std::string templ;
  for (std::string_view m : CachePageMarkers()) templ += "[" + std::string(m) + "]\n";
  // The images folder goes before every image name the values carry.
  std::string inFolder = BuildCachePage(templ, Cache(), "a%20b_files/");
  ReplaceAll(inFolder, "a%20b_files/", "");
  const std::string page = BuildCachePage(templ, Cache());
  EXPECT_EQ(inFolder, page);
  EXPECT_NE(page.find("src=\"icon_sad.gif\""), std::string::npos);
  const std::string expected =
      "[GC1ABC - Tom &amp; Jerry]\n"
      "[Cache_Traditional.gif]\n"
      "[Tom &amp; Jerry]\n"
      "[N 51&deg; 19.041   W 004&deg; 21.297]\n"
      "[Small]\n"
      "[Belgium (Antwerpen)]\n"
      "[Ann]\n"
      "[GC1ABC]\n"
      "[24 sep 2010]\n"
      "[" +
      std::string(kWholeStar) + kHalfStar +
      "]\n"
      "[" +
      std::string(kWholeStar) + kWholeStar +
      "]\n"
      "[one<br>two]\n"
      "[<b>long</b><br>end]\n"
      "[under]\n"
      "[<p><img border=\"0\" src=\"icon_smile.gif\" width=\"16\" height=\"16\"> &nbsp <b> 03 feb 2011 by Bo</b><br>"
      "fine<br>thanks</p>"
      "<p><img border=\"0\" src=\"icon_sad.gif\" width=\"16\" height=\"16\"> &nbsp <b> 02 jan 2011 by Cy</b><br>"
      "no luck</p>]\n";
  EXPECT_EQ(page, expected);
}

TEST(CachePage, MarkersAreReplacedInTheTemplateOnly) {
  TGpxRecord r = Cache();
  // A value holding a marker keeps it as text of its own (the cleaning drops
  // the comment), never gets another value put in.
  r.GroundspeakXml =
      Groundspeak(Element("name", "N&lt;!--TW_CONTAINER--&gt;") + Element("container", "C<!--TW_CACHE_NAME-->") +
                  Element("short_description", "S<!--TW_HINT-->") + Element("encoded_hints", "H"));
  r.Name = "<!--TW_HINT-->";
  struct Case {
    std::string templ, expected;
  } cases[] = {
      {"<!--TW_POSITION-->|<!--TW_POSITION-->",
       "N 51&deg; 19.041   W 004&deg; 21.297|N 51&deg; 19.041   W 004&deg; 21.297"},
      {"<!--TW_HINT-->|<!--TW_HINT-->", "H|<!--TW_HINT-->"},
      {"<!--TW_PAGE_TITLE--><!--TW_PAGE_TITLE-->", "&lt;!--TW_HINT--&gt; - N<!--TW_PAGE_TITLE-->"},
      {"<!--TW_CACHE_NAME-->|<!--TW_CONTAINER-->", "N|C"},
      {"<!--TW_SHORT_DESCRIPTION-->|<!--TW_HINT-->", "S|H"},
      {"<!--TW_WAYPOINTNAME--><!--TW_HINT-->", "&lt;!--TW_HINT--&gt;H"},
      {"<!--tw_hint--><!--TW_HINT --><!--TW_", "<!--tw_hint--><!--TW_HINT --><!--TW_"},
  };
  for (const Case& c : cases) EXPECT_EQ(BuildCachePage(c.templ, r), c.expected) << c.templ;
}

// Every field of the record holds every marker, many times over: before,
// each value was searched again for the markers after it and the page grew
// without bound. Now it is at most the template plus a fixed multiple of
// the record's own texts (cleaning escapes, closes elements and adds the
// log mark-up) plus the few fixed pieces (stars, position).
TEST(CachePage, PageSizeIsBoundedByTemplateAndRecord) {
  std::string markers;
  for (std::string_view m : CachePageMarkers()) markers += std::string(m);
  const std::string escaped = EscapeXmlText(markers);
  std::string templ;
  for (int copy = 0; copy < 2; ++copy) templ += "<p>" + markers + "</p>\n";
  std::string many;
  for (int i = 0; i < 40; ++i) many += markers;
  TGpxRecord r;
  r.Name = many;
  r.Time = many;
  std::string inner;
  for (const char* tag : {"name", "placed_by", "type", "container", "difficulty", "terrain", "country", "state",
                          "short_description", "long_description", "encoded_hints"}) {
    inner += Element(tag, EscapeXmlText(many)) + Element(tag, many);
  }
  inner += "<groundspeak:logs>";
  for (int i = 0; i < 50; ++i) inner += Log(many, many, many, many + escaped);
  inner += "</groundspeak:logs>";
  r.GroundspeakXml = Groundspeak(inner, " available=\"" + many + "\"");
  const std::size_t record = r.Name.size() + r.Time.size() + r.GroundspeakXml.size();
  const std::string page = BuildCachePage(templ, r, "a_files/");
  EXPECT_LE(page.size(), templ.size() + 8 * record + 4096) << record;
  // Nothing of the template's markers is left but the second of each "first" one.
  EXPECT_EQ(page.find("<!--TW_CT_ICON-->"), std::string::npos);
  EXPECT_NE(page.find("<!--TW_GC_LOGS-->"), std::string::npos);
}

TEST(CachePage, NameMarkupStarsAndDescriptions) {
  struct Case {
    std::string attributes;  // of groundspeak:cache
    std::string expected;
  } names[] = {
      {" available=\"True\" archived=\"False\"", "X"},
      {" available=\"False\" archived=\"False\"", "<strike>X</strike>"},
      {" available=\"false\"", "<strike>X</strike>"},
      {" available=\"True\" archived=\"True\"", "<strike><font color=\"red\">X</font></strike>"},
      {" archived=\"TRUE\"", "<strike><font color=\"red\">X</font></strike>"},
      {"", "X"},
  };
  for (const Case& c : names) {
    TGpxRecord r;
    r.GroundspeakXml = Groundspeak(Element("name", "X"), c.attributes);
    EXPECT_EQ(BuildCachePage("<!--TW_CACHE_NAME-->", r), c.expected) << c.attributes;
  }

  struct Stars {
    std::string rating;
    int whole;
    bool half;
  } stars[] = {{"", 0, false},    {"1", 1, false},  {"1.5", 1, true}, {"2.5", 2, true},
               {"4.4", 4, false}, {"4.5", 4, true}, {"5", 5, false},  {"4,5", 4, true},
               {"0.5", 0, true},  {"-3", 0, false}, {"x", 0, false},  {"1e300", 5, false}};
  for (const Stars& s : stars) {
    TGpxRecord r;
    r.GroundspeakXml = Groundspeak(Element("difficulty", s.rating) + Element("terrain", s.rating));
    std::string one = Repeat(kWholeStar, s.whole) + (s.half ? kHalfStar : "");
    EXPECT_EQ(BuildCachePage("<!--TW_DIFFICULTY-->|<!--TW_TERRAIN-->", r), one + "|" + one) << s.rating;
  }

  struct Html {
    std::string attribute;
    bool html;
  } flags[] = {{" html=\"True\"", true}, {" html=\"true\"", true}, {" html=\"False\"", false}, {"", false}};
  for (const Html& f : flags) {
    TGpxRecord r;
    r.GroundspeakXml = Groundspeak(Element("short_description", "a\nb", f.attribute) +
                                   Element("long_description", "c\nd", f.attribute));
    EXPECT_EQ(BuildCachePage("<!--TW_SHORT_DESCRIPTION-->|<!--TW_LONG_DESCRIPTION-->", r),
              f.html ? "a\nb|c\nd" : "a<br>b|c<br>d")
        << f.attribute;
  }
}

TEST(CachePage, TypeAndLogIconsIgnoreCase) {
  struct Case {
    const char* type;
    const char* icon;
  } types[] = {{"traditional cache", "Cache_Traditional.gif"},
               {"Multi Cache", "Cache_Multi.gif"},
               {"MYSTERY/PUZZLE CACHE", "Cache_Mystery.gif"},
               {"Unknown", "Cache_Mystery.gif"},
               {"Virtual Hybrid", "Cache_Virtual.gif"},
               {"Earthcache", "Cache_Earth.gif"},
               {"Webcam Cache", "Cache_Webcam.gif"},
               {"Letterbox Hybrid", "Cache_Letterbox.gif"},
               {"CITO Event", "Cache_Event.gif"},
               {"Mega-Event Cache", "Cache_Event.gif"},
               {"Locationless (Reverse) Cache", "Cache_Locationless.gif"},
               {"Wherigo Cache", "Cache_Default.gif"},
               {"Traditional", "Cache_Default.gif"},
               {"", "Cache_Default.gif"}};
  for (const Case& c : types) EXPECT_EQ(CacheTypeIcon(c.type), c.icon) << c.type;
  Case logs[] = {{"found it", "icon_smile.gif"},
                 {"DIDN'T FIND IT", "icon_sad.gif"},
                 {"Temporarily Disable Listing", "icon_disabled.gif"},
                 {"Attended", "icon_attended.gif"},
                 {"will attend", "icon_attend.gif"},
                 {"Write note", "icon_note.gif"},
                 {"Needs Archived", "icon_note.gif"},
                 {"Found", "icon_note.gif"}};
  for (const Case& c : logs) EXPECT_EQ(LogTypeIcon(c.type), c.icon) << c.type;
  for (std::string_view image : CachePageImages()) EXPECT_NE(image.find(".gif"), std::string_view::npos);
}

TEST(CachePage, LogsInFileOrderUpToTheFirstEmptyOne) {
  std::string logs;
  for (int i = 0; i < 4; ++i)
    logs += Log("2011-01-0" + std::to_string(i + 1), "Write note", "F" + std::to_string(i), "t");
  TGpxRecord r;
  // A self-closing log has no content and is passed; an empty one ends the list.
  r.GroundspeakXml =
      Groundspeak("<groundspeak:logs><groundspeak:log id=\"0\" />" + logs + "<groundspeak:log></groundspeak:log>" +
                  Log("2012-01-01", "Found it", "Late", "x") + "</groundspeak:logs>");
  const std::string page = BuildCachePage("<!--TW_GC_LOGS-->", r);
  std::size_t at = 0;
  for (int i = 0; i < 4; ++i) {
    std::size_t next = page.find("by F" + std::to_string(i) + "</b>", at);
    ASSERT_NE(next, std::string::npos) << i;
    at = next;
  }
  EXPECT_EQ(page.find("Late"), std::string::npos);
  EXPECT_EQ(page.find("<p>"), 0u);

  // The walk from one log to the next finds what ElementText finds by number.
  const std::string inputs[] = {r.GroundspeakXml, "<a><a>1</a>2</a><a/><a >3</a><ab>4</ab><a>5", "<a>",
                                "<a></a><a>x</a>"};
  for (const std::string& text : inputs) {
    std::size_t pos = 0;
    for (int n = 0; n < 12; ++n) {
      std::string_view walked = NextElementText(text, "a", pos);
      ASSERT_EQ(walked, ElementText(text, "a", n)) << text << " #" << n;
      if (walked.empty()) break;
    }
  }
}

TEST(CachePage, LocationTextsAndWhatHasNoGroundspeakData) {
  struct Case {
    std::string state, expected;
  } cases[] = {{"Antwerpen", "Belgium (Antwerpen)"}, {"", "Belgium"}, {"\nAntwerpen", "Belgium"}};
  for (const Case& c : cases) {
    TGpxRecord r;
    r.GroundspeakXml = Groundspeak(Element("country", "Belgium") + Element("state", c.state));
    EXPECT_EQ(BuildCachePage("<!--TW_LOCATION-->", r), c.expected) << c.state;
  }
  TGpxRecord bare;
  bare.Name = "WP1";
  bare.Lat = -0.5;
  bare.Time = "2001-13-01";
  EXPECT_EQ(BuildCachePage("<!--TW_WAYPOINTNAME-->|<!--TW_CT_ICON-->|<!--TW_POSITION-->|<!--TW_TIMEORIGINATED-->|"
                           "<!--TW_DIFFICULTY--><!--TW_GC_LOGS--><!--TW_LOCATION-->|<!--TW_PAGE_TITLE-->",
                           bare),
            "WP1|Cache_Default.gif|S  0&deg; 30.000   E 000&deg; 00.000|01 ??? 2001||WP1 - ");
}

TEST(CachePage, PageIsUtf8WhateverTheValueCameFrom) {
  TGpxRecord r;
  r.Name = "Caf\xE9";  // memory text
  r.GroundspeakXml = Groundspeak(Element("name", "\xC5\x98\xC3\xADp") + Element("country", "Z\xC3\xBCrich") +
                                 Element("placed_by", "\xCE\xB1"));
  EXPECT_EQ(BuildCachePage("<!--TW_WAYPOINTNAME-->|<!--TW_CACHE_NAME-->|<!--TW_LOCATION-->|<!--TW_HIDDENBY-->", r),
            "Caf\xC3\xA9|\xC5\x98\xC3\xADp|Z\xC3\xBCrich|\xCE\xB1");
}

}  // namespace
}  // namespace quill
