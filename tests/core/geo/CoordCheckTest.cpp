// SPDX-License-Identifier: GPL-3.0-or-later
// Which typed coordinates read whole, and which the forgiving scanners would
// turn into another position without a word.
#include <gtest/gtest.h>

#include "geo/CoordCheck.h"
#include "session/EditItem.h"

namespace quill {
namespace {

TEST(CoordCheck, LatLonFields) {
  const struct {
    const char* north;
    const char* east;
    bool reads;
  } cases[] = {
      {"N 52 04.123", "E 4 56.789", true},
      {"52.0687", "4.9465", true},
      {"-33 52.166", "151 12.5", true},
      {"N 52\xB0 04.123'", "E 004\xB0 56.789'", true},
      {"N 52\xE2\x80\xB2 04.123\xE2\x80\xB3", "w 4 56", true},
      {"S 33 52 10.5", "E 151 12 30", true},
      // Both in the north field: the east field is not read.
      {"N52 04.123 E4 56.789", "whatever", true},
      {"52 4 30 4 5 6", "", true},
      {"abc", "E 4", false},
      {"53 24.42l", "6 12.5", false},  // a letter l for a 1
      {"52\xB0N",
       "4\xB0"
       "E",
       false},                   // letters after the numbers: read as (4, 0)
      {"52.1, 4.5", "", false},  // "52.1," is no number
      {"52 75", "4", false},     // 75 minutes
      {"52 30 61", "4", false},  // 61 seconds
      {"95", "4", false},        // off the earth
      {"52", "181", false},
      {"S -33 52", "151 12", false},  // the sign and the letter both say south
      {"52 -4", "5", false},
      {"N 52 04.123", "", false},        // no longitude
      {"E 4 56.789", "", false},         // no latitude
      {"N 52 04.123", "N 4 56", false},  // a latitude letter in the east field
      {"N 52 04.123", "4 56 12 9", false},
      {"1 2 3 4 5 6 7", "", false},
      {"N N 52", "4", false},
      {"NE 52", "4", false},
      {"52 4 E 5 6 N", "", false},
      {"52..5", "4", false},
      {"5-2", "4", false},
      {"52 4", "4 5!", false},
      {"", "", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LatLonFieldsRead(c.north, c.east), c.reads) << "[" << c.north << "] [" << c.east << "]";
  }
}

TEST(CoordCheck, GridUtmAndEcef) {
  EXPECT_TRUE(GridPairReads("155000 463000"));
  EXPECT_TRUE(GridPairReads("136013 / 455723"));
  EXPECT_TRUE(GridPairReads(" 155000.5;463000 "));
  for (const char* bad : {"155000", "155000 463000 1", "155000x 463000", "x 155000 463000", "155000,, 463000", ""}) {
    EXPECT_FALSE(GridPairReads(bad)) << bad;
  }
  for (const char* good :
       {"31U E 594839 N 5721425", "31U 594839 5721425", "31 594839 5721425", "31 u 594839.5 5721425"}) {
    EXPECT_TRUE(UtmReads(good)) << good;
  }
  for (const char* bad : {"61U 594839 5721425", "0U 594839 5721425", "31U 594839", "31U 594839 5721425 7", "31I 1 2",
                          "31U N 594839 E 5721425", "31UV 594839 5721425", "U 594839 5721425", "31U E594839x 5"}) {
    EXPECT_FALSE(UtmReads(bad)) << bad;
  }
  EXPECT_TRUE(EcefReads("3982999 / 303325 / 4955687"));
  EXPECT_TRUE(EcefReads("-1.5 -2 -3"));
  EXPECT_FALSE(EcefReads("1 2"));
  EXPECT_FALSE(EcefReads("1 2 3 4"));
  EXPECT_FALSE(EcefReads("1 2 3m"));
}

TEST(CoordCheck, EditFieldsTakeAnRdPairInsideTheRdArea) {
  EXPECT_TRUE(EditFieldsReadable("155000", "463000"));
  EXPECT_TRUE(EditFieldsReadable("N 52 04.123", "E 4 56.789"));
  EXPECT_FALSE(EditFieldsReadable("155000", "4630000"));
  EXPECT_FALSE(EditFieldsReadable("155000x", "463000"));
  EXPECT_FALSE(EditFieldsReadable("155000 1", "463000"));
  // Only a changed coordinate field is checked, and it is quoted.
  EditItemFields shown;
  shown.north = "N 52 04.123";
  shown.east = "E 4 56.789";
  EditItemFields now = shown;
  EXPECT_EQ(UnreadPositionText(shown, now), "");
  now.name = "changed";
  EXPECT_EQ(UnreadPositionText(shown, now), "");
  now.north = "53 24.42l";
  EXPECT_EQ(UnreadPositionText(shown, now), "53 24.42l");
  now.east = "6 12.5";
  EXPECT_EQ(UnreadPositionText(shown, now), "53 24.42l 6 12.5");
  now.north = shown.north;
  now.east = "abc";
  EXPECT_EQ(UnreadPositionText(shown, now), "abc");
}

}  // namespace
}  // namespace quill
