// SPDX-License-Identifier: GPL-3.0-or-later
#include "geo/Datum.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quill {

namespace {

using Table = std::array<TDatum, kDatumCount + 1>;

Table MakeTable() {
  Table rows = {{
      {6378137.0, 0, 298.257223563, 0, 0, 0, 0.0, 0.0, 0.0},         // WGS84
      {6378388.0, 0, 297.0, 0, 0, 0, -125.8, 79.9, -100.5},          // Belgian 1972
      {6377397.155, 0, 299.1528128, 0, 0, 0, 593.03, 26.0, 478.74},  // Bessel 1841
      {6378388.0, 0, 297.0, 0, 0, 0, -87.0, -96.0, -120.0},          // ED50
      {-1.0, 0, 0, 0, 0, 0, 0, 0, 0},                                // end marker
  }};
  InitDatumTable(rows.data());
  return rows;
}

const Table& TheTable() {
  static const Table table = MakeTable();
  return table;
}

struct Shift {
  double dPhi;  // radians
  double dLam;  // radians
  double dH;    // metres
};

// Standard three-parameter Molodensky shift evaluated with ellipsoid `ell` at
// (phi, lam) radians.
Shift Molodensky(const TDatum& ell, double dX, double dY, double dZ, double da, double df, double phi, double lam) {
  const double a = ell.a, b = ell.b, e2 = ell.e2;
  const double sinp = std::sin(phi), cosp = std::cos(phi);
  const double sinl = std::sin(lam), cosl = std::cos(lam);
  const double w = 1 - e2 * sinp * sinp;
  const double rm = a * (1 - e2) / std::pow(w, 1.5);
  const double rn = a / std::sqrt(w);
  Shift s;
  s.dPhi = (-dX * sinp * cosl - dY * sinp * sinl + dZ * cosp + da * rn * e2 * sinp * cosp / a +
            df * (rm * a / b + rn * b / a) * sinp * cosp) /
           rm;
  s.dLam = (-dX * sinl + dY * cosl) / (rn * cosp);
  s.dH = dX * cosp * cosl + dY * cosp * sinl + dZ * sinp - da * a / rn + df * (b / a) * rn * sinp * sinp;
  return s;
}

}  // namespace

void InitDatumTable(TDatum* rows) {
  for (TDatum* r = rows; r->a != -1; ++r) {
    r->f = 1 / r->invF;
    r->b = r->a * (1 - r->f);
    r->e2 = 2 * r->f - r->f * r->f;
    r->e = std::sqrt(r->e2);
  }
}

const TDatum& DatumRow(int datum) {
  if (datum < 0 || datum >= kDatumCount) datum = kDatumWgs84;
  return TheTable()[static_cast<std::size_t>(datum)];
}

GeoPosition DatumToWgs84(int datum, double lat, double lon, double h) {
  const TDatum& d = DatumRow(datum);
  const TDatum& w = DatumRow(kDatumWgs84);
  const double phi = lat * kDegToRad, lam = lon * kDegToRad;
  Shift s = Molodensky(d, d.dX, d.dY, d.dZ, w.a - d.a, w.f - d.f, phi, lam);
  return {(phi + s.dPhi) * kRadToDeg, (lam + s.dLam) * kRadToDeg, h + s.dH};
}

GeoPosition Wgs84ToDatum(int datum, double lat, double lon, double h) {
  const TDatum& d = DatumRow(datum);
  const TDatum& w = DatumRow(kDatumWgs84);
  const double phi = lat * kDegToRad, lam = lon * kDegToRad;
  Shift s = Molodensky(w, d.dX, d.dY, d.dZ, w.a - d.a, w.f - d.f, phi, lam);
  return {(phi - s.dPhi) * kRadToDeg, (lam - s.dLam) * kRadToDeg, h - s.dH};
}

EcefPoint Wgs84ToEcef(double lat, double lon, double h) {
  const TDatum& w = DatumRow(kDatumWgs84);
  const double phi = lat * kDegToRad, lam = lon * kDegToRad;
  const double sinp = std::sin(phi), cosp = std::cos(phi);
  const double es = w.e * sinp;
  const double n = w.a / std::sqrt(1 - es * es);
  return {cosp * (n + h) * std::cos(lam), cosp * (n + h) * std::sin(lam), sinp * (n * (1 - w.e2) + h)};
}

GeoPosition EcefToWgs84(double x, double y, double z) {
  const TDatum& w = DatumRow(kDatumWgs84);
  const double p = std::sqrt(x * x + y * y);
  GeoPosition r;
  if (p == 0) {
    // On the axis the height formula below divides zero by a cosine that
    // rounding keeps just above zero; the pole is exactly known instead.
    if (z == 0) {
      r.h = -w.a;
    } else {
      r.lat = z > 0 ? 90.0 : -90.0;
      r.h = std::fabs(z) - w.b;
    }
    return r;
  }
  double phi = std::atan(z / ((1 - w.e2) * p));
  double previous = 1e20;
  double n = 0;
  int passes = 0;
  while (std::fabs(phi - previous) > 1e-11) {
    previous = phi;
    const double s = std::sin(previous);
    n = w.a / std::sqrt(1 - w.e2 * s * s);
    phi = std::atan((z + w.e2 * n * s) / p);
    if (++passes >= 101) break;
  }
  r.lat = phi * kRadToDeg;
  // atan2 answers X = 0 too and agrees with atan(Y/X) +-180 everywhere else.
  r.lon = std::atan2(y, x) * kRadToDeg;
  r.h = p / std::cos(phi) - n;
  if (!std::isfinite(r.lat) || !std::isfinite(r.lon) || !std::isfinite(r.h)) return GeoPosition{};
  return r;
}

CourseDistance DistanceAndBearing(double lat1, double lon1, double lat2, double lon2) {
  CourseDistance r;
  // Rounding leaves the cosine just below 1 for many identical positions,
  // which would give a few centimetres and a meaningless course.
  if (lat1 == lat2 && lon1 == lon2) return r;
  const double p1 = lat1 * kDegToRad, l1 = lon1 * kDegToRad;
  const double p2 = lat2 * kDegToRad, l2 = lon2 * kDegToRad;
  const double c = std::sin(p1) * std::sin(p2) + std::cos(p1) * std::cos(p2) * std::cos(l1 - l2);
  const double d = std::acos(std::clamp(c, -1.0, 1.0));
  const double denom1 = std::sin(d) * std::cos(p1);
  const double denom2 = std::tan(d);
  // Points closer than rounding can tell apart, or a pole as point 1: no course.
  if (denom1 == 0 || denom2 == 0 || !std::isfinite(d)) return r;
  const double arg = std::sin(p2) / denom1 - std::tan(p1) / denom2;
  if (!std::isfinite(arg)) return r;
  const double courseC = std::acos(std::clamp(arg, -1.0, 1.0)) * kRadToDeg;
  const double k = (lon1 - lon2 >= 0) ? 360.0 : 0.0;
  double course = std::fabs(courseC - k);
  while (!(course >= 0)) course += 360;
  while (course > 360) course -= 360;
  r.course = course;
  r.distance = d * kSphereRadius;
  return r;
}

}  // namespace quill
