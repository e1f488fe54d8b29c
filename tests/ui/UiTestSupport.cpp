// SPDX-License-Identifier: GPL-3.0-or-later
#include "UiTestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include "settings/AppSettings.h"
#include "text/TextHelpers.h"
#include "ui/list/FileCommands.h"
#include "ui/list/WaypointListModel.h"

namespace quill::test {

std::string GpxText(const std::vector<TestWaypoint>& waypoints) {
  std::string s =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
      "<gpx version=\"1.0\" creator=\"test\" xmlns=\"http://www.topografix.com/GPX/1/0\">\n";
  for (const TestWaypoint& w : waypoints) {
    s += "<wpt lat=\"" + FormatFixed(w.lat, 6) + "\" lon=\"" + FormatFixed(w.lon, 6) + "\">\n";
    s += "  <time>2010-09-24T08:05:09</time>\n";
    s += "  <name>" + w.name + "</name>\n";
    if (!w.desc.empty()) s += "  <desc>" + w.desc + "</desc>\n";
    if (!w.url.empty()) s += "  <url>" + w.url + "</url>\n";
    if (!w.urlName.empty()) s += "  <urlname>" + w.urlName + "</urlname>\n";
    s += "  <sym>Geocache</sym>\n  <type>Geocache|Traditional Cache</type>\n";
    if (!w.available.empty() || !w.archived.empty()) {
      s += "  <groundspeak:cache id=\"1\" available=\"" + w.available + "\" archived=\"" + w.archived +
           "\" xmlns:groundspeak=\"http://www.groundspeak.com/cache/1/0\">\n";
      s += "    <groundspeak:name>" + w.name + "</groundspeak:name>\n";
      s += "    <groundspeak:country>" + w.country + "</groundspeak:country>\n";
      s += "    <groundspeak:difficulty>1.5</groundspeak:difficulty>\n";
      s += "    <groundspeak:terrain>2</groundspeak:terrain>\n";
      s += "  </groundspeak:cache>\n";
    }
    s += "</wpt>\n";
  }
  s += "</gpx>\n";
  return s;
}

void AnswerNextModal(std::function<void(QWidget*)> answer) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, answer] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    timer->stop();
    timer->deleteLater();
    answer(modal);
    // A test must never hang on a dialog its answer did not close.
    QPointer<QWidget> answered(modal);
    QTimer::singleShot(3000, [answered] {
      if (!answered || !answered->isVisible()) return;
      ADD_FAILURE() << "modal dialog " << answered->objectName().toStdString() << " still open";
      QWidget* top = QApplication::activeModalWidget();
      while (top && top != answered) {
        top->close();
        top = QApplication::activeModalWidget();
      }
      if (auto* dialog = qobject_cast<QDialog*>(answered.data())) dialog->reject();
    });
  });
  timer->start();
}

void AcceptFile(QWidget* fileDialog, const std::string& path) {
  auto* dialog = qobject_cast<QFileDialog*>(fileDialog);
  ASSERT_NE(dialog, nullptr);
  if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit")) name->clearFocus();
  dialog->selectFile(QString::fromStdString(path));
  static_cast<QDialog*>(dialog)->accept();
}

bool WaitForFiles(TFormApp& app) {
  return QTest::qWaitFor([&app] { return app.Files().Idle(); }, 10000);
}

namespace {
TUlkRegistry SettingsRegistry(const std::string& folder) {
  TUlkRegistry r(folder);
  r.Init(RegistryRoot::kLocalMachine, "Software", "Tarnwick", "Quillmark");
  return r;
}
}  // namespace

void WriteSetting(const std::string& folder, const std::string& name, int value) {
  SettingsRegistry(folder).WriteInt(kSettingsSection, name, value);
}

void WriteSetting(const std::string& folder, const std::string& name, const std::string& value) {
  SettingsRegistry(folder).WriteString(kSettingsSection, name, value);
}

int ReadSettingInt(const std::string& folder, const std::string& name, int def) {
  return SettingsRegistry(folder).ReadInt(kSettingsSection, name, def);
}

std::string ReadSettingString(const std::string& folder, const std::string& name, const std::string& def) {
  return SettingsRegistry(folder).ReadString(kSettingsSection, name, def);
}

WindowFixture::WindowFixture() : settingsFolder_(dir_.File("config/quillmark")) {}

WindowFixture::~WindowFixture() { Close(); }

TFormApp& WindowFixture::Open(const QStringList& arguments, bool extendedMode) {
  Close();
  FormAppOptions options;
  options.extendedMode = extendedMode;
  options.settingsFolder = settingsFolder_;
  options.arguments = arguments;
  options.listenForFiles = listen;
  options.logLevel = logLevel;
  app_ = std::make_unique<TFormApp>(options);
  app_->SetQuestionOverride(&questions);
  app_->show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(app_.get()));
  EXPECT_TRUE(WaitForFiles(*app_));
  return *app_;
}

void WindowFixture::Close() {
  if (!app_) return;
  app_->hide();
  app_.reset();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::string WindowFixture::WriteGpx(const std::string& name, const std::vector<TestWaypoint>& waypoints) {
  std::string path = dir_.File(name);
  WriteFileBytes(path, GpxText(waypoints));
  return path;
}

std::vector<std::string> WindowFixture::RowNames() {
  std::vector<std::string> names;
  WaypointListModel& model = app_->Model();
  for (int r = 0; r < model.rowCount(); ++r) names.push_back(model.RecordAt(r)->Name);
  return names;
}

}  // namespace quill::test
