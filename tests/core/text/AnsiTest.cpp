// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "text/Ansi.h"

namespace quill {
namespace {

TEST(Utf8ToAnsi, LatinOneAndCodePageRowsBecomeBytes) {
  EXPECT_EQ(Utf8ToAnsi("caf\xC3\xA9"), "caf\xE9");
  EXPECT_EQ(Utf8ToAnsi("\xC2\xB0"), "\xB0");
  EXPECT_EQ(Utf8ToAnsi("\xE2\x82\xAC"), "\x80");
  EXPECT_EQ(Utf8ToAnsi("\xC5\xA0"
                       "\xC5\xBE"),
            "\x8A\x9E");
  EXPECT_EQ(Utf8ToAnsi("\xE2\x80\x94"), "\x97");
}

TEST(Utf8ToAnsi, CharactersOutsideTheCodePageStayWhole) {
  // r with caron, l with stroke, Greek alpha, an emoji
  const std::string text = "\xC5\x99\xC5\x82\xCE\xB1\xF0\x9F\x98\x80";
  EXPECT_EQ(Utf8ToAnsi(text), text);
}

TEST(Utf8ToAnsi, TruncatedSequenceAtTheEndIsCopied) {
  EXPECT_EQ(Utf8ToAnsi("a\xC3"), "a\xC3");
  EXPECT_EQ(Utf8ToAnsi("a\xE2\x82"), "a\xE2\x82");
}

TEST(AnsiToUtf8, ConvertsEveryRangeAsTheCodePageSays) {
  EXPECT_EQ(AnsiToUtf8("\xE9"), "\xC3\xA9");
  EXPECT_EQ(AnsiToUtf8("\xB0"), "\xC2\xB0");
  EXPECT_EQ(AnsiToUtf8("\x80"), "\xE2\x82\xAC");
  EXPECT_EQ(AnsiToUtf8("\x81\x8D\x8F\x90\x9D"), ".....");
  EXPECT_EQ(AnsiToUtf8("plain"), "plain");
}

TEST(AnsiToUtf8, KeepsUtf8SequencesOfCharactersOutsideTheCodePage) {
  const std::string mixed = "Pr\xC5\xAFvodce \xE9 \xCE\xB1\xCE\xB2 \xF0\x9F\x98\x80";
  EXPECT_EQ(AnsiToUtf8(mixed), "Pr\xC5\xAFvodce \xC3\xA9 \xCE\xB1\xCE\xB2 \xF0\x9F\x98\x80");
}

TEST(AnsiToUtf8, ConvertsBytePairsThatUtf8ToAnsiWouldHaveMapped) {
  // 0xC3 0xA9 in memory is the two characters A-tilde and copyright sign.
  EXPECT_EQ(AnsiToUtf8("\xC3\xA9"), "\xC3\x83\xC2\xA9");
}

// Every single byte survives memory -> file -> memory.
TEST(CodePage, EveryByteRoundTrips) {
  for (int b = 1; b < 256; ++b) {
    if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) continue;
    std::string s(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(s)), s) << "byte " << b;
  }
}

TEST(CodePage, MixedTextRoundTripsFromFileSide) {
  const std::string file =
      "\xC5\x81\xC3\xB3\x64\xC5\xBA \xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1 \xE2\x82\xAC 5 \xF0\x9F\x8C\x8D";
  EXPECT_EQ(AnsiToUtf8(Utf8ToAnsi(file)), file);
}

}  // namespace
}  // namespace quill
