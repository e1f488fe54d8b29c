// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QBrush>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFont>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <filesystem>

#include "UiTestSupport.h"
#include "list/ListColumns.h"
#include "net/ScramblePassword.h"
#include "settings/AppSettings.h"
#include "settings/UlkRegistry.h"
#include "text/QtText.h"
#include "ui/components/UlkStatusBar.h"
#include "ui/list/WaypointListModel.h"
#include "ui/tools/FormOptions.h"

namespace quill {
namespace {

using test::AcceptFile;
using test::AnswerNextModal;
using test::ReadFileBytes;
using test::TestWaypoint;
using test::WindowFixture;
using test::WriteSetting;

std::string Scrambled(const std::string& readable) {
  return ScramblePassword(readable, kFtpPasswordKey, ScrambleDirection::Add);
}

class OptionsDialog : public ::testing::Test, public WindowFixture {
 protected:
  TUlkRegistry Store() {
    TUlkRegistry r(SettingsFolder());
    r.Init(RegistryRoot::kLocalMachine, "Software", "Tarnwick", "Quillmark");
    return r;
  }
  std::string StoreText() { return ReadFileBytes(Store().FilePath()); }

  // Opens Tools > Options and hands the dialog to `use`, which closes it.
  void RunOptions(const std::function<void(TFormOptions&)>& use) {
    bool answered = false;
    AnswerNextModal([&](QWidget* w) {
      auto* dialog = qobject_cast<TFormOptions*>(w);
      ASSERT_NE(dialog, nullptr);
      answered = true;
      use(*dialog);
    });
    App().Action("ActionSetup")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return answered; }, 10000));
  }

  template <class T>
  static T* In(TFormOptions& d, const char* name) {
    T* w = d.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  static void Check(TFormOptions& d, const char* name, bool on) { In<QCheckBox>(d, name)->setChecked(on); }
  static void Type(TFormOptions& d, const char* name, const char* text) { In<QLineEdit>(d, name)->setText(text); }

  // Every control away from the defaults the fixture's window starts with.
  static void ChangeEverything(TFormOptions& d) {
    for (const char* name : {"CheckBoxWarnDel", "CheckBoxWarnExit", "CheckBoxIncludeGroundspeak", "CheckBoxRealWebLink",
                             "CheckBoxNoCheckWhenEmpty", "CheckBoxWarnSaveFav", "CheckBoxWarnSaveFtp",
                             "CheckBoxShowArchAv", "CheckBoxFtpPassive"}) {
      auto* box = In<QCheckBox>(d, name);
      box->setChecked(!box->isChecked());
    }
    In<QComboBox>(d, "ComboBoxNorth")->setCurrentIndex(1);
    In<QComboBox>(d, "ComboBoxEast")->setCurrentIndex(1);
    In<QComboBox>(d, "ComboBoxExportTxtMode")->setCurrentIndex(3);
    Type(d, "EditHomeCoords", "N 52 E 5");
    In<QSlider>(d, "TrackBarZoom")->setValue(11);
    In<QRadioButton>(d, "RadioButtonSatellite")->setChecked(true);
    Type(d, "EditFtpHost", "ftps://example.org");
    Type(d, "EditFtpUser", "cacher");
    Type(d, "EditFtpPassword", "n3w pass");
    Type(d, "EditFtpDir", "/lists");
    Type(d, "EditFtpFilename", "fav.gpx");
    Type(d, "EditFtpProxy", "proxy.example.org");
    Type(d, "EditFtpProxyPort", "abc");
    Type(d, "EditMapTileUrl", " http://127.0.0.1:8080/{z}/{x}/{y}.png ");
    Type(d, "EditMapAttribution", "\xc2\xa9 Local tiles");
    d.findChild<QSpinBox*>("SpinBoxMapCacheSize")->setValue(99999999);
  }
};

TEST_F(OptionsDialog, EveryControlIsThereWithItsCaption) {
  Open({}, true);
  RunOptions([&](TFormOptions& d) {
    EXPECT_EQ(d.windowTitle(), "Options");
    const std::pair<const char*, const char*> groups[] = {{"GroupBoxMain", " Main settings "},
                                                          {"GroupBoxCoordinates", " Coordinates "},
                                                          {"GroupBoxGoogleMaps", " Google Maps "},
                                                          {"GroupBoxExpert", " Expert Settings "},
                                                          {"GroupBoxFTP", " FTP "},
                                                          {"GroupBoxMap", " Map "}};
    for (auto [name, title] : groups) {
      EXPECT_EQ(In<QGroupBox>(d, name)->title(), title);
      EXPECT_TRUE(In<QGroupBox>(d, name)->isVisible()) << name;
    }
    const std::pair<const char*, const char*> captions[] = {
        {"CheckBoxWarnDel", "Warning when deleting waypoint"},
        {"CheckBoxWarnExit", "Warning when exiting without saving"},
        {"CheckBoxIncludeGroundspeak", "Include Geocaching Info"},
        {"CheckBoxRealWebLink", "Weblink: use real cache website for waypoints"},
        {"ButtonZoomDefault", "Default"},
        {"RadioButtonMap", "Map"},
        {"RadioButtonSatellite", "Satellite"},
        {"RadioButtonHybrid", "Hybrid"},
        {"ButtonFavorite", "..."},
        {"ButtonArchive", "..."},
        {"CheckBoxNoCheckWhenEmpty", "Skip check when list is empty"},
        {"CheckBoxWarnSaveFav", "Warning when saving favorites list"},
        {"CheckBoxWarnSaveFtp", "Warning when saving favorites list on FTP"},
        {"CheckBoxShowArchAv", "Show Archived and Disabled in list"},
        {"CheckBoxFtpPassive", "Passive"},
        {"ButtonOk", "OK"},
        {"ButtonCancel", "Cancel"}};
    for (auto [name, caption] : captions) EXPECT_EQ(In<QAbstractButton>(d, name)->text(), caption) << name;
    // A setting whose control is missing would silently be neither shown nor taken.
    for (const SettingRow& row : SettingRows()) {
      if (!row.control.empty()) In<QWidget>(d, std::string(row.control).c_str());
    }
    auto* zoom = In<QSlider>(d, "TrackBarZoom");
    EXPECT_EQ(zoom->minimum(), 9);
    EXPECT_EQ(zoom->maximum(), 17);
    EXPECT_EQ(zoom->value(), 14);
    EXPECT_EQ(In<QComboBox>(d, "ComboBoxExportTxtMode")->count(), 7);
    EXPECT_EQ(In<QComboBox>(d, "ComboBoxExportTxtMode")->itemText(6), "ECEF");
    EXPECT_EQ(In<QComboBox>(d, "ComboBoxNorth")->itemText(1), "South");
    EXPECT_EQ(In<QLineEdit>(d, "EditFtpPassword")->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(In<QPushButton>(d, "ButtonOk")->isDefault());
    EXPECT_EQ(d.width(), TFormOptions::kWideWidth);
    d.reject();
  });
}

TEST_F(OptionsDialog, CancelAfterChangingEveryControlChangesNothing) {
  WriteSetting(SettingsFolder(), "FtpPassword", Scrambled("geheim"));
  WriteSetting(SettingsFolder(), "GmZoomLevel", 12);
  Open({}, true);
  const std::string before = StoreText();
  const AppSettings settings = App().Settings();
  RunOptions([&](TFormOptions& d) {
    EXPECT_EQ(In<QLineEdit>(d, "EditFtpPassword")->text(), "geheim");
    EXPECT_EQ(In<QSlider>(d, "TrackBarZoom")->value(), 12);
    ChangeEverything(d);
    In<QPushButton>(d, "ButtonCancel")->click();
  });
  EXPECT_EQ(StoreText(), before);
  EXPECT_EQ(App().Settings().FtpPassword, settings.FtpPassword);
  EXPECT_EQ(App().Settings().GmType, settings.GmType);
  EXPECT_EQ(App().Settings().HomeCoords, settings.HomeCoords);
  EXPECT_EQ(App().SettingsBinder().TxtExportMode, 0);
  // The next showing starts from the window's values again.
  RunOptions([&](TFormOptions& d) {
    EXPECT_EQ(In<QLineEdit>(d, "EditFtpUser")->text(), "");
    EXPECT_FALSE(In<QRadioButton>(d, "RadioButtonSatellite")->isChecked());
    d.reject();
  });
}

TEST_F(OptionsDialog, OkWritesEverySettingAndTheStoreReadsItBack) {
  WriteSetting(SettingsFolder(), "GmZoomLevel", 9);
  Open({}, true);
  RunOptions([&](TFormOptions& d) {
    ChangeEverything(d);
    In<QPushButton>(d, "ButtonZoomDefault")->click();
    In<QPushButton>(d, "ButtonOk")->click();
  });
  const AppSettings stored = ReadAppSettings(Store());
  EXPECT_TRUE(stored.WarnDel);
  EXPECT_FALSE(stored.WarnExit);
  EXPECT_TRUE(stored.IncludeGroundspeak);
  EXPECT_TRUE(stored.RealWebLink);
  EXPECT_TRUE(stored.NoCheckWhenEmpty);
  EXPECT_FALSE(stored.WarnSaveFav);
  EXPECT_FALSE(stored.WarnSaveFtp);
  EXPECT_TRUE(stored.ShowArchAv);
  EXPECT_EQ(stored.NorthDefault, 1);
  EXPECT_EQ(stored.EastDefault, 1);
  EXPECT_EQ(stored.GmZoomLevel, 14);
  EXPECT_EQ(stored.GmType, 107);
  EXPECT_EQ(stored.HomeCoords, "N 52 E 5");
  EXPECT_EQ(stored.FtpHost, "ftps://example.org");
  EXPECT_EQ(stored.FtpUser, "cacher");
  EXPECT_EQ(stored.FtpPassword, Scrambled("n3w pass"));
  EXPECT_NE(stored.FtpPassword, "n3w pass");
  EXPECT_EQ(stored.FtpRemDirFav, "/lists");
  EXPECT_EQ(stored.FtpRemFilenameFav, "fav.gpx");
  EXPECT_EQ(stored.FtpProxy, "proxy.example.org");
  EXPECT_EQ(stored.FtpProxyPort, 0);  // "abc"
  EXPECT_EQ(stored.FtpPassive, 0);
  EXPECT_EQ(stored.MapTileUrl, "http://127.0.0.1:8080/{z}/{x}/{y}.png");
  EXPECT_EQ(stored.MapAttribution, "\xa9 Local tiles");
  EXPECT_EQ(stored.MapCacheMB, kMaxMapCacheMB);
  EXPECT_EQ(StoreText().find("TxtExportMode"), std::string::npos);
  // The window works with them at once.
  EXPECT_EQ(App().Settings().GmType, 107);
  EXPECT_EQ(App().SettingsBinder().TxtExportMode, 3);
  EXPECT_EQ(App().Session().Settings().txtExportMode, 3);
  EXPECT_TRUE(App().Session().Settings().stored.IncludeGroundspeak);

  // The readable password comes back; emptied, it is stored empty.
  RunOptions([&](TFormOptions& d) {
    EXPECT_EQ(In<QLineEdit>(d, "EditFtpPassword")->text(), "n3w pass");
    EXPECT_EQ(In<QLineEdit>(d, "EditFtpProxyPort")->text(), "0");
    Type(d, "EditFtpPassword", "");
    Type(d, "EditFtpProxyPort", " 3128 ");
    In<QPushButton>(d, "ButtonOk")->click();
  });
  EXPECT_EQ(ReadAppSettings(Store()).FtpPassword, "");
  EXPECT_EQ(ReadAppSettings(Store()).FtpProxyPort, 3128);
}

TEST_F(OptionsDialog, NarrowWithoutExtendedModeAndTheHiddenValuesKept) {
  WriteSetting(SettingsFolder(), "GmType", 0);
  WriteSetting(SettingsFolder(), "FtpPassword", Scrambled("s\xE9kr1t"));
  WriteSetting(SettingsFolder(), "FtpHost", "ftp.example.org");
  WriteSetting(SettingsFolder(), "FtpProxyPort", 2121);
  WriteSetting(SettingsFolder(), "FavoriteFile", "/data/fav.gpx");
  WriteSetting(SettingsFolder(), "WarnSaveFav", 0);
  WriteSetting(SettingsFolder(), "ShowArchAv", 1);
  WriteSetting(SettingsFolder(), "FtpPassive", 0);
  Open({}, false);
  RunOptions([&](TFormOptions& d) {
    EXPECT_FALSE(In<QGroupBox>(d, "GroupBoxExpert")->isVisible());
    EXPECT_FALSE(In<QGroupBox>(d, "GroupBoxFTP")->isVisible());
    EXPECT_EQ(d.width(), 361);
    EXPECT_EQ(In<QPushButton>(d, "ButtonOk")->x(), 192);
    EXPECT_EQ(In<QPushButton>(d, "ButtonCancel")->x(), 272);
    EXPECT_TRUE(In<QRadioButton>(d, "RadioButtonMap")->isChecked());
    In<QPushButton>(d, "ButtonOk")->click();
  });
  const AppSettings stored = ReadAppSettings(Store());
  EXPECT_EQ(stored.GmType, 109);
  EXPECT_EQ(stored.FtpPassword, Scrambled("s\xE9kr1t"));
  EXPECT_EQ(stored.FtpHost, "ftp.example.org");
  EXPECT_EQ(stored.FtpProxyPort, 2121);
  EXPECT_EQ(stored.FavoriteFile, "/data/fav.gpx");
  EXPECT_FALSE(stored.WarnSaveFav);
  EXPECT_TRUE(stored.ShowArchAv);
  EXPECT_EQ(stored.FtpPassive, 0);
}

TEST_F(OptionsDialog, UnwritableStoreIsReportedAndTheSettingsStillHoldForTheRun) {
  Open({}, false);
  // The settings file's place is taken by a folder: nothing can be written.
  ASSERT_EQ(std::filesystem::create_directories(Store().FilePath()), true);
  RunOptions([&](TFormOptions& d) {
    Check(d, "CheckBoxWarnDel", true);
    In<QPushButton>(d, "ButtonOk")->click();
  });
  EXPECT_EQ(App().StatusBar().MessageText(), "Error saving settings");
  EXPECT_EQ(App().StatusBar().MessageLevel(), 2);
  EXPECT_TRUE(App().Settings().WarnDel);
  EXPECT_TRUE(App().Session().Settings().stored.WarnDel);
}

TEST_F(OptionsDialog, HomeCoordsActOnTheDistanceColumnAtOnce) {
  std::string file = WriteGpx("near.gpx", {{"GC1AAA", 52.1, 5.1}});
  Open({QString::fromStdString(file)}, false);
  App().ActionColumn4Execute(kColumnDistance);
  const QString farAway = App().Model().index(0, 3).data().toString();
  RunOptions([&](TFormOptions& d) {
    Type(d, "EditHomeCoords", "N 52 E 5");
    In<QPushButton>(d, "ButtonOk")->click();
  });
  const QString atOnce = App().Model().index(0, 3).data().toString();
  EXPECT_NE(atOnce, farAway);
  // What a restart with that home would show.
  Open({QString::fromStdString(file)}, false);
  App().ActionColumn4Execute(kColumnDistance);
  EXPECT_EQ(App().Model().index(0, 3).data().toString(), atOnce);
  EXPECT_EQ(App().Settings().HomeCoords, "N 52 E 5");
}

TEST_F(OptionsDialog, GeocachingInfoTurnedOnMarksArchivedRowsAndSurvivesARestart) {
  std::string pq = WriteGpx("pq.gpx", {{"GC1AAA", 52.1, 5.1, "", "", "", "False", "True", "Netherlands"},
                                       {"GC1BBB", 52.2, 5.2, "", "", "", "False", "False", "Netherlands"},
                                       {"GC1CCC", 52.3, 5.3, "", "", "", "True", "False", "Netherlands"}});
  Open({}, false);
  // Loaded without the data, the bar says which option keeps it; turning it
  // on takes the hint away.
  ASSERT_TRUE(App().LoadFile(pq));
  EXPECT_EQ(App().StatusBar().MessageText(), AnsiToQString(kGroundspeakNotKept));
  EXPECT_EQ(App().StatusBar().MessageLevel(), 1);
  RunOptions([&](TFormOptions& d) {
    Check(d, "CheckBoxIncludeGroundspeak", true);
    In<QPushButton>(d, "ButtonOk")->click();
  });
  EXPECT_EQ(App().StatusBar().MessageText(), "");
  App().Session().ReleaseList();
  ASSERT_TRUE(App().LoadFile(pq));
  WaypointListModel& m = App().Model();
  ASSERT_EQ(m.rowCount(), 3);
  auto red = [&](int row) { return m.index(row, 0).data(Qt::ForegroundRole).value<QBrush>().color() == Qt::red; };
  auto struck = [&](int row) { return m.index(row, 0).data(Qt::FontRole).value<QFont>().strikeOut(); };
  EXPECT_TRUE(red(0) && struck(0));    // archived
  EXPECT_TRUE(!red(1) && struck(1));   // disabled
  EXPECT_TRUE(!red(2) && !struck(2));  // available
  Open({}, false);
  EXPECT_TRUE(App().Settings().IncludeGroundspeak);
}

TEST_F(OptionsDialog, FileButtonsChooseTheFavoriteAndArchiveFiles) {
  std::string fav = WriteGpx("fav.gpx", {{"GC1AAA", 52.1, 5.1}});
  Open({}, true);
  EXPECT_FALSE(Find<QPushButton>("ButtonLoadFavorite")->isEnabled());
  QString offeredFolder;
  RunOptions([&](TFormOptions& d) {
    AnswerNextModal([&](QWidget* w) {
      auto* files = qobject_cast<QFileDialog*>(w);
      EXPECT_EQ(files->nameFilters(), QStringList{"Waypoint files (*.gpx)"});
      AcceptFile(files, fav);
    });
    In<QPushButton>(d, "ButtonFavorite")->click();
    AnswerNextModal([&](QWidget* w) {
      auto* files = qobject_cast<QFileDialog*>(w);
      EXPECT_EQ(files->nameFilters(), QStringList{"Waypoint files (*.txt)"});
      // A new file, typed: it gets the default extension.
      files->setDirectory(QString::fromStdString(Dir().path()));
      files->findChild<QLineEdit*>("fileNameEdit")->setText("archive");
      static_cast<QDialog*>(files)->accept();
    });
    In<QPushButton>(d, "ButtonArchive")->click();
    // The favorite chooser opens where the file is, with its name.
    AnswerNextModal([&](QWidget* w) {
      offeredFolder = qobject_cast<QFileDialog*>(w)->directory().absolutePath();
      qobject_cast<QDialog*>(w)->reject();
    });
    In<QPushButton>(d, "ButtonFavorite")->click();
    In<QPushButton>(d, "ButtonOk")->click();
  });
  EXPECT_EQ(offeredFolder.toStdString(), Dir().path());
  const AppSettings stored = ReadAppSettings(Store());
  EXPECT_EQ(stored.FavoriteFile, fav);
  EXPECT_EQ(stored.ArchiveFile, Dir().File("archive.txt"));
  EXPECT_TRUE(Find<QPushButton>("ButtonLoadFavorite")->isEnabled());
}

}  // namespace
}  // namespace quill
