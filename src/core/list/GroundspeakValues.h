// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The values of a record's Groundspeak data that the sort orders, the filters
// and the list's columns read, worked out in one pass over the data. The
// list keeps them beside its records (WaypointStore::ValuesOf).
#include <string>
#include <string_view>

namespace quill {

struct GroundspeakValues {
  std::string placedBy;      // placed_by, CDATA or the basic entities undone
  std::string placedByText;  // placed_by decoded as element text
  std::string dateFound;     // the first groundspeak:date as written
  std::string logSummary;    // LogSummaryOf
  std::string diffTerr;      // difficulty "/" terrain, decoded; "/" without the elements
  std::string country;       // decoded element texts
  std::string state;
  std::string container;
  double difficulty = 0.0;  // decoded element texts as numbers
  double terrain = 0.0;
  // The Difficulty order's keys: diffTerr's two parts at its first "/".
  double orderDifficulty = 0.0;
  double orderTerrain = 0.0;
  bool archived = false;  // the cache element's archived attribute, decoded, is "True"
};

// The values of a groundspeak:cache element, or of a record without one.
GroundspeakValues ValuesOfCache(std::string_view groundspeakXml);

// The letter of one log type ("Found it" is "+"); "." for any other type.
char LogLetter(std::string_view logType);
// One letter per log of the cache element, in file order.
std::string LogSummaryOf(std::string_view groundspeakXml);
// The same from the content of the groundspeak:logs element.
std::string LogSummaryOfLogs(std::string_view logs);

}  // namespace quill
