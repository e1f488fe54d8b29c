// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// GPS receivers that show up as a USB drive: a mounted volume (or any folder)
// holding Garmin/GarminDevice.xml. That file names the model and, among its
// data types, the folder and the extension the receiver reads GPX files
// from. Sending writes the chosen waypoints there as one GPX 1.0 file with
// the geocache data, atomically: a receiver unplugged or turned read-only
// mid-write holds no partial file under the GPX name.
#include <cstdint>
#include <string>
#include <vector>

#include "formats/FormatTypes.h"

namespace quill {

struct ReceiverDrive {
  std::string root;             // the volume's mount point, or the folder named
  std::string model;            // as GarminDevice.xml describes it
  std::string gpxFolder;        // absolute
  std::string gpxExtension;     // with the dot
  std::uint64_t freeBytes = 0;  // for an unprivileged user
  bool readOnly = false;
};

// The description file below a receiver's root.
inline constexpr const char* kReceiverDescription = "Garmin/GarminDevice.xml";

// The receiver whose root is folder: false, with the reason in error, when
// folder holds no readable description.
bool ReadReceiver(const std::string& folder, ReceiverDrive& receiver, std::string& error);
// The model, the GPX folder (relative, "/"-separated) and extension a
// description gives; defaults where it says nothing usable.
void ParseReceiverDescription(std::string_view xml, std::string& model, std::string& gpxFolder,
                              std::string& gpxExtension);

// Every mounted volume that is a receiver, in mount order.
std::vector<ReceiverDrive> FindReceivers();

// The receiver to send to: the one named by path (a receiver's root), or,
// with no path, the only one of found. False with the reason otherwise
// (none, several: each named).
bool ChooseReceiver(const std::vector<ReceiverDrive>& found, const std::string& path, ReceiverDrive& chosen,
                    std::string& error);

// "1.5 GB", "830 MB", "12 KB": a size for the eye.
std::string SizeText(std::uint64_t bytes);
// One line for a list: "MODEL (SIZE free)".
std::string ReceiverLabel(const ReceiverDrive& receiver);

// The file name a send takes: name with the receiver's extension (replacing
// a known waypoint extension or added); false with the reason when name is
// empty or not a bare file name.
bool ReceiverFileName(const ReceiverDrive& receiver, const std::string& name, std::string& fileName,
                      std::string& error);

// Writes records as one GPX file named fileName (see ReceiverFileName) into
// the receiver's GPX folder, which is made when missing. Refused when the
// receiver is read-only or its free space would not hold the file; a failed
// write leaves the folder as it was. The path written, or false with the
// reason in error.
bool SendToReceiver(const ReceiverDrive& receiver, const std::string& fileName, RecordSpan records,
                    const WriteOptions& options, std::string& written, std::string& error);

}  // namespace quill
