// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/FileIo.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>
#include <set>

#include "base/Platform.h"

namespace quill {
namespace {

constexpr std::size_t kChunk = 256 * 1024;
constexpr std::size_t kWriteBuffer = 256 * 1024;
constexpr std::uint64_t kWritebackPiece = 4u << 20;
constexpr std::string_view kTempMark = ".~qm";

std::atomic<bool> gUnnamedTemporaries{true};
std::atomic<unsigned> gTempCounter{0};

std::string NameOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool AllDigits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// stem + suffix, the stem shortened (never inside a UTF-8 sequence) so the
// whole fits the folder's limit on name length.
std::string FittedName(const std::string& folder, const std::string& stem, const std::string& suffix) {
  std::size_t limit = platform::MaxNameLength(folder);
  std::size_t keep = stem.size();
  if (keep + suffix.size() > limit) {
    keep = limit > suffix.size() ? limit - suffix.size() : 0;
    while (keep > 0 && (static_cast<unsigned char>(stem[keep]) & 0xC0) == 0x80) --keep;
  }
  return (folder == "/" ? std::string() : folder) + "/" + stem.substr(0, keep) + suffix;
}

// Removes our temporary files (NAME.~qmPID.N) left in folder by saves whose
// process no longer runs. Once per folder and run: a folder of many files is
// not listed again for every save into it.
void SweepStaleTemporaries(const std::string& folder) {
  static std::mutex mutex;
  static std::set<std::string> swept;
  {
    std::lock_guard<std::mutex> lock(mutex);
    if (!swept.insert(folder).second) return;
  }
  long self = platform::ProcessId();
  for (const std::string& entry : platform::FolderEntries(folder)) {
    std::size_t mark = entry.rfind(kTempMark);
    if (mark == std::string::npos || mark == 0) continue;
    std::string_view rest = std::string_view(entry).substr(mark + kTempMark.size());
    std::size_t dot = rest.find('.');
    if (dot == std::string_view::npos || !AllDigits(rest.substr(0, dot)) || !AllDigits(rest.substr(dot + 1))) continue;
    if (dot > 9) continue;
    long pid = std::stol(std::string(rest.substr(0, dot)));
    if (pid == self || platform::ProcessRuns(pid)) continue;
    std::string path = (folder == "/" ? std::string() : folder) + "/" + entry;
    if (platform::Stat(path, false).kind == platform::FileKind::kRegular) platform::Remove(path);
  }
}

}  // namespace

InputFile::~InputFile() { Close(); }

bool InputFile::Open(const std::string& path, bool textMode) {
  Close();
  notFound_ = false;
  fd_ = platform::OpenForReading(path);
  if (fd_ < 0) {
    platform::Failure failure = platform::LastFailure();
    notFound_ = failure == platform::Failure::kMissing;
    reason_ = notFound_                               ? "no such file"
              : failure == platform::Failure::kDenied ? "permission denied"
                                                      : "cannot be opened";
    return false;
  }
  platform::FileInfo info = platform::StatHandle(fd_);
  if (info.kind != platform::FileKind::kRegular) {
    Close();
    reason_ = "not a regular file";
    return false;
  }
  reason_ = "";
  size_ = info.size;
  text_ = textMode;
  error_ = false;
  folder_.Reset();
  consumed_ = 0;
  raw_.resize(kChunk);
  return true;
}

std::string_view CrLfFolder::Fold(char* data, std::size_t size) {
  char* const base = data - 1;
  const std::size_t len = size + 1;
  std::size_t start = 1;
  if (pendingCr_ && size > 0) {
    pendingCr_ = false;
    if (base[1] != '\n') {
      base[0] = '\r';
      start = 0;
    }
  }
  std::size_t out = 1;
  for (std::size_t i = 1; i < len;) {
    const void* cr = std::memchr(base + i, '\r', len - i);
    std::size_t end = cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - base) : len;
    if (out != i) std::memmove(base + out, base + i, end - i);
    out += end - i;
    if (!cr) break;
    if (end + 1 == len) {
      // The LF that may follow is in the next chunk.
      pendingCr_ = true;
      i = len;
    } else {
      if (base[end + 1] != '\n') base[out++] = '\r';
      i = end + 1;
    }
  }
  return std::string_view(base + start, out - start);
}

std::string_view CrLfFolder::Finish() {
  if (!pendingCr_) return {};
  pendingCr_ = false;
  return "\r";
}

std::string_view InputFile::ReadChunk() {
  if (fd_ < 0) return {};
  while (true) {
    // Byte 0 is kept free for a CR held back from the chunk before.
    char* const base = raw_.data();
    long n = platform::ReadSome(fd_, base + 1, raw_.size() - 1);
    if (n <= 0) {
      if (n < 0) error_ = true;
      return text_ ? folder_.Finish() : std::string_view();
    }
    consumed_ += static_cast<std::uint64_t>(n);
    if (!text_) return std::string_view(base + 1, static_cast<std::size_t>(n));
    const std::string_view folded = folder_.Fold(base + 1, static_cast<std::size_t>(n));
    if (!folded.empty()) return folded;
  }
}

bool InputFile::ReadAll(std::string& out) {
  out.clear();
  if (fd_ < 0) return false;
  if (size_) out.reserve(static_cast<std::size_t>(size_));
  for (std::string_view c = ReadChunk(); !c.empty(); c = ReadChunk()) out.append(c);
  return !error_;
}

void InputFile::Close() {
  if (fd_ >= 0) platform::Close(fd_);
  fd_ = -1;
}

AtomicFileWriter::~AtomicFileWriter() { Abandon(); }

void AtomicFileWriter::UseUnnamedTemporaries(bool use) { gUnnamedTemporaries = use; }

bool AtomicFileWriter::Open(const std::string& target, bool textMode, std::uint32_t newFilePermissions) {
  using platform::FileKind;
  Abandon();
  if (target.empty()) return false;
  text_ = textMode;
  written_ = 0;
  writtenBack_ = 0;
  buffer_.clear();
  platform::FileInfo info = platform::Stat(target);
  switch (info.kind) {
    case FileKind::kStream:
      // Replacing a FIFO or a device by a plain file would break it.
      fd_ = platform::OpenExistingForWriting(target);
      if (fd_ < 0) return false;
      target_ = target;
      way_ = Way::kStream;
      break;
    case FileKind::kRegular:
      if (!platform::ResolvePath(target, target_)) return false;
      if (!OpenRegular(info.links, info.permissions, newFilePermissions)) return false;
      break;
    case FileKind::kMissing:
      // A dangling link: writing would create a file somewhere unexpected.
      if (platform::Stat(target, false).kind != FileKind::kMissing) return false;
      target_ = target;
      way_ = Way::kReplace;
      if (!CreateTemporary(FolderOfPath(target_), newFilePermissions)) return false;
      break;
    default:
      return false;
  }
  ok_ = true;
  buffer_.reserve(kWriteBuffer + 1024);
  return true;
}

bool AtomicFileWriter::OpenRegular(std::uint64_t links, std::uint32_t permissions, std::uint32_t newFilePermissions) {
  // A read-only file stays as it is, as a plain write would leave it (even for root).
  if ((permissions & 0222) == 0) return false;
  platform::Handle probe = platform::OpenExistingForWriting(target_);
  if (probe < 0) return false;
  platform::Close(probe);
  const std::string folder = FolderOfPath(target_);
  bool beside = CreateTemporary(folder, links > 1 ? 0600 : newFilePermissions);
  if (!beside && platform::LastFailure() != platform::Failure::kDenied) return false;
  if (links > 1 || !beside) {
    way_ = Way::kInPlace;
    return beside || CreateTemporary(platform::TemporaryFolder(), 0600);
  }
  way_ = Way::kReplace;
  platform::SetPermissions(fd_, permissions);
  return true;
}

bool AtomicFileWriter::CreateTemporary(const std::string& folder, std::uint32_t permissions) {
  tempFolder_ = folder;
  tempPath_.clear();
  SweepStaleTemporaries(folder);
  if (gUnnamedTemporaries) {
    fd_ = platform::CreateUnnamed(folder, permissions);
    if (fd_ >= 0) return true;
    platform::Failure why = platform::LastFailure();
    if (why == platform::Failure::kDenied || why == platform::Failure::kMissing) return false;
  }
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string path = FittedName(
        folder, NameOf(target_),
        std::string(kTempMark) + std::to_string(platform::ProcessId()) + "." + std::to_string(gTempCounter++));
    fd_ = platform::CreateExclusive(path, permissions);
    if (fd_ >= 0) {
      tempPath_ = path;
      return true;
    }
    if (platform::LastFailure() != platform::Failure::kExists) return false;
  }
  return false;
}

// Gives the unnamed temporary file a free name in its folder.
bool AtomicFileWriter::NameTemporary(const std::string& suffixBase, std::string& path) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    path = FittedName(tempFolder_, NameOf(target_), suffixBase + std::to_string(gTempCounter++));
    if (platform::LinkUnnamed(fd_, path)) return true;
    if (platform::LastFailure() != platform::Failure::kExists) break;
  }
  path.clear();
  return false;
}

bool AtomicFileWriter::SetPermissions(std::uint32_t permissions) {
  return ok_ && way_ == Way::kReplace && platform::SetPermissions(fd_, permissions);
}

void AtomicFileWriter::Write(std::string_view data) {
  if (!text_) {
    WriteRaw(data);
    return;
  }
  std::size_t i = 0;
  while (i < data.size()) {
    std::size_t nl = data.find('\n', i);
    if (nl == std::string_view::npos) {
      WriteRaw(data.substr(i));
      break;
    }
    WriteRaw(data.substr(i, nl - i));
    WriteRaw("\r\n");
    i = nl + 1;
  }
}

void AtomicFileWriter::WriteRaw(std::string_view data) {
  if (!ok_) return;
  if (buffer_.size() + data.size() > kWriteBuffer) {
    if (!FlushBuffer()) return;
    if (data.size() > kWriteBuffer) {
      buffer_.assign(data);
      FlushBuffer();
      return;
    }
  }
  buffer_.append(data);
}

bool AtomicFileWriter::FlushBuffer() {
  if (!platform::WriteAll(fd_, buffer_.data(), buffer_.size())) {
    ok_ = false;
    buffer_.clear();
    return false;
  }
  written_ += buffer_.size();
  // The disk starts on what was written while the rest is made, in pieces
  // large enough that asking costs little.
  if (written_ - writtenBack_ >= kWritebackPiece) {
    platform::StartWriteback(fd_, writtenBack_, written_ - writtenBack_);
    writtenBack_ = written_;
  }
  buffer_.clear();
  return true;
}

// The complete copy goes over the target's bytes. Room is made first, so a
// full disk fails before anything changed; should the copy fail later all the
// same, the complete copy is kept as NAME.unsaved-N beside where it was made.
bool AtomicFileWriter::CopyInPlace() {
  platform::Handle out = platform::OpenExistingForWriting(target_);
  if (out < 0) return false;
  if (!platform::LockExclusive(out) || !platform::Reserve(out, written_)) {
    platform::Close(out);
    return false;
  }
  bool good = true;
  std::string chunk(kChunk, '\0');
  for (std::uint64_t offset = 0; good && offset < written_;) {
    std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(chunk.size(), written_ - offset));
    long n = platform::ReadAt(fd_, chunk.data(), want, offset);
    good = n > 0 && platform::WriteAll(out, chunk.data(), static_cast<std::size_t>(n));
    if (good) offset += static_cast<std::uint64_t>(n);
  }
  good = good && platform::Truncate(out, written_) && platform::Sync(out);
  if (!platform::Close(out)) good = false;
  if (!good) {
    std::string kept;
    if (tempPath_.empty()) {
      NameTemporary(".unsaved-", kept);
    } else {
      kept = FittedName(tempFolder_, NameOf(target_), ".unsaved-" + std::to_string(gTempCounter++));
      if (platform::Rename(tempPath_, kept)) tempPath_.clear();
    }
  }
  return good;
}

bool AtomicFileWriter::Commit() {
  if (fd_ < 0) return false;
  bool good = ok_ && FlushBuffer();
  switch (way_) {
    case Way::kStream:
      break;
    case Way::kInPlace:
      good = good && CopyInPlace();
      break;
    case Way::kReplace:
      // The data must be on the disk before the name points at it.
      good = good && platform::Sync(fd_);
      if (good && tempPath_.empty()) {
        good = NameTemporary(std::string(kTempMark) + std::to_string(platform::ProcessId()) + ".", tempPath_);
      }
      break;
  }
  if (!platform::Close(fd_)) good = false;
  fd_ = -1;
  if (way_ == Way::kReplace && good) {
    good = platform::Rename(tempPath_, target_);
    if (good) {
      tempPath_.clear();
      platform::SyncFolder(FolderOfPath(target_));
    }
  }
  if (!tempPath_.empty()) platform::Remove(tempPath_);
  tempPath_.clear();
  ok_ = false;
  return good;
}

void AtomicFileWriter::Abandon() {
  if (fd_ >= 0) {
    platform::Close(fd_);
    fd_ = -1;
  }
  if (!tempPath_.empty()) {
    platform::Remove(tempPath_);
    tempPath_.clear();
  }
  ok_ = false;
}

std::string FolderOfPath(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool FileExists(const std::string& path) {
  platform::FileKind kind = platform::Stat(path).kind;
  return kind != platform::FileKind::kMissing && kind != platform::FileKind::kUnknown;
}

bool LeavesItsFolder(std::string_view path) {
  if (path.empty()) return false;
  if (path[0] == '/' || path[0] == '\\') return true;
  if (path.size() >= 2 && path[1] == ':') return true;
  for (std::size_t start = 0; start <= path.size();) {
    std::size_t end = path.find_first_of("/\\", start);
    if (end == std::string_view::npos) end = path.size();
    if (path.substr(start, end - start) == "..") return true;
    start = end + 1;
  }
  return false;
}

}  // namespace quill
