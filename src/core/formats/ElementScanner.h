// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four-state scanner that cuts whole elements out of a byte stream without
// parsing XML: a tag is anything from "<" to the next ">", a tag beginning with
// the open prefix starts an element, and the first tag inside it beginning
// with the close prefix ends it; an opening tag that closes itself ("/>") is
// an element on its own. State carries over from chunk to chunk.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quill {

class ElementScanner {
 public:
  // Prefixes of at most 15 bytes, e.g. "<wpt" and "</wpt"; the close prefix
  // has no "<" or ">" after its first byte, a "<".
  ElementScanner(std::string_view openPrefix, std::string_view closePrefix,
                 std::function<void(std::string_view element)> onElement);
  void Feed(std::string_view bytes);
  // After the last chunk: empty when every element was closed, else where the
  // open one began and why it is damaged ("line 12: unterminated <wpt>").
  std::string Unfinished() const;

 private:
  static constexpr std::size_t kHead = 16;
  std::function<void(std::string_view element)> onElement_;
  std::string_view open_;
  std::string_view close_;
  int state_ = 0;
  std::string element_;
  char tagHead_[kHead] = {};
  std::size_t tagLength_ = 0;
  std::uint64_t line_ = 1;         // of the next byte fed
  std::uint64_t elementLine_ = 0;  // where the current tag or element began
};

}  // namespace quill
