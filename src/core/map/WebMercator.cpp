// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/WebMercator.h"

#include <algorithm>
#include <cmath>

#include "geo/Datum.h"

namespace quill {

double WorldSize(double zoom) { return kTileSize * std::exp2(zoom); }

double WrapLongitude(double lon) {
  if (lon >= -180.0 && lon <= 180.0) return lon;
  double r = std::fmod(lon + 180.0, 360.0);
  if (r < 0) r += 360.0;
  return r - 180.0;
}

double ClampLatitude(double lat) {
  if (std::isnan(lat)) return lat;
  return std::clamp(lat, -kMaxLatitude, kMaxLatitude);
}

WorldPixel LatLonToUnit(double lat, double lon) {
  double x = (WrapLongitude(lon) + 180.0) / 360.0;
  if (x >= 1.0) x -= 1.0;
  double s = std::sin(ClampLatitude(lat) * kDegToRad);
  // ln((1 + s) / (1 - s)) / 2 is the Mercator ordinate; log1p keeps the
  // small latitudes exact.
  double y = 0.5 - (std::log1p(s) - std::log1p(-s)) / (4.0 * kPi);
  return {x, std::clamp(y, 0.0, 1.0)};
}

LatLon UnitToLatLon(WorldPixel unit) {
  // 1.0 is the east edge (180 E), not the west one.
  double x = unit.x >= 0.0 && unit.x <= 1.0 ? unit.x : unit.x - std::floor(unit.x);
  double y = std::clamp(unit.y, 0.0, 1.0);
  double lat = std::atan(std::sinh(kPi * (1.0 - 2.0 * y))) * kRadToDeg;
  return {lat, x * 360.0 - 180.0};
}

WorldPixel LatLonToWorld(double lat, double lon, double zoom) {
  WorldPixel u = LatLonToUnit(lat, lon);
  double size = WorldSize(zoom);
  return {u.x * size, u.y * size};
}

LatLon WorldToLatLon(WorldPixel pixel, double zoom) {
  double size = WorldSize(zoom);
  return UnitToLatLon({pixel.x / size, pixel.y / size});
}

TileXY TileOf(double lat, double lon, int zoom) {
  zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
  int n = 1 << zoom;
  WorldPixel u = LatLonToUnit(lat, lon);
  auto cell = [n](double v) { return std::clamp(static_cast<int>(std::floor(v * n)), 0, n - 1); };
  return {cell(u.x), cell(u.y)};
}

LatLon TileCorner(int x, int y, int zoom) {
  double n = std::exp2(zoom);
  return UnitToLatLon({x / n, y / n});
}

double MetresPerPixel(double lat, double zoom) {
  return 2.0 * kPi * kMercatorRadius * std::cos(ClampLatitude(lat) * kDegToRad) / WorldSize(zoom);
}

}  // namespace quill
