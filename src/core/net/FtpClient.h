// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The FTP client component: each operation returns at once and its outcome
// arrives later as one event, on the thread that made the client (that
// thread needs a running Qt event loop). libcurl does the protocol on a
// worker thread; one connection is kept open from Connect to Disconnect and
// reused by every command in between.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

class QObject;

namespace quill {

// The command codes the events report.
enum FtpCommand : int {
  kFtpChangeDir = 0,
  kFtpMakeDir = 1,
  kFtpDelete = 2,
  kFtpRemoveDir = 3,
  kFtpList = 4,
  kFtpRename = 5,
  kFtpUpRestore = 6,
  kFtpDownRestore = 7,
  kFtpDownload = 8,
  kFtpUpload = 9,
  kFtpAppend = 10,
  kFtpReInit = 11,
  kFtpAllocate = 12,
  kFtpNList = 13,
  kFtpDoCommand = 14,
  kFtpCurrentDir = 15,
};

// "ChangeDir", "Download", ...; empty for a code outside 0..15.
std::string FtpCommandName(int code);

class FtpEvents {
 public:
  virtual ~FtpEvents() = default;
  virtual void OnConnect() = 0;
  virtual void OnSuccess(int code) = 0;
  // handled left false: the client closes the connection itself.
  virtual void OnFailure(bool& handled, int code) = 0;
  virtual void OnError(int number, const std::string& text) = 0;
  virtual void OnConnectionFailed() = 0;
  virtual void OnAuthenticationFailed(bool& handled) = 0;
  virtual void OnInvalidHost(bool& handled) = 0;
  virtual void OnUnSupportedFunction(int code) = 0;
};

struct FtpProperties {
  std::string Host;  // see ParseFtpHost
  std::string UserID;
  std::string Password;  // in clear
  std::string Proxy;     // empty: none, not even one from the environment
  int ProxyPort = 0;
  bool Passive = true;
  int Vendor = 0;
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
  explicit FtpClient(FtpEvents& events);
  // Aborts what runs and waits for the worker; no event follows.
  ~FtpClient();
  FtpClient(const FtpClient&) = delete;
  FtpClient& operator=(const FtpClient&) = delete;

  // Read by Connect.
  FtpProperties& Properties() { return properties_; }

  // From Connect until Disconnect or a failure that leaves no connection.
  bool Connected() const { return connected_; }

  void Connect();
  // Relative to the login folder; the names below are relative to it.
  void ChangeDir(const std::string& folder);
  // Reports success only when exactly the bytes the server announced have
  // arrived (fewer or more is an error), no more than maxDownloadBytes, and
  // the local file (created 0600 when missing) is written and closed.
  void Download(const std::string& remoteName, const std::string& localFile);
  // Reports success only when the server holds as many bytes as were sent.
  void Upload(const std::string& localFile, const std::string& remoteName);
  void Rename(const std::string& from, const std::string& to);
  void Delete(const std::string& name);
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
  void Queue(int command, std::string a, std::string b);
  void Deliver(const Outcome& outcome);

  FtpEvents& events_;
  FtpProperties properties_;
  bool connected_ = false;
  unsigned generation_ = 0;
  std::atomic<std::uint64_t> bytesDone_{0};
  std::atomic<std::uint64_t> bytesTotal_{0};
  std::unique_ptr<QObject> context_;
  std::unique_ptr<Worker> worker_;
};

}  // namespace quill
