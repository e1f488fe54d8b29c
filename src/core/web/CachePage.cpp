// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/CachePage.h"

#include <array>

#include "base/FileIo.h"
#include "geo/CoordFormat.h"
#include "list/WaypointType.h"
#include "text/Ansi.h"
#include "text/TextHelpers.h"
#include "text/XmlText.h"

namespace quill {
namespace {

constexpr std::string_view kPageTitle = "<!--TW_PAGE_TITLE-->";
constexpr std::string_view kTypeIcon = "<!--TW_CT_ICON-->";
constexpr std::string_view kCacheName = "<!--TW_CACHE_NAME-->";
constexpr std::string_view kPosition = "<!--TW_POSITION-->";
constexpr std::string_view kContainer = "<!--TW_CONTAINER-->";
constexpr std::string_view kLocation = "<!--TW_LOCATION-->";
constexpr std::string_view kHiddenBy = "<!--TW_HIDDENBY-->";
constexpr std::string_view kWaypointName = "<!--TW_WAYPOINTNAME-->";
constexpr std::string_view kTimeOriginated = "<!--TW_TIMEORIGINATED-->";
constexpr std::string_view kDifficulty = "<!--TW_DIFFICULTY-->";
constexpr std::string_view kTerrain = "<!--TW_TERRAIN-->";
constexpr std::string_view kShortDescription = "<!--TW_SHORT_DESCRIPTION-->";
constexpr std::string_view kLongDescription = "<!--TW_LONG_DESCRIPTION-->";
constexpr std::string_view kHint = "<!--TW_HINT-->";
constexpr std::string_view kLogs = "<!--TW_GC_LOGS-->";

constexpr std::string_view kDefaultTypeIcon = "Cache_Default.gif";
constexpr std::string_view kNoteIcon = "icon_note.gif";

struct IconRule {
  std::string_view text;
  std::string_view icon;
};

constexpr std::array<IconRule, 5> kLogIcons = {{
    {"Found it", "icon_smile.gif"},
    {"Didn't find it", "icon_sad.gif"},
    {"Temporarily Disable Listing", "icon_disabled.gif"},
    {"Attended", "icon_attended.gif"},
    {"Will Attend", "icon_attend.gif"},
}};

// Ratings run to 5; the bound keeps a hostile "1e300" or "inf" from looping.
constexpr int kMostStars = 5;
// The half star needs a remainder above four tenths, read as the decimal
// text says: 4.4 minus 4 must not come out a hair above 0.4.
constexpr double kHalfStarAbove = 0.4 + 1e-9;

std::string_view IconFor(std::string_view type, const IconRule* rules, std::size_t count, std::string_view otherwise) {
  for (std::size_t i = 0; i < count; ++i) {
    if (EqualsIgnoreCase(type, rules[i].text)) return rules[i].icon;
  }
  return otherwise;
}

void ReplaceFirst(std::string& page, std::string_view marker, std::string_view value) {
  std::size_t at = page.find(marker);
  if (at != std::string::npos) page.replace(at, marker.size(), value);
}

std::string Stars(std::string_view rating) {
  double value = TextToFloat(rating);
  std::string out;
  for (int whole = 0; value >= 1.0 && whole < kMostStars; ++whole) {
    out += "<img border=\"0\" src=\"sr.gif\" width=\"13\" height=\"13\">";
    value -= 1.0;
  }
  if (value > kHalfStarAbove && value < 1.0) out += "<img border=\"0\" src=\"srh.gif\" width=\"7\" height=\"13\">";
  return out;
}

std::string CacheNameMarkup(std::string_view name, std::string_view available, std::string_view archived) {
  const bool red = EqualsIgnoreCase(archived, "True");
  const bool struck = red || EqualsIgnoreCase(available, "False");
  std::string out;
  if (struck) out += "<strike>";
  if (red) out += "<font color=\"red\">";
  out += name;
  if (red) out += "</font>";
  if (struck) out += "</strike>";
  return out;
}

std::string LogList(std::string_view logs) {
  constexpr int kMostLogs = 10000;
  std::string out;
  std::size_t pos = 0;
  for (int n = 0; n < kMostLogs; ++n) {
    std::string_view log = NextElementText(logs, "groundspeak:log", pos);
    if (log.empty()) break;
    std::string_view date = FirstElementText(log, "groundspeak:date");
    std::string_view type = FirstElementText(log, "groundspeak:type");
    std::string_view finder = FirstElementText(log, "groundspeak:finder");
    std::string text(FirstElementText(log, "groundspeak:text"));
    ReplaceAll(text, "\n", "<br>");
    out += "<p><img border=\"0\" src=\"";
    out += LogTypeIcon(type);
    out += "\" width=\"16\" height=\"16\"> &nbsp <b> ";
    AppendAnsiAsUtf8(out, IsoDateToText(date));
    out += " by ";
    out += finder;
    out += "</b><br>";
    out += text;
    out += "</p>";
  }
  return out;
}

}  // namespace

const std::vector<std::string_view>& CachePageMarkers() {
  static const std::vector<std::string_view> markers = {kPageTitle,       kTypeIcon,   kCacheName, kPosition,
                                                        kContainer,       kLocation,   kHiddenBy,  kWaypointName,
                                                        kTimeOriginated,  kDifficulty, kTerrain,   kShortDescription,
                                                        kLongDescription, kHint,       kLogs};
  return markers;
}

std::string_view CacheTypeIcon(std::string_view cacheType) {
  const WaypointTypeInfo* type = CacheTypeFromName(cacheType);
  return type && !type->pageImage.empty() ? type->pageImage : kDefaultTypeIcon;
}

std::string_view LogTypeIcon(std::string_view logType) {
  return IconFor(logType, kLogIcons.data(), kLogIcons.size(), kNoteIcon);
}

const std::vector<std::string_view>& CachePageImages() {
  static const std::vector<std::string_view> images = {"Cache_Traditional.gif",
                                                       "Cache_Multi.gif",
                                                       "Cache_Mystery.gif",
                                                       "Cache_Virtual.gif",
                                                       "Cache_Earth.gif",
                                                       "Cache_Webcam.gif",
                                                       "Cache_Letterbox.gif",
                                                       "Cache_Event.gif",
                                                       "Cache_Locationless.gif",
                                                       "Cache_Default.gif",
                                                       "sr.gif",
                                                       "srh.gif",
                                                       "icon_smile.gif",
                                                       "icon_sad.gif",
                                                       "icon_note.gif",
                                                       "icon_disabled.gif",
                                                       "icon_attended.gif",
                                                       "icon_attend.gif"};
  return images;
}

std::string BuildCachePage(std::string_view templateText, const TGpxRecord& record) {
  const std::string_view xml = record.GroundspeakXml;
  // Memory text (Windows-1252) becomes UTF-8 like the rest of the page; what
  // the basic decoding leaves, and the logs, are UTF-8 from the file already.
  auto memoryValue = [](std::string_view memoryText) { return AnsiToUtf8(memoryText); };
  auto decoded = [&](std::string_view raw) { return AnsiToUtf8(DecodeElementText(raw)); };

  const std::string available = DecodeElementText(AttributeValue(xml, "groundspeak:cache", "available"));
  const std::string archived = DecodeElementText(AttributeValue(xml, "groundspeak:cache", "archived"));
  const std::string cacheName = DecodeBasic(FirstElementText(xml, "groundspeak:name"));
  const std::string placedBy = DecodeBasic(FirstElementText(xml, "groundspeak:placed_by"));
  const std::string cacheType = DecodeElementText(FirstElementText(xml, "groundspeak:type"));
  const std::string container = decoded(FirstElementText(xml, "groundspeak:container"));
  const std::string difficulty = DecodeElementText(FirstElementText(xml, "groundspeak:difficulty"));
  const std::string terrain = DecodeElementText(FirstElementText(xml, "groundspeak:terrain"));
  const std::string country = decoded(FirstElementText(xml, "groundspeak:country"));
  const std::string state = decoded(FirstElementText(xml, "groundspeak:state"));
  std::string shortDescription = DecodeBasic(FirstElementText(xml, "groundspeak:short_description"));
  std::string longDescription = DecodeBasic(FirstElementText(xml, "groundspeak:long_description"));
  const std::string hint = DecodeBasic(FirstElementText(xml, "groundspeak:encoded_hints"));
  const bool html = EqualsIgnoreCase(AttributeValue(xml, "groundspeak:long_description", "html"), "True");
  const std::string_view logs = FirstElementText(xml, "groundspeak:logs");

  std::string page(templateText);
  ReplaceFirst(page, kPageTitle, memoryValue(record.Name) + " - " + cacheName);
  ReplaceAll(page, kTypeIcon, CacheTypeIcon(cacheType));
  ReplaceAll(page, kCacheName, CacheNameMarkup(cacheName, available, archived));
  std::string position = FormatLatLonDegMin(record.Lat, record.Lon);
  ReplaceAll(position, "\xB0", "&deg;");
  ReplaceAll(page, kPosition, position);
  ReplaceAll(page, kContainer, container);
  std::string location = country;
  if (!state.empty() && state.front() != '\r') location += " (" + state + ")";
  ReplaceAll(page, kLocation, location);
  ReplaceAll(page, kHiddenBy, placedBy);
  ReplaceAll(page, kWaypointName, memoryValue(record.Name));
  ReplaceAll(page, kTimeOriginated, memoryValue(IsoDateToText(record.Time)));
  ReplaceAll(page, kDifficulty, Stars(difficulty));
  ReplaceAll(page, kTerrain, Stars(terrain));
  if (!html) {
    ReplaceAll(shortDescription, "\n", "<br>");
    ReplaceAll(longDescription, "\n", "<br>");
  }
  ReplaceFirst(page, kShortDescription, shortDescription);
  ReplaceFirst(page, kLongDescription, longDescription);
  ReplaceFirst(page, kHint, hint);
  ReplaceFirst(page, kLogs, LogList(logs));
  return page;
}

std::string CachePageTemplatePath(const std::string& dataFolder) { return dataFolder + "html/default.htm"; }

bool ReadCachePageTemplate(const std::string& path, std::string& text) {
  text.clear();
  InputFile file;
  return file.Open(path, true) && file.ReadAll(text);
}

namespace {

bool PutImageBeside(const std::string& folder, std::string_view name, const std::vector<std::string>& sources) {
  for (const std::string& source : sources) {
    std::string from = source;
    if (!from.empty() && from.back() != '/') from += '/';
    from += name;
    std::string bytes;
    InputFile in;
    if (!in.Open(from, false)) continue;
    if (!in.ReadAll(bytes)) return false;
    const std::string to = folder + std::string(name);
    std::string old;
    InputFile existing;
    if (existing.Open(to, false) && existing.ReadAll(old) && old == bytes) return true;
    AtomicFileWriter out;
    if (!out.Open(to, false, 0644)) return false;
    out.Write(bytes);
    return out.Commit();
  }
  return true;
}

}  // namespace

bool WriteCachePage(const std::string& pagePath, std::string_view page, const std::vector<std::string>& imageFolders,
                    bool privateFile) {
  AtomicFileWriter out;
  if (!out.Open(pagePath, false, privateFile ? 0600 : 0666)) return false;
  // A file written in place or a device keeps its own mode.
  if (privateFile) out.SetPermissions(0600);
  out.Write(page);
  if (!out.Commit()) return false;
  std::string folder = FolderOfPath(pagePath);
  if (folder.back() != '/') folder += '/';
  for (std::string_view image : CachePageImages()) {
    if (!PutImageBeside(folder, image, imageFolders)) return false;
  }
  return true;
}

}  // namespace quill
