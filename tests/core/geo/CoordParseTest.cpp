// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "geo/CoordParse.h"

namespace quill {
namespace {

struct LatLonCase {
  const char* text;
  double lat;
  double lon;
};

class GeoParseLatLon : public ::testing::TestWithParam<LatLonCase> {};

TEST_P(GeoParseLatLon, ReadsLatitudeAndLongitude) {
  const LatLonCase& c = GetParam();
  LatLon p = ParseLatLon(c.text);
  EXPECT_NEAR(p.lat, c.lat, 1e-7) << c.text;
  EXPECT_NEAR(p.lon, c.lon, 1e-7) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, GeoParseLatLon,
    ::testing::Values(LatLonCase{"N 51\xB0 02.804 E 003\xB0 56.782", 51.0467333333, 3.9463666667},
                      LatLonCase{"51.31735 4.35495", 51.31735, 4.35495},
                      LatLonCase{"S 33 52 10.5", -33.8695833333, 0.0},
                      // Three whole numbers close the latitude.
                      LatLonCase{"51 30 4 15", 51.5011111111, 15.0}, LatLonCase{"N 51 30 E 4 15", 51.5, 4.25},
                      // A letter right after a number is consumed as its separator.
                      LatLonCase{"51.5N 4.25E", 51.5, 4.25}, LatLonCase{"Z 34,5 O 18,25", -34.5, 18.25},
                      LatLonCase{"s 34.5 w 18.25", -34.5, -18.25}, LatLonCase{"-33.5", -33.5, 0.0},
                      // The minus belongs to the degrees only.
                      LatLonCase{"-51 30", -50.5, 0.0},
                      // A later completing token composes the longitude anew from its parts.
                      LatLonCase{"51.5 4.25 7.5 ", 51.5, 4.375},
                      // ...but a token at the very end only fills its part.
                      LatLonCase{"51.5 4.25 7.5", 51.5, 4.25}, LatLonCase{"", 0.0, 0.0}, LatLonCase{"hello", 0.0, 0.0},
                      // Tokens that are no number read as 0.
                      LatLonCase{"1.2.3 4", 0.0, 4.0}, LatLonCase{"N 12-3 E 5.5", 0.0, 5.5},
                      LatLonCase{"N 52\xB0 05' 21.98\" E 5\xB0 06' 36.59\"", 52.0894388889, 5.1101638889}));

TEST(GeoParseLatLon, ComposesInExtendedPrecision) {
  // 2.804/60 + 51 formed in extended precision and rounded once.
  const long double expected = 2.804L * (1.0L / 60.0L) + 51.0L;
  EXPECT_EQ(ParseLatLon("N 51 2.804").lat, static_cast<double>(expected));
}

TEST(GeoParseLatLon, OverlongTokenIsCutAtItsBuffer) {
  // 250 digits: only the first 199 are read, the rest of the run is dropped.
  std::string text = "1." + std::string(248, '1') + " 7.25";
  LatLon p = ParseLatLon(text);
  EXPECT_NEAR(p.lat, 1.1111111111, 1e-9);
  EXPECT_EQ(p.lon, 7.25);
  std::string whole(250, '9');
  EXPECT_NEAR(ParseLatLon(whole).lat, 1e199, 1e186);
}

TEST(GeoParseLatLonFields, NorthFieldWithBothCoordinatesIgnoresEastField) {
  LatLon p = ParseLatLonFields("N 51\xB0 02.804 E 003\xB0 56.782", "W 99");
  EXPECT_NEAR(p.lat, 51.0467333, 1e-7);
  EXPECT_NEAR(p.lon, 3.9463667, 1e-7);
}

TEST(GeoParseLatLonFields, EastFieldGivesTheLongitude) {
  EXPECT_NEAR(ParseLatLonFields("", "W 3 56").lon, -3.9333333, 1e-7);
  EXPECT_EQ(ParseLatLonFields("", "W 3 56").lat, 0.0);
  EXPECT_NEAR(ParseLatLonFields("N 51 30", "3\xB0 56.782").lon, 3.9463667, 1e-7);
  EXPECT_NEAR(ParseLatLonFields("N 51 30", "E 003\xB0 56.782").lon, 3.9463667, 1e-7);
  EXPECT_EQ(ParseLatLonFields("N 51 30", "").lon, 0.0);
}

struct GridCase {
  const char* text;
  int x;
  int y;
};

class GeoParseGridPair : public ::testing::TestWithParam<GridCase> {};

TEST_P(GeoParseGridPair, ReadsTwoWholeNumbers) {
  GridPoint g = ParseGridPair(GetParam().text);
  EXPECT_EQ(g.x, GetParam().x) << GetParam().text;
  EXPECT_EQ(g.y, GetParam().y) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Table, GeoParseGridPair,
                         ::testing::Values(GridCase{"136013 / 455723", 136013, 455723},
                                           GridCase{"136013 455723", 136013, 455723},
                                           GridCase{"x=136013 y=455723", 136013, 455723},
                                           GridCase{"136013 - 455723", 136013, 0}, GridCase{"136013,455723", 136013, 0},
                                           GridCase{"-7000.9 289000.9 5", -7000, 289000}, GridCase{"12", 12, 0},
                                           GridCase{"", 0, 0}, GridCase{"99999999999999 1", 2147483647, 1}));

TEST(GeoParseEcef, KeepsFractionsOfThreeValues) {
  EcefPoint p = ParseEcef("3982999.25 / -303325,5 / 4955687");
  EXPECT_EQ(p.x, 3982999.25);
  EXPECT_EQ(p.y, -303325.5);
  EXPECT_EQ(p.z, 4955687.0);
  EcefPoint q = ParseEcef("1 2");
  EXPECT_EQ(q.x, 1.0);
  EXPECT_EQ(q.y, 2.0);
  EXPECT_EQ(q.z, 0.0);
  EXPECT_EQ(ParseEcef("1 2 3 4").z, 3.0);
}

struct UtmCase {
  const char* text;
  int zone;
  char band;
  double easting;
  double northing;
};

class GeoParseUtm : public ::testing::TestWithParam<UtmCase> {};

TEST_P(GeoParseUtm, ReadsZoneBandEastingNorthing) {
  const UtmCase& c = GetParam();
  UtmCoord u = ParseUtm(c.text);
  EXPECT_EQ(u.zone, c.zone) << c.text;
  EXPECT_EQ(u.band, c.band) << c.text;
  EXPECT_EQ(u.easting, c.easting) << c.text;
  EXPECT_EQ(u.northing, c.northing) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Table, GeoParseUtm,
                         ::testing::Values(UtmCase{"31U E 594839 N 5721425", 31, 'U', 594839, 5721425},
                                           UtmCase{"31U  E 594425  N 5685988", 31, 'U', 594425, 5685988},
                                           // A separated letter after the zone is the band.
                                           UtmCase{"31 E 594839 N 5721425", 31, 'E', 594839, 5721425},
                                           UtmCase{"31u 594839 5721425", 31, 'u', 594839, 5721425},
                                           // Digits after the zone without a letter: band U.
                                           UtmCase{"31 594839 5721425", 31, 'U', 594839, 5721425},
                                           UtmCase{"31Uab 594839", 31, 'U', 594839, 0},
                                           UtmCase{"31U594839 5721425", 31, 'U', 594839, 5721425},
                                           // Fractions are dropped.
                                           UtmCase{"31U 594839.9 5721425.7", 31, 'U', 594839, 5721425},
                                           UtmCase{"31", 31, 0, 0, 0}, UtmCase{"31C", 31, 'C', 0, 0},
                                           UtmCase{"", 0, 0, 0, 0}, UtmCase{"zone", 0, 0, 0, 0},
                                           UtmCase{"31U 1 2 3", 31, 'U', 1, 2}));

TEST(GeoParseUtm, OverlongTokenIsCutAtItsBuffer) {
  UtmCoord u = ParseUtm("31U " + std::string(79, '0') + "5 6");
  EXPECT_EQ(u.easting, 0.0);  // the 5 fell beyond the 79 characters kept
  EXPECT_EQ(u.northing, 6.0);
}

TEST(GeoParseScanners, SurviveArbitraryBytes) {
  std::string text;
  for (int i = 0; i < 2000; ++i) text.push_back(static_cast<char>((i * 37 + 11) % 256));
  for (std::size_t len = 0; len < text.size(); len += 97) {
    std::string_view part(text.data(), len);
    LatLon p = ParseLatLon(part);
    EXPECT_TRUE(std::isfinite(p.lat) && std::isfinite(p.lon));
    UtmCoord u = ParseUtm(part);
    EXPECT_TRUE(std::isfinite(u.easting) && std::isfinite(u.northing));
    EcefPoint e = ParseEcef(part);
    EXPECT_TRUE(std::isfinite(e.x) && std::isfinite(e.y) && std::isfinite(e.z));
    ParseGridPair(part);
  }
}

}  // namespace
}  // namespace quill
