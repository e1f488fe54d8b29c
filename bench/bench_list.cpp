// SPDX-License-Identifier: GPL-3.0-or-later
// Sorting by every order and filtering by every mode over 100,000 waypoints
// with Groundspeak data (by default generated: 80,000 caches and 20,000
// parking areas; or the GPX file given as the first argument).
// "first" is the sort or filter on a list just loaded, so whatever is worked
// out once per record is paid there; "again" is the best of three repeats on
// the same records. Wall and CPU milliseconds, the CPU figure being the one
// a busy machine disturbs least. A baseline measured in the same run: a plain
// byte-wise sort of the same names.
// bench_list [FILE.gpx] [ORDER-OR-MODE...] limits the run to those cases.
#include <QLocale>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "PocketQuery.h"
#include "formats/GpxReader.h"
#include "list/ListFilter.h"
#include "list/ListSort.h"
#include "list/WaypointStore.h"

using namespace quill;
using namespace quill::bench;

namespace {

struct Times {
  double wall = 0.0;
  double cpu = 0.0;
};

double CpuNow() {
  timespec ts{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

Times Time(const std::function<void()>& run) {
  double c0 = CpuNow();
  auto t0 = std::chrono::steady_clock::now();
  run();
  return {std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count(), CpuNow() - c0};
}

Times Best(const std::function<void()>& prepare, const std::function<void()>& run, int n = 3) {
  Times best{1e9, 1e9};
  for (int i = 0; i < n; ++i) {
    prepare();
    Times t = Time(run);
    best.wall = std::min(best.wall, t.wall);
    best.cpu = std::min(best.cpu, t.cpu);
  }
  return best;
}

std::unique_ptr<WaypointStore> Load(const std::string& path) {
  auto store = std::make_unique<WaypointStore>();
  store->SetDuplicateMode(kDuplicateAllow);
  ReadOptions options;
  options.includeGroundspeak = true;
  ReadGpxFile(path, *store, options, nullptr);
  return store;
}

}  // namespace

int main(int argc, char** argv) {
  std::string dir;
  const std::string path = ListFileArgument(argc, argv, dir);
  std::vector<std::string> only(argv + std::min(argc, 2), argv + argc);
  auto wanted = [&](std::string_view name) {
    return only.empty() || std::find(only.begin(), only.end(), name) != only.end();
  };

  Times load{};
  std::unique_ptr<WaypointStore> store;
  load = Time([&] { store = Load(path); });
  std::printf("%zu waypoints loaded in %.0f ms (cpu %.0f ms)\n", store->size(), load.wall * 1e3, load.cpu * 1e3);

  const LocaleText text(QLocale(QLocale::English, QLocale::UnitedStates));
  const HomePosition home{52.09, 5.12};
  std::vector<const TGpxRecord*> rows;
  auto reset = [&] { rows = store->AllWaypoints(); };

  std::vector<std::string> names;
  Times baseline = Best(
      [&] {
        names.clear();
        for (const auto& r : store->AllWaypoints()) names.push_back(r->Name);
      },
      [&] { std::sort(names.begin(), names.end()); });
  std::printf("baseline, byte-wise sort of the names: %.1f ms (cpu %.1f ms)\n\n", baseline.wall * 1e3,
              baseline.cpu * 1e3);

  // The first run of each case on a list of its own, loaded for it.
  auto first = [&](const std::function<void()>& run) {
    store = Load(path);
    reset();
    return Time(run);
  };

  std::printf("%-16s %9s %9s %9s %9s %8s\n", "sort", "first", "cpu", "again", "cpu", "kept");
  for (int i = 0; i < kSortOrderCount; ++i) {
    SortOrder order = static_cast<SortOrder>(i);
    if (!wanted(SortOrderName(order))) continue;
    auto run = [&] { SortWaypoints(rows, *store, order, text, home); };
    Times f = first(run);
    Times s = Best(reset, run);
    std::printf("%-16s %9.1f %9.1f %9.1f %9.1f %8zu\n", std::string(SortOrderName(order)).c_str(), f.wall * 1e3,
                f.cpu * 1e3, s.wall * 1e3, s.cpu * 1e3, rows.size());
  }

  std::printf("\n%-16s %9s %9s %9s %9s %8s\n", "filter", "first", "cpu", "again", "cpu", "kept");
  for (const FilterCase& c : FilterCases()) {
    if (!wanted(FilterModeName(c.mode))) continue;
    auto run = [&] { FilterWaypoints(rows, *store, c.mode, c.value, text, home); };
    Times f = first(run);
    Times s = Best(reset, run);
    std::printf("%-16s %9.1f %9.1f %9.1f %9.1f %8zu\n", std::string(FilterModeName(c.mode)).c_str(), f.wall * 1e3,
                f.cpu * 1e3, s.wall * 1e3, s.cpu * 1e3, rows.size());
  }
  if (!dir.empty()) std::filesystem::remove_all(dir);
  return 0;
}
