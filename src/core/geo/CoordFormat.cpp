// SPDX-License-Identifier: GPL-3.0-or-later
#include "geo/CoordFormat.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "text/TextHelpers.h"

namespace quill {

namespace {

// printf "%*d" (pad ' ') and "%0*d" (pad '0').
void AppendInt(std::string& out, long long value, int width = 0, char pad = ' ') {
  char buf[32];
  auto res = std::to_chars(buf, buf + sizeof buf, value);
  const std::size_t len = static_cast<std::size_t>(res.ptr - buf);
  const std::size_t w = width > 0 ? static_cast<std::size_t>(width) : 0;
  if (len < w) {
    if (pad == '0' && value < 0) {
      out.push_back('-');
      out.append(w - len, '0');
      out.append(buf + 1, len - 1);
      return;
    }
    out.append(w - len, pad);
  }
  out.append(buf, len);
}

// printf "%0W.Df" for the non-negative minute and second values.
void AppendFixedZeroPadded(std::string& out, double value, int decimals, int width) {
  std::string text = FormatFixed(value, decimals);
  std::size_t digitsAt = (!text.empty() && text[0] == '-') ? 1 : 0;
  if (text.size() < static_cast<std::size_t>(width)) {
    text.insert(digitsAt, static_cast<std::size_t>(width) - text.size(), '0');
  }
  out.append(text);
}

char NorthSouth(double lat) { return lat >= 0 ? 'N' : 'S'; }
char EastWest(double lon) { return lon >= 0 ? 'E' : 'W'; }

long long Magnitude(int value) { return std::llabs(static_cast<long long>(value)); }

int SaturateToInt(double x) {
  if (std::isnan(x)) return 0;
  if (x >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (x <= -static_cast<double>(INT_MAX)) return -INT_MAX;
  return static_cast<int>(x);
}

// One whole degree away from zero.
int CarryDegree(int deg, double value) {
  if (value >= 0) return deg < INT_MAX ? deg + 1 : deg;
  return deg > -INT_MAX ? deg - 1 : deg;
}

}  // namespace

int TruncToInt(double x) { return SaturateToInt(x > 0 ? std::floor(x) : std::ceil(x)); }

int RoundToInt(double x) { return SaturateToInt(std::floor(x + 0.5)); }

double RoundTo(double x, int n) {
  double k = 1.0;
  for (int i = 0; i < n; ++i) k *= 10.0;
  // The product and the sum are each rounded to double before the floor.
  const double scaled = k * x;
  const double sum = scaled + 0.5;
  return std::floor(sum) / k;
}

DegMin SplitDegMin(double value, int n) {
  DegMin r;
  r.deg = TruncToInt(value);
  r.min = RoundTo(std::fabs(value - r.deg) * 60, n);
  if (r.min == 60.0) {
    r.min = 0.0;
    r.deg = CarryDegree(r.deg, value);
  }
  return r;
}

DegMinSec SplitDegMinSec(double value, int n) {
  DegMinSec r;
  r.deg = TruncToInt(value);
  double f = std::fabs(value - r.deg) * 60;
  r.min = TruncToInt(f);
  r.sec = RoundTo(std::fabs(f - r.min) * 60, n);
  if (r.sec == 60.0) {
    r.sec = 0.0;
    r.min = r.min + 1;
  }
  if (r.min == 60) {
    r.min = 0;
    r.deg = CarryDegree(r.deg, value);
  }
  return r;
}

void AppendDegMinSigned(std::string& out, double value, bool withQuote) {
  DegMin dm = SplitDegMin(value, 3);
  if (value < 0) out.push_back('-');
  AppendInt(out, Magnitude(dm.deg));
  out.push_back(kDegreeSign);
  out.push_back(' ');
  AppendFixedZeroPadded(out, dm.min, 3, 6);
  if (withQuote) out.push_back('\'');
}

std::string FormatDegMinSigned(double value, bool withQuote) {
  std::string out;
  AppendDegMinSigned(out, value, withQuote);
  return out;
}

void AppendLatLonDegMin(std::string& out, double lat, double lon) {
  DegMin a = SplitDegMin(lat, 3);
  DegMin b = SplitDegMin(lon, 3);
  out.push_back(NorthSouth(lat));
  out.push_back(' ');
  AppendInt(out, Magnitude(a.deg), 2, ' ');
  out.push_back(kDegreeSign);
  out.push_back(' ');
  AppendFixedZeroPadded(out, a.min, 3, 6);
  out.append("   ");
  out.push_back(EastWest(lon));
  out.push_back(' ');
  AppendInt(out, Magnitude(b.deg), 3, '0');
  out.push_back(kDegreeSign);
  out.push_back(' ');
  AppendFixedZeroPadded(out, b.min, 3, 6);
}

std::string FormatLatLonDegMin(double lat, double lon) {
  std::string out;
  AppendLatLonDegMin(out, lat, lon);
  return out;
}

void AppendLatLonDeg(std::string& out, double lat, double lon) {
  out.push_back(NorthSouth(lat));
  out.push_back(' ');
  AppendFixed(out, std::fabs(lat), 5);
  out.push_back(kDegreeSign);
  out.append("  ");
  out.push_back(EastWest(lon));
  out.push_back(' ');
  AppendFixed(out, std::fabs(lon), 5);
  out.push_back(kDegreeSign);
}

std::string FormatLatLonDeg(double lat, double lon) {
  std::string out;
  AppendLatLonDeg(out, lat, lon);
  return out;
}

void AppendLatLonDegMinSec(std::string& out, double lat, double lon) {
  auto half = [&out](char letter, double value) {
    DegMinSec d = SplitDegMinSec(value, 2);
    out.push_back(letter);
    out.push_back(' ');
    AppendInt(out, Magnitude(d.deg));
    out.push_back(kDegreeSign);
    out.push_back(' ');
    AppendInt(out, d.min, 2, '0');
    out.append("' ");
    AppendFixedZeroPadded(out, d.sec, 2, 5);
    out.push_back('"');
  };
  half(NorthSouth(lat), lat);
  out.append("  ");
  half(EastWest(lon), lon);
}

std::string FormatLatLonDegMinSec(double lat, double lon) {
  std::string out;
  AppendLatLonDegMinSec(out, lat, lon);
  return out;
}

void AppendGridPair(std::string& out, int x, int y) {
  AppendInt(out, x, 6, ' ');
  out.append(" / ");
  AppendInt(out, y, 6, ' ');
}

std::string FormatGridPair(int x, int y) {
  std::string out;
  AppendGridPair(out, x, y);
  return out;
}

void AppendUtm(std::string& out, int zone, char band, double easting, double northing) {
  // Printed signed: a zone or northing below zero (a longitude beyond -180, a
  // latitude beyond -90) must not turn into a huge unsigned number.
  AppendInt(out, zone);
  if (band != '\0') out.push_back(band);
  out.append("  E ");
  AppendInt(out, TruncToInt(easting));
  out.append("  N ");
  AppendInt(out, TruncToInt(northing));
}

std::string FormatUtm(int zone, char band, double easting, double northing) {
  std::string out;
  AppendUtm(out, zone, band, easting, northing);
  return out;
}

std::string FormatUtm(const UtmCoord& utm) { return FormatUtm(utm.zone, utm.band, utm.easting, utm.northing); }

void AppendEcef(std::string& out, double x, double y, double z) {
  // Rounded like RoundToInt, but printed from the double so that no value is
  // cut at the 32-bit range.
  AppendFixed(out, std::floor(x + 0.5), 0);
  out.append(" / ");
  AppendFixed(out, std::floor(y + 0.5), 0);
  out.append(" / ");
  AppendFixed(out, std::floor(z + 0.5), 0);
}

std::string FormatEcef(double x, double y, double z) {
  std::string out;
  AppendEcef(out, x, y, z);
  return out;
}

std::string FormatEcef(const EcefPoint& p) { return FormatEcef(p.x, p.y, p.z); }

std::string FormatAltitude(double h) {
  const double v = RoundTo(h, 2);
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v > 0 ? "INF" : "-INF";
  if (v == 0.0) return "0";
  // Fifteen significant digits, trailing zeros dropped; fixed notation unless
  // the value needs more than 15 integer digits or is below 1e-4.
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, 14);
  std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
  std::size_t ePos = sci.find('e');
  std::string digits;
  for (char c : sci.substr(0, ePos)) {
    if (c != '.') digits.push_back(c);
  }
  int exponent = 0;
  std::string_view expText = sci.substr(ePos + 1);
  if (!expText.empty() && expText[0] == '+') expText.remove_prefix(1);
  std::from_chars(expText.data(), expText.data() + expText.size(), exponent);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out;
  if (v < 0) out.push_back('-');
  if (exponent >= -4 && exponent <= 14) {
    if (exponent >= 0) {
      const std::size_t intDigits = static_cast<std::size_t>(exponent) + 1;
      if (digits.size() <= intDigits) {
        out.append(digits);
        out.append(intDigits - digits.size(), '0');
      } else {
        out.append(digits, 0, intDigits);
        out.push_back('.');
        out.append(digits, intDigits, std::string::npos);
      }
    } else {
      out.append("0.");
      out.append(static_cast<std::size_t>(-exponent - 1), '0');
      out.append(digits);
    }
  } else {
    out.push_back(digits[0]);
    if (digits.size() > 1) {
      out.push_back('.');
      out.append(digits, 1, std::string::npos);
    }
    out.push_back('E');
    AppendInt(out, exponent);
  }
  return out;
}

}  // namespace quill
