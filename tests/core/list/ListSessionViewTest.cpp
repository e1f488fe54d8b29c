// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QLocale>

#include "ListTestRecords.h"
#include "list/ListFilter.h"
#include "session/ListSession.h"
#include "support/TestSupport.h"

namespace quill {
namespace {

class ListSessionView : public ::testing::Test {
 protected:
  ListSessionView() : session_(status_, questions_) {
    session_.SetTextLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    test::RecordSet set;
    const struct {
      const char* name;
      double at;
      const char* desc;
      const char* urlName;
      int type;
      bool found;
    } rows[] = {{"GC3", 1, "third cache", "Three", 6, false},
                {"GC1", 2, "first", "One", 1, true},
                {"gc2", 3, "second cache", "Two", 6, false}};
    for (const auto& row : rows) {
      TGpxRecord& r = set.Add(row.name);
      r.Lat = r.Lon = row.at;
      r.Desc = row.desc;
      r.UrlName = row.urlName;
      r.Url = std::string("https://example.org/") + row.name;  // a link text is written with its link
      r.TypeCode = row.type;
      r.Found = row.found;
    }
    EXPECT_TRUE(test::LoadInto(session_, set));
    session_.onListRebuilt = [this] { ++rebuilt_; };
  }
  std::vector<std::string> Shown() const {
    std::vector<std::string> names;
    for (const TGpxRecord* r : session_.Store().ShownWaypoints()) names.push_back(r->Name);
    return names;
  }
  test::RecordingStatus status_;
  test::ScriptedQuestions questions_;
  ListSession session_;
  int rebuilt_ = 0;
};

using Names = std::vector<std::string>;

TEST_F(ListSessionView, SortRebuildsTheViewAndShowAllRestoresLoadOrder) {
  status_.SetError(2, "old error");
  session_.SortShown(SortOrder::Name);
  EXPECT_EQ(Shown(), (Names{"GC1", "gc2", "GC3"}));
  EXPECT_EQ(status_.LastSet(), "");
  EXPECT_EQ(rebuilt_, 1);
  session_.ShowAllWaypoints();
  EXPECT_EQ(Shown(), (Names{"GC3", "GC1", "gc2"}));
  EXPECT_EQ(rebuilt_, 2);
}

TEST_F(ListSessionView, FiltersCombineUntilShowAll) {
  EXPECT_TRUE(session_.FilterShown(kFilterReal, "yes"));
  EXPECT_EQ(session_.View().FilterMode, kFilterReal + 1);
  EXPECT_TRUE(session_.FilterShown(kFilterDescription, "cache"));
  EXPECT_EQ(Shown(), (Names{"GC3", "gc2"}));
  EXPECT_EQ(session_.View().FilterMode, kFilterDescription + 1);
  EXPECT_EQ(session_.View().FilterText, "cache");
  EXPECT_TRUE(session_.FilterShown(kFilterName, "zz"));
  EXPECT_TRUE(Shown().empty());
  // Nothing shown: the filter command does nothing.
  int before = rebuilt_;
  EXPECT_FALSE(session_.FilterShown(kFilterName, "gc"));
  EXPECT_EQ(rebuilt_, before);
  session_.ShowAllWaypoints();
  EXPECT_EQ(Shown(), (Names{"GC3", "GC1", "gc2"}));
  EXPECT_EQ(session_.View().FilterMode, 0);
  EXPECT_EQ(session_.View().FilterText, "zz");  // kept, as the dialog's last value
  EXPECT_FALSE(session_.FilterShown(15, "x"));
}

TEST_F(ListSessionView, SearchTextIsLowerCasedAndWalksTheShownRows) {
  session_.SetSearchText("CACHE");
  EXPECT_EQ(session_.View().SearchText, "cache");
  EXPECT_EQ(session_.SearchFrom(0), 0);
  EXPECT_EQ(session_.SearchFrom(1), 2);
  EXPECT_EQ(session_.SearchFrom(3), -1);
  session_.SetSearchText("");
  EXPECT_EQ(session_.SearchFrom(0), -1);
}

TEST_F(ListSessionView, RenameAsksOnceAndMarksTheListModified) {
  session_.FilterShown(kFilterReal, "yes");
  ASSERT_FALSE(session_.ListModified());
  EXPECT_TRUE(session_.RenameShown("%n - %u"));
  EXPECT_EQ(questions_.captions, (Names{"Is this name OK?"}));
  EXPECT_EQ(Shown(), (Names{"GC3 - Three", "gc2 - Two"}));
  EXPECT_EQ(session_.Store().AllWaypoints()[1]->Name, "GC1");
  EXPECT_TRUE(session_.ListModified());
}

TEST_F(ListSessionView, DeclinedRenameLeavesNamesAndModifiedFlag) {
  questions_.yesNo = false;
  int before = rebuilt_;
  EXPECT_FALSE(session_.RenameShown("%n - %u"));
  EXPECT_EQ(Shown(), (Names{"GC3", "GC1", "gc2"}));
  EXPECT_FALSE(session_.ListModified());
  EXPECT_EQ(rebuilt_, before);
}

TEST_F(ListSessionView, HomeFromTheSettingTextDrivesDistanceOrderAndFilter) {
  session_.SetHome("N 3 E 3");
  EXPECT_DOUBLE_EQ(session_.View().Home.lat, 3.0);
  EXPECT_DOUBLE_EQ(session_.View().Home.lon, 3.0);
  session_.SortShown(SortOrder::Dist);
  EXPECT_EQ(Shown(), (Names{"gc2", "GC1", "GC3"}));
  EXPECT_TRUE(session_.FilterShown(kFilterDistanceMax, "200"));  // about 157 and 314 km
  EXPECT_EQ(Shown(), (Names{"gc2", "GC1"}));
}

}  // namespace
}  // namespace quill
