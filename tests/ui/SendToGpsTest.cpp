// SPDX-License-Identifier: GPL-3.0-or-later
// File > Send to GPS…: the receivers with their model and free space, the
// list's name proposed, OK writes the list there; an older file of that
// name goes only after a Yes.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>

#include "formats/GpxReader.h"
#include "ui/UiTestSupport.h"
#include "ui/components/UlkStatusBar.h"
#include "ui/list/FormSendToGps.h"
#include "ui/list/ListView.h"
#include "ui/list/WaypointListModel.h"

namespace quill {
namespace {

std::vector<std::string> NamesIn(const std::string& path) {
  WaypointStore store;
  EXPECT_TRUE(ReadGpxFile(path, store, ReadOptions{}, nullptr));
  std::vector<std::string> names;
  for (const TGpxRecord* r : store.AllWaypoints()) names.push_back(r->Name);
  return names;
}

TEST(UiSendToGps, DialogWritesTheShownListToTheChosenReceiver) {
  test::WindowFixture f;
  const std::string root = f.Dir().File("GARMIN");
  std::filesystem::create_directories(root + "/Garmin");
  test::WriteFileBytes(root + "/Garmin/GarminDevice.xml",
                       "<Device><Model><Description>eTrex 32x</Description></Model><DataType><Name>GPSData</Name>"
                       "<File><Location><Path>Garmin/Caches</Path><FileExtension>GPX</FileExtension></Location>"
                       "</File></DataType></Device>");
  ReceiverDrive receiver;
  std::string error;
  ASSERT_TRUE(ReadReceiver(root, receiver, error)) << error;

  TFormApp& app = f.Open();
  const std::string list =
      f.WriteGpx("weekend.gpx",
                 {{"GC1", 52.1, 5.1}, {"GC2", 52.2, 5.2}, {"GC3", 52.3, 5.3}, {"GC4", 52.4, 5.4}, {"GC5", 52.5, 5.5}});
  ASSERT_TRUE(app.LoadFile(list));

  const std::string sent = root + "/Garmin/Caches/weekend.gpx";
  for (const bool replace : {false, true}) {
    SCOPED_TRACE(replace ? "over an older file, Yes" : "first send");
    bool seen = false;
    test::AnswerNextModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<TFormSendToGps*>(modal);
      ASSERT_NE(dialog, nullptr);
      seen = true;
      dialog->SetReceivers({receiver});
      auto* combo = dialog->findChild<QComboBox*>("ComboDevice");
      ASSERT_EQ(combo->count(), 1);
      EXPECT_TRUE(combo->itemText(0).startsWith("eTrex 32x (")) << combo->itemText(0).toStdString();
      EXPECT_TRUE(combo->itemText(0).endsWith(" free)"));
      EXPECT_EQ(dialog->findChild<QLineEdit*>("EditFileName")->text(), "weekend");
      EXPECT_EQ(dialog->findChild<QLabel*>("LabelCount")->text(), "5 waypoints");
      dialog->findChild<QPushButton*>("ButtonOk")->click();
      EXPECT_EQ(dialog->result(), QDialog::Accepted) << dialog->findChild<QLabel*>("LabelError")->text().toStdString();
    });
    if (replace) test::WriteFileBytes(sent, "older");
    f.questions.yesNo = replace;
    f.questions.captions.clear();
    app.Action("ActionSendToGps")->trigger();
    EXPECT_TRUE(seen);
    EXPECT_EQ(f.questions.captions, replace ? std::vector<std::string>{"Send to GPS"} : std::vector<std::string>{});
    EXPECT_EQ(NamesIn(sent), (std::vector<std::string>{"GC1", "GC2", "GC3", "GC4", "GC5"}));
  }

  // Several rows picked: only those go, in list order.
  app.SelectRow(3);
  QItemSelectionModel& picked = *app.ListView().selectionModel();
  picked.select(app.Model().index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  test::AnswerNextModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<TFormSendToGps*>(modal);
    ASSERT_NE(dialog, nullptr);
    dialog->SetReceivers({receiver});
    EXPECT_EQ(dialog->findChild<QLabel*>("LabelCount")->text(), "2 waypoints");
    dialog->findChild<QPushButton*>("ButtonOk")->click();
  });
  f.questions.yesNo = true;
  app.Action("ActionSendToGps")->trigger();
  EXPECT_EQ(NamesIn(sent), (std::vector<std::string>{"GC2", "GC4"}));

  // No: the older file stays, the dialog stays open with the list unsent.
  test::WriteFileBytes(sent, "older");
  f.questions.yesNo = false;
  TFormSendToGps dialog(&app, app.Session().Store().ShownWaypoints(), "weekend.gpx", f.questions, app.StatusBar());
  dialog.SetReceivers({receiver});
  dialog.findChild<QPushButton*>("ButtonOk")->click();
  EXPECT_EQ(test::ReadFileBytes(sent), "older");
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  dialog.SetReceivers({});
  EXPECT_FALSE(dialog.findChild<QPushButton*>("ButtonOk")->isEnabled());
  EXPECT_NE(dialog.findChild<QLabel*>("LabelError")->text().indexOf("No GPS receiver found"), -1);
}

}  // namespace
}  // namespace quill
