// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Renaming every shown waypoint from a pattern: "%n" is the name, "%d" the
// description, "%u" the link text.
#include <functional>
#include <string>
#include <string_view>

#include "list/GpxRecord.h"
#include "list/WaypointStore.h"

namespace quill {

inline constexpr std::string_view kRenamePattern = "%n - %u";
inline constexpr std::string_view kRenameLegend = "%n = name   %d = description   %u = url description";

// The first "%n" becomes the name; then, in that result, the first "%d" the
// description; then the first "%u" the link text. Text brought in by one
// replacement can be replaced by a later one.
std::string RenamedName(std::string_view pattern, const TGpxRecord& record);

// Renames every shown record in display order. confirm sees the first new
// name before anything changes; false from it leaves every name as it was.
// Returns whether the names were changed.
bool RenameShownWaypoints(WaypointStore& store, std::string_view pattern,
                          const std::function<bool(const std::string& firstName)>& confirm);

}  // namespace quill
