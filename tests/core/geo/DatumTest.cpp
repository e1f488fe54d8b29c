// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "geo/Datum.h"

namespace quill {
namespace {

TEST(GeoDatumTable, DerivedFieldsFollowFromTheGivenOnes) {
  const TDatum& w = DatumRow(kDatumWgs84);
  EXPECT_DOUBLE_EQ(w.b, 6356752.314245179);
  EXPECT_DOUBLE_EQ(w.e2, 0.0066943799901413165);
  const TDatum& intl = DatumRow(kDatumEd50);
  EXPECT_DOUBLE_EQ(intl.b, 6356911.9461279465);
  EXPECT_EQ(DatumRow(kDatumBelgian1972).e, intl.e);
  EXPECT_EQ(DatumRow(kDatumBessel).a, 6377397.155);
  EXPECT_EQ(&DatumRow(99), &DatumRow(kDatumWgs84));
}

TEST(GeoDatumShift, Ed50ToWgs84MovesSouthWestAndUp) {
  GeoPosition g = DatumToWgs84(kDatumEd50, 52.0, 5.0, 44.0);
  EXPECT_NEAR(g.lat, 51.999212, 1e-6);
  EXPECT_NEAR(g.lon, 4.998718, 1e-6);
  EXPECT_NEAR(g.h, 85.26, 0.01);
}

TEST(GeoDatumShift, ThereAndBackAcrossEurope) {
  // The one-step shift is not exactly invertible; the error grows with the
  // size of the shift (Bessel's is some 750 m).
  const struct {
    int datum;
    double degrees;
    double metres;
  } cases[] = {{kDatumBelgian1972, 5e-7, 0.02}, {kDatumEd50, 5e-7, 0.02}, {kDatumBessel, 5e-6, 0.05}};
  for (const auto& c : cases) {
    for (double lat = 35; lat <= 71; lat += 2) {
      for (double lon = -10; lon <= 30; lon += 2.5) {
        GeoPosition g = DatumToWgs84(c.datum, lat, lon, 44.0);
        GeoPosition back = Wgs84ToDatum(c.datum, g.lat, g.lon, g.h);
        EXPECT_NEAR(back.lat, lat, c.degrees) << c.datum << " " << lat << " " << lon;
        EXPECT_NEAR(back.lon, lon, c.degrees) << c.datum << " " << lat << " " << lon;
        EXPECT_NEAR(back.h, 44.0, c.metres) << c.datum << " " << lat << " " << lon;
      }
    }
  }
  GeoPosition g = DatumToWgs84(kDatumEd50, 52.0, 5.0, 44.0);
  GeoPosition back = Wgs84ToDatum(kDatumEd50, g.lat, g.lon, g.h);
  EXPECT_NEAR(back.lat, 52.0, 3e-7);  // a few centimetres
  EXPECT_NEAR(back.lon, 5.0, 3e-7);
  EXPECT_NEAR(back.h, 44.0, 0.01);  // a few millimetres
}

TEST(GeoDatumShift, Wgs84RowIsNoShift) {
  GeoPosition g = DatumToWgs84(kDatumWgs84, 51.5, 4.25, 44.0);
  EXPECT_NEAR(g.lat, 51.5, 1e-13);
  EXPECT_NEAR(g.lon, 4.25, 1e-13);
  EXPECT_EQ(g.h, 44.0);
}

TEST(GeoEcef, ThereAndBackUnderAMillimetre) {
  for (double lat = -89.5; lat <= 89.5; lat += 4.5) {
    for (double lon = -179.5; lon <= 180; lon += 9.5) {
      for (double h : {-400.0, 0.0, 40.01, 8848.0, 35786000.0}) {
        EcefPoint e = Wgs84ToEcef(lat, lon, h);
        GeoPosition g = EcefToWgs84(e.x, e.y, e.z);
        EXPECT_NEAR(g.lat, lat, 1e-8) << lat << " " << lon << " " << h;  // about a millimetre
        EXPECT_NEAR(g.lon, lon, 1e-8) << lat << " " << lon << " " << h;
        EXPECT_NEAR(g.h, h, 1e-3) << lat << " " << lon << " " << h;
      }
    }
  }
}

TEST(GeoEcef, KnownPosition) {
  EcefPoint e = Wgs84ToEcef(51.31735, 4.35495, 40.01);
  EXPECT_NEAR(e.x, 3983023.4487, 1e-3);
  EXPECT_NEAR(e.y, 303326.8644, 1e-3);
  EXPECT_NEAR(e.z, 4955718.2896, 1e-3);
  GeoPosition g = EcefToWgs84(e.x, e.y, e.z);
  EXPECT_NEAR(g.h, 40.01, 1e-6);
}

TEST(GeoEcef, LongitudeQuadrants) {
  EXPECT_NEAR(EcefToWgs84(-3000000, 3000000, 4000000).lon, 135.0, 1e-12);
  EXPECT_NEAR(EcefToWgs84(-3000000, -3000000, 4000000).lon, -135.0, 1e-12);
  EXPECT_NEAR(EcefToWgs84(0, 6378137, 0).lon, 90.0, 1e-12);
  EXPECT_NEAR(EcefToWgs84(0, -6378137, 0).lon, -90.0, 1e-12);
  EXPECT_NEAR(EcefToWgs84(-6378137, 0, 0).lon, 180.0, 1e-12);
  EXPECT_NEAR(EcefToWgs84(0, 6378137, 0).h, 0.0, 1e-6);
}

TEST(GeoEcef, PolesAndCentre) {
  const double b = DatumRow(kDatumWgs84).b;
  GeoPosition north = EcefToWgs84(0, 0, b + 12.5);
  EXPECT_EQ(north.lat, 90.0);
  EXPECT_NEAR(north.h, 12.5, 1e-6);
  GeoPosition south = EcefToWgs84(0, 0, -b);
  EXPECT_EQ(south.lat, -90.0);
  EXPECT_NEAR(south.h, 0.0, 1e-6);
  // A kilometre from the axis the iteration agrees with the exact pole.
  EXPECT_NEAR(EcefToWgs84(1000, 0, b + 12.5).h, 12.5 + 0.08, 0.01);
  GeoPosition centre = EcefToWgs84(0, 0, 0);
  EXPECT_EQ(centre.lat, 0.0);
  EXPECT_EQ(centre.lon, 0.0);
  EXPECT_EQ(centre.h, -DatumRow(kDatumWgs84).a);
}

TEST(GeoDistance, IdenticalPointsAreExactlyZero) {
  for (double lat : {52.0, 51.31735, -33.8695833, 0.0, 89.9}) {
    CourseDistance cd = DistanceAndBearing(lat, 4.35495, lat, 4.35495);
    EXPECT_EQ(cd.distance, 0.0);
    EXPECT_EQ(cd.course, 0.0);
  }
}

TEST(GeoDistance, CourseQuadrants) {
  EXPECT_GT(DistanceAndBearing(52, 5, 52.1, 5.1).course, 0);
  EXPECT_LT(DistanceAndBearing(52, 5, 52.1, 5.1).course, 90);
  EXPECT_GT(DistanceAndBearing(52, 5, 52.1, 4.9).course, 270);
  EXPECT_LT(DistanceAndBearing(52, 5, 52.1, 4.9).course, 360);
  EXPECT_GT(DistanceAndBearing(52, 5, 51.9, 5.1).course, 90);
  EXPECT_LT(DistanceAndBearing(52, 5, 51.9, 5.1).course, 180);
  EXPECT_GT(DistanceAndBearing(52, 5, 51.9, 4.9).course, 180);
  EXPECT_LT(DistanceAndBearing(52, 5, 51.9, 4.9).course, 270);
  EXPECT_NEAR(DistanceAndBearing(52, 5, 52, 6).course, 90, 0.5);
}

TEST(GeoDistance, OneDegreeAlongAMeridian) {
  CourseDistance cd = DistanceAndBearing(52, 5, 53, 5);
  EXPECT_NEAR(cd.distance, 6371229.0 * kPi / 180, 1e-6);
  EXPECT_EQ(cd.course, 360.0);  // due north, from the west-or-same-meridian branch
  EXPECT_NEAR(DistanceAndBearing(53, 5, 52, 5).course, 180.0, 1e-9);
}

TEST(GeoDistance, NearlyIdenticalAndAntipodalPointsKeepTheirDistance) {
  // A cosine rounded past 1 or -1 no longer turns into an error result.
  CourseDistance near = DistanceAndBearing(52, 5, 52, 5.00000001);
  EXPECT_LT(near.distance, 0.01);
  CourseDistance anti = DistanceAndBearing(10, 20, -10, -160);
  EXPECT_NEAR(anti.distance, 6371229.0 * kPi, 1.0);
  for (double lat = -80; lat <= 80; lat += 7.3) {
    CourseDistance cd = DistanceAndBearing(lat, 5, -lat, -175);
    EXPECT_NEAR(cd.distance, 6371229.0 * kPi, 1.0) << lat;
    EXPECT_GE(cd.course, 0);
    EXPECT_LE(cd.course, 360);
  }
}

}  // namespace
}  // namespace quill
