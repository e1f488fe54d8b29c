// SPDX-License-Identifier: GPL-3.0-or-later
// Loading files made to be slow: one element whose text is a run of "<name "
// candidates before a single distant "/>" (every candidate ends at that same
// ">"), and the like for every reader. A reader is linear when the 10 MB
// file takes about ten times the 1 MB one; the 10 MB loads should each take
// well under a second.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BenchSupport.h"

using namespace quill::bench;

namespace {

struct Hostile {
  const char* what;
  const char* ext;
  const char* head;
  const char* unit;  // repeated to the size asked for
  const char* tail;
  const char* sortOrder = nullptr;  // a sort that reads the Groundspeak data, or none
};

constexpr Hostile kFiles[] = {
    {"gpx: <name  runs to one />", "gpx", "<gpx><wpt lat=\"1\" lon=\"2\">", "<name ", "/></wpt></gpx>\n"},
    {"gpx: <name> never closed", "gpx", "<gpx><wpt lat=\"1\" lon=\"2\">", "<name>x", "</wpt></gpx>\n"},
    {"gpx: <link  runs to one />", "gpx", "<gpx><wpt lat=\"1\" lon=\"2\">", "<link ", "/></wpt></gpx>\n"},
    {"gpx: <wpt  tags never closed", "gpx", "<gpx>", "<wpt ", "\n"},
    {"loc: <name  runs to one />", "loc", "<loc><waypoint>", "<name ", "/></waypoint></loc>\n"},
    {"loc: <coord  runs to one >", "loc", "<loc><waypoint>", "<coord lat=\"", "\"></waypoint></loc>\n"},
    {"txt: one line of coordinates", "txt", "", "N 52 05.123 E 5 07.456 ", "\n"},
    {"csv: one line of fields", "csv", "", "1.5,\"a,b\",", "\n"},
    {"ov2: deleted records", "ov2", "", "\x00\x05\x00\x00\x00", ""},
    {"gpx: <groundspeak:date  runs, sorted by date", "gpx", "<gpx><wpt lat=\"1\" lon=\"2\"><groundspeak:cache>",
     "<groundspeak:date ", "/></groundspeak:cache></wpt></gpx>\n", "date"},
};

std::string Write(const std::string& dir, const Hostile& h, std::size_t bytes, int index) {
  std::string path = dir + "/hostile" + std::to_string(index) + "-" + std::to_string(bytes) + "." + h.ext;
  std::string unit = h.ext == std::string("ov2") ? std::string(h.unit, 5) : std::string(h.unit);
  std::string text = h.head;
  text.reserve(bytes + 64);
  while (text.size() < bytes) text += unit;
  text += h.tail;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::atoi(argv[1]) : 3;
  if (runs < 1) runs = 1;
  std::string dir = TempFolder();
  std::printf("quillmark-cli list of each file, best of %d runs\n", runs);
  std::printf("%-32s %10s %10s %8s\n", "file", "1 MB s", "10 MB s", "ratio");
  bool allOk = true;
  int index = 0;
  for (const Hostile& h : kFiles) {
    std::string small = Write(dir, h, 1u << 20, index);
    std::string large = Write(dir, h, 10u << 20, index);
    ++index;
    // A damaged file may fail to load; what counts is that it ends soon.
    std::vector<std::string> args = {QUILL_CLI_PATH, "list"};
    if (h.sortOrder) args.insert(args.end(), {"--sort", h.sortOrder});
    auto with = [&](const std::string& path) {
      std::vector<std::string> a = args;
      a.push_back(path);
      return a;
    };
    ProcessRun a = BestOf(runs, with(small));
    ProcessRun b = BestOf(runs, with(large));
    bool fast = b.seconds < 1.0;
    allOk = allOk && fast;
    std::printf("%-32s %10.3f %10.3f %7.1fx%s\n", h.what, a.seconds, b.seconds, b.seconds / a.seconds,
                fast ? "" : "  (over a second)");
  }
  std::filesystem::remove_all(dir);
  return allOk ? 0 : 1;
}
