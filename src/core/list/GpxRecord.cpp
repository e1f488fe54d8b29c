// SPDX-License-Identifier: GPL-3.0-or-later
#include "list/GpxRecord.h"

#include <array>

namespace quill {
namespace {

constexpr std::array<std::string_view, kTypeCodeCount> kTypeNames = {
    "Final Location",
    "Parking Area",
    "Stages of a Multicache",
    "Reference Point",
    "Question to Answer",
    "Trailhead",
    "Traditional Cache",
    "Multi-cache",
    "Mystery/Puzzle Cache",
    "Virtual Cache",
    "Earthcache",
    "Webcam Cache",
    "Letterbox Hybrid",
    "Event Cache",
    "Mega-Event Cache",
    "Cache In Trash Out Event",
    "Wherigo Cache",
    "Locationless (Reverse) Cache",
    "Project APE Cache",
    "GPS Adventures Exhibits",
};

constexpr std::array<std::string_view, kTypeCodeCount> kGpxTypeTexts = {
    "Waypoint|Final Location",
    "Waypoint|Parking Area",
    "Waypoint|Stages of a Multicache",
    "Waypoint|Reference Point",
    "Waypoint|Question to Answer",
    "Waypoint|Trailhead",
    "Geocache|Traditional Cache",
    "Geocache|Multi-cache",
    "Geocache|Mystery/Puzzle Cache",
    "Geocache|Virtual Cache",
    "Geocache|Earthcache",
    "Geocache|Webcam Cache",
    "Geocache|Letterbox Hybrid",
    "Geocache|Event Cache",
    "Geocache|Mega-Event Cache",
    "Geocache|Cache In Trash Out Event",
    "Geocache|Wherigo Cache",
    "Geocache|Locationless (Reverse) Cache",
    "Geocache|Project APE Cache",
    "Geocache|GPS Adventures Exhibits",
};

}  // namespace

std::string_view TypeName(int typeCode) {
  if (typeCode < 0 || typeCode >= kTypeCodeCount) return {};
  return kTypeNames[static_cast<std::size_t>(typeCode)];
}

std::string_view DefaultSymbol(int typeCode, bool found) {
  switch (typeCode) {
    case 1:
      return "Parking Area";
    case 2:
      return "Stages of a Multicache";
    case 3:
      return "Reference Point";
    case 4:
      return "Question to Answer";
    case 5:
      return "Trailhead";
    default:
      if (typeCode >= kFirstGeocacheType && typeCode < kTypeCodeCount) return found ? "Geocache Found" : "Geocache";
      return "Final Location";
  }
}

std::string_view GpxTypeText(int typeCode) {
  if (typeCode < 0 || typeCode >= kTypeCodeCount) return kGpxTypeTexts[0];
  return kGpxTypeTexts[static_cast<std::size_t>(typeCode)];
}

int TypeCodeFromGpxText(std::string_view text) {
  // The reader also knows the older name of the mystery type, and the
  // listing service's own spelling of the exhibit type.
  if (text == "Geocache|Unknown Cache") return 8;
  if (text == "Geocache|GPS Adventures Exhibit") return 19;
  for (int i = 0; i < kTypeCodeCount; ++i) {
    if (kGpxTypeTexts[static_cast<std::size_t>(i)] == text) return i;
  }
  return 0;
}

std::string_view GpxTypeTextOf(const TGpxRecord& record) {
  if (!record.TypeText.empty() && TypeCodeFromGpxText(record.TypeText) == record.TypeCode) return record.TypeText;
  return GpxTypeText(record.TypeCode);
}

}  // namespace quill
