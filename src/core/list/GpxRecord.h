// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One waypoint, the waypoint type codes and their names.
#include <cstdint>
#include <string>
#include <string_view>

#include "list/GroundspeakValues.h"

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
  // Display caches, filled by the list presentation from GroundspeakXml; a
  // read-only record keeps them current too.
  mutable std::string LogSummary;
  mutable std::string DiffTerr;
  mutable std::string Country;
  mutable std::string State;
  // What the list reads of GroundspeakXml (see ValuesOf).
  mutable GroundspeakValues Values;
};

inline constexpr int kTypeCodeCount = 20;
inline constexpr int kFirstGeocacheType = 6;

// Item texts of every type combo box, by type code 0..19.
std::string_view TypeName(int typeCode);
// GPX symbol of a type.
std::string_view DefaultSymbol(int typeCode, bool found);
// GPX type text written for a code ("Waypoint|Final Location" for any other).
std::string_view GpxTypeText(int typeCode);
// Type code of a GPX type text read from a file; 0 when not in the table.
int TypeCodeFromGpxText(std::string_view text);
// The type text a record is written with: the text it was read with while
// its code is still the one that text gives, else the table's.
std::string_view GpxTypeTextOf(const TGpxRecord& record);

}  // namespace quill
