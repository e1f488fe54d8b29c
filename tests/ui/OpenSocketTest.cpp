// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <thread>

#include "UiTestSupport.h"
#include "cli/Cli.h"
#include "session/OpenSocketPath.h"
#include "ui/app/OpenFileServer.h"
#include "ui/components/UlkStatusBar.h"
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
  OpenFileServer* Server() { return App().findChild<OpenFileServer*>("OpenFileServer"); }
  // Sends fence and waits for the window to receive it; the window takes
  // connections in the order they came, so the names received since the spy
  // began are exactly {fence} when nothing sent before got through.
  void ExpectOnlyTheFenceArrives(QSignalSpy& received, const std::string& fence) {
    std::string err;
    EXPECT_EQ(RunCliOpen(fence, &err), 0) << err;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !received.isEmpty(); }, 5000));
    ASSERT_EQ(received.size(), 1);
    EXPECT_EQ(received.first().first().toByteArray().toStdString(), fence);
  }

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
  ASSERT_NE(Server(), nullptr);
  QSignalSpy received(Server(), &OpenFileServer::FileReceived);

  // A missing file, or one of no format it reads, is refused before anything
  // is sent.
  EXPECT_EQ(RunCliOpen(Dir().File("missing.gpx"), &err), 1);
  EXPECT_NE(err.find("no such file"), std::string::npos);
  test::WriteFileBytes(Dir().File("notes.doc"), "not a list");
  EXPECT_EQ(RunCliOpen(Dir().File("notes.doc"), &err), 1);
  EXPECT_NE(err.find("notes.doc: Unknown Extension"), std::string::npos) << err;
  ExpectOnlyTheFenceArrives(received, WriteGpx("fence.gpx", {{"F", 3, 3}}));
  EXPECT_NE(app.StatusBar().MessageText(), "Unknown Extension");
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

// The sender hands a file name only to a socket that is this user's alone, in
// a folder that is this user's alone: anything else may be another user's
// ear. The socket is made to look foreign by its owner or its mode.
TEST_F(UiOpenSocket, OpenRefusesASocketOthersMayUse) {
  TFormApp& app = Open();
  ASSERT_TRUE(app.Listening());
  const std::string socket = OpenSocketPath();
  const std::string path = WriteGpx("x.gpx", {{"X", 1, 1}});
  ASSERT_NE(Server(), nullptr);
  QSignalSpy received(Server(), &OpenFileServer::FileReceived);
  struct Case {
    const char* label;
    std::string file;
    int (*change)(const char* path);
    int (*undo)(const char* path);
  };
  const Case cases[] = {
      {"socket open to all", socket, [](const char* p) { return ::chmod(p, 0777); },
       [](const char* p) { return ::chmod(p, 0600); }},
      {"folder open to all", runtime_.path(), [](const char* p) { return ::chmod(p, 0755); },
       [](const char* p) { return ::chmod(p, 0700); }},
      {"socket of another user", socket, [](const char* p) { return ::lchown(p, 65534, 65534); },
       [](const char* p) { return ::lchown(p, ::geteuid(), ::getegid()); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    if (c.change(c.file.c_str()) != 0) {
      std::printf("skipped \"%s\": cannot change the owner here\n", c.label);
      continue;
    }
    std::string err;
    EXPECT_EQ(RunCliOpen(path, &err), 1);
    EXPECT_NE(err.find("not private"), std::string::npos) << err;
    ASSERT_EQ(c.undo(c.file.c_str()), 0);
  }
  ExpectOnlyTheFenceArrives(received, path);
  EXPECT_TRUE(QTest::qWaitFor([&] { return app.Model().rowCount() == 1; }, 5000));
}

TEST_F(UiOpenSocket, WindowSaysSoWhenTheSocketFolderIsNotPrivate) {
  ASSERT_EQ(::chmod(runtime_.path().c_str(), 0755), 0);
  TFormApp& app = Open();
  EXPECT_FALSE(app.Listening());
  EXPECT_NE(app.StatusBar().MessageText().indexOf("Not listening for quillmark-cli open"), -1)
      << app.StatusBar().MessageText().toStdString();
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(OpenSocketPath())));
}

// Connections beyond the open-file limit: accepting fails for a while, and the
// window must go on listening and take the waiting sender once it can.
TEST_F(UiOpenSocket, KeepsListeningWhenDescriptorsRunOut) {
  TFormApp& app = Open();
  ASSERT_TRUE(app.Listening());
  const std::string socket = OpenSocketPath();
  const std::string path = WriteGpx("late.gpx", {{"L", 1, 1}});
  ASSERT_NE(Server(), nullptr);
  QSignalSpy paused(Server(), &OpenFileServer::AcceptPaused);
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
  int highest = 0;
  for (const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) {
    highest = std::max(highest, std::atoi(e.path().filename().c_str()));
  }
  rlimit low = saved;
  low.rlim_cur = std::min<rlim_t>(saved.rlim_cur, static_cast<rlim_t>(highest) + 64);
  ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &low), 0);
  std::vector<int> hogs;
  for (int fd = ::dup(0); fd >= 0; fd = ::dup(0)) hogs.push_back(fd);
  ASSERT_FALSE(hogs.empty());
  // The sender: a child that frees one descriptor of its own for its socket.
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::alarm(20);
    ::close(hogs.back());
    int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un a{};
    a.sun_family = AF_UNIX;
    std::strncpy(a.sun_path, socket.c_str(), sizeof a.sun_path - 1);
    if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) ::_exit(2);
    if (::write(fd, path.c_str(), path.size() + 1) != static_cast<ssize_t>(path.size() + 1)) ::_exit(3);
    char answer = 0;
    ::_exit(::read(fd, &answer, 1) == 1 && answer == '1' ? 0 : 1);
  }
  // The window meets the connection with no descriptor to take it with.
  const bool metTheLimit = paused.wait(10000);
  for (int fd : hogs) ::close(fd);
  ::setrlimit(RLIMIT_NOFILE, &saved);
  int status = -1;
  bool exited = QTest::qWaitFor([&] { return ::waitpid(child, &status, WNOHANG) == child; }, 15000);
  if (!exited) {
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
  }
  EXPECT_TRUE(metTheLimit);
  EXPECT_TRUE(exited);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_TRUE(app.Listening());
  EXPECT_TRUE(QTest::qWaitFor([&] { return app.Model().rowCount() == 1; }, 5000));
  std::string err;
  const std::string next = WriteGpx("next.gpx", {{"N", 2, 2}});
  EXPECT_EQ(RunCliOpen(next, &err), 0) << err;
  EXPECT_TRUE(QTest::qWaitFor([&] { return app.Model().rowCount() == 2; }, 5000));
}

}  // namespace
}  // namespace quill
