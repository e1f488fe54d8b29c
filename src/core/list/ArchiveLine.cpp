#include "list/ArchiveLine.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

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

bool WriteAll(int fd, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
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
  if (path.empty()) return ArchiveResult::kOpenFailed;
  int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return ArchiveResult::kOpenFailed;
  std::string line = record ? ArchiveLine(*record) : std::string();
  std::string text;
  for (char c : line) {
    if (c == '\n') text.push_back('\r');
    text.push_back(c);
  }
  bool ok = WriteAll(fd, text);
  if (ok && ::fsync(fd) != 0) ok = false;
  if (::close(fd) != 0) ok = false;
  return ok ? ArchiveResult::kDone : ArchiveResult::kWriteFailed;
}

}  // namespace quill
