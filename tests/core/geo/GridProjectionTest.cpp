// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "geo/Datum.h"
#include "geo/GridProjection.h"

namespace quill {
namespace {

TEST(GeoRd, ReferencePointBothWays) {
  GridPoint g = Wgs84ToRd(52.1551744, 5.38720621);
  EXPECT_EQ(g.x, 155000);
  EXPECT_EQ(g.y, 463000);
  LatLon p = RdToWgs84(155000, 463000);
  EXPECT_EQ(p.lat, 52.15517);
  EXPECT_EQ(p.lon, 5.387206);
}

// Grid values of PROJ (EPSG:4326 -> EPSG:28992 and EPSG:31370, its default
// one-metre transformations). The polynomials and the three-parameter shift
// are approximations; the tolerances state how close they stay.
struct ProjCase {
  double lat, lon;
  double x, y;
};

TEST(GeoRd, AgreesWithProjWithinTwoMetres) {
  const ProjCase cases[] = {{52.3731, 4.8926, 121317.754, 487362.091},
                            {53.2194, 6.5665, 233769.705, 582065.417},
                            {50.8514, 5.6910, 176395.002, 317996.190},
                            {51.4416, 3.5734, 28903.159, 385179.866}};
  for (const ProjCase& c : cases) {
    GridPoint g = Wgs84ToRd(c.lat, c.lon);
    EXPECT_NEAR(g.x, c.x, 2.0) << c.lat << " " << c.lon;
    EXPECT_NEAR(g.y, c.y, 2.0) << c.lat << " " << c.lon;
  }
}

TEST(GeoRd, ThereAndBackWithinAMetreAcrossTheWindow) {
  for (int x = -7000; x <= 300000; x += 6700) {
    for (int y = 289000; y <= 629000; y += 8500) {
      LatLon p = RdToWgs84(x, y);
      GridPoint g = Wgs84ToRd(p.lat, p.lon);
      EXPECT_LE(std::abs(g.x - x), 1) << x << " " << y;
      EXPECT_LE(std::abs(g.y - y), 1) << x << " " << y;
    }
  }
}

TEST(GeoRd, RangeWindowEdges) {
  EXPECT_TRUE(IsRdInRange(-7000, 289000));
  EXPECT_FALSE(IsRdInRange(-7001, 289000));
  EXPECT_TRUE(IsRdInRange(300000, 629000));
  EXPECT_FALSE(IsRdInRange(300001, 629000));
  EXPECT_FALSE(IsRdInRange(0, 288999));
  EXPECT_FALSE(IsRdInRange(0, 629001));
}

TEST(GeoRd, FarAwayPositionsAreComputedOrZero) {
  GridPoint spain = Wgs84ToRd(40.4168, -3.7038);
  EXPECT_FALSE(IsRdInRange(spain.x, spain.y));
  GridPoint absurd = Wgs84ToRd(1e150, 1e150);  // the polynomial overflows
  EXPECT_EQ(absurd.x, 0);
  EXPECT_EQ(absurd.y, 0);
}

TEST(GeoLambert72, KnownPointOnTheBelgianDatum) {
  LatLon p = Lambert72ToWgs84(124202, 187756);
  EXPECT_NEAR(p.lat, 50.999455, 1e-6);
  EXPECT_NEAR(p.lon, 4.001250, 1e-6);
  // The projection itself is rounded to five decimals before the shift.
  GeoPosition belgian = Wgs84ToDatum(kDatumBelgian1972, p.lat, p.lon, 0);
  EXPECT_NEAR(belgian.lat, 50.99999, 2e-7);
  EXPECT_NEAR(belgian.lon, 3.99999, 2e-7);
}

TEST(GeoLambert72, AgreesWithProjWithinTwoMetres) {
  const ProjCase cases[] = {{50.8467, 4.3525, 148855.423, 170699.676},
                            {51.2194, 4.4025, 152357.483, 212161.981},
                            {50.6326, 5.5797, 235666.836, 147582.934},
                            {51.2154, 2.9287, 49384.535, 212691.172},
                            {49.6, 5.8, 253464.649, 33026.967}};
  for (const ProjCase& c : cases) {
    GridPoint g = Wgs84ToLambert72(c.lat, c.lon);
    EXPECT_NEAR(g.x, c.x, 2.0) << c.lat << " " << c.lon;
    EXPECT_NEAR(g.y, c.y, 2.0) << c.lat << " " << c.lon;
  }
}

TEST(GeoLambert72, ThereAndBackWithinTwoMetresAcrossTheWindow) {
  // Five decimals of a degree are up to 1.1 m, plus the inexact inverse shift.
  for (int x = 1000; x <= 310000; x += 7700) {
    for (int y = 1000; y <= 260000; y += 6400) {
      LatLon p = Lambert72ToWgs84(x, y);
      GridPoint g = Wgs84ToLambert72(p.lat, p.lon);
      EXPECT_LE(std::abs(g.x - x), 2) << x << " " << y;
      EXPECT_LE(std::abs(g.y - y), 2) << x << " " << y;
    }
  }
}

TEST(GeoLambert72, RangeWindowEdgesAndBeyondThePole) {
  EXPECT_TRUE(IsLambert72InRange(1000, 260000));
  EXPECT_FALSE(IsLambert72InRange(999, 260000));
  EXPECT_TRUE(IsLambert72InRange(310000, 1000));
  EXPECT_FALSE(IsLambert72InRange(310001, 1000));
  EXPECT_FALSE(IsLambert72InRange(1000, 260001));
  GridPoint beyond = Wgs84ToLambert72(120, 4);
  EXPECT_EQ(beyond.x, 0);
  EXPECT_EQ(beyond.y, 0);
}

TEST(GeoUtm, KnownPositionAgreesWithProj) {
  UtmCoord u = Wgs84ToUtm(51.31735, 4.35495);
  EXPECT_EQ(u.zone, 31);
  EXPECT_EQ(u.band, 'U');
  // PROJ EPSG:32631: 594424.3352 5685987.9964, plus the half metre.
  EXPECT_NEAR(u.easting, 594424.3352 + 0.5, 1e-3);
  EXPECT_NEAR(u.northing, 5685987.9964 + 0.5, 1e-3);
  UtmCoord s = Wgs84ToUtm(-33.8695833, 151.2);
  EXPECT_EQ(s.zone, 56);
  EXPECT_EQ(s.band, 'H');
  // PROJ EPSG:32756: 333509.8407 6250846.4518
  // 2.2 degrees from the central meridian the truncated series is off by mm.
  EXPECT_NEAR(s.easting, 333509.8407 + 0.5, 0.01);
  EXPECT_NEAR(s.northing, 6250846.4518 + 0.5, 0.01);
}

TEST(GeoUtm, ZoneAtTheBoundaries) {
  const struct {
    double lon;
    int zone;
  } cases[] = {{0, 30}, {6, 32}, {-6, 29}, {-3, 30}, {3, 31}, {179.9, 60}, {-179.9, 1}, {-180, 0}};
  for (const auto& c : cases) EXPECT_EQ(Wgs84ToUtm(10, c.lon).zone, c.zone) << c.lon;
}

TEST(GeoUtm, BandLetters) {
  const struct {
    double lat;
    char band;
  } cases[] = {{72.0, 'X'}, {71.9, 'W'}, {83.9, 'X'}, {84.0, '*'}, {-80.0, 'C'}, {-80.1, '*'},
               {0.0, 'N'},  {-0.1, 'M'}, {51.3, 'U'}, {90.0, '*'}, {-90.0, '*'}};
  for (const auto& c : cases) EXPECT_EQ(Wgs84ToUtm(c.lat, 4).band, c.band) << c.lat;
}

TEST(GeoUtm, NorthingIsCappedBelowTenMillion) {
  EXPECT_EQ(Wgs84ToUtm(-0.0000001, 3).northing, 9999999.0);
  EXPECT_NEAR(Wgs84ToUtm(-1, 3).northing, 10000000 - 0.9996 * 110574.4 + 0.5, 1.0);
}

TEST(GeoUtm, BandChoosesTheHemisphere) {
  LatLon north = UtmToWgs84(31, 'U', 594424.3352, 5685987.9964);
  EXPECT_NEAR(north.lat, 51.31735, 1e-7);
  EXPECT_NEAR(north.lon, 4.35495, 1e-7);
  LatLon south = UtmToWgs84(56, 'c', 333509.8407, 6250846.4518);
  EXPECT_NEAR(south.lat, -33.8695833, 3e-7);
  EXPECT_NEAR(south.lon, 151.2, 3e-7);
  EXPECT_GT(UtmToWgs84(56, '*', 333509, 6250846).lat, 0);
  EXPECT_GT(UtmToWgs84(56, 'n', 333509, 6250846).lat, 0);
  EXPECT_GT(UtmToWgs84(56, 0, 333509, 6250846).lat, 0);
}

TEST(GeoUtm, ThereAndBackWithinTheSeriesAccuracy) {
  // The truncated series lose up to about 0.2 m at a zone's edge, a
  // centimetre within a degree of the central meridian.
  for (double lat = -79.5; lat < 84; lat += 1.7) {
    for (double lon = -179.8; lon < 180; lon += 0.61) {
      UtmCoord u = Wgs84ToUtm(lat, lon);
      LatLon p = UtmToWgs84(u.zone, u.band, u.easting - 0.5, u.northing - 0.5);
      const double metresPerDegree = 111320.0;
      const double error =
          std::hypot((p.lat - lat) * metresPerDegree, (p.lon - lon) * metresPerDegree * std::cos(lat * kDegToRad));
      const double offCentre = std::fabs(lon - (6.0 * u.zone - 183.0));
      EXPECT_LT(error, offCentre <= 1.0 ? 0.01 : 0.25) << lat << " " << lon;
    }
  }
}

}  // namespace
}  // namespace quill
