// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ByteSearch.h"

#include <algorithm>

#if defined(__x86_64__)
#include <emmintrin.h>
#define QUILL_BYTES_SSE2 1
#if defined(__GNUC__)
#include <immintrin.h>
#define QUILL_BYTES_AVX2 1
#endif
#endif

namespace quill {
namespace {

// The middle of a needle whose first and last bytes already matched; needles
// are short tag names, where a loop beats a call to memcmp.
inline bool MiddleMatches(const char* at, std::string_view needle) {
  for (std::size_t i = 1; i + 1 < needle.size(); ++i) {
    if (at[i] != needle[i]) return false;
  }
  return true;
}

#if defined(QUILL_BYTES_AVX2)
// Thirty-two starts at a time; from moves to where the whole blocks end.
// The position is kept in a local: the vector loads may alias anything, so
// one kept behind a reference would go to memory every block.
__attribute__((target("avx2"))) std::size_t FindInBlocks32(const char* base, std::size_t& from, std::size_t lastStart,
                                                           std::string_view needle) {
  std::size_t i = from;
  const std::size_t tail = needle.size() - 1;
  const __m256i first = _mm256_set1_epi8(needle[0]);
  const __m256i last = _mm256_set1_epi8(needle[tail]);
  for (; i + 31 <= lastStart; i += 32) {
    const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(base + i));
    const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(base + i + tail));
    unsigned mask = static_cast<unsigned>(
        _mm256_movemask_epi8(_mm256_and_si256(_mm256_cmpeq_epi8(a, first), _mm256_cmpeq_epi8(b, last))));
    while (mask != 0) {
      const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(mask));
      if (MiddleMatches(base + at, needle)) return at;
      mask &= mask - 1;
    }
  }
  from = i;
  return std::string_view::npos;
}
#endif

#if defined(QUILL_BYTES_SSE2)
// Sixteen starts at a time, whose last bytes end at most at the text's end.
[[gnu::always_inline]] inline std::size_t FindInBlocks16(const char* base, std::size_t& from, std::size_t lastStart,
                                                         std::string_view needle) {
  std::size_t i = from;
  const std::size_t tail = needle.size() - 1;
  const __m128i first = _mm_set1_epi8(needle[0]);
  const __m128i last = _mm_set1_epi8(needle[tail]);
  for (; i + 15 <= lastStart; i += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + i + tail));
    unsigned mask =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last))));
    while (mask != 0) {
      const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(mask));
      if (MiddleMatches(base + at, needle)) return at;
      mask &= mask - 1;
    }
  }
  from = i;
  return std::string_view::npos;
}

// Newlines of whole 16-byte blocks, counted in byte lanes that are summed
// before they can overflow; from moves to where the blocks end.
[[gnu::always_inline]] inline std::uint64_t CountNewlines16(const char* p, std::size_t n, std::size_t& from) {
  std::size_t i = from;
  std::uint64_t count = 0;
  const __m128i newline = _mm_set1_epi8('\n');
  while (n - i >= 16) {
    const std::size_t blocks = std::min<std::size_t>((n - i) / 16, 255);
    __m128i lanes = _mm_setzero_si128();
    for (std::size_t b = 0; b < blocks; ++b, i += 16) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
      lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(v, newline));
    }
    const __m128i sums = _mm_sad_epu8(lanes, _mm_setzero_si128());
    count +=
        static_cast<std::uint64_t>(_mm_cvtsi128_si64(sums)) + static_cast<std::uint64_t>(_mm_extract_epi16(sums, 4));
  }
  from = i;
  return count;
}

// Whole 16-byte blocks; false at the first block holding a byte the plain
// loop would stop at. from moves past the blocks written.
[[gnu::always_inline]] inline bool LowerPlainAscii16(const char* p, std::size_t n, char* out, std::size_t& from) {
  std::size_t i = from;
  const __m128i amp = _mm_set1_epi8('&');
  const __m128i lt = _mm_set1_epi8('<');
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  // Adding 0x80 - 'A' moves A..Z to the 26 lowest signed bytes.
  const __m128i shift = _mm_set1_epi8(0x80 - 'A');
  const __m128i belowZ = _mm_set1_epi8(-128 + 26);
  const __m128i caseBit = _mm_set1_epi8(0x20);
  for (; i + 16 <= n; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const __m128i special = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, amp), _mm_cmpeq_epi8(v, lt)),
                                         _mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
    if (_mm_movemask_epi8(_mm_or_si128(v, special)) != 0) return false;
    const __m128i upper = _mm_cmplt_epi8(_mm_add_epi8(v, shift), belowZ);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_or_si128(v, _mm_and_si128(upper, caseBit)));
  }
  from = i;
  return true;
}
#endif

// Read once before main. A call from another file's static initialiser
// that comes first finds it zero, kPlain: slower, never wrong.
ByteWidth DetectWidest() {
#if defined(QUILL_BYTES_AVX2)
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2")) return ByteWidth::kAvx2;
#endif
#if defined(QUILL_BYTES_SSE2)
  return ByteWidth::kSse2;
#else
  return ByteWidth::kPlain;
#endif
}

const ByteWidth kWidest = DetectWidest();

// XML has a "<" every few dozen bytes: stopping at each, as a search by first
// byte does, costs more than testing many places at once for the needle's
// first and last bytes together, which tags rarely share.
[[gnu::always_inline]] inline std::size_t Find(ByteWidth width, std::string_view text, std::string_view needle,
                                               std::size_t pos) {
  if (needle.size() < 2) return text.find(needle, pos);
  if (pos > text.size() || needle.size() > text.size() - pos) return std::string_view::npos;
  const char* base = text.data();
  const std::size_t tail = needle.size() - 1;
  const std::size_t lastStart = text.size() - needle.size();
  std::size_t i = pos;
#if defined(QUILL_BYTES_AVX2)
  if (width == ByteWidth::kAvx2) {
    const std::size_t at = FindInBlocks32(base, i, lastStart, needle);
    if (at != std::string_view::npos) return at;
  }
#endif
#if defined(QUILL_BYTES_SSE2)
  if (width != ByteWidth::kPlain) {
    const std::size_t at = FindInBlocks16(base, i, lastStart, needle);
    if (at != std::string_view::npos) return at;
  }
#else
  (void)width;
#endif
  for (; i <= lastStart; ++i) {
    if (base[i] == needle[0] && base[i + tail] == needle[tail] && MiddleMatches(base + i, needle)) return i;
  }
  return std::string_view::npos;
}

[[gnu::always_inline]] inline std::uint64_t Count(ByteWidth width, std::string_view bytes) {
  const char* p = bytes.data();
  const std::size_t n = bytes.size();
  std::uint64_t count = 0;
  std::size_t i = 0;
#if defined(QUILL_BYTES_SSE2)
  if (width != ByteWidth::kPlain) count = CountNewlines16(p, n, i);
#else
  (void)width;
#endif
  for (; i < n; ++i) count += p[i] == '\n';
  return count;
}

[[gnu::always_inline]] inline bool Lower(ByteWidth width, std::string_view text, char* out) {
  const char* p = text.data();
  const std::size_t n = text.size();
  std::size_t i = 0;
#if defined(QUILL_BYTES_SSE2)
  if (width != ByteWidth::kPlain && !LowerPlainAscii16(p, n, out, i)) return false;
#else
  (void)width;
#endif
  for (; i < n; ++i) {
    const char c = p[i];
    if (static_cast<unsigned char>(c) >= 0x80 || c == '&' || c == '<' || c == '\r' || c == '\n') return false;
    out[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return true;
}

}  // namespace

ByteWidth WidestByteWidth() { return kWidest; }

std::size_t FindBytes(std::string_view text, std::string_view needle, std::size_t pos) {
  return Find(kWidest, text, needle, pos);
}

std::uint64_t CountNewlines(std::string_view bytes) { return Count(kWidest, bytes); }

bool LowerPlainAscii(std::string_view text, char* out) { return Lower(kWidest, text, out); }

std::size_t FindBytes(ByteWidth width, std::string_view text, std::string_view needle, std::size_t pos) {
  return Find(std::min(width, kWidest), text, needle, pos);
}

std::uint64_t CountNewlines(ByteWidth width, std::string_view bytes) { return Count(std::min(width, kWidest), bytes); }

bool LowerPlainAscii(ByteWidth width, std::string_view text, char* out) {
  return Lower(std::min(width, kWidest), text, out);
}

}  // namespace quill
