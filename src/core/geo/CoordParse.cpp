// SPDX-License-Identifier: GPL-3.0-or-later
#include "geo/CoordParse.h"

#include <climits>
#include <cstdint>

#include "geo/CoordFormat.h"
#include "text/TextHelpers.h"

namespace quill {

namespace {

// A token of at most N characters; a longer run of number characters is cut
// at N and its remaining characters are dropped.
template <std::size_t N>
class Token {
 public:
  void Clear() { size_ = 0; }
  void Set(char c) {
    size_ = 0;
    Append(c);
  }
  void Append(char c) {
    if (size_ < N) text_[size_++] = c;
  }
  bool Empty() const { return size_ == 0; }
  char First() const { return size_ > 0 ? text_[0] : '\0'; }
  std::string_view View() const { return std::string_view(text_, size_); }
  bool HasDecimalSeparator() const {
    for (std::size_t i = 0; i < size_; ++i) {
      if (text_[i] == '.' || text_[i] == ',') return true;
    }
    return false;
  }

 private:
  char text_[N];
  std::size_t size_ = 0;
};

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// C atol: optional sign, digits, stop at the first other character. The value
// saturates at the 32-bit range instead of overflowing.
long AtolText(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value <= INT32_MAX) value = value * 10 + (text[i] - '0');
  }
  if (negative) value = -value;
  if (value > INT32_MAX) value = INT32_MAX;
  if (value < INT32_MIN) value = INT32_MIN;
  return static_cast<long>(value);
}

}  // namespace

bool IsNumberChar(char c) { return (c >= '0' && c <= '9') || c == ',' || c == '-' || c == '.'; }

LatLon ParseLatLon(std::string_view text) {
  enum class Part { Degrees, Minutes, Seconds };
  double lat = 0.0, lon = 0.0, deg = 0.0, min = 0.0, sec = 0.0;
  Part part = Part::Degrees;
  bool targetLon = false;
  bool inToken = false, south = false, west = false;
  Token<kLatLonTokenMax> token;

  // The factors are held in extended precision and the sum is formed there
  // before it is stored, as the values typed in were always composed.
  auto composed = [&]() -> double {
    return static_cast<double>(static_cast<long double>(min) * (1.0L / 60.0L) + deg +
                               static_cast<long double>(sec) * (1.0L / 3600.0L));
  };
  auto restart = [&](bool toLon) {
    part = Part::Degrees;
    targetLon = toLon;
    deg = min = sec = 0.0;
  };

  for (char c : text) {
    if (!inToken) {
      switch (UpperAscii(c)) {
        case 'S':
        case 'Z':
          south = true;
          [[fallthrough]];
        case 'N':
          restart(false);
          break;
        case 'W':
          west = true;
          [[fallthrough]];
        case 'E':
        case 'O':
          if (lat == 0.0) lat = composed();
          restart(true);
          break;
        default:
          if (IsNumberChar(c)) {
            token.Set(c);
            inToken = true;
          }
          break;
      }
      continue;
    }
    if (IsNumberChar(c)) {
      token.Append(c);
      continue;
    }
    // Any other byte ends the token and is consumed with it, so a letter
    // right after a number is not read as a hemisphere letter.
    bool complete = false;
    double value = TextToFloat(token.View());
    switch (part) {
      case Part::Degrees:
        deg = value;
        part = Part::Minutes;
        complete = token.HasDecimalSeparator();
        break;
      case Part::Minutes:
        min = value;
        part = Part::Seconds;
        complete = token.HasDecimalSeparator();
        break;
      case Part::Seconds:
        sec = value;
        complete = true;
        break;
    }
    inToken = false;
    if (complete) {
      if (!targetLon) {
        lat = composed();
        restart(true);
      } else {
        lon = composed();
      }
    }
  }
  if (inToken) {
    double value = TextToFloat(token.View());
    switch (part) {
      case Part::Degrees:
        deg = value;
        break;
      case Part::Minutes:
        min = value;
        break;
      case Part::Seconds:
        sec = value;
        break;
    }
  }
  double& target = targetLon ? lon : lat;
  if (target == 0.0) target = composed();
  if (south) lat = -lat;
  if (west) lon = -lon;
  return {lat, lon};
}

LatLon ParseLatLonFields(std::string_view northText, std::string_view eastText) {
  LatLon result = ParseLatLon(northText);
  if (result.lon != 0.0) return result;
  LatLon east = ParseLatLon(eastText);
  if (east.lat != 0.0) result.lon = east.lat;
  if (east.lon != 0.0) result.lon = east.lon;
  return result;
}

GridPoint ParseGridPair(std::string_view text) {
  GridPoint result;
  int taken = 0;
  bool inToken = false;
  Token<kGridTokenMax> token;
  auto store = [&]() {
    int value = TruncToInt(TextToFloat(token.View()));
    if (taken == 0) {
      result.x = value;
    } else {
      result.y = value;
    }
    ++taken;
    inToken = false;
  };
  for (char c : text) {
    if (taken >= 2) break;
    if (IsNumberChar(c)) {
      if (inToken) {
        token.Append(c);
      } else {
        token.Set(c);
        inToken = true;
      }
    } else if (inToken) {
      store();
    }
  }
  if (inToken && taken < 2) store();
  return result;
}

EcefPoint ParseEcef(std::string_view text) {
  double values[3] = {0.0, 0.0, 0.0};
  int taken = 0;
  bool inToken = false;
  Token<kLatLonTokenMax> token;
  auto store = [&]() {
    values[taken++] = TextToFloat(token.View());
    inToken = false;
  };
  for (char c : text) {
    if (taken >= 3) break;
    if (IsNumberChar(c)) {
      if (inToken) {
        token.Append(c);
      } else {
        token.Set(c);
        inToken = true;
      }
    } else if (inToken) {
      store();
    }
  }
  if (inToken && taken < 3) store();
  return {values[0], values[1], values[2]};
}

UtmCoord ParseUtm(std::string_view text) {
  UtmCoord result;
  int state = 0;
  Token<kGridTokenMax> token;
  for (char c : text) {
    const bool number = IsNumberChar(c);
    const bool letter = IsLetter(c);
    switch (state) {
      case 0:  // start
        if (number) {
          token.Set(c);
          state = 1;
        }
        break;
      case 1:  // zone digits
        if (number) {
          token.Append(c);
        } else if (letter) {
          result.zone = static_cast<int>(AtolText(token.View()));
          token.Set(c);
          state = 3;
        } else {
          result.zone = static_cast<int>(AtolText(token.View()));
          token.Clear();
          state = 2;
        }
        break;
      case 2:  // after zone
        if (number) {
          result.band = 'U';
          token.Set(c);
          state = 5;
        } else if (letter) {
          token.Append(c);
          state = 3;
        }
        break;
      case 3:  // band letters
        if (number) {
          result.band = token.First();
          token.Set(c);
          state = 5;
        } else if (letter) {
          token.Append(c);
        } else {
          result.band = token.First();
          token.Clear();
          state = 4;
        }
        break;
      case 4:  // before easting
        if (number) {
          token.Append(c);
          state = 5;
        }
        break;
      case 5:  // easting digits
        if (number) {
          token.Append(c);
        } else {
          result.easting = static_cast<double>(AtolText(token.View()));
          token.Clear();
          state = 6;
        }
        break;
      case 6:  // before northing
        if (number) {
          token.Append(c);
          state = 7;
        }
        break;
      case 7:  // northing digits
        if (number) {
          token.Append(c);
        } else {
          result.northing = static_cast<double>(AtolText(token.View()));
          token.Clear();
          state = 8;
        }
        break;
      default:  // done
        break;
    }
    if (state == 8) break;
  }
  switch (state) {
    case 1:
      result.zone = static_cast<int>(AtolText(token.View()));
      break;
    case 3:
      result.band = token.First();
      break;
    case 5:
      result.easting = static_cast<double>(AtolText(token.View()));
      break;
    case 7:
      result.northing = static_cast<double>(AtolText(token.View()));
      break;
    default:
      break;
  }
  return result;
}

}  // namespace quill
