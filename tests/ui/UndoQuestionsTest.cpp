// SPDX-License-Identifier: GPL-3.0-or-later
// The window's undo (Edit > Undo and Redo, Ctrl+Z and Ctrl+Shift+Z, the step
// named in the menu, title and modified mark following) and its questions
// that destroy data: No is what Enter and Escape answer, and the question
// names the operation and its size.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "UiTestSupport.h"
#include "formats/FormatTable.h"
#include "session/FavoriteTransfer.h"
#include "ui/app/ConverterPanel.h"
#include "ui/list/FileCommands.h"
#include "ui/list/FormEditItem.h"
#include "ui/list/FtpCommands.h"
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
using test::WriteSetting;

const std::vector<TestWaypoint> kThree = {
    {"GC1AAA", 52.1, 5.1, "https://example.org/GC1AAA", "First cache", "First", "True", "False", "Netherlands"},
    {"GC1BBB", 51.5, 4.4, "", "Second"},
    {"GC1CCC", 51.2, 4.2, "", "Third"},
};

// A saved list without the time of its save.
std::string Saved(const std::string& path) {
  std::string text = ReadFileBytes(path);
  const std::size_t time = text.find("<time>");
  if (time != std::string::npos) text.erase(time, text.find('\n', time) - time);
  return text;
}

class UiUndo : public ::testing::Test, public WindowFixture {
 protected:
  std::string UndoText() { return App().Action("ActionUndo")->text().toStdString(); }
  std::string Title() { return App().windowTitle().toStdString(); }
  void CtrlZ(Qt::KeyboardModifiers extra = Qt::NoModifier) {
    QApplication::setActiveWindow(&App());
    QTest::keyClick(&App().ListView(), Qt::Key_Z, Qt::ControlModifier | extra);
  }
};

TEST_F(UiUndo, DeleteEditAndClearComeBackWithCtrlZAndSaveAsBefore) {
  TFormApp& app = Open({QString::fromStdString(WriteGpx("three.gpx", kThree))}, false);
  const int gpx = FormatCodeForExtension(".gpx");
  ASSERT_TRUE(app.SaveFile(Dir().File("before.gpx"), gpx));
  ASSERT_TRUE(app.SaveFile(Dir().File("three.gpx"), gpx));
  EXPECT_EQ(Title(), "Quillmark - three.gpx[*]");
  EXPECT_FALSE(app.isWindowModified());
  EXPECT_FALSE(app.Action("ActionUndo")->isEnabled() && UndoText() != "Undo Load three.gpx (3 waypoints)");

  app.SelectRow(1);
  QTest::keyClick(&app.ListView(), Qt::Key_Delete);
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"GC1AAA", "GC1CCC"}));
  EXPECT_EQ(UndoText(), "Undo Delete GC1BBB");
  EXPECT_TRUE(app.isWindowModified());

  AnswerNextModal([](QWidget* w) {
    auto& d = *qobject_cast<TFormEditItem*>(w);
    d.findChild<QLineEdit*>("EditNaam")->setText("Renamed");
    d.findChild<QPushButton*>("ButtonOk")->click();
  });
  app.EditRow(0);
  EXPECT_EQ(UndoText(), "Undo Edit Renamed");

  app.findChild<QPushButton*>("ButtonDeleteAll")->click();
  EXPECT_EQ(app.Model().rowCount(), 0);
  EXPECT_EQ(UndoText(), "Undo Clear List (2 waypoints)");
  EXPECT_EQ(Title(), "Quillmark[*]");

  for (const char* next : {"Undo Edit Renamed", "Undo Delete GC1BBB", "Undo Load three.gpx (3 waypoints)"}) {
    CtrlZ();
    EXPECT_EQ(UndoText(), next);
  }
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"GC1AAA", "GC1BBB", "GC1CCC"}));
  // The deleted row is selected again; the list is as it was saved.
  EXPECT_EQ(app.SelectedIndex(), 1);
  EXPECT_EQ(Title(), "Quillmark - three.gpx[*]");
  EXPECT_FALSE(app.isWindowModified());
  ASSERT_TRUE(app.SaveFile(Dir().File("after.gpx"), gpx));
  EXPECT_EQ(Saved(Dir().File("after.gpx")), Saved(Dir().File("before.gpx")));

  CtrlZ(Qt::ShiftModifier);
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"GC1AAA", "GC1CCC"}));
  EXPECT_EQ(app.Action("ActionRedo")->text().toStdString(), "Redo Edit Renamed");
}

TEST_F(UiUndo, AddToListSelectsTheNewRowAndUndoTakesItAway) {
  TFormApp& app = Open({QString::fromStdString(WriteGpx("three.gpx", kThree))}, false);
  app.Converter().ShowResult(50.5, 6.5, 0);
  AnswerNextModal([](QWidget* w) {
    w->findChild<QLineEdit*>("EditNaam")->setText("New point");
    w->findChild<QPushButton*>("ButtonOk")->click();
  });
  app.Converter().ButtonAddWp()->click();
  ASSERT_EQ(app.Model().rowCount(), 4);
  EXPECT_EQ(app.SelectedIndex(), 3);
  EXPECT_EQ(app.SelectedRecord()->Name, "New point");
  EXPECT_EQ(UndoText(), "Undo Add New point");
  app.Action("ActionUndo")->trigger();
  EXPECT_EQ(app.Model().rowCount(), 3);
  EXPECT_FALSE(app.isWindowModified());
}

// ---- questions that destroy data ----

struct Question {
  const char* caption;
  const char* detail;  // a part of the informative line
};

class UiQuestions : public ::testing::Test, public WindowFixture {
 protected:
  // The first and the last of the three rows.
  static void SelectTwo(TFormApp& app) {
    const auto& shown = app.Session().Store().ShownWaypoints();
    ASSERT_TRUE(app.ListPanel().SelectRecords({shown.front(), shown.back()}, shown.back()));
  }
  // Answers the coming question with key, after checking what it says and
  // that No is its default and its escape button.
  void AnswerWith(Qt::Key key, const Question& expected) {
    AnswerNextModal([this, key, expected](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      ASSERT_NE(box, nullptr) << w->objectName().toStdString();
      asked = box->windowTitle().toStdString();
      EXPECT_EQ(box->text(), "Are you sure?");
      EXPECT_TRUE(box->informativeText().contains(expected.detail)) << box->informativeText().toStdString();
      EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
      EXPECT_EQ(box->escapeButton(), box->button(QMessageBox::No));
      QTest::keyClick(box, key);
    });
  }
  std::string asked;
};

TEST_F(UiQuestions, EnterAndEscapeKeepTheData) {
  WriteSetting(SettingsFolder(), "WarnDel", 1);
  WriteSetting(SettingsFolder(), "FtpHost", "127.0.0.1:1");
  WriteSetting(SettingsFolder(), "FtpRemFilenameFav", "fav.gpx");
  const std::string file = WriteGpx("three.gpx", kThree);
  WriteSetting(SettingsFolder(), "FavoriteFile", file);
  const std::string original = ReadFileBytes(file);
  const std::string archive = Dir().File("archive.txt");
  WriteSetting(SettingsFolder(), "ArchiveFile", archive);
  struct Case {
    Question question;
    std::function<void(TFormApp&)> ask;
  };
  const Case cases[] = {
      {{"Clear the list", "Clear the list of 3 waypoints."},
       [](TFormApp& app) { app.findChild<QPushButton*>("ButtonDeleteAll")->click(); }},
      {{"Delete waypoint", "Delete GC1BBB: one of 3 waypoints."},
       [](TFormApp& app) {
         app.SelectRow(1);
         QTest::keyClick(&app.ListView(), Qt::Key_Delete);
       }},
      {{"Delete waypoints", "Delete 2 waypoints; the list keeps 1 waypoint."},
       [](TFormApp& app) {
         SelectTwo(app);
         QTest::keyClick(&app.ListView(), Qt::Key_Delete);
       }},
      {{"Archive Waypoint", "Archive 2 waypoints to archive.txt and take them out of the list."},
       [](TFormApp& app) {
         SelectTwo(app);
         app.findChild<QPushButton*>("ButtonArchive")->click();
       }},
      {{"Save", "Save 3 waypoints over three.gpx: the geocaching info"},
       [&](TFormApp& app) { app.SaveFile(file, kFormatByExtension); }},
      {{"Save Favorite File", "Save 3 waypoints over three.gpx."},
       [](TFormApp& app) {
         app.Session().SetFavoriteLoaded();
         app.findChild<QPushButton*>("ButtonSaveFavorite")->click();
       }},
      {{"FTP Upload GPX", "Upload 3 waypoints over fav.gpx on 127.0.0.1:1."},
       [](TFormApp& app) { app.findChild<QPushButton*>("ButtonFtpSave")->click(); }},
      {{"Exit without saving list", "lose the unsaved changes to three.gpx (3 waypoints)."},
       [](TFormApp& app) {
         app.Session().SetListModified(true);
         app.close();
       }},
  };
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.question.caption) + (key == Qt::Key_Return ? " Enter" : " Escape"));
      // The Groundspeak data left out, so that a save over the file asks.
      TFormApp& app = Open({QString::fromStdString(file)}, true);
      app.SetQuestionOverride(nullptr);
      asked.clear();
      AnswerWith(key, c.question);
      c.ask(app);
      EXPECT_TRUE(QTest::qWaitFor([&] { return !asked.empty(); }, 10000));
      EXPECT_EQ(asked, c.question.caption);
      EXPECT_EQ(app.Model().rowCount(), 3);
      EXPECT_TRUE(app.isVisible());
      EXPECT_FALSE(app.Ftp().Busy());
      EXPECT_EQ(ReadFileBytes(file), original);
      EXPECT_FALSE(QFile::exists(QString::fromStdString(archive)));
      app.Session().SetListModified(false);
    }
  }
}

TEST_F(UiQuestions, TheReplaceQuestionOfTheSaveDialogKeepsTheFileOnEnter) {
  const std::string file = WriteGpx("three.gpx", kThree);
  const std::string original = ReadFileBytes(file);
  TFormApp& app = Open({QString::fromStdString(file)}, false);
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
    bool answered = false;
    AnswerNextModal([&](QWidget* dialog) {
      AnswerNextModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->objectName(), "ReplaceQuestion");
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
        EXPECT_EQ(box->escapeButton(), box->button(QMessageBox::No));
        answered = true;
        QTest::keyClick(box, key);
      });
      AcceptFile(dialog, file);
      // Still open after a No: cancelled here.
      if (dialog->isVisible()) qobject_cast<QDialog*>(dialog)->reject();
    });
    app.ActionFileSaveExecute();
    EXPECT_TRUE(answered);
    EXPECT_EQ(ReadFileBytes(file), original);
  }
}

}  // namespace
}  // namespace quill
