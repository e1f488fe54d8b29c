// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/FormatSniff.h"

#include <cctype>
#include <cstdint>

#include "formats/FormatTable.h"

namespace quill {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsBlankText(std::string_view text) {
  for (char c : text) {
    if (!IsBlank(c)) return false;
  }
  return true;
}

std::string_view WithoutBom(std::string_view text) {
  return text.substr(0, 3) == "\xEF\xBB\xBF" ? text.substr(3) : text;
}

std::int32_t Int32At(std::string_view bytes, std::size_t pos) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i)
    v |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[pos + i])) << (8 * i);
  return static_cast<std::int32_t>(v);
}

// The records of an OV2 file as its reader walks them: type 1 a 21-byte
// box, types 0, 2 and 3 carrying their own size, a POI's position on the
// earth. True when the head holds at least the start of one such record and
// nothing else.
bool LooksLikeOv2(std::string_view head, bool complete) {
  std::size_t pos = 0;
  int records = 0;
  while (pos < head.size()) {
    const unsigned char type = static_cast<unsigned char>(head[pos]);
    if (type > 3) return false;
    if (type == 1) {
      if (pos + 21 > head.size()) return !complete;
      pos += 21;
      ++records;
      continue;
    }
    if (pos + 5 > head.size()) return !complete && records > 0;
    const std::int32_t size = Int32At(head, pos + 1);
    if (size < (type == 0 ? 5 : 14)) return false;
    if (type != 0 && pos + 13 <= head.size()) {
      const std::int32_t lon = Int32At(head, pos + 5);
      const std::int32_t lat = Int32At(head, pos + 9);
      if (lon < -18000000 || lon > 18000000 || lat < -9000000 || lat > 9000000) return false;
    }
    if (pos + static_cast<std::uint64_t>(size) > head.size()) return !complete;
    pos += static_cast<std::size_t>(size);
    ++records;
  }
  return records > 0;
}

}  // namespace

XmlRoot XmlRootElement(std::string_view head, std::string& name) {
  const std::string_view t = WithoutBom(head);
  std::size_t i = 0;
  while (true) {
    while (i < t.size() && IsBlank(t[i])) ++i;
    if (i >= t.size()) return XmlRoot::kTooShort;
    if (t[i] != '<') return XmlRoot::kNone;
    if (i + 1 >= t.size()) return XmlRoot::kTooShort;
    const char c = t[i + 1];
    std::size_t end = std::string_view::npos;
    if (c == '?') {
      end = t.find("?>", i + 2);
      if (end == std::string_view::npos) return XmlRoot::kTooShort;
      i = end + 2;
      continue;
    }
    if (c == '!') {
      const std::string_view rest = t.substr(i);
      if (rest.size() < 4 && std::string_view("<!--").substr(0, rest.size()) == rest) return XmlRoot::kTooShort;
      if (rest.substr(0, 4) == "<!--") {
        end = t.find("-->", i + 4);
        if (end == std::string_view::npos) return XmlRoot::kTooShort;
        i = end + 3;
        continue;
      }
      // A DOCTYPE, its internal subset in brackets.
      std::size_t j = i + 2;
      int depth = 0;
      while (j < t.size() && (t[j] != '>' || depth > 0)) {
        if (t[j] == '[') ++depth;
        if (t[j] == ']' && depth > 0) --depth;
        ++j;
      }
      if (j >= t.size()) return XmlRoot::kTooShort;
      i = j + 1;
      continue;
    }
    std::size_t j = i + 1;
    while (j < t.size() && !IsBlank(t[j]) && t[j] != '>' && t[j] != '/') ++j;
    if (j >= t.size()) return XmlRoot::kTooShort;
    if (j == i + 1) return XmlRoot::kNone;
    std::string_view element = t.substr(i + 1, j - i - 1);
    if (std::size_t colon = element.rfind(':'); colon != std::string_view::npos) element.remove_prefix(colon + 1);
    // A name begins with a letter or "_" (or a character beyond ASCII).
    const unsigned char first = element.empty() ? 0 : static_cast<unsigned char>(element[0]);
    if (!std::isalpha(first) && first != '_' && first < 0x80) return XmlRoot::kNone;
    name.assign(element);
    return XmlRoot::kFound;
  }
}

bool IsTxtLine(std::string_view line) {
  return (!line.empty() && line[0] == '=') || line.find(';') != std::string_view::npos;
}

bool IsCsvLine(std::string_view line) { return line.find(',') != std::string_view::npos; }

SniffResult FormatOfContent(std::string_view head, bool complete) {
  SniffResult r;
  if (IsBlankText(head)) {
    r.reason = complete ? "it is empty" : "it begins with nothing but white space";
    return r;
  }
  // A ZIP archive's first local header, or the end record of an empty one.
  if (head.starts_with(std::string_view("PK\x03\x04", 4)) || head.starts_with(std::string_view("PK\x05\x06", 4))) {
    r.formatCode = kFormatZip;
    return r;
  }
  if (static_cast<unsigned char>(head[0]) <= 3) {
    if (LooksLikeOv2(head, complete)) {
      r.formatCode = kFormatOv2;
    } else {
      r.reason = "it holds binary data that are no OV2 records";
    }
    return r;
  }
  std::string root;
  switch (XmlRootElement(head, root)) {
    case XmlRoot::kFound:
      if (root == "gpx") {
        r.formatCode = kFormatGpx;
      } else if (root == "loc") {
        r.formatCode = kFormatLoc;
      } else {
        r.reason = "its XML root element is <" + PrintableSample(root) + ">, not <gpx> or <loc>";
      }
      return r;
    case XmlRoot::kTooShort:
      r.reason = "it ends before its XML root element";
      return r;
    case XmlRoot::kNone:
      break;
  }
  if (head.find('\0') != std::string_view::npos) {
    r.reason = "it holds binary data";
    return r;
  }
  // A cut line at the end of the head says nothing.
  std::string_view text = WithoutBom(head);
  if (!complete) {
    const std::size_t lastBreak = text.rfind('\n');
    text = lastBreak == std::string_view::npos ? text : text.substr(0, lastBreak);
  }
  int txtLines = 0, csvLines = 0;
  while (!text.empty()) {
    std::size_t nl = text.find('\n');
    std::string_view line = text.substr(0, nl);
    text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
    if (IsTxtLine(line)) {
      ++txtLines;
    } else if (IsCsvLine(line)) {
      ++csvLines;
    }
  }
  if (txtLines > 0 && txtLines >= csvLines) {
    r.formatCode = kFormatTxt;
  } else if (csvLines > 0) {
    r.formatCode = kFormatMioMap;
  } else {
    r.reason = "no line holds \"POSITION ; NAME\" or comma-separated fields";
  }
  return r;
}

std::string PrintableSample(std::string_view text) {
  std::string out;
  for (char c : text.substr(0, 40)) out += (c >= 0x20 && c < 0x7F) ? c : '?';
  return out;
}

}  // namespace quill
