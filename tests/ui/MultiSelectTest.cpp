// SPDX-License-Identifier: GPL-3.0-or-later
// Several rows at once: Ctrl and Shift pick them, Delete, "Archive Waypoint"
// and "Save Selected..." take every one of them in one step, the single-row
// commands keep to the current row, and the choice outlives a sort or a
// filter of the rows it names.
#include <gtest/gtest.h>

#include <QAction>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <filesystem>

#include "UiTestSupport.h"
#include "list/ListFilter.h"
#include "session/ListSession.h"
#include "text/Ansi.h"
#include "ui/list/ListPanel.h"
#include "ui/list/ListView.h"
#include "ui/list/WaypointListModel.h"

namespace quill {
namespace {

using test::AcceptFile;
using test::AnswerNextModal;
using test::ReadFileBytes;
using test::TestWaypoint;
using test::WindowFixture;
using Names = std::vector<std::string>;

// North of one another in reverse load order: the North sort turns them round.
const std::vector<TestWaypoint> kSix = {
    {"GC1AAA", 52.6, 5.1, "", "Alpha"}, {"GC1BBB", 52.5, 5.2, "", "Bravo"}, {"GC1CCC", 52.4, 5.3, "", "Charlie"},
    {"GC1DDD", 52.3, 5.4, "", "Delta"}, {"GC1EEE", 52.2, 5.5, "", "Echo"},  {"GC1FFF", 52.1, 5.6, "", "Foxtrot"},
};

class UiMultiSelect : public ::testing::Test, public WindowFixture {
 protected:
  TFormApp& OpenSix() { return Open({QString::fromStdString(WriteGpx("six.gpx", kSix))}, true); }
  // A click on a row with the keyboard modifiers a user holds.
  void Click(int row, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    TListView& view = App().ListView();
    const QRect rect = view.visualRect(App().Model().index(row, 0));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, mods, rect.center());
  }
  Names SelectedNames() {
    Names names;
    for (const TGpxRecord* r : App().SelectedRecords()) names.push_back(r->Name);
    return names;
  }
  std::string Current() {
    const TGpxRecord* r = App().SelectedRecord();
    return r ? r->Name : std::string();
  }
  std::string UndoText() { return App().Action("ActionUndo")->text().toStdString(); }
};

TEST_F(UiMultiSelect, CtrlAndShiftPickRowsAndTheCurrentOneStaysTheSingleRowTarget) {
  TFormApp& app = OpenSix();
  Click(1);
  Click(3, Qt::ShiftModifier);
  Click(5, Qt::ControlModifier);
  EXPECT_EQ(SelectedNames(), (Names{"GC1BBB", "GC1CCC", "GC1DDD", "GC1FFF"}));
  // The edit dialog, Local, Web Link and the converter follow the last click.
  EXPECT_EQ(Current(), "GC1FFF");
  EXPECT_EQ(app.findChild<QLabel*>("LabelRecordCount")->text(), "6 (6)");
  Click(2, Qt::ControlModifier);
  EXPECT_EQ(SelectedNames(), (Names{"GC1BBB", "GC1DDD", "GC1FFF"}));
  // The current row itself was unpicked: the first picked one is the target.
  EXPECT_EQ(Current(), "GC1BBB");
  EXPECT_EQ(app.findChild<QLabel*>("LabelRecordCount")->text(), "2 (6)");
}

TEST_F(UiMultiSelect, DeleteTakesEverySelectedRowInOneStepAfterOneQuestion) {
  TFormApp& app = OpenSix();
  Click(1);
  Click(3, Qt::ControlModifier);
  Click(4, Qt::ControlModifier);
  questions.yesNo = false;
  QTest::keyClick(&app.ListView(), Qt::Key_Delete);
  EXPECT_EQ(questions.captions, (Names{"Delete waypoints"}));
  EXPECT_EQ(app.Model().rowCount(), 6);

  questions.yesNo = true;
  QTest::keyClick(&app.ListView(), Qt::Key_Delete);
  EXPECT_EQ(questions.captions.size(), 2u);
  EXPECT_EQ(RowNames(), (Names{"GC1AAA", "GC1CCC", "GC1FFF"}));
  // The row where the first of them stood.
  EXPECT_EQ(SelectedNames(), (Names{"GC1CCC"}));
  EXPECT_EQ(UndoText(), "Undo Delete 3 waypoints");
  EXPECT_TRUE(app.Session().ListModified());

  app.Action("ActionUndo")->trigger();
  EXPECT_EQ(RowNames(), (Names{"GC1AAA", "GC1BBB", "GC1CCC", "GC1DDD", "GC1EEE", "GC1FFF"}));
  EXPECT_EQ(UndoText(), "Undo Load six.gpx (6 waypoints)");
  EXPECT_FALSE(app.Session().ListModified());
  app.Action("ActionRedo")->trigger();
  EXPECT_EQ(RowNames(), (Names{"GC1AAA", "GC1CCC", "GC1FFF"}));

  // Every row: the list is empty and nothing stays selected.
  app.ListView().selectAll();
  QTest::keyClick(&app.ListView(), Qt::Key_Delete);
  EXPECT_EQ(app.Model().rowCount(), 0);
  EXPECT_EQ(app.SelectedRecord(), nullptr);
  app.Action("ActionUndo")->trigger();
  EXPECT_EQ(app.Model().rowCount(), 3);
}

TEST_F(UiMultiSelect, ArchiveWritesEveryLineOnceAndKeepsAllWhenTheFileCannotBeWritten) {
  const std::string archive = Dir().File("archive.txt");
  test::WriteSetting(SettingsFolder(), "ArchiveFile", Dir().File("no-such-folder/archive.txt"));
  TFormApp& app = OpenSix();
  Click(0);
  Click(2, Qt::ControlModifier);
  app.findChild<QPushButton*>("ButtonArchive")->click();
  EXPECT_EQ(app.Model().rowCount(), 6);
  EXPECT_EQ(UndoText(), "Undo Load six.gpx (6 waypoints)");

  app.Session().Settings().stored.ArchiveFile = Utf8ToAnsi(archive);
  app.findChild<QPushButton*>("ButtonArchive")->click();
  EXPECT_EQ(RowNames(), (Names{"GC1BBB", "GC1DDD", "GC1EEE", "GC1FFF"}));
  const std::string lines = ReadFileBytes(archive);
  EXPECT_NE(lines.find("; GC1AAA"), std::string::npos) << lines;
  EXPECT_NE(lines.find("; GC1CCC"), std::string::npos) << lines;
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 2);
  EXPECT_EQ(UndoText(), "Undo Archive 2 waypoints");
  app.Action("ActionUndo")->trigger();
  EXPECT_EQ(app.Model().rowCount(), 6);
}

TEST_F(UiMultiSelect, SaveSelectedWritesTheRowsInDisplayOrderAndLeavesTheListsFile) {
  TFormApp& app = OpenSix();
  app.Session().SortShown(SortOrder::North);
  ASSERT_EQ(RowNames().front(), "GC1FFF");
  Click(4);
  Click(1, Qt::ControlModifier);
  Click(2, Qt::ControlModifier);
  const std::string target = Dir().File("part.gpx");
  AnswerNextModal([target](QWidget* dialog) { AcceptFile(dialog, target); });
  app.Action("ActionFileSaveSelected")->trigger();
  QTRY_VERIFY(std::filesystem::exists(target));
  const std::string saved = ReadFileBytes(target);
  const std::size_t e = saved.find("GC1EEE");
  const std::size_t d = saved.find("GC1DDD");
  const std::size_t b = saved.find("GC1BBB");
  ASSERT_NE(b, std::string::npos) << saved;
  EXPECT_LT(e, d);
  EXPECT_LT(d, b);
  for (const char* other : {"GC1AAA", "GC1CCC", "GC1FFF"}) EXPECT_EQ(saved.find(other), std::string::npos) << other;
  EXPECT_EQ(app.Session().CurrentFileName(), "six.gpx");
  EXPECT_EQ(app.Model().rowCount(), 6);
}

TEST_F(UiMultiSelect, SelectionOutlivesSortAndFilterWhereTheRowsStayShown) {
  TFormApp& app = OpenSix();
  Click(0);
  Click(3, Qt::ControlModifier);
  Click(5, Qt::ControlModifier);
  ASSERT_EQ(Current(), "GC1FFF");
  app.Session().SortShown(SortOrder::North);
  EXPECT_EQ(RowNames().front(), "GC1FFF");
  EXPECT_EQ(SelectedNames(), (Names{"GC1FFF", "GC1DDD", "GC1AAA"}));
  EXPECT_EQ(Current(), "GC1FFF");
  // Description filter "a": Alpha, Charlie, Delta stay.
  ASSERT_TRUE(app.Session().FilterShown(1, "a"));
  EXPECT_EQ(SelectedNames(), (Names{"GC1DDD", "GC1AAA"}));
  EXPECT_EQ(Current(), "GC1DDD");
  app.Session().ShowAllWaypoints();
  EXPECT_EQ(SelectedNames(), (Names{"GC1AAA", "GC1DDD"}));
}

}  // namespace
}  // namespace quill
