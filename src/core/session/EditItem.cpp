// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/EditItem.h"

#include "geo/CoordCheck.h"
#include "geo/CoordFormat.h"
#include "geo/CoordParse.h"
#include "geo/GridProjection.h"

namespace quill {
namespace {

bool StartsWithGc(std::string_view text) { return text.size() >= 2 && text[0] == 'G' && text[1] == 'C'; }

template <class T>
void Take(T& field, const T& shown, const T& now) {
  if (now != shown) field = now;
}

}  // namespace

EditItemFields EditFieldsOf(const TGpxRecord& r) {
  EditItemFields f;
  f.north = FormatDegMinSigned(r.Lat, true);
  f.east = FormatDegMinSigned(r.Lon, true);
  f.name = r.Name;
  f.desc = r.Desc;
  f.urlName = r.UrlName;
  f.url = r.Url;
  f.cmt = r.Cmt;
  f.sym = r.Sym;
  f.typeCode = r.TypeCode;
  f.found = r.Found;
  return f;
}

LatLon EditFieldsPosition(std::string_view north, std::string_view east) {
  LatLon p = ParseLatLonFields(north, east);
  if (p.lat > 90 && p.lon > 180) {
    std::string pair(north);
    pair += ' ';
    pair += east;
    GridPoint rd = ParseGridPair(pair);
    p = RdToWgs84(rd.x, rd.y);
  }
  return p;
}

bool EditFieldsReadable(std::string_view north, std::string_view east) {
  if (LatLonFieldsRead(north, east)) return true;
  const LatLon p = ParseLatLonFields(north, east);
  if (!(p.lat > 90 && p.lon > 180)) return false;
  std::string pair(north);
  pair += ' ';
  pair += east;
  const GridPoint rd = ParseGridPair(pair);
  return GridPairReads(pair) && IsRdInRange(rd.x, rd.y);
}

std::string UnreadPositionText(const EditItemFields& shown, const EditItemFields& now) {
  const bool north = now.north != shown.north;
  const bool east = now.east != shown.east;
  if ((!north && !east) || EditFieldsReadable(now.north, now.east)) return {};
  if (north && east) return now.north + " " + now.east;
  return north ? now.north : now.east;
}

void CompleteCacheUrl(TGpxRecord& r, const CacheLinkFn& link) {
  if (r.Url.empty()) {
    if (StartsWithGc(r.Name)) {
      r.Url = link(r.Name);
    } else if (StartsWithGc(r.UrlName)) {
      r.Url = link(r.UrlName);
    }
  }
  if (StartsWithGc(r.Url)) {
    if (r.UrlName.empty()) r.UrlName = r.Url;
    r.Url = link(r.Url);
  }
}

TGpxRecord StoredRecord(const TGpxRecord& record, const EditItemFields& shown, const EditItemFields& now,
                        const CacheLinkFn& link) {
  TGpxRecord r = record;
  if (now.north != shown.north || now.east != shown.east) {
    const LatLon before = EditFieldsPosition(shown.north, shown.east);
    const LatLon after = EditFieldsPosition(now.north, now.east);
    if (after.lat != before.lat) r.Lat = after.lat;
    if (after.lon != before.lon) r.Lon = after.lon;
  }
  Take(r.Name, shown.name, now.name);
  Take(r.Desc, shown.desc, now.desc);
  Take(r.Cmt, shown.cmt, now.cmt);
  Take(r.Url, shown.url, now.url);
  Take(r.UrlName, shown.urlName, now.urlName);
  if (link) CompleteCacheUrl(r, link);
  Take(r.Sym, shown.sym, now.sym);
  Take(r.TypeCode, shown.typeCode, now.typeCode);
  Take(r.Found, shown.found, now.found);
  return r;
}

}  // namespace quill
