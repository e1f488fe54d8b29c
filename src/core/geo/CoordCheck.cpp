// SPDX-License-Identifier: GPL-3.0-or-later
#include "geo/CoordCheck.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "geo/CoordParse.h"
#include "geo/GeoTypes.h"
#include "text/TextHelpers.h"

namespace quill {
namespace {

struct Token {
  enum class Kind { Number, Letter } kind;
  std::string_view text;
  bool glued = false;  // right after a number (a letter) or a letter (a number)
};

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Bytes that only part numbers: blanks, "/", ";", ":", degree, minute and
// second marks; the prime signs come as their UTF-8 bytes.
std::size_t SeparatorLength(std::string_view text, std::size_t i) {
  switch (static_cast<unsigned char>(text[i])) {
    case ' ':
    case '\t':
    case '/':
    case ';':
    case ':':
    case '\'':
    case '"':
    case '`':
    case 0xB0:  // degree
    case 0xBA:  // masculine ordinal, typed for a degree
    case 0xB4:  // acute accent
    case 0x92:  // right single quote
    case 0x94:  // right double quote
      return 1;
    default:
      break;
  }
  // U+2032 and U+2033, the prime and double prime.
  if (text.substr(i, 2) == "\xE2\x80" && i + 2 < text.size() &&
      (static_cast<unsigned char>(text[i + 2]) == 0xB2 || static_cast<unsigned char>(text[i + 2]) == 0xB3)) {
    return 3;
  }
  return 0;
}

// Numbers as a user types them: "-" in front only, one decimal separator,
// a digit somewhere, no longer than the scanners keep.
bool NumberReads(std::string_view number) {
  std::size_t i = number[0] == '-' ? 1 : 0;
  int separators = 0;
  bool digit = false;
  for (; i < number.size(); ++i) {
    const char c = number[i];
    if (c >= '0' && c <= '9') {
      digit = true;
    } else if (c == '.' || c == ',') {
      ++separators;
    } else {
      return false;
    }
  }
  return digit && separators <= 1 && number.size() <= kGridTokenMax;
}

bool HasDecimalSeparator(std::string_view number) { return number.find_first_of(".,") != std::string_view::npos; }

// Numbers and letter runs, or nothing when a byte is neither nor a separator.
std::optional<std::vector<Token>> Tokens(std::string_view text) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < text.size()) {
    if (const std::size_t skip = SeparatorLength(text, i)) {
      i += skip;
      continue;
    }
    const bool number = IsNumberChar(text[i]);
    if (!number && !IsAsciiLetter(text[i])) return std::nullopt;
    const std::size_t start = i;
    while (i < text.size() && (number ? IsNumberChar(text[i]) : IsAsciiLetter(text[i]))) ++i;
    const bool glued = start > 0 && (number ? IsAsciiLetter(text[start - 1]) : IsNumberChar(text[start - 1]));
    tokens.push_back({number ? Token::Kind::Number : Token::Kind::Letter, text.substr(start, i - start), glued});
    if (number && !NumberReads(tokens.back().text)) return std::nullopt;
  }
  return tokens;
}

// What one latitude/longitude text holds, read as ParseLatLon reads it.
struct LatLonText {
  bool reads = false;
  bool lat = false;          // numbers for the latitude (the first coordinate)
  bool lon = false;          // numbers for the longitude
  bool northLetter = false;  // N, S or Z
};

LatLonText ReadLatLonText(std::string_view text) {
  LatLonText result;
  const auto tokens = Tokens(text);
  if (!tokens) return result;
  int coord = 0;  // 0 latitude, 1 longitude
  int numbers = 0;
  bool closed = false;
  bool letter[2] = {false, false};
  for (const Token& t : *tokens) {
    if (t.kind == Token::Kind::Letter) {
      // One letter standing apart, before the coordinate's first number.
      if (t.text.size() != 1 || t.glued) return result;
      const char c = Upper(t.text[0]);
      if (c == 'N' || c == 'S' || c == 'Z') {
        if (coord != 0 || numbers != 0 || letter[0]) return result;
        letter[0] = true;
        result.northLetter = true;
      } else if (c == 'E' || c == 'W' || c == 'O') {
        if (letter[1] || (coord == 0 && numbers == 0 && letter[0]) || (coord == 1 && numbers != 0)) return result;
        coord = 1;
        numbers = 0;
        closed = false;
        letter[1] = true;
      } else {
        return result;
      }
      continue;
    }
    if (closed) {
      if (coord == 1) return result;  // a number too many
      coord = 1;
      numbers = 0;
      closed = false;
    }
    ++numbers;
    const double value = TextToFloat(t.text);
    // A sign goes with the degrees of a coordinate without a letter.
    if (t.text[0] == '-' && (numbers > 1 || letter[coord])) return result;
    if (numbers > 1 && value >= 60.0) return result;
    (coord == 0 ? result.lat : result.lon) = true;
    closed = HasDecimalSeparator(t.text) || numbers == 3;
  }
  result.reads = true;
  return result;
}

std::size_t CountNumbers(const std::vector<Token>& tokens) {
  std::size_t n = 0;
  for (const Token& t : tokens) n += t.kind == Token::Kind::Number ? 1 : 0;
  return n;
}

bool OnlyNumbers(std::string_view text, std::size_t count) {
  const auto tokens = Tokens(text);
  return tokens && tokens->size() == count && CountNumbers(*tokens) == count;
}

}  // namespace

bool LatLonFieldsRead(std::string_view northText, std::string_view eastText) {
  const LatLonText north = ReadLatLonText(northText);
  if (!north.reads || !north.lat) return false;
  const LatLon p = ParseLatLonFields(northText, eastText);
  if (!IsLatitude(p.lat) || !IsLongitude(p.lon)) return false;
  // With both in the north field the east field is read only when the
  // longitude there came out 0; it must not change what was typed.
  if (north.lon) return p.lon == ParseLatLon(northText).lon;
  const LatLonText east = ReadLatLonText(eastText);
  // The east field gives one coordinate, which is the longitude whatever it
  // is written as; a north letter there would be read as a longitude.
  return east.reads && (east.lat != east.lon) && !east.northLetter;
}

bool GridPairReads(std::string_view text) { return OnlyNumbers(text, 2); }

bool EcefReads(std::string_view text) { return OnlyNumbers(text, 3); }

bool UtmReads(std::string_view text) {
  const auto tokens = Tokens(text);
  if (!tokens || tokens->empty()) return false;
  const std::vector<Token>& t = *tokens;
  std::size_t i = 0;
  const Token& zone = t[i++];
  if (zone.kind != Token::Kind::Number || HasDecimalSeparator(zone.text) || zone.text[0] == '-') return false;
  const double zoneNumber = TextToFloat(zone.text);
  if (zoneNumber < 1 || zoneNumber > 60) return false;
  if (i < t.size() && t[i].kind == Token::Kind::Letter && t[i].text.size() == 1) {
    const char band = Upper(t[i].text[0]);
    // The latitude bands C to X without I and O; an E right after the zone
    // is the band E, not the easting's letter.
    if (band < 'C' || band > 'X' || band == 'I' || band == 'O') return false;
    ++i;
  }
  for (char mark : {'E', 'N'}) {
    if (i < t.size() && t[i].kind == Token::Kind::Letter) {
      if (t[i].text.size() != 1 || Upper(t[i].text[0]) != mark || t[i].glued) return false;
      ++i;
    }
    if (i >= t.size() || t[i].kind != Token::Kind::Number || t[i].text[0] == '-') return false;
    ++i;
  }
  return i == t.size();
}

}  // namespace quill
