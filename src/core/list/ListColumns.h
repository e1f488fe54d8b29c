// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of the waypoint list's columns, the display caches behind the
// Logs, Difficulty, Country and State columns, and the marking of a row.
// Everything here is memory text (see text/Ansi.h).
#include <span>
#include <string>
#include <string_view>

#include "base/ByteSearch.h"
#include "list/GpxRecord.h"
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

// The letter of one log type ("Found it" is "+"); "." for any other type.
char LogLetter(std::string_view logType);
// One letter per log of the cache element, in file order.
std::string LogSummaryOf(std::string_view groundspeakXml);
// The same from the content of the groundspeak:logs element.
std::string LogSummaryOfLogs(std::string_view logs);
// Difficulty "/" terrain, decoded; "/" without the elements.
std::string DiffTerrOf(std::string_view groundspeakXml);
std::string CountryOf(std::string_view groundspeakXml);
std::string StateOf(std::string_view groundspeakXml);

// Sets the display cache a mode writes (Logs, Difficulty, Country, State)
// from the record's Groundspeak data; other modes change nothing.
void RefreshDisplayCache(const TGpxRecord& record, int mode);

// For loops that visit records in list order, which lie far apart in memory:
// asks for what sorting and filtering read of the record a few places after i.
inline void PrefetchAhead(std::span<const TGpxRecord* const> records, std::size_t i) {
  if (i + kPrefetchAhead >= records.size()) return;
  Prefetch(records[i + kPrefetchAhead]);
  Prefetch(&records[i + kPrefetchAhead]->Values);
}

// Metres from the home position to the record (0 where the computation fails).
double DistanceFromHome(const TGpxRecord& record, const HomePosition& home);
// Kilometres with one decimal, as the distance column shows them.
std::string DistanceColumnText(const TGpxRecord& record, const HomePosition& home);

// Column text of a mode; modes 7..10 store their text into the display cache
// as they go. An unknown mode gives the empty text.
std::string ColumnText(const TGpxRecord& record, int mode, const HomePosition& home);

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
