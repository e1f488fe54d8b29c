// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The spatial index of the points a map shows, built once per shown list.
//
// Each point's Mercator position is held as two 32-bit grid numbers and the
// points are sorted by the Z-order (bit-interleaved) key of the pair, so the
// cell of a 2^l x 2^l grid at any level l is one contiguous run of the array,
// found by two binary searches. A view visits the cells it covers, never the
// whole list; a cluster's count is the length of its cell's run.
//
// The index knows nothing of waypoint records: the caller hands it a neutral
// array of positions with its own row number, a type code and flags.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "map/MapView.h"

namespace quill {

enum MapPointFlag : std::uint8_t {
  kMapPointArchived = 1,     // drawn struck red
  kMapPointUnavailable = 2,  // drawn struck, colour kept
  kMapPointFound = 4,
};

struct MapPoint {
  double lat = 0.0;
  double lon = 0.0;
  std::uint32_t row = 0;   // the caller's number for it (row, record index)
  std::uint8_t type = 0;   // the caller's type code, for the icon
  std::uint8_t flags = 0;  // MapPointFlag bits
};

// A point where a view draws it (view pixels).
struct ViewPoint {
  double x = 0.0;
  double y = 0.0;
  std::uint32_t row = 0;
  std::uint8_t type = 0;
  std::uint8_t flags = 0;
};

// A bubble standing for count points of one cell; at their weighted middle.
struct ViewCluster {
  double x = 0.0;
  double y = 0.0;
  std::uint32_t count = 0;
};

struct ViewItems {
  std::vector<ViewPoint> points;
  std::vector<ViewCluster> clusters;
};

struct ClusterRule {
  double cellPixels = 64.0;      // side of a cell on screen, as a power-of-two part of a tile
  std::uint32_t minCount = 6;    // a cell with fewer points shows them one by one
  double noClustersFrom = 16.0;  // from this zoom on every point is drawn by itself
  double marginPixels = 16.0;    // points this far outside the view are still given (half a marker)
};

class PointIndex {
 public:
  PointIndex() = default;
  // Points without a position on the earth (NaN, infinite, beyond +-90/180)
  // are left out and counted in skipped().
  explicit PointIndex(std::span<const MapPoint> points);

  std::size_t size() const { return keys_.size(); }
  std::size_t skipped() const { return skipped_; }
  // Bytes the index holds (its arrays' capacity).
  std::size_t BytesUsed() const;
  // The box of the points kept; empty when there are none.
  const GeoBox& Bounds() const { return bounds_; }

  // The points and bubbles of a view, replacing what items held. Points come
  // in the index's order (later ones drawn on top); a view wider than the
  // world gives a point once per copy of the world it shows.
  void Query(const MapView& view, const ClusterRule& rule, ViewItems* items) const;

  // The point whose view pixel is nearest (x, y) and at most radius away.
  std::optional<ViewPoint> Nearest(const MapView& view, double x, double y, double radius) const;

 private:
  struct Run {
    std::size_t begin;
    std::size_t end;
  };
  Run CellRun(int level, std::uint32_t cx, std::uint32_t cy, Run within) const;
  // Where point i lands in a view (Frame: the view worked out once).
  template <typename FrameT>
  ViewPoint Place(const FrameT& frame, std::size_t i, long long copy) const;

  std::vector<std::uint64_t> keys_;  // sorted Z-order keys
  std::vector<std::uint32_t> rows_;
  std::vector<std::uint8_t> types_;
  std::vector<std::uint8_t> flags_;
  std::size_t skipped_ = 0;
  GeoBox bounds_;
};

}  // namespace quill
