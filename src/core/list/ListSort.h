// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sixteen orders of the waypoint list. Every order is ascending and ends
// with the record names as the tie-break; text keys compare by the locale's
// case-sensitive collation. Keys are computed once per sort.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "list/GpxRecord.h"
#include "list/ListViewState.h"
#include "list/WaypointStore.h"
#include "text/LocaleText.h"

namespace quill {

enum class SortOrder : int {
  Name,
  GCName,
  Date,
  Dist,
  North,
  East,
  Type,
  Hidden,
  DateFound,
  Desc,
  Cmt,
  UrlName,
  Logs,
  Country,
  State,
  Diffic,
};
inline constexpr int kSortOrderCount = 16;

// The caption of the order's command.
std::string_view SortOrderCaption(SortOrder order);
// The order's name on the command line ("name", "gcname", ...), and back.
std::string_view SortOrderName(SortOrder order);
std::optional<SortOrder> SortOrderFromName(std::string_view name);
// The window's action of the order ("ActionSortGCName").
std::string_view SortOrderActionName(SortOrder order);
// Every command-line name, in the orders' sequence, joined by separator.
std::string SortOrderNames(std::string_view separator);

// The entries of the list popup's "Sort" submenu, in their order; not every
// order has one.
struct SortMenuEntry {
  SortOrder order;
  std::string_view item;     // the entry's name ("MenuSortOnGCname")
  std::string_view caption;  // "Sort by Timestamp" for Date, else the order's
};
std::vector<SortMenuEntry> SortMenuEntries();
// The order a click on the header of a column showing this mode sorts by;
// Name for a mode out of range.
SortOrder SortOrderForColumnMode(int mode);

// Sorts records of the store in place. Records equal in key and name keep
// their relative order, so repeating a sort changes nothing.
void SortWaypoints(std::vector<const TGpxRecord*>& records, const WaypointStore& store, SortOrder order,
                   const LocaleText& text, const HomePosition& home);

}  // namespace quill
