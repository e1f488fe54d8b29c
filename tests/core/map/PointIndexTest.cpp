// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <random>
#include <set>
#include <tuple>
#include <vector>

#include "map/PointIndex.h"

namespace quill {
namespace {

// Point sets of different shapes: spread over the world, packed into one
// town, on both sides of the antimeridian, and many on the very same spot;
// every set also carries points that are not on the earth.
std::vector<MapPoint> MakePoints(int shape, std::size_t count, std::mt19937_64& rng) {
  std::vector<MapPoint> points;
  std::uniform_real_distribution<double> u(0.0, 1.0);
  std::normal_distribution<double> near(0.0, 1.0);
  for (std::size_t i = 0; i < count; ++i) {
    MapPoint p;
    switch (shape) {
      case 0:
        p.lat = -89.0 + 178.0 * u(rng);
        p.lon = -180.0 + 360.0 * u(rng);
        break;
      case 1:
        p.lat = 52.09 + 0.05 * near(rng);
        p.lon = 5.12 + 0.08 * near(rng);
        break;
      case 2:
        p.lat = -17.0 + 2.0 * near(rng);
        p.lon = (u(rng) < 0.5 ? 180.0 : -180.0) - 1.5 * near(rng);
        p.lon = std::clamp(p.lon, -180.0, 180.0);
        break;
      default:
        p.lat = i % 3 == 0 ? 48.8584 : 48.8584 + 0.0001 * u(rng);
        p.lon = 2.2945;
        break;
    }
    p.row = static_cast<std::uint32_t>(i * 7 + 3);
    p.type = static_cast<std::uint8_t>(i % 20);
    p.flags = static_cast<std::uint8_t>(i % 8);
    points.push_back(p);
  }
  const double kNan = std::numeric_limits<double>::quiet_NaN();
  const double kInf = std::numeric_limits<double>::infinity();
  for (auto [lat, lon] : {std::pair{kNan, 5.0}, std::pair{5.0, kNan}, std::pair{kInf, 0.0}, std::pair{0.0, -kInf},
                          std::pair{91.0, 0.0}, std::pair{0.0, 1e308}, std::pair{-1e308, 0.0}}) {
    MapPoint p;
    p.lat = lat;
    p.lon = lon;
    p.row = 0xFFFFFFF0u;
    points.push_back(p);
  }
  return points;
}

MapView RandomView(const std::vector<MapPoint>& points, std::mt19937_64& rng) {
  std::uniform_real_distribution<double> u(0.0, 1.0);
  const MapPoint& anchor = points[static_cast<std::size_t>(u(rng) * static_cast<double>(points.size() - 8))];
  MapView v;
  v.zoom = std::min(static_cast<double>(kMaxZoom), std::floor(u(rng) * 20.0) + (u(rng) < 0.3 ? u(rng) : 0.0));
  v.width = u(rng) < 0.2 ? 1 + static_cast<int>(u(rng) * 50) : 1280;
  v.height = v.width == 1280 ? 900 : 1 + static_cast<int>(u(rng) * 50);
  // Near a point, so that deep views show some.
  v.centre = Panned(MapView{{anchor.lat, anchor.lon}, v.zoom, v.width, v.height}, (u(rng) - 0.5) * v.width,
                    (u(rng) - 0.5) * v.height)
                 .centre;
  return v;
}

using RowCopy = std::pair<std::uint32_t, long long>;  // a point in one copy of the world

struct Expected {
  std::map<RowCopy, std::pair<double, double>> points;  // -> view pixel
  std::set<RowCopy> uncertain;                          // within a hair of the margin: either way
  std::map<std::tuple<long long, long long, long long>, std::uint32_t> clusters;           // (cx, cy, copy) -> count
  std::map<std::tuple<long long, long long, long long>, std::pair<double, double>> means;  // view pixel
};

// What a view must show, by going through every point.
Expected PlainScan(const std::vector<MapPoint>& all, const MapView& v, const ClusterRule& rule) {
  Expected e;
  double world = WorldSize(v.zoom);
  WorldPixel c = v.CentreWorld();
  double left = c.x - v.width / 2.0, top = c.y - v.height / 2.0, m = rule.marginPixels;
  bool clustering = v.zoom < rule.noClustersFrom;
  int level = std::clamp(static_cast<int>(std::lround(v.zoom + std::log2(256.0 / rule.cellPixels))), 0, 30);
  double n = std::ldexp(1.0, level);
  long long firstCopy = static_cast<long long>(std::floor((left - m) / world));
  long long lastCopy = static_cast<long long>(std::floor((left + v.width + m) / world));
  // Cells the view meets, as the index names them.
  long long col0 = static_cast<long long>(std::floor((left - m) / world * n));
  long long col1 = static_cast<long long>(std::floor((left + v.width + m) / world * n));
  long long row0 = static_cast<long long>(std::floor((top - m) / world * n));
  long long row1 = static_cast<long long>(std::floor((top + v.height + m) / world * n));
  std::map<std::tuple<long long, long long, long long>, std::vector<std::pair<RowCopy, WorldPixel>>> cells;
  for (const MapPoint& p : all) {
    if (!IsOnEarth(p.lat, p.lon)) continue;
    WorldPixel unit = LatLonToUnit(p.lat, p.lon);
    for (long long copy = firstCopy; copy <= lastCopy; ++copy) {
      WorldPixel at{(unit.x + static_cast<double>(copy)) * world - left, unit.y * world - top};
      if (clustering) {
        long long col = static_cast<long long>(std::floor(unit.x * n)) + copy * static_cast<long long>(n);
        // Points beyond 85.05 S lie on the bottom edge, in the last row.
        long long row = std::min(static_cast<long long>(n) - 1, static_cast<long long>(std::floor(unit.y * n)));
        if (col < col0 || col > col1 || row < row0 || row > row1) continue;
        cells[{col, row, copy}].push_back({{p.row, copy}, at});
      } else {
        cells[{0, 0, copy}].push_back({{p.row, copy}, at});
      }
    }
  }
  for (auto& [cell, members] : cells) {
    if (clustering && members.size() >= rule.minCount) {
      e.clusters[cell] = static_cast<std::uint32_t>(members.size());
      double sx = 0, sy = 0;
      for (auto& member : members) sx += member.second.x, sy += member.second.y;
      e.means[cell] = {sx / static_cast<double>(members.size()), sy / static_cast<double>(members.size())};
      continue;
    }
    for (auto& [id, at] : members) {
      // The index places a point on a grid of 2^32 steps across the world.
      double inside = std::min({at.x + m, v.width + m - at.x, at.y + m, v.height + m - at.y});
      if (std::abs(inside) < 0.05)
        e.uncertain.insert(id);
      else if (inside > 0)
        e.points[id] = {at.x, at.y};
    }
  }
  return e;
}

TEST(MapPointIndex, ViewsAgreeWithAPlainScan) {
  std::mt19937_64 rng(20240530);
  for (int shape = 0; shape < 4; ++shape) {
    std::vector<MapPoint> all = MakePoints(shape, 3000, rng);
    PointIndex index(all);
    SCOPED_TRACE(shape);
    ASSERT_EQ(index.size(), 3000u);
    EXPECT_EQ(index.skipped(), 7u);
    GeoBox box;
    for (const MapPoint& p : all)
      if (IsOnEarth(p.lat, p.lon)) box.Add(p.lat, p.lon);
    EXPECT_EQ(index.Bounds().south, box.south);
    EXPECT_EQ(index.Bounds().east, box.east);
    ViewItems items;
    for (int round = 0; round < 60; ++round) {
      MapView v = RandomView(all, rng);
      ClusterRule rule;
      if (round % 3 == 0) rule.noClustersFrom = 0.0;  // every point by itself
      SCOPED_TRACE(::testing::Message() << "view " << v.centre.lat << "," << v.centre.lon << " z" << v.zoom << " "
                                        << v.width << "x" << v.height);
      index.Query(v, rule, &items);
      Expected e = PlainScan(all, v, rule);

      double world = WorldSize(v.zoom);
      WorldPixel c = v.CentreWorld();
      int level = std::clamp(static_cast<int>(std::lround(v.zoom + std::log2(256.0 / rule.cellPixels))), 0, 30);
      double n = std::ldexp(1.0, level);
      std::map<std::tuple<long long, long long, long long>, std::uint32_t> clusters;
      for (const ViewCluster& b : items.clusters) {
        // A bubble lies inside its cell, which names it.
        double ux = (b.x + c.x - v.width / 2.0) / world;
        double uy = (b.y + c.y - v.height / 2.0) / world;
        long long col = static_cast<long long>(std::floor(ux * n));
        long long copy = static_cast<long long>(std::floor(ux));
        auto key = std::tuple{col, static_cast<long long>(std::floor(uy * n)), copy};
        EXPECT_EQ(clusters.count(key), 0u) << "two bubbles in one cell";
        clusters[key] = b.count;
        // Within half a sub-cell (a quarter cell) of the middle of its points.
        if (auto mean = e.means.find(key); mean != e.means.end()) {
          double half = world / n / 8 + 1e-6;
          EXPECT_NEAR(b.x, mean->second.first, half);
          EXPECT_NEAR(b.y, mean->second.second, half);
        }
      }
      EXPECT_EQ(clusters, e.clusters);

      std::map<RowCopy, std::pair<double, double>> got;
      for (const ViewPoint& p : items.points) {
        RowCopy id{p.row, static_cast<long long>(std::floor((p.x + c.x - v.width / 2.0) / world))};
        EXPECT_EQ(p.type, ((p.row - 3) / 7) % 20);
        EXPECT_EQ(p.flags, ((p.row - 3) / 7) % 8);
        if (e.uncertain.count(id)) continue;
        EXPECT_TRUE(got.emplace(id, std::pair{p.x, p.y}).second) << "row " << p.row << " given twice";
        auto want = e.points.find(id);
        if (want == e.points.end()) {
          ADD_FAILURE() << "row " << p.row << " at " << p.x << "," << p.y << " is not in the view";
          continue;
        }
        EXPECT_NEAR(p.x, want->second.first, 0.05);
        EXPECT_NEAR(p.y, want->second.second, 0.05);
      }
      EXPECT_EQ(got.size(), e.points.size());

      // The nearest point to a pixel, against every point.
      std::uniform_real_distribution<double> u(0.0, 1.0);
      double px = u(rng) * v.width, py = u(rng) * v.height, radius = 2.0 + u(rng) * 40.0;
      double bestD2 = radius * radius;
      bool any = false;
      for (const MapPoint& p : all) {
        if (!IsOnEarth(p.lat, p.lon)) continue;
        WorldPixel at = v.ToView(p.lat, p.lon);
        for (int copy = -4; copy <= 4; ++copy) {
          double shift = copy * world;
          double d2 = (at.x + shift - px) * (at.x + shift - px) + (at.y - py) * (at.y - py);
          if (d2 <= bestD2) bestD2 = d2, any = true;
        }
      }
      std::optional<ViewPoint> hit = index.Nearest(v, px, py, radius);
      ASSERT_EQ(hit.has_value(), any);
      if (hit) {
        EXPECT_NEAR(std::hypot(hit->x - px, hit->y - py), std::sqrt(bestD2), 0.05);
      }
    }
  }
}

TEST(MapPointIndex, HoldsAtMost24BytesAPointAndShowsNothingForNoPointsOrNoView) {
  std::mt19937_64 rng(1);
  std::vector<MapPoint> all = MakePoints(0, 100000, rng);
  PointIndex index(all);
  EXPECT_EQ(index.size(), 100000u);
  EXPECT_LE(index.BytesUsed(), 24u * index.size());
  const double kNan = std::numeric_limits<double>::quiet_NaN();
  const MapView kNoViews[] = {{{0, 0}, kNan, 800, 600},   {{0, 0}, 40.0, 800, 600}, {{0, 0}, -1.0, 800, 600},
                              {{kNan, 0}, 5.0, 800, 600}, {{0, 0}, 5.0, 0, 600},    {{0, 0}, 5.0, 800, -3}};
  for (const MapView& v : kNoViews) {
    ViewItems seen;
    index.Query(v, ClusterRule{}, &seen);
    EXPECT_TRUE(seen.points.empty() && seen.clusters.empty());
    EXPECT_FALSE(index.Nearest(v, 10, 10, 50).has_value());
    EXPECT_TRUE(TilesInView(v).empty());
  }
  MapView world{{0, 0}, 0.0, 800, 600};
  EXPECT_FALSE(index.Nearest(world, kNan, 10, 50).has_value());

  PointIndex none;
  ViewItems items;
  items.points.resize(3);
  none.Query(MapView{}, ClusterRule{}, &items);
  EXPECT_TRUE(items.points.empty());
  EXPECT_FALSE(none.Nearest(MapView{}, 0, 0, 100).has_value());
  EXPECT_TRUE(none.Bounds().empty);
}

}  // namespace
}  // namespace quill
