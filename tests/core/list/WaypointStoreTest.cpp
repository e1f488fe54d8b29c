// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <regex>

#include "list/WaypointStore.h"

namespace quill {
namespace {

class StoreTest : public ::testing::Test {
 protected:
  StoreTest() {
    store.SetDuplicateQuestion([this](const std::string& name) {
      asked.push_back(name);
      return answer;
    });
  }
  const TGpxRecord* Add(const std::string& name, double lat = 1.0, const std::string& desc = "d", bool skip = false) {
    TGpxRecord r;
    r.Lat = lat;
    r.Lon = 2.0;
    r.Name = name;
    r.Cmt = "c";
    r.Desc = desc;
    r.Url = "u";
    r.UrlName = "un";
    r.Time = "2010-01-01T00:00:00";
    r.Sym = "Geocache";
    r.TypeCode = 6;
    return store.AddWaypoint(std::move(r), "", skip);
  }
  WaypointStore store;
  std::vector<std::string> asked;
  int answer = kDuplicateAllow;
};

TEST_F(StoreTest, NewNamesAreAddedWithoutAsking) {
  Add("GC1");
  Add("GC2");
  Add("gc1");  // letter case differs: not a duplicate
  EXPECT_TRUE(asked.empty());
  ASSERT_EQ(store.size(), 3u);
  EXPECT_EQ(store.ShownWaypoints().size(), 3u);
  EXPECT_EQ(store.ShownWaypoints()[2]->Name, "gc1");
}

TEST_F(StoreTest, ReplaceOverwritesTheFirstAndKeepsItsPlace) {
  const TGpxRecord* first = Add("GC1", 1.0, "old");
  Add("GC2");
  answer = kDuplicateReplace;
  const TGpxRecord* replaced = Add("GC1", 9.0, "new");
  Add("GC3");  // matches nothing: still added
  EXPECT_EQ(asked, std::vector<std::string>{"GC1"});
  EXPECT_EQ(replaced, first);
  EXPECT_EQ(first->Lat, 9.0);
  EXPECT_EQ(first->Desc, "new");
  ASSERT_EQ(store.size(), 3u);
  EXPECT_EQ(store.AllWaypoints()[0], first);
  EXPECT_EQ(store.ShownWaypoints()[0], first);
}

TEST_F(StoreTest, OneAnswerHoldsForTheLoadAndTheNextLoadAsksAgain) {
  Add("A");
  Add("B");
  answer = kDuplicateKeep;
  EXPECT_EQ(Add("A", 5.0), nullptr);
  EXPECT_EQ(Add("B", 5.0), nullptr);
  EXPECT_EQ(asked.size(), 1u);
  EXPECT_EQ(store.size(), 2u);
  EXPECT_EQ(store.FirstWithName("A")->Lat, 1.0);
  store.SetDuplicateMode(kDuplicateAsk);  // a new load
  answer = kDuplicateAllow;
  Add("A", 7.0);
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_EQ(store.size(), 3u);
  EXPECT_EQ(store.FirstWithName("A")->Lat, 1.0);  // the first one stays the first
}

TEST_F(StoreTest, SkipFlagSkipsTheSearchOnlyWhenAlreadyAllowing) {
  Add("A");
  Add("A", 2.0, "d", true);  // mode is still "ask": the search runs
  EXPECT_EQ(asked.size(), 1u);
  Add("A", 3.0, "d", true);  // now allowing: no search, a new record
  EXPECT_EQ(store.size(), 3u);
  EXPECT_EQ(asked.size(), 1u);
}

TEST_F(StoreTest, EmptyTimeBecomesTheCurrentUtcTime) {
  const TGpxRecord* r = store.AddWaypointSimple(1, 2, "X");
  EXPECT_TRUE(std::regex_match(r->Time, std::regex(R"(\d{4}-\d{2}-\d{2}T\d{2}:\d{2}:\d{2})"))) << r->Time;
  EXPECT_EQ(r->TypeCode, 0);
  EXPECT_FALSE(r->Found);
  EXPECT_TRUE(r->GroundspeakXml.empty());
}

TEST_F(StoreTest, IndexFollowsDeleteRenameAndClear) {
  const TGpxRecord* a1 = Add("A");
  const TGpxRecord* b = Add("B");
  const TGpxRecord* a2 = Add("A");
  store.DeleteWaypoints({a1});
  EXPECT_EQ(store.FirstWithName("A"), a2);
  store.RenameWaypoint(b, "A");  // b was added before a2: it is now the first "A"
  EXPECT_EQ(store.FirstWithName("A"), b);
  EXPECT_EQ(store.FirstWithName("B"), nullptr);
  store.RenameWaypoint(b, "C");
  EXPECT_EQ(store.FirstWithName("A"), a2);
  EXPECT_EQ(store.FirstWithName("C"), b);
  store.Clear();
  EXPECT_EQ(store.FirstWithName("A"), nullptr);
  EXPECT_TRUE(store.ShownWaypoints().empty());
}

TEST_F(StoreTest, DeleteRemovesFromBothListsAndShowAllRestoresOrder) {
  const TGpxRecord* a = Add("A");
  const TGpxRecord* b = Add("B");
  const TGpxRecord* c = Add("C");
  store.ShownWaypoints() = {c, a};  // as a filter and sort would leave it
  store.DeleteWaypoints({a});
  EXPECT_EQ(store.ShownWaypoints(), (std::vector<const TGpxRecord*>{c}));
  store.ShowAll();
  EXPECT_EQ(store.ShownWaypoints(), (std::vector<const TGpxRecord*>{b, c}));
}

TEST_F(StoreTest, TakenRecordsComeBackInPlaceAlsoAmongNewOnes) {
  const TGpxRecord* a = Add("A");
  const TGpxRecord* b = Add("B");
  const TGpxRecord* c = Add("C");
  store.ShownWaypoints() = {c, a, b};
  WaypointStore::Taken one = store.Take({a, nullptr});
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(store.FirstWithName("A"), nullptr);
  store.PutBack(std::move(one));
  EXPECT_EQ(store.AllWaypoints(), (std::vector<const TGpxRecord*>{a, b, c}));
  EXPECT_EQ(store.ShownWaypoints(), (std::vector<const TGpxRecord*>{c, a, b}));
  EXPECT_EQ(store.FirstWithName("A"), a);
  // The whole list taken, a record added meanwhile: the old ones go back
  // to their places before it, and the index knows every one.
  WaypointStore::Taken all = store.TakeAll();
  EXPECT_TRUE(store.empty());
  const TGpxRecord* a2 = Add("A");
  store.PutBack(std::move(all));
  EXPECT_EQ(store.AllWaypoints(), (std::vector<const TGpxRecord*>{a, b, c, a2}));
  EXPECT_EQ(store.ShownWaypoints(), (std::vector<const TGpxRecord*>{c, a, b, a2}));
  EXPECT_EQ(store.FirstWithName("A"), a);
  EXPECT_EQ(store.FirstWithName("C"), c);
}

// The index must always agree with a plain scan of AllWaypoints, whatever
// the changes (renames, edits, deletes) do to groups of equal names: with a
// few names, groups are large; with hundreds, the index grows and deletes
// leave holes in runs of neighbouring names.
class StoreIndex : public ::testing::TestWithParam<int> {};

TEST_P(StoreIndex, AgreesWithAScanUnderRandomChanges) {
  const int names = GetParam();
  WaypointStore store;
  store.SetDuplicateQuestion([](const std::string&) { return kDuplicateAllow; });
  std::mt19937 rng(42);
  auto name = [&]() { return "n" + std::to_string(rng() % static_cast<unsigned>(names)); };
  for (int step = 0; step < 3000; ++step) {
    int op = static_cast<int>(rng() % 10);
    if (op < 5 || store.empty()) {
      store.SetDuplicateMode(static_cast<int>(rng() % 3));
      TGpxRecord r;
      r.Name = name();
      r.Time = "t";
      store.AddWaypoint(std::move(r), "", false);
    } else if (op < 7) {
      auto& all = store.AllWaypoints();
      store.RenameWaypoint(all[rng() % all.size()], name());
    } else if (op < 8) {
      auto& all = store.AllWaypoints();
      std::string to = name();
      store.ChangeWaypoint(all[rng() % all.size()], [&](TGpxRecord& r) {
        r.Name = to;
        r.Desc += "+";
      });
    } else {
      auto& all = store.AllWaypoints();
      store.DeleteWaypoints({all[rng() % all.size()]});
    }
    std::map<std::string, const TGpxRecord*> first;
    for (const TGpxRecord* r : store.AllWaypoints()) first.try_emplace(r->Name, r);
    for (int i = 0; i < names; ++i) {
      const std::string n = "n" + std::to_string(i);
      auto it = first.find(n);
      ASSERT_EQ(store.FirstWithName(n), it == first.end() ? nullptr : it->second) << "step " << step << " " << n;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(FewAndManyNames, StoreIndex, ::testing::Values(6, 400));

TEST(GpxRecordTypes, DefaultSymbolAndTypeTexts) {
  EXPECT_EQ(DefaultSymbol(6, true), "Geocache Found");
  EXPECT_EQ(DefaultSymbol(19, false), "Geocache");
  EXPECT_EQ(DefaultSymbol(2, false), "Stages of a Multicache");
  EXPECT_EQ(DefaultSymbol(0, false), "Final Location");
  EXPECT_EQ(DefaultSymbol(25, true), "Final Location");
  EXPECT_EQ(TypeName(8), "Mystery/Puzzle Cache");
  EXPECT_EQ(TypeCodeFromGpxText("Geocache|Unknown Cache"), 8);
  EXPECT_EQ(TypeCodeFromGpxText("geocache|multi-cache"), 0);
  for (int code = 0; code < kTypeCodeCount; ++code) EXPECT_EQ(TypeCodeFromGpxText(GpxTypeText(code)), code);
  EXPECT_EQ(GpxTypeText(-1), "Waypoint|Final Location");
}

}  // namespace
}  // namespace quill
