// SPDX-License-Identifier: GPL-3.0-or-later
// LOC reader under any bytes: once from a file (chunking, CR LF) and once
// through the scanner in two pieces split at a byte the input chooses.
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "formats/LocFormat.h"
#include "list/WaypointStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quill::fuzz::ReadWithInputChosenOptions(&quill::ReadLocFile, data, size);
  quill::WaypointStore store;
  quill::LocScanner scanner([&](std::string_view element) { quill::AddLocElement(element, store, false); });
  quill::fuzz::FeedInTwoPieces(scanner, data, size);
  quill::fuzz::CheckUnfinishedLine(scanner.Unfinished(), data, size);
  return 0;
}
