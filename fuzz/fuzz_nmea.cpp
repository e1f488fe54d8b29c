// SPDX-License-Identifier: GPL-3.0-or-later
// NMEA 0183 from a receiver under any bytes: the stream splitter and the
// sentence parser must answer in linear time without undefined behaviour.
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "gps/Nmea.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view all(reinterpret_cast<const char*>(data), size);
  quill::NmeaSentence sentence;
  quill::ParseNmeaSentence(all, sentence);
  quill::NmeaReader reader;
  std::uint64_t fixes = 0;
  reader.onFix = [&](const quill::NmeaSentence& s) {
    // A reported fix is always a position on the globe.
    if (s.lat < -90 || s.lat > 90 || s.lon < -180 || s.lon > 180) __builtin_trap();
    ++fixes;
  };
  quill::fuzz::FeedInTwoPieces(reader, data, size);
  reader.Feed("\n");
  if (fixes != reader.Fixes()) __builtin_trap();
  return 0;
}
