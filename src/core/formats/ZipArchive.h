// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pocket-query archives: a ZIP holding the caches' GPX file and, usually, a
// file of additional waypoints. Every GPX and LOC entry is read in entry
// order, as if the files had been loaded one after another.
//
// Archives made to hurt are refused whole before a single waypoint is added:
// an entry that claims or unpacks to more than kZipEntryLimit, or to more
// than kZipRatioLimit times its packed size, an absolute or "../" name, an
// encrypted entry, a damaged directory. The limits hold while unpacking, so
// an entry whose header lies is caught as well. Nothing is ever written.
#include <cstdint>
#include <string>
#include <vector>

#include "formats/FormatTypes.h"

namespace quill {

inline constexpr std::uint64_t kZipEntryLimit = std::uint64_t{4} << 30;
inline constexpr std::uint64_t kZipRatioLimit = 200;
// Below this an entry's ratio harms no one (a few lines of spaces pack well).
inline constexpr std::uint64_t kZipRatioFloor = 64 * 1024;

struct ZipWaypointEntry {
  std::string name;  // as the archive names it
  int formatCode = -1;
  std::string text;  // unpacked, CR LF folded to LF
};

// The GPX and LOC entries of the archive at path, unpacked, in entry order.
// False, with the reason in error, when the archive cannot be read or is
// hostile; entries is then empty.
bool UnpackWaypointEntries(const std::string& path, std::vector<ZipWaypointEntry>& entries, std::string& error);

// The reader of the format table: every entry through its own reader. The
// duplicate question is asked afresh for every entry.
bool ReadZipFile(const std::string& path, WaypointStore& store, const ReadOptions& options, ReadResult* result);

}  // namespace quill
