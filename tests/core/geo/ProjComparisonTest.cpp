// SPDX-License-Identifier: GPL-3.0-or-later
// The grid and ECEF conversions against PROJ (cs2cs) over grids of points
// across each system's area, both directions. Each quantity has its own
// tolerance, the largest difference we accept from PROJ's rigorous
// transformation: RD (published polynomials) and Lambert72 (three-parameter
// datum shift where PROJ uses seven) are approximations by design, worst at
// the corners of their windows; our UTM series loses a few centimetres towards
// a zone's edges; ECEF is exact. Our RD and Lambert72 results are whole
// metres, so those comparisons also carry up to 0.71 m of rounding.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "geo/Datum.h"
#include "geo/GridProjection.h"
#include "support/TestSupport.h"

namespace quill {
namespace {

using Row = std::vector<double>;

// Runs rows through cs2cs from source to target; empty when it fails.
std::vector<Row> Cs2cs(const std::string& source, const std::string& target, const std::vector<Row>& rows) {
  test::TempDir dir;
  std::ostringstream text;
  text.precision(12);
  for (const Row& r : rows) {
    for (double v : r) text << v << ' ';
    text << '\n';
  }
  test::WriteFileBytes(dir.File("in.txt"), text.str());
  std::string output;
  if (test::RunCommand("cs2cs -f %.10f " + source + " " + target + " < " + test::ShellQuote(dir.File("in.txt")),
                       &output) != 0)
    return {};
  std::vector<Row> out;
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    Row r;
    double v;
    while (fields >> v) r.push_back(v);
    out.push_back(r);
  }
  return out;
}

double GroundDistance(double lat1, double lon1, double lat2, double lon2) {
  constexpr double kMetresPerDegree = 111320.0;
  double dn = (lat1 - lat2) * kMetresPerDegree;
  double de = (lon1 - lon2) * kMetresPerDegree * std::cos(lat1 * kDegToRad);
  return std::hypot(dn, de);
}

std::vector<Row> Grid(double x0, double x1, double dx, double y0, double y1, double dy,
                      std::vector<double> extra = {}) {
  std::vector<Row> rows;
  for (double x = x0; x <= x1 + 1e-9; x += dx)
    for (double y = y0; y <= y1 + 1e-9; y += dy) {
      Row r{x, y};
      r.insert(r.end(), extra.begin(), extra.end());
      rows.push_back(r);
    }
  return rows;
}

struct Comparison {
  std::string name;
  std::string source;  // PROJ's source and target systems
  std::string target;
  std::vector<Row> points;  // in the source system, as cs2cs reads them
  // Our result for one point against PROJ's: the difference in metres.
  std::function<double(const Row& in, const Row& proj)> difference;
  double tolerance;  // metres
};

std::vector<Comparison> Comparisons() {
  std::vector<Comparison> all;
  auto gridToWgs = [](LatLon (*ours)(int, int)) {
    return [ours](const Row& in, const Row& p) {
      LatLon q = ours(static_cast<int>(in[0]), static_cast<int>(in[1]));
      return GroundDistance(q.lat, q.lon, p[0], p[1]);
    };
  };
  auto wgsToGrid = [](GridPoint (*ours)(double, double)) {
    return [ours](const Row& in, const Row& p) {
      GridPoint g = ours(in[0], in[1]);
      return std::hypot(g.x - p[0], g.y - p[1]);
    };
  };
  // RD: the whole range window, and positions across the Netherlands.
  all.push_back({"RD to WGS84", "EPSG:28992", "EPSG:4326", Grid(-7000, 300000, 15350, 289000, 629000, 17000),
                 gridToWgs(&RdToWgs84), 0.5});
  all.push_back(
      {"WGS84 to RD", "EPSG:4326", "EPSG:28992", Grid(50.75, 53.5, 0.25, 3.4, 7.2, 0.3), wgsToGrid(&Wgs84ToRd), 1.2});
  // Lambert72: the range window, and positions across Belgium.
  all.push_back({"Lambert72 to WGS84", "EPSG:31370", "EPSG:4326", Grid(1000, 310000, 15450, 1000, 260000, 12950),
                 gridToWgs(&Lambert72ToWgs84), 2.5});
  all.push_back({"WGS84 to Lambert72", "EPSG:4326", "EPSG:31370", Grid(49.5, 51.5, 0.2, 2.55, 6.4, 0.35),
                 wgsToGrid(&Wgs84ToLambert72), 3.0});
  // UTM: zones in both hemispheres, across each zone's width, up to the band limits.
  struct Zone {
    int zone;
    char band;
    double lat0, lat1;
  };
  for (Zone z :
       {Zone{31, 'U', 0.5, 83.5}, Zone{32, 'N', 0.5, 83.5}, Zone{56, 'H', -79.5, -0.5}, Zone{19, 'C', -79.5, -0.5}}) {
    const bool south = z.band <= 'M';
    const std::string epsg = "EPSG:" + std::to_string(south ? 32700 + z.zone : 32600 + z.zone);
    const double cm = 6.0 * z.zone - 183.0;
    const std::string name = "UTM " + std::to_string(z.zone) + z.band;
    const std::vector<Row> latlons = Grid(z.lat0, z.lat1, 6.0, cm - 2.9, cm + 2.9, 0.725);
    // Whole-metre grid values of the same places, as users type them.
    std::vector<Row> grid = Cs2cs("EPSG:4326", epsg, latlons);
    for (Row& r : grid) r = {std::round(r[0]), std::round(r[1])};
    all.push_back({name + " to WGS84", epsg, "EPSG:4326", grid,
                   [z](const Row& in, const Row& p) {
                     LatLon q = UtmToWgs84(z.zone, z.band, in[0], in[1]);
                     return GroundDistance(q.lat, q.lon, p[0], p[1]);
                   },
                   0.25});
    // Our easting and northing carry the half metre that makes FormatUtm round.
    all.push_back({"WGS84 to " + name, "EPSG:4326", epsg, latlons,
                   [](const Row& in, const Row& p) {
                     UtmCoord u = Wgs84ToUtm(in[0], in[1]);
                     return std::hypot(u.easting - 0.5 - p[0], u.northing - 0.5 - p[1]);
                   },
                   0.05});
  }
  // ECEF: positions worldwide at several heights.
  all.push_back({"ECEF to WGS84 (position)", "EPSG:4978", "EPSG:4979",
                 Cs2cs("EPSG:4979", "EPSG:4978", Grid(-85, 85, 17, -175, 175, 35, {2500})),
                 [](const Row& in, const Row& p) {
                   GeoPosition g = EcefToWgs84(in[0], in[1], in[2]);
                   return GroundDistance(g.lat, g.lon, p[0], p[1]);
                 },
                 0.001});
  all.push_back({"ECEF to WGS84 (height)", "EPSG:4978", "EPSG:4979",
                 Cs2cs("EPSG:4979", "EPSG:4978", Grid(-85, 85, 17, -175, 175, 35, {-50})),
                 [](const Row& in, const Row& p) { return std::fabs(EcefToWgs84(in[0], in[1], in[2]).h - p[2]); },
                 0.001});
  all.push_back({"WGS84 to ECEF", "EPSG:4979", "EPSG:4978", Grid(-85, 85, 17, -175, 175, 35, {44}),
                 [](const Row& in, const Row& p) {
                   EcefPoint e = Wgs84ToEcef(in[0], in[1], in[2]);
                   return std::sqrt((e.x - p[0]) * (e.x - p[0]) + (e.y - p[1]) * (e.y - p[1]) +
                                    (e.z - p[2]) * (e.z - p[2]));
                 },
                 0.001});
  return all;
}

TEST(ProjComparison, EveryConversionWithinItsTolerance) {
  QUILL_SKIP_WITHOUT_TOOL("cs2cs");
  for (const Comparison& c : Comparisons()) {
    SCOPED_TRACE(c.name);
    ASSERT_GE(c.points.size(), 20u);
    std::vector<Row> proj = Cs2cs(c.source, c.target, c.points);
    ASSERT_EQ(proj.size(), c.points.size());
    double worst = 0, sum = 0;
    std::size_t worstAt = 0;
    for (std::size_t i = 0; i < proj.size(); ++i) {
      ASSERT_GE(proj[i].size(), 2u);
      double d = c.difference(c.points[i], proj[i]);
      sum += d;
      if (!(d <= worst)) worst = d, worstAt = i;
    }
    std::ostringstream where;
    for (double v : c.points[worstAt]) where << v << ' ';
    std::printf("%-28s n=%4zu  max %9.4f m  mean %8.4f m  (tolerance %g m)\n", c.name.c_str(), proj.size(), worst,
                sum / static_cast<double>(proj.size()), c.tolerance);
    EXPECT_LE(worst, c.tolerance) << "worst at " << where.str();
  }
}

}  // namespace
}  // namespace quill
