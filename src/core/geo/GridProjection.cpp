// SPDX-License-Identifier: GPL-3.0-or-later
#include "geo/GridProjection.h"

#include <climits>
#include <cmath>
#include <cstdint>

#include "geo/CoordFormat.h"
#include "geo/Datum.h"

namespace quill {

namespace {

struct Term {
  int p;
  int q;
  double c;
};

// Published RD <-> WGS84 approximation, in the order the terms are summed.
constexpr Term kRdLat[] = {
    {0, 1, 3235.65389}, {2, 0, -32.58297}, {0, 2, -0.2475},  {2, 1, -0.84978}, {0, 3, -0.0655},  {2, 2, -0.01709},
    {1, 0, -0.00738},   {4, 0, 0.0053},    {2, 3, -0.00039}, {4, 1, 0.00033},  {1, 1, -0.00012},
};
constexpr Term kRdLon[] = {
    {1, 0, 5260.52916}, {1, 1, 105.94684}, {1, 2, 2.45656}, {3, 0, -0.81885}, {1, 3, 0.05594},  {3, 1, -0.05607},
    {0, 1, 0.01199},    {3, 2, -0.00256},  {1, 4, 0.00128}, {0, 2, 0.00022},  {2, 0, -0.00022}, {5, 0, 0.00026},
};
constexpr Term kRdX[] = {
    {0, 1, 190094.945}, {1, 1, -11832.228}, {2, 1, -114.221}, {0, 3, -32.391}, {1, 0, -0.705},
    {3, 1, -2.34},      {1, 3, -0.608},     {0, 2, -0.008},   {2, 3, 0.148},
};
constexpr Term kRdY[] = {
    {1, 0, 309056.544}, {0, 2, 3638.893}, {2, 0, 73.077}, {1, 2, -157.984}, {3, 0, 59.788},
    {0, 1, 0.433},      {2, 2, -6.439},   {1, 1, -0.032}, {0, 4, 0.092},    {1, 4, -0.054},
};

template <std::size_t N>
double Polynomial(const Term (&terms)[N], double u, double v) {
  double sum = 0;
  for (const Term& t : terms) sum += t.c * std::pow(u, t.p) * std::pow(v, t.q);
  return sum;
}

// RoundToInt, but a value that is not finite or does not fit counts as the
// floating-point error the grid conversions answer with 0.
bool RoundChecked(double value, int& out) {
  const double r = std::floor(value + 0.5);
  if (!std::isfinite(r) || r > INT_MAX || r < INT_MIN) return false;
  out = static_cast<int>(r);
  return true;
}

// Lambert72 on the Belgian 1972 datum.
constexpr double kLambertN = 0.7716421928;
constexpr double kLambertF = 11565915.812935;
constexpr double kLambertLon0 = 4.35693972;   // degrees
constexpr double kLambertAlpha = 0.00813847;  // degrees
constexpr double kLambertX0 = 150000 + 0.01256;
constexpr double kLambertY0 = 5400000 + 88.4378;

// UTM on WGS84.
constexpr double kUtmK0 = 0.9996;
constexpr char kBandLetters[] = "CDEFGHJKLMNPQRSTUVWX";

struct UtmArc {
  double a, e2, A, B, C, D, E;
};

const UtmArc& Arc() {
  static const UtmArc arc = [] {
    const TDatum& w = DatumRow(kDatumWgs84);
    const double a = w.a, b = w.b;
    const double n = (a - b) / (a + b);
    const double n2 = n * n, n3 = n2 * n, n4 = n3 * n, n5 = n4 * n;
    UtmArc r;
    r.a = a;
    r.e2 = w.e2;
    r.A = a * (1 - n + 5.0 / 4.0 * (n2 - n3) + 81.0 / 64.0 * (n4 - n5));
    r.B = 3 * a / 2 * (n - n2 + 7.0 / 8.0 * (n3 - n4) + 55.0 / 64.0 * n5);
    r.C = 15 * a / 16 * (n2 - n3 + 3.0 / 4.0 * (n4 - n5));
    r.D = 35 * a / 48 * (n3 - n4 + 11.0 / 16.0 * n5);
    r.E = 315 * a / 512 * (n4 - n5);
    return r;
  }();
  return arc;
}

// Meridian arc from the equator to phi (radians), metres.
double MeridianArc(const UtmArc& k, double phi) {
  return k.A * phi - k.B * std::sin(2 * phi) + k.C * std::sin(4 * phi) - k.D * std::sin(6 * phi) +
         k.E * std::sin(8 * phi);
}

double MeridianRadius(const UtmArc& k, double phi) {
  const double s = std::sin(phi);
  return k.a * (1 - k.e2) / std::pow(1 - k.e2 * s * s, 1.5);
}

double PrimeVerticalRadius(const UtmArc& k, double phi) {
  const double s = std::sin(phi);
  return k.a / std::sqrt(1 - k.e2 * s * s);
}

double ZoneCentralMeridian(int zone) { return (6.0 * zone - 183.0) * kDegToRad; }

}  // namespace

LatLon RdToWgs84(int x, int y) {
  const double dX = static_cast<double>(static_cast<std::int64_t>(x) - 155000) * 1e-5;
  const double dY = static_cast<double>(static_cast<std::int64_t>(y) - 463000) * 1e-5;
  return {52.15517 + Polynomial(kRdLat, dX, dY) / 3600, 5.387206 + Polynomial(kRdLon, dX, dY) / 3600};
}

GridPoint Wgs84ToRd(double lat, double lon) {
  const double dPhi = 0.36 * (lat - 52.1551744);
  const double dLam = 0.36 * (lon - 5.38720621);
  GridPoint r;
  if (!RoundChecked(155000 + Polynomial(kRdX, dPhi, dLam), r.x)) r.x = 0;
  if (!RoundChecked(463000 + Polynomial(kRdY, dPhi, dLam), r.y)) r.y = 0;
  return r;
}

bool IsRdInRange(int x, int y) { return x >= -7000 && x <= 300000 && y >= 289000 && y <= 629000; }

GridPoint Wgs84ToLambert72(double lat, double lon) {
  const GeoPosition b = Wgs84ToDatum(kDatumBelgian1972, lat, lon, 0);
  const double e = DatumRow(kDatumBelgian1972).e;
  const double phi = b.lat * kDegToRad, lam = b.lon * kDegToRad;
  const double lam0 = kLambertLon0 * kDegToRad, alpha = kLambertAlpha * kDegToRad;
  const double es = e * std::sin(phi);
  const double t = std::tan(kPi / 4 - phi / 2) * std::pow((1 + es) / (1 - es), e / 2);
  const double rho = kLambertF * std::pow(t, kLambertN);
  const double theta = (lam - lam0) * kLambertN - alpha;
  GridPoint r;
  if (!RoundChecked(kLambertX0 + rho * std::sin(theta), r.x) ||
      !RoundChecked(kLambertY0 - rho * std::cos(theta), r.y)) {
    return GridPoint{};
  }
  return r;
}

LatLon Lambert72ToWgs84(int x, int y) {
  const double e = DatumRow(kDatumBelgian1972).e;
  const double dx = x - 0.01256 - 150000;
  const double dy = 5400000 + 88.4378 - y;
  const double lam0 = kLambertLon0 * kDegToRad, alpha = kLambertAlpha * kDegToRad;
  double lat = 0, lon = 0;
  const double lam = ((std::atan(dx / dy) + alpha) / kLambertN + lam0) * kRadToDeg;
  const double rho = std::sqrt(dx * dx + dy * dy);
  const double t = std::exp(std::log(rho / kLambertF) / kLambertN);
  double phi = 0;
  bool settled = false;
  // Converges in a dozen passes; the cap only guards against two values
  // alternating in the last bit.
  for (int pass = 0; pass < 1000 && !settled; ++pass) {
    const double es = e * std::sin(phi);
    const double next = kPi / 2 - 2 * std::atan(t * std::pow((1 - es) / (1 + es), e / 2));
    settled = next == phi;
    phi = next;
  }
  if (std::isfinite(phi) && std::isfinite(lam)) {
    lat = RoundTo(phi * kRadToDeg, 5);
    lon = RoundTo(lam, 5);
  }
  const GeoPosition w = DatumToWgs84(kDatumBelgian1972, lat, lon, 0);
  return {w.lat, w.lon};
}

bool IsLambert72InRange(int x, int y) { return x >= 1000 && x <= 310000 && y >= 1000 && y <= 260000; }

UtmCoord Wgs84ToUtm(double lat, double lon) {
  const UtmArc& k = Arc();
  UtmCoord r;
  r.zone = TruncToInt(std::trunc(lon / 6) + (lon > 0 ? 31.0 : 30.0));
  if (lat >= 84 || lat < -80) {
    r.band = '*';
  } else if (lat >= 72) {
    r.band = 'X';
  } else {
    int index = TruncToInt((lat + 80) / 8);
    if (index < 0) index = 0;
    if (index > 19) index = 19;
    r.band = kBandLetters[index];
  }
  const double phi = lat * kDegToRad, lam = lon * kDegToRad;
  const double dl = lam - ZoneCentralMeridian(r.zone);
  const double n = PrimeVerticalRadius(k, phi);
  const double sinp = std::sin(phi), cosp = std::cos(phi);
  const double t = std::tan(phi);
  const double w = k.e2 * cosp * cosp;
  const double dl2 = dl * dl;
  const double cos3 = cosp * cosp * cosp;
  r.northing = (lat < 0 ? 10000000.0 : 0.0) + kUtmK0 * MeridianArc(k, phi) + dl2 * kUtmK0 * n * sinp * cosp / 2 +
               dl2 * dl2 * kUtmK0 * n * sinp * cos3 * (5 - t * t + 9 * w + 4 * w * w) / 24 + 0.5;
  r.easting = 500000 + dl * kUtmK0 * n * cosp + dl2 * dl * n * cos3 * (1 - t * t + w) / 6 + 0.5;
  if (r.northing >= 9999999) r.northing = 9999999;
  return r;
}

LatLon UtmToWgs84(int zone, char band, double easting, double northing) {
  const UtmArc& k = Arc();
  const bool south = (band >= 'C' && band <= 'M') || (band >= 'c' && band <= 'm');
  const double fn = south ? 10000000.0 : 0.0;
  const double m = (northing - fn) / kUtmK0;
  double phi = m / (k.a * (1 - k.e2));
  for (int pass = 0; pass < 5; ++pass) phi = phi + (m - MeridianArc(k, phi)) / MeridianRadius(k, phi);
  const double n = PrimeVerticalRadius(k, phi);
  const double rm = MeridianRadius(k, phi);
  const double cosp = std::cos(phi);
  const double t = std::tan(phi);
  const double w = k.e2 * cosp * cosp;
  const double x = easting - 500000;
  const double x2 = x * x;
  const double k2 = kUtmK0 * kUtmK0;
  const double n3 = n * n * n;
  const double lat = phi - x2 * t / (2 * rm * n * k2) +
                     x2 * x2 * t * (5 + 3 * t * t + w - 4 * w * w - 9 * t * t * w) / (24 * rm * n3 * k2 * k2);
  const double lon = ZoneCentralMeridian(zone) + x / (n * cosp * kUtmK0) -
                     x2 * x * (1 + 2 * t * t + w) / (6 * n3 * cosp * k2 * kUtmK0);
  LatLon r{lat * kRadToDeg, lon * kRadToDeg};
  if (!std::isfinite(r.lat) || !std::isfinite(r.lon)) return LatLon{};
  return r;
}

LatLon UtmToWgs84(const UtmCoord& utm) { return UtmToWgs84(utm.zone, utm.band, utm.easting, utm.northing); }

}  // namespace quill
