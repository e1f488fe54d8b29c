// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/WindowLog.h"

#include <algorithm>

#include "settings/UlkFileversionInfo.h"

namespace quill {

bool TWindowLog::Start(int level, const ProgramIdentity& identity) {
  if (level <= 0) return true;
  UlkLogfile1.Init("", identity.companyName, identity.fileDescription);
  UlkLogfile1.SetLogging(std::min(level, 3));
  return UlkLogfile1.CanOpen();
}

void TWindowLog::FileDone(bool save, const QByteArray& fileName, bool ok, qulonglong count, double seconds,
                          const QString& reason) {
  const std::string name = fileName.toStdString();
  if (ok) {
    UlkLogfile1.WriteLog(kLogInfo, 0, "%s %s: %llu waypoints, %.2f s", save ? "Saved" : "Loaded", name.c_str(), count,
                         seconds);
  } else {
    UlkLogfile1.WriteLog(kLogError, 0, "%s %s failed: %s", save ? "Saving" : "Loading", name.c_str(),
                         reason.toUtf8().constData());
  }
}

void TWindowLog::FtpEvent(bool error, const std::string& text) {
  UlkLogfile1.WriteLog("Ftp", 0, error ? kLogError : kLogInfo, 0, "%s", text.c_str());
}

void TWindowLog::SerialReport(const std::string& port, int line, int type, int level, const std::string& text) {
  std::string oneLine = text;
  std::replace(oneLine.begin(), oneLine.end(), '\n', ' ');
  const int kind = type >= 4 ? kLogError : type == 3 ? kLogWarning : kLogInfo;
  UlkLogfile1.WriteLog("Serial", static_cast<unsigned>(line), kind, level, "%s: %s", port.c_str(), oneLine.c_str());
}

bool TakeLogLevelArgument(QStringList& arguments, int& level) {
  for (qsizetype i = 0; i < arguments.size();) {
    const QString arg = arguments[i];
    QString value;
    if (arg == "--log-level") {
      value = i + 1 < arguments.size() ? arguments[i + 1] : QString();
      arguments.remove(i, std::min<qsizetype>(2, arguments.size() - i));
    } else if (arg.startsWith("--log-level=")) {
      value = arg.mid(12);
      arguments.remove(i);
    } else {
      ++i;
      continue;
    }
    bool ok = false;
    level = value.toInt(&ok);
    if (!ok || level < 0 || level > 3) return false;
  }
  return true;
}

}  // namespace quill
