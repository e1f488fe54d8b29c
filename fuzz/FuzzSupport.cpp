#include "FuzzSupport.h"

#include <sys/mman.h>
#include <unistd.h>

namespace quill::fuzz {

MemoryFile::MemoryFile(const std::uint8_t* data, std::size_t size) {
  fd_ = ::memfd_create("quillfuzz", MFD_CLOEXEC);
  if (fd_ < 0) return;
  std::size_t done = 0;
  while (done < size) {
    ssize_t n = ::write(fd_, data + done, size - done);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
  path_ = "/proc/self/fd/" + std::to_string(fd_);
}

MemoryFile::~MemoryFile() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace quill::fuzz
