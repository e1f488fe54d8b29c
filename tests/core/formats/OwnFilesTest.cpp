// SPDX-License-Identifier: GPL-3.0-or-later
// The files of our own making under tests/data, one or more per reader, read
// through the format table: a clone without the corpus of real files still
// reads every format from disk. Grid and ECEF positions in notations.txt were
// computed with PROJ (cs2cs) from the latitudes and longitudes below.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/FormatTable.h"
#include "list/WaypointStore.h"
#include "support/TestSupport.h"

namespace quill {
namespace {

struct Place {
  const char* name;  // memory text
  double lat;
  double lon;
};

struct OwnFile {
  const char* file;
  std::size_t waypoints;
  std::size_t withCacheData;
  double tolerance;  // degrees
  std::vector<Place> places;
  std::vector<std::string> flashed;
};

const Place kTower{"Tower", 52.155172, 5.387203};
const Place kOpera{"Opera", -33.856784, 151.215297};
const Place kGrandPlace{"Grand-Place", 50.8466, 4.3528};
const Place kSummit{"Summit", 47.4211, 10.9853};

class OwnFiles : public ::testing::TestWithParam<OwnFile> {};

TEST_P(OwnFiles, ReadThroughTheFormatTable) {
  const OwnFile& f = GetParam();
  ReaderFn reader = ReaderForPath(f.file);
  ASSERT_NE(reader, nullptr);
  test::RecordingStatus status;
  ReadOptions options;
  options.includeGroundspeak = true;
  options.status = &status;
  WaypointStore store;
  ASSERT_TRUE(reader(test::DataPath(f.file), store, options, nullptr));
  ASSERT_EQ(store.size(), f.waypoints);
  std::size_t withCacheData = 0;
  for (const auto& r : store.AllWaypoints()) {
    if (!r->GroundspeakXml.empty()) ++withCacheData;
  }
  EXPECT_EQ(withCacheData, f.withCacheData);
  for (const Place& p : f.places) {
    const TGpxRecord* r = store.FirstWithName(p.name);
    ASSERT_NE(r, nullptr) << p.name;
    EXPECT_NEAR(r->Lat, p.lat, f.tolerance) << p.name;
    EXPECT_NEAR(r->Lon, p.lon, f.tolerance) << p.name;
  }
  std::vector<std::string> flashed;
  for (const auto& m : status.flashed) flashed.push_back(m.second);
  EXPECT_EQ(flashed, f.flashed);
}

INSTANTIATE_TEST_SUITE_P(
    Data, OwnFiles,
    ::testing::Values(
        OwnFile{"gpx10-plain.gpx",
                4,
                0,
                1e-9,
                {kTower,
                 {"Obelisco", -34.603722, -58.381592},
                 {"Near the pole", -89.999999, 179.999999},
                 {"Gulf of Guinea", 0.000001, -0.000001}},
                {}},
        OwnFile{"gpx10-pocket-query.gpx",
                4,
                3,
                1e-9,
                {{"GCQ1AB", 51.98765, 5.91234}, {"GCQ2CD", 49.1382, 19.0634}, {"PKQ2CD", 49.137, 19.061}},
                {}},
        OwnFile{"gpx11-plain.gpx", 3, 0, 1e-9, {kSummit, kGrandPlace, kOpera}, {}},
        OwnFile{"gpx11-caches.gpx", 2, 2, 1e-9, {{"GCQ5LB-1", 49.4721, 17.1112}, {"GCQ6MN", 49.4713, 17.1099}}, {}},
        OwnFile{"caches.loc", 3, 0, 1e-9, {{"GCQ1AB", 51.98765, 5.91234}, {"GCQ3EF", 50.8799, 4.7005}}, {}},
        // One OV2 unit is 0.00001 degree; the extended POI is read like a simple one.
        OwnFile{"pois.ov2",
                4,
                0,
                0.5e-5 + 1e-9,
                {kTower, {"Hrad nad V\xE1hom", 49.1382, 19.0634}, kOpera, kGrandPlace},
                {"POI type 3"}},
        // A header line and a line without numbers add nothing.
        OwnFile{"layouts.csv",
                5,
                0,
                1e-9,
                {kTower,
                 kGrandPlace,
                 kSummit,
                 {"Quote \"inside\"", -34.603722, -58.381592},
                 {"Caf\xE9 Noir", 48.8584, 2.2945}},
                {}},
        OwnFile{"navio.asc", 2, 0, 1e-9, {{"Dom", 52.0907, 5.1214}, kOpera}, {}},
        // Minutes with three decimals and whole grid metres: within two metres.
        OwnFile{"notations.txt",
                6,
                0,
                2e-5,
                {kTower,
                 {"Obelisco caf\xE9", -34.603722, -58.381592},
                 {"Tower in RD", 52.155172, 5.387203},
                 kGrandPlace,
                 {"Zugspitze", 47.4211, 10.9853},
                 kOpera},
                {}}),
    [](const ::testing::TestParamInfo<OwnFile>& p) {
      std::string name = p.param.file;
      for (char& c : name)
        if (!isalnum(static_cast<unsigned char>(c))) c = '_';
      return name;
    });

// Texts the GPX and LOC readers must decode: entities, character references,
// CDATA, line breaks (kept as CR LF in memory), and characters Windows-1252
// holds or does not hold.
TEST(OwnFilesTexts, DecodedAsWritten) {
  struct Text {
    const char* file;
    const char* name;
    std::string TGpxRecord::*field;
    const char* expected;
  } texts[] = {
      {"gpx10-plain.gpx", "Tower", &TGpxRecord::Cmt, "Church tower & square"},
      {"gpx10-plain.gpx", "Tower", &TGpxRecord::Url, "https://example.org/tower?a=1&b=2"},
      {"gpx10-plain.gpx", "Tower", &TGpxRecord::Time, "2020-01-02T03:04:05Z"},
      {"gpx10-plain.gpx", "Obelisco", &TGpxRecord::Desc, "Buenos Aires, caf\xE9 \xE2\x98\xBA"},
      {"gpx10-plain.gpx", "Near the pole", &TGpxRecord::Desc, "Kept as written: <b>bold</b> & raw"},
      {"gpx10-plain.gpx", "Near the pole", &TGpxRecord::Url, ""},
      {"gpx10-plain.gpx", "Gulf of Guinea", &TGpxRecord::Cmt, "Line one\r\nLine two"},
      {"gpx10-pocket-query.gpx", "GCQ2CD", &TGpxRecord::Desc,
       "Hrad nad V\xE1hom by Jo\x9Eko Mrkvi\xC4\x8Dka, Traditional Cache (1.5/2.5)"},
      {"gpx10-pocket-query.gpx", "GCQ3EF", &TGpxRecord::UrlName, "Summer picnic & swap"},
      {"gpx10-pocket-query.gpx", "PKQ2CD", &TGpxRecord::Cmt, "Free on weekdays"},
      {"gpx11-plain.gpx", "Grand-Place", &TGpxRecord::Cmt, "Bruxelles \x96 centre"},
      {"gpx11-caches.gpx", "GCQ5LB-1", &TGpxRecord::Desc,
       "Star\xE1 tov\xE1rna / Old factory by O\xC5\x99"
       "echov\xE1 parta (1/1)"},
      {"caches.loc", "GCQ1AB", &TGpxRecord::Desc, "Mill by the weir by Tarn Walker"},
      {"caches.loc", "GCQ2CD", &TGpxRecord::Desc, "Hrad nad V\xE1hom & most / bridge"},
      {"caches.loc", "GCQ2CD", &TGpxRecord::Url, "https://example.org/geocache/GCQ2CD?x=1&y=2"},
      {"caches.loc", "GCQ3EF", &TGpxRecord::Desc, "Summer picnic & swap"},
  };
  for (const Text& t : texts) {
    SCOPED_TRACE(std::string(t.file) + " " + t.name);
    ReadOptions options;
    options.includeGroundspeak = true;
    WaypointStore store;
    ASSERT_TRUE(ReaderForPath(t.file)(test::DataPath(t.file), store, options, nullptr));
    const TGpxRecord* r = store.FirstWithName(t.name);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->*t.field, t.expected);
  }
}

TEST(OwnFilesTexts, TypesAndFoundState) {
  struct Type {
    const char* file;
    const char* name;
    int typeCode;
    bool found;
  } types[] = {
      {"gpx10-pocket-query.gpx", "GCQ1AB", 8, false},
      {"gpx10-pocket-query.gpx", "GCQ2CD", 6, true},
      {"gpx10-pocket-query.gpx", "PKQ2CD", 1, false},
      {"gpx10-pocket-query.gpx", "GCQ3EF", 13, false},
      {"gpx11-caches.gpx", "GCQ6MN", 7, false},
      {"caches.loc", "GCQ1AB", 6, false},
      {"caches.loc", "GCQ2CD", 6, true},
      {"caches.loc", "GCQ3EF", 13, false},
  };
  for (const Type& t : types) {
    SCOPED_TRACE(std::string(t.file) + " " + t.name);
    WaypointStore store;
    ASSERT_TRUE(ReaderForPath(t.file)(test::DataPath(t.file), store, {}, nullptr));
    const TGpxRecord* r = store.FirstWithName(t.name);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->TypeCode, t.typeCode);
    EXPECT_EQ(r->Found, t.found);
  }
}

}  // namespace
}  // namespace quill
