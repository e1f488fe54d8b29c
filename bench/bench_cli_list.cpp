// SPDX-License-Identifier: GPL-3.0-or-later
// What `quillmark-cli list --sort ORDER` and `--filter MODE=VALUE` add to a
// plain `quillmark-cli list` of the same 100,000 waypoints (by default the
// generated list of bench_list; or the GPX file given as the first argument).
// Every process loads the file afresh, so each figure is a first sort or
// filter. Best of five runs, each beside five plain runs made in turn with
// it; wall and CPU milliseconds. A filter prints fewer rows, which the plain
// run does not save.
// bench_cli_list [FILE.gpx] [RUNS]; QUILL_CLI=PROGRAM measures another build.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "PocketQuery.h"
#include "list/ListFilter.h"
#include "list/ListSort.h"

using namespace quill;
using namespace quill::bench;

int main(int argc, char** argv) {
  std::string dir;
  const std::string path = ListFileArgument(argc, argv, dir);
  int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  // QUILL_CLI names another build of the program to measure.
  const char* other = std::getenv("QUILL_CLI");
  const std::string cli = other ? other : QUILL_CLI_PATH;

  auto argsWith = [&](const std::vector<std::string>& extra) {
    std::vector<std::string> args{cli, "list", "--home", "N 52 05.400 E 5 07.200"};
    args.insert(args.end(), extra.begin(), extra.end());
    args.push_back(path);
    return args;
  };
  // Lowest wall time and, apart, lowest CPU time; ok only when every run was.
  auto keepBest = [](ProcessRun& best, int run, const ProcessRun& r) {
    const bool ok = run == 0 ? r.ok : best.ok && r.ok;
    const double cpu = run == 0 ? r.cpuSeconds : std::min(best.cpuSeconds, r.cpuSeconds);
    if (run == 0 || r.seconds < best.seconds) best = r;
    best.ok = ok;
    best.cpuSeconds = cpu;
  };
  // The plain list runs between the runs with the option, so a machine
  // that speeds up or slows down during the bench moves both alike.
  ProcessRun plain;
  auto measure = [&](const std::vector<std::string>& extra) {
    plain = {};
    ProcessRun with;
    for (int i = 0; i < runs; ++i) {
      keepBest(plain, i, RunProcess(argsWith({})));
      keepBest(with, i, RunProcess(argsWith(extra)));
    }
    return with;
  };
  measure({});
  std::printf("plain list: %.0f ms (cpu %.0f ms), peak %.0f MiB, file %.0f MiB%s\n\n", plain.seconds * 1e3,
              plain.cpuSeconds * 1e3, static_cast<double>(plain.maxRssKiB) / 1024.0, FileSizeMiB(path),
              plain.ok ? "" : " FAILED");

  auto row = [&](const std::string& label, const ProcessRun& r) {
    std::printf("%-24s %9.0f %9.0f %10.0f %10.0f%s\n", label.c_str(), r.seconds * 1e3, r.cpuSeconds * 1e3,
                (r.seconds - plain.seconds) * 1e3, (r.cpuSeconds - plain.cpuSeconds) * 1e3, r.ok ? "" : " FAILED");
  };
  std::printf("%-24s %9s %9s %10s %10s\n", "option", "ms", "cpu", "added", "added cpu");
  for (int i = 0; i < kSortOrderCount; ++i) {
    std::string name(SortOrderName(static_cast<SortOrder>(i)));
    row("--sort " + name, measure({"--sort", name}));
  }
  for (const FilterCase& c : FilterCases()) {
    std::string f = std::string(FilterModeName(c.mode)) + "=" + c.value;
    row("--filter " + f, measure({"--filter", f}));
  }
  if (!dir.empty()) std::filesystem::remove_all(dir);
  return 0;
}
