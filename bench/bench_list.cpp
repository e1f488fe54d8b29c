// Sorting by every order and filtering by every mode over 100,000 generated
// waypoints with Groundspeak data (80,000 caches and 20,000 parking areas).
// Prints the best of three runs of each, and its ratio to a baseline measured
// in the same run: a plain byte-wise sort of the same names.
#include <QLocale>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
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

double BestSeconds(const std::function<void()>& prepare, const std::function<void()>& run) {
  double best = 1e9;
  for (int i = 0; i < 3; ++i) {
    prepare();
    auto t0 = std::chrono::steady_clock::now();
    run();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
  }
  return best;
}

std::vector<const TGpxRecord*> LoadOrder(const WaypointStore& store) { return store.AllWaypoints(); }

}  // namespace

int main() {
  std::string dir = TempFolder();
  std::string path = dir + "/list100k.gpx";
  PocketQueryOptions o = HundredThousandWaypoints();
  WritePocketQuery(path, o);

  WaypointStore store;
  store.SetDuplicateMode(kDuplicateAllow);
  ReadOptions options;
  options.includeGroundspeak = true;
  ReadGpxFile(path, store, options, nullptr);
  std::filesystem::remove_all(dir);
  std::printf("%zu waypoints loaded\n", store.size());

  const LocaleText text(QLocale(QLocale::English, QLocale::UnitedStates));
  const HomePosition home{52.09, 5.12};
  std::vector<const TGpxRecord*> rows;
  auto reset = [&] { rows = LoadOrder(store); };

  std::vector<std::string> names;
  double baseline = BestSeconds(
      [&] {
        names.clear();
        for (const auto& r : store.AllWaypoints()) names.push_back(r->Name);
      },
      [&] { std::sort(names.begin(), names.end()); });
  std::printf("baseline, byte-wise sort of the names: %.1f ms\n\n", baseline * 1e3);

  std::printf("%-12s %10s %8s\n", "sort", "ms", "ratio");
  for (int i = 0; i < kSortOrderCount; ++i) {
    SortOrder order = static_cast<SortOrder>(i);
    double s = BestSeconds(reset, [&] { SortWaypoints(rows, order, text, home); });
    std::printf("%-12s %10.1f %8.1f\n", std::string(SortOrderName(order)).c_str(), s * 1e3, s / baseline);
  }

  struct FilterCase {
    int mode;
    const char* value;
  };
  const std::vector<FilterCase> filters = {
      {kFilterName, "gc1"},        {kFilterDescription, "cache"}, {kFilterPlacedBy, "ann"},
      {kFilterTerrainMax, "2"},    {kFilterTerrainMin, "2"},      {kFilterDifficultyMax, "2"},
      {kFilterDifficultyMin, "3"}, {kFilterCountry, "germ"},      {kFilterDistanceMax, "50"},
      {kFilterType, "6"},          {kFilterContainer, "small"},   {kFilterReal, "yes"},
      {kFilterFound, "yes"},       {kFilterArchived, "yes"},      {kFilterLogs, "+"},
  };
  std::printf("\n%-16s %10s %8s %8s\n", "filter", "ms", "ratio", "kept");
  for (const FilterCase& f : filters) {
    double s = BestSeconds(reset, [&] { FilterWaypoints(rows, f.mode, f.value, text, home); });
    std::printf("%-16s %10.1f %8.1f %8zu\n", std::string(FilterModeName(f.mode)).c_str(), s * 1e3, s / baseline,
                rows.size());
  }
  return 0;
}
