// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/RecordFiles.h"

#include <algorithm>
#include <ctime>

#include "base/FileIo.h"
#include "base/LoadHeapHint.h"
#include "formats/FormatSniff.h"

namespace quill {

bool ReadFileChunks(const std::string& path, bool textMode, const ReadOptions& options, ReadResult* result,
                    const std::function<void(std::string_view chunk)>& onChunk) {
  if (options.source) {
    std::uint64_t done = 0;
    for (std::string_view chunk = options.source(); !chunk.empty(); chunk = options.source()) {
      onChunk(chunk);
      done += chunk.size();
      if (options.progress) options.progress(std::min(done, options.sourceSize), options.sourceSize);
    }
    return true;
  }
  InputFile file;
  if (!file.Open(path, textMode)) {
    if (result) result->error = file.FailureReason();
    return false;
  }
  // What is read is mostly kept, about as many bytes as the file holds.
  const LoadHeapHint heap(file.Size());
  std::time_t start = std::time(nullptr);
  for (std::string_view chunk = file.ReadChunk(); !chunk.empty(); chunk = file.ReadChunk()) {
    onChunk(chunk);
    if (options.progress) options.progress(file.Consumed(), file.Size());
  }
  file.Close();
  if (result) result->elapsedSeconds = static_cast<int>(std::time(nullptr) - start);
  return true;
}

bool FinishScan(const ElementScanner& scanner, ReadResult* result) {
  std::string damage = scanner.Unfinished();
  if (damage.empty()) return true;
  if (result) result->error = std::move(damage);
  return false;
}

void FileHead::Feed(std::string_view chunk) {
  total_ += chunk.size();
  if (head_.size() < kSniffBytes) head_.append(chunk.substr(0, kSniffBytes - head_.size()));
}

bool CheckXmlRoot(const FileHead& head, std::string_view root, std::string_view format, ReadResult* result) {
  std::string name;
  const XmlRoot found = XmlRootElement(head.Head(), name);
  if (found == XmlRoot::kFound && name == root) return true;
  if (found == XmlRoot::kTooShort && !head.Complete()) return true;
  std::string why;
  if (found == XmlRoot::kFound) {
    why = "the root element is <" + PrintableSample(name) + ">";
  } else if (found == XmlRoot::kNone) {
    why = "it is no XML";
  } else if (head.Head().find('<') == std::string_view::npos) {
    why = "it is empty";
  } else {
    why = "it ends before its root element";
  }
  if (result) result->error = "not a " + std::string(format) + " file (" + why + ")";
  return false;
}

bool WriteRecordFile(const std::string& path, bool textMode, std::string_view head, RecordSpan records,
                     const std::function<void(std::string& out, const TGpxRecord& record)>& appendRecord,
                     std::string_view tail, bool privateFile) {
  constexpr std::size_t kBatch = 60 * 1024;
  AtomicFileWriter file;
  if (!file.Open(path, textMode, privateFile ? 0600 : 0666)) return false;
  // A file written in place or a device keeps its own mode.
  if (privateFile) file.SetPermissions(0600);
  std::string text(head);
  text.reserve(kBatch + 4096);
  for (const TGpxRecord* r : records) {
    appendRecord(text, *r);
    if (text.size() >= kBatch) {
      file.Write(text);
      text.clear();
      if (!file.Ok()) break;
    }
  }
  text += tail;
  file.Write(text);
  return file.Commit();
}

}  // namespace quill
