// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Readies the heap for a load that keeps about as many bytes as it reads.
// Where the system allows, that memory is backed by large pages, so filling
// it does not fault in one small page at a time; the end of the hint lets
// unused memory go back to the system. Only a hint: it may do nothing.
#include <cstdint>

namespace quill {

class LoadHeapHint {
 public:
  explicit LoadHeapHint(std::uint64_t bytes);
  ~LoadHeapHint();
  LoadHeapHint(const LoadHeapHint&) = delete;
  LoadHeapHint& operator=(const LoadHeapHint&) = delete;

 private:
  [[maybe_unused]] bool prepared_ = false;
};

}  // namespace quill
