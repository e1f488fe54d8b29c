// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

#include "support/TestSupport.h"
#include "text/TextHelpers.h"

namespace quill {
namespace {

struct FloatCase {
  const char* text;
  double value;
};
const FloatCase kFloatCases[] = {
    FloatCase{"4,35", 4.35},    FloatCase{"4.35", 4.35}, FloatCase{" -12.5 ", -12.5}, FloatCase{"+3", 3.0},
    FloatCase{"5.", 5.0},       FloatCase{".5", 0.5},    FloatCase{"1e3", 1000.0},    FloatCase{"2.5E-2", 0.025},
    FloatCase{"-,5", -0.5},     FloatCase{"\t7\n", 7.0}, FloatCase{"1,5,6", 0.0},     FloatCase{"", 0.0},
    FloatCase{"-", 0.0},        FloatCase{".", 0.0},     FloatCase{"12abc", 0.0},     FloatCase{"1.2.3", 0.0},
    FloatCase{"12-3", 0.0},     FloatCase{"inf", 0.0},   FloatCase{"nan", 0.0},       FloatCase{"0x1A", 0.0},
    FloatCase{"1e", 0.0},       FloatCase{"1e+", 0.0},   FloatCase{"1 2", 0.0},       FloatCase{"1e999", 0.0},
    FloatCase{"no number", 0.0}};
class TextToFloatTable : public ::testing::TestWithParam<FloatCase> {};
TEST_P(TextToFloatTable, Reads) { EXPECT_DOUBLE_EQ(TextToFloat(GetParam().text), GetParam().value); }
INSTANTIATE_TEST_SUITE_P(Numbers, TextToFloatTable, ::testing::ValuesIn(kFloatCases));

// The whole table again with a decimal comma in the process locale (as Qt may
// set it): the result must not change.
TEST(TextToFloatLocale, DecimalCommaLocaleChangesNothing) {
  test::DecimalCommaLocale comma;
  if (!comma.ok()) GTEST_SKIP() << "no locale with a decimal comma (localedef failed)";
  ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
  for (const FloatCase& c : kFloatCases) EXPECT_DOUBLE_EQ(TextToFloat(c.text), c.value) << c.text;
  EXPECT_EQ(FormatFixed(-1.5, 3), "-1.500");
}

TEST(TextFormatFixed, MatchesPrintfDigits) {
  EXPECT_EQ(FormatFixed(51.5, 9), "51.500000000");
  EXPECT_EQ(FormatFixed(200.0, 6), "200.000000");
  EXPECT_EQ(FormatFixed(-200.0, 6), "-200.000000");
  EXPECT_EQ(FormatFixed(0.1234565, 6), "0.123456");  // the double lies below the half
  EXPECT_EQ(FormatFixed(-1e-12, 9), "-0.000000000");
}

TEST(TextCsvField, FieldsOfTheSampleLine) {
  const std::string line = "a,\"b,c\",,d";
  EXPECT_EQ(CsvField(line, 0), "a");
  EXPECT_EQ(CsvField(line, 1), "b,c");
  EXPECT_EQ(CsvField(line, 2), "");
  EXPECT_EQ(CsvField(line, 3), "d");
  EXPECT_EQ(CsvField(line, 4), "");
}

TEST(TextCsvField, QuotesBlanksAndLineEnds) {
  EXPECT_EQ(CsvField("  x , y", 0), "x ");
  EXPECT_EQ(CsvField("  x , y", 1), "y");
  EXPECT_EQ(CsvField("pl\"ain,2", 0), "plain");
  EXPECT_EQ(CsvField("\"He said \"\"hi\"\"\",2", 0), "He said \"hi\"");
  EXPECT_EQ(CsvField("\"q\"junk,2", 0), "q");
  EXPECT_EQ(CsvField("\"\"\"all\"\"\",2", 0), "all");  // outer quotes of the result are removed too
  EXPECT_EQ(CsvField("a,b\r\n", 1), "b");
  EXPECT_EQ(CsvField("a,", 1), "");
  EXPECT_EQ(CsvField("\"open,quote", 0), "open,quote");
}

TEST(TextSplitAt, SplitsAtTheFirstRun) {
  std::string text = "52.1  5.2 name";
  std::string rest;
  EXPECT_TRUE(SplitAt(text, ' ', rest));
  EXPECT_EQ(text, "52.1");
  EXPECT_EQ(rest, "5.2 name");
  std::string none = "abc";
  EXPECT_FALSE(SplitAt(none, ' ', rest));
  EXPECT_EQ(none, "abc");
  EXPECT_EQ(rest, "");
}

TEST(TextTrim, OnlyBlanksAndLineEnds) {
  std::string a = "  \tx  \r\n";
  TrimLineEnd(a);
  EXPECT_EQ(a, "  \tx  ");
  TrimLeadingSpaces(a);
  EXPECT_EQ(a, "\tx  ");
  TrimTrailingSpaces(a);
  EXPECT_EQ(a, "\tx");
  std::string empty;
  TrimLineEnd(empty);
  TrimLeadingSpaces(empty);
  TrimTrailingSpaces(empty);
  EXPECT_EQ(empty, "");
}

TEST(TextIsoDate, MonthNamesAndBadMonths) {
  EXPECT_EQ(IsoDateToText("2010-09-24T08:05:09"), "24 sep 2010");
  EXPECT_EQ(IsoDateToText("2010-12-01"), "01 dec 2010");
  EXPECT_EQ(IsoDateToText("2010-13-01"), "01 ??? 2010");
  EXPECT_EQ(IsoDateToText("2010-00-01"), "01 ??? 2010");
  EXPECT_EQ(IsoDateToText("2010"), " ??? 2010");
  EXPECT_EQ(IsoDateToText(""), " ??? ");
}

TEST(TextReplaceControlChars, PrintableCopyKeepsUtf8Whole) {
  EXPECT_EQ(ReplaceControlChars("a\tb\r\nc\xAD"
                                "d",
                                0, ' '),
            "a b  c d");
  EXPECT_EQ(ReplaceControlChars(std::string(500, 'x'), 0, ' ').size(), 399u);
  EXPECT_EQ(ReplaceControlChars("abcdef", 3, ' '), "abc");
  // 0xAD inside the UTF-8 of a character outside the code page is not a soft hyphen.
  EXPECT_EQ(ReplaceControlChars("\xE2\x80\xAD"
                                "x",
                                0, ' '),
            "\xE2\x80\xAD"
            "x");
  // A sequence that does not fit is left out whole, never cut.
  EXPECT_EQ(ReplaceControlChars("ab\xC5\x99", 3, ' '), "ab");
}

TEST(TextSafeName, IllegalCharactersBecomeUnderscores) {
  EXPECT_EQ(SafeNameText("a*b/c:d<e>f?g\\h|i"), "a_b_c_d_e_f_g_h_i");
  EXPECT_EQ(SafeNameText(std::string(450, 'n')).size(), 399u);
}

TEST(TextPaths, ExtensionNameAndFolder) {
  EXPECT_EQ(FileExtension("/a/b.c/list.GPX"), ".GPX");
  EXPECT_EQ(FileExtension("/a/b.c/list"), "");
  EXPECT_EQ(FileNamePart("/a/b/list.gpx"), "list.gpx");
  EXPECT_EQ(FolderPart("/a/b/list.gpx"), "/a/b/");
  EXPECT_EQ(FolderPart("list.gpx"), "");
  EXPECT_TRUE(EqualsIgnoreCase(".GpX", ".gpx"));
  EXPECT_FALSE(EqualsIgnoreCase(".gpx", ".gpx2"));
}

TEST(TextUtcTime, Format) { EXPECT_EQ(FormatUtcTime(1285315509), "2010-09-24T08:05:09"); }

}  // namespace
}  // namespace quill
