// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzSupport.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

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

void ReadWithInputChosenOptions(ReaderFn reader, const std::uint8_t* data, std::size_t size) {
  MemoryFile file(data, size);
  if (file.path().empty()) return;
  WaypointStore store;
  int answer = size ? data[0] % 3 : 2;
  store.SetDuplicateQuestion([answer](const std::string&) { return answer; });
  ReadOptions options;
  options.includeGroundspeak = size > 1 && (data[1] & 1);
  options.noCheckWhenEmpty = size > 1 && (data[1] & 2);
  reader(file.path(), store, options, nullptr);
}

void CheckUnfinishedLine(const std::string& unfinished, const std::uint8_t* data, std::size_t size) {
  if (unfinished.empty()) return;
  if (unfinished.rfind("line ", 0) != 0) __builtin_trap();
  unsigned long long line = std::strtoull(unfinished.c_str() + 5, nullptr, 10);
  auto lines = static_cast<unsigned long long>(std::count(data, data + size, '\n')) + 1;
  if (line < 1 || line > lines) __builtin_trap();
}

}  // namespace quill::fuzz
