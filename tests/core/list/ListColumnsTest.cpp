// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "ListTestRecords.h"
#include "list/ListColumns.h"
#include "session/ListSession.h"
#include "support/TestSupport.h"
#include "text/XmlText.h"

namespace quill {
namespace {

using test::CacheParts;

const HomePosition kNoHome;

// The column text of a record that is in no list, with its values worked out.
std::string Column(const TGpxRecord& r, int mode, const HomePosition& home) {
  return ColumnText(r, ValuesOfCache(r.GroundspeakXml), mode, home);
}

TEST(ListColumnModes, NamesAndCaptionsCoverTheElevenModes) {
  for (int m = 0; m < kColumnModeCount; ++m) {
    EXPECT_FALSE(ColumnModeCaption(m).empty()) << m;
    EXPECT_EQ(ColumnModeFromName(ColumnModeName(m)), m);
  }
  EXPECT_EQ(ColumnModeCaption(6), "'Placed By'");
  EXPECT_EQ(ColumnModeCaption(4), "Distance from Home");
  EXPECT_EQ(ColumnModeFromName("timestamp"), kColumnTimestamp);
  EXPECT_EQ(ColumnModeFromName("Timestamp"), -1);
  EXPECT_EQ(ColumnModeFromName(""), -1);
  EXPECT_EQ(ColumnModeCaption(11), "");
  EXPECT_EQ(InitialColumnHeader(4), "TimeStamp");
  EXPECT_EQ(InitialColumnHeader(0), "Name");
}

TEST(ListPrintable, ControlCharactersAndSoftHyphensBecomeBlanks) {
  EXPECT_EQ(PrintableText("line one\r\nline\ttwo"), "line one  line two");
  EXPECT_EQ(PrintableText("soft\xADhyphen"), "soft hyphen");
  // r with caron stays whole; 0xAD inside no sequence only.
  EXPECT_EQ(PrintableText("P\xC5\x99\xC3\xAD"), "P\xC5\x99\xC3 ");
  EXPECT_EQ(PrintableText(std::string(500, 'x')).size(), 399u);
}

TEST(ListColumnText, PlainModesShowThePrintableFields) {
  test::RecordSet set;
  TGpxRecord& r = set.Add("GC1");
  r.Desc = "Nice\r\ncache";
  r.Cmt = "a\tcomment";
  r.UrlName = "Old Mill";
  r.Time = "2010-09-24T08:05:09Z";
  EXPECT_EQ(Column(r, kColumnDescription, kNoHome), "Nice  cache");
  EXPECT_EQ(Column(r, kColumnComment, kNoHome), "a comment");
  EXPECT_EQ(Column(r, kColumnUrlName, kNoHome), "Old Mill");
  EXPECT_EQ(Column(r, kColumnTimestamp, kNoHome), "2010-09-24");
  EXPECT_EQ(Column(r, 11, kNoHome), "");
  EXPECT_EQ(Column(r, -1, kNoHome), "");
}

TEST(ListColumnText, WithoutGroundspeakDataTheCacheColumnsAreEmpty) {
  test::RecordSet set;
  TGpxRecord& r = set.Add("WP1");
  r.Url = "http://example.org";
  r.Desc = "x";
  for (int m : {kColumnDateFound, kColumnPlacedBy, kColumnLogs, kColumnCountry, kColumnState}) {
    EXPECT_EQ(Column(r, m, kNoHome), "") << m;
  }
  EXPECT_EQ(Column(r, kColumnDifficulty, kNoHome), "/");
  RowMarking m = MarkingOf(r);
  EXPECT_EQ(m.colour, RowColour::Blue);
  EXPECT_FALSE(m.strikeOut);
}

TEST(ListColumnText, CacheModesDecodeTheGroundspeakData) {
  test::RecordSet set;
  CacheParts p;
  p.placedBy = "Tom &amp; Jerry";
  p.difficulty = "1.5";
  p.terrain = "4";
  p.country = "Czechia";
  p.state =
      "\xC5\xBD"
      "ilinsk\xC3\xBD kraj";  // UTF-8 in the file
  p.logTypes = {"Found it", "Write note"};
  p.firstLogDate = "2011-02-03T04:05:06Z";
  TGpxRecord& r = set.AddCache("GC2", p);
  EXPECT_EQ(Column(r, kColumnDateFound, kNoHome), "2011-02-03");
  EXPECT_EQ(Column(r, kColumnPlacedBy, kNoHome), "Tom & Jerry");
  EXPECT_EQ(Column(r, kColumnLogs, kNoHome), "+n");
  EXPECT_EQ(Column(r, kColumnDifficulty, kNoHome), "1.5/4");
  EXPECT_EQ(Column(r, kColumnCountry, kNoHome), "Czechia");
  EXPECT_EQ(Column(r, kColumnState, kNoHome), "\x8Eilinsk\xFD kraj");
}

TEST(ListLogLetters, EveryLogTypeHasItsLetterInAnyCase) {
  const std::vector<std::pair<std::string, char>> table = {
      {"Found it", '+'},
      {"Didn't find it", '-'},
      {"Enable Listing", 'e'},
      {"Needs Archived", '~'},
      {"Needs Maintenance", '='},
      {"Owner Maintenance", 'm'},
      {"Post Reviewer Note", 'r'},
      {"Publish Listing", 'p'},
      {"Temporarily Disable Listing", 'd'},
      {"Unarchive", 'u'},
      {"Update Coordinates", 'c'},
      {"Attended", 'a'},
      {"Will Attend", 'w'},
      {"Write note", 'n'},
      {"FOUND IT", '+'},
      {"write NOTE", 'n'},
      {"Archive", '.'},
      {"Found it ", '.'},
      {"", '.'},
      {"Webcam Photo Taken", '.'},
  };
  for (const auto& [type, letter] : table) EXPECT_EQ(LogLetter(type), letter) << type;
}

// The log letters as ElementText counts the logs, one scan per log.
std::string LogLettersByIndex(std::string_view xml) {
  std::string letters;
  std::string_view logs = FirstElementText(xml, "groundspeak:logs");
  for (int i = 0; i < 10000; ++i) {
    std::string_view log = ElementText(logs, "groundspeak:log", i);
    if (log.empty()) break;
    letters.push_back(LogLetter(FirstElementText(log, "groundspeak:type")));
  }
  return letters;
}

TEST(ListLogLetters, SummaryCountsTheLogsAsTheElementLookupDoes) {
  const std::vector<std::string> cases = {
      "",
      "<groundspeak:cache><groundspeak:logs></groundspeak:logs></groundspeak:cache>",
      "<groundspeak:logs><groundspeak:log><groundspeak:type>Found it</groundspeak:type></groundspeak:log>"
      "<groundspeak:log/><groundspeak:log_x>no</groundspeak:log_x>"
      "<groundspeak:log id=\"2\"><groundspeak:type>Attended</groundspeak:type></groundspeak:log>"
      "<groundspeak:log><groundspeak:text>no type</groundspeak:text></groundspeak:log></groundspeak:logs>",
      // An unclosed last log ends the list.
      "<groundspeak:logs><groundspeak:log><groundspeak:type>Found it</groundspeak:type></groundspeak:log>"
      "<groundspeak:log><groundspeak:type>Found it</groundspeak:type></groundspeak:logs>",
      // Logs outside the first logs element do not count.
      "<groundspeak:logs><groundspeak:log><groundspeak:type>Will Attend</groundspeak:type></groundspeak:log>"
      "</groundspeak:logs><groundspeak:log><groundspeak:type>Found it</groundspeak:type></groundspeak:log>",
  };
  for (const std::string& xml : cases) EXPECT_EQ(LogSummaryOf(xml), LogLettersByIndex(xml)) << xml;
  EXPECT_EQ(LogSummaryOf(cases[2]), "+a.");
}

TEST(ListLogLetters, AtMostTenThousandLogs) {
  std::string xml = "<groundspeak:logs>";
  for (int i = 0; i < 10005; ++i)
    xml += "<groundspeak:log><groundspeak:type>Found it</groundspeak:type></groundspeak:log>";
  xml += "</groundspeak:logs>";
  EXPECT_EQ(LogSummaryOf(xml), std::string(10000, '+'));
}

TEST(ListRowMarking, ArchivedAndUnavailableCaches) {
  struct Case {
    std::string archived, available;
    bool urlAndDesc;
    RowColour colour;
    bool strikeOut;
  };
  const std::vector<Case> cases = {
      {"True", "False", true, RowColour::Red, true},        {"True", "True", false, RowColour::Red, true},
      {"False", "False", true, RowColour::Blue, true},      {"False", "False", false, RowColour::Default, true},
      {"true", "True", true, RowColour::Blue, false},  // only "True" is archived
      {"False", "false", false, RowColour::Default, false}, {"", "", true, RowColour::Blue, false},
  };
  for (const Case& c : cases) {
    test::RecordSet set;
    CacheParts p;
    p.archived = c.archived;
    p.available = c.available;
    TGpxRecord& r = set.AddCache("GC", p);
    if (c.urlAndDesc) {
      r.Url = "https://coord.info/GC";
      r.Desc = "A cache";
    }
    RowMarking m = MarkingOf(r);
    EXPECT_EQ(m.colour, c.colour) << c.archived << "/" << c.available;
    EXPECT_EQ(m.strikeOut, c.strikeOut) << c.archived << "/" << c.available;
  }
  test::RecordSet set;
  TGpxRecord& onlyUrl = set.Add("X");
  onlyUrl.Url = "u";
  EXPECT_EQ(MarkingOf(onlyUrl).colour, RowColour::Default);
}

// A pocket query of our own making (tests/data) with three caches and a
// parking waypoint.
class ListColumnsPocketQuery : public ::testing::Test {
 protected:
  ListColumnsPocketQuery() : session_(status_, questions_) {
    session_.Settings().stored.IncludeGroundspeak = true;
    EXPECT_TRUE(session_.LoadFile(test::DataPath("gpx10-pocket-query.gpx")));
  }
  const TGpxRecord& Named(const std::string& name) {
    const TGpxRecord* r = session_.Store().FirstWithName(name);
    EXPECT_NE(r, nullptr) << name;
    return r ? *r : blank_;
  }
  std::string Text(const TGpxRecord& r, int mode) {
    return &r == &blank_ ? std::string() : ColumnText(r, session_.Store().ValuesOf(&r), mode, kNoHome);
  }
  test::RecordingStatus status_;
  test::ScriptedQuestions questions_;
  ListSession session_;
  TGpxRecord blank_;
};

TEST_F(ListColumnsPocketQuery, EveryCacheColumnOfEachRow) {
  struct Row {
    const char* name;
    const char* logs;
    const char* difficulty;
    const char* country;
    const char* state;  // memory text: Windows-1252
    const char* placedBy;
    const char* dateFound;
    const char* timestamp;
    RowColour colour;
    bool strikeOut;
  } rows[] = {
      // Archived: red and struck out; "Archive" has no letter of its own.
      {"GCQ1AB", ".dm-+n+", "3/2", "Netherlands", "Gelderland", "Tarn Walker", "2021-04-03", "2012-05-20",
       RowColour::Red, true},
      {"GCQ2CD", "++", "1.5/2.5", "Slovakia", "\x8Eilinsk\xFD kraj", "Jo\x9Eko Mrkvi\xC4\x8Dka", "2023-07-02",
       "2015-08-14", RowColour::Blue, false},
      {"GCQ3EF", "w", "1/1", "Belgium", "Vlaams-Brabant", "De Kabouters", "2024-06-01", "2024-06-22", RowColour::Blue,
       false},
      // No cache element: only the texts of the waypoint itself.
      {"PKQ2CD", "", "/", "", "", "", "", "2015-08-14", RowColour::Blue, false},
  };
  ASSERT_EQ(session_.Store().size(), std::size(rows));
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const TGpxRecord& r = Named(row.name);
    EXPECT_EQ(Text(r, kColumnLogs), row.logs);
    EXPECT_EQ(Text(r, kColumnDifficulty), row.difficulty);
    EXPECT_EQ(Text(r, kColumnCountry), row.country);
    EXPECT_EQ(Text(r, kColumnState), row.state);
    EXPECT_EQ(Text(r, kColumnPlacedBy), row.placedBy);
    EXPECT_EQ(Text(r, kColumnDateFound), row.dateFound);
    EXPECT_EQ(Text(r, kColumnTimestamp), row.timestamp);
    RowMarking m = MarkingOf(r);
    EXPECT_EQ(m.colour, row.colour);
    EXPECT_EQ(m.strikeOut, row.strikeOut);
  }
}

}  // namespace
}  // namespace quill

namespace quill {
namespace {

TEST(ListCoordinateColumns, DegreesAndMinutesWithoutMinuteMark) {
  EXPECT_EQ(CoordinateColumnText(51.31735), "51\xB0 19.041");
  EXPECT_EQ(CoordinateColumnText(-4.35495), "-4\xB0 21.297");
  EXPECT_EQ(CoordinateColumnText(-0.5), "-0\xB0 30.000");
}

TEST(ListDistanceColumn, KilometresWithOneDecimalFromHome) {
  test::RecordSet set;
  const HomePosition home{52.0, 5.0};
  TGpxRecord& same = set.Add("same");
  same.Lat = 52.0;
  same.Lon = 5.0;
  TGpxRecord& north = set.Add("north");
  north.Lat = 53.0;
  north.Lon = 5.0;
  EXPECT_EQ(Column(same, kColumnDistance, home), "0.0");
  EXPECT_EQ(Column(north, kColumnDistance, home), "111.2");
  EXPECT_NEAR(DistanceFromHome(north, home), 111198.6, 0.5);
  // Without a home the distance is from (0, 0).
  EXPECT_EQ(Column(north, kColumnDistance, HomePosition{}), DistanceColumnText(north, HomePosition{}));
  EXPECT_NE(Column(north, kColumnDistance, HomePosition{}), "111.2");
}

}  // namespace
}  // namespace quill
