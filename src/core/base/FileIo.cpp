#include "base/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace quill {
namespace {
constexpr std::size_t kChunk = 64 * 1024;
constexpr std::size_t kWriteBuffer = 256 * 1024;
}  // namespace

InputFile::~InputFile() { Close(); }

bool InputFile::Open(const std::string& path, bool textMode) {
  Close();
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) return false;
  struct stat st {};
  if (::fstat(fd_, &st) != 0 || S_ISDIR(st.st_mode)) {
    Close();
    return false;
  }
  size_ = S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size) : 0;
  text_ = textMode;
  error_ = false;
  pendingCr_ = false;
  consumed_ = 0;
  raw_.resize(kChunk);
  return true;
}

std::string_view InputFile::ReadChunk() {
  if (fd_ < 0) return {};
  while (true) {
    ssize_t n = ::read(fd_, raw_.data(), raw_.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n < 0) error_ = true;
      if (pendingCr_) {
        pendingCr_ = false;
        chunk_.assign("\r");
        return chunk_;
      }
      return {};
    }
    consumed_ += static_cast<std::uint64_t>(n);
    if (!text_) return std::string_view(raw_.data(), static_cast<std::size_t>(n));
    chunk_.clear();
    std::size_t len = static_cast<std::size_t>(n);
    const char* p = raw_.data();
    std::size_t i = 0;
    if (pendingCr_) {
      pendingCr_ = false;
      if (p[0] != '\n') chunk_.push_back('\r');
    }
    while (i < len) {
      const void* cr = std::memchr(p + i, '\r', len - i);
      std::size_t end = cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - p) : len;
      chunk_.append(p + i, end - i);
      if (!cr) break;
      if (end + 1 == len) {
        // The LF that may follow is in the next chunk.
        pendingCr_ = true;
        i = len;
      } else {
        if (p[end + 1] != '\n') chunk_.push_back('\r');
        i = end + 1;
      }
    }
    if (chunk_.empty()) continue;
    return chunk_;
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
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

AtomicFileWriter::~AtomicFileWriter() { Abandon(); }

bool AtomicFileWriter::Open(const std::string& target, bool textMode) {
  Abandon();
  if (target.empty()) return false;
  target_ = target;
  text_ = textMode;
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".~qm%ld.%u", static_cast<long>(::getpid()), counter++);
    temp_ = target + suffix;
    // 0666 under the user's umask, as a plain create would give the file.
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ >= 0) break;
    if (errno != EEXIST) break;
  }
  if (fd_ < 0) {
    temp_.clear();
    return false;
  }
  // Keep the permissions of a file being replaced.
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::fchmod(fd_, st.st_mode & 07777);
  ok_ = true;
  buffer_.clear();
  buffer_.reserve(kWriteBuffer + 1024);
  return true;
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
  const char* p = buffer_.data();
  std::size_t left = buffer_.size();
  while (left > 0) {
    ssize_t n = ::write(fd_, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok_ = false;
      buffer_.clear();
      return false;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  buffer_.clear();
  return true;
}

bool AtomicFileWriter::Commit() {
  if (fd_ < 0) return false;
  bool good = ok_ && FlushBuffer();
  // The data must be on the disk before the name points at it.
  if (good && ::fsync(fd_) != 0) good = false;
  if (::close(fd_) != 0) good = false;
  fd_ = -1;
  if (good && ::rename(temp_.c_str(), target_.c_str()) != 0) good = false;
  if (!good) {
    ::unlink(temp_.c_str());
  }
  temp_.clear();
  ok_ = false;
  return good;
}

void AtomicFileWriter::Abandon() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (!temp_.empty()) {
    ::unlink(temp_.c_str());
    temp_.clear();
  }
  ok_ = false;
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

}  // namespace quill
