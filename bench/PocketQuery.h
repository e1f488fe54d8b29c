// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Generated pocket-query GPX files: made-up caches with Groundspeak data,
// logs and text in several scripts, deterministic for a seed.
#include <cstdint>
#include <string>
#include <vector>

namespace quill::bench {

struct PocketQueryOptions {
  int caches = 10000;
  // Additional waypoints (parking, stages) for every n-th cache; 0 for none.
  int childEvery = 4;
  std::uint32_t seed = 1;
  int logsPerCache = 5;
  int descriptionBytes = 5000;  // about this much long description per cache
};

// The 100,000-waypoint list the list benchmarks share: 80,000 caches, a
// parking area for every fourth, five logs each.
PocketQueryOptions HundredThousandWaypoints();
// The GPX file a list benchmark measures: argv[1] when given, else that list
// written into a fresh folder, whose name lands in tempDir for removal.
std::string ListFileArgument(int argc, char** argv, std::string& tempDir);

// One filter of every mode with a value that keeps part of the generated
// list: what the list benchmarks filter by.
struct FilterCase {
  int mode;
  const char* value;
};
const std::vector<FilterCase>& FilterCases();

// Writes the file; false when it could not be written.
bool WritePocketQuery(const std::string& path, const PocketQueryOptions& options);
std::string PocketQueryText(const PocketQueryOptions& options);

}  // namespace quill::bench
