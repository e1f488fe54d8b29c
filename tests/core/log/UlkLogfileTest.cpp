// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
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

}  // namespace
}  // namespace quill
