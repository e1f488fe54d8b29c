// SPDX-License-Identifier: GPL-3.0-or-later
// The changes of the list the user makes outside a load: delete, clear, add,
// archive, edit.
#include <algorithm>

#include "formats/GpxWriter.h"
#include "geo/CoordCheck.h"
#include "list/ArchiveLine.h"
#include "session/ListSession.h"
#include "text/Ansi.h"
#include "text/TextHelpers.h"

namespace quill {

bool ListSession::DeleteShownRow(int row) { return RemoveShownRow(row, "Delete "); }

bool ListSession::RemoveShownRow(int row, const std::string& verb) {
  auto& shown = store_.ShownWaypoints();
  if (row < 0 || static_cast<std::size_t>(row) >= shown.size()) return false;
  const TGpxRecord* record = shown[static_cast<std::size_t>(row)];
  if (settings_.stored.WarnDel &&
      !questions_.AskDestructive("Delete waypoint", "Are you sure?",
                                 verb + record->Name + ": one of " + WaypointCountText(store_.size()) + ".")) {
    return false;
  }
  std::unique_ptr<ListStep> step = NewStep(verb + record->Name);
  if (onRowRemoving) onRowRemoving(row);
  step->removed = MovedRecords(store_.Take({record}), false);
  if (onRowRemoved) onRowRemoved(row);
  PushStep(std::move(step));
  return true;
}

bool ListSession::RemoveRecords(const std::vector<const TGpxRecord*>& records, const std::string& stepName) {
  std::unique_ptr<ListStep> step = NewStep(stepName);
  step->removed = MovedRecords(store_.Take(records), false);
  if (step->removed.size() == 0) return false;
  PushStep(std::move(step));
  if (onListRebuilt) onListRebuilt();
  return true;
}

void ListSession::ReleaseList() {
  if (onListReleasing) onListReleasing();
  editGroup_.reset();
  editGroupDepth_ = 0;
  history_.Clear();
  store_.Clear();
  strippedFiles_.clear();
  StateChanged();
}

bool ListSession::ClearList() {
  const std::size_t count = store_.size();
  if (!questions_.AskDestructive("Clear the list", "Are you sure?",
                                 "Clear the list of " + WaypointCountText(count) + ".")) {
    return false;
  }
  std::unique_ptr<ListStep> step = NewStep("Clear List (" + WaypointCountText(count) + ")");
  if (onListReleasing) onListReleasing();
  step->removed = MovedRecords(store_.TakeAll(), true);
  view_.FilterMode = 0;
  currentFileName_.clear();
  PushStep(std::move(step));
  if (onListRebuilt) onListRebuilt();
  return true;
}

const TGpxRecord* ListSession::AddToList(double lat, double lon, const std::string& name) {
  if (name.empty()) {
    status_.FlashError(2, "Invalid name");
    return nullptr;
  }
  const ListMark before = Mark();
  store_.SetDuplicateMode(kDuplicateAsk);
  store_.BeginJournal();
  const TGpxRecord* record = store_.AddWaypointSimple(lat, lon, name);
  std::unique_ptr<ListStep> step = JournalStep("Add " + name, store_.EndJournal());
  step->before = before;
  if (!step->Empty()) PushStep(std::move(step));
  if (onListRebuilt) onListRebuilt();
  return record;
}

bool ListSession::ArchiveWritten(ArchiveResult result) {
  if (result == ArchiveResult::kOpenFailed) {
    status_.SetError(2, "Error opening file");
    return false;
  }
  status_.SetError(0, "");
  if (result == ArchiveResult::kWriteFailed) {
    status_.SetError(2, "Error saving file");
    return false;
  }
  return true;
}

bool ListSession::ArchiveShownRow(int row) {
  const auto& shown = store_.ShownWaypoints();
  const TGpxRecord* record =
      row >= 0 && static_cast<std::size_t>(row) < shown.size() ? shown[static_cast<std::size_t>(row)] : nullptr;
  if (!ArchiveWritten(AppendArchiveLine(settings_.ArchiveFile(), record))) return false;
  if (record) RemoveShownRow(row, "Archive ");
  status_.SetError(0, "");
  status_.FlashError(0, "Done!");
  return true;
}

bool ListSession::DeleteRecords(const std::vector<const TGpxRecord*>& records) {
  if (records.empty()) return false;
  const std::string count = WaypointCountText(records.size());
  if (!questions_.AskDestructive("Delete waypoints", "Are you sure?",
                                 "Delete " + count + "; the list keeps " +
                                     WaypointCountText(store_.size() - std::min(store_.size(), records.size())) +
                                     ".")) {
    return false;
  }
  return RemoveRecords(records, "Delete " + count);
}

bool ListSession::ArchiveRecords(const std::vector<const TGpxRecord*>& records) {
  if (records.empty()) return false;
  const std::string count = WaypointCountText(records.size());
  if (!questions_.AskDestructive("Archive Waypoint", "Are you sure?",
                                 "Archive " + count + " to " +
                                     Utf8ToAnsi(std::string(FileNamePart(settings_.ArchiveFile()))) +
                                     " and take them out of the list.")) {
    return false;
  }
  if (!ArchiveWritten(AppendArchiveLines(settings_.ArchiveFile(), records))) return false;
  RemoveRecords(records, "Archive " + count);
  status_.FlashError(0, "Done!");
  return true;
}

namespace {

bool SameEditedValues(const TGpxRecord& a, const TGpxRecord& b) {
  return a.Lat == b.Lat && a.Lon == b.Lon && a.Name == b.Name && a.Desc == b.Desc && a.Cmt == b.Cmt && a.Url == b.Url &&
         a.UrlName == b.UrlName && a.Sym == b.Sym && a.TypeCode == b.TypeCode && a.Found == b.Found;
}

}  // namespace

bool ListSession::StoreEdit(const TGpxRecord* record, const EditItemFields& shown, const EditItemFields& now,
                            const CacheLinkFn& link) {
  if (const std::string unread = UnreadPositionText(shown, now); !unread.empty()) {
    status_.SetError(2, kNotAPosition + unread);
    return false;
  }
  TGpxRecord stored = StoredRecord(*record, shown, now, link);
  if (SameEditedValues(stored, *record)) return true;
  const bool grouped = editGroup_ != nullptr;
  std::unique_ptr<ListStep> single = grouped ? nullptr : NewStep("Edit " + record->Name);
  ListStep& step = grouped ? *editGroup_ : *single;
  // A record edited twice in one group keeps its first value for the undo.
  const bool known = std::any_of(step.changed.begin(), step.changed.end(),
                                 [record](const auto& change) { return change.first == record; });
  if (!known) step.changed.emplace_back(record, *record);
  store_.ChangeWaypoint(record, [&stored](TGpxRecord& r) {
    r.Lat = stored.Lat;
    r.Lon = stored.Lon;
    r.Name = std::move(stored.Name);
    r.Desc = std::move(stored.Desc);
    r.Cmt = std::move(stored.Cmt);
    r.Url = std::move(stored.Url);
    r.UrlName = std::move(stored.UrlName);
    r.Sym = std::move(stored.Sym);
    r.TypeCode = stored.TypeCode;
    r.Found = stored.Found;
  });
  if (grouped) {
    listModified_ = true;
    StateChanged();
  } else {
    PushStep(std::move(single));
  }
  return true;
}

void ListSession::BeginEditGroup() {
  if (editGroupDepth_++ == 0) editGroup_ = NewStep({});
}

void ListSession::EndEditGroup() {
  if (editGroupDepth_ == 0 || --editGroupDepth_ > 0) return;
  std::unique_ptr<ListStep> step = std::move(editGroup_);
  if (step->Empty()) {
    StateChanged();
    return;
  }
  step->name = step->changed.size() == 1 ? "Edit " + step->changed.front().first->Name
                                         : "Edit " + WaypointCountText(step->changed.size());
  PushStep(std::move(step));
}

bool ListSession::SaveRecordGpx(const std::string& fileName, const TGpxRecord& record) {
  if (WriteSingleWaypointGpx(fileName, record)) return true;
  status_.SetError(2, "Error saving file");
  return false;
}

}  // namespace quill
