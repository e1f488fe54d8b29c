// SPDX-License-Identifier: GPL-3.0-or-later
// The comma-separated reader (.csv and .asc) under any bytes.
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "formats/TextFormats.h"
#include "list/WaypointStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quill::fuzz::MemoryFile file(data, size);
  if (file.path().empty()) return 0;
  quill::WaypointStore store;
  store.SetDuplicateQuestion([](const std::string&) { return 0; });
  quill::ReadCsvFile(file.path(), store, {}, nullptr);
  for (const auto& r : store.AllWaypoints()) {
    if (r->Name.empty() || r->Lat == 0.0 || r->Lon == 0.0) __builtin_trap();
  }
  return 0;
}
