// SPDX-License-Identifier: GPL-3.0-or-later
// The window's two Ftp buttons against a real server on loopback.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QEventLoop>
#include <QTimer>
#include <filesystem>

#include "UiTestSupport.h"
#include "net/ScramblePassword.h"
#include "session/FavoriteTransfer.h"
#include "session/ListSession.h"
#include "support/FtpServer.h"
#include "ui/components/UlkStatusBar.h"
#include "ui/list/FileCommands.h"
#include "ui/list/FtpCommands.h"
#include "ui/list/WaypointListModel.h"

namespace quill {
namespace {

using test::FtpServer;
using test::TestWaypoint;

const std::vector<TestWaypoint> kServerList = {
    {"GC1AAA", 52.1, 5.1},
    {"GC1BBB", 51.5, 4.4},
    {"GC1CCC", -33.869443, 151.208333},
};

// Asks the duplicate question as scripted, after running `first` once.
struct WaitingQuestions : test::ScriptedQuestions {
  std::function<void()> first;
  int AskDuplicate(const std::string& name) override {
    if (first) {
      auto once = std::move(first);
      first = nullptr;
      once();
    }
    return ScriptedQuestions::AskDuplicate(name);
  }
};

class UiFtp : public ::testing::Test, public test::WindowFixture {
 protected:
  void SetUp() override {
    if (std::string why = FtpServer::Unavailable(); !why.empty()) GTEST_SKIP() << why;
    server_ = std::make_unique<FtpServer>(serverModes_);
    ASSERT_TRUE(server_->Started());
    std::filesystem::create_directory(server_->Root() + "/fav");
    using test::WriteSetting;
    WriteSetting(SettingsFolder(), "FtpHost", server_->HostText());
    WriteSetting(SettingsFolder(), "FtpUser", FtpServer::kUser);
    WriteSetting(SettingsFolder(), "FtpPassword",
                 ScramblePassword(FtpServer::kPassword, kFtpPasswordKey, ScrambleDirection::Add));
    WriteSetting(SettingsFolder(), "FtpRemDirFav", "fav");
    WriteSetting(SettingsFolder(), "FtpRemFilenameFav", "favorites.gpx");
  }

  std::string Remote() const { return server_->Root() + "/fav/favorites.gpx"; }
  // A transfer's local file is removed off the window thread, soon after its end.
  bool CacheEmpty() {
    return test::RunEventsUntil([this] {
      std::error_code ec;
      return !std::filesystem::exists(Dir().File("cache/quillmark")) ||
             std::filesystem::is_empty(Dir().File("cache/quillmark"), ec);
    });
  }
  void Click(const char* name) { Find<QAbstractButton>(name)->click(); }
  // Runs the event loop until the transfer has ended.
  bool WaitForTransfer(int& finished, int count) {
    return test::RunEventsUntil([&] { return finished >= count; });
  }

  std::vector<std::string> serverModes_;
  std::unique_ptr<FtpServer> server_;
  test::ScopedEnv cache_{"XDG_CACHE_HOME", Dir().File("cache")};
  test::ScopedEnv data_{"XDG_DATA_HOME", Dir().File("data")};
};

TEST_F(UiFtp, UploadThenDownloadThroughTheButtonsAndTheNormalLoad) {
  test::WriteFileBytes(Remote(), "old list");
  logLevel = 3;
  TFormApp& up = Open({QString::fromStdString(WriteGpx("three.gpx", kServerList))});
  ASSERT_EQ(RowNames().size(), 3u);
  int finished = 0;
  QObject::connect(&up.Ftp(), &TFtpCommands::Finished, [&](bool) { ++finished; });

  // No: nothing is written, nothing connects.
  questions.yesNo = false;
  Click("ButtonFtpSave");
  EXPECT_EQ(questions.captions, std::vector<std::string>{"FTP Upload GPX"});
  EXPECT_FALSE(up.Ftp().Busy());
  EXPECT_TRUE(CacheEmpty());

  questions.yesNo = true;
  Click("ButtonFtpSave");
  ASSERT_TRUE(WaitForTransfer(finished, 1));
  EXPECT_EQ(up.StatusBar().FlashText().toStdString(), "Done!");
  const std::string uploaded = test::ReadFileBytes(Remote());
  for (const TestWaypoint& w : kServerList) EXPECT_NE(uploaded.find("<name>" + w.name + "</name>"), std::string::npos);
  const std::string logPath = up.Log().UlkLogfile1.CurrentFilePath();

  // Another window holds GC1BBB twice: its own load asks about it, and the
  // download completes meanwhile; it waits for that load, then goes the
  // normal way with its own duplicate question.
  logLevel = 0;
  TFormApp& down = Open();
  finished = 0;
  QObject::connect(&down.Ftp(), &TFtpCommands::Finished, [&](bool) { ++finished; });
  WaitingQuestions answers;
  answers.duplicateAnswers = {0, 1};  // keep the local copy, then take the server's
  down.SetQuestionOverride(&answers);
  const std::string mine = WriteGpx("mine.gpx", {{"GC1BBB", 10, 10}, {"GC1BBB", 11, 11}});
  EXPECT_FALSE(down.Session().FavoriteLoaded());
  Click("ButtonFtpLoad");
  EXPECT_TRUE(down.Session().FavoriteLoaded());
  answers.first = [&] { EXPECT_TRUE(WaitForTransfer(finished, 1)); };
  down.LoadFile(mine);
  test::RunEventsUntil([&] { return RowNames().size() == 3; });
  EXPECT_EQ(answers.duplicateNames, (std::vector<std::string>{"GC1BBB", "GC1BBB"}));
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"GC1BBB", "GC1AAA", "GC1CCC"}));
  EXPECT_DOUBLE_EQ(down.Model().RecordAt(0)->Lat, 51.5);
  EXPECT_TRUE(CacheEmpty());
  down.SetQuestionOverride(&questions);

  // Every step went to the log of the window that had one; never the password.
  const std::string log = test::ReadFileBytes(logPath);
  for (const char* step : {"Upload to fav/favorites.gpx on 127.0.0.1:", "Connected", "In folder fav", "Uploaded ",
                           "Renamed to favorites.gpx"}) {
    EXPECT_NE(log.find(step), std::string::npos) << step << "\n" << log;
  }
  EXPECT_EQ(log.find(FtpServer::kPassword), std::string::npos);
}

// Downloaded into an empty list, the list is named after the favorite and
// Save proposes that name in the user's folder, never the private file's.
TEST_F(UiFtp, ADownloadIsNamedAfterTheFavoriteAndItsFolderIsNotKept) {
  test::WriteFileBytes(Remote(), test::GpxText(kServerList));
  test::WriteSetting(SettingsFolder(), "FavoriteFile", Dir().File("mine/my favorites.gpx"));
  test::WriteSetting(SettingsFolder(), "SavePathGPX", Dir().File("saved"));
  TFormApp& app = Open();
  int finished = 0;
  QObject::connect(&app.Ftp(), &TFtpCommands::Finished, [&](bool) { ++finished; });
  Click("ButtonFtpLoad");
  ASSERT_TRUE(WaitForTransfer(finished, 1));
  ASSERT_EQ(RowNames().size(), 3u);
  EXPECT_EQ(app.Session().CurrentFileName(), "my favorites.gpx");
  EXPECT_EQ(app.windowTitle().toStdString(), "Quillmark - my favorites.gpx[*]");
  EXPECT_EQ(app.Session().Settings().savePathGpx, Dir().File("saved"));
  EXPECT_EQ(test::ReadSettingString(SettingsFolder(), "SavePathGPX", ""), Dir().File("saved"));
  EXPECT_EQ(app.Action("ActionUndo")->text().toStdString(), "Undo Load my favorites.gpx (3 waypoints)");
  EXPECT_TRUE(CacheEmpty());
}

class UiFtpStalled : public UiFtp {
 protected:
  UiFtpStalled() { serverModes_ = {"--stall-retr"}; }
};

TEST_F(UiFtpStalled, ABusyTransferRefusesAnotherAndClosingCancelsIt) {
  std::vector<TestWaypoint> many;
  for (int i = 0; i < 20000; ++i) many.push_back({"GC" + std::to_string(i), 50, 5});
  test::WriteFileBytes(Remote(), test::GpxText(many));
  TFormApp& app = Open();
  Click("ButtonFtpLoad");
  // The server freezes once the first bytes are out; the window goes on.
  ASSERT_TRUE(test::RunEventsUntil([&] { return app.Ftp().Transfer().Client().BytesDone() > 0; }));
  int ticks = 0;
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
  tick.start(1);
  test::RunEventsUntil([&] { return ticks >= 20; });
  EXPECT_GE(ticks, 20);

  for (const char* button : {"ButtonFtpLoad", "ButtonFtpSave"}) {
    app.StatusBar().SetError(0, "");
    Click(button);
    EXPECT_EQ(app.StatusBar().MessageText().toStdString(), "Already connected!") << button;
    EXPECT_EQ(app.StatusBar().MessageLevel(), 2) << button;
  }
  EXPECT_TRUE(questions.captions.empty());

  EXPECT_TRUE(app.close());
  EXPECT_FALSE(app.Ftp().Busy());
  EXPECT_TRUE(CacheEmpty());
  // Nothing waits to be loaded into the closed window either.
  EXPECT_TRUE(app.Files().Idle());
  EXPECT_TRUE(RowNames().empty());
}

}  // namespace
}  // namespace quill
