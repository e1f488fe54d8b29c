#include "formats/GpxReader.h"

#include <cstring>
#include <ctime>

#include "formats/FileIo.h"
#include "list/GpxRecord.h"
#include "text/TextHelpers.h"
#include "text/XmlText.h"

namespace quill {

void AddGpxElement(std::string_view e, WaypointStore& store, bool includeGroundspeak, bool skipSearch,
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
  if (includeGroundspeak) CopyElement(cacheBuffer, e, "groundspeak:cache");
  store.AddWaypoint(lat, lon, std::move(name), std::move(cmt), std::move(desc), std::move(url), std::move(urlName),
                    std::move(time), std::move(sym), typeCode, found, cacheBuffer, skipSearch);
}

bool ReadGpxFile(const std::string& path, WaypointStore& store, const ReadOptions& options, ReadResult* result) {
  bool listWasEmpty = store.ShownWaypoints().empty();
  InputFile file;
  if (!file.Open(path, true)) return false;
  std::time_t start = std::time(nullptr);
  bool skip = listWasEmpty && options.noCheckWhenEmpty;
  std::string cacheBuffer;
  GpxScanner scanner([&](std::string_view element) {
    AddGpxElement(element, store, options.includeGroundspeak, skip, cacheBuffer);
  });
  for (std::string_view chunk = file.ReadChunk(); !chunk.empty(); chunk = file.ReadChunk()) {
    scanner.Feed(chunk);
    if (options.progress) options.progress(file.Consumed(), file.Size());
  }
  file.Close();
  if (result) result->elapsedSeconds = static_cast<int>(std::time(nullptr) - start);
  return true;
}

}  // namespace quill
