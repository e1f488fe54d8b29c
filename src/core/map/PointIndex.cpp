// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/PointIndex.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace quill {
namespace {

constexpr int kGridBits = 32;
constexpr double kGridSize = 4294967296.0;  // 2^32 grid numbers across the world

std::uint64_t Spread(std::uint64_t v) {
  v &= 0xFFFFFFFFu;
  v = (v | (v << 16)) & 0x0000FFFF0000FFFFull;
  v = (v | (v << 8)) & 0x00FF00FF00FF00FFull;
  v = (v | (v << 4)) & 0x0F0F0F0F0F0F0F0Full;
  v = (v | (v << 2)) & 0x3333333333333333ull;
  v = (v | (v << 1)) & 0x5555555555555555ull;
  return v;
}

std::uint32_t Compact(std::uint64_t v) {
  v &= 0x5555555555555555ull;
  v = (v | (v >> 1)) & 0x3333333333333333ull;
  v = (v | (v >> 2)) & 0x0F0F0F0F0F0F0F0Full;
  v = (v | (v >> 4)) & 0x00FF00FF00FF00FFull;
  v = (v | (v >> 8)) & 0x0000FFFF0000FFFFull;
  v = (v | (v >> 16)) & 0x00000000FFFFFFFFull;
  return static_cast<std::uint32_t>(v);
}

std::uint64_t KeyOf(std::uint64_t gx, std::uint64_t gy) { return Spread(gx) | (Spread(gy) << 1); }

std::uint32_t ToGrid(double unit) {
  double g = std::floor(unit * kGridSize);
  if (!(g > 0.0)) return 0;
  if (g >= kGridSize - 1.0) return 0xFFFFFFFFu;
  return static_cast<std::uint32_t>(g);
}

// The view in world pixels, worked out once per query.
struct Frame {
  double world;  // world size in pixels
  double left;   // world pixel at view x 0 (not wrapped)
  double top;
  explicit Frame(const MapView& view) : world(WorldSize(view.zoom)) {
    WorldPixel c = view.CentreWorld();
    left = c.x - view.width / 2.0;
    top = c.y - view.height / 2.0;
  }
  double X(double unitX, long long copy) const { return (unitX + static_cast<double>(copy)) * world - left; }
  double Y(double unitY) const { return unitY * world - top; }
};

// Calls f(cx, cy, copy) for every cell of level that meets the unit
// rectangle [x0, x1] x [y0, y1]; x may run past the world, the cell is then
// named within it and copy says which repetition of the world it is in.
template <typename F>
void ForEachCell(int level, double x0, double y0, double x1, double y1, F&& f) {
  double n = std::ldexp(1.0, level);
  long long count = static_cast<long long>(n);
  long long row0 = std::max(0LL, static_cast<long long>(std::floor(y0 * n)));
  long long row1 = std::min(count - 1, static_cast<long long>(std::floor(y1 * n)));
  long long col0 = static_cast<long long>(std::floor(x0 * n));
  long long col1 = static_cast<long long>(std::floor(x1 * n));
  for (long long row = row0; row <= row1; ++row) {
    for (long long col = col0; col <= col1; ++col) {
      long long cx = ((col % count) + count) % count;
      long long copy = (col - cx) / count;
      f(static_cast<std::uint32_t>(cx), static_cast<std::uint32_t>(row), copy);
    }
  }
}

}  // namespace

PointIndex::PointIndex(std::span<const MapPoint> points) {
  std::vector<std::pair<std::uint64_t, std::size_t>> order;
  order.reserve(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    const MapPoint& p = points[i];
    if (!IsOnEarth(p.lat, p.lon)) {
      ++skipped_;
      continue;
    }
    WorldPixel u = LatLonToUnit(p.lat, p.lon);
    order.emplace_back(KeyOf(ToGrid(u.x), ToGrid(u.y)), i);
    bounds_.Add(std::clamp(p.lat, -90.0, 90.0), WrapLongitude(p.lon));
  }
  std::sort(order.begin(), order.end());
  keys_.resize(order.size());
  rows_.resize(order.size());
  types_.resize(order.size());
  flags_.resize(order.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    const MapPoint& p = points[order[i].second];
    keys_[i] = order[i].first;
    rows_[i] = p.row;
    types_[i] = p.type;
    flags_[i] = p.flags;
  }
}

std::size_t PointIndex::BytesUsed() const {
  return keys_.capacity() * sizeof(std::uint64_t) + rows_.capacity() * sizeof(std::uint32_t) + types_.capacity() +
         flags_.capacity();
}

PointIndex::Run PointIndex::CellRun(int level, std::uint32_t cx, std::uint32_t cy, Run within) const {
  if (level == 0) return within;
  int shift = 2 * (kGridBits - level);
  std::uint64_t first = KeyOf(cx, cy) << shift;
  auto begin = keys_.begin() + static_cast<std::ptrdiff_t>(within.begin);
  auto end = keys_.begin() + static_cast<std::ptrdiff_t>(within.end);
  auto lo = std::lower_bound(begin, end, first);
  std::uint64_t last = first + ((std::uint64_t{1} << shift) - 1);
  auto hi = std::upper_bound(lo, end, last);
  return {static_cast<std::size_t>(lo - keys_.begin()), static_cast<std::size_t>(hi - keys_.begin())};
}

template <typename FrameT>
ViewPoint PointIndex::Place(const FrameT& frame, std::size_t i, long long copy) const {
  std::uint64_t key = keys_[i];
  double ux = (Compact(key) + 0.5) / kGridSize;
  double uy = (Compact(key >> 1) + 0.5) / kGridSize;
  return {frame.X(ux, copy), frame.Y(uy), rows_[i], types_[i], flags_[i]};
}

void PointIndex::Query(const MapView& view, const ClusterRule& rule, ViewItems* items) const {
  items->points.clear();
  items->clusters.clear();
  if (keys_.empty() || !view.Valid()) return;
  Frame frame(view);
  double m = std::max(0.0, rule.marginPixels);
  double x0 = (frame.left - m) / frame.world;
  double x1 = (frame.left + view.width + m) / frame.world;
  double y0 = (frame.top - m) / frame.world;
  double y1 = (frame.top + view.height + m) / frame.world;
  bool clustering = view.zoom < rule.noClustersFrom && rule.minCount >= 2;
  // Cells of about cellPixels when clustering (two levels of sub-cells below
  // them place the bubble), else of about a tile: few cells, few searches.
  double cell = clustering ? std::max(8.0, rule.cellPixels) : static_cast<double>(kTileSize);
  int level = static_cast<int>(std::lround(view.zoom + std::log2(kTileSize / cell)));
  level = std::clamp(level, 0, clustering ? kGridBits - 2 : kGridBits);
  Run all{0, keys_.size()};
  ForEachCell(level, x0, y0, x1, y1, [&](std::uint32_t cx, std::uint32_t cy, long long copy) {
    Run run = CellRun(level, cx, cy, all);
    std::size_t count = run.end - run.begin;
    if (count == 0) return;
    if (clustering && count >= rule.minCount) {
      // The middle of the 4 x 4 sub-cells weighted by their counts: inside
      // the cell, near where its points are, without visiting them.
      double sx = 0.0, sy = 0.0;
      Run rest = run;
      for (std::uint32_t j = 0; j < 16; ++j) {
        // Z order within the cell: sub-cells come in key order, so each
        // search starts where the previous one ended.
        std::uint32_t subX = (cx << 2) | Compact(j);
        std::uint32_t subY = (cy << 2) | Compact(j >> 1);
        Run part = CellRun(level + 2, subX, subY, rest);
        rest.begin = part.end;
        double k = static_cast<double>(part.end - part.begin);
        sx += k * (subX + 0.5);
        sy += k * (subY + 0.5);
      }
      double n4 = std::ldexp(1.0, level + 2);
      double total = static_cast<double>(count);
      items->clusters.push_back({frame.X(sx / total / n4, copy), frame.Y(sy / total / n4),
                                 static_cast<std::uint32_t>(std::min<std::size_t>(count, 0xFFFFFFFFu))});
      return;
    }
    for (std::size_t i = run.begin; i < run.end; ++i) {
      ViewPoint p = Place(frame, i, copy);
      if (p.x >= -m && p.x <= view.width + m && p.y >= -m && p.y <= view.height + m) items->points.push_back(p);
    }
  });
}

std::optional<ViewPoint> PointIndex::Nearest(const MapView& view, double x, double y, double radius) const {
  if (keys_.empty() || !view.Valid() || !(radius >= 0.0) || !std::isfinite(x) || !std::isfinite(y)) return std::nullopt;
  Frame frame(view);
  double x0 = (frame.left + x - radius) / frame.world;
  double x1 = (frame.left + x + radius) / frame.world;
  double y0 = (frame.top + y - radius) / frame.world;
  double y1 = (frame.top + y + radius) / frame.world;
  // Cells at least as wide as the search square: at most 2 x 2 of them.
  int level = static_cast<int>(std::floor(std::log2(frame.world / std::max(2.0 * radius, 1e-9))));
  level = std::clamp(level, 0, kGridBits);
  std::optional<ViewPoint> best;
  double bestD2 = radius * radius;
  Run all{0, keys_.size()};
  ForEachCell(level, x0, y0, x1, y1, [&](std::uint32_t cx, std::uint32_t cy, long long copy) {
    Run run = CellRun(level, cx, cy, all);
    for (std::size_t i = run.begin; i < run.end; ++i) {
      ViewPoint p = Place(frame, i, copy);
      double d2 = (p.x - x) * (p.x - x) + (p.y - y) * (p.y - y);
      if (d2 <= bestD2) {
        bestD2 = d2;
        best = p;
      }
    }
  });
  return best;
}

}  // namespace quill
