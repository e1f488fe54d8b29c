// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "geo/CoordFormat.h"

namespace quill {
namespace {

TEST(GeoRounding, RoundToIntRoundsHalvesUpOnBothSides) {
  EXPECT_EQ(RoundToInt(2.5), 3);
  EXPECT_EQ(RoundToInt(2.49), 2);
  EXPECT_EQ(RoundToInt(-2.7), -3);
  EXPECT_EQ(RoundToInt(-2.2), -2);
  EXPECT_EQ(RoundToInt(-2.5), -2);
  EXPECT_EQ(RoundToInt(-3.7), -4);
  EXPECT_EQ(RoundToInt(1e12), 2147483647);
  EXPECT_EQ(RoundToInt(std::nan("")), 0);
}

TEST(GeoRounding, TruncToIntTruncatesTowardZero) {
  EXPECT_EQ(TruncToInt(2.9), 2);
  EXPECT_EQ(TruncToInt(-2.9), -2);
  EXPECT_EQ(TruncToInt(-1e300), -2147483647);
}

TEST(GeoRounding, RoundToKeepsRequestedDecimals) {
  EXPECT_EQ(RoundTo(40.0149, 2), 40.01);
  EXPECT_EQ(RoundTo(40.015, 2), 40.02);
  EXPECT_EQ(RoundTo(-40.0149, 2), -40.01);
  EXPECT_EQ(RoundTo(-40.016, 2), -40.02);
  EXPECT_EQ(RoundTo(3.999996, 5), 4.0);
  // Beyond the 32-bit range the value survives.
  EXPECT_EQ(RoundTo(1e12 + 0.004, 2), 1e12);
}

TEST(GeoSplit, MinutesCarryIntoDegreesAwayFromZero) {
  DegMin a = SplitDegMin(51.9999999, 3);
  EXPECT_EQ(a.deg, 52);
  EXPECT_EQ(a.min, 0.0);
  DegMin b = SplitDegMin(-51.9999999, 3);
  EXPECT_EQ(b.deg, -52);
  EXPECT_EQ(b.min, 0.0);
  DegMin c = SplitDegMin(-0.5, 3);
  EXPECT_EQ(c.deg, 0);
  EXPECT_EQ(c.min, 30.0);
}

TEST(GeoSplit, SecondsCarryIntoMinutesAndDegrees) {
  DegMinSec a = SplitDegMinSec(4.3549999, 2);
  EXPECT_EQ(a.deg, 4);
  EXPECT_EQ(a.min, 21);
  EXPECT_EQ(a.sec, 18.0);
  DegMinSec b = SplitDegMinSec(4.3666666664, 2);  // 4 21 59.9999990
  EXPECT_EQ(b.deg, 4);
  EXPECT_EQ(b.min, 22);
  EXPECT_EQ(b.sec, 0.0);
  DegMinSec c = SplitDegMinSec(-4.99999999, 2);
  EXPECT_EQ(c.deg, -5);
  EXPECT_EQ(c.min, 0);
  EXPECT_EQ(c.sec, 0.0);
}

struct TextCase {
  std::string actual;
  const char* expected;
};

class GeoFormatText : public ::testing::TestWithParam<TextCase> {};

TEST_P(GeoFormatText, MatchesTheTextForm) { EXPECT_EQ(GetParam().actual, GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Table, GeoFormatText,
    ::testing::Values(
        TextCase{FormatLatLonDegMin(51.31735, 4.35495), "N 51\xB0 19.041   E 004\xB0 21.297"},
        TextCase{FormatLatLonDegMin(0, 0), "N  0\xB0 00.000   E 000\xB0 00.000"},
        TextCase{FormatLatLonDegMin(-5.5, -120.25), "S  5\xB0 30.000   W 120\xB0 15.000"},
        TextCase{FormatLatLonDegMin(51.9999999, 4), "N 52\xB0 00.000   E 004\xB0 00.000"},
        TextCase{FormatLatLonDeg(51.31735, 4.35495), "N 51.31735\xB0  E 4.35495\xB0"},
        TextCase{FormatLatLonDeg(-33.5, -70.000004), "S 33.50000\xB0  W 70.00000\xB0"},
        TextCase{FormatLatLonDegMinSec(51.31735, 4.35495), "N 51\xB0 19' 02.46\"  E 4\xB0 21' 17.82\""},
        TextCase{FormatLatLonDegMinSec(-0.001, -100.5), "S 0\xB0 00' 03.60\"  W 100\xB0 30' 00.00\""},
        TextCase{FormatDegMinSigned(51.31735, false), "51\xB0 19.041"},
        TextCase{FormatDegMinSigned(-4.35495, false), "-4\xB0 21.297"},
        TextCase{FormatDegMinSigned(-0.5, false), "-0\xB0 30.000"},
        TextCase{FormatDegMinSigned(51.31735, true), "51\xB0 19.041'"},
        TextCase{FormatGridPair(149037, 223059), "149037 / 223059"},
        TextCase{FormatGridPair(83039, 370297), " 83039 / 370297"}, TextCase{FormatGridPair(0, 0), "     0 /      0"},
        TextCase{FormatGridPair(-5, -1234567), "    -5 / -1234567"},
        TextCase{FormatUtm(31, 'U', 594425.9, 5685988.2), "31U  E 594425  N 5685988"},
        TextCase{FormatUtm(-1, '*', 1.5, -20.5), "-1*  E 1  N -20"}, TextCase{FormatEcef(2.4, -3.7, 5.5), "2 / -4 / 6"},
        TextCase{FormatEcef(-2.5, 3982999.5, -1e10), "-2 / 3983000 / -10000000000"},
        TextCase{FormatAltitude(44.0), "44"}, TextCase{FormatAltitude(40.0149), "40.01"},
        TextCase{FormatAltitude(85.2628), "85.26"}, TextCase{FormatAltitude(-6378137.0), "-6378137"},
        TextCase{FormatAltitude(0.004), "0"}, TextCase{FormatAltitude(-0.006), "-0.01"},
        TextCase{FormatAltitude(0.05), "0.05"}, TextCase{FormatAltitude(123456789012.345), "123456789012.35"},
        TextCase{FormatAltitude(1e15), "1E15"}, TextCase{FormatAltitude(-2.5e20), "-2.5E20"}));

}  // namespace
}  // namespace quill
