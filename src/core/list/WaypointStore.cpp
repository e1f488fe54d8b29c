#include "list/WaypointStore.h"

#include <algorithm>
#include <tuple>
#include <unordered_set>

#include "geo/GeoTypes.h"
#include "text/TextHelpers.h"

namespace quill {

WaypointStore::WaypointStore() = default;
WaypointStore::~WaypointStore() = default;

const TGpxRecord* WaypointStore::FirstWithName(std::string_view name) const {
  auto it = index_.find(name);
  if (it == index_.end() || it->second.empty()) return nullptr;
  return *it->second.begin();
}

const TGpxRecord* WaypointStore::AddWaypoint(double lat, double lon, std::string name, std::string cmt,
                                             std::string desc, std::string url, std::string urlName, std::string time,
                                             std::string sym, int typeCode, bool found, std::string_view groundspeak,
                                             bool skipSearch, std::string typeText) {
  Stored* target = nullptr;
  // The name's place in the index, found once: a new name is entered here
  // and gets its record below, with nothing in between touching the index.
  Index::iterator slot = index_.end();
  if (!(skipSearch && duplicateMode_ == kDuplicateAllow)) {
    bool entered = false;
    std::tie(slot, entered) = index_.try_emplace(name);
    if (!entered && !slot->second.empty()) {
      const TGpxRecord* existing = *slot->second.begin();
      if (duplicateMode_ == kDuplicateAsk) {
        duplicateMode_ = question_ ? question_(name) : kDuplicateAllow;
        // Whatever ran while the user was asked, the index is searched again.
        slot = index_.end();
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
    if (slot != index_.end()) {
      slot->second.insert(target);
    } else {
      IndexAdd(target);
    }
  }
  return target;
}

const TGpxRecord* WaypointStore::AddWaypointSimple(double lat, double lon, std::string name) {
  return AddWaypoint(lat, lon, std::move(name), {}, {}, {}, {}, {}, {}, 0, false, {}, false);
}

void WaypointStore::IndexAdd(Stored* record) {
  // One lookup: the name is hashed and its bucket searched once.
  index_.try_emplace(record->Name).first->second.insert(record);
}

void WaypointStore::IndexRemove(Stored* record) {
  auto it = index_.find(std::string_view(record->Name));
  if (it == index_.end()) return;
  it->second.erase(record);
  if (it->second.empty()) index_.erase(it);
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
  index_.clear();
  all_.clear();
  owners_.clear();
}

void WaypointStore::ShowAll() { shown_ = all_; }

}  // namespace quill
