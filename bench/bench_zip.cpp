// SPDX-License-Identifier: GPL-3.0-or-later
// A pocket-query ZIP (the caches file and its waypoints file) against the
// same two GPX files unpacked: the reader's load time of each, best of
// several runs taken in turn, and the whole `list` command of each, with the
// ratios. The archive is made here with libzip, deflated as
// the listing service sends it.
#include <zip.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "PocketQuery.h"
#include "formats/GpxReader.h"
#include "formats/ZipArchive.h"
#include "list/WaypointStore.h"

using namespace quill;
using namespace quill::bench;

namespace {

bool WriteZip(const std::string& path, const std::vector<std::pair<std::string, std::string>>& files) {
  int code = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  if (!archive) return false;
  for (const auto& [name, file] : files) {
    zip_source_t* source = zip_source_file(archive, file.c_str(), 0, -1);
    if (!source || zip_file_add(archive, name.c_str(), source, 0) < 0) {
      zip_discard(archive);
      return false;
    }
  }
  return zip_close(archive) == 0;
}

template <typename Load>
double Seconds(Load load, std::size_t& count) {
  WaypointStore store;
  ReadOptions options;
  options.includeGroundspeak = true;
  const auto t0 = std::chrono::steady_clock::now();
  load(store, options);
  const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  count = store.size();
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  const int caches = argc > 1 ? std::atoi(argv[1]) : 1000;
  const std::string dir = TempFolder();
  const std::string gpx = dir + "/1234567.gpx", wpts = dir + "/1234567-wpts.gpx", zip = dir + "/1234567.zip";
  PocketQueryOptions o;
  o.caches = caches;
  o.childEvery = 0;
  PocketQueryOptions w = o;
  w.caches = caches / 2;
  w.seed = 7;
  w.logsPerCache = 0;
  w.descriptionBytes = 200;
  if (!WritePocketQuery(gpx, o) || !WritePocketQuery(wpts, w) ||
      !WriteZip(zip, {{"1234567.gpx", gpx}, {"1234567-wpts.gpx", wpts}})) {
    std::fprintf(stderr, "cannot write the files in %s\n", dir.c_str());
    return 1;
  }
  std::printf("pocket query: %d caches and %d waypoints, %.1f MiB unpacked, %.1f MiB as ZIP\n", o.caches, w.caches,
              FileSizeMiB(gpx) + FileSizeMiB(wpts), FileSizeMiB(zip));

  const auto loadGpx = [&](WaypointStore& store, const ReadOptions& options) {
    ReadGpxFile(gpx, store, options, nullptr);
    ReadGpxFile(wpts, store, options, nullptr);
  };
  const auto loadZip = [&](WaypointStore& store, const ReadOptions& options) {
    ReadResult result;
    if (!ReadZipFile(zip, store, options, &result)) std::fprintf(stderr, "zip: %s\n", result.error.c_str());
  };
  // Taken in turn, so a busy machine slows both alike; the best run of each.
  double bestGpx = 1e9, bestZip = 1e9;
  std::size_t nGpx = 0, nZip = 0;
  const int runs = caches >= 10000 ? 5 : 15;
  for (int i = 0; i < runs; ++i) {
    bestGpx = std::min(bestGpx, Seconds(loadGpx, nGpx));
    bestZip = std::min(bestZip, Seconds(loadZip, nZip));
  }
  std::printf("load the two GPX files: %.4f s, %zu waypoints\n", bestGpx, nGpx);
  std::printf("load the ZIP:           %.4f s, %zu waypoints%s\n", bestZip, nZip, nZip == nGpx ? "" : " (MISMATCH)");
  std::printf("reader ratio ZIP/GPX: %.3f (within 10%% is at most 1.100)\n", bestZip / bestGpx);
  // What a user waits for: the whole command, from start to the last line.
  const ProcessRun listGpx = BestOf(runs, {QUILL_CLI_PATH, "list", gpx, wpts}, {}, "/dev/null");
  const ProcessRun listZip = BestOf(runs, {QUILL_CLI_PATH, "list", zip}, {}, "/dev/null");
  std::printf("quillmark-cli list, the two GPX files: %.4f s%s\n", listGpx.seconds, listGpx.ok ? "" : " (FAILED)");
  std::printf("quillmark-cli list, the ZIP:           %.4f s%s\n", listZip.seconds, listZip.ok ? "" : " (FAILED)");
  std::printf("command ratio ZIP/GPX: %.3f\n", listZip.seconds / listGpx.seconds);
  std::filesystem::remove_all(dir);
  return nZip == nGpx ? 0 : 1;
}
