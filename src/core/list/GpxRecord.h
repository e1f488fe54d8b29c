// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One waypoint.
#include <cstdint>
#include <string>
#include <string_view>

#include "list/WaypointType.h"

namespace quill {

struct TGpxRecord {
  double Lat = 0.0;  // WGS84 decimal degrees, north positive
  double Lon = 0.0;  // WGS84 decimal degrees, east positive
  std::string Name;
  std::string Cmt;
  std::string Desc;
  std::string Url;
  std::string UrlName;
  std::string Time;
  std::string Sym;
  std::int32_t TypeCode = 0;
  // A GPX type text read that is not the one the table writes for the code
  // it gave ("Geocache|Lab Cache"); written back while TypeCode is unchanged.
  std::string TypeText;
  bool Found = false;
  std::string GroundspeakXml;  // the groundspeak:cache element as read, UTF-8

  bool operator==(const TGpxRecord&) const = default;
};

// The type text a record is written with: the text it was read with while
// its code is still the one that text gives, else the table's.
std::string_view GpxTypeTextOf(const TGpxRecord& record);

}  // namespace quill
