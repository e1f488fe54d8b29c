// SPDX-License-Identifier: GPL-3.0-or-later
// Telling a format from content under any bytes, as standard input or a file
// of an unknown extension brings them: whole, and as the head of a longer file.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "formats/FormatSniff.h"
#include "formats/FormatTable.h"

namespace {

void Check(std::string_view head, bool complete) {
  const quill::SniffResult r = quill::FormatOfContent(head, complete);
  const bool known = r.formatCode == quill::kFormatGpx || r.formatCode == quill::kFormatLoc ||
                     r.formatCode == quill::kFormatOv2 || r.formatCode == quill::kFormatTxt ||
                     r.formatCode == quill::kFormatMioMap || r.formatCode == quill::kFormatZip;
  // A format and no reason, or no format and a reason of one printable line.
  if (known != r.reason.empty() || (!known && r.formatCode != -1)) std::abort();
  for (char c : r.reason) {
    if (static_cast<unsigned char>(c) < 0x20) std::abort();
  }
  std::string name;
  if (quill::XmlRootElement(head, name) == quill::XmlRoot::kFound && name.empty()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Check(bytes, true);
  Check(bytes, false);
  return 0;
}
