// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/ListHistory.h"

#include <algorithm>

namespace quill {

std::string WaypointCountText(std::size_t count) {
  std::string digits = std::to_string(count);
  std::string text;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return text + (count == 1 ? " waypoint" : " waypoints");
}

bool MovedRecords::Contains(const TGpxRecord* record) const {
  if (whole_) return true;
  const std::vector<const TGpxRecord*> records = out_.empty() ? inList_ : out_.Records();
  return std::find(records.begin(), records.end(), record) != records.end();
}

void MovedRecords::TakeOut(WaypointStore& store) {
  out_ = whole_ ? store.TakeAll() : store.Take(inList_);
  inList_.clear();
}

void MovedRecords::PutIn(WaypointStore& store) {
  if (whole_) {
    wholeCount_ = out_.size();
  } else {
    inList_ = out_.Records();
  }
  store.PutBack(std::move(out_));
  out_ = WaypointStore::Taken();
}

void ListStep::SwapNames(WaypointStore& store) {
  for (auto& [record, other] : renamed) {
    std::string now = record->Name;
    store.RenameWaypoint(record, std::move(other));
    other = std::move(now);
  }
}

void ListStep::Undo(WaypointStore& store) {
  added.TakeOut(store);
  removed.PutIn(store);
  for (auto it = changed.rbegin(); it != changed.rend(); ++it) store.SwapValues(it->first, it->second);
  SwapNames(store);
}

void ListStep::Redo(WaypointStore& store) {
  SwapNames(store);
  for (auto& [record, other] : changed) store.SwapValues(record, other);
  removed.TakeOut(store);
  added.PutIn(store);
}

void ListHistory::Push(std::unique_ptr<ListStep> step) {
  std::erase_if(clean_, [this](const CleanPoint& point) { return point.position > position_; });
  steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(position_), steps_.end());
  steps_.push_back(std::move(step));
  ++position_;
  std::size_t held = 0;
  for (const auto& s : steps_) held += s->Weight();
  // The step just done stays, whatever it weighs.
  while (steps_.size() > 1 && (steps_.size() > maxSteps_ || held > maxHeldRecords_)) {
    held -= steps_.front()->Weight();
    DropOldest();
  }
}

void ListHistory::DropOldest() {
  steps_.pop_front();
  --position_;
  std::erase_if(clean_, [](const CleanPoint& point) { return point.position == 0; });
  for (CleanPoint& point : clean_) --point.position;
}

void ListHistory::MarkClean(const std::string& path, const std::string& fileName) {
  std::erase_if(clean_, [&](const CleanPoint& point) { return point.path == path || point.position == position_; });
  clean_.push_back({position_, path, fileName});
}

const std::string* ListHistory::CleanHere() const {
  for (const CleanPoint& point : clean_) {
    if (point.position == position_) return &point.fileName;
  }
  return nullptr;
}

ListStep* ListHistory::StepBack() {
  if (!CanUndo()) return nullptr;
  return steps_[--position_].get();
}

ListStep* ListHistory::StepForward() {
  if (!CanRedo()) return nullptr;
  return steps_[position_++].get();
}

void ListHistory::SetSelectionHere(const TGpxRecord* selected) {
  if (position_ > 0) steps_[position_ - 1]->after.selected = selected;
  if (position_ < steps_.size()) steps_[position_]->before.selected = selected;
}

void ListHistory::Clear() {
  steps_.clear();
  position_ = 0;
  clean_.clear();
}

}  // namespace quill
