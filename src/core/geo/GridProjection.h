// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three map grids, both ways between WGS84 decimal degrees and grid
// metres: the Dutch RD grid (the published approximation polynomials, directly
// on WGS84), the Belgian Lambert72 grid (Lambert conformal conic on the
// Belgian 1972 datum, reached by the Molodensky shift) and UTM (transverse
// Mercator on WGS84). These are approximations by design: RD and Lambert72
// agree with the rigorous transformations to within a metre or so inside
// their areas, UTM to millimetres near the central meridian.
#include "geo/GeoTypes.h"

namespace quill {

// RD x, y (metres) to WGS84 lat, lon (degrees). No rounding.
LatLon RdToWgs84(int x, int y);
// WGS84 lat, lon (degrees) to RD x, y rounded to whole metres. A coordinate
// that cannot be computed (far outside any sensible area) is 0.
GridPoint Wgs84ToRd(double lat, double lon);
// True inside -7000..300000 x 289000..629000; outside, the values are still
// computed but only shown greyed.
bool IsRdInRange(int x, int y);

// Lambert72 x, y (metres) to WGS84 lat, lon (degrees). The projection result
// is rounded to five decimals on the Belgian datum before the datum shift.
LatLon Lambert72ToWgs84(int x, int y);
// WGS84 lat, lon (degrees) to Lambert72 x, y rounded to whole metres; both 0
// when the projection cannot be computed (beyond the poles).
GridPoint Wgs84ToLambert72(double lat, double lon);
// True inside 1000..310000 x 1000..260000.
bool IsLambert72InRange(int x, int y);

// UTM to WGS84 lat, lon (degrees). The band only chooses the hemisphere:
// 'C'..'M' and 'c'..'m' are southern, every other byte northern.
LatLon UtmToWgs84(int zone, char band, double easting, double northing);
LatLon UtmToWgs84(const UtmCoord& utm);
// WGS84 lat, lon (degrees) to UTM. No zone exceptions (Norway, Svalbard); band
// '*' outside -80..84. Half a metre is added to easting and northing so that
// the truncation of FormatUtm rounds; the northing is capped at 9999999.
UtmCoord Wgs84ToUtm(double lat, double lon);

}  // namespace quill
