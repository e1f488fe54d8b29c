// SPDX-License-Identifier: GPL-3.0-or-later
// GPX reader under any bytes, twice: once from a file (chunking, CR LF) and
// once through the scanner in two pieces split at a byte the input chooses.
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "formats/GpxReader.h"
#include "list/WaypointStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quill::fuzz::ReadWithInputChosenOptions(&quill::ReadGpxFile, data, size);
  quill::WaypointStore store;
  quill::GpxScanner scanner([&](std::string_view element) { quill::AddGpxElement(element, store, true, false); });
  quill::fuzz::FeedInTwoPieces(scanner, data, size);
  quill::fuzz::CheckUnfinishedLine(scanner.Unfinished(), data, size);
  return 0;
}
