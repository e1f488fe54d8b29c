#pragma once
// The one table from extension and save-filter index to a reader or writer.
#include <string_view>

#include "formats/FormatTypes.h"

namespace quill {

// Save format codes (the second argument of SaveFile).
enum SaveFormat : int {
  kFormatGpx = 0,
  kFormatLoc = 1,
  kFormatOv2 = 2,
  kFormatTxt = 3,
  kFormatKml = 4,
  kFormatMioMap = 5,
  kFormatGarmin = 6,
  kFormatNavio = 7,
  kFormatByExtension = 8,
};

struct LoadEntry {
  std::string_view extension;  // with the dot, lower case
  ReaderFn reader;
};

struct SaveEntry {
  int code;
  std::string_view extension;
  WriterFn writer;
};

// Reader for a file name's extension (letter case ignored), or nullptr.
ReaderFn ReaderForPath(std::string_view path);
// Writer entry for a format code 0..7, or nullptr.
const SaveEntry* SaveEntryForCode(int code);
// Format code chosen by an extension for code 8; -1 for an unknown extension.
int FormatCodeForExtension(std::string_view extension);

}  // namespace quill
