// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TUlkLogfile: appends diagnostic lines to a text log, one file per day
// ("YYYYMMDD.log") unless a fixed name is given. Each line may carry the
// date, the time, a level, a source position and a tag of its kind. Nothing
// is written before Init, nor while LoggingMode is 0.
//
// Failures are silent (the line is lost); a caller that must tell the user
// asks CanOpen once. The log is a regular file of the user's own, created
// private (0600): a symbolic link, a FIFO, a device or someone else's file
// at its path is never written to (nor waited on).
#include <cstdarg>
#include <functional>
#include <string>
#include <string_view>

#include "base/PrintfFormat.h"

namespace quill {

struct LogClockTime {
  int year = 1970;
  int month = 1;  // 1..12
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int hundredths = 0;
};

// The local time; tests hand the component a clock of their own.
using LogClock = std::function<LogClockTime()>;
LogClockTime LocalClockTime();

// Line kinds and their tags.
enum : int { kLogPlain = -1, kLogInfo = 0, kLogIn = 1, kLogOut = 2, kLogWarning = 3, kLogError = 4 };

class TUlkLogfile {
 public:
  TUlkLogfile() = default;

  int DebugLevel = 1;          // lines of a higher level are not written
  bool ShowExtraLine = false;  // an empty line when the second changes
  bool ShowDate = false;
  bool ShowTime = true;
  bool ShowTimeHund = false;
  bool ShowLevel = false;
  bool ShowLinenr = false;

  std::string LogFileName;  // empty: one file per day
  std::string LogFolder;    // ends in "/"
  int LoggingMode = 0;      // 0 nothing, 1 errors, 2 errors and warnings, 3+ all
  std::string LastTime;
  bool Initialised = false;

  void SetClock(LogClock clock) { clock_ = std::move(clock); }

  // The folder is $XDG_DATA_HOME/company/product/ when both are given, else
  // the program's folder; every missing level is created.
  void Init(const std::string& fileName, const std::string& company, const std::string& product);
  void SetLogging(int mode) { LoggingMode = mode; }

  void WriteLog(const char* source, unsigned line, int kind, int level, const char* format, ...) QUILL_PRINTF(6, 7);
  void WriteLog(int kind, int level, const char* format, ...) QUILL_PRINTF(4, 5);
  void WriteLog(int kind, const char* format, ...) QUILL_PRINTF(3, 4);
  void WriteLog(const char* format, ...) QUILL_PRINTF(2, 3);
  // A separator line of 50 "=".
  void WriteLine();
  // "Date: dd mmm yyyy".
  void WriteDate();
  // The writer behind all of the above; text is taken as it is.
  void DoWriteLine(std::string_view source, unsigned line, int kind, int level, std::string_view text);

  // The file the next line goes to.
  std::string CurrentFilePath() const;
  // Whether the log file can be opened for appending now (it is created);
  // why not in *why.
  bool CanOpen(std::string* why = nullptr) const;

 private:
  void WriteFormatted(std::string_view source, unsigned line, int kind, int level, const char* format,
                      std::va_list args);
  LogClockTime Now() const { return clock_ ? clock_() : LocalClockTime(); }
  std::string FilePathAt(const LogClockTime& t) const;

  LogClock clock_;
};

// "dd mmm yyyy" with the locale's short month name.
std::string LogDateText(const LogClockTime& t);

}  // namespace quill
