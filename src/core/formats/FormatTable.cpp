#include "formats/FormatTable.h"

#include <array>

#include "formats/GpxReader.h"
#include "formats/GpxWriter.h"
#include "text/TextHelpers.h"

namespace quill {
namespace {

constexpr std::array<LoadEntry, 1> kLoaders = {{
    {".gpx", &ReadGpxFile},
}};

constexpr std::array<SaveEntry, 1> kSavers = {{
    {kFormatGpx, ".gpx", &WriteGpxFile},
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

}  // namespace quill
