// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's diagnostic channel: UlkLogfile1, off unless the program was
// started with --log-level; then every load and save, every failure with its
// reason, every FTP step and every serial report goes to the day's log file.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <string>

#include "log/UlkLogfile.h"

namespace quill {

struct ProgramIdentity;

class TWindowLog {
 public:
  TWindowLog() { UlkLogfile1.ShowExtraLine = true; }

  // Switches logging on at a level 1..3 (0 leaves it off and creates
  // nothing); false when the log file cannot be written.
  bool Start(int level, const ProgramIdentity& identity);
  bool Active() const { return UlkLogfile1.Initialised && UlkLogfile1.LoggingMode > 0; }

  void FileDone(bool save, const QByteArray& fileName, bool ok, qulonglong count, double seconds,
                const QString& reason);
  // A step or outcome of an FTP transfer.
  void FtpEvent(bool error, const std::string& text);
  // A report of a serial port (OnText): type 3 is a warning, 4 an error.
  void SerialReport(const std::string& port, int line, int type, int level, const std::string& text);

  TUlkLogfile UlkLogfile1;
};

// Takes "--log-level N" or "--log-level=N" out of the program's arguments;
// false when N is not a level from 0 to 3.
bool TakeLogLevelArgument(QStringList& arguments, int& level);

}  // namespace quill
