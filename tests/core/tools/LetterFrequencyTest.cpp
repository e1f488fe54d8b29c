// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "tools/LetterFrequency.h"

namespace quill {
namespace {

std::array<std::uint32_t, 26> Table(std::initializer_list<std::pair<char, std::uint32_t>> values,
                                    std::uint32_t rest = 0, int restLetters = 26) {
  std::array<std::uint32_t, 26> t{};
  int given = 0;
  for (std::size_t i = 0; i < 26 && given < restLetters; ++i) {
    bool named = false;
    for (const auto& [c, n] : values) named = named || (c - 'A') == static_cast<int>(i);
    if (!named) {
      t[i] = rest;
      ++given;
    }
  }
  for (const auto& [c, n] : values) t[static_cast<std::size_t>(c - 'A')] = n;
  return t;
}

// Colour of each letter as one character: R(ed) P(urple) B(lue) G(reen) O(live) -(grey).
std::string ColorCode(const std::array<Rgb, 26>& colors) {
  std::string s;
  for (const Rgb& c : colors) {
    s += c == kRed      ? 'R'
         : c == kPurple ? 'P'
         : c == kBlue   ? 'B'
         : c == kGreen  ? 'G'
         : c == kOlive  ? 'O'
         : c == kGrey   ? '-'
                        : '?';
  }
  return s;
}

TEST(LetterFrequency, SpecialColorBands) {
  struct Row {
    const char* what;
    std::array<std::uint32_t, 26> counts;
    LetterLanguage language;
    const char* expected;  // A..Z
  };
  const Row rows[] = {
      {"all zero", {}, LetterLanguage::Dutch, "--------------------------"},
      // E 18 %, N 10 %, then 3 % each: bands 1 and 2 only.
      {"E 18 N 10", Table({{'E', 18}, {'N', 10}}, 3, 23), LetterLanguage::Dutch, "----R--------P------------"},
      // N at 16 % is out of the second band, so nothing after E is coloured.
      {"N at 16", Table({{'E', 18}, {'N', 16}}, 3, 22), LetterLanguage::Dutch, "----R---------------------"},
      // A and B tie at 20 %: alphabetical order makes A first, B second (out of band 2).
      {"tie", Table({{'A', 20}, {'B', 20}}, 3, 20), LetterLanguage::Dutch, "R-------------------------"},
      {"tie english", Table({{'A', 20}, {'B', 10}}, 3, 23), LetterLanguage::English, "RP------------------------"},
      {"dutch table", ReferenceTable(LetterReference::TextNl), LetterLanguage::Dutch, "B--OR---G--O-PG--GOB------"},
      {"english table", ReferenceTable(LetterReference::TextEn), LetterLanguage::English, "B--OR--GG--O-GB--GGP------"},
      // The Dutch table under the English bands: S at 3 % ends the fourth band.
      {"dutch under english", ReferenceTable(LetterReference::TextNl), LetterLanguage::English,
       "B---R--------P-----B------"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(ColorCode(SpecialColors(r.counts, r.language)), r.expected) << r.what;
  }
}

TEST(LetterFrequency, ReferenceTablesKeepTheirSums) {
  auto sum = [](LetterReference ref) {
    std::uint32_t s = 0;
    for (std::uint32_t v : ReferenceTable(ref)) s += v;
    return s;
  };
  EXPECT_EQ(sum(LetterReference::TextNl), 100000u);
  EXPECT_EQ(sum(LetterReference::TextEn), 100001u);
  EXPECT_EQ(sum(LetterReference::NumNl), 39u);
  EXPECT_EQ(sum(LetterReference::NumEn), 40u);
  EXPECT_EQ(ReferenceBarColors(LetterReference::NumNl, true)[4], kGreen);
  EXPECT_EQ(ReferenceBarColors(LetterReference::TextEn, false)[4], kBlue);
  EXPECT_EQ(ReferenceBarColors(LetterReference::TextEn, true)[4], kRed);
}

TEST(LetterFrequency, ClassesCountTheirCharacters) {
  // "é" arrives as Windows-1252 0xE9; "ł" has no byte value and stays UTF-8.
  const LetterCounts c = CountText("aA Zz 09 f \xE9 \xC5\x82 x");
  struct Row {
    LetterClass cls;
    std::size_t bars;
    int bar;
    std::uint32_t value;
  };
  const Row rows[] = {
      {LetterClass::Alpha, 26, 0, 2},       {LetterClass::Ascii, 26, 25, 2},  {LetterClass::AsciiLower, 26, 0, 1},
      {LetterClass::AsciiUpper, 26, 25, 1}, {LetterClass::Numeric, 10, 9, 1}, {LetterClass::Hex, 16, 10, 2},
      {LetterClass::Hex, 16, 15, 1},        {LetterClass::Hex, 16, 0, 1},     {LetterClass::All, 256, 0xE9, 1},
      {LetterClass::All, 256, 0xC5, 0},     {LetterClass::All, 256, ' ', 6},
  };
  for (const Row& r : rows) {
    const auto bars = ClassBars(c, r.cls);
    ASSERT_EQ(bars.size(), r.bars) << LetterClassName(r.cls);
    EXPECT_EQ(bars[static_cast<std::size_t>(r.bar)], r.value) << LetterClassName(r.cls) << " bar " << r.bar;
  }
  EXPECT_EQ(std::string(c.markers.data(), 26), "A----F-----------------X-Z");
}

TEST(LetterFrequency, ListingLines) {
  const auto hello = ClassBars(CountText("Hello World"), LetterClass::Ascii);
  const std::string listing = LetterListing(LetterClass::Ascii, hello);
  EXPECT_NE(listing.find("A :\r\nB :\r\nC :\r\nD :  10.00     1\r\n"), std::string::npos) << listing;
  EXPECT_NE(listing.find("L :  30.00     3\r\n"), std::string::npos);
  EXPECT_TRUE(listing.ends_with("Z :\r\n\r\n\r\n 7 unique")) << listing;

  const std::string zero = LetterListing(LetterClass::Numeric, std::vector<std::uint32_t>(10));
  EXPECT_EQ(zero, "0 :\r\n1 :\r\n2 :\r\n3 :\r\n4 :\r\n5 :\r\n6 :\r\n7 :\r\n8 :\r\n9 :\r\n\r\n\r\n 0 unique");

  const auto all = ClassBars(CountText(std::string("\n\x1F \xAD\xAE"
                                                   "AA",
                                                   7)),
                             LetterClass::All);
  const std::string bytes = LetterListing(LetterClass::All, all);
  EXPECT_NE(bytes.find("0x00 (.) :\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("0x0A (.) :  14.29     1\r\n"), std::string::npos) << bytes;
  EXPECT_NE(bytes.find("0x1F (.) :  14.29     1\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("0x20 ( ) :  14.29     1\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("0x41 (A) :  28.57     2\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("0xAD (.) :  14.29     1\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("0xAE (\xAE) :  14.29     1\r\n"), std::string::npos);
  EXPECT_TRUE(bytes.ends_with("0xFF (\xFF) :\r\n\r\n\r\n 6 unique"));
}

TEST(LetterFrequency, LabelsHintsAndNames) {
  EXPECT_EQ(BarAxisLabel(LetterClass::Hex, 10), "A");
  EXPECT_EQ(BarAxisLabel(LetterClass::All, 64), "40");
  EXPECT_EQ(BarAxisLabel(LetterClass::All, 65), "");
  EXPECT_EQ(BarHint(LetterClass::AsciiLower, 4, 17), "E = 17");
  EXPECT_EQ(BarHint(LetterClass::Numeric, 7, 0), "7 = 0");
  EXPECT_EQ(BarHint(LetterClass::All, 10, 3), "0x0A = 3");
  for (int i = 0; i < kLetterClassCount; ++i) {
    LetterClass back{};
    ASSERT_TRUE(LetterClassForName(LetterClassName(static_cast<LetterClass>(i)), back));
    EXPECT_EQ(static_cast<int>(back), i);
  }
  LetterClass none{};
  EXPECT_FALSE(LetterClassForName("ASCII", none));
}

TEST(LetterFrequency, ChartColorsOfBothCharts) {
  const LetterCounts in = CountText("EEEEEEEEEEEEEEEEEENNNNNNNNNN" + std::string(72, 'b'));
  const auto bars = ClassBars(in, LetterClass::Ascii);
  // The input chart greys out letters the text never uses.
  auto colors = ChartBarColors(LetterClass::Ascii, bars, in.markers.data(), false, LetterReference::TextNl);
  EXPECT_EQ(colors[0], kSilver);
  EXPECT_EQ(colors[1], kRed);
  EXPECT_EQ(colors[4], kRed);
  // Special colours follow the selected language; B at 72 % is out of every band.
  colors = ChartBarColors(LetterClass::Ascii, bars, nullptr, true, LetterReference::TextNl);
  EXPECT_EQ(colors[1], kGrey);
  EXPECT_EQ(colors[4], kGrey);
  colors = ChartBarColors(LetterClass::Ascii, bars, nullptr, true, LetterReference::NumEn);
  EXPECT_EQ(colors[1], kGrey);
  for (const Rgb& c : ChartBarColors(LetterClass::Hex, ClassBars(in, LetterClass::Hex), in.markers.data(), true,
                                     LetterReference::TextNl)) {
    EXPECT_EQ(c, kRed);
  }
}

}  // namespace
}  // namespace quill
