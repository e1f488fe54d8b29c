// SPDX-License-Identifier: GPL-3.0-or-later
#include "list/WaypointStore.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "geo/GeoTypes.h"
#include "text/TextHelpers.h"

namespace quill {

WaypointStore::WaypointStore() = default;
WaypointStore::~WaypointStore() = default;

namespace {

std::size_t HashOfName(std::string_view name) { return std::hash<std::string_view>{}(name); }

}  // namespace

std::size_t WaypointStore::FindSlot(std::string_view name, std::size_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const NameSlot& slot = slots_[i];
    if (!slot.records || (slot.hash == hash && (*slot.records->begin())->Name == name)) return i;
  }
}

const TGpxRecord* WaypointStore::FirstWithName(std::string_view name) const {
  if (slots_.empty()) return nullptr;
  const NameSlot& slot = slots_[FindSlot(name, HashOfName(name))];
  return slot.records ? *slot.records->begin() : nullptr;
}

const TGpxRecord* WaypointStore::AddWaypoint(TGpxRecord record, std::string_view groundspeak, bool skipSearch) {
  Stored* target = nullptr;
  if (!(skipSearch && duplicateMode_ == kDuplicateAllow)) {
    if (const TGpxRecord* existing = FirstWithName(record.Name)) {
      if (duplicateMode_ == kDuplicateAsk) {
        duplicateMode_ = question_ ? question_(record.Name) : kDuplicateAllow;
      }
      if (duplicateMode_ == kDuplicateKeep) return nullptr;
      if (duplicateMode_ == kDuplicateReplace) target = Own(existing);
      // Allow, or any unexpected answer: a new record is made.
    }
  }
  if (record.Time.empty()) record.Time = CurrentUtcTimeText();
  // A value off the earth reads as 0, as text that is no number does.
  if (!IsLatitude(record.Lat)) record.Lat = 0.0;
  if (!IsLongitude(record.Lon)) record.Lon = 0.0;
  if (!groundspeak.empty()) record.GroundspeakXml.assign(groundspeak);

  if (target) {
    // A copy for the hold: replacing is rare, and the journal takes the value.
    if (holding_ && target->seq < holdSeq_ && holdReplacedSet_.insert(target).second) {
      holdReplaced_.emplace_back(target, static_cast<const TGpxRecord&>(*target));
    }
    // The former value goes to the journal, whose record it is from now on.
    if (journaling_ && target->seq < journalSeq_ && journalReplaced_.insert(target).second) {
      journal_.replaced.emplace_back(target, std::move(static_cast<TGpxRecord&>(*target)));
    }
    // A replaced record keeps its name, so its place in the index.
    static_cast<TGpxRecord&>(*target) = std::move(record);
    RenewValues(*target);
    return target;
  }
  // The values are worked out while the data is fresh in the cache.
  auto fresh = std::make_unique<Stored>(std::move(record));
  target = fresh.get();
  target->seq = nextSeq_++;
  shown_.push_back(target);
  all_.push_back(target);
  owners_.push_back(std::move(fresh));
  // The name's slot was just looked at: this finds it in the cache.
  IndexAdd(target);
  return target;
}

const TGpxRecord* WaypointStore::AddWaypointSimple(double lat, double lon, std::string name) {
  TGpxRecord record;
  record.Lat = lat;
  record.Lon = lon;
  record.Name = std::move(name);
  return AddWaypoint(std::move(record), {}, false);
}

void WaypointStore::GrowIndex() {
  std::vector<NameSlot> old = std::move(slots_);
  slots_ = std::vector<NameSlot>(old.empty() ? 64 : old.size() * 2);
  const std::size_t mask = slots_.size() - 1;
  // Names are unique among the slots: each goes to the first free slot from
  // its hash, without comparing a name.
  for (NameSlot& slot : old) {
    if (!slot.records) continue;
    std::size_t i = slot.hash & mask;
    while (slots_[i].records) i = (i + 1) & mask;
    slots_[i] = std::move(slot);
  }
}

void WaypointStore::IndexAdd(Stored* record) {
  if ((named_ + 1) * 2 > slots_.size()) GrowIndex();
  const std::size_t hash = HashOfName(record->Name);
  NameSlot& slot = slots_[FindSlot(record->Name, hash)];
  if (!slot.records) {
    slot.hash = hash;
    slot.records = std::make_unique<Records>();
    ++named_;
  }
  slot.records->insert(record);
}

void WaypointStore::IndexRemove(Stored* record) {
  if (slots_.empty()) return;
  std::size_t hole = FindSlot(record->Name, HashOfName(record->Name));
  NameSlot& slot = slots_[hole];
  if (!slot.records) return;
  slot.records->erase(record);
  if (!slot.records->empty()) return;
  slot.records.reset();
  --named_;
  // The names after the hole that a search would now miss, because it stops
  // at the first free slot, move up into it.
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t j = (hole + 1) & mask; slots_[j].records; j = (j + 1) & mask) {
    const std::size_t home = slots_[j].hash & mask;
    if (((j - home) & mask) >= ((j - hole) & mask)) {
      slots_[hole] = std::move(slots_[j]);
      hole = j;
    }
  }
}

void WaypointStore::RenameWaypoint(const TGpxRecord* record, std::string newName) {
  if (!record || record->Name == newName) return;
  Stored* r = Own(record);
  IndexRemove(r);
  r->Name = std::move(newName);
  IndexAdd(r);
}

void WaypointStore::ChangeWaypoint(const TGpxRecord* record, const std::function<void(TGpxRecord&)>& change) {
  if (!record) return;
  Stored* r = Own(record);
  std::string oldName = r->Name;
  change(*r);
  RenewValues(*r);
  if (r->Name == oldName) return;
  std::string newName = std::move(r->Name);
  r->Name = std::move(oldName);
  RenameWaypoint(r, std::move(newName));
}

void WaypointStore::SwapValues(const TGpxRecord* record, TGpxRecord& other) {
  if (!record) return;
  Stored* r = Own(record);
  const bool renamed = r->Name != other.Name;
  if (renamed) IndexRemove(r);
  std::swap(static_cast<TGpxRecord&>(*r), other);
  if (renamed) IndexAdd(r);
  RenewValues(*r);
}

void WaypointStore::DeleteWaypoints(const std::vector<const TGpxRecord*>& records) {
  if (records.empty()) return;
  std::unordered_set<const TGpxRecord*> doomed(records.begin(), records.end());
  for (const TGpxRecord* r : doomed) {
    if (r) IndexRemove(Own(r));
  }
  shown_.erase(std::remove_if(shown_.begin(), shown_.end(), [&](const TGpxRecord* r) { return doomed.count(r) != 0; }),
               shown_.end());
  all_.erase(std::remove_if(all_.begin(), all_.end(), [&](const TGpxRecord* r) { return doomed.count(r) != 0; }),
             all_.end());
  owners_.erase(std::remove_if(owners_.begin(), owners_.end(),
                               [&](const std::unique_ptr<Stored>& r) { return doomed.count(r.get()) != 0; }),
                owners_.end());
}

void WaypointStore::Clear() {
  shown_.clear();
  slots_.clear();
  named_ = 0;
  all_.clear();
  owners_.clear();
}

void WaypointStore::ShowAll() { shown_ = all_; }

WaypointStore::Taken::Taken() = default;
WaypointStore::Taken::~Taken() = default;
WaypointStore::Taken::Taken(Taken&&) noexcept = default;
WaypointStore::Taken& WaypointStore::Taken::operator=(Taken&&) noexcept = default;

std::size_t WaypointStore::Taken::size() const { return whole_ ? all_.size() : entries_.size(); }

std::vector<const TGpxRecord*> WaypointStore::Taken::Records() const {
  if (whole_) return all_;
  std::vector<const TGpxRecord*> records;
  records.reserve(entries_.size());
  for (const Entry& e : entries_) records.push_back(e.record.get());
  return records;
}

WaypointStore::Taken WaypointStore::Take(const std::vector<const TGpxRecord*>& records) {
  Taken taken;
  if (records.empty() || all_.empty()) return taken;
  std::unordered_set<const TGpxRecord*> doomed(records.begin(), records.end());
  // Where each leaves ShownWaypoints, found in one pass.
  std::unordered_map<const TGpxRecord*, std::size_t> shownAt;
  std::vector<const TGpxRecord*> shown;
  shown.reserve(shown_.size());
  for (std::size_t i = 0; i < shown_.size(); ++i) {
    if (doomed.count(shown_[i]) != 0) {
      shownAt.emplace(shown_[i], i);
    } else {
      shown.push_back(shown_[i]);
    }
  }
  std::vector<const TGpxRecord*> all;
  std::vector<std::unique_ptr<Stored>> owners;
  all.reserve(all_.size());
  owners.reserve(owners_.size());
  for (std::size_t i = 0; i < all_.size(); ++i) {
    if (doomed.count(all_[i]) == 0) {
      all.push_back(all_[i]);
      owners.push_back(std::move(owners_[i]));
      continue;
    }
    Stored* record = owners_[i].get();
    IndexRemove(record);
    auto at = shownAt.find(record);
    taken.entries_.push_back({std::move(owners_[i]), i, at == shownAt.end() ? kNotShown : at->second});
  }
  all_ = std::move(all);
  owners_ = std::move(owners);
  shown_ = std::move(shown);
  return taken;
}

WaypointStore::Taken WaypointStore::TakeAll() {
  Taken taken;
  taken.whole_ = true;
  taken.owners_ = std::move(owners_);
  taken.all_ = std::move(all_);
  taken.shown_ = std::move(shown_);
  taken.slots_ = std::move(slots_);
  taken.named_ = named_;
  owners_.clear();
  all_.clear();
  shown_.clear();
  slots_.clear();
  named_ = 0;
  return taken;
}

void WaypointStore::PutBack(Taken&& taken) {
  if (taken.whole_ && all_.empty() && shown_.empty()) {
    owners_ = std::move(taken.owners_);
    all_ = std::move(taken.all_);
    shown_ = std::move(taken.shown_);
    slots_ = std::move(taken.slots_);
    named_ = taken.named_;
    taken = Taken();
    return;
  }
  if (taken.whole_) {
    // The list has records again: the whole store goes back one by one.
    std::unordered_map<const TGpxRecord*, std::size_t> shownAt;
    for (std::size_t i = 0; i < taken.shown_.size(); ++i) shownAt.emplace(taken.shown_[i], i);
    for (std::size_t i = 0; i < taken.owners_.size(); ++i) {
      auto at = shownAt.find(taken.owners_[i].get());
      taken.entries_.push_back({std::move(taken.owners_[i]), i, at == shownAt.end() ? kNotShown : at->second});
    }
  }
  const std::vector<Taken::Entry>& entries = taken.entries_;
  if (entries.empty()) {
    taken = Taken();
    return;
  }
  // AllWaypoints and its owners, merged with the entries at their indexes.
  std::vector<const TGpxRecord*> all;
  std::vector<std::unique_ptr<Stored>> owners;
  all.reserve(all_.size() + entries.size());
  owners.reserve(all.capacity());
  std::size_t next = 0;
  for (const Taken::Entry& e : entries) {
    while (next < all_.size() && all.size() < e.allIndex) {
      all.push_back(all_[next]);
      owners.push_back(std::move(owners_[next]));
      ++next;
    }
    all.push_back(e.record.get());
    owners.push_back(nullptr);
  }
  for (; next < all_.size(); ++next) {
    all.push_back(all_[next]);
    owners.push_back(std::move(owners_[next]));
  }
  // ShownWaypoints, the same way with the entries that were shown.
  std::vector<const Taken::Entry*> wasShown;
  for (const Taken::Entry& e : entries) {
    if (e.shownIndex != kNotShown) wasShown.push_back(&e);
  }
  std::sort(wasShown.begin(), wasShown.end(),
            [](const Taken::Entry* a, const Taken::Entry* b) { return a->shownIndex < b->shownIndex; });
  std::vector<const TGpxRecord*> shown;
  shown.reserve(shown_.size() + wasShown.size());
  next = 0;
  for (const Taken::Entry* e : wasShown) {
    while (next < shown_.size() && shown.size() < e->shownIndex) shown.push_back(shown_[next++]);
    shown.push_back(e->record.get());
  }
  shown.insert(shown.end(), shown_.begin() + static_cast<std::ptrdiff_t>(next), shown_.end());
  // The owners of the entries go where their records went.
  std::unordered_map<const TGpxRecord*, std::unique_ptr<Stored>*> owner;
  std::vector<Stored*> back;
  back.reserve(entries.size());
  for (Taken::Entry& e : taken.entries_) {
    owner.emplace(e.record.get(), &e.record);
    back.push_back(e.record.get());
  }
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (!owners[i]) owners[i] = std::move(*owner.at(all[i]));
  }
  all_ = std::move(all);
  owners_ = std::move(owners);
  shown_ = std::move(shown);
  for (Stored* record : back) IndexAdd(record);
  taken = Taken();
}

void WaypointStore::BeginJournal() {
  journaling_ = true;
  journalStart_ = all_.size();
  journalSeq_ = nextSeq_;
  journal_ = Journal();
  journalReplaced_.clear();
}

WaypointStore::Journal WaypointStore::EndJournal() {
  Journal journal = std::move(journal_);
  if (journaling_ && journalStart_ <= all_.size()) {
    journal.added.assign(all_.begin() + static_cast<std::ptrdiff_t>(journalStart_), all_.end());
  }
  journaling_ = false;
  journal_ = Journal();
  journalReplaced_.clear();
  return journal;
}

void WaypointStore::BeginHold() {
  holding_ = true;
  holdStart_ = all_.size();
  holdSeq_ = nextSeq_;
  holdJournalReplaced_ = journal_.replaced.size();
  holdReplaced_.clear();
  holdReplacedSet_.clear();
}

void WaypointStore::TakeBackHold() {
  if (!holding_) return;
  if (holdStart_ < all_.size()) {
    DeleteWaypoints(std::vector<const TGpxRecord*>(all_.begin() + static_cast<std::ptrdiff_t>(holdStart_), all_.end()));
  }
  if (journaling_) {
    for (std::size_t i = holdJournalReplaced_; i < journal_.replaced.size(); ++i) {
      journalReplaced_.erase(journal_.replaced[i].first);
    }
    journal_.replaced.erase(journal_.replaced.begin() + static_cast<std::ptrdiff_t>(holdJournalReplaced_),
                            journal_.replaced.end());
  }
  for (auto& [record, former] : holdReplaced_) {
    // A replacement keeps the name, so the index stays as it is.
    static_cast<TGpxRecord&>(*record) = std::move(former);
    RenewValues(*record);
  }
  EndHold();
}

void WaypointStore::EndHold() {
  holding_ = false;
  holdReplaced_.clear();
  holdReplacedSet_.clear();
}

}  // namespace quill
