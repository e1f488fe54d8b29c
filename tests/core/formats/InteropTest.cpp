// SPDX-License-Identifier: GPL-3.0-or-later
// GPSBabel as an independent implementation: it must read the files we write
// with the same names and positions, and we must read the files it writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/formats/FormatTestSupport.h"
#include "formats/GpxReader.h"
#include "formats/GpxWriter.h"
#include "formats/KmlWriter.h"
#include "formats/LocFormat.h"
#include "formats/Ov2Format.h"
#include "text/Ansi.h"

namespace quill {
namespace {

using test::GpsbabelRead;
using test::PeerRow;
using test::RecordList;
using test::TempDir;

// GPSBabel's CSV output has six decimals.
constexpr double kUnicsvPrecision = 5e-7 + 1e-9;

bool HaveGpsbabel() { return test::HaveTool("gpsbabel"); }

// Names that are hard for XML and for 8-bit text, all starting with GC so
// that LOC keeps them as its cache codes.
RecordList HardList() {
  RecordList list;
  const char* names[] = {"GC1 Fish & Chips",
                         "GC2 <b>bold</b>",
                         "GC3 caf\xE9 \xFC\xDF",
                         "GC4 \"quoted\"",
                         "GC5 it's",
                         "GC6 \x80 euro",
                         "GC7",
                         "GC8 a>b"};
  int i = 0;
  for (const char* n : names) {
    double lat = -89.5 + i * 23.123457;
    double lon = -179.25 + i * 41.7654321;
    TGpxRecord& r = list.Add(n, lat, lon);
    r.Desc = std::string("Title & <") + n + "> \xE9";
    r.Url = "http://example.org/?a=" + std::to_string(i) + "&b=2";
    r.UrlName = "Link " + std::to_string(i);
    r.TypeCode = 6 + i;
    ++i;
  }
  list.Add("GC9 south west", -0.000017, -0.000017);
  list.Add("GC10 north east", 0.000017, 0.000017);
  return list;
}

void ExpectPeerRows(const RecordList& list, const std::vector<PeerRow>& rows, double tolerance, bool checkTitle,
                    const std::string& what) {
  ASSERT_EQ(rows.size(), list.size()) << what;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].name, AnsiToUtf8(list[i].Name)) << what << " row " << i;
    EXPECT_NEAR(rows[i].lat, list[i].Lat, tolerance) << what << " row " << i;
    EXPECT_NEAR(rows[i].lon, list[i].Lon, tolerance) << what << " row " << i;
    if (checkTitle && !list[i].Desc.empty()) {
      EXPECT_EQ(rows[i].description, AnsiToUtf8(list[i].Desc)) << what << " row " << i;
    }
  }
}

TEST(GpxInterop, GpsbabelReadsOurGpx) {
  if (!HaveGpsbabel()) GTEST_SKIP() << "gpsbabel not installed";
  RecordList list = HardList();
  TempDir dir;
  ASSERT_TRUE(WriteGpxFile(dir.File("o.gpx"), list.Span(), {}));
  EXPECT_TRUE(test::XmlWellFormed(dir.File("o.gpx")));
  std::vector<PeerRow> rows;
  std::string log;
  ASSERT_TRUE(GpsbabelRead("gpx", dir.File("o.gpx"), rows, &log)) << log;
  ExpectPeerRows(list, rows, kUnicsvPrecision, true, "gpx");
}

TEST(LocInterop, GpsbabelReadsOurLocTitlesIncluded) {
  if (!HaveGpsbabel()) GTEST_SKIP() << "gpsbabel not installed";
  RecordList list = HardList();
  TempDir dir;
  ASSERT_TRUE(WriteLocFile(dir.File("o.loc"), list.Span(), {}));
  EXPECT_TRUE(test::XmlWellFormed(dir.File("o.loc")));
  std::vector<PeerRow> rows;
  std::string log;
  ASSERT_TRUE(GpsbabelRead("geo", dir.File("o.loc"), rows, &log)) << log;
  ExpectPeerRows(list, rows, kUnicsvPrecision, true, "loc");
}

TEST(LocInterop, TitleWithAmpersandLessThanAndAccentSurvivesHereAndThere) {
  RecordList list;
  list.Add("GC1AMP", 52.1, 4.3).Desc = "Fish & Chips < \xE9";
  TempDir dir;
  ASSERT_TRUE(WriteLocFile(dir.File("t.loc"), list.Span(), {}));
  WaypointStore store;
  ASSERT_TRUE(ReadLocFile(dir.File("t.loc"), store, {}, nullptr));
  ASSERT_EQ(store.size(), 1u);
  EXPECT_EQ(store.AllWaypoints()[0]->Desc, "Fish & Chips < \xE9");
  if (!HaveGpsbabel()) GTEST_SKIP() << "gpsbabel not installed";
  std::vector<PeerRow> rows;
  ASSERT_TRUE(GpsbabelRead("geo", dir.File("t.loc"), rows));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].description, "Fish & Chips < \xC3\xA9");
}

TEST(Ov2Interop, GpsbabelReadsOurOv2) {
  if (!HaveGpsbabel()) GTEST_SKIP() << "gpsbabel not installed";
  RecordList list = HardList();
  TempDir dir;
  ASSERT_TRUE(WriteOv2File(dir.File("o.ov2"), list.Span(), {}));
  std::vector<PeerRow> rows;
  std::string log;
  ASSERT_TRUE(GpsbabelRead("tomtom", dir.File("o.ov2"), rows, &log)) << log;
  // One OV2 unit is 0.00001 degree; rounding to the nearest unit is within half.
  ExpectPeerRows(list, rows, 0.5e-5 + 1e-9, false, "ov2");
}

TEST(KmlInterop, GpsbabelReadsOurKml) {
  if (!HaveGpsbabel()) GTEST_SKIP() << "gpsbabel not installed";
  RecordList list = HardList();
  TempDir dir;
  ASSERT_TRUE(WriteKmlFile(dir.File("o.kml"), list.Span(), {}));
  EXPECT_TRUE(test::XmlWellFormed(dir.File("o.kml")));
  std::vector<PeerRow> rows;
  std::string log;
  ASSERT_TRUE(GpsbabelRead("kml", dir.File("o.kml"), rows, &log)) << log;
  ExpectPeerRows(list, rows, kUnicsvPrecision, false, "kml");
}

// GPSBabel converts a real file into its format; we read the result and must
// see what GPSBabel itself sees in it.
struct PeerWritten {
  const char* fmt;
  const char* ext;
  ReaderFn reader;
  double tolerance;
};

class PeerFiles : public ::testing::TestWithParam<PeerWritten> {};

TEST_P(PeerFiles, WeReadWhatGpsbabelWrote) {
  if (!HaveGpsbabel()) GTEST_SKIP() << "gpsbabel not installed";
  const PeerWritten& p = GetParam();
  std::vector<std::string> sources = {test::DataPath("gpx10-plain.gpx"), test::DataPath("gpx10-pocket-query.gpx"),
                                      test::DataPath("gpx11-plain.gpx"), test::DataPath("gpx11-caches.gpx")};
  if (test::HaveCorpus()) {
    for (const char* f : {"gpsbabel/geocaching.gpx", "gpsbabel/spb_metro_norm_ru~gpi.gpx",
                          "gpsbabel/Lctns_Instinct.gpx", "gpsbabel/transform-wpt.gpx"})
      sources.push_back(test::CorpusPath(f));
  }
  for (const std::string& source : sources) {
    TempDir dir;
    std::string made = dir.File(std::string("peer.") + p.ext);
    ASSERT_TRUE(test::GpsbabelWrite(source, p.fmt, made)) << source;
    std::vector<PeerRow> rows;
    ASSERT_TRUE(GpsbabelRead(p.fmt, made, rows)) << source;
    WaypointStore store;
    ASSERT_TRUE(p.reader(made, store, {}, nullptr)) << source;
    ASSERT_EQ(store.size(), rows.size()) << source;
    ASSERT_GT(rows.size(), 0u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const TGpxRecord& r = *store.AllWaypoints()[i];
      // GPSBabel's CSV output writes a line break inside a name as a comma.
      std::string name = AnsiToUtf8(r.Name);
      std::replace(name.begin(), name.end(), '\n', ',');
      EXPECT_EQ(name, rows[i].name) << source << " " << i;
      EXPECT_NEAR(r.Lat, rows[i].lat, p.tolerance) << source << " " << i;
      EXPECT_NEAR(r.Lon, rows[i].lon, p.tolerance) << source << " " << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Interop, PeerFiles,
                         ::testing::Values(PeerWritten{"gpx", "gpx", &ReadGpxFile, 1e-6},
                                           PeerWritten{"geo", "loc", &ReadLocFile, 1e-6},
                                           PeerWritten{"tomtom", "ov2", &ReadOv2File, 1e-6}),
                         [](const auto& p) { return std::string(p.param.ext); });

}  // namespace
}  // namespace quill
