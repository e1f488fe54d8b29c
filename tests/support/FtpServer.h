// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A real FTP server (pyftpdlib) on a free loopback port, for one test: its
// own user, password and folder; stopped when the object goes.
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/TestSupport.h"

namespace quill::test {

class FtpServer {
 public:
  static constexpr const char* kUser = "quill";
  static constexpr const char* kPassword = "p@ss:w%rd 1";

  // Why no server can run here (no python3 with pyftpdlib, or without
  // pyOpenSSL when tls is asked for); empty when one can.
  static std::string Unavailable(bool tls = false);

  // extraArgs: the misbehaving modes of tests/support/ftp_server.py.
  explicit FtpServer(const std::vector<std::string>& extraArgs = {});
  ~FtpServer();
  FtpServer(const FtpServer&) = delete;
  FtpServer& operator=(const FtpServer&) = delete;

  bool Started() const { return port_ > 0; }
  int Port() const { return port_; }
  // "127.0.0.1:PORT", as the FtpHost setting.
  std::string HostText() const;
  // The user's folder on the server.
  std::string Root() const { return dir_.File("root"); }
  // Beside the root: the server's certificate in tls mode.
  std::string File(const std::string& name) const { return dir_.File(name); }
  void Stop();

 private:
  TempDir dir_;
  int pid_ = -1;
  int stdinFd_ = -1;
  int port_ = 0;
};

// A loopback port on which nothing listens (bound, then closed).
int UnusedLoopbackPort();

// A loopback port that takes connections and never says a word: a server
// that hangs before its greeting.
class SilentListener {
 public:
  SilentListener();
  ~SilentListener();
  SilentListener(const SilentListener&) = delete;
  SilentListener& operator=(const SilentListener&) = delete;
  int Port() const { return port_; }

 private:
  int fd_ = -1;
  int port_ = 0;
};

// A loopback port that takes every connection, reads what comes first,
// answers with a small web page and counts: a peer that must never be reached.
class CountingServer {
 public:
  CountingServer();
  ~CountingServer();
  CountingServer(const CountingServer&) = delete;
  CountingServer& operator=(const CountingServer&) = delete;
  int Port() const { return port_; }
  // "http://127.0.0.1:PORT".
  std::string Url() const;
  // The first line of each request so far ("GET /x HTTP/1.1"; empty for a
  // connection that sent nothing), every connection made before the call
  // included: a connection of its own, served after them, marks the end.
  std::vector<std::string> Requests();

 private:
  void Serve();
  int fd_ = -1;
  int stop_[2] = {-1, -1};
  int port_ = 0;
  std::mutex mutex_;
  std::condition_variable recorded_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

}  // namespace quill::test
