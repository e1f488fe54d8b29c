// SPDX-License-Identifier: GPL-3.0-or-later
// Formats told from content, and files refused for not being their format.
#include <gtest/gtest.h>

#include "core/formats/FormatTestSupport.h"
#include "formats/FormatSniff.h"
#include "formats/FormatTable.h"
#include "formats/TextFormats.h"

namespace quill {
namespace {

using test::RecordList;
using test::TempDir;

// What every writer writes is recognised as a format whose reader reads it
// back whole; KML, which nothing reads, is not.
TEST(FormatSniff, EveryWriterOutputIsToldByItsContent) {
  RecordList list;
  // Both where the grids of the text modes reach.
  list.Add("GC1AAA", 52.1, 4.3);
  list.Add("GC2BBB", 50.85, 4.35);
  TempDir dir;
  for (const FileFormat& format : FileFormats()) {
    if (!format.writer) continue;
    for (int txtMode = 0; txtMode <= (format.code == kFormatTxt ? kTxtEcef : 0); ++txtMode) {
      SCOPED_TRACE(std::string(format.name) + " mode " + std::to_string(txtMode));
      const std::string path = dir.File("w" + std::to_string(format.code) + "-" + std::to_string(txtMode));
      WriteOptions options;
      options.txtExportMode = txtMode;
      ASSERT_TRUE(format.writer(path, list.Span(), options));
      const std::string bytes = test::ReadFileBytes(path);
      const SniffResult sniff = FormatOfContent(bytes, true);
      if (format.code == kFormatKml) {
        EXPECT_EQ(sniff.formatCode, -1);
        EXPECT_EQ(sniff.reason, "its XML root element is <kml>, not <gpx> or <loc>");
        continue;
      }
      ASSERT_NE(sniff.formatCode, -1) << sniff.reason;
      EXPECT_EQ(FormatForCode(sniff.formatCode)->reader, format.reader);
      // Only the first bytes of a big file are seen: the start of the same.
      const std::size_t start = std::max<std::size_t>(60, bytes.find('\n') + 1);
      EXPECT_EQ(FormatOfContent(std::string_view(bytes).substr(0, start), false).formatCode, sniff.formatCode);
      WaypointStore store;
      ReadResult result;
      EXPECT_TRUE(FormatForCode(sniff.formatCode)->reader(path, store, ReadOptions{}, &result)) << result.error;
      EXPECT_EQ(store.size(), 2u);
    }
  }
}

TEST(FormatSniff, ContentTable) {
  const std::string ov2Poi("\x02\x13\x00\x00\x00\x80\x1a\x06\x00\xc0\xf9\x4f\x00GC1\x00\x00", 19);
  const struct {
    std::string head;
    bool complete;
    int code;
    const char* reason;
  } cases[] = {
      {"\xEF\xBB\xBF<?xml version='1.0'?>\n<!-- a > b -->\n<!DOCTYPE gpx [<!ENTITY x '>'>]>\n<gpx>", true, kFormatGpx,
       ""},
      {"<ns0:gpx xmlns:ns0='x'/>", true, kFormatGpx, ""},
      {"\r\n  <loc version='1.0'>", true, kFormatLoc, ""},
      {"<x:>", true, -1, "no line holds \"POSITION ; NAME\" or comma-separated fields"},
      {"<1gpx>", true, -1, "no line holds \"POSITION ; NAME\" or comma-separated fields"},
      {"<?xml version='1.0'?><html>", true, -1, "its XML root element is <html>, not <gpx> or <loc>"},
      {"<?xml version='1.0'?><!-- long", false, -1, "it ends before its XML root element"},
      {ov2Poi, true, kFormatOv2, ""},
      {ov2Poi.substr(0, 9), false, kFormatOv2, ""},
      {ov2Poi.substr(0, 9), true, -1, "it holds binary data that are no OV2 records"},
      {std::string("\x02\x05\x00\x00\x00", 5), true, -1, "it holds binary data that are no OV2 records"},
      {"=RD\n155000 463000 ; Tower\n", true, kFormatTxt, ""},
      {"N 52 09.310 E 5 23.232 ; Tower, Utrecht\n", true, kFormatTxt, ""},
      {"lat,lon,name\n52.1, 5.1, \"Tower\"\n", true, kFormatMioMap, ""},
      {"Dear diary\nnothing here\n", true, -1, "no line holds \"POSITION ; NAME\" or comma-separated fields"},
      {std::string("text\0with nul, and ; marks\n", 27), true, -1, "it holds binary data"},
      {"", true, -1, "it is empty"},
      {" \n\t\r\n", true, -1, "it is empty"},
  };
  for (const auto& c : cases) {
    const SniffResult r = FormatOfContent(c.head, c.complete);
    EXPECT_EQ(r.formatCode, c.code) << c.head;
    EXPECT_EQ(r.reason, c.reason) << c.head;
  }
}

// A reader that gets a file of some other kind, and reads nothing from it,
// refuses it and says why; a file of its own kind without waypoints, and a
// waypoint-bearing fragment, still load.
TEST(FormatRefusal, ReadersRefuseOtherFilesAndTakeEmptyOnesOfTheirOwn) {
  const struct {
    const char* ext;
    std::string bytes;
    const char* error;  // empty: loads
    std::size_t waypoints;
  } cases[] = {
      {".gpx", "hello\n", "not a GPX file (it is no XML)", 0},
      {".gpx", "", "not a GPX file (it is empty)", 0},
      {".gpx", "<?xml version=\"1.0\"?>\n", "not a GPX file (it ends before its root element)", 0},
      {".gpx", "<?xml version=\"1.0\"?><loc version=\"1.0\"></loc>", "not a GPX file (the root element is <loc>)", 0},
      {".gpx", "<gpx version=\"1.1\"><trk/></gpx>", "", 0},
      {".gpx", "<wpt lat=\"1\" lon=\"2\"><name>A</name></wpt>", "", 1},
      {".loc", "<gpx/>", "not a LOC file (the root element is <gpx>)", 0},
      {".loc", "<loc version=\"1.0\"></loc>", "", 0},
      {".txt", "Dear diary,\nnothing here.\n", "not a TXT file (no line holds \"POSITION ; NAME\")", 0},
      {".txt", std::string("ab\0cd\n", 6), "not a TXT file (it holds binary data)", 0},
      {".txt", "", "", 0},
      {".txt", "=RD\n", "", 0},
      {".txt", "nonsense ; Name\n", "", 0},
      {".csv", "Dear diary\n", "not a CSV file (no line holds comma-separated fields)", 0},
      {".csv", "lat,lon,name\n", "", 0},
      {".asc", "\n\n", "", 0},
      {".ov2", "", "", 0},
  };
  TempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.ext) + " " + c.bytes);
    const std::string path = dir.File(std::string("f") + c.ext);
    test::WriteFileBytes(path, c.bytes);
    WaypointStore store;
    ReadResult result;
    const bool ok = ReaderForPath(path)(path, store, ReadOptions{}, &result);
    EXPECT_EQ(ok, std::string(c.error).empty());
    EXPECT_EQ(result.error, c.error);
    EXPECT_EQ(store.size(), c.waypoints);
  }
}

}  // namespace
}  // namespace quill
