// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Timing whole programs: wall time and peak memory of a child process.
#include <string>
#include <vector>

namespace quill::bench {

struct ProcessRun {
  bool ok = false;          // exited with status 0
  double seconds = 0.0;     // wall time
  double cpuSeconds = 0.0;  // user and system time of the child
  long maxRssKiB = 0;       // peak resident memory of the child
};

// stdinPath and stdoutPath, when given, are the child's standard input and
// output (stdout then is written even when quiet).
ProcessRun RunProcess(const std::vector<std::string>& argv, bool quiet = true, const std::string& stdinPath = {},
                      const std::string& stdoutPath = {});
// Best (lowest wall time) of n runs; its cpuSeconds is the lowest of any run.
ProcessRun BestOf(int n, const std::vector<std::string>& argv, const std::string& stdinPath = {},
                  const std::string& stdoutPath = {});
double FileSizeMiB(const std::string& path);
std::string TempFolder();  // a fresh folder for bench files

}  // namespace quill::bench
