// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Spherical ("Web") Mercator, EPSG:3857, as slippy-map tile servers cut it:
// the world between +-kMaxLatitude is a square of 256 * 2^zoom pixels with
// x growing east from 180 W and y growing south from the top edge. Zoom may be
// fractional (a smooth zoom between tile levels). Angles are WGS84 degrees,
// pixels are world pixels at the zoom named.
#include <cstdint>

#include "geo/GeoTypes.h"

namespace quill {

inline constexpr int kTileSize = 256;
inline constexpr int kMinZoom = 0;
inline constexpr int kMaxZoom = 19;
// The latitude whose Mercator y equals pi: where the square world ends.
inline constexpr double kMaxLatitude = 85.0511287798066;
// Radius of the sphere the tiles are projected from (WGS84 semi-major axis).
inline constexpr double kMercatorRadius = 6378137.0;

struct WorldPixel {
  double x = 0.0;
  double y = 0.0;
};

struct TileXY {
  int x = 0;
  int y = 0;
};

// Width (and height) of the world in pixels: 256 * 2^zoom.
double WorldSize(double zoom);

// The world as the unit square: x 0..1 from 180 W eastwards (longitudes
// outside -180..180 wrap), y 0..1 from the top edge; latitudes beyond
// +-kMaxLatitude are held at the edge.
WorldPixel LatLonToUnit(double lat, double lon);
LatLon UnitToLatLon(WorldPixel unit);

WorldPixel LatLonToWorld(double lat, double lon, double zoom);
// The inverse; x outside the world wraps, y outside it is held at the edge.
LatLon WorldToLatLon(WorldPixel pixel, double zoom);

// The tile holding a position at an integer zoom 0..kMaxZoom.
TileXY TileOf(double lat, double lon, int zoom);
// North-west corner of a tile (x wraps, y is not checked).
LatLon TileCorner(int x, int y, int zoom);

// Ground metres one pixel spans along the parallel of lat.
double MetresPerPixel(double lat, double zoom);

// Longitude moved into -180..180 (180 itself stays); NaN stays NaN.
double WrapLongitude(double lon);
// Latitude held in -kMaxLatitude..kMaxLatitude; NaN stays NaN.
double ClampLatitude(double lat);

}  // namespace quill
