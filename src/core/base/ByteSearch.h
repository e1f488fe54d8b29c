// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The byte loops every load and every list filter runs over whole files and
// texts, and the memory hint for records visited in order. Each loop looks at
// 16 or 32 bytes at once where the processor can and has a plain byte-by-byte
// width that gives the same results: the tests hold every width to it, and a
// processor without vector instructions runs it alone.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quill {

enum class ByteWidth { kPlain, kSse2, kAvx2 };
// The widest width this processor and build run.
ByteWidth WidestByteWidth();

// Where needle first occurs at or after pos, or npos: std::string_view::find,
// made for XML, where a needle's first byte ("<") is everywhere but its first
// and last bytes together are rare.
std::size_t FindBytes(std::string_view text, std::string_view needle, std::size_t pos = 0);
// The number of "\n" bytes.
std::uint64_t CountNewlines(std::string_view bytes);
// Writes text lower-cased (A..Z only) to out, which holds text.size() bytes.
// False, with out partly written, when text holds a byte of 0x80 or above,
// "&", "<", CR or LF: the bytes XML content or a code page can change.
bool LowerPlainAscii(std::string_view text, char* out);

// The same at a chosen width; one wider than WidestByteWidth() runs as that.
std::size_t FindBytes(ByteWidth width, std::string_view text, std::string_view needle, std::size_t pos);
std::uint64_t CountNewlines(ByteWidth width, std::string_view bytes);
bool LowerPlainAscii(ByteWidth width, std::string_view text, char* out);

// Asks for the memory at p ahead of its use; a hint, never a fault.
inline void Prefetch(const void* p) {
#if defined(__GNUC__)
  __builtin_prefetch(p);
#else
  (void)p;
#endif
}

// How many items ahead a loop over objects far apart in memory asks for the
// next ones: enough to hide the wait, few enough to stay in the cache.
inline constexpr std::size_t kPrefetchAhead = 8;

}  // namespace quill
