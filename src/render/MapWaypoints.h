// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the map takes from the list's records, read through the list's own
// presentation (the row marking, the difficulty/terrain column) here and
// nowhere else: the window and the command line draw the same points.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "list/GpxRecord.h"
#include "map/PointIndex.h"

namespace quill {

// A type code the icons do not know.
inline constexpr std::uint8_t kUnknownMapType = 255;

// The point of one record in row `row`: its position, type and flags
// (archived as the list strikes it red, unavailable as it strikes it only).
MapPoint MapPointOf(const TGpxRecord& record, std::uint32_t row);
// The points of the shown records, row by row.
std::vector<MapPoint> MapPointsOf(std::span<const TGpxRecord* const> shown);
// Two point lists that draw alike and name the same rows.
bool SameMapPoints(std::span<const MapPoint> a, std::span<const MapPoint> b);

// The view of that size that shows every point of the index, up to zoom 16
// (a single waypoint among its streets), 24 pixels kept free around them; the
// whole world as large as it fits when there is none. "Fit list" in the
// window and the default view of the command line.
MapView FitListView(const PointIndex& index, int width, int height);

// What hovering over a waypoint tells, in memory text: its name, its
// description, its type, and difficulty/terrain when the cache data has them.
struct WaypointSummary {
  std::string name;
  std::string description;
  std::string type;
  std::string diffTerr;  // "2/3.5"; empty without the cache data
  bool archived = false;
  bool unavailable = false;
};
WaypointSummary SummaryOf(const TGpxRecord& record);

}  // namespace quill
