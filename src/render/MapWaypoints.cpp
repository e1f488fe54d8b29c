// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/MapWaypoints.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "list/GroundspeakValues.h"
#include "list/ListColumns.h"

namespace quill {

MapPoint MapPointOf(const TGpxRecord& record, std::uint32_t row) {
  MapPoint p;
  p.lat = record.Lat;
  p.lon = record.Lon;
  p.row = row;
  const int code = static_cast<int>(record.TypeCode);
  p.type = code >= 0 && code < kTypeCodeCount ? static_cast<std::uint8_t>(code) : kUnknownMapType;
  const RowMarking marking = MarkingOf(record);
  if (marking.colour == RowColour::Red) {
    p.flags |= kMapPointArchived;
  } else if (marking.strikeOut) {
    p.flags |= kMapPointUnavailable;
  }
  if (record.Found) p.flags |= kMapPointFound;
  return p;
}

std::vector<MapPoint> MapPointsOf(std::span<const TGpxRecord* const> shown) {
  std::vector<MapPoint> points;
  points.reserve(shown.size());
  for (std::size_t i = 0; i < shown.size(); ++i) points.push_back(MapPointOf(*shown[i], static_cast<std::uint32_t>(i)));
  return points;
}

bool SameMapPoints(std::span<const MapPoint> a, std::span<const MapPoint> b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const MapPoint& p = a[i];
    const MapPoint& q = b[i];
    // Compared as bits: a NaN position is the same NaN again.
    if (std::bit_cast<std::uint64_t>(p.lat) != std::bit_cast<std::uint64_t>(q.lat) ||
        std::bit_cast<std::uint64_t>(p.lon) != std::bit_cast<std::uint64_t>(q.lon) || p.row != q.row ||
        p.type != q.type || p.flags != q.flags)
      return false;
  }
  return true;
}

MapView FitListView(const PointIndex& index, int width, int height) {
  constexpr int kFitMaxZoom = 16;
  constexpr int kMargin = 24;
  if (index.size() > 0) return FitView(index.Bounds(), width, height, kMargin, kFitMaxZoom);
  MapView world;
  world.width = width;
  world.height = height;
  world.centre = {0.0, 0.0};
  world.zoom = std::clamp(std::floor(std::log2(std::min(width, height) / double{kTileSize})), 0.0, 3.0);
  return world;
}

WaypointSummary SummaryOf(const TGpxRecord& record) {
  WaypointSummary s;
  s.name = PrintableText(record.Name);
  s.description = PrintableText(record.Desc);
  s.type = TypeName(static_cast<int>(record.TypeCode));
  if (!record.GroundspeakXml.empty()) {
    s.diffTerr = ColumnText(record, ValuesOfCache(record.GroundspeakXml), kColumnDifficulty, HomePosition{});
    if (s.diffTerr == "/") s.diffTerr.clear();
  }
  const RowMarking marking = MarkingOf(record);
  s.archived = marking.colour == RowColour::Red;
  s.unavailable = marking.strikeOut && !s.archived;
  return s;
}

}  // namespace quill
