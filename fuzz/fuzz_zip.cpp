// SPDX-License-Identifier: GPL-3.0-or-later
// ZIP reader under any bytes: the archive checks, the unpacking held to the
// headers' claims, and every GPX and LOC entry through its reader. A refused
// archive adds nothing.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "FuzzSupport.h"
#include "formats/ZipArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quill::fuzz::ReadWithInputChosenOptions(&quill::ReadZipFile, data, size);
  quill::fuzz::MemoryFile file(data, size);
  if (file.path().empty()) return 0;
  std::vector<quill::ZipWaypointEntry> entries;
  std::string error;
  const bool ok = quill::UnpackWaypointEntries(file.path(), entries, error);
  if (ok == entries.empty() || ok == !error.empty()) std::abort();
  for (const quill::ZipWaypointEntry& e : entries) {
    if (e.text.size() > quill::kZipEntryLimit) std::abort();
  }
  return 0;
}
