// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FtpServer.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>

extern char** environ;

namespace quill::test {
namespace {

std::string PythonWith(const std::string& module) {
  std::vector<std::string> candidates;
  if (const char* own = std::getenv("QUILL_PYTHON")) candidates.emplace_back(own);
  candidates.emplace_back("python3");
  candidates.emplace_back("/usr/bin/python3");
  for (const std::string& python : candidates) {
    if (RunCommand(ShellQuote(python) + " -c " + ShellQuote("import " + module)) == 0) return python;
  }
  return {};
}

const std::string& ServerPython() {
  static const std::string python = PythonWith("pyftpdlib");
  return python;
}

}  // namespace

std::string FtpServer::Unavailable(bool tls) {
  if (ServerPython().empty()) return "no python3 with pyftpdlib (scripts/setup-deps installs python3-pyftpdlib)";
  if (tls) {
    static const bool hasOpenSsl =
        RunCommand(ShellQuote(ServerPython()) + " -c 'import OpenSSL, pyftpdlib.handlers as h; h.TLS_FTPHandler'") == 0;
    if (!hasOpenSsl) return "pyftpdlib here has no TLS (python3-openssl missing)";
  }
  return {};
}

FtpServer::FtpServer(const std::vector<std::string>& extraArgs) {
  std::filesystem::create_directory(Root());
  std::vector<std::string> args = {ServerPython(), std::string(QUILL_SOURCE_DIR) + "/tests/support/ftp_server.py",
                                   "--root",       Root(),
                                   "--user",       kUser,
                                   "--password",   kPassword};
  args.insert(args.end(), extraArgs.begin(), extraArgs.end());
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  int in[2];
  int out[2];
  if (::pipe2(in, O_CLOEXEC) != 0) return;
  if (::pipe2(out, O_CLOEXEC) != 0) {
    ::close(in[0]);
    ::close(in[1]);
    return;
  }
  const std::string log = dir_.File("server.log");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_t pid = -1;
  const int rc = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(in[0]);
  ::close(out[1]);
  stdinFd_ = in[1];
  if (rc != 0) {
    ::close(out[0]);
    return;
  }
  pid_ = pid;
  // The first line is the port; a certificate may have to be made first.
  std::string line;
  pollfd p{out[0], POLLIN, 0};
  while (line.find('\n') == std::string::npos && ::poll(&p, 1, 60000) > 0) {
    char buf[64];
    const ssize_t n = ::read(out[0], buf, sizeof buf);
    if (n <= 0) break;
    line.append(buf, static_cast<std::size_t>(n));
  }
  ::close(out[0]);
  port_ = std::atoi(line.c_str());
}

FtpServer::~FtpServer() { Stop(); }

void FtpServer::Stop() {
  if (stdinFd_ >= 0) ::close(stdinFd_);
  stdinFd_ = -1;
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  pid_ = -1;
}

std::string FtpServer::HostText() const { return "127.0.0.1:" + std::to_string(port_); }

int UnusedLoopbackPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  int port = 0;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0) {
    port = ntohs(address.sin_port);
  }
  ::close(fd);
  return port;
}

namespace {

sockaddr_in LoopbackAddress(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  return address;
}

// A socket listening on a free loopback port (port set), or -1.
int ListenOnLoopback(int backlog, int& port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address = LoopbackAddress(0);
  socklen_t size = sizeof address;
  if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), size) == 0 && ::listen(fd, backlog) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0) {
    port = ntohs(address.sin_port);
    return fd;
  }
  if (fd >= 0) ::close(fd);
  return -1;
}

}  // namespace

SilentListener::SilentListener() { fd_ = ListenOnLoopback(8, port_); }

SilentListener::~SilentListener() {
  if (fd_ >= 0) ::close(fd_);
}

CountingServer::CountingServer() {
  int port = 0;
  fd_ = ListenOnLoopback(64, port);
  if (fd_ < 0 || ::pipe2(stop_, O_CLOEXEC) != 0) return;
  port_ = port;
  thread_ = std::thread([this] { Serve(); });
}

CountingServer::~CountingServer() {
  if (thread_.joinable()) {
    const char byte = 0;
    if (::write(stop_[1], &byte, 1) != 1) {
      // The thread also ends when the pipe closes below.
    }
    thread_.join();
  }
  for (int fd : {fd_, stop_[0], stop_[1]}) {
    if (fd >= 0) ::close(fd);
  }
}

std::string CountingServer::Url() const { return "http://127.0.0.1:" + std::to_string(port_); }

std::vector<std::string> CountingServer::Requests() {
  static constexpr char kMark[] = "END-OF-REQUESTS";
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const sockaddr_in address = LoopbackAddress(port_);
  bool sent = fd >= 0 && ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
              ::send(fd, "END-OF-REQUESTS\r\n", sizeof kMark + 1, MSG_NOSIGNAL) > 0;
  std::unique_lock<std::mutex> lock(mutex_);
  // A guard against a hang only: the mark arrives at once.
  sent = sent && recorded_.wait_for(lock, std::chrono::seconds(30), [&] {
    return std::find(requests_.begin(), requests_.end(), kMark) != requests_.end();
  });
  if (fd >= 0) ::close(fd);
  std::vector<std::string> requests;
  for (const std::string& r : requests_) {
    if (r != kMark) requests.push_back(r);
  }
  requests_ = requests;
  if (!sent) requests.push_back("(the end of the requests could not be marked)");
  return requests;
}

void CountingServer::Serve() {
  for (;;) {
    pollfd waits[2] = {{fd_, POLLIN, 0}, {stop_[0], POLLIN, 0}};
    if (::poll(waits, 2, -1) < 0 || waits[1].revents != 0) return;
    const int connection = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) continue;
    std::string request;
    pollfd in{connection, POLLIN, 0};
    char buf[4096];
    while (request.find("\r\n") == std::string::npos && ::poll(&in, 1, 1000) > 0) {
      const ssize_t n = ::read(connection, buf, sizeof buf);
      if (n <= 0) break;
      request.append(buf, static_cast<std::size_t>(n));
    }
    {
      std::lock_guard<std::mutex> lock(mutex_);
      requests_.push_back(request.substr(0, request.find("\r\n")));
    }
    recorded_.notify_all();
    static constexpr char kReply[] =
        "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 26\r\nConnection: close\r\n\r\n"
        "<title>NAVIGATED</title>x\n";
    if (::send(connection, kReply, sizeof kReply - 1, MSG_NOSIGNAL) < 0) {
      // The peer may be gone already; it was counted.
    }
    ::close(connection);
  }
}

}  // namespace quill::test
