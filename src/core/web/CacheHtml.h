// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Third-party HTML (cache descriptions, hints, logs, names) made safe to show:
// parsed by a real HTML parser (gumbo) and written out again from an
// allow-list. Text and harmless mark-up stay; active elements (script, style,
// meta, link, base, frames, objects, forms, svg, math, template, ...) go with
// their content; every attribute outside the list goes, and so does every
// URL that is not http(s) (an image may also name a file beside the page) or
// a style that could fetch. The result is UTF-8, well nested, with every text
// and attribute escaped, so it can be put into any element's content.
//
// Hostile input is bounded: the parser's memory, the nesting written out and
// the size of the result are capped (at most kMostGrowth times the input plus
// a little), and what does not fit is shown as escaped text instead.
#include <cstddef>
#include <string>
#include <string_view>

namespace quill {

class CacheHtmlCleaner {
 public:
  // The result of one cleaning is at most this many times the input, plus kSlack bytes.
  static constexpr std::size_t kMostGrowth = 6;
  static constexpr std::size_t kSlack = 16;

  // html is UTF-8 (invalid bytes become U+FFFD).
  std::string Clean(std::string_view html);
  // The visible text of the same HTML, white space run together, escaped for
  // a text-only place such as the page title.
  std::string Text(std::string_view html);

 private:
  std::string Process(std::string_view html, bool textOnly);

  // Start tags the parser may still see over the cleanings of one cleaner: a
  // deeply nested fragment costs the parser time by its depth, so a page with
  // many of them is cut short there.
  std::size_t tagsLeft_ = 40000;
};

// One fragment, for a caller that shows one description.
std::string CleanCacheHtml(std::string_view html);

// UTF-8 text escaped for HTML content and quoted attribute values.
std::string EscapeHtmlText(std::string_view text);
void AppendEscapedHtml(std::string& out, std::string_view text);

}  // namespace quill
