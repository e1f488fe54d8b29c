// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/TextFormats.h"

#include <array>
#include <cmath>

#include "formats/FormatSniff.h"
#include "formats/LineSplitter.h"
#include "formats/RecordFiles.h"
#include "geo/CoordFormat.h"
#include "geo/CoordParse.h"
#include "geo/Datum.h"
#include "geo/GridProjection.h"
#include "text/TextHelpers.h"

namespace quill {

namespace {

// The height the datum shifts of the text format assume for every point.
constexpr double kTxtHeight = 44.0;

struct ModeEntry {
  std::string_view text;
  int mode;
};

// "U"/"UTM" are read too, so that a UTM file written here reads back.
constexpr std::array<ModeEntry, 14> kModeEntries = {{
    {"W", kTxtWgs84},
    {"WGS84", kTxtWgs84},
    {"E", kTxtEd50},
    {"ED50", kTxtEd50},
    {"B", kTxtBessel},
    {"BESSEL", kTxtBessel},
    {"R", kTxtRd},
    {"RD", kTxtRd},
    {"L", kTxtLambert},
    {"LAMBERT", kTxtLambert},
    {"U", kTxtUtm},
    {"UTM", kTxtUtm},
    {"ECEF", kTxtEcef},
    {"XYZ", kTxtEcef},
}};

constexpr std::array<std::string_view, 7> kModeLines = {{
    "",
    "=ED50",
    "=Bessel",
    "=RD",
    "=Lambert",
    "=UTM",
    "=ECEF",
}};

// Both readers add a line only when it gives a position off zero. A grid or
// ECEF text far outside its area (or a number that is no coordinate) converts
// to "latitudes" of thousands of degrees; such a line adds nothing either.
bool Usable(const LatLon& p) {
  return p.lat != 0.0 && p.lon != 0.0 && std::fabs(p.lat) <= 90.0 && std::fabs(p.lon) <= 180.0;
}

// The formats have no way to hold a line break inside a line: one in a name
// would split the record in two.
void AppendLineText(std::string& out, std::string_view text) {
  for (char c : text) out.push_back((c == '\n' || c == '\r') ? ' ' : c);
}

// A name inside double quotes; a quote in it is doubled, which CsvField reads
// back as one.
void AppendQuoted(std::string& out, std::string_view text) {
  out.push_back('"');
  for (char c : text) {
    if (c == '"') out.push_back('"');
    out.push_back((c == '\n' || c == '\r') ? ' ' : c);
  }
  out.push_back('"');
}

// Reads every line of a text file through onLine(std::string&).
template <typename F>
bool ReadLines(const std::string& path, const ReadOptions& options, ReadResult* result, F&& onLine) {
  LineSplitter lines;
  if (!ReadFileChunks(path, true, options, result, [&](std::string_view chunk) { lines.Feed(chunk, onLine); })) {
    return false;
  }
  lines.Finish(onLine);
  return true;
}

// Whether a text file has its format's lines: one with text but none of the
// format's shape, or binary data, is some other file.
class LineShape {
 public:
  explicit LineShape(bool (*isShaped)(std::string_view)) : isShaped_(isShaped) {}
  void See(std::string_view line) {
    if (shaped_) return;
    if (line.find('\0') != std::string_view::npos) binary_ = true;
    if (line.find_first_not_of(" \t\r\n") != std::string_view::npos) text_ = true;
    shaped_ = isShaped_(line);
  }
  bool Check(std::string_view format, std::string_view noLines, ReadResult* result) const {
    if (shaped_ || !text_) return true;
    if (result) {
      result->error = "not a " + std::string(format) + " file (" +
                      std::string(binary_ ? std::string_view("it holds binary data") : noLines) + ")";
    }
    return false;
  }

 private:
  bool (*isShaped_)(std::string_view);
  bool shaped_ = false;
  bool text_ = false;
  bool binary_ = false;
};

void AppendTxtLine(std::string& out, const TGpxRecord& r, int mode) {
  out += TxtCoordinateText(r.Lat, r.Lon, mode);
  out += "  ; ";
  AppendLineText(out, r.Name);
  out += '\n';
}

}  // namespace

int TxtModeFromText(std::string_view text) {
  for (const ModeEntry& e : kModeEntries) {
    if (EqualsIgnoreCase(text, e.text)) return e.mode;
  }
  return kTxtWgs84;
}

std::string_view TxtModeLine(int mode) {
  if (mode < 0 || mode >= static_cast<int>(kModeLines.size())) return {};
  return kModeLines[static_cast<std::size_t>(mode)];
}

std::string TxtCoordinateText(double lat, double lon, int mode) {
  switch (mode) {
    case kTxtEd50: {
      GeoPosition p = Wgs84ToDatum(kDatumEd50, lat, lon, kTxtHeight);
      return FormatLatLonDegMin(p.lat, p.lon);
    }
    case kTxtBessel: {
      GeoPosition p = Wgs84ToDatum(kDatumBessel, lat, lon, kTxtHeight);
      return FormatLatLonDegMin(p.lat, p.lon);
    }
    case kTxtRd: {
      GridPoint g = Wgs84ToRd(lat, lon);
      return FormatGridPair(g.x, g.y);
    }
    case kTxtLambert: {
      GridPoint g = Wgs84ToLambert72(lat, lon);
      return FormatGridPair(g.x, g.y);
    }
    case kTxtUtm:
      return FormatUtm(Wgs84ToUtm(lat, lon));
    case kTxtEcef:
      return FormatEcef(Wgs84ToEcef(lat, lon, kTxtHeight));
    default:
      return FormatLatLonDegMin(lat, lon);
  }
}

void TxtLineReader::HandleLine(std::string& line, WaypointStore& store) {
  if (line.empty()) return;
  SplitAt(line, ';', name_);
  TrimLeadingSpaces(name_);
  TrimTrailingSpaces(name_);
  TrimLineEnd(name_);
  if (line[0] == '=') {
    TrimTrailingSpaces(line);
    TrimLineEnd(line);
    mode_ = TxtModeFromText(std::string_view(line).substr(1));
    return;
  }
  if (name_.empty()) return;
  // A line that gives no coordinate at all adds nothing in any notation: the
  // grid and datum conversions would turn zeros into a real-looking place.
  LatLon p;
  switch (mode_) {
    case kTxtEd50:
    case kTxtBessel: {
      LatLon read = ParseLatLon(line);
      if (read.lat == 0.0 || read.lon == 0.0) return;
      GeoPosition w = DatumToWgs84(mode_ == kTxtEd50 ? kDatumEd50 : kDatumBessel, read.lat, read.lon, kTxtHeight);
      p = {w.lat, w.lon};
      break;
    }
    case kTxtRd:
    case kTxtLambert: {
      GridPoint g = ParseGridPair(line);
      if (g.x == 0 && g.y == 0) return;
      p = mode_ == kTxtRd ? RdToWgs84(g.x, g.y) : Lambert72ToWgs84(g.x, g.y);
      break;
    }
    case kTxtUtm: {
      UtmCoord u = ParseUtm(line);
      if (u.zone == 0 || (u.easting == 0.0 && u.northing == 0.0)) return;
      p = UtmToWgs84(u);
      break;
    }
    case kTxtEcef: {
      EcefPoint e = ParseEcef(line);
      if (e.x == 0.0 && e.y == 0.0 && e.z == 0.0) return;
      GeoPosition w = EcefToWgs84(e.x, e.y, e.z);
      p = {w.lat, w.lon};
      break;
    }
    default:
      p = ParseLatLon(line);
      break;
  }
  if (Usable(p)) store.AddWaypointSimple(p.lat, p.lon, name_);
}

void HandleCsvLine(std::string_view line, WaypointStore& store) {
  std::string f[4];
  double v[4];
  for (int i = 0; i < 4; ++i) {
    f[i] = CsvField(line, i);
    v[i] = TextToFloat(f[i]);
  }
  const bool a = v[0] != 0.0, b = v[1] != 0.0, c = v[2] != 0.0, d = v[3] != 0.0;
  const std::string* name = nullptr;
  const std::string* north = nullptr;
  const std::string* east = nullptr;
  if (a && b && !c && !d) {  // Garmin/Navman: lon, lat, name
    name = &f[2], north = &f[1], east = &f[0];
  } else if (!a && !b && c && d) {  // MioMap: name, name, lon, lat
    name = &f[1], north = &f[3], east = &f[2];
  } else if (!a && b && c && !d) {  // Navio: name, lat, lon
    name = &f[0], north = &f[1], east = &f[2];
  } else {
    return;
  }
  if (name->empty()) return;
  LatLon p = ParseLatLonFields(*north, *east);
  if (Usable(p)) store.AddWaypointSimple(p.lat, p.lon, *name);
}

void AppendCsvLine(std::string& out, const TGpxRecord& r, int layout) {
  switch (layout) {
    case kCsvGarmin:
      AppendFixed(out, r.Lon, 6);
      out += ", ";
      AppendFixed(out, r.Lat, 6);
      out += ", ";
      AppendQuoted(out, r.Name);
      break;
    case kCsvNavio:
      AppendQuoted(out, r.Name);
      out += ", ";
      AppendFixed(out, r.Lat, 6);
      out += ", ";
      AppendFixed(out, r.Lon, 6);
      break;
    default:
      AppendQuoted(out, r.Name);
      out += ',';
      AppendQuoted(out, r.Name);
      out += ',';
      AppendFixed(out, r.Lon, 6);
      out += ',';
      AppendFixed(out, r.Lat, 6);
      out += ",,,,";
      break;
  }
  out += '\n';
}

bool ReadTxtFile(const std::string& path, WaypointStore& store, const ReadOptions& options, ReadResult* result) {
  TxtLineReader reader;
  LineShape shape(&IsTxtLine);
  return ReadLines(path, options, result,
                   [&](std::string& line) {
                     shape.See(line);
                     reader.HandleLine(line, store);
                   }) &&
         shape.Check("TXT", "no line holds \"POSITION ; NAME\"", result);
}

bool ReadCsvFile(const std::string& path, WaypointStore& store, const ReadOptions& options, ReadResult* result) {
  LineShape shape(&IsCsvLine);
  return ReadLines(path, options, result,
                   [&](std::string& line) {
                     shape.See(line);
                     HandleCsvLine(line, store);
                   }) &&
         shape.Check("CSV", "no line holds comma-separated fields", result);
}

bool WriteTxtFile(const std::string& path, RecordSpan records, const WriteOptions& options) {
  int mode = options.txtExportMode;
  if (mode < kTxtWgs84 || mode > kTxtEcef) mode = kTxtWgs84;
  std::string first(TxtModeLine(mode));
  if (!first.empty()) first += '\n';
  return WriteRecordFile(path, true, first, records,
                         [mode](std::string& out, const TGpxRecord& r) { AppendTxtLine(out, r, mode); }, {});
}

bool WriteCsvFile(const std::string& path, RecordSpan records, int layout) {
  return WriteRecordFile(path, true, {}, records,
                         [layout](std::string& out, const TGpxRecord& r) { AppendCsvLine(out, r, layout); }, {});
}

bool WriteMioMapFile(const std::string& path, RecordSpan records, const WriteOptions&) {
  return WriteCsvFile(path, records, kCsvMioMap);
}
bool WriteGarminFile(const std::string& path, RecordSpan records, const WriteOptions&) {
  return WriteCsvFile(path, records, kCsvGarmin);
}
bool WriteNavioFile(const std::string& path, RecordSpan records, const WriteOptions&) {
  return WriteCsvFile(path, records, kCsvNavio);
}

}  // namespace quill
