// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File access shared by every reader and writer.
//
// InputFile opens regular files for reading only (a read-only file or medium
// loads) and hands out chunks; in text mode CR LF becomes LF as it is read, the
// way the files were always read. A FIFO or a device is refused at once rather
// than waited on or read for ever.
//
// AtomicFileWriter writes the whole new file first, checking every write, and
// puts it in place only when all went well, so a failed save leaves the old
// file as it was:
// - usually into an unnamed temporary file beside the target that takes the
//   target's place by rename, so a killed save leaves nothing behind;
// - a symbolic link is followed: the file it points at is replaced, the link stays;
// - a file with more than one name (hard links), or a writable file in a folder
//   we may not write, is overwritten in place from the complete copy, under a
//   lock, after making room for it;
// - a FIFO or a character device receives the bytes directly;
// - a read-only file, a dangling link, a folder or any other kind of file is
//   refused.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quill {

// CR LF becomes LF in text that comes in chunks, a CR at a chunk's end held
// back until the next shows whether an LF follows. Text without CR is not
// moved.
class CrLfFolder {
 public:
  // Folds size bytes at data in place; data[-1] must be writable, for the CR
  // held back from the chunk before. The folded text, perhaps empty.
  std::string_view Fold(char* data, std::size_t size);
  // At the end of the text: the CR still held back, or nothing.
  std::string_view Finish();
  void Reset() { pendingCr_ = false; }

 private:
  bool pendingCr_ = false;
};

class InputFile {
 public:
  InputFile() = default;
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  bool Open(const std::string& path, bool textMode);
  // Next chunk, empty at the end of the file or on a read error.
  std::string_view ReadChunk();
  // Reads the rest of the file (or the whole file when nothing was read yet).
  bool ReadAll(std::string& out);
  std::uint64_t Size() const { return size_; }
  std::uint64_t Consumed() const { return consumed_; }
  bool HadError() const { return error_; }
  // After a failed Open: nothing was there.
  bool NotFound() const { return notFound_; }
  // After a failed Open: why, in a few words ("no such file").
  const char* FailureReason() const { return reason_; }
  void Close();

 private:
  int fd_ = -1;
  bool text_ = false;
  bool error_ = false;
  bool notFound_ = false;
  const char* reason_ = "";
  CrLfFolder folder_;
  std::uint64_t size_ = 0;
  std::uint64_t consumed_ = 0;
  std::string raw_;
};

class AtomicFileWriter {
 public:
  AtomicFileWriter() = default;
  ~AtomicFileWriter();  // an uncommitted file is removed
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // textMode: every LF written reaches the disk as CR LF. A new file gets
  // newFilePermissions under the umask; a replaced file keeps its own.
  bool Open(const std::string& target, bool textMode, std::uint32_t newFilePermissions = 0666);
  void Write(std::string_view data);
  void Write(char c) { Write(std::string_view(&c, 1)); }
  void WriteBytes(const void* data, std::size_t size) {
    WriteRaw(std::string_view(static_cast<const char*>(data), size));
  }
  bool Ok() const { return ok_; }
  // Mode of the file that will replace the target (a file written in place or
  // a device keeps its own): set on the open temporary file, never by path.
  bool SetPermissions(std::uint32_t permissions);
  // Flushes, syncs, closes and renames; false (old file untouched) on any failure.
  bool Commit();
  void Abandon();

  // Named temporary files (NAME.~qmPID.N) where the file system has no unnamed
  // ones; tests switch the unnamed ones off to reach that path.
  static void UseUnnamedTemporaries(bool use);

 private:
  enum class Way { kReplace, kInPlace, kStream };
  bool OpenRegular(std::uint64_t links, std::uint32_t permissions, std::uint32_t newFilePermissions);
  // Creates the temporary file in folder; false with the platform's reason.
  bool CreateTemporary(const std::string& folder, std::uint32_t permissions);
  bool NameTemporary(const std::string& suffixBase, std::string& path);
  bool CopyInPlace();
  void WriteRaw(std::string_view data);
  bool FlushBuffer();

  int fd_ = -1;
  Way way_ = Way::kReplace;
  bool text_ = false;
  bool ok_ = false;
  std::uint64_t written_ = 0;
  std::uint64_t writtenBack_ = 0;  // where the disk was last asked to start
  std::string target_;             // links resolved
  std::string tempFolder_;         // where the temporary file lives
  std::string tempPath_;           // empty while the temporary file has no name
  std::string buffer_;
};

bool FileExists(const std::string& path);
// A relative path from elsewhere (an archive's entry, a device's settings)
// that would lead out of the folder it is taken in: absolute, with a drive
// letter, or with a ".." part; "/" and "\\" both separate.
bool LeavesItsFolder(std::string_view relativePath);
// The folder part of a path without its last "/": "." for a bare name, "/" at the root.
std::string FolderOfPath(const std::string& path);

}  // namespace quill
