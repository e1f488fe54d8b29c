// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Records for the list tests, built field by field, with a Groundspeak cache
// element made of the named parts.
#include <QLocale>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "formats/GpxWriter.h"
#include "list/GpxRecord.h"
#include "list/ListViewState.h"
#include "list/WaypointStore.h"
#include "session/ListSession.h"
#include "support/TestSupport.h"
#include "text/LocaleText.h"

namespace quill::test {

struct CacheParts {
  std::string archived;   // attribute text, or empty for none
  std::string available;  // attribute text, or empty for none
  std::string placedBy;
  std::string container;
  std::string difficulty;
  std::string terrain;
  std::string country;
  std::string state;
  std::vector<std::string> logTypes;  // one log per entry, with a date each
  std::string firstLogDate = "2010-05-01T12:00:00Z";
};

// A groundspeak:cache element laid out as the pocket queries lay it out.
inline std::string CacheXml(const CacheParts& p) {
  std::string x = "<groundspeak:cache id=\"1\"";
  if (!p.available.empty()) x += " available=\"" + p.available + "\"";
  if (!p.archived.empty()) x += " archived=\"" + p.archived + "\"";
  x += " xmlns:groundspeak=\"http://www.groundspeak.com/cache/1/0/1\">\n";
  x += "  <groundspeak:name>n</groundspeak:name>\n";
  if (!p.placedBy.empty()) x += "  <groundspeak:placed_by>" + p.placedBy + "</groundspeak:placed_by>\n";
  x += "  <groundspeak:type>Traditional Cache</groundspeak:type>\n";
  if (!p.container.empty()) x += "  <groundspeak:container>" + p.container + "</groundspeak:container>\n";
  if (!p.difficulty.empty()) x += "  <groundspeak:difficulty>" + p.difficulty + "</groundspeak:difficulty>\n";
  if (!p.terrain.empty()) x += "  <groundspeak:terrain>" + p.terrain + "</groundspeak:terrain>\n";
  if (!p.country.empty()) x += "  <groundspeak:country>" + p.country + "</groundspeak:country>\n";
  if (!p.state.empty()) x += "  <groundspeak:state>" + p.state + "</groundspeak:state>\n";
  x += "  <groundspeak:logs>\n";
  for (std::size_t i = 0; i < p.logTypes.size(); ++i) {
    x += "    <groundspeak:log id=\"" + std::to_string(100 + i) + "\">\n";
    x += "      <groundspeak:date>" + (i == 0 ? p.firstLogDate : std::string("2001-01-01T00:00:00Z")) +
         "</groundspeak:date>\n";
    x += "      <groundspeak:type>" + p.logTypes[i] + "</groundspeak:type>\n";
    x += "      <groundspeak:finder id=\"5\">someone</groundspeak:finder>\n";
    x += "      <groundspeak:text encoded=\"False\">Thanks</groundspeak:text>\n";
    x += "    </groundspeak:log>\n";
  }
  x += "  </groundspeak:logs>\n";
  x += "</groundspeak:cache>";
  return x;
}

// The records of one test, built field by field, and a store that holds
// them as a list does. Rows() gives the store's records in the order added,
// each changed to what was built so far.
class RecordSet {
 public:
  RecordSet() { store_.SetDuplicateMode(kDuplicateAllow); }
  TGpxRecord& Add(const std::string& name) {
    built_.push_back(std::make_unique<TGpxRecord>());
    built_.back()->Name = name;
    return *built_.back();
  }
  TGpxRecord& AddCache(const std::string& name, const CacheParts& parts) {
    TGpxRecord& r = Add(name);
    r.GroundspeakXml = CacheXml(parts);
    r.TypeCode = 6;
    return r;
  }
  std::vector<const TGpxRecord*> Rows() {
    while (stored_.size() < built_.size()) stored_.push_back(store_.AddWaypoint({}, {}, true));
    for (std::size_t i = 0; i < built_.size(); ++i) {
      // As built, without what adding does to a time or a position.
      if (!(*stored_[i] == *built_[i])) store_.ChangeWaypoint(stored_[i], [&](TGpxRecord& r) { r = *built_[i]; });
    }
    return stored_;
  }
  const WaypointStore& Store() const { return store_; }

 private:
  std::vector<std::unique_ptr<TGpxRecord>> built_;
  WaypointStore store_;
  std::vector<const TGpxRecord*> stored_;
};

inline std::vector<std::string> NamesOf(const std::vector<const TGpxRecord*>& rows) {
  std::vector<std::string> names;
  for (const TGpxRecord* r : rows) names.push_back(r->Name);
  return names;
}

// Puts the records into the session's list as a user would: a GPX file of
// them, loaded. False when the file could not be written or read.
inline bool LoadInto(ListSession& session, RecordSet& set) {
  TempDir dir;
  std::string path = dir.File("list.gpx");
  auto rows = set.Rows();
  return WriteGpxFile(path, RecordSpan(rows.data(), rows.size()), WriteOptions{}) && session.LoadFile(path);
}

inline constexpr HomePosition kHome{52.0, 5.0};

// The latitude a given number of metres north of kHome, on the sphere the
// distances are measured on.
inline double LatMetresNorth(double metres) { return kHome.lat + metres / 6371229.0 * 180.0 / M_PI; }

// A fixed locale, so orders and lower-casing do not depend on the machine.
inline const LocaleText& EnglishText() {
  static const LocaleText text(QLocale(QLocale::English, QLocale::UnitedStates));
  return text;
}

}  // namespace quill::test
