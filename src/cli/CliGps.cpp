// SPDX-License-Identifier: GPL-3.0-or-later
// quillmark-cli gps: NMEA 0183 fixes from a serial GPS receiver, one line each.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <charconv>
#include <memory>
#include <ostream>

#include "cli/Cli.h"
#include "gps/Nmea.h"
#include "serial/UlkSerialPort.h"
#include "text/TextHelpers.h"

namespace quill::cli {

namespace {

int gSignalPipe[2] = {-1, -1};

extern "C" void OnStopSignal(int) {
  const char c = 1;
  [[maybe_unused]] const ssize_t n = ::write(gSignalPipe[1], &c, 1);
}

// Ctrl+C and SIGTERM end the reading cleanly (the port is closed) while set.
class StopSignals {
 public:
  StopSignals() {
    if (::pipe2(gSignalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    struct sigaction sa {};
    sa.sa_handler = &OnStopSignal;
    ::sigemptyset(&sa.sa_mask);
    ::sigaction(SIGINT, &sa, &oldInt_);
    ::sigaction(SIGTERM, &sa, &oldTerm_);
    installed_ = true;
  }
  ~StopSignals() {
    if (!installed_) return;
    ::sigaction(SIGINT, &oldInt_, nullptr);
    ::sigaction(SIGTERM, &oldTerm_, nullptr);
    ::close(gSignalPipe[0]);
    ::close(gSignalPipe[1]);
    gSignalPipe[0] = gSignalPipe[1] = -1;
  }
  int fd() const { return installed_ ? gSignalPipe[0] : -1; }

 private:
  bool installed_ = false;
  struct sigaction oldInt_ {};
  struct sigaction oldTerm_ {};
};

std::string FixLine(const NmeaSentence& s) {
  std::string line = FormatFixed(s.lat, 7) + "\t" + FormatFixed(s.lon, 7) + "\t";
  line += s.hasAltitude ? FormatFixed(s.altitude, 1) : std::string("-");
  line += "\t";
  line += s.satellites >= 0 ? std::to_string(s.satellites) : std::string("-");
  return line;
}

}  // namespace

int RunGps(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::uint32_t baud = 4800;  // the NMEA 0183 rate
  bool once = false;
  std::vector<std::string> devices;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--once") {
      once = true;
    } else if (arg == "--baud" || arg.rfind("--baud=", 0) == 0) {
      std::string value;
      if (arg.size() > 6) {
        value = arg.substr(7);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        return UsageError(err, "--baud needs a value");
      }
      const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), baud);
      if (ec != std::errc() || end != value.data() + value.size() || baud == 0) {
        return UsageError(err, "--baud needs a number, not '" + value + "'");
      }
    } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
      return UsageError(err, "unknown option '" + arg + "'");
    } else {
      devices.push_back(arg);
    }
  }
  if (devices.size() != 1) return UsageError(err, "gps needs exactly one DEVICE");

  std::unique_ptr<QCoreApplication> app;
  static int argc = 1;
  static char name[] = "quillmark-cli";
  static char* argv[] = {name, nullptr};
  if (!QCoreApplication::instance()) app = std::make_unique<QCoreApplication>(argc, argv);

  QEventLoop loop;
  int status = 0;
  bool hungUp = false;
  NmeaReader reader;
  std::uint64_t printed = 0;
  reader.onFix = [&](const NmeaSentence& s) {
    if (once && printed > 0) return;  // the rest of the chunk that held the fix
    out << FixLine(s) << std::endl;
    ++printed;
    if (once) loop.quit();
  };
  TUlkSerialPort port;
  port.Port = devices[0];
  port.Baudrate = baud;
  port.OnRxData = [&](TUlkSerialPort&, const std::uint8_t* data, int len) {
    reader.Feed(std::string_view(reinterpret_cast<const char*>(data), static_cast<std::size_t>(len)));
  };
  port.OnText = [&](TUlkSerialPort&, const std::string&, int, int type, int, const std::string& text) {
    if (type < 3) return;
    err << "quillmark-cli: " << devices[0] << ": " << text << "\n";
    if (text.rfind("(RX thread) Error", 0) == 0 || text.rfind("(RX thread) Invalid", 0) == 0) {
      hungUp = true;
      loop.quit();
    }
  };
  port.Init();
  if (!port.Open()) return 1;

  StopSignals stopSignals;
  std::unique_ptr<QSocketNotifier> notifier;
  if (stopSignals.fd() >= 0) {
    notifier = std::make_unique<QSocketNotifier>(stopSignals.fd(), QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, &loop, &QEventLoop::quit);
  }
  loop.exec();
  port.Close();
  if (once && printed == 0) status = 1;
  if (hungUp && !once) status = 0;
  err << "quillmark-cli: fixes: " << printed << ", damaged sentences skipped: " << reader.Bad() << "\n";
  return out.good() ? status : 1;
}

}  // namespace quill::cli
