// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/GpxReader.h"

#include "formats/RecordFiles.h"
#include "list/GpxRecord.h"
#include "text/TextHelpers.h"
#include "text/XmlText.h"

namespace quill {

namespace {

// GPX 1.1 carries a waypoint's link as <link href="URL"><text>NAME</text></link>;
// the first one is read.
void ReadLink(std::string_view e, std::string& url, std::string& urlName) {
  constexpr std::string_view kOpen = "<link";
  for (std::size_t pos = 0;;) {
    std::size_t at = e.find(kOpen, pos);
    if (at == std::string_view::npos) return;
    pos = at + kOpen.size();
    if (pos >= e.size()) return;
    char c = e[pos];
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '>' && c != '/') continue;
    std::size_t gt = e.find('>', pos);
    if (gt == std::string_view::npos) return;
    url = DecodeElementText(AttributeValue(e.substr(at, gt + 1 - at), "link", "href"));
    if (e[gt - 1] == '/') return;
    std::size_t close = e.find("</link>", gt + 1);
    if (close == std::string_view::npos) return;
    urlName = DecodeElementText(FirstElementText(e.substr(gt + 1, close - gt - 1), "text"));
    return;
  }
}

}  // namespace

bool AddGpxElement(std::string_view e, WaypointStore& store, bool includeGroundspeak, bool skipSearch) {
  std::string_view rawUrl = FirstElementText(e, "url");
  std::string_view rawSym = FirstElementText(e, "sym");
  std::string_view rawType = FirstElementText(e, "type");
  const int typeCode = TypeCodeFromGpxText(rawType);
  // Every field named, so each text is made in its place.
  TGpxRecord r{
      .Lat = TextToFloat(AttributeValue(e, "wpt", "lat")),
      .Lon = TextToFloat(AttributeValue(e, "wpt", "lon")),
      .Name = DecodeElementText(FirstElementText(e, "name")),
      .Cmt = DecodeElementText(FirstElementText(e, "cmt")),
      .Desc = DecodeElementText(FirstElementText(e, "desc")),
      .Url = DecodeElementText(rawUrl),
      .UrlName = DecodeElementText(FirstElementText(e, "urlname")),
      .Time = DecodeElementText(FirstElementText(e, "time")),
      .Sym = DecodeElementText(rawSym),
      .TypeCode = typeCode,
      // A text the table would not write back is kept, so newer cache types
      // survive a load and save.
      .TypeText = !rawType.empty() && rawType != GpxTypeText(typeCode) ? DecodeElementText(rawType) : std::string(),
      .Found = rawSym == kFoundCacheSymbol,
      .GroundspeakXml = {},
  };
  if (rawUrl.empty()) ReadLink(e, r.Url, r.UrlName);
  std::string_view cache;
  bool dropped = false;
  if (includeGroundspeak) {
    cache = WholeElement(e, "groundspeak:cache");
  } else {
    dropped = e.find("<groundspeak:cache") != std::string_view::npos;
  }
  store.AddWaypoint(std::move(r), cache, skipSearch);
  return dropped;
}

bool ReadGpxFile(const std::string& path, WaypointStore& store, const ReadOptions& options, ReadResult* result) {
  bool skip = store.ShownWaypoints().empty() && options.noCheckWhenEmpty;
  std::size_t dropped = 0;
  std::size_t elements = 0;
  GpxScanner scanner([&](std::string_view element) {
    ++elements;
    if (AddGpxElement(element, store, options.includeGroundspeak, skip)) ++dropped;
  });
  FileHead head;
  const bool ok = ReadFileChunks(path, true, options, result, [&](std::string_view chunk) {
    head.Feed(chunk);
    scanner.Feed(chunk);
  });
  if (result) result->groundspeakDropped = dropped;
  if (!ok || !FinishScan(scanner, result)) return false;
  // A file without waypoints loads as an empty list only when it is GPX.
  return elements > 0 || CheckXmlRoot(head, "gpx", "GPX", result);
}

}  // namespace quill
