// SPDX-License-Identifier: GPL-3.0-or-later
#include "gps/Nmea.h"

#include <array>
#include <cstdlib>

namespace quill {

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits with at most one decimal point and an optional leading minus; the
// value of a field too long to matter is refused rather than rounded.
bool ParseNumber(std::string_view text, double& value, bool allowMinus = false) {
  if (text.empty() || text.size() > 20) return false;
  std::size_t i = 0;
  const bool negative = allowMinus && text[0] == '-';
  if (negative) ++i;
  double whole = 0;
  double scale = 0;
  bool digits = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.') {
      if (scale != 0) return false;
      scale = 1;
    } else if (IsDigit(c)) {
      digits = true;
      if (scale != 0) {
        scale /= 10;
        whole += (c - '0') * scale;
      } else {
        whole = whole * 10 + (c - '0');
      }
    } else {
      return false;
    }
  }
  if (!digits) return false;
  value = negative ? -whole : whole;
  return true;
}

bool ParseInt(std::string_view text, int& value) {
  if (text.empty() || text.size() > 3) return false;
  int v = 0;
  for (char c : text) {
    if (!IsDigit(c)) return false;
    v = v * 10 + (c - '0');
  }
  value = v;
  return true;
}

// "ddmm.mmmm" (latitude) or "dddmm.mmmm" (longitude) and the hemisphere
// letter; false for anything out of range.
bool ParseAngle(std::string_view text, std::string_view hemisphere, bool latitude, double& degrees) {
  double raw = 0;
  if (!ParseNumber(text, raw)) return false;
  const std::size_t dot = text.find('.');
  const std::size_t intDigits = dot == std::string_view::npos ? text.size() : dot;
  if (intDigits < 3 || intDigits > (latitude ? 4u : 5u)) return false;
  const double whole = static_cast<double>(static_cast<long>(raw / 100));
  const double minutes = raw - whole * 100;
  if (minutes >= 60) return false;
  degrees = whole + minutes / 60;
  if (degrees > (latitude ? 90.0 : 180.0)) return false;
  if (hemisphere.size() != 1) return false;
  const char h = hemisphere[0];
  if (latitude ? (h != 'N' && h != 'S') : (h != 'E' && h != 'W')) return false;
  if (h == 'S' || h == 'W') degrees = -degrees;
  return true;
}

constexpr std::size_t kMaxFields = 24;

struct Fields {
  std::array<std::string_view, kMaxFields> f{};
  std::size_t count = 0;
  std::string_view operator[](std::size_t i) const { return i < count ? f[i] : std::string_view{}; }
};

bool Split(std::string_view body, Fields& fields) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = body.find(',', start);
    if (fields.count == kMaxFields) return false;
    fields.f[fields.count++] =
        body.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    if (comma == std::string_view::npos) return true;
    start = comma + 1;
  }
}

NmeaResult ParseGga(const Fields& f, NmeaSentence& out) {
  if (f.count < 10) return NmeaResult::Bad;
  out.kind = NmeaKind::Gga;
  int quality = 0;
  if (!ParseInt(f[6], quality) || quality > 8) return NmeaResult::Bad;
  out.quality = quality;
  if (!f[7].empty() && !ParseInt(f[7], out.satellites)) return NmeaResult::Bad;
  if (!f[9].empty()) {
    if (!ParseNumber(f[9], out.altitude, true)) return NmeaResult::Bad;
    out.hasAltitude = true;
  }
  if (quality == 0 || f[2].empty() || f[4].empty()) return NmeaResult::NoFix;
  if (!ParseAngle(f[2], f[3], true, out.lat) || !ParseAngle(f[4], f[5], false, out.lon)) return NmeaResult::Bad;
  return NmeaResult::Fix;
}

NmeaResult ParseRmc(const Fields& f, NmeaSentence& out) {
  if (f.count < 7) return NmeaResult::Bad;
  out.kind = NmeaKind::Rmc;
  if (f[2] != "A" && f[2] != "V") return NmeaResult::Bad;
  // NMEA 2.3 adds a mode letter; "N" means the data are not valid.
  if (f[2] == "V" || f[12] == "N" || f[3].empty() || f[5].empty()) return NmeaResult::NoFix;
  if (!ParseAngle(f[3], f[4], true, out.lat) || !ParseAngle(f[5], f[6], false, out.lon)) return NmeaResult::Bad;
  return NmeaResult::Fix;
}

}  // namespace

NmeaResult ParseNmeaSentence(std::string_view s, NmeaSentence& out) {
  out = NmeaSentence{};
  while (!s.empty() && (s.back() == '\r' || s.back() == '\n' || s.back() == ' ')) s.remove_suffix(1);
  if (s.size() < 10 || s[0] != '$') return NmeaResult::Bad;
  const std::size_t star = s.find('*');
  if (star == std::string_view::npos || star + 3 != s.size()) return NmeaResult::Bad;
  const int hi = HexValue(s[star + 1]);
  const int lo = HexValue(s[star + 2]);
  if (hi < 0 || lo < 0) return NmeaResult::Bad;
  unsigned sum = 0;
  for (std::size_t i = 1; i < star; ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x20 || c > 0x7E) return NmeaResult::Bad;
    sum ^= c;
  }
  if (sum != static_cast<unsigned>(hi * 16 + lo)) return NmeaResult::Bad;
  Fields fields;
  if (!Split(s.substr(1, star - 1), fields)) return NmeaResult::Bad;
  const std::string_view address = fields[0];
  if (address.size() != 5 || address[0] == 'P') return NmeaResult::Ignored;
  const std::string_view type = address.substr(2);
  if (type == "GGA") return ParseGga(fields, out);
  if (type == "RMC") return ParseRmc(fields, out);
  return NmeaResult::Ignored;
}

void NmeaReader::Feed(std::string_view bytes) {
  for (char c : bytes) {
    if (c == '\r' || c == '\n') {
      EndLine();
    } else if (c == '$') {
      // A sentence start inside a line cuts off what came before it.
      if (!line_.empty() || tooLong_) ++bad_;
      line_.assign(1, c);
      tooLong_ = false;
    } else if (!tooLong_) {
      if (line_.size() >= kMaxSentence) {
        line_.clear();
        tooLong_ = true;
      } else {
        line_ += c;
      }
    }
  }
}

void NmeaReader::EndLine() {
  if (tooLong_) {
    ++bad_;
    tooLong_ = false;
    return;
  }
  if (line_.empty()) return;
  NmeaSentence s;
  const NmeaResult r = ParseNmeaSentence(line_, s);
  line_.clear();
  switch (r) {
    case NmeaResult::Bad:
      ++bad_;
      return;
    case NmeaResult::Ignored:
      ++ignored_;
      return;
    case NmeaResult::NoFix:
    case NmeaResult::Fix:
      break;
  }
  if (s.kind == NmeaKind::Gga) ggaSeen_ = true;
  if (onSentence) onSentence(s, r);
  if (r == NmeaResult::Fix && (s.kind == NmeaKind::Gga || !ggaSeen_)) {
    ++fixes_;
    if (onFix) onFix(s);
  }
}

}  // namespace quill
