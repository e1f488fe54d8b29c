// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/ElementScanner.h"

#include <cstring>

#include "base/ByteSearch.h"

namespace quill {

namespace {

// Only the first bytes of a tag decide anything, so the tag is counted but
// just its head is kept: a tag of any length costs nothing.
template <std::size_t N>
inline void TagAppend(char (&head)[N], std::size_t& length, const char* p, std::size_t n) {
  for (std::size_t i = 0; i < n && length + i < N; ++i) head[length + i] = p[i];
  length += n;
}

// Byte by byte: most tags differ from the prefix in their second or third
// byte, sooner than a call to memcmp returns.
inline bool TagStarts(const char* head, std::size_t length, std::string_view prefix) {
  if (length < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (head[i] != prefix[i]) return false;
  }
  return true;
}

// Whether a "<" at at, inside an element that is between tags at from,
// begins a tag: a ">" ends any tag and a "<" opens one, so the nearest of
// the two before it tells.
inline bool BetweenTags(const char* from, const char* at) {
  while (at > from) {
    --at;
    if (*at == '>') return true;
    if (*at == '<') return false;
  }
  return true;
}

}  // namespace

ElementScanner::ElementScanner(std::string_view openPrefix, std::string_view closePrefix,
                               std::function<void(std::string_view element)> onElement)
    : onElement_(std::move(onElement)),
      open_(openPrefix.substr(0, kHead - 1)),
      close_(closePrefix.substr(0, kHead - 1)) {}

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
  // Lines matter only where a tag outside an element begins: they are
  // counted up to there in one stretch, and to the end of the chunk.
  const char* uncounted = p;
  auto mayOpen = [&]() { return tagLength_ < open_.size() || TagStarts(tagHead_, tagLength_, open_); };
  while (p < end) {
    std::size_t left = static_cast<std::size_t>(end - p);
    switch (state_) {
      case 0: {  // outside any element
        const char* lt = static_cast<const char*>(std::memchr(p, '<', left));
        if (!lt) {
          p = end;
          break;
        }
        line_ += CountNewlines(std::string_view(uncounted, lt));
        uncounted = lt;
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
        if (!begin && mayOpen()) {
          if (tagLength_ == 1) element_.assign(1, '<');
          element_.append(p, n);
        }
        TagAppend(tagHead_, tagLength_, p, n);
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
        // Only a tag that begins with the close prefix can end the element,
        // so the search jumps from one such text to the next instead of
        // stopping at every tag.
        const std::string_view rest(p, left);
        std::size_t at = FindBytes(rest, close_);
        while (at != std::string_view::npos && !BetweenTags(p, p + at)) at = FindBytes(rest, close_, at + 1);
        if (at != std::string_view::npos) {
          keep(p, at + 1);
          p += at + 1;
          tagHead_[0] = '<';
          tagLength_ = 1;
          state_ = 3;
          break;
        }
        // No end in this chunk: its tail decides where the next one starts,
        // in the tag opened by the first "<" after the last ">", if any.
        keep(p, left);
        const char* gt = static_cast<const char*>(memrchr(p, '>', left));
        const char* from = gt ? gt + 1 : p;
        const char* lt = static_cast<const char*>(std::memchr(from, '<', static_cast<std::size_t>(end - from)));
        if (lt) {
          tagLength_ = 0;
          TagAppend(tagHead_, tagLength_, lt, static_cast<std::size_t>(end - lt));
          state_ = 3;
        }
        p = end;
        break;
      }
      case 3: {  // in a tag inside an element
        const char* gt = static_cast<const char*>(std::memchr(p, '>', left));
        std::size_t n = gt ? static_cast<std::size_t>(gt - p) + 1 : left;
        keep(p, n);
        TagAppend(tagHead_, tagLength_, p, n);
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
  line_ += CountNewlines(std::string_view(uncounted, end));
  if (begin) {
    if (state_ >= 2 || (state_ == 1 && mayOpen())) element_.assign(begin, static_cast<std::size_t>(end - begin));
  }
}

}  // namespace quill
