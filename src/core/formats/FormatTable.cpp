// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/FormatTable.h"

#include <algorithm>
#include <array>

#include "formats/GpxReader.h"
#include "formats/GpxWriter.h"
#include "formats/KmlWriter.h"
#include "formats/LocFormat.h"
#include "formats/Ov2Format.h"
#include "formats/TextFormats.h"
#include "formats/ZipArchive.h"
#include "text/TextHelpers.h"

namespace quill {
namespace {

// Navio precedes the two ".csv" rows so that the open dialog lists ".asc"
// before ".csv"; of those two, MioMap comes first: ".csv" alone means MioMap.
// The two ".csv" save entries are told apart only by their index.
constexpr std::array<FileFormat, 9> kFormats = {{
    {kFormatGpx, "gpx", ".gpx", "GPX files", 1, &ReadGpxFile, &WriteGpxFile},
    {kFormatLoc, "loc", ".loc", "LOC files", 2, &ReadLocFile, &WriteLocFile},
    {kFormatOv2, "ov2", ".ov2", "Tomtom files", 3, &ReadOv2File, &WriteOv2File},
    {kFormatTxt, "txt", ".txt", "Text files", 4, &ReadTxtFile, &WriteTxtFile},
    {kFormatNavio, "navio", ".asc", "Navio files", 7, &ReadCsvFile, &WriteNavioFile},
    {kFormatMioMap, "miomap", ".csv", "MioMap files", 5, &ReadCsvFile, &WriteMioMapFile},
    {kFormatGarmin, "garmin", ".csv", "Garmin/Navman files", 6, &ReadCsvFile, &WriteGarminFile},
    {kFormatKml, "kml", ".kml", "KML files", 8, nullptr, &WriteKmlFile},
    {kFormatZip, "zip", ".zip", "", 0, &ReadZipFile, nullptr},
}};

// The save format an extension chooses.
const FileFormat* FormatForExtension(std::string_view extension) {
  for (const FileFormat& f : kFormats) {
    if (f.writer && EqualsIgnoreCase(extension, f.extension)) return &f;
  }
  return nullptr;
}

const FileFormat* FormatForFilterIndex(int filterIndex) {
  for (const FileFormat& f : kFormats) {
    if (f.writer && f.filterIndex == filterIndex) return &f;
  }
  return nullptr;
}

}  // namespace

std::span<const FileFormat> FileFormats() { return kFormats; }

const FileFormat* FormatForCode(int code) {
  for (const FileFormat& f : kFormats) {
    if (f.code == code) return &f;
  }
  return nullptr;
}

int FormatCodeForName(std::string_view name) {
  for (const FileFormat& f : kFormats) {
    if (f.writer && f.name == name) return f.code;
  }
  return -1;
}

std::string FormatNames(std::string_view separator, std::string_view lastSeparator) {
  std::string text;
  const int count =
      static_cast<int>(std::count_if(kFormats.begin(), kFormats.end(), [](const FileFormat& f) { return f.writer; }));
  for (int code = 0; code < count; ++code) {
    if (code > 0) text += code + 1 == count ? lastSeparator : separator;
    text += FormatForCode(code)->name;
  }
  return text;
}

int ReadFormatCodeForName(std::string_view name) {
  for (const FileFormat& f : kFormats) {
    if (f.reader && (f.name == name || f.extension.substr(1) == name)) return f.code;
  }
  return -1;
}

ReaderFn ReaderForPath(std::string_view path) {
  std::string_view ext = FileExtension(path);
  for (const FileFormat& f : kFormats) {
    if (f.reader && EqualsIgnoreCase(ext, f.extension)) return f.reader;
  }
  return nullptr;
}

int FormatCodeForExtension(std::string_view extension) {
  const FileFormat* f = FormatForExtension(extension);
  return f ? f->code : -1;
}

std::string LoadDialogFilter() {
  std::string text = "Waypoint files|";
  std::string_view last;
  for (const FileFormat& f : kFormats) {
    if (!f.reader || f.extension == last) continue;
    if (!last.empty()) text += ';';
    text += '*';
    text += f.extension;
    last = f.extension;
  }
  return text;
}

std::string SaveDialogFilter(bool withKml) {
  std::string text;
  for (int index = 1; const FileFormat* f = FormatForFilterIndex(index); ++index) {
    if (f->code == kFormatKml && !withKml) continue;
    if (!text.empty()) text += '|';
    text += f->filterName;
    text += "|*";
    text += f->extension;
  }
  return text;
}

int FormatCodeForFilterIndex(int filterIndex) {
  const FileFormat* f = FormatForFilterIndex(filterIndex);
  return f ? f->code : -1;
}

int FilterIndexForFileName(std::string_view currentFileName) {
  const FileFormat* f = FormatForExtension(FileExtension(currentFileName));
  return f ? f->filterIndex : 1;
}

std::string ProposedSaveName(std::string_view currentFileName) {
  std::string_view ext = FileExtension(currentFileName);
  return std::string(currentFileName.substr(0, currentFileName.size() - ext.size()));
}

std::string SaveNameForFormat(std::string_view fileName, int formatCode) {
  const FileFormat* f = FormatForCode(formatCode);
  if (!f) return std::string(fileName);
  std::string name = ProposedSaveName(fileName);
  name += f->extension;
  return name;
}

}  // namespace quill
