// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestSupport.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <thread>

namespace quill::test {

TempDir::TempDir() {
  std::string base = std::filesystem::temp_directory_path().string() + "/quilltest-XXXXXX";
  std::vector<char> buf(base.begin(), base.end());
  buf.push_back('\0');
  if (!::mkdtemp(buf.data())) throw std::runtime_error("mkdtemp failed");
  path_ = buf.data();
}

TempDir::~TempDir() {
  std::error_code ec;
  // A test may have taken the write bit away; give it back so the folder goes.
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> ListTree(const std::string& folder) {
  std::vector<std::string> entries;
  std::error_code ec;
  for (auto it = std::filesystem::recursive_directory_iterator(folder, ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    entries.push_back(std::filesystem::relative(it->path(), folder, ec).string());
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

void BindUnixSocket(const std::string& path) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  path.copy(address.sun_path, sizeof address.sun_path - 1);
  if (fd >= 0) ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  if (fd >= 0) ::close(fd);
}

DecimalCommaLocale::DecimalCommaLocale() {
  const char* old = std::setlocale(LC_ALL, nullptr);
  saved_ = old ? old : "C";
  if (std::setlocale(LC_ALL, "de_DE.UTF-8")) {
    ok_ = true;
    return;
  }
  dir_ = std::make_unique<TempDir>();
  RunCommand("localedef -i de_DE -f UTF-8 " + ShellQuote(dir_->File("de_DE.UTF-8")));
  ::setenv("LOCPATH", dir_->path().c_str(), 1);
  ok_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
}

DecimalCommaLocale::~DecimalCommaLocale() {
  std::setlocale(LC_ALL, saved_.c_str());
  if (dir_) ::unsetenv("LOCPATH");
}

std::string CorpusDir() {
  const char* env = std::getenv("QUILL_CORPUS_DIR");
  return env && *env ? std::string(env) : std::string(QUILL_CORPUS_DIR);
}

bool HaveCorpus() {
  std::error_code ec;
  return std::filesystem::is_directory(CorpusDir(), ec);
}

std::string CorpusPath(const std::string& relative) { return CorpusDir() + "/" + relative; }

std::string DataPath(const std::string& relative) { return std::string(QUILL_SOURCE_DIR) + "/tests/data/" + relative; }

bool HaveTool(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (!path) return false;
  std::string_view rest(path);
  while (true) {
    std::size_t colon = rest.find(':');
    std::string dir(rest.substr(0, colon));
    if (dir.empty()) dir = ".";
    std::string candidate = dir + "/" + name;
    if (::access(candidate.c_str(), X_OK) == 0) return true;
    if (colon == std::string_view::npos) return false;
    rest.remove_prefix(colon + 1);
  }
}

void NoteMissingTool(const std::string& name) {
  GTEST_SKIP() << name << " not installed (scripts/setup-deps installs it): its check was left out";
}

std::vector<std::string> CorpusFiles(const std::string& extension) {
  std::vector<std::string> files;
  std::error_code ec;
  for (auto& entry : std::filesystem::recursive_directory_iterator(CorpusDir(), ec)) {
    if (!entry.is_regular_file()) continue;
    std::string ext = entry.path().extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext == extension) files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

int RunCommand(const std::string& command, std::string* output) {
  std::string cmd = command + " 2>&1";
  FILE* p = ::popen(cmd.c_str(), "r");
  if (!p) return -1;
  std::array<char, 4096> buf;
  std::string out;
  size_t n;
  while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) out.append(buf.data(), n);
  int status = ::pclose(p);
  if (output) *output = out;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ShellQuote(const std::string& s) {
  std::string q = "'";
  for (char c : s) {
    if (c == '\'')
      q += "'\\''";
    else
      q += c;
  }
  return q + "'";
}

bool RunEventsUntil(const std::function<bool()>& done) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > 10000) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

bool WaitUntil(const std::function<bool()>& done) {
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (std::chrono::steady_clock::now() > give_up) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

int RunInChild(const std::function<int()>& body, bool asUnprivileged, unsigned timeoutSeconds) {
  pid_t pid = ::fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    ::alarm(timeoutSeconds);
    if (asUnprivileged && ::geteuid() == 0) {
      const uid_t nobody = 65534;
      if (::setgroups(0, nullptr) != 0 || ::setresgid(nobody, nobody, nobody) != 0 ||
          ::setresuid(nobody, nobody, nobody) != 0)
        ::_exit(125);
    }
    ::_exit(body());
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace quill::test

namespace quill::test {

ScopedEnv::ScopedEnv(const char* name, const std::string& value) : name_(name) {
  if (const char* old = std::getenv(name)) {
    saved_ = old;
    had_ = true;
  }
  ::setenv(name, value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() {
  if (had_) {
    ::setenv(name_.c_str(), saved_.c_str(), 1);
  } else {
    ::unsetenv(name_.c_str());
  }
}

}  // namespace quill::test
