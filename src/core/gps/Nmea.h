// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// NMEA 0183 from a GPS receiver: the GGA and RMC sentences, checksum
// verified; every other sentence is ignored, every damaged one counted and
// skipped.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quill {

enum class NmeaKind { None, Gga, Rmc };
enum class NmeaResult {
  Fix,      // a GGA or RMC sentence with a position
  NoFix,    // a sound GGA or RMC sentence that says there is no fix
  Ignored,  // a sound sentence of another kind
  Bad,      // no checksum, a wrong checksum, or a field that cannot be read
};

struct NmeaSentence {
  NmeaKind kind = NmeaKind::None;
  double lat = 0;  // WGS84 decimal degrees, north and east positive
  double lon = 0;
  bool hasAltitude = false;
  double altitude = 0;  // metres above mean sea level (GGA)
  int quality = -1;     // GGA fix quality 0..8; -1 for RMC
  int satellites = -1;  // GGA satellites in use; -1 when not given
};

// Parses one sentence, with or without its line end.
NmeaResult ParseNmeaSentence(std::string_view sentence, NmeaSentence& out);

// Splits a byte stream into sentences and reports fixes. A fix comes from
// every GGA sentence with a position, and from RMC sentences only while the
// stream has sent no GGA, so one receiver epoch gives one fix.
class NmeaReader {
 public:
  static constexpr std::size_t kMaxSentence = 120;

  std::function<void(const NmeaSentence&)> onFix;
  // Every sound GGA or RMC sentence, fix or not (for the fix status).
  std::function<void(const NmeaSentence&, NmeaResult)> onSentence;

  void Feed(std::string_view bytes);

  std::uint64_t Fixes() const { return fixes_; }
  std::uint64_t Bad() const { return bad_; }
  std::uint64_t Ignored() const { return ignored_; }

 private:
  void EndLine();

  std::string line_;
  bool tooLong_ = false;
  bool ggaSeen_ = false;
  std::uint64_t fixes_ = 0;
  std::uint64_t bad_ = 0;
  std::uint64_t ignored_ = 0;
};

}  // namespace quill
