// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>

#include "ListTestRecords.h"
#include "list/ListRename.h"
#include "list/ListSearch.h"
#include "list/WaypointStore.h"

namespace quill {
namespace {

using test::EnglishText;

class SearchList : public ::testing::Test {
 protected:
  void SetUp() override {
    set_.Add("GC100").Desc = "Nice cache";
    set_.Add("GC101").Cmt = "cache in the comment only";
    set_.Add("CACHE-2");
    set_.Add("GC103").UrlName = "Old Cachet";
    set_.Add("GC104").Desc = "nothing";
    set_.Add("gc105").Desc =
        "\xC8"
        "ESK\xC1 CACHE";  // Czech capitals in memory text
  }
  test::RecordSet set_;
};

TEST_F(SearchList, FindsNameDescriptionOrLinkTextButNotComment) {
  auto rows = set_.Rows();
  const std::string text = EnglishText().Lower("CACHE");
  EXPECT_EQ(SearchRows(rows, 0, text, EnglishText()), 0);
  EXPECT_EQ(SearchRows(rows, 1, text, EnglishText()), 2);
}

TEST_F(SearchList, SearchNextWalksEveryMatchAndStopsAtTheLast) {
  auto rows = set_.Rows();
  const std::string text = EnglishText().Lower("Cache");
  std::vector<int> seen;
  int selected = -1;
  while (true) {
    int next = SearchRows(rows, selected + 1, text, EnglishText());
    if (next < 0) break;
    seen.push_back(next);
    selected = next;
  }
  EXPECT_EQ(seen, (std::vector<int>{0, 2, 3, 5}));
  EXPECT_EQ(selected, 5);  // the selection stays on the last match
}

TEST_F(SearchList, LowerCasesTheRecordsWithTheLocale) {
  auto rows = set_.Rows();
  EXPECT_EQ(SearchRows(rows, 0,
                       EnglishText().Lower("\xC8"
                                           "esk\xE1"),
                       EnglishText()),
            5);
  EXPECT_EQ(SearchRows(rows, 0, "GC1", EnglishText()), -1);  // the search text is lower-cased already
  EXPECT_EQ(SearchRows(rows, 0, "gc1", EnglishText()), 0);
}

TEST_F(SearchList, EmptyTextAndRowsPastTheEndFindNothing) {
  auto rows = set_.Rows();
  EXPECT_EQ(SearchRows(rows, 0, "", EnglishText()), -1);
  EXPECT_EQ(SearchRows(rows, 6, "cache", EnglishText()), -1);
  EXPECT_EQ(SearchRows(rows, 100, "cache", EnglishText()), -1);
  EXPECT_EQ(SearchRows(rows, -1, "cache", EnglishText()), 0);
  EXPECT_EQ(SearchRows({}, 0, "cache", EnglishText()), -1);
}

TEST(RenamedName, PlaceholdersFirstOccurrenceInOrder) {
  TGpxRecord r;
  r.Name = "GC12AB";
  r.Desc = "Mill by Ann";
  r.UrlName = "Old Mill";
  struct Case {
    std::string pattern, expected;
  };
  const std::vector<Case> cases = {
      {"%n - %u", "GC12AB - Old Mill"},
      {"%n%n", "GC12AB%n"},
      {"%u/%d/%n", "Old Mill/Mill by Ann/GC12AB"},
      {"fixed", "fixed"},
      {"%N %D %U", "%N %D %U"},  // placeholders are case-sensitive
      {"%", "%"},
      {"%%n", "%GC12AB"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(RenamedName(c.pattern, r), c.expected) << c.pattern;
}

TEST(RenamedName, TextBroughtInByAnEarlierReplacementIsReplacedLater) {
  TGpxRecord r;
  r.Name = "A%d";
  r.Desc = "B%u";
  r.UrlName = "C%n";
  // %n brings in %d, which brings in %u; the %n brought in last stays.
  EXPECT_EQ(RenamedName("%n", r), "ABC%n");
  // The %d brought in by %n is the first %d, so the pattern's own %d stays.
  EXPECT_EQ(RenamedName("%n %d", r), "ABC%n %d");
  r.Desc.clear();
  EXPECT_EQ(RenamedName("%n|%u", r), "A|C%n");
}

class RenameShown : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& [name, desc, urlName] :
         {std::array<const char*, 3>{"GC1", "d1", "One"}, std::array<const char*, 3>{"GC2", "d2", "Two"},
          std::array<const char*, 3>{"GC3", "d3", "Three"}}) {
      TGpxRecord r;
      r.Lat = 1;
      r.Lon = 1;
      r.Name = name;
      r.Desc = desc;
      r.UrlName = urlName;
      r.TypeCode = 6;
      store_.AddWaypoint(std::move(r), {}, false);
    }
    // Only the last two are shown, in reverse order.
    store_.ShownWaypoints() = {store_.AllWaypoints()[2], store_.AllWaypoints()[1]};
  }
  std::vector<std::string> AllNames() const {
    std::vector<std::string> names;
    for (const auto& r : store_.AllWaypoints()) names.push_back(r->Name);
    return names;
  }
  WaypointStore store_;
};

TEST_F(RenameShown, RenamesTheShownRecordsAfterConfirmingTheFirst) {
  std::vector<std::string> asked;
  bool ok = RenameShownWaypoints(store_, "%n - %u", [&](const std::string& n) {
    asked.push_back(n);
    return true;
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(asked, (std::vector<std::string>{"GC3 - Three"}));
  EXPECT_EQ(AllNames(), (std::vector<std::string>{"GC1", "GC2 - Two", "GC3 - Three"}));
  EXPECT_EQ(store_.FirstWithName("GC2 - Two"), store_.AllWaypoints()[1]);
  EXPECT_EQ(store_.FirstWithName("GC2"), nullptr);
}

TEST_F(RenameShown, DeclinedConfirmationChangesNothing) {
  bool ok = RenameShownWaypoints(store_, "%n - %u", [](const std::string&) { return false; });
  EXPECT_FALSE(ok);
  EXPECT_EQ(AllNames(), (std::vector<std::string>{"GC1", "GC2", "GC3"}));
  EXPECT_EQ(store_.FirstWithName("GC3"), store_.AllWaypoints()[2]);
}

TEST_F(RenameShown, LiteralPatternGivesEveryShownRecordTheSameName) {
  EXPECT_TRUE(RenameShownWaypoints(store_, "same", [](const std::string&) { return true; }));
  EXPECT_EQ(AllNames(), (std::vector<std::string>{"GC1", "same", "same"}));
  // The first in AllWaypoints order is the one a duplicate test finds.
  EXPECT_EQ(store_.FirstWithName("same"), store_.AllWaypoints()[1]);
}

TEST_F(RenameShown, EmptyPatternOrEmptyListDoesNothing) {
  int asked = 0;
  auto confirm = [&](const std::string&) { return ++asked, true; };
  EXPECT_FALSE(RenameShownWaypoints(store_, "", confirm));
  store_.ShownWaypoints().clear();
  EXPECT_FALSE(RenameShownWaypoints(store_, "%n!", confirm));
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(AllNames(), (std::vector<std::string>{"GC1", "GC2", "GC3"}));
}

}  // namespace
}  // namespace quill
