// SPDX-License-Identifier: GPL-3.0-or-later
#include "log/UlkLogfile.h"

#include <sys/time.h>

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "base/Platform.h"
#include "base/UserFolders.h"

namespace quill {

namespace {

constexpr std::size_t kMaxText = 999;

const char* KindTag(int kind) {
  switch (kind) {
    case kLogInfo:
      return "    ";
    case kLogIn:
      return " <- ";
    case kLogOut:
      return " -> ";
    case kLogWarning:
      return "wrn ";
    case kLogError:
      return "ERR ";
    default:
      return "";
  }
}

bool Passes(int mode, int kind) {
  if (mode <= 0) return false;
  if (mode == 1) return kind == kLogError;
  if (mode == 2) return kind == kLogWarning || kind == kLogError;
  return true;
}

}  // namespace

LogClockTime LocalClockTime() {
  timeval tv{};
  ::gettimeofday(&tv, nullptr);
  std::tm tm{};
  const std::time_t secs = tv.tv_sec;
  ::localtime_r(&secs, &tm);
  return {tm.tm_year + 1900,
          tm.tm_mon + 1,
          tm.tm_mday,
          tm.tm_hour,
          tm.tm_min,
          tm.tm_sec,
          static_cast<int>(tv.tv_usec / 10000)};
}

std::string LogDateText(const LogClockTime& t) {
  std::tm tm{};
  tm.tm_year = t.year - 1900;
  tm.tm_mon = t.month - 1;
  tm.tm_mday = t.day;
  char month[32] = {};
  if (std::strftime(month, sizeof month, "%b", &tm) == 0) std::snprintf(month, sizeof month, "%02d", t.month);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%02d %s %04d", t.day, month, t.year);
  return buf;
}

void TUlkLogfile::Init(const std::string& fileName, const std::string& company, const std::string& product) {
  LogFileName = fileName;
  if (!company.empty() && !product.empty()) {
    LogFolder = DataHomeFolder() + "/" + company + "/" + product + "/";
  } else {
    LogFolder = ProgramFolder();
  }
  MakeFolders(LogFolder);
  Initialised = true;
}

std::string TUlkLogfile::FilePathAt(const LogClockTime& t) const {
  if (!LogFileName.empty()) return LogFolder + LogFileName;
  char day[16];
  std::snprintf(day, sizeof day, "%04d%02d%02d", t.year, t.month, t.day);
  return LogFolder + day + ".log";
}

std::string TUlkLogfile::CurrentFilePath() const { return FilePathAt(Now()); }

bool TUlkLogfile::CanOpen(std::string* why) const {
  const char* reason = "logging was not started";
  platform::Handle file = platform::kNoHandle;
  if (Initialised) file = platform::OpenOwnFileForAppending(CurrentFilePath(), &reason);
  if (file == platform::kNoHandle) {
    if (why) *why = reason;
    return false;
  }
  return platform::Close(file);
}

void TUlkLogfile::WriteFormatted(std::string_view source, unsigned line, int kind, int level, const char* format,
                                 std::va_list args) {
  if (!Initialised || !Passes(LoggingMode, kind) || level > DebugLevel) return;
  char text[kMaxText + 1];
  const int n = std::vsnprintf(text, sizeof text, format, args);
  if (n < 0) return;
  DoWriteLine(source, line, kind, level, std::string_view(text, std::min(static_cast<std::size_t>(n), kMaxText)));
}

void TUlkLogfile::WriteLog(const char* source, unsigned line, int kind, int level, const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  WriteFormatted(source ? source : "", line, kind, level, format, args);
  va_end(args);
}

void TUlkLogfile::WriteLog(int kind, int level, const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  WriteFormatted("", 0, kind, level, format, args);
  va_end(args);
}

void TUlkLogfile::WriteLog(int kind, const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  WriteFormatted("", 0, kind, 0, format, args);
  va_end(args);
}

void TUlkLogfile::WriteLog(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  WriteFormatted("", 0, kLogPlain, 0, format, args);
  va_end(args);
}

void TUlkLogfile::WriteLine() { DoWriteLine("============", 0, kLogInfo, 0, std::string(50, '=')); }

void TUlkLogfile::WriteDate() { DoWriteLine("", 0, kLogInfo, 0, "Date: " + LogDateText(Now())); }

void TUlkLogfile::DoWriteLine(std::string_view source, unsigned line, int kind, int level, std::string_view text) {
  if (!Initialised || !Passes(LoggingMode, kind) || level > DebugLevel) return;
  const LogClockTime t = Now();
  char timeText[32];
  if (ShowTimeHund) {
    std::snprintf(timeText, sizeof timeText, "%02d:%02d:%02d.%02d  ", t.hour, t.minute, t.second, t.hundredths);
  } else {
    std::snprintf(timeText, sizeof timeText, "%02d:%02d:%02d  ", t.hour, t.minute, t.second);
  }
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.remove_suffix(1);

  std::string out;
  out.reserve(text.size() + 64);
  const char* why = nullptr;
  const platform::Handle file = platform::OpenOwnFileForAppending(FilePathAt(t), &why);
  if (file == platform::kNoHandle) return;
  const std::string_view second = std::string_view(timeText).substr(0, 8);
  if (ShowExtraLine && std::string_view(LastTime).substr(0, 8) != second) {
    out += "\r\n";
    LastTime = timeText;
  }
  if (ShowDate) out += LogDateText(t) + "  ";
  if (ShowTime) out += timeText;
  char buf[64];
  if (ShowLevel) {
    std::snprintf(buf, sizeof buf, "[%d]  ", level);
    out += buf;
  }
  if (ShowLinenr) {
    std::snprintf(buf, sizeof buf, "%-12.*s %5u ", static_cast<int>(std::min<std::size_t>(source.size(), 40)),
                  source.data(), line);
    out += buf;
  }
  out += KindTag(kind);
  out += text;
  // Every line ends, even one with an inner line feed, so the next line
  // never runs on after it.
  out += "\r\n";
  // One write per line: lines of two processes interleave whole.
  platform::WriteAll(file, out.data(), out.size());
  platform::Close(file);
}

}  // namespace quill
