// SPDX-License-Identifier: GPL-3.0-or-later
// glibc's allocator alone: elsewhere the hint does nothing.
#include "base/LoadHeapHint.h"

#include <climits>
#include <cstdlib>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#endif

#if defined(__GLIBC__) && defined(MADV_HUGEPAGE) && !defined(__SANITIZE_ADDRESS__)
#define QUILL_LOAD_HEAP_HINT 1
#endif

namespace quill {

LoadHeapHint::LoadHeapHint(std::uint64_t bytes) {
#if defined(QUILL_LOAD_HEAP_HINT)
  // Without this a large load spends a third of its time in page faults.
  // The heap is grown by the amount in pieces (each below the size that
  // would get its own mapping), the pieces are marked for large pages and
  // handed back to the allocator, which then serves the records from them.
  constexpr std::size_t kPiece = 16u << 20;
  constexpr std::uint64_t kWorthIt = 32u << 20;
  constexpr std::uint64_t kAtMost = std::uint64_t{1} << 30;
  if (bytes < kWorthIt || bytes > kAtMost) return;
  // Freed memory at the top of the heap is kept until the load ends, so
  // the marked memory is not returned before it is used.
  if (mallopt(M_MMAP_THRESHOLD, static_cast<int>(2 * kPiece)) != 1 || mallopt(M_TRIM_THRESHOLD, INT_MAX) != 1) return;
  prepared_ = true;
  std::vector<void*> pieces;
  for (std::uint64_t got = 0; got < bytes; got += kPiece) {
    void* p = std::malloc(kPiece);
    if (!p) break;
    pieces.push_back(p);
  }
  constexpr std::uintptr_t kLarge = 2u << 20;
  for (void* p : pieces) {
    auto first = reinterpret_cast<std::uintptr_t>(p);
    std::uintptr_t from = (first + kLarge - 1) & ~(kLarge - 1);
    std::uintptr_t to = (first + kPiece) & ~(kLarge - 1);
    ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
  }
  for (void* p : pieces) std::free(p);
#else
  (void)bytes;
#endif
}

LoadHeapHint::~LoadHeapHint() {
#if defined(QUILL_LOAD_HEAP_HINT)
  // The most glibc keeps on its own.
  if (prepared_) mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
}

}  // namespace quill
