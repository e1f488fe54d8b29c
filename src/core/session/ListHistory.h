// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The undo history of the list: a line of steps, each able to take its
// change of the list back and to make it again. Records that leave the list
// move into the step that took them (never copied), so undoing a clear of
// 100,000 waypoints moves a few pointers. Steps are undone and redone only in
// line, so every step finds the list as it left it.
#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "list/GpxRecord.h"
#include "list/WaypointStore.h"

namespace quill {

// "1 waypoint", "11,082 waypoints".
std::string WaypointCountText(std::size_t count);

// What a step may change besides the records, and the selection, as they
// stood before it and after it.
struct ListMark {
  std::string fileName;  // CurrentFileName
  int filterMode = 0;
  std::string filterText;
  // The selected record at that point of the line; it is in the list there.
  const TGpxRecord* selected = nullptr;
};

// Records a step takes out of the list or brings into it.
class MovedRecords {
 public:
  MovedRecords() = default;
  // Records that are in the list now.
  explicit MovedRecords(std::vector<const TGpxRecord*> inList) : inList_(std::move(inList)) {}
  // Records already taken out; whole: they were the whole list.
  MovedRecords(WaypointStore::Taken out, bool whole) : whole_(whole), out_(std::move(out)) {}

  void TakeOut(WaypointStore& store);
  void PutIn(WaypointStore& store);
  std::size_t size() const { return !out_.empty() ? out_.size() : whole_ ? wholeCount_ : inList_.size(); }
  bool Contains(const TGpxRecord* record) const;

 private:
  // whole: the list as a whole, by TakeAll; while it is in the list the
  // records are not named one by one.
  bool whole_ = false;
  std::size_t wholeCount_ = 0;
  std::vector<const TGpxRecord*> inList_;
  WaypointStore::Taken out_;
};

struct ListStep {
  // Shown after "Undo " and "Redo ": "Delete GC1QM04", "Clear List (11,082 waypoints)".
  std::string name;
  // Out of the list while the step is done (delete, clear, archive).
  MovedRecords removed;
  // In the list while the step is done (add, load).
  MovedRecords added;
  // Records whose values the step changed (edit, duplicate replacement),
  // each with its other value: the former one while done, the step's own
  // while undone.
  std::vector<std::pair<const TGpxRecord*, TGpxRecord>> changed;
  // The same for names alone (rename).
  std::vector<std::pair<const TGpxRecord*, std::string>> renamed;
  ListMark before;
  ListMark after;

  bool Empty() const { return removed.size() == 0 && added.size() == 0 && changed.empty() && renamed.empty(); }
  // How many records the step holds or keeps a value of, done or undone.
  std::size_t Weight() const { return removed.size() + added.size() + changed.size() + renamed.size(); }
  void Undo(WaypointStore& store);
  void Redo(WaypointStore& store);

 private:
  void SwapNames(WaypointStore& store);
};

class ListHistory {
 public:
  // The oldest steps go beyond this many, with the records they hold; and
  // beyond this many records held by the steps (cleared lists of a pocket
  // query each), so that the history does not take the machine's memory.
  static constexpr std::size_t kMaxSteps = 100;
  static constexpr std::size_t kMaxHeldRecords = 400000;
  explicit ListHistory(std::size_t maxSteps = kMaxSteps, std::size_t maxHeldRecords = kMaxHeldRecords)
      : maxSteps_(maxSteps), maxHeldRecords_(maxHeldRecords) {}

  bool CanUndo() const { return position_ > 0; }
  bool CanRedo() const { return position_ < steps_.size(); }
  const ListStep* NextUndo() const { return CanUndo() ? steps_[position_ - 1].get() : nullptr; }
  const ListStep* NextRedo() const { return CanRedo() ? steps_[position_].get() : nullptr; }
  std::size_t Position() const { return position_; }
  std::size_t size() const { return steps_.size(); }

  // A step that has been done joins the line; the undone steps beyond the
  // position go, and so does a clean point among them.
  void Push(std::unique_ptr<ListStep> step);
  // The step to take back or make again; the position moves past it.
  ListStep* StepBack();
  ListStep* StepForward();
  // The marks of the position: after the step before it, before the step after it.
  void SetSelectionHere(const TGpxRecord* selected);

  // The list here equals the file at that path, the list named fileName: it
  // was saved, or loaded into an empty list. Any other point of the line that
  // equalled that file no longer does (a save wrote the file anew).
  void MarkClean(const std::string& path, const std::string& fileName);
  bool AtClean() const { return CleanHere() != nullptr; }
  // The name of the file the list equals here, or nullptr.
  const std::string* CleanHere() const;
  void Clear();

 private:
  void DropOldest();

  std::size_t maxSteps_;
  std::size_t maxHeldRecords_;
  std::deque<std::unique_ptr<ListStep>> steps_;
  std::size_t position_ = 0;
  // The points of the line that equal a file.
  struct CleanPoint {
    std::size_t position;
    std::string path;
    std::string fileName;
  };
  std::vector<CleanPoint> clean_;
};

}  // namespace quill
