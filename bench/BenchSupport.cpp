// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchSupport.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

namespace quill::bench {

ProcessRun RunProcess(const std::vector<std::string>& argv, bool quiet, const std::string& stdinPath,
                      const std::string& stdoutPath) {
  ProcessRun run;
  auto start = std::chrono::steady_clock::now();
  pid_t pid = ::fork();
  if (pid == 0) {
    if (quiet) {
      int null = ::open("/dev/null", O_WRONLY);
      ::dup2(null, 1);
      ::dup2(null, 2);
    }
    if (!stdinPath.empty()) {
      int in = ::open(stdinPath.c_str(), O_RDONLY);
      if (in < 0) ::_exit(126);
      ::dup2(in, 0);
    }
    if (!stdoutPath.empty()) {
      int out = ::open(stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (out < 0) ::_exit(126);
      ::dup2(out, 1);
    }
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    ::execvp(args[0], args.data());
    ::_exit(127);
  }
  if (pid < 0) return run;
  int status = 0;
  struct rusage usage {};
  ::wait4(pid, &status, 0, &usage);
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  run.maxRssKiB = usage.ru_maxrss;
  auto secs = [](const timeval& tv) { return static_cast<double>(tv.tv_sec) + static_cast<double>(tv.tv_usec) * 1e-6; };
  run.cpuSeconds = secs(usage.ru_utime) + secs(usage.ru_stime);
  return run;
}

ProcessRun BestOf(int n, const std::vector<std::string>& argv, const std::string& stdinPath,
                  const std::string& stdoutPath) {
  ProcessRun best;
  double cpu = 0.0;
  for (int i = 0; i < n; ++i) {
    ProcessRun r = RunProcess(argv, true, stdinPath, stdoutPath);
    if (i == 0 || (r.ok && r.cpuSeconds < cpu)) cpu = r.cpuSeconds;
    if (i == 0 || (r.ok && r.seconds < best.seconds)) best = r;
  }
  best.cpuSeconds = cpu;
  return best;
}

double FileSizeMiB(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return 0.0;
  return static_cast<double>(st.st_size) / (1024.0 * 1024.0);
}

std::string TempFolder() {
  const char* base = std::getenv("QUILL_BENCH_DIR");
  std::string t = std::string(base ? base : "/tmp") + "/quillbench-XXXXXX";
  if (!::mkdtemp(t.data())) return ".";
  return t;
}

}  // namespace quill::bench
