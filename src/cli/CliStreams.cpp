// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliStreams.h"

#include <istream>
#include <ostream>

#include "base/FileIo.h"
#include "base/Platform.h"
#include "base/UserFolders.h"
#include "formats/FormatSniff.h"

namespace quill::cli {

StagedFile::StagedFile(const std::string& prefix, const std::string& suffix)
    : path_(CreateCacheTempFile(prefix, suffix)) {}

StagedFile::~StagedFile() {
  if (!path_.empty()) platform::Remove(path_);
}

bool CopyStreamToFile(std::istream& in, const std::string& path, std::string& head, bool& complete,
                      std::string& error) {
  AtomicFileWriter file;
  if (!file.Open(path, false, 0600)) {
    error = "cannot write " + path;
    return false;
  }
  head.clear();
  std::string buffer(1 << 16, '\0');
  std::uint64_t total = 0;
  while (in) {
    in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    const auto got = static_cast<std::size_t>(in.gcount());
    if (got == 0) break;
    const std::string_view chunk(buffer.data(), got);
    if (head.size() < kSniffBytes) head.append(chunk.substr(0, kSniffBytes - head.size()));
    total += got;
    file.Write(chunk);
    if (!file.Ok()) break;
  }
  if (in.bad()) {
    error = "read error";
    return false;
  }
  if (!file.Commit()) {
    error = "cannot write " + path;
    return false;
  }
  complete = total == head.size();
  return true;
}

bool CopyFileToStream(const std::string& path, std::ostream& out) {
  InputFile file;
  if (!file.Open(path, false)) return false;
  for (std::string_view chunk = file.ReadChunk(); !chunk.empty(); chunk = file.ReadChunk()) {
    out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
  }
  out.flush();
  return !file.HadError() && out.good();
}

bool ReadHead(const std::string& path, std::string& head, bool& complete, std::string& error) {
  InputFile file;
  if (!file.Open(path, false)) {
    error = file.FailureReason();
    return false;
  }
  head.clear();
  for (std::string_view chunk = file.ReadChunk(); !chunk.empty() && head.size() < kSniffBytes;
       chunk = file.ReadChunk()) {
    head.append(chunk.substr(0, kSniffBytes - head.size()));
  }
  if (file.HadError()) {
    error = "read error";
    return false;
  }
  complete = file.Consumed() == head.size() && file.Consumed() >= file.Size();
  return true;
}

}  // namespace quill::cli
