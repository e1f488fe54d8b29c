// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The values of a record's Groundspeak data that the sort orders, the filters
// and the list's columns read, worked out in one pass over the data. A record
// of a store has them renewed by every change the store makes; any other
// record works them out at its first use.
#include <string>

namespace quill {

struct TGpxRecord;

struct GroundspeakValues {
  bool ready = false;        // worked out from the record's current data
  std::string placedBy;      // placed_by, CDATA or the basic entities undone
  std::string placedByText;  // placed_by decoded as element text
  std::string dateFound;     // the first groundspeak:date as written
  std::string logSummary;    // LogSummaryOf
  std::string diffTerr;      // DiffTerrOf
  std::string country;       // CountryOf
  std::string state;         // StateOf
  std::string container;     // decoded element text
  double difficulty = 0.0;   // decoded element texts as numbers
  double terrain = 0.0;
  // The Difficulty order's keys: diffTerr's two parts at its first "/".
  double orderDifficulty = 0.0;
  double orderTerrain = 0.0;
  bool archived = false;  // the cache element's archived attribute, decoded, is "True"
};

// The values of the record, worked out first when not ready.
const GroundspeakValues& ValuesOf(const TGpxRecord& record);
// Works the values out afresh from the record's Groundspeak data.
void RenewValues(const TGpxRecord& record);

}  // namespace quill
