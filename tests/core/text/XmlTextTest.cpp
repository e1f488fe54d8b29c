// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "text/XmlText.h"

namespace quill {
namespace {

TEST(XmlTextElement, NameDoesNotCountNamex) {
  const std::string e = "<wpt><name>GC1</name><namex>X</namex></wpt>";
  EXPECT_EQ(ElementText(e, "name", 0), "GC1");
  EXPECT_EQ(ElementText(e, "name", 1), "");
}

TEST(XmlTextElement, OccurrencesAndLookalikeTags) {
  const std::string e =
      "<wpt><url>http://a</url><urlname>A</urlname><type>Geocache|Multi-cache</type>"
      "<groundspeak:type>Multi-cache</groundspeak:type><name attr=\"1\">second</name></wpt>";
  EXPECT_EQ(FirstElementText(e, "url"), "http://a");
  EXPECT_EQ(FirstElementText(e, "type"), "Geocache|Multi-cache");
  EXPECT_EQ(FirstElementText(e, "name"), "second");  // "<name " with a blank counts
  EXPECT_EQ(FirstElementText(e, "desc"), "");
}

TEST(XmlTextElement, EmptySelfClosingAndUnclosed) {
  EXPECT_EQ(FirstElementText("<a><cmt></cmt></a>", "cmt"), "");
  EXPECT_EQ(FirstElementText("<a><cmt /><cmt>later</cmt></a>", "cmt"), "later");
  EXPECT_EQ(FirstElementText("<a><cmt>open", "cmt"), "");
  EXPECT_EQ(FirstElementText("<a><cmt", "cmt"), "");
}

TEST(XmlTextElement, OnePassFindsWhatEachSearchFinds) {
  const std::vector<std::string_view> tags = {"cmt", "c", "cmtx", "b", "name", ""};
  std::vector<std::string> texts = {
      "",
      "<a><cmt>1</cmt><c>2</c><cmtx>3</cmtx><b>4</b></a>",
      "<cmtx>3</cmtx><cmt>1</cmt><cmt>9</cmt>",
      "<a><cmt /><cmt/><cmt>later</cmt><c/></a><c>x</c>",
      "<a><cmt>open<c>y</c>",
      "<a><cmt",
      "<cmt",
      "<cmt ",
      "<c",
      "<cmt id=\"1>\">a</cmt>",
      "<b><c><b>in</b></c></b></c>",
      "<cmt>a</cmtx></cmt><c>b</c >c</c>",
      "<<cmt>>x</cmt>",
      "<cmt\t>tab</cmt><cmt>plain</cmt>",
      "<name>n</name><namex>y</namex><name attr=\"2\">z</name>",
      "</cmt><cmt></cmt><c>",
      "<c>one</c><c>two</c>",
  };
  // And texts stuck together at random from the pieces that matter.
  const std::vector<std::string> pieces = {"<", ">", "/", " ", "cmt", "c", "b", "x", "</cmt>", "</c>", "<cmt>", "<c "};
  std::mt19937 random(7);
  for (int n = 0; n < 3000; ++n) {
    std::string t;
    for (std::size_t k = random() % 14; k > 0; --k) t += pieces[random() % pieces.size()];
    texts.push_back(t);
  }
  for (const std::string& text : texts) {
    std::vector<std::string_view> out(tags.size(), "stale");
    FirstElementTexts(text, tags, out);
    for (std::size_t i = 0; i < tags.size(); ++i) {
      EXPECT_EQ(out[i], tags[i].empty() ? std::string_view() : FirstElementText(text, tags[i]))
          << text << " / " << tags[i];
      // A view into the text, not a copy.
      if (!out[i].empty()) {
        EXPECT_TRUE(out[i].data() >= text.data() && out[i].data() < text.data() + text.size());
      }
    }
  }
}

// TextBetween finds what two plain searches find, at every start, in texts
// long enough for whole blocks of the fast search and a tail.
TEST(XmlTextFind, FindsWhatAPlainSearchFinds) {
  const std::vector<std::string> pieces = {"<", "/", ">", "a", "ab", "</a>", "</ab>", "<a", "</", "b>", "x", "\n"};
  const std::vector<std::string> marks = {"<", "</", "</a", "</a>", "<a>", "</ab>", "ab", "b>", "</abb>", "</a></ab>"};
  std::mt19937 random(11);
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    for (std::size_t k = random() % 48; k > 0; --k) text += pieces[random() % pieces.size()];
    const std::string& start = marks[random() % marks.size()];
    const std::string& end = marks[random() % marks.size()];
    std::string_view expected;
    const std::size_t s = text.find(start);
    if (s != std::string::npos) {
      const std::size_t e = text.find(end, s + start.size());
      if (e != std::string::npos) expected = std::string_view(text).substr(s + start.size(), e - s - start.size());
    }
    const std::string_view got = TextBetween(text, start, end);
    ASSERT_EQ(got, expected) << text << " / " << start << " / " << end;
    if (!expected.empty()) {
      ASSERT_EQ(got.data(), expected.data()) << text << " / " << start << " / " << end;
    }
  }
}

TEST(XmlTextAttribute, FirstMatchingNameWinsAndSingleQuotesAreNotFound) {
  EXPECT_EQ(AttributeValue("<wpt lat=\"51.5\" lon=\"4.25\">", "wpt", "lon"), "4.25");
  EXPECT_EQ(AttributeValue("<wpt lat='51.5' lon='4.25'>", "wpt", "lon"), "");
  // minlat stands first and ends in "lat": it is matched first.
  EXPECT_EQ(AttributeValue("<bounds minlat=\"1\" lat=\"2\">", "bounds", "lat"), "1");
  EXPECT_EQ(AttributeValue("<wpt lat=\"5\"", "wpt", "lat"), "");
}

TEST(XmlTextWholeElement, TagsAndAttributesOrNothing) {
  const std::string e = "<wpt><groundspeak:cache id=\"1\" archived=\"False\"><x/></groundspeak:cache></wpt>";
  EXPECT_EQ(WholeElement(e, "groundspeak:cache"),
            "<groundspeak:cache id=\"1\" archived=\"False\"><x/></groundspeak:cache>");
  EXPECT_EQ(WholeElement("<wpt><groundspeak:cache id=\"1\">", "groundspeak:cache"), "");
}

struct DecodeCase {
  const char* in;
  const char* out;
};
class XmlTextDecode : public ::testing::TestWithParam<DecodeCase> {};
TEST_P(XmlTextDecode, Decodes) { EXPECT_EQ(DecodeElementText(GetParam().in), GetParam().out); }
INSTANTIATE_TEST_SUITE_P(
    Table, XmlTextDecode,
    ::testing::Values(DecodeCase{"a &lt;b&gt; &amp; c", "a <b> & c"}, DecodeCase{"&amp;lt;", "&lt;"},  // one level only
                      DecodeCase{"&amp;deg; &deg; &quot;x&quot; &amp;quot;", "\xB0 \xB0 \"x\" \""},
                      DecodeCase{"a&nbsp;b&amp;nbsp;c", "a b c"}, DecodeCase{"it&apos;s", "it's"},
                      DecodeCase{"caf\xC3\xA9", "caf\xE9"}, DecodeCase{"&#233; &#xE9; &#XE9;", "\xE9 \xE9 \xE9"},
                      DecodeCase{"&#150;", "\x96"}, DecodeCase{"&#x20AC;", "\x80"},  // euro sign has a byte
                      DecodeCase{"&#1000;", "\xCF\xA8"},                             // kept as UTF-8
                      DecodeCase{"&#x1F600;", "\xF0\x9F\x98\x80"},
                      DecodeCase{"&#31; &#xD800; &#99999999; &#12", "&#31; &#xD800; &#99999999; &#12"},
                      DecodeCase{"line1\r\nline2\nline3", "line1\r\nline2\r\nline3"},
                      DecodeCase{"<![CDATA[a &amp; b\nc]]>", "a &amp; b\nc"},
                      DecodeCase{"<![CDATA[caf\xC3\xA9 &#233;]]>", "caf\xE9 \xE9"},
                      DecodeCase{"h\xC5\x99"
                                 "bitov",
                                 "h\xC5\x99"
                                 "bitov"}));

TEST(XmlTextDecodeBasic, OnlyTheThreeEntitiesOrCdata) {
  EXPECT_EQ(DecodeBasic("a &lt; &gt; &amp; &quot; &#233;"), "a < > & &quot; &#233;");
  EXPECT_EQ(DecodeBasic("<![CDATA[x &lt; y]]>"), "x &lt; y");
  EXPECT_EQ(DecodeBasic("caf\xC3\xA9"), "caf\xC3\xA9");
}

TEST(XmlTextEscape, EntitiesControlCharactersAndUtf8) {
  EXPECT_EQ(EscapeXmlText("a\tb"), "a.b");
  EXPECT_EQ(EscapeXmlText("\xE9"), "\xC3\xA9");
  EXPECT_EQ(EscapeXmlText("x\r\ny \"q\" & <t>"), "x\ny &quot;q&quot; &amp; &lt;t&gt;");
  EXPECT_EQ(EscapeXmlText("\xC5\x82\xC3\xB3"
                          "d\xC5\xBA"),
            "\xC5\x82\xC3\x83\xC2\xB3"
            "d\xC5\xBA");
}

TEST(XmlTextClean, NoEntitiesControlsAsUnderscore) { EXPECT_EQ(CleanText("a&b\t<c>\r\n\xE9"), "a&b_<c>\n\xC3\xA9"); }

// Any memory text survives escape -> decode (what a save and a load do).
TEST(XmlTextRoundTrip, EscapeThenDecodeGivesTheTextBack) {
  const std::string texts[] = {
      "Fish & Chips <Virtual> \"best\"",
      "M\xFCller's caf\xE9 \x80 \x96 \xB0",
      "Hřbitov Łąka \xCE\xB1\xCE\xB2\xCE\xB3 \xF0\x9F\x8C\xB2",
      "two\r\nlines",
      "&amp; already escaped",
  };
  for (const std::string& t : texts) {
    EXPECT_EQ(DecodeElementText(EscapeXmlText(t)), t) << t;
  }
}

}  // namespace
}  // namespace quill
