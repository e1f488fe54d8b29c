// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pocket-query archives: a ZIP holding the caches' GPX file and, usually, a
// file of additional waypoints. Every GPX and LOC entry is read in entry
// order, as if the files had been loaded one after another.
//
// Archives made to hurt are refused whole: an entry that claims to unpack to
// more than kZipEntryLimit, or to more than kZipRatioLimit times its packed
// size, an absolute or "../" name, an encrypted entry, a damaged directory,
// before a single waypoint is added. Entries are read while they unpack; the
// limits and the checksum hold while unpacking, and an entry whose header
// lies takes every waypoint of the archive back out of the list. Nothing is
// ever written.
#include <cstdint>
#include <string>

#include "formats/FormatTypes.h"

namespace quill {

inline constexpr std::uint64_t kZipEntryLimit = std::uint64_t{4} << 30;
inline constexpr std::uint64_t kZipRatioLimit = 200;
// Below this an entry's ratio harms no one (a few lines of spaces pack well).
inline constexpr std::uint64_t kZipRatioFloor = 64 * 1024;

// The reader of the format table: every entry through its own reader. The
// duplicate question is asked afresh for every entry.
bool ReadZipFile(const std::string& path, WaypointStore& store, const ReadOptions& options, ReadResult* result);

}  // namespace quill
