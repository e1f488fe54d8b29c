// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "log/UlkLogfile.h"
#include "support/TestSupport.h"

namespace quill {
namespace {

using test::ReadFileBytes;
using test::TempDir;

struct Log {
  TempDir dir;
  LogClockTime now{2024, 3, 5, 10, 0, 0, 42};
  TUlkLogfile log;
  explicit Log(int mode = 3) {
    log.SetClock([this] { return now; });
    log.Init("", "", "");
    log.LogFolder = dir.path() + "/";
    log.SetLogging(mode);
  }
  std::string Day(const char* yyyymmdd = "20240305") const {
    return ReadFileBytes(dir.File(std::string(yyyymmdd) + ".log"));
  }
};

TEST(UlkLogfile, NothingBeforeInit) {
  TempDir dir;
  TUlkLogfile log;
  log.LogFolder = dir.path() + "/";
  log.LoggingMode = 3;
  log.DebugLevel = 9;
  log.WriteLog(kLogError, "lost %d", 1);
  log.WriteLine();
  EXPECT_FALSE(log.CanOpen());
  EXPECT_TRUE(test::RunCommand("test -z \"$(ls -A " + test::ShellQuote(dir.path()) + ")\"") == 0);
}

TEST(UlkLogfile, ModesKindsAndLevels) {
  struct Row {
    int mode;
    int kind;
    int level;
    const char* expected;  // the line, or empty when nothing is written
  };
  const Row rows[] = {
      {0, kLogError, 0, ""},
      {1, kLogError, 0, "10:00:00  ERR x\r\n"},
      {1, kLogWarning, 0, ""},
      {2, kLogIn, 0, ""},
      {2, kLogWarning, 0, "10:00:00  wrn x\r\n"},
      {3, kLogPlain, 0, "10:00:00  x\r\n"},
      {3, kLogInfo, 0, "10:00:00      x\r\n"},
      {3, kLogIn, 1, "10:00:00   <- x\r\n"},
      {7, kLogOut, 0, "10:00:00   -> x\r\n"},
      {3, 9, 0, "10:00:00  x\r\n"},
      {3, kLogInfo, 2, ""},  // above DebugLevel 1
  };
  for (const Row& r : rows) {
    Log l(r.mode);
    l.log.WriteLog(r.kind, r.level, "%s", "x");
    EXPECT_EQ(l.Day(), r.expected) << "mode " << r.mode << " kind " << r.kind << " level " << r.level;
  }
}

TEST(UlkLogfile, ExtraLineLineEndsAndDecorations) {
  Log l;
  l.log.ShowExtraLine = true;
  l.log.WriteLog("first\r\n\r\n");
  l.log.WriteLog("second");
  l.now.second = 1;
  l.log.WriteLog("inner\nfeed");
  l.log.WriteLog("%s", "next");
  EXPECT_EQ(l.Day(), "\r\n10:00:00  first\r\n10:00:00  second\r\n\r\n10:00:01  inner\nfeed\r\n10:00:01  next\r\n");

  Log d;
  d.log.ShowDate = true;
  d.log.ShowTimeHund = true;
  d.log.ShowLevel = true;
  d.log.ShowLinenr = true;
  d.log.WriteLog("Main.cpp", 42, kLogWarning, 1, "%d files", 3);
  d.log.WriteLine();
  d.log.WriteDate();
  const std::string stamp = LogDateText(d.now) + "  10:00:00.42  ";
  EXPECT_EQ(stamp.substr(0, 3) + stamp.substr(stamp.size() - 19), "05 2024  10:00:00.42  ");
  EXPECT_EQ(d.Day(), stamp + "[1]  Main.cpp        42 wrn 3 files\r\n" +                           //
                         stamp + "[0]  ============     0     " + std::string(50, '=') + "\r\n" +  //
                         stamp + "[0]  " + std::string(17, ' ') + "0     Date: " + LogDateText(d.now) + "\r\n");
}

TEST(UlkLogfile, DaysFixedNamesAndLongText) {
  Log l;
  l.log.WriteLog("one");
  l.now.day = 6;
  l.log.WriteLog("two");
  EXPECT_EQ(l.Day("20240305"), "10:00:00  one\r\n");
  EXPECT_EQ(l.Day("20240306"), "10:00:00  two\r\n");
  l.log.LogFileName = "fixed.txt";
  l.log.WriteLog("%s", std::string(2000, 'y').c_str());
  EXPECT_EQ(ReadFileBytes(l.dir.File("fixed.txt")), "10:00:00  " + std::string(999, 'y') + "\r\n");
}

TEST(UlkLogfile, InitMakesTheDataFolderAndReportsAnUnwritableLog) {
  TempDir dir;
  const char* old = std::getenv("XDG_DATA_HOME");
  const std::string saved = old ? old : "";
  ::setenv("XDG_DATA_HOME", dir.path().c_str(), 1);
  TUlkLogfile log;
  log.Init("", "Tarnwick", "Quillmark");
  EXPECT_EQ(log.LogFolder, dir.path() + "/Tarnwick/Quillmark/");
  EXPECT_TRUE(log.CanOpen());

  // A file where the folder should be: nothing can be written, and no crash.
  test::WriteFileBytes(dir.File("blocked"), "x");
  TUlkLogfile blocked;
  blocked.Init("", "blocked", "Quillmark");
  blocked.SetLogging(3);
  blocked.WriteLog("lost");
  EXPECT_FALSE(blocked.CanOpen());
  if (old) {
    ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
  } else {
    ::unsetenv("XDG_DATA_HOME");
  }
}

// What may lie at the log's path. Only a regular file of the user's own is
// written; everything else is refused at once (a FIFO is never waited on),
// said once by CanOpen, and left as it was.
TEST(UlkLogfile, PathKinds) {
  struct Case {
    const char* what;
    std::function<void(const std::string& path, const std::string& aside)> plant;
    const char* why;  // empty: the log is written
  } cases[] = {
      {"nothing", [](const std::string&, const std::string&) {}, ""},
      {"an older log", [](const std::string& p, const std::string&) { test::WriteFileBytes(p, "old\r\n"); }, ""},
      {"a link to a file",
       [](const std::string& p, const std::string& aside) {
         test::WriteFileBytes(aside, "precious");
         ASSERT_EQ(::symlink(aside.c_str(), p.c_str()), 0);
       },
       "symbolic link"},
      {"a dangling link",
       [](const std::string& p, const std::string& aside) { ASSERT_EQ(::symlink(aside.c_str(), p.c_str()), 0); },
       "symbolic link"},
      {"a FIFO nobody reads", [](const std::string& p, const std::string&) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); },
       "not a regular file"},
      {"a FIFO somebody reads",
       [](const std::string& p, const std::string&) {
         ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0);
         // Kept open for the rest of the test program: a reader is there.
         ASSERT_GE(::open(p.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC), 0);
       },
       "not a regular file"},
      {"a socket", [](const std::string& p, const std::string&) { test::BindUnixSocket(p); }, "not a regular file"},
      {"a folder", [](const std::string& p, const std::string&) { ASSERT_EQ(::mkdir(p.c_str(), 0700), 0); },
       "not a regular file"},
      {"someone else's file",
       [](const std::string& p, const std::string&) {
         test::WriteFileBytes(p, "theirs");
         if (::geteuid() == 0) {
           ASSERT_EQ(::chown(p.c_str(), 65534, 65534), 0);
         }
       },
       "another user"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Log l;
    const std::string path = l.dir.File("20240305.log");
    const std::string aside = l.dir.File("aside");
    c.plant(path, aside);
    if (std::string(c.what) == "someone else's file" && ::geteuid() != 0) {
      continue;  // only root can give a file away
    }
    const auto before = test::ListTree(l.dir.path());
    // Read only as a regular file: reading a FIFO would wait for a writer.
    struct stat planted {};
    const bool regular = ::lstat(path.c_str(), &planted) == 0 && S_ISREG(planted.st_mode);
    const std::string old = regular ? test::ReadFileBytes(path) : std::string();
    std::string why;
    const bool open = l.log.CanOpen(&why);
    l.log.WriteLog("line");
    if (*c.why == '\0') {
      EXPECT_TRUE(open) << why;
      EXPECT_EQ(l.Day(), old + "10:00:00  line\r\n");
      struct stat st {};
      ASSERT_EQ(::stat(path.c_str(), &st), 0);
      if (old.empty()) {
        EXPECT_EQ(st.st_mode & 0777, 0600u);
      }
      continue;
    }
    EXPECT_FALSE(open);
    EXPECT_NE(why.find(c.why), std::string::npos) << why;
    EXPECT_EQ(test::ListTree(l.dir.path()), before);
    EXPECT_EQ(test::ReadFileBytes(aside), std::string(c.what) == "a link to a file" ? "precious" : "");
  }
}

}  // namespace
}  // namespace quill
