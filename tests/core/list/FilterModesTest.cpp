// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <random>

#include "ListTestRecords.h"
#include "list/ListColumns.h"
#include "list/ListFilter.h"
#include "text/XmlText.h"

namespace quill {
namespace {

using test::CacheParts;
using test::EnglishText;
using test::kHome;
using test::LatMetresNorth;
using test::NamesOf;

class FilterModes : public ::testing::Test {
 protected:
  void SetUp() override {
    CacheParts a;
    a.placedBy = "Tom &amp; Jerry";
    a.terrain = "1.5";
    a.difficulty = "2";
    a.country = "Germany";
    a.container = "Small";
    a.logTypes = {"Found it", "Didn't find it"};
    a.archived = "False";
    TGpxRecord& ra = set_.AddCache("GC1A", a);
    ra.Desc = "Nice &amp; cosy";
    ra.Found = true;
    ra.Lat = kHome.lat;
    ra.Lon = kHome.lon;

    CacheParts b;
    b.placedBy = "ANN";
    b.terrain = "2";
    b.difficulty = "3.5";
    b.country = "Czechia";
    b.container = "Regular";
    b.logTypes = {"Write note"};
    b.archived = "True";
    TGpxRecord& rb = set_.AddCache("GC2B", b);
    rb.Desc = "Old Mill";
    rb.TypeCode = 8;
    rb.Lat = LatMetresNorth(9999);
    rb.Lon = kHome.lon;

    CacheParts c;
    c.terrain = "2.5";
    c.difficulty = "1";
    c.country = "Germany";
    c.container = "Small container";
    c.archived = "true";
    TGpxRecord& rc = set_.AddCache("GC3C", c);
    rc.Lat = LatMetresNorth(10001);
    rc.Lon = kHome.lon;

    TGpxRecord& pk = set_.Add("PK3C");
    pk.TypeCode = 1;
    pk.Desc = "parking";
    pk.Lat = kHome.lat;
    pk.Lon = kHome.lon;

    set_.Add(
        "\xC5\x98"
        "eka");  // R with caron, kept as UTF-8; at (0, 0)
  }

  std::vector<std::string> Filter(int mode, const std::string& text) {
    auto rows = set_.Rows();
    FilterWaypoints(rows, set_.Store(), mode, text, EnglishText(), kHome);
    return NamesOf(rows);
  }

  test::RecordSet set_;
};

using Names = std::vector<std::string>;

TEST_F(FilterModes, EachModeKeepsTheRecordsThatPass) {
  struct Case {
    int mode;
    std::string text;
    Names expected;
  };
  const std::vector<Case> cases = {
      {kFilterName, "gc", {"GC1A", "GC2B", "GC3C"}},
      {kFilterName, "", {}},
      {kFilterName, "GC", {}},  // filter texts are lower-cased already
      {kFilterName,
       "\xC5\x99"
       "e",
       {"\xC5\x98"
        "eka"}},
      {kFilterDescription, "& cosy", {"GC1A"}},
      {kFilterDescription, "&amp;", {}},
      {kFilterDescription, "mill", {"GC2B"}},
      {kFilterPlacedBy, "tom & jerry", {"GC1A"}},
      {kFilterPlacedBy, "ann", {"GC2B"}},
      {kFilterTerrainMax, "2", {"GC1A", "GC2B"}},
      {kFilterTerrainMax, "1,5", {"GC1A"}},
      {kFilterTerrainMin, "2", {"GC2B", "GC3C"}},
      {kFilterTerrainMin, "", {"GC1A", "GC2B", "GC3C"}},  // no number counts as 0
      {kFilterDifficultyMax, "2", {"GC1A", "GC3C"}},
      {kFilterDifficultyMin, "3.5", {"GC2B"}},
      {kFilterCountry, "germ", {"GC1A", "GC3C"}},
      {kFilterDistanceMax, "10", {"GC1A", "GC2B", "PK3C"}},
      {kFilterDistanceMax, "ten", {"GC1A", "PK3C"}},  // 0 km: at home only
      {kFilterType, "6", {"GC1A", "GC3C"}},
      {kFilterType, "1", {"PK3C"}},
      {kFilterType, "x", {}},
      {kFilterContainer, "small", {"GC1A"}},
      {kFilterContainer, "small container", {"GC3C"}},
      {kFilterReal, "yes", {"GC1A", "GC2B", "GC3C"}},
      {kFilterReal,
       "",
       {"PK3C",
        "\xC5\x98"
        "eka"}},
      {kFilterFound, "yes", {"GC1A"}},
      {kFilterFound,
       "",
       {"GC2B", "GC3C", "PK3C",
        "\xC5\x98"
        "eka"}},
      {kFilterArchived, "yes", {"GC2B"}},
      {kFilterArchived,
       "",
       {"GC1A", "GC3C", "PK3C",
        "\xC5\x98"
        "eka"}},
      {kFilterLogs, "-", {"GC1A"}},
      {kFilterLogs, "n", {"GC2B"}},
      {kFilterLogs, "", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Filter(c.mode, c.text), c.expected) << FilterModeName(c.mode) << "=" << c.text;
  }
}

TEST_F(FilterModes, LogsFilterWorksWithoutTheLogsColumnEverShown) {
  EXPECT_EQ(Filter(kFilterLogs, "+-"), Names{"GC1A"});
}

TEST_F(FilterModes, FiltersCombineAndKeepTheOrder) {
  auto rows = set_.Rows();
  std::reverse(rows.begin(), rows.end());
  FilterWaypoints(rows, set_.Store(), kFilterReal, "yes", EnglishText(), kHome);
  EXPECT_EQ(NamesOf(rows), (Names{"GC3C", "GC2B", "GC1A"}));
  FilterWaypoints(rows, set_.Store(), kFilterCountry, "germany", EnglishText(), kHome);
  EXPECT_EQ(NamesOf(rows), (Names{"GC3C", "GC1A"}));
  FilterWaypoints(rows, set_.Store(), kFilterFound, "", EnglishText(), kHome);
  EXPECT_EQ(NamesOf(rows), Names{"GC3C"});
  FilterWaypoints(rows, set_.Store(), kFilterName, "gc", EnglishText(), kHome);
  EXPECT_EQ(NamesOf(rows), Names{"GC3C"});
  FilterWaypoints(rows, set_.Store(), kFilterName, "zz", EnglishText(), kHome);
  EXPECT_TRUE(rows.empty());
  FilterWaypoints(rows, set_.Store(), kFilterReal, "", EnglishText(), kHome);
  EXPECT_TRUE(rows.empty());
}

TEST_F(FilterModes, UnknownModeChangesNothing) {
  EXPECT_EQ(Filter(15, "x").size(), 5u);
  EXPECT_EQ(Filter(-1, "x").size(), 5u);
}

TEST(FilterValues, AsTheFilterDialogGivesThem) {
  struct Case {
    int mode;
    std::string input;
    std::optional<std::string> expected;
  };
  const std::vector<Case> cases = {
      {kFilterName, "GC12AB", "gc12ab"},
      {kFilterDescription,
       "\xC9"
       "COLE \xC5\x98"
       "EKA",
       "\xE9"
       "cole \xC5\x99"
       "eka"},
      {kFilterTerrainMax, "1,5", "1,5"},
      {kFilterType, "Traditional Cache", "6"},
      {kFilterType, "traditional cache", "6"},
      {kFilterType, "6", "6"},
      {kFilterType, "0", "0"},
      {kFilterType, "19", "19"},
      {kFilterType, "20", std::nullopt},
      {kFilterType, "-1", std::nullopt},
      {kFilterType, "Cache", std::nullopt},
      {kFilterContainer, "Small", "small"},
      {kFilterContainer, "Not chosen", "not chosen"},
      {kFilterReal, "yes", "yes"},
      {kFilterFound, "YES", "yes"},
      {kFilterFound, "no", ""},
      {kFilterArchived, "maybe", std::nullopt},
      {kFilterLogs, "+", "+"},
      {15, "x", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FilterValueFromInput(c.mode, c.input, EnglishText()), c.expected) << c.mode << " " << c.input;
  }
}

TEST(FilterNames, FifteenModesWithTheirInputs) {
  for (int m = 0; m < kFilterModeCount; ++m) {
    EXPECT_EQ(FilterModeFromName(FilterModeName(m)), m);
    EXPECT_FALSE(FilterModeCaption(m).empty());
  }
  EXPECT_EQ(FilterModeCaption(8), "Max distance from home");
  EXPECT_EQ(FilterModeName(4), "terrain-min");
  EXPECT_EQ(FilterInputOf(kFilterType), FilterInput::Type);
  EXPECT_EQ(FilterInputOf(kFilterContainer), FilterInput::Size);
  for (int m : {kFilterReal, kFilterFound, kFilterArchived}) EXPECT_EQ(FilterInputOf(m), FilterInput::YesNo);
  EXPECT_EQ(FilterInputOf(kFilterLogs), FilterInput::Text);
  EXPECT_EQ(ContainerSizeName(0), "Micro");
  EXPECT_EQ(ContainerSizeName(6), "Not chosen");
  EXPECT_EQ(FilterModeFromName("Name"), -1);
}

// The name and description filters take shortcuts for plain text; on any
// text they must agree with lower-casing, then decoding, then searching.
TEST(FilterText, AgreesWithLowerThenDecodeOnRandomTexts) {
  const std::vector<std::string> pieces = {"a",    "A",  "Z",  "z",    "@",     "[",        "`",        "{",
                                           " ",    "ca", "CA", "cHe",  "&amp;", "&lt;",     "&#201;",   "<![CDATA[x]]>",
                                           "\r\n", "\n", "\r", "\xC9", "\xE9",  "\xC5\x81", "\xC3\xA9", "\xE2\x80\xA6",
                                           "\x80"};
  const LocaleText turkish{QLocale(QLocale::Turkish, QLocale::Turkey)};
  std::mt19937 random(20261209);
  for (const LocaleText* text : {&EnglishText(), &turkish}) {
    for (int round = 0; round < 400; ++round) {
      test::RecordSet set;
      for (int i = 0; i < 24; ++i) {
        // Half the texts plain ASCII, long enough for the shortcuts.
        const std::size_t choices = random() % 2 ? 12 : pieces.size();
        std::string value;
        const std::size_t count = random() % 30;
        for (std::size_t k = 0; k < count; ++k) value += pieces[random() % choices];
        TGpxRecord& r = set.Add(value);
        r.Desc = value;
      }
      auto rows = set.Rows();
      // A filter cut from one of the texts, so some records match.
      const std::string source = text->Lower(rows[random() % rows.size()]->Desc);
      const std::size_t from = source.empty() ? 0 : random() % source.size();
      std::string filter =
          DecodeElementText(source).substr(std::min(from, DecodeElementText(source).size()), 1 + random() % 4);
      for (int mode : {kFilterName, kFilterDescription}) {
        std::vector<const TGpxRecord*> expected;
        for (const TGpxRecord* r : rows) {
          const std::string& value = mode == kFilterName ? r->Name : r->Desc;
          if (!filter.empty() && DecodeElementText(text->Lower(value)).find(filter) != std::string::npos) {
            expected.push_back(r);
          }
        }
        auto kept = rows;
        FilterWaypoints(kept, set.Store(), mode, filter, *text, kHome);
        ASSERT_EQ(NamesOf(kept), NamesOf(expected)) << "filter '" << filter << "' mode " << mode;
      }
    }
  }
}

}  // namespace
}  // namespace quill
