// SPDX-License-Identifier: GPL-3.0-or-later
#include "list/ListColumns.h"

#include <array>

#include "geo/CoordFormat.h"
#include "geo/Datum.h"
#include "text/TextHelpers.h"
#include "text/XmlText.h"

namespace quill {
namespace {

constexpr std::array<std::string_view, kColumnModeCount> kCaptions = {
    "Description", "Comment",    "URL Name", "Timestamp", "Distance from Home", "Date Found", "'Placed By'",
    "Logs",        "Difficulty", "Country",  "State",
};

constexpr std::array<std::string_view, kColumnModeCount> kNames = {
    "description", "comment", "urlname",    "timestamp", "dist",  "datefound",
    "placedby",    "logs",    "difficulty", "country",   "state",
};

constexpr std::array<std::string_view, kListColumnCount> kInitialHeaders = {
    "Name", "Latitude (N)", "Longitude (E)", "Description", "TimeStamp",
};

// Printable form of the first n characters; a UTF-8 sequence is kept whole
// or left out whole.
std::string PrintableStart(std::string_view text, std::size_t n) { return ReplaceControlChars(text, n, ' '); }

}  // namespace

std::string_view ColumnModeCaption(int mode) {
  return mode >= 0 && mode < kColumnModeCount ? kCaptions[static_cast<std::size_t>(mode)] : std::string_view();
}

std::string_view ColumnModeName(int mode) {
  return mode >= 0 && mode < kColumnModeCount ? kNames[static_cast<std::size_t>(mode)] : std::string_view();
}

int ColumnModeFromName(std::string_view name) {
  for (int i = 0; i < kColumnModeCount; ++i) {
    if (kNames[static_cast<std::size_t>(i)] == name) return i;
  }
  return -1;
}

std::string_view InitialColumnHeader(int column) {
  return column >= 0 && column < kListColumnCount ? kInitialHeaders[static_cast<std::size_t>(column)]
                                                  : std::string_view();
}

std::string PrintableText(std::string_view text) { return ReplaceControlChars(text, 0, ' '); }

std::string CoordinateColumnText(double degrees) { return FormatDegMinSigned(degrees, false); }

double DistanceFromHome(const TGpxRecord& record, const HomePosition& home) {
  return DistanceAndBearing(home.lat, home.lon, record.Lat, record.Lon).distance;
}

std::string DistanceColumnText(const TGpxRecord& record, const HomePosition& home) {
  return FormatFixed(RoundTo(DistanceFromHome(record, home) * 0.001, 1), 1);
}

std::string ColumnText(const TGpxRecord& record, const GroundspeakValues& values, int mode, const HomePosition& home) {
  switch (mode) {
    case kColumnDescription:
      return PrintableText(record.Desc);
    case kColumnComment:
      return PrintableText(record.Cmt);
    case kColumnUrlName:
      return PrintableText(record.UrlName);
    case kColumnTimestamp:
      return PrintableStart(record.Time, 10);
    case kColumnDistance:
      return DistanceColumnText(record, home);
    case kColumnDateFound:
      return PrintableStart(values.dateFound, 10);
    case kColumnPlacedBy:
      return values.placedByText;
    case kColumnLogs:
      return values.logSummary;
    case kColumnDifficulty:
      return values.diffTerr;
    case kColumnCountry:
      return values.country;
    case kColumnState:
      return values.state;
    default:
      return {};
  }
}

RowMarking MarkingOf(const TGpxRecord& record) {
  RowMarking m;
  if (!record.Url.empty() && !record.Desc.empty()) m.colour = RowColour::Blue;
  if (record.GroundspeakXml.empty()) return m;
  if (AttributeValue(record.GroundspeakXml, "groundspeak:cache", "archived") == "True") {
    m.colour = RowColour::Red;
    m.strikeOut = true;
  } else if (AttributeValue(record.GroundspeakXml, "groundspeak:cache", "available") == "False") {
    m.strikeOut = true;
  }
  return m;
}

}  // namespace quill
