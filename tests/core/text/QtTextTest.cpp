// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <random>
#include <string>
#include <vector>

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

// Lower and SortKey work on memory text directly; they must give what the
// locale gives for the same text turned into a QString, for every character
// and for any bytes at all.
TEST(LocaleText, LowerAndSortKeyAgreeWithTheLocaleOnEveryCharacter) {
  std::vector<std::string> texts;
  std::string batch;
  // Every character with a case lies below U+20000; above it a sample.
  for (std::uint32_t cp = 0x41; cp <= 0x10FFFF; cp += cp < 0x20000 ? 1 : 97) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    // These two lower-case by their neighbours or into two characters.
    if (cp == 0x03A3 || cp == 0x0130) continue;
    AppendCodePointAsAnsi(batch, cp);
    batch.push_back(cp % 7 ? 'A' : ' ');
    if (batch.size() > 3000) texts.push_back(std::move(batch)), batch.clear();
  }
  texts.push_back(batch);
  for (int b = 0x80; b <= 0xFF; ++b) texts.push_back(std::string("X") + static_cast<char>(b) + "y");
  texts.insert(texts.end(), {"\xCE\x9F\xCE\x94\xCE\x9F\xCE\xA3 \xCE\xA3\xCE\x91", "\xC4\xB0stanbul I\xCC\x87",
                             "\xC3\x9F\xE1\xBA\x9E", "\xE2\x84\xAA\xE2\x84\xAB"});
  std::mt19937 random(3);
  const std::string bytes = "Aa\x80\x81\xC3\xA9\xC5\xCE\xA3\xC4\xB0\xE2\x82\xAC\xF0\x9F\x98\x80\xBF\xFF";
  for (int n = 0; n < 4000; ++n) {
    std::string t;
    for (std::size_t k = random() % 10; k > 0; --k) t.push_back(bytes[random() % bytes.size()]);
    texts.push_back(t);
  }
  for (QLocale::Language language :
       {QLocale::English, QLocale::Czech, QLocale::Greek, QLocale::Lithuanian, QLocale::Turkish, QLocale::German}) {
    const QLocale locale(language);
    const LocaleText text(locale);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseSensitive);
    for (const std::string& t : texts) {
      const QString q = AnsiToQString(t);
      ASSERT_EQ(text.Lower(t), QStringToAnsi(locale.toLower(q))) << locale.name().toStdString() << " " << t;
      if (language == QLocale::English || t.size() < 16) {
        ASSERT_EQ(text.SortKey(t).compare(collator.sortKey(q)), 0) << locale.name().toStdString() << " " << t;
      }
    }
  }
}

TEST(LocaleText, CollationRanksShareRanksAmongEqualTexts) {
  const LocaleText text(QLocale(QLocale::English, QLocale::UnitedStates));
  const std::vector<std::string_view> texts = {"b", "B", "a", "b", "", "\xE1", "a", "A", ""};
  std::vector<std::uint32_t> ranks = text.CollationRanks(texts);
  ASSERT_EQ(ranks.size(), texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    for (std::size_t j = 0; j < texts.size(); ++j) {
      int c = text.Compare(texts[i], texts[j]);
      EXPECT_EQ((c > 0) - (c < 0), (ranks[i] > ranks[j]) - (ranks[i] < ranks[j])) << texts[i] << " " << texts[j];
    }
  }
  EXPECT_EQ(ranks[4], 0u);  // the empty text first, ranks without gaps
  EXPECT_EQ(*std::max_element(ranks.begin(), ranks.end()), 5u);
  EXPECT_TRUE(text.CollationRanks({}).empty());
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
