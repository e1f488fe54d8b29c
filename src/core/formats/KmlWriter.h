// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// KML 2.2 for Google Earth: one placemark per record with name, a short HTML
// description, a type icon and the position. There is no KML reader.
#include <string>
#include <string_view>

#include "formats/FormatTypes.h"

namespace quill {

bool WriteKmlFile(const std::string& path, RecordSpan records, const WriteOptions& options);

// The icon part of a placemark's style for a type code.
std::string KmlIconPart(int typeCode);
// One placemark, LF line ends.
void AppendKmlPlacemark(std::string& out, const TGpxRecord& record);

}  // namespace quill
