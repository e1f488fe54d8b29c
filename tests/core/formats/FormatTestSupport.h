// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared by the format tests: record lists for the writers, reading a file
// into a fresh store, GPSBabel and xmllint as independent checks.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "formats/FormatTypes.h"
#include "list/WaypointStore.h"
#include "support/TestSupport.h"
#include "text/TextHelpers.h"

namespace quill::test {

class RecordList {
 public:
  TGpxRecord& Add(std::string name, double lat, double lon) {
    owned_.push_back(std::make_unique<TGpxRecord>());
    TGpxRecord& r = *owned_.back();
    r.Name = std::move(name);
    r.Lat = lat;
    r.Lon = lon;
    pointers_.push_back(&r);
    return r;
  }
  RecordSpan Span() const { return RecordSpan(pointers_.data(), pointers_.size()); }
  std::size_t size() const { return owned_.size(); }
  const TGpxRecord& operator[](std::size_t i) const { return *owned_[i]; }

 private:
  std::vector<std::unique_ptr<TGpxRecord>> owned_;
  std::vector<const TGpxRecord*> pointers_;
};

inline RecordSpan ShownSpan(const WaypointStore& store) {
  const auto& shown = store.ShownWaypoints();
  return RecordSpan(shown.data(), shown.size());
}

// Runs body in a child process whose files may not grow past limit bytes, so
// a write fails the way a full disk makes it fail. Returns body's result, or
// -1 when the child died.
inline int RunWithFileSizeLimit(rlim_t limit, const std::function<bool()>& body) {
  pid_t pid = ::fork();
  if (pid == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit rl{limit, limit};
    ::setrlimit(RLIMIT_FSIZE, &rl);
    ::_exit(body() ? 1 : 0);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct PeerRow {
  std::string name;
  std::string description;  // UTF-8 as GPSBabel wrote it
  double lat = 0;
  double lon = 0;
};

// GPSBabel reads path in its format fmt; the rows come from its unicsv output.
inline bool GpsbabelRead(const std::string& fmt, const std::string& path, std::vector<PeerRow>& rows,
                         std::string* log = nullptr) {
  TempDir dir;
  std::string out = dir.File("peer.csv");
  std::string output;
  int rc = RunCommand("gpsbabel -i " + fmt + " -f " + ShellQuote(path) + " -o unicsv -F " + ShellQuote(out), &output);
  if (log) *log = output;
  if (rc != 0) return false;
  std::string text = ReadFileBytes(out);
  rows.clear();
  int nameCol = -1, latCol = -1, lonCol = -1, descCol = -1;
  std::size_t pos = 0;
  bool header = true;
  while (pos < text.size()) {
    std::size_t nl = text.find('\n', pos);
    if (nl == std::string::npos) nl = text.size();
    std::string line = text.substr(pos, nl - pos);
    pos = nl + 1;
    if (line.empty()) continue;
    if (header) {
      for (int i = 0; i < 30; ++i) {
        std::string f = CsvField(line, i);
        if (f == "Name") nameCol = i;
        if (f == "Latitude") latCol = i;
        if (f == "Longitude") lonCol = i;
        if (f == "Description") descCol = i;
      }
      header = false;
      continue;
    }
    PeerRow row;
    if (nameCol >= 0) row.name = CsvField(line, nameCol);
    if (descCol >= 0) row.description = CsvField(line, descCol);
    row.lat = TextToFloat(CsvField(line, latCol));
    row.lon = TextToFloat(CsvField(line, lonCol));
    rows.push_back(row);
  }
  return latCol >= 0 && lonCol >= 0;
}

// GPSBabel converts a GPX file into its format fmt.
inline bool GpsbabelWrite(const std::string& gpxPath, const std::string& fmt, const std::string& outPath) {
  std::string output;
  return RunCommand("gpsbabel -i gpx -f " + ShellQuote(gpxPath) + " -o " + fmt + " -F " + ShellQuote(outPath),
                    &output) == 0;
}

// Well-formed with namespaces: xmllint reports an undeclared prefix as a
// "namespace error" yet exits with 0, so its report counts too. Without
// xmllint the check is left out and the test is marked skipped.
inline bool XmlWellFormed(const std::string& path, std::string* log = nullptr) {
  if (!HaveTool("xmllint")) {
    NoteMissingTool("xmllint");
    return true;
  }
  std::string output;
  int rc = RunCommand("xmllint --noout " + ShellQuote(path), &output);
  if (log) *log = output;
  return rc == 0 && output.find("error") == std::string::npos;
}

}  // namespace quill::test
