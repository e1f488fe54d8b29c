#include "formats/ElementScanner.h"

#include <algorithm>
#include <cstring>

namespace quill {

namespace {

// Only the first bytes of a tag decide anything, so the tag is counted but
// just its head is kept: a tag of any length costs nothing.
template <std::size_t N>
inline void TagAppend(char (&head)[N], std::size_t& length, const char* p, std::size_t n) {
  for (std::size_t i = 0; i < n && length + i < N; ++i) head[length + i] = p[i];
  length += n;
}

inline bool TagStarts(const char* head, std::size_t length, std::string_view prefix) {
  return length >= prefix.size() && std::memcmp(head, prefix.data(), prefix.size()) == 0;
}

}  // namespace

ElementScanner::ElementScanner(std::string_view openPrefix, std::string_view closePrefix,
                               std::function<void(std::string_view element)> onElement)
    : onElement_(std::move(onElement)),
      open_(openPrefix.substr(0, kHead - 1)),
      close_(closePrefix.substr(0, kHead - 1)) {}

void ElementScanner::CountLines(const char* p, std::size_t n) {
  // Eight bytes at a time: every byte of the file passes through here.
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
  constexpr std::uint64_t kNewlines = 0x0A0A0A0A0A0A0A0AULL;
  std::uint64_t count = 0;
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, p + i, 8);
    std::uint64_t x = word ^ kNewlines;  // a zero byte where a newline was
    std::uint64_t zero = ~(((x & kLow7) + kLow7) | x | kLow7);
    // Sums the eight 0/1 bytes in the top byte; std::popcount is a library
    // call on a baseline x86-64 build.
    count += ((zero >> 7) * 0x0101010101010101ULL) >> 56;
  }
  for (; i < n; ++i) count += p[i] == '\n';
  line_ += count;
}

std::string ElementScanner::Unfinished() const {
  bool open = state_ >= 2 || (state_ == 1 && TagStarts(tagHead_, tagLength_, open_));
  if (!open) return {};
  return "line " + std::to_string(elementLine_) + ": unterminated " + std::string(open_) + ">";
}

void ElementScanner::Feed(std::string_view bytes) {
  const char* p = bytes.data();
  const char* end = p + bytes.size();
  // An element that begins in this chunk is handed out where it lies; only
  // one cut by the chunk's end is copied into element_.
  const char* begin = nullptr;
  auto current = [&]() { return begin ? std::string_view(begin, static_cast<std::size_t>(p - begin)) : element_; };
  auto emit = [&]() {
    onElement_(current());
    element_.clear();
    begin = nullptr;
    state_ = 0;
  };
  auto keep = [&](const char* from, std::size_t n) {
    if (!begin) element_.append(from, n);
  };
  while (p < end) {
    std::size_t left = static_cast<std::size_t>(end - p);
    switch (state_) {
      case 0: {  // outside any element
        const char* lt = static_cast<const char*>(std::memchr(p, '<', left));
        if (!lt) {
          CountLines(p, left);
          p = end;
          break;
        }
        CountLines(p, static_cast<std::size_t>(lt - p));
        elementLine_ = line_;
        tagHead_[0] = '<';
        tagLength_ = 1;
        state_ = 1;
        begin = lt;
        p = lt + 1;
        break;
      }
      case 1: {  // in a tag outside an element
        const char* gt = static_cast<const char*>(std::memchr(p, '>', left));
        std::size_t n = gt ? static_cast<std::size_t>(gt - p) + 1 : left;
        // The tag is needed whole only when it opens an element.
        bool maybeOpen = tagLength_ < open_.size() || TagStarts(tagHead_, tagLength_, open_);
        if (maybeOpen && !begin) {
          if (tagLength_ == 1) element_.assign(1, '<');
          element_.append(p, n);
        }
        TagAppend(tagHead_, tagLength_, p, n);
        CountLines(p, n);
        p += n;
        if (gt) {
          bool opens = TagStarts(tagHead_, tagLength_, open_);
          tagLength_ = 0;
          if (opens) {
            // <wpt lat="1" lon="2"/> holds nothing but its attributes.
            std::string_view tag = current();
            if (tag.size() >= 2 && tag[tag.size() - 2] == '/') {
              emit();
            } else {
              state_ = 2;
            }
          } else {
            state_ = 0;
            element_.clear();
            begin = nullptr;
          }
        }
        break;
      }
      case 2: {  // inside an element, between tags
        const char* lt = static_cast<const char*>(std::memchr(p, '<', left));
        std::size_t n = lt ? static_cast<std::size_t>(lt - p) + 1 : left;
        keep(p, n);
        CountLines(p, n);
        p += n;
        if (lt) {
          tagHead_[0] = '<';
          tagLength_ = 1;
          state_ = 3;
        }
        break;
      }
      case 3: {  // in a tag inside an element
        const char* gt = static_cast<const char*>(std::memchr(p, '>', left));
        std::size_t n = gt ? static_cast<std::size_t>(gt - p) + 1 : left;
        keep(p, n);
        TagAppend(tagHead_, tagLength_, p, n);
        CountLines(p, n);
        p += n;
        if (gt) {
          bool closes = TagStarts(tagHead_, tagLength_, close_);
          tagLength_ = 0;
          if (closes) {
            emit();
          } else {
            state_ = 2;
          }
        }
        break;
      }
    }
  }
  if (begin) {
    bool needed = state_ >= 2 || (state_ == 1 && (tagLength_ < open_.size() || TagStarts(tagHead_, tagLength_, open_)));
    if (needed) element_.assign(begin, static_cast<std::size_t>(end - begin));
  }
}

}  // namespace quill
