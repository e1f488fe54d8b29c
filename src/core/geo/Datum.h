// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Ellipsoids with their shifts to WGS84, the three-parameter Molodensky datum
// shift, WGS84 <-> ECEF, and the spherical distance and course used for
// "distance from home". Angles are decimal degrees at every interface,
// heights metres above the ellipsoid of the datum named.
#include "geo/GeoTypes.h"

namespace quill {

inline constexpr double kPi = 3.141592653589793;
// pi times 1/180 held in extended precision, rounded once to double.
inline constexpr double kDegToRad = static_cast<double>(kPi * (1.0L / 180.0L));
inline constexpr double kRadToDeg = 180.0 / kPi;

// Rows of the datum table; every other module addresses a datum by these.
enum DatumIndex : int {
  kDatumWgs84 = 0,
  kDatumBelgian1972 = 1,  // International 1924; only the Lambert72 grid uses it
  kDatumBessel = 2,       // Bessel 1841, the Dutch datum
  kDatumEd50 = 3,         // International 1924
  kDatumCount = 4
};

struct TDatum {
  double a;     // semi-major axis, metres (given)
  double b;     // semi-minor axis a(1 - f) (derived)
  double invF;  // inverse flattening (given)
  double f;     // flattening 1/invF (derived)
  double e2;    // first eccentricity squared 2f - f^2 (derived)
  double e;     // first eccentricity (derived)
  double dX;    // shift of this datum's origin to WGS84, metres (given)
  double dY;
  double dZ;
};

// Fills b, f, e2 and e of every row up to the end marker (a == -1).
void InitDatumTable(TDatum* rows);

// Row of the table, derived fields filled (done once, on first use). An index
// outside 0..kDatumCount-1 gives the WGS84 row.
const TDatum& DatumRow(int datum);

// A position (lat, lon degrees, h metres) on datum d shifted to WGS84; the
// terms are evaluated with datum d's ellipsoid.
GeoPosition DatumToWgs84(int datum, double lat, double lon, double h);
// A WGS84 position shifted to datum d; the terms are evaluated with the WGS84
// ellipsoid at the WGS84 position.
GeoPosition Wgs84ToDatum(int datum, double lat, double lon, double h);

// WGS84 lat, lon (degrees) and ellipsoidal height h (metres) to ECEF metres.
EcefPoint Wgs84ToEcef(double lat, double lon, double h);
// ECEF metres to WGS84 lat, lon (degrees, lon -180..180) and height (metres).
// On the polar axis the latitude is +-90 and the height |Z| - b; the centre
// of the earth gives 0, 0 and -a.
GeoPosition EcefToWgs84(double x, double y, double z);

struct CourseDistance {
  double course = 0.0;    // degrees clockwise from north, 0..360 (north along a meridian is 360)
  double distance = 0.0;  // metres along the great circle
};
// Great-circle distance and initial course from point 1 to point 2 on a
// sphere of radius 6371229 m (angles in degrees). Identical points give 0 and
// 0; when the course cannot be computed both results are 0.
CourseDistance DistanceAndBearing(double lat1, double lon1, double lat2, double lon2);

inline constexpr double kSphereRadius = 6371229.0;

}  // namespace quill
