#include "formats/GpxReader.h"

#include "formats/RecordFiles.h"
#include "list/GpxRecord.h"
#include "text/TextHelpers.h"
#include "text/XmlText.h"

namespace quill {

bool AddGpxElement(std::string_view e, WaypointStore& store, bool includeGroundspeak, bool skipSearch,
                   std::string& cacheBuffer) {
  double lat = TextToFloat(AttributeValue(e, "wpt", "lat"));
  double lon = TextToFloat(AttributeValue(e, "wpt", "lon"));
  std::string name = DecodeElementText(FirstElementText(e, "name"));
  std::string cmt = DecodeElementText(FirstElementText(e, "cmt"));
  std::string desc = DecodeElementText(FirstElementText(e, "desc"));
  std::string url = DecodeElementText(FirstElementText(e, "url"));
  std::string urlName = DecodeElementText(FirstElementText(e, "urlname"));
  std::string time = DecodeElementText(FirstElementText(e, "time"));
  std::string_view rawSym = FirstElementText(e, "sym");
  bool found = rawSym == "Geocache Found";
  std::string sym = DecodeElementText(rawSym);
  int typeCode = TypeCodeFromGpxText(FirstElementText(e, "type"));
  cacheBuffer.clear();
  bool dropped = false;
  if (includeGroundspeak) {
    CopyElement(cacheBuffer, e, "groundspeak:cache");
  } else {
    dropped = e.find("<groundspeak:cache") != std::string_view::npos;
  }
  store.AddWaypoint(lat, lon, std::move(name), std::move(cmt), std::move(desc), std::move(url), std::move(urlName),
                    std::move(time), std::move(sym), typeCode, found, cacheBuffer, skipSearch);
  return dropped;
}

bool ReadGpxFile(const std::string& path, WaypointStore& store, const ReadOptions& options, ReadResult* result) {
  bool skip = store.ShownWaypoints().empty() && options.noCheckWhenEmpty;
  std::string cacheBuffer;
  std::size_t dropped = 0;
  GpxScanner scanner([&](std::string_view element) {
    if (AddGpxElement(element, store, options.includeGroundspeak, skip, cacheBuffer)) ++dropped;
  });
  bool ok = ReadFileChunks(path, true, options, result, [&](std::string_view chunk) { scanner.Feed(chunk); });
  if (result) result->groundspeakDropped = dropped;
  return ok;
}

}  // namespace quill
