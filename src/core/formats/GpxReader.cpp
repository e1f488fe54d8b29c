#include "formats/GpxReader.h"

#include <cstring>
#include <ctime>

#include "formats/FileIo.h"
#include "list/GpxRecord.h"
#include "text/TextHelpers.h"
#include "text/XmlText.h"

namespace quill {

namespace {

// Only the first bytes of a tag decide anything ("<wpt", "</wpt"), so the tag
// is counted but just its head is kept: a tag of any length costs nothing.
inline void TagAppend(char* head, std::size_t& length, const char* p, std::size_t n) {
  for (std::size_t i = 0; i < n && length + i < 8; ++i) head[length + i] = p[i];
  length += n;
}

inline bool TagStarts(const char* head, std::size_t length, const char* prefix, std::size_t n) {
  return length >= n && std::memcmp(head, prefix, n) == 0;
}

}  // namespace

void GpxScanner::Feed(std::string_view bytes) {
  const char* p = bytes.data();
  const char* end = p + bytes.size();
  while (p < end) {
    std::size_t left = static_cast<std::size_t>(end - p);
    switch (state_) {
      case 0: {  // outside any waypoint
        const char* lt = static_cast<const char*>(std::memchr(p, '<', left));
        if (!lt) return;
        tagHead_[0] = '<';
        tagLength_ = 1;
        state_ = 1;
        p = lt + 1;
        break;
      }
      case 1: {  // in a tag outside a waypoint
        const char* gt = static_cast<const char*>(std::memchr(p, '>', left));
        std::size_t n = gt ? static_cast<std::size_t>(gt - p) + 1 : left;
        // The tag is needed whole only when it opens a waypoint.
        bool maybeWpt = tagLength_ < 4 || TagStarts(tagHead_, tagLength_, "<wpt", 4);
        if (maybeWpt) {
          if (tagLength_ == 1) element_.assign("<");
          element_.append(p, n);
        }
        TagAppend(tagHead_, tagLength_, p, n);
        p += n;
        if (gt) {
          if (TagStarts(tagHead_, tagLength_, "<wpt", 4)) {
            state_ = 2;
          } else {
            state_ = 0;
            element_.clear();
          }
          tagLength_ = 0;
        }
        break;
      }
      case 2: {  // inside a waypoint, between tags
        const char* lt = static_cast<const char*>(std::memchr(p, '<', left));
        std::size_t n = lt ? static_cast<std::size_t>(lt - p) + 1 : left;
        element_.append(p, n);
        p += n;
        if (lt) {
          tagHead_[0] = '<';
          tagLength_ = 1;
          state_ = 3;
        }
        break;
      }
      case 3: {  // in a tag inside a waypoint
        const char* gt = static_cast<const char*>(std::memchr(p, '>', left));
        std::size_t n = gt ? static_cast<std::size_t>(gt - p) + 1 : left;
        element_.append(p, n);
        TagAppend(tagHead_, tagLength_, p, n);
        p += n;
        if (gt) {
          if (TagStarts(tagHead_, tagLength_, "</wpt", 5)) {
            onElement_(element_);
            element_.clear();
            state_ = 0;
          } else {
            state_ = 2;
          }
          tagLength_ = 0;
        }
        break;
      }
    }
  }
}

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
