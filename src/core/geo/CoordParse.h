// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Forgiving coordinate scanners for typed and imported text. They read the
// text byte by byte (Windows-1252; the degree sign 0xB0 and every other byte
// that is not a number character only separates tokens), never fail and never
// throw: whatever cannot be read comes back as 0. Numbers accept "." or ","
// as decimal separator, whatever the process locale.
#include <cstddef>
#include <string_view>

#include "geo/GeoTypes.h"

namespace quill {

// Longest token each scanner keeps; the rest of a longer token is dropped.
inline constexpr std::size_t kLatLonTokenMax = 199;  // ParseLatLon, ParseEcef
inline constexpr std::size_t kGridTokenMax = 79;     // ParseGridPair, ParseUtm

// '0'..'9', ',', '-' and '.'; nothing else (no '+', no blank).
bool IsNumberChar(char c);

// Free-form latitude and longitude in degrees: hemisphere letters N/S/E/W
// (and the Dutch Z and O), whole numbers filling degrees, minutes and seconds
// in turn, a decimal number closing the coordinate ("N 51° 02.804 E 003°
// 56.782", "51.31735 4.35495", "S 33 52 10.5"). Missing values are 0.
LatLon ParseLatLon(std::string_view text);

// The converter's and the edit dialog's two fields: the north field may hold
// both coordinates, in which case the east field is not read; otherwise the
// east field gives the longitude, with or without its letter.
LatLon ParseLatLonFields(std::string_view northText, std::string_view eastText);

// RD or Lambert72 pair in metres: the first two tokens, truncated toward
// zero ("136013 / 455723"). Missing values are 0.
GridPoint ParseGridPair(std::string_view text);

// UTM text such as "31U E 594839 N 5721425": zone, band letter as typed
// (0 when none is given, 'U' when digits follow the zone after a separator),
// easting and northing in whole metres (fractions dropped).
UtmCoord ParseUtm(std::string_view text);

// ECEF triple in metres, fractions kept ("3982999 / 303325 / 4955687").
EcefPoint ParseEcef(std::string_view text);

}  // namespace quill
