// SPDX-License-Identifier: GPL-3.0-or-later
// The session's side of the undo history: each change makes a step, and
// Undo and Redo walk the line of steps.
#include "session/ListSession.h"

namespace quill {

ListMark ListSession::Mark() const {
  ListMark mark;
  mark.fileName = currentFileName_;
  mark.filterMode = view_.FilterMode;
  mark.filterText = view_.FilterText;
  mark.selected = selectedRecord ? selectedRecord() : nullptr;
  return mark;
}

std::unique_ptr<ListStep> ListSession::NewStep(std::string name) const {
  auto step = std::make_unique<ListStep>();
  step->name = std::move(name);
  step->before = Mark();
  return step;
}

std::unique_ptr<ListStep> ListSession::JournalStep(std::string name, WaypointStore::Journal journal) const {
  auto step = std::make_unique<ListStep>();
  step->name = std::move(name);
  step->added = MovedRecords(std::move(journal.added));
  step->changed = std::move(journal.replaced);
  return step;
}

void ListSession::PushStep(std::unique_ptr<ListStep> step) {
  // The selection the step started from is where the line stands now.
  history_.SetSelectionHere(step->before.selected);
  step->after.fileName = currentFileName_;
  step->after.filterMode = view_.FilterMode;
  step->after.filterText = view_.FilterText;
  // The view's own once it has followed the change and the line moves on;
  // until then the one the step started from, when that is still in the list.
  const TGpxRecord* selected = step->before.selected;
  step->after.selected = selected && !step->removed.Contains(selected) ? selected : nullptr;
  history_.Push(std::move(step));
  SettleModified();
  StateChanged();
}

void ListSession::SettleModified() {
  // An empty list without a file holds nothing to lose.
  listModified_ = !history_.AtClean() && !(store_.empty() && currentFileName_.empty());
}

void ListSession::StateChanged() const {
  if (onStateChanged) onStateChanged();
}

void ListSession::SetCurrentFileName(std::string name) {
  currentFileName_ = std::move(name);
  StateChanged();
}

void ListSession::SetListModified(bool modified) {
  listModified_ = modified;
  StateChanged();
}

std::string ListSession::UndoName() const { return CanUndo() ? history_.NextUndo()->name : std::string(); }

std::string ListSession::RedoName() const { return CanRedo() ? history_.NextRedo()->name : std::string(); }

void ListSession::Arrive(const ListMark& to, const ListMark& from) {
  // The list that equals a file is named after it; otherwise what the step
  // did not change stays as it is now (a later save, a sort).
  if (const std::string* file = history_.CleanHere()) {
    currentFileName_ = *file;
  } else if (to.fileName != from.fileName) {
    currentFileName_ = to.fileName;
  }
  if (to.filterMode != from.filterMode || to.filterText != from.filterText) {
    view_.FilterMode = to.filterMode;
    view_.FilterText = to.filterText;
  }
  SettleModified();
  if (onListRebuilt) onListRebuilt();
  if (onSelect) onSelect(to.selected);
  StateChanged();
}

bool ListSession::Undo() {
  if (!CanUndo()) return false;
  status_.SetError(0, "");
  history_.SetSelectionHere(selectedRecord ? selectedRecord() : nullptr);
  ListStep* step = history_.StepBack();
  step->Undo(store_);
  Arrive(step->before, step->after);
  return true;
}

bool ListSession::Redo() {
  if (!CanRedo()) return false;
  status_.SetError(0, "");
  history_.SetSelectionHere(selectedRecord ? selectedRecord() : nullptr);
  ListStep* step = history_.StepForward();
  step->Redo(store_);
  Arrive(step->after, step->before);
  return true;
}

}  // namespace quill
