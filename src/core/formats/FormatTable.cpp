#include "formats/FormatTable.h"

#include <array>

#include "formats/GpxReader.h"
#include "formats/GpxWriter.h"
#include "formats/KmlWriter.h"
#include "formats/LocFormat.h"
#include "formats/Ov2Format.h"
#include "formats/TextFormats.h"
#include "text/TextHelpers.h"

namespace quill {
namespace {

constexpr std::array<LoadEntry, 6> kLoaders = {{
    {".gpx", &ReadGpxFile},
    {".loc", &ReadLocFile},
    {".ov2", &ReadOv2File},
    {".txt", &ReadTxtFile},
    {".csv", &ReadCsvFile},
    {".asc", &ReadCsvFile},
}};

// By format code; the extension is the one a save under that code gets.
constexpr std::array<SaveEntry, 8> kSavers = {{
    {kFormatGpx, ".gpx", &WriteGpxFile},
    {kFormatLoc, ".loc", &WriteLocFile},
    {kFormatOv2, ".ov2", &WriteOv2File},
    {kFormatTxt, ".txt", &WriteTxtFile},
    {kFormatKml, ".kml", &WriteKmlFile},
    {kFormatMioMap, ".csv", &WriteMioMapFile},
    {kFormatGarmin, ".csv", &WriteGarminFile},
    {kFormatNavio, ".asc", &WriteNavioFile},
}};

// The save dialog's entries in their order (index 1 first). The two ".csv"
// entries are told apart only by their index.
struct FilterEntry {
  std::string_view text;
  int code;
};
constexpr std::array<FilterEntry, 8> kSaveFilters = {{
    {"GPX files|*.gpx", kFormatGpx},
    {"LOC files|*.loc", kFormatLoc},
    {"Tomtom files|*.ov2", kFormatOv2},
    {"Text files|*.txt", kFormatTxt},
    {"MioMap files|*.csv", kFormatMioMap},
    {"Garmin/Navman files|*.csv", kFormatGarmin},
    {"Navio files|*.asc", kFormatNavio},
    {"KML files|*.kml", kFormatKml},
}};

// Extension of the current file to the preselected filter index.
struct ExtensionIndex {
  std::string_view extension;
  int index;
};
constexpr std::array<ExtensionIndex, 7> kPreselect = {{
    {".gpx", 1},
    {".loc", 2},
    {".ov2", 3},
    {".txt", 4},
    {".csv", 5},
    {".asc", 7},
    {".kml", 8},
}};

// Extension to format code when the extension decides (".csv" is MioMap).
struct ExtensionCode {
  std::string_view extension;
  int code;
};
constexpr std::array<ExtensionCode, 7> kExtensionCodes = {{
    {".gpx", kFormatGpx},
    {".loc", kFormatLoc},
    {".ov2", kFormatOv2},
    {".txt", kFormatTxt},
    {".csv", kFormatMioMap},
    {".asc", kFormatNavio},
    {".kml", kFormatKml},
}};

}  // namespace

ReaderFn ReaderForPath(std::string_view path) {
  std::string_view ext = FileExtension(path);
  for (const LoadEntry& e : kLoaders) {
    if (EqualsIgnoreCase(ext, e.extension)) return e.reader;
  }
  return nullptr;
}

const SaveEntry* SaveEntryForCode(int code) {
  for (const SaveEntry& e : kSavers) {
    if (e.code == code) return &e;
  }
  return nullptr;
}

int FormatCodeForExtension(std::string_view extension) {
  for (const ExtensionCode& e : kExtensionCodes) {
    if (EqualsIgnoreCase(extension, e.extension)) return e.code;
  }
  return -1;
}

std::string SaveDialogFilter(bool withKml) {
  std::string text;
  for (const FilterEntry& e : kSaveFilters) {
    if (e.code == kFormatKml && !withKml) continue;
    if (!text.empty()) text += '|';
    text += e.text;
  }
  return text;
}

int FormatCodeForFilterIndex(int filterIndex) {
  if (filterIndex < 1 || filterIndex > static_cast<int>(kSaveFilters.size())) return -1;
  return kSaveFilters[static_cast<std::size_t>(filterIndex - 1)].code;
}

int FilterIndexForFileName(std::string_view currentFileName) {
  std::string_view ext = FileExtension(currentFileName);
  for (const ExtensionIndex& e : kPreselect) {
    if (EqualsIgnoreCase(ext, e.extension)) return e.index;
  }
  return 1;
}

std::string ProposedSaveName(std::string_view currentFileName) {
  std::string_view ext = FileExtension(currentFileName);
  return std::string(currentFileName.substr(0, currentFileName.size() - ext.size()));
}

std::string SaveNameForFormat(std::string_view fileName, int formatCode) {
  const SaveEntry* entry = SaveEntryForCode(formatCode);
  if (!entry) return std::string(fileName);
  std::string name = ProposedSaveName(fileName);
  name += entry->extension;
  return name;
}

}  // namespace quill
