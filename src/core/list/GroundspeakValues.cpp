// SPDX-License-Identifier: GPL-3.0-or-later
#include "list/GroundspeakValues.h"

#include <array>

#include "base/ByteSearch.h"
#include "text/TextHelpers.h"
#include "text/XmlText.h"

namespace quill {
namespace {

enum Tag : std::size_t { kPlacedBy, kDate, kLogs, kDifficulty, kTerrain, kCountry, kState, kContainer, kTagCount };

constexpr std::array<std::string_view, kTagCount> kTags = {
    "groundspeak:placed_by", "groundspeak:date",    "groundspeak:logs",  "groundspeak:difficulty",
    "groundspeak:terrain",   "groundspeak:country", "groundspeak:state", "groundspeak:container",
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

}  // namespace

GroundspeakValues ValuesOfCache(std::string_view xml) {
  GroundspeakValues v;
  if (xml.empty()) {
    v.diffTerr = "/";
    return v;
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
  return v;
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

}  // namespace quill
