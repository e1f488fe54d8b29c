// SPDX-License-Identifier: GPL-3.0-or-later
// The window's Tools: the letter-frequency histogram, the GPS receiver and
// the log switched on by --log-level.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

#include <QAction>
#include <QBarSet>
#include <QChartView>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedBarSeries>
#include <QTest>
#include <QTimer>
#include <cstdlib>

#include "base/FileIo.h"
#include "log/UlkLogfile.h"
#include "ui/UiTestSupport.h"
#include "ui/app/ConverterPanel.h"
#include "ui/components/UlkStatusBar.h"
#include "ui/tools/FormHistogram.h"
#include "ui/tools/FormList.h"
#include "ui/tools/GpsReceiver.h"
#include "ui/tools/ToolCommands.h"

namespace quill {
namespace {

// The bar values of a chart of the histogram, by position.
std::vector<qreal> BarValues(QWidget& histogram, const char* chart) {
  auto* view = histogram.findChild<QChartView*>(chart);
  auto* series = qobject_cast<QStackedBarSeries*>(view->chart()->series().value(0));
  std::vector<qreal> values;
  for (QBarSet* set : series->barSets()) {
    values.resize(static_cast<std::size_t>(set->count()));
    for (int i = 0; i < set->count(); ++i) values[static_cast<std::size_t>(i)] += set->at(i);
  }
  return values;
}

QColor BarColor(QWidget& histogram, const char* chart, int bar) {
  auto* view = histogram.findChild<QChartView*>(chart);
  auto* series = qobject_cast<QStackedBarSeries*>(view->chart()->series().value(0));
  for (QBarSet* set : series->barSets()) {
    if (set->at(bar) != 0) return set->color();
  }
  return {};
}

constexpr const char* kEnglish =
    "The histogram compares the letter profile of a coded text with that of the language the plain text is "
    "written in. In English the letter E is the most frequent, followed by T, A, O, I and N; a simple "
    "substitution keeps those frequencies and only moves them to other letters, which is why it can be "
    "broken with patience and a table of the expected frequencies of every letter of the alphabet.";

TEST(UiTools, LetterFrequencyFromTheToolsMenu) {
  test::WindowFixture fixture;
  TFormApp& app = fixture.Open();
  TFormHistogram& histogram = app.Tools().Histogram();
  EXPECT_FALSE(histogram.isVisible());
  ASSERT_NE(app.Action("ActionLetterFrequency"), nullptr);
  EXPECT_EQ(app.Action("ActionLetterFrequency")->text(), QString::fromUtf8("Letter frequency\xE2\x80\xA6"));
  app.Action("ActionLetterFrequency")->trigger();
  QWidget* input = app.findChild<QWidget*>("FormLetterInput");
  ASSERT_NE(input, nullptr);
  ASSERT_TRUE(input->isVisible());
  input->findChild<QPlainTextEdit*>("MemoCodedText")->setPlainText(kEnglish);
  input->findChild<QPlainTextEdit*>("MemoDecodedText")->setPlainText("aA");
  input->findChild<QPushButton*>("ButtonShowHistogram")->click();
  ASSERT_TRUE(histogram.isVisible());

  const auto in = BarValues(histogram, "ChartFreqI");
  ASSERT_EQ(in.size(), 26u);
  EXPECT_EQ(std::max_element(in.begin(), in.end()) - in.begin(), 'E' - 'A');
  EXPECT_EQ(BarValues(histogram, "ChartFreqO")[0], 2);

  // The English reference with special colours: E, the top rank, is red.
  histogram.findChild<QAbstractButton*>("RadioButtonChartTextEN")->click();
  histogram.findChild<QAbstractButton*>("CheckBoxColor")->click();
  EXPECT_EQ(BarColor(histogram, "ChartFreqI", 'E' - 'A'), QColor(255, 0, 0));
  EXPECT_EQ(BarColor(histogram, "ChartFreqComp", 'E' - 'A'), QColor(255, 0, 0));

  // Counting again while it is up keeps the user's choices.
  input->findChild<QPlainTextEdit*>("MemoDecodedText")->setPlainText("bbb");
  input->findChild<QPushButton*>("ButtonShowHistogram")->click();
  EXPECT_TRUE(histogram.SpecialColors);
  EXPECT_EQ(BarValues(histogram, "ChartFreqO")[1], 3);

  QTest::mouseDClick(histogram.findChild<QChartView*>("ChartFreqI")->viewport(), Qt::LeftButton);
  TFormList& list = app.Tools().ListWindow();
  ASSERT_TRUE(list.isVisible());
  EXPECT_NE(list.ListText.find("E :  "), std::string::npos);
  fixture.Close();
}

TEST(UiTools, HistogramPositionSurvivesARestart) {
  test::WindowFixture fixture;
  fixture.Open();
  fixture.App().Tools().Histogram().move(137, 111);
  ASSERT_TRUE(fixture.App().close());
  fixture.Close();
  EXPECT_EQ(test::ReadSettingInt(fixture.SettingsFolder(), "HistLeft", -1), 137);
  EXPECT_EQ(test::ReadSettingInt(fixture.SettingsFolder(), "HistTop", -1), 111);
  TFormApp& again = fixture.Open();
  EXPECT_EQ(again.Tools().Histogram().pos(), QPoint(137, 111));
  again.Action("ActionLetterFrequency")->trigger();
  again.findChild<QPushButton*>("ButtonShowHistogram")->click();
  EXPECT_EQ(again.Tools().Histogram().pos(), QPoint(137, 111));
}

std::string Gga(const char* body) {
  unsigned sum = 0;
  for (const char* p = body; *p; ++p) sum ^= static_cast<unsigned char>(*p);
  char tail[8];
  std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
  return std::string("$") + body + tail;
}

TEST(UiTools, GpsReceiverFeedsTheConverter) {
  int master = -1, slave = -1;
  ASSERT_EQ(::openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
  const std::string device = ::ttyname(slave);
  ::fcntl(master, F_SETFL, O_NONBLOCK);
  test::WindowFixture fixture;
  TFormApp& app = fixture.Open();
  QAction* stop = app.Action("ActionGpsStop");
  ASSERT_NE(stop, nullptr);
  EXPECT_FALSE(stop->isEnabled());

  test::AnswerNextModal([&](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "GPS receiver");
    dialog->findChild<QComboBox*>("ComboBoxPort")->setEditText(QString::fromStdString(device));
    dialog->findChild<QComboBox*>("ComboBoxBaudrate")->setEditText("9600");
    dialog->findChild<QPushButton*>("ButtonOK")->click();
  });
  app.Action("ActionGpsReceiver")->trigger();
  ASSERT_TRUE(app.Tools().Gps().Running()) << app.StatusBar().MessageText().toStdString();
  EXPECT_TRUE(stop->isEnabled());

  // The receiver repeats its sentences; a damaged one is skipped.
  const std::string stream = Gga("GPGGA,101501.00,5205.3667,N,00506.6100,E,1,08,1.0,4.2,M,46.0,M,,") +
                             "$GPGGA,101501.00,5905.3667,N,00506.6100,E,1,08,1.0,4.2,M,46.0,M,,*00\r\n";
  auto* deg = app.findChild<QLineEdit*>("UlkEditResultDeg");
  ASSERT_NE(deg, nullptr);
  // Sent every 30 ms, as a receiver does, until the window shows a fix.
  QTimer feed;
  QObject::connect(&feed, &QTimer::timeout, [&] {
    [[maybe_unused]] ssize_t n = ::write(master, stream.data(), stream.size());
    char drain[256];
    while (::read(master, drain, sizeof drain) > 0) {
    }
  });
  feed.start(30);
  ASSERT_TRUE(test::RunEventsUntil([&] { return !deg->text().isEmpty(); }));
  feed.stop();
  // A fix carries a measured height: the altitude shows it.
  EXPECT_FALSE(app.findChild<QLineEdit*>("UlkEditResultAltitude")->text().isEmpty());
  EXPECT_NEAR(app.Converter().CurrentResultLat(), 52.089445, 1e-6);
  EXPECT_NEAR(app.Converter().CurrentResultLon(), 5.1101667, 1e-6);
  EXPECT_TRUE(app.StatusBar().MessageText().startsWith("GPS receiver: fix, 8 satellites"))
      << app.StatusBar().MessageText().toStdString();
  EXPECT_GT(app.Tools().Gps().Reader().Bad(), 0u);

  stop->trigger();
  EXPECT_FALSE(app.Tools().Gps().Running());
  EXPECT_FALSE(stop->isEnabled());
  EXPECT_EQ(app.StatusBar().MessageText(), "GPS receiver stopped");

  // The device goes away under a running receiver: said in plain words.
  ASSERT_TRUE(app.Tools().Gps().Start());
  ::close(master);
  master = -1;
  ASSERT_TRUE(test::RunEventsUntil([&] { return !app.Tools().Gps().Running(); }));
  EXPECT_EQ(app.StatusBar().MessageText(), "GPS receiver lost: Input/output error");
  EXPECT_EQ(app.StatusBar().MessageLevel(), 2);

  // A port that cannot be opened: the reason stands on the status bar.
  test::AnswerNextModal([](QWidget* dialog) {
    dialog->findChild<QComboBox*>("ComboBoxPort")->setEditText("/dev/quillmark-no-port");
    dialog->findChild<QPushButton*>("ButtonOK")->click();
  });
  app.Action("ActionGpsReceiver")->trigger();
  EXPECT_FALSE(app.Tools().Gps().Running());
  EXPECT_EQ(app.StatusBar().MessageText(), "GPS receiver: cannot open /dev/quillmark-no-port (Unknown port)");
  EXPECT_EQ(app.StatusBar().MessageLevel(), 2);
  ::close(slave);
}

TEST(UiTools, GpsStatusTexts) {
  NmeaSentence s;
  s.kind = NmeaKind::Gga;
  s.quality = 2;
  s.satellites = 9;
  EXPECT_EQ(GpsStatusText(s, NmeaResult::Fix, 0), "GPS receiver: DGPS fix, 9 satellites");
  s.quality = 0;
  s.satellites = 3;
  EXPECT_EQ(GpsStatusText(s, NmeaResult::NoFix, 2), "GPS receiver: no fix, 3 satellites (2 damaged sentences skipped)");
  s.kind = NmeaKind::Rmc;
  s.satellites = -1;
  EXPECT_EQ(GpsStatusText(s, NmeaResult::Fix, 0), "GPS receiver: fix");
  s.kind = NmeaKind::Gga;
  s.quality = 1;
  s.satellites = 8;
  EXPECT_EQ(GpsStatusText(s, NmeaResult::Fix, 0), "GPS receiver: fix, 8 satellites");
}

// The port's reports in the window's words: no tags, no names of calls.
TEST(UiTools, GpsPortMessages) {
  const std::pair<const char*, const char*> cases[] = {
      {"(RX thread) Error 5 in ReadFile: Input/output error", "GPS receiver lost: Input/output error"},
      {"(RX thread) Error 9 in WaitCommEvent: Bad file descriptor", "GPS receiver lost: Bad file descriptor"},
      {"(RX thread) Invalid port handle", "GPS receiver lost: the port was closed"},
      {"(RX thread) Receive buffer overrun", "GPS receiver: data arrived faster than it was read; some was lost"},
      {"(TX thread) Error 5 in WriteFile: Input/output error",
       "GPS receiver: cannot write to /dev/ttyUSB0: Input/output error"},
      {"(Open) Unable to open /dev/ttyUSB0\n(Port already open)",
       "GPS receiver: cannot open /dev/ttyUSB0 (Port already open)"},
      {"(Open) SetCommState failed!: unsupported baud rate",
       "GPS receiver: cannot set up /dev/ttyUSB0: unsupported baud rate"},
      {"(Open) CreateThread RX failed!", "GPS receiver: cannot set up /dev/ttyUSB0"},
      {"(Close) PurgeComm failed!: Input/output error", "GPS receiver: Input/output error"},
  };
  for (const auto& [report, shown] : cases) {
    EXPECT_EQ(GpsPortMessage("/dev/ttyUSB0", report).toStdString(), shown) << report;
  }
}

// XDG_DATA_HOME for the length of a test.
class DataHome {
 public:
  explicit DataHome(const std::string& path) {
    if (const char* old = std::getenv("XDG_DATA_HOME")) saved_ = old, had_ = true;
    ::setenv("XDG_DATA_HOME", path.c_str(), 1);
  }
  ~DataHome() {
    if (had_) {
      ::setenv("XDG_DATA_HOME", saved_.c_str(), 1);
    } else {
      ::unsetenv("XDG_DATA_HOME");
    }
  }

 private:
  std::string saved_;
  bool had_ = false;
};

TEST(UiTools, LogLevelWritesLoadSaveAndFailureLines) {
  test::TempDir data;
  DataHome home(data.path());
  test::WindowFixture fixture;
  const std::string gpx = fixture.WriteGpx("two.gpx", {{"GC1", 52, 5}, {"GC2", 52.1, 5.1}});

  // Without --log-level nothing is written, not even the folder.
  TFormApp& quiet = fixture.Open();
  quiet.LoadFile(gpx);
  fixture.Close();
  EXPECT_FALSE(FileExists(data.File("Tarnwick")));

  FormAppOptions options;
  options.settingsFolder = fixture.SettingsFolder();
  options.listenForFiles = false;
  options.logLevel = 3;
  {
    TFormApp app(options);
    app.SetQuestionOverride(&fixture.questions);
    app.show();
    EXPECT_TRUE(app.LogWritable());
    ASSERT_TRUE(app.LoadFile(gpx));
    ASSERT_TRUE(app.SaveFile(fixture.Dir().File("out.gpx"), 0));
    EXPECT_FALSE(app.LoadFile(fixture.Dir().File("missing.gpx")));
    test::AnswerNextModal([](QWidget* dialog) {
      dialog->findChild<QComboBox*>("ComboBoxPort")->setEditText("/dev/quillmark-no-port");
      dialog->findChild<QPushButton*>("ButtonOK")->click();
    });
    app.Action("ActionGpsReceiver")->trigger();
    const std::string logPath = app.Log().UlkLogfile1.CurrentFilePath();
    EXPECT_EQ(logPath.rfind(data.path() + "/Tarnwick/Quillmark/", 0), 0u) << logPath;
    const std::string log = test::ReadFileBytes(logPath);
    EXPECT_NE(log.find("    Loaded " + gpx + ": 2 waypoints, "), std::string::npos) << log;
    EXPECT_NE(log.find("    Saved " + fixture.Dir().File("out.gpx") + ": 2 waypoints, "), std::string::npos) << log;
    EXPECT_NE(log.find("ERR Loading " + fixture.Dir().File("missing.gpx") + " failed: Error loading file"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("wrn /dev/quillmark-no-port: (Open) Unable to open /dev/quillmark-no-port (Unknown port)\r\n"),
              std::string::npos)
        << log;
    app.hide();
  }

  // A log that cannot be written is reported once by LogWritable.
  test::WriteFileBytes(data.File("blocked"), "");
  DataHome blocked(data.File("blocked"));
  options.logLevel = 1;
  TFormApp app(options);
  EXPECT_FALSE(app.LogWritable());
}

TEST(UiTools, LogLevelArgument) {
  struct Row {
    QStringList args;
    bool ok;
    int level;
    QStringList rest;
  };
  const Row rows[] = {
      {{"--log-level", "3", "a.gpx"}, true, 3, {"a.gpx"}},
      {{"a.gpx", "--log-level=2"}, true, 2, {"a.gpx"}},
      {{"a.gpx"}, true, 0, {"a.gpx"}},
      {{"--log-level", "4"}, false, 0, {}},
      {{"--log-level"}, false, 0, {}},
      {{"--log-level=x"}, false, 0, {}},
  };
  for (const Row& r : rows) {
    QStringList args = r.args;
    int level = 0;
    EXPECT_EQ(TakeLogLevelArgument(args, level), r.ok) << r.args.join(' ').toStdString();
    if (r.ok) {
      EXPECT_EQ(level, r.level);
      EXPECT_EQ(args, r.rest);
    }
  }
}

}  // namespace
}  // namespace quill
