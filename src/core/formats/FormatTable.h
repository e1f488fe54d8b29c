// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one table of file formats: code, command-line name, extension, save
// dialog entry, reader and writer. The load and save dispatch, the dialogs'
// filters and the command line's names and messages are all read from it.
#include <span>
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
  // Read only: a pocket-query archive of GPX and LOC files.
  kFormatZip = 9,
};

struct FileFormat {
  int code;
  std::string_view name;        // on the command line
  std::string_view extension;   // with the dot, lower case; a save under this code gets it
  std::string_view filterName;  // the save dialog's entry
  int filterIndex;              // its place there, from 1; 0: never saved
  ReaderFn reader;              // nullptr: never loaded
  WriterFn writer;              // nullptr: never saved
};

// Every format; the rows are in the order the open dialog lists extensions,
// and the first row with an extension is the one that extension chooses.
std::span<const FileFormat> FileFormats();
// The format of a code 0..7, or nullptr.
const FileFormat* FormatForCode(int code);
// The save format code of a command-line name, or -1.
int FormatCodeForName(std::string_view name);
// The command-line names of the save formats in code order, joined by separator, the last two
// by lastSeparator.
std::string FormatNames(std::string_view separator, std::string_view lastSeparator);

// The code of a format that reads, by its name ("gpx", "navio") or by an
// extension of one without the dot ("csv", "asc"); -1 otherwise.
int ReadFormatCodeForName(std::string_view name);
// Reader for a file name's extension (letter case ignored), or nullptr.
ReaderFn ReaderForPath(std::string_view path);
// Format code chosen by an extension for code 8; -1 for an unknown extension.
int FormatCodeForExtension(std::string_view extension);

// The open dialog's filter: one entry of every extension a reader takes.
std::string LoadDialogFilter();
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
