#include "list/WaypointStore.h"

#include <algorithm>
#include <unordered_set>

#include "text/TextHelpers.h"

namespace quill {

WaypointStore::WaypointStore() = default;

TGpxRecord* WaypointStore::FirstWithName(std::string_view name) const {
  auto it = index_.find(name);
  if (it == index_.end() || it->second.empty()) return nullptr;
  return it->second.front().record;
}

TGpxRecord* WaypointStore::AddWaypoint(double lat, double lon, std::string name, std::string cmt, std::string desc,
                                       std::string url, std::string urlName, std::string time, std::string sym,
                                       int typeCode, bool found, std::string_view groundspeak, bool skipSearch) {
  TGpxRecord* target = nullptr;
  if (!(skipSearch && duplicateMode_ == kDuplicateAllow)) {
    if (TGpxRecord* existing = FirstWithName(name)) {
      if (duplicateMode_ == kDuplicateAsk) {
        duplicateMode_ = question_ ? question_(name) : kDuplicateAllow;
      }
      if (duplicateMode_ == kDuplicateKeep) return nullptr;
      if (duplicateMode_ == kDuplicateReplace) target = existing;
      // Allow, or any unexpected answer: a new record is made.
    }
  }
  if (time.empty()) time = CurrentUtcTimeText();

  bool isNew = target == nullptr;
  std::unique_ptr<TGpxRecord> fresh;
  if (isNew) {
    fresh = std::make_unique<TGpxRecord>();
    target = fresh.get();
  }
  target->Lat = lat;
  target->Lon = lon;
  target->Name = std::move(name);
  target->Cmt = std::move(cmt);
  target->Desc = std::move(desc);
  target->Url = std::move(url);
  target->UrlName = std::move(urlName);
  target->Sym = std::move(sym);
  target->TypeCode = typeCode;
  target->Time = std::move(time);
  target->Found = found;
  target->GroundspeakXml.assign(groundspeak);

  if (isNew) {
    shown_.push_back(target);
    all_.push_back(std::move(fresh));
    IndexAdd(target, nextSeq_++);
  }
  return target;
}

TGpxRecord* WaypointStore::AddWaypointSimple(double lat, double lon, std::string name) {
  return AddWaypoint(lat, lon, std::move(name), {}, {}, {}, {}, {}, {}, 0, false, {}, false);
}

void WaypointStore::IndexAdd(TGpxRecord* record, std::uint64_t seq) {
  auto it = index_.find(std::string_view(record->Name));
  if (it == index_.end()) it = index_.emplace(record->Name, std::vector<Entry>{}).first;
  auto& entries = it->second;
  // Keep entries in order of addition so front() is the first in AllWaypoints.
  auto pos =
      std::upper_bound(entries.begin(), entries.end(), seq, [](std::uint64_t s, const Entry& e) { return s < e.seq; });
  entries.insert(pos, Entry{seq, record});
}

std::uint64_t WaypointStore::IndexRemove(TGpxRecord* record) {
  auto it = index_.find(std::string_view(record->Name));
  if (it == index_.end()) return 0;
  auto& entries = it->second;
  std::uint64_t seq = 0;
  for (auto e = entries.begin(); e != entries.end(); ++e) {
    if (e->record == record) {
      seq = e->seq;
      entries.erase(e);
      break;
    }
  }
  if (entries.empty()) index_.erase(it);
  return seq;
}

void WaypointStore::RenameWaypoint(TGpxRecord* record, std::string newName) {
  if (record->Name == newName) return;
  std::uint64_t seq = IndexRemove(record);
  record->Name = std::move(newName);
  IndexAdd(record, seq);
}

void WaypointStore::DeleteWaypoints(const std::vector<TGpxRecord*>& records) {
  if (records.empty()) return;
  std::unordered_set<const TGpxRecord*> doomed(records.begin(), records.end());
  for (TGpxRecord* r : records) {
    if (r) IndexRemove(r);
  }
  shown_.erase(std::remove_if(shown_.begin(), shown_.end(), [&](TGpxRecord* r) { return doomed.count(r) != 0; }),
               shown_.end());
  all_.erase(std::remove_if(all_.begin(), all_.end(),
                            [&](const std::unique_ptr<TGpxRecord>& r) { return doomed.count(r.get()) != 0; }),
             all_.end());
}

void WaypointStore::Clear() {
  shown_.clear();
  index_.clear();
  all_.clear();
}

void WaypointStore::ShowAll() {
  shown_.clear();
  shown_.reserve(all_.size());
  for (auto& r : all_) shown_.push_back(r.get());
}

}  // namespace quill
