// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// LOC: the small XML waypoint format of the geocache listing services.
#include <string>
#include <string_view>

#include "formats/ElementScanner.h"
#include "formats/FormatTypes.h"

namespace quill {

// Adds every waypoint element of a LOC file. False, with the reason in
// result->error, when the file could not be opened or ends inside a waypoint.
bool ReadLocFile(const std::string& path, WaypointStore& store, const ReadOptions& options, ReadResult* result);
// Writes the records, in the order given, as a LOC file; false (old file kept)
// when it could not be written whole.
bool WriteLocFile(const std::string& path, RecordSpan records, const WriteOptions& options);

class LocScanner : public ElementScanner {
 public:
  template <typename F>
  explicit LocScanner(F&& onElement) : ElementScanner("<waypoint", "</waypoint", std::forward<F>(onElement)) {}
};

// Picks the values out of one waypoint element and adds it to the store.
void AddLocElement(std::string_view element, WaypointStore& store, bool skipSearch);

// One waypoint element as written (LF line ends, no line end after the
// closing tag).
void AppendLocWaypoint(std::string& out, const TGpxRecord& record);

}  // namespace quill
