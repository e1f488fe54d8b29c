// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "core/formats/FormatTestSupport.h"
#include "formats/KmlWriter.h"

namespace quill {
namespace {

using test::ReadFileBytes;
using test::RecordList;
using test::TempDir;

TEST(KmlWriter, DocumentByteForByte) {
  RecordList list;
  TGpxRecord& a = list.Add("GC1 <A>", 51.5, -0.1234567);
  a.Desc = "x < y\r\nline\tTwo";
  a.Url = "http://c/?a=1&b=2";
  a.TypeCode = 6;
  TGpxRecord& b = list.Add("B", -1, 2);
  b.TypeCode = 0;
  TempDir dir;
  ASSERT_TRUE(WriteKmlFile(dir.File("a.kml"), list.Span(), {}));
  const std::string expected =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
      "<kml xmlns=\"http://earth.google.com/kml/2.2\">\r\n"
      "<Document>\r\n"
      "  <Placemark>\r\n"
      "    <name>GC1 &lt;A&gt;</name>\r\n"
      "    <description><![CDATA[<b>Description:</b><br>x < y\r\nline_Two</b><br><br>"
      "<b>Link:</b><br><a href=\"http://c/?a=1&b=2\">GC1 <A></a><br>]]></description>\r\n"
      "    <Style><IconStyle><Icon>http://www.geocaching.com/images/kml/2.png</Icon></IconStyle></Style>\r\n"
      "    <Point><coordinates>-0.123457,51.500000</coordinates></Point>\r\n"
      "  </Placemark>\r\n"
      "  <Placemark>\r\n"
      "    <name>B</name>\r\n"
      "    <Style><IconStyle><scale>0.5</scale><Icon>http://www.geocaching.com/images/wpttypes/sm/flag.jpg"
      "</Icon></IconStyle></Style>\r\n"
      "    <Point><coordinates>2.000000,-1.000000</coordinates></Point>\r\n"
      "  </Placemark>\r\n"
      "</Document>\r\n"
      "</kml>\r\n";
  EXPECT_EQ(ReadFileBytes(dir.File("a.kml")), expected);
  EXPECT_TRUE(test::XmlWellFormed(dir.File("a.kml")));
}

TEST(KmlWriter, IconByType) {
  const char* paths[] = {"/images/wpttypes/sm/flag.jpg",
                         "/images/wpttypes/sm/pkg.jpg",
                         "/images/wpttypes/sm/stage.jpg",
                         "/images/wpttypes/sm/waypoint.jpg",
                         "/images/wpttypes/sm/puzzle.jpg",
                         "/images/wpttypes/sm/trailhead.jpg",
                         "/images/kml/2.png",
                         "/images/kml/3.png",
                         "/images/kml/8.png",
                         "/images/kml/4.png",
                         "/images/kml/earthcache.png",
                         "/images/kml/11.png",
                         "/images/kml/5.png",
                         "/images/kml/6.png",
                         "/images/kml/453.png",
                         "/images/kml/13.png",
                         "/images/WptTypes/1858.gif",
                         "/images/kml/8.png",
                         "/images/kml/9.png",
                         "/images/kml/8.png"};
  for (int code = -1; code <= 21; ++code) {
    bool inTable = code >= 0 && code <= 19;
    std::string path = inTable ? paths[code] : paths[0];
    bool small = !inTable || code <= 5;
    EXPECT_EQ(KmlIconPart(code),
              std::string(small ? "<scale>0.5</scale>" : "") + "<Icon>http://www.geocaching.com" + path)
        << code;
  }
}

TEST(KmlWriter, LinkTextFallsBackToTheName) {
  RecordList list;
  TGpxRecord& r = list.Add("GCX", 0, 0);
  r.Url = "http://u";
  std::string text;
  AppendKmlPlacemark(text, r);
  EXPECT_NE(text.find("<description><![CDATA[<b>Link:</b><br><a href=\"http://u\">GCX</a><br>]]></description>"),
            std::string::npos);
  r.UrlName = "Details";
  text.clear();
  AppendKmlPlacemark(text, r);
  EXPECT_NE(text.find(">Details</a>"), std::string::npos);
}

TEST(KmlWriter, HostileTextStaysWellFormed) {
  RecordList list;
  TGpxRecord& r = list.Add("N\x01\xE9\x81", 1, 2);
  r.Desc = "ends ]]> here ]]]>>";
  r.Url = "http://u/\xE9\x02";
  r.UrlName = "caf\xE9 ]]> \x7F";
  TempDir dir;
  ASSERT_TRUE(WriteKmlFile(dir.File("h.kml"), list.Span(), {}));
  std::string log;
  EXPECT_TRUE(test::XmlWellFormed(dir.File("h.kml"), &log)) << log;
  std::string text = ReadFileBytes(dir.File("h.kml"));
  EXPECT_NE(text.find("ends ]]]]><![CDATA[> here ]]]]]><![CDATA[>>"), std::string::npos);
  EXPECT_NE(text.find("caf\xC3\xA9"), std::string::npos);
  // xmllint reads the description back as it was meant.
  QUILL_SKIP_WITHOUT_TOOL("xmllint");
  std::string out;
  ASSERT_EQ(
      test::RunCommand(
          "xmllint --xpath 'string(//*[local-name()=\"description\"])' " + test::ShellQuote(dir.File("h.kml")), &out),
      0);
  EXPECT_NE(out.find("ends ]]> here ]]]>>"), std::string::npos) << out;
}

TEST(KmlWriter, EmptyListIsAValidDocument) {
  RecordList list;
  TempDir dir;
  ASSERT_TRUE(WriteKmlFile(dir.File("e.kml"), list.Span(), {}));
  EXPECT_EQ(ReadFileBytes(dir.File("e.kml")),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<kml xmlns=\"http://earth.google.com/kml/2.2\">\r\n"
            "<Document>\r\n</Document>\r\n</kml>\r\n");
  EXPECT_TRUE(test::XmlWellFormed(dir.File("e.kml")));
}

TEST(KmlWriter, FailedSaveLeavesTheOldFile) {
  TempDir dir;
  std::string path = dir.File("old.kml");
  test::WriteFileBytes(path, "old");
  RecordList list;
  for (int i = 0; i < 3000; ++i) list.Add("P" + std::to_string(i), 1, 1);
  EXPECT_EQ(test::RunWithFileSizeLimit(4096, [&] { return WriteKmlFile(path, list.Span(), {}); }), 0);
  EXPECT_EQ(ReadFileBytes(path), "old");
}

}  // namespace
}  // namespace quill
