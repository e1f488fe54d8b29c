// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/UlkSerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <QObject>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace quill {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr std::size_t kMaxReport = 999;

struct BaudSpeed {
  std::uint32_t baud;
  speed_t speed;
};
constexpr BaudSpeed kSpeeds[] = {
    {50, B50},           {75, B75},         {110, B110},         {134, B134},         {150, B150},
    {200, B200},         {300, B300},       {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},       {4800, B4800},     {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200}, {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600}, {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000},
};

bool SpeedFor(std::uint32_t baud, speed_t& speed) {
  for (const BaudSpeed& s : kSpeeds) {
    if (s.baud == baud) {
      speed = s.speed;
      return true;
    }
  }
  return false;
}

std::string Format(const char* format, std::va_list args) {
  char text[kMaxReport + 1];
  const int n = std::vsnprintf(text, sizeof text, format, args);
  if (n < 0) return {};
  return std::string(text, std::min(static_cast<std::size_t>(n), kMaxReport));
}

void DrainEventFd(int fd) {
  std::uint64_t value = 0;
  while (::read(fd, &value, sizeof value) > 0) {
  }
}

}  // namespace

const char* ConfigureTermios(termios& tio, std::uint32_t baud, int databits, TParityStyle parity,
                             TStopbitStyle stopbits, TFlowStyle flow) {
  speed_t speed{};
  if (!SpeedFor(baud, speed)) return "baud rate not supported";
  ::cfmakeraw(&tio);
  ::cfsetispeed(&tio, speed);
  ::cfsetospeed(&tio, speed);
  tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
#ifdef CMSPAR
  tio.c_cflag &= ~static_cast<tcflag_t>(CMSPAR);
#endif
  tio.c_cflag |= CLOCAL | CREAD;
  switch (databits) {
    case 5:
      tio.c_cflag |= CS5;
      break;
    case 6:
      tio.c_cflag |= CS6;
      break;
    case 7:
      tio.c_cflag |= CS7;
      break;
    case 8:
      tio.c_cflag |= CS8;
      break;
    default:
      return "data bits must be 5 to 8";
  }
  switch (parity) {
    case parNone:
      break;
    case parOdd:
      tio.c_cflag |= PARENB | PARODD;
      break;
    case parEven:
      tio.c_cflag |= PARENB;
      break;
    case parMark:
    case parSpace:
#ifdef CMSPAR
      tio.c_cflag |= PARENB | CMSPAR | (parity == parMark ? PARODD : 0);
      break;
#else
      return "mark and space parity are not supported here";
#endif
    default:
      return "unknown parity";
  }
  tio.c_iflag &= ~static_cast<tcflag_t>(INPCK | IXON | IXOFF | IXANY);
  if (parity != parNone) tio.c_iflag |= INPCK;
  if (stopbits == stopbitOne5) return "1.5 stop bits are not supported here";
  if (stopbits == stopbitTwo) tio.c_cflag |= CSTOPB;
  if (flow == flowHardware) tio.c_cflag |= CRTSCTS;
  if (flow == flowSoftware) tio.c_iflag |= IXON | IXOFF;
  tio.c_cc[VMIN] = 1;
  tio.c_cc[VTIME] = 0;
  return nullptr;
}

std::mutex& SerialLock() {
  static std::mutex lock;
  return lock;
}

std::size_t SerialRing::Write(const std::uint8_t* data, std::size_t n) {
  n = std::min(n, Free());
  for (std::size_t done = 0; done < n;) {
    const std::size_t at = (head_ + count_) % kSize;
    const std::size_t piece = std::min(n - done, kSize - at);
    std::memcpy(buf_ + at, data + done, piece);
    done += piece;
    count_ += piece;
  }
  return n;
}

std::size_t SerialRing::Read(std::uint8_t* out, std::size_t max) {
  const std::size_t n = std::min(max, count_);
  for (std::size_t done = 0; done < n;) {
    const std::size_t piece = std::min(n - done, kSize - head_);
    std::memcpy(out + done, buf_ + head_, piece);
    done += piece;
    head_ = (head_ + piece) % kSize;
    count_ -= piece;
  }
  return n;
}

void SerialRing::Drop(std::size_t n) {
  n = std::min(n, count_);
  head_ = (head_ + n) % kSize;
  count_ -= n;
}

TUlkSerialPort::TUlkSerialPort() { stopFd_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC); }

TUlkSerialPort::~TUlkSerialPort() {
  OnText = nullptr;
  OnRxData = nullptr;
  if (isOpen_) {
    CloseThreads();
    ClosePort();
  }
  delete receiver_;
  if (stopFd_ >= 0) ::close(stopFd_);
}

void TUlkSerialPort::Init() {
  if (isOpen_) return;
  delete receiver_;
  receiver_ = new QObject();
}

bool TUlkSerialPort::Open() {
  if (!Initialized() || stopFd_ < 0) return false;
  if (isOpen_) return true;
  if (!OpenPort()) return false;
  {
    std::lock_guard lock(SerialLock());
    stop_ = false;
    rxRing_.Clear();
    txRing_.Clear();
    overrunReported_ = false;
    rxDone_ = false;
    txDone_ = false;
  }
  DrainEventFd(stopFd_);
  try {
    rx_ = std::thread(&TUlkSerialPort::ReceiveFunc, this);
  } catch (const std::system_error&) {
    PrintDebug(true, __LINE__, 4, 0, "(Open) CreateThread RX failed!");
    ClosePort();
    return false;
  }
  try {
    tx_ = std::thread(&TUlkSerialPort::SendFunc, this);
  } catch (const std::system_error&) {
    PrintDebug(true, __LINE__, 4, 0, "(Open) CreateThread TX failed!");
    CloseThreads();
    ClosePort();
    return false;
  }
  PrintDebug(true, __LINE__, 0, 1, "SerialPort started (%s %u)", Port.c_str(), Baudrate);
  return true;
}

bool TUlkSerialPort::OpenPort() {
  const int fd = ::open(Port.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  int error = fd < 0 ? errno : 0;
  // flock keeps other programs (and other instances) off the port; TIOCEXCL
  // adds the kernel's own check for programs that do not lock.
  if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    error = errno == EWOULDBLOCK ? EBUSY : errno;
    ::close(fd);
  }
  if (error != 0) {
    const char* reason = (error == ENOENT || error == ENODEV || error == ENXIO || error == ENOTDIR) ? "(Unknown port)"
                         : error == EBUSY ? "(Port already open)"
                                          : std::strerror(error);
    PrintDebug(true, __LINE__, 3, 0, "(Open) %s", ("Unable to open " + Port + "\n" + reason).c_str());
    return false;
  }
  auto fail = [&](int line, const char* text, const char* reason) {
    PrintDebug(true, line, 4, 0, "%s: %s", text, reason);
    ::close(fd);
    return false;
  };
  termios tio{};
  if (::tcgetattr(fd, &tio) != 0) return fail(__LINE__, "(Open) GetCommState failed!", std::strerror(errno));
  auto found = std::make_unique<termios>(tio);
  if (const char* reason = ConfigureTermios(tio, Baudrate, Databits, Parity, Stopbits, FlowCtrl)) {
    return fail(__LINE__, "(Open) SetCommState failed!", reason);
  }
  if (::tcsetattr(fd, TCSANOW, &tio) != 0) return fail(__LINE__, "(Open) SetCommState failed!", std::strerror(errno));
  ::tcflush(fd, TCIOFLUSH);
  ::ioctl(fd, TIOCEXCL);
  fd_ = fd;
  found_ = std::move(found);
  timeouts_ = {ReadIntervalFor(Baudrate), 0, 0, 0, 10000};
  isOpen_ = true;
  return true;
}

void TUlkSerialPort::ClosePort() {
  if (fd_ < 0) return;
  // A purge that fails (a device that was unplugged) is reported, but the
  // port is closed all the same: keeping it open could never be undone.
  if (::tcflush(fd_, TCIOFLUSH) != 0) PrintError(true, __LINE__, 4, 0, errno, "(Close) PurgeComm failed!");
  // The next user of the line (a terminal, another program) finds it as it was.
  if (found_ && ::tcsetattr(fd_, TCSANOW, found_.get()) != 0) {
    PrintError(true, __LINE__, 4, 0, errno, "(Close) SetCommState failed!");
  }
  found_.reset();
  ::ioctl(fd_, TIOCNXCL);
  ::close(fd_);
  fd_ = -1;
  isOpen_ = false;
}

void TUlkSerialPort::CloseThreads() {
  {
    std::lock_guard lock(SerialLock());
    stop_ = true;
  }
  const std::uint64_t one = 1;
  if (::write(stopFd_, &one, sizeof one) < 0) {
    // The counter cannot overflow from one write; the flag above stops the threads too.
  }
  rxSpace_.notify_all();
  txData_.notify_all();
  txSpace_.notify_all();
  auto join = [&](std::thread& thread, std::atomic<bool>& done, int line, const char* text) {
    if (!thread.joinable()) return;
    const auto deadline = Clock::now() + milliseconds(500);
    while (!done && Clock::now() < deadline) std::this_thread::sleep_for(milliseconds(1));
    if (!done) PrintDebug(true, line, 4, 0, "%s", text);
    thread.join();
  };
  join(rx_, rxDone_, __LINE__, "(RX thread) TSerialThread exit error");
  join(tx_, txDone_, __LINE__, "(TX thread) TSerialThread exit error");
  DrainEventFd(stopFd_);
}

bool TUlkSerialPort::Close() {
  if (!Initialized()) return false;
  if (isOpen_) {
    CloseThreads();
    ClosePort();
    PrintDebug(true, __LINE__, 0, 1, "SerialPort stopped");
  }
  return true;
}

bool TUlkSerialPort::GetTimeouts(SerialTimeouts& out) {
  if (!isOpen_) {
    PrintDebug(true, __LINE__, 4, 0, "(SetTimeouts) GetCommTimeouts failed!: %s", "port not open");
    return false;
  }
  out = timeouts_;
  return true;
}

bool TUlkSerialPort::SetTimeouts(std::uint32_t readInterval, std::uint32_t readTotalMultiplier,
                                 std::uint32_t readTotalConstant, std::uint32_t writeTotalMultiplier,
                                 std::uint32_t writeTotalConstant) {
  if (!isOpen_) {
    PrintDebug(true, __LINE__, 4, 0, "(SetTimeouts) GetCommTimeouts failed!: %s", "port not open");
    return false;
  }
  std::lock_guard lock(SerialLock());
  timeouts_ = {readInterval, readTotalMultiplier, readTotalConstant, writeTotalMultiplier, writeTotalConstant};
  return true;
}

bool TUlkSerialPort::TxData(const void* data, std::size_t len) {
  if (!Initialized() || !isOpen_) return false;
  const auto* p = static_cast<const std::uint8_t*>(data);
  std::unique_lock lock(SerialLock());
  while (len > 0) {
    txSpace_.wait(lock, [&] { return stop_ || txDone_ || txRing_.Free() > 0; });
    if (stop_ || txDone_) return false;
    const std::size_t put = txRing_.Write(p, len);
    p += put;
    len -= put;
    txData_.notify_one();
  }
  return true;
}

bool TUlkSerialPort::TxText(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  const std::string text = Format(format, args);
  va_end(args);
  return TxData(text.data(), text.size());
}

void TUlkSerialPort::ReceiveFunc() {
  bool reading = true;  // false once the device hung up: wait for the stop only
  for (;;) {
    std::size_t room = 0;
    {
      std::unique_lock lock(SerialLock());
      if (!stop_ && rxRing_.Free() == 0) {
        rxSpace_.wait_for(lock, milliseconds(OverrunGraceMs), [&] { return stop_ || rxRing_.Free() > 0; });
      }
      if (stop_) break;
      room = rxRing_.Free();
    }
    // A full ring after the grace time: read on and let OvRead drop the oldest.
    const std::size_t want = room ? std::min(room, sizeof rxBuffer_) : sizeof rxBuffer_;
    pollfd fds[2] = {{stopFd_, POLLIN, 0}, {fd_, POLLIN, 0}};
    const int ready = ::poll(fds, reading ? 2 : 1, 500);
    if (ready < 0) {
      if (errno == EINTR) continue;
      PrintError(false, __LINE__, 4, 0, errno, "(RX thread) Error %d in WaitCommEvent", errno);
      reading = false;
      continue;
    }
    if (fds[0].revents & POLLIN) break;
    if (!reading || ready == 0) continue;
    if (fds[1].revents & POLLNVAL) {
      PrintDebug(false, __LINE__, 4, 0, "(RX thread) Invalid port handle");
      reading = false;
      continue;
    }
    const ssize_t got = ::read(fd_, rxBuffer_, want);
    if (got > 0) {
      OvRead(rxBuffer_, static_cast<std::size_t>(got));
    } else if (got < 0 && (errno == EAGAIN || errno == EINTR)) {
      continue;
    } else {
      // End of data or a device error (unplugged, the other end of a
      // pseudo-terminal closed): reported once, then nothing more is read.
      const int error = got == 0 ? EIO : errno;
      PrintError(false, __LINE__, 4, 0, error, "(RX thread) Error %d in ReadFile", error);
      reading = false;
    }
  }
  std::lock_guard lock(SerialLock());
  rxDone_ = true;
}

void TUlkSerialPort::OvRead(const std::uint8_t* data, std::size_t n) {
  bool overrun = false;
  bool post = false;
  {
    std::lock_guard lock(SerialLock());
    if (n > rxRing_.Free()) {
      rxRing_.Drop(n - rxRing_.Free());
      overrun = !overrunReported_;
      overrunReported_ = true;
    }
    rxRing_.Write(data, n);
    post = !dataPosted_;
    dataPosted_ = true;
  }
  if (overrun) PrintDebug(false, __LINE__, 4, 0, "(RX thread) Receive buffer overrun");
  if (post)
    QMetaObject::invokeMethod(
        receiver_, [this] { DataEventHandler(); }, Qt::QueuedConnection);
}

void TUlkSerialPort::DataEventHandler() {
  std::size_t n = 0;
  {
    std::lock_guard lock(SerialLock());
    dataPosted_ = false;
    n = rxRing_.Read(delivery_, sizeof delivery_);
    if (rxRing_.Count() == 0) overrunReported_ = false;
  }
  rxSpace_.notify_all();
  if (OnRxData) OnRxData(*this, delivery_, static_cast<int>(n));
}

void TUlkSerialPort::SendFunc() {
  for (;;) {
    std::size_t n = 0;
    {
      std::unique_lock lock(SerialLock());
      txData_.wait_for(lock, milliseconds(500), [&] { return stop_ || txRing_.Count() > 0; });
      if (stop_) break;
      n = txRing_.Read(txChunk_, sizeof txChunk_);
    }
    txSpace_.notify_all();
    if (n > 0) SendRoutine(txChunk_, n);
  }
  {
    std::lock_guard lock(SerialLock());
    txDone_ = true;
  }
  txSpace_.notify_all();
}

void TUlkSerialPort::SendRoutine(const std::uint8_t* data, std::size_t len) {
  SerialTimeouts t;
  {
    std::lock_guard lock(SerialLock());
    t = timeouts_;
  }
  // The write time-out of the port settings: multiplier per byte plus constant.
  const std::uint64_t limitMs = std::uint64_t{t.writeTotalMultiplier} * len + t.writeTotalConstant;
  const auto deadline = Clock::now() + milliseconds(limitMs);
  std::size_t done = 0;
  while (done < len) {
    const ssize_t wrote = ::write(fd_, data + done, len - done);
    if (wrote > 0) {
      done += static_cast<std::size_t>(wrote);
      continue;
    }
    if (wrote < 0 && errno != EAGAIN && errno != EINTR) {
      PrintError(false, __LINE__, 4, 0, errno, "(TX thread) Error %d in WriteFile", errno);
      return;
    }
    int waitMs = 500;
    if (limitMs > 0) {
      const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
      if (left <= 0) {
        PrintDebug(false, __LINE__, 4, 0, "(TX thread) Not enough bytes written (%d - %d) (WriteFile)",
                   static_cast<int>(len), static_cast<int>(done));
        return;
      }
      waitMs = static_cast<int>(std::min<long long>(left, 500));
    }
    pollfd fds[2] = {{stopFd_, POLLIN, 0}, {fd_, POLLOUT, 0}};
    if (::poll(fds, 2, waitMs) < 0 && errno != EINTR) {
      PrintError(false, __LINE__, 4, 0, errno, "(TX thread) Error %d in GetOverlappedResult", errno);
      return;
    }
    if (fds[0].revents & POLLIN) return;
    if (fds[1].revents & POLLNVAL) {
      PrintDebug(false, __LINE__, 4, 0, "(TX thread) Invalid port handle");
      return;
    }
  }
}

void TUlkSerialPort::PrintDebug(bool direct, int line, int type, int level, const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::string text = Format(format, args);
  va_end(args);
  Report(direct, line, type, level, std::move(text));
}

void TUlkSerialPort::PrintError(bool direct, int line, int type, int level, int error, const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::string text = Format(format, args);
  va_end(args);
  text += ": ";
  text += std::strerror(error);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  Report(direct, line, type, level, std::move(text));
}

void TUlkSerialPort::Report(bool direct, int line, int type, int level, std::string text) {
  if (direct) {
    if (OnText) OnText(*this, "Serial", line, type, level, text);
    return;
  }
  bool post = false;
  {
    std::lock_guard lock(SerialLock());
    pending_ = {line, type, level, std::move(text)};
    post = !textPosted_;
    textPosted_ = true;
  }
  if (post)
    QMetaObject::invokeMethod(
        receiver_, [this] { TextEventHandler(); }, Qt::QueuedConnection);
}

void TUlkSerialPort::TextEventHandler() {
  PendingReport report;
  {
    std::lock_guard lock(SerialLock());
    textPosted_ = false;
    report = std::move(pending_);
  }
  if (OnText) OnText(*this, "Serial", report.line, report.type, report.level, report.text);
}

}  // namespace quill
