// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/ScramblePassword.h"

namespace quill {

std::string ScramblePassword(std::string_view text, std::string_view key, ScrambleDirection direction) {
  std::string out(text);
  if (key.empty()) return out;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const int c = static_cast<unsigned char>(out[i]);
    if (c < 32 || c > 127) continue;
    int k = static_cast<unsigned char>(key[i % key.size()]);
    if (k >= 'a' && k <= 'z') k -= 'a' - 'A';
    const int shift = (k >= 'A' && k <= 'Z') ? k - 'A' : 0;
    int shifted = direction == ScrambleDirection::Add ? c + shift : c - shift;
    if (shifted < 32) shifted += 96;
    if (shifted > 127) shifted -= 96;
    out[i] = static_cast<char>(shifted);
  }
  return out;
}

}  // namespace quill
