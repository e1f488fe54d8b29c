// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "base/FileIo.h"
#include "formats/FormatTypes.h"

namespace quill {

// Writes the records, in the order given, as a GPX 1.0 file. False when the
// file could not be written whole; the old file is then left as it was.
bool WriteGpxFile(const std::string& path, RecordSpan records, const WriteOptions& options);
// What WriteGpxFile writes, in memory with LF line ends (the file has CR LF).
std::string GpxFileText(RecordSpan records, const WriteOptions& options);

// One wpt element, LF line ends (the file turns them into CR LF).
void AppendWptElement(std::string& out, const TGpxRecord& record);
void WriteWptElement(AtomicFileWriter& file, const TGpxRecord& record);

// The file text before the first waypoint, for the given records' bounds.
std::string GpxHeader(RecordSpan records, const std::string& internalName, const std::string& utcTime);

// One record alone, as the edit dialog saves it: the header names the
// company as creator, its schema location is the namespace itself, and its
// bounds are the record's position. Atomic and checked like WriteGpxFile.
bool WriteSingleWaypointGpx(const std::string& path, const TGpxRecord& record);
std::string SingleWaypointGpxHeader(const TGpxRecord& record, const std::string& utcTime);

}  // namespace quill
