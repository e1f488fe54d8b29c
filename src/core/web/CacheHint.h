// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The hint of a cache as geocachers pass it on: every Latin letter turned
// 13 places round the alphabet (the same turn encodes and decodes), while
// what stands in [square brackets] stays as written: that is where owners
// put what must stay readable, such as a note in another language.
#include <string>
#include <string_view>

namespace quill {

// Bytes outside A..Z and a..z pass unchanged, so UTF-8 stays whole. A "]"
// without its "[" is plain text; an unclosed "[" keeps the rest as written.
std::string TurnHint(std::string_view hint);

}  // namespace quill
