// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tools/GpsReceiver.h"

#include <QWidget>

#include "serial/SerialDevices.h"

namespace quill {

namespace {

const char* QualityName(int quality) {
  static const char* const kNames[] = {"no fix",        "fix",           "DGPS fix",   "PPS fix",      "RTK fix",
                                       "float RTK fix", "estimated fix", "manual fix", "simulated fix"};
  return quality >= 0 && quality <= 8 ? kNames[quality] : "fix";
}

}  // namespace

QString GpsStatusText(const NmeaSentence& s, NmeaResult r, std::uint64_t damaged) {
  QString text = "GPS receiver: ";
  if (s.kind == NmeaKind::Gga) {
    text += r == NmeaResult::Fix ? QualityName(s.quality) : "no fix";
    if (s.satellites >= 0) text += QString(", %1 satellites").arg(s.satellites);
  } else {
    text += r == NmeaResult::Fix ? "fix" : "no fix";
  }
  if (damaged > 0) text += QString(" (%1 damaged sentences skipped)").arg(damaged);
  return text;
}

QString GpsPortMessage(const QString& port, const std::string& report) {
  QString text = QString::fromStdString(report).replace('\n', ' ');
  // The report's tag says where it came from; the window says what it means.
  QString tag;
  if (text.startsWith('(')) {
    const qsizetype close = text.indexOf(") ");
    if (close > 0) {
      tag = text.mid(1, close - 1);
      text = text.mid(close + 2);
    }
  }
  // A reason after the first ": " is the system's (strerror); what comes
  // before names the call that failed, which means nothing to a user.
  const qsizetype colon = text.indexOf(": ");
  const QString reason = colon >= 0 ? text.mid(colon + 2) : QString();
  if (tag == "RX thread") {
    if (text.contains("overrun")) return "GPS receiver: data arrived faster than it was read; some was lost";
    return "GPS receiver lost: " + (reason.isEmpty() ? QString("the port was closed") : reason);
  }
  if (tag == "TX thread") return "GPS receiver: cannot write to " + port + (reason.isEmpty() ? "" : ": " + reason);
  if (tag == "Open" && text.startsWith("Unable to open")) return "GPS receiver: cannot open" + text.mid(14);
  if (tag == "Open") return "GPS receiver: cannot set up " + port + (reason.isEmpty() ? "" : ": " + reason);
  return "GPS receiver: " + (reason.isEmpty() ? text : reason);
}

TGpsReceiver::TGpsReceiver(QWidget* dialogParent) : QObject(dialogParent), dialogParent_(dialogParent) {
  Setup.Caption = "GPS receiver";
  Setup.Baudrate = 4800;  // the NMEA 0183 rate
  const auto ports = ListSerialPorts();
  Setup.Port = ports.empty() ? "/dev/ttyUSB0" : ports.front();
  ResetReader();
}

void TGpsReceiver::ResetReader() {
  reader_ = NmeaReader{};
  reader_.onFix = [this](const NmeaSentence& s) { emit Fix(s.lat, s.lon, s.hasAltitude, s.altitude); };
  reader_.onSentence = [this](const NmeaSentence& s, NmeaResult r) { OnSentence(s, r); };
}

TGpsReceiver::~TGpsReceiver() { port_.reset(); }

bool TGpsReceiver::Running() const { return port_ && port_->GetSerialState(); }

bool TGpsReceiver::ActionGpsReceiverExecute() {
  if (!Setup.Execute(dialogParent_)) return false;
  return Start();
}

bool TGpsReceiver::Start() {
  ClosePort();
  ResetReader();
  lastStatus_.clear();
  port_ = std::make_unique<TUlkSerialPort>();
  Setup.ApplyTo(*port_);
  const QString portName = QString::fromStdString(Setup.Port);
  port_->OnRxData = [this](TUlkSerialPort&, const std::uint8_t* data, int len) {
    reader_.Feed(std::string_view(reinterpret_cast<const char*>(data), static_cast<std::size_t>(len)));
  };
  port_->OnText = [this, portName](TUlkSerialPort&, const std::string&, int line, int type, int level,
                                   const std::string& text) {
    emit PortReport(portName, line, type, level, QString::fromStdString(text));
    // What closing a port that is already gone says belongs in the log only.
    if (type < 3 || closing_) return;
    emit Status(2, GpsPortMessage(portName, text));
    // A device that went away (unplugged, the far end closed) reads no more.
    if (text.rfind("(RX thread)", 0) == 0 && text.find("overrun") == std::string::npos) {
      QMetaObject::invokeMethod(
          this,
          [this, port = port_.get()] {
            if (port_.get() == port) ClosePort();
          },
          Qt::QueuedConnection);
    }
  };
  port_->Init();
  if (!port_->Open()) {
    port_.reset();
    return false;
  }
  emit Status(0, "GPS receiver: waiting for " + portName);
  emit RunningChanged(true);
  return true;
}

void TGpsReceiver::Stop() {
  if (ClosePort()) emit Status(0, "GPS receiver stopped");
}

bool TGpsReceiver::ClosePort() {
  if (!port_) return false;
  const bool wasRunning = port_->GetSerialState();
  closing_ = true;
  port_->Close();
  port_.reset();
  closing_ = false;
  if (wasRunning) emit RunningChanged(false);
  return wasRunning;
}

void TGpsReceiver::OnSentence(const NmeaSentence& s, NmeaResult r) {
  const QString text = GpsStatusText(s, r, reader_.Bad());
  if (text == lastStatus_) return;
  lastStatus_ = text;
  emit Status(0, text);
}

}  // namespace quill
