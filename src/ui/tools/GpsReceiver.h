// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TGpsReceiver: reads NMEA 0183 from a serial GPS receiver through
// TUlkSerialPort and reports each fix, the fix status and the port's
// reports. It asks for the port with the serial setup dialog.
#include <QObject>
#include <QString>
#include <memory>
#include <string>

#include "gps/Nmea.h"
#include "ui/components/SerialSetupDlg.h"

class QWidget;

namespace quill {

class TGpsReceiver : public QObject {
  Q_OBJECT
 public:
  explicit TGpsReceiver(QWidget* dialogParent);
  ~TGpsReceiver() override;

  // The setup dialog, then Start; false when cancelled or the port failed.
  bool ActionGpsReceiverExecute();
  bool Start();
  // Closes the port; "GPS receiver stopped" when it was running.
  void Stop();
  bool Running() const;

  // The port settings the dialog edits (kept for the run).
  TSerialSetupDlg Setup;
  const NmeaReader& Reader() const { return reader_; }

 signals:
  void Fix(double lat, double lon, bool hasAltitude, double altitude);
  // For the status bar: level 0 the fix status, 2 a failure.
  void Status(int level, const QString& text);
  // Every report of the port, for the log.
  void PortReport(const QString& port, int line, int type, int level, const QString& text);
  void RunningChanged(bool running);

 private:
  // True when a running port was closed.
  bool ClosePort();
  void OnSentence(const NmeaSentence& s, NmeaResult r);
  void ResetReader();

  QWidget* dialogParent_;
  std::unique_ptr<TUlkSerialPort> port_;
  NmeaReader reader_;
  QString lastStatus_;
  bool closing_ = false;
};

// "GPS receiver: fix, 8 satellites", "GPS receiver: no fix, 3 satellites".
QString GpsStatusText(const NmeaSentence& s, NmeaResult r, std::uint64_t damaged);
// A report of the serial port as the status bar says it: in plain words,
// without the tags and call names the log keeps ("GPS receiver lost:
// Input/output error").
QString GpsPortMessage(const QString& port, const std::string& report);

}  // namespace quill
