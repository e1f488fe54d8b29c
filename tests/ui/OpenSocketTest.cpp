#include <gtest/gtest.h>

#include <QDir>
#include <QTest>
#include <atomic>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "UiTestSupport.h"
#include "cli/Cli.h"
#include "session/OpenSocketPath.h"
#include "ui/list/WaypointListModel.h"

namespace quill {
namespace {

// quillmark-cli open, run beside the window's event loop as another program would.
int RunCliOpen(const std::string& file, std::string* errText) {
  std::atomic<bool> done{false};
  int rc = -1;
  std::ostringstream out, err;
  std::thread client([&] {
    rc = cli::Run({"open", file}, out, err);
    done = true;
  });
  bool finished = QTest::qWaitFor([&] { return done.load(); }, 15000);
  client.join();
  EXPECT_TRUE(finished);
  if (errText) *errText = err.str();
  return rc;
}

class UiOpenSocket : public ::testing::Test, public test::WindowFixture {
 protected:
  void SetUp() override {
    const char* old = std::getenv("XDG_RUNTIME_DIR");
    hadRuntime_ = old != nullptr;
    if (old) oldRuntime_ = old;
    ::setenv("XDG_RUNTIME_DIR", runtime_.path().c_str(), 1);
    listen = true;
  }
  void TearDown() override {
    Close();
    if (hadRuntime_) {
      ::setenv("XDG_RUNTIME_DIR", oldRuntime_.c_str(), 1);
    } else {
      ::unsetenv("XDG_RUNTIME_DIR");
    }
  }
  test::TempDir runtime_;
  bool hadRuntime_ = false;
  std::string oldRuntime_;
};

TEST_F(UiOpenSocket, CliHandsAFileToTheRunningWindow) {
  TFormApp& app = Open();
  ASSERT_TRUE(app.Listening());
  EXPECT_EQ(OpenSocketPath(), runtime_.path() + "/quillmark.sock");
  WriteGpx("sent.gpx", {{"S1", 1, 1}, {"S2", 2, 2}});
  // A relative name is made whole: the window runs in another folder.
  QString before = QDir::currentPath();
  QDir::setCurrent(QString::fromStdString(Dir().path()));
  std::string err;
  int rc = RunCliOpen("sent.gpx", &err);
  QDir::setCurrent(before);
  EXPECT_EQ(rc, 0) << err;
  EXPECT_TRUE(QTest::qWaitFor([&] { return app.Model().rowCount() == 2; }, 5000));
  EXPECT_EQ(app.Session().CurrentFileName(), "sent.gpx");

  // A missing file is refused before anything is sent.
  EXPECT_EQ(RunCliOpen(Dir().File("missing.gpx"), &err), 1);
  EXPECT_NE(err.find("no such file"), std::string::npos);
}

TEST_F(UiOpenSocket, OnlyTheFirstWindowListensAndALeftoverSocketIsReplaced) {
  TFormApp& first = Open();
  ASSERT_TRUE(first.Listening());
  FormAppOptions options;
  options.settingsFolder = SettingsFolder();
  TFormApp second(options);
  EXPECT_FALSE(second.Listening());
  Close();
  // No window: the command says so.
  std::string path = WriteGpx("x.gpx", {{"X", 1, 1}});
  std::string err;
  EXPECT_EQ(RunCliOpen(path, &err), 1);
  EXPECT_NE(err.find("no Quillmark window"), std::string::npos);
  // A socket file left behind by a crash does not stop the next window.
  test::WriteFileBytes(runtime_.path() + "/quillmark.sock", "");
  TFormApp& next = Open();
  EXPECT_TRUE(next.Listening());
  EXPECT_EQ(RunCliOpen(path, &err), 0) << err;
  EXPECT_TRUE(QTest::qWaitFor([&] { return next.Model().rowCount() == 1; }, 5000));
}

}  // namespace
}  // namespace quill
