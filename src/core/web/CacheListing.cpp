// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/CacheListing.h"

#include <algorithm>

#include "text/Ansi.h"
#include "text/TextHelpers.h"
#include "text/XmlText.h"
#include "web/CacheHtml.h"

namespace quill {
namespace {

// Ratings run to 5; the bound keeps a hostile "1e300" or "inf" from looping.
constexpr int kMostStars = 5;
// The half star needs a remainder above four tenths, read as the decimal
// text says: 4.4 minus 4 must not come out a hair above 0.4.
constexpr double kHalfStarAbove = 0.4 + 1e-9;
// More logs than any listing holds; a hostile file is not read further.
constexpr std::size_t kMostLogs = 10000;

}  // namespace

CacheListing ReadCacheListing(std::string_view xml) {
  auto decoded = [](std::string_view raw) { return AnsiToUtf8(DecodeElementText(raw)); };
  CacheListing l;
  l.available = !EqualsIgnoreCase(DecodeElementText(AttributeValue(xml, "groundspeak:cache", "available")), "False");
  l.archived = EqualsIgnoreCase(DecodeElementText(AttributeValue(xml, "groundspeak:cache", "archived")), "True");
  l.name = DecodeBasic(FirstElementText(xml, "groundspeak:name"));
  l.placedBy = DecodeBasic(FirstElementText(xml, "groundspeak:placed_by"));
  l.owner = DecodeBasic(FirstElementText(xml, "groundspeak:owner"));
  l.type = DecodeElementText(FirstElementText(xml, "groundspeak:type"));
  l.container = decoded(FirstElementText(xml, "groundspeak:container"));
  l.difficulty = DecodeElementText(FirstElementText(xml, "groundspeak:difficulty"));
  l.terrain = DecodeElementText(FirstElementText(xml, "groundspeak:terrain"));
  l.country = decoded(FirstElementText(xml, "groundspeak:country"));
  l.state = decoded(FirstElementText(xml, "groundspeak:state"));
  l.shortDescription = DecodeBasic(FirstElementText(xml, "groundspeak:short_description"));
  l.longDescription = DecodeBasic(FirstElementText(xml, "groundspeak:long_description"));
  l.hint = DecodeBasic(FirstElementText(xml, "groundspeak:encoded_hints"));
  if (!EqualsIgnoreCase(AttributeValue(xml, "groundspeak:long_description", "html"), "True")) {
    ReplaceAll(l.shortDescription, "\n", "<br>");
    ReplaceAll(l.longDescription, "\n", "<br>");
  }
  l.logs = FirstElementText(xml, "groundspeak:logs");
  return l;
}

std::vector<CacheLog> ReadCacheLogs(std::string_view logs, std::size_t most) {
  std::vector<CacheLog> out;
  std::size_t pos = 0;
  for (std::size_t n = 0; n < std::min(most, kMostLogs); ++n) {
    std::string_view log = NextElementText(logs, "groundspeak:log", pos);
    if (log.empty()) break;
    CacheLog entry;
    entry.date = FirstElementText(log, "groundspeak:date");
    entry.type = FirstElementText(log, "groundspeak:type");
    entry.finder = FirstElementText(log, "groundspeak:finder");
    entry.text = FirstElementText(log, "groundspeak:text");
    ReplaceAll(entry.text, "\n", "<br>");
    out.push_back(std::move(entry));
  }
  return out;
}

std::vector<CacheLog> NewestCacheLogs(std::string_view logs, std::size_t count) {
  std::vector<CacheLog> all = ReadCacheLogs(logs, kMostLogs);
  // ISO dates compare as text.
  std::stable_sort(all.begin(), all.end(), [](const CacheLog& a, const CacheLog& b) { return a.date > b.date; });
  if (all.size() > count) all.resize(count);
  return all;
}

std::string CacheLocationHtml(const CacheListing& listing, CacheHtmlCleaner& cleaner) {
  std::string location = cleaner.Clean(listing.country);
  if (!listing.state.empty() && listing.state.front() != '\r') location += " (" + cleaner.Clean(listing.state) + ")";
  return location;
}

std::string CacheRatingStars(std::string_view rating, std::string_view imageFolder) {
  double value = TextToFloat(rating);
  std::string out;
  for (int whole = 0; value >= 1.0 && whole < kMostStars; ++whole) {
    out += "<img border=\"0\" src=\"" + std::string(imageFolder) + "sr.gif\" width=\"13\" height=\"13\">";
    value -= 1.0;
  }
  if (value > kHalfStarAbove && value < 1.0) {
    out += "<img border=\"0\" src=\"" + std::string(imageFolder) + "srh.gif\" width=\"7\" height=\"13\">";
  }
  return out;
}

}  // namespace quill
