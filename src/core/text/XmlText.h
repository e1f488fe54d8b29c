// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Element and attribute access by plain substring search, and the decoding and
// escaping of element texts. Searches are case-sensitive byte searches; a value
// that is not found is the empty text. Views returned point into the input.
#include <span>
#include <string>
#include <string_view>

namespace quill {

std::string_view TextBetween(std::string_view text, std::string_view startMark, std::string_view endMark);
std::string_view StartTagAttributes(std::string_view text, std::string_view tag);
std::string_view AttributeValue(std::string_view text, std::string_view tag, std::string_view attribute);
// Raw content of the (n+1)-th element named tag; "<tag" counts only when a ">"
// or a blank follows, so <namex> never counts for "name".
std::string_view ElementText(std::string_view text, std::string_view tag, int n);
// The content of the first element named tag (by the rule of ElementText)
// whose start tag begins at or after pos; pos moves past that start tag, to
// the end when there is none. Successive calls from 0 give ElementText for
// n = 0, 1, 2, ... up to the first empty result, without searching from the
// start each time.
std::string_view NextElementText(std::string_view text, std::string_view tag, std::size_t& pos);
std::string_view FirstElementText(std::string_view text, std::string_view tag);
// FirstElementText of up to 32 tags in one pass over the text: out[i] is the
// text of tags[i].
void FirstElementTexts(std::string_view text, std::span<const std::string_view> tags, std::span<std::string_view> out);
// The whole first element named tag, its tags included, or empty.
std::string_view WholeElement(std::string_view text, std::string_view tag);

// File text (UTF-8, entities, CDATA) to memory text (Windows-1252).
std::string DecodeElementText(std::string_view text);
// CDATA unwrap or the three basic entities only.
std::string DecodeBasic(std::string_view text);
// Memory text to UTF-8 element content with entities.
std::string EscapeXmlText(std::string_view text);
void AppendEscapedXml(std::string& out, std::string_view text);
// Memory text to UTF-8 without entities, control characters as "_".
std::string CleanText(std::string_view text);

// Replaces every occurrence of from by to.
void ReplaceAll(std::string& text, std::string_view from, std::string_view to);

}  // namespace quill
