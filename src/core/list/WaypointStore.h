#pragma once
// The waypoint store: AllWaypoints owns every record in order of addition,
// ShownWaypoints holds the shown ones in display order. Names are indexed so
// the duplicate test is a hash lookup; every change of a Name must go through
// the store (RenameWaypoint) to keep the index right.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "list/GpxRecord.h"

namespace quill {

enum DuplicateModeValue : int {
  kDuplicateAsk = -1,
  kDuplicateKeep = 0,
  kDuplicateReplace = 1,
  kDuplicateAllow = 2,
};

class WaypointStore {
 public:
  // Asked at the first duplicate name while DuplicateMode is -1; returns 0, 1 or 2.
  using DuplicateQuestion = std::function<int(const std::string& name)>;

  WaypointStore();
  WaypointStore(const WaypointStore&) = delete;
  WaypointStore& operator=(const WaypointStore&) = delete;

  const std::vector<std::unique_ptr<TGpxRecord>>& AllWaypoints() const { return all_; }
  // Sorting and filtering rearrange this list; it never owns.
  std::vector<TGpxRecord*>& ShownWaypoints() { return shown_; }
  const std::vector<TGpxRecord*>& ShownWaypoints() const { return shown_; }

  int DuplicateMode() const { return duplicateMode_; }
  void SetDuplicateMode(int mode) { duplicateMode_ = mode; }
  void SetDuplicateQuestion(DuplicateQuestion question) { question_ = std::move(question); }

  // Adds one waypoint under the duplicate policy. Returns the new or replaced
  // record, or nullptr when the Keep choice dropped it.
  TGpxRecord* AddWaypoint(double lat, double lon, std::string name, std::string cmt, std::string desc, std::string url,
                          std::string urlName, std::string time, std::string sym, int typeCode, bool found,
                          std::string_view groundspeak, bool skipSearch);
  TGpxRecord* AddWaypointSimple(double lat, double lon, std::string name);

  // The first record of AllWaypoints with exactly this name, or nullptr.
  TGpxRecord* FirstWithName(std::string_view name) const;

  void RenameWaypoint(TGpxRecord* record, std::string newName);
  // Removes the records from both lists and destroys them.
  void DeleteWaypoints(const std::vector<TGpxRecord*>& records);
  void Clear();
  // ShownWaypoints becomes AllWaypoints again, in order of addition.
  void ShowAll();

  std::size_t size() const { return all_.size(); }
  bool empty() const { return all_.empty(); }

 private:
  struct Entry {
    std::uint64_t seq;
    TGpxRecord* record;
  };
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
  };
  struct NameEq {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const noexcept { return a == b; }
  };
  using Index = std::unordered_map<std::string, std::vector<Entry>, NameHash, NameEq>;

  void IndexAdd(TGpxRecord* record, std::uint64_t seq);
  // Removes the record from the index entry of its current name; returns its seq.
  std::uint64_t IndexRemove(TGpxRecord* record);

  std::vector<std::unique_ptr<TGpxRecord>> all_;
  std::vector<TGpxRecord*> shown_;
  Index index_;
  std::uint64_t nextSeq_ = 0;
  int duplicateMode_ = kDuplicateAsk;
  DuplicateQuestion question_;
};

}  // namespace quill
