#include <gtest/gtest.h>

#include <QLocale>

#include "text/Ansi.h"
#include "text/LocaleText.h"
#include "text/QtText.h"

namespace quill {
namespace {

TEST(QtText, EveryByteConvertsAsTheFileConversionDoes) {
  for (int b = 1; b < 256; ++b) {
    std::string one(1, static_cast<char>(b));
    std::string utf8 = AnsiToUtf8(one);
    EXPECT_EQ(AnsiToQString(one), QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()))) << b;
  }
  EXPECT_EQ(AnsiToQString("\xB0"), QString(QChar(0x00B0)));
  EXPECT_EQ(AnsiToQString("\x80"), QString(QChar(0x20AC)));
}

TEST(QtText, RoundTripKeepsCodePageBytesAndForeignSequences) {
  std::string all;
  for (int b = 1; b < 256; ++b) {
    // The five bytes the code page leaves undefined have no character.
    if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) continue;
    all.push_back(static_cast<char>(b));
  }
  EXPECT_EQ(QStringToAnsi(AnsiToQString(all)), all);
  // r with caron, Greek, an emoji, mixed with code-page bytes
  const std::string mixed =
      "P\xC5\x99\xED"
      "b\xEDh \xCE\xB1\xCE\xB2 \xF0\x9F\x98\x80 \xB0";
  EXPECT_EQ(QStringToAnsi(AnsiToQString(mixed)), mixed);
  EXPECT_EQ(AnsiToQString(mixed).size(), 14);  // the emoji takes two UTF-16 units
  EXPECT_EQ(QStringToAnsi(QString::fromUtf8("\xC5\xA0kola")), "\x8Akola");
}

TEST(QtText, EmbeddedZeroBytesAreKept) {
  const std::string text("a\0b", 3);
  EXPECT_EQ(AnsiToQString(text).size(), 3);
  EXPECT_EQ(QStringToAnsi(AnsiToQString(text)), text);
}

TEST(LocaleText, LowerCasingKeepsForeignSequencesWhole) {
  const LocaleText text(QLocale(QLocale::Czech, QLocale::CzechRepublic));
  // "ŘÍJEN Škola" -> "říjen škola": Ř stays a UTF-8 pair, Í and Š are bytes
  EXPECT_EQ(text.Lower("\xC5\x98\xCDJEN \x8Akola"), "\xC5\x99\xEDjen \x9Akola");
  EXPECT_EQ(text.Lower("ABC xyz 12"), "abc xyz 12");
  EXPECT_EQ(text.Lower("\xCE\x91\xCE\x92"), "\xCE\xB1\xCE\xB2");  // Greek capitals
  EXPECT_EQ(text.Lower(""), "");
}

TEST(LocaleText, LowerCasingFollowsTheLocale) {
  const LocaleText turkish(QLocale(QLocale::Turkish, QLocale::Turkey));
  const LocaleText english(QLocale(QLocale::English, QLocale::UnitedStates));
  EXPECT_EQ(turkish.Lower("I"), "\xC4\xB1");  // dotless i, kept as UTF-8
  EXPECT_EQ(english.Lower("I"), "i");
  EXPECT_EQ(english.Lower("\xC0"
                          "B"),
            "\xE0"
            "b");
}

TEST(LocaleText, CollationIsTheLocalesCaseSensitiveOrder) {
  const LocaleText text(QLocale(QLocale::English, QLocale::UnitedStates));
  EXPECT_LT(text.Compare("a", "B"), 0);  // not byte order
  EXPECT_LT(text.Compare("a", "A"), 0);  // case decides, lower first
  EXPECT_LT(text.Compare("A", "b"), 0);
  EXPECT_NE(text.Compare("abc", "ABC"), 0);
  EXPECT_EQ(text.Compare("same", "same"), 0);
  EXPECT_LT(text.Compare("\xE9t\xE9", "f"), 0);  // e acute sorts with e
  EXPECT_LT(text.Compare("", "a"), 0);
  const std::vector<std::string> words = {"", "10", "9", "a", "A", "\xE1", "b", "Zz", "\xC5\x99"};
  for (const auto& x : words) {
    for (const auto& y : words) {
      int c = text.Compare(x, y);
      int k = text.SortKey(x).compare(text.SortKey(y));
      EXPECT_EQ((c > 0) - (c < 0), (k > 0) - (k < 0)) << x << " " << y;
    }
  }
}

}  // namespace
}  // namespace quill
