// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QUrl>

#include "UiTestSupport.h"
#include "base/ProgramFolders.h"
#include "formats/FormatTable.h"
#include "geo/Converter.h"
#include "support/DarkPalette.h"
#include "text/QtText.h"
#include "ui/app/ConverterPanel.h"
#include "ui/app/HelpWindow.h"
#include "ui/components/UlkStatusBar.h"
#include "ui/list/FileCommands.h"
#include "ui/list/FormSelectWpAddMode.h"
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
    {"GC1BBB", 51.5, 4.4, "", "Second", "", "", "", ""},
    {"GC1CCC", -33.869443, 151.208333, "https://example.org/GC1CCC", "Third", "Sydney", "False", "True", "Australia"},
};

class UiWindow : public ::testing::Test, public WindowFixture {
 protected:
  QString Text(const char* name) {
    if (auto* e = Find<QLineEdit>(name)) return e->text();
    if (auto* l = Find<QLabel>(name)) return l->text();
    if (auto* b = Find<QAbstractButton>(name)) return b->text();
    ADD_FAILURE() << "no control " << name;
    return {};
  }
  void Click(const char* name) {
    auto* b = Find<QAbstractButton>(name);
    ASSERT_NE(b, nullptr) << name;
    b->click();
  }
  void SelectRow(int row) { App().SelectRow(row); }
  void PressInList(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(&App().ListView(), static_cast<Qt::Key>(key), mods);
  }
};

// ---- shell ----

TEST_F(UiWindow, OpensWithEveryControlNamedAndCaptioned) {
  TFormApp& app = Open();
  EXPECT_EQ(app.windowTitle(), "Quillmark[*]");
  EXPECT_FALSE(app.isWindowModified());
  EXPECT_EQ(Text("LabelRecordCount"), "(0)");
  const std::pair<const char*, const char*> captions[] = {
      {"ButtonConvert", "Calculate"},
      {"ButtonClear", "Clear input"},
      {"ButtonConvertRD", "Calc"},
      {"ButtonConvertUTM", "Calc"},
      {"ButtonConvertLambert", "Calc"},
      {"ButtonConvertECEF", "Calc"},
      {"RadioButtonInputWGS84", "WGS84"},
      {"RadioButtonInputED50", "ED50"},
      {"RadioButtonInputBessel", "Bessel"},
      {"ButtonAddWp", "Add to list"},
      {"ButtonGoogleMaps", "Google Maps"},
      {"ButtonLiveCom", "VE"},
      {"ButtonOpenFile", "Load"},
      {"ButtonLoadFavorite", "Fav"},
      {"ButtonFtpLoad", "Ftp"},
      {"ButtonSaveFile", "Save"},
      {"ButtonSaveFavorite", "Fav"},
      {"ButtonFtpSave", "Ftp"},
      {"ButtonDeleteAll", "Clear List"},
      {"ButtonSort", "Sort by Name"},
      {"ButtonFilter", "Filter"},
      {"ButtonShowAll", "Show All"},
      {"ButtonLaunch", "Web Link"},
      {"ButtonLaunchLocal", "Local"},
      {"ButtonGoogleEarth", "Google Earth"},
      {"ButtonArchive", "Archive Waypoint"},
      {"LabelFiltered", "(Filtered)"},
      {"LabelRecord", "Record"},
      {"Label_altitude", "Altitude"},
  };
  for (const auto& [name, caption] : captions) EXPECT_EQ(Text(name), caption) << name;
  EXPECT_EQ(Find<QGroupBox>("GroupBoxInvoerWGS84")->title(), " Input ");
  EXPECT_EQ(Find<QGroupBox>("GroupBoxResultaten")->title(), " Results ");
  EXPECT_EQ(Find<QGroupBox>("GroupBoxWaypointLijst")->title(), " Waypoint List ");
  for (const char* edit : {"EditN", "EditE", "EditRD", "EditUTM", "EditLambert", "EditEcef", "UlkEditResultDeg",
                           "UlkEditResultDegMin", "UlkEditResultDegMinSec", "UlkEditResultRD", "UlkEditResultUTM",
                           "UlkEditResultLambert", "UlkEditResultECEF", "UlkEditResultAltitude"}) {
    ASSERT_NE(Find<QLineEdit>(edit), nullptr) << edit;
    EXPECT_TRUE(Find<QLineEdit>(edit)->text().isEmpty()) << edit;
  }
  EXPECT_TRUE(Find<QLineEdit>("UlkEditResultDeg")->isReadOnly());
  EXPECT_EQ(Find<QComboBox>("ComboBoxNorth")->currentText(), "N");
  EXPECT_EQ(Find<QComboBox>("ComboBoxEast")->currentText(), "E");
  EXPECT_TRUE(Find<QRadioButton>("RadioButtonInputWGS84")->isChecked());

  QHeaderView* header = app.ListView().header();
  const char* headers[] = {"Name", "Latitude (N)", "Longitude (E)", "Description", "TimeStamp"};
  const int widths[] = {265, 90, 90, 300, 90};
  for (int c = 0; c < 5; ++c) {
    EXPECT_EQ(app.Model().headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), headers[c]);
    if (c < 4) {
      EXPECT_EQ(header->sectionSize(c), widths[c]);
    }
  }
  // Empty list: only Load and Save (and the never-disabled Show All) work.
  for (const char* b : {"ButtonLaunch", "ButtonLaunchLocal", "ButtonGoogleEarth", "ButtonArchive", "ButtonDeleteAll",
                        "ButtonSort", "ButtonFilter", "ButtonLoadFavorite", "ButtonSaveFavorite"}) {
    EXPECT_FALSE(Find<QWidget>(b)->isEnabled()) << b;
  }
  EXPECT_TRUE(Find<QWidget>("ButtonOpenFile")->isEnabled());
  EXPECT_TRUE(Text("LabelVersion").startsWith("V 0."));
  EXPECT_TRUE(Text("LabelVersion").contains("  ("));

  // The popup menu and its submenus, in order.
  QMenu* popup = app.PopupMenu();
  QStringList top;
  for (QAction* a : popup->actions()) top << a->text();
  EXPECT_EQ(top, QStringList({"Sort", "4th Column", "5th Column", "Rename Waypoints", "Filter Waypoints", "",
                              "Save Selected…", "Send to GPS…"}));
  QStringList sort;
  for (QAction* a : app.SortMenu()->actions()) sort << a->text();
  EXPECT_EQ(sort, QStringList({"Sort by Name", "Sort by GC-Name", "Sort by Timestamp", "Sort by Date Found",
                               "Sort by Distance from home", "Sort by North coordinates", "Sort by East coordinates",
                               "Sort by Cache Type", "Sort by 'Placed by'", "Sort by Logs", "Sort by Country",
                               "Sort by State", "Sort by Difficulty"}));
  QStringList column4;
  for (QAction* a : app.findChild<QMenu*>("MenuColumn4")->actions()) column4 << a->text();
  EXPECT_EQ(column4, QStringList({"Description", "Comment", "URL Name", "Timestamp", "Date Found", "Distance from Home",
                                  "'Placed By'", "Logs", "Country", "State", "Difficulty"}));
  EXPECT_TRUE(app.findChild<QAction*>("MenuColumn4Desc")->isChecked());
  EXPECT_TRUE(app.findChild<QAction*>("MenuColumn5Timestamp")->isChecked());
}

TEST_F(UiWindow, CannotShrinkBelowItsDesignSize) {
  TFormApp& app = Open();
  EXPECT_EQ(app.minimumSize(), QSize(1034, 692));
  app.resize(400, 300);
  EXPECT_GE(app.width(), 1034);
  EXPECT_GE(app.height(), 692);
  // The layout itself fits into the design size.
  EXPECT_LE(app.minimumSizeHint().width(), 1034);
  EXPECT_LE(app.minimumSizeHint().height(), 692);
}

const char* const kExtendedOnly[] = {
    "PanelLatLonFormat",  "Label_altitude", "UlkEditResultAltitude", "ButtonLiveCom", "ButtonLoadFavorite",
    "ButtonSaveFavorite", "ButtonFtpLoad",  "ButtonFtpSave",         "ButtonArchive", "LabelImportTime"};

TEST_F(UiWindow, ExtendedModeOffHidesItsControls) {
  const auto& hidden = kExtendedOnly;
  Open({}, false);
  EXPECT_FALSE(App().ExtendedMode());
  for (const char* name : hidden) EXPECT_TRUE(Find<QWidget>(name)->isHidden()) << name;
  EXPECT_EQ(Find<QWidget>("ButtonGoogleMaps")->width(), 97);
  EXPECT_EQ(Find<QWidget>("ButtonOpenFile")->width(), 97);
  EXPECT_EQ(Find<QWidget>("ButtonSaveFile")->width(), 97);

  Open({}, true);
  for (const char* name : hidden) EXPECT_FALSE(Find<QWidget>(name)->isHidden()) << name;
  // The design widths, or what the caption needs in the font at hand.
  for (auto [name, width] : {std::pair{"ButtonGoogleMaps", 73}, {"ButtonOpenFile", 49}, {"ButtonSaveFile", 49}}) {
    auto* b = Find<QPushButton>(name);
    EXPECT_GE(b->width(), width) << name;
    EXPECT_GE(b->width(), b->fontMetrics().horizontalAdvance(b->text())) << name;
    EXPECT_LT(b->width(), 97) << name;
  }
}

TEST(WindowArguments, ExtendedSwitchIsTakenWherever) {
  const struct {
    QStringList in;
    bool found;
    QStringList rest;
  } cases[] = {
      {{}, false, {}},
      {{"a.gpx"}, false, {"a.gpx"}},
      {{"--extended"}, true, {}},
      {{"a.gpx", "--extended"}, true, {"a.gpx"}},
      {{"--extended", "--log-level", "2", "--extended", "a.gpx"}, true, {"--log-level", "2", "a.gpx"}},
      {{"--extendedx", "./--extended"}, false, {"--extendedx", "./--extended"}},
  };
  for (const auto& c : cases) {
    QStringList args = c.in;
    EXPECT_EQ(TakeExtendedArgument(args), c.found) << c.in.join(' ').toStdString();
    EXPECT_EQ(args, c.rest) << c.in.join(' ').toStdString();
  }
}

TEST_F(UiWindow, ExtendedSwitchShowsTheHiddenControlsForTheRun) {
  std::string file = WriteGpx("start.gpx", kThree);
  QStringList args = {"--extended", QString::fromStdString(file)};
  bool extended = TakeExtendedArgument(args);
  Open(args, extended);
  EXPECT_TRUE(App().ExtendedMode());
  for (const char* name : kExtendedOnly) EXPECT_TRUE(Find<QWidget>(name)->isVisible()) << name;
  EXPECT_EQ(App().Model().rowCount(), 3);
  QStringList filters;
  AnswerNextModal([&](QWidget* w) {
    filters = qobject_cast<QFileDialog*>(w)->nameFilters();
    qobject_cast<QDialog*>(w)->reject();
  });
  App().ActionFileSaveExecute();
  EXPECT_TRUE(filters.contains("KML files (*.kml)"));
}

TEST_F(UiWindow, F1ShowsTheHelpPage) {
  TFormApp& app = Open();
  app.activateWindow();
  QTest::keyClick(&app, Qt::Key_F1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return app.Help() && app.Help()->isVisible(); }, 10000));
  EXPECT_TRUE(app.Help()->PageText().contains("Quillmark"));
}

TEST_F(UiWindow, HelpAboutNamesTheProgramItsDataItsQtAndItsLicence) {
  TFormApp& app = Open();
  QString title, text;
  AnswerNextModal([&](QWidget* box) {
    EXPECT_EQ(box->objectName(), "FormAbout");
    title = box->windowTitle();
    text = qobject_cast<QMessageBox*>(box)->text();
    qobject_cast<QMessageBox*>(box)->accept();
  });
  app.Action("ActionAbout")->trigger();
  EXPECT_EQ(title, "About Quillmark");
  for (const QString& part : {QString("Quillmark ") + QString::fromStdString(app.Identity().fileVersion),
                              "Data folder: " + QString::fromStdString(DataFolder()), QString("Qt ") + qVersion(),
                              QString("GNU General Public License, version 3 or later")}) {
    EXPECT_TRUE(text.contains(part)) << part.toStdString() << "\n" << text.toStdString();
  }
  QMenu* help = app.findChild<QMenu*>("MenuHelp");
  QMenu* tools = app.findChild<QMenu*>("MenuTools");
  ASSERT_NE(help, nullptr);
  ASSERT_NE(tools, nullptr);
  auto names = [](QMenu* menu) {
    QStringList found;
    for (QAction* a : menu->actions()) found << (a->isSeparator() ? QString("-") : a->objectName());
    return found;
  };
  // The tool commands place their actions among the window's in the menus' order.
  EXPECT_EQ(names(help), (QStringList{"ActionHelpHelp", "ActionAbout", "ActionAboutQt"}));
  EXPECT_EQ(names(tools),
            (QStringList{"ActionSetup", "-", "ActionLetterFrequency", "ActionGpsReceiver", "ActionGpsStop"}));
}

TEST_F(UiWindow, SettingsAreReadAtStart) {
  WriteSetting(SettingsFolder(), "NorthDefault", 1);
  WriteSetting(SettingsFolder(), "EastDefault", 1);
  WriteSetting(SettingsFolder(), "FavoriteFile", "/tmp/fav.gpx");
  WriteSetting(SettingsFolder(), "WarnDel", 1);
  WriteSetting(SettingsFolder(), "GmZoomLevel", "not a number");
  TFormApp& app = Open();
  EXPECT_EQ(Find<QComboBox>("ComboBoxNorth")->currentText(), "S");
  EXPECT_EQ(Find<QComboBox>("ComboBoxEast")->currentText(), "W");
  EXPECT_TRUE(Find<QWidget>("ButtonLoadFavorite")->isEnabled());
  EXPECT_TRUE(Find<QWidget>("ButtonSaveFavorite")->isEnabled());
  EXPECT_TRUE(app.Settings().WarnDel);
  EXPECT_EQ(app.Settings().GmZoomLevel, 14);
  EXPECT_TRUE(app.Settings().WarnExit);
}

TEST_F(UiWindow, WindowPositionIsRestoredAndWrittenAtClose) {
  WriteSetting(SettingsFolder(), "AppLeft", 120);
  WriteSetting(SettingsFolder(), "AppTop", 0);
  TFormApp& app = Open();
  // Top 0 puts the client area at the screen's edge; its frame is kept on
  // the screen above it.
  EXPECT_EQ(app.geometry().left(), 120);
  EXPECT_EQ(app.frameGeometry().top(), 0);
  app.setGeometry(QRect(QPoint(50, 60), app.size()));
  EXPECT_TRUE(app.close());
  EXPECT_EQ(test::ReadSettingInt(SettingsFolder(), "AppLeft", -1), 50);
  EXPECT_EQ(test::ReadSettingInt(SettingsFolder(), "AppTop", -1), 60);
  // Every next start puts it back where it was, frame or no frame: it does
  // not creep.
  for (int start = 0; start < 5; ++start) {
    TFormApp& again = Open();
    EXPECT_EQ(again.geometry().topLeft(), QPoint(50, 60)) << "start " << start;
    EXPECT_TRUE(again.close());
    EXPECT_EQ(test::ReadSettingInt(SettingsFolder(), "AppLeft", -1), 50) << "start " << start;
    EXPECT_EQ(test::ReadSettingInt(SettingsFolder(), "AppTop", -1), 60) << "start " << start;
  }
}

TEST_F(UiWindow, TwoWindowsClosingKeepTheSettingsWhole) {
  WriteSetting(SettingsFolder(), "HomeCoords", "N 52 E 5");
  FormAppOptions options;
  options.settingsFolder = SettingsFolder();
  options.listenForFiles = false;
  TFormApp first(options);
  TFormApp second(options);
  first.show();
  second.show();
  first.setGeometry(QRect(QPoint(100, 110), first.size()));
  second.setGeometry(QRect(QPoint(200, 210), second.size()));
  EXPECT_TRUE(first.close());
  EXPECT_TRUE(second.close());
  // The last to close wins, as one whole position; nothing else is lost.
  EXPECT_EQ(test::ReadSettingInt(SettingsFolder(), "AppLeft", -1), 200);
  EXPECT_EQ(test::ReadSettingInt(SettingsFolder(), "AppTop", -1), 210);
  TUlkRegistry registry(SettingsFolder());
  registry.Init(RegistryRoot::kLocalMachine, "Software", "Tarnwick", "Quillmark");
  EXPECT_EQ(registry.ReadString("Settings", "HomeCoords", ""), "N 52 E 5");
}

TEST_F(UiWindow, CloseAsksOnlyAboutUnsavedChanges) {
  std::string a = WriteGpx("a.gpx", {kThree[0]});
  std::string b = WriteGpx("b.gpx", {kThree[1]});
  TFormApp& app = Open({QString::fromStdString(a)});
  ASSERT_FALSE(app.Session().ListModified());
  // Unchanged: closes without a question.
  EXPECT_TRUE(app.close());
  EXPECT_TRUE(questions.captions.empty());

  TFormApp& again = Open({QString::fromStdString(a)});
  again.LoadFile(b);  // a merge is a change
  ASSERT_TRUE(again.Session().ListModified());
  again.setGeometry(QRect(QPoint(30, 40), again.size()));
  questions.yesNo = false;
  EXPECT_FALSE(again.close());
  EXPECT_EQ(questions.captions, std::vector<std::string>{"Exit without saving list"});
  EXPECT_TRUE(again.isVisible());
  EXPECT_EQ(App().Model().rowCount(), 2);
  // The positions were written although the close was refused.
  EXPECT_EQ(test::ReadSettingInt(SettingsFolder(), "AppLeft", -1), 30);
  questions.yesNo = true;
  EXPECT_TRUE(again.close());

  WriteSetting(SettingsFolder(), "WarnExit", 0);
  questions.captions.clear();
  TFormApp& third = Open({QString::fromStdString(a)});
  third.LoadFile(b);
  EXPECT_TRUE(third.close());
  EXPECT_TRUE(questions.captions.empty());
}

// ---- loading ----

TEST_F(UiWindow, LoadsTheFileNamedOnTheCommandLine) {
  std::string path = WriteGpx("start.gpx", kThree);
  TFormApp& app = Open({QString::fromStdString(path)});
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"GC1AAA", "GC1BBB", "GC1CCC"}));
  EXPECT_EQ(app.Session().CurrentFileName(), "start.gpx");
  EXPECT_FALSE(app.Session().ListModified());
  EXPECT_EQ(Text("LabelRecordCount"), "(3)");
  EXPECT_EQ(app.StatusBar().ShownText(), "Done!");
  EXPECT_TRUE(Find<QWidget>("ButtonSort")->isEnabled());
  // The folder is remembered for the file dialogs of the next start.
  TUlkRegistry registry(SettingsFolder());
  registry.Init(RegistryRoot::kLocalMachine, "Software", "Tarnwick", "Quillmark");
  EXPECT_EQ(registry.ReadString("Settings", "SavePathGPX", "."), Dir().path() + "/");
  // Nothing selected yet: the converter stays empty.
  EXPECT_TRUE(Text("UlkEditResultDeg").isEmpty());
}

TEST_F(UiWindow, FilesDroppedOnTheListLoadInDropOrder) {
  std::string a = WriteGpx("a.gpx", {{"A1", 1, 1}, {"A2", 2, 2}});
  std::string b = WriteGpx("b.gpx", {{"B1", 3, 3}, {"A1", 4, 4}});
  TFormApp& app = Open();
  questions.duplicateAnswers = {0};  // keep the first A1
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(a)), QUrl::fromLocalFile(QString::fromStdString(b))});
  QWidget* viewport = app.ListView().viewport();
  QPoint at(20, 20);
  QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &drop);
  EXPECT_TRUE(test::WaitForFiles(app));
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"A1", "A2", "B1"}));
  EXPECT_EQ(questions.duplicateNames, std::vector<std::string>{"A1"});
  EXPECT_EQ(app.Session().CurrentFileName(), "a.gpx");
  EXPECT_TRUE(app.Session().ListModified());
  EXPECT_DOUBLE_EQ(app.Model().RecordAt(0)->Lat, 1.0);
}

TEST_F(UiWindow, DuplicateDialogIsAnsweredByItsButtons) {
  std::string path = WriteGpx("dups.gpx", {{"X", 1, 1}, {"X", 2, 2}, {"Y", 3, 3}, {"X", 4, 4}});
  TFormApp& app = Open();
  app.SetQuestionOverride(nullptr);
  int asked = 0;
  QString shownName;
  AnswerNextModal([&](QWidget* dialog) {
    ++asked;
    EXPECT_EQ(dialog->objectName(), "FormSelectWpAddMode");
    EXPECT_EQ(dialog->windowTitle(), "Duplicate name found in list");
    shownName = dialog->findChild<QLabel*>("LabelName")->text();
    EXPECT_EQ(dialog->findChild<QLabel*>("Label1")->text(), "Select an action");
    EXPECT_EQ(dialog->findChild<QPushButton*>("ButtonKeep")->text(), "Keep Original Waypoint");
    EXPECT_EQ(dialog->findChild<QPushButton*>("ButtonAllow")->text(), "Allow Duplicate Names");
    dialog->findChild<QPushButton*>("ButtonReplace")->click();
  });
  ASSERT_TRUE(app.LoadFile(path));
  EXPECT_EQ(asked, 1);  // one answer holds for the rest of the load
  EXPECT_EQ(shownName, "X");
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"X", "Y"}));
  EXPECT_DOUBLE_EQ(app.Model().RecordAt(0)->Lat, 4.0);

  // The next load asks again; Escape keeps the original.
  std::string again = WriteGpx("again.gpx", {{"Y", 9, 9}, {"Z", 5, 5}});
  AnswerNextModal([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
  ASSERT_TRUE(app.LoadFile(again));
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"X", "Y", "Z"}));
  EXPECT_DOUBLE_EQ(app.Model().RecordAt(1)->Lat, 3.0);
  EXPECT_EQ(app.DuplicateDialog().Result(), 0);
}

TEST_F(UiWindow, OpenDialogLoadsSeveralFilesInTheirOrder) {
  std::string a = WriteGpx("one.gpx", {{"P", 1, 1}});
  std::string b = WriteGpx("two.gpx", {{"P", 2, 2}, {"Q", 2, 2}});
  WriteGpx("three.txt.gpx", {{"R", 3, 3}});
  TFormApp& app = Open();
  questions.duplicateAnswers = {2};
  AnswerNextModal([&](QWidget* w) {
    auto* dialog = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFiles);
    EXPECT_TRUE(dialog->nameFilters().first().startsWith("Waypoint files ("));
    dialog->setDirectory(QString::fromStdString(Dir().path()));
    // The name field has the focus, so it is typed into rather than selected.
    dialog->findChild<QLineEdit*>("fileNameEdit")->setText("\"one.gpx\" \"two.gpx\"");
    static_cast<QDialog*>(dialog)->accept();
  });
  app.ActionFileLoadExecute();
  EXPECT_TRUE(test::WaitForFiles(app));
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"P", "P", "Q"}));
  EXPECT_EQ(questions.duplicateNames, std::vector<std::string>{"P"});
  EXPECT_EQ(app.Session().CurrentFileName(), "one.gpx");
  EXPECT_EQ(app.OpenDialog().fileMode(), QFileDialog::ExistingFile);
}

TEST_F(UiWindow, LoadFailuresStayOnTheStatusBar) {
  TFormApp& app = Open();
  std::string xml = Dir().File("list.xml");
  test::WriteFileBytes(xml, "<gpx/>");
  EXPECT_FALSE(app.LoadFile(xml));
  EXPECT_EQ(app.StatusBar().MessageText(), "Unknown Extension");
  EXPECT_EQ(app.StatusBar().MessageLevel(), 2);
  EXPECT_FALSE(app.LoadFile(Dir().File("missing.gpx")));
  EXPECT_EQ(app.StatusBar().MessageText(), "Error loading file: no such file");
  // A damaged file names its line; the waypoints before the damage are listed.
  std::string cut = Dir().File("cut.gpx");
  test::WriteFileBytes(cut, "<gpx>\n<wpt lat=\"1\" lon=\"2\"><name>A</name></wpt>\n\n<wpt lat=\"3\" lon=\"4\">");
  EXPECT_FALSE(app.LoadFile(cut));
  EXPECT_EQ(app.StatusBar().MessageText(), "Error loading file: line 4: unterminated <wpt>");
  EXPECT_EQ(app.StatusBar().MessageLevel(), 2);
  EXPECT_EQ(app.Model().rowCount(), 1);
}

// Scripted answers that hand the window a file (by a drop on the list) while
// the first question is up, and let the event loop run as a dialog would.
class ArrivalDuringQuestion : public test::ScriptedQuestions {
 public:
  std::function<void()> arrive;
  int AskDuplicate(const std::string& name) override {
    Arrive();
    return ScriptedQuestions::AskDuplicate(name);
  }
  bool AskYesNo(const std::string& caption, const std::string& text) override {
    Arrive();
    return ScriptedQuestions::AskYesNo(caption, text);
  }

 private:
  void Arrive() {
    if (!arrive) return;
    auto once = std::move(arrive);
    arrive = nullptr;
    once();
    // The question's own event loop turns while it is up: the arrival's
    // queued load gets its chance to run too early.
    QCoreApplication::processEvents();
  }
};

void DropOnList(TFormApp& app, const std::string& path) {
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
  QPoint at(20, 20);
  QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(app.ListView().viewport(), &enter);
  QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(app.ListView().viewport(), &drop);
}

TEST_F(UiWindow, AFileArrivingWhileTheWindowIsBusyIsLoadedAfterwards) {
  std::string fav = WriteGpx("fav.gpx", {{"F", 1, 1}, {"F", 2, 2}});
  WriteSetting(SettingsFolder(), "FavoriteFile", fav);
  std::string dups = WriteGpx("dups.gpx", {{"D", 1, 1}, {"D", 2, 2}});
  std::string arriving = WriteGpx("arriving.gpx", {{"ARRIVED", 5, 5}});
  struct Case {
    const char* busyWith;
    std::function<void()> before;  // runs without an arrival
    std::function<void()> busy;    // asks the question the file arrives during
  };
  const Case cases[] = {
      {"the duplicate question of a load", nullptr, [&] { App().LoadFile(dups); }},
      {"a favorite load", nullptr, [this] { Click("ButtonLoadFavorite"); }},
      {"a save", [this] { Click("ButtonLoadFavorite"); }, [this] { Click("ButtonSaveFavorite"); }},
  };
  for (const Case& c : cases) {
    TFormApp& app = Open();
    ArrivalDuringQuestion answers;
    app.SetQuestionOverride(&answers);
    if (c.before) c.before();
    bool asked = false;
    answers.arrive = [&] {
      asked = true;
      EXPECT_TRUE(app.Files().Busy()) << c.busyWith;
      DropOnList(app, arriving);
    };
    c.busy();
    EXPECT_TRUE(test::WaitForFiles(app)) << c.busyWith;
    EXPECT_TRUE(asked) << c.busyWith;
    EXPECT_FALSE(app.Files().Busy()) << c.busyWith;
    std::vector<std::string> names = RowNames();
    EXPECT_EQ(std::count(names.begin(), names.end(), "ARRIVED"), 1) << c.busyWith;
    app.SetQuestionOverride(&questions);
  }
}

// ---- list commands ----

TEST_F(UiWindow, RecordCounterAndButtonsFollowTheSelection) {
  WriteSetting(SettingsFolder(), "IncludeGroudspeak", 1);
  TFormApp& app = Open({QString::fromStdString(WriteGpx("l.gpx", kThree))});
  SelectRow(1);
  EXPECT_EQ(Text("LabelRecordCount"), "2 (3)");
  EXPECT_FALSE(Find<QWidget>("ButtonLaunch")->isEnabled());       // no link
  EXPECT_FALSE(Find<QWidget>("ButtonLaunchLocal")->isEnabled());  // no cache data
  EXPECT_EQ(Text("UlkEditResultDegMin"), AnsiToQString(ShowResult(51.5, 4.4, kDefaultHeight).degMin));
  SelectRow(2);
  EXPECT_EQ(Text("LabelRecordCount"), "3 (3)");
  EXPECT_TRUE(Find<QWidget>("ButtonLaunch")->isEnabled());
  EXPECT_TRUE(Find<QWidget>("ButtonLaunchLocal")->isEnabled());
  EXPECT_EQ(app.SelectedIndex(), 2);
  SelectRow(-1);
  EXPECT_EQ(Text("LabelRecordCount"), "(3)");
}

TEST_F(UiWindow, DeleteKeyRemovesTheSelectedWaypoint) {
  TFormApp& app = Open({QString::fromStdString(WriteGpx("l.gpx", kThree))});
  // WarnDel off: no question.
  SelectRow(2);
  PressInList(Qt::Key_Delete);
  EXPECT_TRUE(questions.captions.empty());
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"GC1AAA", "GC1BBB"}));
  // The new last row is selected.
  EXPECT_EQ(app.SelectedIndex(), 1);
  EXPECT_EQ(Text("LabelRecordCount"), "2 (2)");
  EXPECT_TRUE(app.Session().ListModified());
  EXPECT_EQ(app.Session().Store().AllWaypoints().size(), 2u);
}

TEST_F(UiWindow, DeleteAsksWhenWarnDelIsOn) {
  WriteSetting(SettingsFolder(), "WarnDel", 1);
  TFormApp& app = Open({QString::fromStdString(WriteGpx("l.gpx", {kThree[0]}))});
  SelectRow(0);
  questions.yesNo = false;
  PressInList(Qt::Key_Delete);
  EXPECT_EQ(questions.captions, std::vector<std::string>{"Delete waypoint"});
  EXPECT_EQ(app.Model().rowCount(), 1);
  EXPECT_FALSE(app.Session().ListModified());
  questions.yesNo = true;
  PressInList(Qt::Key_Delete);
  EXPECT_EQ(app.Model().rowCount(), 0);
  // The last one gone: results cleared, buttons off.
  EXPECT_TRUE(Text("UlkEditResultDeg").isEmpty());
  EXPECT_FALSE(Find<QWidget>("ButtonDeleteAll")->isEnabled());
  EXPECT_EQ(Text("LabelRecordCount"), "(0)");
}

TEST_F(UiWindow, RealQuestionBoxIsAnsweredByAccepting) {
  WriteSetting(SettingsFolder(), "WarnDel", 1);
  TFormApp& app = Open({QString::fromStdString(WriteGpx("l.gpx", kThree))});
  app.SetQuestionOverride(nullptr);
  SelectRow(0);
  QString caption;
  QString text;
  AnswerNextModal([&](QWidget* box) {
    caption = box->windowTitle();
    text = box->findChild<QLabel*>("qt_msgbox_label")->text();
    auto* message = qobject_cast<QMessageBox*>(box);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->icon(), QMessageBox::Question);
    message->button(QMessageBox::Yes)->click();
  });
  app.DeleteSelected();
  EXPECT_EQ(caption, "Delete waypoint");
  EXPECT_EQ(text, "Are you sure?");
  EXPECT_EQ(app.Model().rowCount(), 2);
}

TEST_F(UiWindow, ClearListAlwaysAsks) {
  TFormApp& app = Open({QString::fromStdString(WriteGpx("l.gpx", kThree))});
  SelectRow(0);
  questions.yesNo = false;
  Click("ButtonDeleteAll");
  EXPECT_EQ(questions.captions, std::vector<std::string>{"Clear the list"});
  EXPECT_EQ(app.Model().rowCount(), 3);
  questions.yesNo = true;
  app.LoadFile(WriteGpx("more.gpx", {{"M", 1, 1}}));
  ASSERT_TRUE(app.Session().ListModified());
  Click("ButtonDeleteAll");
  EXPECT_EQ(app.Model().rowCount(), 0);
  EXPECT_TRUE(app.Session().Store().AllWaypoints().empty());
  EXPECT_EQ(Text("LabelRecordCount"), "(0)");
  EXPECT_TRUE(Find<QWidget>("LabelFiltered")->isHidden());
  EXPECT_EQ(app.Session().CurrentFileName(), "");
  EXPECT_FALSE(app.Session().ListModified());
  EXPECT_TRUE(Text("UlkEditResultDeg").isEmpty());
  EXPECT_FALSE(Find<QWidget>("ButtonSort")->isEnabled());
}

TEST_F(UiWindow, ArchiveAppendsTheLineThenDeletes) {
  std::string archive = Dir().File("archive.txt");
  WriteSetting(SettingsFolder(), "ArchiveFile", archive);
  TFormApp& app = Open({QString::fromStdString(WriteGpx("l.gpx", kThree))});
  // -33.869443 is 33 degrees 52.16658 minutes south.
  SelectRow(2);
  Click("ButtonArchive");
  EXPECT_EQ(ReadFileBytes(archive), "S 33\xB0 52.167  E 151\xB0 12.500; GC1CCC   (Sydney)  2010-09-24T08:05:09\r\n");
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"GC1AAA", "GC1BBB"}));
  EXPECT_EQ(app.StatusBar().ShownText(), "Done!");
  SelectRow(1);
  Click("ButtonArchive");
  EXPECT_EQ(ReadFileBytes(archive),
            "S 33\xB0 52.167  E 151\xB0 12.500; GC1CCC   (Sydney)  2010-09-24T08:05:09\r\n"
            "N 51\xB0 30.000  E 004\xB0 24.000; GC1BBB    2010-09-24T08:05:09\r\n");
}

TEST_F(UiWindow, ArchiveThatCannotBeOpenedKeepsTheWaypoint) {
  WriteSetting(SettingsFolder(), "ArchiveFile", Dir().File("no/such/folder/archive.txt"));
  TFormApp& app = Open({QString::fromStdString(WriteGpx("l.gpx", kThree))});
  SelectRow(0);
  Click("ButtonArchive");
  EXPECT_EQ(app.StatusBar().MessageText(), "Error opening file");
  EXPECT_EQ(app.StatusBar().MessageLevel(), 2);
  EXPECT_EQ(app.Model().rowCount(), 3);
}

TEST_F(UiWindow, ArchiveThatCannotBeWrittenKeepsTheWaypoint) {
  if (!QFile::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  WriteSetting(SettingsFolder(), "ArchiveFile", "/dev/full");
  TFormApp& app = Open({QString::fromStdString(WriteGpx("l.gpx", kThree))});
  SelectRow(0);
  Click("ButtonArchive");
  EXPECT_EQ(app.StatusBar().MessageLevel(), 2);
  EXPECT_EQ(app.Model().rowCount(), 3);
}

// ---- list view ----

TEST_F(UiWindow, RowsAreMarkedFromTheirCacheState) {
  WriteSetting(SettingsFolder(), "IncludeGroudspeak", 1);
  TFormApp& app = Open({QString::fromStdString(WriteGpx("l.gpx", kThree))});
  WaypointListModel& m = app.Model();
  auto colour = [&](int row) { return m.data(m.index(row, 0), Qt::ForegroundRole).value<QBrush>().color(); };
  auto struck = [&](int row) {
    QVariant f = m.data(m.index(row, 3), Qt::FontRole);
    return f.isValid() && f.value<QFont>().strikeOut();
  };
  EXPECT_EQ(colour(0), QColor(0, 0, 255));  // link and description
  EXPECT_FALSE(struck(0));
  EXPECT_FALSE(m.data(m.index(1, 0), Qt::ForegroundRole).isValid());
  EXPECT_FALSE(struck(1));
  EXPECT_EQ(colour(2), QColor(255, 0, 0));  // archived
  EXPECT_TRUE(struck(2));
  EXPECT_FALSE(m.data(m.index(0, 0), Qt::DecorationRole).value<QIcon>().isNull());
  EXPECT_EQ(m.data(m.index(2, 1), Qt::DisplayRole).toString(), QString::fromUtf8("-33° 52.167"));

  // A dark theme: the same hues, made to read on its background; and back.
  const QPalette light = QApplication::palette();
  QApplication::setPalette(test::DarkPalette());
  QCoreApplication::sendPostedEvents();
  const QColor base = test::DarkPalette().color(QPalette::Base);
  const QColor filtered = Find<QLabel>("LabelFiltered")->palette().color(QPalette::WindowText);
  for (const QColor& c : {colour(0), colour(2)}) EXPECT_GE(test::Contrast(c, base), 4.5) << c.name().toStdString();
  EXPECT_EQ(colour(0).hue(), 240);
  EXPECT_EQ(colour(2).hue(), 0);
  EXPECT_GE(test::Contrast(filtered, test::DarkPalette().color(QPalette::Window)), 4.5);
  QApplication::setPalette(light);
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(colour(0), QColor(0, 0, 255));
  EXPECT_EQ(colour(2), QColor(255, 0, 0));
  EXPECT_EQ(Find<QLabel>("LabelFiltered")->palette().color(QPalette::WindowText), QColor(0, 0, 128));
}

TEST_F(UiWindow, ColumnModesCycleWithCtrlN) {
  WriteSetting(SettingsFolder(), "IncludeGroudspeak", 1);
  TFormApp& app = Open({QString::fromStdString(WriteGpx("l.gpx", kThree))});
  WaypointListModel& m = app.Model();
  QStringList headers;
  for (int i = 0; i < 11; ++i) {
    PressInList(Qt::Key_N, Qt::ControlModifier);
    headers << m.headerData(3, Qt::Horizontal, Qt::DisplayRole).toString();
    if (app.ViewState().Column4Mode == 9) {
      EXPECT_EQ(m.data(m.index(0, 3), Qt::DisplayRole).toString(), "Netherlands");
      EXPECT_TRUE(app.findChild<QAction*>("MenuColumn4Country")->isChecked());
    }
    if (app.ViewState().Column4Mode == 8) {
      EXPECT_EQ(m.data(m.index(0, 3), Qt::DisplayRole).toString(), "1.5/2");
      EXPECT_EQ(m.data(m.index(1, 3), Qt::DisplayRole).toString(), "/");
    }
  }
  EXPECT_EQ(headers, QStringList({"Comment", "URL Name", "Timestamp", "Distance from Home", "Date Found", "'Placed By'",
                                  "Logs", "Difficulty", "Country", "State", "Description"}));
  EXPECT_EQ(app.ViewState().Column4Mode, 0);
  // The 5th column's menu.
  app.findChild<QAction*>("MenuColumn5UrlName")->trigger();
  EXPECT_EQ(app.ViewState().Column5Mode, 2);
  EXPECT_EQ(m.headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(), "URL Name");
  EXPECT_EQ(m.data(m.index(2, 4), Qt::DisplayRole).toString(), "Sydney");
}

TEST_F(UiWindow, RebuildKeepsTheSelectedRecord) {
  TFormApp& app = Open({QString::fromStdString(WriteGpx("l.gpx", kThree))});
  SelectRow(0);
  const TGpxRecord* record = app.SelectedRecord();
  app.Session().SortShown(SortOrder::North);  // the reverse of the rows
  EXPECT_EQ(app.SelectedRecord(), record);
  EXPECT_EQ(app.SelectedIndex(), 2);
  EXPECT_EQ(Text("LabelRecordCount"), "3 (3)");
}

TEST_F(UiWindow, HeaderClicksAndKeysReachTheirActions) {
  TFormApp& app = Open({QString::fromStdString(WriteGpx("l.gpx", kThree))});
  QStringList fired;
  for (const char* name : {"ActionSortName", "ActionSortNorth", "ActionSortEast", "ActionSortDesc", "ActionSortDate",
                           "ActionSortCountry", "ActionSearch", "ActionSearchNext"}) {
    QObject::connect(app.Action(name), &QAction::triggered, [&fired, name] { fired << name; });
  }
  for (int c = 0; c < 5; ++c) app.ListView().header()->sectionClicked(c);
  app.ActionColumn4Execute(9);
  app.ListView().header()->sectionClicked(3);
  // Ctrl+F opens the search prompt; cancel it.
  AnswerNextModal([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
  PressInList(Qt::Key_F, Qt::ControlModifier);
  PressInList(Qt::Key_F3);
  Click("ButtonSort");
  EXPECT_EQ(fired,
            QStringList({"ActionSortName", "ActionSortNorth", "ActionSortEast", "ActionSortDesc", "ActionSortDate",
                         "ActionSortCountry", "ActionSearch", "ActionSearchNext", "ActionSortName"}));
}

TEST_F(UiWindow, DoubleClickAsksForTheEditorOfTheRow) {
  TFormApp& app = Open({QString::fromStdString(WriteGpx("l.gpx", kThree))});
  int edited = -1;
  QObject::connect(&app, &TFormApp::EditRequested, [&](int row) { edited = row; });
  app.ListView1DblClick();
  EXPECT_EQ(edited, -1);
  SelectRow(1);
  AnswerNextModal([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
  app.ListView1DblClick();
  EXPECT_EQ(edited, 1);
}

// ---- converter ----

// Known positions in every notation; the degrees, grids and ECEF agree with
// PROJ's cs2cs (EPSG:28992, 31370, 32631, 4978) to the shown digits.
struct ConvertCase {
  const char* edit;
  const char* button;
  const char* input;
  const char* degrees;
  const char* degMin;
  const char* degMinSec;
  const char* rd;
  const char* lambert;
  const char* utm;
  const char* ecef;
  const char* altitude;
  bool rdInRange;
  bool lambertInRange;
};

const ConvertCase kConvertCases[] = {
    {"EditN", "ButtonConvert", "N 51\xC2\xB0 02.804 E 003\xC2\xB0 56.782", "N 51.04673\xC2\xB0  E 3.94637\xC2\xB0",
     "N 51\xC2\xB0 02.804   E 003\xC2\xB0 56.782", "N 51\xC2\xB0 02' 48.24\"  E 3\xC2\xB0 56' 46.92\"",
     " 53962 / 340678", "120379 / 193036", "31U  E 566339  N 5655448", "4008490 / 276531 / 4936849", "", true, true},
    {"EditRD", "ButtonConvertRD", "136013 455723", "N 52.08944\xC2\xB0  E 5.11016\xC2\xB0",
     "N 52\xC2\xB0 05.366   E 005\xC2\xB0 06.610", "N 52\xC2\xB0 05' 21.98\"  E 5\xC2\xB0 06' 36.59\"",
     "136013 / 455723", "200830 / 309232", "31U  E 644567  N 5773087", "3911531 / 349794 / 5008959", "", true, false},
    {"EditLambert", "ButtonConvertLambert", "149037 223059", "N 51.31735\xC2\xB0  E 4.35495\xC2\xB0",
     "N 51\xC2\xB0 19.041   E 004\xC2\xB0 21.297", "N 51\xC2\xB0 19' 02.46\"  E 4\xC2\xB0 21' 17.82\"",
     " 83038 / 370297", "149037 / 223059", "31U  E 594424  N 5685988", "3983026 / 303327 / 4955721", "", true, true},
    {"EditUTM", "ButtonConvertUTM", "31U 594425 5685988", "N 51.31735\xC2\xB0  E 4.35496\xC2\xB0",
     "N 51\xC2\xB0 19.041   E 004\xC2\xB0 21.298", "N 51\xC2\xB0 19' 02.46\"  E 4\xC2\xB0 21' 17.85\"",
     " 83039 / 370297", "149037 / 223059", "31U  E 594425  N 5685988", "3983026 / 303328 / 4955721", "", true, true},
    {"EditEcef", "ButtonConvertECEF", "3982999 / 303325 / 4955687", "N 51.31735\xC2\xB0  E 4.35495\xC2\xB0",
     "N 51\xC2\xB0 19.041   E 004\xC2\xB0 21.297", "N 51\xC2\xB0 19' 02.45\"  E 4\xC2\xB0 21' 17.82\"",
     " 83038 / 370297", "149037 / 223058", "31U  E 594424  N 5685988", "3982999 / 303325 / 4955687", "0.26", true,
     true},
};

class UiConverter : public UiWindow, public ::testing::WithParamInterface<int> {};

TEST_P(UiConverter, EachNotationShowsTheKnownPositionEverywhere) {
  const ConvertCase& c = kConvertCases[GetParam()];
  Open();
  Find<QLineEdit>(c.edit)->setText(QString::fromUtf8(c.input));
  Click(c.button);
  const std::pair<const char*, const char*> fields[] = {
      {"UlkEditResultDeg", c.degrees}, {"UlkEditResultDegMin", c.degMin},     {"UlkEditResultDegMinSec", c.degMinSec},
      {"UlkEditResultRD", c.rd},       {"UlkEditResultLambert", c.lambert},   {"UlkEditResultUTM", c.utm},
      {"UlkEditResultECEF", c.ecef},   {"UlkEditResultAltitude", c.altitude},
  };
  for (const auto& [name, text] : fields) EXPECT_EQ(Text(name), QString::fromUtf8(text)) << name;
  auto grey = [&](const char* name) {
    return Find<QLineEdit>(name)->palette().color(QPalette::Text) == QColor(128, 128, 128);
  };
  EXPECT_EQ(grey("UlkEditResultRD"), !c.rdInRange);
  EXPECT_EQ(grey("UlkEditResultLambert"), !c.lambertInRange);
}

INSTANTIATE_TEST_SUITE_P(Notations, UiConverter, ::testing::Range(0, 5));

TEST_F(UiWindow, ConverterSaysAPositionOffTheEarthIsOutOfRange) {
  TFormApp& app = Open();
  Find<QLineEdit>("EditRD")->setText("2147483647 2147483647");
  Click("ButtonConvertRD");
  EXPECT_EQ(app.StatusBar().MessageText(), "Position out of range");
  EXPECT_EQ(app.StatusBar().MessageLevel(), 2);
  EXPECT_EQ(Text("UlkEditResultDeg"), "");
  EXPECT_EQ(Text("UlkEditResultRD"), "");
  // The next sound conversion clears the message.
  Find<QLineEdit>("EditRD")->setText("136013 455723");
  Click("ButtonConvertRD");
  EXPECT_EQ(app.StatusBar().MessageText(), "");
}

TEST_F(UiWindow, ConverterKnownValuesAndHemisphereBoxes) {
  Open();
  Find<QLineEdit>("EditN")->setText(QString::fromUtf8("N 51° 02.804 E 003° 56.782"));
  Click("ButtonConvert");
  EXPECT_EQ(Text("UlkEditResultDeg"), QString::fromUtf8("N 51.04673°  E 3.94637°"));
  // The height a conversion assumes is no measurement: no altitude shown.
  EXPECT_EQ(Text("UlkEditResultAltitude"), "");
  Find<QLineEdit>("EditRD")->setText("136013 455723");
  Click("ButtonConvertRD");
  EXPECT_EQ(Find<QLineEdit>("UlkEditResultRD")->palette().color(QPalette::Text), QColor(Qt::black));
  // "S" in the box negates what was typed; with a typed S the two cancel.
  Find<QComboBox>("ComboBoxNorth")->setCurrentIndex(1);
  Find<QLineEdit>("EditN")->setText("51 30");
  Find<QLineEdit>("EditE")->setText("4 0");
  Click("ButtonConvert");
  EXPECT_DOUBLE_EQ(App().Converter().CurrentResultLat(), -51.5);
  Find<QLineEdit>("EditN")->setText("S 51 30");
  Click("ButtonConvert");
  EXPECT_DOUBLE_EQ(App().Converter().CurrentResultLat(), 51.5);
  // Spain is outside both grids.
  Find<QComboBox>("ComboBoxNorth")->setCurrentIndex(0);
  Find<QLineEdit>("EditN")->setText("40.4");
  Find<QLineEdit>("EditE")->setText("-3.7");
  Click("ButtonConvert");
  EXPECT_EQ(Find<QLineEdit>("UlkEditResultRD")->palette().color(QPalette::Text), QColor(128, 128, 128));
  EXPECT_EQ(Find<QLineEdit>("UlkEditResultLambert")->palette().color(QPalette::Text), QColor(128, 128, 128));
  // Clear input empties the inputs and keeps the results.
  Find<QRadioButton>("RadioButtonInputED50")->setChecked(true);
  Click("ButtonClear");
  EXPECT_TRUE(Text("EditN").isEmpty());
  EXPECT_TRUE(Text("EditRD").isEmpty());
  EXPECT_TRUE(Find<QRadioButton>("RadioButtonInputWGS84")->isChecked());
  EXPECT_FALSE(Text("UlkEditResultDeg").isEmpty());
}

TEST_F(UiWindow, AddToListAsksForAName) {
  TFormApp& app = Open();
  Find<QLineEdit>("EditRD")->setText("136013 455723");
  Click("ButtonConvertRD");
  double lat = app.Converter().CurrentResultLat();
  AnswerNextModal([](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Name");
    auto* edit = dialog->findChild<QLineEdit*>("EditNaam");
    EXPECT_TRUE(edit->text().isEmpty());
    edit->setText("MyPoint");
    dialog->findChild<QPushButton*>("ButtonOk")->click();
  });
  Click("ButtonAddWp");
  ASSERT_EQ(RowNames(), std::vector<std::string>{"MyPoint"});
  EXPECT_DOUBLE_EQ(app.Model().RecordAt(0)->Lat, lat);
  EXPECT_TRUE(app.Session().ListModified());

  // The selected row's name is proposed; an empty name is refused.
  SelectRow(0);
  AnswerNextModal([](QWidget* dialog) {
    auto* edit = dialog->findChild<QLineEdit*>("EditNaam");
    EXPECT_EQ(edit->text(), "MyPoint");
    EXPECT_FALSE(edit->hasSelectedText());
    EXPECT_EQ(edit->cursorPosition(), 7);
    edit->clear();
    dialog->findChild<QPushButton*>("ButtonOk")->click();
  });
  Click("ButtonAddWp");
  EXPECT_EQ(app.Model().rowCount(), 1);
  EXPECT_EQ(app.StatusBar().MessageText(), "Invalid name");
  EXPECT_EQ(app.StatusBar().MessageLevel(), 2);

  // Cancel adds nothing; a duplicate name asks.
  AnswerNextModal([](QWidget* dialog) { dialog->findChild<QPushButton*>("ButtonCancel")->click(); });
  Click("ButtonAddWp");
  EXPECT_EQ(app.Model().rowCount(), 1);
  questions.duplicateAnswers = {2};
  AnswerNextModal([](QWidget* dialog) { dialog->findChild<QPushButton*>("ButtonOk")->click(); });
  Click("ButtonAddWp");
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"MyPoint", "MyPoint"}));
  EXPECT_EQ(questions.duplicateNames, std::vector<std::string>{"MyPoint"});
}

// Input that does not read gives no result and nothing to add.
TEST_F(UiWindow, ConverterRefusesInputThatDoesNotRead) {
  TFormApp& app = Open();
  const struct {
    const char* edit;
    const char* button;
    const char* typed;
  } cases[] = {{"EditN", "ButtonConvert", "abc"},
               {"EditN", "ButtonConvert", "53 24.42l"},
               {"EditRD", "ButtonConvertRD", "155000x 463000"},
               {"EditLambert", "ButtonConvertLambert", "150000 170000 1"},
               {"EditUTM", "ButtonConvertUTM", "31U 594839"},
               {"EditEcef", "ButtonConvertECEF", "1 2"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    Find<QLineEdit>("EditRD")->setText("136013 455723");
    Click("ButtonConvertRD");
    ASSERT_FALSE(Text("UlkEditResultDeg").isEmpty());
    Find<QLineEdit>(c.edit)->setText(c.typed);
    Click(c.button);
    EXPECT_EQ(app.StatusBar().MessageText().toStdString(), std::string("Not a position: ") + c.typed);
    EXPECT_EQ(app.StatusBar().MessageLevel(), 2);
    EXPECT_EQ(Text("UlkEditResultDeg"), "");
    // A dialog the button opened would run its own loop and meet this timer.
    bool asked = false;
    QTimer watch;
    watch.setSingleShot(true);
    QObject::connect(&watch, &QTimer::timeout, [&asked] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        asked = true;
        modal->close();
      }
    });
    watch.start(0);
    Click("ButtonAddWp");
    EXPECT_FALSE(asked);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(app.Model().rowCount(), 0);
    EXPECT_EQ(app.StatusBar().MessageText().toStdString(), std::string("Not a position: ") + c.typed);
    Find<QLineEdit>(c.edit)->clear();
  }
  // Before any conversion there is nothing to add either.
  TFormApp& fresh = Open();
  Click("ButtonAddWp");
  EXPECT_EQ(fresh.StatusBar().MessageText(), "Not a position: nothing converted yet");
  EXPECT_EQ(fresh.Model().rowCount(), 0);
}

TEST_F(UiWindow, CtrlCCopiesAWholeResultField) {
  Open();
  Find<QLineEdit>("EditRD")->setText("136013 455723");
  Click("ButtonConvertRD");
  QClipboard* clipboard = QApplication::clipboard();
  for (const char* name :
       {"UlkEditResultDegMin", "UlkEditResultRD", "UlkEditResultLambert", "UlkEditResultUTM", "UlkEditResultECEF"}) {
    clipboard->setText("before");
    auto* field = Find<QLineEdit>(name);
    field->deselect();
    QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), field->text()) << name;
  }
  // With a selection the field's own copy takes only that.
  auto* utm = Find<QLineEdit>("UlkEditResultUTM");
  utm->setSelection(0, 3);
  QTest::keyClick(utm, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard->text(), utm->text().left(3));
  // Ctrl+A selects the whole text.
  utm->deselect();
  QTest::keyClick(utm, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(utm->selectedText(), utm->text());
  // The decimal-degree field has no such key.
  clipboard->setText("before");
  auto* deg = Find<QLineEdit>("UlkEditResultDeg");
  deg->deselect();
  QTest::keyClick(deg, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard->text(), "before");
}

// ---- saving ----

class UiSave : public UiWindow, public ::testing::WithParamInterface<int> {};

TEST_P(UiSave, TheFilterIndexChoosesTheFormat) {
  const int index = GetParam();
  const int code = FormatCodeForFilterIndex(index);
  ASSERT_GE(code, 0);
  const FileFormat* entry = FormatForCode(code);
  ASSERT_NE(entry, nullptr) << code;
  ASSERT_NE(entry->writer, nullptr) << code;
  TFormApp& app = Open({QString::fromStdString(WriteGpx("list.gpx", kThree))});
  std::string target = Dir().File("saved.txt");
  QString preselected;
  QString proposed;
  AnswerNextModal([&](QWidget* w) {
    auto* dialog = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(dialog, nullptr);
    preselected = dialog->selectedNameFilter();
    proposed = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
    ASSERT_GE(dialog->nameFilters().size(), index);
    dialog->selectNameFilter(dialog->nameFilters()[index - 1]);
    AcceptFile(dialog, target);
  });
  app.ActionFileSaveExecute();
  EXPECT_EQ(preselected, "GPX files (*.gpx)");
  EXPECT_EQ(proposed, "list");
  // The chosen name's extension gives way to the format's.
  std::string saved = Dir().File("saved") + std::string(entry->extension);
  ASSERT_TRUE(QFile::exists(QString::fromStdString(saved))) << saved;
  EXPECT_EQ(app.StatusBar().FlashText(), QString::fromStdString("Saved to " + saved));
  EXPECT_FALSE(app.Session().ListModified());
  EXPECT_EQ(app.Session().CurrentFileName(), "saved" + std::string(entry->extension));
  if (ReaderForPath(saved)) {
    // Read back into a fresh list: every waypoint is there.
    test::RecordingStatus status;
    test::ScriptedQuestions q;
    ListSession check(status, q);
    ASSERT_TRUE(check.LoadFile(saved));
    EXPECT_EQ(check.Store().AllWaypoints().size(), 3u);
  }
}

INSTANTIATE_TEST_SUITE_P(FilterIndex, UiSave, ::testing::Range(1, 9));

TEST_F(UiWindow, SaveDialogPreselectsTheLoadedFormat) {
  TFormApp& app = Open({QString::fromStdString(WriteGpx("list.gpx", kThree))});
  std::string locFile = Dir().File("trip.loc");
  ASSERT_TRUE(app.SaveFile(locFile, kFormatLoc));
  Open({QString::fromStdString(locFile)});
  QString preselected;
  QString proposed;
  AnswerNextModal([&](QWidget* w) {
    auto* dialog = qobject_cast<QFileDialog*>(w);
    preselected = dialog->selectedNameFilter();
    proposed = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
    dialog->reject();
  });
  App().ActionFileSaveExecute();
  EXPECT_EQ(preselected, "LOC files (*.loc)");
  EXPECT_EQ(proposed, "trip");
}

// Load a pocket query with the default settings, press Save and Enter: the
// name proposed has no extension, yet the file it becomes exists, so the
// dialog asks; then the list lacks the file's Groundspeak data, so the save
// asks again. No to either leaves the file as it was.
TEST_F(UiWindow, SaveAndEnterOverTheLoadedPocketQueryAsksAndNoKeepsTheFile) {
  const std::string pq = WriteGpx("mypq.gpx", kThree);
  const std::string original = ReadFileBytes(pq);
  ASSERT_NE(original.find("<groundspeak:cache"), std::string::npos);
  TFormApp& app = Open({QString::fromStdString(pq)});
  ASSERT_EQ(app.Model().rowCount(), 3);
  EXPECT_EQ(app.StatusBar().MessageLevel(), 1);
  EXPECT_TRUE(app.StatusBar().MessageText().contains("Tools > Options")) << app.StatusBar().MessageText().toStdString();
  app.SetQuestionOverride(nullptr);

  // Enter in the save dialog with the name it proposes; the answer to the
  // replace question, and to the question that follows a Yes.
  auto saveWithEnter = [&](QMessageBox::StandardButton replace, QString* replaceText, QString* saveCaption,
                           QString* saveText, bool* dialogStayed) {
    AnswerNextModal([=](QWidget* w) {
      auto* dialog = qobject_cast<QFileDialog*>(w);
      ASSERT_NE(dialog, nullptr);
      auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
      ASSERT_NE(name, nullptr);
      EXPECT_EQ(name->text(), "mypq");
      AnswerNextModal([=](QWidget* box) {
        EXPECT_EQ(box->objectName(), "ReplaceQuestion");
        *replaceText = box->findChild<QLabel*>("qt_msgbox_label")->text();
        if (replace == QMessageBox::Yes) {
          AnswerNextModal([=](QWidget* question) {
            EXPECT_EQ(question->objectName(), "QuestionBox");
            *saveCaption = question->windowTitle();
            *saveText = qobject_cast<QMessageBox*>(question)->text() + "\n" +
                        qobject_cast<QMessageBox*>(question)->informativeText();
            qobject_cast<QMessageBox*>(question)->button(QMessageBox::No)->click();
          });
        }
        qobject_cast<QMessageBox*>(box)->button(replace)->click();
      });
      QTest::keyClick(name, Qt::Key_Return);
      *dialogStayed = dialog->isVisible();
      if (*dialogStayed) dialog->reject();
    });
    app.ActionFileSaveExecute();
  };

  QString replaceText, saveCaption, saveText;
  bool dialogStayed = false;
  saveWithEnter(QMessageBox::No, &replaceText, &saveCaption, &saveText, &dialogStayed);
  EXPECT_TRUE(replaceText.startsWith("mypq.gpx already exists")) << replaceText.toStdString();
  EXPECT_TRUE(dialogStayed);
  EXPECT_TRUE(saveCaption.isEmpty());
  EXPECT_EQ(ReadFileBytes(pq), original);

  replaceText.clear();
  saveWithEnter(QMessageBox::Yes, &replaceText, &saveCaption, &saveText, &dialogStayed);
  EXPECT_FALSE(replaceText.isEmpty());
  EXPECT_FALSE(dialogStayed);
  EXPECT_EQ(saveCaption, "Save");
  EXPECT_TRUE(saveText.startsWith("Are you sure?")) << saveText.toStdString();
  EXPECT_TRUE(saveText.contains("mypq.gpx: the geocaching info")) << saveText.toStdString();
  EXPECT_EQ(ReadFileBytes(pq), original);
  EXPECT_FALSE(app.StatusBar().FlashText().startsWith("Saved to"));
}

TEST_F(UiWindow, KmlIsOfferedOnlyInExtendedMode) {
  Open({}, false);
  QStringList filters;
  AnswerNextModal([&](QWidget* w) {
    filters = qobject_cast<QFileDialog*>(w)->nameFilters();
    qobject_cast<QDialog*>(w)->reject();
  });
  App().ActionFileSaveExecute();
  EXPECT_EQ(filters.size(), 7);
  EXPECT_FALSE(filters.join(' ').contains("KML"));
  Open({}, true);
  AnswerNextModal([&](QWidget* w) {
    filters = qobject_cast<QFileDialog*>(w)->nameFilters();
    qobject_cast<QDialog*>(w)->reject();
  });
  App().ActionFileSaveExecute();
  ASSERT_EQ(filters.size(), 8);
  EXPECT_EQ(filters[7], "KML files (*.kml)");
  EXPECT_EQ(filters[5], "Garmin/Navman files (*.csv)");
}

TEST_F(UiWindow, FavoriteButtonsLoadAndSaveTheFavoriteFile) {
  std::string fav = WriteGpx("fav.gpx", kThree);
  WriteSetting(SettingsFolder(), "FavoriteFile", fav);
  TFormApp& app = Open();
  Click("ButtonSaveFavorite");
  EXPECT_EQ(app.StatusBar().MessageText(), "Favorite file not loaded!");
  Click("ButtonLoadFavorite");
  EXPECT_EQ(app.Model().rowCount(), 3);
  SelectRow(0);
  PressInList(Qt::Key_Delete);
  Click("ButtonSaveFavorite");
  // The favorite was loaded without its Groundspeak data: a second question.
  EXPECT_EQ(questions.captions, (std::vector<std::string>{"Save Favorite File", "Save"}));
  test::RecordingStatus status;
  test::ScriptedQuestions q;
  ListSession check(status, q);
  ASSERT_TRUE(check.LoadFile(fav));
  EXPECT_EQ(check.Store().AllWaypoints().size(), 2u);
}

}  // namespace
}  // namespace quill
