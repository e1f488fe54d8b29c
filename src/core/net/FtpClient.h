// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The FTP client: each operation returns at once and its outcome arrives
// later through its own completion callback, on the thread that made the client (that
// thread needs a running Qt event loop). libcurl does the protocol on a
// worker thread; one connection is kept open from Connect to Disconnect and
// reused by every command in between.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QObject;

namespace quill {

// How one operation ended.
struct FtpResult {
  enum class Kind {
    kOk,
    kRefused,           // the server answered no
    kUnsupported,       // the server does not know the command (500, 502, 504)
    kError,             // the transfer broke off; number and text tell why
    kConnectionFailed,  // no control connection came about
    kAuthFailed,
    kInvalidHost,
  };
  Kind kind = Kind::kOk;
  int number = 0;  // libcurl's code of an error
  std::string text;
  bool Ok() const { return kind == Kind::kOk; }
};

// Called once when its operation has ended, on the thread that made the
// client; never after Disconnect or the client's end.
using FtpDone = std::function<void(const FtpResult&)>;

struct FtpProperties {
  std::string Host;  // see ParseFtpHost
  std::string UserID;
  std::string Password;  // in clear
  std::string Proxy;     // empty: none, not even one from the environment
  int ProxyPort = 0;
  bool Passive = true;
  // Time allowed to reach the server and log in; and to wait for a reply or
  // for the next byte of a transfer before giving up.
  int connectTimeoutMs = 20000;
  int idleTimeoutMs = 30000;
  // Time allowed for everything from Connect on, however steadily bytes
  // trickle in; and the largest download taken.
  int totalTimeoutMs = 300000;
  std::uint64_t maxDownloadBytes = std::uint64_t{1} << 30;
  // Certificates to trust for "ftps://" hosts; empty: the system's.
  std::string caFile;
};

class FtpClient {
 public:
  FtpClient();
  // Aborts what runs and waits for the worker; no event follows.
  ~FtpClient();
  FtpClient(const FtpClient&) = delete;
  FtpClient& operator=(const FtpClient&) = delete;

  // From Connect until Disconnect or a failure that leaves no connection.
  bool Connected() const { return connected_; }

  // Logs in; a connection already open is closed first.
  void Connect(const FtpProperties& properties, FtpDone done);
  // Relative to the login folder; the names below are relative to it.
  void ChangeDir(const std::string& folder, FtpDone done);
  // Reports success only when exactly the bytes the server announced have
  // arrived (fewer or more is an error), no more than maxDownloadBytes, and
  // the local file (created 0600 when missing) is written and closed.
  void Download(const std::string& remoteName, const std::string& localFile, FtpDone done);
  // Reports success only when the server holds as many bytes as were sent.
  void Upload(const std::string& localFile, const std::string& remoteName, FtpDone done);
  void Rename(const std::string& from, const std::string& to, FtpDone done);
  void Delete(const std::string& name, FtpDone done);
  // Cuts off what runs; no callback of an operation before it follows.
  void Disconnect();
  // Removes a local file once what was asked before it has ended, off the
  // caller's thread: freeing a large file takes a while.
  void RemoveLocalFile(const std::string& path);

  // The running transfer's bytes so far and expected (0 when not known).
  std::uint64_t BytesDone() const { return bytesDone_.load(); }
  std::uint64_t BytesTotal() const { return bytesTotal_.load(); }

  struct Outcome;

 private:
  class Worker;
  enum class Op;
  void Queue(Op op, std::string a, std::string b, FtpDone done, const FtpProperties* properties = nullptr);
  void Deliver(const Outcome& outcome);

  bool connected_ = false;
  unsigned generation_ = 0;
  std::atomic<std::uint64_t> bytesDone_{0};
  std::atomic<std::uint64_t> bytesTotal_{0};
  std::unique_ptr<QObject> context_;
  std::unique_ptr<Worker> worker_;
};

}  // namespace quill
