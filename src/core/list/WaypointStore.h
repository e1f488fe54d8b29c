// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The waypoint store: AllWaypoints owns every record in order of addition,
// ShownWaypoints holds the shown ones in display order. Both hand out records
// read-only: every change of a record goes through the store, so the name
// index (a hash of names, each with its records in order of addition, for the
// duplicate test) always agrees with the records.
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <string_view>
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
  struct Stored;

 public:
  // Asked at the first duplicate name while DuplicateMode is -1; returns 0, 1 or 2.
  using DuplicateQuestion = std::function<int(const std::string& name)>;

  WaypointStore();
  ~WaypointStore();
  WaypointStore(const WaypointStore&) = delete;
  WaypointStore& operator=(const WaypointStore&) = delete;

  const std::vector<const TGpxRecord*>& AllWaypoints() const { return all_; }
  // Sorting and filtering rearrange this list; it never owns.
  std::vector<const TGpxRecord*>& ShownWaypoints() { return shown_; }
  const std::vector<const TGpxRecord*>& ShownWaypoints() const { return shown_; }

  int DuplicateMode() const { return duplicateMode_; }
  void SetDuplicateMode(int mode) { duplicateMode_ = mode; }
  void SetDuplicateQuestion(DuplicateQuestion question) { question_ = std::move(question); }

  // Adds one waypoint under the duplicate policy. Returns the new or replaced
  // record, or nullptr when the Keep choice dropped it.
  const TGpxRecord* AddWaypoint(double lat, double lon, std::string name, std::string cmt, std::string desc,
                                std::string url, std::string urlName, std::string time, std::string sym, int typeCode,
                                bool found, std::string_view groundspeak, bool skipSearch, std::string typeText = {});
  const TGpxRecord* AddWaypointSimple(double lat, double lon, std::string name);

  // The first record of AllWaypoints with exactly this name, or nullptr.
  const TGpxRecord* FirstWithName(std::string_view name) const;

  // A record of this store gets a new name; the index follows.
  void RenameWaypoint(const TGpxRecord* record, std::string newName);
  // Any change of a record of this store (an edit); a change of its name is
  // indexed like a rename.
  void ChangeWaypoint(const TGpxRecord* record, const std::function<void(TGpxRecord&)>& change);
  // Removes the records from both lists and destroys them.
  void DeleteWaypoints(const std::vector<const TGpxRecord*>& records);
  void Clear();
  // ShownWaypoints becomes AllWaypoints again, in order of addition.
  void ShowAll();

  std::size_t size() const { return all_.size(); }
  bool empty() const { return all_.empty(); }

 private:
  // A record with its place in the order of addition.
  struct Stored : TGpxRecord {
    std::uint64_t seq = 0;
  };
  struct BySeq {
    bool operator()(const Stored* a, const Stored* b) const { return a->seq < b->seq; }
  };
  // The name index: open addressing over the names' hashes, each slot with
  // the records of one name in order of addition. Adding a new name looks
  // at one slot of a dense table, where a node per name would lie strewn
  // among the records' large texts and be fetched from memory every time.
  using Records = std::set<Stored*, BySeq>;
  struct NameSlot {
    std::size_t hash = 0;
    std::unique_ptr<Records> records;  // null: a free slot; else never empty
  };

  static Stored* Own(const TGpxRecord* record) { return static_cast<Stored*>(const_cast<TGpxRecord*>(record)); }
  // The slot holding name, or the free slot where it would go.
  std::size_t FindSlot(std::string_view name, std::size_t hash) const;
  void GrowIndex();
  void IndexAdd(Stored* record);
  void IndexRemove(Stored* record);

  // Owners and AllWaypoints, in the same order.
  std::vector<std::unique_ptr<Stored>> owners_;
  std::vector<const TGpxRecord*> all_;
  std::vector<const TGpxRecord*> shown_;
  std::vector<NameSlot> slots_;  // a power of two long, at most half in use
  std::size_t named_ = 0;
  std::uint64_t nextSeq_ = 0;
  int duplicateMode_ = kDuplicateAsk;
  DuplicateQuestion question_;
};

}  // namespace quill
