// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether typed coordinate text reads whole. The scanners of CoordParse.h
// read anything, and what they cannot read is 0 or is dropped: "abc" is 0°,
// "53 24.42l" loses the letter, "52°N 4°E" is read as (4, 0). These checks
// say when what the scanners make of a text is what was typed, so that a
// position that does not read is refused instead of stored.
//
// A text reads when it is made of numbers ("-" only in front, one "." or ","
// at most), the separators blank, tab, "/", ";", ":", the degree sign (0xB0,
// 0xBA), the minute and second marks (' " ´ ` ’ ” and the UTF-8 prime signs)
// and, for latitude and longitude, one hemisphere letter (N S E W and the
// Dutch Z O) before a coordinate's first number and apart from it.
#include <string_view>

namespace quill {

// What is said of coordinates that do not read: this, then the text.
inline constexpr const char* kNotAPosition = "Not a position: ";

// The converter's and the edit dialog's two latitude/longitude fields, as
// ParseLatLonFields reads them: the north field with a latitude (and maybe
// the longitude too), else the east field with the longitude alone. Minutes
// and seconds under 60, no more than three numbers to a coordinate, the
// position on the earth.
bool LatLonFieldsRead(std::string_view northText, std::string_view eastText);

// Exactly two numbers (an RD or Lambert72 pair).
bool GridPairReads(std::string_view text);

// A zone (1 to 60), a band letter or none, then easting and northing, each
// maybe after its letter E or N ("31U E 594839 N 5721425").
bool UtmReads(std::string_view text);

// Exactly three numbers.
bool EcefReads(std::string_view text);

}  // namespace quill
