// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Code-page conversion between UTF-8 (files) and Windows-1252 (memory).
//
// In memory, characters Windows-1252 cannot hold stay as their UTF-8 byte
// sequences; every step that rewrites bytes >= 0x80 must keep such a sequence
// whole, so it asks KeptUtf8Length first.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quill {

// UTF-8 to Windows-1252: the pairs and triples of the code-page table and the
// Latin-1 range become their byte; every other byte is copied unchanged.
std::string Utf8ToAnsi(std::string_view text);
void AppendUtf8AsAnsi(std::string& out, std::string_view text);

// Windows-1252 to UTF-8. A well-formed UTF-8 sequence that Utf8ToAnsi would not
// have converted is copied unchanged.
std::string AnsiToUtf8(std::string_view text);
void AppendAnsiAsUtf8(std::string& out, std::string_view text);

// Length (2..4) of a well-formed UTF-8 sequence at text[pos] that Utf8ToAnsi
// leaves unconverted, or 0 when none starts there.
std::size_t KeptUtf8Length(std::string_view text, std::size_t pos);

// Appends the UTF-8 form of a Unicode scalar value; false for surrogates and
// values above U+10FFFF (nothing appended).
bool AppendUtf8CodePoint(std::string& out, std::uint32_t cp);

// The character of memory text at pos (< text.size()) as AnsiToUtf8 reads it:
// a kept UTF-8 sequence or one Windows-1252 byte (an undefined byte reads as
// "."). Its Unicode value; length gets its length in bytes.
std::uint32_t AnsiCharAt(std::string_view text, std::size_t pos, std::size_t& length);
// Appends a Unicode scalar value as memory text: the byte Utf8ToAnsi makes of
// it, or else its UTF-8 form.
void AppendCodePointAsAnsi(std::string& out, std::uint32_t cp);

}  // namespace quill
