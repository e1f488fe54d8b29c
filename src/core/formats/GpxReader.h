#pragma once
#include <string>

#include "formats/FormatTypes.h"

namespace quill {

// Adds the waypoints of a GPX file to the store, in file order. True when the
// file was read to its end; false when it could not be opened.
bool ReadGpxFile(const std::string& path, WaypointStore& store, const ReadOptions& options, ReadResult* result);

// The scanner on its own, for text already in memory and for the fuzz target:
// every complete wpt element is handed to onElement (a zero byte follows it).
class GpxScanner {
 public:
  template <typename F>
  explicit GpxScanner(F&& onElement) : onElement_(std::forward<F>(onElement)) {}
  void Feed(std::string_view bytes);

 private:
  std::function<void(std::string_view element)> onElement_;
  int state_ = 0;
  std::string element_;
  char tagHead_[8] = {};
  std::size_t tagLength_ = 0;
};

// Picks the values out of one wpt element and adds it to the store.
void AddGpxElement(std::string_view element, WaypointStore& store, bool includeGroundspeak, bool skipSearch,
                   std::string& cacheBuffer);

}  // namespace quill
