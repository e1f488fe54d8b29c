// SPDX-License-Identifier: GPL-3.0-or-later
// GPX load and save against GPSBabel, load scaling from 10,000 to 100,000
// waypoints, and peak memory against the file size. Prints ratios.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "BenchSupport.h"
#include "PocketQuery.h"
#include "formats/GpxReader.h"
#include "list/WaypointStore.h"

using namespace quill;
using namespace quill::bench;

namespace {

double LoadSeconds(const std::string& path, std::size_t* count) {
  double best = 1e9;
  for (int i = 0; i < 3; ++i) {
    WaypointStore store;
    ReadOptions options;
    options.includeGroundspeak = true;
    auto t0 = std::chrono::steady_clock::now();
    ReadGpxFile(path, store, options, nullptr);
    double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (s < best) best = s;
    *count = store.size();
  }
  return best;
}

}  // namespace

int main() {
  std::string dir = TempFolder();
  std::string pq = dir + "/pq10k.gpx";
  PocketQueryOptions o;
  o.caches = 10000;
  o.childEvery = 0;
  WritePocketQuery(pq, o);
  std::printf("pocket query: %d caches, %.1f MiB\n", o.caches, FileSizeMiB(pq));

  ProcessRun ours = BestOf(3, {QUILL_CLI_PATH, "convert", pq, dir + "/ours.gpx"});
  ProcessRun babel = BestOf(3, {"gpsbabel", "-i", "gpx", "-f", pq, "-o", "gpx", "-F", dir + "/babel.gpx"});
  std::printf("load+save, quillmark-cli convert: %.3f s (ok=%d), peak %.1f MiB\n", ours.seconds, ours.ok,
              static_cast<double>(ours.maxRssKiB) / 1024.0);
  std::printf("load+save, gpsbabel gpx->gpx:     %.3f s (ok=%d), peak %.1f MiB\n", babel.seconds, babel.ok,
              static_cast<double>(babel.maxRssKiB) / 1024.0);
  std::printf("speed ratio gpsbabel/quillmark: %.1fx\n", babel.seconds / ours.seconds);
  std::printf("peak memory / file size: %.2f\n", (static_cast<double>(ours.maxRssKiB) / 1024.0) / FileSizeMiB(pq));

  // Scaling: the same kind of waypoint, 10,000 and 100,000 of them.
  PocketQueryOptions s = o;
  s.descriptionBytes = 600;
  s.logsPerCache = 2;
  s.caches = 10000;
  std::string small = dir + "/s10k.gpx", large = dir + "/s100k.gpx";
  WritePocketQuery(small, s);
  s.caches = 100000;
  s.seed = 2;
  WritePocketQuery(large, s);
  std::size_t n1 = 0, n2 = 0;
  double t1 = LoadSeconds(small, &n1);
  double t2 = LoadSeconds(large, &n2);
  std::printf("load %zu waypoints (%.1f MiB): %.3f s\n", n1, FileSizeMiB(small), t1);
  std::printf("load %zu waypoints (%.1f MiB): %.3f s\n", n2, FileSizeMiB(large), t2);
  std::printf("scaling 100k/10k: %.2fx (linear would be 10x)\n", t2 / t1);
  // The same in fresh processes, where every load gets its memory new from
  // the kernel (the repeated loads above reuse what the 10k load freed).
  ProcessRun list1 = BestOf(3, {QUILL_CLI_PATH, "list", small});
  ProcessRun list2 = BestOf(3, {QUILL_CLI_PATH, "list", large});
  std::printf("quillmark-cli list: %.3f s and %.3f s, scaling %.2fx%s\n", list1.seconds, list2.seconds,
              list2.seconds / list1.seconds, list1.ok && list2.ok ? "" : " (FAILED)");

  std::filesystem::remove_all(dir);
  return 0;
}
