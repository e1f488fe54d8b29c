// SPDX-License-Identifier: GPL-3.0-or-later
// The changes of the list the user makes outside a load: delete, clear, add,
// archive, edit.
#include "formats/GpxWriter.h"
#include "list/ArchiveLine.h"
#include "session/ListSession.h"

namespace quill {

bool ListSession::DeleteShownRow(int row) {
  auto& shown = store_.ShownWaypoints();
  if (row < 0 || static_cast<std::size_t>(row) >= shown.size()) return false;
  if (settings_.warnDel && !questions_.AskYesNo("Delete waypoint", "Are you sure?")) return false;
  const TGpxRecord* record = shown[static_cast<std::size_t>(row)];
  if (onRowRemoving) onRowRemoving(row);
  store_.DeleteWaypoints({record});
  listModified_ = true;
  if (onRowRemoved) onRowRemoved(row);
  return true;
}

void ListSession::ReleaseList() {
  if (onListReleasing) onListReleasing();
  store_.Clear();
  strippedFiles_.clear();
}

bool ListSession::ClearList() {
  if (!questions_.AskYesNo("Clear the list", "Are you sure?")) return false;
  listModified_ = false;
  ReleaseList();
  view_.FilterMode = 0;
  currentFileName_.clear();
  if (onListRebuilt) onListRebuilt();
  return true;
}

const TGpxRecord* ListSession::AddToList(double lat, double lon, const std::string& name) {
  if (name.empty()) {
    status_.FlashError(2, "Invalid name");
    return nullptr;
  }
  store_.SetDuplicateMode(kDuplicateAsk);
  const TGpxRecord* record = store_.AddWaypointSimple(lat, lon, name);
  listModified_ = true;
  if (onListRebuilt) onListRebuilt();
  return record;
}

bool ListSession::ArchiveShownRow(int row) {
  const auto& shown = store_.ShownWaypoints();
  const TGpxRecord* record =
      row >= 0 && static_cast<std::size_t>(row) < shown.size() ? shown[static_cast<std::size_t>(row)] : nullptr;
  ArchiveResult result = AppendArchiveLine(settings_.archiveFile, record);
  if (result == ArchiveResult::kOpenFailed) {
    status_.SetError(2, "Error opening file");
    return false;
  }
  status_.SetError(0, "");
  if (result == ArchiveResult::kWriteFailed) {
    status_.SetError(2, "Error saving file");
    return false;
  }
  if (record) DeleteShownRow(row);
  status_.SetError(0, "");
  status_.FlashError(0, "Done!");
  return true;
}

const TGpxRecord& ListSession::StoreEdit(const TGpxRecord* record, const EditItemFields& shown,
                                         const EditItemFields& now, const CacheLinkFn& link) {
  TGpxRecord stored = StoredRecord(*record, shown, now, link);
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
  listModified_ = true;
  return *record;
}

bool ListSession::SaveRecordGpx(const std::string& fileName, const TGpxRecord& record) {
  if (WriteSingleWaypointGpx(fileName, record)) return true;
  status_.SetError(2, "Error saving file");
  return false;
}

}  // namespace quill
