// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keyed shift that keeps the stored FTP password from being read at a
// glance. It is obfuscation, not encryption: the settings file's 0600 mode is
// what keeps the password private.
#include <string>
#include <string_view>

namespace quill {

enum class ScrambleDirection { Add, Subtract };

// The key of the stored FTP password.
inline constexpr std::string_view kFtpPasswordKey = "kestra";

// Bytes 32..127 are shifted by the key letter (A = 0 .. Z = 25, anything else
// 0), used cyclically, wrapping within 32..127; other bytes pass unchanged.
// Subtract undoes Add; an empty key leaves the text as it is.
std::string ScramblePassword(std::string_view text, std::string_view key, ScrambleDirection direction);

}  // namespace quill
