// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "formats/ElementScanner.h"
#include "formats/FormatTypes.h"

namespace quill {

// Adds the waypoints of a GPX file to the store, in file order. True when the
// file was read to its end; false, with the reason in result->error, when it
// could not be opened or its last waypoint is cut off (those before it stay).
bool ReadGpxFile(const std::string& path, WaypointStore& store, const ReadOptions& options, ReadResult* result);

// The scanner on its own, for text already in memory and for the fuzz target:
// every complete wpt element is handed to onElement.
class GpxScanner : public ElementScanner {
 public:
  template <typename F>
  explicit GpxScanner(F&& onElement) : ElementScanner("<wpt", "</wpt", std::forward<F>(onElement)) {}
};

// Picks the values out of one wpt element and adds it to the store. True when
// the element had a Groundspeak element that was left out.
bool AddGpxElement(std::string_view element, WaypointStore& store, bool includeGroundspeak, bool skipSearch);

}  // namespace quill
