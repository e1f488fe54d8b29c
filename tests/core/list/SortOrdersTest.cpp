// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

#include "ListTestRecords.h"
#include "list/ListColumns.h"
#include "list/ListFilter.h"
#include "list/ListSort.h"
#include "list/WaypointStore.h"

namespace quill {
namespace {

using test::CacheParts;
using test::EnglishText;
using test::kHome;
using test::LatMetresNorth;
using test::NamesOf;

struct SortCase {
  const char* label;
  SortOrder order;
  std::function<void(test::RecordSet&)> build;
  std::vector<std::string> expected;
};

CacheParts Placed(const std::string& by) {
  CacheParts p;
  p.placedBy = by;
  return p;
}
CacheParts Logs(std::vector<std::string> types) {
  CacheParts p;
  p.logTypes = std::move(types);
  return p;
}
CacheParts Where(const std::string& country, const std::string& state) {
  CacheParts p;
  p.country = country;
  p.state = state;
  return p;
}
CacheParts Rating(const std::string& d, const std::string& t) {
  CacheParts p;
  p.difficulty = d;
  p.terrain = t;
  return p;
}
CacheParts FirstLog(const std::string& date) {
  CacheParts p;
  p.logTypes = {"Found it"};
  p.firstLogDate = date;
  return p;
}

// Each table holds records that tie on the primary key, so the secondary key
// and the name tie-break are seen to work.
const std::vector<SortCase>& Cases() {
  static const std::vector<SortCase> cases = {
      {"Name collates by locale, case-sensitive",
       SortOrder::Name,
       [](test::RecordSet& s) {
         for (const char* n : {"b", "Zebra", "B", "a", "9", "zebra", "A", "10"}) s.Add(n);
       },
       {"10", "9", "a", "A", "b", "B", "zebra", "Zebra"}},
      {"GC-Name groups a code with its additional waypoints",
       SortOrder::GCName,
       [](test::RecordSet& s) {
         for (const char* n : {"ST12AB", "PK12AB", "Gc12AB", "AB12AB", "GC12AB", "GC11ZZ", "X", "GC"}) s.Add(n);
       },
       {"GC", "X", "GC11ZZ", "GC12AB", "AB12AB", "Gc12AB", "PK12AB", "ST12AB"}},
      {"Date compares the time texts",
       SortOrder::Date,
       [](test::RecordSet& s) {
         s.Add("T3").Time = "2011-01-01T00:00:00";
         s.Add("T2").Time = "2010-01-02T00:00:00";
         s.Add("T1").Time = "2010-01-02T00:00:00";
         s.Add("T0").Time = "2009-12-31T23:59:59";
       },
       {"T0", "T1", "T2", "T3"}},
      {"Distance from home, ties by name",
       SortOrder::Dist,
       [](test::RecordSet& s) {
         auto at = [&](const char* n, double metres) {
           TGpxRecord& r = s.Add(n);
           r.Lat = LatMetresNorth(metres);
           r.Lon = kHome.lon;
         };
         at("far", 10001);
         at("near-b", 9999);
         at("near-a", 9999);
         at("home", 0);
       },
       {"home", "near-a", "near-b", "far"}},
      {"North: latitude, then longitude, then name",
       SortOrder::North,
       [](test::RecordSet& s) {
         auto at = [&](const char* n, double lat, double lon) {
           TGpxRecord& r = s.Add(n);
           r.Lat = lat;
           r.Lon = lon;
         };
         at("n3", 52, 5);
         at("n2", 52, 4);
         at("n1", 52, 4);
         at("a-far-east", 52, 6);
         at("n0", -1, 100);
       },
       {"n0", "n1", "n2", "n3", "a-far-east"}},
      {"East: longitude, then latitude, then name",
       SortOrder::East,
       [](test::RecordSet& s) {
         auto at = [&](const char* n, double lat, double lon) {
           TGpxRecord& r = s.Add(n);
           r.Lat = lat;
           r.Lon = lon;
         };
         at("a-east", 2, 4);
         at("b-east", 1, 4);
         at("c-east", 1, 4);
         at("west", 80, -4);
       },
       {"west", "b-east", "c-east", "a-east"}},
      {"Type code, then name",
       SortOrder::Type,
       [](test::RecordSet& s) {
         s.Add("t19").TypeCode = 19;
         s.Add("b6").TypeCode = 6;
         s.Add("a6").TypeCode = 6;
         s.Add("z0").TypeCode = 0;
       },
       {"z0", "a6", "b6", "t19"}},
      {"Placed by, lightly decoded; no data first",
       SortOrder::Hidden,
       [](test::RecordSet& s) {
         s.AddCache("h1", Placed("Zed"));
         s.AddCache("h0", Placed("Zed"));
         s.Add("hx");
         s.AddCache("ha", CacheParts{});
         s.AddCache("hb", Placed("bob"));
         // Decoded, "<" comes before ">"; undecoded "&gt;" would come first.
         s.AddCache("p1", Placed("&gt;x"));
         s.AddCache("p2", Placed("&lt;x"));
       },
       {"ha", "hx", "p2", "p1", "hb", "h0", "h1"}},
      {"Date found is the first log date; no data first",
       SortOrder::DateFound,
       [](test::RecordSet& s) {
         s.AddCache("d2", FirstLog("2012-01-01T00:00:00Z"));
         s.AddCache("d1", FirstLog("2012-01-01T00:00:00Z"));
         s.AddCache("d0", FirstLog("2003-05-05T00:00:00Z"));
         s.Add("none");
       },
       {"none", "d0", "d1", "d2"}},
      {"Description, then name",
       SortOrder::Desc,
       [](test::RecordSet& s) {
         s.Add("x2").Desc = "mill";
         s.Add("x1").Desc = "Mill";
         s.Add("x0").Desc = "mill";
         s.Add("x3");
       },
       {"x3", "x0", "x2", "x1"}},
      {"Comment, then name",
       SortOrder::Cmt,
       [](test::RecordSet& s) {
         s.Add("c1").Cmt = "same";
         s.Add("c0").Cmt = "same";
         s.Add("c2").Cmt = "\xE9t\xE9";  // e acute sorts with e
         s.Add("c3").Cmt = "f";
       },
       {"c2", "c3", "c0", "c1"}},
      {"URL name, then name",
       SortOrder::UrlName,
       [](test::RecordSet& s) {
         s.Add("u1").UrlName = "Bridge";
         s.Add("u0").UrlName = "Bridge";
         s.Add("u2").UrlName = "abbey";
       },
       {"u2", "u0", "u1"}},
      {"Logs from the cache data",
       SortOrder::Logs,
       [](test::RecordSet& s) {
         s.AddCache("L1", Logs({"Will Attend"}));
         s.AddCache("L2", Logs({"Write note", "Write note"}));
         s.AddCache("L3", Logs({"Attended"}));
         s.AddCache("L4", Logs({"Write note"}));
         s.Add("L5");
         s.AddCache("L6", Logs({"Attended"}));
       },
       {"L5", "L3", "L6", "L4", "L2", "L1"}},
      {"Country from the cache data",
       SortOrder::Country,
       [](test::RecordSet& s) {
         s.AddCache("c2", Where("Germany", ""));
         s.AddCache("c1", Where("Germany", ""));
         s.AddCache("c0", Where("Austria", ""));
         s.Add("c3");
       },
       {"c3", "c0", "c1", "c2"}},
      {"State from the cache data",
       SortOrder::State,
       [](test::RecordSet& s) {
         s.AddCache("s2", Where("", "Bayern"));
         s.AddCache("s1", Where("", "Bayern"));
         s.AddCache("s0", Where("", "\xC3\x84gypten"));  // A umlaut sorts with A
         s.AddCache("s3", Where("", "Zug"));
       },
       {"s0", "s1", "s2", "s3"}},
      {"Difficulty, then terrain, then name",
       SortOrder::Diffic,
       [](test::RecordSet& s) {
         s.AddCache("d25", Rating("2.5", "1"));
         s.AddCache("d2t15", Rating("2", "1,5"));
         s.AddCache("d2t1b", Rating("2", "1"));
         s.AddCache("d2t1a", Rating("2", "1"));
         s.Add("none");
         s.AddCache("bad", Rating("x", "y"));
       },
       {"bad", "none", "d2t1a", "d2t1b", "d2t15", "d25"}},
  };
  return cases;
}

class SortOrders : public ::testing::TestWithParam<std::size_t> {};

TEST_P(SortOrders, GivesTheOrderWhateverTheStartingOrder) {
  const SortCase& c = Cases()[GetParam()];
  test::RecordSet set;
  c.build(set);
  auto rows = set.Rows();
  SortWaypoints(rows, set.Store(), c.order, EnglishText(), kHome);
  EXPECT_EQ(NamesOf(rows), c.expected) << c.label;

  auto reversed = set.Rows();
  std::reverse(reversed.begin(), reversed.end());
  SortWaypoints(reversed, set.Store(), c.order, EnglishText(), kHome);
  EXPECT_EQ(NamesOf(reversed), c.expected) << c.label << " (from reversed input)";

  SortWaypoints(rows, set.Store(), c.order, EnglishText(), kHome);
  EXPECT_EQ(NamesOf(rows), c.expected) << c.label << " (sorted again)";
}

INSTANTIATE_TEST_SUITE_P(EveryOrder, SortOrders, ::testing::Range<std::size_t>(0, Cases().size()),
                         [](const ::testing::TestParamInfo<std::size_t>& p) {
                           return std::string(SortOrderName(Cases()[p.param].order));
                         });

TEST(SortNames, EveryOrderHasItsNameCaptionColumnAndCase) {
  std::set<std::string_view> actions;
  for (int i = 0; i < kSortOrderCount; ++i) {
    SortOrder o = static_cast<SortOrder>(i);
    EXPECT_TRUE(std::any_of(Cases().begin(), Cases().end(), [o](const SortCase& c) { return c.order == o; }))
        << "no sort case for " << SortOrderName(o);
    EXPECT_EQ(SortOrderFromName(SortOrderName(o)), o);
    EXPECT_EQ(SortOrderCaption(o).substr(0, 8), "Sort by ");
    EXPECT_EQ(SortOrderActionName(o).substr(0, 10), "ActionSort");
    actions.insert(SortOrderActionName(o));
  }
  EXPECT_EQ(actions.size(), static_cast<std::size_t>(kSortOrderCount));
  EXPECT_EQ(SortOrderActionName(SortOrder::GCName), "ActionSortGCName");
  // Every column mode sorts by an order of its own; a mode out of range by name.
  std::set<SortOrder> byColumn;
  for (int mode = 0; mode < kColumnModeCount; ++mode) byColumn.insert(SortOrderForColumnMode(mode));
  EXPECT_EQ(byColumn.size(), static_cast<std::size_t>(kColumnModeCount));
  EXPECT_FALSE(byColumn.count(SortOrder::Name));
  for (int mode : {-1, kColumnModeCount, 1 << 30}) EXPECT_EQ(SortOrderForColumnMode(mode), SortOrder::Name) << mode;
  EXPECT_FALSE(SortOrderFromName("Name").has_value());
  EXPECT_EQ(SortOrderCaption(SortOrder::Hidden), "Sort by 'Placed by'");
  EXPECT_EQ(SortOrderForColumnMode(kColumnTimestamp), SortOrder::Date);
  EXPECT_EQ(SortOrderForColumnMode(kColumnPlacedBy), SortOrder::Hidden);
  EXPECT_EQ(SortOrderForColumnMode(kColumnDifficulty), SortOrder::Diffic);
  EXPECT_EQ(SortOrderForColumnMode(kColumnDistance), SortOrder::Dist);
}

TEST(SortStability, FullTiesKeepTheirOrderSoRepeatingChangesNothing) {
  test::RecordSet set;
  for (int i = 0; i < 50; ++i) {
    TGpxRecord& r = set.Add(i % 2 ? "twin" : "other");
    r.Desc = std::to_string(i);  // tells the records apart
  }
  auto rows = set.Rows();
  for (int i = 0; i < kSortOrderCount; ++i) {
    SortWaypoints(rows, set.Store(), static_cast<SortOrder>(i), EnglishText(), kHome);
    auto once = rows;
    SortWaypoints(rows, set.Store(), static_cast<SortOrder>(i), EnglishText(), kHome);
    EXPECT_EQ(rows, once) << SortOrderName(static_cast<SortOrder>(i));
  }
}

// What the orders and filters read of the Groundspeak data is worked out once
// per record; every change the store makes must renew it. Each case has a
// low, a middle and a high cache; the filter keeps only the high one.
struct ChangeCase {
  const char* label;
  SortOrder order;
  std::function<void(CacheParts&, std::size_t level)> set;
  int filterMode;  // -1 for none
  const char* filterValue;
};

TEST(SortOrdersChange, ValuesFollowEveryChangeOfTheStore) {
  const std::vector<ChangeCase> cases = {
      {"placed by", SortOrder::Hidden, [](CacheParts& p, std::size_t l) { p.placedBy = std::string(1, "amz"[l]); },
       kFilterPlacedBy, "z"},
      {"date found", SortOrder::DateFound,
       [](CacheParts& p, std::size_t l) {
         p.logTypes = {"Found it"};
         p.firstLogDate = std::to_string(2001 + 4 * l);
       },
       -1, ""},
      {"logs", SortOrder::Logs,
       [](CacheParts& p, std::size_t l) {
         p.logTypes = {std::vector<std::string>{"Found it", "Attended", "Write note"}[l]};
       },
       kFilterLogs, "n"},
      {"country", SortOrder::Country,
       [](CacheParts& p, std::size_t l) {
         p.country = std::vector<std::string>{"Austria", "Germany", "Zambia"}[l];
       },
       kFilterCountry, "zam"},
      {"state", SortOrder::State, [](CacheParts& p, std::size_t l) { p.state = std::string(1, "AMZ"[l]); }, -1, ""},
      {"difficulty", SortOrder::Diffic, [](CacheParts& p, std::size_t l) { p.difficulty = std::to_string(1 + 2 * l); },
       kFilterDifficultyMin, "4"},
      {"terrain", SortOrder::Diffic, [](CacheParts& p, std::size_t l) { p.terrain = std::to_string(1 + 2 * l); },
       kFilterTerrainMin, "4"},
      {"container", SortOrder::Name,
       [](CacheParts& p, std::size_t l) {
         p.container = std::vector<std::string>{"Micro", "Small", "Large"}[l];
       },
       kFilterContainer, "large"},
      {"archived", SortOrder::Name, [](CacheParts& p, std::size_t l) { p.archived = l == 2 ? "True" : "False"; },
       kFilterArchived, "yes"},
  };
  for (const ChangeCase& c : cases) {
    auto parts = [&](std::size_t level) {
      CacheParts p;
      c.set(p, level);
      return test::CacheXml(p);
    };
    auto rows = [&](const WaypointStore& store) {
      auto shown = store.AllWaypoints();
      SortWaypoints(shown, store, c.order, EnglishText(), kHome);
      return NamesOf(shown);
    };
    auto kept = [&](const WaypointStore& store) {
      auto shown = store.AllWaypoints();
      if (c.filterMode >= 0) FilterWaypoints(shown, store, c.filterMode, c.filterValue, EnglishText(), kHome);
      return NamesOf(shown);
    };
    WaypointStore store;
    store.SetDuplicateMode(kDuplicateReplace);
    auto add = [&](const std::string& name, std::size_t level) {
      TGpxRecord r;
      r.Lat = 1;
      r.Lon = 2;
      r.Name = name;
      r.Time = "2010-01-01T00:00:00";
      r.TypeCode = 6;
      return store.AddWaypoint(std::move(r), parts(level), false);
    };
    const TGpxRecord* a = add("A", 0);
    add("B", 1);
    // The name order is there only to give a filter case an order.
    auto check = [&](bool changed, const char* when) {
      const bool swapped = changed && c.order != SortOrder::Name;
      EXPECT_EQ(rows(store), (swapped ? std::vector<std::string>{"B", "A"} : std::vector<std::string>{"A", "B"}))
          << c.label << when;
      if (c.filterMode >= 0) {
        EXPECT_EQ(kept(store), changed ? std::vector<std::string>{"A"} : std::vector<std::string>{}) << c.label << when;
      }
    };
    check(false, "");
    TGpxRecord other = *a;
    store.ChangeWaypoint(a, [&](TGpxRecord& r) { r.GroundspeakXml = parts(2); });
    check(true, " after an edit");
    store.SwapValues(a, other);
    check(false, " after an undo");
    store.SwapValues(a, other);
    store.PutBack(store.Take({a}));
    check(true, " after a redo and a put back");
    // A load that replaces the record, and an edit of other fields only.
    EXPECT_EQ(add("A", 0), a);
    store.ChangeWaypoint(a, [](TGpxRecord& r) { r.Desc = "edited"; });
    check(false, " after a replace");
  }
}

TEST(SortOrdersEdge, EmptyAndSingleListsAndOddNumbers) {
  std::vector<const TGpxRecord*> none;
  const WaypointStore empty;
  SortWaypoints(none, empty, SortOrder::Name, EnglishText(), kHome);
  EXPECT_TRUE(none.empty());
  test::RecordSet set;
  set.Add("inf").Lat = HUGE_VAL;
  set.Add("nan").Lat = std::nan("");
  set.Add("neg").Lat = -1;
  set.Add("inf2").Lat = HUGE_VAL;
  auto rows = set.Rows();
  SortWaypoints(rows, set.Store(), SortOrder::North, EnglishText(), kHome);
  EXPECT_EQ(NamesOf(rows), (std::vector<std::string>{"neg", "nan", "inf", "inf2"}));
}

TEST(SortOrdersEdge, TextsThatCollateEqualTieOnTheName) {
  test::RecordSet set;
  set.Add("b").Cmt = "\xE1";       // a acute, one code-page byte
  set.Add("a").Cmt = "a\xCC\x81";  // a and a combining acute, kept as UTF-8
  set.Add("c").Cmt = "\xE1";
  auto rows = set.Rows();
  SortWaypoints(rows, set.Store(), SortOrder::Cmt, EnglishText(), kHome);
  EXPECT_EQ(NamesOf(rows), (std::vector<std::string>{"a", "b", "c"}));
}

}  // namespace
}  // namespace quill
