#pragma once
// The fuzz bytes as a file the readers can open (an anonymous memory file,
// so no disk traffic and nothing left behind).
#include <cstddef>
#include <cstdint>
#include <string>

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

}  // namespace quill::fuzz
