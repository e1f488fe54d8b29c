// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of the waypoint list's columns and the marking of a row.
// Everything here is memory text (see text/Ansi.h).
#include <string>
#include <string_view>

#include "list/GpxRecord.h"
#include "list/GroundspeakValues.h"
#include "list/ListViewState.h"

namespace quill {

// What the 4th and 5th columns show.
enum ColumnMode : int {
  kColumnDescription = 0,
  kColumnComment = 1,
  kColumnUrlName = 2,
  kColumnTimestamp = 3,
  kColumnDistance = 4,
  kColumnDateFound = 5,
  kColumnPlacedBy = 6,
  kColumnLogs = 7,
  kColumnDifficulty = 8,
  kColumnCountry = 9,
  kColumnState = 10,
};
inline constexpr int kColumnModeCount = 11;
inline constexpr int kListColumnCount = 5;

// Menu caption of a mode, also the column header after the mode is chosen;
// empty for a mode outside 0..10.
std::string_view ColumnModeCaption(int mode);
// The mode's name on the command line ("description" .. "state"), and back
// (-1 when unknown).
std::string_view ColumnModeName(int mode);
int ColumnModeFromName(std::string_view name);
// Header of column 0..4 when the window opens.
std::string_view InitialColumnHeader(int column);

// Control characters and soft hyphens as blanks, at most 399 characters.
std::string PrintableText(std::string_view text);

// The latitude and longitude columns: degrees and minutes, signed.
std::string CoordinateColumnText(double degrees);

// Metres from the home position to the record (0 where the computation fails).
double DistanceFromHome(const TGpxRecord& record, const HomePosition& home);
// Kilometres with one decimal, as the distance column shows them.
std::string DistanceColumnText(const TGpxRecord& record, const HomePosition& home);

// Column text of a mode for a record with the values the list keeps of it.
// An unknown mode gives the empty text.
std::string ColumnText(const TGpxRecord& record, const GroundspeakValues& values, int mode, const HomePosition& home);

// How a row is drawn: blue when it has a link and a description; red and
// struck out when the cache is archived; struck out (colour kept) when it is
// unavailable.
enum class RowColour { Default, Blue, Red };
struct RowMarking {
  RowColour colour = RowColour::Default;
  bool strikeOut = false;
};
RowMarking MarkingOf(const TGpxRecord& record);

}  // namespace quill
