// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>

#include "formats/GpxReader.h"
#include "support/TestSupport.h"

namespace quill {
namespace {

using test::TempDir;
using test::WriteFileBytes;

std::string Wpt(const std::string& inner, const std::string& attrs = "lat=\"51.5\" lon=\"4.25\"") {
  return "<wpt " + attrs + ">" + inner + "</wpt>\n";
}

std::string Gpx(const std::string& body) {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<gpx version=\"1.0\">\n<metadata><name>x</name></metadata>\n" +
         body + "</gpx>\n";
}

class GpxReaderTest : public ::testing::Test {
 protected:
  bool Read(const std::string& bytes) {
    path = dir.File("t.gpx");
    WriteFileBytes(path, bytes);
    return ReadGpxFile(path, store, options, &result);
  }
  const TGpxRecord& At(std::size_t i) { return *store.AllWaypoints().at(i); }
  TempDir dir;
  std::string path;
  WaypointStore store;
  ReadOptions options;
  ReadResult result;
};

TEST_F(GpxReaderTest, OneWaypointWithEveryField) {
  ASSERT_TRUE(
      Read(Gpx(Wpt("<name>GC1</name><cmt>c</cmt><desc>d &amp; e</desc><url>http://x</url>"
                   "<urlname>U</urlname><time>2010-09-24T08:05:09</time><sym>Geocache</sym>"
                   "<type>Geocache|Multi-cache</type>"))));
  ASSERT_EQ(store.size(), 1u);
  const TGpxRecord& r = At(0);
  EXPECT_DOUBLE_EQ(r.Lat, 51.5);
  EXPECT_DOUBLE_EQ(r.Lon, 4.25);
  EXPECT_EQ(r.Name, "GC1");
  EXPECT_EQ(r.Cmt, "c");
  EXPECT_EQ(r.Desc, "d & e");
  EXPECT_EQ(r.Url, "http://x");
  EXPECT_EQ(r.UrlName, "U");
  EXPECT_EQ(r.Time, "2010-09-24T08:05:09");
  EXPECT_EQ(r.Sym, "Geocache");
  EXPECT_EQ(r.TypeCode, 7);
  EXPECT_FALSE(r.Found);
}

struct TypeCase {
  const char* sym;
  const char* type;
  int code;
  bool found;
};
class GpxReaderTypes : public GpxReaderTest, public ::testing::WithParamInterface<TypeCase> {};
TEST_P(GpxReaderTypes, TypeAndFound) {
  const TypeCase& c = GetParam();
  ASSERT_TRUE(Read(Gpx(Wpt(std::string("<name>A</name><sym>") + c.sym + "</sym><type>" + c.type + "</type>"))));
  ASSERT_EQ(store.size(), 1u);
  EXPECT_EQ(At(0).TypeCode, c.code);
  EXPECT_EQ(At(0).Found, c.found);
  EXPECT_EQ(At(0).Sym, c.sym);
}
INSTANTIATE_TEST_SUITE_P(Table, GpxReaderTypes,
                         ::testing::Values(TypeCase{"Geocache Found", "Geocache|Traditional Cache", 6, true},
                                           TypeCase{"Geocache", "Geocache|Unknown Cache", 8, false},
                                           TypeCase{"Geocache", "Geocache|Mystery/Puzzle Cache", 8, false},
                                           TypeCase{"Geocache", "geocache|traditional cache", 0, false},
                                           TypeCase{"Parking Area", "Waypoint|Parking Area", 1, false},
                                           TypeCase{"Geocache", "Geocache|Lab Cache", 0, false},
                                           TypeCase{"Geocache", "Geocache|GPS Adventures Exhibit", 19, false},
                                           TypeCase{"geocache found", "Geocache|Webcam Cache", 11, false}));

TEST_F(GpxReaderTest, CdataDescriptionKeepsItsLineEnds) {
  ASSERT_TRUE(Read(Gpx(Wpt("<name>A</name><desc><![CDATA[one &amp;\ntwo]]></desc><cmt>x\ny</cmt>"))));
  EXPECT_EQ(At(0).Desc, "one &amp;\ntwo");
  EXPECT_EQ(At(0).Cmt, "x\r\ny");
}

TEST_F(GpxReaderTest, CrLfIsReadAsLf) {
  ASSERT_TRUE(
      Read("<gpx>\r\n<wpt lat=\"1\" lon=\"2\">\r\n<name>A</name>\r\n<desc>a\r\nb</desc>\r\n"
           "<groundspeak:cache id=\"1\">\r\n<x/>\r\n</groundspeak:cache>\r\n</wpt>\r\n</gpx>\r\n"));
  EXPECT_EQ(At(0).Desc, "a\r\nb");  // memory text holds CR LF, as decoded
  EXPECT_TRUE(At(0).GroundspeakXml.empty());
  store.Clear();
  options.includeGroundspeak = true;
  ASSERT_TRUE(
      Read("<gpx>\r\n<wpt lat=\"1\" lon=\"2\"><name>A</name>\r\n"
           "<groundspeak:cache id=\"1\" archived=\"True\">\r\n<x/>\r\n</groundspeak:cache>\r\n</wpt></gpx>"));
  EXPECT_EQ(At(0).GroundspeakXml, "<groundspeak:cache id=\"1\" archived=\"True\">\n<x/>\n</groundspeak:cache>");
}

TEST_F(GpxReaderTest, DecimalCommaAndMissingAttributes) {
  ASSERT_TRUE(Read(Gpx(Wpt("<name>A</name>", "lat=\"51,25\" lon=\"-4,5\"") + Wpt("<name>B</name>", "lon=\"x\""))));
  EXPECT_DOUBLE_EQ(At(0).Lat, 51.25);
  EXPECT_DOUBLE_EQ(At(0).Lon, -4.5);
  EXPECT_EQ(At(1).Lat, 0.0);
  EXPECT_EQ(At(1).Lon, 0.0);
}

TEST_F(GpxReaderTest, PositionsOffTheEarthReadAsZero) {
  ASSERT_TRUE(Read(Gpx(Wpt("<name>A</name>", "lat=\"1e308\" lon=\"-1e308\"") +
                       Wpt("<name>B</name>", "lat=\"90.0001\" lon=\"180.5\"") +
                       Wpt("<name>C</name>", "lat=\"-90\" lon=\"180\""))));
  ASSERT_EQ(store.size(), 3u);
  const double expected[][2] = {{0, 0}, {0, 0}, {-90, 180}};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(At(i).Lat, expected[i][0]) << i;
    EXPECT_EQ(At(i).Lon, expected[i][1]) << i;
  }
}

// Lines are counted in bulk between elements and across chunks: the line of
// a damaged element must still count every line break before it.
TEST_F(GpxReaderTest, LineOfACutOffWaypointCountsEveryEarlierBreak) {
  std::mt19937 random(7);
  for (std::size_t target : {std::size_t{3000}, std::size_t{70000}, std::size_t{600000}}) {
    std::string text = "<gpx>\r\n";
    std::uint64_t breaks = 1;
    while (text.size() < target) {
      std::string inner = "<name>N</name><desc>";
      for (std::size_t k = random() % 400; k > 0; --k) {
        const unsigned pick = random() % 8;
        inner += pick == 0 ? "\n" : pick == 1 ? "\r\n" : "x";
      }
      inner += "</desc>";
      text += Wpt(inner) + (random() % 2 ? "\r\n" : "");
    }
    for (char c : text) breaks += c == '\n';
    store.Clear();
    result = {};
    EXPECT_FALSE(Read(text + "<wpt lat=\"1\" lon=\"1\">\n<name>C</name>"));
    EXPECT_EQ(result.error, "line " + std::to_string(breaks) + ": unterminated <wpt>") << target;
  }
}

TEST_F(GpxReaderTest, CutOffWaypointFailsWithItsLineAndKeepsTheOthers) {
  const std::string two = "<gpx>\r\n" + Wpt("<name>A</name>\n<desc>x\ny</desc>") + Wpt("<name>B</name>");
  // Cut inside the element, inside its opening tag, and a file that ends
  // right after "<wpt".
  for (const std::string& tail :
       {std::string("<wpt lat=\"1\" lon=\"1\">\n<name>C</name>"), std::string("<wpt lat=\"1\""), std::string("<wpt")}) {
    store.Clear();
    result = {};
    EXPECT_FALSE(Read(two + tail)) << tail;
    EXPECT_EQ(result.error, "line 6: unterminated <wpt>") << tail;
    ASSERT_EQ(store.size(), 2u);
    EXPECT_EQ(At(1).Name, "B");
  }
  // "<wp" opens nothing yet.
  store.Clear();
  result = {};
  EXPECT_TRUE(Read(two + "<wp"));
  EXPECT_EQ(result.error, "");
}

TEST_F(GpxReaderTest, NoWaypointsIsASuccessfulEmptyLoad) {
  EXPECT_TRUE(Read(Gpx("<trk><trkseg><trkpt lat=\"1\" lon=\"2\"/></trkseg></trk>")));
  EXPECT_TRUE(Read("\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- none -->\n<gpx:gpx xmlns:gpx=\"x\"/>\n"));
  EXPECT_EQ(store.size(), 0u);
}

TEST_F(GpxReaderTest, MissingFileOrFolderFailsWithTheReason) {
  EXPECT_FALSE(ReadGpxFile(dir.File("absent.gpx"), store, options, &result));
  EXPECT_EQ(result.error, "no such file");
  EXPECT_FALSE(ReadGpxFile(dir.path(), store, options, &result));
  EXPECT_EQ(result.error, "not a regular file");
}

TEST_F(GpxReaderTest, SelfClosingWaypointsCarryTheirPosition) {
  ASSERT_TRUE(Read(Gpx("<wpt lat=\"51.5\" lon=\"4.25\"/>" + Wpt("<name>A</name>") +
                       "<wpt lat=\"-33.5\" lon=\"-70.25\" />\n<wpt lat=\"1\" lon=\"2\"/>")));
  ASSERT_EQ(store.size(), 4u);
  const double expected[][2] = {{51.5, 4.25}, {51.5, 4.25}, {-33.5, -70.25}, {1, 2}};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_DOUBLE_EQ(At(i).Lat, expected[i][0]) << i;
    EXPECT_DOUBLE_EQ(At(i).Lon, expected[i][1]) << i;
  }
  EXPECT_EQ(At(0).Name, "");
  EXPECT_EQ(At(1).Name, "A");
  EXPECT_EQ(At(2).TypeCode, 0);
  EXPECT_FALSE(At(2).Time.empty());  // stamped like any waypoint without a time
}

struct LinkCase {
  const char* inner;
  const char* url;
  const char* urlName;
};
class GpxReaderLinks : public GpxReaderTest, public ::testing::WithParamInterface<LinkCase> {};
TEST_P(GpxReaderLinks, FirstLinkUnlessThereIsAUrl) {
  ASSERT_TRUE(Read(Gpx(Wpt(std::string("<name>A</name>") + GetParam().inner))));
  EXPECT_EQ(At(0).Url, GetParam().url);
  EXPECT_EQ(At(0).UrlName, GetParam().urlName);
}
INSTANTIATE_TEST_SUITE_P(
    Gpx11, GpxReaderLinks,
    ::testing::Values(
        LinkCase{"<link href=\"https://x.org/?a=1&amp;b=2\"><text>GC1 &amp; co</text><type>text/html</type></link>",
                 "https://x.org/?a=1&b=2", "GC1 & co"},
        LinkCase{"<link\n href=\"http://one\"><text>one</text></link><link href=\"http://two\"><text>two</text></link>",
                 "http://one", "one"},
        LinkCase{"<link href=\"http://bare\"/>", "http://bare", ""},
        LinkCase{"<links/><link href=\"http://after\"><text>t</text></link>", "http://after", "t"},
        LinkCase{"<url>http://url</url><urlname>u</urlname><link href=\"http://link\"><text>l</text></link>",
                 "http://url", "u"},
        LinkCase{"<link href=\"http://cut\"><text>never closed", "http://cut", ""}));

TEST_F(GpxReaderTest, ReadOnlyFileLoads) {
  path = dir.File("ro.gpx");
  WriteFileBytes(path, Gpx(Wpt("<name>RO</name>")));
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EXPECT_TRUE(ReadGpxFile(path, store, options, nullptr));
  EXPECT_EQ(store.size(), 1u);
}

TEST_F(GpxReaderTest, WaypointOfSeveralMegabytesLoadsWhole) {
  options.includeGroundspeak = true;
  std::string log(6 * 1024 * 1024, 'x');
  ASSERT_TRUE(Read(Gpx(
      Wpt("<name>BIG</name><groundspeak:cache><groundspeak:text>" + log + "</groundspeak:text></groundspeak:cache>") +
      Wpt("<name>NEXT</name>"))));
  ASSERT_EQ(store.size(), 2u);
  EXPECT_EQ(At(0).GroundspeakXml.size(), log.size() + 76);
  EXPECT_EQ(At(1).Name, "NEXT");
}

TEST_F(GpxReaderTest, HugeTagOutsideWaypointsCostsNothing) {
  ASSERT_TRUE(Read("<gpx><!-- " + std::string(3 * 1024 * 1024, 'c') + " -->" + Wpt("<name>A</name>") + "</gpx>"));
  EXPECT_EQ(store.size(), 1u);
}

TEST_F(GpxReaderTest, DuplicateNamesAskOnceAndSkipFlagOnEmptyList) {
  int asked = 0;
  store.SetDuplicateQuestion([&](const std::string&) {
    ++asked;
    return kDuplicateAllow;
  });
  options.noCheckWhenEmpty = true;
  ASSERT_TRUE(Read(Gpx(Wpt("<name>A</name>") + Wpt("<name>A</name>") + Wpt("<name>A</name>"))));
  EXPECT_EQ(store.size(), 3u);
  EXPECT_EQ(asked, 1);
}

// The scanner's result must not depend on where the chunks are cut.
TEST(GpxScannerChunks, EveryCutGivesTheSameElements) {
  const std::string text = Gpx(Wpt("<name>A</name><desc>x &lt; y</desc>") + "<wptx/>" +
                               Wpt("<name>B</name><!-- </wpt> -->") + Wpt("<name>C</name>"));
  std::vector<std::string> whole;
  GpxScanner all([&](std::string_view e) { whole.emplace_back(e); });
  all.Feed(text);
  // "<wptx/>" is one on its own; the "</wpt>" in the comment closes B early.
  ASSERT_EQ(whole.size(), 4u);
  for (std::size_t cut = 0; cut <= text.size(); ++cut) {
    for (std::size_t cut2 : {cut, std::min(text.size(), cut + 3)}) {
      std::vector<std::string> pieces;
      GpxScanner s([&](std::string_view e) { pieces.emplace_back(e); });
      s.Feed(std::string_view(text).substr(0, cut));
      s.Feed(std::string_view(text).substr(cut, cut2 - cut));
      s.Feed(std::string_view(text).substr(cut2));
      ASSERT_EQ(pieces, whole) << "cut at " << cut;
    }
  }
}

// The scanner's rules, one byte at a time: a tag runs from "<" to the next
// ">", one starting "<wpt" opens an element (or is one, ending "/>"), and the
// first tag inside starting "</wpt" closes it.
struct ScanByRule {
  std::vector<std::string> elements;
  std::string unfinished;
};

ScanByRule ScanOneByteAtATime(std::string_view text) {
  ScanByRule r;
  int state = 0;
  std::size_t tag = 0, element = 0, elementLine = 0, line = 1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if ((state == 0 || state == 2) && c == '<') {
      tag = i;
      if (state == 0) element = i, elementLine = line;
      ++state;
    } else if ((state == 1 || state == 3) && c == '>') {
      const std::string_view t = text.substr(tag, i + 1 - tag);
      if (state == 1 && t.starts_with("<wpt") && t[t.size() - 2] == '/') {
        r.elements.emplace_back(t);
        state = 0;
      } else if (state == 1) {
        state = t.starts_with("<wpt") ? 2 : 0;
      } else if (t.starts_with("</wpt")) {
        r.elements.emplace_back(text.substr(element, i + 1 - element));
        state = 0;
      } else {
        state = 2;
      }
    }
    if (c == '\n') ++line;
  }
  if (state >= 2 || (state == 1 && text.substr(tag).starts_with("<wpt"))) {
    r.unfinished = "line " + std::to_string(elementLine) + ": unterminated <wpt>";
  }
  return r;
}

// Random texts of the scanner's hard cases (closing tags inside other tags,
// prefixes cut anywhere, self-closing elements) fed in random pieces: the
// scanner must give what the rules give.
TEST(GpxScannerChunks, RandomTextsInRandomPiecesFollowTheRules) {
  const std::vector<std::string> pieces = {
      "<wpt a=\"1\">", "</wpt>", "</wpt", "<wpt/>", "<wptx>", "</wptx>", "<",    ">",    "/>", "</wp", "t>",
      "<a ",           "<a>",    "x",     "\n",     "</",     "<!-- ",   " -->", "</a>", "wpt"};
  std::mt19937 random(7);
  for (int round = 0; round < 4000; ++round) {
    std::string text;
    for (std::size_t k = random() % 40; k > 0; --k) text += pieces[random() % pieces.size()];
    // Long plain stretches now and then, for the block-wise searches.
    if (random() % 4 == 0) text.insert(random() % (text.size() + 1), std::string(random() % 80, 'y'));
    const ScanByRule expected = ScanOneByteAtATime(text);
    std::vector<std::string> got;
    GpxScanner scanner([&](std::string_view e) { got.emplace_back(e); });
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t n = std::min<std::size_t>(text.size() - at, 1 + random() % 24);
      scanner.Feed(std::string_view(text).substr(at, n));
      at += n;
    }
    ASSERT_EQ(got, expected.elements) << text;
    ASSERT_EQ(scanner.Unfinished(), expected.unfinished) << text;
  }
}

TEST_F(GpxReaderTest, WaypointAcrossTheFileChunkBoundary) {
  // The file is read in chunks of 256 KiB less one byte: put waypoints, and
  // CR LF pairs, across the first boundary at several places.
  for (std::size_t before : {20u, 27u, 28u, 40u, 45u}) {
    SCOPED_TRACE(before);
    store.Clear();
    std::string head = "<gpx>" + std::string(262143 - 5 - before, ' ');
    std::string body = Wpt("<name>EDGE</name>\r\n<desc>a\r\nb</desc>") + Wpt("<name>NEXT</name>");
    ASSERT_TRUE(Read(head + body + "</gpx>"));
    ASSERT_EQ(store.size(), 2u);
    EXPECT_EQ(At(0).Name, "EDGE");
    EXPECT_EQ(At(0).Desc, "a\r\nb");
    EXPECT_EQ(At(1).Name, "NEXT");
  }
}

}  // namespace
}  // namespace quill
