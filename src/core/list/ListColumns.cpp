// SPDX-License-Identifier: GPL-3.0-or-later
#include "list/ListColumns.h"

#include <array>

#include "base/ByteSearch.h"
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

struct LogType {
  std::string_view type;
  char letter;
};

constexpr std::array<LogType, 14> kLogLetters = {{
    {"Found it", '+'},
    {"Didn't find it", '-'},
    {"Enable Listing", 'e'},
    {"Needs Archived", '~'},
    {"Needs Maintenance", '='},
    {"Owner Maintenance", 'm'},
    {"Post Reviewer Note", 'r'},
    {"Publish Listing", 'p'},
    {"Temporarily Disable Listing", 'd'},
    {"Unarchive", 'u'},
    {"Update Coordinates", 'c'},
    {"Attended", 'a'},
    {"Will Attend", 'w'},
    {"Write note", 'n'},
}};

constexpr int kMaxLogs = 10000;

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

char LogLetter(std::string_view logType) {
  for (const LogType& t : kLogLetters) {
    if (EqualsIgnoreCase(t.type, logType)) return t.letter;
  }
  return '.';
}

std::string LogSummaryOf(std::string_view groundspeakXml) {
  return LogSummaryOfLogs(FirstElementText(groundspeakXml, "groundspeak:logs"));
}

std::string LogSummaryOfLogs(std::string_view logs) {
  std::string letters;
  if (logs.empty()) return letters;
  // The same elements ElementText(logs, "groundspeak:log", i) gives for
  // i = 0, 1, ..., found in one pass: a cache with thousands of logs must not
  // cost a scan from the start for every log.
  constexpr std::string_view kOpen = "<groundspeak:log";
  constexpr std::string_view kClose = "</groundspeak:log>";
  std::size_t pos = 0;
  while (static_cast<int>(letters.size()) < kMaxLogs) {
    std::size_t at = FindBytes(logs, kOpen, pos);
    if (at == std::string_view::npos) break;
    pos = at + kOpen.size();
    if (pos >= logs.size() || (logs[pos] != '>' && logs[pos] != ' ')) continue;
    std::size_t gt = logs.find('>', pos);
    if (gt == std::string_view::npos) break;
    if (logs[gt - 1] == '/') continue;
    std::size_t end = FindBytes(logs, kClose, gt + 1);
    if (end == std::string_view::npos || end == gt + 1) break;
    std::string_view log = logs.substr(gt + 1, end - gt - 1);
    letters.push_back(LogLetter(FirstElementText(log, "groundspeak:type")));
  }
  return letters;
}

std::string DiffTerrOf(std::string_view groundspeakXml) {
  std::string text = DecodeElementText(FirstElementText(groundspeakXml, "groundspeak:difficulty"));
  text.push_back('/');
  text.append(DecodeElementText(FirstElementText(groundspeakXml, "groundspeak:terrain")));
  return text;
}

std::string CountryOf(std::string_view groundspeakXml) {
  return DecodeElementText(FirstElementText(groundspeakXml, "groundspeak:country"));
}

std::string StateOf(std::string_view groundspeakXml) {
  return DecodeElementText(FirstElementText(groundspeakXml, "groundspeak:state"));
}

void RefreshDisplayCache(const TGpxRecord& record, int mode) {
  const GroundspeakValues& v = ValuesOf(record);
  switch (mode) {
    case kColumnLogs:
      if (record.LogSummary != v.logSummary) record.LogSummary = v.logSummary;
      break;
    case kColumnDifficulty:
      if (record.DiffTerr != v.diffTerr) record.DiffTerr = v.diffTerr;
      break;
    case kColumnCountry:
      if (record.Country != v.country) record.Country = v.country;
      break;
    case kColumnState:
      if (record.State != v.state) record.State = v.state;
      break;
    default:
      break;
  }
}

std::string ColumnText(const TGpxRecord& record, int mode, const HomePosition& home) {
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
      return PrintableStart(ValuesOf(record).dateFound, 10);
    case kColumnPlacedBy:
      return ValuesOf(record).placedByText;
    case kColumnLogs:
      RefreshDisplayCache(record, mode);
      return record.LogSummary;
    case kColumnDifficulty:
      RefreshDisplayCache(record, mode);
      return record.DiffTerr;
    case kColumnCountry:
      RefreshDisplayCache(record, mode);
      return record.Country;
    case kColumnState:
      RefreshDisplayCache(record, mode);
      return record.State;
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
