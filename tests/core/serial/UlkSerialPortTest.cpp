// SPDX-License-Identifier: GPL-3.0-or-later
// The serial port against pseudo-terminal pairs: the test holds the master
// side, the component opens the slave device by its path.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "serial/UlkSerialPort.h"
#include "support/TestSupport.h"

namespace quill {
namespace {

// The events need an event loop on this thread.
void EnsureApp() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "quillmark_core_tests";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
}

using test::RunEventsUntil;

struct Pty {
  int master = -1;
  int slave = -1;  // kept open so the pair lives while the component reopens
  std::string path;
  Pty() {
    if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) return;
    path = ::ttyname(slave);
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
  }
  ~Pty() {
    if (master >= 0) ::close(master);
    if (slave >= 0) ::close(slave);
  }
  // Writes everything (waiting while the line is full) unless stop is set.
  void Write(const std::string& bytes, const std::atomic<bool>* stop = nullptr) const {
    std::size_t done = 0;
    while (done < bytes.size() && !(stop && *stop)) {
      const ssize_t n = ::write(master, bytes.data() + done, bytes.size() - done);
      if (n > 0) {
        done += static_cast<std::size_t>(n);
      } else {
        pollfd p{master, POLLOUT, 0};
        ::poll(&p, 1, 20);
      }
    }
  }
  // Reads until want bytes came or 10 s passed.
  std::string Read(std::size_t want) const {
    std::string got;
    QElapsedTimer timer;
    timer.start();
    char buf[8192];
    while (got.size() < want && timer.elapsed() < 10000) {
      const ssize_t n = ::read(master, buf, sizeof buf);
      if (n > 0) {
        got.append(buf, static_cast<std::size_t>(n));
      } else {
        pollfd p{master, POLLIN, 0};
        ::poll(&p, 1, 20);
      }
    }
    return got;
  }
  std::size_t Unread() const {
    int n = 0;
    ::ioctl(slave, FIONREAD, &n);
    return static_cast<std::size_t>(n);
  }
};

struct Report {
  int line;
  int type;
  int level;
  std::string text;
};

struct Port {
  TUlkSerialPort port;
  std::string received;
  std::vector<Report> reports;
  bool wrongThread = false;
  explicit Port(const std::string& path, std::uint32_t baud = 9600) {
    EnsureApp();
    const auto self = std::this_thread::get_id();
    port.Port = path;
    port.Baudrate = baud;
    port.OnRxData = [this, self](TUlkSerialPort&, const std::uint8_t* data, int len) {
      wrongThread = wrongThread || std::this_thread::get_id() != self;
      received.append(reinterpret_cast<const char*>(data), static_cast<std::size_t>(len));
    };
    port.OnText = [this, self](TUlkSerialPort&, const std::string& module, int line, int type, int level,
                               const std::string& text) {
      wrongThread = wrongThread || std::this_thread::get_id() != self || module != "Serial";
      reports.push_back({line, type, level, text});
    };
    port.Init();
  }
  int Count(const std::string& text) const {
    int n = 0;
    for (const Report& r : reports) n += r.text == text ? 1 : 0;
    return n;
  }
  std::string Last() const { return reports.empty() ? std::string() : reports.back().text; }
};

std::string Pattern(std::size_t size) {
  std::string s(size, '\0');
  for (std::size_t i = 0; i < size; ++i) s[i] = static_cast<char>((i * 131 + (i >> 9)) & 0xFF);
  return s;
}

TEST(UlkSerialPort, BytesBothWaysAtSeveralBaudRates) {
  for (std::uint32_t baud : {1200u, 9600u, 115200u, 921600u}) {
    Pty pty;
    ASSERT_GE(pty.master, 0);
    Port p(pty.path, baud);
    ASSERT_TRUE(p.port.Open()) << p.Last();
    EXPECT_TRUE(p.port.GetSerialState());
    ASSERT_EQ(p.reports.size(), 1u);
    EXPECT_EQ(p.reports[0].text, "SerialPort started (" + pty.path + " " + std::to_string(baud) + ")");
    EXPECT_EQ(p.reports[0].type, 0);
    EXPECT_EQ(p.reports[0].level, 1);
    termios tio{};
    ASSERT_EQ(::tcgetattr(pty.slave, &tio), 0);
    EXPECT_EQ(::cfgetospeed(&tio), baud == 1200 ? B1200 : baud == 9600 ? B9600 : baud == 115200 ? B115200 : B921600);

    const std::string in = "$GPGGA,in\r\n\x00\xFF" + std::to_string(baud);
    pty.Write(in);
    ASSERT_TRUE(RunEventsUntil([&] { return p.received.size() >= in.size(); }));
    EXPECT_EQ(p.received, in);
    ASSERT_TRUE(p.port.TxText("out %u\r\n", baud));
    EXPECT_EQ(pty.Read(6 + std::to_string(baud).size()), "out " + std::to_string(baud) + "\r\n");

    SerialTimeouts t;
    ASSERT_TRUE(p.port.GetTimeouts(t));
    EXPECT_EQ(t.readInterval, 55000 / baud);
    EXPECT_EQ(t.writeTotalConstant, 10000u);
    EXPECT_TRUE(p.port.Close());
    EXPECT_FALSE(p.port.GetSerialState());
    EXPECT_EQ(p.Last(), "SerialPort stopped");
    EXPECT_FALSE(p.wrongThread);
  }
  EXPECT_EQ(TUlkSerialPort::ReadIntervalFor(9600), 5u);
  EXPECT_EQ(TUlkSerialPort::ReadIntervalFor(115200), 0u);
  EXPECT_EQ(TUlkSerialPort::ReadIntervalFor(0), 0u);
}

// Whatever the line's settings were when the port was opened, closing it
// puts them back.
TEST(UlkSerialPort, CloseRestoresTheSettingsItFound) {
  struct Case {
    const char* what;
    void (*set)(termios&);
    std::uint32_t baud;
  } cases[] = {
      {"as a pty starts", [](termios&) {}, 9600},
      {"a raw 2400 baud line",
       [](termios& t) {
         ::cfmakeraw(&t);
         ::cfsetspeed(&t, B2400);
       },
       115200},
      {"seven bits, even parity, no echo",
       [](termios& t) {
         t.c_cflag = (t.c_cflag & ~static_cast<tcflag_t>(CSIZE)) | CS7 | PARENB;
         t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ICANON);
         t.c_cc[VMIN] = 3;
         ::cfsetspeed(&t, B19200);
       },
       4800},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Pty pty;
    ASSERT_GE(pty.master, 0);
    termios before{};
    ASSERT_EQ(::tcgetattr(pty.slave, &before), 0);
    c.set(before);
    ASSERT_EQ(::tcsetattr(pty.slave, TCSANOW, &before), 0);
    ASSERT_EQ(::tcgetattr(pty.slave, &before), 0);
    Port p(pty.path, c.baud);
    ASSERT_TRUE(p.port.Open()) << p.Last();
    termios open{};
    ASSERT_EQ(::tcgetattr(pty.slave, &open), 0);
    EXPECT_NE(::cfgetospeed(&open), ::cfgetospeed(&before));
    EXPECT_TRUE(p.port.Close());
    termios after{};
    ASSERT_EQ(::tcgetattr(pty.slave, &after), 0);
    EXPECT_EQ(after.c_iflag, before.c_iflag);
    EXPECT_EQ(after.c_oflag, before.c_oflag);
    EXPECT_EQ(after.c_cflag, before.c_cflag);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    EXPECT_EQ(::cfgetospeed(&after), ::cfgetospeed(&before));
    EXPECT_EQ(std::vector<cc_t>(after.c_cc, after.c_cc + NCCS), std::vector<cc_t>(before.c_cc, before.c_cc + NCCS));
  }
}

TEST(UlkSerialPort, AMegabyteEachWayArrivesCompleteAndInOrder) {
  Pty pty;
  Port p(pty.path, 115200);
  ASSERT_TRUE(p.port.Open());
  const std::string data = Pattern(1 << 20);
  std::thread writer([&] { pty.Write(data); });
  const bool all = RunEventsUntil([&] { return p.received.size() >= data.size(); });
  writer.join();
  ASSERT_TRUE(all) << p.received.size() << " of " << data.size();
  EXPECT_TRUE(p.received == data) << "bytes lost or out of order";
  EXPECT_EQ(p.Count("(RX thread) Receive buffer overrun"), 0);

  std::string echoed;
  std::thread reader([&] { echoed = pty.Read(data.size()); });
  for (std::size_t at = 0; at < data.size(); at += 65536) ASSERT_TRUE(p.port.TxData(data.data() + at, 65536));
  reader.join();
  EXPECT_EQ(echoed.size(), data.size());
  EXPECT_TRUE(echoed == data) << "bytes lost or out of order";
  EXPECT_TRUE(p.port.Close());
  EXPECT_FALSE(p.wrongThread);
}

TEST(UlkSerialPort, AStalledReaderGetsOneOverrunReportAndTheNewestBytes) {
  Pty pty;
  Port p(pty.path);
  p.port.OverrunGraceMs = 20;
  ASSERT_TRUE(p.port.Open());
  // No events run while the bytes arrive: the ring fills and overruns.
  const std::string data = Pattern(40000);
  pty.Write(data);
  // Wait until the RX thread has read everything: nothing unread for a while
  // (the line passes bytes on in bursts).
  QElapsedTimer timer;
  timer.start();
  for (int quiet = 0; quiet < 20 && timer.elapsed() < 10000;) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    quiet = pty.Unread() == 0 ? quiet + 1 : 0;
  }
  ASSERT_EQ(pty.Unread(), 0u);
  ASSERT_TRUE(RunEventsUntil([&] { return p.Count("(RX thread) Receive buffer overrun") > 0; }));
  ASSERT_TRUE(RunEventsUntil([&] { return !p.received.empty(); }));
  QCoreApplication::processEvents();
  EXPECT_EQ(p.Count("(RX thread) Receive buffer overrun"), 1);
  EXPECT_EQ(p.reports.back().type, 4);
  // The oldest bytes went; what is left is the end of the stream, in order.
  ASSERT_EQ(p.received.size(), SerialRing::kSize);
  EXPECT_TRUE(p.received == data.substr(data.size() - SerialRing::kSize));

  // A reader that keeps up loses nothing and hears of no overrun.
  p.received.clear();
  pty.Write("after");
  ASSERT_TRUE(RunEventsUntil([&] { return p.received.size() >= 5; }));
  EXPECT_TRUE(p.received == "after") << p.received.size();
  EXPECT_EQ(p.Count("(RX thread) Receive buffer overrun"), 1);
  p.port.Close();
}

TEST(UlkSerialPort, FailuresAreReportedAndReturnFalse) {
  Pty pty;
  EnsureApp();
  TUlkSerialPort bare;
  bare.Port = pty.path;
  EXPECT_FALSE(bare.Open());
  EXPECT_FALSE(bare.Close());
  EXPECT_FALSE(bare.TxData("x", 1));

  test::TempDir dir;
  test::WriteFileBytes(dir.File("plain"), "not a device");
  struct Row {
    std::string port;
    std::function<void(TUlkSerialPort&)> setup;
    std::string report;
    int type;
  };
  const Row rows[] = {
      {"/dev/quillmark-missing", nullptr, "(Open) Unable to open /dev/quillmark-missing\n(Unknown port)", 3},
      {dir.File("plain"), nullptr, "(Open) GetCommState failed!: Inappropriate ioctl for device", 4},
      {pty.path, [](TUlkSerialPort& s) { s.Stopbits = stopbitOne5; },
       "(Open) SetCommState failed!: 1.5 stop bits are not supported here", 4},
      {pty.path, [](TUlkSerialPort& s) { s.Baudrate = 12345; }, "(Open) SetCommState failed!: baud rate not supported",
       4},
      {pty.path, [](TUlkSerialPort& s) { s.Databits = 9; }, "(Open) SetCommState failed!: data bits must be 5 to 8", 4},
  };
  std::map<int, std::string> sites;  // line -> the report raised there
  for (const Row& r : rows) {
    Port p(r.port);
    if (r.setup) r.setup(p.port);
    EXPECT_FALSE(p.port.Open()) << r.port;
    ASSERT_EQ(p.reports.size(), 1u) << r.port;
    EXPECT_EQ(p.reports[0].text, r.report);
    EXPECT_EQ(p.reports[0].type, r.type);
    EXPECT_EQ(p.reports[0].level, 0);
    // Each place that reports has its own line number.
    const std::string site = r.report.substr(0, r.report.find_first_of(":\n"));
    EXPECT_EQ(sites.emplace(p.reports[0].line, site).first->second, site);
    EXPECT_FALSE(p.port.GetSerialState());
  }
  EXPECT_EQ(sites.size(), 3u);

  // TxData before Open queues nothing.
  Port first(pty.path);
  EXPECT_FALSE(first.port.TxData("early", 5));
  ASSERT_TRUE(first.port.Open());
  Port second(pty.path);
  EXPECT_FALSE(second.port.Open());
  EXPECT_EQ(second.Last(), "(Open) Unable to open " + pty.path + "\n(Port already open)");
  ASSERT_TRUE(first.port.TxData("late", 4));
  EXPECT_EQ(pty.Read(4), "late");
  first.port.Close();
  // Closed: the second instance can have it.
  EXPECT_TRUE(second.port.Open());
  second.port.Close();
}

TEST(UlkSerialPort, LineSettings) {
  struct Row {
    int databits;
    TParityStyle parity;
    TStopbitStyle stopbits;
    TFlowStyle flow;
    tcflag_t cflag;
    tcflag_t iflag;
    const char* refused;
  };
  const Row rows[] = {
      {8, parNone, stopbitOne, flowNone, CS8, 0, nullptr},
      {7, parEven, stopbitTwo, flowHardware, CS7 | PARENB | CSTOPB | CRTSCTS, INPCK, nullptr},
      {7, parOdd, stopbitOne, flowSoftware, CS7 | PARENB | PARODD, INPCK | IXON | IXOFF, nullptr},
      {8, parMark, stopbitOne, flowNone, CS8 | PARENB | CMSPAR | PARODD, INPCK, nullptr},
      {5, parSpace, stopbitOne, flowNone, CS5 | PARENB | CMSPAR, INPCK, nullptr},
      {8, parNone, stopbitOne5, flowNone, 0, 0, "1.5 stop bits are not supported here"},
      {4, parNone, stopbitOne, flowNone, 0, 0, "data bits must be 5 to 8"},
  };
  const tcflag_t cmask = CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS;
  for (const Row& r : rows) {
    termios tio{};
    tio.c_cflag = cmask;  // every bit is set or cleared on purpose
    tio.c_iflag = INPCK | IXON | IXOFF | IXANY;
    const char* refused = ConfigureTermios(tio, 4800, r.databits, r.parity, r.stopbits, r.flow);
    EXPECT_STREQ(refused, r.refused) << r.databits << " " << r.parity;
    if (refused) continue;
    EXPECT_EQ(tio.c_cflag & cmask, r.cflag) << r.databits << " " << r.parity;
    EXPECT_EQ(tio.c_iflag & (INPCK | IXON | IXOFF | IXANY), r.iflag) << r.databits << " " << r.parity;
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(::cfgetispeed(&tio), B4800);
  }

  // On the device: a pseudo-terminal keeps the stop bits and the flow control
  // (it always stays at 8 bits without parity).
  Pty pty;
  Port p(pty.path);
  p.port.Stopbits = stopbitTwo;
  p.port.FlowCtrl = flowSoftware;
  ASSERT_TRUE(p.port.Open()) << p.Last();
  termios tio{};
  ASSERT_EQ(::tcgetattr(pty.slave, &tio), 0);
  EXPECT_EQ(tio.c_cflag & CSTOPB, static_cast<tcflag_t>(CSTOPB));
  EXPECT_EQ(tio.c_iflag & (IXON | IXOFF), static_cast<tcflag_t>(IXON | IXOFF));
  p.port.Close();

  TUlkSerialPort s;
  EXPECT_EQ(s.XonLimit(), 6553u);
  EXPECT_EQ(s.XoffLimit(), 7372u);
}

TEST(UlkSerialPort, CloseDuringATransferAndAfterAHangUp) {
  Pty pty;
  Port p(pty.path);
  ASSERT_TRUE(p.port.Open());
  std::atomic<bool> stop{false};
  std::thread writer([&] {
    while (!stop) pty.Write(Pattern(4096), &stop);
  });
  ASSERT_TRUE(RunEventsUntil([&] { return p.received.size() > 20000; }));
  // The send side is busy too: the master is not read, so the line fills.
  const std::string big = Pattern(60000);
  ASSERT_TRUE(p.port.TxData(big.data(), 8000));
  EXPECT_TRUE(p.port.Close());
  EXPECT_EQ(p.Last(), "SerialPort stopped");
  stop = true;
  writer.join();
  for (const Report& r : p.reports) EXPECT_EQ(r.text.find("exit error"), std::string::npos) << r.text;

  // Open again on the same device; then the other end goes away.
  ::tcflush(pty.master, TCIOFLUSH);
  p.received.clear();
  ASSERT_TRUE(p.port.Open());
  pty.Write("again");
  ASSERT_TRUE(RunEventsUntil([&] { return p.received == "again"; }));
  ::close(pty.master);
  pty.master = -1;
  ASSERT_TRUE(RunEventsUntil([&] { return p.Last().find("(RX thread) Error") == 0; }));
  EXPECT_NE(p.Last().find("in ReadFile: "), std::string::npos) << p.Last();
  const std::size_t reportsAfterHangUp = p.reports.size();
  for (int i = 0; i < 20; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  EXPECT_EQ(p.reports.size(), reportsAfterHangUp);
  EXPECT_TRUE(p.port.Close());
  EXPECT_FALSE(p.wrongThread);
}

// Two pseudo-terminals joined by socat: a peer program, not our own pair.
TEST(UlkSerialPort, ThroughSocat) {
  if (test::RunCommand("command -v socat >/dev/null 2>&1") != 0) GTEST_SKIP() << "socat is not installed";
  test::TempDir dir;
  const std::string a = dir.File("a");
  const std::string b = dir.File("b");
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    const std::string left = "pty,raw,echo=0,link=" + a;
    const std::string right = "pty,raw,echo=0,link=" + b;
    ::execlp("socat", "socat", left.c_str(), right.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  struct Stop {
    pid_t pid;
    ~Stop() {
      ::kill(pid, SIGTERM);
      ::waitpid(pid, nullptr, 0);
    }
  } stop{pid};
  ASSERT_TRUE(RunEventsUntil([&] { return ::access(a.c_str(), F_OK) == 0 && ::access(b.c_str(), F_OK) == 0; }));
  Pty peer;  // its master side stands for the far end, opened by path
  ::close(peer.master);
  peer.master = ::open(b.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(peer.master, 0);
  termios tio{};
  ::tcgetattr(peer.master, &tio);
  ::cfmakeraw(&tio);
  ::tcsetattr(peer.master, TCSANOW, &tio);

  Port p(a, 57600);
  ASSERT_TRUE(p.port.Open()) << p.Last();
  const std::string data = Pattern(256 * 1024);
  std::thread writer([&] { peer.Write(data); });
  const bool all = RunEventsUntil([&] { return p.received.size() >= data.size(); });
  writer.join();
  ASSERT_TRUE(all) << p.received.size();
  EXPECT_TRUE(p.received == data);
  std::string back;
  std::thread reader([&] { back = peer.Read(data.size()); });
  ASSERT_TRUE(p.port.TxData(data.data(), data.size()));
  reader.join();
  EXPECT_TRUE(back == data) << back.size();
  EXPECT_TRUE(p.port.Close());
}

}  // namespace
}  // namespace quill
