// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Rounding helpers and every text form in which a coordinate is shown or
// written. Texts are Windows-1252: the degree sign is the byte 0xB0, the
// minute mark "'" and the seconds mark '"'. Numbers always use "." as decimal
// separator, whatever the process locale. The Append* forms add to a buffer
// the caller reuses (list rows); the Format* forms return a new text.
#include <string>

#include "geo/GeoTypes.h"

namespace quill {

inline constexpr char kDegreeSign = '\xB0';

// Truncation toward zero. Values beyond the 32-bit range saturate; NaN is 0.
int TruncToInt(double x);
// Nearest integer, halves upward: floor(x + 0.5) (-2.5 gives -2, -2.7 gives -3).
// Saturates like TruncToInt.
int RoundToInt(double x);
// x rounded to n decimals (n = 0..9), halves upward: floor(10^n x + 0.5) / 10^n.
double RoundTo(double x, int n);

struct DegMin {
  int deg = 0;       // whole degrees, signed like the value (0 for -0.5)
  double min = 0.0;  // 0 <= min < 60, rounded to the requested decimals
};
struct DegMinSec {
  int deg = 0;       // whole degrees, signed like the value
  int min = 0;       // 0..59
  double sec = 0.0;  // 0 <= sec < 60, rounded to the requested decimals
};
// Decimal degrees split into whole degrees and minutes rounded to n decimals;
// a rounding up to 60 minutes carries into the degrees (away from zero), so
// 51.9999999 gives 52 and 0.000, never 51 and 60.000.
DegMin SplitDegMin(double value, int n);
// The same with seconds rounded to n decimals, carrying into minutes and then
// into degrees.
DegMinSec SplitDegMinSec(double value, int n);

// "-4° 21.297" (list view) or with withQuote "51° 19.041'" (edit dialog); the
// sign comes from the value ("-0° 30.000" for -0.5).
std::string FormatDegMinSigned(double value, bool withQuote);
void AppendDegMinSigned(std::string& out, double value, bool withQuote);

// "N 51° 19.041   E 004° 21.297" (lat, lon in degrees).
std::string FormatLatLonDegMin(double lat, double lon);
void AppendLatLonDegMin(std::string& out, double lat, double lon);

// "N 51.31735°  E 4.35495°" (five decimals).
std::string FormatLatLonDeg(double lat, double lon);
void AppendLatLonDeg(std::string& out, double lat, double lon);

// N 51° 19' 02.46"  E 4° 21' 17.82" (seconds with two decimals).
std::string FormatLatLonDegMinSec(double lat, double lon);
void AppendLatLonDegMinSec(std::string& out, double lat, double lon);

// RD or Lambert72 pair in metres, each right-aligned in six places:
// " 83039 / 370297".
std::string FormatGridPair(int x, int y);
void AppendGridPair(std::string& out, int x, int y);

// "31U  E 594425  N 5685988": zone, band, and easting and northing truncated
// to whole metres (Wgs84ToUtm has already added the half metre that makes this
// a rounding). A band byte of 0 is left out.
std::string FormatUtm(int zone, char band, double easting, double northing);
std::string FormatUtm(const UtmCoord& utm);
void AppendUtm(std::string& out, int zone, char band, double easting, double northing);

// "3982999 / 303325 / 4955687": each coordinate (metres) rounded to the
// nearest metre, halves upward.
std::string FormatEcef(double x, double y, double z);
std::string FormatEcef(const EcefPoint& p);
void AppendEcef(std::string& out, double x, double y, double z);

// Height in metres rounded to centimetres, in the shortest general form with
// up to 15 significant digits: 44.0 gives "44", 40.0149 gives "40.01";
// magnitudes of 1e15 and more in exponent form ("1E15").
std::string FormatAltitude(double h);

}  // namespace quill
