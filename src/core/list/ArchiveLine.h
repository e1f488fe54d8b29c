// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The archive file: one text line per archived waypoint, appended.
#include <string>
#include <vector>

#include "list/GpxRecord.h"

namespace quill {

// "S 33° 52.166  E 151° 12.500; NAME   (URL name)  TIME" and a line feed;
// the parts in parentheses and the time only when not empty.
std::string ArchiveLine(const TGpxRecord& record);

enum class ArchiveResult { kDone, kOpenFailed, kWriteFailed };

// Appends the record's line to the file (created when missing; no record
// writes nothing), the line feed written as CR LF. The write and the close are
// checked: kWriteFailed means the line may not be in the file, so the
// waypoint must stay in the list.
ArchiveResult AppendArchiveLine(const std::string& path, const TGpxRecord* record);
// The lines of several records in one write.
ArchiveResult AppendArchiveLines(const std::string& path, const std::vector<const TGpxRecord*>& records);

}  // namespace quill
