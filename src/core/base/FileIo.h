#pragma once
// File access shared by every reader and writer.
//
// InputFile opens for reading only (a read-only file or medium loads) and
// hands out chunks; in text mode CR LF becomes LF as it is read, the way the
// files were always read.
//
// AtomicFileWriter writes to a temporary file beside the target, checks every
// write and the close, and renames over the target only when all went well, so
// a failed save leaves the old file as it was.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quill {

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
  void Close();

 private:
  int fd_ = -1;
  bool text_ = false;
  bool error_ = false;
  bool pendingCr_ = false;
  std::uint64_t size_ = 0;
  std::uint64_t consumed_ = 0;
  std::string raw_;
  std::string chunk_;
};

class AtomicFileWriter {
 public:
  AtomicFileWriter() = default;
  ~AtomicFileWriter();  // an uncommitted file is removed
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // textMode: every LF written reaches the disk as CR LF.
  bool Open(const std::string& target, bool textMode);
  void Write(std::string_view data);
  void Write(char c) { Write(std::string_view(&c, 1)); }
  void WriteBytes(const void* data, std::size_t size) {
    WriteRaw(std::string_view(static_cast<const char*>(data), size));
  }
  bool Ok() const { return ok_; }
  // Flushes, syncs, closes and renames; false (old file untouched) on any failure.
  bool Commit();
  void Abandon();

 private:
  void WriteRaw(std::string_view data);
  bool FlushBuffer();

  int fd_ = -1;
  bool text_ = false;
  bool ok_ = false;
  std::string target_;
  std::string temp_;
  std::string buffer_;
};

bool FileExists(const std::string& path);

}  // namespace quill
