// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/XmlText.h"

#include <algorithm>
#include <cstdint>

#include "base/ByteSearch.h"
#include "text/Ansi.h"

namespace quill {

std::string_view TextBetween(std::string_view text, std::string_view startMark, std::string_view endMark) {
  std::size_t s = FindBytes(text, startMark);
  if (s == std::string_view::npos) return {};
  s += startMark.size();
  std::size_t e = FindBytes(text, endMark, s);
  if (e == std::string_view::npos) return {};
  return text.substr(s, e - s);
}

std::string_view StartTagAttributes(std::string_view text, std::string_view tag) {
  std::string pattern;
  pattern.reserve(tag.size() + 1);
  pattern.push_back('<');
  pattern.append(tag);
  return TextBetween(text, pattern, ">");
}

std::string_view AttributeValue(std::string_view text, std::string_view tag, std::string_view attribute) {
  std::string mark(attribute);
  mark.append("=\"");
  return TextBetween(StartTagAttributes(text, tag), mark, "\"");
}

namespace {

// The ">" of the next start tag "<tag>" or "<tag ...>" with content at or after
// pos (pos moves past that ">"), or npos.
std::size_t NextStartTagEnd(std::string_view text, std::string_view open, std::size_t& pos) {
  while (true) {
    std::size_t at = pos < text.size() ? FindBytes(text, open, pos) : std::string_view::npos;
    if (at == std::string_view::npos) return at;
    pos = at + open.size();
    if (pos >= text.size() || (text[pos] != '>' && text[pos] != ' ')) continue;
    std::size_t gt = text.find('>', pos);
    if (gt == std::string_view::npos) return gt;
    // Every candidate before gt ends at gt too: the search resumes after it,
    // or a run of "<tag " before one distant ">" is scanned over and over.
    pos = gt + 1;
    // A self-closing tag is not an element with content: it does not count.
    if (text[gt - 1] == '/') continue;
    return gt;
  }
}

std::string_view ContentUpToClose(std::string_view text, std::string_view tag, std::size_t start) {
  std::string close = "</";
  close.append(tag);
  close.push_back('>');
  std::size_t end = FindBytes(text, close, start);
  if (end == std::string_view::npos) return {};
  return text.substr(start, end - start);
}

}  // namespace

std::string_view ElementText(std::string_view text, std::string_view tag, int n) {
  if (n < 0 || tag.empty()) return {};
  std::string open = "<";
  open.append(tag);
  std::size_t pos = 0;
  for (int counted = 0;; ++counted) {
    std::size_t gt = NextStartTagEnd(text, open, pos);
    if (gt == std::string_view::npos) return {};
    if (counted == n) return ContentUpToClose(text, tag, gt + 1);
  }
}

std::string_view NextElementText(std::string_view text, std::string_view tag, std::size_t& pos) {
  std::string open = "<";
  open.append(tag);
  std::size_t gt = tag.empty() ? std::string_view::npos : NextStartTagEnd(text, open, pos);
  if (gt == std::string_view::npos) {
    pos = text.size();
    return {};
  }
  return ContentUpToClose(text, tag, gt + 1);
}

std::string_view FirstElementText(std::string_view text, std::string_view tag) { return ElementText(text, tag, 0); }

void FirstElementTexts(std::string_view text, std::span<const std::string_view> tags, std::span<std::string_view> out) {
  const std::size_t n = std::min({tags.size(), out.size(), std::size_t{32}});
  std::uint32_t searching = 0;
  std::size_t longest = 0;
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = {};
  for (std::size_t i = 0; i < n; ++i) {
    if (tags[i].empty()) continue;
    searching |= 1u << i;
    longest = std::max(longest, tags[i].size());
  }
  // Each "<" is looked at once: the name after it runs to the first blank or
  // ">", and only a tag of exactly that name can start there.
  std::size_t pos = 0;
  while (searching != 0) {
    std::size_t at = text.find('<', pos);
    if (at == std::string_view::npos) break;
    pos = at + 1;
    std::size_t end = pos;
    const std::size_t limit = std::min(text.size(), pos + longest + 1);
    while (end < limit && text[end] != ' ' && text[end] != '>') ++end;
    if (end == limit) continue;
    std::string_view name = text.substr(pos, end - pos);
    for (std::size_t i = 0; i < n; ++i) {
      if (!(searching & (1u << i)) || tags[i] != name) continue;
      std::size_t gt = text.find('>', end);
      if (gt == std::string_view::npos) {
        searching &= ~(1u << i);
        break;
      }
      // A self-closing tag is not an element with content: look further,
      // after its ">", which every candidate before it shares.
      if (text[gt - 1] == '/') {
        pos = gt + 1;
        break;
      }
      searching &= ~(1u << i);
      std::size_t start = gt + 1;
      std::size_t close = start;
      while (true) {
        close = FindBytes(text, "</", close);
        if (close == std::string_view::npos) break;
        std::string_view rest = text.substr(close + 2);
        if (rest.size() > name.size() && rest.substr(0, name.size()) == name && rest[name.size()] == '>') break;
        close += 2;
      }
      if (close != std::string_view::npos) out[i] = text.substr(start, close - start);
      break;
    }
  }
}

std::string_view WholeElement(std::string_view text, std::string_view tag) {
  std::string open = "<";
  open.append(tag);
  std::size_t s = FindBytes(text, open);
  if (s == std::string_view::npos) return {};
  std::size_t gt = text.find('>', s + open.size());
  if (gt == std::string_view::npos) return {};
  std::string close = "</";
  close.append(tag);
  close.push_back('>');
  std::size_t e = FindBytes(text, close, gt + 1);
  if (e == std::string_view::npos) return {};
  return text.substr(s, e + close.size() - s);
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  if (from.empty()) return;
  std::size_t pos = text.find(from);
  if (pos == std::string::npos) return;
  std::string out;
  out.reserve(text.size());
  std::size_t last = 0;
  while (pos != std::string::npos) {
    out.append(text, last, pos - last);
    out.append(to);
    last = pos + from.size();
    pos = text.find(from, last);
  }
  out.append(text, last, std::string::npos);
  text.swap(out);
}

namespace {

constexpr std::string_view kCdataOpen = "<![CDATA[";
constexpr std::string_view kCdataClose = "]]>";

bool UnwrapCdata(std::string_view text, std::string& out) {
  if (text.substr(0, kCdataOpen.size()) != kCdataOpen) return false;
  out.assign(text);
  out.erase(0, kCdataOpen.size());
  std::size_t close = out.find(kCdataClose);
  if (close != std::string::npos) out.erase(close, kCdataClose.size());
  return true;
}

// Numeric character references: decimal "&#233;" and hexadecimal "&#xE9;".
// 32..159 become their byte; 160..255 and everything above become UTF-8, which
// Utf8ToAnsi then turns into the byte where Windows-1252 has the character.
void DecodeNumericReferences(std::string& text) {
  if (text.find("&#") == std::string::npos) return;
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '&' && i + 1 < text.size() && text[i + 1] == '#') {
      std::size_t j = i + 2;
      bool hex = j < text.size() && (text[j] == 'x' || text[j] == 'X');
      if (hex) ++j;
      std::uint32_t v = 0;
      std::size_t digits = 0;
      bool overflow = false;
      while (j < text.size()) {
        char c = text[j];
        int d;
        if (c >= '0' && c <= '9')
          d = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
          d = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
          d = c - 'A' + 10;
        else
          break;
        v = v * (hex ? 16 : 10) + static_cast<std::uint32_t>(d);
        if (v > 0x10FFFF) overflow = true;
        if (overflow) v = 0x110000;
        ++digits;
        ++j;
      }
      if (digits > 0 && j < text.size() && text[j] == ';' && v >= 32) {
        bool done = false;
        if (v <= 159) {
          out.push_back(static_cast<char>(v));
          done = true;
        } else {
          done = AppendUtf8CodePoint(out, v);
        }
        if (done) {
          i = j + 1;
          continue;
        }
      }
    }
    out.push_back(text[i]);
    ++i;
  }
  text.swap(out);
}

}  // namespace

std::string DecodeElementText(std::string_view text) {
  std::string s;
  if (!UnwrapCdata(text, s)) {
    s.assign(text);
    if (s.find('&') != std::string::npos) {
      ReplaceAll(s, "&lt;", "<");
      ReplaceAll(s, "&gt;", ">");
      ReplaceAll(s, "&apos;", "'");
      ReplaceAll(s, "&amp;deg;", "\xB0");
      ReplaceAll(s, "&amp;quot;", "\"");
      ReplaceAll(s, "&amp;nbsp;", " ");
      ReplaceAll(s, "&amp;", "&");
      ReplaceAll(s, "&deg;", "\xB0");
      ReplaceAll(s, "&quot;", "\"");
      ReplaceAll(s, "&nbsp;", " ");
    }
    if (s.find('\r') != std::string::npos || s.find('\n') != std::string::npos) {
      std::string out;
      out.reserve(s.size() + 16);
      for (char c : s) {
        if (c == '\r') continue;
        if (c == '\n') out.push_back('\r');
        out.push_back(c);
      }
      s.swap(out);
    }
  }
  DecodeNumericReferences(s);
  return Utf8ToAnsi(s);
}

std::string DecodeBasic(std::string_view text) {
  std::string s;
  if (UnwrapCdata(text, s)) return s;
  s.assign(text);
  if (s.find('&') != std::string::npos) {
    ReplaceAll(s, "&lt;", "<");
    ReplaceAll(s, "&gt;", ">");
    ReplaceAll(s, "&amp;", "&");
  }
  return s;
}

void AppendEscapedXml(std::string& out, std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size() + 16);
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    switch (c) {
      case '\n':
        escaped.push_back('\n');
        break;
      case '\r':
        break;
      case '"':
        escaped.append("&quot;");
        break;
      case '&':
        escaped.append("&amp;");
        break;
      case '<':
        escaped.append("&lt;");
        break;
      case '>':
        escaped.append("&gt;");
        break;
      default:
        escaped.push_back(c < 0x20 ? '.' : ch);
        break;
    }
  }
  AppendAnsiAsUtf8(out, escaped);
}

std::string EscapeXmlText(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 16);
  AppendEscapedXml(out, text);
  return out;
}

std::string CleanText(std::string_view text) {
  std::string cleaned;
  cleaned.reserve(text.size());
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c == '\n')
      cleaned.push_back('\n');
    else if (c == '\r')
      continue;
    else if (c < 0x20)
      cleaned.push_back('_');
    else
      cleaned.push_back(ch);
  }
  return AnsiToUtf8(cleaned);
}

}  // namespace quill
