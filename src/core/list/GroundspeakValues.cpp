// SPDX-License-Identifier: GPL-3.0-or-later
#include "list/GroundspeakValues.h"

#include <array>

#include "list/GpxRecord.h"
#include "list/ListColumns.h"
#include "text/TextHelpers.h"
#include "text/XmlText.h"

namespace quill {
namespace {

enum Tag : std::size_t { kPlacedBy, kDate, kLogs, kDifficulty, kTerrain, kCountry, kState, kContainer, kTagCount };

constexpr std::array<std::string_view, kTagCount> kTags = {
    "groundspeak:placed_by", "groundspeak:date",    "groundspeak:logs",  "groundspeak:difficulty",
    "groundspeak:terrain",   "groundspeak:country", "groundspeak:state", "groundspeak:container",
};

void WorkOut(const TGpxRecord& record, GroundspeakValues& v) {
  v = GroundspeakValues{};
  v.ready = true;
  const std::string_view xml = record.GroundspeakXml;
  if (xml.empty()) {
    v.diffTerr = "/";
    return;
  }
  std::array<std::string_view, kTagCount> text;
  FirstElementTexts(xml, kTags, text);
  v.placedBy = DecodeBasic(text[kPlacedBy]);
  v.placedByText = DecodeElementText(text[kPlacedBy]);
  v.dateFound.assign(text[kDate]);
  v.logSummary = LogSummaryOfLogs(text[kLogs]);
  std::string difficulty = DecodeElementText(text[kDifficulty]);
  std::string terrain = DecodeElementText(text[kTerrain]);
  v.difficulty = TextToFloat(difficulty);
  v.terrain = TextToFloat(terrain);
  v.diffTerr = difficulty + "/" + terrain;
  std::string_view dt = v.diffTerr;
  std::size_t slash = dt.find('/');
  v.orderDifficulty = TextToFloat(dt.substr(0, slash));
  v.orderTerrain = TextToFloat(dt.substr(slash + 1));
  v.country = DecodeElementText(text[kCountry]);
  v.state = DecodeElementText(text[kState]);
  v.container = DecodeElementText(text[kContainer]);
  v.archived = DecodeElementText(AttributeValue(xml, "groundspeak:cache", "archived")) == "True";
}

}  // namespace

const GroundspeakValues& ValuesOf(const TGpxRecord& record) {
  if (!record.Values.ready) WorkOut(record, record.Values);
  return record.Values;
}

void RenewValues(const TGpxRecord& record) { WorkOut(record, record.Values); }

}  // namespace quill
