// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The waypoint types. One row per type gives every text and icon the program
// shows, reads or writes for it. A type's code is its enum value, 0..19: the
// records keep it, and it is the item of the type combo boxes and the value of
// the type filter.
#include <cstdint>
#include <string_view>

namespace quill {

enum class WaypointType : std::uint8_t {
  FinalLocation,
  ParkingArea,
  StagesOfAMulticache,
  ReferencePoint,
  QuestionToAnswer,
  Trailhead,
  TraditionalCache,
  MultiCache,
  MysteryCache,
  VirtualCache,
  Earthcache,
  WebcamCache,
  LetterboxHybrid,
  EventCache,
  MegaEventCache,
  CacheInTrashOutEvent,
  WherigoCache,
  LocationlessCache,
  ProjectApeCache,
  GpsAdventuresExhibit,
};
inline constexpr int kTypeCodeCount = 20;

constexpr int CodeOf(WaypointType type) { return static_cast<int>(type); }
// The additional waypoints come first; every code from the first cache type
// on counts as a cache.
constexpr bool IsCacheType(int code) { return code >= CodeOf(WaypointType::TraditionalCache); }

// Additional waypoints are round, caches square, events have cut corners.
enum class IconShape : std::uint8_t { Circle, Square, Event };

struct WaypointTypeInfo {
  WaypointType type;
  // "Waypoint|" or "Geocache|", then the type's name.
  std::string_view gpxText;
  // What LOC files are written with where it is not the name.
  std::string_view locText;
  // The KML icon: a path on the listing service's image host, drawn at half
  // size when small.
  std::string_view kmlIcon;
  bool kmlIconSmall;
  // The image of the offline cache page; the page's default where empty.
  std::string_view pageImage;
  // The icon of the list and of the map.
  IconShape iconShape;
  std::uint32_t iconArgb;
  char iconGlyph;
};

// The GPX symbols of caches; the found one marks a GPX waypoint as found.
inline constexpr std::string_view kCacheSymbol = "Geocache";
inline constexpr std::string_view kFoundCacheSymbol = "Geocache Found";

// The row of a code; a code outside 0..19 gets the row of 0.
const WaypointTypeInfo& TypeInfo(int code);

// The type's name: the item of the type combo boxes and of the type filter;
// empty outside 0..19.
std::string_view TypeName(int code);
// GPX symbol of a type.
std::string_view DefaultSymbol(int code, bool found);
// GPX type text written for a code (that of code 0 for a code outside 0..19).
std::string_view GpxTypeText(int code);
// Type code of a GPX type text read from a file; 0 when not known.
int TypeCodeFromGpxText(std::string_view text);

// LOC type text written for a code and found flag.
std::string_view LocTypeText(int code, bool found);
// Type code and found flag of a LOC type text; code 0 when not known.
struct LocType {
  int typeCode = 0;
  bool found = false;
};
LocType LocTypeFromText(std::string_view text);

// The cache type a Groundspeak type text names, in any letter case and under
// its other names too; nullptr for an additional waypoint or an unknown text.
const WaypointTypeInfo* CacheTypeFromName(std::string_view text);

}  // namespace quill
