// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The converter panel without its widgets: each of the five convert buttons
// reads its input text, converts the position to WGS84 and shows it in every
// notation at once. Unreadable text is 0 and converts like any other value.
#include <array>
#include <string>
#include <string_view>

namespace quill {

// Height every conversion except the ECEF one works with, metres above the
// WGS84 ellipsoid.
inline constexpr double kDefaultHeight = 44.0;

// The datum of the latitude/longitude input.
enum class InputDatum { Wgs84, Ed50, Bessel };

// What the result group shows. lat and lon are CurrentResultLat and
// CurrentResultLon (WGS84 degrees), height the ellipsoidal height in metres.
// The texts are Windows-1252 (degree sign 0xB0).
struct ConverterResult {
  double lat = 0.0;
  double lon = 0.0;
  double height = 0.0;
  std::string degrees;          // FormatLatLonDeg
  std::string degMin;           // FormatLatLonDegMin
  std::string degMinSec;        // FormatLatLonDegMinSec
  std::string rd;               // FormatGridPair of Wgs84ToRd
  std::string lambert;          // FormatGridPair of Wgs84ToLambert72
  std::string utm;              // FormatUtm of Wgs84ToUtm
  std::string ecef;             // FormatEcef of Wgs84ToEcef (with height)
  std::string altitude;         // FormatAltitude of height
  bool rdInRange = false;       // RD text shown black, else grey
  bool lambertInRange = false;  // Lambert72 text shown black, else grey
  // False for a position off the earth (or no number): every text is empty
  // and the position (0, 0); the panel says kOffEarthText instead.
  bool onEarth = true;
};

inline constexpr const char* kOffEarthText = "Position out of range";

// The result fields in the panel's order with their labels.
struct ResultField {
  const char* label;
  std::string ConverterResult::*text;
};
inline constexpr std::array<ResultField, 8> kResultFields = {{
    {"Degrees", &ConverterResult::degrees},
    {"Degrees, minutes", &ConverterResult::degMin},
    {"Degrees, min, sec", &ConverterResult::degMinSec},
    {"RD (dutch grid)", &ConverterResult::rd},
    {"Lambert72 (belgian grid)", &ConverterResult::lambert},
    {"UTM", &ConverterResult::utm},
    {"ECEF (XYZ)", &ConverterResult::ecef},
    {"Altitude", &ConverterResult::altitude},
}};

// Fills every result field from one WGS84 position (degrees) and height (m);
// every notation is recomputed, the input one included.
ConverterResult ShowResult(double lat, double lon, double h);

// Empties the eight texts and sets the position to (0, 0); the in-range flags
// (the fields' colours) stay as they were.
void ClearResults(ConverterResult& result);

// "Calculate": the N and E fields, the N/S and E/W boxes (south, west negate
// whatever was typed, so "S" with a typed 'S' gives a northern latitude), and
// the input datum; height 44 m, shifted with the datum.
ConverterResult ConvertLatLon(std::string_view northText, std::string_view eastText, bool south, bool west,
                              InputDatum datum);
// The four grid buttons; RD, Lambert72 and UTM with height 44 m, ECEF with the
// height it gives.
ConverterResult ConvertRd(std::string_view text);
ConverterResult ConvertLambert(std::string_view text);
ConverterResult ConvertUtm(std::string_view text);
ConverterResult ConvertEcef(std::string_view text);

}  // namespace quill
