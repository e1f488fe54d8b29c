// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fuzz bytes as a file the readers can open (an anonymous memory file,
// so no disk traffic and nothing left behind).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "formats/FormatTypes.h"

namespace quill::fuzz {

class MemoryFile {
 public:
  MemoryFile(const std::uint8_t* data, std::size_t size);
  ~MemoryFile();
  // A path that opens the bytes, or empty when the file could not be made.
  const std::string& path() const { return path_; }

 private:
  int fd_ = -1;
  std::string path_;
};

// Runs a reader over the bytes as a file, with the duplicate answer and the
// two load settings chosen by the first bytes.
void ReadWithInputChosenOptions(ReaderFn reader, const std::uint8_t* data, std::size_t size);

// Feeds the bytes to a scanner in two pieces cut where the last byte says, so
// a chunk boundary can fall anywhere.
template <typename Scanner>
void FeedInTwoPieces(Scanner& scanner, const std::uint8_t* data, std::size_t size) {
  std::string_view all(reinterpret_cast<const char*>(data), size);
  std::size_t cut = size ? data[size - 1] % (size + 1) : 0;
  scanner.Feed(all.substr(0, cut));
  scanner.Feed(all.substr(cut));
}

// The place an element was left open ("line N: unterminated <wpt>") lies
// within the bytes fed: traps otherwise.
void CheckUnfinishedLine(const std::string& unfinished, const std::uint8_t* data, std::size_t size);

}  // namespace quill::fuzz
