// SPDX-License-Identifier: GPL-3.0-or-later
#include "list/ArchiveLine.h"

#include <cstdio>
#include <cstdlib>

#include "base/Platform.h"
#include "geo/CoordFormat.h"
#include "text/TextHelpers.h"

namespace quill {
namespace {

void AppendDegMinPart(std::string& out, double value, char positive, char negative, const char* degreeFormat) {
  DegMin dm = SplitDegMin(value, 3);
  out.push_back(value >= 0 ? positive : negative);
  out.push_back(' ');
  char buf[32];
  std::snprintf(buf, sizeof buf, degreeFormat, static_cast<unsigned>(std::abs(dm.deg)));
  out += buf;
  out.push_back(kDegreeSign);
  out.push_back(' ');
  // Minutes as "%06.3f", always with a point.
  std::string minutes = FormatFixed(dm.min, 3);
  if (minutes.size() < 6) minutes.insert(0, 6 - minutes.size(), '0');
  out += minutes;
}

}  // namespace

std::string ArchiveLine(const TGpxRecord& r) {
  std::string line;
  AppendDegMinPart(line, r.Lat, 'N', 'S', "%2u");
  line += "  ";
  AppendDegMinPart(line, r.Lon, 'E', 'W', "%03u");
  line += "; " + r.Name + "  ";
  if (!r.UrlName.empty()) line += " (" + r.UrlName + ")";
  if (!r.Time.empty()) line += "  " + r.Time;
  line += "\n";
  return line;
}

ArchiveResult AppendArchiveLine(const std::string& path, const TGpxRecord* record) {
  std::vector<const TGpxRecord*> records;
  if (record) records.push_back(record);
  return AppendArchiveLines(path, records);
}

ArchiveResult AppendArchiveLines(const std::string& path, const std::vector<const TGpxRecord*>& records) {
  if (path.empty()) return ArchiveResult::kOpenFailed;
  platform::Handle fd = platform::OpenForAppending(path);
  if (fd < 0) return ArchiveResult::kOpenFailed;
  std::string text;
  for (const TGpxRecord* record : records) {
    for (char c : ArchiveLine(*record)) {
      if (c == '\n') text.push_back('\r');
      text.push_back(c);
    }
  }
  bool ok = platform::WriteAll(fd, text.data(), text.size());
  if (ok && !platform::Sync(fd)) ok = false;
  if (!platform::Close(fd)) ok = false;
  return ok ? ArchiveResult::kDone : ArchiveResult::kWriteFailed;
}

}  // namespace quill
