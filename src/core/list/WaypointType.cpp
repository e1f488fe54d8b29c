// SPDX-License-Identifier: GPL-3.0-or-later
#include "list/WaypointType.h"

#include <array>

#include "text/TextHelpers.h"

namespace quill {
namespace {

using T = WaypointType;
using S = IconShape;

constexpr std::array<WaypointTypeInfo, kTypeCodeCount> kTypes = {{
    {T::FinalLocation, "Waypoint|Final Location", "", "/images/wpttypes/sm/flag.jpg", true, "", S::Circle, 0xFFB01818,
     'F'},
    {T::ParkingArea, "Waypoint|Parking Area", "", "/images/wpttypes/sm/pkg.jpg", true, "", S::Circle, 0xFF1F5FBF, 'P'},
    {T::StagesOfAMulticache, "Waypoint|Stages of a Multicache", "", "/images/wpttypes/sm/stage.jpg", true, "",
     S::Circle, 0xFFE07800, 'S'},
    {T::ReferencePoint, "Waypoint|Reference Point", "", "/images/wpttypes/sm/waypoint.jpg", true, "", S::Circle,
     0xFF707070, 'R'},
    {T::QuestionToAnswer, "Waypoint|Question to Answer", "", "/images/wpttypes/sm/puzzle.jpg", true, "", S::Circle,
     0xFF7A2E9E, '?'},
    {T::Trailhead, "Waypoint|Trailhead", "", "/images/wpttypes/sm/trailhead.jpg", true, "", S::Circle, 0xFF8A5A20, 'T'},
    {T::TraditionalCache, "Geocache|Traditional Cache", "", "/images/kml/2.png", false, "Cache_Traditional.gif",
     S::Square, 0xFF1E8A1E, 'T'},
    {T::MultiCache, "Geocache|Multi-cache", "", "/images/kml/3.png", false, "Cache_Multi.gif", S::Square, 0xFFE07800,
     'M'},
    {T::MysteryCache, "Geocache|Mystery/Puzzle Cache", "Mystery Cache", "/images/kml/8.png", false, "Cache_Mystery.gif",
     S::Square, 0xFF1F4FBF, '?'},
    {T::VirtualCache, "Geocache|Virtual Cache", "", "/images/kml/4.png", false, "Cache_Virtual.gif", S::Square,
     0xFF5AA0C8, 'V'},
    {T::Earthcache, "Geocache|Earthcache", "", "/images/kml/earthcache.png", false, "Cache_Earth.gif", S::Square,
     0xFF8A5A20, 'E'},
    {T::WebcamCache, "Geocache|Webcam Cache", "", "/images/kml/11.png", false, "Cache_Webcam.gif", S::Square,
     0xFF606060, 'W'},
    {T::LetterboxHybrid, "Geocache|Letterbox Hybrid", "", "/images/kml/5.png", false, "Cache_Letterbox.gif", S::Square,
     0xFF1A2F6E, 'L'},
    {T::EventCache, "Geocache|Event Cache", "", "/images/kml/6.png", false, "Cache_Event.gif", S::Event, 0xFFC81E1E,
     'E'},
    {T::MegaEventCache, "Geocache|Mega-Event Cache", "", "/images/kml/453.png", false, "Cache_Event.gif", S::Event,
     0xFF9E1E7A, 'M'},
    {T::CacheInTrashOutEvent, "Geocache|Cache In Trash Out Event", "", "/images/kml/13.png", false, "Cache_Event.gif",
     S::Event, 0xFF2E7A2E, 'C'},
    {T::WherigoCache, "Geocache|Wherigo Cache", "", "/images/WptTypes/1858.gif", false, "", S::Square, 0xFF128A8A, 'W'},
    {T::LocationlessCache, "Geocache|Locationless (Reverse) Cache", "", "/images/kml/8.png", false,
     "Cache_Locationless.gif", S::Square, 0xFF7A7A1E, 'L'},
    {T::ProjectApeCache, "Geocache|Project APE Cache", "", "/images/kml/9.png", false, "", S::Square, 0xFF4E5E2E, 'A'},
    {T::GpsAdventuresExhibit, "Geocache|GPS Adventures Exhibits", "", "/images/kml/8.png", false, "", S::Square,
     0xFF3E6E9E, 'G'},
}};

constexpr bool RowsInCodeOrder() {
  for (int i = 0; i < kTypeCodeCount; ++i) {
    if (CodeOf(kTypes[static_cast<std::size_t>(i)].type) != i) return false;
  }
  return true;
}
static_assert(RowsInCodeOrder());

// Other names of a type met in files: the older name of the mystery type and
// the listing service's own spelling of the exhibit type among them.
struct OtherName {
  std::string_view text;
  WaypointType type;
  bool gpx;  // read from GPX as well (after "Geocache|"), not only from LOC
  bool loc;
};
constexpr std::array<OtherName, 6> kOtherNames = {{
    {"Multi Cache", T::MultiCache, false, true},
    {"Unknown Cache", T::MysteryCache, true, true},
    {"Unknown", T::MysteryCache, false, true},
    {"Virtual Hybrid", T::VirtualCache, false, true},
    {"CITO Event", T::CacheInTrashOutEvent, false, true},
    {"GPS Adventures Exhibit", T::GpsAdventuresExhibit, true, false},
}};

constexpr std::string_view NameOf(const WaypointTypeInfo& row) { return row.gpxText.substr(row.gpxText.find('|') + 1); }

constexpr std::string_view GpxKindOf(const WaypointTypeInfo& row) {
  return row.gpxText.substr(0, row.gpxText.find('|') + 1);
}

constexpr std::string_view LocTextOf(const WaypointTypeInfo& row) {
  return row.locText.empty() ? NameOf(row) : row.locText;
}

bool ValidCode(int code) { return code >= 0 && code < kTypeCodeCount; }

}  // namespace

const WaypointTypeInfo& TypeInfo(int code) { return kTypes[ValidCode(code) ? static_cast<std::size_t>(code) : 0]; }

std::string_view TypeName(int code) { return ValidCode(code) ? NameOf(TypeInfo(code)) : std::string_view(); }

std::string_view DefaultSymbol(int code, bool found) {
  if (!ValidCode(code)) return NameOf(kTypes[0]);
  if (IsCacheType(code)) return found ? kFoundCacheSymbol : kCacheSymbol;
  return NameOf(TypeInfo(code));
}

std::string_view GpxTypeText(int code) { return TypeInfo(code).gpxText; }

int TypeCodeFromGpxText(std::string_view text) {
  for (const WaypointTypeInfo& row : kTypes) {
    if (row.gpxText == text) return CodeOf(row.type);
  }
  constexpr std::string_view kCacheKind = GpxKindOf(kTypes[CodeOf(T::TraditionalCache)]);
  if (!text.starts_with(kCacheKind)) return 0;
  text.remove_prefix(kCacheKind.size());
  for (const OtherName& other : kOtherNames) {
    if (other.gpx && other.text == text) return CodeOf(other.type);
  }
  return 0;
}

std::string_view LocTypeText(int code, bool found) {
  if (!ValidCode(code)) return found ? kFoundCacheSymbol : kCacheSymbol;
  return LocTextOf(TypeInfo(code));
}

LocType LocTypeFromText(std::string_view text) {
  if (text.empty()) return {};
  for (const WaypointTypeInfo& row : kTypes) {
    if (NameOf(row) == text || row.locText == text) return {CodeOf(row.type), false};
  }
  for (const OtherName& other : kOtherNames) {
    if (other.loc && other.text == text) return {CodeOf(other.type), false};
  }
  // A cache symbol in the type element: a cache, found or not.
  if (text == kCacheSymbol) return {CodeOf(T::TraditionalCache), false};
  if (text == kFoundCacheSymbol) return {CodeOf(T::TraditionalCache), true};
  return {};
}

const WaypointTypeInfo* CacheTypeFromName(std::string_view text) {
  if (text.empty()) return nullptr;
  for (const WaypointTypeInfo& row : kTypes) {
    if (IsCacheType(CodeOf(row.type)) && (EqualsIgnoreCase(NameOf(row), text) || EqualsIgnoreCase(row.locText, text))) {
      return &row;
    }
  }
  for (const OtherName& other : kOtherNames) {
    if (EqualsIgnoreCase(other.text, text)) return &TypeInfo(CodeOf(other.type));
  }
  return nullptr;
}

}  // namespace quill
