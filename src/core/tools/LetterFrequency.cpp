// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/LetterFrequency.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

#include "text/Ansi.h"

namespace quill {

namespace {

constexpr const char* kHexDigits = "0123456789ABCDEF";

struct ClassInfo {
  const char* caption;
  const char* name;
};
constexpr std::array<ClassInfo, kLetterClassCount> kClasses = {{
    {"A=1...Z=26", "alpha"},
    {"ASCII", "ascii"},
    {"ASCII lower", "lower"},
    {"ASCII upper", "upper"},
    {"Numeric", "numeric"},
    {"Hex", "hex"},
    {"All", "all"},
}};

constexpr std::array<std::array<std::uint32_t, 26>, 4> kReferences = {{
    {7480,  1570, 1240, 5920, 18897, 810,  3390, 2380, 6490, 1460, 2250, 3560, 2210,
     10019, 6050, 1570, 9,    6400,  3720, 6780, 1980, 2840, 1510, 40,   35,   1390},
    {8167, 1492, 2782, 4253, 12702, 2228, 2015, 6094, 6966, 153,  772, 4025, 2406,
     6749, 7507, 1929, 95,   5987,  6327, 9056, 2758, 978,  2360, 150, 1974, 76},
    {1, 0, 1, 1, 11, 1, 1, 1, 3, 1, 0, 1, 0, 5, 0, 0, 0, 2, 1, 2, 1, 3, 1, 0, 0, 2},
    {0, 0, 0, 0, 9, 2, 1, 2, 4, 0, 0, 0, 0, 4, 4, 0, 0, 3, 2, 3, 1, 2, 1, 1, 0, 1},
}};

constexpr std::array<const char*, 4> kReferenceCaptions = {"NL", "EN", "num NL", "num EN"};

struct Band {
  int firstRank;  // 1-based, inclusive
  int lastRank;
  std::uint64_t above;   // exclusive lower bound of p
  std::uint64_t atMost;  // inclusive upper bound of p
  Rgb color;
};
constexpr std::array<Band, 5> kDutchBands = {{
    {1, 1, 14, 30, kRed},
    {2, 2, 8, 15, kPurple},
    {3, 4, 4, 9, kBlue},
    {5, 7, 3, 8, kGreen},
    {8, 10, 2, 6, kOlive},
}};
constexpr std::array<Band, 5> kEnglishBands = {{
    {1, 1, 9, 22, kRed},
    {2, 2, 5, 12, kPurple},
    {3, 4, 4, 10, kBlue},
    {5, 9, 4, 8, kGreen},
    {10, 11, 2, 6, kOlive},
}};

std::size_t ClassIndex(LetterClass cls) {
  const int i = static_cast<int>(cls);
  return static_cast<std::size_t>(std::clamp(i, 0, kLetterClassCount - 1));
}

bool IsLetterClass(LetterClass cls) { return static_cast<int>(cls) <= static_cast<int>(LetterClass::AsciiUpper); }

}  // namespace

void CountText(std::string_view text, LetterCounts& counts) {
  for (std::size_t i = 0; i < text.size();) {
    if (const std::size_t kept = KeptUtf8Length(text, i)) {
      i += kept;
      continue;
    }
    const auto c = static_cast<unsigned char>(text[i++]);
    ++counts.bytes[c];
    if (c >= 'A' && c <= 'Z') {
      ++counts.upper[c - 'A'];
      ++counts.alpha[c - 'A'];
      counts.markers[c - 'A'] = static_cast<char>(c);
    } else if (c >= 'a' && c <= 'z') {
      ++counts.lower[c - 'a'];
      ++counts.alpha[c - 'a'];
      counts.markers[c - 'a'] = static_cast<char>(c - 'a' + 'A');
    } else if (c >= '0' && c <= '9') {
      ++counts.digits[c - '0'];
    }
  }
}

LetterCounts CountText(std::string_view text) {
  LetterCounts counts;
  CountText(text, counts);
  return counts;
}

const char* LetterClassCaption(LetterClass cls) { return kClasses[ClassIndex(cls)].caption; }
const char* LetterClassName(LetterClass cls) { return kClasses[ClassIndex(cls)].name; }

bool LetterClassForName(std::string_view name, LetterClass& cls) {
  for (std::size_t i = 0; i < kClasses.size(); ++i) {
    if (name == kClasses[i].name) {
      cls = static_cast<LetterClass>(i);
      return true;
    }
  }
  return false;
}

std::vector<std::uint32_t> ClassBars(const LetterCounts& counts, LetterClass cls) {
  switch (cls) {
    case LetterClass::Alpha:
      return {counts.alpha.begin(), counts.alpha.end()};
    case LetterClass::Ascii: {
      std::vector<std::uint32_t> bars(26);
      for (std::size_t i = 0; i < 26; ++i) bars[i] = counts.upper[i] + counts.lower[i];
      return bars;
    }
    case LetterClass::AsciiLower:
      return {counts.lower.begin(), counts.lower.end()};
    case LetterClass::AsciiUpper:
      return {counts.upper.begin(), counts.upper.end()};
    case LetterClass::Numeric:
      return {counts.digits.begin(), counts.digits.end()};
    case LetterClass::Hex: {
      std::vector<std::uint32_t> bars(counts.digits.begin(), counts.digits.end());
      for (std::size_t i = 0; i < 6; ++i) bars.push_back(counts.upper[i] + counts.lower[i]);
      return bars;
    }
    case LetterClass::All:
      return {counts.bytes.begin(), counts.bytes.end()};
  }
  return {};
}

char BarCharacter(LetterClass cls, int bar) {
  if (IsLetterClass(cls)) return static_cast<char>('A' + bar);
  if (cls == LetterClass::Numeric) return static_cast<char>('0' + bar);
  if (cls == LetterClass::Hex) return kHexDigits[bar & 15];
  return static_cast<char>(static_cast<unsigned char>(bar));
}

std::string BarAxisLabel(LetterClass cls, int bar) {
  if (cls != LetterClass::All) return std::string(1, BarCharacter(cls, bar));
  if (bar % 32 != 0) return {};
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned>(bar & 0xFF));
  return buf;
}

std::string BarHint(LetterClass cls, int bar, std::uint32_t count) {
  char buf[48];
  if (cls == LetterClass::All) {
    std::snprintf(buf, sizeof buf, "0x%02X = %u", static_cast<unsigned>(bar & 0xFF), count);
  } else {
    std::snprintf(buf, sizeof buf, "%c = %u", BarCharacter(cls, bar), count);
  }
  return buf;
}

std::string LetterListing(LetterClass cls, const std::vector<std::uint32_t>& bars) {
  const std::uint64_t total = std::accumulate(bars.begin(), bars.end(), std::uint64_t{0});
  std::string out;
  out.reserve(bars.size() * 24 + 16);
  unsigned unique = 0;
  char buf[64];
  for (std::size_t i = 0; i < bars.size(); ++i) {
    const int bar = static_cast<int>(i);
    if (cls == LetterClass::All) {
      const unsigned value = static_cast<unsigned>(bar & 0xFF);
      const char shown = (value < 32 || value == 173) ? '.' : static_cast<char>(value);
      std::snprintf(buf, sizeof buf, "0x%02X (%c) :", value, shown);
    } else {
      std::snprintf(buf, sizeof buf, "%c :", BarCharacter(cls, bar));
    }
    out += buf;
    if (bars[i] != 0) {
      ++unique;
      const double percent = static_cast<double>(bars[i]) * 100.0 / static_cast<double>(total);
      std::snprintf(buf, sizeof buf, "  %5.2f %5u", percent, bars[i]);
      out += buf;
    }
    out += "\r\n";
  }
  std::snprintf(buf, sizeof buf, "\r\n\r\n %u unique", unique);
  out += buf;
  return out;
}

const char* LetterReferenceCaption(LetterReference ref) {
  return kReferenceCaptions[static_cast<std::size_t>(std::clamp(static_cast<int>(ref), 0, 3))];
}

const std::array<std::uint32_t, 26>& ReferenceTable(LetterReference ref) {
  return kReferences[static_cast<std::size_t>(std::clamp(static_cast<int>(ref), 0, 3))];
}

std::array<Rgb, 26> SpecialColors(const std::array<std::uint32_t, 26>& counts, LetterLanguage language) {
  std::array<Rgb, 26> colors;
  colors.fill(kGrey);
  const std::uint64_t total = std::accumulate(counts.begin(), counts.end(), std::uint64_t{0});
  if (total == 0) return colors;
  std::array<std::size_t, 26> byRank;
  std::iota(byRank.begin(), byRank.end(), std::size_t{0});
  std::stable_sort(byRank.begin(), byRank.end(), [&](std::size_t a, std::size_t b) { return counts[a] > counts[b]; });
  const auto& bands = language == LetterLanguage::Dutch ? kDutchBands : kEnglishBands;
  for (const Band& band : bands) {
    bool inRange = true;
    for (int rank = band.firstRank; rank <= band.lastRank; ++rank) {
      const std::uint64_t p = counts[byRank[static_cast<std::size_t>(rank - 1)]] * std::uint64_t{100} / total;
      if (p <= band.above || p > band.atMost) inRange = false;
    }
    if (!inRange) break;
    for (int rank = band.firstRank; rank <= band.lastRank; ++rank) {
      colors[byRank[static_cast<std::size_t>(rank - 1)]] = band.color;
    }
  }
  return colors;
}

std::vector<Rgb> ChartBarColors(LetterClass cls, const std::vector<std::uint32_t>& bars, const char* markers,
                                bool specialColors, LetterReference ref) {
  std::vector<Rgb> colors(bars.size(), kRed);
  if (!IsLetterClass(cls) || bars.size() != 26) return colors;
  if (specialColors) {
    std::array<std::uint32_t, 26> table{};
    std::copy(bars.begin(), bars.end(), table.begin());
    std::array<Rgb, 26> special;
    if (ref == LetterReference::TextNl || ref == LetterReference::TextEn) {
      special = SpecialColors(table, ref == LetterReference::TextNl ? LetterLanguage::Dutch : LetterLanguage::English);
    } else {
      special.fill(kGrey);
    }
    std::copy(special.begin(), special.end(), colors.begin());
  }
  if (markers) {
    for (std::size_t i = 0; i < 26; ++i) {
      if (markers[i] < 'A' || markers[i] > 'Z') colors[i] = kSilver;
    }
  }
  return colors;
}

std::array<Rgb, 26> ReferenceBarColors(LetterReference ref, bool specialColors) {
  std::array<Rgb, 26> colors;
  if (ref == LetterReference::NumNl || ref == LetterReference::NumEn) {
    colors.fill(kGreen);
  } else if (specialColors) {
    colors = SpecialColors(ReferenceTable(ref),
                           ref == LetterReference::TextNl ? LetterLanguage::Dutch : LetterLanguage::English);
  } else {
    colors.fill(kBlue);
  }
  return colors;
}

}  // namespace quill
