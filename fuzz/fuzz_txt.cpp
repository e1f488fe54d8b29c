// SPDX-License-Identifier: GPL-3.0-or-later
// TXT reader under any bytes: every notation's scanner and conversion is
// reached through the mode lines the input may hold.
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "formats/TextFormats.h"
#include "list/WaypointStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quill::fuzz::MemoryFile file(data, size);
  if (file.path().empty()) return 0;
  quill::WaypointStore store;
  store.SetDuplicateQuestion([](const std::string&) { return 1; });
  quill::ReadTxtFile(file.path(), store, {}, nullptr);
  for (const auto& r : store.AllWaypoints()) {
    // Only positions on the earth and named lines are added.
    if (r->Name.empty() || !(r->Lat >= -90.0 && r->Lat <= 90.0) || !(r->Lon >= -180.0 && r->Lon <= 180.0))
      __builtin_trap();
  }
  return 0;
}
