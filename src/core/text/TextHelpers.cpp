// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/TextHelpers.h"

#include <charconv>
#include <cstdio>

#include "text/Ansi.h"

namespace quill {

namespace {
constexpr std::string_view kMonths = "janfebmaraprmayjunjulaugsepoctnovdec";
constexpr std::size_t kMaxCopy = 399;

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::string IsoDateToText(std::string_view time) {
  auto part = [&](std::size_t pos, std::size_t len) {
    return pos < time.size() ? time.substr(pos, len) : std::string_view{};
  };
  std::string_view year = part(0, 4);
  std::string_view monthText = part(5, 2);
  std::string_view day = part(8, 2);
  int month = 0;
  if (monthText.size() == 2 && IsDigit(monthText[0]) && IsDigit(monthText[1])) {
    month = (monthText[0] - '0') * 10 + (monthText[1] - '0');
  }
  std::string out(day);
  out.push_back(' ');
  if (month >= 1 && month <= 12) {
    out.append(kMonths.substr(static_cast<std::size_t>(month - 1) * 3, 3));
  } else {
    out.append("???");
  }
  out.push_back(' ');
  out.append(year);
  return out;
}

bool SplitAt(std::string& text, char separator, std::string& rest) {
  std::size_t pos = text.find(separator);
  if (pos == std::string::npos) {
    rest.clear();
    return false;
  }
  std::size_t end = pos;
  while (end < text.size() && text[end] == separator) ++end;
  rest.assign(text, end, std::string::npos);
  text.resize(pos);
  return true;
}

void TrimLineEnd(std::string& text) {
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
}

void TrimLeadingSpaces(std::string& text) {
  std::size_t n = 0;
  while (n < text.size() && text[n] == ' ') ++n;
  text.erase(0, n);
}

void TrimTrailingSpaces(std::string& text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
}

double TextToFloat(std::string_view input) {
  // Blanks as strtod skips them before the number, and after it.
  auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; };
  std::size_t b = 0, e = input.size();
  while (b < e && isBlank(input[b])) ++b;
  while (e > b && isBlank(input[e - 1])) --e;
  if (b == e || e - b > 400) return 0.0;
  char buf[401];
  std::size_t n = e - b;
  bool replaced = false;
  for (std::size_t i = 0; i < n; ++i) {
    char c = input[b + i];
    if (c == ',' && !replaced) {
      c = '.';
      replaced = true;
    }
    buf[i] = c;
  }
  // Grammar: [+-] (digits [. digits*] | . digits) [(e|E) [+-] digits]
  std::size_t i = 0;
  bool negative = false;
  if (buf[i] == '+' || buf[i] == '-') {
    negative = buf[i] == '-';
    ++i;
  }
  std::size_t start = i;
  std::size_t intDigits = 0, fracDigits = 0;
  while (i < n && IsDigit(buf[i])) ++i, ++intDigits;
  if (i < n && buf[i] == '.') {
    ++i;
    while (i < n && IsDigit(buf[i])) ++i, ++fracDigits;
  }
  if (intDigits + fracDigits == 0) return 0.0;
  if (i < n && (buf[i] == 'e' || buf[i] == 'E')) {
    ++i;
    if (i < n && (buf[i] == '+' || buf[i] == '-')) ++i;
    std::size_t expDigits = 0;
    while (i < n && IsDigit(buf[i])) ++i, ++expDigits;
    if (expDigits == 0) return 0.0;
  }
  if (i != n) return 0.0;
  double value = 0.0;
  auto res = std::from_chars(buf + start, buf + n, value, std::chars_format::general);
  // Out of range (1e999) is no usable number either.
  if (res.ec != std::errc() || res.ptr != buf + n) return 0.0;
  return negative ? -value : value;
}

std::string CsvField(std::string_view line, int n) {
  enum class S { Between, Plain, Quoted, AfterQuote };
  S state = S::Between;
  int index = 0;
  std::string field;
  std::string result;
  bool found = false;
  auto finish = [&]() {
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
      field = field.substr(1, field.size() - 2);
    }
    if (index == n) {
      result = field;
      found = true;
    }
    ++index;
    field.clear();
    state = S::Between;
  };
  for (char c : line) {
    if (found) break;
    if (c == '\r' || c == '\n') continue;
    switch (state) {
      case S::Between:
        if (c == ' ') break;
        if (c == '"')
          state = S::Quoted;
        else if (c == ',')
          finish();
        else {
          field.push_back(c);
          state = S::Plain;
        }
        break;
      case S::Plain:
        if (c == ',')
          finish();
        else if (c != '"')
          field.push_back(c);
        break;
      case S::Quoted:
        if (c == '"')
          state = S::AfterQuote;
        else
          field.push_back(c);
        break;
      case S::AfterQuote:
        if (c == '"') {
          field.push_back('"');
          state = S::Quoted;
        } else if (c == ',') {
          finish();
        }
        break;
    }
  }
  // The end of the line ends the last field.
  if (!found) finish();
  return found ? result : std::string();
}

std::string ReplaceControlChars(std::string_view text, std::size_t maxLength, char replacement) {
  std::size_t limit = kMaxCopy;
  if (maxLength != 0 && maxLength < limit) limit = maxLength;
  std::string out;
  out.reserve(std::min(text.size(), limit));
  for (std::size_t i = 0; i < text.size() && out.size() < limit;) {
    if (std::size_t kept = KeptUtf8Length(text, i)) {
      if (out.size() + kept > limit) break;
      out.append(text.substr(i, kept));
      i += kept;
      continue;
    }
    unsigned char c = static_cast<unsigned char>(text[i]);
    out.push_back((c < 0x20 || c == 0xAD) ? replacement : text[i]);
    ++i;
  }
  return out;
}

bool IsC1ControlAt(std::string_view utf8, std::size_t i) {
  return i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i]) == 0xC2 &&
         static_cast<unsigned char>(utf8[i + 1]) >= 0x80 && static_cast<unsigned char>(utf8[i + 1]) <= 0x9F;
}

void BlankTerminalControls(std::string& utf8, std::size_t from) {
  std::size_t to = from;
  for (std::size_t i = from; i < utf8.size(); ++i) {
    const auto u = static_cast<unsigned char>(utf8[i]);
    if (IsC1ControlAt(utf8, i)) {
      utf8[to++] = ' ';
      ++i;
    } else {
      utf8[to++] = u < 0x20 || u == 0x7F ? ' ' : utf8[i];
    }
  }
  utf8.resize(to);
}

std::string SafeNameText(std::string_view text) {
  std::string out(text.substr(0, kMaxCopy));
  for (char& c : out) {
    switch (c) {
      case '*':
      case '/':
      case ':':
      case '<':
      case '>':
      case '?':
      case '\\':
      case '|':
        c = '_';
        break;
      default:
        break;
    }
  }
  return out;
}

std::string FormatUtcTime(std::time_t t) {
  std::tm tm{};
#if defined(_WIN32)
  gmtime_s(&tm, &t);
#else
  gmtime_r(&t, &tm);
#endif
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04u-%02u-%02uT%02u:%02u:%02u", static_cast<unsigned>(tm.tm_year + 1900),
                static_cast<unsigned>(tm.tm_mon + 1), static_cast<unsigned>(tm.tm_mday),
                static_cast<unsigned>(tm.tm_hour), static_cast<unsigned>(tm.tm_min), static_cast<unsigned>(tm.tm_sec));
  return buf;
}

std::string CurrentUtcTimeText() { return FormatUtcTime(std::time(nullptr)); }

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

std::string_view FileNamePart(std::string_view path) {
  std::size_t slash = path.find_last_of("/\\");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view FolderPart(std::string_view path) {
  std::size_t slash = path.find_last_of("/\\");
  return slash == std::string_view::npos ? std::string_view{} : path.substr(0, slash + 1);
}

std::string_view FileExtension(std::string_view path) {
  std::string_view name = FileNamePart(path);
  std::size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view{} : name.substr(dot);
}

}  // namespace quill

namespace quill {

void AppendFixed(std::string& out, double value, int decimals) {
  char buf[512];
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  if (res.ec != std::errc()) {
    out.append("0");
    return;
  }
  out.append(buf, static_cast<std::size_t>(res.ptr - buf));
}

std::string FormatFixed(double value, int decimals) {
  std::string out;
  AppendFixed(out, value, decimals);
  return out;
}

}  // namespace quill
