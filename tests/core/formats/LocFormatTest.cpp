// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/formats/FormatTestSupport.h"
#include "formats/LocFormat.h"
#include "text/Ansi.h"

namespace quill {
namespace {

using test::ReadFileBytes;
using test::RecordList;
using test::TempDir;
using test::WriteFileBytes;

bool ReadLoc(const std::string& path, WaypointStore& store) { return ReadLocFile(path, store, {}, nullptr); }

TEST(LocWriter, TwoWaypointsByteForByte) {
  RecordList list;
  TGpxRecord& a = list.Add("GC12AB", 52.1, -4.3);
  a.Desc = "Fish & Chips <\xE9>";
  a.TypeCode = 7;
  a.Url = "http://x/?a=1&b=2";
  a.UrlName = "Link \"1\"";
  TGpxRecord& b = list.Add("Home", -0.5, 0.0000004);
  b.UrlName = "GCXY";
  b.TypeCode = 25;
  b.Found = true;
  TempDir dir;
  ASSERT_TRUE(WriteLocFile(dir.File("a.loc"), list.Span(), {}));
  const std::string expected =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
      "<loc version=\"1.0\" src=\"Tarnwick\">\r\n"
      "<waypoint>\r\n"
      "\t<name id=\"GC12AB\"><![CDATA[Fish & Chips <\xC3\xA9>]]></name>\r\n"
      "\t<coord lat=\"52.100000\" lon=\"-4.300000\"/>\r\n"
      "\t<type>Multi-cache</type>\r\n"
      "\t<link text=\"Link &quot;1&quot;\">http://x/?a=1&amp;b=2</link>\r\n"
      "</waypoint><waypoint>\r\n"
      "\t<name id=\"GCXY\"><![CDATA[]]></name>\r\n"
      "\t<coord lat=\"-0.500000\" lon=\"0.000000\"/>\r\n"
      "\t<type>Geocache Found</type>\r\n"
      "\t<link text=\"GCXY\"></link>\r\n"
      "</waypoint></loc>\r\n";
  EXPECT_EQ(ReadFileBytes(dir.File("a.loc")), expected);
}

TEST(LocWriter, EmptyListIsTheHeaderAndTheClosingTag) {
  TempDir dir;
  RecordList list;
  ASSERT_TRUE(WriteLocFile(dir.File("e.loc"), list.Span(), {}));
  EXPECT_EQ(ReadFileBytes(dir.File("e.loc")),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<loc version=\"1.0\" src=\"Tarnwick\">\r\n</loc>\r\n");
  EXPECT_TRUE(test::XmlWellFormed(dir.File("e.loc")));
}

TEST(LocWriter, CacheCodeComesFromNameThenLinkTextThenFixedText) {
  struct Case {
    const char* name;
    const char* urlName;
    const char* id;
  } cases[] = {
      {"GC1", "GC2", "GC1"}, {"gc1", "GC2", "GC2"}, {"Home", "gcx", "GC0000"}, {"G", "", "GC0000"}, {"", "GC", "GC"},
  };
  for (const Case& c : cases) {
    RecordList list;
    list.Add(c.name, 1, 1).UrlName = c.urlName;
    std::string text;
    AppendLocWaypoint(text, list[0]);
    EXPECT_NE(text.find(std::string("<name id=\"") + c.id + "\">"), std::string::npos) << c.name << "/" << c.urlName;
  }
}

struct LocTypeCase {
  const char* read;
  int code;
  bool found;
  const char* written;
};

class LocTypeTable : public ::testing::TestWithParam<LocTypeCase> {};

TEST_P(LocTypeTable, ReadsAndWritesBack) {
  const LocTypeCase& c = GetParam();
  LocType t = LocTypeFromText(c.read);
  EXPECT_EQ(t.typeCode, c.code);
  EXPECT_EQ(t.found, c.found);
  EXPECT_EQ(LocTypeText(t.typeCode, t.found), c.written);
}

INSTANTIATE_TEST_SUITE_P(
    LocFormat, LocTypeTable,
    ::testing::Values(
        LocTypeCase{"Final Location", 0, false, "Final Location"},
        LocTypeCase{"Parking Area", 1, false, "Parking Area"},
        LocTypeCase{"Stages of a Multicache", 2, false, "Stages of a Multicache"},
        LocTypeCase{"Reference Point", 3, false, "Reference Point"},
        LocTypeCase{"Question to Answer", 4, false, "Question to Answer"},
        LocTypeCase{"Trailhead", 5, false, "Trailhead"},
        LocTypeCase{"Traditional Cache", 6, false, "Traditional Cache"},
        LocTypeCase{"Geocache", 6, false, "Traditional Cache"},
        LocTypeCase{"Geocache Found", 6, true, "Traditional Cache"},
        LocTypeCase{"Multi-cache", 7, false, "Multi-cache"}, LocTypeCase{"Multi Cache", 7, false, "Multi-cache"},
        LocTypeCase{"Unknown Cache", 8, false, "Mystery Cache"}, LocTypeCase{"Unknown", 8, false, "Mystery Cache"},
        LocTypeCase{"Mystery Cache", 8, false, "Mystery Cache"},
        LocTypeCase{"Mystery/Puzzle Cache", 8, false, "Mystery Cache"},
        LocTypeCase{"Virtual Cache", 9, false, "Virtual Cache"},
        LocTypeCase{"Virtual Hybrid", 9, false, "Virtual Cache"}, LocTypeCase{"Earthcache", 10, false, "Earthcache"},
        LocTypeCase{"Webcam Cache", 11, false, "Webcam Cache"},
        LocTypeCase{"Letterbox Hybrid", 12, false, "Letterbox Hybrid"},
        LocTypeCase{"Event Cache", 13, false, "Event Cache"},
        LocTypeCase{"Mega-Event Cache", 14, false, "Mega-Event Cache"},
        LocTypeCase{"Cache In Trash Out Event", 15, false, "Cache In Trash Out Event"},
        LocTypeCase{"CITO Event", 15, false, "Cache In Trash Out Event"},
        LocTypeCase{"Wherigo Cache", 16, false, "Wherigo Cache"},
        LocTypeCase{"Locationless (Reverse) Cache", 17, false, "Locationless (Reverse) Cache"},
        LocTypeCase{"Project APE Cache", 18, false, "Project APE Cache"},
        LocTypeCase{"GPS Adventures Exhibits", 19, false, "GPS Adventures Exhibits"},
        LocTypeCase{"geocache", 0, false, "Final Location"}, LocTypeCase{"Geocache ", 0, false, "Final Location"},
        LocTypeCase{"", 0, false, "Final Location"}));

TEST(LocWriter, CodesOutsideTheTableWriteGeocacheByFound) {
  EXPECT_EQ(LocTypeText(20, false), "Geocache");
  EXPECT_EQ(LocTypeText(-1, true), "Geocache Found");
}

TEST(LocReader, ReadsEveryValueOfAWaypoint) {
  TempDir dir;
  WriteFileBytes(
      dir.File("a.loc"),
      "<?xml version=\"1.0\"?><loc>\r\n<waypoint><name id=\"GC&amp;1\"><![CDATA[A & B &amp; \xC3\xA9]]></name>"
      "<coord lat=\"51,5\" lon=\"-4.25\"/><type>Geocache Found</type>"
      "<link text=\"Cache &lt;Details&gt;\">http://h/?a=1&amp;b=2</link></waypoint></loc>");
  WaypointStore store;
  ASSERT_TRUE(ReadLoc(dir.File("a.loc"), store));
  ASSERT_EQ(store.size(), 1u);
  const TGpxRecord& r = *store.AllWaypoints()[0];
  EXPECT_EQ(r.Name, "GC&1");
  EXPECT_EQ(r.Desc, "A & B &amp; \xE9");  // CDATA: entities stay as written
  EXPECT_DOUBLE_EQ(r.Lat, 51.5);
  EXPECT_DOUBLE_EQ(r.Lon, -4.25);
  EXPECT_EQ(r.TypeCode, 6);
  EXPECT_TRUE(r.Found);
  EXPECT_EQ(r.Url, "http://h/?a=1&b=2");
  EXPECT_EQ(r.UrlName, "Cache <Details>");
  EXPECT_TRUE(r.Cmt.empty());
  EXPECT_TRUE(r.Sym.empty());
  EXPECT_FALSE(r.Time.empty());  // the store stamps the load time
}

TEST(LocReader, ScannerQuirksOfTheFormat) {
  TempDir dir;
  // "<waypoints>" opens an element too (a prefix test); missing values give
  // empty texts and 0; a waypoint never closed fails the file and is dropped.
  WriteFileBytes(dir.File("q.loc"),
                 "<loc><waypoints><name id=\"A\"/></waypoints>"
                 "<waypoint><type>Virtual Hybrid</type></waypoint>\n"
                 "<waypoint><name id=\"LOST\">");
  WaypointStore store;
  ReadResult result;
  EXPECT_FALSE(ReadLocFile(dir.File("q.loc"), store, ReadOptions{}, &result));
  EXPECT_EQ(result.error, "line 2: unterminated <waypoint>");
  ASSERT_EQ(store.size(), 2u);
  EXPECT_EQ(store.AllWaypoints()[0]->Name, "A");
  EXPECT_EQ(store.AllWaypoints()[1]->Name, "");
  EXPECT_EQ(store.AllWaypoints()[1]->TypeCode, 9);
  EXPECT_EQ(store.AllWaypoints()[1]->Lat, 0.0);
}

TEST(LocReader, MissingFileFailsWithoutAddingAnything) {
  TempDir dir;
  WaypointStore store;
  EXPECT_FALSE(ReadLoc(dir.File("none.loc"), store));
  EXPECT_FALSE(ReadLoc(dir.path(), store));  // a folder
  EXPECT_EQ(store.size(), 0u);
}

TEST(LocReader, ReadOnlyFileLoadsAndStaysUntouched) {
  TempDir dir;
  std::string text = "<loc><waypoint><name id=\"GC1\"></name></waypoint></loc>";
  WriteFileBytes(dir.File("ro.loc"), text);
  ASSERT_EQ(::chmod(dir.File("ro.loc").c_str(), 0444), 0);
  WaypointStore store;
  EXPECT_TRUE(ReadLoc(dir.File("ro.loc"), store));
  EXPECT_EQ(store.size(), 1u);
  EXPECT_EQ(ReadFileBytes(dir.File("ro.loc")), text);
}

TEST(LocReader, CorpusFilesLoad) {
  QUILL_SKIP_WITHOUT_CORPUS();
  auto files = test::CorpusFiles(".loc");
  ASSERT_GE(files.size(), 3u);
  for (const std::string& f : files) {
    WaypointStore store;
    EXPECT_TRUE(ReadLoc(f, store)) << f;
    EXPECT_GE(store.size(), 1u) << f;
    for (const auto& r : store.AllWaypoints()) {
      EXPECT_TRUE(r->Name.rfind("GC", 0) == 0) << f;
      EXPECT_NE(r->Lat, 0.0) << f;
    }
  }
  WaypointStore store;
  ASSERT_TRUE(ReadLoc(test::CorpusPath("gpsbabel/geocaching.loc"), store));
  ASSERT_EQ(store.size(), 9u);
  EXPECT_EQ(store.AllWaypoints()[1]->Name, "GC1A37");
  EXPECT_EQ(store.AllWaypoints()[1]->Desc, "The Troll by a182pilot & Family");
  EXPECT_DOUBLE_EQ(store.AllWaypoints()[1]->Lat, 36.0906833333333);
  EXPECT_DOUBLE_EQ(store.AllWaypoints()[1]->Lon, -86.67955);
}

TEST(LocRoundTrip, EveryValueTheFormatHoldsSurvives) {
  RecordList list;
  for (int i = 0; i < 3000; ++i) {
    TGpxRecord& r = list.Add("GC" + std::to_string(i), -80.0 + i * 0.0531, 170.0 - i * 0.1137);
    r.Desc = "Title " + std::to_string(i) + " & <b> \"q\" \xE9\xFC \xE2\x82\xAC";  // é ü and a kept €-sequence
    r.TypeCode = i % 20;
    r.Url = "http://example.org/?id=" + std::to_string(i) + "&x=<1>";
    r.UrlName = "Link " + std::to_string(i);
  }
  TempDir dir;
  ASSERT_TRUE(WriteLocFile(dir.File("rt.loc"), list.Span(), {}));
  EXPECT_TRUE(test::XmlWellFormed(dir.File("rt.loc")));
  WaypointStore store;
  ASSERT_TRUE(ReadLoc(dir.File("rt.loc"), store));
  ASSERT_EQ(store.size(), list.size());
  for (std::size_t i = 0; i < list.size(); ++i) {
    const TGpxRecord& r = *store.AllWaypoints()[i];
    EXPECT_EQ(r.Name, list[i].Name);
    EXPECT_EQ(r.Desc, list[i].Desc);
    EXPECT_NEAR(r.Lat, list[i].Lat, 5e-7);
    EXPECT_NEAR(r.Lon, list[i].Lon, 5e-7);
    EXPECT_EQ(r.TypeCode, list[i].TypeCode);
    EXPECT_EQ(r.Url, list[i].Url);
    EXPECT_EQ(r.UrlName, list[i].UrlName);
  }
}

TEST(LocRoundTrip, TitleTextThatCdataCannotHoldIsKeptReadable) {
  RecordList list;
  list.Add("GC1", 1, 1).Desc = "a ]]> b\r\nc\td";
  TempDir dir;
  ASSERT_TRUE(WriteLocFile(dir.File("c.loc"), list.Span(), {}));
  EXPECT_TRUE(test::XmlWellFormed(dir.File("c.loc")));
  WaypointStore store;
  ASSERT_TRUE(ReadLoc(dir.File("c.loc"), store));
  ASSERT_EQ(store.size(), 1u);
  EXPECT_EQ(store.AllWaypoints()[0]->Desc, "a ]]&gt; b\nc.d");
}

TEST(LocWriter, FailedSaveLeavesTheOldFile) {
  TempDir dir;
  std::string path = dir.File("old.loc");
  WriteFileBytes(path, "old contents");
  RecordList list;
  for (int i = 0; i < 2000; ++i) list.Add("GC" + std::to_string(i), 1, 1).Desc = std::string(200, 'x');
  int rc = test::RunWithFileSizeLimit(4096, [&] { return WriteLocFile(path, list.Span(), {}); });
  EXPECT_EQ(rc, 0);  // the writer reported the failure
  EXPECT_EQ(ReadFileBytes(path), "old contents");
  EXPECT_FALSE(WriteLocFile(dir.File("missing/x.loc"), list.Span(), {}));
}

}  // namespace
}  // namespace quill
