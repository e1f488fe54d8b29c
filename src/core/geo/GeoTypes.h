// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plain value types shared by the coordinate scanners, formatters, datums and
// grid projections. Angles are decimal degrees (north and east positive),
// lengths are metres.

namespace quill {

// A geodetic position without height; WGS84 unless a function says otherwise.
struct LatLon {
  double lat = 0.0;  // degrees, nominally -90..90
  double lon = 0.0;  // degrees, nominally -180..180
};

// Inside -90..90 and -180..180, give or take the rounding of the coarsest
// file format (an OV2 unit times 1e-5 lands just past 90); false for NaN and
// for values far off the earth (1e308) that no notation can show.
inline constexpr double kEdgeSlack = 1e-5;
inline bool IsLatitude(double v) { return v >= -90.0 - kEdgeSlack && v <= 90.0 + kEdgeSlack; }
inline bool IsLongitude(double v) { return v >= -180.0 - kEdgeSlack && v <= 180.0 + kEdgeSlack; }
inline bool IsOnEarth(double lat, double lon) { return IsLatitude(lat) && IsLongitude(lon); }

// A geodetic position with ellipsoidal height.
struct GeoPosition {
  double lat = 0.0;  // degrees
  double lon = 0.0;  // degrees
  double h = 0.0;    // metres above the ellipsoid of the datum in use
};

// RD or Lambert72 grid coordinates in whole metres.
struct GridPoint {
  int x = 0;  // easting
  int y = 0;  // northing
};

// UTM coordinates on WGS84.
struct UtmCoord {
  int zone = 0;           // 1..60 for longitudes in -180..180
  char band = 0;          // latitude band letter "CDEFGHJKLMNPQRSTUVWX", '*' outside -80..84
  double easting = 0.0;   // metres, false easting 500000 included
  double northing = 0.0;  // metres, 10000000 added in the southern hemisphere
};

// Earth-centred earth-fixed coordinates on WGS84, metres.
struct EcefPoint {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

}  // namespace quill
