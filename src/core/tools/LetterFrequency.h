// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The letter-frequency histogram without its window: the count tables of one
// text, the bars of the seven character classes, the four reference tables,
// the special-colour banding and the count listing.
//
// How a text is counted (the histogram itself does not say): the text is
// Windows-1252; every byte is counted in the byte table, A-Z and a-z in their
// case tables, 0-9 in the digit table, and the alphabet-position table counts
// each letter A-Z regardless of case. A character that Windows-1252 cannot
// hold (kept as its UTF-8 sequence) has no byte value and is not counted.
// The markers of a counted text name the letters that occur: 'A'..'Z' for a
// letter that occurs in either case, '-' for one that does not, so the input
// chart greys out letters the coded text never uses.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quill {

struct LetterCounts {
  std::array<std::uint32_t, 26> alpha{};  // A=1 .. Z=26, either case
  std::array<std::uint32_t, 26> upper{};
  std::array<std::uint32_t, 26> lower{};
  std::array<std::uint32_t, 10> digits{};
  std::array<std::uint32_t, 256> bytes{};
  std::array<char, 26> markers{};  // '-' until counted
  LetterCounts() { markers.fill('-'); }
};

// Adds the characters of a Windows-1252 text to the tables.
void CountText(std::string_view ansiText, LetterCounts& counts);
LetterCounts CountText(std::string_view ansiText);

// The seven character classes, in radio-button order.
enum class LetterClass { Alpha = 0, Ascii, AsciiLower, AsciiUpper, Numeric, Hex, All };
constexpr int kLetterClassCount = 7;

// "A=1...Z=26", "ASCII", ... as on the radio buttons.
const char* LetterClassCaption(LetterClass cls);
// "alpha", "ascii", "lower", "upper", "numeric", "hex", "all" (command line).
const char* LetterClassName(LetterClass cls);
bool LetterClassForName(std::string_view name, LetterClass& cls);

// The bar values of a class: 26, 10, 16 or 256 of them.
std::vector<std::uint32_t> ClassBars(const LetterCounts& counts, LetterClass cls);
// The character a bar stands for (the letter, digit or hex digit; the byte
// value itself for class All).
char BarCharacter(LetterClass cls, int bar);
// The axis label of a bar; empty where the axis shows none (class All labels
// every 32nd value as "%02X").
std::string BarAxisLabel(LetterClass cls, int bar);
// The hint of a clicked bar: "%c = %u", or "0x%02X = %u" for class All.
std::string BarHint(LetterClass cls, int bar, std::uint32_t count);

// The count listing of a chart: one line per bar, CR LF line ends, then
// "\r\n\r\n %u unique".
std::string LetterListing(LetterClass cls, const std::vector<std::uint32_t>& bars);

// The four reference tables, in radio-button order.
enum class LetterReference { TextNl = 0, TextEn, NumNl, NumEn };
const char* LetterReferenceCaption(LetterReference ref);
const std::array<std::uint32_t, 26>& ReferenceTable(LetterReference ref);

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kPurple{128, 0, 128};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kGreen{0, 128, 0};
inline constexpr Rgb kOlive{128, 128, 0};
inline constexpr Rgb kGrey{128, 128, 128};
inline constexpr Rgb kSilver{192, 192, 192};

enum class LetterLanguage { Dutch, English };

// The special colour of each of 26 letter counts under a language's bands:
// letters ranked by count (ties alphabetical), each band colouring its ranks
// while all of them fall in its percentage range and every earlier band did.
std::array<Rgb, 26> SpecialColors(const std::array<std::uint32_t, 26>& counts, LetterLanguage language);

// The bar colours of the input (markers given) or output chart (markers null).
std::vector<Rgb> ChartBarColors(LetterClass cls, const std::vector<std::uint32_t>& bars, const char* markers,
                                bool specialColors, LetterReference ref);
// The bar colours of the reference chart.
std::array<Rgb, 26> ReferenceBarColors(LetterReference ref, bool specialColors);

}  // namespace quill
