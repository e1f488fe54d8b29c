// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plain-text waypoint files: the TXT format (one coordinate text per line
// in a notation chosen for the whole file, "  ; ", the name) and three
// comma-separated layouts of navigation software (MioMap CSV, Garmin/Navman
// CSV, Navio ASC).
#include <string>
#include <string_view>

#include "formats/FormatTypes.h"

namespace quill {

// Text export modes (TxtExportMode), also the TXT reader's modes.
enum TxtMode : int {
  kTxtWgs84 = 0,
  kTxtEd50 = 1,
  kTxtBessel = 2,
  kTxtRd = 3,
  kTxtLambert = 4,
  kTxtUtm = 5,
  kTxtEcef = 6,
};

// Comma-separated layouts.
enum CsvLayout : int {
  kCsvMioMap = 0,  // "%s","%s",%f,%f,,,,   name, name, lon, lat
  kCsvGarmin = 1,  // %f, %f, "%s"          lon, lat, name
  kCsvNavio = 2,   // "%s", %f, %f          name, lat, lon
};

bool ReadTxtFile(const std::string& path, WaypointStore& store, const ReadOptions& options, ReadResult* result);
// Reads .csv and .asc alike: the layout is recognised line by line.
bool ReadCsvFile(const std::string& path, WaypointStore& store, const ReadOptions& options, ReadResult* result);

// options.txtExportMode chooses the notation.
bool WriteTxtFile(const std::string& path, RecordSpan records, const WriteOptions& options);
bool WriteCsvFile(const std::string& path, RecordSpan records, int layout);
// The three layouts in the shape of the format table's writers.
bool WriteMioMapFile(const std::string& path, RecordSpan records, const WriteOptions& options);
bool WriteGarminFile(const std::string& path, RecordSpan records, const WriteOptions& options);
bool WriteNavioFile(const std::string& path, RecordSpan records, const WriteOptions& options);

// The mode a TXT mode line's text (after "=") selects; 0 when none matches.
int TxtModeFromText(std::string_view text);
// The mode line a TXT file of that mode begins with ("" for WGS84).
std::string_view TxtModeLine(int mode);
// The coordinate text of a WGS84 position in a mode's notation.
std::string TxtCoordinateText(double lat, double lon, int mode);

// The TXT reader's work on one line (with its LF, if it had one); the mode
// carries over from line to line.
class TxtLineReader {
 public:
  void HandleLine(std::string& line, WaypointStore& store);
  int Mode() const { return mode_; }

 private:
  int mode_ = kTxtWgs84;
  std::string name_;
};

// The CSV reader's work on one line.
void HandleCsvLine(std::string_view line, WaypointStore& store);

// One line of a layout, LF-terminated.
void AppendCsvLine(std::string& out, const TGpxRecord& record, int layout);

}  // namespace quill
