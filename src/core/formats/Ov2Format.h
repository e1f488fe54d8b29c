// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TomTom OV2: a plain sequence of binary records (type byte, little-endian
// int32 fields, coordinates in units of 0.00001 degree, longitude first).
#include <cstdint>
#include <string>
#include <string_view>

#include "formats/FormatTypes.h"

namespace quill {

// Adds every POI of an OV2 file. False when the file cannot be opened or is
// invalid ("Invalid OV2 (%02X)" flashed); what was read before stays. A file
// cut off inside a record reads as far as it is whole: true, with where it
// was cut in result->error. result->error gives the byte offset in every case.
bool ReadOv2File(const std::string& path, WaypointStore& store, const ReadOptions& options, ReadResult* result);
// One bounding-box record covering the file, then one simple POI per record.
bool WriteOv2File(const std::string& path, RecordSpan records, const WriteOptions& options);

// Degrees to OV2 units, rounded half up (also below zero), clamped to int32.
std::int32_t Ov2Units(double degrees);

}  // namespace quill
