// SPDX-License-Identifier: GPL-3.0-or-later
// Converting a 10,000-cache pocket query to every save format with
// quillmark-cli against GPSBabel doing the same conversion. Prints the times
// and the ratio GPSBabel time / our time (above 1: we are faster).
//
// Where GPSBabel has no writer of the very format, the nearest one of the
// same kind is used and named in the output: its "text" writer for our TXT
// (a coordinate text and the name per waypoint), its "csv" writer for the
// MioMap and Garmin/Navman CSV layouts, "tomtom_asc" for the Navio ASC file.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "BenchSupport.h"
#include "PocketQuery.h"

using namespace quill::bench;

namespace {

struct Conversion {
  const char* ours;  // --format
  const char* ext;
  const char* babel;  // gpsbabel -o
};

constexpr Conversion kConversions[] = {
    {"gpx", "gpx", "gpx"},  {"loc", "loc", "geo"},    {"ov2", "ov2", "tomtom"}, {"kml", "kml", "kml"},
    {"txt", "txt", "text"}, {"miomap", "csv", "csv"}, {"garmin", "csv", "csv"}, {"navio", "asc", "tomtom_asc"},
};

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::atoi(argv[1]) : 3;
  if (runs < 1) runs = 1;
  std::string dir = TempFolder();
  std::string pq = dir + "/pq10k.gpx";
  PocketQueryOptions o;
  o.caches = 10000;
  if (!WritePocketQuery(pq, o)) {
    std::fprintf(stderr, "cannot write %s\n", pq.c_str());
    return 1;
  }
  std::printf("input: %d caches (with child waypoints every %d), %.1f MiB; best of %d runs\n", o.caches, o.childEvery,
              FileSizeMiB(pq), runs);
  std::printf("%-8s %-12s %10s %10s %8s\n", "format", "gpsbabel -o", "ours s", "gpsbabel s", "ratio");
  bool allOk = true;
  for (const Conversion& c : kConversions) {
    std::string ourOut = dir + "/ours-" + c.ours + "." + c.ext;
    std::string babelOut = dir + "/babel-" + c.ours + "." + c.ext;
    ProcessRun ours = BestOf(runs, {QUILL_CLI_PATH, "convert", "--format", c.ours, pq, ourOut});
    ProcessRun babel = BestOf(runs, {"gpsbabel", "-i", "gpx", "-f", pq, "-o", c.babel, "-F", babelOut});
    allOk = allOk && ours.ok && babel.ok;
    std::printf("%-8s %-12s %10.3f %10.3f %7.1fx%s\n", c.ours, c.babel, ours.seconds, babel.seconds,
                babel.seconds / ours.seconds, (ours.ok && babel.ok) ? "" : "  (a run failed)");
  }
  std::filesystem::remove_all(dir);
  return allOk ? 0 : 1;
}
