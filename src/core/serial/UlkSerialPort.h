// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TUlkSerialPort: a serial port (POSIX termios) read and written by two
// worker threads. Received bytes and diagnostic reports reach the thread that
// called Init through queued Qt calls, so OnRxData and OnText always run
// there; that thread needs an event loop.
//
// Received bytes pass through a ring buffer of 8192 bytes. When the Init
// thread falls behind, the RX thread stops reading (the driver and flow
// control hold the data) for OverrunGraceMs; after that it reads on, drops the
// oldest unread bytes and reports "(RX thread) Receive buffer overrun" once
// for the stall. TxData blocks while the send ring is full.
//
// Use from one thread: Init, then Open, TxData/TxText, Close; destroy the
// object on the Init thread.
#include <atomic>
#include <condition_variable>
#include <cstdarg>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "base/PrintfFormat.h"

class QObject;
struct termios;

namespace quill {

enum TParityStyle { parNone, parOdd, parEven, parMark, parSpace };
enum TStopbitStyle { stopbitOne, stopbitOne5, stopbitTwo };
enum TFlowStyle { flowNone, flowSoftware, flowHardware };

struct SerialTimeouts {
  std::uint32_t readInterval = 0;  // ms
  std::uint32_t readTotalMultiplier = 0;
  std::uint32_t readTotalConstant = 0;
  std::uint32_t writeTotalMultiplier = 0;  // ms per byte
  std::uint32_t writeTotalConstant = 0;    // ms
};

// A byte ring of fixed size; callers hold the serial lock.
class SerialRing {
 public:
  static constexpr std::size_t kSize = 8192;
  std::size_t Count() const { return count_; }
  std::size_t Free() const { return kSize - count_; }
  // Appends up to Free() bytes; returns how many.
  std::size_t Write(const std::uint8_t* data, std::size_t n);
  std::size_t Read(std::uint8_t* out, std::size_t max);
  void Drop(std::size_t n);
  void Clear() { head_ = count_ = 0; }

 private:
  std::uint8_t buf_[kSize] = {};
  std::size_t head_ = 0;  // oldest byte
  std::size_t count_ = 0;
};

class TUlkSerialPort {
 public:
  using RxDataEvent = std::function<void(TUlkSerialPort& sender, const std::uint8_t* data, int len)>;
  using TextEvent = std::function<void(TUlkSerialPort& sender, const std::string& module, int line, int type, int level,
                                       const std::string& text)>;

  TUlkSerialPort();
  ~TUlkSerialPort();
  TUlkSerialPort(const TUlkSerialPort&) = delete;
  TUlkSerialPort& operator=(const TUlkSerialPort&) = delete;

  RxDataEvent OnRxData;
  TextEvent OnText;
  std::string Port = "/dev/ttyS0";
  std::uint32_t Baudrate = 9600;
  int Databits = 8;
  TParityStyle Parity = parNone;
  TStopbitStyle Stopbits = stopbitOne;
  std::uint32_t BufferSize = 8192;
  TFlowStyle FlowCtrl = flowNone;
  std::uint32_t OverrunGraceMs = 200;

  // Events go to the calling thread from now on.
  void Init();
  bool Open();
  bool Close();
  bool GetTimeouts(SerialTimeouts& out);
  bool SetTimeouts(std::uint32_t readInterval, std::uint32_t readTotalMultiplier, std::uint32_t readTotalConstant,
                   std::uint32_t writeTotalMultiplier, std::uint32_t writeTotalConstant);
  bool GetSerialState() const { return isOpen_; }
  bool TxData(const void* data, std::size_t len);
  bool TxText(const char* format, ...) QUILL_PRINTF(2, 3);

  bool Initialized() const { return receiver_ != nullptr; }
  // The software flow-control limits BufferSize gives (80 % and 90 %).
  std::uint32_t XonLimit() const { return static_cast<std::uint32_t>(std::uint64_t{BufferSize} * 80 / 100); }
  std::uint32_t XoffLimit() const { return static_cast<std::uint32_t>(std::uint64_t{BufferSize} * 90 / 100); }
  // The read interval time-out of a baud rate: 55000 / baud ms.
  static std::uint32_t ReadIntervalFor(std::uint32_t baud) { return baud ? 55000 / baud : 0; }

 private:
  bool OpenPort();
  void ClosePort();
  void CloseThreads();
  void ReceiveFunc();
  void SendFunc();
  void SendRoutine(const std::uint8_t* data, std::size_t len);
  void OvRead(const std::uint8_t* data, std::size_t n);
  void PrintDebug(bool direct, int line, int type, int level, const char* format, ...) QUILL_PRINTF(6, 7);
  void PrintError(bool direct, int line, int type, int level, int error, const char* format, ...) QUILL_PRINTF(7, 8);
  void Report(bool direct, int line, int type, int level, std::string text);
  void DataEventHandler();
  void TextEventHandler();
  void WaitForStop();

  QObject* receiver_ = nullptr;
  bool isOpen_ = false;
  int fd_ = -1;
  // The line's settings as Open found them; Close puts them back.
  std::unique_ptr<termios> found_;
  int stopFd_ = -1;  // eventfd, readable once the threads are to stop
  std::thread rx_;
  std::thread tx_;
  std::atomic<bool> rxDone_{false};
  std::atomic<bool> txDone_{false};
  SerialTimeouts timeouts_;

  // Guarded by the one lock all instances share.
  bool stop_ = false;
  SerialRing rxRing_;
  SerialRing txRing_;
  bool dataPosted_ = false;
  bool textPosted_ = false;
  bool overrunReported_ = false;
  struct PendingReport {
    int line = 0;
    int type = 0;
    int level = 0;
    std::string text;
  } pending_;
  std::condition_variable rxSpace_;
  std::condition_variable txData_;
  std::condition_variable txSpace_;

  std::uint8_t rxBuffer_[8192] = {};
  std::uint8_t txChunk_[8192] = {};
  std::uint8_t delivery_[8192] = {};
};

// Sets up a raw line with the given settings; the reason text when the
// platform cannot do them, else null.
const char* ConfigureTermios(termios& tio, std::uint32_t baud, int databits, TParityStyle parity,
                             TStopbitStyle stopbits, TFlowStyle flow);

// The lock of every serial ring buffer of every instance.
std::mutex& SerialLock();

}  // namespace quill
