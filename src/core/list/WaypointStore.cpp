// SPDX-License-Identifier: GPL-3.0-or-later
#include "list/WaypointStore.h"

#include <algorithm>
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

const TGpxRecord* WaypointStore::AddWaypoint(double lat, double lon, std::string name, std::string cmt,
                                             std::string desc, std::string url, std::string urlName, std::string time,
                                             std::string sym, int typeCode, bool found, std::string_view groundspeak,
                                             bool skipSearch, std::string typeText) {
  Stored* target = nullptr;
  if (!(skipSearch && duplicateMode_ == kDuplicateAllow)) {
    if (const TGpxRecord* existing = FirstWithName(name)) {
      if (duplicateMode_ == kDuplicateAsk) {
        duplicateMode_ = question_ ? question_(name) : kDuplicateAllow;
      }
      if (duplicateMode_ == kDuplicateKeep) return nullptr;
      if (duplicateMode_ == kDuplicateReplace) target = Own(existing);
      // Allow, or any unexpected answer: a new record is made.
    }
  }
  if (time.empty()) time = CurrentUtcTimeText();

  bool isNew = target == nullptr;
  std::unique_ptr<Stored> fresh;
  if (isNew) {
    fresh = std::make_unique<Stored>();
    target = fresh.get();
  }
  // A replaced record keeps its name, so its place in the index.
  // A value off the earth reads as 0, as text that is no number does.
  target->Lat = IsLatitude(lat) ? lat : 0.0;
  target->Lon = IsLongitude(lon) ? lon : 0.0;
  target->Name = std::move(name);
  target->Cmt = std::move(cmt);
  target->Desc = std::move(desc);
  target->Url = std::move(url);
  target->UrlName = std::move(urlName);
  target->Sym = std::move(sym);
  target->TypeCode = typeCode;
  target->TypeText = std::move(typeText);
  target->Time = std::move(time);
  target->Found = found;
  target->GroundspeakXml.assign(groundspeak);
  // While the data is fresh in the cache.
  RenewValues(*target);

  if (isNew) {
    target->seq = nextSeq_++;
    shown_.push_back(target);
    all_.push_back(target);
    owners_.push_back(std::move(fresh));
    // The name's slot was just looked at: this finds it in the cache.
    IndexAdd(target);
  }
  return target;
}

const TGpxRecord* WaypointStore::AddWaypointSimple(double lat, double lon, std::string name) {
  return AddWaypoint(lat, lon, std::move(name), {}, {}, {}, {}, {}, {}, 0, false, {}, false);
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

}  // namespace quill
