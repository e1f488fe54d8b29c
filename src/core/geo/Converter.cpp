// SPDX-License-Identifier: GPL-3.0-or-later
#include "geo/Converter.h"

#include <cmath>

#include "geo/CoordFormat.h"
#include "geo/CoordParse.h"
#include "geo/Datum.h"
#include "geo/GeoTypes.h"
#include "geo/GridProjection.h"

namespace quill {

namespace {
// Far beyond any satellite; heights past it come from no real position.
constexpr double kMaxHeight = 1e8;
}  // namespace

ConverterResult ShowResult(double lat, double lon, double h) {
  ConverterResult r;
  if (!IsOnEarth(lat, lon) || !(std::fabs(h) <= kMaxHeight)) {
    r.onEarth = false;
    return r;
  }
  r.lat = lat;
  r.lon = lon;
  r.height = h;
  r.degrees = FormatLatLonDeg(lat, lon);
  r.degMin = FormatLatLonDegMin(lat, lon);
  r.degMinSec = FormatLatLonDegMinSec(lat, lon);
  r.altitude = FormatAltitude(h);
  const GridPoint rd = Wgs84ToRd(lat, lon);
  r.rd = FormatGridPair(rd.x, rd.y);
  r.rdInRange = IsRdInRange(rd.x, rd.y);
  const GridPoint lambert = Wgs84ToLambert72(lat, lon);
  r.lambert = FormatGridPair(lambert.x, lambert.y);
  r.lambertInRange = IsLambert72InRange(lambert.x, lambert.y);
  r.utm = FormatUtm(Wgs84ToUtm(lat, lon));
  r.ecef = FormatEcef(Wgs84ToEcef(lat, lon, h));
  return r;
}

void ClearResults(ConverterResult& result) {
  result.lat = 0.0;
  result.lon = 0.0;
  result.height = 0.0;
  for (const ResultField& field : kResultFields) (result.*field.text).clear();
}

ConverterResult ConvertLatLon(std::string_view northText, std::string_view eastText, bool south, bool west,
                              InputDatum datum) {
  LatLon p = ParseLatLonFields(northText, eastText);
  if (south) p.lat = -p.lat;
  if (west) p.lon = -p.lon;
  GeoPosition g{p.lat, p.lon, kDefaultHeight};
  if (datum == InputDatum::Ed50) g = DatumToWgs84(kDatumEd50, g.lat, g.lon, g.h);
  if (datum == InputDatum::Bessel) g = DatumToWgs84(kDatumBessel, g.lat, g.lon, g.h);
  return ShowResult(g.lat, g.lon, g.h);
}

ConverterResult ConvertRd(std::string_view text) {
  const GridPoint g = ParseGridPair(text);
  const LatLon p = RdToWgs84(g.x, g.y);
  return ShowResult(p.lat, p.lon, kDefaultHeight);
}

ConverterResult ConvertLambert(std::string_view text) {
  const GridPoint g = ParseGridPair(text);
  const LatLon p = Lambert72ToWgs84(g.x, g.y);
  return ShowResult(p.lat, p.lon, kDefaultHeight);
}

ConverterResult ConvertUtm(std::string_view text) {
  const LatLon p = UtmToWgs84(ParseUtm(text));
  return ShowResult(p.lat, p.lon, kDefaultHeight);
}

ConverterResult ConvertEcef(std::string_view text) {
  const EcefPoint e = ParseEcef(text);
  const GeoPosition g = EcefToWgs84(e.x, e.y, e.z);
  return ShowResult(g.lat, g.lon, g.h);
}

}  // namespace quill
