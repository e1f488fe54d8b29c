// SPDX-License-Identifier: GPL-3.0-or-later
// The cache page under any record: the first line is the waypoint's name, the
// rest its Groundspeak data (marker texts and hostile HTML in the seeds).
// The page stays within its bound, and what the cleaner makes of the same
// bytes holds no element, attribute or address outside the allow-list, as an
// independent reading of its output checks.
#include <cstdint>
#include <string>
#include <string_view>

#include "web/CacheHtml.h"
#include "web/CachePage.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

bool OneOf(std::string_view word, std::initializer_list<std::string_view> words) {
  for (std::string_view w : words) {
    if (w == word) return true;
  }
  return false;
}

std::string Lowered(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return out;
}

bool IsWeb(std::string_view url) {
  const std::string lower = Lowered(url.substr(0, 8));
  return lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0;
}

// Escaped values hold no quote, so a tag reads as: <name( attr="value")*>.
void CheckTag(std::string_view tag) {
  if (!tag.empty() && tag.front() == '/') tag.remove_prefix(1);
  std::size_t end = 0;
  while (end < tag.size() && tag[end] != ' ') ++end;
  const std::string_view name = tag.substr(0, end);
  Check(OneOf(name, {"p",          "br",  "b",   "i",     "u",       "s",        "strike", "em",    "strong", "small",
                     "big",        "sub", "sup", "tt",    "code",    "cite",     "span",   "div",   "center", "font",
                     "blockquote", "pre", "hr",  "table", "caption", "colgroup", "col",    "thead", "tbody",  "tfoot",
                     "tr",         "td",  "th",  "ul",    "ol",      "li",       "dl",     "dt",    "dd",     "h1",
                     "h2",         "h3",  "h4",  "h5",    "h6",      "a",        "img"}));
  std::string_view rest = tag.substr(end);
  while (!rest.empty()) {
    Check(rest.front() == ' ');
    const std::size_t equals = rest.find("=\"");
    Check(equals != std::string_view::npos);
    const std::string_view attribute = rest.substr(1, equals - 1);
    const std::size_t close = rest.find('"', equals + 2);
    Check(close != std::string_view::npos);
    const std::string_view value = rest.substr(equals + 2, close - equals - 2);
    Check(value.find_first_of("<>\"") == std::string_view::npos);
    if (attribute == "href") {
      Check(name == "a" && IsWeb(value));
    } else if (attribute == "src") {
      const std::size_t colon = value.find(':');
      const bool local = !value.empty() && value.substr(0, 2) != "//" && value.substr(0, 2) != "\\\\" &&
                         value.substr(0, 2) != "/\\" && value.substr(0, 2) != "\\/" &&
                         (colon == std::string_view::npos || value.find_first_of("/\\?#") < colon);
      Check(name == "img" && (IsWeb(value) || local));
    } else if (attribute == "style") {
      const std::string lower = Lowered(value);
      for (const char* word : {"url", "image", "\\", "@", "src"}) Check(lower.find(word) == std::string::npos);
    } else {
      Check(!attribute.empty() && attribute.substr(0, 2) != "on");
      Check(OneOf(attribute,
                  {"align", "alt",     "bgcolor", "border", "cellpadding", "cellspacing", "color",  "colspan", "dir",
                   "face",  "height",  "hspace",  "lang",   "noshade",     "nowrap",      "size",   "rowspan", "span",
                   "start", "summary", "title",   "type",   "valign",      "value",       "vspace", "width"}));
    }
    rest = rest.substr(close + 1);
  }
}

// Text is escaped, so every "<" opens a tag of ours and every ">" closes one.
void CheckClean(std::string_view html) {
  std::size_t at = 0;
  while (at < html.size()) {
    Check(html[at] != '>');
    if (html[at] != '<') {
      ++at;
      continue;
    }
    const std::size_t end = html.find('>', at);
    Check(end != std::string_view::npos);
    CheckTag(html.substr(at + 1, end - at - 1));
    at = end + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t line = input.find('\n');
  quill::TGpxRecord record;
  record.Name = std::string(input.substr(0, line));
  record.Time = record.Name;
  record.GroundspeakXml = line == std::string_view::npos ? std::string() : std::string(input.substr(line + 1));

  std::string templ = "<html><title><!--TW_PAGE_TITLE--></title><img src=\"<!--TW_CT_ICON-->\">";
  for (int copy = 0; copy < 2; ++copy) {
    for (std::string_view marker : quill::CachePageMarkers()) templ += "<div>" + std::string(marker) + "</div>";
  }
  const std::string page = quill::BuildCachePage(templ, record, "x%20y_files/");
  const std::size_t texts = record.Name.size() + record.Time.size() + record.GroundspeakXml.size();
  Check(page.size() <= templ.size() + 8 * texts + 4096);

  const std::string clean = quill::CleanCacheHtml(input);
  Check(clean.size() <= quill::CacheHtmlCleaner::kMostGrowth * size + quill::CacheHtmlCleaner::kSlack);
  CheckClean(clean);
  return 0;
}
