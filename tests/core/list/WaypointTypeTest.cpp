// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "list/WaypointType.h"

namespace quill {
namespace {

// The texts files hold: a change here changes every file written before.
TEST(WaypointTypes, EveryTypeKeepsItsTextsInEveryFormat) {
  struct Row {
    WaypointType type;
    const char* gpx;
    const char* loc;
  } rows[] = {
      {WaypointType::FinalLocation, "Waypoint|Final Location", "Final Location"},
      {WaypointType::ParkingArea, "Waypoint|Parking Area", "Parking Area"},
      {WaypointType::StagesOfAMulticache, "Waypoint|Stages of a Multicache", "Stages of a Multicache"},
      {WaypointType::ReferencePoint, "Waypoint|Reference Point", "Reference Point"},
      {WaypointType::QuestionToAnswer, "Waypoint|Question to Answer", "Question to Answer"},
      {WaypointType::Trailhead, "Waypoint|Trailhead", "Trailhead"},
      {WaypointType::TraditionalCache, "Geocache|Traditional Cache", "Traditional Cache"},
      {WaypointType::MultiCache, "Geocache|Multi-cache", "Multi-cache"},
      {WaypointType::MysteryCache, "Geocache|Mystery/Puzzle Cache", "Mystery Cache"},
      {WaypointType::VirtualCache, "Geocache|Virtual Cache", "Virtual Cache"},
      {WaypointType::Earthcache, "Geocache|Earthcache", "Earthcache"},
      {WaypointType::WebcamCache, "Geocache|Webcam Cache", "Webcam Cache"},
      {WaypointType::LetterboxHybrid, "Geocache|Letterbox Hybrid", "Letterbox Hybrid"},
      {WaypointType::EventCache, "Geocache|Event Cache", "Event Cache"},
      {WaypointType::MegaEventCache, "Geocache|Mega-Event Cache", "Mega-Event Cache"},
      {WaypointType::CacheInTrashOutEvent, "Geocache|Cache In Trash Out Event", "Cache In Trash Out Event"},
      {WaypointType::WherigoCache, "Geocache|Wherigo Cache", "Wherigo Cache"},
      {WaypointType::LocationlessCache, "Geocache|Locationless (Reverse) Cache", "Locationless (Reverse) Cache"},
      {WaypointType::ProjectApeCache, "Geocache|Project APE Cache", "Project APE Cache"},
      {WaypointType::GpsAdventuresExhibit, "Geocache|GPS Adventures Exhibits", "GPS Adventures Exhibits"},
  };
  ASSERT_EQ(std::size(rows), static_cast<std::size_t>(kTypeCodeCount));
  std::set<std::string_view> names;
  for (int code = 0; code < kTypeCodeCount; ++code) {
    const Row& row = rows[code];
    SCOPED_TRACE(row.gpx);
    ASSERT_EQ(CodeOf(row.type), code);
    EXPECT_EQ(TypeInfo(code).type, row.type);
    const std::string gpx = row.gpx;
    const std::string name = gpx.substr(gpx.find('|') + 1);
    EXPECT_EQ(TypeName(code), name);
    names.insert(TypeName(code));
    EXPECT_EQ(GpxTypeText(code), gpx);
    EXPECT_EQ(TypeCodeFromGpxText(gpx), code);
    EXPECT_EQ(LocTypeText(code, true), row.loc);
    EXPECT_EQ(LocTypeFromText(row.loc).typeCode, code);
    EXPECT_EQ(LocTypeFromText(name).typeCode, code);
    const bool cache = code >= 6;
    EXPECT_EQ(IsCacheType(code), cache);
    EXPECT_EQ(DefaultSymbol(code, true), cache ? "Geocache Found" : name);
    EXPECT_EQ(CacheTypeFromName(name), cache ? &TypeInfo(code) : nullptr);
    EXPECT_EQ(TypeInfo(code).kmlIconSmall, !cache);
  }
  EXPECT_EQ(names.size(), static_cast<std::size_t>(kTypeCodeCount));
}

// Each format reads the other names it always read, and no more.
TEST(WaypointTypes, OtherNamesAreReadWhereTheyWereMet) {
  struct Case {
    const char* text;
    int gpx;   // code of "Geocache|" and the text in GPX
    int loc;   // code in LOC
    int page;  // cache type the cache page takes it for, -1 for none
  } cases[] = {
      {"Unknown Cache", 8, 8, 8},
      {"Unknown", 0, 8, 8},
      {"Mystery Cache", 0, 8, 8},
      {"Multi Cache", 0, 7, 7},
      {"Virtual Hybrid", 0, 9, 9},
      {"CITO Event", 0, 15, 15},
      {"GPS Adventures Exhibit", 19, 0, 19},
      {"Geocache", 0, 6, -1},
      {"Geocache Found", 0, 6, -1},
      {"Parking Area", 0, 1, -1},
      {"multi cache", 0, 0, 7},
      {"", 0, 0, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(TypeCodeFromGpxText(std::string("Geocache|") + c.text), c.gpx);
    EXPECT_EQ(LocTypeFromText(c.text).typeCode, c.loc);
    EXPECT_EQ(LocTypeFromText(c.text).found, std::string(c.text) == "Geocache Found");
    const WaypointTypeInfo* page = CacheTypeFromName(c.text);
    EXPECT_EQ(page ? CodeOf(page->type) : -1, c.page);
  }
  EXPECT_EQ(TypeCodeFromGpxText("Waypoint|Unknown Cache"), 0);
  EXPECT_EQ(LocTypeText(-1, true), "Geocache Found");
  EXPECT_EQ(LocTypeText(20, false), "Geocache");
  EXPECT_EQ(TypeName(20), "");
  EXPECT_EQ(&TypeInfo(-5), &TypeInfo(0));
}

}  // namespace
}  // namespace quill
