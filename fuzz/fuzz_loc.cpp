// LOC reader under any bytes: once from a file (chunking, CR LF) and once
// through the scanner in two pieces split at a byte the input chooses.
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "formats/LocFormat.h"
#include "list/WaypointStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quill::fuzz::MemoryFile file(data, size);
  if (!file.path().empty()) {
    quill::WaypointStore store;
    int answer = size ? data[0] % 3 : 2;
    store.SetDuplicateQuestion([answer](const std::string&) { return answer; });
    quill::ReadOptions options;
    options.noCheckWhenEmpty = size > 1 && (data[1] & 2);
    quill::ReadLocFile(file.path(), store, options, nullptr);
  }
  quill::WaypointStore store;
  quill::LocScanner scanner([&](std::string_view element) { quill::AddLocElement(element, store, false); });
  std::string_view all(reinterpret_cast<const char*>(data), size);
  std::size_t cut = size ? data[size - 1] % (size + 1) : 0;
  scanner.Feed(all.substr(0, cut));
  scanner.Feed(all.substr(cut));
  return 0;
}
