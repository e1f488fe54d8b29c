// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The waypoint store: AllWaypoints owns every record in order of addition,
// ShownWaypoints holds the shown ones in display order. Both hand out records
// read-only: every change of a record goes through the store, so the name
// index (a hash of names, each with its records in order of addition, for the
// duplicate test) and the values kept beside each record (ValuesOf) always
// agree with the records.
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "base/ByteSearch.h"
#include "list/GpxRecord.h"
#include "list/GroundspeakValues.h"

namespace quill {

enum DuplicateModeValue : int {
  kDuplicateAsk = -1,
  kDuplicateKeep = 0,
  kDuplicateReplace = 1,
  kDuplicateAllow = 2,
};

class WaypointStore {
  struct Stored;
  struct NameSlot;

 public:
  // Records taken out of the store with their places in both lists, owned
  // here until they are put back (an undo) or destroyed with this object.
  class Taken {
   public:
    Taken();
    ~Taken();
    Taken(Taken&&) noexcept;
    Taken& operator=(Taken&&) noexcept;
    std::size_t size() const;
    bool empty() const { return size() == 0; }
    // The records, in order of AllWaypoints.
    std::vector<const TGpxRecord*> Records() const;

   private:
    friend class WaypointStore;
    struct Entry {
      std::unique_ptr<Stored> record;
      std::size_t allIndex = 0;
      std::size_t shownIndex = 0;  // kNotShown when it was not shown
    };
    std::vector<Entry> entries_;  // by allIndex
    // A whole store (every record), kept as the store held it, name index
    // included, so that taking and putting back move a few pointers.
    bool whole_ = false;
    std::vector<std::unique_ptr<Stored>> owners_;
    std::vector<const TGpxRecord*> all_;
    std::vector<const TGpxRecord*> shown_;
    std::vector<NameSlot> slots_;
    std::size_t named_ = 0;
  };

  // What a load changed, for taking it back: the records it added (in order
  // of addition) and the former value of every older record a duplicate
  // replaced.
  struct Journal {
    std::vector<const TGpxRecord*> added;
    std::vector<std::pair<const TGpxRecord*, TGpxRecord>> replaced;
  };

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

  // Adds one waypoint under the duplicate policy. groundspeak, when not
  // empty, becomes its Groundspeak data (a reader's text, copied once). With
  // skipSearch a list that allows duplicates is not searched for the name.
  // Returns the new or replaced record, or nullptr when the Keep choice
  // dropped it.
  const TGpxRecord* AddWaypoint(TGpxRecord record, std::string_view groundspeak, bool skipSearch);
  const TGpxRecord* AddWaypointSimple(double lat, double lon, std::string name);

  // What the sort orders, the filters and the columns read of a record's
  // Groundspeak data, worked out when the record came or last changed.
  // record: a record of this store.
  const GroundspeakValues& ValuesOf(const TGpxRecord* record) const {
    return static_cast<const Stored*>(record)->values;
  }
  // For loops that visit records of this store in list order, which lie far
  // apart in memory: asks for the record a few places after i and its values.
  void PrefetchAhead(std::span<const TGpxRecord* const> records, std::size_t i) const {
    if (i + kPrefetchAhead >= records.size()) return;
    const TGpxRecord* ahead = records[i + kPrefetchAhead];
    Prefetch(ahead);
    Prefetch(&ValuesOf(ahead));
  }

  // The first record of AllWaypoints with exactly this name, or nullptr.
  const TGpxRecord* FirstWithName(std::string_view name) const;

  // A record of this store gets a new name; the index follows.
  void RenameWaypoint(const TGpxRecord* record, std::string newName);
  // Any change of a record of this store (an edit); a change of its name is
  // indexed like a rename.
  void ChangeWaypoint(const TGpxRecord* record, const std::function<void(TGpxRecord&)>& change);
  // The record gets the other value and other the record's; the name index
  // follows (an undone edit).
  void SwapValues(const TGpxRecord* record, TGpxRecord& other);
  // Removes the records from both lists and destroys them.
  void DeleteWaypoints(const std::vector<const TGpxRecord*>& records);
  void Clear();
  // Removes the records from both lists without destroying them; records not
  // in the store are passed over.
  Taken Take(const std::vector<const TGpxRecord*>& records);
  // Every record, in a few pointer moves whatever the size of the list.
  Taken TakeAll();
  // Taken records return to their places (an index beyond the end of a list
  // that has since become shorter puts the record at its end). A store emptied
  // by TakeAll that is still empty gets the lists and the index back as moves.
  void PutBack(Taken&& taken);

  // Between these two the store notes what AddWaypoint adds and replaces.
  void BeginJournal();
  Journal EndJournal();
  // Between BeginHold and EndHold a load can still be taken back whole (an
  // archive found hostile halfway through): TakeBackHold removes what was
  // added since BeginHold and gives replaced records their former values;
  // what an open journal noted meanwhile goes with it.
  void BeginHold();
  void TakeBackHold();
  void EndHold();
  // ShownWaypoints becomes AllWaypoints again, in order of addition.
  void ShowAll();

  std::size_t size() const { return all_.size(); }
  bool empty() const { return all_.empty(); }

 private:
  // A record with its place in the order of addition and its values.
  struct Stored : TGpxRecord {
    explicit Stored(TGpxRecord&& record) : TGpxRecord(std::move(record)), values(ValuesOfCache(GroundspeakXml)) {}
    std::uint64_t seq = 0;
    GroundspeakValues values;
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

  static constexpr std::size_t kNotShown = static_cast<std::size_t>(-1);

  static Stored* Own(const TGpxRecord* record) { return static_cast<Stored*>(const_cast<TGpxRecord*>(record)); }
  static void RenewValues(Stored& record) { record.values = ValuesOfCache(record.GroundspeakXml); }
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
  // The open journal: where AllWaypoints stood, the first record it adds,
  // and the records replaced so far.
  bool journaling_ = false;
  std::size_t journalStart_ = 0;
  std::uint64_t journalSeq_ = 0;
  Journal journal_;
  std::unordered_set<const TGpxRecord*> journalReplaced_;
  // The open hold: as the journal, plus where the journal stood.
  bool holding_ = false;
  std::size_t holdStart_ = 0;
  std::uint64_t holdSeq_ = 0;
  std::size_t holdJournalReplaced_ = 0;
  std::vector<std::pair<Stored*, TGpxRecord>> holdReplaced_;
  std::unordered_set<const TGpxRecord*> holdReplacedSet_;
};

}  // namespace quill
