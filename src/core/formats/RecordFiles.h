// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The read and write loops every format shares: a reader streams the file
// chunk by chunk with progress and elapsed time; a writer writes a head, one
// piece per record and a tail through one atomic, checked file.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "formats/ElementScanner.h"
#include "formats/FormatTypes.h"

namespace quill {

// False only when the file cannot be opened (result->error says why). textMode
// turns CR LF into LF. options.content, when set, is read instead of the file.
bool ReadFileChunks(const std::string& path, bool textMode, const ReadOptions& options, ReadResult* result,
                    const std::function<void(std::string_view chunk)>& onChunk);

// After the last chunk of a markup file: false, with the reason in
// result->error, when an element was left open at the end; the elements
// before it are read.
bool FinishScan(const ElementScanner& scanner, ReadResult* result);

// Keeps the first kSniffBytes of the chunks a reader is fed, for its look at
// the file's shape when the file gave it nothing.
class FileHead {
 public:
  void Feed(std::string_view chunk);
  std::string_view Head() const { return head_; }
  // The head is the whole file.
  bool Complete() const { return total_ == head_.size(); }

 private:
  std::string head_;
  std::uint64_t total_ = 0;
};

// For a markup file that gave no element: true when its root element is
// `root` (or the head is too short to tell); else false, with "not a FORMAT
// file (why)" in result->error.
bool CheckXmlRoot(const FileHead& head, std::string_view root, std::string_view format, ReadResult* result);

// textMode writes every LF as CR LF. False, with any old file left as it
// was, when the file could not be written whole. privateFile: mode 0600 for
// the user alone, also when an older file is replaced.
bool WriteRecordFile(const std::string& path, bool textMode, std::string_view head, RecordSpan records,
                     const std::function<void(std::string& out, const TGpxRecord& record)>& appendRecord,
                     std::string_view tail, bool privateFile = false);

}  // namespace quill
