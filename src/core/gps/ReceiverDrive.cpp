// SPDX-License-Identifier: GPL-3.0-or-later
#include "gps/ReceiverDrive.h"

#include <QFile>
#include <QStorageInfo>
#include <algorithm>
#include <cstdio>

#include "base/FileIo.h"
#include "base/UserFolders.h"
#include "formats/FormatTable.h"
#include "formats/GpxWriter.h"
#include "text/TextHelpers.h"
#include "text/XmlText.h"

namespace quill {
namespace {

constexpr std::string_view kDefaultFolder = "Garmin/GPX";
constexpr std::string_view kDefaultExtension = ".gpx";
constexpr std::string_view kDefaultModel = "Garmin device";
// Room a file system takes beyond the bytes (clusters, directory entries).
constexpr std::uint64_t kSpareBytes = 64 * 1024;
// The description is a few kilobytes; anything far larger is not one.
constexpr std::uint64_t kDescriptionLimit = 1 << 20;

std::string Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return DecodeBasic(text);
}

bool WritesToUnit(std::string_view file) {
  const std::string direction = Trimmed(FirstElementText(file, "TransferDirection"));
  return direction.empty() || direction == "InputToUnit" || direction == "InputOutput";
}

// The GPX folder and extension of one File element of a data type, when it
// is a GPX file the receiver reads.
bool GpxLocation(std::string_view file, std::string& folder, std::string& extension) {
  const std::string_view location = FirstElementText(file, "Location");
  std::string ext = Trimmed(FirstElementText(location, "FileExtension"));
  if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
  if (!EqualsIgnoreCase(ext, "gpx") || !WritesToUnit(file)) return false;
  std::string path = Trimmed(FirstElementText(location, "Path"));
  std::replace(path.begin(), path.end(), '\\', '/');
  while (!path.empty() && path.back() == '/') path.pop_back();
  // The description's paths start at the device's root, with or without a separator.
  path.erase(0, path.find_first_not_of('/'));
  if (path.empty() || LeavesItsFolder(path)) return false;
  folder = path;
  extension = ".gpx";
  return true;
}

bool ReadDescription(const std::string& path, std::string& text, std::string& error) {
  InputFile file;
  if (!file.Open(path, false)) {
    error = std::string(kReceiverDescription) + ": " + file.FailureReason();
    return false;
  }
  if (file.Size() > kDescriptionLimit) {
    error = std::string(kReceiverDescription) + " is too large to be one";
    return false;
  }
  if (!file.ReadAll(text)) {
    error = std::string(kReceiverDescription) + " cannot be read";
    return false;
  }
  return true;
}

std::string JoinPath(const std::string& folder, std::string_view name) {
  if (folder.empty() || folder.back() == '/') return folder + std::string(name);
  return folder + "/" + std::string(name);
}

}  // namespace

void ParseReceiverDescription(std::string_view xml, std::string& model, std::string& gpxFolder,
                              std::string& gpxExtension) {
  const std::string_view modelElement = FirstElementText(xml, "Model");
  model = Trimmed(FirstElementText(modelElement, "Description"));
  if (model.empty()) model = Trimmed(FirstElementText(xml, "DisplayName"));
  if (model.empty()) model = kDefaultModel;
  gpxFolder = kDefaultFolder;
  gpxExtension = kDefaultExtension;
  // The GPSData type names the folder of geocaches and waypoints; another
  // GPX type (tracks, courses) serves when that one is missing.
  std::string otherFolder;
  std::size_t pos = 0;
  for (std::string_view type = NextElementText(xml, "DataType", pos); !type.empty();
       type = NextElementText(xml, "DataType", pos)) {
    const bool gpsData = Trimmed(FirstElementText(type, "Name")) == "GPSData";
    std::size_t filePos = 0;
    for (std::string_view file = NextElementText(type, "File", filePos); !file.empty();
         file = NextElementText(type, "File", filePos)) {
      std::string folder, extension;
      if (!GpxLocation(file, folder, extension)) continue;
      if (gpsData) {
        gpxFolder = folder;
        gpxExtension = extension;
        return;
      }
      if (otherFolder.empty()) otherFolder = folder;
    }
  }
  if (!otherFolder.empty()) gpxFolder = otherFolder;
}

bool ReadReceiver(const std::string& folder, ReceiverDrive& receiver, std::string& error) {
  std::string root = folder;
  while (root.size() > 1 && root.back() == '/') root.pop_back();
  std::string xml;
  if (!ReadDescription(JoinPath(root, kReceiverDescription), xml, error)) {
    error = root + " is no GPS receiver (" + error + ")";
    return false;
  }
  std::string relative;
  receiver.root = root;
  ParseReceiverDescription(xml, receiver.model, relative, receiver.gpxExtension);
  receiver.gpxFolder = JoinPath(root, relative);
  const QStorageInfo storage(QFile::decodeName(root.c_str()));
  receiver.freeBytes =
      storage.isValid() ? static_cast<std::uint64_t>(std::max<qint64>(storage.bytesAvailable(), 0)) : 0;
  receiver.readOnly = storage.isValid() && storage.isReadOnly();
  return true;
}

std::vector<ReceiverDrive> FindReceivers() {
  std::vector<ReceiverDrive> found;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || !volume.isReady()) continue;
    const std::string root = QFile::encodeName(volume.rootPath()).toStdString();
    if (!FileExists(JoinPath(root, kReceiverDescription))) continue;
    if (std::any_of(found.begin(), found.end(), [&](const ReceiverDrive& r) { return r.root == root; })) continue;
    ReceiverDrive receiver;
    std::string error;
    if (ReadReceiver(root, receiver, error)) found.push_back(std::move(receiver));
  }
  return found;
}

bool ChooseReceiver(const std::vector<ReceiverDrive>& found, const std::string& path, ReceiverDrive& chosen,
                    std::string& error) {
  if (!path.empty()) return ReadReceiver(path, chosen, error);
  if (found.size() == 1) {
    chosen = found.front();
    return true;
  }
  if (found.empty()) {
    error = "no GPS receiver found (a mounted volume with " + std::string(kReceiverDescription) + ")";
    return false;
  }
  error = "several GPS receivers found:";
  for (const ReceiverDrive& r : found) error += (&r == &found.front() ? " " : ", ") + r.model + " at " + r.root;
  return false;
}

std::string SizeText(std::uint64_t bytes) {
  constexpr const char* kUnits[] = {"bytes", "KB", "MB", "GB", "TB"};
  double value = static_cast<double>(bytes);
  int unit = 0;
  while (value >= 1024 && unit < 4) {
    value /= 1024;
    ++unit;
  }
  char text[32];
  if (unit == 0) {
    std::snprintf(text, sizeof text, "%llu bytes", static_cast<unsigned long long>(bytes));
  } else {
    std::snprintf(text, sizeof text, value < 10 ? "%.1f %s" : "%.0f %s", value, kUnits[unit]);
  }
  return text;
}

std::string ReceiverLabel(const ReceiverDrive& receiver) {
  return receiver.model + " (" + SizeText(receiver.freeBytes) + " free)";
}

bool ReceiverFileName(const ReceiverDrive& receiver, const std::string& name, std::string& fileName,
                      std::string& error) {
  const std::string trimmed = Trimmed(name);
  if (trimmed.empty()) {
    error = "no file name given";
    return false;
  }
  if (trimmed.find_first_of("/\\") != std::string::npos || trimmed == "." || trimmed == "..") {
    error = "\"" + trimmed + "\" is not a bare file name";
    return false;
  }
  const std::string_view ext = FileExtension(trimmed);
  const bool known = EqualsIgnoreCase(ext, receiver.gpxExtension) || ReaderForPath(trimmed);
  fileName = known ? trimmed.substr(0, trimmed.size() - ext.size()) : trimmed;
  if (fileName.empty()) {
    error = "no file name given";
    return false;
  }
  fileName += receiver.gpxExtension;
  return true;
}

bool SendToReceiver(const ReceiverDrive& receiver, const std::string& fileName, RecordSpan records,
                    const WriteOptions& options, std::string& written, std::string& error) {
  if (receiver.readOnly) {
    error = receiver.model + " at " + receiver.root + " is read-only";
    return false;
  }
  const std::string text = GpxFileText(records, options);
  // Every line ends in CR LF on the receiver.
  const std::uint64_t needed = text.size() + static_cast<std::uint64_t>(std::count(text.begin(), text.end(), '\n'));
  if (needed + kSpareBytes > receiver.freeBytes) {
    error = "not enough space on " + receiver.model + ": the file needs " + SizeText(needed) + ", " +
            SizeText(receiver.freeBytes) + " free";
    return false;
  }
  if (!MakeFolders(receiver.gpxFolder)) {
    error = "cannot make the folder " + receiver.gpxFolder;
    return false;
  }
  const std::string path = JoinPath(receiver.gpxFolder, fileName);
  AtomicFileWriter file;
  if (file.Open(path, true)) file.Write(text);
  if (!file.Commit()) {
    error = "cannot write " + path;
    return false;
  }
  written = path;
  return true;
}

}  // namespace quill
