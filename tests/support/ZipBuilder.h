// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ZIP archives written byte by byte, so a test can make every kind of
// archive, the hostile ones included: a size claimed falsely, a name outside
// the archive, the encryption flag, a damaged directory.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quill::test {

struct ZipTestEntry {
  ZipTestEntry(std::string entryName, std::string entryData, bool deflated = true)
      : name(std::move(entryName)), data(std::move(entryData)), deflate(deflated) {}
  std::string name;
  std::string data;
  bool deflate = true;
  // What the headers claim the entry unpacks to (the data's size when unset);
  // from 4 GiB on it is written as a ZIP64 size.
  std::optional<std::uint64_t> claimedSize;
  std::optional<std::uint32_t> claimedCrc;  // the data's CRC-32 when unset
  bool encryptedFlag = false;
};

// The archive's bytes; damageDirectory spoils the central directory's signature.
std::string BuildZip(const std::vector<ZipTestEntry>& entries, bool damageDirectory = false);

}  // namespace quill::test
