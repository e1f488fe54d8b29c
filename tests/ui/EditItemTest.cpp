// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <cstring>

#include "UiTestSupport.h"
#include "formats/FormatTable.h"
#include "ui/components/UlkStatusBar.h"
#include "ui/list/FormEditItem.h"
#include "ui/list/ListView.h"
#include "ui/list/WaypointListModel.h"
#include "web/WebLaunch.h"
#include "web/WebLinks.h"

namespace quill {
namespace {

using test::AcceptFile;
using test::AnswerNextModal;
using test::ReadFileBytes;
using test::TestWaypoint;
using test::WindowFixture;
using test::WriteSetting;

const std::vector<TestWaypoint> kFour = {
    {"GC1AAA", 52.123456, -4.987654, "", "First", "", "True", "False", "Netherlands"},
    {"Second", 51.512346, 4.401234},
    {"Third", 51.6, 4.5},
    {"Fourth", 51.7, 4.6},
};

class EditDialog : public ::testing::Test, public WindowFixture {
 protected:
  void OpenFour() {
    WriteSetting(SettingsFolder(), "IncludeGroudspeak", 1);
    Open({QString::fromStdString(WriteGpx("four.gpx", kFour))}, false);
    ASSERT_EQ(App().Model().rowCount(), 4);
  }
  // Opens the dialog on `row` the way a user does and hands it to `use`.
  enum class Opening { kHandler, kEnter, kMouse };
  void EditRow(int row, const std::function<void(TFormEditItem&)>& use, Opening how = Opening::kHandler) {
    bool answered = false;
    AnswerNextModal([&](QWidget* w) {
      auto* dialog = qobject_cast<TFormEditItem*>(w);
      ASSERT_NE(dialog, nullptr);
      answered = true;
      use(*dialog);
    });
    App().SelectRow(row);
    TListView& view = App().ListView();
    if (how == Opening::kEnter) {
      QTest::keyClick(&view, Qt::Key_Return);
    } else if (how == Opening::kMouse) {
      // A real double click on the row, as a user makes it.
      const QPoint at = view.visualRect(App().Model().index(row, 0)).center();
      QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, at);
      QTest::mouseDClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    } else {
      App().ListView1DblClick();
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return answered; }, 10000));
  }
  template <class T>
  static T* In(TFormEditItem& d, const char* name) {
    T* w = d.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  static QString Label(TFormEditItem& d) { return In<QLabel>(d, "LabelRecordCount")->text(); }
  static void Click(TFormEditItem& d, const char* name) { In<QAbstractButton>(d, name)->click(); }
  static std::vector<bool> Steps(TFormEditItem& d) {
    std::vector<bool> on;
    for (const char* name : {"BitBtnFirst", "BitBtnPrev", "BitBtnNext", "BitBtnLast"}) {
      on.push_back(In<QAbstractButton>(d, name)->isEnabled());
    }
    return on;
  }
  static bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }
};

TEST_F(EditDialog, EnterOpensTheShownRecordWithEveryControl) {
  OpenFour();
  EditRow(
      0,
      [&](TFormEditItem& d) {
        EXPECT_EQ(d.windowTitle(), "Edit");
        EXPECT_EQ(Label(d), "1 (4)");
        EXPECT_EQ(In<QLineEdit>(d, "EditNaam")->text(), "GC1AAA");
        EXPECT_TRUE(In<QLineEdit>(d, "EditNaam")->font().bold());
        EXPECT_EQ(In<QLineEdit>(d, "EditN")->text(), QString::fromUtf8("52\u00B0 07.407'"));
        EXPECT_EQ(In<QLineEdit>(d, "EditE")->text(), QString::fromUtf8("-4\u00B0 59.259'"));
        EXPECT_EQ(In<QPlainTextEdit>(d, "MemoDesc")->toPlainText(), "First");
        EXPECT_EQ(In<QLineEdit>(d, "EditSym")->text(), "Geocache");
        EXPECT_EQ(In<QLineEdit>(d, "EditTimeStamp")->text(), "24 sep 2010");
        EXPECT_FALSE(In<QLineEdit>(d, "EditTimeStamp")->isEnabled());
        auto* type = In<QComboBox>(d, "MCoPImageComboBoxType");
        ASSERT_EQ(type->count(), 20);
        EXPECT_EQ(type->currentIndex(), 6);
        EXPECT_EQ(type->itemText(19), "GPS Adventures Exhibits");
        for (int t = 0; t < 20; ++t) EXPECT_FALSE(type->itemIcon(t).isNull()) << t;
        EXPECT_TRUE(In<QCheckBox>(d, "CheckBoxFound")->isEnabled());
        const std::pair<const char*, const char*> hints[] = {
            {"EditN", "North coordinate"},
            {"EditE", "East coordinate."},
            {"EditNaam", "Name."},
            {"MCoPImageComboBoxType", "Waypoint type."},
            {"MemoDesc", "Description. (This may consist of multiple lines.)"},
            {"EditUrlName", "URL description."},
            {"MemoCmt", "Comment. (This may consist of multiple lines.)"},
            {"EditSym", "Waypoint Symbol"},
            {"CheckBoxFound", "Geocache found or not."}};
        for (auto [name, hint] : hints) EXPECT_EQ(In<QWidget>(d, name)->toolTip(), hint) << name;
        EXPECT_TRUE(In<QWidget>(d, "EditUrl")->toolTip().startsWith("URL. (If you enter the geocaching code"));
        const std::pair<const char*, const char*> captions[] = {{"ButtonGroundspeak", "Show Cache Info"},
                                                                {"ButtonSaveGpx", "Save GPX"},
                                                                {"ButtonOk", "OK"},
                                                                {"ButtonCancel", "Cancel"},
                                                                {"CheckBoxFound", "Found"}};
        for (auto [name, caption] : captions) EXPECT_EQ(In<QAbstractButton>(d, name)->text(), caption) << name;
        // Cache data: "Show Cache Info" can act.
        EXPECT_TRUE(In<QPushButton>(d, "ButtonGroundspeak")->isEnabled());
        EXPECT_EQ(Steps(d), (std::vector<bool>{false, false, true, true}));
        Click(d, "BitBtnLast");
        EXPECT_EQ(Label(d), "4 (4)");
        EXPECT_EQ(Steps(d), (std::vector<bool>{true, true, false, false}));
        EXPECT_FALSE(In<QPushButton>(d, "ButtonGroundspeak")->isEnabled());
        Click(d, "ButtonCancel");
      },
      Opening::kEnter);
  // Stepping without a change stores nothing.
  EXPECT_FALSE(App().Session().ListModified());
}

TEST_F(EditDialog, OneRowListHasNoSteps) {
  Open({QString::fromStdString(WriteGpx("one.gpx", {{"Only", 1, 2}}))}, false);
  EditRow(0, [&](TFormEditItem& d) {
    EXPECT_EQ(Label(d), "1 (1)");
    EXPECT_EQ(Steps(d), (std::vector<bool>(4, false)));
    d.reject();
  });
}

TEST_F(EditDialog, NameChangedThenNextStoresItAndCancelKeepsIt) {
  OpenFour();
  EditRow(
      1,
      [&](TFormEditItem& d) {
        EXPECT_EQ(Label(d), "2 (4)");
        In<QLineEdit>(d, "EditNaam")->setText("Renamed");
        Click(d, "BitBtnNext");
        EXPECT_EQ(Label(d), "3 (4)");
        EXPECT_EQ(In<QLineEdit>(d, "EditNaam")->text(), "Third");
        // An edit of row 3 is dropped by Cancel.
        In<QLineEdit>(d, "EditNaam")->setText("Dropped");
        Click(d, "ButtonCancel");
      },
      Opening::kMouse);
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"GC1AAA", "Renamed", "Third", "Fourth"}));
  EXPECT_EQ(App().Model().index(1, 0).data().toString(), "Renamed");
  EXPECT_TRUE(App().Session().ListModified());
  EXPECT_EQ(App().SelectedIndex(), 2);
  EXPECT_EQ(App().Session().Store().FirstWithName("Renamed"), App().Model().RecordAt(1));
}

// Coordinates that do not read: OK, Next and Prev keep the dialog on the
// record, store nothing of it, mark the field and say what could not be read.
TEST_F(EditDialog, APositionThatDoesNotReadIsNeverStored) {
  OpenFour();
  const int gpx = FormatCodeForExtension(".gpx");
  ASSERT_TRUE(App().SaveFile(Dir().File("before.gpx"), gpx));
  const struct {
    const char* field;
    const char* typed;
    const char* button;
    const char* said;
  } cases[] = {
      {"EditN", "abc", "ButtonOk", "Not a position: abc"},
      {"EditN", "53 24.42l", "BitBtnNext", "Not a position: 53 24.42l"},
      {"EditE", "4 30.1x", "BitBtnPrev", "Not a position: 4 30.1x"},
      {"EditN", "155000x", "ButtonOk", "Not a position: 155000x"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    bool stayed = false;
    EditRow(1, [&](TFormEditItem& d) {
      In<QLineEdit>(d, "EditNaam")->setText("Renamed");
      auto* field = In<QLineEdit>(d, c.field);
      const QColor base = field->palette().color(QPalette::Base);
      field->setText(c.typed);
      Click(d, c.button);
      stayed = d.isVisible();
      EXPECT_EQ(Label(d), "2 (4)");
      EXPECT_EQ(In<QLabel>(d, "LabelNotAPosition")->text(), c.said);
      EXPECT_TRUE(In<QLabel>(d, "LabelNotAPosition")->isVisibleTo(&d));
      EXPECT_NE(field->palette().color(QPalette::Base), base);
      EXPECT_EQ(field->selectedText(), c.typed);
      d.reject();
    });
    EXPECT_TRUE(stayed);
    EXPECT_EQ(App().StatusBar().MessageText().toStdString(), c.said);
    EXPECT_EQ(App().StatusBar().MessageLevel(), 2);
  }
  EXPECT_FALSE(App().Session().ListModified());
  ASSERT_TRUE(App().SaveFile(Dir().File("after.gpx"), gpx));
  auto waypoints = [](const std::string& text) { return text.substr(text.find("<wpt")); };
  EXPECT_EQ(waypoints(ReadFileBytes(Dir().File("after.gpx"))), waypoints(ReadFileBytes(Dir().File("before.gpx"))));
  // Mended, the same showing stores.
  EditRow(1, [&](TFormEditItem& d) {
    In<QLineEdit>(d, "EditN")->setText("abc");
    Click(d, "ButtonOk");
    EXPECT_TRUE(In<QLabel>(d, "LabelNotAPosition")->isVisibleTo(&d));
    In<QLineEdit>(d, "EditN")->setText("N 50 30.000");
    Click(d, "ButtonOk");
    EXPECT_FALSE(d.isVisible());
  });
  EXPECT_DOUBLE_EQ(App().Model().RecordAt(1)->Lat, 50.5);
  EXPECT_EQ(App().StatusBar().MessageText(), "");
}

TEST_F(EditDialog, OkOnAnUntouchedRecordKeepsItsCoordinatesBitForBit) {
  OpenFour();
  const TGpxRecord* r = App().Model().RecordAt(1);
  const double lat = r->Lat, lon = r->Lon;
  const int gpx = FormatCodeForExtension(".gpx");
  ASSERT_TRUE(App().SaveFile(Dir().File("before.gpx"), gpx));
  EditRow(1, [&](TFormEditItem& d) {
    // What is shown is rounded to a thousandth of a minute.
    EXPECT_EQ(In<QLineEdit>(d, "EditN")->text(), QString::fromUtf8("51\u00B0 30.741'"));
    Click(d, "ButtonOk");
  });
  // Nothing changed: no step to undo, and nothing to save.
  EXPECT_FALSE(App().Session().ListModified());
  EXPECT_FALSE(App().Session().CanUndo() && App().Session().UndoName().rfind("Edit", 0) == 0);
  EXPECT_TRUE(SameBits(r->Lat, lat));
  EXPECT_TRUE(SameBits(r->Lon, lon));
  ASSERT_TRUE(App().SaveFile(Dir().File("after.gpx"), gpx));
  auto waypoints = [](const std::string& text) { return text.substr(text.find("<wpt")); };
  const std::string after = ReadFileBytes(Dir().File("after.gpx"));
  EXPECT_EQ(waypoints(after), waypoints(ReadFileBytes(Dir().File("before.gpx"))));
  EXPECT_NE(after.find("<wpt lat=\"51.512346000\" lon=\"4.401234000\">"), std::string::npos);
}

TEST_F(EditDialog, TypeAndFoundDriveTheSymbolAndRdAndGcCodeAreStored) {
  OpenFour();
  EditRow(2, [&](TFormEditItem& d) {
    auto* type = In<QComboBox>(d, "MCoPImageComboBoxType");
    auto* found = In<QCheckBox>(d, "CheckBoxFound");
    auto* sym = In<QLineEdit>(d, "EditSym");
    type->setCurrentIndex(1);
    emit type->activated(1);
    EXPECT_FALSE(found->isEnabled());
    EXPECT_EQ(sym->text(), "Parking Area");
    type->setCurrentIndex(6);
    emit type->activated(6);
    EXPECT_TRUE(found->isEnabled());
    found->click();
    EXPECT_EQ(sym->text(), "Geocache Found");
    In<QLineEdit>(d, "EditN")->setText("155000");
    In<QLineEdit>(d, "EditE")->setText("463000");
    In<QLineEdit>(d, "EditUrl")->setText("GC12AB");
    Click(d, "ButtonOk");
  });
  const TGpxRecord* r = App().Model().RecordAt(2);
  EXPECT_EQ(r->TypeCode, 6);
  EXPECT_TRUE(r->Found);
  EXPECT_EQ(r->Sym, "Geocache Found");
  EXPECT_NEAR(r->Lat, 52.1552, 0.001);
  EXPECT_NEAR(r->Lon, 5.3872, 0.001);
  EXPECT_EQ(r->UrlName, "GC12AB");
  EXPECT_EQ(r->Url, CacheShortLink("GC12AB"));
}

TEST_F(EditDialog, ShowCacheInfoOpensThePageOfTheShownCache) {
  OpenFour();
  test::RecordingLauncher launcher;
  App().Session().SetLauncher(&launcher);
  App().Session().SetProgramFolder(Dir().path() + "/");
  App().Session().SetWorkFolder(Dir().File("work"));
  ASSERT_EQ(mkdir(Dir().File("html").c_str(), 0755), 0);
  test::WriteFileBytes(Dir().File("html/default.htm"), "<html><!--NAME--></html>");
  EditRow(0, [&](TFormEditItem& d) {
    Click(d, "ButtonGroundspeak");
    d.reject();
  });
  ASSERT_EQ(launcher.opened.size(), 1u);
  EXPECT_EQ(launcher.opened[0], "file:" + CachePagePath(App().Session()));
  App().Session().SetLauncher(nullptr);
}

TEST_F(EditDialog, SaveGpxOffersTheNameAndWritesTheStoredRecord) {
  OpenFour();
  const std::string path = Dir().File("saved.gpx");
  QString offered;
  QStringList filters;
  EditRow(0, [&](TFormEditItem& d) {
    // Not stored yet: not in the file.
    In<QLineEdit>(d, "EditNaam")->setText("Unstored");
    AnswerNextModal([&](QWidget* w) {
      auto* files = qobject_cast<QFileDialog*>(w);
      offered = files->findChild<QLineEdit*>("fileNameEdit")->text();
      filters = files->nameFilters();
      AcceptFile(files, path);
    });
    Click(d, "ButtonSaveGpx");
    d.reject();
  });
  EXPECT_EQ(offered, "GC1AAA.gpx");
  EXPECT_EQ(filters, QStringList{"GPX files (*.gpx)"});
  const std::string text = ReadFileBytes(path);
  EXPECT_NE(text.find("creator=\"Tarnwick\""), std::string::npos);
  EXPECT_NE(text.find("<bounds minlat=\"52.123456\" minlon=\"-4.987654\" maxlat=\"52.123456\" maxlon=\"-4.987654\""),
            std::string::npos);
  EXPECT_NE(text.find("<name>GC1AAA</name>"), std::string::npos);
  EXPECT_EQ(text.find("Unstored"), std::string::npos);
  EXPECT_NE(text.find("<groundspeak:cache"), std::string::npos);
}

}  // namespace
}  // namespace quill
