// SPDX-License-Identifier: GPL-3.0-or-later
// The converter's five inputs under any bytes: the scanners, the grid and
// datum conversions and every formatter must answer without undefined
// behaviour (float-to-int overflow, out-of-bounds band letters, endless loops).
#include <cstdint>
#include <string_view>

#include "geo/Converter.h"
#include "geo/CoordParse.h"
#include "geo/Datum.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view all(reinterpret_cast<const char*>(data), size);
  std::size_t cut = size ? data[0] % (size + 1) : 0;
  std::string_view north = all.substr(0, cut);
  std::string_view east = all.substr(cut);
  const auto datum = static_cast<quill::InputDatum>(size ? data[size - 1] % 3 : 0);
  quill::ConvertLatLon(north, east, size > 1 && (data[1] & 1), size > 1 && (data[1] & 2), datum);
  quill::ConvertRd(all);
  quill::ConvertLambert(all);
  quill::ConvertUtm(all);
  quill::ConvertEcef(all);
  const quill::LatLon home = quill::ParseLatLon(north);
  const quill::LatLon there = quill::ParseLatLon(east);
  quill::DistanceAndBearing(home.lat, home.lon, there.lat, there.lon);
  return 0;
}
