// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/Ansi.h"

#include <array>

namespace quill {
namespace {

// UTF-8 forms of Windows-1252 0x80..0x9F; the five undefined bytes have ".".
constexpr std::array<std::string_view, 32> kCodePage = {
    "\xE2\x82\xAC",
    ".",
    "\xE2\x80\x9A",
    "\xC6\x92",
    "\xE2\x80\x9E",
    "\xE2\x80\xA6",
    "\xE2\x80\xA0",
    "\xE2\x80\xA1",
    "\xCB\x86",
    "\xE2\x80\xB0",
    "\xC5\xA0",
    "\xE2\x80\xB9",
    "\xC5\x92",
    ".",
    "\xC5\xBD",
    ".",
    ".",
    "\xE2\x80\x98",
    "\xE2\x80\x99",
    "\xE2\x80\x9C",
    "\xE2\x80\x9D",
    "\xE2\x80\xA2",
    "\xE2\x80\x93",
    "\xE2\x80\x94",
    "\xCB\x9C",
    "\xE2\x84\xA2",
    "\xC5\xA1",
    "\xE2\x80\xBA",
    "\xC5\x93",
    ".",
    "\xC5\xBE",
    "\xC5\xB8",
};

// Unicode values of Windows-1252 0x80..0x9F, "." for the undefined bytes.
constexpr std::array<std::uint16_t, 32> kCodePagePoints = {
    0x20AC, '.',    0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, '.',    0x017D, '.',    '.',    0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, '.',    0x017E, 0x0178,
};

inline unsigned char At(std::string_view t, std::size_t i) {
  return i < t.size() ? static_cast<unsigned char>(t[i]) : 0;
}

// Table row whose UTF-8 form starts text at pos with exactly len bytes; -1 if none.
int TableRow(std::string_view text, std::size_t pos, std::size_t len) {
  if (pos + len > text.size()) return -1;
  std::uint32_t cp = 0;
  if (len == 2) {
    if ((At(text, pos + 1) & 0xC0) != 0x80) return -1;
    cp = ((At(text, pos) & 0x1Fu) << 6) | (At(text, pos + 1) & 0x3Fu);
  } else {
    if ((At(text, pos + 1) & 0xC0) != 0x80 || (At(text, pos + 2) & 0xC0) != 0x80) return -1;
    cp = ((At(text, pos) & 0x0Fu) << 12) | ((At(text, pos + 1) & 0x3Fu) << 6) | (At(text, pos + 2) & 0x3Fu);
  }
  // Compared by value: the rows' own forms are the shortest ones.
  if ((len == 2) != (cp < 0x800) || cp < 0x100) return -1;
  for (std::size_t i = 0; i < kCodePagePoints.size(); ++i) {
    if (kCodePagePoints[i] == cp && kCodePage[i].size() == len) return static_cast<int>(i);
  }
  return -1;
}

// Bytes consumed and the byte produced when Utf8ToAnsi converts at pos; 0 if not.
std::size_t ConvertedAt(std::string_view text, std::size_t pos, unsigned char& out) {
  unsigned char c = At(text, pos);
  unsigned char d = At(text, pos + 1);
  switch (c) {
    case 0xC2:
      if (d >= 0xA0 && d <= 0xBF) {
        out = d;
        return 2;
      }
      return 0;
    case 0xC3:
      if (d >= 0x80 && d <= 0xBF) {
        out = static_cast<unsigned char>(d + 0x40);
        return 2;
      }
      return 0;
    case 0xC5:
    case 0xC6:
    case 0xCB: {
      int row = TableRow(text, pos, 2);
      if (row >= 0) {
        out = static_cast<unsigned char>(0x80 + row);
        return 2;
      }
      return 0;
    }
    case 0xE2: {
      int row = TableRow(text, pos, 3);
      if (row >= 0) {
        out = static_cast<unsigned char>(0x80 + row);
        return 3;
      }
      return 0;
    }
    default:
      return 0;
  }
}

inline bool Cont(unsigned char b) { return b >= 0x80 && b <= 0xBF; }

std::size_t WellFormedLength(std::string_view t, std::size_t i) {
  unsigned char c = At(t, i);
  if (c >= 0xC2 && c <= 0xDF) return Cont(At(t, i + 1)) ? 2 : 0;
  if (c >= 0xE0 && c <= 0xEF) {
    unsigned char d = At(t, i + 1);
    bool ok = c == 0xE0 ? (d >= 0xA0 && d <= 0xBF) : c == 0xED ? (d >= 0x80 && d <= 0x9F) : Cont(d);
    return ok && Cont(At(t, i + 2)) ? 3 : 0;
  }
  if (c >= 0xF0 && c <= 0xF4) {
    unsigned char d = At(t, i + 1);
    bool ok = c == 0xF0 ? (d >= 0x90 && d <= 0xBF) : c == 0xF4 ? (d >= 0x80 && d <= 0x8F) : Cont(d);
    return ok && Cont(At(t, i + 2)) && Cont(At(t, i + 3)) ? 4 : 0;
  }
  return 0;
}

}  // namespace

std::size_t KeptUtf8Length(std::string_view text, std::size_t pos) {
  std::size_t len = WellFormedLength(text, pos);
  if (len == 0) return 0;
  unsigned char dummy;
  return ConvertedAt(text, pos, dummy) == 0 ? len : 0;
}

std::string Utf8ToAnsi(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendUtf8AsAnsi(out, text);
  return out;
}

void AppendUtf8AsAnsi(std::string& out, std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      ++i;
      continue;
    }
    unsigned char b;
    std::size_t n = ConvertedAt(text, i, b);
    if (n) {
      out.push_back(static_cast<char>(b));
      i += n;
    } else {
      out.push_back(static_cast<char>(c));
      ++i;
    }
  }
}

void AppendAnsiAsUtf8(std::string& out, std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      // Runs of ASCII are the common case; copy them in one go.
      std::size_t j = i + 1;
      while (j < text.size() && static_cast<unsigned char>(text[j]) < 0x80) ++j;
      out.append(text.data() + i, j - i);
      i = j;
      continue;
    }
    if (std::size_t kept = KeptUtf8Length(text, i)) {
      out.append(text.data() + i, kept);
      i += kept;
      continue;
    }
    if (c <= 0x9F) {
      out.append(kCodePage[c - 0x80]);
    } else if (c <= 0xBF) {
      out.push_back('\xC2');
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back('\xC3');
      out.push_back(static_cast<char>(c - 0x40));
    }
    ++i;
  }
}

std::string AnsiToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  AppendAnsiAsUtf8(out, text);
  return out;
}

bool AppendUtf8CodePoint(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    if (cp >= 0xD800 && cp <= 0xDFFF) return false;
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp <= 0x10FFFF) {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    return false;
  }
  return true;
}

std::uint32_t AnsiCharAt(std::string_view text, std::size_t pos, std::size_t& length) {
  unsigned char c = At(text, pos);
  length = 1;
  if (c < 0x80) return c;
  if (std::size_t kept = KeptUtf8Length(text, pos)) {
    length = kept;
    std::uint32_t cp = kept == 2 ? (c & 0x1Fu) : kept == 3 ? (c & 0x0Fu) : (c & 0x07u);
    for (std::size_t i = 1; i < kept; ++i) cp = (cp << 6) | (At(text, pos + i) & 0x3Fu);
    return cp;
  }
  return c <= 0x9F ? kCodePagePoints[c - 0x80] : c;
}

void AppendCodePointAsAnsi(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
    return;
  }
  std::string utf8;
  if (!AppendUtf8CodePoint(utf8, cp)) return;
  unsigned char b = 0;
  if (ConvertedAt(utf8, 0, b) == utf8.size()) {
    out.push_back(static_cast<char>(b));
  } else {
    out.append(utf8);
  }
}

}  // namespace quill
