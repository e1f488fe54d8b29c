// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a file's first bytes say about its format, for input whose name says
// nothing (standard input, an unknown extension), and the shape each reader
// asks of a file that gave it nothing: GPX and LOC by their XML root element,
// OV2 by its records, TXT and CSV by their lines, a ZIP archive by its
// signature.
#include <cstddef>
#include <string>
#include <string_view>

namespace quill {

// How much of a file's beginning is looked at.
inline constexpr std::size_t kSniffBytes = 64 * 1024;

enum class XmlRoot {
  kFound,     // name holds the root element's name, without a namespace prefix
  kNone,      // not XML: no element where the first one must be
  kTooShort,  // the text ends inside what comes before the root element
};
// The root element of an XML text, after a byte order mark, white space, the
// declaration, processing instructions, comments and a DOCTYPE.
XmlRoot XmlRootElement(std::string_view head, std::string& name);

// A TXT line: a mode line ("=RD") or a line with the ";" before the name.
bool IsTxtLine(std::string_view line);
// A CSV line: fields separated by commas.
bool IsCsvLine(std::string_view line);

struct SniffResult {
  // kFormatGpx, kFormatLoc, kFormatOv2, kFormatTxt, kFormatMioMap (CSV) or kFormatZip; -1 unknown
  int formatCode = -1;
  std::string reason;  // why it is unknown, e.g. "it is empty"
};
// head: the first kSniffBytes of the input (all of it when complete).
SniffResult FormatOfContent(std::string_view head, bool complete);

// Text from a file for a message: printable ASCII only, at most 40 bytes.
std::string PrintableSample(std::string_view text);

}  // namespace quill
