// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/CacheHint.h"

namespace quill {

std::string TurnHint(std::string_view hint) {
  std::string out(hint);
  int depth = 0;
  for (char& c : out) {
    if (c == '[') {
      ++depth;
    } else if (c == ']') {
      if (depth > 0) --depth;
    } else if (depth == 0) {
      if (c >= 'a' && c <= 'z') {
        c = static_cast<char>('a' + (c - 'a' + 13) % 26);
      } else if (c >= 'A' && c <= 'Z') {
        c = static_cast<char>('A' + (c - 'A' + 13) % 26);
      }
    }
  }
  return out;
}

}  // namespace quill
