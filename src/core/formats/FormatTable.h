#pragma once
// The one table from extension and save-filter index to a reader or writer.
#include <string>
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

// The open dialog's filter.
inline constexpr std::string_view kLoadDialogFilter = "Waypoint files|*.gpx;*.loc;*.ov2;*.txt;*.asc;*.csv";
// The save dialog's filter text; the KML entry (index 8) only with ExtendedMode.
std::string SaveDialogFilter(bool withKml);
// Format code of a save-dialog filter index (1-based), or -1.
int FormatCodeForFilterIndex(int filterIndex);
// The filter index preselected for the current file name (1 when none fits).
int FilterIndexForFileName(std::string_view currentFileName);
// The name proposed in the save dialog: the current name without extension.
std::string ProposedSaveName(std::string_view currentFileName);
// The chosen name with its extension replaced by the format's (added when it
// has none); unchanged for an unknown code.
std::string SaveNameForFormat(std::string_view fileName, int formatCode);

}  // namespace quill
