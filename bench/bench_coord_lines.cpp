// SPDX-License-Identifier: GPL-3.0-or-later
// quillmark-cli coord --rd - against PROJ's cs2cs on the same RD positions,
// each tool one process over all the lines: time per run, the ratio, the
// start-up share (one line), and how far the two answers lie apart.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "BenchSupport.h"

using namespace quill::bench;

namespace {

// n RD positions spread over the Netherlands on a fixed grid.
void WriteRdLines(const std::string& path, int n) {
  std::ofstream out(path);
  const int side = static_cast<int>(std::ceil(std::sqrt(n)));
  for (int i = 0; i < n; ++i) {
    const int x = 13000 + (i % side) * (265000 / side);
    const int y = 306000 + (i / side) * (313000 / side);
    out << x << ' ' << y << '\n';
  }
}

std::vector<std::string> Lines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

double JsonNumber(const std::string& json, const std::string& key) {
  const std::size_t at = json.find("\"" + key + "\": ");
  return at == std::string::npos ? NAN : std::stod(json.substr(at + key.size() + 4));
}

// Metres between two WGS84 positions, on a sphere: enough for a comparison.
double Metres(double lat1, double lon1, double lat2, double lon2) {
  const double k = M_PI / 180.0;
  const double dLat = (lat2 - lat1) * k, dLon = (lon2 - lon1) * k;
  const double a = std::sin(dLat / 2) * std::sin(dLat / 2) +
                   std::cos(lat1 * k) * std::cos(lat2 * k) * std::sin(dLon / 2) * std::sin(dLon / 2);
  return 2 * 6371008.8 * std::asin(std::sqrt(a));
}

}  // namespace

int main() {
  const std::string dir = TempFolder();
  const std::vector<std::string> quill = {QUILL_CLI_PATH, "coord", "--rd", "-"};
  const std::vector<std::string> quillJson = {QUILL_CLI_PATH, "coord", "--json", "--rd", "-"};
  const std::vector<std::string> proj = {"cs2cs", "-f", "%.9f", "EPSG:28992", "EPSG:4326"};
  const bool haveProj = std::system("command -v cs2cs >/dev/null 2>&1") == 0;

  const std::string one = dir + "/rd1.txt";
  WriteRdLines(one, 1);
  const ProcessRun quillOne = BestOf(5, quill, one, dir + "/q1.out");
  std::printf("start-up, one line:      quillmark-cli %.4f s", quillOne.seconds);
  ProcessRun projOne;
  if (haveProj) {
    projOne = BestOf(5, proj, one, dir + "/p1.out");
    std::printf(", cs2cs %.4f s", projOne.seconds);
  }
  std::printf("\n");

  for (int n : {10000, 100000}) {
    const std::string in = dir + "/rd" + std::to_string(n) + ".txt";
    WriteRdLines(in, n);
    const ProcessRun text = BestOf(5, quill, in, dir + "/q.out");
    const ProcessRun json = BestOf(5, quillJson, in, dir + "/q.json");
    std::printf("%6d lines: quillmark-cli coord --rd -  %.3f s (ok=%d, %zu lines out, every notation)\n", n,
                text.seconds, text.ok, Lines(dir + "/q.out").size());
    std::printf("%6d lines: quillmark-cli coord --json  %.3f s (ok=%d)\n", n, json.seconds, json.ok);
    std::printf("%6d lines: per conversion, start-up left out: %.2f us\n", n,
                (text.seconds - quillOne.seconds) / n * 1e6);
    if (!haveProj) {
      std::printf("cs2cs not installed (proj-bin): no comparison\n");
      continue;
    }
    const ProcessRun peer = BestOf(5, proj, in, dir + "/p.out");
    std::printf("%6d lines: cs2cs EPSG:28992 EPSG:4326  %.3f s (ok=%d, WGS84 only)\n", n, peer.seconds, peer.ok);
    std::printf("%6d lines: ratio cs2cs / quillmark-cli: %.2fx\n", n, peer.seconds / text.seconds);

    // How far apart the answers lie: the RD formulas against PROJ's transformation.
    const std::vector<std::string> ours = Lines(dir + "/q.json");
    const std::vector<std::string> theirs = Lines(dir + "/p.out");
    double worst = 0.0, sum = 0.0;
    std::size_t compared = 0;
    for (std::size_t i = 0; i < ours.size() && i < theirs.size(); ++i) {
      double lat = 0, lon = 0;
      std::istringstream(theirs[i]) >> lat >> lon;
      const double d = Metres(JsonNumber(ours[i], "lat"), JsonNumber(ours[i], "lon"), lat, lon);
      if (!std::isfinite(d)) continue;
      worst = std::max(worst, d);
      sum += d;
      ++compared;
    }
    std::printf("%6d lines: quillmark-cli against cs2cs: mean %.3f m, worst %.3f m over %zu positions\n", n,
                compared ? sum / static_cast<double>(compared) : 0.0, worst, compared);
  }
  std::filesystem::remove_all(dir);
  return 0;
}
